// vartesk plot: the curves are the sagging figures, and every way the command refuses.
#include "cli_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk::test;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(PlotCli, TheCurvesPointsAreTheSaggingFiguresOfTheDemo)
{
    TScratchDir dir;
    struct TCase
    {
        const char *Units, *Section, *Conductor, *Kind, *Factor, *Expected;
    };
    const std::string spans
        = "Span 3-4: ok, 17 points\nSpan 7-8: ok, 17 points\nSpan 12-13: ok, 17 points\n";
    const std::string strainSections
        = "Strain section 1-2: ok, 17 points\nStrain section 2-6: ok, 17 points\n"
          "Strain section 6-10: ok, 17 points\nStrain section 10-14: ok, 17 points\n";
    // Section 1's attested spans are those of supports 3, 7 and 12; a curve per strain
    // section for the tension.
    const TCase cases[] = {
        {"daN", "1", "wire", "sag", "1", spans.c_str()},
        {"kN", "1", "wire", "sag", "1", spans.c_str()},
        {"daN", "1", "wire", "tension", "1", strainSections.c_str()},
        {"kN", "1", "wire", "tension", "0.01", strainSections.c_str()},
        {"daN",
         "2",
         "cord",
         "tension",
         "1",
         "Strain section 14-15: ok, 17 points\nStrain section 15-16: ok, 17 points\n"
         "Strain section 16-17: ok, 17 points\n"},
    };
    const auto figures = RunCli({"sagging", kDemo, "--format", "json"});
    ASSERT_EQ(figures.ExitCode, 0) << figures.Err;
    WriteAll(dir / "sagging.json", figures.Out);
    for (const TCase &c : cases) {
        const std::string svg = (dir / (std::string(c.Kind) + c.Units + ".svg")).string();
        const auto r = RunCli({"--lang",
                               "en",
                               "--units",
                               c.Units,
                               "plot",
                               kDemo,
                               "--section",
                               c.Section,
                               "--conductor",
                               c.Conductor,
                               "--kind",
                               c.Kind,
                               "-o",
                               svg});
        ASSERT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Out, svg + "\n");
        std::string checked;
        EXPECT_EQ(RunCommand("/usr/bin/python3 " VARTESK_SOURCE_DIR "/tests/cli/plot_check.py "
                                 + ShellQuoted(svg) + " " + ShellQuoted(dir / "sagging.json") + " "
                                 + c.Section + " " + c.Conductor + " " + c.Kind + " " + c.Factor,
                             checked),
                  0);
        EXPECT_EQ(checked, c.Expected) << c.Units << " " << c.Kind;
    }
}

TEST(PlotCli, MistakesEndWithTheirMessageAndNoFile)
{
    TScratchDir dir;
    const std::string out = (dir / "p.svg").string();
    struct TCase
    {
        std::vector<std::string> Args;
        int Exit;
        const char *Message;
    };
    const TCase cases[] = {
        {{"--section", "9", "-o", out},
         1,
         "there is no section 9: the project has sections 1 to 3"},
        {{"--section", "0", "-o", out}, 2, "--section must be a section number from 1 on, not '0'"},
        {{"--section", "1x", "-o", out}, 2, "--section must be a section number from 1 on"},
        {{"-o", out}, 2, "plot needs --section N"},
        {{"--section", "1"}, 2, "plot needs -o OUT.svg or -o OUT.png"},
        {{"--section", "1", "--kind", "stress", "-o", out},
         2,
         "--kind must be sag or tension, not 'stress'"},
        {{"--section", "1", "--conductor", "both", "-o", out},
         2,
         "--conductor must be wire or cord, not 'both'"},
        {{"--section", "1", "-o", (dir / "p.pdf").string()}, 2, "plot writes OUT.svg or OUT.png"},
        {{"--section", "1", "-o", kDemo}, 2, "plot writes OUT.svg or OUT.png"},
    };
    for (const TCase &c : cases) {
        std::vector<std::string> args {"--lang", "en", "plot", kDemo};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const auto r = RunCli(args);
        EXPECT_EQ(r.ExitCode, c.Exit) << c.Message;
        EXPECT_TRUE(Contains(r.Err, c.Message)) << r.Err;
        EXPECT_EQ(r.Out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    // A project named like a plot is a project still.
    const std::filesystem::path project = dir / "line.svg";
    std::filesystem::copy_file(kDemo, project);
    const auto r = RunCli(
        {"--lang", "en", "plot", project.string(), "--section", "1", "-o", project.string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "it is the project")) << r.Err;
    EXPECT_EQ(ReadAll(project), ReadAll(kDemo));
}

#ifdef VARTESK_CLI_PNG
TEST(PlotCli, PngIsAnImageOfTwiceTheScenesPixels)
{
    TScratchDir dir;
    const std::string out = (dir / "cord.PNG").string();
    const auto r = RunCli(
        {"plot", kDemo, "--section", "2", "--conductor", "cord", "--kind", "tension", "-o", out});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const std::string png = ReadAll(out);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // IHDR: width and height, big-endian.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x07\x80\0\0\x04\xb0", 8));
}
#endif
