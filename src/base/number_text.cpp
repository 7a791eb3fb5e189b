// Locale-independent number formatting and parsing.
#include "base/number_text.h"

#include "base/message_quote.h"
#include "base/rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vartesk {

namespace {

constexpr int kMaxDigits = 15;

// Decimal digits and exponent of x rounded to `digits` significant digits.
struct TDecimal
{
    bool Negative = false;
    std::string Digits; // the digits, the first not 0: |x| = D.DDDDDDDDDDDDDD * 10^Exponent
    int Exponent = 0;
};

TDecimal Decompose(double x, int digits = kMaxDigits)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, x);
    TDecimal d;
    const char *p = buf;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    d.Digits.push_back(p[0]);
    if (digits > 1)
        d.Digits.append(p + 2, size_t(digits - 1));
    d.Exponent = std::atoi(p + (digits > 1 ? digits + 2 : 2));
    return d;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string Quoted(std::string_view text, const char *tail)
{
    return QuoteForMessage(text) + " " + tail;
}

} // namespace

std::string FormatGeneral(double x)
{
    return FormatGeneral(x, kMaxDigits);
}

std::string FormatGeneral(double x, int digits)
{
    digits = std::clamp(digits, 1, kMaxDigits);
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x > 0 ? "INF" : "-INF";
    if (ExactlyEqual(x, 0.0))
        return "0";
    TDecimal d = Decompose(x, digits);
    std::string shown = d.Digits;
    while (shown.size() > 1 && shown.back() == '0')
        shown.pop_back();
    std::string out = d.Negative ? "-" : "";
    const int e = d.Exponent;
    if (e >= -4 && e < digits) {
        if (e >= 0) {
            std::string intPart = shown.substr(0, std::min<size_t>(shown.size(), e + 1));
            intPart.append(e + 1 - intPart.size(), '0');
            out += intPart;
            if (shown.size() > size_t(e + 1)) {
                out += '.';
                out += shown.substr(e + 1);
            }
        } else {
            out += "0.";
            out.append(-e - 1, '0');
            out += shown;
        }
    } else {
        out += shown[0];
        if (shown.size() > 1) {
            out += '.';
            out += shown.substr(1);
        }
        out += 'E';
        out += std::to_string(e);
    }
    return out;
}

std::string FormatR23(double x)
{
    if (!std::isfinite(x))
        return FormatGeneral(x);
    if (ExactlyEqual(x, 0.0))
        x = 0.0; // negative zero is written as zero
    TDecimal d = Decompose(x);
    char buf[32];
    std::snprintf(buf,
                  sizeof buf,
                  "%c%c.%sE%c%04d",
                  d.Negative ? '-' : ' ',
                  d.Digits[0],
                  d.Digits.substr(1).c_str(),
                  d.Exponent < 0 ? '-' : '+',
                  std::abs(d.Exponent));
    return buf;
}

std::optional<double> TryParseFloat(std::string_view text)
{
    std::string_view s = Trim(text);
    size_t i = 0;
    std::string normal;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            normal += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    int firstSignificant = std::numeric_limits<int>::max(); // decimal position, for underflow
    int pointPos = -1;
    int pos = 0;
    for (; i < s.size() && (IsDigit(s[i]) || s[i] == '.'); ++i) {
        if (s[i] == '.') {
            if (pointPos >= 0)
                return std::nullopt;
            pointPos = pos;
        } else {
            ++mantissaDigits;
            if (s[i] != '0' && firstSignificant == std::numeric_limits<int>::max())
                firstSignificant = pos;
            ++pos;
        }
        normal += s[i];
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            normal += s[i];
            ++i;
        }
        const size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            normal += s[i];
            if (exponent < 100000)
                exponent = exponent * 10 + (s[i] - '0');
        }
        if (i == start)
            return std::nullopt;
        if (normal[normal.size() - (i - start) - 1] == '-')
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (firstSignificant == std::numeric_limits<int>::max())
            return 0.0;
        // Magnitude of the first significant digit decides between underflow and overflow.
        const long magnitude = (pointPos < 0 ? pos : pointPos) - firstSignificant + exponent;
        if (magnitude < 0)
            return normal[0] == '-' ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (ec != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> TryParseInt(std::string_view text)
{
    std::string_view s = Trim(text);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty() || s.front() == '+')
        return std::nullopt;
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::optional<bool> TryParseBool(std::string_view text)
{
    if (auto number = TryParseFloat(text))
        return !ExactlyEqual(*number, 0.0);
    std::string lower;
    for (char c : Trim(text))
        lower += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    return std::nullopt;
}

double ParseFloat(std::string_view text)
{
    if (auto v = TryParseFloat(text))
        return *v;
    throw EConvertError(Quoted(text, "is not a valid floating point value"));
}

std::int32_t ParseInt(std::string_view text)
{
    if (auto v = TryParseInt(text))
        return *v;
    throw EConvertError(Quoted(text, "is not a valid integer value"));
}

bool ParseBool(std::string_view text)
{
    if (auto v = TryParseBool(text))
        return *v;
    throw EConvertError(Quoted(text, "is not a valid boolean value"));
}

} // namespace vartesk
