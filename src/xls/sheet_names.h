// Sheet names every spreadsheet program accepts.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace vartesk::xls {

// At most this many characters (UTF-16 units) in a sheet name.
inline constexpr size_t kSheetNameLength = 31;

// `wanted` as a name the spreadsheet program takes: each of [ ] : * ? / \ replaced by "_",
// no "'" at either end, at most 31 characters; "_" for a name with nothing left.
std::string AcceptableSheetName(std::string_view wanted);

// Names of one workbook, kept apart the way the spreadsheet program compares them: without
// regard to letter case.
class TSheetNames
{
public:
    // A name the workbook already holds.
    void Take(std::string_view name);
    // AcceptableSheetName of `wanted`, followed by " (2)", " (3)", ... (the whole still of at
    // most 31 characters) when a name taken already has it; the name given is taken.
    std::string Give(std::string_view wanted);

private:
    std::unordered_set<std::string> Taken; // lower case
};

} // namespace vartesk::xls
