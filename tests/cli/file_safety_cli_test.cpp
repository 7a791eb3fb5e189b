// The commands keep users' files and report what they could not do: links, special files,
// read-only targets, existing projects, lost output, unstorable settings.
#include "cli_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <tuple>

using namespace vartesk::test;
namespace fs = std::filesystem;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// A climate file that imports.
std::string Kbh()
{
    std::string text
        = "version 3.4\r\nKembrin\r\n-5\r\n-10\r\n-\r\n-45\r\n38\r\n2.5\r\n16\r\n32\r\n15\r\n";
    for (int i = 0; i < 6; ++i)
        text += "-\r\n";
    return text + "1.1\r\n1\r\n1.2\r\n1\r\n1.3\r\n1.4\r\n0.9\r\n12;20\r\n3\r\n";
}

} // namespace

TEST(FileSafetyCli, ResaveWritesThroughALinkAndRefusesSpecialAndReadOnlyTargets)
{
    TScratchDir dir;
    WriteAll(dir / "real.vsk", "old");
    fs::create_symlink("real.vsk", dir / "l.vsk");
    auto r = RunCli({"resave", kDemo, (dir / "l.vsk").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadAll(dir / "real.vsk"), ReadAll(kDemo));
    EXPECT_TRUE(fs::is_symlink(dir / "l.vsk"));

    ASSERT_EQ(::mkfifo((dir / "d").c_str(), 0644), 0);
    r = RunCli({"resave", kDemo, (dir / "d").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, "is not a regular file")) << r.Err;
    EXPECT_TRUE(fs::is_fifo(dir / "d"));

    WriteAll(dir / "ro.vsk", "kept");
    ::chmod((dir / "ro.vsk").c_str(), 0444);
    r = RunCli({"resave", kDemo, (dir / "ro.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.ends_with("is read-only\n")) << r.Err;
    EXPECT_EQ(ReadAll(dir / "ro.vsk"), "kept");

    const auto longName = dir / (std::string(251, 'x') + ".vsk");
    r = RunCli({"resave", kDemo, longName.string()});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadAll(longName), ReadAll(kDemo));
}

TEST(FileSafetyCli, NewRefusesAnExistingProjectUnlessForced)
{
    TScratchDir dir;
    const auto target = dir / "p.vsk";
    WriteAll(target, "my project");
    auto r = RunCli({"new", target.string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err,
              "vartesk: " + target.string() + " already exists; use --force to replace it\n");
    EXPECT_EQ(ReadAll(target), "my project");

    r = RunCli({"new", "--force", target.string()});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadAll(target).rfind("version 3.4\r\n", 0), 0u);
    EXPECT_TRUE(Contains(RunCli({"help", "new"}).Out, "--force"));
}

TEST(FileSafetyCli, AFifoGivenAsAProjectEndsWithAMessage)
{
    TScratchDir dir;
    ASSERT_EQ(::mkfifo((dir / "p.vsk").c_str(), 0644), 0);
    TRunOptions options;
    options.Deadline = 20;
    const auto r = RunCli({"info", (dir / "p.vsk").string()}, options);
    EXPECT_EQ(r.ExitCode, 1); // 142: still waiting on the FIFO when the deadline came
    EXPECT_TRUE(Contains(r.Err, "p.vsk\". It is not a regular file")) << r.Err;
}

TEST(FileSafetyCli, OutputThatCannotBeWrittenFailsTheCommand)
{
    for (const std::vector<std::string> &args : {std::vector<std::string> {"calc", kDemo},
                                                 {"info", kDemo},
                                                 {"--help"},
                                                 {"help", "calc"},
                                                 {"settings"}}) {
        TRunOptions options;
        options.Stdout = "/dev/full";
        const auto r = RunCli(args, options);
        EXPECT_EQ(r.ExitCode, 1) << args.front();
        // Only the demo's warnings about its river crossing come before.
        const std::string cannot = "vartesk: cannot write the output: No space left on device\n";
        EXPECT_TRUE(r.Err.ends_with(cannot)) << args.front() << ": " << r.Err;
        const std::string before
            = r.Err.substr(0, r.Err.size() - std::min(r.Err.size(), cannot.size()));
        EXPECT_EQ(before.find("vartesk: cannot"), std::string::npos) << r.Err;
    }
}

TEST(FileSafetyCli, SettingsThatCannotBeStoredSayNothingWasStored)
{
    TScratchDir home;
    const char *saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved ? saved : "";
    const std::string demoWarnings = RunCli({"info", kDemo}).Err;
    ::setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    fs::create_directories(home / "Morvik/Lorvana/settings.ini");

    auto r = RunCli({"settings", "--set-lang", "en"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.ends_with("; nothing was stored\n")) << r.Err;
    EXPECT_TRUE(Contains(r.Err, "settings.ini")) << r.Err;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);
    // The start-up write-back stays silent: every other command still runs.
    r = RunCli({"info", kDemo});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Err, demoWarnings);
    EXPECT_TRUE(fs::is_directory(home / "Morvik/Lorvana/settings.ini"));
    ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
}

TEST(FileSafetyCli, AnOutputNeverReplacesWhatItIsMadeFrom)
{
    TScratchDir dir;
    const auto at = [&](const char *name) {
        return (dir / name).string();
    };
    const fs::path bin = fs::path(VARTESK_CLI).parent_path();
    fs::create_directory(dir / "forms");
    fs::copy_file(bin / "Forms/FormMount_en.xls", dir / "forms/FormMount_en.xls");
    fs::copy_file(bin / "base_provod.dat", dir / "wires.dat");
    fs::copy_file(bin / "Forms/Import_supports.xls", dir / "b.xls");
    WriteAll(dir / "c.kbh", Kbh());
    WriteAll(dir / "p.vsk", ReadAll(kDemo));
    WriteAll(dir / "p.dxf", ReadAll(kDemo)); // `report all` writes a scheme of that name
    fs::create_symlink("p.vsk", dir / "link.xls");
    // Each command with the input it must leave as it was; --force changes nothing.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"report", "mount1", at("p.vsk"), "-o", at("p.vsk")}, "p.vsk: it is the project"},
        {{"report", "loads", at("p.vsk"), "-o", at("link.xls")}, "link.xls: it is the project"},
        {{"dxf", at("p.vsk"), "-o", at("p.vsk")}, "p.vsk: it is the project"},
        {{"report", "all", at("p.dxf"), "-o", at("")}, "p.dxf: it is the project"},
        {{"report",
          "mount1",
          at("p.vsk"),
          "-o",
          at("forms/FormMount_en.xls"),
          "--forms",
          at("forms")},
         "FormMount_en.xls: it is the template"},
        {{"--catalog", at("wires.dat"), "report", "mount2", at("p.vsk"), "-o", at("wires.dat")},
         "wires.dat: it is the wire catalog"},
        {{"import", "kbh", at("c.kbh"), "-o", at("c.kbh"), "--force"}, "c.kbh: it is the file"},
        {{"import", "xls", at("b.xls"), "-o", at("b.xls"), "--force"}, "b.xls: it is the file"},
    };
    std::vector<std::string> inputs
        = {"p.vsk", "p.dxf", "forms/FormMount_en.xls", "wires.dat", "b.xls", "c.kbh"};
    std::vector<std::string> before;
    for (const auto &name : inputs)
        before.push_back(ReadAll(dir / name));
    for (const auto &[args, told] : cases) {
        std::vector<std::string> line = {"--lang", "en"};
        line.insert(line.end(), args.begin(), args.end());
        const auto r = RunCli(line);
        EXPECT_EQ(r.ExitCode, 1) << told;
        // The target as given, then the input it is.
        EXPECT_TRUE(Contains(r.Err, "vartesk: error: Cannot write ")) << r.Err;
        EXPECT_TRUE(Contains(r.Err, told)) << r.Err;
    }
    for (size_t k = 0; k < inputs.size(); ++k)
        EXPECT_TRUE(ReadAll(dir / inputs[k]) == before[k]) << inputs[k] << " was replaced";
}

TEST(FileSafetyCli, MessagesSayWhatReallyWentWrong)
{
    TScratchDir dir;
    const auto at = [&](const char *name) {
        return (dir / name).string();
    };
    WriteAll(dir / "c.kbh", Kbh());
    fs::create_directory(dir / "folder.xls");
    ASSERT_EQ(::mkfifo((dir / "fifo.xls").c_str(), 0644), 0);
    const fs::path forms = fs::path(VARTESK_CLI).parent_path() / "Forms";
    WriteAll(dir / "short.xls", ReadAll(forms / "Import_supports.xls").substr(0, 1000));
    fs::create_directories(dir / "forms/FormLoads_en.xls");
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"report", "mount1", kDemo, "-o", at("a.xls"), "-o", at("b.xls")},
         2,
         "vartesk: option -o is given twice\n"},
        {{"dxf", kDemo, "-o", at("a.dxf"), "--yes", "--yes"}, 2, "option --yes is given twice"},
        // A device is no file to replace, --force or not.
        {{"import", "kbh", at("c.kbh"), "-o", "/dev/full"},
         1,
         "vartesk: Cannot write /dev/full: It is not a regular file\n"},
        {{"import", "xls", at("folder.xls"), "-o", at("p.vsk")}, 1, "Is a directory"},
        {{"import", "xls", at("fifo.xls"), "-o", at("p.vsk")}, 1, "It is not a regular file"},
        {{"import", "xls", at("short.xls"), "-o", at("p.vsk")}, 1, "compound file: "},
        {{"report", "loads", kDemo, "-o", at("l.xls"), "--forms", at("forms")},
         1,
         "vartesk: error: Cannot read the template " + at("forms/FormLoads_en.xls")
             + ": Is a directory\n"},
    };
    for (const auto &[args, exitCode, told] : cases) {
        std::vector<std::string> line = {"--lang", "en"};
        line.insert(line.end(), args.begin(), args.end());
        TRunOptions options;
        options.Deadline = 20;
        const auto r = RunCli(line, options);
        EXPECT_EQ(r.ExitCode, exitCode) << told;
        EXPECT_TRUE(Contains(r.Err, told)) << r.Err;
        EXPECT_FALSE(Contains(r.Err, "probably it is already opened")) << r.Err;
        EXPECT_FALSE(Contains(r.Err, "already exists")) << r.Err;
    }
    EXPECT_FALSE(fs::exists(dir / "l.xls") || fs::exists(dir / "p.vsk"));
}
