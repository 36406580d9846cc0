// Metafiles: the display list replays like direct drawing, and the enhanced metafile written
// from it is checked by libuemf's record validator, Pillow's reader and the emf2svg converter.

#include "PixelTestUtil.h"
#include "support/SourcePaths.h"

#include "platform/canvas/Metafile.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

#include <gtest/gtest.h>
#include <uemf_safe.h>

#include <cstdio>
#include <map>

namespace {

// A paint that uses every kind of primitive.
void Scene(TCanvas& c, bool withFocusRect)
{
    c.Brush().SetColor(clSilver);
    c.FillRect({0, 0, 100, 80});
    c.Pen().SetColor(clRed);
    c.Pen().SetStyle(psDash);
    c.MoveTo(2, 2);
    c.LineTo(90, 2);
    c.Pen().SetStyle(psSolid);
    c.Brush().SetStyle(bsDiagCross);
    c.Brush().SetColor(clBlue);
    c.Rectangle(5, 5, 40, 30);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clYellow);
    c.Ellipse(45, 5, 80, 30);
    c.Polygon({{10, 35}, {30, 35}, {20, 50}});
    c.Polyline({{40, 40}, {60, 40}, {60, 55}});
    c.SetPixel(95, 75, clFuchsia);
    c.SaveDC();
    c.IntersectClipRect({0, 55, 50, 70});
    c.Font().SetColor(clNavy);
    c.Font().SetHeight(-14);
    c.TextOut(3, 52, "Clipped text");
    c.RestoreDC(-1);
    const TRegion region = TRegion::FromRects({{60, 60, 70, 70}, {75, 60, 85, 70}});
    c.SelectClipRgn(&region);
    c.Brush().SetColor(clGreen);
    c.FillRect({55, 55, 95, 75});
    c.SelectClipRgn(nullptr);
    TBitmap sprite;
    sprite.SetSize(4, 4);
    sprite.Canvas().Brush().SetColor(clTeal);
    sprite.Canvas().FillRect({0, 0, 4, 4});
    sprite.Canvas().SetPixel(1, 1, clRed);
    sprite.SetTransparent(true);
    c.Draw(88, 40, sprite);
    sprite.SetTransparent(false);
    c.StretchDraw({88, 50, 96, 58}, sprite);
    c.InvertRect({0, 72, 10, 80});
    if (withFocusRect) {
        c.Font().SetColor(clWhite);
        c.Brush().SetColor(clBlack);
        c.DrawFocusRect({20, 60, 40, 70});
    }
}

int DifferentPixels(TBitmap& a, TBitmap& b)
{
    int count = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            count += a.Canvas().GetPixel(x, y) != b.Canvas().GetPixel(x, y);
    return count;
}

std::uint32_t U32(const TBytes& b, size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

void Record(TMetafile& mf, bool withFocusRect)
{
    mf.SetWidth(100);
    mf.SetHeight(80);
    TMetafileCanvas canvas(mf, "Pravix", "Strip Chart");
    Scene(canvas, withFocusRect);
}

}  // namespace

TEST(Metafile, PlaybackAtScaleOneMatchesDirectDrawing)
{
    auto direct = WhiteBitmap(100, 80);
    Scene(direct->Canvas(), true);
    TMetafile mf;
    Record(mf, true);
    EXPECT_EQ(mf.GetCreator(), "Pravix");
    EXPECT_EQ(mf.GetDescription(), "Strip Chart");
    auto played = WhiteBitmap(100, 80);
    mf.Play(played->Canvas(), {0, 0, 100, 80});
    EXPECT_EQ(DifferentPixels(*direct, *played), 0);
}

TEST(Metafile, PlaybackStretchesIntoTheRectangleAndKeepsTheTargetsClip)
{
    TMetafile mf;
    mf.SetWidth(20);
    mf.SetHeight(10);
    {
        TMetafileCanvas canvas(mf, "Pravix", "");
        canvas.Brush().SetColor(clRed);
        canvas.Pen().SetStyle(psClear);
        canvas.FillRect({5, 2, 10, 6});
    }
    auto target = WhiteBitmap(100, 100);
    mf.Play(target->Canvas(), {10, 20, 50, 40});
    EXPECT_EQ(InkBox(*target, clWhite), Rect(20, 24, 30, 32));
    target->Canvas().IntersectClipRect({0, 0, 25, 100});
    target->Canvas().Brush().SetColor(clWhite);
    target->Canvas().SelectClipRgn(nullptr);
    target->Canvas().FillRect({0, 0, 100, 100});
    target->Canvas().IntersectClipRect({0, 0, 25, 100});
    mf.Play(target->Canvas(), {10, 20, 50, 40});
    target->Canvas().SelectClipRgn(nullptr);
    EXPECT_EQ(InkBox(*target, clWhite), Rect(20, 24, 25, 32));
}

// What was drawn past the metafile's extent (a toolbar's last glyphs beyond the plot's edge)
// stays outside the picture when it is played smaller, as it did at full size.
TEST(Metafile, PlaybackShowsNothingPastTheRectangle)
{
    TBitmap glyph;
    glyph.SetSize(20, 20);
    glyph.Canvas().Brush().SetColor(clRed);
    glyph.Canvas().FillRect({0, 0, 20, 20});
    TMetafile mf;
    mf.SetWidth(100);
    mf.SetHeight(100);
    {
        TMetafileCanvas canvas(mf, "Pravix", "");
        canvas.Draw(90, 40, glyph);
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect({-10, 80, 20, 90});
    }
    auto target = WhiteBitmap(100, 100);
    mf.Play(target->Canvas(), {10, 10, 60, 60});
    EXPECT_EQ(InkBox(*target, clWhite), Rect(10, 30, 60, 55));
}

TEST(Metafile, HatchesAndFontsScaleWithThePlayback)
{
    TMetafile mf;
    mf.SetWidth(16);
    mf.SetHeight(16);
    {
        TMetafileCanvas canvas(mf, "Pravix", "");
        canvas.Brush().SetStyle(bsHorizontal);
        canvas.Brush().SetColor(clBlue);
        canvas.SetBkColor(clWhite);
        canvas.FillRect({0, 0, 16, 8});
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetHeight(-8);
        canvas.Font().SetColor(clBlack);
        canvas.TextOut(0, 8, "H");
    }
    auto single = WhiteBitmap(16, 16);
    mf.Play(single->Canvas(), {0, 0, 16, 16});
    auto twice = WhiteBitmap(32, 32);
    mf.Play(twice->Canvas(), {0, 0, 32, 32});
    EXPECT_EQ(Column(*twice, 3, 0, 16, {{clWhite, '.'}, {clBlue, 'b'}}), "..............bb");
    TRect small, big;
    IntersectRect(small, InkBox(*single, clWhite), {0, 8, 16, 16});
    twice->Canvas().Brush().SetColor(clWhite);
    twice->Canvas().FillRect({0, 0, 32, 16});
    big = InkBox(*twice, clWhite);
    EXPECT_NEAR(big.Height(), 2 * small.Height(), 2);
}

// A hatched one-pixel picture stretched over a printer page once asked for a hatch tile of the
// page's size squared (gigabytes). The cells grow only up to their largest size; the pattern
// repeats beyond it, however far the picture is stretched.
TEST(Metafile, HatchCellsStopGrowingAtTheirLargestSize)
{
    TMetafile mf;
    mf.SetWidth(1);
    mf.SetHeight(1);
    {
        TMetafileCanvas canvas(mf, "Pravix", "");
        canvas.Brush().SetStyle(bsHorizontal);
        canvas.Brush().SetColor(clBlue);
        canvas.SetBkColor(clWhite);
        canvas.FillRect({0, 0, 1, 1});
    }
    const int cell = 8 * kMaxHatchScale;
    const std::string expected =
        std::string(7 * kMaxHatchScale, '.') + std::string(kMaxHatchScale, 'b') + std::string(300 - cell, '.');
    for (int stretched : {300, 6600, 2000000000}) {
        SCOPED_TRACE(stretched);
        auto page = WhiteBitmap(300, 300);
        mf.Play(page->Canvas(), {0, 0, stretched, stretched});
        EXPECT_EQ(Column(*page, 5, 0, 300, {{clWhite, '.'}, {clBlue, 'b'}}), expected);
    }
}

TEST(EnhancedMetafile, HeaderDescriptionAndRecordsAreWellFormed)
{
    TMetafile mf;
    Record(mf, true);
    const TBytes bytes = mf.SaveToBytes();
    ASSERT_GT(bytes.size(), 108u);
    EXPECT_EQ(U32(bytes, 0), 1u);
    EXPECT_EQ(U32(bytes, 40), 0x464D4520u);
    EXPECT_EQ(U32(bytes, 48), bytes.size());
    EXPECT_EQ(U32(bytes, 8 + 8), 99u);  // bounds right, inclusive
    EXPECT_EQ(U32(bytes, 8 + 12), 79u);
    EXPECT_EQ(U32(bytes, 24 + 8), 2645u);  // frame in 0.01 mm: 100 px at 96 dpi = 2646
    const std::u16string expected = u"Pravix" + std::u16string(1, u'\0') + u"Strip Chart" + std::u16string(2, u'\0');
    EXPECT_EQ(U32(bytes, 60), expected.size());
    std::u16string description;
    for (size_t i = 0; i < expected.size(); ++i)
        description += char16_t(bytes[U32(bytes, 64) + 2 * i] | bytes[U32(bytes, 64) + 2 * i + 1] << 8);
    EXPECT_EQ(description, expected);

    std::map<std::uint32_t, int> types;
    std::uint32_t records = 0, last = 0;
    for (size_t at = 0; at < bytes.size(); ++records) {
        const std::uint32_t size = U32(bytes, at + 4);
        ASSERT_TRUE(size >= 8 && size % 4 == 0 && at + size <= bytes.size()) << at;
        EXPECT_TRUE(U_emf_record_safe(reinterpret_cast<const char*>(bytes.data() + at))) << "type " << U32(bytes, at);
        last = U32(bytes, at);
        ++types[last];
        at += size;
    }
    EXPECT_EQ(U32(bytes, 52), records);
    EXPECT_EQ(last, 14u);  // end of file
    for (std::uint32_t type : {33u, 34u, 18u, 25u, 24u, 22u, 19u, 38u, 39u, 82u, 37u,  40u, 27u,
                               54u, 4u,  3u,  43u, 42u, 15u, 84u, 30u, 75u, 81u, 114u, 73u})
        EXPECT_GT(types[type], 0) << "record type " << type;
}

TEST(EnhancedMetafile, PillowReadsTheFile)
{
    TMetafile mf;
    Record(mf, false);
    const std::string file = TempPath("scene.emf");
    mf.SaveToFile(file);
    const std::string probe = PillowProbe(file);
    std::remove(file.c_str());
    // Pillow takes the inclusive bounds as exclusive, hence one pixel less each way.
    EXPECT_EQ(probe.substr(0, 18), "WMF 99x79 RGB\ndpi ") << probe;
}

TEST(EnhancedMetafile, AnOutsideConverterRendersTheFile)
{
    TMetafile mf;
    Record(mf, false);
    const std::string emf = TempPath("scene2.emf"), svg = emf + ".svg";
    mf.SaveToFile(emf);
    const std::string command = "emf2svg-conv -i '" + emf + "' -o '" + svg + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = ReadFileBytes(svg);
    std::remove(emf.c_str());
    std::remove(svg.c_str());
    for (const char* expected : {
             "<path d=\"M 2.0000,2.0000 L 90.0000,2.0000 \" stroke=\"#FF0000\"",  // move + line, dashed
             "<ellipse cx=\"62.5000\" cy=\"17.5000\" rx=\"17.5000\" ry=\"12.5000\"  fill=\"#FFFF00\"",
             "M 10.0000,35.0000 L 30.0000,35.0000 L 20.0000,50.0000 Z",  // polygon
             "M 40.0000,40.0000 L 60.0000,40.0000 L 60.0000,55.0000 ",   // polyline
             "M 0.0000,55.0000 L 50.0000,55.0000 L 50.0000,70.0000",     // clip rectangle
             "font-family=\"Arial\" fill=\"#000080\"", "font-size=\"14.0000\" ><![CDATA[Clipped text]]>",
             "width=\"4.0000\" height=\"4.0000\" x=\"88.0000\" y=\"40.0000\"",  // transparent bitmap
             "width=\"8.0000\" height=\"8.0000\" x=\"88.0000\" y=\"50.0000\"",  // stretched bitmap
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST(EnhancedMetafile, ReadingBackReplaysTheSamePixels)
{
    TMetafile mf;
    Record(mf, false);
    const std::string file = TempPath("roundtrip.emf");
    mf.SaveToFile(file);
    TMetafile loaded;
    loaded.LoadFromFile(file);
    std::remove(file.c_str());
    EXPECT_EQ(loaded.GetWidth(), 100);
    EXPECT_EQ(loaded.GetHeight(), 80);
    EXPECT_EQ(loaded.GetCreator(), "Pravix");
    EXPECT_EQ(loaded.GetDescription(), "Strip Chart");
    auto direct = WhiteBitmap(100, 80);
    Scene(direct->Canvas(), false);
    auto played = WhiteBitmap(100, 80);
    loaded.Play(played->Canvas(), {0, 0, 100, 80});
    EXPECT_EQ(DifferentPixels(*direct, *played), 0);
}

TEST(EnhancedMetafile, BrokenFilesAreRefusedAndChangeNothing)
{
    TMetafile mf;
    Record(mf, false);
    const TBytes good = mf.SaveToBytes();
    TBytes badSignature = good;
    badSignature[40] = 'X';
    TBytes badRecordSize = good;
    badRecordSize[U32(good, 4) + 4] = 3;
    TBytes truncated(good.begin(), good.begin() + 60);
    TBytes hugeCount = good;
    for (size_t at = U32(good, 4); at < good.size(); at += U32(good, at + 4))
        if (U32(good, at) == 4)  // a polyline: claim far more points than it has
            hugeCount[at + 24] = 0xFF, hugeCount[at + 27] = 0x7F;
    for (const TBytes& bytes : {badSignature, badRecordSize, truncated, hugeCount, TBytes{}}) {
        TMetafile target;
        target.SetWidth(7);
        try {
            target.LoadFromBytes(bytes);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid metafile");
        }
        EXPECT_EQ(target.GetWidth(), 7);
    }
}

// Files whose numbers sit at the ends of the int range: each loads and plays, at scale 1 and
// stretched far beyond the picture, without an overflow (the sanitizer build checks), and
// what lies inside the picture is still drawn.
TEST(EnhancedMetafile, ExtremeNumbersLoadAndPlayWithoutOverflow)
{
    const struct {
        const char* file;
        const char* why;
    } cases[] = {
        {"header-width-overflow.emf", "bounds from INT_MIN to INT_MAX: the width overflows"},
        {"bitmap-extent-overflow.emf", "a bitmap placed near INT_MAX with a large extent"},
        {"clip-overflow.emf", "two clip rectangles over the whole int range, intersected on load"},
        {"font-escapement-int-min.emf", "a font rotated by INT_MIN tenths of a degree"},
        {"far-off-line.emf", "a one-pixel line from (INT_MIN, INT_MIN) into the picture"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TMetafile mf;
        mf.LoadFromFile(SourcePath(std::string("tests/fixtures/metafile/") + c.file));
        EXPECT_GT(mf.GetWidth(), 0);
        auto picture = WhiteBitmap(200, 100);
        mf.Play(picture->Canvas(), {0, 0, 200, 100});
        mf.Play(picture->Canvas(), {-100000, -100000, 2000000000, 2000000000});
    }
}

TEST(EnhancedMetafile, AFarOffLineIsDrawnWhereItCrossesThePicture)
{
    TMetafile mf;
    mf.LoadFromFile(SourcePath("tests/fixtures/metafile/far-off-line.emf"));
    auto picture = WhiteBitmap(200, 100);
    mf.Play(picture->Canvas(), {0, 0, 200, 100});
    // From (INT_MIN, INT_MIN) to (199, 99): one pixel below the diagonal through the corner.
    EXPECT_EQ(picture->Canvas().GetPixel(150, 50), clRed);
    EXPECT_EQ(picture->Canvas().GetPixel(101, 1), clRed);
}
