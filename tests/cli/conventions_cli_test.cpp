// Command-line conventions every command shares: version, "--", unknown options, help, --open.
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

TEST(CliConventions, VersionHelpAndUnknownOptionsSayWhatTheyAre)
{
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out.rfind("vartesk ", 0), 0u);
    EXPECT_EQ(std::count(version.Out.begin(), version.Out.end(), '\n'), 1);

    // Not "no command given": the word that was not understood is named.
    const auto bogus = RunCli({"--bogus"});
    EXPECT_EQ(bogus.ExitCode, 2);
    EXPECT_TRUE(Contains(bogus.Err, "unknown option --bogus")) << bogus.Err;

    const auto helpHelp = RunCli({"help", "help"});
    EXPECT_EQ(helpHelp.ExitCode, 0) << helpHelp.Err;
    EXPECT_TRUE(Contains(helpHelp.Out, "Usage: vartesk help")) << helpHelp.Out;
    EXPECT_EQ(RunCli({"help", "frobnicate"}).ExitCode, 2);
}

TEST(CliConventions, DoubleDashEndsTheOptions)
{
    TScratchDir dir;
    // A project whose name looks like an option can still be named after "--".
    const std::string odd = "--lang";
    std::filesystem::copy_file(kDemo, dir / odd);
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const auto r = RunCli({"info", "--", odd});
    const auto before = RunCli({"--", "info", odd});
    std::filesystem::current_path(here);
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(before.ExitCode, 0) << before.Err;
    EXPECT_EQ(r.Out, before.Out);
    EXPECT_TRUE(Contains(r.Out, "Sectors") || Contains(r.Out, "Участки"));
}

TEST(CliConventions, OpenHandsTheWrittenFileToTheDesktop)
{
    TScratchDir dir;
    // A stand-in xdg-open that records what it was asked to open.
    const auto bin = dir / "bin";
    std::filesystem::create_directory(bin);
    WriteAll(bin / "xdg-open",
             "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + (dir / "opened").string() + "\"\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    TRunOptions withStandIn;
    withStandIn.Env = {"PATH=" + bin.string() + ":/usr/bin:/bin"};
    TRunOptions withNone;
    withNone.Env = {"PATH=" + (dir / "none").string()};
    const auto target = (dir / "n.vsk").string();

    auto r = RunCli({"new", target}, withStandIn);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_FALSE(std::filesystem::exists(dir / "opened")); // only when asked

    std::filesystem::remove(target);
    r = RunCli({"--open", "new", target}, withStandIn);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadAll(dir / "opened"), target + "\n");

    // No desktop program: the file is written all the same, and a warning says so.
    std::filesystem::remove(target);
    r = RunCli({"--open", "new", target}, withNone);
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(Contains(r.Err, "warning")) << r.Err;
}
