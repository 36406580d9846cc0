#include "components/iGPNumbers.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(iGPNumbers, DecimalPointsForAScale)
{
    struct Case {
        double min, max;
        int precision;
        TiPrecisionStyle style;
        int want;
    };
    const Case cases[] = {
        {0, 0.5, 3, ipsSignificantDigits, 3},   // 3 - (0 + 1) + 1
        {0, 1000, 3, ipsSignificantDigits, 0},  // never negative
        {0, 10, 3, ipsSignificantDigits, 1},
        {0, 5, 3, ipsSignificantDigits, 2},
        {5, 0, 3, ipsSignificantDigits, 2},  // the span is unsigned
        {0, 0.05, 3, ipsSignificantDigits, 4},
        {2, 2, 3, ipsSignificantDigits, 1},  // no span: 0, plus 1 for being below 1
        {0, 5, 0, ipsSignificantDigits, 0},
        {0, 5, 4, ipsFixedDecimalPoints, 4},
        {0, 5, -2, ipsFixedDecimalPoints, -2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetDecimalPoints(c.min, c.max, c.precision, c.style), c.want)
            << c.min << ".." << c.max << " precision " << c.precision;
    EXPECT_EQ(GetDecimalPoints(0, INFINITY, 3, ipsSignificantDigits), 0);
}

TEST(iGPNumbers, PrecisionStyleFormatsWithTheRegionsSeparator)
{
    EXPECT_EQ(iFormatPrecisionStyle(3.14159, 10, 3, ipsSignificantDigits), "3.1");
    EXPECT_EQ(iFormatPrecisionStyle(2.5, 1000, 3, ipsSignificantDigits), "3");  // halves away from zero
    EXPECT_EQ(iFormatPrecisionStyle(-0.04, 10, 3, ipsSignificantDigits), "0.0");
    EXPECT_EQ(iFormatPrecisionStyle(1234.5, 0.5, 2, ipsFixedDecimalPoints), "1234.50");
    EXPECT_EQ(iFormatPrecisionStyle(7, 1, -3, ipsFixedDecimalPoints), "7");
    const int many = GetDecimalPoints(1e-300, 0, 3, ipsSignificantDigits);
    EXPECT_GT(many, 300);
    EXPECT_EQ(iFormatPrecisionStyle(1, 1e-300, 3, ipsSignificantDigits), "1." + std::string(size_t(many), '0'));
    TFormatSettings german = TFormatSettings::English();
    german.DecimalSeparator = ',';
    TRegionGuard region(german);
    EXPECT_EQ(iFormatPrecisionStyle(1234.5, 0.5, 2, ipsFixedDecimalPoints), "1234,50");
}

TEST(iGPNumbers, IntegerTextInEachStyle)
{
    struct Case {
        std::uint32_t value;
        TiIntegerFormatStyle style;
        int digits;
        bool zeros;
        const char* want;
    };
    const Case cases[] = {
        {4294967295u, iifsInteger, 0, false, "4294967295"},
        {0, iifsInteger, 0, false, "0"},
        {0, iifsInteger, 3, true, "000"},
        {12, iifsInteger, 1, true, "12"},
        {255, iifsHex, 0, false, "FF"},
        {255, iifsHex, 4, true, "00FF"},
        {255, iifsHex, 4, false, "FF"},
        {0xDEADBEEF, iifsHex, 0, false, "DEADBEEF"},
        {5, iifsBinary, 8, true, "00000101"},
        {0x80000000u, iifsBinary, 0, false, "10000000000000000000000000000000"},
        {8, iifsOctal, 0, false, "10"},
        {0xFFFFFFFFu, iifsOctal, 0, false, "37777777777"},  // all 32 bits, not the low 30
        {0xC0000000u, iifsOctal, 0, false, "30000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(iIntToStr(c.value, c.style, c.digits, c.zeros), c.want) << c.value << " style " << int(c.style);
}

TEST(iGPNumbers, IntegerTextReadsBinaryOctalAndDecimal)
{
    EXPECT_EQ(iStrToInt("b101"), 5);
    EXPECT_EQ(iStrToInt("o17"), 15);
    EXPECT_EQ(iStrToInt("42"), 42);
    EXPECT_EQ(iStrToInt("-7"), -7);
    EXPECT_EQ(iStrToInt("b"), 0);
    EXPECT_EQ(iStrToInt("b2"), 2);                         // digits are weighted, not checked
    EXPECT_EQ(iStrToInt("b" + std::string(33, '1')), -1);  // wraps to 32 bits
    EXPECT_EQ(iStrToInt("o37777777777"), -1);
    for (const char* bad : {"", "B101", "bx", "o8z", "12a"})
        EXPECT_THROW(iStrToInt(bad), EConvertError) << bad;
}

namespace {

struct Scale {
    double min, max;
    int ticks;
};

Scale Adjustable(double min, double max, int desired, int maxTicks)
{
    Scale s{};
    GetAutoScaleValuesAdjustable(min, max, desired, maxTicks, s.min, s.max, s.ticks);
    return s;
}

Scale Fixed(double min, double max, int desired, int maxTicks)
{
    Scale s{};
    GetAutoScaleValuesFixed(min, max, desired, maxTicks, s.min, s.max, s.ticks);
    return s;
}

void ExpectScale(const Scale& got, const Scale& want, const char* what)
{
    EXPECT_NEAR(got.min, want.min, 1e-9) << what;
    EXPECT_NEAR(got.max, want.max, 1e-9) << what;
    EXPECT_EQ(got.ticks, want.ticks) << what;
}

}  // namespace

TEST(iGPNumbers, AdjustableScaleGrowsToRoundTicks)
{
    ExpectScale(Adjustable(0, 9.3, 5, 10), {0, 10, 5}, "positive");
    ExpectScale(Adjustable(-3.2, 7.1, 6, 10), {-5, 10, 7}, "across zero");
    ExpectScale(Adjustable(-9.3, -0.2, 5, 10), {-10, 0, 5}, "negative");
    ExpectScale(Adjustable(0.012, 0.087, 5, 10), {0, 0.09, 10}, "below one");
    ExpectScale(Adjustable(4, 4, 5, 10), {4, 4, 2}, "no span");
}

TEST(iGPNumbers, FixedScaleKeepsRoundTicksInsideTheRange)
{
    ExpectScale(Fixed(0, 10, 6, 11), {0, 10, 6}, "exact");
    ExpectScale(Fixed(-7.3, 12.6, 5, 10), {-6, 12, 10}, "across zero");
    ExpectScale(Fixed(-12.6, -0.5, 5, 10), {-12.5, -2.5, 5}, "negative");
    ExpectScale(Fixed(4, 4, 5, 10), {4, 4, 2}, "no span");
}

TEST(iGPNumbers, AutoScalesFarFromZeroFinishAndHoldTheData)
{
    // Stepping from 0 by the tick step would take some 10^14 steps here.
    for (double base : {1e17, -1e17, 3e12}) {
        const double min = base, max = base + 4096;
        const Scale a = Adjustable(min, max, 5, 10);
        EXPECT_LE(a.min, min) << base;
        EXPECT_GE(a.max, max) << base;
        EXPECT_LE(a.ticks, 10) << base;
        const Scale f = Fixed(min, max, 5, 10);
        EXPECT_GE(f.min, min) << base;
        EXPECT_LE(f.max, max) << base;
    }
}

TEST(iGPNumbers, AutoScalesWithTooFewTicksAllowedLeaveTheRange)
{
    for (int maxTicks : {-5, 0, 1}) {
        const Scale a = Adjustable(0, 9.3, 5, maxTicks);
        EXPECT_EQ(a.min, 0) << maxTicks;
        EXPECT_EQ(a.max, 9.3) << maxTicks;
        const Scale f = Fixed(0, 9.3, 5, maxTicks);
        EXPECT_EQ(f.min, 0) << maxTicks;
        EXPECT_EQ(f.max, 9.3) << maxTicks;
    }
}

TEST(iGPNumbers, TimeSpansInWholeUnitsSaturate)
{
    const double second = 1.0 / 86400;
    EXPECT_EQ(DateToSeconds(1 + second), 86401);
    EXPECT_EQ(DateToMilliSeconds(EncodeTime(1, 2, 3, 4)), 3723004);
    EXPECT_EQ(DateToMinutes(1.5), 2160);
    EXPECT_EQ(DateToHours(1.5), 36);
    EXPECT_EQ(DateToHours(0.99999999999), 24);  // a fraction rounding up to a day counts as a day, not 0
    EXPECT_EQ(DateToSeconds(0.9999999999999995), 86400);
    // Totals beyond 32 bits saturate instead of wrapping (50 days of milliseconds).
    EXPECT_EQ(DateToMilliSeconds(50), INT_MAX);
    EXPECT_EQ(DateToSeconds(30000), INT_MAX);
    EXPECT_EQ(DateToMinutes(3000000), INT_MAX);
    EXPECT_EQ(DateToHours(1e12), INT_MAX);
    // Negative totals.
    EXPECT_EQ(DateToMinutes(-2), 10000);
    EXPECT_EQ(DateToHours(-2), INT_MAX);
    EXPECT_EQ(DateToMilliSeconds(-1e12), INT_MAX);
    EXPECT_EQ(DateToMinutes(NAN), 10000);
}

TEST(iGPNumbers, DecodeDateIntoIntegers)
{
    int y = 0, m = 0, d = 0;
    iDecodeDate(EncodeDate(2024, 2, 29) + 0.75, y, m, d);
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
}
