// The journal's two templates and the support import's starting workbook as shipped, and the
// statements of the template tool they need: layouts without unit variants, example values,
// title rows repeated on every page.
#include "test_support.h"
#include "xls/cell_ref.h"
#include "xls/columns.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

const fs::path kForms = VARTESK_BINARY_DIR "/bin/Forms";
const fs::path kTool = VARTESK_BINARY_DIR "/tools/vartesk_make_forms";

std::string Text(TSheet &sheet, const char *a1)
{
    const TCellRef at = TCellRef::Parse(a1);
    return sheet.Cells().Item(at.Row, at.Col).Value().AsText();
}

int MakeForms(const vartesk::test::TScratchDir &dir, const std::string &source, std::string &out)
{
    vartesk::test::WriteAll(dir / "Mini.form", "sheet \"S\"\n" + source);
    return vartesk::test::RunCommand("'" + kTool.string() + "' '" + (dir / "Mini.form").string()
                                         + "' '" + (dir / "out").string() + "'",
                                     out);
}

} // namespace

TEST(JournalForms, TwoLanguagesNoUnitVariantsCaptionsInTwoRowsAndColumnFormats)
{
    EXPECT_FALSE(fs::exists(kForms / "JournalN_en.xls"));
    struct TCase
    {
        const char *File, *Sheet, *Span, *Wire;
    };
    for (const TCase &c : {TCase {"Journal_en.xls", "Journal", "Span, m", "in the span"},
                           TCase {"Journal_ru.xls", "Журнал", "Пролёт, м", "в пролёте"}}) {
        SCOPED_TRACE(c.File);
        TXLSFile file;
        ASSERT_NO_THROW(file.OpenFile(kForms / c.File));
        ASSERT_EQ(file.Sheets().Count(), 1);
        TSheet &sheet = file.Sheets().Item(0);
        EXPECT_EQ(sheet.Name(), c.Sheet);
        EXPECT_EQ(Text(sheet, "F1"), c.Span);
        EXPECT_EQ(Text(sheet, "K2"), c.Wire);
        // Nothing below the two caption rows: the journal's rows start at row 3.
        for (size_t r = 2; r < sheet.Cells().Rows.size(); ++r)
            EXPECT_TRUE(sheet.Cells().Rows[r].empty()) << "row " << r + 1;
        // What the journal adds below takes the format of its column.
        for (const char *a1 : {"D3", "F3", "G3", "H3", "K3", "L3", "M3", "N3"}) {
            const TCellRef at = TCellRef::Parse(a1);
            TCell cell = sheet.Cells().Item(at.Row, at.Col);
            cell.SetNumber(1);
            EXPECT_EQ(cell.NumberFormat(), "0.00") << a1;
        }
        EXPECT_EQ(sheet.Columns().Item(Col("I")).Width(), 11.57);
        const TPageSetup &ps = sheet.PageSetup;
        EXPECT_EQ(ps.PaperSize, 9);
        EXPECT_TRUE(ps.Options & TPageSetup::kPortrait);
        EXPECT_TRUE(ps.WsBool & TPageSetup::kFitToPage);
        EXPECT_EQ(ps.FitWidth, 1);
        EXPECT_EQ(ps.FitHeight, 0);
        EXPECT_EQ(ps.TitleRows, (std::pair {0, 1}));
    }
}

TEST(JournalForms, TheImportWorkbookCarriesTheMarkerCaptionsAndExampleRows)
{
    TXLSFile file;
    ASSERT_NO_THROW(file.OpenFile(kForms / "Import_supports.xls"));
    TSheet &sheet = file.Sheets().Item(0);
    EXPECT_EQ(Text(sheet, "B2"), "№№ опор (до 5 символов)");
    EXPECT_NE(Text(sheet, "D2").find("span"), std::string::npos);
    EXPECT_EQ(Text(sheet, "B3"), "1");
    EXPECT_EQ(sheet.Cells().Item(2, Col("C")).Value().Number(), 1);
    EXPECT_EQ(Text(sheet, "D5"), "245.5");
    EXPECT_EQ(Text(sheet, "F4"), "П110-3");
    EXPECT_EQ(Text(sheet, "D7"), ""); // the last support's span may be left out
    EXPECT_EQ(Text(sheet, "B8"), ""); // an empty B ends the list
    // Support numbers and codes typed below stay texts (no 1-2 read as a date).
    EXPECT_EQ(sheet.Cells().Item(20, Col("B")).NumberFormat(), "@");
}

TEST(MakeForms, LayoutsOfTwoFilesOrOneValuesAndRepeatedRows)
{
    vartesk::test::TScratchDir dir;
    std::string out;
    ASSERT_EQ(MakeForms(dir,
                        "files languages\n"
                        "text B1 \"Span\" | \"Пролёт\"\n"
                        "values B2:D2 bold \"a\" | \"б\" 12.5 \"\"\n"
                        "values E2:E3 -3 \"x\"\n"
                        "page repeat-rows 1:2\n",
                        out),
              0)
        << out;
    EXPECT_FALSE(fs::exists(dir / "out" / "MiniN_en.xls"));
    for (const char *name : {"Mini_en.xls", "Mini_ru.xls"}) {
        SCOPED_TRACE(name);
        TXLSFile file;
        ASSERT_NO_THROW(file.OpenFile(dir / "out" / name));
        TSheet &sheet = file.Sheets().Item(0);
        const bool ru = std::string(name) == "Mini_ru.xls";
        EXPECT_EQ(Text(sheet, "B2"), ru ? "б" : "a");
        EXPECT_EQ(sheet.Cells().Item(1, 2).Value().Number(), 12.5);
        EXPECT_TRUE(sheet.Cells().Item(1, 3).Exists());
        EXPECT_TRUE(sheet.Cells().Item(1, 3).Value().IsEmpty());
        EXPECT_EQ(sheet.Cells().Item(1, 4).Value().Number(), -3);
        EXPECT_EQ(Text(sheet, "E3"), "x");
        EXPECT_EQ(sheet.PageSetup.TitleRows, (std::pair {0, 1}));
    }
    vartesk::test::TScratchDir one;
    ASSERT_EQ(MakeForms(one, "files one\ntext B1 \"Пролёт (span)\"\n", out), 0) << out;
    EXPECT_TRUE(fs::exists(one / "out" / "Mini.xls"));
    EXPECT_FALSE(fs::exists(one / "out" / "Mini_ru.xls"));
}

TEST(MakeForms, RefusesWhatALayoutWithoutVariantsCannotHold)
{
    struct TCase
    {
        const char *Source, *Message;
    };
    const TCase cases[] {
        {"files one\ntext B1 \"a\" | \"б\"\n", ":3: a layout of one file takes each text once"},
        {"files languages\nunits f \"daN\" \"kN\"\ntext B1 \"{f}\"\n",
         ":4: a layout without unit variants takes no unit words"},
        {"files some\n", ":2: files are units-languages, languages or one"},
        {"values B1:C1 1\n", ":2: values takes one value per cell of a one-row or one-column"},
        {"values B1:C2 1 2 3 4\n", ":2: values takes one value per cell"},
        {"text B1 \"a\"\nvalues B1 2\n", ":3: B1 is already a caption"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Source);
        vartesk::test::TScratchDir dir;
        std::string out;
        EXPECT_EQ(MakeForms(dir, c.Source, out), 1);
        EXPECT_NE(out.find(c.Message), std::string::npos) << out;
    }
}
