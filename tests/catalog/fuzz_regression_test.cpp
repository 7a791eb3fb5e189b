// The catalog readers' fuzz seeds and every input found troublesome (fuzz/regressions/
// catalog_binary and catalog_text): whole records load, text converts or names its line.
#include "base/number_text.h"
#include "catalog/wire_record.h"
#include "catalog/wires_list.h"

#include "input_trace.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

int ForEach(const fs::path &dir, const std::function<void(const std::string &)> &check)
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
        check(bytes);
    }
    return files;
}

const fs::path kFuzz = fs::path(VARTESK_SOURCE_DIR) / "fuzz";

} // namespace

TEST(CatalogFuzzRegression, BinaryCatalogsLoadTheirWholeRecords)
{
    auto check = [](const std::string &bytes) {
        vartesk::TWiresList list;
        (void)list.LoadFromBytes(bytes, "fuzz.dat");
        EXPECT_EQ(size_t(list.Count()), bytes.size() / vartesk::kWireRecordSize);
    };
    EXPECT_GT(ForEach(kFuzz / "corpus" / "catalog_binary", check), 0);
    ForEach(kFuzz / "regressions" / "catalog_binary", check);
}

TEST(CatalogFuzzRegression, TextExportsConvertOrNameTheirLine)
{
    auto check = [](const std::string &bytes) {
        try {
            (void)vartesk::ParseWireText(bytes, "fuzz.txt");
        } catch (const vartesk::EConvertError &e) {
            EXPECT_NE(std::string(e.what()).find("fuzz.txt"), std::string::npos) << e.what();
        }
    };
    EXPECT_GT(ForEach(kFuzz / "corpus" / "catalog_text", check), 0);
    ForEach(kFuzz / "regressions" / "catalog_text", check);
}
