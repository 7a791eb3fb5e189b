// vartesk catalog: listing, showing, export and import, and the one-run --catalog option,
// run as the user runs them, on a machine of its own each time.
#include "base/cp1251.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using vartesk::test::ReadAll;
using vartesk::test::TScratchDir;
using vartesk::test::WriteAll;

namespace {

const std::filesystem::path kData = VARTESK_TEST_DATA;
const std::filesystem::path kShipped
    = std::filesystem::path(VARTESK_BINARY_DIR) / "bin" / "base_provod.dat";

struct TRun
{
    int Code = -1;
    std::string Out;
    std::string Err;
};

// Each test is a fresh machine: its own data and settings folders.
class CatalogCli : public ::testing::Test
{
protected:
    std::filesystem::path Working() const
    {
        return Home / "data" / "Morvik" / "Lorvana" / "base_provod.dat";
    }

    TRun Run(const std::string &args) const { return RunProgram(VARTESK_CLI, args); }

    TRun RunProgram(const std::filesystem::path &program, const std::string &args) const
    {
        const std::string command = "env XDG_DATA_HOME='" + (Home / "data").string()
            + "' XDG_CONFIG_HOME='" + (Home / "config").string() + "' '" + program.string() + "' "
            + args + " >'" + (Home / "out").string() + "' 2>'" + (Home / "err").string() + "'";
        TRun r;
        const int status = std::system(command.c_str());
        r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.Out = ReadAll(Home / "out");
        r.Err = ReadAll(Home / "err");
        return r;
    }

    TScratchDir Home;
};

} // namespace

TEST_F(CatalogCli, FirstRunSeedsTheWorkingCatalogAndListsIt)
{
    ASSERT_FALSE(std::filesystem::exists(Working()));
    const TRun r = Run("--lang en catalog list");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(ReadAll(Working()), ReadAll(kShipped));
    vartesk::test::ExpectGolden(kData / "golden" / "catalog_list_en.txt", r.Out);
}

TEST_F(CatalogCli, ModulusFollowsTheUnitsOfTheRun)
{
    const TRun kn = Run("--lang en --units kN catalog show АС50/8");
    ASSERT_EQ(kn.Code, 0) << kn.Err;
    vartesk::test::ExpectGolden(kData / "golden" / "catalog_show_kn_en.txt", kn.Out);
    const TRun dan = Run("--lang ru catalog show АС50/8");
    EXPECT_NE(dan.Out.find("8250 даН/мм2"), std::string::npos) << dan.Out;
}

TEST_F(CatalogCli, ListFiltersByGroupAndSortsWithoutWritingTheCatalog)
{
    (void)Run("catalog list");
    const std::string before = ReadAll(Working());
    const TRun r = Run("--lang en catalog list --group 1 --sort weight");
    ASSERT_EQ(r.Code, 0) << r.Err;
    // Title, header, then the lightest wire.
    const size_t second = r.Out.find('\n', r.Out.find('\n') + 1);
    EXPECT_TRUE(r.Out.substr(second + 1).starts_with("АС10/1,8 ")) << r.Out;
    EXPECT_EQ(ReadAll(Working()), before);

    const TRun empty = Run("--lang en catalog list --group 6");
    ASSERT_EQ(empty.Code, 0);
    EXPECT_EQ(empty.Out.substr(0, empty.Out.find('\n')), "Self-supporting fiber optic cables");
    EXPECT_EQ(std::count(empty.Out.begin(), empty.Out.end(), '\n'), 2) << empty.Out;

    // The optical ground wires of the makers' datasheets are ground wires with fibres inside:
    // title, header and seven entries among the steel cords.
    const TRun optical = Run("--lang en catalog list --group 5");
    ASSERT_EQ(optical.Code, 0);
    EXPECT_EQ(optical.Out.substr(0, optical.Out.find('\n')), "Steel wires, cords, ropes");
    EXPECT_EQ(std::count(optical.Out.begin(), optical.Out.end(), '\n'), 9) << optical.Out;
    EXPECT_NE(optical.Out.find("OPGW-2C1/30"), std::string::npos) << optical.Out;
}

TEST_F(CatalogCli, ImportReplacesTheWorkingCatalogAndExportWritesItBack)
{
    WriteAll(Home / "in.txt",
             vartesk::Utf8ToCp1251("Трос;9.1;48.6;0.4;18500;1.2E-5;5\r\nX;1;2;3;4;5\r\n"));
    const TRun imported = Run("catalog import '" + (Home / "in.txt").string() + "'");
    ASSERT_EQ(imported.Code, 0) << imported.Err;
    const TRun exported = Run("catalog export '" + (Home / "back.txt").string() + "'");
    ASSERT_EQ(exported.Code, 0) << exported.Err;
    // The working copy is sorted by name when it is loaded.
    EXPECT_EQ(vartesk::Cp1251ToUtf8(ReadAll(Home / "back.txt")),
              "X;1;2;3;4;5;7\r\nТрос;9.1;48.6;0.4;18500;1.2E-5;5\r\n");
}

TEST_F(CatalogCli, FailedImportNamesTheLineAndKeepsTheWorkingCatalog)
{
    (void)Run("catalog list");
    const std::string before = ReadAll(Working());
    const std::string bad = (Home / "bad.txt").string();
    const struct
    {
        const char *Text;
        std::string Message;
    } cases[] = {
        {"A;1;2;3;4;5\r\nB;1;2;3;4;five\r\n", "line 2: 'five' is not a valid floating point value"},
        // Once taken as an entry named "11.4" with a modulus of 1.92E-5.
        {"A;1;2;3;4;5\r\n;11.4;79.3;0.276;8250;1.92e-5;1\r\n", "line 2: the name field is empty"},
        {"\r\n\r\n", bad + " holds no entries; the catalog was kept."},
    };
    for (const auto &c : cases) {
        WriteAll(bad, c.Text);
        const TRun r = Run("--lang en catalog import '" + bad + "'");
        EXPECT_EQ(r.Code, 1);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
        EXPECT_EQ(ReadAll(Working()), before);
    }
}

TEST_F(CatalogCli, ImportWarningsGoToStandardError)
{
    WriteAll(Home / "in.txt", "Abcdefghijklmnopqr;1;2;3;-4;5\r\n");
    const TRun r = Run("--lang en catalog import '" + (Home / "in.txt").string() + "'");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    const std::string at = "vartesk: warning: " + (Home / "in.txt").string() + ", line 1: ";
    EXPECT_EQ(r.Err,
              at + "the name is longer than 16 characters and is cut to \"Abcdefghijklmnop\"\n" + at
                  + "the modulus -4 is not above zero; the entry is kept\n");
    EXPECT_NE(Run("catalog show Abcdefghijklmnop").Out.find("-4"), std::string::npos);
}

TEST_F(CatalogCli, ExportNeverOverwritesTheCatalogInUse)
{
    (void)Run("catalog list");
    const std::string working = ReadAll(Working());
    // The same file under other names: a detour, a symbolic and a hard link.
    std::filesystem::create_symlink(Working(), Home / "link.dat");
    std::filesystem::create_hard_link(Working(), Home / "hard.dat");
    const std::string spellings[] = {
        Working().string(),
        (Working().parent_path() / ".." / "Lorvana" / "base_provod.dat").string(),
        (Home / "link.dat").string(),
        (Home / "hard.dat").string(),
    };
    for (const auto &target : spellings) {
        const TRun r = Run("catalog export '" + target + "'");
        EXPECT_EQ(r.Code, 1) << target;
        EXPECT_EQ(r.Err,
                  "vartesk: catalog export would overwrite the working catalog " + target
                      + "; choose another file\n");
        EXPECT_EQ(ReadAll(Working()), working);
    }

    WriteAll(Home / "one.txt", "Only;1;2;3;4;5;4\r\n");
    const TRun one = Run("--catalog '" + (Home / "one.txt").string() + "' catalog export '"
                         + (Home / "." / "one.txt").string() + "'");
    EXPECT_EQ(one.Code, 1);
    EXPECT_NE(one.Err.find("the catalog of this run"), std::string::npos) << one.Err;
    EXPECT_EQ(ReadAll(Home / "one.txt"), "Only;1;2;3;4;5;4\r\n");
    // The working copy stays protected while another catalog is in use.
    EXPECT_EQ(Run("--catalog '" + (Home / "one.txt").string() + "' catalog export '"
                  + Working().string() + "'")
                  .Code,
              1);
    EXPECT_EQ(ReadAll(Working()), working);

    // Nor is it created as a text file while it does not exist.
    std::filesystem::remove(Working());
    EXPECT_EQ(Run("--catalog '" + (Home / "one.txt").string() + "' catalog export '"
                  + Working().string() + "'")
                  .Code,
              1);
    EXPECT_FALSE(std::filesystem::exists(Working()));
}

TEST_F(CatalogCli, WithoutAShippedCatalogEveryStartWarnsUntilTheFirstChange)
{
    // A copy of the program in a folder of its own, with no catalog beside it.
    std::filesystem::create_directories(Home / "bin");
    const auto program = Home / "bin" / "vartesk";
    std::filesystem::copy_file(VARTESK_CLI, program);
    const std::string warning = "vartesk: warning: No catalog was found beside the program ("
        + (Home / "bin" / "base_provod.dat").string() + "); the catalog starts empty.\n";
    for (int start = 0; start < 2; ++start) {
        const TRun r = RunProgram(program, "--lang en catalog list");
        ASSERT_EQ(r.Code, 0) << r.Err;
        EXPECT_EQ(r.Err, warning);
        EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 2) << r.Out; // title, header
    }
    WriteAll(Home / "in.txt", "X;1;2;3;4;5\r\n");
    ASSERT_EQ(RunProgram(program, "catalog import '" + (Home / "in.txt").string() + "'").Code, 0);
    const TRun after = RunProgram(program, "catalog show X");
    EXPECT_EQ(after.Code, 0) << after.Err;
    EXPECT_EQ(after.Err, "");
}

TEST_F(CatalogCli, CatalogOptionUsesAFileForOneRunWithoutTouchingTheWorkingCopy)
{
    WriteAll(Home / "one.txt", "Only;1;2;3;4;5;4\r\n");
    const TRun r
        = Run("--lang en --catalog '" + (Home / "one.txt").string() + "' catalog show Only");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_NE(r.Out.find("Self-supporting insulated wires"), std::string::npos) << r.Out;
    EXPECT_FALSE(std::filesystem::exists(Working()));

    const TRun import = Run("--catalog '" + (Home / "one.txt").string() + "' catalog import '"
                            + (Home / "one.txt").string() + "'");
    EXPECT_EQ(import.Code, 2) << import.Err;
}

TEST_F(CatalogCli, CutCatalogFileLoadsWithAWarning)
{
    WriteAll(Home / "cut.dat", ReadAll(kShipped) + "abc");
    const TRun r
        = Run("--lang en --catalog '" + (Home / "cut.dat").string() + "' catalog show АС50/8");
    EXPECT_EQ(r.Code, 0);
    EXPECT_NE(r.Err.find("warning: The catalog file " + (Home / "cut.dat").string()
                         + " ends with 3 bytes"),
              std::string::npos)
        << r.Err;
}

TEST_F(CatalogCli, MistakesGiveTheirExitCodes)
{
    const TRun missing = Run("--lang en catalog show nothing");
    EXPECT_EQ(missing.Code, 1);
    EXPECT_EQ(missing.Err, "vartesk: The wire nothing is not found.\n");
    EXPECT_EQ(Run("catalog list --sort colour").Code, 2);
    EXPECT_EQ(Run("catalog list --group 8").Code, 2);
    EXPECT_EQ(Run("catalog show").Code, 2);
    EXPECT_EQ(Run("catalog show A --sort name").Code, 2);
    EXPECT_EQ(Run("catalog erase").Code, 2);
}
