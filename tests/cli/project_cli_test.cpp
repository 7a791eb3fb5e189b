// The project commands of vartesk: new, info, resave, settings, exit codes.
#include "cli_support.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vartesk::test;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";

std::string FreshProjectBytes()
{
    std::string s = "version 3.4\r\n0\r\n";
    for (const char *c : {" 5.00000000000000E+0000",
                          "-5.00000000000000E+0000",
                          " 0.00000000000000E+0000",
                          " 4.00000000000000E+0001",
                          "-5.50000000000000E+0001",
                          " 0.00000000000000E+0000",
                          " 0.00000000000000E+0000",
                          " 0.00000000000000E+0000"})
        s += std::string(c) + "\r\n";
    return s + "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n15;15\r\n1\r\n";
}

} // namespace

TEST(ProjectCli, NewWritesExactlyTheFreshProject)
{
    TScratchDir dir;
    const auto r = RunCli({"new", (dir / "x.vsk").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadAll(dir / "x.vsk"), FreshProjectBytes());
}

TEST(ProjectCli, ResaveWritesTheCurrentLayoutOfAnOlderFile)
{
    TScratchDir dir;
    std::string older = "1\r\n";
    for (int i = 0; i < 8; ++i)
        older += "0\r\n";
    older += "Old\r\n0\r\n-1\r\nAC\r\n8\r\n4\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    older += "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n";
    WriteAll(dir / "old.vsk", older);
    const auto r = RunCli({"resave", (dir / "old.vsk").string(), (dir / "new.vsk").string()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const std::string bytes = ReadAll(dir / "new.vsk");
    EXPECT_EQ(bytes.rfind("version 3.4\r\n1\r\n", 0), 0u);
    EXPECT_NE(bytes.find("\r\n8;0\r\n4;0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n15;15\r\n1\r\n"), std::string::npos);
}

TEST(ProjectCli, FailuresEndWithOneLineAndExitOne)
{
    TScratchDir dir;
    WriteAll(dir / "bad.vsk", "version 3.4\r\nmany\r\n");
    auto r = RunCli({"info", (dir / "bad.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err,
              "vartesk: " + (dir / "bad.vsk").string()
                  + ":2: 'many' is not a valid integer value\n");
    r = RunCli({"info", (dir / "none.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("File not found"), std::string::npos);

    WriteAll(dir / "binary.vsk",
             std::string("\x7f"
                         "ELF\x00\x01\x02\xff\r\r\n",
                         10));
    r = RunCli({"resave", (dir / "binary.vsk").string(), (dir / "out.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.vsk"));
}

TEST(ProjectCli, UnicodeFilesAreNamedAndRejectedTextsQuotedShort)
{
    TScratchDir dir;
    const std::string bom = (dir / "bom.vsk").string();
    WriteAll(bom, "\xEF\xBB\xBF" + FreshProjectBytes());
    auto r = RunCli({"info", bom});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, "vartesk: " + bom + ":1: written in UTF-8: projects are Windows-1251 text\n");

    // Valid UTF-8 with Cyrillic loads, read as Windows-1251, with a warning first.
    const std::string utf8 = (dir / "utf8.vsk").string();
    std::string older = "1\r\n";
    for (int i = 0; i < 8; ++i)
        older += "0\r\n";
    older += "Участок\r\n0\r\n-1\r\nAC\r\n8\r\n4\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    older += "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n";
    WriteAll(utf8, older);
    const std::string warning = "vartesk: warning: " + utf8
        + ": looks like UTF-8: projects are Windows-1251 text, so its Cyrillic letters read "
          "wrongly\n";
    for (const char *command : {"info", "calc"}) {
        r = RunCli({command, utf8});
        EXPECT_EQ(r.ExitCode, 0) << command << r.Err;
        EXPECT_EQ(r.Err.rfind(warning, 0), 0u) << command << r.Err;
    }

    // A file with CR-only line ends is one line: its message quotes only its start.
    const std::string mac = (dir / "mac.vsk").string();
    std::string bytes = FreshProjectBytes();
    for (size_t at; (at = bytes.find("\r\n")) != std::string::npos;)
        bytes.replace(at, 2, "\r");
    WriteAll(mac, bytes + std::string(100000, '7'));
    r = RunCli({"resave", mac, (dir / "out.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_LT(r.Err.size(), mac.size() + 150) << r.Err;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);

    // So is a mistyped option value, with its control characters escaped.
    r = RunCli({"settings", "--set-lang", "\x1B[2J" + std::string(1000, 'x')});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Err.find('\x1B'), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("language must be en or ru, not '\\x1B[2Jxxx"), std::string::npos)
        << r.Err;
    EXPECT_LT(r.Err.size(), 200u) << r.Err;
}

TEST(ProjectCli, AnUnwritableTargetKeepsThePreviousFile)
{
    TScratchDir dir;
    WriteAll(dir / "keep.vsk", "previous");
    // A folder in the way stands for any target that cannot be replaced.
    std::filesystem::create_directory(dir / "target.vsk");
    auto r = RunCli({"new", "--force", (dir / "target.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Err.find("target.vsk"), std::string::npos);
    r = RunCli({"new", (dir / "missing" / "x.vsk").string()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);
    EXPECT_EQ(ReadAll(dir / "keep.vsk"), "previous");
}

TEST(ProjectCli, UsageMistakesExitTwo)
{
    EXPECT_EQ(RunCli({}).ExitCode, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"new"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"new", "a.vsk", "b.vsk"}).ExitCode, 2);
    EXPECT_EQ(RunCli({"info", "--lang", "de", kDemo}).ExitCode, 2);
    EXPECT_EQ(RunCli({"info", "--bogus", kDemo}).ExitCode, 2);
    const auto help = RunCli({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("resave"), std::string::npos);
    const auto commandHelp = RunCli({"resave", "--help"});
    EXPECT_EQ(commandHelp.ExitCode, 0);
    EXPECT_NE(commandHelp.Out.find("Usage: vartesk resave"), std::string::npos);
    EXPECT_EQ(RunCli({"help", "info"}).Out, RunCli({"info", "--help"}).Out);
}

TEST(ProjectCli, InfoSpeaksTheChosenLanguageAndUnits)
{
    const auto en = RunCli({"--lang", "en", "info", kDemo});
    ASSERT_EQ(en.ExitCode, 0) << en.Err;
    EXPECT_NE(en.Out.find("Climatic conditions"), std::string::npos);
    EXPECT_NE(en.Out.find("daN/mm2"), std::string::npos);
    const auto ru = RunCli({"info", kDemo, "--lang", "ru", "--units", "kN"});
    ASSERT_EQ(ru.ExitCode, 0) << ru.Err;
    EXPECT_NE(ru.Out.find("Климатические условия"), std::string::npos);
    EXPECT_NE(ru.Out.find("Н/мм2"), std::string::npos);
}

TEST(ProjectCli, InfoNamesStressesAndTensionsAsTheyAre)
{
    // The demo's second section gives its cord by tensions, every other limit by stresses.
    const auto en = RunCli({"--lang", "en", "info", kDemo});
    ASSERT_EQ(en.ExitCode, 0) << en.Err;
    EXPECT_NE(en.Out.find("Stress max 13 / avg 9 daN/mm2\n"), std::string::npos) << en.Out;
    EXPECT_NE(en.Out.find("Tension max 1030 / avg 710 daN\n"), std::string::npos) << en.Out;
    EXPECT_EQ(en.Out.find("Tension max 13"), std::string::npos) << en.Out;
    const auto ru = RunCli({"--lang", "ru", "info", kDemo});
    ASSERT_EQ(ru.ExitCode, 0) << ru.Err;
    EXPECT_NE(ru.Out.find("Напряжение max 13 / avg 9 даН/мм2\n"), std::string::npos) << ru.Out;
    EXPECT_NE(ru.Out.find("Тяжение max 1030 / avg 710 даН\n"), std::string::npos) << ru.Out;
}

TEST(ProjectCli, InfoWarnsAboutDoubtfulValuesOnStderr)
{
    TScratchDir dir;
    const auto path = dir / "doubtful.vsk";
    std::string bytes = ReadAll(kDemo);
    // The ice wall is the first value after the header and the section count.
    const std::string ice = "\r\n 1.00000000000000E+0001\r\n";
    ASSERT_EQ(bytes.find(ice), std::string("version 3.4\r\n3").size());
    bytes.replace(bytes.find(ice), ice.size(), "\r\n-1.00000000000000E+0000\r\n");
    WriteAll(path, bytes);
    const auto doubtful = RunCli({"--lang", "en", "info", path.string()});
    ASSERT_EQ(doubtful.ExitCode, 0) << doubtful.Err;
    // Without its ice the demo's river crossing sags less than 5 % of its span; with it, wire
    // and cord sag more.
    EXPECT_EQ(doubtful.Err,
              "vartesk: warning: climatic conditions: ice wall thickness -1 mm is outside "
              "0..100 mm\n");
    EXPECT_NE(doubtful.Out.find("Ice: -1 mm"), std::string::npos) << "loaded as it is";
    const std::string sags
        = "vartesk: warning: section 2 \"Переход через р. Ока\", wire, span 15-16: the sag at "
          "+40 °C, 42.62 m, is more than 5% of the span of 640 m: the parabolic approximation of "
          "the calculation loses accuracy there, check the span by the catenary\n"
          "vartesk: warning: section 2 \"Переход через р. Ока\", cord, span 15-16: the sag at "
          "+40 °C, 55.00 m, is more than 5% of the span of 640 m: the parabolic approximation of "
          "the calculation loses accuracy there, check the span by the catenary\n";
    EXPECT_EQ(RunCli({"--lang", "en", "info", kDemo}).Err, sags);
}

TEST(ProjectCli, SettingsAreStoredOnlyWhenAsked)
{
    TScratchDir home;
    ::setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    auto r = RunCli({"settings", "--lang", "en"});
    EXPECT_EQ(r.Out.substr(0, 26), "language: ru\nunits:    daN");
    r = RunCli({"settings", "--set-lang", "en", "--set-units", "kN"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_NE(r.Out.find("language: en\nunits:    kN\n"), std::string::npos);
    EXPECT_EQ(ReadAll(home / "Morvik/Lorvana/settings.ini"), "[Param]\nLanguage=0\nUnits=1\n");
    EXPECT_EQ(RunCli({"settings", "--set-units", "MPa"}).ExitCode, 2);
}
