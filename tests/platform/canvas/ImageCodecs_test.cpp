// PNG and JPEG encoders, checked in the bytes and with an outside decoder.

#include "PixelTestUtil.h"
#include "support/SourcePaths.h"

#include "platform/canvas/ImageCodecs.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// Four flat quadrants: red, lime, blue, white.
std::unique_ptr<TBitmap> Quadrants(int size = 64)
{
    auto b = WhiteBitmap(size, size);
    TCanvas& c = b->Canvas();
    const int h = size / 2;
    c.Brush().SetColor(clRed);
    c.FillRect({0, 0, h, h});
    c.Brush().SetColor(clLime);
    c.FillRect({h, 0, size, h});
    c.Brush().SetColor(clBlue);
    c.FillRect({0, h, h, size});
    return b;
}

std::string ProbeBytes(const TBytes& bytes, const std::string& name, const std::string& points)
{
    const std::string file = TempPath(name);
    WriteFileBytes(file, bytes.data(), bytes.size());
    const std::string out = PillowProbe(file, points);
    std::remove(file.c_str());
    return out;
}

bool HasMarker(const TBytes& b, std::uint8_t marker)
{
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker)
            return true;
    return false;
}

std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no exception";
}

}  // namespace

TEST(PNG, EightBitRgbWithoutInterlaceAtTheGivenLevel)
{
    const auto image = Quadrants();
    const TBytes stored = EncodePNG(*image, 0);
    const TBytes best = EncodePNG(*image, 9);
    EXPECT_GT(stored.size(), 64u * 64u * 3u);  // level 0 does not compress
    EXPECT_LT(best.size(), stored.size() / 10);
    ASSERT_GT(best.size(), 29u);
    EXPECT_EQ(best[24], 8);  // bit depth
    EXPECT_EQ(best[25], 2);  // colour type RGB
    EXPECT_EQ(best[28], 0);  // no interlace
    EXPECT_EQ(ProbeBytes(best, "q.png", "0,0 40,0 0,40 63,63"),
              "PNG 64x64 RGB\n255,0,0\n0,255,0\n0,0,255\n255,255,255\n");
}

TEST(JPEG, QualityProgressionAndDecoding)
{
    const auto image = Quadrants();
    const TBytes high = EncodeJPEG(*image, 100, false, false);
    const TBytes low = EncodeJPEG(*image, 5, false, false);
    const TBytes progressive = EncodeJPEG(*image, 90, true, false);
    const TBytes fast = EncodeJPEG(*image, 90, false, true);
    EXPECT_GT(high.size(), low.size());
    EXPECT_TRUE(HasMarker(high, 0xC0));  // baseline frame
    EXPECT_FALSE(HasMarker(high, 0xC2));
    EXPECT_TRUE(HasMarker(progressive, 0xC2));
    EXPECT_FALSE(HasMarker(progressive, 0xC0));
    EXPECT_TRUE(HasMarker(fast, 0xC0));

    auto gradient = WhiteBitmap(64, 64);  // fine detail, where the two DCTs round differently
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            gradient->Canvas().SetPixel(x, y, RGB(x * 4, (x * y) % 256, (x ^ y) * 4));
    EXPECT_NE(EncodeJPEG(*gradient, 90, false, false), EncodeJPEG(*gradient, 90, false, true));

    const std::string probe = ProbeBytes(progressive, "q.jpg", "8,8 56,56");
    EXPECT_EQ(probe.substr(0, 17), "JPEG 64x64 RGB\n25") << probe;  // red channel near 255

    TBitmap decoded;
    DecodeJPEG(high, decoded);
    ASSERT_EQ(decoded.GetWidth(), 64);
    const TColor red = decoded.Canvas().GetPixel(8, 8);
    EXPECT_GT(GetRValue(red), 240);
    EXPECT_LT(GetGValue(red), 16);
    const TColor blue = decoded.Canvas().GetPixel(8, 56);
    EXPECT_GT(GetBValue(blue), 240);
}

TEST(Codecs, LibraryErrorsCarryTheLibrarysText)
{
    TBitmap empty;
    EXPECT_EQ(MessageOf([&] { EncodeJPEG(empty, 75, false, false); }).rfind("JPEG error #", 0), 0u);
    EXPECT_EQ(MessageOf([&] { EncodePNG(empty, 6); }).rfind("PNG error - ", 0), 0u);
    TBitmap target;
    const std::string garbage = MessageOf([&] { DecodeJPEG(TBytes{1, 2, 3, 4}, target); });
    EXPECT_EQ(garbage.rfind("JPEG error #", 0), 0u) << garbage;
    EXPECT_GT(std::stoi(garbage.substr(12)), 0);
    EXPECT_TRUE(target.Empty());
    TBytes truncated = EncodeJPEG(*Quadrants(), 75, false, false);
    truncated.resize(20);
    EXPECT_EQ(MessageOf([&] { DecodeJPEG(truncated, target); }).rfind("JPEG error #", 0), 0u);
}

namespace {

const std::uint8_t kStartOfScan[] = {0xFF, 0xDA};

TBytes Fixture(const std::string& name)
{
    std::ifstream in(SourcePath("tests/fixtures/jpeg/" + name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(Codecs, JpegFilesThatClaimMoreThanTheyHoldAreRefused)
{
    const struct {
        const char* file;
        int code;
        const char* why;
    } cases[] = {
        // libjpeg would set up coefficient buffers of gigabytes before the first pixel.
        {"progressive-65000x65000.jpg", JERR_IMAGE_TOO_BIG, "a few hundred bytes declaring 65000 x 65000"},
        // Seconds of made-up pixels for a picture whose data ends after its first scans.
        {"progressive-255x55320-few-bytes.jpg", JWRN_JPEG_EOF, "a tall picture of 285 bytes"},
        // The scan's data stops at the end-of-image marker: 265 million pixels made up.
        {"baseline-64792x4099-data-ends-at-marker.jpg", JWRN_HIT_MARKER, "a wide picture of 202 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const TBytes bytes = Fixture(c.file);
        ASSERT_FALSE(bytes.empty());
        TBitmap target;
        EXPECT_EQ(MessageOf([&] { DecodeJPEG(bytes, target); }), "JPEG error #" + std::to_string(c.code));
        EXPECT_TRUE(target.Empty());
    }
}

TEST(Codecs, AProgressiveJpegOfEndlessScansIsRefused)
{
    // A scan costs a pass over the whole picture and can be a dozen bytes long.
    TBytes bytes = EncodeJPEG(*Quadrants(), 75, true, false);
    const auto sos = std::search(bytes.begin(), bytes.end(), std::begin(kStartOfScan), std::end(kStartOfScan));
    ASSERT_NE(sos, bytes.end());
    const TBytes header(bytes.begin(), sos);
    const TBytes scans(sos, bytes.end() - 2);  // without the end-of-image marker
    TBytes endless = header;
    for (int i = 0; i < 120; ++i)
        endless.insert(endless.end(), scans.begin(), scans.end());
    endless.insert(endless.end(), {0xFF, 0xD9});
    TBitmap target;
    EXPECT_EQ(MessageOf([&] { DecodeJPEG(endless, target); }), "JPEG error #" + std::to_string(JERR_NOTIMPL));
}

TEST(JPEGImage, HoldsEncodedBytesAndDrawsThem)
{
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(100);
    jpeg.Assign(*Quadrants());
    ASSERT_GT(jpeg.Bytes().size(), 2u);
    EXPECT_EQ(jpeg.Bytes()[0], 0xFF);
    EXPECT_EQ(jpeg.Bytes()[1], 0xD8);
    EXPECT_EQ(jpeg.GetWidth(), 64);
    auto target = WhiteBitmap(100, 100);
    jpeg.Draw(target->Canvas(), 10, 10);
    EXPECT_GT(GetBValue(target->Canvas().GetPixel(18, 66)), 240);
    EXPECT_EQ(target->Canvas().GetPixel(5, 5), clWhite);

    const TBytes before = jpeg.Bytes();
    EXPECT_THROW(jpeg.LoadFromBytes({0xFF, 0xD8, 0xFF}), Exception);
    EXPECT_EQ(jpeg.Bytes(), before);
}
