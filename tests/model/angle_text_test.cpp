// The angle text of a support, in both languages.
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/angle_text.h"
#include "model/pillar.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

TPillar Angle(const char *number, int deg, int min, int sec, int direction)
{
    TPillar s;
    s.Ugol = number;
    s.Ugol_grad = deg;
    s.Ugol_min = min;
    s.Ugol_sec = sec;
    s.Ugol_napr = std::uint16_t(direction);
    return s;
}

} // namespace

TEST(AngleText, NumberDirectionAndTheThreeParts)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    EXPECT_EQ(AngleText(Angle("1", 12, 30, 15, 0)), "Ang.1;+12°30'15\"");
    EXPECT_EQ(AngleText(Angle("У2", 0, 0, 7, 1)), "Ang.У2;-0°0'7\"");
    EXPECT_EQ(AngleText(Angle("", 5, 0, 0, 1)), "-5°0'0\"");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(AngleText(Angle("1", 12, 30, 15, 0)), "Уг.1;+12°30'15\"");
    UseLanguage(TLanguage::English);
}

TEST(AngleText, OnlyTheNumberOrNothing)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    // The abbreviation stays Russian, and the whole is cut to 11 characters.
    EXPECT_EQ(AngleText(Angle("У1", 0, 0, 0, 0)), "Уг.У1");
    EXPECT_EQ(AngleText(Angle("12345678", 0, 0, 0, 0)), "Уг.12345678");
    EXPECT_EQ(AngleText(Angle("", 0, 0, 0, 0)), "");
    // A direction that is neither + nor - gives no text at all.
    EXPECT_EQ(AngleText(Angle("1", 10, 0, 0, 2)), "");
    EXPECT_EQ(AngleText(Angle("1", 0, 0, 0, 2)), "Уг.1");
}
