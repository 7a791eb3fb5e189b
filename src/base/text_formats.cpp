// JSON and CSV quoting, locale-free numbers and column padding.
#include "base/text_formats.h"

#include "base/number_text.h"
#include "base/utf8.h"

#include <charconv>
#include <cmath>

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
