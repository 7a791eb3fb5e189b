// The catalog window and the entry dialog driven through their widgets: choosing, creating,
// sorting, deleting, the disabled commands and the modulus in kN.
#include "ui/catalog_window_widget.h"

#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "modal_driver.h"
#include "scripted_app.h"
#include "test_wires.h"
#include "ui/app_windows.h"
#include "ui/number_field.h"
#include "ui/wire_entry_dialog_widget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk;
using namespace vartesk::ui;
using vartesk::test::MakeWire;
using vartesk::test::OnNextModal;

// gtest shows Qt's texts as text.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The scripted port, but with the real entry dialog behind the catalog's commands.
class TQtEntryApp : public test::TScriptedApp
{
public:
    bool ShowWireEntry(TFormWiresEdit &dialog) override
    {
        Log.push_back("wire entry");
        return ExecWireEntry(dialog, *this, nullptr);
    }
};

void Shot(QWidget &window, const char *name)
{
    const auto folder = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(window.grab().save(QString::fromStdString((folder / name).string())));
}

QString Cell(const QTableView &grid, int row, int column)
{
    return grid.model()->index(row, column).data().toString();
}

QStringList Column(const QTableView &grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        texts << Cell(grid, row, column);
    return texts;
}

void ClickRow(QTableView &grid, int row, bool twice = false)
{
    const QPoint at = grid.visualRect(grid.model()->index(row, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    // A widget's double click comes after the first click, as the window system sends it.
    if (twice)
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
}

void ClickHeader(QTableView &grid, int column)
{
    QHeaderView &header = *grid.horizontalHeader();
    const QPoint at(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                    header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
}

void Click(QPushButton *button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Typed character by character; QTest's own typing knows only ASCII.
void Type(QWidget &field, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void Retype(QLineEdit &field, const QString &text)
{
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    Type(field, text);
}

class CatalogWindowWidget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        Catalog.Add(MakeWire("АС120/19", 15.2, 136.8, 0.471, 8250, 1.92e-5, 1));
        Catalog.Add(MakeWire("ТК-9,1", 9.1, 48.64, 0.417, 20000, 1.2e-5, 5));
        Catalog.Add(MakeWire("АС50/8", 9.6, 56.24, 0.195, 8250, 1.92e-5, 1));
        Catalog.Add(MakeWire("СИП-2 3х50", 29.5, 150, 0.68, 6250, 2.3e-5, 4));
    }
    void TearDown() override
    {
        UseUnitSystem(TUnitSystem::DaN);
        UseLanguage(TLanguage::Russian);
    }

    // The editing window over Owner, as the main window's command shows it.
    TCatalogWindow &ShowEditing()
    {
        ShowCatalogWindow(Window, Port, &Owner);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<TCatalogWindow *>(w); window && window->isVisible())
                return *window;
        throw std::runtime_error("no catalog window is shown");
    }

    TWiresList Catalog;
    TFormWiresBase Window {Catalog};
    TQtEntryApp App;
    TAppPort Port = App.App();
    QWidget Owner;
};

} // namespace

TEST_F(CatalogWindowWidget, SelectionModeGivesTheEntryOfTheRowClickedOrDoubleClicked)
{
    OnNextModal<TCatalogWindow>([](TCatalogWindow &w) {
        EXPECT_EQ(w.windowTitle(), "Reference catalog on wires, cables, cords");
        EXPECT_EQ(w.Button("Create"), nullptr);
        EXPECT_EQ(w.Grid().model()->headerData(0, Qt::Horizontal).toString(), "Type");
        EXPECT_EQ(Column(w.Grid(), 0), QStringList({"АС120/19", "ТК-9,1", "АС50/8", "СИП-2 3х50"}));
        EXPECT_EQ(w.Grid().currentIndex().row(), 0);
        ClickRow(w.Grid(), 2);
        Shot(w, "catalog-selection.png");
        Click(w.Button("Select"));
    });
    auto chosen = ExecCatalogSelection(Window, Port, &Owner);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Name.str(), "АС50/8");
    EXPECT_EQ(chosen->Diameter, 9.6);

    // The group chosen stays for the next showing; a double click chooses at once.
    OnNextModal<TCatalogWindow>([](TCatalogWindow &w) {
        w.GroupSelector().setCurrentIndex(5);
        EXPECT_EQ(Column(w.Grid(), 0), QStringList({"ТК-9,1"}));
        ClickRow(w.Grid(), 0, true);
    });
    chosen = ExecCatalogSelection(Window, Port, &Owner);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Name.str(), "ТК-9,1");

    OnNextModal<TCatalogWindow>([](TCatalogWindow &w) {
        EXPECT_EQ(w.GroupSelector().currentIndex(), 5);
        Click(w.Button("Cancel"));
    });
    EXPECT_FALSE(ExecCatalogSelection(Window, Port, &Owner));
    EXPECT_TRUE(App.Log.empty());
}

TEST_F(CatalogWindowWidget, CreateTypesAnEntryThroughTheDialogIntoTheSelectorsGroup)
{
    TCatalogWindow &window = ShowEditing();
    window.GroupSelector().setCurrentIndex(5);
    OnNextModal<TWireEntryDialog>([this](TWireEntryDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Add/Edit");
        EXPECT_EQ(d.GroupList().currentText(), "Steel wires, cords, ropes");
        EXPECT_EQ(d.NumberField(TWireEntryDialog::Diameter).text(), "0");
        // A name is wanted: OK keeps the dialog open and says why.
        Click(d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(App.Told.size(), 1u);

        Type(d.NameField(), "ТК-11");
        // What cannot make a number is refused where it is typed, with a hint beside the
        // field rather than a box; ',' separates the decimals as '.' does, and the exponent
        // form the catalog shows is taken.
        Retype(d.NumberField(TWireEntryDialog::Diameter), "1x1,5-");
        EXPECT_EQ(d.NumberField(TWireEntryDialog::Diameter).text(), "11,5");
        ASSERT_NE(FieldHint(&d), nullptr);
        EXPECT_TRUE(FieldHint(&d)->isVisible());
        EXPECT_EQ(FieldHint(&d)->text(),
                  "'-' is not taken here. Type digits with '.' or ',' as the decimal separator "
                  "and E before a power of ten, as in 1.92E-5.");
        Shot(d, "wire-entry-hint.png");
        EXPECT_EQ(App.Told.size(), 1u);
        Retype(d.NumberField(TWireEntryDialog::Section), "63.2");
        Retype(d.NumberField(TWireEntryDialog::Weight), "0,55");
        Retype(d.NumberField(TWireEntryDialog::Modulus), "20000");
        Retype(d.NumberField(TWireEntryDialog::ThermalCoef), "1,2E-5");
        Shot(d, "wire-entry.png");
        QTest::keyClick(&d, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    Click(window.Button("Create"));

    ASSERT_EQ(Catalog.Count(), 5);
    const TWireRecord added = Catalog.Get(4);
    EXPECT_EQ(added.Name.str(), "ТК-11");
    EXPECT_EQ(added.Group, 5);
    EXPECT_EQ(added.Diameter, 11.5);
    EXPECT_EQ(added.Section, 63.2);
    EXPECT_EQ(added.Weight, 0.55);
    EXPECT_EQ(added.Modulus, 20000);
    EXPECT_EQ(added.ThermalCoef, 1.2e-5);
    EXPECT_EQ(Catalog.Changes(), 1);
    // Listed in its group and selected as the last row.
    EXPECT_EQ(Column(window.Grid(), 0), QStringList({"ТК-9,1", "ТК-11"}));
    EXPECT_EQ(window.Grid().currentIndex().row(), 1);
    EXPECT_EQ(Cell(window.Grid(), 1, 1), "11.5");

    // Cancel adds nothing.
    OnNextModal<TWireEntryDialog>([](TWireEntryDialog &d) {
        Type(d.NameField(), "X");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    Click(window.Button("Create"));
    EXPECT_EQ(Catalog.Count(), 5);

    window.GroupSelector().setCurrentIndex(0);
    window.resize(900, 420);
    Shot(window, "catalog-editing.png");
}

TEST_F(CatalogWindowWidget, AHeaderClickSortsTheWholeCatalogByItsColumn)
{
    TCatalogWindow &window = ShowEditing();
    ClickHeader(window.Grid(), 1);
    EXPECT_EQ(Column(window.Grid(), 1), QStringList({"9.1", "9.6", "15.2", "29.5"}));
    EXPECT_EQ(Catalog.Get(0).Name.str(), "ТК-9,1");
    ClickHeader(window.Grid(), 4);
    EXPECT_EQ(Column(window.Grid(), 4), QStringList({"6250", "8250", "8250", "20000"}));
    ClickHeader(window.Grid(), 0);
    EXPECT_EQ(Column(window.Grid(), 0),
              QStringList({"АС120/19", "АС50/8", "СИП-2 3х50", "ТК-9,1"}));
    EXPECT_EQ(Catalog.Changes(), 0);
}

TEST_F(CatalogWindowWidget, AnEmptyCatalogOffersOnlyWhatNeedsNoEntry)
{
    Catalog.Clear();
    TCatalogWindow &window = ShowEditing();
    EXPECT_EQ(window.Grid().model()->rowCount(), 1);
    EXPECT_EQ(Cell(window.Grid(), 0, 0), "");
    EXPECT_TRUE(window.Button("Create")->isEnabled());
    EXPECT_FALSE(window.Button("Edit")->isEnabled());
    EXPECT_FALSE(window.Button("Delete")->isEnabled());
    EXPECT_TRUE(window.Button("Export")->isEnabled());
    EXPECT_TRUE(window.Button("Import")->isEnabled());
    const auto menu = window.ContextMenu().actions();
    ASSERT_EQ(menu.size(), 3);
    EXPECT_TRUE(menu[0]->isEnabled());
    EXPECT_FALSE(menu[1]->isEnabled());
    EXPECT_FALSE(menu[2]->isEnabled());
    // The Delete key asks nothing: the scripted port would fail on a question.
    window.Grid().setFocus();
    QTest::keyClick(&window.Grid(), Qt::Key_Delete);
    EXPECT_TRUE(App.Log.empty());

    OnNextModal<TCatalogWindow>([](TCatalogWindow &w) {
        EXPECT_FALSE(w.Button("Select")->isEnabled());
        EXPECT_TRUE(w.Button("Cancel")->isEnabled());
    });
    EXPECT_FALSE(ExecCatalogSelection(Window, Port, &Owner));
}

TEST_F(CatalogWindowWidget, TheModulusIsShownAndEnteredInKiloNewtonsInThatUnitSystem)
{
    UseUnitSystem(TUnitSystem::KN);
    TCatalogWindow &window = ShowEditing();
    EXPECT_EQ(window.Grid().model()->headerData(4, Qt::Horizontal).toString(),
              "Modulus\nof elasticity,\nkN/mm^2");
    EXPECT_EQ(Cell(window.Grid(), 0, 4), "82.5");
    EXPECT_EQ(Cell(window.Grid(), 1, 4), "200");

    OnNextModal<TWireEntryDialog>([](TWireEntryDialog &d) {
        QLineEdit &modulus = d.NumberField(TWireEntryDialog::Modulus);
        EXPECT_EQ(modulus.text(), "82.5");
        auto *unit
            = qobject_cast<QLabel *>(d.findChild<QGridLayout *>()->itemAtPosition(5, 2)->widget());
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->text(), "kN/mm²");
        Retype(modulus, "80");
        QTest::keyClick(&d, Qt::Key_Return);
    });
    ClickRow(window.Grid(), 0, true);
    EXPECT_EQ(Catalog.Get(0).Modulus, 8000);
    EXPECT_EQ(Cell(window.Grid(), 0, 4), "80");
    Shot(window, "catalog-editing-kN.png");
}

TEST_F(CatalogWindowWidget, DeleteKeyAndContextMenuDeleteTheSelectedEntryAfterTheQuestion)
{
    TCatalogWindow &window = ShowEditing();
    ClickRow(window.Grid(), 1);
    App.Answers = {false, true};
    window.ContextMenu().actions()[2]->trigger();
    EXPECT_EQ(Catalog.Count(), 4);
    QTest::keyClick(&window.Grid(), Qt::Key_Delete);
    ASSERT_EQ(Catalog.Count(), 3);
    EXPECT_EQ(Catalog.IndexOfName("ТК-9,1"), -1);
    EXPECT_EQ(App.Log.back(), "ask: Are you sure you would like to delete this wire?");
    EXPECT_EQ(window.Grid().currentIndex().row(), 1);
    EXPECT_EQ(Catalog.Changes(), 1);
}

TEST_F(CatalogWindowWidget, TheEditingWindowIsOneWindowShownAgainAndKeepsEditingAfterAChoice)
{
    TCatalogWindow &first = ShowEditing();
    first.close();
    EXPECT_FALSE(first.isVisible());
    TCatalogWindow &again = ShowEditing();
    EXPECT_EQ(&again, &first);

    // The section editor's choice runs on the same state while this window stays open.
    OnNextModal<TCatalogWindow>([](TCatalogWindow &w) { Click(w.Button("Cancel")); });
    (void)ExecCatalogSelection(Window, Port, &Owner);
    EXPECT_EQ(Window.Mode(), TCatalogMode::Editing);
    OnNextModal<TWireEntryDialog>([](TWireEntryDialog &d) {
        EXPECT_EQ(d.NameField().text(), "ТК-9,1");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    ClickRow(again.Grid(), 1, true);
    EXPECT_EQ(App.Log, std::vector<std::string> {"wire entry"});
}

// The grid makes texts only for the rows on screen and sizes its columns by a sample: a
// catalog far beyond any real one still opens and sorts without a wait.
TEST_F(CatalogWindowWidget, ALargeCatalogOpensAndSortsAtOnce)
{
    for (int i = 0; i < 20000; ++i)
        Catalog.Add(
            MakeWire(("W" + std::to_string(i)).c_str(), 30 - i * 1e-3, 100, 0.5, 8000, 2e-5));
    QElapsedTimer clock;
    clock.start();
    TCatalogWindow &window = ShowEditing();
    EXPECT_LT(clock.restart(), 2000);
    ClickHeader(window.Grid(), 1);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(Column(window.Grid(), 1).mid(0, 3), QStringList({"9.1", "9.6", "10.001"}));
}
