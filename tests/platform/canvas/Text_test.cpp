// Text on the canvas: fonts, text cells, the DrawText flags and rotated text.

#include "PixelTestUtil.h"

#include "platform/canvas/Graphics.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

std::vector<const TCanvasRecord*> Texts(const TRecordingCanvas& c)
{
    std::vector<const TCanvasRecord*> out;
    for (const TCanvasRecord& r : c.Records())
        if (r.Op == TCanvasOp::Text)
            out.push_back(&r);
    return out;
}

}  // namespace

TEST(Fonts, SizeAndHeightConvertAt96Dpi)
{
    TFont font;
    EXPECT_EQ(font.GetName(), "Arial");
    EXPECT_EQ(font.GetHeight(), -11);
    EXPECT_EQ(font.GetSize(), 8);
    struct Case {
        int size, height;
    };
    for (const Case& k : {Case{8, -11}, Case{10, -13}, Case{12, -16}, Case{14, -19}}) {
        font.SetSize(k.size);
        EXPECT_EQ(font.GetHeight(), k.height);
        EXPECT_EQ(font.GetSize(), k.size);
    }
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetColor(clRed);
    font.SetColor(clRed);
    TFont other;
    other.Assign(font);
    EXPECT_EQ(other.GetColor(), clRed);
    EXPECT_EQ(changes, 1);
}

TEST(Fonts, MetricsComeFromTheMappedFaceWhateverTheName)
{
    TRecordingCanvas c;
    const int width = c.TextWidth("ABC");
    const int height = c.TextHeight("ABC");
    c.Font().SetName("MS Sans Serif");
    EXPECT_EQ(c.TextWidth("ABC"), width);
    c.Font().SetName("DejaVu Sans");
    EXPECT_EQ(c.TextWidth("ABC"), width);
    EXPECT_GT(height, 11);  // cell height: ascent + descent of an 11-pixel em
    EXPECT_LT(height, 16);
    c.Font().SetHeight(height);  // a positive height asks for that cell height
    EXPECT_EQ(c.TextHeight("x"), height);
    EXPECT_EQ(c.TextWidth(""), 0);
}

TEST(TextOut, TheCellStartsAtThePointAndIsFilledOnlyInOpaqueMode)
{
    auto b = WhiteBitmap(80, 30);
    TCanvas& c = b->Canvas();
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    c.TextOut(10, 5, "Hxg");
    const int w = c.TextWidth("Hxg"), h = c.TextHeight("Hxg");
    const TRect ink = InkBox(*b, clWhite);
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Left, 12);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Right, 10 + w);
    EXPECT_LE(ink.Bottom, 5 + h);
    EXPECT_GT(ink.Bottom, 5 + h / 2);  // the descender of g
    EXPECT_EQ(c.GetPenPos(), Point(10 + w, 5));

    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clRed);  // opaque background in the brush colour
    c.TextOut(10, 5, "Hxg");
    EXPECT_EQ(c.GetPixel(10, 5), clRed);
    EXPECT_EQ(c.GetPixel(10 + w - 1, 5 + h - 1), clRed);
    EXPECT_EQ(c.GetPixel(10 + w, 5), clWhite);
    EXPECT_EQ(c.GetPixel(10, 5 + h), clWhite);
}

TEST(TextOut, TextRectFillsAndClipsToItsRectangle)
{
    auto b = WhiteBitmap(80, 30);
    TCanvas& c = b->Canvas();
    c.Brush().SetColor(clLime);
    c.TextRect({5, 5, 20, 20}, 6, 6, "WWWWWWWWWW");
    EXPECT_EQ(InkBox(*b, clWhite), Rect(5, 5, 20, 20));
    EXPECT_EQ(c.GetPixel(5, 19), clLime);
}

TEST(DrawText, CalcRectMeasuresLinesWithoutDrawing)
{
    TRecordingCanvas c;
    const int lh = c.TextHeight("x");
    TRect r{5, 5, 5, 5};
    EXPECT_EQ(c.DrawText("Hello", r, DT_CALCRECT | DT_NOPREFIX), lh);
    EXPECT_EQ(r, Rect(5, 5, 5 + c.TextWidth("Hello"), 5 + lh));

    r = {0, 0, 0, 0};
    EXPECT_EQ(c.DrawText("ab\r\ncdef\nx\r\n", r, DT_CALCRECT | DT_NOPREFIX), 3 * lh);
    EXPECT_EQ(r, Rect(0, 0, c.TextWidth("cdef"), 3 * lh));

    r = {3, 4, 50, 60};
    EXPECT_EQ(c.DrawText("", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(3, 4, 3, 4));
    EXPECT_TRUE(c.Records().empty());
}

TEST(DrawText, WordBreakWrapsAtBlanksAndKeepsLongWordsWhole)
{
    TRecordingCanvas c;
    const int lh = c.TextHeight("x");
    const int width = c.TextWidth("alpha beta");
    TRect r{0, 0, width, 0};
    EXPECT_EQ(c.DrawText("alpha beta gamma", r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX), 2 * lh);
    EXPECT_EQ(r, Rect(0, 0, width, 2 * lh));  // the width is kept

    r = {10, 20, 10 + width, 100};
    EXPECT_EQ(c.DrawText("alpha beta gamma", r, DT_WORDBREAK | DT_NOPREFIX), 2 * lh);
    auto texts = Texts(c);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text, "alpha beta");
    EXPECT_EQ(texts[1]->Text, "gamma");
    EXPECT_EQ(texts[1]->Points[0], Point(10, 20 + lh));

    c.Clear();
    r = {0, 0, 5, 100};
    EXPECT_EQ(c.DrawText("abcdefgh ij", r, DT_WORDBREAK | DT_NOPREFIX), 2 * lh);
    texts = Texts(c);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text, "abcdefgh");
}

TEST(DrawText, AlignmentAndVerticalPlacementOnlyWithSingleLine)
{
    TRecordingCanvas c;
    const int lh = c.TextHeight("x");
    const int w = c.TextWidth("ab");
    struct Case {
        unsigned flags;
        TPoint at;
        int result;
    };
    const Case cases[] = {
        {DT_LEFT, {10, 10}, lh},
        {DT_CENTER, {10 + (100 - w) / 2, 10}, lh},
        {DT_RIGHT, {110 - w, 10}, lh},
        {DT_VCENTER, {10, 10}, lh},  // ignored without SingleLine
        {DT_BOTTOM, {10, 10}, lh},
        {DT_SINGLELINE | DT_VCENTER, {10, 10 + (50 - lh) / 2}, (50 - lh) / 2 + lh},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, {110 - w, 60 - lh}, 50},
    };
    for (const Case& k : cases) {
        c.Clear();
        TRect r{10, 10, 110, 60};
        EXPECT_EQ(c.DrawText("ab", r, k.flags | DT_NOPREFIX), k.result) << k.flags;
        ASSERT_EQ(Texts(c).size(), 1u);
        EXPECT_EQ(Texts(c)[0]->Points[0], k.at) << k.flags;
        EXPECT_EQ(r, Rect(10, 10, 110, 60));
    }
}

TEST(DrawText, LineBreaksClippingTabsAndPrefixes)
{
    TRecordingCanvas c;
    TRect r{0, 0, 200, 100};
    c.DrawText("a\rb\nc\r\nd", r, DT_NOPREFIX);
    EXPECT_EQ(Texts(c).size(), 4u);
    c.Clear();
    c.DrawText("a\r\nb", r, DT_SINGLELINE | DT_NOPREFIX);
    ASSERT_EQ(Texts(c).size(), 1u);
    EXPECT_EQ(Texts(c)[0]->Text, "ab");
    EXPECT_EQ(Texts(c)[0]->Options, kTextClipped);
    EXPECT_EQ(Texts(c)[0]->Rect, r);

    c.Clear();
    c.DrawText("ab", r, DT_NOCLIP | DT_NOPREFIX);
    EXPECT_EQ(Texts(c)[0]->Options, 0u);

    c.Clear();
    c.DrawText("a\tb", r, DT_NOPREFIX);
    EXPECT_EQ(Texts(c)[0]->Text, "a b");
    c.Clear();
    c.DrawText("a\tb", r, DT_EXPANDTABS | DT_NOPREFIX);
    ASSERT_EQ(Texts(c).size(), 2u);
    EXPECT_EQ(Texts(c)[1]->Text, "b");
    EXPECT_GT(Texts(c)[1]->Points[0].X, c.TextWidth("a "));
    EXPECT_EQ(Texts(c)[1]->Points[0].X % 8, 0);

    c.Clear();
    c.DrawText("&Save && go", r, DT_NOPREFIX);
    EXPECT_EQ(Texts(c)[0]->Text, "&Save && go");
    EXPECT_EQ(c.Records().size(), 1u);
    c.Clear();
    c.DrawText("&Save && go", r, 0);
    EXPECT_EQ(Texts(c)[0]->Text, "Save & go");
    ASSERT_EQ(c.Records().size(), 2u);
    const TCanvasRecord& underline = c.Records()[1];
    EXPECT_EQ(underline.Op, TCanvasOp::Polyline);
    EXPECT_EQ(underline.Points[0].X, 0);
    EXPECT_EQ(underline.Points[1].X, c.TextWidth("S"));
    EXPECT_EQ(underline.State.Pen.Color, c.Font().GetColor());
}

TEST(DrawText, EllipsesShortenLinesThatDoNotFit)
{
    TRecordingCanvas c;
    struct Case {
        unsigned flag;
        const char* text;
        const char* starts;
        const char* ends;
    };
    const Case cases[] = {
        {DT_END_ELLIPSIS, "abcdefghijklmnop", "abc", "..."},
        {DT_WORD_ELLIPSIS, "alpha beta gamma delta", "alpha", "..."},
        {DT_PATH_ELLIPSIS, "C:\\data\\cruise\\2026\\station12.txt", "C:", "...\\station12.txt"},
    };
    for (const Case& k : cases) {
        c.Clear();
        const int width = c.TextWidth(k.text) * 2 / 3;
        TRect r{0, 0, width, 20};
        c.DrawText(k.text, r, k.flag | DT_SINGLELINE | DT_NOPREFIX);
        const std::string& shown = Texts(c)[0]->Text;
        EXPECT_EQ(shown.rfind(k.starts, 0), 0u) << shown;
        EXPECT_EQ(shown.substr(shown.size() - std::string(k.ends).size()), k.ends) << shown;
        EXPECT_LE(c.TextWidth(shown), width) << shown;
    }
    c.Clear();
    TRect wide{0, 0, 500, 20};
    c.DrawText("short", wide, DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_EQ(Texts(c)[0]->Text, "short");
}

TEST(RotatedText, EscapementTurnsTheCellAboutItsReferencePoint)
{
    for (int escapement : {900, 1800, 2700}) {
        auto b = WhiteBitmap(200, 200);
        TCanvas& c = b->Canvas();
        c.Font().SetHeight(-20);
        c.Brush().SetStyle(bsClear);
        const int w = c.TextWidth("Hello"), h = c.TextHeight("Hello");
        c.Font().SetEscapement(escapement);
        c.TextOut(100, 100, "Hello");
        TRect expected;
        if (escapement == 900)
            expected = {100, 100 - w, 100 + h, 100};
        else if (escapement == 1800)
            expected = {100 - w, 100 - h, 100, 100};
        else
            expected = {100 - h, 100, 100, 100 + w};
        const TRect ink = InkBox(*b, clWhite);
        TRect inside;
        IntersectRect(inside, ink, expected);
        EXPECT_EQ(inside, ink) << escapement;
        EXPECT_GT(ink.Width() * ink.Height(), w * h / 4) << escapement;
        if (escapement == 900) {
            EXPECT_GT(ink.Height(), ink.Width());
        }
    }
}
