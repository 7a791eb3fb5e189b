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
#include "scripted_app.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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
    TScriptedApp User;
    TAppPort Port = User.App();
    TWiresList Catalog;
    TFormMain Window {Port, Catalog};
};

} // namespace

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
    window.Project.Parcels.Add(std::move(p));
    window.ShowProject();
    user.Targets = {std::nullopt};
    window.ActProjectCalc1();
    EXPECT_EQ(user.Log, (std::vector<std::string> {"save: *.xls|*.xls"}));
}
