// vartesk report: the four workbooks from the command line, and every way the command ends.
#include "cli_support.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_sections.h"
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

TEST(ReportCli, EachReportIsWrittenAndItsPathPrinted)
{
    TScratchDir dir;
    for (const char *kind : {"mount1", "mount2", "mount3", "loads"}) {
        const std::string out = (dir / (std::string(kind) + ".xls")).string();
        const auto r = RunCli({"--lang", "en", "report", kind, kDemo, "-o", out});
        EXPECT_EQ(r.ExitCode, 0) << kind << ": " << r.Err;
        EXPECT_EQ(r.Out, out + "\n");
        EXPECT_GT(std::filesystem::file_size(out), 4096u) << kind;
    }
}

TEST(ReportCli, QuestionsMissingTemplatesAndMistakesEndWithoutAFile)
{
    TScratchDir dir;
    const std::string out = (dir / "r.xls").string();

    // Coefficients that lower the loads: the question is printed and answered No...
    std::string project = ReadAll(kDemo);
    const std::string coefficients = "\r\n1\r\n1\r\n1.1\r\n1\r\n1\r\n1.3\r\n0.9\r\n";
    ASSERT_TRUE(Contains(project, coefficients));
    project.replace(project.find(coefficients),
                    coefficients.size(),
                    "\r\n0.5\r\n1\r\n1.1\r\n1\r\n1\r\n1.3\r\n0.9\r\n");
    WriteAll(dir / "low.vsk", project);
    auto r = RunCli({"--lang", "en", "report", "loads", (dir / "low.vsk").string(), "-o", out});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "Reference loads are lower than standard loads")) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(out));
    // ...unless --yes answers it.
    r = RunCli({"--lang", "en", "report", "loads", (dir / "low.vsk").string(), "-o", out, "--yes"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(std::filesystem::exists(out));
    std::filesystem::remove(out);

    // A folder without the template: its name, then the data-entry error; no file.
    std::filesystem::create_directory(dir / "forms");
    r = RunCli({"--lang",
                "en",
                "--units",
                "kN",
                "report",
                "mount3",
                kDemo,
                "-o",
                out,
                "--forms",
                (dir / "forms").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "Check for the presence of the files")) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "FormMount2N_en.xls.")) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "Error data entry")) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(out));

    // A target folder that does not exist: the write names the file and why.
    r = RunCli(
        {"--lang", "en", "report", "mount1", kDemo, "-o", (dir / "none" / "r.xls").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err,
                         "vartesk: error: Cannot write " + (dir / "none" / "r.xls").string()
                             + ": Its folder does not exist\n"))
        << r.Err;

    EXPECT_EQ(RunCli({"report", "mount4", kDemo, "-o", out}).ExitCode, 2);
    EXPECT_EQ(RunCli({"report", "mount1", kDemo}).ExitCode, 2);
}

TEST(ReportCli, TheJournalIsWrittenAndTheProjectFileIsNeverRewritten)
{
    TScratchDir dir;
    // The demo with a last support whose span is not 0: the journal sets it to 0 as it fills.
    vartesk::TProject project;
    vartesk::LoadProjectFile(kDemo, project);
    vartesk::TParcel &first = project.Parcels.Get(0);
    first.Pillars.Get(first.Pillars.Count() - 1).Prolet = 80;
    vartesk::SaveProjectFile(dir / "p.vsk", project);
    const std::string bytes = ReadAll(dir / "p.vsk");
    const auto before = std::filesystem::last_write_time(dir / "p.vsk");
    const std::string out = (dir / "j.xls").string();
    for (const char *lang : {"en", "ru"}) {
        const auto r = RunCli({"--lang",
                               lang,
                               "--units",
                               "kN",
                               "report",
                               "journal",
                               (dir / "p.vsk").string(),
                               "-o",
                               out});
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Out, out + "\n");
        EXPECT_GT(std::filesystem::file_size(out), 4096u);
    }
    EXPECT_EQ(ReadAll(dir / "p.vsk"), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(dir / "p.vsk"), before);
    const auto r = RunCli({"report", "jornal", kDemo, "-o", out});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_TRUE(Contains(r.Err, "mount1, mount2, mount3, loads, journal, dampers, sagging or all"))
        << r.Err;
}

TEST(ReportCli, AllWritesEveryOutputIntoOneFolderAndListsWhatFailed)
{
    TScratchDir dir;
    const std::string folder = (dir / "out").string();
    auto r = RunCli({"report", "all", kDemo, "-o", folder});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    for (const char *name : {"demo-mount1.xls",
                             "demo-mount2.xls",
                             "demo-mount3.xls",
                             "demo-loads.xls",
                             "demo-journal.xls",
                             "demo.dxf"}) {
        EXPECT_TRUE(std::filesystem::exists(dir / "out" / name)) << name;
        EXPECT_TRUE(Contains(r.Out, name)) << r.Out;
    }
    // Each output starts from the project as loaded: the same bytes as the single commands.
    const auto single = RunCli({"report", "mount3", kDemo, "-o", (dir / "m3.xls").string()});
    ASSERT_EQ(single.ExitCode, 0);
    EXPECT_EQ(ReadAll(dir / "m3.xls"), ReadAll(dir / "out" / "demo-mount3.xls"));

    // Without templates the workbooks fail; the scheme is written all the same, and the
    // failures are named at the end.
    std::filesystem::create_directory(dir / "noforms");
    const std::string other = (dir / "other").string();
    r = RunCli({"report", "all", kDemo, "-o", other, "--forms", (dir / "noforms").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "other" / "demo.dxf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "other" / "demo-loads.xls"));
    EXPECT_TRUE(Contains(r.Err, "demo-journal.xls (not written)")) << r.Err;
    EXPECT_EQ(RunCli({"report", "all", kDemo}).ExitCode, 2);
}

TEST(ReportCli, AnIncompleteOutputIsWrittenButExitsOneNamingWhatIsMissing)
{
    TScratchDir dir;
    // One section, so the catalog check lets the unknown wire through; and one whose first
    // strain section the calculation refuses. Neither has the damper calculation on.
    vartesk::TProject missing, zero;
    vartesk::test::AddTestSection(missing, "S", {{0, 200}, {1, 210}, {0, 0}}, false).Provod
        = "Nothing";
    vartesk::test::AddTestSection(zero, "Z", {{0, 0}, {0, 150}, {1, 160}, {0, 0}}, false);
    vartesk::SaveProjectFile(dir / "missing.vsk", missing);
    vartesk::SaveProjectFile(dir / "zero.vsk", zero);
    const std::string notFound = "Section \"S\": the wire of the strain section 1-3 is not "
                                 "calculated: The wire Nothing is not found.";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"report", "mount1", "missing.vsk", "m.xls"}, notFound},
        {{"report", "journal", "missing.vsk", "j.xls"}, notFound},
        {{"dxf", "missing.vsk", "s.dxf"}, notFound},
        {{"report", "mount3", "zero.vsk", "z.xls"},
         "Section \"Z\": the wire of the strain section 1-2 is not calculated: Error data entry"},
        {{"report", "dampers", "zero.vsk", "d.xls"},
         "No section has the damper calculation switched on"},
    };
    for (auto [args, told] : cases) {
        const std::string out = (dir / args.back()).string();
        args.back() = out;
        args.insert(args.end() - 1, "-o");
        args[args.size() - 3] = (dir / args[args.size() - 3]).string();
        args.insert(args.begin(), {"--lang", "en"});
        const auto r = RunCli(args);
        // What could be written is, and its path printed; nothing at all for the dampers.
        const bool written = args[3] != "dampers";
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_EQ(r.Out, written ? out + "\n" : "");
        EXPECT_EQ(std::filesystem::exists(out), written);
        EXPECT_TRUE(Contains(r.Err, "vartesk: warning: " + told)) << r.Err;
    }
}
