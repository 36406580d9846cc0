#include "components/iGPColors.h"

#include <gtest/gtest.h>

TEST(iGPColors, OffsetsResolveSystemColoursAndClampEachChannel)
{
    struct Case {
        const char* name;
        TColor got, want;
    };
    const Case cases[] = {
        {"brighter", ColorOffset(RGB(10, 250, 100), 16, true), RGB(26, 255, 116)},
        {"darker", ColorOffset(RGB(10, 250, 100), 16, false), RGB(0, 234, 84)},
        {"button face resolved", ColorOffset(clBtnFace, 64, true), RGB(255, 255, 255)},
        {"button shadow resolved", ColorOffset(clBtnShadow, 32, false), RGB(128, 128, 128)},
        {"mouse down", ColorMouseDownBright(RGB(100, 100, 100)), RGB(116, 116, 116)},
        {"mouse down 2", ColorMouseDownBright2(RGB(100, 100, 100)), RGB(148, 148, 148)},
        {"gradient bright", ColorGradientBright(RGB(100, 100, 100)), RGB(132, 132, 132)},
        {"gradient dim", ColorGradientDim(RGB(100, 50, 200)), RGB(36, 0, 136)},
        {"intensity", ChangeColorIntensity(RGB(10, 20, 250), 10), RGB(20, 30, 255) | PaletteRelativeFlag},
        {"intensity huge", ChangeColorIntensity(clWhite, -2147483647 - 1), PaletteRelativeFlag},
        {"intensity system", ChangeColorIntensity(clWindow, -5), RGB(250, 250, 250) | PaletteRelativeFlag},
        {"dim divides", DimColor(RGB(100, 51, 255), 2), RGB(50, 25, 127)},
        {"dim multiplies", DimColor(RGB(100, 51, 3), -2), RGB(200, 102, 6)},
        {"dim by zero is black", DimColor(RGB(100, 51, 3), 0), clBlack},
        {"dim extreme factor", DimColor(RGB(1, 0, 0), -2147483647 - 1), RGB(255, 0, 0)},
        {"dim takes raw bytes", DimColor(clBtnFace, 1), RGB(15, 0, 0)},
        {"lighten 1", ColorLighten1(RGB(0, 100, 255)), RGB(38, 123, 255)},
        {"lighten 2", ColorLighten2(RGB(0, 100, 255)), RGB(63, 138, 255)},
        {"lighten 3", ColorLighten3(RGB(0, 100, 255)), RGB(127, 177, 255)},
        {"lighten 4", ColorLighten4(RGB(0, 100, 255)), RGB(191, 216, 255)},
        {"darken 1", ColorDarken1(RGB(0, 100, 255)), RGB(0, 85, 216)},
        {"darken 2", ColorDarken2(RGB(0, 100, 255)), RGB(0, 75, 191)},
        {"darken 3", ColorDarken3(RGB(0, 100, 255)), RGB(0, 50, 127)},
        {"darken 4", ColorDarken4(RGB(0, 100, 255)), RGB(0, 25, 63)},
        {"darken system", ColorDarken3(clBtnFace), RGB(120, 120, 120)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name << std::hex << " got 0x" << c.got << " want 0x" << c.want;
}

TEST(iGPColors, ChannelBytes)
{
    EXPECT_EQ(iGetRValue(0x80123456u), 0x56);
    EXPECT_EQ(iGetGValue(0x80123456u), 0x34);
    EXPECT_EQ(iGetBValue(0x80123456u), 0x12);
}
