// Every kind of workbook the tests write, read back by Debian's python3-xlrd.
#include "test_support.h"
#include "xls/workbook_dump.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

const char *kPython = "/usr/bin/python3";

// Runs the cross-check script; skips the test when xlrd is not there (exit 77).
void ExpectXlrdReads(const TXLSFile &file, const std::string &name)
{
    if (!fs::exists(kPython))
        GTEST_SKIP() << kPython << " is not installed";
    vartesk::test::TScratchDir dir;
    const fs::path xls = dir / (name + ".xls");
    const fs::path json = dir / (name + ".json");
    file.SaveAs(xls);
    vartesk::test::WriteAll(json, DumpJson(file.Workbook()));
    const std::string cmd = std::string(kPython) + " " VARTESK_TEST_DATA "/xls_check.py json '"
        + json.string() + "' '" + xls.string() + "'";
    std::string output;
    const int code = vartesk::test::RunCommand(cmd, output);
    if (code == 77)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(code, 0) << output;
}

} // namespace

TEST(Xlrd, ValuesKindsFormatsMergesAndWidthsMatch)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    s.SetName("Опоры");
    s.Cells().Item(0, 0).SetValue("Натяжение, даН");
    s.Cells().Item(0, 1).SetValue(1.43);
    s.Cells().Item(0, 1).SetNumberFormat("0.00");
    s.Cells().Item(1, 0).SetValue(-123456789.125);
    s.Cells().Item(1, 1).SetValue(1e-7);
    s.Cells().Item(1, 2).SetValue(true);
    s.Cells().Item(1, 3).SetValue(TErrorValue {0x07});
    s.Cells().Item(2, 0).SetValue(TDate::FromCivil(2024, 5, 17));
    s.Cells().Item(2, 0).SetNumberFormat("dd.mm.yyyy");
    s.Cells().Item(2, 1).SetBorderStyle(4, 2); // blank with a format
    s.Cells().Item(3, 0).SetValue(std::string(300, 'x'));
    s.Cells().Item(4, 4).SetValue("Ü ü — €"); // outside Latin-1: UTF-16 in the SST
    s.Ranges().AddMerged({5, 0, 6, 3});
    s.Columns().Item(0).SetWidth(10.57);
    s.Columns().Item(1).SetWidth(1.43);
    s.Columns().Item(7).SetHidden(true);
    f.Sheets().Add("Hidden");
    f.Sheets().Item(1).SetHidden(true);
    f.Sheets().Item(1).Cells().Item(0, 0).SetValue(7);
    ExpectXlrdReads(f, "values");
}

TEST(Xlrd, FifteenHundredMergesAndALongCyrillicText)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    for (int i = 0; i < 1500; ++i)
        s.Ranges().AddMerged({i, 0, i, 2});
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "Ж";
    s.Cells().Item(0, 5).SetValue(text);
    for (int i = 0; i < 3000; ++i)
        s.Cells().Item(i, 6).SetValue("Строка " + std::to_string(i));
    ExpectXlrdReads(f, "merges");
}

TEST(Xlrd, CopiedSheetsAndBlocks)
{
    TXLSFile f;
    TSheet &form = f.Sheets().Item(0);
    form.SetName("Form");
    f.Sheets().Add("X");
    for (int r = 22; r <= 25; ++r)
        for (int c = 1; c <= 20; ++c) {
            form.Cells().Item(r, c).SetValue(r + c / 100.0);
            form.Cells().Item(r, c).SetNumberFormat("0.000");
        }
    form.Ranges().AddMerged({22, 1, 23, 3});
    form.Columns().Item(6).SetWidth(9.14);
    f.Sheets().CopySheet(0, 1, "P_1");
    f.Sheets().Item(1).CopyBlock(22, 25, 1, 20, 26, 1);
    f.Sheets().Item(1).InsertRows(23, 2);
    f.Sheets().Item(1).CopyRows(22, 22, 60);
    ExpectXlrdReads(f, "copies");
}

TEST(Xlrd, ReadAndWrittenAgainWorkbookStillMatches)
{
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    for (int r = 0; r < 200; ++r)
        for (int c = 0; c < 10; ++c) {
            if ((r + c) % 2)
                s.Cells().Item(r, c).SetValue(r * 0.1 + c);
            else
                s.Cells().Item(r, c).SetValue("т" + std::to_string(r * c));
        }
    TXLSFile back;
    back.OpenBytes(f.SaveToBytes());
    ExpectXlrdReads(back, "reread");
}
