#include "components/iDrawClasses.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"

#include <algorithm>

PRAVIX_PUBLISH(TiDrawObject)
PRAVIX_PUBLISH(TiDraw)

void TiDrawObject::ClearPolyPoints() { m_points.clear(); }

void TiDrawObject::AddPolyPoint(const TPointDouble& Point) { m_points.push_back(Point); }

void TiDrawObject::CheckIndex(int index) const
{
    if (index < 0 || index >= GetPolyPointCount())
        throw EListError("Index out of Bounds");
}

TPointDouble TiDrawObject::GetPolyPoint(int Index) const
{
    CheckIndex(Index);
    return m_points[size_t(Index)];
}

void TiDrawObject::SetPolyPoint(int Index, const TPointDouble& Point)
{
    CheckIndex(Index);
    m_points[size_t(Index)] = Point;
}

namespace {

// Fills the polygon in color without an outline, then for a raised bevel strokes each edge:
// white when it faces up or to the left (its outward normal has a negative X or Y), black
// otherwise.
TRegion FillBevelled(TCanvas& canvas, const std::vector<TPoint>& points, TiBevelStyle bevel, TColor color)
{
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psClear);
    canvas.Polygon(points);
    if (bevel == ibsRaised) {
        // Twice the signed area: its sign tells on which side of each edge the inside lies.
        long long area2 = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            area2 += (long long)a.X * b.Y - (long long)b.X * a.Y;
        }
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        for (size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            const long long dx = b.X - a.X, dy = b.Y - a.Y;
            // Outward normal: (dy, -dx) for a positive area in screen coordinates.
            const long long nx = area2 > 0 ? dy : -dy;
            const long long ny = area2 > 0 ? -dx : dx;
            canvas.Pen().SetColor(nx < 0 || ny < 0 ? clWhite : clBlack);
            canvas.Polyline({a, b});
        }
    }
    return TRegion::FromPolygon(points, pfmAlternate);
}

}  // namespace

TRegion TiDraw::Triangle(TCanvas& Canvas, const TRect& Rect, TiQuadDirection Direction, TiBevelStyle Bevel,
                         TColor Color, bool)
{
    const TRect& r = Rect;
    const TPoint mid = GetRectCenterPoint(r);
    std::vector<TPoint> points;
    switch (Direction) {
    case iqdLeft: points = {{r.Right, r.Top}, {r.Left, mid.Y}, {r.Right, r.Bottom}}; break;
    case iqdRight: points = {{r.Left, r.Top}, {r.Right, mid.Y}, {r.Left, r.Bottom}}; break;
    case iqdTop: points = {{r.Left, r.Bottom}, {mid.X, r.Top}, {r.Right, r.Bottom}}; break;
    case iqdBottom: points = {{r.Left, r.Top}, {mid.X, r.Bottom}, {r.Right, r.Top}}; break;
    }
    return FillBevelled(Canvas, points, Bevel, Color);
}

TRegion TiDraw::Pointer(TCanvas& Canvas, const TRect& Rect, TiQuadDirection Direction, TiBevelStyle Bevel, TColor Color,
                        bool)
{
    const TRect& r = Rect;
    const TPoint mid = GetRectCenterPoint(r);
    std::vector<TPoint> points;
    switch (Direction) {
    case iqdLeft:
        points = {{r.Left, mid.Y}, {mid.X, r.Bottom}, {r.Right, r.Bottom}, {r.Right, r.Top}, {mid.X, r.Top}};
        break;
    case iqdRight:
        points = {{r.Right, mid.Y}, {mid.X, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}, {mid.X, r.Top}};
        break;
    case iqdTop:
        points = {{mid.X, r.Top}, {r.Right, mid.Y}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, mid.Y}};
        break;
    case iqdBottom:
        points = {{mid.X, r.Bottom}, {r.Right, mid.Y}, {r.Right, r.Top}, {r.Left, r.Top}, {r.Left, mid.Y}};
        break;
    }
    return FillBevelled(Canvas, points, Bevel, Color);
}

void TiDraw::Border(TCanvas& Canvas, const TRect& Rect, int Inflate, TiBevelStyle Bevel)
{
    TRect r = Rect;
    InflateRect(r, Inflate, Inflate);
    if (Bevel == ibsRaised)
        iDrawEdge(Canvas, r, idesRaised);
    else if (Bevel == ibsLowered)
        iDrawEdge(Canvas, r, idesSunken);
}

void TiDraw::GradientTube(TCanvas& Canvas, const TRect& Rect, TColor Color, TiOrientation Orientation)
{
    const TRect& r = Rect;
    if (r.Width() < 1 || r.Height() < 1)
        return;
    const TColor centre = ColorToRGB(Color);
    const TColor edge = ColorOffset(Color, 128, false);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Pen().SetStyle(psSolid);
    const bool horizontal = Orientation == ioHorizontal;
    const int low = horizontal ? r.Top : r.Left;
    const int high = horizontal ? r.Bottom : r.Right;
    const int mid = (low + high) / 2;
    const int n = mid - low + 1;
    auto line = [&](int at) {
        if (horizontal)
            Line(Canvas, r.Left, at, r.Right, at);
        else
            Line(Canvas, at, r.Top, at, r.Bottom);
    };
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        auto channel = [&](int (*get)(TColor)) {
            return int(std::clamp<long long>(RoundHalfEven(get(edge) * t + (1 - t) * get(centre)), 0, 255));
        };
        Canvas.Pen().SetColor(RGB(channel(GetRValue), channel(GetGValue), channel(GetBValue)) | PaletteRelativeFlag);
        if (mid - i >= low)
            line(mid - i);
        if (mid + i <= high)
            line(mid + i);
    }
}
