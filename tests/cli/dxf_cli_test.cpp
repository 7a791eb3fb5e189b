// vartesk dxf: the scheme from the command line, the file it writes and every way it ends.
#include "cli_support.h"
#include "dxf_listing.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk::test;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";
const std::filesystem::path kGolden
    = std::filesystem::path(VARTESK_SOURCE_DIR) / "tests/reports/golden";

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// The demo with one text of it replaced.
std::filesystem::path
DemoWith(const TScratchDir &dir, const std::string &from, const std::string &to)
{
    std::string project = ReadAll(kDemo);
    const size_t at = project.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        project.replace(at, from.size(), to);
    WriteAll(dir / "changed.vsk", project);
    return dir / "changed.vsk";
}

} // namespace

TEST(DxfCli, DemoSchemeIsTheGoldenOneInEachLanguageAndUnitSystem)
{
    TScratchDir dir;
    for (const std::string lang : {"en", "ru"})
        for (const std::string units : {"daN", "kN"}) {
            const std::string name = "scheme_demo_" + lang + "_" + units + ".dxf";
            const std::string out = (dir / name).string();
            const auto r = RunCli({"--lang", lang, "--units", units, "dxf", kDemo, "-o", out});
            EXPECT_EQ(r.ExitCode, 0) << r.Err;
            EXPECT_EQ(r.Out, out + "\n");
            EXPECT_EQ(r.Err, "");
            EXPECT_TRUE(ReadAll(out) == ReadAll(kGolden / name)) << name;
        }
    const std::filesystem::path one = dir / "scheme_demo_en_daN.dxf";
    ExpectEzdxfListing(one, DxfListing(ReadAll(one)));
}

TEST(DxfCli, WrittenUnderTheNameGivenWithDxfOnlyWhenItHasNoExtension)
{
    TScratchDir dir;
    WriteAll(dir / "line.dxf", "another drawing");
    auto r = RunCli({"dxf", kDemo, "-o", (dir / "line.v2.dxf").string()});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, (dir / "line.v2.dxf").string() + "\n");
    EXPECT_EQ(ReadAll(dir / "line.dxf"), "another drawing");
    r = RunCli({"dxf", kDemo, "-o", (dir / "plan").string()});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, (dir / "plan.dxf").string() + "\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "plan.dxf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "plan"));
}

TEST(DxfCli, LowCoefficientsNeedYes)
{
    TScratchDir dir;
    const auto project = DemoWith(dir,
                                  "\r\n1\r\n1\r\n1.1\r\n1\r\n1\r\n1.3\r\n0.9\r\n",
                                  "\r\n0.5\r\n1\r\n1.1\r\n1\r\n1\r\n1.3\r\n0.9\r\n");
    const std::string out = (dir / "low.dxf").string();
    auto r = RunCli({"--lang", "en", "dxf", project.string(), "-o", out});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "Reference loads are lower than standard loads")) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "answered No")) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(out));
    r = RunCli({"--lang", "en", "dxf", project.string(), "-o", out, "--yes"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST(DxfCli, StoppedDrawingSaysWhereKeepsTheFileAndExitsOne)
{
    TScratchDir dir;
    // The span of support 3 of the first section, far beyond what a cube can hold.
    const auto project = DemoWith(dir, " 2.45000000000000E+0002", " 1.00000000000000E+0200");
    const std::string out = (dir / "stopped.dxf").string();
    const auto r = RunCli({"--lang", "en", "dxf", project.string(), "-o", out});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Out, out + "\n");
    EXPECT_TRUE(Contains(r.Err,
                         "vartesk: warning: The drawing stopped at the section \"ПС Северная - "
                         "оп. 14\", strain section 2-6: Error data entry; the file holds what "
                         "was drawn until then."))
        << r.Err;
    ExpectEzdxfListing(out, DxfListing(ReadAll(out)));
}

TEST(DxfCli, MistakesAndFailuresEndWithoutAFile)
{
    TScratchDir dir;
    auto r = RunCli({"dxf", kDemo});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_TRUE(Contains(r.Err, "dxf needs -o OUT.dxf")) << r.Err;
    r = RunCli({"dxf", "-o", (dir / "x.dxf").string()});
    EXPECT_EQ(r.ExitCode, 2);
    r = RunCli({"dxf", (dir / "missing.vsk").string(), "-o", (dir / "x.dxf").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.dxf"));
    // A folder that does not exist: the reason, and nothing printed on stdout.
    r = RunCli({"dxf", kDemo, "-o", (dir / "none" / "x.dxf").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(Contains(r.Err, "vartesk: error: ")) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "nothing was written")) << r.Err;
}
