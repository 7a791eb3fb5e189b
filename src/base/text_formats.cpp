// JSON and CSV quoting, locale-free numbers and column padding.
#include "base/text_formats.h"

#include "base/number_text.h"
#include "base/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vartesk {

std::string RoundTripNumber(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

std::string FixedNumber(double v, int decimals)
{
    char buffer[400]; // the widest double in fixed form, with room for the decimals
    const auto r
        = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : FormatGeneral(v);
}

namespace {

// |v| as a spreadsheet holds it for showing: 15 significant digits d.dddd... times 10^Exponent.
struct TSheetDigits
{
    bool Negative = false;
    std::string Digits; // 15 of them
    int Exponent = 0;
};

TSheetDigits SheetDigits(double v)
{
    char buffer[32];
    const auto r = std::to_chars(
        buffer, buffer + sizeof buffer, std::fabs(v), std::chars_format::scientific, 14);
    const std::string_view text(buffer, size_t(r.ptr - buffer));
    TSheetDigits d;
    d.Negative = v < 0;
    const size_t e = text.find('e');
    d.Digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
    std::from_chars(
        text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), d.Exponent);
    return d;
}

// Keeps the first `count` digits (padding with zeros), rounding the rest half up; true when
// the carry ran out of the front (the digits then start with an extra 1).
bool KeepDigits(std::string &digits, int count)
{
    const bool up = count >= 0 && size_t(count) < digits.size() && digits[size_t(count)] >= '5';
    digits.resize(size_t(std::max(count, 0)), '0');
    if (!up)
        return false;
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

} // namespace

std::string SheetFixedNumber(double v, int decimals)
{
    if (!std::isfinite(v))
        return {};
    TSheetDigits d = SheetDigits(v);
    // The digits down to the last decimal shown, as a whole number of 10^-decimals.
    KeepDigits(d.Digits, d.Exponent + 1 + decimals);
    const size_t first = d.Digits.find_first_not_of('0');
    std::string units = first == std::string::npos ? std::string() : d.Digits.substr(first);
    if (units.size() < size_t(decimals) + 1)
        units.insert(0, size_t(decimals) + 1 - units.size(), '0');
    std::string out = d.Negative ? "-" : "";
    out += units.substr(0, units.size() - size_t(decimals));
    if (decimals > 0)
        out += "." + units.substr(units.size() - size_t(decimals));
    return out;
}

std::string SheetScientificNumber(double v, int decimals)
{
    if (!std::isfinite(v))
        return {};
    TSheetDigits d = SheetDigits(v);
    if (KeepDigits(d.Digits, decimals + 1)) {
        d.Digits.pop_back();
        ++d.Exponent;
    }
    std::string out = d.Negative ? "-" : "";
    out += d.Digits.substr(0, 1);
    if (decimals > 0)
        out += "." + d.Digits.substr(1);
    const std::string exponent = std::to_string(std::abs(d.Exponent));
    out += std::string(d.Exponent < 0 ? "E-" : "E+") + (exponent.size() < 2 ? "0" : "") + exponent;
    return out;
}

std::string JsonQuoted(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out += kHex[u >> 4];
                out += kHex[u & 0xf];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string PadLeft(std::string_view text, size_t width)
{
    const size_t length = Utf8Length(text);
    return length >= width ? std::string(text)
                           : std::string(width - length, ' ') + std::string(text);
}

std::string PadRight(std::string_view text, size_t width)
{
    const size_t length = Utf8Length(text);
    return length >= width ? std::string(text)
                           : std::string(text) + std::string(width - length, ' ');
}

} // namespace vartesk
