// The project file's fuzz seeds and every input found troublesome (fuzz/regressions/
// project_file) load or end with the reader's own error, and what loads saves to itself.
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include "input_trace.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

int LoadEach(const fs::path &dir)
{
    int files = 0;
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const std::string bytes = vartesk::test::ReadAll(entry.path());
        const std::string input = vartesk::test::DescribeInput(entry.path().string(), bytes);
        SCOPED_TRACE(input);
        vartesk::test::TCrashNote note(input);
        vartesk::TProject project;
        try {
            (void)vartesk::LoadProjectBytes(bytes, project);
        } catch (const vartesk::EProjectFileError &) {
            continue;
        }
        const std::string saved = vartesk::ProjectFileBytes(project);
        vartesk::TProject again;
        (void)vartesk::LoadProjectBytes(saved, again);
        EXPECT_EQ(vartesk::ProjectFileBytes(again), saved);
    }
    return files;
}

} // namespace

TEST(ProjectFuzzRegression, SeedsAndFoundInputsLoadOrFailCleanly)
{
    const fs::path fuzz = fs::path(VARTESK_SOURCE_DIR) / "fuzz";
    EXPECT_GT(LoadEach(fuzz / "corpus" / "project_file"), 0);
    LoadEach(fuzz / "regressions" / "project_file");
}
