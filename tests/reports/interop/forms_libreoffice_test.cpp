// Label interop: LibreOffice (soffice, headless) opens the report templates and the support
// import's starting workbook, prints each on one page, and, saving them again as a user editing
// them would, keeps what the reports rely on. Skips when soffice is not installed.
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using vartesk::test::RunCommand;

namespace {

const fs::path kForms = VARTESK_BINARY_DIR "/bin/Forms";

bool HaveSoffice()
{
    std::string out;
    return RunCommand("command -v soffice", out) == 0;
}

// Converts every template into dir/out as the given filter; false when soffice failed.
void Convert(const fs::path &dir, const std::string &filter, std::string &output)
{
    std::string files;
    for (const auto &e : fs::directory_iterator(kForms))
        files += " '" + e.path().string() + "'";
    // A profile of its own, so that a running LibreOffice of the user does not interfere.
    const std::string cmd = "timeout 300 soffice -env:UserInstallation=file://" + dir.string()
        + "/profile --headless --convert-to '" + filter + "' --outdir '" + (dir / "out").string()
        + "'" + files;
    ASSERT_EQ(RunCommand(cmd, output), 0) << output;
}

} // namespace

TEST(FormsInterop, EachTemplatePrintsOnOnePage)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    std::string output;
    Convert(dir.Path(), "pdf", output);
    int count = 0;
    for (const auto &e : fs::directory_iterator(kForms)) {
        const fs::path pdf = dir / "out" / (e.path().stem().string() + ".pdf");
        SCOPED_TRACE(pdf.filename().string());
        ASSERT_TRUE(fs::exists(pdf)) << output;
        EXPECT_EQ(vartesk::test::PdfPageCount(vartesk::test::ReadAll(pdf)), 1);
        ++count;
    }
    // The sixteen stringing-table and loads templates, the four damper templates, the four
    // sagging templates, the journal's two, the import's one.
    EXPECT_EQ(count, 27);
}

TEST(FormsInterop, TemplatesSavedAgainByLibreOfficeKeepTheFormatsOfTheFilledCells)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    std::string output;
    Convert(dir.Path(), "xls:MS Excel 97", output);
    output.clear();
    const int code = RunCommand("/usr/bin/python3 " VARTESK_TEST_DATA "/forms_check.py '"
                                    + (dir / "out").string() + "'",
                                output);
    if (code == 77)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(code, 0) << output;
}

// A report of the demo (three short sections) from each of the sixteen templates prints one
// page a section: a table wider than the page would come out on two or more.
TEST(FormsInterop, EachReportPrintsOnePageWideASection)
{
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    vartesk::test::TScratchDir dir;
    fs::create_directory(dir / "reports");
    std::string files;
    std::string output;
    for (const char *kind : {"mount1", "mount2", "mount3", "loads"})
        for (const char *lang : {"en", "ru"})
            for (const char *units : {"daN", "kN"}) {
                const fs::path report
                    = dir / "reports" / (std::string(kind) + "_" + lang + "_" + units + ".xls");
                ASSERT_EQ(RunCommand(std::string(VARTESK_CLI) + " --lang " + lang + " --units "
                                         + units + " report " + kind
                                         + " '" VARTESK_SOURCE_DIR "/examples/demo.vsk' -o '"
                                         + report.string() + "'",
                                     output),
                          0)
                    << output;
                files += " '" + report.string() + "'";
            }
    const std::string cmd = "timeout 300 soffice -env:UserInstallation=file://"
        + dir.Path().string() + "/profile --headless --convert-to pdf --outdir '"
        + (dir / "out").string() + "'" + files;
    ASSERT_EQ(RunCommand(cmd, output), 0) << output;
    int count = 0;
    for (const auto &e : fs::directory_iterator(dir / "reports")) {
        const fs::path pdf = dir / "out" / (e.path().stem().string() + ".pdf");
        SCOPED_TRACE(pdf.filename().string());
        ASSERT_TRUE(fs::exists(pdf)) << output;
        EXPECT_EQ(vartesk::test::PdfPageCount(vartesk::test::ReadAll(pdf)), 3);
        ++count;
    }
    EXPECT_EQ(count, 16);
}
