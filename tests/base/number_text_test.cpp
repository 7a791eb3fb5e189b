// The two number forms of the files and the strict number readers.
#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace vartesk;

TEST(FormatR23, FixedWidthScientificFormOfTheProjectFile)
{
    EXPECT_EQ(FormatR23(5), " 5.00000000000000E+0000");
    EXPECT_EQ(FormatR23(-55), "-5.50000000000000E+0001");
    EXPECT_EQ(FormatR23(0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatR23(-0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatR23(1.92e-5), " 1.92000000000000E-0005");
    EXPECT_EQ(FormatR23(123456.789), " 1.23456789000000E+0005");
    EXPECT_EQ(FormatR23(1e300), " 1.00000000000000E+0300");
    EXPECT_EQ(FormatR23(0.1).size(), 23u);
}

TEST(FormatGeneral, ShortestTextOfFifteenDigits)
{
    EXPECT_EQ(FormatGeneral(0), "0");
    EXPECT_EQ(FormatGeneral(-0.0), "0");
    EXPECT_EQ(FormatGeneral(9), "9");
    EXPECT_EQ(FormatGeneral(4.5), "4.5");
    EXPECT_EQ(FormatGeneral(-55), "-55");
    EXPECT_EQ(FormatGeneral(0.1), "0.1");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FormatGeneral(1000.0 / 300.0), "3.33333333333333");
    EXPECT_EQ(FormatGeneral(8250), "8250");
    EXPECT_EQ(FormatGeneral(123456789012345), "123456789012345");
}

TEST(FormatGeneral, ExponentFormOutsideTheFixedRange)
{
    EXPECT_EQ(FormatGeneral(1e-4), "0.0001");
    EXPECT_EQ(FormatGeneral(1.5e-4), "0.00015");
    EXPECT_EQ(FormatGeneral(1e-5), "1E-5");
    EXPECT_EQ(FormatGeneral(1.92e-5), "1.92E-5");
    EXPECT_EQ(FormatGeneral(-2.5e20), "-2.5E20");
    EXPECT_EQ(FormatGeneral(1e15), "1E15");
    EXPECT_EQ(FormatGeneral(999999999999999.0), "999999999999999");
    // Rounds up to 1E15 at fifteen digits, so it takes the exponent form.
    EXPECT_EQ(FormatGeneral(999999999999999.9), "1E15");
    EXPECT_EQ(FormatGeneral(9.99999999999999999e-5), "0.0001");
}

TEST(FormatGeneral, FewerDigitsRoundAndMoveTheExponentFormDown)
{
    EXPECT_EQ(FormatGeneral(1.0 / 3.0, 9), "0.333333333");
    EXPECT_EQ(FormatGeneral(-0.0015, 9), "-0.0015");
    EXPECT_EQ(FormatGeneral(12.3456789012, 9), "12.3456789");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, 9), "0.3"); // the noise beyond nine digits goes
    EXPECT_EQ(FormatGeneral(123456789, 9), "123456789");
    // Nine nines round up to ten digits, which no longer fit the fixed form.
    EXPECT_EQ(FormatGeneral(999999999.5, 9), "1E9");
    EXPECT_EQ(FormatGeneral(1234567891, 9), "1.23456789E9");
    EXPECT_EQ(FormatGeneral(1.5e-5, 9), "1.5E-5");
    EXPECT_EQ(FormatGeneral(2.5, 1), "2");
    EXPECT_EQ(FormatGeneral(-3.5e7, 1), "-4E7");
    EXPECT_EQ(FormatGeneral(0.25, 0), "0.2"); // below one digit counts as one
    EXPECT_EQ(FormatGeneral(1.0 / 3.0, 40), FormatGeneral(1.0 / 3.0));
}

TEST(NumberText, BothFormsReadBackToTheSameFifteenDigits)
{
    std::mt19937_64 rng(20261209);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 5000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        const double viaR23 = ParseFloat(FormatR23(x));
        const double viaGeneral = ParseFloat(FormatGeneral(x));
        ASSERT_EQ(FormatR23(viaR23), FormatR23(x)) << "x=" << x;
        ASSERT_EQ(viaGeneral, viaR23) << "x=" << x;
    }
}

TEST(ParseFloat, AcceptsBlanksSignsAndExponents)
{
    EXPECT_EQ(ParseFloat(" 5.00000000000000E+0000"), 5.0);
    EXPECT_EQ(ParseFloat("-5.50000000000000E+0001"), -55.0);
    EXPECT_EQ(ParseFloat("  4.5  "), 4.5);
    EXPECT_EQ(ParseFloat("+3"), 3.0);
    EXPECT_EQ(ParseFloat(".5"), 0.5);
    EXPECT_EQ(ParseFloat("5."), 5.0);
    EXPECT_EQ(ParseFloat("1e-400"), 0.0); // underflow reads as zero
}

TEST(ParseFloat, RefusesWhatIsNotOneWholeNumber)
{
    for (const char *bad : {"",
                            " ",
                            "abc",
                            "1,5",
                            "1.2.3",
                            "1e",
                            "e5",
                            "--1",
                            "1 2",
                            "nan",
                            "inf",
                            "1e400",
                            "0x10",
                            "+-1",
                            "."}) {
        EXPECT_FALSE(TryParseFloat(bad)) << bad;
    }
    try {
        ParseFloat("abc");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
}

TEST(ParseInt, ThirtyTwoBitDecimalsOnly)
{
    EXPECT_EQ(ParseInt("15"), 15);
    EXPECT_EQ(ParseInt(" -7 "), -7);
    EXPECT_EQ(ParseInt("+2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
    for (const char *bad : {"", "2147483648", "1.0", "1e3", "x", "++1", "15;15"})
        EXPECT_FALSE(TryParseInt(bad)) << bad;
    try {
        ParseInt("15;15");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'15;15' is not a valid integer value");
    }
}

TEST(ParseBool, NumbersAndWordsInAnyCase)
{
    EXPECT_TRUE(ParseBool("-1"));
    EXPECT_TRUE(ParseBool("2"));
    EXPECT_FALSE(ParseBool("0"));
    EXPECT_TRUE(ParseBool("TRUE"));
    EXPECT_TRUE(ParseBool("tRuE"));
    EXPECT_FALSE(ParseBool("False"));
    try {
        ParseBool("yes");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'yes' is not a valid boolean value");
    }
}
