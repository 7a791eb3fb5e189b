// The process-wide catalog: seeding the working copy, saving on exit, one-run catalogs, and
// the catalog the build ships beside the program.
#include "catalog/working_catalog.h"

#include "base/file_io.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace vartesk;
using vartesk::test::ReadAll;
using vartesk::test::TScratchDir;
using vartesk::test::WriteAll;

namespace {

const std::filesystem::path kShipped
    = std::filesystem::path(VARTESK_BINARY_DIR) / "bin" / "base_provod.dat";

TWireRecord Named(const std::string &name, double diameter)
{
    TWireRecord r;
    r.Group = 5;
    r.Name = name;
    r.Diameter = diameter;
    return r;
}

std::string RecordBytes(std::initializer_list<TWireRecord> recs)
{
    std::string out;
    for (const auto &r : recs)
        WriteWireRecord(r, out);
    return out;
}

// Points the shared data folder into a scratch folder for one test.
class WorkingCatalog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        if (const char *old = std::getenv("XDG_DATA_HOME"))
            Saved = old;
        ::setenv("XDG_DATA_HOME", (Dir / "share").c_str(), 1);
    }
    void TearDown() override
    {
        if (Saved)
            ::setenv("XDG_DATA_HOME", Saved->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    TScratchDir Dir;
    std::optional<std::string> Saved;
};

} // namespace

TEST_F(WorkingCatalog, WorkingCopyLivesInTheSharedDataFolder)
{
    EXPECT_EQ(WorkingCatalogPath(), Dir / "share" / "Morvik" / "Lorvana" / "base_provod.dat");
    EXPECT_EQ(ShippedCatalogPath().filename(), "base_provod.dat");
}

TEST_F(WorkingCatalog, FirstRunCreatesTheFolderAndSeedsTheCopyFromTheShippedFile)
{
    ASSERT_EQ(ShippedCatalogPath(), kShipped); // the test runs from the program folder
    EXPECT_TRUE(LoadWorkingCatalog().empty());
    EXPECT_EQ(ReadAll(WorkingCatalogPath()), ReadAll(kShipped));
    EXPECT_GT(WireCatalog().Count(), 0);
    EXPECT_EQ(WireCatalog().FileName(), WorkingCatalogPath());
    EXPECT_TRUE(UsingWorkingCatalog());
    // No stray temporary file beside the copy.
    int files = 0;
    for ([[maybe_unused]] const auto &e :
         std::filesystem::directory_iterator(WorkingCatalogPath().parent_path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(WorkingCatalog, ExistingWorkingCopyIsNeverOverwrittenAndLoadsSortedByName)
{
    std::filesystem::create_directories(WorkingCatalogPath().parent_path());
    const std::string own = RecordBytes({Named("b", 1), Named("a", 2)});
    WriteAll(WorkingCatalogPath(), own);
    EXPECT_TRUE(LoadWorkingCatalog().empty());
    ASSERT_EQ(WireCatalog().Count(), 2);
    EXPECT_EQ(WireCatalog().Get(0).Name.str(), "a");
    SaveWorkingCatalogIfChanged(); // loading and sorting are not changes
    EXPECT_EQ(ReadAll(WorkingCatalogPath()), own);
}

TEST_F(WorkingCatalog, ExitWritesTheWorkingCopyOnlyAfterAChange)
{
    std::filesystem::create_directories(WorkingCatalogPath().parent_path());
    WriteAll(WorkingCatalogPath(), RecordBytes({Named("b", 1), Named("a", 2)}));
    (void)LoadWorkingCatalog();
    WireCatalog().Add(Named("c", 3));
    WireCatalog().CountChange();
    SaveWorkingCatalogIfChanged();
    EXPECT_EQ(ReadAll(WorkingCatalogPath()),
              RecordBytes({Named("a", 2), Named("b", 1), Named("c", 3)}));
}

TEST_F(WorkingCatalog, OneRunTextCatalogIsUsedAndNeverWrittenBack)
{
    WriteAll(Dir / "one.txt", "z;1;2;3;4;5;1\r\ny;1;2;3;4;5\r\n");
    // The extension decides the form, in any letter case.
    std::filesystem::rename(Dir / "one.txt", Dir / "one.TXT");
    EXPECT_TRUE(LoadCatalogFile(Dir / "one.TXT").empty());
    EXPECT_FALSE(UsingWorkingCatalog());
    ASSERT_EQ(WireCatalog().Count(), 2);
    EXPECT_EQ(WireCatalog().Get(0).Name.str(), "y");
    EXPECT_EQ(WireCatalog().Changes(), 0);
    WireCatalog().CountChange();
    SaveWorkingCatalogIfChanged();
    EXPECT_FALSE(std::filesystem::exists(WorkingCatalogPath()));
}

TEST_F(WorkingCatalog, OneRunTextCatalogGivesTheWarningsOfTheImport)
{
    WriteAll(Dir / "one.txt", "z;1;2;3;4;5;1\r\ny;1;0;3;4;5\r\n");
    const auto warnings = LoadCatalogFile(Dir / "one.txt");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("line 2: the area 0"), std::string::npos) << warnings[0];
}

TEST_F(WorkingCatalog, OneRunBinaryCatalogIsNotWrittenBackEither)
{
    const std::string bytes = RecordBytes({Named("b", 1), Named("a", 2)});
    WriteAll(Dir / "other.dat", bytes);
    EXPECT_TRUE(LoadCatalogFile(Dir / "other.dat").empty());
    EXPECT_EQ(WireCatalog().Get(0).Name.str(), "a");
    WireCatalog().CountChange();
    SaveWorkingCatalogIfChanged();
    EXPECT_EQ(ReadAll(Dir / "other.dat"), bytes);
}

TEST_F(WorkingCatalog, FailedOneRunLoadKeepsTheCatalogInUse)
{
    (void)LoadCatalogFile(kShipped);
    const int before = WireCatalog().Count();
    WriteAll(Dir / "bad.txt", "A;1;2;3;4;5\r\nB;1;2\r\n");
    EXPECT_THROW((void)LoadCatalogFile(Dir / "bad.txt"), std::runtime_error);
    EXPECT_THROW((void)LoadCatalogFile(Dir / "absent.dat"), EFileError);
    EXPECT_EQ(WireCatalog().Count(), before);
}

// --- The shipped catalog -------------------------------------------------------------------

TEST(ShippedCatalog, HoldsTheSteelAluminiumExampleExactly)
{
    TWiresList list;
    EXPECT_TRUE(list.LoadFromFile(kShipped).empty()); // whole, finite records only
    TWireRecord ac50;
    ac50.Group = 1;
    ac50.Name = "АС50/8";
    ac50.Diameter = 9.6;
    ac50.Section = 56.24;
    ac50.Weight = 0.195;
    ac50.Modulus = 8250;
    ac50.ThermalCoef = 1.92E-5;
    EXPECT_TRUE(list.FindByName("АС50/8").Equals(ac50));
}

TEST(ShippedCatalog, EveryEntryIsNamedOnceAndPhysicallyPlausible)
{
    TWiresList list;
    (void)list.LoadFromFile(kShipped);
    ASSERT_GT(list.Count(), 0);
    for (int i = 0; i < list.Count(); ++i) {
        const TWireRecord r = list.Get(i);
        SCOPED_TRACE(r.Name.str());
        EXPECT_EQ(list.IndexOfName(r.Name.str()), i);
        EXPECT_GE(r.Group, 1);
        EXPECT_LE(r.Group, 7);
        // A typo of a decimal point in the source is what these bounds catch.
        EXPECT_GT(r.Diameter, 2);
        EXPECT_LT(r.Diameter, 60);
        // The wire's solid cross-section fits in its circle, and is not a tiny part of it.
        const double circle = 3.14159265358979 * r.Diameter * r.Diameter / 4;
        EXPECT_LT(r.Section, circle);
        EXPECT_GT(r.Section, 0.5 * circle);
        // Steel-aluminium and steel weigh between aluminium (2.7) and steel (7.85) g/cm3.
        const double density = r.Weight / r.Section * 1000; // kg/m per mm2 -> g/cm3
        EXPECT_GT(density, 2.7);
        EXPECT_LT(density, 7.9);
        EXPECT_GT(r.Modulus, 4000);
        EXPECT_LT(r.Modulus, 21000);
        EXPECT_GT(r.ThermalCoef, 1E-5);
        EXPECT_LT(r.ThermalCoef, 2.5E-5);
    }
}
