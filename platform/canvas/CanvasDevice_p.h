#pragma once
// Platform-internal: the back end behind a canvas.

#include "platform/canvas/CanvasRecord.h"
#include "platform/canvas/VisualLayer.h"

#include <string>

struct TTextSize {
    int Width = 0;
    int Height = 0;  // ascent + descent
    int Ascent = 0;
};

class TCanvasDevice {
public:
    virtual ~TCanvasDevice() = default;
    virtual void Draw(const TCanvasRecord& record) = 0;
    // Reads a device pixel; back ends without pixels answer clBlack.
    virtual TColor GetPixel(int x, int y);
    // Text extent of one line (no line breaks) in the font.
    virtual TTextSize TextExtent(const TFontData& font, const std::u16string& text);
    virtual int AverageCharWidth(const TFontData& font);
    // Whether a device pixel can be seen at all (clipping of the device itself).
    virtual bool IsVisible(int x, int y);
};
