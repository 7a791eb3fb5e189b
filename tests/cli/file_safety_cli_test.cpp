// The commands keep users' files and report what they could not do: links, special files,
// read-only targets, existing projects, lost output, unstorable settings.
#include "cli_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>

using namespace vartesk::test;
namespace fs = std::filesystem;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
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
