// The angle text of a support: the turning angle with its sign, the angle number, and the
// short form when only the number is given.
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

TEST(AngleText, ATurningAngleShowsItsSignAndPartsAfterTheLocalizedNumber)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::English);
    EXPECT_EQ(AngleText(Angle("7", 12, 30, 15, 0)), "Ang.7;+12°30'15\"");
    EXPECT_EQ(AngleText(Angle("7", 12, 30, 15, 1)), "Ang.7;-12°30'15\"");
    // One part other than 0 is enough; the others show as 0.
    EXPECT_EQ(AngleText(Angle("", 0, 0, 5, 1)), "-0°0'5\"");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(AngleText(Angle("12а", 90, 0, 0, 0)), "Уг.12а;+90°0'0\"");
    // A direction the editor cannot give has no text at all.
    EXPECT_EQ(AngleText(Angle("7", 12, 30, 15, 2)), "");
}

TEST(AngleText, AnAngleNumberAloneGivesTheRussianShortFormInBothLanguages)
{
    RegisterAllStrings();
    for (TLanguage language : {TLanguage::English, TLanguage::Russian}) {
        UseLanguage(language);
        EXPECT_EQ(AngleText(Angle("7", 0, 0, 0, 0)), "Уг.7");
        EXPECT_EQ(AngleText(Angle("12345678", 0, 0, 0, 1)), "Уг.12345678");
        EXPECT_EQ(AngleText(Angle("", 0, 0, 0, 0)), "");
        // Without an angle the direction plays no part.
        EXPECT_EQ(AngleText(Angle("", 0, 0, 0, 5)), "");
    }
}
