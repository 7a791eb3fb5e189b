// vartesk import: a project from a workbook of supports or from a climate file, into a base
// project or a fresh one, and every way the command ends.
#include "cli_support.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk::test;
namespace fs = std::filesystem;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";
const fs::path kStartingBook = fs::path(VARTESK_CLI).parent_path() / "Forms/Import_supports.xls";

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

std::unique_ptr<vartesk::TProject> Load(const fs::path &path)
{
    auto project = std::make_unique<vartesk::TProject>();
    vartesk::LoadProjectFile(path, *project);
    return project;
}

std::string Kbh(const char *tgsw)
{
    std::string text = "version 3.4\r\nKembrin\r\n";
    text += std::string(tgsw) + "\r\n-10\r\n-\r\n-45\r\n38\r\n2.5\r\n16\r\n32\r\n15\r\n";
    for (int i = 0; i < 6; ++i)
        text += "-\r\n";
    text += "1.1\r\n1\r\n1.2\r\n1\r\n1.3\r\n1.4\r\n0.9\r\n12;20\r\n3\r\n";
    return text;
}

} // namespace

TEST(ImportCli, SupportsFromAWorkbookIntoAFreshProjectOrIntoABase)
{
    TScratchDir dir;
    const std::string out = (dir / "new.vsk").string();
    auto r = RunCli({"import", "xls", kStartingBook.string(), "-o", out});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, out + ": 1 section, 5 supports\n");
    EXPECT_EQ(r.Err, "");
    const auto fresh = Load(out);
    ASSERT_EQ(fresh->Parcels.Count(), 1);
    EXPECT_EQ(fresh->Parcels.Get(0).Name, "Участок 1");
    EXPECT_EQ(fresh->Parcels.Get(0).Pillars.Get(2).Prolet, 245.5);
    vartesk::TProject defaults;
    EXPECT_TRUE(fresh->Klimat.Equals(defaults.Klimat));

    // Into the demo: its climate, coefficients and damper inputs stay, its sections go.
    const std::string into = (dir / "into.vsk").string();
    r = RunCli({"import", "xls", kStartingBook.string(), "--into", kDemo, "-o", into});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    const auto demo = Load(kDemo);
    const auto merged = Load(into);
    EXPECT_TRUE(merged->Klimat.Equals(demo->Klimat));
    EXPECT_TRUE(merged->KlimatKoef.Equals(demo->KlimatKoef));
    EXPECT_TRUE(merged->VMData.Equals(demo->VMData));
    EXPECT_EQ(merged->Parcels.Count(), 1);

    // An existing OUT is replaced only with --force.
    r = RunCli({"import", "xls", kStartingBook.string(), "--into", kDemo, "-o", out});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "already exists; use --force")) << r.Err;
    EXPECT_TRUE(Load(out)->Klimat.Equals(defaults.Klimat));
    r = RunCli({"import", "xls", kStartingBook.string(), "--into", kDemo, "-o", out, "--force"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(Load(out)->Klimat.Equals(demo->Klimat));
}

TEST(ImportCli, AWorkbookThatGivesNoSectionWritesNothing)
{
    TScratchDir dir;
    const std::string out = (dir / "p.vsk").string();
    // Not a workbook at all: the desktop's message with the full path, then nothing written.
    auto r = RunCli({"--lang", "en", "import", "xls", kDemo, "-o", out});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "Check for the presence of the files " + kDemo + ".")) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "nothing was written")) << r.Err;
    EXPECT_FALSE(fs::exists(out));
    // A workbook without the marker.
    r = RunCli({"--lang",
                "en",
                "import",
                "xls",
                (fs::path(VARTESK_CLI).parent_path() / "Forms/Journal_en.xls").string(),
                "-o",
                out});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "No sheet carries the marker")) << r.Err;
    EXPECT_FALSE(fs::exists(out));
}

TEST(ImportCli, TheClimateOfAKbhFileIntoAProject)
{
    TScratchDir dir;
    WriteAll(dir / "c.kbh", Kbh("-5,5"));
    const std::string out = (dir / "k.vsk").string();
    auto r = RunCli({"import", "kbh", (dir / "c.kbh").string(), "--into", kDemo, "-o", out});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    const auto demo = Load(kDemo);
    const auto took = Load(out);
    EXPECT_EQ(took->Klimat.TGsw, -5.5);
    EXPECT_EQ(took->KlimatKoef.visotaPC_tros, 20);
    EXPECT_TRUE(took->Parcels.Equals(demo->Parcels));

    // A value that is not a number: the file and its line, and nothing written.
    WriteAll(dir / "bad.kbh", Kbh("-5;5"));
    const std::string bad = (dir / "bad.vsk").string();
    r = RunCli({"import", "kbh", (dir / "bad.kbh").string(), "-o", bad});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(
        r.Err, (dir / "bad.kbh").string() + ":3: '-5;5' is not a valid floating point value"))
        << r.Err;
    EXPECT_FALSE(fs::exists(bad));
}

TEST(ImportCli, MistakesInTheCommandLineAreUsageErrors)
{
    EXPECT_EQ(RunCli({"import", "csv", "a.csv", "-o", "b.vsk"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"import", "xls", "a.xls"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"import", "xls", "-o", "b.vsk"}).ExitCode, 2);
}
