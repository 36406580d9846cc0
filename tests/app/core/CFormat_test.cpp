#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
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

TEST(QuickFormat, LongPrecisionStillMatchesPrintf)
{
    EXPECT_EQ(QuickFormat("%.60f", 1e300), Printf("%.60f", 1e300));
    EXPECT_EQ(QuickFormat("%.20f", 1.0 / 3), Printf("%.20f", 1.0 / 3));
}

}  // namespace
