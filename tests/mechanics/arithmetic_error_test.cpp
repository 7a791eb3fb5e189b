// The checked operations: each fault C++ lets pass silently becomes the one failure.
#include "mechanics/arithmetic_error.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vartesk;

TEST(CheckedArithmetic, FaultsRaiseTheArithmeticError)
{
    EXPECT_THROW(CheckedDiv(1.0, 0.0), EArithmeticError);
    EXPECT_THROW(CheckedDiv(0.0, -0.0), EArithmeticError);
    EXPECT_THROW(CheckedDiv(1e300, 1e-300), EArithmeticError); // overflow
    EXPECT_THROW(CheckedDiv(NAN, 2.0), EArithmeticError);
    EXPECT_THROW(CheckedSqrt(-1e-300), EArithmeticError);
    EXPECT_THROW(CheckedSqrt(NAN), EArithmeticError);
    EXPECT_THROW(CheckedLog(0.0), EArithmeticError);
    EXPECT_THROW(CheckedLog(-1.0), EArithmeticError);
    EXPECT_THROW(CheckedLog(NAN), EArithmeticError);
    EXPECT_THROW(CheckedExp(1000.0), EArithmeticError);
    EXPECT_THROW(CheckFinite(INFINITY), EArithmeticError);
}

TEST(CheckedArithmetic, SoundOperandsGiveThePlainResult)
{
    EXPECT_EQ(CheckedDiv(1.0, 3.0), 1.0 / 3.0);
    EXPECT_EQ(CheckedDiv(0.0, 3.0), 0.0);
    EXPECT_EQ(CheckedSqrt(0.0), 0.0);
    EXPECT_EQ(CheckedSqrt(2.0), std::sqrt(2.0));
    EXPECT_EQ(CheckedLog(1.0), 0.0);
    EXPECT_EQ(CheckedExp(-1000.0), 0.0); // underflow to zero is no fault
}
