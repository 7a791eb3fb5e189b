// String table storage and lookup.
#include "l10n/string_table.h"

#include "base/split_by_char.h"
#include "base/utf8.h"
#include "l10n/language.h"

#include <algorithm>
#include <map>

namespace vartesk {

namespace {

struct TStringEntry
{
    TStringGroup Group;
    const char *Key;
    const char *Value;
};

constexpr TStringEntry kStringTable[] = {
#include "l10n/string_table_data.inc"
};

std::map<std::string, std::string> &Table()
{
    static std::map<std::string, std::string> table;
    return table;
}

} // namespace

void RegisterString(std::string_view key, std::string_view value)
{
    auto &table = Table();
    const std::string folded = Utf8Lower(key);
    if (value.empty())
        table.erase(folded);
    else
        table[folded] = std::string(value);
}

void RegisterStringGroup(TStringGroup group)
{
    for (const auto &entry : kStringTable)
        if (entry.Group == group)
            RegisterString(entry.Key, entry.Value);
}

void RegisterAllStrings()
{
    for (const auto &entry : kStringTable)
        RegisterString(entry.Key, entry.Value);
}

void ClearStrings()
{
    Table().clear();
}

std::string LocalString(std::string_view key)
{
    const auto &table = Table();
    auto it = table.find(Utf8Lower(key));
    if (it == table.end() || it->second.empty())
        return {};
    // A ';' that belongs to a text is written "\;": a bare one separates the languages. It is
    // kept aside as a control character no text holds while the value is split.
    constexpr char kKeptSemicolon = '\x1F';
    std::string value = it->second;
    for (size_t at = value.find("\\;"); at != std::string::npos; at = value.find("\\;", at))
        value.replace(at, 2, 1, kKeptSemicolon);
    const auto parts = SplitByChar(value, ';');
    const size_t index = size_t(CurrentLanguage());
    if (index >= parts.size())
        return {};
    std::string text = parts[index];
    std::replace(text.begin(), text.end(), kKeptSemicolon, ';');
    return text;
}

size_t StringCount()
{
    return Table().size();
}

} // namespace vartesk
