// Support numbers: splitting into prefix, digits and suffix, setting them back, and ordering.
#include "model/pillar.h"
#include "model/support_number.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

std::string Split(const char *nomer)
{
    const TSupportNumber n = SplitNumber(nomer);
    return n.Prefix + "|" + std::to_string(n.Number) + "|" + n.Suffix;
}

TPillar Numbered(const char *nomer)
{
    TPillar s;
    s.Nomer = nomer;
    return s;
}

} // namespace

TEST(SupportNumber, SplitGathersEveryDigitAndKeepsTheTextAroundTheFirstOne)
{
    EXPECT_EQ(Split("П12а"), "П|12|а");
    // A digit after the suffix has begun still joins the number.
    EXPECT_EQ(Split("12а3"), "|123|а");
    EXPECT_EQ(Split("ПС-4/2бис"), "ПС-|42|/бис");
    EXPECT_EQ(Split("007"), "|7|");
    EXPECT_EQ(Split("Анк."), "Анк.|0|");
    EXPECT_EQ(Split(""), "|0|");
    // A minus is text; only 0-9 are digits, not full-width or Arabic-Indic ones.
    EXPECT_EQ(Split("-3"), "-|3|");
    EXPECT_EQ(Split("１2٣"), "１|2|٣");
    EXPECT_EQ(Split("99999999999999999999x"), "|2147483647|x");
}

TEST(SupportNumber, SetNumberJoinsThePartsAndCutsToEightCharacters)
{
    TPillar s;
    SetNumber(s, 11, "П", "а");
    EXPECT_EQ(s.Nomer.str(), "П11а");
    SetNumber(s, -1, "", "");
    EXPECT_EQ(s.Nomer.str(), "-1");
    // Ten characters, fourteen bytes: the cut counts characters.
    SetNumber(s, 123456, "ПС", "аб");
    EXPECT_EQ(s.Nomer.str(), "ПС123456");
}

TEST(SupportNumber, CompareOrdersByTheNumberAloneAndGivesOneForEqualNumbers)
{
    EXPECT_EQ(CompareNumber(Numbered("11"), Numbered("12")), -1);
    EXPECT_EQ(CompareNumber(Numbered("13"), Numbered("12")), 1);
    EXPECT_EQ(CompareNumber(Numbered("12"), Numbered("12")), 1);
    // Numbers, not texts: "9" sorts after "10" as text; prefix and suffix take no part.
    EXPECT_EQ(CompareNumber(Numbered("9"), Numbered("10")), -1);
    EXPECT_EQ(CompareNumber(Numbered("Б1"), Numbered("А2")), -1);
    EXPECT_EQ(CompareNumber(Numbered("П12а"), Numbered("П12я")), 1);
}
