// Quoting a rejected text inside a message: short, on one line, with nothing raw.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vartesk {

inline constexpr size_t kMessageQuoteChars = 60;

// The text between single quotes, as a message shows it: control characters escaped (\r,
// \n, \t, \0, \xNN for the others and for bytes that are not UTF-8), and cut with "…" on a
// character boundary once maxChars characters are shown, so that a whole file read as one
// line cannot flood the terminal.
std::string QuoteForMessage(std::string_view text, size_t maxChars = kMessageQuoteChars);

} // namespace vartesk
