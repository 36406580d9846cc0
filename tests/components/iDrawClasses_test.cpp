#include "components/iDrawClasses.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TBitmap> Filled(int width, int height, TColor color)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().SetColor(color);
    bitmap->Canvas().FillRect({0, 0, width, height});
    return bitmap;
}

}  // namespace

TEST(iDrawClasses, DrawObjectKeepsPointsAndChecksIndexes)
{
    TiDrawObject o;
    EXPECT_EQ(o.ClassName(), "TiDrawObject");
    o.AddPolyPoint({1.5, 2});
    o.AddPolyPoint({3, 4});
    EXPECT_EQ(o.GetPolyPointCount(), 2);
    o.SetPolyPoint(1, {5, 6});
    EXPECT_EQ(o.GetPolyPoint(1), (TPointDouble{5, 6}));
    EXPECT_EQ(o.GetPolyPoint(0), (TPointDouble{1.5, 2}));
    for (int bad : {-1, 2}) {
        try {
            o.GetPolyPoint(bad);
            ADD_FAILURE() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "Index out of Bounds");
        }
        EXPECT_THROW(o.SetPolyPoint(bad, {}), EListError) << bad;
    }
    o.ClearPolyPoints();
    EXPECT_EQ(o.GetPolyPointCount(), 0);
    EXPECT_THROW(o.GetPolyPoint(0), EListError);
}

TEST(iDrawClasses, RaisedTriangleIsLitFromTheTopLeftAndReturnsItsRegion)
{
    auto b = Filled(40, 40, clGray);
    TCanvas& c = b->Canvas();
    const TRegion region = TiDraw::Triangle(c, {5, 5, 35, 35}, iqdBottom, ibsRaised, clRed, false);
    EXPECT_EQ(c.GetPixel(20, 12), clRed);    // inside
    EXPECT_EQ(c.GetPixel(20, 5), clWhite);   // top edge faces up
    EXPECT_EQ(c.GetPixel(10, 15), clWhite);  // left edge faces down and left
    EXPECT_EQ(c.GetPixel(30, 15), clBlack);  // right edge faces down and right
    EXPECT_EQ(c.GetPixel(6, 30), clGray);    // outside
    EXPECT_TRUE(region.PtInRegion(20, 12));
    EXPECT_FALSE(region.PtInRegion(6, 30));

    auto flat = Filled(40, 40, clGray);
    TiDraw::Triangle(flat->Canvas(), {5, 5, 35, 35}, iqdBottom, ibsNone, clRed, true);
    EXPECT_NE(flat->Canvas().GetPixel(20, 5), clWhite);
}

TEST(iDrawClasses, PointerTipsAtTheNamedSide)
{
    struct Case {
        TiQuadDirection dir;
        TPoint tip, corner;
    };
    const Case cases[] = {
        {iqdLeft, {1, 20}, {1, 2}},
        {iqdRight, {38, 20}, {38, 2}},
        {iqdTop, {20, 1}, {2, 1}},
        {iqdBottom, {20, 38}, {2, 38}},
    };
    for (const Case& k : cases) {
        auto b = Filled(41, 41, clGray);
        const TRegion region = TiDraw::Pointer(b->Canvas(), {0, 0, 40, 40}, k.dir, ibsNone, clBlue, false);
        EXPECT_TRUE(region.PtInRegion(k.tip.X, k.tip.Y)) << int(k.dir);
        EXPECT_FALSE(region.PtInRegion(k.corner.X, k.corner.Y)) << int(k.dir);
        EXPECT_EQ(b->Canvas().GetPixel(20, 20), clBlue) << int(k.dir);
    }
}

TEST(iDrawClasses, BorderAroundTheInflatedRectangle)
{
    auto b = Filled(40, 40, clGray);
    TiDraw::Border(b->Canvas(), {10, 10, 30, 30}, 3, ibsRaised);
    EXPECT_EQ(b->Canvas().GetPixel(7, 7), GetSysColor(22));
    EXPECT_EQ(b->Canvas().GetPixel(32, 32), GetSysColor(21));
    TiDraw::Border(b->Canvas(), {10, 10, 30, 30}, 0, ibsLowered);
    EXPECT_EQ(b->Canvas().GetPixel(10, 10), GetSysColor(16));
    auto none = Filled(40, 40, clGray);
    TiDraw::Border(none->Canvas(), {10, 10, 30, 30}, 3, ibsNone);
    EXPECT_EQ(none->Canvas().GetPixel(7, 7), clGray);
}

TEST(iDrawClasses, GradientTubeIsBrightestAlongTheMiddle)
{
    auto b = Filled(40, 21, clLime);
    TiDraw::GradientTube(b->Canvas(), {0, 0, 40, 21}, RGB(200, 200, 200), ioHorizontal);
    TCanvas& c = b->Canvas();
    EXPECT_EQ(c.GetPixel(20, 10), RGB(200, 200, 200));
    EXPECT_LT(GetRValue(c.GetPixel(20, 0)), GetRValue(c.GetPixel(20, 5)));
    EXPECT_LT(GetRValue(c.GetPixel(20, 20)), GetRValue(c.GetPixel(20, 15)));
    EXPECT_EQ(GetRValue(c.GetPixel(20, 0)), GetRValue(c.GetPixel(20, 20)));

    auto v = Filled(21, 40, clLime);
    TiDraw::GradientTube(v->Canvas(), {0, 0, 21, 40}, RGB(200, 200, 200), ioVertical);
    EXPECT_EQ(v->Canvas().GetPixel(10, 20), RGB(200, 200, 200));
    EXPECT_LT(GetRValue(v->Canvas().GetPixel(0, 20)), GetRValue(v->Canvas().GetPixel(5, 20)));

    auto empty = Filled(10, 10, clLime);
    TiDraw::GradientTube(empty->Canvas(), {5, 5, 5, 9}, clRed, ioVertical);
    EXPECT_EQ(empty->Canvas().GetPixel(5, 6), clLime);
}
