// The climate-file import: both layouts, the reading rules of the project file, and a file that
// fails half-way, which changes nothing and names its line.
#include "base/file_io.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "reports/climate_import.h"
#include "scripted_user.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace vartesk;
using vartesk::test::TScratchDir;
using vartesk::test::TScriptedUser;

namespace {

// Lines 2..24 of a current-layout file (line 1 is the version), CR LF ended.
std::vector<std::string> CurrentLines()
{
    return {"Kembrin 2.1", // ignored
            "-5,5", // TGsw
            "-10", // Tgbw
            "whatever", // ignored
            "-45", // TMin
            "38", // TMax
            " 2.5 ", // Tsrec
            "16", // Vwetsg
            "32", // VMax
            "15", // Tols
            "a",
            "b",
            "c",
            "d",
            "e",
            "f", // six ignored
            "1.1",
            "1",
            "1.2",
            "1",
            "1.3",
            "1.4",
            "0.9", // coefficients
            "12;20", // heights
            "3"}; // terrain
}

std::string Text(const std::vector<std::string> &lines, const char *first = "version 3.4")
{
    std::string text = first ? std::string(first) + "\r\n" : std::string();
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

// The text with each line ended by a lone CR.
std::string CrOnly(std::string text)
{
    std::erase(text, '\n');
    return text;
}

// A project whose every imported value differs from what the files give.
void Fill(TProject &p)
{
    p.Klimat = {};
    p.Klimat.Tols = 99;
    p.KlimatKoef.V_Otv = 7;
    p.KlimatKoef.visotaPC = 77;
    p.KlimatKoef.TypeTer = 2;
    p.Parcels.Add(std::make_unique<TParcel>());
}

} // namespace

TEST(ClimateImport, TheCurrentLayoutSetsTheEightValuesAndTheCoefficientBlock)
{
    TProject p;
    Fill(p);
    ImportClimateText(p, Text(CurrentLines()));
    EXPECT_EQ(p.Klimat.TGsw, -5.5); // "," read as "."
    EXPECT_EQ(p.Klimat.Tgbw, -10);
    EXPECT_EQ(p.Klimat.TMin, -45);
    EXPECT_EQ(p.Klimat.TMax, 38);
    EXPECT_EQ(p.Klimat.Tsrec, 2.5);
    EXPECT_EQ(p.Klimat.Vwetsg, 16);
    EXPECT_EQ(p.Klimat.VMax, 32);
    EXPECT_EQ(p.Klimat.Tols, 15);
    EXPECT_EQ(p.KlimatKoef.V_Otv, 1.1);
    EXPECT_EQ(p.KlimatKoef.V_Nad, 1.2);
    EXPECT_EQ(p.KlimatKoef.G_Usl, 0.9);
    EXPECT_EQ(p.KlimatKoef.visotaPC, 12);
    EXPECT_EQ(p.KlimatKoef.visotaPC_tros, 20);
    EXPECT_EQ(p.KlimatKoef.TypeTer, 3);
    EXPECT_EQ(p.Parcels.Count(), 1); // nothing else changes

    // A heights line ";20": the empty first part is 15.
    auto lines = CurrentLines();
    lines[23] = ";20";
    ImportClimateText(p, Text(lines));
    EXPECT_EQ(p.KlimatKoef.visotaPC, 15);
    EXPECT_EQ(p.KlimatKoef.visotaPC_tros, 20);
}

TEST(ClimateImport, AnyOtherFirstLineIsTheOlderLayoutWithoutHeightsAndTerrain)
{
    // 23 lines: line 1 is the ignored one, the coefficient block has only its seven reals.
    auto lines = CurrentLines();
    lines.resize(23);
    for (const char *first : {"Version 3.4", "version 3.4 ", "Kembrin"}) {
        SCOPED_TRACE(first);
        TProject p;
        Fill(p);
        auto older = lines;
        older.front() = first;
        ImportClimateText(p, Text(older, nullptr));
        EXPECT_EQ(p.Klimat.TGsw, -5.5);
        EXPECT_EQ(p.Klimat.Tols, 15);
        EXPECT_EQ(p.KlimatKoef.G_Usl, 0.9);
        EXPECT_EQ(p.KlimatKoef.visotaPC, 15);
        EXPECT_EQ(p.KlimatKoef.visotaPC_tros, 15);
        EXPECT_EQ(p.KlimatKoef.TypeTer, 1);
    }
}

TEST(ClimateImport, AFileThatFailsHalfWayChangesNothingAndNamesItsLine)
{
    struct TCase
    {
        std::string Text;
        int Line;
        const char *Message;
    };
    auto with = [](size_t index, const char *value) {
        auto lines = CurrentLines();
        lines[index] = value;
        return Text(lines);
    };
    auto upTo = [](size_t count) {
        auto lines = CurrentLines();
        lines.resize(count);
        return Text(lines);
    };
    const std::vector<TCase> cases {
        // The climate values read before a bad one must not stay either.
        {with(6, "2.5.1"), 8, "'2.5.1' is not a valid floating point value"},
        // Neither a byte-order mark nor lone CRs shift the lines.
        {"\xEF\xBB\xBF" + with(6, "2.5.1"), 8, "'2.5.1' is not a valid floating point value"},
        {CrOnly(with(6, "2.5.1")), 8, "'2.5.1' is not a valid floating point value"},
        // The file ends after line 11: the first coefficient, due on line 18, is missing at
        // the line after the file's last.
        {upTo(10), 12, "'' is not a valid floating point value"},
        // Ends after line 24: the missing heights read as 15, the terrain does not convert.
        {upTo(23), 25, "'' is not a valid integer value"},
        {with(24, "3.0"), 26, "'3.0' is not a valid integer value"},
        {with(23, "12;x"), 25, "'x' is not a valid integer value"},
        {"", 1, "'' is not a valid floating point value"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Text);
        TProject p;
        Fill(p);
        TProject before;
        before.Assign(p);
        try {
            ImportClimateText(p, c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EClimateFileError &e) {
            EXPECT_EQ(e.Line, c.Line);
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
        EXPECT_TRUE(p.Equals(before));
    }
}

TEST(ClimateImport, TheDesktopsCommandTellsTheFileTheLineAndTheReason)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    TScratchDir dir;
    auto lines = CurrentLines();
    lines[4] = "abc";
    test::WriteAll(dir / "line.kbh", Text(lines));
    TProject p;
    TScriptedUser user;
    EXPECT_FALSE(ImportClimate(p, dir / "line.kbh", user));
    EXPECT_EQ(user.Log,
              (std::vector<std::string> {
                  "tell error: line.kbh, line 6: 'abc' is not a valid floating point value"}));
    // A file that is not there: the system's reason, with the file's name.
    user = {};
    EXPECT_FALSE(ImportClimate(p, dir / "none.kbh", user));
    ASSERT_EQ(user.Told.size(), 1u);
    EXPECT_NE(user.Told[0].find("none.kbh"), std::string::npos) << user.Told[0];
    // And a sound one.
    test::WriteAll(dir / "good.kbh", Text(CurrentLines()));
    user = {};
    EXPECT_TRUE(ImportClimate(p, dir / "good.kbh", user));
    EXPECT_TRUE(user.Log.empty());
    EXPECT_EQ(p.Klimat.TGsw, -5.5);
}
