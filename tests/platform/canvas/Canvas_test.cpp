// Pixel conformance of the canvas: the drawing rules every component relies on.

#include "PixelTestUtil.h"

#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace {

const std::vector<Legend> kMarks = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

}  // namespace

TEST(CanvasLines, SegmentsLeaveOutTheirFinalPoint)
{
    auto b = WhiteBitmap(20, 12);
    TCanvas& c = b->Canvas();
    c.MoveTo(2, 1);
    c.LineTo(8, 1);
    EXPECT_EQ(Row(*b, 1, 0, 10, kMarks), "..######..");
    EXPECT_EQ(c.GetPenPos(), Point(8, 1));

    c.Polyline({{2, 3}, {6, 3}, {6, 7}, {2, 7}});
    EXPECT_EQ(Row(*b, 3, 0, 8, kMarks), "..#####.");  // the corner vertex is drawn once
    EXPECT_EQ(Column(*b, 6, 3, 8, kMarks), "#####");
    EXPECT_EQ(Row(*b, 7, 0, 8, kMarks), "...####.");  // the last point (2, 7) is left out

    c.MoveTo(10, 2);
    c.LineTo(14, 6);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.GetPixel(10 + i, 2 + i), clBlack) << i;
    EXPECT_EQ(c.GetPixel(14, 6), clWhite);
}

TEST(CanvasLines, FarOffLinesDrawOnlyWhatCrossesTheBitmap)
{
    struct Case {
        int fromX;
        TPenStyle style;
        const char* why;
    };
    const Case cases[] = {
        {INT_MIN, psSolid, "a start at INT_MIN once overflowed the step count"},
        {-1000000000, psSolid, "a billion pixels to the left were traced one by one"},
        // 6000000 pixels before the bitmap: a whole number of dot cycles, so the pattern
        // at the left edge is the one a line starting there has.
        {-6000000, psDot, "the dash phase counts the pixels left out"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.why);
        auto b = WhiteBitmap(40, 4);
        TCanvas& c = b->Canvas();
        c.Pen().SetStyle(k.style);
        c.Brush().SetStyle(bsClear);
        c.MoveTo(k.fromX, 1);
        c.LineTo(34, 1);
        auto near = WhiteBitmap(40, 4);
        near->Canvas().Pen().SetStyle(k.style);
        near->Canvas().Brush().SetStyle(bsClear);
        near->Canvas().MoveTo(0, 1);
        near->Canvas().LineTo(34, 1);
        EXPECT_EQ(Row(*b, 1, 0, 40, kMarks), Row(*near, 1, 0, 40, kMarks));
    }
    // Both ends far off, across the whole int range: the row is drawn edge to edge.
    auto b = WhiteBitmap(40, 4);
    b->Canvas().MoveTo(INT_MIN, 2);
    b->Canvas().LineTo(INT_MAX, 2);
    EXPECT_EQ(Row(*b, 2, 0, 40, kMarks), std::string(40, '#'));
}

// Lines along a row or a column are written in runs; a line broken at an inner point on
// it goes the general way, and both must set the same pixels, clipped or not.
TEST(CanvasLines, RowAndColumnLinesSetTheSamePixelsAsTracedLines)
{
    struct Case {
        TPoint From, To;
    };
    const Case cases[] = {
        {{3, 2}, {3, 15}},      {{3, 15}, {3, 2}},       {{1, 4}, {18, 4}},    {{18, 4}, {1, 4}},
        {{5, -30}, {5, 40}},    {{-50, 9}, {60, 9}},     {{0, 0}, {0, 19}},    {{19, 19}, {-1, 19}},
        {{7, INT_MIN}, {7, 8}}, {{INT_MAX, 6}, {-9, 6}}, {{12, 25}, {12, 40}}, {{4, 7}, {4, 7}},
    };
    const TRegion triangle = TRegion::FromPolygon({{0, 0}, {16, 0}, {0, 16}}, pfmAlternate);
    for (int clip = 0; clip < 3; ++clip) {
        for (const Case& k : cases) {
            SCOPED_TRACE(testing::Message() << "clip " << clip << " from " << k.From.X << "," << k.From.Y << " to "
                                            << k.To.X << "," << k.To.Y);
            auto straight = WhiteBitmap(20, 20);
            auto traced = WhiteBitmap(20, 20);
            for (TCanvas* c : {&straight->Canvas(), &traced->Canvas()}) {
                c->Pen().SetColor(clRed);
                if (clip == 1)
                    c->IntersectClipRect({2, 3, 15, 17});
                if (clip == 2)
                    c->SelectClipRgn(&triangle);
            }
            straight->Canvas().Polyline({k.From, k.To});
            // An inner point of the line, so that both parts run the same way.
            const long long midX = (static_cast<long long>(k.From.X) + k.To.X) / 2;
            const long long midY = (static_cast<long long>(k.From.Y) + k.To.Y) / 2;
            const TPoint middle{int(midX), int(midY)};
            if (middle == k.From)
                traced->Canvas().Polyline({k.From, k.To});
            else
                traced->Canvas().Polyline({k.From, middle, k.To});
            for (int y = 0; y < 20; ++y)
                EXPECT_EQ(Row(*straight, y, 0, 20, kMarks), Row(*traced, y, 0, 20, kMarks)) << "row " << y;
        }
    }
}

TEST(CanvasLines, OnePixelDashPatternsRestartAtEveryCall)
{
    struct Case {
        TPenStyle style;
        const char* pattern;
    };
    const Case cases[] = {
        {psSolid, "##################################"},      {psDash, "##################......##########"},
        {psDot, "###...###...###...###...###...###."},        {psDashDot, "#########......###......#########."},
        {psDashDotDot, "#########...###...###...#########."}, {psInsideFrame, "##################################"},
        {psClear, ".................................."},
    };
    for (const Case& k : cases) {
        auto b = WhiteBitmap(40, 4);
        TCanvas& c = b->Canvas();
        c.Pen().SetStyle(k.style);
        c.Brush().SetStyle(bsClear);  // transparent background: gaps keep the white
        c.MoveTo(0, 1);
        c.LineTo(34, 1);
        EXPECT_EQ(Row(*b, 1, 0, 34, kMarks), k.pattern) << k.style;
        c.MoveTo(0, 2);
        c.LineTo(5, 2);
        c.LineTo(34, 2);
        EXPECT_EQ(Row(*b, 2, 5, 8, kMarks), std::string(k.pattern).substr(0, 3)) << "restart " << k.style;
    }
}

TEST(CanvasLines, DashGapsTakeTheBackgroundOnlyInOpaqueMode)
{
    auto b = WhiteBitmap(30, 4);
    TCanvas& c = b->Canvas();
    c.Pen().SetStyle(psDot);
    c.Pen().SetColor(clBlack);
    c.Brush().SetColor(clRed);  // background colour follows the brush, mode opaque
    EXPECT_EQ(c.GetBkColor(), clRed);
    EXPECT_EQ(c.GetBkMode(), bkOpaque);
    c.MoveTo(0, 1);
    c.LineTo(12, 1);
    EXPECT_EQ(Row(*b, 1, 0, 12, kMarks), "###rrr###rrr");
    c.Brush().SetStyle(bsClear);
    EXPECT_EQ(c.GetBkMode(), bkTransparent);
    c.MoveTo(0, 2);
    c.LineTo(12, 2);
    EXPECT_EQ(Row(*b, 2, 0, 12, kMarks), "###...###...");
}

TEST(CanvasLines, WidePensAreSolidAndCentred)
{
    auto b = WhiteBitmap(40, 12);
    TCanvas& c = b->Canvas();
    c.Pen().SetWidth(3);
    c.Pen().SetStyle(psDash);
    c.MoveTo(5, 5);
    c.LineTo(35, 5);
    EXPECT_EQ(Row(*b, 5, 5, 35, kMarks), std::string(30, '#'));  // no dash gaps
    EXPECT_EQ(c.GetPixel(20, 4), clBlack);
    EXPECT_EQ(c.GetPixel(20, 6), clBlack);
    EXPECT_EQ(c.GetPixel(20, 3), clWhite);
    EXPECT_EQ(c.GetPixel(20, 7), clWhite);
}

TEST(CanvasShapes, RectangleOutlinesItsEdgesAndFillsInside)
{
    auto b = WhiteBitmap(12, 12);
    TCanvas& c = b->Canvas();
    c.Brush().SetColor(clRed);
    c.Rectangle(2, 2, 8, 7);
    EXPECT_EQ(Row(*b, 2, 0, 10, kMarks), "..######..");
    EXPECT_EQ(Row(*b, 4, 0, 10, kMarks), "..#rrrr#..");
    EXPECT_EQ(Row(*b, 6, 0, 10, kMarks), "..######..");
    EXPECT_EQ(Column(*b, 4, 0, 9, kMarks), "..#rrr#..");

    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(clBlue);
    c.Rectangle(2, 8, 8, 11);  // no outline: the fill stops one short of right and bottom
    EXPECT_EQ(Row(*b, 8, 0, 10, kMarks), "..bbbbb...");
    EXPECT_EQ(Row(*b, 9, 0, 10, kMarks), "..bbbbb...");
    EXPECT_EQ(Row(*b, 10, 0, 10, kMarks), "..........");
}

TEST(CanvasShapes, FillRectCoversTheRectangleAndIgnoresThePen)
{
    auto b = WhiteBitmap(10, 6);
    TCanvas& c = b->Canvas();
    c.Pen().SetColor(clBlack);
    c.Brush().SetColor(clLime);
    c.FillRect({1, 1, 5, 3});
    EXPECT_EQ(Row(*b, 1, 0, 7, kMarks), ".gggg..");
    EXPECT_EQ(Row(*b, 2, 0, 7, kMarks), ".gggg..");
    EXPECT_EQ(Row(*b, 3, 0, 7, kMarks), ".......");
    c.Brush().SetColor(clBlue);
    c.FrameRect({6, 0, 10, 4});
    EXPECT_EQ(Row(*b, 0, 6, 10, kMarks), "bbbb");
    EXPECT_EQ(Row(*b, 1, 6, 10, kMarks), "b..b");
    EXPECT_EQ(Row(*b, 3, 6, 10, kMarks), "bbbb");
}

TEST(CanvasShapes, InsideFramePenKeepsAWideOutlineInsideTheBox)
{
    for (TPenStyle style : {psSolid, psInsideFrame}) {
        auto b = WhiteBitmap(30, 30);
        TCanvas& c = b->Canvas();
        c.Brush().SetStyle(bsClear);
        c.Pen().SetWidth(5);
        c.Pen().SetStyle(style);
        c.Rectangle(5, 5, 25, 25);
        c.Ellipse(5, 5, 25, 25);
        const TRect ink = InkBox(*b, clWhite);
        if (style == psInsideFrame)
            EXPECT_EQ(ink, Rect(5, 5, 25, 25));
        else
            EXPECT_LT(ink.Left, 5);
    }
}

TEST(CanvasShapes, EllipseStaysInItsBoundingRectangle)
{
    auto b = WhiteBitmap(30, 20);
    TCanvas& c = b->Canvas();
    c.Brush().SetColor(clRed);
    c.Ellipse(4, 3, 24, 15);
    EXPECT_EQ(InkBox(*b, clWhite), Rect(4, 3, 24, 15));
    EXPECT_EQ(c.GetPixel(14, 9), clRed);
    EXPECT_EQ(c.GetPixel(4, 3), clWhite);  // corners stay outside
}

TEST(CanvasShapes, PolygonFillsWithTheAlternateRule)
{
    auto b = WhiteBitmap(40, 40);
    TCanvas& c = b->Canvas();
    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(clRed);
    // A five-pointed star drawn in one stroke: its centre is covered twice and stays empty.
    c.Polygon({{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}});
    EXPECT_EQ(c.GetPixel(20, 20), clWhite);
    EXPECT_EQ(c.GetPixel(20, 6), clRed);

    auto s = WhiteBitmap(12, 12);
    s->Canvas().Pen().SetStyle(psClear);
    s->Canvas().Brush().SetColor(clBlue);
    s->Canvas().Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
    EXPECT_EQ(InkBox(*s, clWhite), Rect(2, 2, 8, 6));

    auto o = WhiteBitmap(12, 12);
    o->Canvas().Brush().SetStyle(bsClear);
    o->Canvas().Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
    EXPECT_EQ(InkBox(*o, clWhite), Rect(2, 2, 9, 7));  // closed outline: every vertex drawn
}

TEST(CanvasBrushes, HatchesAreAlignedToTheDeviceOriginWithBackgroundGaps)
{
    struct Case {
        TBrushStyle style;
        TPoint ink;
        TPoint gap;
    };
    const Case cases[] = {
        {bsHorizontal, {3, 7}, {3, 6}}, {bsVertical, {7, 3}, {6, 3}}, {bsFDiagonal, {5, 5}, {5, 4}},
        {bsBDiagonal, {2, 5}, {2, 4}},  {bsCross, {7, 7}, {3, 3}},    {bsDiagCross, {3, 4}, {2, 4}},
    };
    for (const Case& k : cases) {
        auto b = WhiteBitmap(24, 24);
        TCanvas& c = b->Canvas();
        c.Brush().SetStyle(k.style);
        c.Brush().SetColor(clBlue);
        c.SetBkColor(clRed);
        c.FillRect({3, 3, 24, 24});  // starts off the 8-pixel grid
        EXPECT_EQ(c.GetPixel(k.ink.X + 8, k.ink.Y + 8), clBlue) << k.style;
        EXPECT_EQ(c.GetPixel(k.gap.X + 8, k.gap.Y + 8), clRed) << k.style << " gap";
        EXPECT_EQ(c.GetPixel(k.ink.X + 16, k.ink.Y + 8), clBlue) << k.style;
        c.SetBkMode(bkTransparent);
        c.Brush().SetColor(clLime);
        c.SetBkMode(bkTransparent);  // the brush colour re-opens the mode; set it again
        c.FillRect({0, 0, 24, 24});
        EXPECT_EQ(c.GetPixel(k.gap.X + 8, k.gap.Y + 8), clRed) << k.style;  // gaps untouched
    }
}

TEST(CanvasPixels, ReadAndWrite)
{
    auto b = WhiteBitmap(4, 4);
    b->Canvas().SetPixel(1, 2, clRed);
    EXPECT_EQ(b->Canvas().GetPixel(1, 2), clRed);
    b->Canvas().SetPixel(1, 1, clBtnFace);
    EXPECT_EQ(b->Canvas().GetPixel(1, 1), GetSysColor(15));
    EXPECT_EQ(b->Canvas().GetPixel(10, 10), clBlack);  // outside the picture
}

TEST(CanvasClip, IntersectClipRectAndRegionsLimitDrawing)
{
    auto b = WhiteBitmap(20, 10);
    TCanvas& c = b->Canvas();
    c.IntersectClipRect({2, 2, 10, 8});
    c.IntersectClipRect({5, 0, 20, 20});
    EXPECT_EQ(c.GetClipBox(), Rect(5, 2, 10, 8));
    c.Brush().SetColor(clRed);
    c.FillRect({0, 0, 20, 10});
    EXPECT_EQ(InkBox(*b, clWhite), Rect(5, 2, 10, 8));
    EXPECT_TRUE(c.PtVisible(5, 2));
    EXPECT_FALSE(c.PtVisible(10, 2));

    c.SelectClipRgn(nullptr);
    EXPECT_FALSE(c.IsClipped());
    const TRegion triangle = TRegion::FromPolygon({{0, 0}, {8, 0}, {0, 8}}, pfmAlternate);
    c.SelectClipRgn(&triangle);
    c.Brush().SetColor(clBlue);
    c.FillRect({0, 0, 20, 10});
    EXPECT_EQ(c.GetPixel(1, 1), clBlue);
    EXPECT_EQ(c.GetPixel(7, 7), clRed);
}

TEST(CanvasClip, OriginMovesDrawingAndClipRectangles)
{
    auto b = WhiteBitmap(30, 30);
    TCanvas& c = b->Canvas();
    c.SetOrigin({10, 5});
    c.IntersectClipRect({0, 0, 4, 4});
    c.Brush().SetColor(clRed);
    c.FillRect({-10, -10, 30, 30});
    EXPECT_EQ(c.GetClipBox(), Rect(0, 0, 4, 4));
    EXPECT_EQ(c.GetPixel(0, 0), clRed);  // pixels are read through the origin too
    c.SetOrigin({0, 0});
    EXPECT_EQ(InkBox(*b, clWhite), Rect(10, 5, 14, 9));
}

TEST(Regions, BoxesAndPointTests)
{
    const TRegion r = TRegion::FromPolygon({{2, 2}, {10, 2}, {10, 6}}, pfmWinding);
    EXPECT_EQ(r.GetRgnBox().Left, 2);
    EXPECT_TRUE(r.PtInRegion(9, 3));
    EXPECT_FALSE(r.PtInRegion(3, 5));
    EXPECT_EQ(TRegion::FromPolygon({{1, 1}, {5, 5}, {9, 9}}, pfmAlternate).GetRgnBox(), TRect{});
    EXPECT_EQ(TRegion::FromRect({1, 2, 3, 4}).GetRgnBox(), Rect(1, 2, 3, 4));
    EXPECT_EQ(TRegion::FromPolygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}}, pfmAlternate), TRegion::FromRect({2, 2, 8, 6}));
    EXPECT_TRUE(TRegion::FromRect({3, 3, 3, 9}).IsEmpty());
}

TEST(CanvasState, SaveAndRestoreBringBackTheWholeState)
{
    auto b = WhiteBitmap(10, 10);
    TCanvas& c = b->Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    c.Font().SetHeight(-20);
    const int level = c.SaveDC();
    c.Pen().SetColor(clLime);
    c.Brush().SetStyle(bsClear);
    c.Font().SetHeight(-8);
    c.SetOrigin({3, 3});
    c.IntersectClipRect({0, 0, 2, 2});
    c.SaveDC();
    c.RestoreDC(level);
    EXPECT_EQ(c.Pen().GetColor(), clRed);
    EXPECT_EQ(c.Brush().GetStyle(), bsSolid);
    EXPECT_EQ(c.GetBkMode(), bkOpaque);
    EXPECT_EQ(c.Font().GetHeight(), -20);
    EXPECT_EQ(c.GetOrigin(), Point(0, 0));
    EXPECT_FALSE(c.IsClipped());
    c.RestoreDC(-1);  // nothing left to restore
    EXPECT_EQ(c.Pen().GetColor(), clRed);
}

TEST(CanvasState, SaverBringsTheStateBackWhenAnExceptionLeavesTheScope)
{
    auto b = WhiteBitmap(10, 10);
    TCanvas& c = b->Canvas();
    c.Pen().SetColor(clRed);
    try {
        TCanvasStateSaver saved(c);
        c.Pen().SetColor(clLime);
        c.SetOrigin({3, 3});
        c.IntersectClipRect({0, 0, 2, 2});
        throw std::runtime_error("paint failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(c.Pen().GetColor(), clRed);
    EXPECT_EQ(c.GetOrigin(), Point(0, 0));
    EXPECT_FALSE(c.IsClipped());
}

TEST(CanvasEdges, RaisedAndSunkenBevelsUseTheFixedColours)
{
    struct Case {
        unsigned edge;
        TColor outerTL, outerBR, innerTL, innerBR;
    };
    const Case cases[] = {
        {EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
    };
    for (const Case& k : cases) {
        auto b = WhiteBitmap(20, 20);
        b->Canvas().Brush().SetColor(clRed);
        b->Canvas().FillRect({0, 0, 20, 20});
        TCanvas& c = b->Canvas();
        c.DrawEdge({2, 3, 12, 10}, k.edge);
        auto at = [&](int x, int y) { return c.GetPixel(x, y); };
        const TColor oTL = ColorToRGB(k.outerTL), oBR = ColorToRGB(k.outerBR);
        const TColor iTL = ColorToRGB(k.innerTL), iBR = ColorToRGB(k.innerBR);
        EXPECT_EQ(at(2, 3), oTL);
        EXPECT_EQ(at(10, 3), oTL);  // row T up to R - 2
        EXPECT_EQ(at(11, 3), oBR);  // column R - 1 from T
        EXPECT_EQ(at(2, 8), oTL);   // column L up to B - 2
        EXPECT_EQ(at(2, 9), oBR);   // row B - 1 from L
        EXPECT_EQ(at(11, 9), oBR);
        EXPECT_EQ(at(3, 4), iTL);
        EXPECT_EQ(at(9, 4), iTL);
        EXPECT_EQ(at(10, 4), iBR);
        EXPECT_EQ(at(3, 8), iBR);
        EXPECT_EQ(at(6, 6), clRed);  // interior untouched
        EXPECT_EQ(at(12, 3), clRed);
        EXPECT_EQ(at(2, 10), clRed);
    }
}

TEST(CanvasXor, FocusRectangleInvertsAlternatePixelsAndASecondCallRestores)
{
    auto b = WhiteBitmap(16, 16);
    TCanvas& c = b->Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect({4, 4, 12, 12});
    c.Font().SetColor(clWhite);
    c.Brush().SetColor(clBlack);
    c.DrawFocusRect({2, 2, 12, 10});
    EXPECT_EQ(c.GetPixel(2, 2), clBlack);  // (x + y) even: white inverted
    EXPECT_EQ(c.GetPixel(3, 2), clWhite);
    EXPECT_EQ(c.GetPixel(11, 5), clAqua);  // red inverted
    EXPECT_EQ(c.GetPixel(11, 4), clRed);
    EXPECT_EQ(c.GetPixel(6, 6), clRed);  // inside untouched
    c.DrawFocusRect({2, 2, 12, 10});
    EXPECT_EQ(c.GetPixel(2, 2), clWhite);
    EXPECT_EQ(c.GetPixel(11, 5), clRed);

    c.InvertRect({0, 0, 3, 1});
    EXPECT_EQ(Row(*b, 0, 0, 4, kMarks), "###.");
}

TEST(CanvasBitmaps, TransparentDrawLeavesTheKeyColourOut)
{
    TBitmap sprite;
    sprite.SetSize(3, 2);
    sprite.Canvas().Brush().SetColor(clTeal);
    sprite.Canvas().FillRect({0, 0, 3, 2});
    sprite.Canvas().SetPixel(1, 0, clRed);
    auto b = WhiteBitmap(8, 8);
    sprite.SetTransparent(true);  // key: the bottom-left pixel, teal
    EXPECT_EQ(sprite.GetTransparentColor(), clTeal);
    b->Canvas().Draw(2, 2, sprite);
    EXPECT_EQ(Row(*b, 2, 1, 6, kMarks), "..r..");
    sprite.SetTransparent(false);
    b->Canvas().Draw(2, 4, sprite);
    EXPECT_EQ(b->Canvas().GetPixel(2, 4), clTeal);
    b->Canvas().StretchDraw({0, 6, 6, 8}, sprite);
    EXPECT_EQ(Row(*b, 6, 0, 7, {{clTeal, 't'}, {clRed, 'r'}, {clWhite, '.'}}), "ttrrtt.");
}
