#include "platform/canvas/SystemColors.h"

#include <array>
#include <cstddef>

namespace {

constexpr TColor Rgb(unsigned hex) { return RGB((hex >> 16) & 0xFF, (hex >> 8) & 0xFF, hex & 0xFF); }

constexpr std::array<TColor, 25> kSystemColors = {
    Rgb(0xC8C8C8), Rgb(0x000000), Rgb(0x99B4D1), Rgb(0xBFCDDB), Rgb(0xF0F0F0), Rgb(0xFFFFFF), Rgb(0x646464),
    Rgb(0x000000), Rgb(0x000000), Rgb(0x000000), Rgb(0xB4B4B4), Rgb(0xF4F7FC), Rgb(0xABABAB), Rgb(0x3399FF),
    Rgb(0xFFFFFF), Rgb(0xF0F0F0), Rgb(0xA0A0A0), Rgb(0x6D6D6D), Rgb(0x000000), Rgb(0x434E54), Rgb(0xFFFFFF),
    Rgb(0x696969), Rgb(0xE3E3E3), Rgb(0x000000), Rgb(0xFFFFE1),
};

}  // namespace

TColor GetSysColor(int index)
{
    return index >= 0 && index < int(kSystemColors.size()) ? kSystemColors[std::size_t(index)] : clBlack;
}

TColor ColorToRGB(TColor color)
{
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return color & 0xFFFFFF;
}
