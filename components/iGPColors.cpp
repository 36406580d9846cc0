#include "components/iGPColors.h"

#include "platform/canvas/SystemColors.h"
#include "platform/core/MathSupport.h"

#include <algorithm>

namespace {

int ClampChannel(long long value) { return int(std::clamp<long long>(value, 0, 255)); }

// Applies f to each channel of rgb (the low, middle and high byte).
template <typename F>
TColor MapChannels(TColor rgb, F f)
{
    return RGB(ClampChannel(f(GetRValue(rgb))), ClampChannel(f(GetGValue(rgb))), ClampChannel(f(GetBValue(rgb))));
}

TColor Lighten(TColor color, double fraction)
{
    return MapChannels(ColorToRGB(color), [fraction](int c) { return Trunc((255 - c) * fraction + c); });
}

TColor Darken(TColor color, double fraction)
{
    return MapChannels(ColorToRGB(color), [fraction](int c) { return Trunc(c - c * fraction); });
}

}  // namespace

TColor ColorOffset(TColor Color, std::uint8_t Amount, bool Brighter)
{
    const int delta = Brighter ? Amount : -Amount;
    return MapChannels(ColorToRGB(Color), [delta](int c) { return (long long)c + delta; });
}

TColor ChangeColorIntensity(TColor Color, int Delta)
{
    return MapChannels(ColorToRGB(Color), [Delta](int c) { return (long long)c + Delta; }) | PaletteRelativeFlag;
}

TColor DimColor(TColor Color, int Factor)
{
    return MapChannels(Color, [Factor](int c) { return Factor > 0 ? (long long)c / Factor : c * -(long long)Factor; });
}

std::uint8_t iGetRValue(std::uint32_t Value) { return std::uint8_t(Value); }
std::uint8_t iGetGValue(std::uint32_t Value) { return std::uint8_t(Value >> 8); }
std::uint8_t iGetBValue(std::uint32_t Value) { return std::uint8_t(Value >> 16); }

TColor ColorMouseDownBright(TColor Color) { return ColorOffset(Color, 16, true); }
TColor ColorMouseDownBright2(TColor Color) { return ColorOffset(Color, 48, true); }
TColor ColorGradientBright(TColor Color) { return ColorOffset(Color, 32, true); }
TColor ColorGradientDim(TColor Color) { return ColorOffset(Color, 64, false); }

TColor ColorLighten1(TColor Color) { return Lighten(Color, 0.15); }
TColor ColorLighten2(TColor Color) { return Lighten(Color, 0.25); }
TColor ColorLighten3(TColor Color) { return Lighten(Color, 0.5); }
TColor ColorLighten4(TColor Color) { return Lighten(Color, 0.75); }
TColor ColorDarken1(TColor Color) { return Darken(Color, 0.15); }
TColor ColorDarken2(TColor Color) { return Darken(Color, 0.25); }
TColor ColorDarken3(TColor Color) { return Darken(Color, 0.5); }
TColor ColorDarken4(TColor Color) { return Darken(Color, 0.75); }
