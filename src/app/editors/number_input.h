// What a number field takes as a person types: which characters, how many decimals, which
// range. Both '.' and ',' separate the decimals, as people type them; values are read with
// '.' whatever was typed.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace vartesk {

struct TNumberRule
{
    static constexpr int kAnyDecimals = -1;

    double Min = -std::numeric_limits<double>::infinity();
    double Max = std::numeric_limits<double>::infinity();
    int Decimals = kAnyDecimals; // digits after the separator at most; 0 is a whole number
    bool Exponent = false; // "1.92E-5", as the catalog shows its coefficients

    bool Whole() const { return Decimals == 0; }
};

enum class TNumberVerdict {
    Number, // a number within the range
    Partial, // on its way to a number: "", "-", "1.", "1.92E-"
    OutOfRange, // a number the field does not take
    Refused, // a character the field does not take, or in a place no number has it
};

struct TNumberCheck
{
    TNumberVerdict Verdict = TNumberVerdict::Partial;
    double Value = 0; // for Number and OutOfRange
    std::string Hint; // for OutOfRange and Refused: what the field takes, in the language
};

// The whole text of a field as it is, or would be after a key.
TNumberCheck CheckNumberText(std::string_view text, const TNumberRule &rule);

// The character a key types, judged alone: whether it can be part of a number of the rule.
bool NumberKeyAccepted(char32_t key, const TNumberRule &rule);

// The hint for a character the field refuses; `typed` is the character as UTF-8.
std::string RefusedCharacterHint(const std::string &typed, const TNumberRule &rule);
// The hint for a value outside the rule's range.
std::string RangeHint(const TNumberRule &rule);

// The text read as a number with either separator: nothing when it is not one. Blanks around
// it are allowed, as with the other readers.
std::optional<double> ReadNumberText(std::string_view text);
// The same, raising EConvertError with the conversion message naming the text as typed.
double ParseNumberText(std::string_view text);

} // namespace vartesk
