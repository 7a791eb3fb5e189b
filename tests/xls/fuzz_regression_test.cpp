// Every fuzz seed and every input the fuzzer (or a review) found troublesome opens to a
// workbook or to one of the engine's errors; fuzz/regressions/xls_open keeps them by name.
#include "xls/xls_error.h"
#include "xls/xls_file.h"

#include "input_trace.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

// The workbook saved again, or the engine's words for why it did not open.
std::string Outcome(const std::function<void(TXLSFile &)> &open)
{
    TXLSFile file;
    try {
        open(file);
        const std::string saved = file.SaveToBytes();
        TXLSFile again;
        again.OpenBytes(saved);
        return saved;
    } catch (const EXLSError &e) {
        return std::string("EXLSError ") + e.what();
    } catch (const ECFileError &e) {
        return std::string("ECFileError ") + e.what() + " " + e.Detail();
    } catch (const EBiffError &e) {
        return std::string("EBiffError ") + e.what();
    } catch (const std::exception &e) {
        ADD_FAILURE() << "unexpected " << e.what();
    }
    return {};
}

// Opened from its file, which is read as it is needed, each input gives what its bytes give.
void ExpectOpensOrFailsCleanly(const fs::path &dir)
{
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    int files = 0;
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const std::string bytes = vartesk::test::ReadAll(entry.path());
        const std::string input = vartesk::test::DescribeInput(entry.path().string(), bytes);
        SCOPED_TRACE(input);
        vartesk::test::TCrashNote note(input);
        const std::string fromBytes = Outcome([&](TXLSFile &f) { f.OpenBytes(bytes); });
        const std::string fromFile = Outcome([&](TXLSFile &f) { f.OpenFile(entry.path()); });
        EXPECT_EQ(vartesk::test::WhereBytesDiffer(fromFile, fromBytes), "");
    }
    EXPECT_GT(files, 0);
}

} // namespace

TEST(FuzzRegression, SeedCorpusOpens)
{
    ExpectOpensOrFailsCleanly(fs::path(VARTESK_FUZZ_DIR) / "corpus" / "xls_open");
}

TEST(FuzzRegression, FoundInputsFailCleanly)
{
    ExpectOpensOrFailsCleanly(fs::path(VARTESK_FUZZ_DIR) / "regressions" / "xls_open");
}

TEST(FuzzRegression, FatLoopIsACompoundFileError)
{
    TXLSFile file;
    try {
        file.OpenBytes(vartesk::test::ReadAll(fs::path(VARTESK_FUZZ_DIR) / "regressions"
                                              / "xls_open" / "fat_loop.xls"));
        FAIL();
    } catch (const ECFileError &e) {
        EXPECT_NE(e.Detail().find("loop"), std::string::npos) << e.Detail();
    }
}
