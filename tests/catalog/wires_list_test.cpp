// TWiresList: lookups by name, sorting, the binary file, the text export and import.
#include "catalog/modulus_units.h"
#include "catalog/wires_list.h"

#include "base/cp1251.h"
#include "base/file_io.h"
#include "base/number_text.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vartesk;
using vartesk::test::ReadAll;
using vartesk::test::TScratchDir;
using vartesk::test::WriteAll;

namespace {

const std::filesystem::path kData = VARTESK_TEST_DATA;

TWireRecord Entry(const std::string &name, double diameter, int group = 1)
{
    TWireRecord r;
    r.Group = group;
    r.Name = name;
    r.Diameter = diameter;
    r.Section = diameter * 10;
    r.Weight = diameter / 100;
    r.Modulus = 8000 + diameter;
    r.ThermalCoef = 2E-5 - diameter * 1E-7;
    return r;
}

TWireRecord Ac50()
{
    TWireRecord r;
    r.Group = 1;
    r.Name = "АС50/8";
    r.Diameter = 9.6;
    r.Section = 56.24;
    r.Weight = 0.195;
    r.Modulus = 8250;
    r.ThermalCoef = 1.92E-5;
    return r;
}

std::vector<std::string> Names(const TWiresList &list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Get(i).Name);
    return out;
}

std::string RecordBytes(std::initializer_list<TWireRecord> recs)
{
    std::string out;
    for (const auto &r : recs)
        WriteWireRecord(r, out);
    return out;
}

class WiresList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
    }
    void TearDown() override { UseUnitSystem(TUnitSystem::DaN); }
    TScratchDir Dir;
};

} // namespace

// --- Lookups -----------------------------------------------------------------------------

TEST_F(WiresList, FindByNameOfEmptyTextFindsAnEntryWithAnEmptyName)
{
    TWiresList list;
    list.Add(Entry("A", 1));
    EXPECT_EQ(list.IndexOfName(""), -1);
    EXPECT_TRUE(list.FindByName("").Name.empty());
    list.Add(Entry("", 7));
    EXPECT_EQ(list.IndexOfName(""), 1);
    EXPECT_DOUBLE_EQ(list.FindByName("").Diameter, 7);
}

TEST_F(WiresList, MissingNameGivesTheEmptyNameRecordAndNamesCompareExactly)
{
    TWiresList list;
    list.Add(Ac50());
    EXPECT_TRUE(list.FindByName("АС50/8 ").Name.empty());
    EXPECT_TRUE(list.FindByName("ас50/8").Name.empty()); // case-sensitive
    EXPECT_TRUE(list.FindByName("АС50/8").Equals(Ac50()));
}

TEST_F(WiresList, TwinNamesReachTheFirstInListOrder)
{
    TWiresList list;
    list.Add(Entry("X", 1));
    list.Add(Entry("Twin", 2));
    list.Add(Entry("Twin", 3));
    EXPECT_EQ(list.IndexOfName("Twin"), 1);
    EXPECT_DOUBLE_EQ(list.FindByName("Twin").Diameter, 2);
    list.GetRef(list.IndexOfName("Twin")).Weight = 99; // the edit command's path
    EXPECT_DOUBLE_EQ(list.Get(1).Weight, 99);
    EXPECT_DOUBLE_EQ(list.Get(2).Weight, 0.03);
    list.Delete(list.IndexOfName("Twin"));
    EXPECT_DOUBLE_EQ(list.FindByName("Twin").Diameter, 3);
}

TEST_F(WiresList, CountInGroupCountsOnlyThatGroup)
{
    TWiresList list;
    list.Add(Entry("a", 1, 1));
    list.Add(Entry("b", 1, 5));
    list.Add(Entry("c", 1, 5));
    list.Add(Entry("d", 1, 0));
    EXPECT_EQ(list.CountInGroup(5), 2);
    EXPECT_EQ(list.CountInGroup(0), 1);
    EXPECT_EQ(list.CountInGroup(6), 0);
}

// --- Sorting -----------------------------------------------------------------------------

TEST_F(WiresList, SortByNameFollowsWindows1251BytesNotUtf8)
{
    TWiresList list;
    for (const char *name : {"яз", "Ая", "ёлка", "Z", "Ёж", "a"})
        list.Add(Entry(name, 1));
    list.SortBy(kWireColumnName);
    // In UTF-8 Ё and ё would fall after А and я respectively.
    EXPECT_EQ(Names(list), (std::vector<std::string> {"Z", "a", "Ёж", "ёлка", "Ая", "яз"}));
}

TEST_F(WiresList, SortByEachNumberColumnIsAscendingByThatField)
{
    struct TCase
    {
        int Column;
        double TWireRecord::*Field;
    };
    const TCase cases[] = {
        {kWireColumnDiameter, &TWireRecord::Diameter},
        {kWireColumnSection, &TWireRecord::Section},
        {kWireColumnWeight, &TWireRecord::Weight},
        {kWireColumnModulus, &TWireRecord::Modulus},
        {kWireColumnThermalCoef, &TWireRecord::ThermalCoef},
    };
    for (const auto &c : cases) {
        TWiresList list;
        // Each field gets a different order, so a sort by the wrong column shows.
        const double values[][5] = {
            {3, 1, 2, 5, 4},
            {1, 3, 5, 4, 2},
            {2, 5, 1, 3, 6},
        };
        for (int i = 0; i < 3; ++i) {
            TWireRecord r = Entry("n" + std::to_string(i), 0);
            r.Diameter = values[i][0];
            r.Section = values[i][1];
            r.Weight = values[i][2];
            r.Modulus = values[i][3];
            r.ThermalCoef = values[i][4];
            list.Add(r);
        }
        list.SortBy(c.Column);
        for (int i = 1; i < list.Count(); ++i)
            EXPECT_LT(list.Get(i - 1).*c.Field, list.Get(i).*c.Field) << "column " << c.Column;
    }
}

TEST_F(WiresList, SortByAnUnknownColumnChangesNothing)
{
    TWiresList list;
    list.Add(Entry("b", 2));
    list.Add(Entry("a", 1));
    list.SortBy(0);
    list.SortBy(7);
    EXPECT_EQ(Names(list), (std::vector<std::string> {"b", "a"}));
}

// --- Binary file -------------------------------------------------------------------------

TEST_F(WiresList, ZeroByteFileLoadsAsAnEmptyCatalog)
{
    WriteAll(Dir / "empty.dat", "");
    TWiresList list;
    list.Add(Entry("stale", 1));
    EXPECT_TRUE(list.LoadFromFile(Dir / "empty.dat").empty());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FileName(), Dir / "empty.dat");
}

TEST_F(WiresList, SaveThenLoadKeepsEveryFieldAndTheListOrder)
{
    TWiresList list;
    list.Add(Entry("zz", 2, 7));
    list.Add(Ac50());
    list.Add(Entry("", 1, 0));
    list.SaveToFile(Dir / "c.dat");
    EXPECT_EQ(ReadAll(Dir / "c.dat"), RecordBytes({Entry("zz", 2, 7), Ac50(), Entry("", 1, 0)}));
    TWiresList back;
    EXPECT_TRUE(back.LoadFromFile(Dir / "c.dat").empty());
    ASSERT_EQ(back.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(back.Get(i).Equals(list.Get(i))) << i;
}

TEST_F(WiresList, TrailingPartialRecordIsDroppedWithAWarningNamingFileAndBytes)
{
    WriteAll(Dir / "cut.dat", RecordBytes({Ac50(), Entry("b", 1)}) + std::string(10, 'x'));
    TWiresList list;
    const auto warnings = list.LoadFromFile(Dir / "cut.dat");
    EXPECT_EQ(list.Count(), 2);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find((Dir / "cut.dat").string()), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find(" 10 "), std::string::npos) << warnings[0];
}

TEST_F(WiresList, EntriesWithFieldsThatAreNotFiniteLoadWithAWarningNamingEach)
{
    TWireRecord nan = Entry("Nan", 1);
    nan.Weight = std::numeric_limits<double>::quiet_NaN();
    TWireRecord inf = Entry("Inf\n", 2);
    inf.Diameter = -std::numeric_limits<double>::infinity();
    inf.ThermalCoef = std::numeric_limits<double>::infinity();
    WriteAll(Dir / "odd.dat", RecordBytes({Ac50(), nan, inf}));
    TWiresList list;
    const auto warnings = list.LoadFromFile(Dir / "odd.dat");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(std::isnan(list.Get(1).Weight)); // loaded as it is
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("entry 2 \"Nan\""), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("(weight)"), std::string::npos) << warnings[0];
    // The line break of the name is shown escaped, not written to the terminal.
    EXPECT_NE(warnings[1].find("entry 3 \"Inf\\n\""), std::string::npos) << warnings[1];
    EXPECT_NE(warnings[1].find("(diameter, coefficient)"), std::string::npos) << warnings[1];
}

TEST_F(WiresList, UnreadableFileLeavesTheListAsItWas)
{
    TWiresList list;
    list.Add(Ac50());
    EXPECT_THROW((void)list.LoadFromFile(Dir / "missing.dat"), EFileError);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(WiresList, SortingThenExitingLeavesTheFileAsItWas)
{
    const std::string unsorted = RecordBytes({Entry("b", 1), Entry("a", 3), Entry("c", 2)});
    WriteAll(Dir / "c.dat", unsorted);
    TWiresList list;
    (void)list.LoadFromFile(Dir / "c.dat");
    list.SortBy(kWireColumnName);
    list.SortBy(kWireColumnDiameter);
    EXPECT_EQ(list.Changes(), 0);
    list.SaveIfChanged();
    EXPECT_EQ(ReadAll(Dir / "c.dat"), unsorted);
}

TEST_F(WiresList, AChangeIsWrittenOnceInListOrder)
{
    WriteAll(Dir / "c.dat", RecordBytes({Entry("b", 1), Entry("a", 3)}));
    TWiresList list;
    (void)list.LoadFromFile(Dir / "c.dat");
    list.SortBy(kWireColumnName);
    list.Delete(0);
    list.CountChange();
    list.SaveIfChanged();
    EXPECT_EQ(ReadAll(Dir / "c.dat"), RecordBytes({Entry("b", 1)}));
    EXPECT_EQ(list.Changes(), 0);
}

// --- Text export and import ----------------------------------------------------------------

TEST_F(WiresList, ExportWritesTheExampleLineInWindows1251WithCrLf)
{
    TWiresList list;
    list.Add(Ac50());
    list.ExportText(Dir / "e.txt");
    EXPECT_EQ(ReadAll(Dir / "e.txt"),
              Utf8ToCp1251("АС50/8;9.6;56.24;0.195;8250;1.92E-5;1") + "\r\n");
}

TEST_F(WiresList, ExportOfMixedEntriesMatchesGolden)
{
    TWiresList list;
    list.Add(Ac50());
    TWireRecord odd = Entry(" #odd ", 0, 0);
    odd.Diameter = -1.5;
    odd.Section = 1E15;
    odd.Weight = 1E-4;
    odd.Modulus = 0.1 + 0.2;
    odd.ThermalCoef = 0;
    list.Add(odd);
    list.Add(Entry("Ёлка-16символов!", 12.5, 7));
    list.ExportText(Dir / "e.txt");
    test::ExpectGolden(kData / "golden" / "export.txt", ReadAll(Dir / "e.txt"));
}

TEST_F(WiresList, EveryExportImportsAgainToTheSameEntries)
{
    TWiresList list;
    list.Add(Ac50());
    // Names as odd as the import still takes them, groups outside 1..7, and numbers of 15
    // significant digits (what the general form carries) at both ends of the range.
    TWireRecord odd = Entry(" #Ёж, 'x' \"y\" ", 0, 0);
    odd.Diameter = 1.23456789012345E-300;
    odd.Section = -9.87654321098765E300;
    odd.Weight = 0;
    odd.Modulus = 123456789012345;
    odd.ThermalCoef = 4.9E-324;
    list.Add(odd);
    TWireRecord full;
    full.Group = -3;
    full.Name = "abcdefghijklmnop";
    full.Diameter = 0.000123456789012345;
    full.Section = 99999999999999.9;
    full.Weight = 1E15;
    full.Modulus = 8.25E-5;
    full.ThermalCoef = -1.92E-5;
    list.Add(full);
    list.ExportText(Dir / "e.txt");
    TWiresList back;
    EXPECT_EQ(back.ImportText(Dir / "e.txt").size(), 2u); // the area and weight of odd
    ASSERT_EQ(back.Count(), list.Count());
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_TRUE(back.Get(i).Equals(list.Get(i))) << i << " " << list.Get(i).Name.str();
    EXPECT_EQ(back.Changes(), 1);
}

TEST_F(WiresList, FifteenDigitsDoNotCarryEveryDouble)
{
    // A known limit of the general form: a third comes back only to within 15 digits.
    TWiresList list;
    list.Add(Entry("third", 1.0 / 3));
    list.ExportText(Dir / "e.txt");
    TWiresList back;
    (void)back.ImportText(Dir / "e.txt");
    EXPECT_NEAR(back.Get(0).Diameter, 1.0 / 3, 1E-15);
}

TEST_F(WiresList, ExportRefusesEntriesThatWouldNotImportAgainAndWritesNothing)
{
    const struct
    {
        const char *Name;
        double Weight;
        const char *Message;
    } cases[] = {
        {"a;b", 1, "Entry 2 \"a;b\" cannot be exported: its name holds ';' or a line break."},
        {"a\nb", 1, "Entry 2 \"a\\nb\" cannot be exported: its name holds ';' or a line break."},
        {"a\rb", 1, "Entry 2 \"a\\rb\" cannot be exported: its name holds ';' or a line break."},
        {"", 1, "Entry 2 \"\" cannot be exported: its name is empty."},
        {"nan",
         std::numeric_limits<double>::quiet_NaN(),
         "Entry 2 \"nan\" cannot be exported: its weight is not a finite number."},
        {"inf",
         std::numeric_limits<double>::infinity(),
         "Entry 2 \"inf\" cannot be exported: its weight is not a finite number."},
    };
    for (const auto &c : cases) {
        TWiresList list;
        list.Add(Ac50());
        TWireRecord bad = Entry(c.Name, 1);
        bad.Weight = c.Weight;
        list.Add(bad);
        WriteAll(Dir / "e.txt", "before");
        try {
            list.ExportText(Dir / "e.txt");
            ADD_FAILURE() << "no error for " << c.Message;
        } catch (const EConvertError &e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
        EXPECT_EQ(ReadAll(Dir / "e.txt"), "before");
    }
}

TEST_F(WiresList, ImportTakesFieldsByPositionAndAnEmptyGroupMeansSeven)
{
    WriteAll(Dir / "i.txt", "A;1;2;3;4;5\r\nB;1;2;3;4;5;\r\nC;1;2;3;4;5;;\r\nD;1;2;3;4;5;3;\r\n");
    TWiresList list;
    EXPECT_TRUE(list.ImportText(Dir / "i.txt").empty());
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        const TWireRecord r = list.Get(i);
        EXPECT_DOUBLE_EQ(r.Diameter, 1);
        EXPECT_DOUBLE_EQ(r.Section, 2);
        EXPECT_DOUBLE_EQ(r.Weight, 3);
        EXPECT_DOUBLE_EQ(r.Modulus, 4);
        EXPECT_DOUBLE_EQ(r.ThermalCoef, 5);
    }
    EXPECT_EQ(list.Get(0).Group, 7);
    EXPECT_EQ(list.Get(1).Group, 7);
    EXPECT_EQ(list.Get(2).Group, 7);
    EXPECT_EQ(list.Get(3).Group, 3);
}

TEST_F(WiresList, ImportKeepsFileOrderSkipsEmptyLinesAndCutsLongNamesWithAWarning)
{
    WriteAll(Dir / "i.txt",
             "b;1;2;3;4;5\r\n\r\n   \r\nabcdefghijklmnopqrst;1;2;3;4;5;1\na;1;2;3;4;5");
    TWiresList list;
    const auto warnings = list.ImportText(Dir / "i.txt");
    EXPECT_EQ(Names(list), (std::vector<std::string> {"b", "abcdefghijklmnop", "a"}));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0],
              (Dir / "i.txt").string()
                  + ", line 4: the name is longer than 16 characters and is cut to "
                    "\"abcdefghijklmnop\"");
}

TEST_F(WiresList, ImportKeepsFiguresOfZeroOrLessWithAWarningNamingLineAndField)
{
    WriteAll(Dir / "i.txt", "a;1;2;3;4;5\r\nb;0;-2;3;-0;-5\r\nc;1;2;-1E-9;4;5\r\n");
    TWiresList list;
    const auto warnings = list.ImportText(Dir / "i.txt");
    EXPECT_EQ(list.Count(), 3);
    const std::string file = (Dir / "i.txt").string();
    // The expansion coefficient may well be negative: no warning for it.
    EXPECT_EQ(warnings,
              (std::vector<std::string> {
                  file + ", line 2: the diameter 0 is not above zero; the entry is kept",
                  file + ", line 2: the area -2 is not above zero; the entry is kept",
                  file + ", line 2: the modulus 0 is not above zero; the entry is kept",
                  file + ", line 3: the weight -1E-9 is not above zero; the entry is kept",
              }));
}

TEST_F(WiresList, AFloodOfWarningsIsCutShort)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "n" + std::to_string(i) + ";0;2;3;4;5\r\n";
    WriteAll(Dir / "i.txt", text);
    TWiresList list;
    const auto warnings = list.ImportText(Dir / "i.txt");
    EXPECT_EQ(list.Count(), 30);
    ASSERT_EQ(warnings.size(), 21u);
    EXPECT_NE(warnings[19].find("line 20:"), std::string::npos) << warnings[19];
    EXPECT_EQ(warnings[20], (Dir / "i.txt").string() + ": 10 more warnings are not shown.");
}

TEST_F(WiresList, FailedImportKeepsTheCatalogAndNamesTheLine)
{
    TWiresList list;
    list.Add(Ac50());
    const struct
    {
        std::string Text;
        std::string Message;
    } cases[] = {
        {"A;1;2;3;4;5\r\n\r\nB;1;x;3;4;5\r\n", "line 3: 'x' is not a valid floating point value"},
        {"A;1;2;3;4;5;1.5\r\n", "line 1: '1.5' is not a valid integer value"},
        {"A;1;2;3;4;5\r\nA;1;2;3;4\r\n", "line 2: 5 fields where six are needed"},
        {";;;\r\n", "line 1: 3 fields where six are needed"},
        {"A;1;2;3;4;5;6;7\r\n", "line 1: 8 fields where seven at most are allowed"},
        {"A;1;2;3;4;5;6;;\r\n", "line 1: 8 fields where seven at most are allowed"},
        // A missing field no longer shifts the later ones into the wrong columns.
        {";11.4;79.3;0.276;8250;1.92e-5;1\r\n", "line 1: the name field is empty"},
        {";;A;;1;2;3;4;5;3;\r\n", "line 1: 10 fields where seven at most are allowed"},
        {";A;1;2;3;4;5\r\n", "line 1: the name field is empty"},
        {"A;1;;3;4;5\r\n", "line 1: the area field is empty"},
        {"A;1;2;3;4; \r\n", "line 1: the coefficient field is empty"},
        // Not numbers, whatever a C library would make of them.
        {"A;nan;2;3;4;5\r\n", "line 1: 'nan' is not a valid floating point value"},
        {"A;1;inf;3;4;5\r\n", "line 1: 'inf' is not a valid floating point value"},
        {"A;1;2;-Infinity;4;5\r\n", "line 1: '-Infinity' is not a valid floating point value"},
        {"A;1;2;3;1E309;5\r\n", "line 1: '1E309' is not a valid floating point value"},
        {"A;1;2;3;4;-1e400\r\n", "line 1: '-1e400' is not a valid floating point value"},
        {"A;1;2;3;4;5;99999999999\r\n", "line 1: '99999999999' is not a valid integer value"},
        // Nothing to replace the catalog with.
        {"", "i.txt holds no entries; the catalog was kept."},
        {"\r\n \t \r\n\n", "i.txt holds no entries; the catalog was kept."},
    };
    for (const auto &c : cases) {
        WriteAll(Dir / "i.txt", c.Text);
        try {
            (void)list.ImportText(Dir / "i.txt");
            ADD_FAILURE() << "no error for " << c.Text;
        } catch (const EConvertError &e) {
            const std::string what = e.what();
            EXPECT_NE(what.find((Dir / "i.txt").string()), std::string::npos) << what;
            EXPECT_NE(what.find(c.Message), std::string::npos) << what;
        }
        ASSERT_EQ(list.Count(), 1);
        EXPECT_TRUE(list.Get(0).Equals(Ac50()));
        EXPECT_EQ(list.Changes(), 0);
    }
}

// --- Units -------------------------------------------------------------------------------

TEST_F(WiresList, ModulusShownInKiloNewtonIsAHundredthOfTheStoredValue)
{
    UseUnitSystem(TUnitSystem::KN);
    EXPECT_EQ(StoredModulus(82.5), 8250.0);
    EXPECT_EQ(FormatGeneral(ShownModulus(8250)), "82.5");
    UseUnitSystem(TUnitSystem::DaN);
    EXPECT_EQ(FormatGeneral(ShownModulus(8250)), "8250");
}
