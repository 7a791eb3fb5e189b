// The climate, coefficient and damper pages: what they show of their state, and that every
// edit through the widgets lands in the state.
#include "ui/climate_page_widget.h"
#include "ui/coefficient_page_widget.h"
#include "ui/damper_page_widget.h"
#include "ui/general_spin_box.h"
#include "ui/number_field.h"
#include "ui/pages.h"

#include "qstring_print.h"

#include "app/editors/climate_pages.h"
#include "app/editors/damper_input.h"
#include "l10n/language.h"
#include "l10n/string_table.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

using namespace vartesk;
using namespace vartesk::ui;

namespace {

class Pages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        ClearStrings();
    }
};

template<class W>
W &Child(const QWidget &parent, const char *name)
{
    auto *child = parent.findChild<W *>(name);
    if (!child)
        throw std::runtime_error(std::string("no widget ") + name);
    return *child;
}

// Replaces the field's text as a person would: select all, type.
void Type(QAbstractSpinBox &field, const char *text)
{
    field.selectAll();
    QTest::keyClicks(&field, text);
}

QString CaptionOf(const QWidget &page, const QWidget &field)
{
    for (const QLabel *label : page.findChildren<QLabel *>())
        if (label->buddy() == &field)
            return label->text();
    return {};
}

void Screenshot(QWidget &widget, const char *name)
{
    const auto shots = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    widget.adjustSize();
    EXPECT_TRUE(widget.grab().save(QString::fromStdString((shots / name).string())));
}

} // namespace

TEST_F(Pages, ClimatePageShowsNineDigitsAndWritesTypedAndSteppedValues)
{
    TFrameKlimat state;
    state.Tols = 12.3456789012;
    state.TMax = 38.5;
    state.Tgbw = 0.0000125;
    auto page = std::unique_ptr<TBoundWidget>(NewClimatePage(state, nullptr));
    ASSERT_NE(qobject_cast<TClimatePageWidget *>(page.get()), nullptr);
    page->show();

    auto &tols = Child<TGeneralSpinBox>(*page, "Tols");
    EXPECT_EQ(tols.text(), "12.3456789");
    EXPECT_EQ(Child<TGeneralSpinBox>(*page, "TMin").text(), "-55");
    EXPECT_EQ(Child<TGeneralSpinBox>(*page, "Tgbw").text(), "1.25E-5");
    // Showing a value is no edit: the state keeps its digits beyond the nine shown.
    EXPECT_EQ(state.Tols, 12.3456789012);

    Type(tols, "7.25");
    EXPECT_EQ(state.Tols, 7.25);
    // Negative wind speeds and the exponent form are taken as typed.
    auto &vmax = Child<TGeneralSpinBox>(*page, "VMax");
    Type(vmax, "-3.5");
    EXPECT_EQ(state.VMax, -3.5);
    auto &vwetsg = Child<TGeneralSpinBox>(*page, "Vwetsg");
    Type(vwetsg, "2E-5");
    EXPECT_EQ(state.Vwetsg, 2e-5);
    // A letter is refused and the value stays.
    QTest::keyClicks(&vwetsg, "x");
    EXPECT_EQ(vwetsg.text(), "2E-5");
    // The arrows step by half a unit.
    auto &tmax = Child<TGeneralSpinBox>(*page, "TMax");
    tmax.setFocus();
    QTest::keyClick(&tmax, Qt::Key_Up);
    EXPECT_EQ(state.TMax, 39);
    QTest::keyClick(&tmax, Qt::Key_Down);
    QTest::keyClick(&tmax, Qt::Key_Down);
    EXPECT_EQ(state.TMax, 38);
    EXPECT_EQ(tmax.text(), "38");

    // Each field writes its own member: a swapped pair would show here.
    state = TFrameKlimat {};
    state.TGsw = -10;
    state.Tsrec = 4.5;
    page->Reload();
    EXPECT_EQ(Child<TGeneralSpinBox>(*page, "TGsw").text(), "-10");
    EXPECT_EQ(Child<TGeneralSpinBox>(*page, "Tsrec").text(), "4.5");
    EXPECT_EQ(Child<TGeneralSpinBox>(*page, "Tgbw").text(), "-5");
    Type(Child<TGeneralSpinBox>(*page, "TGsw"), "-6");
    Type(Child<TGeneralSpinBox>(*page, "Tgbw"), "-8");
    Type(Child<TGeneralSpinBox>(*page, "TMin"), "-45");
    EXPECT_EQ(state.TGsw, -6);
    EXPECT_EQ(state.Tgbw, -8);
    EXPECT_EQ(state.TMin, -45);
    EXPECT_EQ(state.Tsrec, 4.5);
    EXPECT_EQ(state.TMax, 40);
    EXPECT_EQ(state.Tols, 5);

    Screenshot(*page, "climate-page.png");
}

TEST_F(Pages, ClimatePageCaptionsFollowTheLanguageOnRetranslate)
{
    TFrameKlimat state;
    TClimatePageWidget page(state, nullptr);
    const auto &tols = Child<TGeneralSpinBox>(page, "Tols");
    const auto &vwetsg = Child<TGeneralSpinBox>(page, "Vwetsg");
    EXPECT_EQ(CaptionOf(page, tols), "Thickness:");
    EXPECT_EQ(CaptionOf(page, vwetsg), "In case of ice:");
    EXPECT_EQ(CaptionOf(page, Child<TGeneralSpinBox>(page, "Tsrec")), "Average annual:");
    UseLanguage(TLanguage::Russian);
    page.Retranslate();
    EXPECT_EQ(CaptionOf(page, tols), "Толщина стенки:");
    EXPECT_EQ(CaptionOf(page, vwetsg), "При гололеде:");
}

TEST_F(Pages, CoefficientPageChoosesTerrainAndEditsHeightsAndCoefficients)
{
    TFrameKlimatKoef2 state;
    state.V_Reg = 1.23456789123;
    auto page = std::unique_ptr<TBoundWidget>(NewCoefficientPage(state, nullptr));
    ASSERT_NE(qobject_cast<TCoefficientPageWidget *>(page.get()), nullptr);
    page->show();

    auto &a = Child<QRadioButton>(*page, "TerrainA");
    auto &b = Child<QRadioButton>(*page, "TerrainB");
    auto &c = Child<QRadioButton>(*page, "TerrainC");
    EXPECT_TRUE(a.isChecked());
    QTest::mouseClick(&c, Qt::LeftButton);
    EXPECT_EQ(state.TypeTer, 3);
    // A state changed elsewhere shows on Reload, without writing back.
    state.TypeTer = 2;
    page->Reload();
    EXPECT_TRUE(b.isChecked());
    EXPECT_FALSE(c.isChecked());
    EXPECT_EQ(state.TypeTer, 2);
    QTest::mouseClick(&a, Qt::LeftButton);
    EXPECT_EQ(state.TypeTer, 1);

    // Heights are whole metres, negative ones accepted.
    Type(Child<QSpinBox>(*page, "visotaPC"), "-7");
    Type(Child<QSpinBox>(*page, "visotaPC_tros"), "22");
    EXPECT_EQ(state.visotaPC, -7);
    EXPECT_EQ(state.visotaPC_tros, 22);

    EXPECT_EQ(Child<TGeneralSpinBox>(*page, "V_Reg").text(), "1.23456789");
    auto &usl = Child<TGeneralSpinBox>(*page, "G_Usl");
    usl.stepUp();
    EXPECT_DOUBLE_EQ(state.G_Usl, 1.001);
    EXPECT_EQ(usl.text(), "1.001");
    const char *names[] = {"V_Otv", "V_Reg", "V_Nad", "G_Otv", "G_Reg", "G_Nad", "G_Usl"};
    const char *typed[] = {"1.1", "1.2", "1.3", "1.4", "1.5", "1.6", "0.8"};
    for (size_t i = 0; i < std::size(names); ++i)
        Type(Child<TGeneralSpinBox>(*page, names[i]), typed[i]);
    const double expected[] = {1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 0.8};
    const double got[] = {
        state.V_Otv, state.V_Reg, state.V_Nad, state.G_Otv, state.G_Reg, state.G_Nad, state.G_Usl};
    for (size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(got[i], expected[i]) << names[i];

    EXPECT_EQ(CaptionOf(*page, Child<TGeneralSpinBox>(*page, "G_Usl")), "Operating conditions");
    EXPECT_EQ(CaptionOf(*page, Child<QSpinBox>(*page, "visotaPC_tros")), "for the cord under:");
    Screenshot(*page, "coefficient-page.png");
}

TEST_F(Pages, CoefficientsTakeADecimalCommaAndWhatTheyRefuseIsSaidBesideTheField)
{
    TFrameKlimatKoef2 state;
    auto page = std::unique_ptr<TBoundWidget>(NewCoefficientPage(state, nullptr));
    page->show();
    auto &regional = Child<TGeneralSpinBox>(*page, "V_Reg");
    auto &reliability = Child<TGeneralSpinBox>(*page, "V_Nad");
    // A separator that got lost made 1,25 into 125.
    Type(regional, "1,25");
    EXPECT_EQ(state.V_Reg, 1.25);

    Type(reliability, "1x");
    EXPECT_EQ(reliability.text(), "1");
    const QLabel *hint = FieldHint(page.get());
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(),
              "'x' is not taken here. Type digits with '.' or ',' as the decimal separator. "
              "Enter a value from 0.1 to 10.");
    // A value out of range is not taken when the field is left, and the hint says so.
    for (const char *typed : {"125", "0"}) {
        Type(reliability, typed);
        reliability.interpretText();
        EXPECT_EQ(state.V_Nad, 1) << typed;
        EXPECT_EQ(reliability.text(), "1") << typed;
        EXPECT_EQ(hint->text(), "Enter a value from 0.1 to 10.") << typed;
    }
    EXPECT_TRUE(hint->isVisible());
    Screenshot(*page, "coefficient-page-hint.png");
}

namespace {

struct TCalls
{
    std::vector<int> Selected;
    std::vector<int> Activated;
};

} // namespace

TEST_F(Pages, DamperPageEnablesAfterItsSwitchesAndShowsTheDescriptionAtOnce)
{
    TFrameVibroMuffles state;
    state.Rows = {{"Section 1", true}, {"Section 2", false}};
    TCalls calls;
    auto page = std::unique_ptr<TBoundWidget>(NewDamperPage(
        state,
        [&](int row) { calls.Selected.push_back(row); },
        [&](int row) { calls.Activated.push_back(row); },
        nullptr));
    ASSERT_NE(qobject_cast<TDamperPageWidget *>(page.get()), nullptr);
    page->show();

    auto &on = Child<QCheckBox>(*page, "IsVibroMuffles");
    auto &category = Child<QSpinBox>(*page, "NumbCat");
    auto &north = Child<QCheckBox>(*page, "IsNord");
    auto &tcold = Child<TGeneralSpinBox>(*page, "Tcold");
    auto &sections = Child<QTableWidget>(*page, "Sections");
    auto &description = Child<QLabel>(*page, "Description");
    EXPECT_FALSE(category.isEnabled());
    EXPECT_FALSE(north.isEnabled());
    EXPECT_FALSE(tcold.isEnabled());
    EXPECT_FALSE(sections.isEnabled());

    QTest::mouseClick(&on, Qt::LeftButton, {}, QPoint(4, on.height() / 2));
    EXPECT_TRUE(state.IsVibroMuffles);
    EXPECT_TRUE(category.isEnabled());
    EXPECT_TRUE(north.isEnabled());
    EXPECT_TRUE(sections.isEnabled());
    EXPECT_FALSE(tcold.isEnabled());
    QTest::mouseClick(&north, Qt::LeftButton, {}, QPoint(4, north.height() / 2));
    EXPECT_TRUE(state.IsNord);
    EXPECT_TRUE(tcold.isEnabled());
    Type(tcold, "-32.5");
    EXPECT_EQ(state.Tcold, -32.5);

    EXPECT_EQ(description.text().toStdString(), CategoryDescription(1));
    category.setFocus();
    QTest::keyClick(&category, Qt::Key_Up);
    QTest::keyClick(&category, Qt::Key_Up);
    EXPECT_EQ(state.NumbCat, 3);
    EXPECT_EQ(description.text(), "Open terrain with few hills, separate trees and buildings");
    UseLanguage(TLanguage::Russian);
    page->Retranslate();
    EXPECT_EQ(description.text(), "Слабохолмистая местность, отдельные деревья и строения");
    UseLanguage(TLanguage::English);
    page->Retranslate();

    // Switching off again closes what depends on it, the state keeping its values.
    QTest::mouseClick(&on, Qt::LeftButton, {}, QPoint(4, on.height() / 2));
    EXPECT_FALSE(state.IsVibroMuffles);
    EXPECT_FALSE(tcold.isEnabled());
    EXPECT_TRUE(state.IsNord);

    state.IsVibroMuffles = true;
    state.IsNord = false;
    state.NumbCat = 5;
    state.Tcold = -45;
    state.Rows = {{"Участок 1", true}, {"Участок 2", false}, {"Участок 3", true}};
    page->Reload();
    EXPECT_TRUE(on.isChecked());
    EXPECT_FALSE(north.isChecked());
    EXPECT_FALSE(tcold.isEnabled());
    EXPECT_EQ(category.value(), 5);
    EXPECT_EQ(tcold.text(), "-45");
    EXPECT_EQ(description.text().toStdString(), CategoryDescription(5));
    Screenshot(*page, "damper-page.png");
}

TEST_F(Pages, DamperListShowsMarksAndTellsSelectionAndOpening)
{
    TFrameVibroMuffles state;
    state.IsVibroMuffles = true;
    state.Rows = {{"Section 1", true}, {"Section 2", false}, {"Section 3", true}};
    TCalls calls;
    std::unique_ptr<TBoundWidget> page;
    // Opening a section as the main window does: the dialog changes its mark, the page reloads
    // from inside the list's own double click.
    page.reset(NewDamperPage(
        state,
        [&](int row) { calls.Selected.push_back(row); },
        [&](int row) {
            calls.Activated.push_back(row);
            state.Rows[size_t(row)].Marked = !state.Rows[size_t(row)].Marked;
            page->Reload();
        },
        nullptr));
    page->show();
    auto &sections = Child<QTableWidget>(*page, "Sections");
    ASSERT_EQ(sections.rowCount(), 3);
    EXPECT_EQ(sections.item(0, 0)->text(), "Section 1");
    EXPECT_EQ(sections.item(0, 1)->text(), TDamperPageWidget::kMark);
    EXPECT_EQ(sections.item(1, 1)->text(), "");
    EXPECT_EQ(sections.item(2, 1)->text(), TDamperPageWidget::kMark);
    EXPECT_EQ(sections.currentRow(), 0);
    // The mark column stays narrow beside the names.
    EXPECT_LT(sections.columnWidth(1), sections.columnWidth(0));

    calls.Selected.clear();
    const QRect second = sections.visualItemRect(sections.item(1, 0));
    QTest::mouseClick(sections.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(calls.Selected, std::vector<int> {1});
    QTest::mouseDClick(sections.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(calls.Activated, std::vector<int> {1});
    EXPECT_EQ(sections.item(1, 1)->text(), TDamperPageWidget::kMark);
    EXPECT_EQ(sections.currentRow(), 1);

    // Enter opens the current row, for the keyboard.
    sections.setFocus();
    QTest::keyClick(&sections, Qt::Key_Down);
    EXPECT_EQ(calls.Selected.back(), 2);
    QTest::keyClick(&sections, Qt::Key_Return);
    EXPECT_EQ(calls.Activated, (std::vector<int> {1, 2}));
    EXPECT_EQ(sections.item(2, 1)->text(), "");

    // A shorter list moves the current row back to the first and says so.
    calls.Selected.clear();
    state.Rows.resize(2);
    page->Reload();
    EXPECT_EQ(sections.rowCount(), 2);
    EXPECT_EQ(sections.currentRow(), 0);
    EXPECT_EQ(calls.Selected, std::vector<int> {0});
    // A row still there stays current, and nothing is told.
    calls.Selected.clear();
    QTest::mouseClick(sections.viewport(), Qt::LeftButton, {}, second.center());
    calls.Selected.clear();
    page->Reload();
    EXPECT_EQ(sections.currentRow(), 1);
    EXPECT_TRUE(calls.Selected.empty());
    state.Rows.clear();
    page->Reload();
    EXPECT_EQ(sections.rowCount(), 0);
    EXPECT_EQ(qobject_cast<TDamperPageWidget *>(page.get())->CurrentRow(), -1);
    EXPECT_TRUE(calls.Selected.empty());
}
