// Number texts: the general and the 23-character forms, and the strict readers of numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vartesk {

// A text that does not convert to the number asked for; what() is the user's message.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Shortest text of at most 15 significant digits, "." as separator, no trailing zeros;
// fixed notation for 1E-4 <= |x| < 1E15 (after rounding), else mantissa "E" exponent
// ("1E-5", "-2.5E20"). Zero is "0".
std::string FormatGeneral(double x);
// The same with at most `digits` significant digits (1..15); the exponent form starts at
// 10^digits. Spin fields show their reals with nine.
std::string FormatGeneral(double x, int digits);

// Fixed-width scientific form: sign (blank or "-"), d.dddddddddddddd, "E", sign, 4 digits.
// 5 gives " 5.00000000000000E+0000".
std::string FormatR23(double x);

// Readers: blanks around the number are allowed, "." is the only separator, the whole
// text must be the number. Non-finite values are refused, so the model stays finite.
std::optional<double> TryParseFloat(std::string_view text);
std::optional<std::int32_t> TryParseInt(std::string_view text);
// A number other than 0 is true, 0 is false; otherwise "true"/"false" in any letter case.
std::optional<bool> TryParseBool(std::string_view text);

// The same, raising EConvertError with the conversion message.
double ParseFloat(std::string_view text);
std::int32_t ParseInt(std::string_view text);
bool ParseBool(std::string_view text);

} // namespace vartesk
