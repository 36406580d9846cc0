#pragma once
// Colour shades of the components: brighter, dimmer, lighter and darker variants of a
// colour. System colours are resolved to their RGB first (except by DimColor, which works on
// the raw bytes); every channel is kept within 0..255.

#include "platform/core/Types.h"

#include <cstdint>

// The palette-relative flag that ChangeColorIntensity sets; drawing ignores it.
constexpr TColor PaletteRelativeFlag = 0x02000000;

// Each channel plus Amount when Brighter, else minus Amount.
TColor ColorOffset(TColor Color, std::uint8_t Amount, bool Brighter);
// Each channel plus Delta; the result carries the palette-relative flag.
TColor ChangeColorIntensity(TColor Color, int Delta);
// Each raw channel divided by Factor when Factor > 0, else multiplied by -Factor.
TColor DimColor(TColor Color, int Factor);

std::uint8_t iGetRValue(std::uint32_t Value);
std::uint8_t iGetGValue(std::uint32_t Value);
std::uint8_t iGetBValue(std::uint32_t Value);

TColor ColorMouseDownBright(TColor Color);   // 16 brighter
TColor ColorMouseDownBright2(TColor Color);  // 48 brighter
TColor ColorGradientBright(TColor Color);    // 32 brighter
TColor ColorGradientDim(TColor Color);       // 64 darker

// Towards white by 15, 25, 50 and 75 per cent.
TColor ColorLighten1(TColor Color);
TColor ColorLighten2(TColor Color);
TColor ColorLighten3(TColor Color);
TColor ColorLighten4(TColor Color);
// Towards black by 15, 25, 50 and 75 per cent.
TColor ColorDarken1(TColor Color);
TColor ColorDarken2(TColor Color);
TColor ColorDarken3(TColor Color);
TColor ColorDarken4(TColor Color);
