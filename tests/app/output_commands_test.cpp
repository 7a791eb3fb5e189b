// Every output command of the main window, step by step: the pages' values, the catalog
// check, the coefficients question, the save dialog, the wait window, the writing and the
// desktop's open; cancelled at each step once, and with a target that cannot be written.
#include "app/main_window.h"
#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/projectfile/project_file.h"
#include "reports/line_scheme.h"
#include "scripted_app.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <stdexcept>

using namespace vartesk;
using test::TScratchDir;
using test::TScriptedApp;

namespace {

struct TOutput
{
    const char *Name;
    void (TFormMain::*Command)();
    TPage Page;
    const char *Extension;
    bool ChecksCatalog;
};

const TOutput kOutputs[] = {
    {"form 1", &TFormMain::ActProjectCalc1, TPage::Sections, ".xls", true},
    {"form 2", &TFormMain::ActProjectCalc2, TPage::Climate, ".xls", true},
    {"form 3", &TFormMain::ActProjectCalc3, TPage::Coefficients, ".xls", true},
    {"loads", &TFormMain::ActProjectCalcLoads, TPage::Sections, ".xls", true},
    {"journal", &TFormMain::ActProjectJournal, TPage::Sections, ".xls", true},
    {"sagging", &TFormMain::ActProjectSagging, TPage::Climate, ".xls", true},
    {"dampers", &TFormMain::ActProjectVibromuffles, TPage::Dampers, ".xls", false},
    {"scheme", &TFormMain::ActCad, TPage::Sections, ".dxf", true},
};

void PrintTo(const TOutput &output, std::ostream *out)
{
    *out << output.Name;
}

// The scripted port with a say in the middle of the writing.
class TWatchedUser : public TScriptedApp
{
public:
    std::function<void()> OnWait; // as the wait window shows
    std::function<void()> OnOpen; // as the desktop gets the file

    void Begin(const std::string &text, int total) override
    {
        TScriptedApp::Begin(text, total);
        if (OnWait)
            OnWait();
    }
    void Open(const std::filesystem::path &path) override
    {
        TScriptedApp::Open(path);
        if (OnOpen)
            OnOpen();
    }
};

class OutputCommands : public ::testing::TestWithParam<TOutput>
{
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", (Dir.Path() / "config").c_str(), 1);
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        (void)Catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
        ASSERT_GE(Catalog.IndexOfName("АС70/11"), 0);
        Window.Start();
        const auto demo = std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk";
        ASSERT_TRUE(Window.OpenProjectFile(demo));
        // Coefficients that lower the loads, so that the question comes.
        Window.Project.KlimatKoef.G_Usl = 0.5;
        Window.ShowProject();
        Window.Navigate(GetParam().Page);
        User.Log.clear();
    }

    bool Logged(const std::string &prefix) const
    {
        return std::any_of(User.Log.begin(), User.Log.end(), [&](const std::string &l) {
            return l.rfind(prefix, 0) == 0;
        });
    }
    void Run() { (Window.*GetParam().Command)(); }
    std::filesystem::path Target() const
    {
        return Dir.Path() / (std::string("out") + GetParam().Extension);
    }

    TScratchDir Dir;
    TWatchedUser User;
    TAppPort Port = User.App();
    TWiresList Catalog;
    TFormMain Window {Port, Catalog};
};

} // namespace

TEST_P(OutputCommands, DoubtfulValuesAreAskedAboutAndTheWindowStaysWhileTheFileIsWritten)
{
    TPillar &support = Window.Project.Parcels.Get(1).Pillars.Get(2);
    support.Prolet = 9000;
    const std::string question
        = "ask: The project holds values that look like slips:\r\n• section 2 \""
        + Window.Project.Parcels.Get(1).Name + "\", support " + support.Nomer.str()
        + ": span 9000 m is longer than 6000 m\r\n\r\nWrite the output all the same?";
    User.Answers = {false};
    Run();
    EXPECT_EQ(User.Log, std::vector<std::string> {question});

    // Going on: a close request that comes while the file is written is refused unasked.
    std::optional<bool> closed;
    User.OnWait = [&] {
        closed = Window.ActExit();
    };
    User.Log.clear();
    User.Answers = {true, true};
    User.Targets = {Target()};
    Run();
    EXPECT_EQ(closed, false);
    EXPECT_EQ(User.Log.front(), question);
    EXPECT_TRUE(Logged("open: " + Target().string())) << ::testing::PrintToString(User.Log);
    EXPECT_EQ(std::count_if(User.Log.begin(),
                            User.Log.end(),
                            [](const std::string &l) { return l.rfind("ask:", 0) == 0; }),
              2);
    EXPECT_FALSE(Window.Writing());
}

TEST_P(OutputCommands, AnErrorInTheMiddleIsToldAndLeavesTheProjectAsItWas)
{
    // The writers set the last span of a section to 0: a change the error must take back.
    TPillarList &supports = Window.Project.Parcels.Get(0).Pillars;
    supports.Get(supports.Count() - 1).Prolet = 100;
    const auto before = Snapshot(Window.Project);
    User.OnOpen = [] {
        throw std::runtime_error("the desktop is gone");
    };
    User.Answers = {true};
    User.Targets = {Target()};
    EXPECT_FALSE(Window.Guard([&] { Run(); }));
    EXPECT_TRUE(Window.Project.Equals(*before));
    EXPECT_EQ(User.Told.back(),
              "The command was stopped by an error:\r\nthe desktop is gone\r\n"
              "The project is as it was before the command.");
    EXPECT_FALSE(Window.Writing());
}

TEST_P(OutputCommands, TheWholeFlowWritesTheFileAndHandsItToTheDesktop)
{
    // A value typed on the climate page goes into the project before the work.
    Window.ClimatePage.Tols = 15;
    User.Answers = {true};
    User.Targets = {Target()};
    Run();
    EXPECT_EQ(Window.Project.Klimat.Tols, 15);
    EXPECT_TRUE(std::filesystem::exists(Target()));
    EXPECT_TRUE(Logged("ask: Reference loads are lower"));
    EXPECT_TRUE(Logged("wait: "));
    EXPECT_TRUE(Logged("end"));
    EXPECT_TRUE(Logged("open: " + Target().string())) << ::testing::PrintToString(User.Log);
}

TEST_P(OutputCommands, EachStepCancelledWritesNothing)
{
    if (GetParam().ChecksCatalog) {
        // A type the catalog lacks ends the command with its error box.
        const TWireRecord cord = Catalog.FindByName("АС70/11");
        Catalog.Delete(Catalog.IndexOfName("АС70/11"));
        Run();
        EXPECT_TRUE(Logged("tell error: The cord АС70/11 is not found."))
            << ::testing::PrintToString(User.Log);
        EXPECT_FALSE(Logged("save:"));
        Catalog.Add(cord);
        User.Log.clear();
    }
    User.Answers = {false}; // the coefficients question
    Run();
    EXPECT_FALSE(Logged("save:"));
    User.Answers = {true};
    User.Targets = {std::nullopt}; // the save dialog
    Run();
    EXPECT_TRUE(Logged("save:"));
    EXPECT_FALSE(Logged("wait:"));
    EXPECT_FALSE(Logged("open:"));
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()) || !std::filesystem::exists(Target()));
}

TEST_P(OutputCommands, ATargetThatCannotBeWrittenIsToldAndNotOpened)
{
    User.Answers = {true};
    User.Targets = {Dir.Path() / "no such folder" / (std::string("out") + GetParam().Extension)};
    Run();
    EXPECT_TRUE(Logged("tell error:")) << ::testing::PrintToString(User.Log);
    EXPECT_FALSE(Logged("open:"));
}

TEST_P(OutputCommands, TheProjectFileIsNeverTheTarget)
{
    const auto project = Dir.Path() / (std::string("p") + GetParam().Extension);
    const std::string bytes = test::ReadAll(Window.FileName);
    test::WriteAll(project, bytes);
    Window.FileName = project;
    User.Answers = {true};
    const auto target = Dir.Path() / "." / project.filename(); // the same file, spelt otherwise
    User.Targets = {target};
    Run();
    EXPECT_TRUE(Logged("tell error: Cannot write " + target.string() + ": it is the project "
                       + project.string()))
        << ::testing::PrintToString(User.Log);
    EXPECT_FALSE(Logged("wait:") || Logged("open:"));
    EXPECT_EQ(test::ReadAll(project), bytes);
}

INSTANTIATE_TEST_SUITE_P(EveryOutput,
                         OutputCommands,
                         ::testing::ValuesIn(kOutputs),
                         [](const auto &test) {
                             std::string name = test.param.Name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(OutputCommandsWithOneSection, AMissingWireOfASingleSectionIsNotReported)
{
    TScratchDir dir;
    setenv("XDG_CONFIG_HOME", (dir.Path() / "config").c_str(), 1);
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    TScriptedApp user;
    TAppPort port = user.App();
    TWiresList catalog; // empty
    TFormMain window(port, catalog);
    window.Start();
    auto p = std::make_unique<TParcel>();
    p->Name = "Only";
    p->Provod = "АС120/19";
    p->Napr_max = 13;
    p->Napr_srg = 9;
    window.Project.Parcels.Add(std::move(p));
    window.ShowProject();
    user.Targets = {std::nullopt};
    window.ActProjectCalc1();
    EXPECT_EQ(user.Log, (std::vector<std::string> {"save: *.xls|*.xls"}));
}

TEST(SchemePreviewCommand, ShowsWhatTheCadOutputDrawsWithoutAFileOrAChange)
{
    TScratchDir dir;
    setenv("XDG_CONFIG_HOME", (dir.Path() / "config").c_str(), 1);
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    TScriptedApp user;
    TAppPort port = user.App();
    TWiresList catalog;
    (void)catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
    TFormMain window(port, catalog);
    window.Start();
    ASSERT_TRUE(window.OpenProjectFile(std::filesystem::path(VARTESK_SOURCE_DIR) / "examples"
                                       / "demo.vsk"));
    user.Log.clear();
    window.Run(TCommand::SchemePreview);
    ASSERT_EQ(user.Schemes.size(), 1u) << ::testing::PrintToString(user.Log);
    TProject copy;
    copy.Assign(window.Project);
    EXPECT_EQ(user.Schemes[0].Entities().size(),
              DrawScheme(copy, catalog, user).Drawing.Entities().size());
    EXPECT_FALSE(window.IsModified());
    EXPECT_FALSE(window.IsEnabled(TCommand::Undo));
    // The curves window is shown for the section selected.
    window.SelectParcel(1);
    window.Run(TCommand::Curves);
    EXPECT_EQ(user.Log.back(), "curves: 2");
}

TEST(ReportAllCommand, WritesEveryOutputIntoTheFolderAndSumsUp)
{
    TScratchDir dir;
    setenv("XDG_CONFIG_HOME", (dir.Path() / "config").c_str(), 1);
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::DaN);
    TScriptedApp user;
    TAppPort port = user.App();
    TWiresList catalog;
    (void)catalog.LoadFromFile(ProgramFolder() / "base_provod.dat");
    TFormMain window(port, catalog);
    window.Start();
    // The project is named like the scheme the command writes: it is left out and kept.
    const auto project = dir.Path() / "demo.dxf";
    const std::string bytes
        = test::ReadAll(std::filesystem::path(VARTESK_SOURCE_DIR) / "examples" / "demo.vsk");
    test::WriteAll(project, bytes);
    ASSERT_TRUE(window.OpenProjectFile(project));
    const std::vector<std::string> files = {"demo-mount1.xls",
                                            "demo-mount2.xls",
                                            "demo-mount3.xls",
                                            "demo-loads.xls",
                                            "demo-journal.xls",
                                            "demo-dampers.xls",
                                            "demo-sagging.xls"};
    const auto out = dir.Path() / "out";
    for (const auto &folder : {out, dir.Path()}) {
        std::filesystem::create_directory(folder);
        user.Log.clear();
        user.Targets = {folder};
        window.Run(TCommand::ReportAll);
        std::string summary = "Folder: " + folder.string() + "\r\n\r\nWritten:";
        for (const auto &file : files) {
            EXPECT_TRUE(std::filesystem::exists(folder / file)) << file;
            summary += "\r\n• " + file;
        }
        const bool clash = folder == dir.Path();
        EXPECT_EQ(test::ReadAll(folder / "demo.dxf") == bytes, clash);
        EXPECT_EQ(user.Log.back(), "open: " + folder.string());
        EXPECT_EQ(user.Log.end()[-2],
                  clash ? "tell warning: " + summary
                          + "\r\n\r\nNot written (the messages "
                            "before say why):\r\n• demo.dxf"
                        : "tell information: " + summary + "\r\n• demo.dxf");
    }
    // The outputs are made from copies: the project itself is as it was.
    EXPECT_FALSE(window.IsModified());

    // Cancelling the folder choice writes nothing.
    std::filesystem::remove_all(out);
    user.Log.clear();
    user.Targets = {std::nullopt};
    window.Run(TCommand::ReportAll);
    EXPECT_EQ(user.Log, std::vector<std::string> {"folder: Folder for all outputs"});
    EXPECT_FALSE(std::filesystem::exists(out));
}
