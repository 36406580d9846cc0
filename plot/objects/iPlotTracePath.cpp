#include "plot/objects/iPlotTracePath.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Between(int value, int a, int b) { return std::min(a, b) <= value && value <= std::max(a, b); }

// Whether `p` is one of the pixels of the row or column from a to b.
bool OnSpan(TPoint p, TPoint a, TPoint b)
{
    if (a.X == b.X)
        return p.X == a.X && Between(p.Y, a.Y, b.Y);
    return p.Y == a.Y && Between(p.X, a.X, b.X);
}

// The pixels a short span takes: a longer one costs less drawn alone than walked in a path.
constexpr int kWalkedSpan = 8;

int Length(TPoint a, TPoint b) { return std::abs(b.X - a.X) + std::abs(b.Y - a.Y); }

// The pixel after b on the row or column from a: a line there sets every pixel from a to b.
TPoint Beyond(TPoint a, TPoint b)
{
    auto step = [](int from, int to) { return to > from ? 1 : to < from ? -1 : 0; };
    return {b.X + step(a.X, b.X), b.Y + step(a.Y, b.Y)};
}

bool ThinSolid(const TPen& pen) { return pen.GetStyle() == psSolid && pen.GetWidth() <= 1; }

}  // namespace

TiPlotTracePath::TiPlotTracePath(TCanvas& canvas) : m_canvas(canvas), m_chain(ThinSolid(canvas.Pen())) {}

void TiPlotTracePath::Segment(TPoint from, TPoint to)
{
    if (!m_chain) {
        m_canvas.Polyline({from, to});
        return;
    }
    if (m_points.empty() || m_points.back() != from) {
        Flush();
        m_points.push_back(from);
    }
    To(to);
}

void TiPlotTracePath::Span(TPoint a, TPoint b, std::optional<TPoint> exit)
{
    if (!m_chain) {
        // Each way, so that both ends show.
        m_canvas.Polyline({a, b});
        m_canvas.Polyline({b, a});
        return;
    }
    if (a == b)
        return;
    // A path that ends inside the span may go on from there: a step along the span sets only
    // pixels of the span.
    const bool entered = !m_points.empty() && OnSpan(m_points.back(), a, b);
    const bool leaves = exit && OnSpan(*exit, a, b);
    if (Length(a, b) > kWalkedSpan) {
        // A long span is one line of its own, which the canvas fills at once; a polyline
        // sets its pixels one by one.
        m_canvas.Polyline({a, Beyond(a, b)});
        if (entered && leaves && Length(m_points.back(), *exit) <= kWalkedSpan)
            To(*exit);
        else
            Flush();
        return;
    }
    if (!entered)
        Flush();
    // Either walk covers the span by itself: its middle leg sets every pixel of the span but
    // the one it ends on, and its last leg starts there and sets it, ending elsewhere.
    if (exit && *exit == b) {
        To(b);
        To(a);
        To(b);
    } else {
        To(a);
        To(b);
        To(leaves ? *exit : a);
    }
}

void TiPlotTracePath::Flush()
{
    if (m_points.size() >= 2)
        m_canvas.Polyline(m_points);
    m_points.clear();
}

void TiPlotTracePath::To(TPoint point)
{
    if (m_points.empty() || m_points.back() != point)
        m_points.push_back(point);
}
