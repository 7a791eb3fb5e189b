// Windows-1251 (Cyrillic) codec used at every file boundary; text in memory is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

// Every byte decodes; 0x98, unassigned in the code page, maps to U+0098 so that it survives.
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters outside the code page (and broken UTF-8) become '?'; *lossless tells whether
// any did.
std::string Utf8ToCp1251(std::string_view utf8, bool *lossless = nullptr);

// True when every character of the UTF-8 text has a Windows-1251 byte.
bool FitsCp1251(std::string_view utf8);

} // namespace vartesk
