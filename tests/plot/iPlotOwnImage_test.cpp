#include "plot/objects/iPlotOwnImage.h"

#include <gtest/gtest.h>

namespace {

// A square bitmap of one colour.
void Fill(TBitmap& bitmap, int size, TColor color)
{
    bitmap.SetSize(size, size);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(Rect(0, 0, size, size));
}

}  // namespace

// The picture is the object's own copy, and one without pixels is never drawn: a label or an
// annotation then shows what it shows without a picture.
TEST(OwnImage, KeepsACopyAndCountsAnEmptyPictureAsNone)
{
    TiPlotOwnImage image;
    EXPECT_FALSE(image.Clear());  // nothing to remove: the owner need not repaint

    TBitmap source;
    source.SetSize(3, 2);
    image.Set(&source);
    source.SetSize(7, 7);
    ASSERT_NE(image.Get(), nullptr);
    EXPECT_EQ(image.Get()->GetWidth(), 3);
    EXPECT_TRUE(image.Drawable());

    const TBitmap empty;
    image.Set(&empty);
    EXPECT_NE(image.Get(), nullptr);
    EXPECT_FALSE(image.Drawable());
    TBitmap canvas;
    Fill(canvas, 4, clWhite);
    image.Draw(canvas.Canvas(), 0, 0);
    EXPECT_EQ(canvas.Canvas().GetPixel(0, 0), clWhite);

    EXPECT_TRUE(image.Clear());
    EXPECT_EQ(image.Get(), nullptr);
}

TEST(OwnImage, DrawsSeeThroughInItsBottomLeftColour)
{
    TBitmap source;
    Fill(source, 2, clBlue);
    source.Canvas().SetPixel(0, 1, clLime);  // bottom left: the transparent colour
    source.Canvas().SetPixel(1, 0, clLime);
    TiPlotOwnImage image;
    image.Set(&source);

    TBitmap target;
    Fill(target, 4, clWhite);
    image.Draw(target.Canvas(), 1, 1);
    EXPECT_EQ(target.Canvas().GetPixel(1, 1), clBlue);
    EXPECT_EQ(target.Canvas().GetPixel(2, 2), clBlue);
    EXPECT_EQ(target.Canvas().GetPixel(2, 1), clWhite);
    EXPECT_EQ(target.Canvas().GetPixel(1, 2), clWhite);
    EXPECT_EQ(target.Canvas().GetPixel(0, 0), clWhite);
}
