// The section editor dialog driven through its widgets: what is typed and clicked reaches the
// editor, the enabling follows it, a refused OK keeps the window open, units are converted.
#include "ui/section_editor_dialog.h"

#include "app/editors/catalog_window.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "modal_driver.h"
#include "model/parcel.h"
#include "scripted_app.h"
#include "ui/app_windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk;
using namespace vartesk::ui;
using vartesk::test::OnNextModal;
using vartesk::test::TScriptedApp;

namespace {

template<class W>
W &Input(QDialog &dialog, const char *name)
{
    auto *widget = dialog.findChild<W *>(name);
    if (!widget)
        throw std::runtime_error(std::string("no input ") + name);
    return *widget;
}

// Replaces what a field shows by typing, as a person who selected it all would.
template<class W>
void Retype(W &field, const QString &text)
{
    field.selectAll();
    QTest::keyClicks(&field, text);
}

QPushButton &Ok(QDialog &dialog)
{
    return *dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

// On the indicator: a check box or radio button answers there, not across its whole width.
void Click(QAbstractButton &button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(8, button.height() / 2));
}

void Screenshot(QWidget &window, const char *name)
{
    const auto shots = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(window.grab().save(QString::fromStdString((shots / name).string())));
}

class SectionEditorDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override
    {
        UseUnitSystem(TUnitSystem::DaN);
        UseLanguage(TLanguage::Russian);
        ClearStrings();
    }

    TWiresList Wires;
    TFormWiresBase Catalog {Wires};
    TFormParcel Editor {Catalog};
    TScriptedApp App;
    TAppPort Port = App.App();
};

} // namespace

TEST_F(SectionEditorDialog, ANewSectionGetsItsWireFromTheCatalogAndItsTypedValues)
{
    TParcel section;
    Editor.LoadParcel(section);
    App.CatalogSelection.push_back([this](TFormWiresBase &catalog) {
        EXPECT_EQ(&catalog, &Catalog);
        TWireRecord chosen;
        chosen.Name = "AC 70/11";
        return std::optional<TWireRecord>(chosen);
    });

    OnNextModal<TSectionEditorDialog>([](TSectionEditorDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Sector");
        QTest::keyClicks(&Input<QLineEdit>(dialog, "Edit_Name"), "Ridge 1");
        Click(Input<QPushButton>(dialog, "ProvodCatalog"));
        EXPECT_EQ(Input<QLineEdit>(dialog, "Provod").text(), "AC 70/11");
        // Either decimal separator; a third decimal is refused.
        Retype(Input<QDoubleSpinBox>(dialog, "seNapr_max"), "12,5");
        Retype(Input<QDoubleSpinBox>(dialog, "seNapr_srg"), "8,125");

        Click(Input<QCheckBox>(dialog, "IsGis"));
        Retype(Input<QDoubleSpinBox>(dialog, "Ves_Gis"), "45,5");
        Retype(Input<QDoubleSpinBox>(dialog, "Raznost_H"), "-2");

        Click(Input<QCheckBox>(dialog, "IsVitygka"));
        Click(Input<QRadioButton>(dialog, "Mp2"));
        EXPECT_FALSE(Input<QSpinBox>(dialog, "Pp2").isReadOnly());
        EXPECT_TRUE(Input<QSpinBox>(dialog, "Pp1").isReadOnly());
        Retype(Input<QSpinBox>(dialog, "Pp2"), "6");
        Screenshot(dialog, "section-editor.png");
        Click(Ok(dialog));
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(ExecSectionEditor(Editor, Port, nullptr));
    EXPECT_TRUE(App.Told.empty());

    Editor.StoreParcel(section);
    EXPECT_EQ(section.Name, "Ridge 1");
    EXPECT_EQ(section.Provod, "AC 70/11");
    EXPECT_DOUBLE_EQ(section.Napr_max, 12.5);
    EXPECT_DOUBLE_EQ(section.Napr_srg, 8.12);
    EXPECT_TRUE(section.IsGis);
    EXPECT_DOUBLE_EQ(section.Ves_Gis, 45.5);
    EXPECT_DOUBLE_EQ(section.Raznost_H, -2);
    EXPECT_TRUE(section.IsVitygka);
    EXPECT_EQ(section.Mp, 2);
    EXPECT_EQ(section.Pp, 6);
}

TEST_F(SectionEditorDialog, ARefusedOkKeepsTheWindowOpenAndTellsTheFirstFailingCheck)
{
    TParcel section;
    section.Provod.clear();
    Editor.LoadParcel(section);

    OnNextModal<TSectionEditorDialog>([this](TSectionEditorDialog &dialog) {
        QPushButton &ok = Ok(dialog);
        Click(ok);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(App.Told.size(), 1u);
        EXPECT_EQ(App.Told[0], "Выберите марку провода (кабеля)");

        // Without a wire the type is not asked for; the name still is.
        Click(Input<QCheckBox>(dialog, "IsProvod"));
        EXPECT_FALSE(Input<QPushButton>(dialog, "ProvodCatalog").isEnabled());
        EXPECT_FALSE(Input<QTabWidget>(dialog, "WireLimits").isEnabled());
        Click(ok);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(App.Told.size(), 2u);
        EXPECT_EQ(App.Told[1], "Введите название участка");
        dialog.reject();
    });
    EXPECT_FALSE(ExecSectionEditor(Editor, Port, nullptr));
}

TEST_F(SectionEditorDialog, EnablingFollowsTheCheckBoxesAndTheMaterialChosen)
{
    TParcel section;
    section.Provod = "AC 70/11";
    section.IsTros = true;
    section.Tros = "TK 50";
    section.IsVitygka = true;
    section.Mt = 3;
    section.Pt = 9;
    Editor.LoadParcel(section);

    OnNextModal<TSectionEditorDialog>([](TSectionEditorDialog &dialog) {
        EXPECT_FALSE(Input<QDoubleSpinBox>(dialog, "Ves_Gis").isEnabled());
        Click(Input<QCheckBox>(dialog, "IsGis"));
        EXPECT_TRUE(Input<QDoubleSpinBox>(dialog, "Ves_Gis").isEnabled());

        // Loaded: material 3 chosen with its stored percentage, read-only until clicked.
        EXPECT_TRUE(Input<QRadioButton>(dialog, "Mt3").isChecked());
        EXPECT_EQ(Input<QSpinBox>(dialog, "Pt3").value(), 9);
        EXPECT_TRUE(Input<QSpinBox>(dialog, "Pt3").isReadOnly());
        EXPECT_TRUE(Input<QRadioButton>(dialog, "Mt3").isEnabled());
        Click(Input<QRadioButton>(dialog, "Mt3"));
        EXPECT_FALSE(Input<QSpinBox>(dialog, "Pt3").isReadOnly());
        Click(Input<QRadioButton>(dialog, "Mt5"));
        EXPECT_TRUE(Input<QSpinBox>(dialog, "Pt3").isReadOnly());
        EXPECT_FALSE(Input<QSpinBox>(dialog, "Pt5").isReadOnly());

        // A click on the cord's box makes its percentages read-only and, unchecked, the cord's
        // materials unavailable.
        Click(Input<QCheckBox>(dialog, "IsTros"));
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Mt5").isEnabled());
        EXPECT_FALSE(Input<QPushButton>(dialog, "TrosCatalog").isEnabled());
        EXPECT_TRUE(Input<QRadioButton>(dialog, "Mp1").isEnabled());
        Click(Input<QCheckBox>(dialog, "IsTros"));
        EXPECT_TRUE(Input<QRadioButton>(dialog, "Mt5").isEnabled());
        EXPECT_TRUE(Input<QSpinBox>(dialog, "Pt5").isReadOnly());

        Click(Input<QCheckBox>(dialog, "IsVitygka"));
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Mp1").isEnabled());
        EXPECT_FALSE(Input<QRadioButton>(dialog, "Mt1").isEnabled());
        dialog.reject();
    });
    EXPECT_FALSE(ExecSectionEditor(Editor, Port, nullptr));
}

TEST_F(SectionEditorDialog, InKilonewtonsAStoredStressOfNineShowsNinetyAndTensionsConvertBack)
{
    UseUnitSystem(TUnitSystem::KN);
    TParcel section;
    section.Name = "Ridge 2";
    section.Provod = "AC 70/11";
    section.Napr_max = 9;
    Editor.LoadParcel(section);

    OnNextModal<TSectionEditorDialog>([](TSectionEditorDialog &dialog) {
        auto &maximum = Input<QDoubleSpinBox>(dialog, "seNapr_max");
        EXPECT_DOUBLE_EQ(maximum.value(), 90);
        EXPECT_EQ(maximum.text(), "90.00");
        const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
        EXPECT_TRUE(std::any_of(
            labels.begin(), labels.end(), [](QLabel *label) { return label->text() == "N/mm²"; }));
        Retype(maximum, "100");

        // The tensions tab: what OK finds shown is the mode stored.
        auto &limits = Input<QTabWidget>(dialog, "WireLimits");
        limits.setCurrentIndex(1);
        auto &tension = Input<QDoubleSpinBox>(dialog, "seTag_max");
        EXPECT_TRUE(tension.isVisible());
        Retype(tension, "15.5");
        QTest::keyClick(&tension, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(ExecSectionEditor(Editor, Port, nullptr));
    Editor.StoreParcel(section);
    EXPECT_DOUBLE_EQ(section.Napr_max, 10);
    EXPECT_DOUBLE_EQ(section.Tag_max, 1550);
    EXPECT_EQ(section.TagMode, 1);
}

TEST_F(SectionEditorDialog, TabGoesFromTheNameThroughTheWireToOk)
{
    TParcel section;
    section.Provod = "AC 70/11";
    Editor.LoadParcel(section);

    OnNextModal<TSectionEditorDialog>([](TSectionEditorDialog &dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QStringList seen {focus->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *next = QApplication::focusWidget();
            // A tab widget takes the focus through its tab bar, a spin box through its field.
            while (next && (next->objectName().isEmpty() || next->objectName().startsWith("qt_"))
                   && next->parentWidget())
                next = next->parentWidget();
            seen << (next ? next->objectName() : QString());
        }
        EXPECT_EQ(seen.join(' '),
                  "Edit_Name Conductors IsProvod Provod ProvodCatalog WireLimits seNapr_max "
                  "seNapr_srg IsGis IsVitygka");
        dialog.reject();
    });
    EXPECT_FALSE(ExecSectionEditor(Editor, Port, nullptr));
}
