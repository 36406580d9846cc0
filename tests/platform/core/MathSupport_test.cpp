#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(MathSupport, RoundingHalvesToEvenAndTruncationTowardZero)
{
    const std::pair<double, long long> rounded[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999999999999996, 2},
        {1e15 + 0.5, 1000000000000000},
        {-9.2e18, -9200000000000000000},
    };
    for (const auto& [value, expected] : rounded)
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Trunc(2.7L), 2);
    EXPECT_EQ(Int(-2.7), -2.0);
    EXPECT_EQ(Frac(-2.5), -0.5);
    EXPECT_EQ(Frac(2.75L), 0.75L);
}

TEST(MathSupport, IntegerConversionWithoutResultRaisesInvalidOperation)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : {std::nan(""), inf, -inf, 9.3e18, -9.3e18, 9223372036854775808.0}) {
        EXPECT_THROW(RoundHalfEven(value), EInvalidOp) << value;
        EXPECT_THROW(Trunc(value), EInvalidOp) << value;
    }
    try {
        RoundHalfEven(std::nan(""));
    } catch (const EInvalidOp& e) {
        EXPECT_EQ(e.Message(), "Invalid floating point operation");
    }
}

TEST(MathSupport, RoundClampKeepsEveryValueOnAFiniteScale)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, int> cases[] = {
        {12.5, 12},       {13.5, 14},   {-0.5, 0},      {1e300, 32000},
        {-1e300, -32000}, {inf, 32000}, {-inf, -32000}, {std::nan(""), -32000},
        {31999.6, 32000},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundClamp(value), expected) << value;
    EXPECT_EQ(RoundClamp(40000, 0, 100), 100);
    EXPECT_EQ(RoundClamp(std::nan(""), 0, 100), 0);
}

TEST(MathSupport, ExplicitChecksRaiseTheMathErrors)
{
    EXPECT_EQ(CheckedDivide(6, 3), 2);
    EXPECT_THROW(CheckedDivide(1, 0), EZeroDivide);
    EXPECT_THROW(CheckedDivide(-1, -0.0), EZeroDivide);
    EXPECT_THROW(CheckedDivide(0, 0), EInvalidOp);
    EXPECT_THROW(CheckedDivide(std::nan(""), 1), EInvalidOp);
    EXPECT_THROW(CheckedDivide(1e300, 1e-300), EOverflow);
    EXPECT_EQ(CheckFinite(1.5), 1.5);
    EXPECT_THROW(CheckFinite(std::nan("")), EInvalidOp);
    EXPECT_THROW(CheckFinite(-HUGE_VAL), EOverflow);
}
