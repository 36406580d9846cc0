#include "platform/core/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

std::uint32_t LE(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The palette index of pixel (x, y), y counted from the top, in a 4-bit bottom-up BMP.
int PixelIndex(const std::string& bmp, int x, int y)
{
    const int width = static_cast<int>(LE(bmp, 18, 4));
    const int height = static_cast<int>(LE(bmp, 22, 4));
    const int rowBytes = (width * 4 + 31) / 32 * 4;
    const unsigned char byte = bmp[LE(bmp, 10, 4) + (height - 1 - y) * rowBytes + x / 2];
    return x % 2 ? byte & 0x0F : byte >> 4;
}

}  // namespace

TEST(Resources, PixelArtBecomesA4BitBitmapWithTheWindowsPalette)
{
    std::string bmp;
    ASSERT_TRUE(ReadResource("TESTPATTERN", bmp));

    // 6 x 3 pixels: 3 bytes a row, padded to 4.
    const std::size_t expectedSize = 14 + 40 + 64 + 3 * 4;
    ASSERT_EQ(bmp.size(), expectedSize);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(LE(bmp, 2, 4), expectedSize);
    EXPECT_EQ(LE(bmp, 10, 4), 118u);  // pixel data offset
    EXPECT_EQ(LE(bmp, 14, 4), 40u);   // info header size
    EXPECT_EQ(LE(bmp, 18, 4), 6u);
    EXPECT_EQ(LE(bmp, 22, 4), 3u);  // positive height: bottom-up
    EXPECT_EQ(LE(bmp, 26, 2), 1u);
    EXPECT_EQ(LE(bmp, 28, 2), 4u);
    EXPECT_EQ(LE(bmp, 30, 4), 0u);  // uncompressed
    EXPECT_EQ(LE(bmp, 34, 4), 12u);
    EXPECT_EQ(LE(bmp, 46, 4), 16u);

    // Palette entries are blue, green, red, 0; index 6 is teal, the transparent colour.
    const std::uint32_t palette[16] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(LE(bmp, 54 + 4 * i, 4), palette[i]) << i;  // read little-endian: 00RRGGBB

    // The pattern (resources/bitmaps/TESTPATTERN.txt), top row first.
    const int expected[3][6] = {
        {6, 0, 1, 3, 2, 4},      // . k r y g b
        {5, 7, 8, 9, 10, 11},    // m s x R G Y
        {12, 13, 14, 15, 6, 0},  // B M C W . k
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PixelIndex(bmp, x, y), expected[y][x]) << x << "," << y;
    for (std::size_t row = 0; row < 3; ++row)
        EXPECT_EQ(bmp[118 + row * 4 + 3], '\0');  // padding
}

TEST(Resources, NamesIgnoreCaseAndMissingNamesReadNothing)
{
    std::string upper, lower;
    ASSERT_TRUE(ReadResource("TESTPATTERN", upper));
    ASSERT_TRUE(ReadResource("TestPattern", lower));
    EXPECT_EQ(upper, lower);

    std::string untouched = "kept";
    EXPECT_FALSE(ReadResource("NOSUCHRESOURCE", untouched));
    EXPECT_FALSE(ReadResource("", untouched));
    EXPECT_EQ(untouched, "kept");

    const std::vector<std::string> names = ResourceNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_NE(std::find(names.begin(), names.end(), "TESTPATTERN"), names.end());
    for (const std::string& name : names) {
        std::string bytes;
        EXPECT_TRUE(ReadResource(name, bytes)) << name;
    }
}
