// Trace drawing of the channels: the primitives both channel classes share (clipped segment,
// value-space polygon, markers) and every trace style of the strip-chart channel.

#include "plot/objects/iPlotTraceDrawing.h"

#include "components/iGPFunctions.h"
#include "components/iMath.h"
#include "platform/core/Exceptions.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotPointSummary.h"
#include "plot/objects/iPlotTracePath.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

PRAVIX_PUBLISH(TiPlotMinMaxPoint)
PRAVIX_PUBLISH(TiMinMaxPoint)

// ---------------------------------------------------------------------------------------------
// Accumulators

void TiPlotMinMaxPoint::Clear()
{
    Empty = true;
    MaxY = -1e301;
    MinY = 1e301;
    LeadingRunEnded = false;
    MaxYAfterRun = -1e301;
    MinYAfterRun = 1e301;
}

void TiPlotMinMaxPoint::AddData(double X, double Y, int XPixel)
{
    if (Empty) {
        Empty = false;
        this->XPixel = XPixel;
        this->X = X;
        FirstY = Y;
    }
    if (Y > MaxY)
        MaxY = Y;
    if (Y < MinY)
        MinY = Y;
    LastX = X;
    LastY = Y;
}

void TiPlotMinMaxPoint::AddData(double X, double Y, int XPixel, int YPixel)
{
    if (Empty || YPixel != LastYPixel) {
        MaxYBeforeRun = MaxY;
        MinYBeforeRun = MinY;
    }
    if (Empty) {
        FirstYPixel = YPixel;
    } else if (LeadingRunEnded || YPixel != FirstYPixel) {
        LeadingRunEnded = true;
        MaxYAfterRun = std::max(MaxYAfterRun, Y);
        MinYAfterRun = std::min(MinYAfterRun, Y);
    }
    AddData(X, Y, XPixel);
    LastYPixel = YPixel;
}

void TiPlotMinMaxPoint::AssignDown(const TiPlotMinMaxPoint& Source)
{
    Empty = Source.Empty;
    XPixel = Source.XPixel;
    X = Source.X;
    MaxY = Source.MaxY;
    MinY = Source.MinY;
    FirstY = Source.FirstY;
    LastY = Source.LastY;
    LastX = Source.LastX;
    LastYPixel = Source.LastYPixel;
    MaxYBeforeRun = Source.MaxYBeforeRun;
    MinYBeforeRun = Source.MinYBeforeRun;
    FirstYPixel = Source.FirstYPixel;
    LeadingRunEnded = Source.LeadingRunEnded;
    MaxYAfterRun = Source.MaxYAfterRun;
    MinYAfterRun = Source.MinYAfterRun;
}

void TiMinMaxPoint::Clear()
{
    Empty = true;
    FirstValue = true;
    Max = -1e301;
    Min = 1e301;
}

void TiMinMaxPoint::AddData(double Value, bool Null, int XPixel)
{
    Empty = false;
    if (Null)
        return;
    if (FirstValue) {
        FirstValue = false;
        First = Value;
        this->XPixel = XPixel;
    }
    if (Value > Max)
        Max = Value;
    if (Value < Min)
        Min = Value;
    Last = Value;
}

void TiMinMaxPoint::AssignDown(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TiMinMaxPoint*>(&Source);
    if (!source)
        throw Exception("Assign class must be TiMinMaxPoint");
    Empty = source->Empty;
    FirstValue = source->FirstValue;
    XPixel = source->XPixel;
    Max = source->Max;
    Min = source->Min;
    First = source->First;
    Last = source->Last;
}

namespace {

// A rectangle from two corners in either order, each empty extent grown to one pixel, with
// the coordinates exchanged while the axes are reversed.
TRect PixelBox(int x1, int y1, int x2, int y2, bool reverse)
{
    TRect r = Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (r.Right == r.Left)
        ++r.Right;
    if (r.Bottom == r.Top)
        ++r.Bottom;
    return reverse ? Rect(r.Top, r.Left, r.Bottom, r.Right) : r;
}

void Line(TCanvas& canvas, TPoint a, TPoint b) { canvas.Polyline({a, b}); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Primitives of every channel

bool TiPlotChannelCustom::AxesValid() { return GetXAxis() && GetYAxis(); }

void TiPlotChannelCustom::GetPointPixels(double X, double Y, int& PX, int& PY)
{
    PX = 0;
    PY = 0;
    if (!AxesValid())
        return;
    PX = GetXAxis()->PositionToPixels(X);
    PY = GetYAxis()->PositionToPixels(Y);
}

double TiPlotChannelCustom::GetNewY(double X1, double Y1, double X2, double Y2, double X)
{
    if (X1 == X2)
        return 0;
    return Y1 + (Y2 - Y1) * (X - X1) / (X2 - X1);
}

double TiPlotChannelCustom::GetNewX(double X1, double Y1, double X2, double Y2, double Y)
{
    // A horizontal line has no single answer; its start serves.
    if (X1 == X2 || Y1 == Y2)
        return X1;
    return X1 + (X2 - X1) * (Y - Y1) / (Y2 - Y1);
}

void TiPlotChannelCustom::GetViewIntersectPoint(double X0, double Y0, double& X, double& Y)
{
    if (!AxesValid())
        return;
    TiPlotXAxis& xAxis = *GetXAxis();
    TiPlotYAxis& yAxis = *GetYAxis();
    if (X == X0) {
        Y = Y > yAxis.GetMax() ? yAxis.GetMax() : yAxis.Min();
        return;
    }
    if (X < xAxis.Min() || X >= xAxis.GetMax()) {
        const double edge = X >= xAxis.GetMax() ? xAxis.GetMax() : xAxis.Min();
        Y = GetNewY(X0, Y0, X, Y, edge);
        X = edge;
        return;
    }
    const double edge = Y >= yAxis.GetMax() ? yAxis.GetMax() : yAxis.Min();
    if (Y != Y0)
        X = GetNewX(X0, Y0, X, Y, edge);
    Y = edge;
}

void TiPlotChannelCustom::DrawWithinAxes(TCanvas& canvas, const std::function<void(bool reverse)>& draw)
{
    if (!ReadyToDraw() || !AxesValid())
        return;
    const bool reverse = XYAxesReversed();
    const int saved = canvas.SaveDC();
    try {
        if (ClipToAxes()) {
            const TRect box = PixelBox(GetXAxis()->GetMinPixels(), GetYAxis()->GetMinPixels(),
                                       GetXAxis()->GetMaxPixels(), GetYAxis()->GetMaxPixels(), reverse);
            // The axes' end lines belong to the area, as they do to the data view's clip.
            canvas.IntersectClipRect(Rect(box.Left, box.Top, box.Right + 1, box.Bottom + 1));
        }
        draw(reverse);
    } catch (const std::exception&) {
        // Only this channel goes undrawn.
    }
    canvas.RestoreDC(saved);
}

TPoint TiPlotChannelCustom::ValueToPixels(bool reverse, double X, double Y, TiPlotUnitReferenceStyle RefStyle)
{
    const int px = GetXAxis()->PositionToPixels(X);
    int py;
    if (RefStyle == ipurPercent)
        py = reverse ? Owner()->PositionPercentToPixelsX(Y) : Owner()->PositionPercentToPixelsY(Y);
    else
        py = GetYAxis()->PositionToPixels(Y);
    return reverse ? TPoint{py, px} : TPoint{px, py};
}

void TiPlotChannelCustom::SetTracePen(TCanvas& canvas, TColor color, TiPlotLineStyle style, int width)
{
    static constexpr TPenStyle kPenStyles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(kPenStyles[std::clamp(int(style), 0, 4)]);
    // Width 1 is the thin cosmetic pen, the only one that draws dashes.
    canvas.Pen().SetWidth(width == 1 ? 0 : width);
}

void TiPlotChannelCustom::DrawLine(TCanvas& canvas, bool reverse, double X1, double Y1, double X2, double Y2,
                                   TiPlotUnitReferenceStyle RefStyle)
{
    TPoint from, to;
    if (LinePixels(reverse, X1, Y1, X2, Y2, RefStyle, from, to))
        Line(canvas, from, to);
}

bool TiPlotChannelCustom::LinePixels(bool reverse, double X1, double Y1, double X2, double Y2,
                                     TiPlotUnitReferenceStyle RefStyle, TPoint& From, TPoint& To)
{
    if (!AxesValid())
        return false;
    const TiPlotXAxis& xAxis = *GetXAxis();
    const TiPlotYAxis& yAxis = *GetYAxis();
    double ax = X1, ay = Y1, bx = X2, by = Y2;
    if (X2 < X1) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const double xMin = xAxis.Min(), xMax = xAxis.GetMax();
    const double yMin = yAxis.Min(), yMax = yAxis.GetMax();
    auto inX = [&](double x) { return xMin <= x && x <= xMax; };
    auto inY = [&](double y) { return yMin <= y && y <= yMax; };
    const bool clipY = RefStyle == ipurScale && ClipToAxes();
    const bool visibleX = (ax < xMin && bx > xMax) || inX(ax) || inX(bx);
    const bool visibleY = !clipY || (ay < yMin && by > yMax) || (ay > yMax && by < yMin) || inY(ay) || inY(by);
    if (!visibleX || !visibleY)
        return false;

    if (ax < xMin) {
        ay = GetNewY(ax, ay, bx, by, xMin);
        ax = xMin;
    }
    if (bx > xMax) {
        by = GetNewY(ax, ay, bx, by, xMax);
        bx = xMax;
    }
    if (clipY) {
        auto clipEnd = [&](double& x, double& y) {
            const double edge = y > yMax ? yMax : yMin;
            if (y > yMax || y < yMin) {
                x = GetNewX(ax, ay, bx, by, edge);
                y = edge;
            }
        };
        clipEnd(ax, ay);
        clipEnd(bx, by);
        // Each end's pixels once: the scale checks and the line's ends are the same pixels.
        const int pax = xAxis.PositionToPixels(ax), pay = yAxis.PositionToPixels(ay);
        const int pbx = xAxis.PositionToPixels(bx), pby = yAxis.PositionToPixels(by);
        if (!xAxis.PixelOnScale(pax) || !xAxis.PixelOnScale(pbx) || !yAxis.PixelOnScale(pay) ||
            !yAxis.PixelOnScale(pby))
            return false;
        From = reverse ? TPoint{pay, pax} : TPoint{pax, pay};
        To = reverse ? TPoint{pby, pbx} : TPoint{pbx, pby};
        return true;
    }
    From = ValueToPixels(reverse, ax, ay, RefStyle);
    To = ValueToPixels(reverse, bx, by, RefStyle);
    return true;
}

void TiPlotChannelCustom::DrawQuadPolygon(TCanvas& canvas, bool reverse, const TPointDouble& P1, const TPointDouble& P2,
                                          const TPointDouble& P3, const TPointDouble& P4,
                                          TiPlotUnitReferenceStyle RefStyle)
{
    if (!AxesValid())
        return;
    canvas.Polygon({ValueToPixels(reverse, P1.X, P1.Y, RefStyle), ValueToPixels(reverse, P2.X, P2.Y, RefStyle),
                    ValueToPixels(reverse, P3.X, P3.Y, RefStyle), ValueToPixels(reverse, P4.X, P4.Y, RefStyle)});
}

TPoint TiPlotChannelCustom::GetMarkerPoint(int Index)
{
    int px, py;
    GetPointPixels(GetDataX(Index), GetDataY(Index), px, py);
    return XYAxesReversed() ? TPoint{py, px} : TPoint{px, py};
}

void TiPlotChannelCustom::DrawConnectPoints(TCanvas& canvas, bool reverse, TColor backGroundColor)
{
    if (!TraceVisible())
        return;
    SetTracePen(canvas, Color(), TraceLineStyle(), TraceLineWidth());
    canvas.Brush().SetStyle(bsClear);
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start == stop || start < 0 || stop < 0)
        return;
    bool havePrevious = false;
    double previousX = 0, previousY = 0;
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        double x, y;
        bool empty, null;
        GetXYEmptyNull(i, x, y, empty, null);
        if (empty)
            continue;
        if (null) {
            havePrevious = false;
            continue;
        }
        if (havePrevious) {
            SetTracePen(canvas, GetDataTraceLineColor(i), GetDataTraceLineStyle(i), GetDataTraceLineWidth(i));
            canvas.SetBkColor(backGroundColor);
            DrawLine(canvas, reverse, previousX, previousY, x, y, ipurScale);
        }
        previousX = x;
        previousY = y;
        havePrevious = true;
    }
}

void TiPlotChannelCustom::DrawMarkers(TCanvas& canvas, bool, TColor backGroundColor)
{
    if (!MarkersVisible())
        return;
    canvas.Font().Assign(*MarkersFont());
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start < 0 || stop < 0)
        return;
    // Too many points in view: markers would only hide the trace.
    if (MarkersTurnOffLimit() > 0 && std::abs(stop - start) > MarkersTurnOffLimit())
        return;
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i)
        if (GetDataMarkerShowing(i))
            DrawMarker(canvas, i, GetMarkerPoint(i), backGroundColor);
}

void TiPlotChannelCustom::DrawMarker(TCanvas& canvas, int Index, const TPoint& P, TColor backGroundColor)
{
    if (!MarkersVisible())
        return;
    const bool individual = Index >= 0 && MarkersAllowIndividual();
    const TiPlotMarkerStyle style = individual ? GetDataMarkerStyle(Index) : MarkersStyle();
    int S = individual ? GetDataMarkerSize(Index) : MarkersSize();
    if (Index == -1)
        S = std::min(S, 6);
    const TColor penColor = MarkersPenUseChannelColor() ? Color()
                            : individual                ? GetDataMarkerPenColor(Index)
                                                        : MarkersPenColor();
    const TColor brushColor = MarkersBrushUseChannelColor() ? Color()
                              : individual                  ? GetDataMarkerBrushColor(Index)
                                                            : MarkersBrushColor();
    canvas.Pen().SetWidth(individual ? GetDataMarkerPenWidth(Index) : MarkersPenWidth());
    canvas.Pen().SetStyle(individual ? GetDataMarkerPenStyle(Index) : MarkersPenStyle());
    canvas.Pen().SetColor(penColor);
    canvas.Brush().SetColor(brushColor);
    canvas.Brush().SetStyle(individual ? GetDataMarkerBrushStyle(Index) : MarkersBrushStyle());

    const int x = P.X, y = P.Y;
    switch (style) {
    case ipmsCircle: canvas.Ellipse(x - S, y - S, x + S, y + S); break;
    case ipmsSquare: canvas.Rectangle(x - S, y - S, x + S, y + S); break;
    case ipmsDiamond: canvas.Polygon({{x + S, y}, {x, y + S}, {x - S, y}, {x, y - S}}); break;
    case ipmsCross:
        Line(canvas, {x + S, y + S}, {x - S, y - S});
        Line(canvas, {x + S, y - S}, {x - S, y + S});
        break;
    case ipmsPlus:
        Line(canvas, {x, y + S}, {x, y - S});
        Line(canvas, {x + S, y}, {x - S, y});
        break;
    // The apex of a triangle is the point itself.
    case ipmsTriangleUp: canvas.Polygon({{x - S, y + S}, {x, y}, {x + S, y + S}}); break;
    case ipmsTriangleDown: canvas.Polygon({{x - S, y - S}, {x, y}, {x + S, y - S}}); break;
    case ipmsTriangleLeft: canvas.Polygon({{x + S, y - S}, {x, y}, {x + S, y + S}}); break;
    case ipmsTriangleRight: canvas.Polygon({{x - S, y - S}, {x, y}, {x - S, y + S}}); break;
    case ipmsVerticalLine: Line(canvas, {x, y - S}, {x, y + S}); break;
    case ipmsHorizontalLine: Line(canvas, {x - S, y}, {x + S, y}); break;
    case ipmsCharacter: {
        const char character = Index < 0 ? '\0' : GetDataMarkerCharacter(Index);
        if (character == '\0')
            break;
        canvas.Brush().SetStyle(bsClear);
        canvas.SetBkColor(backGroundColor);
        TRect cell = Rect(x, y, x, y);
        iDrawText(canvas, std::string(1, character), cell, {itfHCenter, itfVCenter, itfSingleLine, itfNoClip}, true,
                  backGroundColor);
        break;
    }
    }
}

// ---------------------------------------------------------------------------------------------
// The strip-chart channel

void TiPlotChannel::DrawSetup(TCanvas&)
{
    SetReadyToDraw(false);
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis || !Visible() || GetCount() == 0)
        return;
    UpdateXIncreasing();
    if (!m_drawOutOfOrderXValues) {
        const bool before = m_xIncreasing ? GetXLast() < xAxis->Min() : GetXFirst() < xAxis->Min();
        const bool after = m_xIncreasing ? GetXFirst() > xAxis->GetMax() : GetXLast() > xAxis->GetMax();
        if (before || after)
            return;
    }
    CalcStartXIndex();
    CalcStopXIndex();
    const bool differential =
        m_interpolationStyle == ipistDifferential || m_interpolationStyle == ipistDifferentialTerminated;
    if (!differential && (DrawStartIndex() == -1 || DrawStopIndex() == -1))
        return;
    // Percentage levels are percentages of the data view, like the lines drawn at them.
    auto levelPixel = [&](double level) {
        if (m_digitalReferenceStyle == ipdrScale)
            return yAxis->PositionToPixels(level);
        return XYAxesReversed() ? Owner()->PositionPercentToPixelsX(level) : Owner()->PositionPercentToPixelsY(level);
    };
    m_digitalHighPixel = levelPixel(m_digitalReferenceHigh);
    m_digitalLowPixel = levelPixel(m_digitalReferenceLow);
    SetPixelRange(xAxis->GetMinPixels(), xAxis->GetMaxPixels());
    SetReadyToDraw(true);
}

void TiPlotChannel::Draw(TCanvas& canvas, TColor backGroundColor)
{
    DrawWithinAxes(canvas, [&](bool reverse) {
        DrawFill(canvas, reverse, backGroundColor);
        DrawBar(canvas, reverse, backGroundColor);
        DrawConnectPoints(canvas, reverse, backGroundColor);
        DrawMarkers(canvas, reverse, backGroundColor);
        if (m_highLowStyle == iphlsOpenClose)
            DrawHighLow(canvas, reverse, backGroundColor);
        else
            DrawHighLowCandleStick(canvas, reverse, backGroundColor);
    });
}

void TiPlotChannel::DrawConnectPoints(TCanvas& canvas, bool reverse, TColor backGroundColor)
{
    if (!TraceVisible())
        return;
    SetTracePen(canvas, Color(), TraceLineStyle(), TraceLineWidth());
    canvas.Brush().SetStyle(bsClear);
    canvas.SetBkColor(backGroundColor);
    if (m_digitalEnabled) {
        DrawDigital(canvas, reverse, backGroundColor);
        return;
    }
    switch (m_interpolationStyle) {
    case ipistStraightLine:
        if (m_fastDrawEnabled)
            DrawFast(canvas, reverse, backGroundColor);
        else
            TiPlotChannelCustom::DrawConnectPoints(canvas, reverse, backGroundColor);
        break;
    case ipistCubicSpline: DrawCubicSpline(canvas, reverse, backGroundColor); break;
    case ipistPolynomial: DrawPolynomial(canvas, reverse, backGroundColor); break;
    case ipistRational: DrawRational(canvas, reverse, backGroundColor); break;
    case ipistDifferential:
    case ipistDifferentialTerminated: DrawDifferential(canvas, reverse, backGroundColor); break;
    }
}

namespace {

// The pixel column of a point of the fast trace. Points beyond either end of the X range
// gather apart from the edge column they round into: their segments are clipped away or at
// the edge, not drawn in it.
int FastColumnOf(const TiPlotXAxis& axis, double x, int xPixel)
{
    return x < axis.Min()      ? std::numeric_limits<int>::min()
           : x > axis.GetMax() ? std::numeric_limits<int>::max()
                               : xPixel;
}

}  // namespace

// The fast trace's columns three at a time, as DrawPointSet draws them: A and B wait to be
// drawn, C takes the first point past them.
class TiPlotColumnSets {
public:
    using TDrawSet = std::function<void(const TiPlotMinMaxPoint& A, const TiPlotMinMaxPoint& B,
                                        const TiPlotMinMaxPoint& C, bool AStartsStretch)>;

    explicit TiPlotColumnSets(TDrawSet drawSet) : m_drawSet(std::move(drawSet)) {}

    void AddPoint(double x, double y, int xPixel, int yPixel)
    {
        TiPlotMinMaxPoint& column = ColumnOf(xPixel);
        column.AddData(x, y, xPixel, yPixel);
        Advance(column);
    }
    // A column's points all at once; no point of its pixel column came before.
    void AddColumn(const TiPlotMinMaxPoint& reduced)
    {
        TiPlotMinMaxPoint& column = ColumnOf(reduced.XPixel);
        column.AssignDown(reduced);
        Advance(column);
    }
    // At a Null point and after the last point.
    void EndStretch()
    {
        m_drawSet(m_a, m_b, m_c, m_firstSet);
        m_firstSet = true;
        m_a.Clear();
        m_b.Clear();
        m_c.Clear();
    }

private:
    TiPlotMinMaxPoint& ColumnOf(int xPixel)
    {
        if (m_a.Empty || xPixel == m_a.XPixel)
            return m_a;
        if (m_b.Empty || xPixel == m_b.XPixel)
            return m_b;
        return m_c;
    }
    void Advance(const TiPlotMinMaxPoint& column)
    {
        if (&column != &m_c)
            return;
        m_drawSet(m_a, m_b, m_c, m_firstSet);
        m_firstSet = false;
        m_a.AssignDown(m_c);
        m_b.Clear();
        m_c.Clear();
    }

    TDrawSet m_drawSet;
    TiPlotMinMaxPoint m_a, m_b, m_c;
    // A holds the first column of a stretch until the first set is drawn.
    bool m_firstSet = true;
};

void TiPlotChannel::DrawFast(TCanvas& canvas, bool reverse, TColor)
{
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start == stop || start < 0 || stop < 0)
        return;
    TiPlotTracePath path(canvas);
    TiPlotColumnSets sets([&](const TiPlotMinMaxPoint& A, const TiPlotMinMaxPoint& B, const TiPlotMinMaxPoint& C,
                              bool AStartsStretch) { DrawPointSet(path, reverse, A, B, C, AStartsStretch); });
    const int first = std::min(start, stop), last = std::max(start, stop);
    if (m_fastDrawReadsSummary && m_xIncreasing)
        AddFastColumns(sets, first, last);
    else
        AddFastPoints(sets, first, last);
    sets.EndStretch();
    path.Flush();
}

void TiPlotChannel::AddFastPoints(TiPlotColumnSets& sets, int First, int Last)
{
    const TiPlotXAxis& xAxis = *GetXAxis();
    const TiPlotYAxis& yAxis = *GetYAxis();
    // The points are read and placed a block at a time: a million of them may pass through
    // here for a frame.
    constexpr int kBlock = 512;
    double xs[kBlock], ys[kBlock];
    bool empties[kBlock], nulls[kBlock];
    int xPixels[kBlock], yPixels[kBlock];
    for (int first = First; first <= Last; first += kBlock) {
        const int count = std::min(kBlock, Last - first + 1);
        List().ReadXYEmptyNull(first, count, xs, ys, empties, nulls);
        xAxis.PositionsToPixels(xs, count, xPixels);
        yAxis.PositionsToPixels(ys, count, yPixels);
        for (int k = 0; k < count; ++k) {
            if (empties[k])
                continue;
            if (nulls[k])
                sets.EndStretch();
            else
                sets.AddPoint(xs[k], ys[k], FastColumnOf(xAxis, xs[k], xPixels[k]), yPixels[k]);
        }
    }
}

void TiPlotChannel::AddFastColumns(TiPlotColumnSets& sets, int First, int Last)
{
    TiPlotDataCustomList& list = List();
    TiPlotPointSummary& summary = list.Summary();
    summary.Update(list);
    if (!summary.XOrdered(First, Last)) {
        AddFastPoints(sets, First, Last);
        return;
    }
    const TiPlotXAxis& xAxis = *GetXAxis();
    constexpr int kBlock = TiPlotPointSummary::kBlockSize;
    const long long firstNumber = list.FirstPointNumber();
    // The points read around the ends of this column and of the one before: the ends of the
    // kept-extremes blocks a column starts and ends in are read from them.
    TiPlotPointWindow windows[2];
    TiPlotPointWindow* before = &windows[0];
    TiPlotPointWindow* around = &windows[1];
    auto held = [&](int index) -> const TiPlotPointWindow* {
        for (const TiPlotPointWindow* window : {around, before})
            if (window->Holds(index, index))
                return window;
        return nullptr;
    };
    auto xAt = [&](int index) {
        const TiPlotPointWindow* window = held(index);
        return window ? window->X[index - window->From] : list.GetX(index);
    };
    auto yAt = [&](int index) {
        const TiPlotPointWindow* window = held(index);
        return window ? window->Y[index - window->From] : list.GetY(index);
    };
    auto foldY = [&](int first, int last, double& min, double& max) {
        if (first > last)
            return;
        for (const TiPlotPointWindow* window : {before, around})
            if (window->Holds(first, last)) {
                window->FoldY(first, last, min, max);
                return;
            }
        double low, high;
        summary.YRange(list, first, last, low, high);
        if (high > max)
            max = high;
        if (low < min)
            min = low;
    };
    int width = 1;
    for (int first = First; first <= Last;) {
        const double x = xAt(first);
        const int column = FastColumnOf(xAxis, x, xAxis.PositionToPixels(x));
        std::swap(before, around);
        const int last = FastColumnEnd(first, Last, column, width, *around);
        width = last - first + 1;
        // The next columns likely end as far on each: the points there a few columns ahead
        // are fetched while these are drawn, which outlasts the wait for memory.
        list.Prefetch(last + 3 * width - kBlock, 2 * kBlock);
        // Only where a stretch of trace ends (at the last point, or before a Null point) do
        // the runs of equal Y pixel at a column's end show, and only a column gathered point
        // by point knows them; the columns that meet a gap are gathered so too.
        if (last == Last || summary.HasGaps(first, last + 1)) {
            AddFastPoints(sets, first, last);
        } else {
            TiPlotMinMaxPoint reduced;
            reduced.AddData(x, yAt(first), column);
            // The whole blocks between the column's ends from their kept extremes, the parts
            // of blocks at its ends from the points read around them.
            const int wholeFirst = first + int((kBlock - (firstNumber + first) % kBlock) % kBlock);
            const int wholeEnd = last + 1 - int((firstNumber + last + 1) % kBlock);
            if (wholeFirst > last) {
                foldY(first, last, reduced.MinY, reduced.MaxY);
            } else {
                foldY(first, wholeFirst - 1, reduced.MinY, reduced.MaxY);
                foldY(wholeFirst, wholeEnd - 1, reduced.MinY, reduced.MaxY);
                foldY(wholeEnd, last, reduced.MinY, reduced.MaxY);
            }
            reduced.LastX = xAt(last);
            reduced.LastY = yAt(last);
            sets.AddColumn(reduced);
        }
        first = last + 1;
    }
}

bool TiPlotChannel::FastColumnEndNear(int First, int Last, int column, int probe, int& end, TiPlotPointWindow& window)
{
    // Most columns end in the block of kept extremes that holds the probe, or in the one
    // beside it. Its points are read in one call, so that their memory arrives at once
    // instead of probe after probe (a frame of many long channels waits mostly on that); the
    // column's extremes and the next column read the block's ends from the window after.
    constexpr int kBlock = TiPlotPointSummary::kBlockSize;
    const TiPlotXAxis& xAxis = *GetXAxis();
    auto inColumn = [&](int k) {
        return FastColumnOf(xAxis, window.X[k], xAxis.PositionToPixels(window.X[k])) == column;
    };
    int blockStart = probe - int((List().FirstPointNumber() + probe) % kBlock);
    for (int attempt = 0; attempt < 2; ++attempt) {
        // The block and the point after it, to see the column end at the block's last point.
        const int from = std::max(First, blockStart), to = std::min(Last, blockStart + kBlock);
        window.From = from;
        window.Count = to - from + 1;
        List().ReadXYEmptyNull(from, window.Count, window.X, window.Y, window.Empty, window.Null);
        const int count = window.Count;
        // The points of the column come first. `inside` is the latest of them known (-1:
        // none yet), `outside` the first point known past them (count: none yet). The
        // column mostly ends at the probe or at the point after it.
        int inside = -1, outside = count;
        const int guess = std::clamp(probe - from, 0, count - 1);
        (inColumn(guess) ? inside : outside) = guess;
        if (inside == guess && guess + 1 < count)
            (inColumn(guess + 1) ? inside : outside) = guess + 1;
        if (inside < 0) {
            if (!inColumn(0)) {
                blockStart -= kBlock;
                continue;
            }
            inside = 0;
        }
        if (outside == count && to < Last) {
            if (inColumn(count - 1)) {
                blockStart += kBlock;
                continue;
            }
            outside = count - 1;
        }
        while (outside - inside > 1) {
            const int middle = inside + (outside - inside) / 2;
            (inColumn(middle) ? inside : outside) = middle;
        }
        end = from + inside;
        return true;
    }
    return false;
}

int TiPlotChannel::FastColumnEnd(int First, int Last, int column, int widthHint, TiPlotPointWindow& window)
{
    // Points in X order fill each pixel column in one run, mostly as long as the run before:
    // a probe where that length ends, then steps doubling away from it, bracket the run's
    // end; a binary search finds it.
    const TiPlotXAxis& xAxis = *GetXAxis();
    const int probe = First + std::clamp(widthHint - 1, 0, Last - First);
    int end;
    if (FastColumnEndNear(First, Last, column, probe, end, window))
        return end;
    auto inColumn = [&](int i) {
        const double x = List().GetX(i);
        return FastColumnOf(xAxis, x, xAxis.PositionToPixels(x)) == column;
    };
    int inside = First, outside = Last + 1, step = 1;
    if (inColumn(probe)) {
        inside = probe;
        while (step <= Last - inside && inColumn(inside + step)) {
            inside += step;
            step *= 2;
        }
        outside = int(std::min<long long>(Last + 1LL, inside + (long long)step));
    } else {
        outside = probe;
        while (step < outside - First && !inColumn(outside - step)) {
            outside -= step;
            step *= 2;
        }
        inside = std::max(First, outside - step);
    }
    while (outside - inside > 1) {
        const int middle = inside + (outside - inside) / 2;
        if (inColumn(middle))
            inside = middle;
        else
            outside = middle;
    }
    return inside;
}

void TiPlotChannel::DrawPointSet(TiPlotTracePath& path, bool reverse, const TiPlotMinMaxPoint& A,
                                 const TiPlotMinMaxPoint& B, const TiPlotMinMaxPoint& C, bool AStartsStretch)
{
    // Joins run from the X of a column's last point, so that a join clipped at the axis edge
    // meets the edge where the segment between the two points does.
    struct TJoin {
        bool Shows = false;
        TPoint From, To;
    };
    auto join = [&](const TiPlotMinMaxPoint& from, const TiPlotMinMaxPoint& to) {
        TJoin j;
        j.Shows = !from.Empty && !to.Empty &&
                  LinePixels(reverse, from.LastX, from.LastY, to.X, to.FirstY, ipurScale, j.From, j.To);
        return j;
    };
    // C holds a point whenever the trace goes on; without one, the last column holding points
    // ends the stretch. Segments are drawn from their smaller X, so on a decreasing channel
    // the pixel they leave out is at the stretch's first point instead of its last.
    const bool stretchEnds = C.Empty;
    auto column = [&](const TiPlotMinMaxPoint& P, bool lastColumn, bool firstColumn, const TJoin& leaving) {
        if (P.Empty || P.MinY == P.MaxY)
            return;
        const std::optional<TPoint> exit = leaving.Shows ? std::optional<TPoint>(leaving.From) : std::nullopt;
        if (m_xIncreasing)
            DrawColumn(path, reverse, P, lastColumn, P.LastY, P.LastYPixel, P.MinYBeforeRun, P.MaxYBeforeRun, exit);
        else
            DrawColumn(path, reverse, P, firstColumn, P.FirstY, P.FirstYPixel, P.MinYAfterRun, P.MaxYAfterRun, exit);
    };
    // Each column, then the join that leaves it: the path runs on through both.
    const TJoin joinAB = join(A, B), joinBC = join(B, C);
    column(A, stretchEnds && B.Empty, AStartsStretch, joinAB);
    if (joinAB.Shows)
        path.Segment(joinAB.From, joinAB.To);
    column(B, stretchEnds, false, joinBC);
    if (joinBC.Shows)
        path.Segment(joinBC.From, joinBC.To);
}

void TiPlotChannel::DrawColumn(TiPlotTracePath& path, bool reverse, const TiPlotMinMaxPoint& P, bool endsStretch,
                               double endY, int endPixel, double otherMinY, double otherMaxY,
                               std::optional<TPoint> exit)
{
    // The segments between a column's points cover its range, both ends included. Where the
    // stretch ends, they leave the end point's pixel out unless another point reached or
    // passed it (the points of the run on that pixel only join it with lines of no length).
    TPoint from, to;
    if (endsStretch) {
        if (otherMinY > otherMaxY)
            return;
        const TiPlotYAxis& yAxis = *GetYAxis();
        const int other1 = yAxis.PositionToPixels(otherMinY);
        const int other2 = yAxis.PositionToPixels(otherMaxY);
        if (endPixel < std::min(other1, other2) || endPixel > std::max(other1, other2)) {
            const double far = yAxis.PositionToPixels(P.MaxY) == endPixel ? P.MinY : P.MaxY;
            if (LinePixels(reverse, P.X, far, P.X, endY, ipurScale, from, to))
                path.Segment(from, to);
            return;
        }
    }
    // A vertical line is clipped alike either way, so its pixels both ways are one span.
    if (LinePixels(reverse, P.X, P.MinY, P.X, P.MaxY, ipurScale, from, to))
        path.Span(from, to, exit);
}

void TiPlotChannel::DrawFill(TCanvas& canvas, bool reverse, TColor backGroundColor)
{
    if (!FillShows() || m_interpolationStyle != ipistStraightLine || m_digitalEnabled)
        return;
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start < 0 || stop < 0)
        return;
    canvas.Brush().SetColor(FillBrushColor());
    canvas.Brush().SetStyle(m_fillStyle);
    canvas.Pen().SetColor(FillBrushColor());
    canvas.Pen().SetWidth(0);
    canvas.Pen().SetStyle(psClear);
    canvas.SetBkColor(backGroundColor);
    bool havePrevious = false;
    double previousX = 0, previousY = 0;
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        double x, y;
        bool empty, null;
        GetXYEmptyNull(i, x, y, empty, null);
        if (empty)
            continue;
        if (null) {
            havePrevious = false;
            continue;
        }
        if (havePrevious)
            DrawQuadPolygon(canvas, reverse, {x, m_fillReference}, {x, y}, {previousX, previousY},
                            {previousX, m_fillReference});
        previousX = x;
        previousY = y;
        havePrevious = true;
    }
}

void TiPlotChannel::DrawBar(TCanvas& canvas, bool, TColor backGroundColor)
{
    if (!m_barEnabled)
        return;
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start < 0 || stop < 0)
        return;
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        if (!GetDataValid(i) || !GetDataBarVisible(i))
            continue;
        canvas.Brush().SetColor(m_barBrushUseChannelColor ? Color() : GetDataBarBrushColor(i));
        canvas.Pen().SetColor(m_barPenUseChannelColor ? Color() : GetDataBarPenColor(i));
        canvas.Pen().SetWidth(GetDataBarPenWidth(i));
        canvas.Pen().SetStyle(GetDataBarPenStyle(i));
        canvas.Brush().SetStyle(GetDataBarBrushStyle(i));
        canvas.SetBkColor(backGroundColor);
        TRect r = GetBarRect(i);
        if (r.Right == r.Left)
            ++r.Right;
        canvas.Rectangle(r);
    }
}

void TiPlotChannel::DrawDigital(TCanvas& canvas, bool reverse, TColor)
{
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start == stop || start < 0 || stop < 0)
        return;
    TDigitalSequenceData S;
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        double x, y;
        bool empty, null;
        GetXYEmptyNull(i, x, y, empty, null);
        if (empty)
            continue;
        if (null) {
            DrawDigitalSequence(canvas, reverse, S);
            continue;
        }
        const bool high = y != 0;
        if (!S.Started) {
            S.Started = true;
            S.StartX = x;
            S.HighState = high;
        } else if (high != S.HighState) {
            S.HasNext = true;
            S.NextX = x;
            DrawDigitalSequence(canvas, reverse, S);
            S.Started = true;
            S.StartX = x;
            S.HighState = high;
        } else {
            S.HasLast = true;
            S.LastX = x;
        }
    }
    DrawDigitalSequence(canvas, reverse, S);
}

void TiPlotChannel::DrawDigitalSequence(TCanvas& canvas, bool reverse, TDigitalSequenceData& S)
{
    canvas.Brush().SetColor(FillBrushColor());
    canvas.Brush().SetStyle(m_fillStyle);
    const TiPlotUnitReferenceStyle ref = m_digitalReferenceStyle == ipdrScale ? ipurScale : ipurPercent;
    const double level = S.HighState ? m_digitalReferenceHigh : m_digitalReferenceLow;
    const double otherLevel = S.HighState ? m_digitalReferenceLow : m_digitalReferenceHigh;
    auto run = [&](double endX) {
        // With a clear fill style the run is outlined in the fill colour.
        if (m_fillEnabled) {
            canvas.Pen().SetColor(FillBrushColor());
            DrawQuadPolygon(canvas, reverse, {S.StartX, m_fillReference}, {S.StartX, level}, {endX, level},
                            {endX, m_fillReference}, ref);
            canvas.Pen().SetColor(Color());
        }
        DrawLine(canvas, reverse, S.StartX, level, endX, level, ref);
    };
    if (S.HasNext) {
        run(S.NextX);
        DrawLine(canvas, reverse, S.NextX, level, S.NextX, otherLevel, ref);
    } else if (S.Started && S.HasLast) {
        run(S.LastX);
    }
    S.Clear();
}

void TiPlotChannel::DrawDifferential(TCanvas& canvas, bool reverse, TColor)
{
    if (GetCount() == 0)
        return;
    canvas.Brush().SetColor(FillBrushColor());
    canvas.Brush().SetStyle(m_fillStyle);
    bool pending = false;
    double px = 0, py = 0;
    auto hold = [&](double toX) {
        if (FillShows()) {
            canvas.Pen().SetColor(FillBrushColor());
            DrawQuadPolygon(canvas, reverse, {px, m_fillReference}, {px, py}, {toX, py}, {toX, m_fillReference});
            canvas.Pen().SetColor(Color());
        }
        DrawLine(canvas, reverse, px, py, toX, py, ipurScale);
    };
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start == -1 || stop == -1) {
        for (int i = GetCount() - 1; i >= 0 && !pending; --i)
            if (GetDataValid(i)) {
                pending = true;
                px = GetDataX(i);
                py = GetDataY(i);
            }
    } else {
        for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
            double x, y;
            bool empty, null;
            GetXYEmptyNull(i, x, y, empty, null);
            if (empty)
                continue;
            if (null) {
                if (pending)
                    hold(x);
                pending = false;
                continue;
            }
            if (pending) {
                hold(x);
                DrawLine(canvas, reverse, x, py, x, y, ipurScale);
            }
            pending = true;
            px = x;
            py = y;
        }
    }
    if (m_interpolationStyle == ipistDifferential && pending) {
        canvas.Pen().SetColor(Color());
        // The last value holds to the edge the data runs toward.
        hold(m_xIncreasing ? GetXAxis()->GetMax() : GetXAxis()->Min());
    }
}

template <typename ValueAt>
void TiPlotChannel::DrawCurve(TCanvas& canvas, bool reverse, double x0, double xN, ValueAt valueAt)
{
    const TiPlotXAxis& xAxis = *GetXAxis();
    // Only the part of the curve over the axis range is drawn, whatever the order of its X.
    if (x0 > xN)
        std::swap(x0, xN);
    x0 = std::max(x0, xAxis.Min());
    xN = std::min(xN, xAxis.GetMax());
    if (x0 > xN)
        return;
    int p0 = xAxis.PositionToPixels(x0), pN = xAxis.PositionToPixels(xN);
    if (p0 > pN)
        std::swap(p0, pN);
    double previousX = 0, previousY = 0;
    for (int p = p0; p <= pN; ++p) {
        const double x = xAxis.PixelsToPosition(p);
        const double y = valueAt(x);
        if (FillShows()) {
            canvas.Pen().SetColor(FillBrushColor());
            DrawLine(canvas, reverse, x, m_fillReference, x, y, ipurScale);
            canvas.Pen().SetColor(Color());
        }
        if (p == p0) {
            previousX = x;
            previousY = y;
        }
        DrawLine(canvas, reverse, previousX, previousY, x, y, ipurScale);
        AddPixelListValue(xAxis.PositionToPixels(x), y);
        previousX = x;
        previousY = y;
    }
}

void TiPlotChannel::DrawCubicSpline(TCanvas& canvas, bool reverse, TColor)
{
    const int count = GetCount();
    if (count < 2)
        return;
    TDoubleArray X(size_t(count) + 1), Y(size_t(count) + 1), Y2(size_t(count) + 1);
    int N = 0;
    for (int i = 0; i < count; ++i) {
        double x, y;
        bool empty, null;
        GetXYEmptyNull(i, x, y, empty, null);
        if (empty)
            continue;
        if (null) {
            DrawCubicSplineSet(canvas, reverse, X, Y, Y2, N);
            N = 0;
            continue;
        }
        ++N;
        X[size_t(N)] = x;
        Y[size_t(N)] = y;
    }
    if (N > 0)
        DrawCubicSplineSet(canvas, reverse, X, Y, Y2, N);
}

void TiPlotChannel::DrawCubicSplineSet(TCanvas& canvas, bool reverse, const TDoubleArray& X, const TDoubleArray& Y,
                                       TDoubleArray& Y2, int N)
{
    if (N <= 1)
        return;
    // The spline wants its knots ascending; a decreasing channel is walked the other way.
    TDoubleArray xs(X.begin(), X.begin() + N + 1), ys(Y.begin(), Y.begin() + N + 1);
    if (xs[size_t(N)] < xs[1]) {
        std::reverse(xs.begin() + 1, xs.end());
        std::reverse(ys.begin() + 1, ys.end());
    }
    Spline(xs, ys, N, 1e30, 1e30, Y2);
    DrawCurve(canvas, reverse, xs[1], xs[size_t(N)], [&](double x) {
        double y;
        SplineInterpolation(xs, ys, Y2, N, x, y);
        return y;
    });
}

void TiPlotChannel::DrawInterpolatedCurve(TCanvas& canvas, bool reverse, bool rational)
{
    const int count = GetCount();
    if (count < 2)
        return;
    // Every point held takes part, Null and Empty ones with their stored values.
    TDoubleArray X(size_t(count) + 1), Y(size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        X[size_t(i) + 1] = GetDataX(i);
        Y[size_t(i) + 1] = GetDataY(i);
    }
    DrawCurve(canvas, reverse, GetDataX(0), GetDataX(count - 1), [&](double x) {
        double y, dy;
        if (rational)
            RationalInterpolation(X, Y, count, x, y, dy);
        else
            PolynomialInterpolation(X, Y, count, x, y, dy);
        return y;
    });
}

void TiPlotChannel::DrawPolynomial(TCanvas& canvas, bool reverse, TColor)
{
    DrawInterpolatedCurve(canvas, reverse, false);
}

void TiPlotChannel::DrawRational(TCanvas& canvas, bool reverse, TColor)
{
    DrawInterpolatedCurve(canvas, reverse, true);
}

void TiPlotChannel::DrawMarkers(TCanvas& canvas, bool reverse, TColor backGroundColor)
{
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start < 0 || stop < 0 || !MarkersVisible())
        return;
    if (!m_digitalEnabled) {
        TiPlotChannelCustom::DrawMarkers(canvas, reverse, backGroundColor);
        return;
    }
    const TiPlotXAxis& xAxis = *GetXAxis();
    const TiPlotYAxis& yAxis = *GetYAxis();
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        if (!GetDataValid(i) || !GetDataMarkerShow(i))
            continue;
        const double x = GetDataX(i), y = GetDataY(i);
        if (!xAxis.ValueOnScale(x) || !yAxis.ValueOnScale(y))
            continue;
        const int px = xAxis.PositionToPixels(x);
        const int py = y == 0 ? m_digitalLowPixel : m_digitalHighPixel;
        DrawMarker(canvas, i, reverse ? TPoint{py, px} : TPoint{px, py}, backGroundColor);
    }
}

void TiPlotChannel::DrawHighLow(TCanvas& canvas, bool reverse, TColor backGroundColor)
{
    if (!m_highLowEnabled)
        return;
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start < 0 || stop < 0)
        return;
    const TiPlotXAxis& xAxis = *GetXAxis();
    const TiPlotYAxis& yAxis = *GetYAxis();
    canvas.Pen().SetWidth(0);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsSolid);
    canvas.SetBkColor(backGroundColor);
    auto box = [&](const TRect& r, TColor color) {
        canvas.Pen().SetColor(color);
        canvas.Brush().SetColor(color);
        canvas.Rectangle(r);
    };
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        if (!GetDataValid(i))
            continue;
        const int W = xAxis.WidthToPixels(m_highLowBarWidth);
        const int c = xAxis.PositionToPixels(GetDataX(i));
        int right = c + W - W / 2;
        const int left = c - W / 2;
        // A bar narrower than a pixel still shows, one pixel wide.
        if (left == right)
            right = left + 1;
        const int yL = yAxis.PositionToPixels(GetDataLow(i));
        int yH = yAxis.PositionToPixels(GetDataHigh(i));
        if (yH == yL)
            yH = yL + 1;
        const int mid = (left + right) / 2;
        if (m_highLowOpenShow) {
            const int OW = xAxis.WidthToPixels(m_highLowOpenWidth);
            const int OH = yAxis.WidthToPixels(m_highLowOpenHeight);
            const int o = yAxis.PositionToPixels(GetDataOpen(i));
            box(PixelBox(mid - OW + 1, o + OH - OH / 2 - 1, mid, o - OH / 2, reverse), m_highLowOpenColor);
        }
        if (m_highLowCloseShow) {
            const int CW = xAxis.WidthToPixels(m_highLowCloseWidth);
            const int CH = yAxis.WidthToPixels(m_highLowCloseHeight);
            const int o = yAxis.PositionToPixels(GetDataClose(i));
            box(PixelBox(mid, o + CH - CH / 2 - 1, mid + CW - 1, o - CH / 2, reverse), m_highLowCloseColor);
        }
        box(PixelBox(left, yL, right, yH, reverse), m_highLowBarColor);
    }
}

void TiPlotChannel::DrawHighLowCandleStick(TCanvas& canvas, bool reverse, TColor backGroundColor)
{
    if (!m_highLowEnabled)
        return;
    const int start = DrawStartIndex(), stop = DrawStopIndex();
    if (start < 0 || stop < 0)
        return;
    const TiPlotXAxis& xAxis = *GetXAxis();
    const TiPlotYAxis& yAxis = *GetYAxis();
    canvas.Pen().SetWidth(0);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsSolid);
    canvas.SetBkColor(backGroundColor);
    for (int i = std::min(start, stop); i <= std::max(start, stop); ++i) {
        if (!GetDataValid(i))
            continue;
        const int px = xAxis.PositionToPixels(GetDataX(i));
        const int high = yAxis.PositionToPixels(GetDataHigh(i));
        const int low = yAxis.PositionToPixels(GetDataLow(i));
        canvas.Pen().SetColor(m_highLowShadowColor);
        if (reverse)
            Line(canvas, {high, px}, {low, px});
        else
            Line(canvas, {px, high}, {px, low});
        const int half = xAxis.WidthToPixels(m_highLowBarWidth) / 2;
        const double open = GetDataOpen(i), close = GetDataClose(i);
        canvas.Brush().SetColor(open <= close ? m_highLowBullishColor : m_highLowBearishColor);
        canvas.Rectangle(
            PixelBox(px - half, yAxis.PositionToPixels(open), px + half + 1, yAxis.PositionToPixels(close), reverse));
    }
}
