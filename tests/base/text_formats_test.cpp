// The shared output forms: JSON strings, CSV fields, round-trip numbers, padding.
#include "base/json_writer.h"
#include "base/text_formats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>

using namespace vartesk;

TEST(TextFormats, JsonStringsEscapeEveryControlCharacterAndKeepUtf8)
{
    EXPECT_EQ(JsonQuoted("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(JsonQuoted("\r\n\t"), R"("\r\n\t")");
    EXPECT_EQ(JsonQuoted(std::string("\x01\x1f\0x", 4)), R"("\u0001\u001f\u0000x")");
    EXPECT_EQ(JsonQuoted("АС70/11"), "\"АС70/11\"");
}

TEST(TextFormats, CsvQuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(CsvField("1-2"), "1-2");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("cr\r"), "\"cr\r\"");
}

TEST(TextFormats, NumbersReadBackExactlyWhateverTheLocale)
{
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 2000; ++i) {
        const double v = std::ldexp(mantissa(random), exponent(random));
        const std::string text = RoundTripNumber(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
        EXPECT_EQ(text.find(','), std::string::npos);
    }
    EXPECT_EQ(RoundTripNumber(std::nan("")), "null");
    EXPECT_EQ(RoundTripNumber(-HUGE_VAL), "null");
    EXPECT_EQ(FixedNumber(2.345, 2), "2.35"); // the nearest double lies above the half
    EXPECT_EQ(FixedNumber(-0.5, 0), "-0");
    EXPECT_EQ(FixedNumber(1e300, 1).size(), 303u);
}

TEST(TextFormats, SheetNumbersAreRoundedAsASpreadsheetShowsThem)
{
    // Fifteen significant digits first, then halves away from zero: 2.675 lies just below
    // the half in binary, yet shows "2.68".
    const struct
    {
        double Value;
        int Decimals;
        const char *Fixed;
        const char *Scientific;
    } cases[] = {
        {2.675, 2, "2.68", "2.68E+00"},
        {0.125, 2, "0.13", "1.25E-01"},
        {-2.5, 0, "-3", "-3E+00"},
        {-0.001, 2, "-0.00", "-1.00E-03"},
        {0, 1, "0.0", "0.0E+00"},
        {9.995, 2, "10.00", "1.00E+01"},
        {0.0034430, 2, "0.00", "3.44E-03"},
        {9.9999e-3, 3, "0.010", "1.000E-02"},
        {1234.5, 0, "1235", "1E+03"},
        {1e20, 1, "100000000000000000000.0", "1.0E+20"},
        {1.5e-120, 2, "0.00", "1.50E-120"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(SheetFixedNumber(c.Value, c.Decimals), c.Fixed) << c.Value;
        EXPECT_EQ(SheetScientificNumber(c.Value, c.Decimals), c.Scientific) << c.Value;
    }
    EXPECT_EQ(SheetFixedNumber(std::nan(""), 2), "");
}

TEST(TextFormats, PaddingCountsCharactersNotBytes)
{
    EXPECT_EQ(PadLeft("Анк.", 6), "  Анк.");
    EXPECT_EQ(PadRight("Анк.", 6), "Анк.  ");
    EXPECT_EQ(PadLeft("123456", 3), "123456"); // never cut
}

TEST(JsonWriter, ObjectsOneMemberALineFlatArraysOnOne)
{
    std::ostringstream out;
    TJsonWriter w(out);
    w.BeginObject();
    w.Key("a");
    w.Numbers(std::array<double, 3> {1, 0.5, -2});
    w.Key("b");
    w.BeginArray();
    w.String("x");
    w.Null();
    w.EndArray();
    w.Key("empty");
    w.BeginObject();
    w.EndObject();
    w.EndObject();
    w.Finish();
    EXPECT_EQ(out.str(),
              "{\n  \"a\": [1, 0.5, -2],\n  \"b\": [\n    \"x\",\n    null\n  ],\n"
              "  \"empty\": {}\n}\n");
}
