#pragma once
// One drawing primitive in device coordinates with the state it is drawn in. A canvas
// turns every call into records and hands them to its back end; the metafile keeps them
// as its display list and the recording canvas as its log.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"

#include <memory>
#include <string>
#include <vector>

enum class TCanvasOp {
    Polyline,    // Points; one-pixel pens leave out the last point unless Closed
    Polygon,     // Points; brush with the alternate rule, then the closed outline
    Rectangle,   // Rect
    Ellipse,     // Rect
    FillRect,    // Rect, brush only
    Pixel,       // Points[0], Color
    Text,        // Points[0] = top-left of the text cell, Text, Rect = clip/opaque box
    Image,       // Rect = destination, Image, Transparent + Color
    FocusRect,   // Rect, Color = XOR value
    InvertRect,  // Rect
};

// Text record options.
constexpr unsigned kTextClipped = 1;  // clip to Rect
constexpr unsigned kTextOpaque = 2;   // fill Rect with the background colour first

struct TCanvasRecord {
    TCanvasOp Op = TCanvasOp::Polyline;
    TCanvasState State;
    std::vector<TPoint> Points;
    TRect Rect;
    std::string Text;
    unsigned Options = 0;
    bool Closed = false;
    bool Transparent = false;
    TColor Color = clBlack;
    std::shared_ptr<const TBitmap> Image;
};

const char* CanvasOpName(TCanvasOp op);
