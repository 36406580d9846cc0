#include "platform/canvas/Bitmap.h"
#include "platform/core/Resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kTeal = 6;    // the toolbar's and the explorer's transparent colour
constexpr int kWhite = 15;  // the OPC group holder's transparent colour

struct Expected {
    const char* name;
    int size;         // width and height
    int transparent;  // palette index
};

const Expected kBitmaps[] = {
    {"AUTO", 24, kTeal},
    {"SMALLAUTO", 16, kTeal},
    {"PAUSE", 24, kTeal},
    {"SMALLPAUSE", 16, kTeal},
    {"SCROLL", 24, kTeal},
    {"SMALLSCROLL", 16, kTeal},
    {"ZOOM", 24, kTeal},
    {"SMALLZOOM", 16, kTeal},
    {"ZOOMOUT", 24, kTeal},
    {"SMALLZOOMOUT", 16, kTeal},
    {"ZOOMIN", 24, kTeal},
    {"SMALLZOOMIN", 16, kTeal},
    {"SELECT", 24, kTeal},
    {"SMALLSELECT", 16, kTeal},
    {"SCROLLBOX", 24, kTeal},
    {"SMALLSCROLLBOX", 16, kTeal},
    {"CURSOR", 24, kTeal},
    {"SMALLCURSOR", 16, kTeal},
    {"PROPERTIES", 24, kTeal},
    {"SMALLPROPERTIES", 16, kTeal},
    {"COPY", 24, kTeal},
    {"SMALLCOPY", 16, kTeal},
    {"SAVE", 24, kTeal},
    {"SMALLSAVE", 16, kTeal},
    {"PRINTER", 24, kTeal},
    {"SMALLPRINTER", 16, kTeal},
    {"PREVIEW", 24, kTeal},
    {"SMALLPREVIEW", 16, kTeal},
    {"OPCMANAGER", 24, kWhite},
    {"OPCEXPLORERSERVERS", 16, kTeal},
    {"OPCEXPLORERGROUPS", 16, kTeal},
    {"OPCEXPLORERCONNECTION", 16, kTeal},
};

std::uint32_t LE(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Palette indexes of every pixel of a 4-bit bottom-up BMP, row padding skipped.
std::vector<int> Pixels(const std::string& bmp, int width, int height)
{
    const std::size_t rowBytes = (width * 4 + 31) / 32 * 4;
    const std::size_t offset = LE(bmp, 10, 4);
    std::vector<int> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char byte = bmp[offset + y * rowBytes + x / 2];
            pixels.push_back(x % 2 ? byte & 0x0F : byte >> 4);
        }
    }
    return pixels;
}

// A helper so that a broken image stops only its own checks, not those of the images after it.
void CheckBitmap(const Expected& expected)
{
    std::string bmp;
    ASSERT_TRUE(ReadResource(expected.name, bmp));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(LE(bmp, 2, 4), bmp.size());
    EXPECT_EQ(LE(bmp, 14, 4), 40u);
    ASSERT_EQ(LE(bmp, 18, 4), static_cast<std::uint32_t>(expected.size));
    ASSERT_EQ(LE(bmp, 22, 4), static_cast<std::uint32_t>(expected.size));
    ASSERT_EQ(LE(bmp, 28, 2), 4u);
    const std::size_t rowBytes = (expected.size * 4 + 31) / 32 * 4;
    ASSERT_EQ(bmp.size(), LE(bmp, 10, 4) + rowBytes * expected.size);

    int transparent = 0;
    for (int index : Pixels(bmp, expected.size, expected.size))
        transparent += index == expected.transparent;
    EXPECT_GT(transparent, 0) << "no transparent pixel";
    EXPECT_LT(transparent, expected.size * expected.size) << "nothing drawn";
}

}  // namespace

TEST(BitmapResources, EveryImageIsA4BitBitmapOfItsSizeWithItsTransparentColourAndAPicture)
{
    for (const Expected& expected : kBitmaps) {
        SCOPED_TRACE(expected.name);
        CheckBitmap(expected);
    }
}

TEST(BitmapResources, NoTwoImagesAreAlike)
{
    std::vector<std::string> images;
    for (const Expected& expected : kBitmaps) {
        std::string bmp;
        ASSERT_TRUE(ReadResource(expected.name, bmp)) << expected.name;
        for (std::size_t other = 0; other < images.size(); ++other)
            EXPECT_NE(bmp, images[other]) << expected.name << " repeats " << kBitmaps[other].name;
        images.push_back(bmp);
    }
}

TEST(BitmapResources, BitmapsLoadByNameAndAMissingNameGivesAnEmptyBitmapReportedOnce)
{
    TBitmap bitmap;
    for (const auto& [name, size] : {std::pair{"AUTO", 24}, std::pair{"smallauto", 16}}) {
        SCOPED_TRACE(name);
        bitmap.LoadFromResourceName(name);
        EXPECT_EQ(bitmap.GetWidth(), size);
        EXPECT_EQ(bitmap.GetHeight(), size);
        EXPECT_EQ(bitmap.GetTransparentColor(), clTeal);
    }

    testing::internal::CaptureStderr();
    bitmap.LoadFromResourceName("NOSUCHBITMAP");
    EXPECT_TRUE(bitmap.Empty()) << "the earlier picture must not stay";
    bitmap.LoadFromResourceName("NoSuchBitmap");  // names ignore case
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(bitmap.Empty());
    const auto first = log.find("NOSUCHBITMAP");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("NOSUCHBITMAP", first + 1), std::string::npos) << "reported once: " << log;
    EXPECT_EQ(log.find("NoSuchBitmap"), std::string::npos) << "reported once: " << log;
}
