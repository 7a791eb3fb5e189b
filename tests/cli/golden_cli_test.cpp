// Every printed output of the tool, checked against golden files: a changed word or digit
// shows in review as a diff of these files (UPDATE_GOLDEN=1 rewrites them).
#include "cli_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace vartesk::test;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";
const std::filesystem::path kGolden = std::filesystem::path(VARTESK_TEST_DATA) / "golden";

struct TCase
{
    std::string Name; // golden file name without extension
    std::string Extension;
    std::vector<std::string> Args;
};

// The demo project through info and every calc format, in both languages and unit systems.
std::vector<TCase> DemoCases()
{
    std::vector<TCase> cases;
    for (const std::string lang : {"en", "ru"})
        for (const std::string units : {"daN", "kN"}) {
            const std::string suffix = "_" + lang + "_" + units;
            const std::vector<std::string> global = {"--lang", lang, "--units", units};
            auto with = [&](std::vector<std::string> args) {
                args.insert(args.begin(), global.begin(), global.end());
                return args;
            };
            cases.push_back({"info" + suffix, ".txt", with({"info", kDemo})});
            cases.push_back({"calc" + suffix, ".txt", with({"calc", kDemo})});
            cases.push_back({"calc" + suffix, ".csv", with({"calc", kDemo, "--format", "csv"})});
            cases.push_back({"calc" + suffix, ".json", with({"calc", kDemo, "--format", "json"})});
        }
    return cases;
}

// The command names as the overview lists them: a new command cannot go without a golden.
std::vector<std::string> ListedCommands(const std::string &overview)
{
    std::vector<std::string> names;
    std::istringstream in(overview);
    std::string line;
    bool inList = false;
    while (std::getline(in, line)) {
        if (line == "Commands:") {
            inList = true;
            continue;
        }
        if (inList && line.empty())
            break;
        if (inList && line.rfind("  ", 0) == 0 && line.size() > 2 && line[2] != ' ')
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return names;
}

} // namespace

TEST(GoldenCli, DemoProjectInEveryFormatLanguageAndUnitSystem)
{
    for (const TCase &c : DemoCases()) {
        SCOPED_TRACE(c.Name + c.Extension);
        const auto r = RunCli(c.Args);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        ExpectGolden(kGolden / (c.Name + c.Extension), r.Out);
        // Messages and warnings are output too; the formats share them, so one file a run.
        if (c.Extension == ".txt")
            ExpectGolden(kGolden / (c.Name + ".stderr.txt"), r.Err);
    }
}

TEST(GoldenCli, HelpOfEveryCommand)
{
    const auto overview = RunCli({"--help"});
    ASSERT_EQ(overview.ExitCode, 0);
    ExpectGolden(kGolden / "help.txt", overview.Out);
    const auto names = ListedCommands(overview.Out);
    ASSERT_GE(names.size(), 7u) << overview.Out;
    for (const std::string &name : names) {
        SCOPED_TRACE(name);
        const auto r = RunCli({"help", name});
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Out, RunCli({name, "--help"}).Out);
        ExpectGolden(kGolden / ("help_" + name + ".txt"), r.Out);
    }
    ExpectGolden(kGolden / "help_help.txt", RunCli({"help", "help"}).Out);
}
