// The main window driven through the application's user port, as the desktop program drives
// it: every prompt, dialog and message is scripted and checked.
#include "app/main_window.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/settings.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/projectfile/project_file.h"
#include "scripted_app.h"
#include "test_support.h"
#include "test_wires.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

using namespace vartesk;
using test::TScratchDir;
using test::TScriptedApp;

namespace {

// A project of `sections` sections, each with the given numbers of supports.
void BuildLine(TProject &project, std::initializer_list<int> supports, const char *wire)
{
    int n = 0;
    for (const int count : supports) {
        auto p = std::make_unique<TParcel>();
        p->Name = "Section " + std::to_string(project.Parcels.Count() + 1);
        p->Provod = wire;
        p->Napr_max = 13;
        p->Napr_srg = 9;
        for (int i = 0; i < count; ++i) {
            auto s = std::make_unique<TPillar>();
            s->Nomer = std::to_string(++n);
            s->Tip_Opor
                = i == 0 || i == count - 1 ? TSupportType::Strain : TSupportType::Intermediate;
            s->Prolet = i == count - 1 ? 0 : 200 + i;
            s->Visir = i == 1;
            p->Pillars.Add(std::move(s));
        }
        project.Parcels.Add(std::move(p));
    }
}

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The recent-projects list lives in the settings file: each test has its own.
        setenv("XDG_CONFIG_HOME", (Dir.Path() / "config").c_str(), 1);
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        Catalog.Add(test::WireAC120());
        Catalog.SetFileName(Dir.Path() / "catalog.dat");
        Window.Start();
    }

    // Writes a project file of that line and opens it.
    std::filesystem::path OpenLine(std::initializer_list<int> supports,
                                   const char *wire = "АС120/19")
    {
        TProject project;
        BuildLine(project, supports, wire);
        const auto path = Dir.Path() / "line.vsk";
        SaveProjectFile(path, project);
        EXPECT_TRUE(Window.OpenProjectFile(path));
        return path;
    }

    std::vector<std::string> Numbers() const
    {
        std::vector<std::string> out;
        for (const auto &p : Window.Project.Parcels.Get(Window.ParcelIndex).Pillars)
            out.push_back(p->Nomer.str());
        return out;
    }

    TScratchDir Dir;
    TScriptedApp User;
    TAppPort Port = User.App();
    TWiresList Catalog;
    TFormMain Window {Port, Catalog};
};

} // namespace

TEST_F(MainWindow, StartAndQuitAsksOnlyTheQuitQuestion)
{
    EXPECT_FALSE(Window.IsModified());
    EXPECT_EQ(Window.CurrentPage, TPage::Climate);
    User.Answers = {false, true};
    EXPECT_FALSE(Window.ActExit()); // No keeps the window
    EXPECT_TRUE(Window.ActExit());
    EXPECT_EQ(User.Log,
              (std::vector<std::string> {"ask: Are you sure you would like to quit the program?",
                                         "ask: Are you sure you would like to quit the program?"}));
}

TEST_F(MainWindow, TheSavePromptGuardsEveryCommandThatDropsTheProject)
{
    // A climate value typed on the page counts as a change.
    Window.ClimatePage.Tols = 20;
    // OK on the prompt for an unnamed project opens the save dialog; cancelling it cancels
    // New, and the change is still there.
    User.SavePrompts = {true};
    User.Targets = {std::nullopt};
    Window.ActProjectNew();
    EXPECT_EQ(Window.Project.Klimat.Tols, 20);
    EXPECT_TRUE(Window.IsModified());

    // Cancel on the prompt (do not save) goes on, as the person chose.
    User.SavePrompts = {false};
    Window.ActProjectNew();
    EXPECT_EQ(Window.Project.Klimat.Tols, 5);
    EXPECT_FALSE(Window.IsModified());

    // OK and a name: saved, then New.
    Window.ClimatePage.Tols = 15;
    User.SavePrompts = {true};
    User.Targets = {Dir.Path() / "saved.vsk"};
    Window.ActProjectNew();
    EXPECT_TRUE(std::filesystem::exists(Dir.Path() / "saved.vsk"));
    EXPECT_EQ(Window.Project.Klimat.Tols, 5);
    EXPECT_TRUE(Window.FileName.empty());

    // Quitting with a change: the prompt, then the question.
    Window.ClimatePage.Tols = 25;
    User.SavePrompts = {false};
    User.Answers = {true};
    EXPECT_TRUE(Window.ActExit());
}

TEST_F(MainWindow, SaveAfterNewAsksForANameAndAFailedSaveKeepsTheFileAndTheChanges)
{
    const auto path = OpenLine({3});
    const std::string before = test::ReadAll(path);
    User.SavePrompts = {};
    Window.ActProjectNew();
    EXPECT_TRUE(Window.FileName.empty());
    EXPECT_TRUE(Window.ProjectName.empty());
    EXPECT_EQ(Window.WindowTitle().rfind("Untitled - Vartesk - ", 0), 0u);
    User.Targets = {std::nullopt};
    EXPECT_FALSE(Window.ActProjectSave()); // asked, cancelled
    EXPECT_EQ(User.SaveRequests.back().Title, "Сохранение проекта - Ostrel");
    EXPECT_EQ(test::ReadAll(path), before);

    // A save that cannot write says why, keeps the old file and the project modified.
    EXPECT_TRUE(Window.OpenProjectFile(path));
    Window.ClimatePage.Tols = 30;
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(Window.ActProjectSave());
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    EXPECT_TRUE(Window.IsModified());
    EXPECT_EQ(Window.WindowTitle().rfind("line.vsk* - Vartesk - ", 0), 0u);
    EXPECT_EQ(test::ReadAll(path), before);
    ASSERT_FALSE(User.Told.empty());
    EXPECT_NE(User.Told.back().find("read-only"), std::string::npos) << User.Told.back();

    EXPECT_TRUE(Window.ActProjectSave());
    EXPECT_FALSE(Window.IsModified());
    EXPECT_EQ(User.Told.back(), "File is successfully saved.");
    EXPECT_EQ(Window.ProjectName, "Project: line");
    EXPECT_EQ(Window.WindowTitle().rfind("line.vsk - Vartesk - ", 0), 0u);
}

TEST_F(MainWindow, HelpShowsTheUserGuideInsideTheProgram)
{
    User.Log.clear();
    Window.Run(TCommand::Help);
    EXPECT_EQ(User.Log, std::vector<std::string> {"guide"});
    EXPECT_EQ(User.Guide.rfind("# Vartesk", 0), 0u);
}

TEST_F(MainWindow, OpenShowsTheFirstSectionAndAFailedOpenKeepsWhatWasCurrent)
{
    const auto path = OpenLine({4, 3});
    EXPECT_EQ(Window.ParcelIndex, 0);
    EXPECT_EQ(Window.SectionRows, (std::vector<std::string> {"Section 1", "Section 2"}));
    ASSERT_EQ(Window.SupportRows.size(), 4u);
    EXPECT_EQ(Window.SupportRows[1],
              (TSupportGridRow {"2", "201 m", "V", "Intermediate", "", "", "", "", ""}));
    EXPECT_EQ(Window.SupportRows[3],
              (TSupportGridRow {"4", "0 m", "", "Strain", "", "", "", "", ""}));
    EXPECT_EQ(Window.ProjectName, "Project: line");

    // A file that stops part-way: the message names the line, nothing else changes.
    std::string bytes = test::ReadAll(path);
    const auto broken = Dir.Path() / "broken.vsk";
    test::WriteAll(broken, bytes.substr(0, bytes.size() / 2) + "\r\nnot a number\r\n");
    User.Opens = {broken};
    Window.ActProjectOpen();
    EXPECT_EQ(User.OpenRequests.back().Title, "Открытие проекта - VarteskDamp");
    EXPECT_EQ(User.OpenRequests.back().DefaultExtension, "vsk");
    ASSERT_FALSE(User.Told.empty());
    EXPECT_NE(User.Told.back().find(", line "), std::string::npos) << User.Told.back();
    EXPECT_EQ(Window.FileName, path);
    EXPECT_EQ(Window.Project.Parcels.Count(), 2);
    EXPECT_FALSE(Window.IsModified());
}

TEST_F(MainWindow, SectionCommandsKeepTheRightSectionCurrent)
{
    OpenLine({2, 2, 2, 2, 2});
    Window.SelectParcel(2);
    // Insert before section 3 of 5: a copy without name and supports, current at index 2.
    User.SectionEditor = {[&](TFormParcel &e) {
        EXPECT_EQ(e.Name, "");
        e.Name = "Inserted";
        return e.Accept(User);
    }};
    Window.ActParcelInsert();
    EXPECT_EQ(Window.Project.Parcels.Count(), 6);
    EXPECT_EQ(Window.ParcelIndex, 2);
    EXPECT_EQ(Window.SectionRows[2], "Inserted");
    EXPECT_EQ(Window.Project.Parcels.Get(2).Provod, "АС120/19");
    EXPECT_EQ(Window.SupportRows.size(), 1u); // one empty row
    EXPECT_EQ(Window.SupportRows[0], TSupportGridRow {});
    EXPECT_FALSE(Window.IsEnabled(TCommand::PillarEdit));
    EXPECT_TRUE(Window.IsEnabled(TCommand::PillarCreate));

    // Cancel discards; an editor that refuses stays open until the person cancels.
    User.SectionEditor = {[&](TFormParcel &e) {
        e.Name = "";
        EXPECT_FALSE(e.Accept(User));
        return false;
    }};
    Window.ActParcelCreate();
    EXPECT_EQ(Window.Project.Parcels.Count(), 6);
    EXPECT_EQ(User.Told.back(), "Выберите марку провода (кабеля)");

    // Add appends and makes the new one current.
    User.SectionEditor = {[&](TFormParcel &e) {
        e.Name = "Last";
        e.Provod = "АС120/19";
        return e.Accept(User);
    }};
    Window.ActParcelCreate();
    EXPECT_EQ(Window.ParcelIndex, 6);
    EXPECT_EQ(Window.SectionRows.back(), "Last");
}

TEST_F(MainWindow, DeletingTheOnlySectionLeavesOnlyAddAvailable)
{
    OpenLine({3});
    User.Answers = {false, true};
    Window.ActParcelDelete(); // No
    EXPECT_EQ(Window.Project.Parcels.Count(), 1);
    Window.ActParcelDelete();
    EXPECT_EQ(Window.Project.Parcels.Count(), 0);
    EXPECT_TRUE(Window.SectionRows.empty());
    EXPECT_EQ(Window.SupportRows.size(), 1u);
    EXPECT_TRUE(Window.IsEnabled(TCommand::ParcelCreate));
    for (const TCommand c : {TCommand::ParcelEdit,
                             TCommand::ParcelInsert,
                             TCommand::ParcelDelete,
                             TCommand::PillarCreate,
                             TCommand::PillarEdit,
                             TCommand::PillarCopy,
                             TCommand::PillarInsert,
                             TCommand::PillarDelete})
        EXPECT_FALSE(Window.IsEnabled(c)) << int(c);
    EXPECT_NE(User.Log[0].find("Deleting the sector"), std::string::npos);
}

TEST_F(MainWindow, TheNextNumberFollowsTheDirectionOfTheLastOneEntered)
{
    OpenLine({12});
    EXPECT_EQ(Window.Project.Parcels.Get(0).Pillars.Step, 1);
    std::string proposed;
    User.SupportEditor = {[&](TFormPillar &e) {
                              proposed = e.Nomer;
                              e.Nomer = "11"; // against the proposal
                              return e.Accept(User);
                          },
                          [&](TFormPillar &e) {
                              proposed = e.Nomer;
                              return e.Accept(User);
                          }};
    Window.ActPillarCreate();
    EXPECT_EQ(proposed, "13");
    EXPECT_EQ(Window.Project.Parcels.Get(0).Pillars.Step, -1);
    Window.ActPillarCreate();
    EXPECT_EQ(proposed, "10");
    EXPECT_EQ(Window.PillarIndex, 13);
    EXPECT_EQ(Window.SupportRows.back().Nomer, "10");

    // A support editor that refuses closes with Cancel: nothing is added.
    User.SupportEditor = {[&](TFormPillar &e) {
        e.Prolet = "12,5,0";
        return e.Accept(User);
    }};
    Window.ActPillarCreate();
    EXPECT_EQ(Window.Project.Parcels.Get(0).Pillars.Count(), 14);
}

TEST_F(MainWindow, AnErrorOfACommandIsToldAndTheWindowGoesOnWithTheProjectAsItWas)
{
    OpenLine({3, 2});
    const auto before = Snapshot(Window.Project);
    User.SectionEditor = {[](TFormParcel &e) -> bool {
        e.Name = "half typed";
        throw std::runtime_error("the editor broke");
    }};
    Window.Run(TCommand::ParcelEdit);
    EXPECT_EQ(User.Told,
              (std::vector<std::string> {"The command was stopped by an error:\r\nthe editor "
                                         "broke\r\nThe project is as it was before the command."}));
    EXPECT_TRUE(Window.Project.Equals(*before));
    EXPECT_FALSE(Window.IsModified());
    // The next command works.
    User.Answers = {true};
    Window.Run(TCommand::ParcelDelete);
    EXPECT_EQ(Window.Project.Parcels.Count(), 1);
}

TEST_F(MainWindow, CopyPasteAndDeleteWorkOnTheSelectedRows)
{
    OpenLine({10});
    Window.SelectPillars(3, 1); // rows 2-4, selected bottom up
    Window.ActPillarCopy();
    Window.SelectPillars(5, 5); // row 6
    Window.ActPillarInsert();
    EXPECT_EQ(Numbers(),
              (std::vector<std::string> {
                  "1", "2", "3", "4", "5", "2", "3", "4", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(Window.PillarIndex, 5);
    EXPECT_EQ(Window.PillarClipboard.Count(), 0);

    // The second paste opens the editor with a copy of the current support.
    User.SupportEditor = {[&](TFormPillar &e) {
        EXPECT_EQ(e.Nomer, "2");
        e.Nomer = "2a";
        return e.Accept(User);
    }};
    Window.ActPillarInsert();
    EXPECT_EQ(Numbers()[5], "2a");
    EXPECT_EQ(Numbers()[6], "2");

    // Delete rows 3-5: exactly those three.
    Window.SelectPillars(2, 4);
    User.Answers = {true};
    Window.ActPillarDelete();
    EXPECT_EQ(Numbers(),
              (std::vector<std::string> {"1", "2", "2a", "2", "3", "4", "6", "7", "8", "9", "10"}));

    // Copies are taken at Copy time, and can go into another, empty section.
    Window.SelectPillars(0, 1);
    Window.ActPillarCopy();
    Window.Project.Parcels.Get(0).Pillars.Get(0).Nomer = "changed";
    User.SectionEditor = {[&](TFormParcel &e) {
        e.Name = "Empty";
        e.Provod = "АС120/19";
        return e.Accept(User);
    }};
    Window.ActParcelCreate();
    EXPECT_TRUE(Window.IsEnabled(TCommand::PillarInsert));
    EXPECT_FALSE(Window.IsEnabled(TCommand::PillarEdit));
    Window.ActPillarInsert();
    EXPECT_EQ(Numbers(), (std::vector<std::string> {"1", "2"}));
}

TEST_F(MainWindow, PageCommandsFollowThePageShown)
{
    const auto stringing = {TCommand::Calc1,
                            TCommand::Calc2,
                            TCommand::Calc3,
                            TCommand::CalcLoads,
                            TCommand::Journal,
                            TCommand::Sagging};
    for (const TPage page : {TPage::Climate, TPage::Coefficients, TPage::Sections}) {
        Window.Navigate(page);
        for (const TCommand c : stringing)
            EXPECT_TRUE(Window.IsEnabled(c));
        EXPECT_FALSE(Window.IsEnabled(TCommand::Vibromuffles));
    }
    Window.Navigate(TPage::Dampers);
    for (const TCommand c : stringing)
        EXPECT_FALSE(Window.IsEnabled(c));
    EXPECT_TRUE(Window.IsEnabled(TCommand::Vibromuffles));

    // Leaving a page keeps what was typed on it.
    Window.DamperPage.NumbCat = 4;
    Window.Navigate(TPage::Climate);
    EXPECT_EQ(Window.Project.VMData.NumbCat, 4);
}

TEST_F(MainWindow, UndoAndRedoTakeBackEveryKindOfChange)
{
    OpenLine({4, 4});
    const auto undoBackToSaved = [&](const char *what) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(Window.IsModified());
        EXPECT_TRUE(Window.IsEnabled(TCommand::Undo));
        Window.ActUndo();
        EXPECT_FALSE(Window.IsModified());
    };
    Window.ClimatePage.VMax = 33;
    Window.Navigate(TPage::Sections);
    undoBackToSaved("page value");
    EXPECT_EQ(Window.ClimatePage.VMax, 0); // the page shows the project again

    User.Answers = {true};
    Window.ActParcelDelete();
    undoBackToSaved("section delete");
    EXPECT_EQ(Window.SectionRows.size(), 2u);

    Window.SelectPillars(1, 2);
    User.Answers = {true};
    Window.ActPillarDelete();
    undoBackToSaved("support delete");

    User.SupportEditor = {[&](TFormPillar &e) {
        return e.Accept(User);
    }};
    Window.ActPillarCreate();
    undoBackToSaved("support add");

    User.SupportEditor = {[&](TFormPillar &e) {
        e.Prolet = "150";
        return e.Accept(User);
    }};
    Window.ActPillarEdit();
    undoBackToSaved("support edit");

    User.SectionEditor = {[&](TFormParcel &e) {
        e.Name = "Renamed";
        return e.Accept(User);
    }};
    Window.ActParcelEdit();
    undoBackToSaved("section edit");
    EXPECT_EQ(Window.SectionRows[0], "Section 1");

    // Redo brings the step back; a new change drops the redo steps.
    Window.ActRedo();
    EXPECT_EQ(Window.SectionRows[0], "Renamed");
    EXPECT_TRUE(Window.IsModified());
    Window.ActUndo();
    Window.ClimatePage.Tols = 12;
    Window.TakeScreens(false);
    EXPECT_FALSE(Window.IsEnabled(TCommand::Redo));

    // Open clears the history.
    User.SavePrompts = {false};
    User.Opens = {Window.FileName};
    Window.ActProjectOpen();
    EXPECT_FALSE(Window.IsEnabled(TCommand::Undo));
}

TEST_F(MainWindow, AWorkbookImportLeavesAProjectWithoutAFileName)
{
    OpenLine({3});
    const auto workbook
        = std::filesystem::path(VARTESK_SOURCE_DIR) / "tests/reports/fixtures/lo_import.xls";
    User.Opens = {workbook};
    Window.ActImportFromXLS();
    EXPECT_EQ(User.OpenRequests.back().Title, "Импорт данных из файла XLS");
    EXPECT_TRUE(Window.FileName.empty());
    EXPECT_TRUE(Window.IsModified());
    EXPECT_GT(Window.Project.Parcels.Count(), 0);
    EXPECT_EQ(Window.ParcelIndex, 0);
    // Save asks for a name: the workbook is never the target unless chosen.
    User.Targets = {std::nullopt};
    EXPECT_FALSE(Window.ActProjectSave());
    EXPECT_EQ(User.SaveRequests.size(), 1u);
}

TEST_F(MainWindow, RecentProjectsKeepTheLastEightAndDropTheMissing)
{
    WriteSetting("Units", 1); // the list shares the file with the settings
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 9; ++i) {
        TProject project;
        BuildLine(project, {2}, "АС120/19");
        files.push_back(Dir.Path() / ("p" + std::to_string(i) + ".vsk"));
        SaveProjectFile(files.back(), project);
        ASSERT_TRUE(Window.OpenProjectFile(files.back()));
    }
    ASSERT_EQ(Window.Recent.Items().size(), 8u);
    EXPECT_EQ(Window.Recent.Items().front(), files[8]);
    EXPECT_EQ(Window.Recent.Items().back(), files[1]);

    // Kept between runs.
    TRecentProjects again;
    again.Load();
    EXPECT_EQ(again.Items(), Window.Recent.Items());
    EXPECT_EQ(ReadSetting("Units"), 1);

    std::filesystem::remove(files[5]);
    Window.OpenRecent(3); // files[5]
    EXPECT_EQ(Window.Recent.Items().size(), 7u);
    ASSERT_FALSE(User.Told.empty());
    EXPECT_NE(User.Told.back().find("no longer exists"), std::string::npos);
    Window.OpenRecent(1);
    EXPECT_EQ(Window.FileName, files[7]);
    EXPECT_EQ(Window.Recent.Items().front(), files[7]);
}

TEST_F(MainWindow, RecentProjectsNameEachFileOnceByItsFullPath)
{
    const auto line = OpenLine({2});
    std::filesystem::create_symlink(line, Dir.Path() / "link.vsk");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(Dir.Path());
    // A list with relative spellings, as an earlier run stored it.
    WriteSettingsSection(
        "Recent", {{"File1", "line.vsk"}, {"File2", "./x/../line.vsk"}, {"File3", "gone.vsk"}});
    TRecentProjects recent;
    recent.Load();
    const auto loaded = recent.Items();
    recent.Add("link.vsk"); // the same file as line.vsk
    std::filesystem::current_path(previous);
    using TPaths = std::vector<std::filesystem::path>;
    EXPECT_EQ(loaded, (TPaths {line, Dir.Path() / "gone.vsk"}));
    EXPECT_EQ(recent.Items(), (TPaths {Dir.Path() / "link.vsk", Dir.Path() / "gone.vsk"}));
}

TEST_F(MainWindow, LanguageChangeReappliesTheCaptions)
{
    OpenLine({3});
    EXPECT_EQ(Window.Captions.Commands[size_t(TCommand::CalcLoads)], "Loads");
    EXPECT_EQ(Window.Captions.Hints[size_t(TCommand::CalcLoads)],
              "Calculation of loads from wire, rope, cable anchor support");
    User.Languages = {TLanguage::Russian};
    Window.ActSettingLanguage();
    EXPECT_EQ(Window.Captions.Commands[size_t(TCommand::CalcLoads)], "Нагрузки на опоры");
    EXPECT_EQ(Window.Captions.StatusLine, "   Lorvana - проектирование ВЛ, ВОЛС ВЛ, ВОЛС.");
    EXPECT_EQ(Window.SupportRows[1].Type, "Промежуточная");
    EXPECT_EQ(Window.ProjectName, "Проект: line");
    UseLanguage(TLanguage::English);
}
