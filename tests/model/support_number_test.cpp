// Support numbers: splitting into prefix, digits and suffix, setting them back, and ordering.
#include "model/pillar.h"
#include "model/support_number.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

TPillar Numbered(const char *nomer)
{
    TPillar s;
    s.Nomer = nomer;
    return s;
}

void ExpectSplit(const char *nomer, const char *prefix, int number, const char *suffix)
{
    SCOPED_TRACE(nomer);
    const TSupportNumber n = SplitNumber(nomer);
    EXPECT_EQ(n.Prefix, prefix);
    EXPECT_EQ(n.Number, number);
    EXPECT_EQ(n.Suffix, suffix);
}

} // namespace

TEST(SupportNumber, SplitGathersEveryDigitAndKeepsTheTextAroundTheFirstOne)
{
    ExpectSplit("П12а", "П", 12, "а");
    // A digit after the suffix has begun still joins the number.
    ExpectSplit("12а3", "", 123, "а");
    ExpectSplit("ПС-4/2бис", "ПС-", 42, "/бис");
    ExpectSplit("007", "", 7, "");
    ExpectSplit("Анк.", "Анк.", 0, "");
    ExpectSplit("", "", 0, "");
    // A minus is text: the number stays the digits alone.
    ExpectSplit("-3", "-", 3, "");
    // Only 0-9 are digits; full-width and Arabic-Indic digits are text.
    ExpectSplit("１2٣", "１", 2, "٣");
}

TEST(SupportNumber, SplitOfADigitStringBeyondIntStopsAtTheLargestInt)
{
    ExpectSplit("99999999999999999999x", "", 2147483647, "x");
}

TEST(SupportNumber, SetNumberJoinsThePartsAndCutsToEightCharacters)
{
    TPillar s;
    SetNumber(s, 11, "П", "а");
    EXPECT_EQ(s.Nomer.str(), "П11а");
    SetNumber(s, -1, "", "");
    EXPECT_EQ(s.Nomer.str(), "-1");
    SetNumber(s, 0, "", "");
    EXPECT_EQ(s.Nomer.str(), "0");
    // Ten characters, fourteen bytes: the cut counts characters.
    SetNumber(s, 123456, "ПС", "аб");
    EXPECT_EQ(s.Nomer.str(), "ПС123456");
    SetNumber(s, 5, "Опора", "бис");
    EXPECT_EQ(s.Nomer.str(), "Опора5би");
}

TEST(SupportNumber, CompareOrdersByTheNumberAloneAndGivesOneForEqualNumbers)
{
    EXPECT_EQ(CompareNumber(Numbered("11"), Numbered("12")), -1);
    EXPECT_EQ(CompareNumber(Numbered("13"), Numbered("12")), 1);
    EXPECT_EQ(CompareNumber(Numbered("12"), Numbered("12")), 1);
    // Numbers, not texts: "9" sorts after "10" as text.
    EXPECT_EQ(CompareNumber(Numbered("9"), Numbered("10")), -1);
    EXPECT_EQ(CompareNumber(Numbered("10"), Numbered("9")), 1);
    // Prefix and suffix take no part.
    EXPECT_EQ(CompareNumber(Numbered("Б1"), Numbered("А2")), -1);
    EXPECT_EQ(CompareNumber(Numbered("П12я"), Numbered("П12а")), 1);
    EXPECT_EQ(CompareNumber(Numbered("П"), Numbered("1")), -1);
}

TEST(SupportNumber, TheNextNumberBackwardsKeepsPrefixAndSuffix)
{
    // The next support counting down from П12а, as the support Add command proposes it.
    const TSupportNumber last = SplitNumber("П12а");
    TPillar next;
    SetNumber(next, last.Number - 1, last.Prefix, last.Suffix);
    EXPECT_EQ(next.Nomer.str(), "П11а");
    EXPECT_EQ(CompareNumber(next, Numbered("П12а")), -1);
}
