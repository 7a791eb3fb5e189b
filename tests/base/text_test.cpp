// Windows-1251 codec, UTF-8 helpers, splitting and lines.
#include "base/bounded_text.h"
#include "base/cp1251.h"
#include "base/split_by_char.h"
#include "base/text_format.h"
#include "base/text_lines.h"
#include "base/utf8.h"

#include <gtest/gtest.h>

using namespace vartesk;

TEST(Cp1251, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    bool lossless = false;
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all), &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(Cp1251, CyrillicAndSymbolsMapToTheirBytes)
{
    EXPECT_EQ(Utf8ToCp1251("АС50/8"),
              "\xC0\xD1"
              "50/8");
    EXPECT_EQ(Utf8ToCp1251("Ёё№"), "\xA8\xB8\xB9");
    EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xEE\xEC."), "Пром.");
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp1251("a€中b", &lossless), "a\x88?b");
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(FitsCp1251("日本"));
    EXPECT_TRUE(FitsCp1251("Анк. №5"));
    EXPECT_EQ(Utf8ToCp1251("\xFF\xC3"), "??"); // broken UTF-8
}

TEST(Utf8, CountsAndCutsByCharacters)
{
    EXPECT_EQ(Utf8Length("Анк."), 4u);
    EXPECT_EQ(Utf8Prefix("Промежуточная", 4), "Пром");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("Опора 𝄞 1")), "Опора 𝄞 1");
    EXPECT_EQ(Utf8Lower("OSSС Ёж"), "ossс ёж");
    TBoundedText<8> nomer = "1234567890";
    EXPECT_EQ(nomer.str(), "12345678");
    TBoundedText<5> cyr = "АБВГДЕЖ";
    EXPECT_EQ(cyr.str(), "АБВГД");
}

TEST(SplitByChar, RunsOfSeparatorsCountAsOne)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitByChar("a;b", ';'), (V {"a", "b"}));
    EXPECT_EQ(SplitByChar(";;a;;b;", ';'), (V {"a", "b"}));
    EXPECT_EQ(SplitByChar("", ';'), V {});
    EXPECT_EQ(SplitByChar(";;;", ';'), V {});
    EXPECT_EQ(SplitByChar("Wait...;Ждите...", ';'), (V {"Wait...", "Ждите..."}));
    EXPECT_EQ(SplitByChar("9", ';'), V {"9"});
}

TEST(TextLines, LfCrLfAndLoneCr)
{
    TTextReader r("a\r\nb\nc\rd\n\ne");
    std::vector<std::string> lines;
    for (std::string l; r.ReadLine(l);)
        lines.push_back(l);
    EXPECT_EQ(lines, (std::vector<std::string> {"a", "b", "cd", "", "e"}));
    EXPECT_EQ(r.LineNumber(), 5);

    TTextReader longLine(std::string(1'000'000, 'x') + "\n");
    std::string l;
    ASSERT_TRUE(longLine.ReadLine(l));
    EXPECT_EQ(l.size(), 1'000'000u);

    TTextWriter w;
    w.WriteLine("Анк.");
    w.WriteLine("");
    EXPECT_EQ(w.Bytes(), "\xC0\xED\xEA.\r\n\r\n");
}

TEST(FormatText, FillsPlaceholdersInTurn)
{
    EXPECT_EQ(FormatText("The wire %s is not found.", {"АС50/8"}), "The wire АС50/8 is not found.");
    EXPECT_EQ(FormatText("List index out of bounds (%d)", {"7"}), "List index out of bounds (7)");
    EXPECT_EQ(FormatText("100%% %s", {}), "100% %s");
    // Numbered ones take their argument wherever they stand; one beyond the list stays.
    EXPECT_EQ(FormatText("%2$s: %1$s, %s %3$s", {"a", "b"}), "b: a, a %3$s");
}
