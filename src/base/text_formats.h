// Plain-text output forms shared by every printed table and document: JSON, CSV, columns.
#pragma once

#include <string>
#include <string_view>

namespace vartesk {

// The shortest decimal text that reads back to the same double ("null" for NaN and the
// infinities, which JSON cannot hold).
std::string RoundTripNumber(double v);

// A fixed-point text with `decimals` digits after the point.
std::string FixedNumber(double v, int decimals);

// A number as a spreadsheet shows it in the format "0", "0.0", "0.00"...: the value taken to
// its 15 significant digits, then rounded to `decimals` (0..15) with halves away from zero,
// so 2.675 shows "2.68" and -0.001 "-0.00". Not finite: "".
std::string SheetFixedNumber(double v, int decimals);
// The same in the format "0.00E+00" with `decimals` (0..14) digits after the point: at least
// two exponent digits, "0.00E+00" for zero.
std::string SheetScientificNumber(double v, int decimals);

// A JSON string literal: quotes and backslashes escaped, control characters as \uXXXX or
// their short forms; UTF-8 passes through.
std::string JsonQuoted(std::string_view text);

// An RFC 4180 field: quoted, with quotes doubled, when it holds a comma, a quote or a line
// break.
std::string CsvField(std::string_view text);

// Padding to a width counted in characters of UTF-8 text; a longer text is left whole.
std::string PadLeft(std::string_view text, size_t width);
std::string PadRight(std::string_view text, size_t width);

} // namespace vartesk
