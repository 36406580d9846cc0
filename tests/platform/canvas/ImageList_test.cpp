// Image lists: masked drawing, the disabled emboss and the binary form.

#include "PixelTestUtil.h"

#include "platform/canvas/ImageList.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Teal background, a black 4 x 4 square at (2, 2), a yellow pixel at (10, 10).
std::unique_ptr<TBitmap> Glyph(int width = 16)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(width, 16);
    TCanvas& c = b->Canvas();
    c.Brush().SetColor(clTeal);
    c.FillRect({0, 0, width, 16});
    c.Brush().SetColor(clBlack);
    c.FillRect({2, 2, 6, 6});
    c.SetPixel(10, 10, clYellow);
    return b;
}

}  // namespace

TEST(ImageList, AddCutsImagesAndDrawLeavesTheMaskColourOut)
{
    TImageList list(16, 16);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    EXPECT_EQ(list.Add(*Glyph(), clTeal), 0);
    EXPECT_EQ(list.Add(*Glyph(32), clTeal), 1);
    EXPECT_EQ(list.Count(), 3);
    auto target = WhiteBitmap(40, 20);
    list.Draw(target->Canvas(), 10, 2, 0);
    EXPECT_EQ(InkBox(*target, clWhite), Rect(12, 4, 21, 13));
    EXPECT_EQ(target->Canvas().GetPixel(20, 12), clYellow);
    list.Draw(target->Canvas(), 0, 0, 5);  // out of range: nothing
    list.SetSize(24, 24);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(ImageList, DisabledImagesAreEmbossed)
{
    TImageList list(16, 16);
    list.Add(*Glyph(), clTeal);
    auto target = WhiteBitmap(20, 20);
    target->Canvas().Brush().SetColor(clBtnFace);
    target->Canvas().FillRect({0, 0, 20, 20});
    list.Draw(target->Canvas(), 0, 0, 0, false);
    TCanvas& c = target->Canvas();
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(c.GetPixel(2, 2), shadow);
    EXPECT_EQ(c.GetPixel(5, 5), shadow);
    EXPECT_EQ(c.GetPixel(6, 6), highlight);  // the highlight shows one pixel down-right
    EXPECT_EQ(c.GetPixel(6, 3), highlight);
    EXPECT_EQ(c.GetPixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(c.GetPixel(10, 10), ColorToRGB(clBtnFace));  // light pixels leave no mark
}

TEST(ImageList, BinaryFormRoundTripsWithAlphaPngs)
{
    TImageList list(16, 16);
    list.Add(*Glyph(32), clTeal);
    const TBytes bytes = list.SaveToBytes();
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "iIL1");
    EXPECT_EQ(bytes[4], 16);
    EXPECT_EQ(bytes[8], 16);
    EXPECT_EQ(bytes[12], 2);
    const size_t length = bytes[16] | bytes[17] << 8 | bytes[18] << 16 | size_t(bytes[19]) << 24;
    const std::string file = TempPath("image0.png");
    WriteFileBytes(file, bytes.data() + 20, length);
    EXPECT_EQ(PillowProbe(file, "0,0 3,3 10,10"), "PNG 16x16 RGBA\n0,0,0,0\n0,0,0,255\n255,255,0,255\n");
    std::remove(file.c_str());

    TImageList loaded(8, 8);
    loaded.LoadFromBytes(bytes);
    EXPECT_EQ(loaded.GetWidth(), 16);
    EXPECT_EQ(loaded.Count(), 2);
    auto a = WhiteBitmap(20, 20), b = WhiteBitmap(20, 20);
    list.Draw(a->Canvas(), 2, 2, 1);
    loaded.Draw(b->Canvas(), 2, 2, 1);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(a->Canvas().GetPixel(x, y), b->Canvas().GetPixel(x, y)) << x << "," << y;
}

TEST(ImageList, BrokenDataIsRefusedAndChangesNothing)
{
    TImageList list(16, 16);
    list.Add(*Glyph(), clTeal);
    TBytes good = list.SaveToBytes();
    TBytes badPng = good;
    badPng[good.size() - 30] ^= 0xFF;
    TBytes longLength = good;
    longLength[19] = 0x7F;
    TBytes manyImages = good;
    manyImages[15] = 0x10;
    for (const TBytes& bytes :
         {TBytes{'i', 'I', 'L'}, TBytes(good.begin(), good.begin() + 30), badPng, longLength, manyImages}) {
        try {
            list.LoadFromBytes(bytes);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid image list data");
        }
        EXPECT_EQ(list.Count(), 1);
    }
}
