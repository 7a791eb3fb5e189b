// Workbooks written by LibreOffice Calc (tests/xls/fixtures, made once from the .fods
// beside them): read with their content, and written again so that xlrd reads the same.
#include "test_support.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = fs::path(VARTESK_TEST_DATA) / "fixtures";

int RunPython(const std::string &args, std::string &output)
{
    return vartesk::test::RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/xls_check.py " + args,
                                     output);
}

} // namespace

TEST(Fixture, LibreOfficeTemplateReadsWithItsContent)
{
    TXLSFile f;
    f.OpenFile(kFixtures / "lo_template.xls");
    ASSERT_EQ(f.Sheets().Count(), 3);
    EXPECT_EQ(f.Sheets().Item(0).Name(), "Форма");
    EXPECT_EQ(f.Sheets().Item(1).Name(), "Notes");
    EXPECT_EQ(f.Sheets().Item(2).Name(), "Третий");
    TSheet &s = f.Sheets().Item(0);
    EXPECT_EQ(s.Cells().Item(0, 1).Value().Text(), "Монтажная таблица");
    EXPECT_EQ(s.Cells().Item(1, 1).Value().Text(), "Пролёт, м");
    EXPECT_EQ(s.Cells().Item(1, 2).Value().Number(), 1.43);
    EXPECT_EQ(s.Cells().Item(1, 2).NumberFormat(), "0.00");
    EXPECT_EQ(s.Cells().Item(1, 3).NumberFormat(), "0.000");
    EXPECT_TRUE(s.Cells().Item(2, 2).IsFormula());
    EXPECT_EQ(s.Cells().Item(2, 2).Value().Number(), 251.555);
    EXPECT_TRUE(s.Cells().Item(2, 3).Value().Boolean());
    EXPECT_EQ(s.Cells().Item(0, 1).Font().Weight, 700);
    EXPECT_EQ(s.Cells().Item(1, 2).BorderStyle(0), 1);
    const auto merged = s.Ranges().MergedAreas();
    EXPECT_EQ(merged.size(), 2u);
    EXPECT_EQ(s.Notes.size(), 1u); // the comment
    EXPECT_FALSE(s.Drawing.empty()); // and its shape
    EXPECT_GT(s.Columns().Item(1).Width(), s.Columns().Item(0).Width());
    EXPECT_EQ(f.Sheets().Item(1).Cells().Item(0, 1).Value().Number(), 0.001);
}

TEST(Fixture, CopyOfEachFixtureReadsTheSameInXlrd)
{
    if (!fs::exists("/usr/bin/python3"))
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    vartesk::test::TScratchDir dir;
    for (const char *name : {"lo_template", "lo_plain", "lo_picture"}) {
        TXLSFile f;
        f.OpenFile(kFixtures / (std::string(name) + ".xls"));
        const fs::path out = dir / (std::string(name) + ".copy.xls");
        f.SaveAs(out);
        std::string output;
        const int code = RunPython("pair '" + (kFixtures / (std::string(name) + ".xls")).string()
                                       + "' '" + out.string() + "'",
                                   output);
        if (code == 77)
            GTEST_SKIP() << "python3-xlrd is not installed";
        EXPECT_EQ(code, 0) << name << "\n" << output;
        // And our own reader reads the copy as it read the original.
        TXLSFile again;
        again.OpenFile(out);
        EXPECT_EQ(again.Sheets().Count(), f.Sheets().Count());
        EXPECT_EQ(again.SaveToBytes(), f.SaveToBytes()) << "a second copy changes nothing";
    }
}

TEST(Fixture, TemplateFilledAndCopiedLikeAReport)
{
    // What a report does: widths, CopySheet per section, names, header cells.
    TXLSFile f;
    f.OpenFile(kFixtures / "lo_template.xls");
    TSheet &form = f.Sheets().Item(0);
    form.Columns().Item(0).SetWidth(1.43);
    f.Sheets().CopySheet(0, 1, "P_1");
    f.Sheets().CopySheet(0, 2, "P_2");
    f.Sheets().Item(0).SetName("S1");
    f.Sheets().Item(1).SetName("S2");
    f.Sheets().Item(1).Cells().Item(3, 6).SetValue(20.5);
    f.Sheets().Item(2).CopyBlock(1, 2, 1, 4, 5, 1);
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    ASSERT_EQ(back.Sheets().Count(), 5);
    EXPECT_EQ(back.Sheets().Item(1).Name(), "S2");
    EXPECT_EQ(back.Sheets().Item(2).Name(), "P_2");
    EXPECT_EQ(back.Sheets().Item(3).Name(), "Notes");
    EXPECT_EQ(back.Sheets().Item(1).Cells().Item(1, 2).NumberFormat(), "0.00");
    EXPECT_EQ(back.Sheets().Item(1).Ranges().MergedAreas().size(), 2u);
    EXPECT_EQ(back.Sheets().Item(1).Columns().Item(0).Width(), 1.43);
    EXPECT_EQ(back.Sheets().Item(2).Cells().Item(6, 2).Value().Number(), 251.555);
    EXPECT_TRUE(back.Sheets().Item(2).Cells().Item(6, 2).IsFormula());
}
