// The drawing routines checked on bitmaps pixel by pixel, and on the recording canvas where
// the calls themselves matter (colours, how often text is drawn).

#include "components/iGPFunctions.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/CanvasRecord.h"
#include "platform/canvas/RecordingCanvas.h"
#include "platform/canvas/SystemColors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TBitmap> Filled(int width, int height, TColor color = clWhite)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().SetColor(color);
    bitmap->Canvas().FillRect({0, 0, width, height});
    return bitmap;
}

// The bounding box of the pixels that differ from the background; (0, 0, 0, 0) when none.
TRect InkBox(TBitmap& b, TColor background = clWhite)
{
    TRect box;
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            if (b.Canvas().GetPixel(x, y) != background)
                UnionRect(box, box, {x, y, x + 1, y + 1});
    return box;
}

int CountPixels(TBitmap& b, TColor color)
{
    int n = 0;
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            n += b.Canvas().GetPixel(x, y) == color;
    return n;
}

// Largest channel difference.
int ColorDistance(TColor a, TColor b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

std::vector<const TCanvasRecord*> Texts(const TRecordingCanvas& c)
{
    std::vector<const TCanvasRecord*> out;
    for (const TCanvasRecord& r : c.Records())
        if (r.Op == TCanvasOp::Text)
            out.push_back(&r);
    return out;
}

}  // namespace

// ---- Text ----

TEST(iGPFunctionsText, HorizontalAlignmentPlacesTheInk)
{
    const TRect r{10, 10, 190, 40};
    struct Case {
        TiTextFlag flag;
        const char* name;
    };
    for (const Case& c : {Case{itfHLeft, "left"}, Case{itfHCenter, "centre"}, Case{itfHRight, "right"}}) {
        auto b = Filled(200, 50);
        TRect rect = r;
        iDrawText(b->Canvas(), "Wide", rect, {c.flag, itfSingleLine, itfVCenter}, true, clBtnFace);
        const TRect ink = InkBox(*b);
        ASSERT_FALSE(IsRectEmpty(ink)) << c.name;
        const int offset = c.flag == itfHLeft    ? ink.Left - r.Left
                           : c.flag == itfHRight ? r.Right - ink.Right
                                                 : std::abs((ink.Left + ink.Right) - (r.Left + r.Right));
        EXPECT_LE(offset, 4) << c.name;
        // Vertically centred on one line: well below the top, inside the rectangle.
        EXPECT_GE(ink.Top, r.Top + 6) << c.name;
        EXPECT_LE(ink.Bottom, r.Bottom) << c.name;
        EXPECT_EQ(rect, r) << c.name;
    }
}

TEST(iGPFunctionsText, WordBreakWrapsAndCalcRectMeasuresWithoutDrawing)
{
    auto b = Filled(200, 100);
    TCanvas& c = b->Canvas();
    const int line = c.TextHeight("A");
    const int narrow = c.TextWidth("alpha") + 2;

    TRect wrapped{0, 0, narrow, 100};
    EXPECT_EQ(iDrawText(c, "alpha beta gamma", wrapped, {itfWordBreak}, true, clBtnFace), 3 * line);
    EXPECT_GT(InkBox(*b).Height(), 2 * line);

    auto blank = Filled(200, 100);
    TRect measured{5, 5, 5, 5};
    EXPECT_EQ(iDrawText(blank->Canvas(), "alpha\r\nbe", measured, {itfCalcRect}, true, clBtnFace), 2 * line);
    EXPECT_EQ(measured, Rect(5, 5, 5 + c.TextWidth("alpha"), 5 + 2 * line));
    EXPECT_TRUE(IsRectEmpty(InkBox(*blank)));
}

TEST(iGPFunctionsText, AmpersandIsDrawnUnlessPrefixesAreShown)
{
    TRecordingCanvas c;
    TRect r{0, 0, 200, 30};
    iDrawText(c, "&Save", r, {itfSingleLine}, true, clBtnFace);
    ASSERT_EQ(Texts(c).size(), 1u);
    EXPECT_EQ(Texts(c)[0]->Text, "&Save");
    EXPECT_EQ(c.Records().size(), 1u);  // no underline

    c.Clear();
    iDrawText(c, "&Save", r, {itfSingleLine, itfShowPrefix}, true, clBtnFace);
    ASSERT_EQ(Texts(c).size(), 1u);
    EXPECT_EQ(Texts(c)[0]->Text, "Save");
    EXPECT_EQ(c.Records().size(), 2u);  // the text and the underline of "S"
}

TEST(iGPFunctionsText, DisabledTextIsEmbossedExceptOnBlackOrWhenMeasuring)
{
    TRecordingCanvas c;
    c.Font().SetColor(clRed);
    TRect r{10, 20, 100, 40};

    iDrawText(c, "Off", r, {}, false, clBtnFace);
    auto texts = Texts(c);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Points[0], Point(11, 21));
    EXPECT_EQ(ColorToRGB(texts[0]->State.Font.Color), clWhite);
    EXPECT_EQ(texts[1]->Points[0], Point(10, 20));
    EXPECT_EQ(ColorToRGB(texts[1]->State.Font.Color), RGB(0xD0, 0xD0, 0xD0));
    EXPECT_EQ(c.Font().GetColor(), clRed);
    EXPECT_EQ(r, Rect(10, 20, 100, 40));

    c.Clear();
    iDrawText(c, "Off", r, {}, false, clBlack);
    texts = Texts(c);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->State.Font.Color, clRed);

    c.Clear();
    TRect measured = r;
    const int height = iDrawText(c, "Off", measured, {itfCalcRect}, false, clBtnFace);
    EXPECT_TRUE(c.Records().empty());
    EXPECT_EQ(height, c.TextHeight("Off"));
    EXPECT_EQ(measured.Right, r.Left + c.TextWidth("Off"));
}

TEST(iGPFunctionsText, WidthIsTheWidestLineAndHeightCountsLines)
{
    TRecordingCanvas c;
    const int line = c.TextHeight("A");
    struct Case {
        const char* text;
        const char* widest;
    };
    const Case cases[] = {
        {"ab\r\nabcd", "abcd"}, {"abcd\r\nab", "abcd"},  {"", ""},
        {"abcd\r\n", "abcd"},   {"ab\rabcd\nx", "abcd"}, {"\n\nab", "ab"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(iTextWidth(c, k.text), c.TextWidth(k.widest)) << k.text;
    EXPECT_EQ(iTextHeight(c, "one"), line);
    EXPECT_EQ(iTextHeight(c, "one\r\ntwo"), 2 * line);
    EXPECT_EQ(iTextHeight(c, ""), 0);

    const int width = c.TextWidth("alpha") + 2;
    EXPECT_EQ(iTextHeightFixedWidth(c, "alpha beta gamma", width), 3 * line);
    EXPECT_EQ(iTextHeightFixedWidth(c, "alpha", 1000), line);
    EXPECT_TRUE(c.Records().empty());
}

TEST(iGPFunctionsText, RotatedTextIsCentredAndReportsItsBox)
{
    const TRect r{20, 20, 180, 180};
    for (TiRotationAngle angle : {ira000, ira090, ira180, ira270}) {
        auto b = Filled(200, 200);
        TCanvas& c = b->Canvas();
        c.Font().SetHeight(-16);
        const std::string text = "Rotated";
        const int w = c.TextWidth(text), h = c.TextHeight(text);
        const TRect box = iDrawRotatedText(c, text, r, angle, iahCenter, true, clBtnFace);
        const bool upright = angle == ira000 || angle == ira180;
        EXPECT_EQ(box.Width(), upright ? w / 2 * 2 : h / 2 * 2) << int(angle);
        EXPECT_EQ(box.Height(), upright ? h / 2 * 2 : w / 2 * 2) << int(angle);
        EXPECT_EQ(GetRectCenterPoint(box), Point(100, 100)) << int(angle);
        const TRect ink = InkBox(*b);
        // The ink lies in the reported box (give or take a pixel of rounding) and is turned.
        EXPECT_GE(ink.Left, box.Left - 2) << int(angle);
        EXPECT_LE(ink.Right, box.Right + 2) << int(angle);
        EXPECT_GE(ink.Top, box.Top - 2) << int(angle);
        EXPECT_LE(ink.Bottom, box.Bottom + 2) << int(angle);
        EXPECT_EQ(ink.Width() > ink.Height(), upright) << int(angle);
        EXPECT_EQ(c.Font().GetEscapement(), 0) << int(angle);
    }
}

TEST(iGPFunctionsText, UnturnedTextWithACarriageReturnKeepsItsLines)
{
    TRecordingCanvas c;
    iDrawRotatedText(c, "one\r\ntwo", {0, 0, 100, 100}, ira000, iahLeft, true, clBtnFace);
    EXPECT_EQ(Texts(c).size(), 2u);
    c.Clear();
    iDrawRotatedText(c, "one\ntwo", {0, 0, 100, 100}, ira000, iahLeft, true, clBtnFace);
    ASSERT_EQ(Texts(c).size(), 1u);  // no CR: one line, the LF dropped
    EXPECT_EQ(Texts(c)[0]->Text, "onetwo");
    c.Clear();
    iDrawRotatedText(c, "one\r\ntwo", {0, 0, 100, 100}, ira090, iahLeft, true, clBtnFace);
    ASSERT_EQ(Texts(c).size(), 1u);
    EXPECT_EQ(Texts(c)[0]->State.Font.Escapement, 900);
}

TEST(iGPFunctionsText, LogicalFontFromACanvasFont)
{
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(-13);
    font.SetStyle({fsBold, fsUnderline});
    TLogFont want;
    want.Height = -13;
    want.Escapement = want.Orientation = 900;
    want.Weight = 700;
    want.Underline = true;
    want.FaceName = "Courier New";
    EXPECT_EQ(FillFontInfo(font, 900), want);
    font.SetStyle({fsItalic, fsStrikeOut});
    const TLogFont plain = FillFontInfo(font, 0);
    EXPECT_EQ(plain.Weight, 400);
    EXPECT_TRUE(plain.Italic && plain.StrikeOut && !plain.Underline);
    EXPECT_EQ(plain.CharSet, 1);
    EXPECT_EQ(plain.PitchAndFamily, 2);
}

// ---- Edges and shapes ----

TEST(iGPFunctionsEdges, RaisedAndSunkenEdgesHaveTwoBevels)
{
    const TColor light = GetSysColor(22), dark = GetSysColor(21), shadow = GetSysColor(16), white = clWhite;
    const TColor inside = RGB(1, 2, 3);
    struct Case {
        TiDrawEdgeStyle style;
        TColor outerTL, innerTL, outerBR, innerBR;
    };
    for (const Case& k : {Case{idesRaised, light, white, dark, shadow}, Case{idesSunken, shadow, dark, white, light}}) {
        auto b = Filled(40, 30, inside);
        iDrawEdge(b->Canvas(), {5, 5, 35, 25}, k.style);
        TCanvas& c = b->Canvas();
        EXPECT_EQ(c.GetPixel(5, 5), k.outerTL) << int(k.style);
        EXPECT_EQ(c.GetPixel(20, 5), k.outerTL) << int(k.style);
        EXPECT_EQ(c.GetPixel(5, 15), k.outerTL) << int(k.style);
        EXPECT_EQ(c.GetPixel(6, 6), k.innerTL) << int(k.style);
        EXPECT_EQ(c.GetPixel(34, 24), k.outerBR) << int(k.style);
        EXPECT_EQ(c.GetPixel(34, 10), k.outerBR) << int(k.style);
        EXPECT_EQ(c.GetPixel(20, 24), k.outerBR) << int(k.style);
        EXPECT_EQ(c.GetPixel(33, 23), k.innerBR) << int(k.style);
        EXPECT_EQ(c.GetPixel(20, 15), inside) << int(k.style);  // interior untouched
        EXPECT_EQ(c.GetPixel(35, 25), inside) << int(k.style);  // nothing outside
        EXPECT_EQ(c.GetPixel(4, 4), inside) << int(k.style);
    }
}

TEST(iGPFunctionsEdges, FlatEdgeIsAShadowOutlineFilledWithTheBrush)
{
    auto b = Filled(40, 30);
    TCanvas& c = b->Canvas();
    c.Brush().SetColor(clYellow);
    iDrawEdge(c, {5, 5, 35, 25}, idesFlat);
    const TColor shadow = GetSysColor(16);
    EXPECT_EQ(c.GetPixel(5, 5), shadow);
    EXPECT_EQ(c.GetPixel(34, 24), shadow);
    EXPECT_EQ(c.GetPixel(20, 15), clYellow);
    EXPECT_EQ(c.GetPixel(35, 15), clWhite);
}

TEST(iGPFunctionsEdges, FocusRectangleInvertsAlternatePixelsAndASecondCallRestores)
{
    auto b = Filled(30, 30);
    TCanvas& c = b->Canvas();
    c.Font().SetColor(clWhite);
    iDrawFocusRect(c, {4, 4, 20, 20}, clBlack);
    EXPECT_EQ(c.Pen().GetColor(), clBlack);
    EXPECT_EQ(c.Brush().GetColor(), clBlack);
    EXPECT_EQ(c.GetPixel(4, 4), clBlack);  // (x + y) even: inverted
    EXPECT_EQ(c.GetPixel(5, 4), clWhite);
    EXPECT_EQ(c.GetPixel(10, 10), clWhite);  // inside untouched
    iDrawFocusRect2(c, {4, 4, 20, 20});
    EXPECT_EQ(CountPixels(*b, clWhite), 30 * 30);
}

TEST(iGPFunctionsEdges, BevelLinesAndBorders)
{
    auto b = Filled(40, 40, clGray);
    TCanvas& c = b->Canvas();
    LineBevel(c, 30, 5, 10, 5, ibsRaised);  // drawn left to right
    EXPECT_EQ(c.GetPixel(10, 5), clWhite);
    EXPECT_EQ(c.GetPixel(29, 5), clWhite);
    EXPECT_EQ(c.GetPixel(30, 5), clGray);  // the end point is left out
    EXPECT_EQ(c.GetPixel(10, 6), clBlack);
    LineBevel(c, 8, 30, 8, 10, ibsLowered);  // vertical, top to bottom
    EXPECT_EQ(c.GetPixel(8, 10), clBlack);
    EXPECT_EQ(c.GetPixel(9, 10), clWhite);
    EXPECT_EQ(c.GetPixel(8, 30), clGray);

    TRecordingCanvas rec;
    LineBevel(rec, 10, 5, 2, 8, ibsNone);  // X ordered, Ys kept
    ASSERT_EQ(rec.Records().size(), 1u);
    EXPECT_EQ(rec.Records()[0].Points, (std::vector<TPoint>{{2, 5}, {10, 8}}));

    const TColor shadow = GetSysColor(16);
    auto raised = Filled(20, 20, clGray);
    DrawRaisedBorder(raised->Canvas(), {2, 2, 15, 15});
    auto sunken = Filled(20, 20, clGray);
    DrawSunkenBorder(sunken->Canvas(), {2, 2, 15, 15});
    struct Probe {
        int x, y;
        TColor raised, sunken;
    };
    for (const Probe& p : {Probe{2, 2, shadow, shadow}, Probe{15, 15, clBlack, clWhite}, Probe{3, 3, clWhite, clBlack},
                           Probe{14, 14, shadow, shadow}, Probe{8, 8, clGray, clGray}}) {
        EXPECT_EQ(raised->Canvas().GetPixel(p.x, p.y), p.raised) << p.x << "," << p.y;
        EXPECT_EQ(sunken->Canvas().GetPixel(p.x, p.y), p.sunken) << p.x << "," << p.y;
    }
}

TEST(iGPFunctionsEdges, TrianglesAndArrowsPointTheirWay)
{
    struct Case {
        TiDirection dir;
        TPoint tip, base;
    };
    const Case cases[] = {
        {idUp, {10, 2}, {10, 17}},
        {idDown, {10, 17}, {10, 2}},
        {idRight, {17, 10}, {2, 10}},
        {idLeft, {2, 10}, {17, 10}},
    };
    for (const Case& k : cases) {
        auto b = Filled(21, 21);
        b->Canvas().Brush().SetColor(clBlack);
        iDrawTriangle(b->Canvas(), {2, 2, 18, 18}, k.dir);
        EXPECT_EQ(b->Canvas().GetPixel(k.tip.X, k.tip.Y), clBlack) << int(k.dir);
        EXPECT_EQ(b->Canvas().GetPixel(k.base.X, k.base.Y), clBlack) << int(k.dir);
        // Beside the tip is still blank; beside the base centre is filled.
        const bool vertical = k.dir == idUp || k.dir == idDown;
        EXPECT_EQ(b->Canvas().GetPixel(k.tip.X + (vertical ? 4 : 0), k.tip.Y + (vertical ? 0 : 4)), clWhite)
            << int(k.dir);
    }
    auto up = Filled(20, 20);
    iDrawButtonArrowUp(up->Canvas(), {0, 0, 20, 20}, false);  // c = (9, 10)
    EXPECT_EQ(InkBox(*up), Rect(6, 8, 13, 12));
    auto down = Filled(20, 20);
    iDrawButtonArrowDown(down->Canvas(), {0, 0, 20, 20}, true);  // c = (10, 10)
    EXPECT_EQ(InkBox(*down), Rect(7, 8, 14, 12));
}

TEST(iGPFunctionsEdges, ArcSegmentsRunCounterClockwise)
{
    auto b = Filled(100, 100);
    TCanvas& c = b->Canvas();
    ArcSegment(c, 90, 0, 10, 30, {50, 50}, clRed);   // the upper-right quarter ring
    EXPECT_EQ(c.GetPixel(50 + 14, 50 - 14), clRed);  // 45 degrees, radius 20
    EXPECT_EQ(c.GetPixel(50 - 14, 50 - 14), clWhite);
    EXPECT_EQ(c.GetPixel(50 + 14, 50 + 14), clWhite);
    EXPECT_EQ(c.GetPixel(52, 48), clWhite);  // inside the inner radius

    TRecordingCanvas rec;
    ArcSegment(rec, 0, 180, 20, 20, {50, 50}, clBlue);
    ASSERT_EQ(rec.Records().size(), 1u);
    const TCanvasRecord& arc = rec.Records()[0];
    EXPECT_EQ(arc.Op, TCanvasOp::Polyline);
    ASSERT_EQ(arc.Points.size(), 401u);
    EXPECT_EQ(arc.Points.front(), Point(70, 50));
    EXPECT_EQ(arc.Points[200], Point(50, 30));
    EXPECT_EQ(arc.Points.back(), Point(30, 50));
    EXPECT_EQ(arc.State.Pen.Color, clBlue);
}

// ---- Gradients ----

TEST(iGPFunctionsGradients, EachDirectionRunsBetweenItsEndColours)
{
    const TColor start = RGB(200, 0, 0), stop = RGB(0, 0, 200);
    struct Case {
        TiFillDirection dir;
        TPoint startAt, stopAt;
        int tolerance;
    };
    const Case cases[] = {
        {ifdTopBottom, {30, 0}, {30, 39}, 0},
        {ifdBottomTop, {30, 39}, {30, 0}, 0},
        {ifdLeftRight, {0, 20}, {59, 20}, 0},
        {ifdRightLeft, {59, 20}, {0, 20}, 0},
        {ifdTopLeftBottomRight, {0, 0}, {57, 38}, 12},
        {ifdBottomRightTopLeft, {57, 38}, {0, 0}, 12},
        {ifdBottomLeftTopRight, {0, 37}, {58, 1}, 12},
        {ifdTopRightBottomLeft, {58, 1}, {0, 37}, 12},
        {ifdRectangleOut, {29, 19}, {0, 0}, 0},
        {ifdRectangleIn, {0, 0}, {29, 19}, 0},
        // Wide circles overlap the middle: it is nearer the start than the stop.
        {ifdCircleOut, {29, 19}, {0, 0}, 60},
        {ifdCircleIn, {0, 0}, {29, 19}, 60},
    };
    for (const Case& k : cases) {
        auto b = Filled(60, 40, clLime);
        DrawGradientDirection(b->Canvas(), {0, 0, 60, 40}, k.dir, start, stop);
        TCanvas& c = b->Canvas();
        EXPECT_LE(ColorDistance(c.GetPixel(k.startAt.X, k.startAt.Y), start), k.tolerance) << int(k.dir);
        EXPECT_LE(ColorDistance(c.GetPixel(k.stopAt.X, k.stopAt.Y), stop), k.tolerance) << int(k.dir);
        EXPECT_EQ(c.Brush().GetStyle(), bsClear) << int(k.dir);
    }
}

TEST(iGPFunctionsGradients, LinearBlendStepsAndTheOnePixelCase)
{
    auto b = Filled(10, 5, clLime);
    DrawGradientDirection(b->Canvas(), {0, 0, 10, 5}, ifdTopBottom, RGB(0, 0, 0), RGB(200, 100, 40));
    EXPECT_EQ(b->Canvas().GetPixel(5, 2), RGB(100, 50, 20));
    EXPECT_EQ(b->Canvas().GetPixel(5, 1), RGB(50, 25, 10));

    // One row: a single step in the colour the blend starts from, no division by zero.
    auto one = Filled(10, 1, clLime);
    DrawGradientDirection(one->Canvas(), {0, 0, 10, 1}, ifdTopBottom, clRed, clBlue);
    EXPECT_EQ(CountPixels(*one, clRed), 10);
    auto reversed = Filled(10, 1, clLime);
    DrawGradientDirection(reversed->Canvas(), {0, 0, 10, 1}, ifdBottomTop, clRed, clBlue);
    EXPECT_EQ(CountPixels(*reversed, clBlue), 10);
    // Empty rectangles draw nothing.
    auto empty = Filled(10, 10, clLime);
    DrawGradientDirection(empty->Canvas(), {0, 0, 0, 0}, ifdLeftRight, clRed, clBlue);
    EXPECT_EQ(CountPixels(*empty, clLime), 100);
}

TEST(iGPFunctionsGradients, RoundPatchAndShadedDisc)
{
    auto b = Filled(41, 41, clLime);
    DrawGradient(b->Canvas(), clNavy, clRed, {0, 0, 40, 40}, false);
    TCanvas& c = b->Canvas();
    EXPECT_EQ(c.GetPixel(0, 0), clNavy);  // outside the circle: Color1
    EXPECT_EQ(c.GetPixel(39, 39), clNavy);
    EXPECT_EQ(c.GetPixel(2, 38), clNavy);
    EXPECT_LE(ColorDistance(c.GetPixel(8, 8), clWhite), 80);  // white toward the top left
    EXPECT_LE(ColorDistance(c.GetPixel(32, 32), clRed), 80);  // Color2 toward the bottom right
    auto reversed = Filled(41, 41, clLime);
    DrawGradient(reversed->Canvas(), clNavy, clRed, {0, 0, 40, 40}, true);
    EXPECT_LE(ColorDistance(reversed->Canvas().GetPixel(8, 8), clRed), 80);

    auto disc = Filled(41, 41, clLime);
    DrawGradientCircle(disc->Canvas(), clWhite, clBlack, {20, 20}, 15, false);
    TCanvas& d = disc->Canvas();
    EXPECT_LE(ColorDistance(d.GetPixel(11, 11), clWhite), 60);
    EXPECT_LE(ColorDistance(d.GetPixel(29, 29), clBlack), 60);
    EXPECT_EQ(d.GetPixel(2, 2), clLime);  // outside the disc
    EXPECT_EQ(d.GetPixel(20, 38), clLime);
    // No gaps: every pixel well inside the radius is painted.
    for (int y = 8; y <= 32; ++y)
        for (int x = 8; x <= 32; ++x)
            if ((x - 20) * (x - 20) + (y - 20) * (y - 20) <= 13 * 13) {
                EXPECT_NE(d.GetPixel(x, y), clLime) << x << "," << y;
            }

    auto raised = Filled(41, 41, clLime);
    DrawGradientCircleRaised(raised->Canvas(), RGB(100, 100, 100), {20, 20}, 15);
    auto sunken = Filled(41, 41, clLime);
    DrawGradientCircleSunken(sunken->Canvas(), RGB(100, 100, 100), {20, 20}, 15);
    EXPECT_GT(GetRValue(raised->Canvas().GetPixel(10, 10)), GetRValue(raised->Canvas().GetPixel(30, 30)));
    EXPECT_LT(GetRValue(sunken->Canvas().GetPixel(10, 10)), GetRValue(sunken->Canvas().GetPixel(30, 30)));
}
