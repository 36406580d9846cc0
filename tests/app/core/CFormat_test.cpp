#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "app/core/CFormat.h"
#include "app/core/DeviceQuantities.h"
#include "app/core/HostState.h"

namespace {

std::string Printf(const char* format, double value)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

const double kValues[] = {0.0,
                          -0.0,
                          0.5,
                          1.5,
                          2.5,
                          -2.5,
                          0.125,
                          0.375,
                          12345.678901,
                          -1e-9,
                          1e300,
                          -1e300,
                          99999.0,
                          0.00005,
                          0.99995,
                          1234.5,
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::nan("")};

// Every format a channel title is built from, against printf with ties, signs, huge values
// and non-numbers: the titles must read exactly as they did when printf made them.
TEST(QuickFormat, MatchesPrintfForEveryTitleFormat)
{
    std::vector<std::string> formats = {
        "%s: %1.0lf Counts", "%s: %4.2lf Mean", "%s: %4.2lf stddev", "%1lf", "%6.4lf", "%8.6f",
        "%3.1lf dbar",       "100%% %4.0lf"};
    for (int t = 0; t < kTypeCount; ++t)
        if (const DeviceQuantity* q = QuantityOf(t); q && q->EngrTitle)
            formats.emplace_back(q->EngrTitle);
    for (const std::string& f : formats) {
        for (double v : kValues) {
            char expected[512];
            if (f.find("%s") != std::string::npos)
                std::snprintf(expected, sizeof expected, f.c_str(), "ug/l", v);
            else
                std::snprintf(expected, sizeof expected, f.c_str(), v);
            EXPECT_EQ(QuickFormat(f.c_str(), v, "ug/l"), expected) << f << " of " << v;
        }
    }
}

TEST(QuickFormat, WholeNumbersAndTheirPlace)
{
    const int wholes[] = {0, 7, 440, -5, 12345, -2147483647 - 1};
    for (int w : wholes) {
        char expected[128];
        std::snprintf(expected, sizeof expected, "Beta %3d : %6.4lf", w, 0.01234);
        EXPECT_EQ(QuickFormat("Beta %3d : %6.4lf", 0.01234, "", w), expected);
        std::snprintf(expected, sizeof expected, "%3d nm", w);
        EXPECT_EQ(QuickFormat("%3d nm", 0, "", w), expected);
    }
}

TEST(QuickFormat, ZeroPaddedWholeNumbersMatchPrintf)
{
    const int wholes[] = {0, 7, 12, 99, 100, -5, -12, -123, 2147483647, -2147483647 - 1};
    for (int width : {1, 2, 3}) {
        for (int w : wholes) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%0*d", width, w);
            std::string out;
            AppendWhole(out, w, width, true);
            EXPECT_EQ(out, expected) << width << " " << w;
        }
    }
}

// The record and the titles print most values through a short exact path; across random
// values of every size, decimal-looking values and exact ties it must print what printf does.
TEST(QuickFormat, FixedValuesMatchPrintfAcrossMagnitudes)
{
    std::mt19937_64 random(24);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);                                                                      // any bit pattern
        values.push_back(std::ldexp(double(random() % 2000001) - 1000000, -int(random() % 40)));  // ties
        values.push_back(double(std::int64_t(random() % 2000000001) - 1000000000) / 1e6);         // decimals
        values.push_back(std::ldexp(1.0, int(random() % 80) - 60) * (i % 2 ? -1 : 1));            // powers of two
    }
    values.insert(values.end(), {999999999.9999999, 1e9, -1e9, 0.5, 1.5, 2.5, 5e-10, 4.9999999999e-10, 0.0, -0.0});
    for (double v : values) {
        for (int precision = 0; precision <= 10; ++precision) {
            std::string out;
            AppendFixed(out, v, 8, precision);
            char expected[512];
            std::snprintf(expected, sizeof expected, "%8.*f", precision, v);
            ASSERT_EQ(out, expected) << precision << " " << v;
        }
    }
}

// The record's and the titles' decimals settings ("%8.6f" backscatter, "%6.4f" most
// quantities, "%5.1f" pressure, "%1.0f" counts, "%4.2f" statistics) pinned to the texts they
// have always written, with the ties, signs, carries and magnitudes that tell roundings apart.
TEST(QuickFormat, RecordTextsOfTrickyValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double value;
        int width, precision;
        const char* text;
    };
    const Case cases[] = {
        {"zero", 0.0, 8, 6, "0.000000"},
        {"negative zero", -0.0, 8, 6, "-0.000000"},
        {"tiny negative keeps its sign", -4e-07, 8, 6, "-0.000000"},
        {"half a millionth, below the tie in binary", 5e-07, 8, 6, "0.000000"},
        {"rounds up at the sixth decimal", 1.5e-06, 8, 6, "0.000002"},
        {"wider than the field", -123456.7890125, 8, 6, "-123456.789012"},
        {"largest short value", 999999999.9999999, 8, 6, "1000000000.000000"},
        {"at 1e9", 1e9, 8, 6, "1000000000.000000"},
        {"exact power of ten above the short path", 1e22, 8, 6, "10000000000000000000000.000000"},
        {"below every decimal", 1e-300, 8, 6, "0.000000"},
        {"exact tie rounds to even, down", 0.125, 4, 2, "0.12"},
        {"exact tie rounds to even, up", 0.375, 4, 2, "0.38"},
        {"decimal tie stored below", 1.005, 4, 2, "1.00"},
        {"negative rounds to -0.00", -0.004, 4, 2, "-0.00"},
        {"five in the fifth decimal", 5e-05, 6, 4, "0.0001"},
        {"just under a decimal tie", 0.00015, 6, 4, "0.0001"},
        {"just over a decimal tie", 0.00025, 6, 4, "0.0003"},
        {"carries into a new digit", 9.99995, 6, 4, "10.0000"},
        {"negative carry", -9.99996, 6, 4, "-10.0000"},
        {"pressure tie above in binary", 0.05, 5, 1, "  0.1"},
        {"pressure exact tie", 0.25, 5, 1, "  0.2"},
        {"pressure below tie", 0.35, 5, 1, "  0.3"},
        {"pressure negative", -10.1325, 5, 1, "-10.1"},
        {"pressure large", 12345678.96, 5, 1, "12345679.0"},
        {"count half to even, zero", 0.5, 1, 0, "0"},
        {"count half to even, two", 1.5, 1, 0, "2"},
        {"count half to even, stays two", 2.5, 1, 0, "2"},
        {"count negative tie", -3.5, 1, 0, "-4"},
        {"count large", 4294967296.0, 1, 0, "4294967296"},
        {"count negative half", -0.5, 1, 0, "-0"},
        {"infinity", inf, 6, 4, "   inf"},
        {"negative infinity", -inf, 8, 6, "    -inf"},
        {"not a number", nan, 6, 4, "   nan"},
        {"negative not a number", -nan, 6, 4, "  -nan"},
    };
    for (const Case& c : cases) {
        char printed[512];
        std::snprintf(printed, sizeof printed, "%*.*f", c.width, c.precision, c.value);
        EXPECT_STREQ(printed, c.text) << c.name;
        std::string out = "x";
        AppendFixed(out, c.value, c.width, c.precision);
        EXPECT_EQ(out, std::string("x") + c.text) << c.name;
    }
}

TEST(QuickFormat, LongPrecisionStillMatchesPrintf)
{
    EXPECT_EQ(QuickFormat("%.60f", 1e300), Printf("%.60f", 1e300));
    EXPECT_EQ(QuickFormat("%.20f", 1.0 / 3), Printf("%.20f", 1.0 / 3));
}

}  // namespace
