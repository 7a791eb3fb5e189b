// The process-wide table of English;Russian texts, looked up by case-insensitive key.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

// The windows that register their texts, in the order the program creates them.
enum TStringGroup {
    kStart,
    kCommon,
    kMain,
    kClimate,
    kCoef,
    kUnits,
    kCatalog,
    kCatalogEdit,
};

// Puts an entry into the table; an existing key gets the new value, an empty value
// removes the entry.
void RegisterString(std::string_view key, std::string_view value);
// Registers every entry of one window's group.
void RegisterStringGroup(TStringGroup group);
// Registers every group, as the program does by the time all its windows exist. Used by
// the command-line tool, which has no windows to create.
void RegisterAllStrings();
// Empties the table.
void ClearStrings();

// The text of the key in the current language; an unknown key gives an empty text. "\;" in a
// value is a ';' of the text, not the separator of the languages.
std::string LocalString(std::string_view key);

// Number of entries registered (for checks).
size_t StringCount();

} // namespace vartesk
