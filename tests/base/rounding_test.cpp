// Ties-to-even rounding.
#include "base/rounding.h"

#include <gtest/gtest.h>

using namespace vartesk;

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(Round(0.5), 0.0);
    EXPECT_EQ(Round(1.5), 2.0);
    EXPECT_EQ(Round(2.5), 2.0);
    EXPECT_EQ(Round(-2.5), -2.0);
    EXPECT_EQ(Round(-3.5), -4.0);
    EXPECT_EQ(Round(2.4999999), 2.0);
    EXPECT_EQ(Round(-0.2), -0.0);
    EXPECT_EQ(Round5(92.5), 90.0);
    EXPECT_EQ(Round5(97.5), 100.0);
    EXPECT_EQ(Round5(12.4), 10.0);
    EXPECT_EQ(Round2(1000.0 / 300.0), 3.33);
    EXPECT_EQ(Round2(0.125), 0.12); // 12.5 exactly: to even
    EXPECT_EQ(Round2(0.375), 0.38);
}
