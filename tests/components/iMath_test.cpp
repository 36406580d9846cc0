#include "components/iMath.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
}

TEST(iMath, ElementaryFunctionsMatchTheirDefinitions)
{
    struct Case {
        const char* name;
        Extended got;
        double want;
    };
    const Case cases[] = {
        {"Tan", Tan(0.5L), std::tan(0.5)},
        {"Cot", Cot(0.5L), 1 / std::tan(0.5)},
        {"Sec", Sec(1), 1 / std::cos(1.0)},
        {"Csc", Csc(1), 1 / std::sin(1.0)},
        {"ArcSin", ArcSin(0.5L), Pi / 6},
        {"ArcCos", ArcCos(0.5L), Pi / 3},
        {"ArcCot", ArcCot(1), Pi / 4},
        {"ArcSec(-2) adds pi", ArcSec(-2), std::acos(0.5) + Pi},
        {"ArcCsc(-2) adds pi", ArcCsc(-2), std::asin(0.5) + Pi},
        {"Sinh", Sinh(1), std::sinh(1.0)},
        {"Tanh", Tanh(0.3L), std::tanh(0.3)},
        {"ASinh", ASinh(2), std::asinh(2.0)},
        {"ACosh", ACosh(2), std::acosh(2.0)},
        {"ATanh", ATanh(0.5L), std::atanh(0.5)},
        {"ACoth", ACoth(2), std::atanh(0.5)},
        {"ASech", ASech(0.5L), std::acosh(2.0)},
        {"ACsch", ACsch(0.5L), std::asinh(2.0)},
        {"Log base 2", Log(2, 8), 3},
        {"Log10", Log10(1000), 3},
        {"Power", Power(2, 0.5L), std::sqrt(2.0)},
        {"Pow negative exponent", Pow(2, -3), 0.125},
        {"Pow(0, 0)", Pow(0, 0), 1},
        {"Pow(0, 3)", Pow(0, 3), 0},
        {"IntPower(10, 0)", IntPower(10, 0), 1},
        {"IntPower(2, -2^31) underflows to 0", IntPower(2, INT32_MIN), 0},
        {"RadToDeg", RadToDeg(Pi), 180},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(double(c.got), c.want, 1e-12) << c.name;
}

TEST(iMath, RoundToRoundsToPowersOfTenWithHalvesToEven)
{
    EXPECT_DOUBLE_EQ(RoundTo(1234.5678, 2), 1200);
    EXPECT_DOUBLE_EQ(RoundTo(1234.5678, -2), 1234.57);
    EXPECT_DOUBLE_EQ(RoundTo(0, 3), 0);
    EXPECT_DOUBLE_EQ(RoundTo(250, 2), 200);
    EXPECT_DOUBLE_EQ(RoundTo(350, 2), 400);
}

TEST(iMath, FaultsRaiseTheMathErrorsInsteadOfReturningInfinityOrNaN)
{
    struct Case {
        const char* name;
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {"Log10(0)", [] { Log10(0); }, "Floating point division by zero"},
        {"Log10(-1)", [] { Log10(-1); }, "Invalid floating point operation"},
        {"Power(-2, 0.5)", [] { Power(-2, 0.5L); }, "Invalid floating point operation"},
        {"Log base 1", [] { Log(1, 5); }, "Floating point division by zero"},
        {"Pow(0, -1)", [] { Pow(0, -1); }, "Floating point division by zero"},
        {"ArcSin(2)", [] { ArcSin(2); }, "Invalid floating point operation"},
        {"ATanh(1)", [] { ATanh(1); }, "Floating point division by zero"},
        {"Coth(0)", [] { Coth(0); }, "Floating point division by zero"},
        {"Sinh(1e6)", [] { Sinh(1e6L); }, "Floating point overflow"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << " did not raise";
        } catch (const EMathError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.name;
        }
    }
}

TEST(iMath, SplineThroughAParabolaInterpolatesBetweenKnots)
{
    const TDoubleArray xa{0, 0, 1, 2, 3, 4};
    TDoubleArray ya(6);
    for (int i = 1; i <= 5; ++i)
        ya[i] = xa[i] * xa[i];
    TDoubleArray y2;
    Spline(xa, ya, 5, 0, 0, y2);
    ASSERT_EQ(y2.size(), 6u);
    double y = 0;
    for (int i = 1; i <= 5; ++i) {
        SplineInterpolation(xa, ya, y2, 5, xa[i], y);
        EXPECT_NEAR(y, ya[i], 1e-12) << "knot " << i;
    }
    SplineInterpolation(xa, ya, y2, 5, 2.5, y);
    EXPECT_NEAR(y, 6.25, 0.1);
}

TEST(iMath, InterpolationErrorsCarryTheirTexts)
{
    const TDoubleArray xa{0, 1, 1};
    const TDoubleArray ya{0, 5, 6};
    const TDoubleArray y2{0, 0, 0};
    double y = 0, dy = 0;
    try {
        SplineInterpolation(xa, ya, y2, 2, 1, y);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Splint Error - xa's must be distinct");
    }
    try {
        PolynomialInterpolation(xa, ya, 2, 0.5, y, dy);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Polynomial Interpolation Error - Pause in Routine Data");
    }
    // Repeated X anywhere in the knots is refused before any infinity reaches Y2.
    for (const TDoubleArray& knots : {TDoubleArray{0, 1, 1, 2}, TDoubleArray{0, 3, 4, 4}, TDoubleArray{0, 2, 2}}) {
        TDoubleArray second;
        try {
            Spline(knots, TDoubleArray(knots.size(), 1.0), int(knots.size()) - 1, 1e30, 1e30, second);
            ADD_FAILURE();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Splint Error - xa's must be distinct");
        }
    }
    // Too few points or arrays shorter than N are refused, never read past their end.
    TDoubleArray out;
    EXPECT_THROW(Spline(TDoubleArray{0, 1}, TDoubleArray{0, 1}, 1, 0, 0, out), Exception);
    EXPECT_THROW(Spline(TDoubleArray{0, 1, 2}, TDoubleArray{0, 1, 2}, 5, 0, 0, out), EListError);
}

TEST(iMath, PolynomialAndRationalInterpolationReproduceSmoothFunctions)
{
    const TDoubleArray xa{0, 1, 2, 3, 4};
    const TDoubleArray cubic{0, 1, 8, 27, 64};
    double y = 0, dy = 0;
    PolynomialInterpolation(xa, cubic, 4, 2.5, y, dy);
    EXPECT_NEAR(y, 15.625, 1e-9);

    const TDoubleArray inverse{0, 1, 0.5, 1.0 / 3, 0.25};
    RationalInterpolation(xa, inverse, 4, 2.5, y, dy);
    EXPECT_NEAR(y, 0.4, 1e-9);
    RationalInterpolation(xa, inverse, 4, 3, y, dy);
    EXPECT_DOUBLE_EQ(y, 1.0 / 3);
    EXPECT_EQ(dy, 0);
}

TEST(iMath, LineIntersectsRectTestsTheSegmentNotItsLine)
{
    const TRect r = Rect(10, 10, 20, 20);
    struct Case {
        TPoint a, b;
        bool hit;
        const char* name;
    };
    const Case cases[] = {
        {{12, 12}, {15, 15}, true, "inside"},
        {{0, 15}, {30, 15}, true, "crossing horizontally"},
        {{5, 0}, {5, 30}, false, "vertical beside"},
        {{20, 0}, {20, 5}, false, "on the right edge's line but above it"},
        {{0, 0}, {5, 5}, false, "pointing at the rectangle but short of it"},
        {{0, 10}, {10, 10}, true, "touching the corner"},
        {{25, 0}, {40, 30}, false, "far away, its line would cross"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineIntersectsRect(c.a, c.b, r), c.hit) << c.name;
}
