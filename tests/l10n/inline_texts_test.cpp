// No text a person reads is written in the sources beside the string table.
#include "l10n/string_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace vartesk;

namespace {

// Files whose Russian literals are data, written so in either language.
const std::map<std::string, std::string> kRussianData = {
    {"app/command_table.cpp", "the Language command names the language in both words"},
    {"app/main_window.cpp", "the file dialogs' fixed Russian titles"},
    {"app/support_grid.cpp", "what a Russian keyboard types into the grid: В, and the angle label"},
    {"catalog/wire_groups.cpp", "the catalog's group names"},
    {"cli/cmd_import.cpp", "the help quotes the marker a workbook's sheets carry"},
    {"dampers/calc_dampers.cpp", "prefixes of damper type names"},
    {"dampers/damper_model_name.cpp", "damper model names"},
    {"dampers/damper_rules.cpp", "damper type names of the selection tables"},
    {"model/angle_text.cpp", "the angle label the outputs write in either language"},
    {"model/pillar.h", "the support codes a project file stores"},
    {"reports/journal_report.cpp", "the crossing code the journal writes in either language"},
    {"reports/support_import.h", "the marker a workbook's sheets carry"},
    {"ui/settings_dialogs.cpp", "each language named in its own words"},
};

// The string literals of C++ source as written, without comments and character literals.
std::vector<std::string> Literals(const std::string &s)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char before = i > 0 ? static_cast<unsigned char>(s[i - 1]) : ' ';
        const bool wordBefore = std::isalnum(before) || before == '_';
        if (s.compare(i, 2, "//") == 0 || s.compare(i, 2, "/*") == 0) {
            const std::string end = s[i + 1] == '/' ? "\n" : "*/";
            i = std::min(s.find(end, i + 2), s.size()) + end.size();
        } else if (s.compare(i, 2, "R\"") == 0 && !wordBefore) {
            const size_t open = s.find('(', i);
            const std::string end = ")" + s.substr(i + 2, open - i - 2) + "\"";
            const size_t close = std::min(s.find(end, open), s.size());
            out.push_back(s.substr(open + 1, close - open - 1));
            i = close + end.size();
        } else if (s[i] == '"' || (s[i] == '\'' && !wordBefore)) { // 1'000 separates digits
            size_t k = i + 1;
            while (k < s.size() && s[k] != s[i])
                k += s[k] == '\\' ? 2 : 1;
            if (s[i] == '"')
                out.push_back(s.substr(i + 1, k - i - 1));
            i = k + 1;
        } else {
            ++i;
        }
    }
    return out;
}

// U+0400..U+04FF begin with the bytes D0..D3 in UTF-8.
bool HasCyrillic(const std::string &text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xD0 && byte <= 0xD3;
    });
}

} // namespace

TEST(InlineTexts, RussianLiteralsAreInTheStringTableOrAreData)
{
    RegisterAllStrings();
    const std::filesystem::path src = std::filesystem::path(VARTESK_SOURCE_DIR) / "src";
    std::set<std::string> holding;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        const std::string name = entry.path().lexically_relative(src).generic_string();
        if ((ext != ".cpp" && ext != ".h" && ext != ".inc") || name == "l10n/string_table_data.inc")
            continue;
        for (const std::string &literal : Literals(test::ReadAll(entry.path()))) {
            // A few of the table's keys hold a Cyrillic letter; a key is no text.
            if (!HasCyrillic(literal) || !LocalString(literal).empty())
                continue;
            holding.insert(name);
            if (!kRussianData.contains(name))
                ADD_FAILURE() << "src/" << name << ": \"" << literal
                              << "\" belongs in the string table";
        }
    }
    for (const auto &[name, what] : kRussianData)
        EXPECT_TRUE(holding.contains(name)) << name << " no longer holds " << what;
    ClearStrings();
}
