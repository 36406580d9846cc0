// Canvases on a painter owned by someone else: the widget and printer paths.

#include "PixelTestUtil.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/QtCanvas_p.h"

#include <gtest/gtest.h>

namespace {

void Drawing(TCanvas& c)
{
    c.Pen().SetStyle(psDashDot);
    c.Brush().SetColor(clYellow);
    c.Rectangle(2, 2, 30, 20);
    c.Brush().SetStyle(bsCross);
    c.Brush().SetColor(clBlue);
    c.Ellipse(5, 22, 35, 38);
    c.Font().SetColor(clRed);
    c.TextOut(4, 4, "Aq");
    // Slanted and underlined text leaning out of a box it is clipped to.
    c.Font().SetStyle({fsItalic, fsUnderline});
    c.TextRect({20, 2, 31, 12}, 19, 3, "Wf");
    // A dotted line that crosses itself, gaps in the background colour, in a clip of several
    // rectangles: the bitmap writes these pixels itself, the painter draws them.
    const TRegion ell = TRegion::FromRects({{0, 24, 20, 40}, {0, 32, 40, 40}});
    c.SelectClipRgn(&ell);
    c.Pen().SetStyle(psDot);
    c.Pen().SetColor(clGreen);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clFuchsia);
    c.Polyline({{1, 25}, {38, 39}, {38, 25}, {1, 39}, {30, 20}});
    // Solid lines along rows and columns are runs, the others traced, ends far off or not.
    c.Pen().SetStyle(psSolid);
    c.Polyline({{-100, 30}, {39, 30}, {39, 26}, {25, 33}, {25, 60}, {10, 36}});
    c.Brush().SetColor(clAqua);
    c.FillRect({30, 21, 45, 35});
    // A picture at its own size is copied, its transparent colour (black) left out.
    TBitmap icon;
    icon.SetSize(8, 8);
    icon.Canvas().Brush().SetColor(clRed);
    icon.Canvas().FillRect({1, 1, 7, 4});
    icon.SetTransparent(true);
    c.Draw(14, 28, icon);
}

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TColor At(const QImage& image, int x, int y) { return FromQRgb(image.pixel(x, y)); }

}  // namespace

TEST(PainterCanvas, DrawsTheSamePixelsAsABitmapCanvas)
{
    auto bitmap = WhiteBitmap(40, 40);
    Drawing(bitmap->Canvas());
    QImage image = WhiteImage(40, 40);
    {
        QPainter painter(&image);
        auto canvas = CreatePainterCanvas(painter);
        Drawing(*canvas);
    }
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(At(image, x, y), bitmap->Canvas().GetPixel(x, y)) << x << "," << y;
}

TEST(PainterCanvas, KeepsThePaintersClipAndInvertsOnScreen)
{
    QImage image = WhiteImage(40, 40);
    QPainter painter(&image);
    painter.setClipRect(0, 0, 10, 10);
    auto canvas = CreatePainterCanvas(painter);
    canvas->Brush().SetColor(clRed);
    canvas->FillRect({0, 0, 40, 40});
    EXPECT_TRUE(canvas->PtVisible(5, 5));
    EXPECT_FALSE(canvas->PtVisible(20, 20));
    canvas->InvertRect({0, 0, 2, 1});
    canvas->Font().SetColor(clWhite);
    canvas->Brush().SetColor(clBlack);
    canvas->DrawFocusRect({4, 4, 8, 8});
    painter.end();
    EXPECT_EQ(At(image, 9, 9), clRed);
    EXPECT_EQ(At(image, 10, 10), clWhite);
    EXPECT_EQ(At(image, 0, 0), clAqua);
    EXPECT_EQ(At(image, 4, 4), clAqua);  // red XOR white
    EXPECT_EQ(At(image, 5, 4), clRed);
}

// A focus rectangle or an inversion far larger than the device (a stretched metafile) works on
// the device's pixels only: listing every pixel of the rectangle would take gigabytes.
TEST(PainterCanvas, FarLargerRectanglesCostNoMoreThanTheDevice)
{
    QImage image = WhiteImage(40, 40);
    {
        QPainter painter(&image);
        auto canvas = CreatePainterCanvas(painter);
        canvas->Font().SetColor(clWhite);
        canvas->Brush().SetColor(clBlack);
        canvas->DrawFocusRect({20, 20, 1000000000, 1000000000});
        canvas->InvertRect({-1000000000, -1000000000, 10, 1000000000});
    }
    EXPECT_EQ(At(image, 20, 20), clBlack);  // the frame's corner, dotted
    EXPECT_EQ(At(image, 22, 20), clBlack);
    EXPECT_EQ(At(image, 21, 20), clWhite);
    EXPECT_EQ(At(image, 20, 22), clBlack);
    EXPECT_EQ(At(image, 30, 30), clWhite);  // inside the frame
    EXPECT_EQ(At(image, 0, 0), clBlack);    // inverted
    EXPECT_EQ(At(image, 9, 39), clBlack);
    EXPECT_EQ(At(image, 10, 0), clWhite);
}

TEST(PainterCanvas, PrinterGetsDottedFocusRectanglesAndNoInversion)
{
    QImage image = WhiteImage(30, 10);
    {
        QPainter painter(&image);
        auto canvas = CreatePainterCanvas(painter, TPainterTarget::Printer);
        canvas->Font().SetColor(clBlue);
        canvas->Brush().SetColor(clBlack);
        canvas->DrawFocusRect({0, 0, 20, 5});
        canvas->InvertRect({22, 0, 30, 10});
    }
    std::string top;
    for (int x = 0; x < 12; ++x)
        top += At(image, x, 0) == clBlue ? '#' : '.';
    EXPECT_EQ(top, "###...###...");
    EXPECT_EQ(At(image, 25, 5), clWhite);
}
