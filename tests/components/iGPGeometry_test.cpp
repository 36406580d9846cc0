#include "components/iGPGeometry.h"

#include "components/iComponent.h"  // shares the degree type: both headers in one file

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <type_traits>

TEST(iGPGeometry, RectanglesAreNormalisedAndReversedAxesExchangeXAndY)
{
    EXPECT_EQ(iRect(5, 9, 1, 2), Rect(1, 2, 5, 9));
    EXPECT_EQ(iXYReverseRect(true, 1, 2, 3, 4), Rect(2, 1, 4, 3));
    EXPECT_EQ(iXYReverseRect(false, 1, 2, 3, 4), Rect(1, 2, 3, 4));
    EXPECT_EQ(iXYReverseRect(true, 3, 9, 1, 2), Rect(2, 1, 9, 3));
    EXPECT_EQ(iXYReversePoint(true, 1, 2), Point(2, 1));
    EXPECT_EQ(iXYReversePoint(false, 1, 2), Point(1, 2));
    EXPECT_EQ(iPointReverse(true, 7, -3), Point(-3, 7));
    EXPECT_EQ(PointOrientation(1, 2, ioVertical), Point(1, 2));
    EXPECT_EQ(PointOrientation(1, 2, ioHorizontal), Point(2, 1));
    EXPECT_EQ(RectOrientation(1, 2, 3, 4, ioVertical), Rect(1, 2, 3, 4));
    EXPECT_EQ(RectOrientation(1, 2, 3, 4, ioHorizontal), Rect(2, 3, 4, 1));
}

TEST(iGPGeometry, CentresUseIntegerHalvesTowardZero)
{
    EXPECT_EQ(GetCenterPointRect(10, 20, 5, 3), Rect(8, 19, 13, 22));
    EXPECT_EQ(GetCenterPointRect(0, 0, 4, 4), Rect(-2, -2, 2, 2));
    EXPECT_EQ(GetRectCenterPoint(Rect(0, 0, 5, 5)), Point(2, 2));
    EXPECT_EQ(GetRectCenterPoint(Rect(-5, -5, 0, 0)), Point(-2, -2));  // toward zero, not down
}

TEST(iGPGeometry, ClickRectIsTheBoundingBoxWidenedToSizeWhereNarrower)
{
    struct Case {
        std::vector<TPoint> points;
        int size;
        TRect want;
    };
    const Case cases[] = {
        {{{10, 10}}, 6, {7, 7, 13, 13}},                   // one point: a Size square about it
        {{{10, 10}}, 5, {8, 8, 13, 13}},                   // odd size: the extra pixel right/bottom
        {{{0, 0}, {100, 2}}, 6, {0, -2, 100, 4}},          // wide in X, widened in Y only
        {{{0, 0}, {6, 6}}, 6, {0, 0, 6, 6}},               // extent equal to Size: replaced, same box
        {{{5, 40}, {-3, 2}, {1, 20}}, 4, {-3, 2, 5, 40}},  // both wider: the bounding box
        {{}, 6, {0, 0, 0, 0}},                             // no points
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetClickRect(c.points, c.size), c.want) << c.points.size() << " points, size " << c.size;
}

TEST(iGPGeometry, RadialPointsRunCounterClockwiseOnScreen)
{
    const TPoint c{100, 100};
    EXPECT_EQ(GetXYRadPoint(TDegrees(0), 10, c), Point(110, 100));
    EXPECT_EQ(GetXYRadPoint(TDegrees(90), 10, c), Point(100, 90));  // up: Y decreases
    EXPECT_EQ(GetXYRadPoint(TDegrees(180), 10, c), Point(90, 100));
    EXPECT_EQ(GetXYRadPoint(TDegrees(270), 10, c), Point(100, 110));
    EXPECT_EQ(GetXYRadPoint(TDegrees(45), 10, c), Point(107, 93));
    const TPointDouble p = GetXYRadPointDouble(TDegrees(60), 2, {1, 1});
    EXPECT_NEAR(p.X, 2.0, 1e-12);
    EXPECT_NEAR(p.Y, 1 - std::sqrt(3.0), 1e-12);
    // A radius passed where the angle belongs does not compile.
    static_assert(!std::is_convertible_v<double, TDegrees>);
}

TEST(iGPGeometry, PixelConversionsRoundHalvesToEvenAndClamp)
{
    EXPECT_EQ(PointDoubleToPoint(PointDouble(2.5, -2.5)), Point(2, -2));
    EXPECT_EQ(PointDoubleToPoint(PointDouble(3.5, 1e12)), Point(4, 32000));
    EXPECT_EQ(GetXYRadPoint(TDegrees(0), 1e20, {0, 0}).X, 32000);
    EXPECT_EQ(TruncHalf(2.5), 3);
    EXPECT_EQ(TruncHalf(2.49), 2);
    EXPECT_EQ(TruncHalf(-2.5), -2);
    EXPECT_EQ(TruncHalf(1e15), std::numeric_limits<int>::max());
    EXPECT_THROW(TruncHalf(std::nan("")), EInvalidOp);
    int a = 1, b = 2;
    SwapIntegers(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST(iGPGeometry, QuadDirectionFollowsOrientationAndSideAfterFlips)
{
    struct Case {
        TiOrientation o;
        TiOrientationSide s;
        bool flipO;
        bool flipS;
        TiQuadDirection want;
    };
    const Case cases[] = {
        {ioVertical, iosBottomRight, false, false, iqdRight},    {ioVertical, iosTopLeft, false, false, iqdLeft},
        {ioHorizontal, iosBottomRight, false, false, iqdBottom}, {ioHorizontal, iosTopLeft, false, false, iqdTop},
        {ioVertical, iosBottomRight, true, false, iqdBottom},    {ioVertical, iosBottomRight, false, true, iqdLeft},
        {ioHorizontal, iosBottomRight, true, true, iqdLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetQuadDirection(c.o, c.s, c.flipO, c.flipS), c.want)
            << int(c.o) << " " << int(c.s) << " " << c.flipO << " " << c.flipS;
}

TEST(iGPGeometry, SignAndNormalisedAngles)
{
    EXPECT_EQ(GetSign(-0.1), -1.0);
    EXPECT_EQ(GetSign(0), 1.0);
    EXPECT_EQ(GetSign(3), 1.0);
    const std::pair<double, double> cases[] = {
        {720, 0},   {400.5, 40.5}, {360, 0},    {359.5, 359.5}, {0, 0},
        {-30, 330}, {-400, 320},   {-360, 360}, {-720, 360},    {-0.5, 359.5},
    };
    for (auto [angle, want] : cases)
        EXPECT_DOUBLE_EQ(GetAngleNormalized(angle), want) << angle;
    EXPECT_THROW(GetAngleNormalized(std::nan("")), EInvalidOp);
}
