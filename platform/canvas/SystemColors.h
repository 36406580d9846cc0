#pragma once
// The system colours of the library: a fixed table, independent of the desktop theme, so
// that every machine draws the same pixels.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Types.h"

// RGB (0x00BBGGRR) of a system colour index; unknown indexes give black.
TColor GetSysColor(int index);
// Resolves a system colour to its RGB and drops the palette-relative flag.
TColor ColorToRGB(TColor color);
