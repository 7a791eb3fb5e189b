// The imports' fuzz seeds and every input found troublesome (fuzz/regressions/climate_import
// and support_import): a climate file imports whole or changes nothing; a workbook gives
// sections of two supports or more, or leaves the project as it was.
#include "model/project.h"
#include "reports/climate_import.h"
#include "reports/support_import.h"
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include "input_trace.h"
#include "scripted_user.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace vartesk;

namespace {

int ForEach(const fs::path &dir, const std::function<void(const std::string &)> &check)
{
    int files = 0;
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const std::string bytes = test::ReadAll(entry.path());
        const std::string input = test::DescribeInput(entry.path().string(), bytes);
        SCOPED_TRACE(input);
        test::TCrashNote note(input);
        check(bytes);
    }
    return files;
}

const fs::path kFuzz = fs::path(VARTESK_SOURCE_DIR) / "fuzz";

} // namespace

TEST(ImportFuzzRegression, ClimateFilesImportWholeOrChangeNothing)
{
    auto check = [](const std::string &bytes) {
        TProject project;
        project.Klimat.Tols = 12.5;
        TProject before;
        before.Assign(project);
        try {
            ImportClimateText(project, bytes);
        } catch (const EClimateFileError &e) {
            EXPECT_GE(e.Line, 1);
            EXPECT_TRUE(project.Equals(before));
        }
    };
    EXPECT_GT(ForEach(kFuzz / "corpus" / "climate_import", check), 0);
    ForEach(kFuzz / "regressions" / "climate_import", check);
}

TEST(ImportFuzzRegression, WorkbooksGiveWholeSectionsOrNothing)
{
    auto check = [](const std::string &bytes) {
        xls::TXLSFile file;
        try {
            file.OpenBytes(bytes);
        } catch (const std::exception &) {
            return;
        }
        TProject project;
        project.Parcels.Add(std::make_unique<TParcel>());
        test::TScriptedUser user;
        const TSupportImport result = ImportSupports(project, file.Workbook(), user);
        if (result.Sections == 0) {
            EXPECT_EQ(project.Parcels.Count(), 1);
            return;
        }
        EXPECT_EQ(project.Parcels.Count(), result.Sections);
        for (const auto &section : project.Parcels)
            EXPECT_GE(section->Pillars.Count(), 2);
    };
    EXPECT_GT(ForEach(kFuzz / "corpus" / "support_import", check), 0);
    ForEach(kFuzz / "regressions" / "support_import", check);
}
