// Label interop: LibreOffice (soffice, headless) reads our workbooks and writes them again;
// xlrd then finds the same content. Skips when soffice is not installed.
#include "test_support.h"
#include "xls/workbook_dump.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

using vartesk::test::RunCommand;

bool HaveSoffice()
{
    std::string out;
    return RunCommand("command -v soffice", out) == 0;
}

// Our file -> LibreOffice -> .xls again; xlrd compares the result with what we wrote.
void ExpectLibreOfficeKeeps(const fs::path &ours, const fs::path &dir, const std::string &expected)
{
    const fs::path outDir = dir / "lo";
    fs::create_directories(outDir);
    std::string output;
    // A profile of its own, so that a running LibreOffice of the user does not interfere.
    const std::string cmd = "timeout 300 soffice -env:UserInstallation=file://" + dir.string()
        + "/profile --headless --convert-to 'xls:MS Excel 97' --outdir '" + outDir.string() + "' '"
        + ours.string() + "'";
    ASSERT_EQ(RunCommand(cmd, output), 0) << output;
    const fs::path resaved = outDir / ours.filename();
    ASSERT_TRUE(fs::exists(resaved)) << output;
    output.clear();
    const int code = RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/xls_check.py " + expected
                                    + " '" + resaved.string() + "' --tolerant",
                                output);
    if (code == 77)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(code, 0) << output;
}

} // namespace

TEST(Interop, LibreOfficeReadsOurWorkbookWithNothingLost)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    TXLSFile f;
    TSheet &s = f.Sheets().Item(0);
    s.SetName("Монтаж");
    s.Cells().Item(0, 0).SetValue("Стрела провеса, м");
    s.Cells().Item(0, 1).SetValue(1.43);
    s.Cells().Item(0, 1).SetNumberFormat("0.00");
    s.Cells().Item(1, 0).SetValue(true);
    s.Cells().Item(1, 1).SetValue(-40);
    std::string longText;
    for (int i = 0; i < 3000; ++i)
        longText += "Щ";
    s.Cells().Item(2, 0).SetValue(longText);
    for (int i = 0; i < 1500; ++i) {
        s.Ranges().AddMerged({10 + i, 0, 10 + i, 1});
        s.Cells().Item(10 + i, 0).SetValue(i);
    }
    s.Columns().Item(0).SetWidth(10.57);
    s.Columns().Item(2).SetWidth(7);
    f.Sheets().CopySheet(0, 1, "P_1");
    const fs::path ours = dir / "ours.xls";
    f.SaveAs(ours);
    vartesk::test::WriteAll(dir / "ours.json", DumpJson(f.Workbook()));
    ExpectLibreOfficeKeeps(ours, dir.Path(), "json '" + (dir / "ours.json").string() + "'");
}

TEST(Interop, CopiesOfTheFixturesReadTheSameInLibreOffice)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    for (const char *name : {"lo_template", "lo_plain", "lo_picture"}) {
        const fs::path source
            = fs::path(VARTESK_TEST_DATA) / "fixtures" / (std::string(name) + ".xls");
        TXLSFile f;
        f.OpenFile(source);
        const fs::path copy = dir / (std::string(name) + ".xls");
        f.SaveAs(copy);
        ExpectLibreOfficeKeeps(copy, dir.Path(), "pair '" + source.string() + "'");
    }
}

TEST(Interop, LibreOfficeShowsThePicturesOfCopiedSheets)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    TXLSFile f;
    f.OpenFile(fs::path(VARTESK_TEST_DATA) / "fixtures" / "lo_picture.xls");
    f.Sheets().CopySheet(0, 1, "P_1");
    f.Sheets().CopySheet(0, 3, "P_2");
    const fs::path ours = dir / "copies.xls";
    f.SaveAs(ours);
    // LibreOffice's flat ODF export leaves comments out; its .xlsx keeps both kinds of
    // object in parts a few lines of Python can count.
    std::string output;
    const std::string cmd = "timeout 300 soffice -env:UserInstallation=file://"
        + dir.Path().string() + "/profile --headless --convert-to xlsx --outdir '"
        + dir.Path().string() + "' '" + ours.string() + "'";
    ASSERT_EQ(RunCommand(cmd, output), 0) << output;
    output.clear();
    ASSERT_EQ(RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/drawing_check.py --xlsx '"
                             + (dir / "copies.xlsx").string() + "'",
                         output),
              0)
        << output;
    // Per sheet in order: pictures and comments.
    EXPECT_EQ(output, "1 1\n1 1\n1 0\n1 1\n");
}
