// The number fields' rules for what is typed into them.
#include "app/editors/number_input.h"

#include "base/number_text.h"
#include "base/text_format.h"
#include "l10n/string_table.h"

#include <cmath>

namespace vartesk {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSeparator(char c)
{
    return c == '.' || c == ',';
}

// The first character of a UTF-8 text, whole.
std::string FirstCharacter(std::string_view text, size_t at)
{
    size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return std::string(text.substr(at, end - at));
}

std::string Shown(double bound)
{
    return FormatGeneral(bound);
}

bool Bounded(const TNumberRule &rule)
{
    return std::isfinite(rule.Min) && std::isfinite(rule.Max);
}

TNumberCheck Refused(std::string hint)
{
    return {TNumberVerdict::Refused, 0, std::move(hint)};
}

} // namespace

std::string RangeHint(const TNumberRule &rule)
{
    return FormatText(LocalString("Number_range"), {Shown(rule.Min), Shown(rule.Max)});
}

std::string RefusedCharacterHint(const std::string &typed, const TNumberRule &rule)
{
    std::string hint = FormatText(LocalString("Number_char_refused"), {typed}) + " ";
    if (rule.Whole())
        hint += LocalString("Number_form_whole");
    else
        hint += LocalString(rule.Exponent ? "Number_form_exponent" : "Number_form_real");
    if (Bounded(rule))
        hint += " " + RangeHint(rule);
    return hint;
}

bool NumberKeyAccepted(char32_t key, const TNumberRule &rule)
{
    if (key >= U'0' && key <= U'9')
        return true;
    switch (key) {
    case 0x08: // backspace
    case U'+':
        return true;
    case U'-':
        return rule.Min < 0 || rule.Exponent;
    case U'.':
    case U',':
        return !rule.Whole();
    case U'e':
    case U'E':
        return rule.Exponent && !rule.Whole();
    default:
        return false;
    }
}

TNumberCheck CheckNumberText(std::string_view text, const TNumberRule &rule)
{
    // Blanks around the number are the readers' to skip; inside it they are refused below.
    size_t begin = 0, end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;

    enum { kMantissa, kFraction, kExponent } part = kMantissa;
    int mantissaDigits = 0, fractionDigits = 0, exponentDigits = 0;
    bool signed_ = false, exponentSigned = false;
    for (size_t i = begin; i < end; ++i) {
        const char c = text[i];
        const auto refuse = [&] {
            return Refused(RefusedCharacterHint(FirstCharacter(text, i), rule));
        };
        if (IsDigit(c)) {
            if (part == kExponent)
                ++exponentDigits;
            else if (part == kFraction)
                ++fractionDigits;
            else
                ++mantissaDigits;
            if (part == kFraction && rule.Decimals > 0 && fractionDigits > rule.Decimals)
                return Refused(
                    FormatText(LocalString("Number_decimals"), {std::to_string(rule.Decimals)}));
        } else if (c == '-' || c == '+') {
            const bool minusTaken = c == '+' || rule.Min < 0;
            if (part == kMantissa && !signed_ && mantissaDigits == 0 && minusTaken)
                signed_ = true;
            else if (part == kExponent && !exponentSigned && exponentDigits == 0)
                exponentSigned = true;
            else
                return refuse();
        } else if (IsSeparator(c)) {
            if (rule.Whole() || part != kMantissa)
                return refuse();
            part = kFraction;
        } else if (c == 'e' || c == 'E') {
            if (!rule.Exponent || rule.Whole() || part == kExponent
                || mantissaDigits + fractionDigits == 0)
                return refuse();
            part = kExponent;
        } else {
            return refuse();
        }
    }
    if (mantissaDigits + fractionDigits == 0 || (part == kExponent && exponentDigits == 0))
        return {TNumberVerdict::Partial, 0, {}};
    const std::optional<double> value = ReadNumberText(text.substr(begin, end - begin));
    // Only a power of ten beyond a double's fails to read here.
    if (!value || *value < rule.Min || *value > rule.Max)
        return {TNumberVerdict::OutOfRange, value.value_or(0), RangeHint(rule)};
    return {TNumberVerdict::Number, *value, {}};
}

std::optional<double> ReadNumberText(std::string_view text)
{
    std::string points(text);
    for (char &c : points)
        if (c == ',')
            c = '.';
    return TryParseFloat(points);
}

double ParseNumberText(std::string_view text)
{
    if (const auto value = ReadNumberText(text))
        return *value;
    // The text does not read with either separator, so it does not read as it was typed
    // either: the reader's own message then names it as the person typed it.
    return ParseFloat(text);
}

} // namespace vartesk
