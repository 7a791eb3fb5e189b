// What the number fields take as they are typed: the decimal comma, the exponent, decimals,
// ranges, and the hint for what they refuse.
#include "app/editors/climate_pages.h"
#include "app/editors/number_input.h"
#include "app/editors/section_editor.h"
#include "app/editors/support_editor.h"
#include "app/editors/wire_entry_dialog.h"
#include "l10n/language.h"
#include "l10n/string_table.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

using enum TNumberVerdict;

struct TCase
{
    const char *Text;
    TNumberRule Rule;
    TNumberVerdict Verdict;
    double Value; // for Number and OutOfRange
};

// clang-format off
const TCase kCases[] = {
    // The decimal comma reads as the point: a lost separator made 245,5 m into 2455 m.
    {"245,5",    TFormPillar::kSpanRule,        Number,     245.5},
    {"245.5",    TFormPillar::kSpanRule,        Number,     245.5},
    {"-,",       TFormPillar::kSpanRule,        Partial,    0},
    {"1,5,",     TFormPillar::kSpanRule,        Refused,    0},
    {"1.5,2",    TFormPillar::kSpanRule,        Refused,    0},
    {"12 m",     TFormPillar::kSpanRule,        Refused,    0},
    {"1e3",      TFormPillar::kSpanRule,        Refused,    0},
    {" 250 ",    TFormPillar::kSpanRule,        Number,     250},
    {"5-",       TFormPillar::kSpanRule,        Refused,    0},
    // The catalog's exponent form, whole and on its way.
    {"1,92E-5",  TFormWiresEdit::kNumberRule,   Number,     1.92e-5},
    {"1.92e+5",  TFormWiresEdit::kNumberRule,   Number,     1.92e5},
    {"1.92E-",   TFormWiresEdit::kNumberRule,   Partial,    0},
    {"E5",       TFormWiresEdit::kNumberRule,   Refused,    0},
    {"1E5E",     TFormWiresEdit::kNumberRule,   Refused,    0},
    {"1E999",    TFormWiresEdit::kNumberRule,   OutOfRange, 0},
    // Coefficients: 0 takes a load away, and 125 is 1,25 that lost its comma.
    {"1,25",     TFrameKlimatKoef2::kCoefRule,  Number,     1.25},
    {"0",        TFrameKlimatKoef2::kCoefRule,  OutOfRange, 0},
    {"125",      TFrameKlimatKoef2::kCoefRule,  OutOfRange, 125},
    {"-1",       TFrameKlimatKoef2::kCoefRule,  Refused,    0},
    // Two decimals at most; whole numbers take no separator.
    {"13,75",    TFormParcel::kLimitRule,       Number,     13.75},
    {"13,755",   TFormParcel::kLimitRule,       Refused,    0},
    {"12",       TFormPillar::kWholeRule,       Number,     12},
    {"1,5",      TFormPillar::kWholeRule,       Refused,    0},
    {"1001",     TFormPillar::kWholeRule,       OutOfRange, 1001},
    {"",         TFormPillar::kWholeRule,       Partial,    0},
};
// clang-format on

class NumberInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
};

} // namespace

TEST_F(NumberInput, EachTextIsANumberOnItsWayOutOfRangeOrRefused)
{
    for (const TCase &c : kCases) {
        const TNumberCheck check = CheckNumberText(c.Text, c.Rule);
        EXPECT_EQ(check.Verdict, c.Verdict) << c.Text;
        if (c.Verdict == Number || c.Verdict == OutOfRange) {
            EXPECT_DOUBLE_EQ(check.Value, c.Value) << c.Text;
        }
        EXPECT_EQ(check.Hint.empty(), c.Verdict == Number || c.Verdict == Partial) << c.Text;
    }
}

TEST_F(NumberInput, TheHintSaysWhatTheFieldTakes)
{
    EXPECT_EQ(CheckNumberText("12 m", TFormPillar::kSpanRule).Hint,
              "' ' is not taken here. Type digits with '.' or ',' as the decimal separator.");
    EXPECT_EQ(CheckNumberText("1,5", TFormPillar::kWholeRule).Hint,
              "',' is not taken here. Type a whole number. Enter a value from 0 to 1000.");
    EXPECT_EQ(CheckNumberText("125", TFrameKlimatKoef2::kCoefRule).Hint,
              "Enter a value from 0.1 to 10.");
    EXPECT_EQ(CheckNumberText("13,755", TFormParcel::kLimitRule).Hint,
              "At most 2 digits after the decimal separator.");
    EXPECT_EQ(RefusedCharacterHint("з", TFormWiresEdit::kNumberRule),
              "'з' is not taken here. Type digits with '.' or ',' as the decimal separator and "
              "E before a power of ten, as in 1.92E-5.");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(RangeHint(TFrameKlimatKoef2::kCoefRule), "Введите значение от 0.1 до 10.");
    UseLanguage(TLanguage::English);
}
