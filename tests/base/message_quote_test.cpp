// Rejected texts quoted in messages: short, one line, nothing raw reaches the terminal.
#include "base/message_quote.h"
#include "base/number_text.h"
#include "base/utf8.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

std::string MessageOf(const std::string &text)
{
    try {
        ParseInt(text);
    } catch (const EConvertError &e) {
        return e.what();
    }
    return "converted";
}

} // namespace

TEST(QuoteForMessage, ShortTextsAreQuotedAsTheyAre)
{
    EXPECT_EQ(QuoteForMessage(""), "''");
    EXPECT_EQ(QuoteForMessage("Анк. 1,5"), "'Анк. 1,5'");
    EXPECT_EQ(QuoteForMessage(std::string(60, 'x')), "'" + std::string(60, 'x') + "'");
    EXPECT_EQ(MessageOf("abc"), "'abc' is not a valid integer value");
}

TEST(QuoteForMessage, AHugeLineGivesAShortMessage)
{
    // A file with CR-only line ends reads as one line of the whole file.
    std::string line;
    while (line.size() < 10'000'000)
        line += "1.5\r";
    const std::string m = MessageOf(line);
    EXPECT_LT(m.size(), 120u);
    EXPECT_EQ(m,
              "'1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r1.5\\r…' is "
              "not a valid integer value");
    EXPECT_EQ(QuoteForMessage(std::string(61, 'x')), "'" + std::string(60, 'x') + "…'");
}

TEST(QuoteForMessage, CutsOnACharacterBoundary)
{
    const std::string cyrillic = std::string(59, 'x') + "ЖЖЖ";
    const std::string q = QuoteForMessage(cyrillic);
    EXPECT_EQ(q, "'" + std::string(59, 'x') + "Ж…'");
    // Every character survives a UTF-8 walk: no half sequence was left.
    TUtf8Cursor cursor(q);
    for (char32_t c; cursor.Next(c);)
        EXPECT_NE(c, kUtf8Invalid);
}

TEST(QuoteForMessage, ControlBytesAndNulAreEscaped)
{
    const char bytes[] = "a\0b\tc\nd\re\x1B[31mf\x7Fg\xC2\x98h";
    const std::string raw(bytes, sizeof bytes - 1);
    EXPECT_EQ(QuoteForMessage(raw), "'a\\0b\\tc\\nd\\re\\x1B[31mf\\x7Fg\\x98h'");
    // The NUL no longer cuts the message short: the words after it are there.
    const std::string m = MessageOf(raw);
    EXPECT_EQ(std::string(m.c_str()), m);
    EXPECT_NE(m.find("' is not a valid integer value"), std::string::npos);
    // Bytes that are not UTF-8 are shown by their value, one each.
    EXPECT_EQ(QuoteForMessage("\xFF\xD0x"), "'\\xFF\\xD0x'");
    // An escape is not split by the cut.
    EXPECT_EQ(QuoteForMessage(std::string(58, 'x') + "\x01"), "'" + std::string(58, 'x') + "…'");
}
