#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

struct FloatCase {
    double value;
    const char* text;
};

TFormatSettings German()
{
    TFormatSettings s = TFormatSettings::English();
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '.';
    return s;
}

}  // namespace

TEST(Conversions, FloatToStrUsesFifteenDigitsAndSwitchesToExponentOutsideFixedRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    const FloatCase cases[] = {
        {0.1, "0.1"},
        {100, "100"},
        {1e15, "1E15"},
        {0.000001, "1E-6"},
        {-2.5e-7, "-2.5E-7"},
        {0, "0"},
        {-0.0, "0"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-1234.5, "-1234.5"},
        {999999999999999.0, "999999999999999"},
        {9999999999999999.0, "1E16"},  // rounds up into the exponent range
        {1e-5, "0.00001"},             // lowest fixed value
        {9.99999999999999e-6, "9.99999999999999E-6"},
        {0.00001234, "0.00001234"},
        {123456789012345678.0, "1.23456789012346E17"},
        {5e-324, "4.94065645841247E-324"},
        {DBL_MAX, "1.79769313486232E308"},
        {100000000000002.5, "100000000000003"},  // exact half at the 16th digit: away from zero
        {-100000000000002.5, "-100000000000003"},
        {std::nan(""), "NAN"},
        {inf, "INF"},
        {-inf, "-INF"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
}

TEST(Conversions, FloatToStrTakesTheSeparatorFromTheRegionOrTheCaller)
{
    TRegionGuard region(German());
    EXPECT_EQ(FloatToStr(-1.25), "-1,25");
    EXPECT_EQ(FloatToStr(2.5e-7), "2,5E-7");
    EXPECT_EQ(FloatToStr(-1.25, '.'), "-1.25");
    EXPECT_EQ(FloatToStr(0.1f, '.', 7), "0.1");
}

TEST(Conversions, FixedAndExponentFormsRoundTheExactBinaryValueHalvesAwayFromZero)
{
    struct Case {
        double value;
        int digits;
        const char* fixed;
        const char* exponent;
    };
    const Case cases[] = {
        {0.125, 2, "0.13", "1.3E-001"},  // exactly half: away from zero
        {-0.125, 2, "-0.13", "-1.3E-001"},
        {2.5, 0, "3", "3E+000"},
        {-2.5, 0, "-3", "-3E+000"},
        {2.675, 2, "2.67", "2.7E+000"},  // binary value lies below the half
        {1.005, 2, "1.00", "1.0E+000"},
        {1234.5678, 2, "1234.57", "1.2E+003"},
        {1234, 3, "1234.000", "1.23E+003"},
        {9.9951, 3, "9.995", "1.00E+001"},  // carry into a new leading digit
        {-0.004, 2, "0.00", "-4.0E-003"},   // no negative zero
        {0, 3, "0.000", "0.00E+000"},
        {1e21, 0, "1000000000000000000000", "1E+021"},
        {1.5e-300, 2, "0.00", "1.5E-300"},
        {0.1, 30, "0.100000000000000005551115123126", "1.00000000000000005551115123126E-001"},  // exact digits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.digits), c.fixed) << c.value;
        EXPECT_EQ(FormatExponent(c.value, std::max(c.digits, 1)), c.exponent) << c.value;
    }
    EXPECT_EQ(FormatFixed(1.5, 1, ','), "1,5");
    EXPECT_EQ(FormatExponent(12345, 4, ','), "1,235E+004");
}

TEST(Conversions, FormatFloatPatterns)
{
    struct Case {
        const char* pattern;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"0.000", 3.14159, "3.142"},
        {"0.000", -0.0004, "0.000"},
        {"0.", 2.5, "3"},  // no zeros after the point: no separator
        {"0.", 1.4, "1"},
        {"0", -0.4, "0"},
        {"#,#0", 1234567.5, "1,234,568"},
        {"#,#0", 999.5, "1,000"},
        {"#,#0", 12, "12"},
        {"#,#0", 0, "0"},
        {"#,#0.00", -1234.565, "-1,234.57"},
        {"#,#0.00", 0.001, "0.00"},
        {"#,#0.000", 1e9, "1,000,000,000.000"},
        {"0.0#", 1.5, "1.5"},
        {"0.0#", 1.256, "1.26"},
        {"\"T=\"0.0' K'", 3.25, "T=3.3 K"},
        {"", 0.1, "0.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value), c.text) << c.pattern << " " << c.value;

    TRegionGuard region(German());
    EXPECT_EQ(FormatFloat("#,#0.00", 1234.5), "1.234,50");
}

TEST(Conversions, StrToFloatAcceptsTheRegionsNumberForm)
{
    const FloatCase valid[] = {
        {1.5, " 1.5 "}, {-2000, "-2e3"}, {0.5, "+.5"}, {5, "5."}, {1e-10, "1E-10"}, {0, "1e-400"},
    };
    for (const FloatCase& c : valid)
        EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;

    for (const char* text : {"", " ", "abc", "1,5", "1.5.2", "1e", ".", "--1", "1e999", "- 1", "1 5", "0x10"}) {
        double value = 7;
        EXPECT_FALSE(TryStrToFloat(text, value)) << text;
        EXPECT_EQ(value, 7) << text;
    }
    try {
        StrToFloat("1,5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1,5' is not a valid floating point value");
    }
}

TEST(Conversions, FloatTextReadsBackInItsRegion)
{
    TRegionGuard region(German());
    for (double v : {0.1, -1234.5678, 6.02214076e23, 1e-300, 0.0}) {
        const std::string text = FloatToStr(v);
        EXPECT_DOUBLE_EQ(StrToFloat(text), v) << text;
    }
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
    EXPECT_TRUE(std::isnan(StrToFloat(FloatToStr(std::nan("")))));
    EXPECT_EQ(StrToFloat(FloatToStr(-HUGE_VAL)), -HUGE_VAL);
}

TEST(Conversions, FileNumbersAcceptPointOrCommaInAnyRegion)
{
    for (const TFormatSettings& settings : {TFormatSettings::English(), German()}) {
        TRegionGuard region(settings);
        EXPECT_EQ(FileStrToFloat("1.5"), 1.5);
        EXPECT_EQ(FileStrToFloat("-1,5E2"), -150);
        EXPECT_THROW(FileStrToFloat("1,234.5"), EConvertError);
    }
}

TEST(Conversions, IntegerText)
{
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
    const std::pair<const char*, int> valid[] = {
        {"  42 ", 42}, {"+7", 7}, {"-0", 0}, {"-2147483648", -2147483647 - 1}, {"2147483647", 2147483647}, {"007", 7},
    };
    for (const auto& [text, expected] : valid)
        EXPECT_EQ(StrToInt(text), expected) << text;

    for (const char* text :
         {"", "+", "-", "2147483648", "-2147483649", "99999999999999999999", "1.0", "0x10", "1 2", "+-5", "12a"}) {
        int value = 7;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(value, 7);
    }
    try {
        StrToInt("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
}
