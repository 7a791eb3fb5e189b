// vartesk xls dump and copy: output, exit codes 0, 1 and 2.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kFixture = VARTESK_SOURCE_DIR "/tests/xls/fixtures/lo_template.xls";

int RunCli(const std::string &args, std::string &out)
{
    return vartesk::test::RunCommand(std::string(VARTESK_CLI) + " " + args, out);
}

} // namespace

TEST(XlsCli, DumpJsonShowsCellsMergesAndWidths)
{
    std::string out;
    ASSERT_EQ(RunCli("xls dump '" + kFixture + "'", out), 0) << out;
    EXPECT_NE(out.find("\"name\":\"Форма\""), std::string::npos);
    EXPECT_NE(out.find("{\"address\":\"C2\",\"row\":1,\"col\":2,\"kind\":\"number\",\"value\":1.43,"
                       "\"format\":\"0.00\"}"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"merged\":[\"B1:E1\",\"B4:C5\"]"), std::string::npos);
    EXPECT_NE(out.find("\"formula\":true"), std::string::npos);
    EXPECT_NE(out.find("\"columns\":[{\"col\":0"), std::string::npos);
}

TEST(XlsCli, DumpCsvOfOneSheet)
{
    std::string out;
    ASSERT_EQ(RunCli("xls dump '" + kFixture + "' --sheet Notes --format csv", out), 0) << out;
    EXPECT_EQ(out.rfind("sheet,item,address,kind,value,format\n", 0), 0u);
    EXPECT_NE(out.find("Notes,cell,A1,text,English text,General\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Notes,cell,B1,number,0.001,General\n"), std::string::npos);
    EXPECT_EQ(out.find("Форма"), std::string::npos);
}

TEST(XlsCli, CopyWritesAWorkbookThatDumpsTheSame)
{
    vartesk::test::TScratchDir dir;
    const std::string copy = (dir / "copy.xls").string();
    std::string out;
    ASSERT_EQ(RunCli("xls copy '" + kFixture + "' '" + copy + "'", out), 0) << out;
    EXPECT_TRUE(out.empty()) << out;
    std::string a, b;
    ASSERT_EQ(RunCli("xls dump '" + kFixture + "'", a), 0);
    ASSERT_EQ(RunCli("xls dump '" + copy + "'", b), 0);
    EXPECT_EQ(a, b);
}

TEST(XlsCli, FailuresAreOneLineWithExitCode1)
{
    vartesk::test::TScratchDir dir;
    std::string out;
    EXPECT_EQ(RunCli("xls dump '" + (dir / "missing.xls").string() + "'", out), 1);
    EXPECT_NE(out.find("Can not open a file"), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
    vartesk::test::WriteAll(dir / "text.xls", "not a workbook");
    out.clear();
    EXPECT_EQ(RunCli("xls dump '" + (dir / "text.xls").string() + "'", out), 1);
    EXPECT_NE(out.find("text.xls: The file is not an Excel 97-2003 workbook"), std::string::npos)
        << out;
    vartesk::test::WriteAll(dir / "book.xlsx",
                            std::string("PK\x03\x04\x14\x00", 6) + "xl/workbook.xml");
    out.clear();
    EXPECT_EQ(RunCli("xls dump '" + (dir / "book.xlsx").string() + "'", out), 1);
    EXPECT_NE(out.find("book.xlsx: The file is an Excel 2007+ workbook (.xlsx); save it as "
                       "Excel 97-2003 (.xls)\n"),
              std::string::npos)
        << out;
    out.clear();
    EXPECT_EQ(RunCli("xls dump '" + kFixture + "' --sheet Nowhere", out), 1);
    EXPECT_NE(out.find("no sheet named"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(RunCli("xls copy '" + kFixture + "' /nonexistent/dir/out.xls", out), 1);
    EXPECT_NE(out.find("Can not create a file"), std::string::npos) << out;
}

TEST(XlsCli, UsageMistakesExitWith2)
{
    std::string out;
    EXPECT_EQ(RunCli("xls", out), 2);
    EXPECT_EQ(RunCli("xls frobnicate a", out), 2);
    EXPECT_EQ(RunCli("xls dump", out), 2);
    EXPECT_EQ(RunCli("xls dump a b", out), 2);
    EXPECT_EQ(RunCli("xls dump a --format xml", out), 2);
    EXPECT_EQ(RunCli("xls copy a", out), 2);
    EXPECT_EQ(RunCli("xls copy a b --sheet X", out), 2);
    out.clear();
    EXPECT_EQ(RunCli("xls --help", out), 0);
    EXPECT_NE(out.find("vartesk xls dump FILE"), std::string::npos);
}
