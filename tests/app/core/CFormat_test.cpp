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

TEST(QuickFormat, LongPrecisionStillMatchesPrintf)
{
    EXPECT_EQ(QuickFormat("%.60f", 1e300), Printf("%.60f", 1e300));
    EXPECT_EQ(QuickFormat("%.20f", 1.0 / 3), Printf("%.20f", 1.0 / 3));
}

}  // namespace
