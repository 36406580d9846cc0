// Bitmaps: size, copies, transparency and BMP files checked with an outside reader.

#include "PixelTestUtil.h"

#include "platform/canvas/ImageCodecs.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "support/SourcePaths.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Bitmap, NewContentIsBlackAndGrowingKeepsThePicture)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    b.SetSize(4, 3);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.Canvas().GetPixel(3, 2), clBlack);
    b.Canvas().SetPixel(1, 1, clRed);
    b.SetSize(6, 5);
    EXPECT_EQ(b.Canvas().GetPixel(1, 1), clRed);
    EXPECT_EQ(b.Canvas().GetPixel(5, 4), clBlack);
    b.SetWidth(0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(changes, 4);  // three sizes and the pixel drawn on its canvas
}

TEST(Bitmap, AssignCopiesAndTheCopiesStayApart)
{
    auto a = WhiteBitmap(3, 3);
    a->SetTransparent(true);
    TBitmap b;
    b.Assign(*a);
    b.Canvas().SetPixel(0, 0, clRed);
    EXPECT_EQ(a->Canvas().GetPixel(0, 0), clWhite);
    EXPECT_EQ(b.Canvas().GetPixel(0, 0), clRed);
    EXPECT_TRUE(b.GetTransparent());
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel)
{
    auto b = WhiteBitmap(3, 3);
    b->Canvas().SetPixel(0, 2, clTeal);
    EXPECT_EQ(b->GetTransparentColor(), clTeal);
    b->SetTransparentColor(clRed);
    EXPECT_EQ(b->GetTransparentColor(), clRed);
    TBitmap empty;
    EXPECT_EQ(empty.GetTransparentColor(), clBlack);  // nothing to read from an empty picture
}

TEST(Bitmap, SavesA24BitBottomUpFileThatPillowReads)
{
    auto b = WhiteBitmap(5, 3);
    b->Canvas().SetPixel(0, 0, clRed);
    b->Canvas().SetPixel(4, 2, clBlue);
    const TBytes bytes = WriteBMP(*b);
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);  // 15 bytes of pixels padded to 16 per row
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28], 24);         // bits per pixel
    EXPECT_EQ(bytes[22], 3);          // positive height: bottom-up
    EXPECT_EQ(bytes[54 + 12], 0xFF);  // first stored row is the bottom one: blue at x = 4
    const std::string file = TempPath("save.bmp");
    b->SaveToFile(file);
    EXPECT_EQ(PillowProbe(file, "0,0 4,2 1,1"), "BMP 5x3 RGB\n255,0,0\n0,0,255\n255,255,255\n");
    std::remove(file.c_str());
}

TEST(Bitmap, LoadsBmpFilesOfEveryDepth)
{
    for (int bits : {1, 4, 8, 24, 32}) {
        const std::string file = TempPath("depth" + std::to_string(bits) + ".bmp");
        ASSERT_EQ(PillowProbe(file, "--make-bmp " + std::to_string(bits)), "ok\n") << bits;
        TBitmap b;
        b.LoadFromFile(file);
        std::remove(file.c_str());
        EXPECT_EQ(b.GetWidth(), 5);
        EXPECT_EQ(b.GetHeight(), 3);
        EXPECT_EQ(b.Canvas().GetPixel(2, 1), clBlack) << bits;
        EXPECT_EQ(b.Canvas().GetPixel(1, 1), clWhite) << bits;
        if (bits > 1) {
            EXPECT_EQ(b.Canvas().GetPixel(0, 0), clRed) << bits;
            EXPECT_EQ(b.Canvas().GetPixel(4, 2), clBlue) << bits;
        }
    }
}

TEST(Bitmap, BrokenFilesAreRefusedAndChangeNothing)
{
    auto b = WhiteBitmap(2, 2);
    TBytes bytes = WriteBMP(*b);
    bytes.resize(30);
    TBitmap target;
    target.SetSize(7, 7);
    // 185 bytes whose header claims 1048576 x 16 pixels: once made up pixel by pixel for seconds.
    const std::string claimsTooMuch = ReadFileBytes(SourcePath("tests/fixtures/bmp/million-columns-185-bytes.bmp"));
    const TBytes tooShort(claimsTooMuch.begin(), claimsTooMuch.end());
    // Row size times row count beyond 64 bits.
    const std::string claimsAbsurdly = ReadFileBytes(SourcePath("tests/fixtures/bmp/rows-overflow-the-size-check.bmp"));
    const TBytes absurd(claimsAbsurdly.begin(), claimsAbsurdly.end());
    for (const TBytes& data : {bytes, TBytes{'B', 'M'}, TBytes{1, 2, 3}, tooShort, absurd}) {
        try {
            target.LoadFromBytes(data);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid");
        }
        EXPECT_EQ(target.GetWidth(), 7);
    }
    EXPECT_THROW(target.LoadFromFile(TempPath("missing.bmp")), EFOpenError);
}
