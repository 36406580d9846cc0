#pragma once
// TiPlotTracePath: the pixel lines of a fast trace, handed to the canvas as few polylines.
// A polyline sets the pixels of its segments each drawn on its own, every segment leaving
// out its end point, as long as the pen is thin and solid (a dash pattern runs on across
// the segments of one polyline, a wide pen joins them). With such a pen the path chains a
// segment onto the one before where it starts at that one's end, and walks a column's span
// from wherever the path entered it, so that a trace of a thousand columns takes a few
// canvas calls instead of thousands. With any other pen every line is drawn at once, alone.
//
//     TiPlotTracePath path(canvas);
//     path.Span({10, 40}, {10, 52}, TPoint{10, 47});  // pixels 40 .. 52, left at 47
//     path.Segment({10, 47}, {11, 30});                 // up to, not including, (11, 30)
//     path.Flush();

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/canvas/Graphics.h"

#include <optional>
#include <vector>

class TiPlotTracePath {
public:
    // Chains with the canvas's pen as it is now; the pen must not change before Flush.
    explicit TiPlotTracePath(TCanvas& canvas);

    // The pixels of the line from `from` up to but not including `to`.
    void Segment(TPoint from, TPoint to);
    // The pixels of the row or column from `a` to `b`, both ends included; nothing when a is
    // b. `exit` is where the next segment will start, if known: ending there saves a break.
    void Span(TPoint a, TPoint b, std::optional<TPoint> exit);
    // Draws what is gathered.
    void Flush();

private:
    // Appends a corner unless the path already ends there.
    void To(TPoint point);

    TCanvas& m_canvas;
    const bool m_chain;
    std::vector<TPoint> m_points;
};
