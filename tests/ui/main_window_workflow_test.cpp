// The desktop program as a designer uses it, through its real widgets on the offscreen
// platform: a section with a wire from the catalog, ten supports by the number proposal, an
// edit, copy and paste, undo, save, reopen, every output, the language and the units.
#include "app/main_window.h"
#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/settings.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "modal_driver.h"
#include "test_support.h"
#include "ui/catalog_window_widget.h"
#include "ui/main_window_widget.h"
#include "ui/number_field.h"
#include "ui/section_editor_dialog.h"
#include "ui/settings_dialogs.h"
#include "ui/support_editor_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace vartesk;
using namespace vartesk::ui;
using test::OnNextModal;
using test::TScratchDir;

namespace {

// Stands in for the desktop's program: records what would have been opened.
class TOpenedFiles : public QObject
{
    Q_OBJECT

public:
    QStringList Files;

public slots:
    void Open(const QUrl &url) { Files << url.toLocalFile(); }
};

void PressOk(QDialog &dialog)
{
    auto *box = dialog.findChild<QDialogButtonBox *>();
    ASSERT_NE(box, nullptr);
    box->button(QDialogButtonBox::Ok)->click();
}

// Answers the next file dialog with a path in its name field. (Typed key by key, a whole path
// opens the field's completer, which takes the Enter.)
void AnswerFileDialog(const std::filesystem::path &path)
{
    OnNextModal<QFileDialog>([path](QFileDialog &dialog) {
        auto *name = dialog.findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(path.string()));
        QTest::keyClick(name, Qt::Key_Return);
    });
}

void AnswerMessage(QMessageBox::StandardButton button, QString *text = nullptr)
{
    OnNextModal<QMessageBox>([button, text](QMessageBox &box) {
        if (text)
            *text = box.text();
        box.button(button)->click();
    });
}

class DesktopWorkflow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", (Dir.Path() / "config").c_str(), 1);
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        (void)Catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
        QDesktopServices::setUrlHandler("file", &Opened, "Open");
        Window = std::make_unique<TMainWindowWidget>(Catalog);
        Window->State().Start();
        Window->show();
        Window->Refresh();
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler("file");
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
    }

    TFormMain &Form() { return Window->State(); }
    std::vector<std::string> Numbers()
    {
        std::vector<std::string> out;
        for (const auto &row : Form().SupportRows)
            out.push_back(row.Nomer);
        return out;
    }
    void SelectRows(int first, int last)
    {
        QTableView *grid = Window->SupportsGrid();
        grid->clearSelection();
        grid->setCurrentIndex(grid->model()->index(first, 0));
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(first, 0), grid->model()->index(last, 3)),
            QItemSelectionModel::ClearAndSelect);
        grid->selectionModel()->setCurrentIndex(grid->model()->index(last, 0),
                                                QItemSelectionModel::NoUpdate);
    }
    void Screenshot(QWidget &widget, const char *name)
    {
        const auto folder = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
        std::filesystem::create_directories(folder);
        QApplication::processEvents(); // the layouts settle after a refresh
        widget.grab().save(QString::fromStdString((folder / name).string()));
    }

    TScratchDir Dir;
    TWiresList Catalog;
    TOpenedFiles Opened;
    std::unique_ptr<TMainWindowWidget> Window;
};

} // namespace

TEST_F(DesktopWorkflow, ALineIsEnteredEditedSavedReopenedAndWrittenOut)
{
    // A section with its wire chosen from the catalog.
    OnNextModal<TSectionEditorDialog>([&](TSectionEditorDialog &editor) {
        QTest::keyClicks(editor.findChild<QLineEdit *>("Edit_Name"), "Line A");
        OnNextModal<TCatalogWindow>([](TCatalogWindow &catalog) {
            QTableView &grid = catalog.Grid();
            for (int row = 0; row < grid.model()->rowCount(); ++row)
                if (grid.model()->index(row, 0).data().toString() == "АС120/19")
                    grid.setCurrentIndex(grid.model()->index(row, 0));
            catalog.Button("Select")->click();
        });
        editor.findChild<QPushButton *>("ProvodCatalog")->click();
        editor.findChild<QDoubleSpinBox *>("seNapr_max")->setValue(13);
        editor.findChild<QDoubleSpinBox *>("seNapr_srg")->setValue(9);
        // The cord's type typed rather than chosen.
        editor.findChild<QCheckBox *>("IsTros")->click();
        QTest::keyClicks(editor.findChild<QLineEdit *>("Tros"), "OPGW-2C1/30");
        editor.findChild<QDoubleSpinBox *>("seNaprt_max")->setValue(30);
        editor.findChild<QDoubleSpinBox *>("seNaprt_srg")->setValue(18);
        Screenshot(editor, "section-editor-filled.png");
        PressOk(editor);
    });
    Window->Execute(TCommand::ParcelCreate);
    ASSERT_EQ(Form().Project.Parcels.Count(), 1);
    EXPECT_EQ(Form().Project.Parcels.Get(0).Provod, "АС120/19");
    EXPECT_EQ(Form().Project.Parcels.Get(0).Tros, "OPGW-2C1/30");
    EXPECT_EQ(Window->SectionsGrid()->item(0)->text(), "Line A");

    // Ten supports from the keyboard: the number is proposed, the span typed, Enter.
    for (int i = 0; i < 10; ++i) {
        OnNextModal<TSupportEditorDialog>([i](TSupportEditorDialog &editor) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
            QWidget *focus = QApplication::focusWidget();
            if (i == 0)
                QTest::keyClicks(focus, "1"); // the proposal "0" is selected: typing replaces it
            QTest::keyClick(focus, Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), "2" + QString::number(10 + i));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        Window->Execute(TCommand::PillarCreate);
    }
    EXPECT_EQ(Numbers(),
              (std::vector<std::string> {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(Form().Project.Parcels.Get(0).Pillars.Get(9).Prolet, 219);

    // Edit the third support.
    SelectRows(2, 2);
    OnNextModal<TSupportEditorDialog>([](TSupportEditorDialog &editor) {
        auto *span = editor.findChild<QLineEdit *>("Prolet");
        span->selectAll();
        QTest::keyClicks(span, "250.5");
        PressOk(editor);
    });
    Window->Execute(TCommand::PillarEdit);
    EXPECT_EQ(Form().SupportRows[2].Span, "250.5 m");

    // Copy rows 2-4 and paste them before row 6; then undo the paste.
    SelectRows(1, 3);
    Window->Execute(TCommand::PillarCopy);
    SelectRows(5, 5);
    Window->Execute(TCommand::PillarInsert);
    EXPECT_EQ(Form().SupportRows.size(), 13u);
    EXPECT_EQ(Numbers()[5], "2");
    // The copies themselves, not their rows' text on the desktop's clipboard.
    EXPECT_EQ(Form().PillarClipboard.Count(), 0);
    Window->Execute(TCommand::Undo);
    EXPECT_EQ(Form().SupportRows.size(), 10u);

    // Save, start anew, reopen.
    const auto file = Dir.Path() / "line-a.vsk";
    AnswerFileDialog(file);
    QString told;
    AnswerMessage(QMessageBox::Ok, &told);
    Window->Execute(TCommand::ProjectSave);
    EXPECT_EQ(told, "File is successfully saved.");
    ASSERT_TRUE(std::filesystem::exists(file));
    Window->Execute(TCommand::ProjectNew);
    EXPECT_EQ(Form().Project.Parcels.Count(), 0);
    AnswerFileDialog(file);
    Window->Execute(TCommand::ProjectOpen);
    ASSERT_EQ(Form().Project.Parcels.Count(), 1);
    EXPECT_EQ(Form().SupportRows.size(), 10u);
    EXPECT_EQ(Form().SupportRows[2].Span, "250.5 m");

    // Every output into the scratch folder, each handed to the desktop.
    struct TOutput
    {
        TCommand Command;
        const char *File;
    };
    for (const TOutput &o : {TOutput {TCommand::Calc1, "form1.xls"},
                             TOutput {TCommand::Calc2, "form2.xls"},
                             TOutput {TCommand::Calc3, "form3.xls"},
                             TOutput {TCommand::CalcLoads, "loads.xls"},
                             TOutput {TCommand::Journal, "journal.xls"},
                             TOutput {TCommand::Sagging, "sagging.xls"},
                             TOutput {TCommand::Cad, "scheme.dxf"}}) {
        SCOPED_TRACE(o.File);
        AnswerFileDialog(Dir.Path() / o.File);
        Window->Execute(o.Command);
        EXPECT_TRUE(std::filesystem::exists(Dir.Path() / o.File));
        ASSERT_FALSE(Opened.Files.isEmpty());
        EXPECT_TRUE(Opened.Files.back().endsWith(o.File));
    }
}

TEST_F(DesktopWorkflow, LanguageAndUnitsShowAtOnce)
{
    const auto demo = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";
    ASSERT_TRUE(Form().OpenProjectFile(demo));
    Form().Navigate(TPage::Sections);
    Window->Refresh();
    Screenshot(*Window, "main-window.png");

    OnNextModal<TLanguageDialog>([](TLanguageDialog &dialog) {
        dialog.Option(TLanguage::Russian).click();
        PressOk(dialog);
    });
    Window->Execute(TCommand::Language);
    EXPECT_EQ(CurrentLanguage(), TLanguage::Russian);
    // Qt's own buttons follow.
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
              "Отмена");
    EXPECT_EQ(Window->Action(TCommand::CalcLoads)->text(), "Нагрузки на опоры");
    EXPECT_EQ(Window->NavigationList()->item(0)->text(), "Климатические условия");
    Screenshot(*Window, "main-window-ru.png");

    // kN and N/mm2: the section editor shows 90 for a stress of 9 daN/mm2.
    OnNextModal<TUnitsDialog>([](TUnitsDialog &dialog) {
        dialog.Option(TUnitSystem::KN).click();
        PressOk(dialog);
    });
    Window->Execute(TCommand::Units);
    EXPECT_EQ(UnitSystem(), TUnitSystem::KN);
    double shown = 0;
    OnNextModal<TSectionEditorDialog>([&](TSectionEditorDialog &editor) {
        shown = editor.findChild<QDoubleSpinBox *>("seNapr_srg")->value();
        editor.reject();
    });
    Window->Execute(TCommand::ParcelEdit);
    EXPECT_EQ(shown, 90);
    EXPECT_FALSE(Form().IsModified());

    for (TPage page : {TPage::Climate, TPage::Coefficients, TPage::Dampers}) {
        Form().Navigate(page);
        Window->Refresh();
        Screenshot(*Window, ("main-window-page" + std::to_string(int(page)) + ".png").c_str());
    }
}

TEST_F(DesktopWorkflow, TheWindowKeepsItsPlaceSizeAndPageBetweenRunsWithinTheScreen)
{
    Form().Navigate(TPage::Coefficients);
    Window->Refresh();
    // Within the offscreen platform's screen (800 wide), which the window's least width fills.
    Window->resize(700, 500);
    Window->move(0, 60);
    QApplication::processEvents();
    const QSize size = Window->size();
    const QPoint at = Window->pos();
    QString question;
    AnswerMessage(QMessageBox::No, &question); // the quit question: No keeps the window
    EXPECT_FALSE(Window->close());
    EXPECT_EQ(question, "Are you sure you would like to quit the program?");
    AnswerMessage(QMessageBox::Yes);
    EXPECT_TRUE(Window->close());

    // Run after run: a window that came back a little lower each time would creep down.
    for (int run = 0; run < 2; ++run) {
        TMainWindowWidget again(Catalog);
        again.State().Start();
        again.RestoreWindowState();
        again.show();
        QApplication::processEvents();
        EXPECT_EQ(again.State().CurrentPage, TPage::Coefficients);
        EXPECT_EQ(again.size(), size) << run;
        EXPECT_EQ(again.pos(), at) << run;
        again.StoreWindowState();
    }

    // A size no screen has, from a hand-edited file, is fitted to the screen.
    WriteSettingsSection("Window", {{"X", "-5000"}, {"Width", "100000"}, {"Height", "30000"}});
    TMainWindowWidget huge(Catalog);
    huge.State().Start();
    huge.RestoreWindowState();
    const QRect area = huge.screen()->availableGeometry();
    EXPECT_EQ(huge.size(), area.size());
}

TEST_F(DesktopWorkflow, TheSupportsGridTakesALineFromTheKeyboardAndFromASpreadsheet)
{
    Form().Project.Parcels.Add(std::make_unique<TParcel>());
    Form().ShowProject();
    Form().Navigate(TPage::Sections);
    Window->Refresh();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTableView *grid = Window->SupportsGrid();
    const auto cell = [grid](int row, int column) {
        return grid->model()->index(row, column);
    };
    grid->setFocus();
    grid->setCurrentIndex(cell(0, 0));
    const auto type = [](const char *keys) {
        for (const char *c = keys; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    };
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    // What the grid shows after each step of the undo history.
    std::vector<std::vector<TSupportGridRow>> states {Form().SupportRows};
    const auto stepTaken = [&] {
        states.push_back(Form().SupportRows);
    };

    // Twenty supports without a dialog: the first one's number, Tab, its span with a decimal
    // comma, Enter; then a span and Enter on the new-support row, which numbers them on.
    type("1");
    press(Qt::Key_Tab);
    stepTaken();
    type("245,5");
    press(Qt::Key_Return);
    stepTaken();
    for (int i = 2; i <= 20; ++i) {
        type(std::to_string(200 + i).c_str());
        press(Qt::Key_Return);
        stepTaken();
    }
    ASSERT_EQ(Form().SupportCount(), 20);
    EXPECT_EQ(Numbers()[19], "20");
    EXPECT_EQ(Form().Project.Parcels.Get(0).Pillars.Get(0).Prolet, 245.5);
    EXPECT_EQ(Form().SupportRows[19].Span, "220 m");
    EXPECT_EQ(grid->currentIndex(), cell(20, 1));

    // A text the cell refuses keeps its editor open, with the reason beside it.
    press(Qt::Key_Up);
    press(Qt::Key_Right);
    type("y");
    press(Qt::Key_Return);
    QLabel *hint = FieldHint(Window.get());
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(hint->text().startsWith("Type V for an attested span"))
        << hint->text().toStdString();
    EXPECT_NE(qobject_cast<QLineEdit *>(QApplication::focusWidget()), nullptr);
    press(Qt::Key_Escape);
    EXPECT_EQ(states.back(), Form().SupportRows);

    // F2 goes on from the end of the text; Enter takes it and moves down.
    press(Qt::Key_Left);
    press(Qt::Key_F2);
    type("5");
    press(Qt::Key_Return);
    stepTaken();
    EXPECT_EQ(Form().SupportRows[19].Span, "2205 m");
    EXPECT_EQ(grid->currentIndex(), cell(20, 1));

    // A command takes the text being typed first.
    grid->setCurrentIndex(cell(0, int(TSupportColumn::Crossing)));
    type("7");
    Window->Execute(TCommand::PillarCopy);
    stepTaken();
    EXPECT_EQ(Form().SupportRows[0].Crossing, "7");
    // So does another widget taking the focus, before it acts.
    grid->setCurrentIndex(cell(1, int(TSupportColumn::Crossing)));
    type("8");
    Window->SectionsGrid()->setFocus(Qt::MouseFocusReason);
    stepTaken();
    EXPECT_EQ(Form().SupportRows[1].Crossing, "8");
    grid->setFocus();
    grid->setCurrentIndex(cell(20, 0));

    // Ten rows copied from a spreadsheet, pasted on the new-support row.
    QString rows;
    for (int i = 21; i <= 30; ++i)
        rows += QStringLiteral("%1\t%2,5\t\tIntermediate\r\n").arg(i).arg(300 + i);
    QGuiApplication::clipboard()->setText(rows);
    press(Qt::Key_V, Qt::ControlModifier);
    stepTaken();
    ASSERT_EQ(Form().SupportCount(), 30);
    EXPECT_EQ(Numbers()[29], "30");
    EXPECT_EQ(Form().SupportRows[29].Span, "330.5 m");
    EXPECT_EQ(Form().SupportRows[29].Type, "Intermediate");

    // Insert makes a support here: a copy of the current one, its number ready to retype.
    grid->setCurrentIndex(cell(5, 3));
    press(Qt::Key_Insert);
    stepTaken();
    ASSERT_EQ(Form().SupportCount(), 31);
    EXPECT_EQ(Numbers()[5], "6");
    EXPECT_EQ(Numbers()[6], "6");
    EXPECT_EQ(grid->currentIndex(), cell(5, 0));
    Screenshot(*Window, "main-window-grid.png");

    // Undo of each, newest first.
    for (size_t step = states.size() - 1; step > 0; --step) {
        ASSERT_TRUE(Window->Action(TCommand::Undo)->isEnabled()) << step;
        press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Form().SupportRows, states[step - 1]) << step;
    }
    EXPECT_FALSE(Window->Action(TCommand::Undo)->isEnabled());
    EXPECT_EQ(Form().SupportCount(), 0);
}

#include "main_window_workflow_test.moc"

TEST_F(DesktopWorkflow, MenusAndToolBarsShowTheCommandTable)
{
    std::set<TCommand> shown;
    for (const TMenuRow &menu : MenuTable()) {
        std::vector<TCommand> expected;
        for (const TCommandRow &row : CommandTable())
            if (row.Menu == menu.Menu)
                expected.push_back(row.Id);
        QMenu *bar = nullptr;
        for (QAction *top : Window->menuBar()->actions())
            if (top->text() == QString::fromStdString(Form().Captions.Menus[size_t(menu.Menu)]))
                bar = top->menu();
        ASSERT_NE(bar, nullptr) << int(menu.Menu);
        std::vector<TCommand> listed;
        for (QAction *action : bar->actions())
            for (int i = 0; i < kCommandCount; ++i)
                if (action == Window->Action(TCommand(i)))
                    listed.push_back(TCommand(i));
        EXPECT_EQ(listed, expected) << bar->title().toStdString();
        shown.insert(listed.begin(), listed.end());
    }
    EXPECT_EQ(shown.size(), size_t(kCommandCount)) << "a command no menu shows";
    std::set<QString> keys;
    for (const TCommandRow &row : CommandTable()) {
        if (*row.Shortcut) {
            EXPECT_TRUE(keys.insert(QString::fromLatin1(row.Shortcut)).second) << row.Shortcut;
        }
    }

    // The recent projects are listed as the submenu opens.
    const auto demo = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";
    EXPECT_FALSE(Window->Action(TCommand::RecentProjects)->isEnabled());
    ASSERT_TRUE(Form().OpenProjectFile(demo));
    Window->Refresh();
    QMenu *recent = Window->Action(TCommand::RecentProjects)->menu();
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(Window->Action(TCommand::RecentProjects)->isEnabled());
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith("demo.vsk"));

    // Captions are applied when the language changes, not on every refresh.
    Window->Action(TCommand::Cad)->setText("mark");
    Window->Refresh();
    EXPECT_EQ(Window->Action(TCommand::Cad)->text(), "mark");
    UseLanguage(TLanguage::Russian);
    Form().ApplyLanguage();
    Window->Refresh();
    EXPECT_EQ(Window->Action(TCommand::Cad)->text(), "Поопорная схема ВЛ, ВОЛС ВЛ в CAD");
}
