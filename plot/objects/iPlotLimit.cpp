#include "plot/objects/iPlotLimit.h"

#include "components/iGPFunctions.h"
#include "platform/core/Exceptions.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAxis.h"

#include <utility>

namespace {

constexpr int kHitHalfWidth = 5;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TiLimitDataList

int TiLimitDataList::Add(double item1, double item2, double item3)
{
    if (m_count == Capacity())
        Grow();
    m_items[size_t(m_count)] = {item1, item2, item3};
    return m_count++;
}

void TiLimitDataList::Grow()
{
    const int capacity = Capacity();
    const int delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
    SetCapacity(capacity + delta);
}

void TiLimitDataList::SetCapacity(int value)
{
    // A negative capacity is as wrong as a huge one: refused alike, nothing changed.
    if (value > kMaxListSize || value < 0)
        throw Exception("Exceed Maximum List Size");
    if (value == Capacity())
        return;
    m_items.resize(size_t(value));
    m_items.shrink_to_fit();
    m_count = std::min(m_count, value);
}

void TiLimitDataList::Clear()
{
    m_count = 0;
    m_items.clear();
    m_items.shrink_to_fit();
}

void TiLimitDataList::CheckIndex(int index) const
{
    if (index < 0 || index >= m_count)
        throw Exception("Index out of Bounds");
}

TiLimitData TiLimitDataList::GetItem(int index) const
{
    CheckIndex(index);
    return m_items[size_t(index)];
}

void TiLimitDataList::SetItem(int index, const TiLimitData& value)
{
    CheckIndex(index);
    m_items[size_t(index)] = value;
}

void TiLimitDataList::SetItem1(int index, double value)
{
    TiLimitData item = GetItem(index);
    item.Item1 = value;
    SetItem(index, item);
}

void TiLimitDataList::SetItem2(int index, double value)
{
    TiLimitData item = GetItem(index);
    item.Item2 = value;
    SetItem(index, item);
}

void TiLimitDataList::SetItem3(int index, double value)
{
    TiLimitData item = GetItem(index);
    item.Item3 = value;
    SetItem(index, item);
}

// ---------------------------------------------------------------------------------------------
// TiPlotLimit

struct TiPlotLimit::Mapping {
    TiPlotXAxis& XAxis;
    TiPlotYAxis& YAxis;
    bool Reversed;

    int X(double value) const { return XAxis.PositionToPixels(value); }
    int Y(double value) const { return YAxis.PositionToPixels(value); }
    TPoint Point(int x, int y) const { return iPointReverse(Reversed, x, y); }
    TRect Rect(int x1, int y1, int x2, int y2) const { return iXYReverseRect(Reversed, x1, y1, x2, y2); }
    void Line(TCanvas& canvas, TPoint from, TPoint to) const
    {
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
    }
};

TiPlotLimit::TiPlotLimit(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename)
    : TiPlotObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
}

TiPlotLimit::~TiPlotLimit() = default;

// --- Setters ---------------------------------------------------------------------------------

void TiPlotLimit::SetColor(TColor value) { SetColorProperty(value, m_color, &TiPlotObject::TriggerChange); }
void TiPlotLimit::SetLineStyle(TPenStyle value) { SetEnumProperty(value, m_lineStyle, &TiPlotObject::TriggerChange); }
void TiPlotLimit::SetLineWidth(int value) { SetIntegerProperty(value, m_lineWidth, &TiPlotObject::TriggerChange); }
void TiPlotLimit::SetFillStyle(TBrushStyle value) { SetEnumProperty(value, m_fillStyle, &TiPlotObject::TriggerChange); }
void TiPlotLimit::SetStyle(TiPlotLimitStyle value) { SetEnumProperty(value, m_style, &TiPlotObject::TriggerChange); }
void TiPlotLimit::SetUserCanMove(bool value) { SetBooleanProperty(value, m_userCanMove, &TiPlotObject::TriggerChange); }
void TiPlotLimit::SetSelectModeOnlyInteraction(bool value)
{
    SetBooleanProperty(value, m_selectModeOnlyInteraction, &TiPlotObject::TriggerChange);
}
void TiPlotLimit::SetClipToAxes(bool value) { SetBooleanProperty(value, m_clipToAxes, &TiPlotObject::TriggerChange); }

void TiPlotLimit::SetXAxisName(const std::string& value)
{
    if (value == m_xAxisName)
        return;
    m_xAxisName = value;
    m_xAxis = nullptr;
    TriggerChange(this);
}

void TiPlotLimit::SetYAxisName(const std::string& value)
{
    if (value == m_yAxisName)
        return;
    m_yAxisName = value;
    m_yAxis = nullptr;
    TriggerChange(this);
}

void TiPlotLimit::SetLinePosition(int line, double value)
{
    double& position = m_linePosition[size_t(line)];
    if (value == position)
        return;
    const double old = position;
    position = value;
    TriggerChange(this);
    if (Owner()) {
        if (line == 0)
            Owner()->DoLimitLine1PositionChange(this, old, value);
        else
            Owner()->DoLimitLine2PositionChange(this, old, value);
    }
}

// --- Axes and band elements --------------------------------------------------------------------

TiPlotXAxis* TiPlotLimit::GetXAxis()
{
    if (!m_xAxis && Owner())
        m_xAxis = Owner()->GetXAxisByName(m_xAxisName);
    return m_xAxis;
}

TiPlotYAxis* TiPlotLimit::GetYAxis()
{
    if (!m_yAxis && Owner())
        m_yAxis = Owner()->GetYAxisByName(m_yAxisName);
    return m_yAxis;
}

TiPlotLimitLinePositionAxis TiPlotLimit::GetLinePositionAxis() const
{
    return m_style == iplsLineX || m_style == iplsBandX || m_style == iplsPolyBandX ? iplpaXAxis : iplpaYAxis;
}

void TiPlotLimit::AddBandElement(double position, double upper, double lower)
{
    if (lower > upper)
        throw Exception("the Upper Limit must be greater than or equal to the Lower Limit");
    m_elements.Add(position, upper, lower);
    TriggerChange(this);
}

void TiPlotLimit::ClearAllElements()
{
    m_elements.Clear();
    TriggerChange(this);
}

bool TiPlotLimit::GetIsFillType() const
{
    switch (m_style) {
    case iplsLineX:
    case iplsLineY: return false;
    case iplsBandX:
    case iplsBandY: return m_fillStyle != bsClear;
    case iplsPolyBandX:
    case iplsPolyBandY: return true;
    }
    return false;
}

// --- Notifications -----------------------------------------------------------------------------

void TiPlotLimit::NotificationRemove(TObject* sender)
{
    TiPlotObject::NotificationRemove(sender);
    if (m_xAxis && sender == static_cast<TObject*>(m_xAxis))
        m_xAxis = nullptr;
    if (m_yAxis && sender == static_cast<TObject*>(m_yAxis))
        m_yAxis = nullptr;
}

void TiPlotLimit::NotificationRename(TObject* sender)
{
    TiPlotObject::NotificationRename(sender);
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    if (!object)
        return;
    // The limit follows its axes under their new names, silently.
    if (m_xAxis && object == static_cast<TiPlotObject*>(m_xAxis))
        m_xAxisName = object->Name();
    if (m_yAxis && object == static_cast<TiPlotObject*>(m_yAxis))
        m_yAxisName = object->Name();
}

void TiPlotLimit::NotificationSetFocus(TObject* sender)
{
    TiPlotObject::NotificationSetFocus(sender);
    if (sender != this)
        SetUserSelected(false);
}

void TiPlotLimit::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotObject::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
}

// --- Drawing -----------------------------------------------------------------------------------

void TiPlotLimit::Draw(TCanvas& canvas, TColor backGroundColor)
{
    m_lineDrawn = {};
    if (!Visible() || !GetXAxis() || !GetYAxis())
        return;
    const Mapping m{*m_xAxis, *m_yAxis, XYAxesReversed()};
    TCanvasStateSaver saved(canvas);
    if (m_clipToAxes) {
        // The axes' end pixels belong to the plotting area: a line at an axis end stays visible.
        TRect area =
            m.Rect(m_xAxis->GetMinPixels(), m_yAxis->GetMinPixels(), m_xAxis->GetMaxPixels(), m_yAxis->GetMaxPixels());
        ++area.Right;
        ++area.Bottom;
        canvas.IntersectClipRect(area);
    }
    switch (m_style) {
    case iplsLineX:
    case iplsLineY: DrawLine(canvas, m, backGroundColor); break;
    case iplsBandX:
    case iplsBandY: DrawBand(canvas, m); break;
    case iplsPolyBandX:
    case iplsPolyBandY: DrawPolyBand(canvas, m); break;
    }
}

void TiPlotLimit::DrawLine(TCanvas& canvas, const Mapping& m, TColor backGroundColor)
{
    const bool onX = m_style == iplsLineX;
    const TiPlotAxis& axis = onX ? static_cast<const TiPlotAxis&>(m.XAxis) : m.YAxis;
    const double p = m_linePosition[0];
    if (p < axis.Min() || p > axis.GetMax())
        return;
    canvas.Pen().SetColor(m_color);
    canvas.Pen().SetWidth(m_lineWidth);
    canvas.Pen().SetStyle(m_lineStyle);
    canvas.Brush().SetColor(backGroundColor);
    if (onX) {
        const int x = m.X(p), y1 = m.Y(m.YAxis.Min()), y2 = m.Y(m.YAxis.GetMax());
        m.Line(canvas, m.Point(x, y1), m.Point(x, y2));
        m_hitRect[0] = m.Rect(x - kHitHalfWidth, y1, x + kHitHalfWidth, y2);
    } else {
        const int y = m.Y(p), x1 = m.X(m.XAxis.Min()), x2 = m.X(m.XAxis.GetMax());
        m.Line(canvas, m.Point(x1, y), m.Point(x2, y));
        m_hitRect[0] = m.Rect(x1, y - kHitHalfWidth, x2, y + kHitHalfWidth);
    }
    m_lineDrawn[0] = true;
}

void TiPlotLimit::DrawBand(TCanvas& canvas, const Mapping& m)
{
    const bool onX = m_style == iplsBandX;
    // Along the limit's axis the two line positions; across it the other axis's whole range.
    const int a1 = onX ? m.X(m_linePosition[0]) : m.Y(m_linePosition[0]);
    const int a2 = onX ? m.X(m_linePosition[1]) : m.Y(m_linePosition[1]);
    const int c1 = onX ? m.Y(m.YAxis.Min()) : m.X(m.XAxis.Min());
    const int c2 = onX ? m.Y(m.YAxis.GetMax()) : m.X(m.XAxis.GetMax());
    auto rect = [&](int along1, int across1, int along2, int across2) {
        return onX ? m.Rect(along1, across1, along2, across2) : m.Rect(across1, along1, across2, along2);
    };
    auto point = [&](int along, int across) { return onX ? m.Point(along, across) : m.Point(across, along); };
    auto drawLines = [&] {
        for (int a : {a1, a2})
            m.Line(canvas, point(a, c1), point(a, c2));
    };

    m_hitRect[0] = rect(a1 - kHitHalfWidth, c1, a1 + kHitHalfWidth, c2);
    m_hitRect[1] = rect(a2 - kHitHalfWidth, c1, a2 + kHitHalfWidth, c2);
    m_lineDrawn = {true, true};

    canvas.Pen().SetColor(m_color);
    canvas.Brush().SetColor(m_color);
    canvas.Brush().SetStyle(m_fillStyle);
    if (m_fillStyle == bsSolid) {
        // Outlined one pixel wide whatever LineWidth, so the band covers exactly its range.
        canvas.Pen().SetStyle(m_lineStyle);
        canvas.Pen().SetWidth(1);
        canvas.Rectangle(rect(a1, c1, a2, c2));
    } else if (m_fillStyle == bsClear) {
        canvas.Pen().SetStyle(m_lineStyle);
        canvas.Pen().SetWidth(m_lineWidth);
        drawLines();
    } else {
        canvas.Pen().SetStyle(psClear);
        canvas.Rectangle(rect(a1, c1, a2, c2));
        canvas.Pen().SetStyle(m_lineStyle);
        canvas.Pen().SetWidth(1);
        drawLines();
    }
}

void TiPlotLimit::DrawPolyBand(TCanvas& canvas, const Mapping& m)
{
    // iplsPolyBandX follows positions up the Y axis with its limit values on the X axis (a
    // band around a vertical profile); iplsPolyBandY follows positions along the X axis with
    // its limit values on the Y axis.
    const bool positionsOnY = m_style == iplsPolyBandX;
    const TiPlotAxis& positionAxis = positionsOnY ? static_cast<const TiPlotAxis&>(m.YAxis) : m.XAxis;
    auto corner = [&](double position, double value) {
        return positionsOnY ? m.Point(m.X(value), m.Y(position)) : m.Point(m.X(position), m.Y(value));
    };

    canvas.Pen().SetColor(m_color);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(m_color);
    canvas.Brush().SetStyle(m_fillStyle);
    for (int i = 1; i < m_elements.Count(); ++i) {
        const TiLimitData prev = m_elements.GetItem(i - 1), next = m_elements.GetItem(i);
        if (prev.Item1 < positionAxis.Min() && next.Item1 < positionAxis.Min())
            continue;
        // Elements ascend in position: nothing further lies on the axis.
        if (prev.Item1 > positionAxis.GetMax())
            break;
        const TPoint a = corner(prev.Item1, prev.Item2), b = corner(prev.Item1, prev.Item3);
        const TPoint c = corner(next.Item1, next.Item2), d = corner(next.Item1, next.Item3);
        if (m_fillStyle == bsSolid) {
            canvas.Polygon({a, c, d, b});
            continue;
        }
        canvas.Pen().SetStyle(psClear);
        canvas.Polygon({a, c, d, b});
        canvas.Pen().SetStyle(psSolid);
        m.Line(canvas, a, c);
        m.Line(canvas, b, d);
    }
}

// --- Mouse -------------------------------------------------------------------------------------

bool TiPlotLimit::LineHit(int line, TPoint p) const
{
    return m_lineDrawn[size_t(line)] && PtInRect(m_hitRect[size_t(line)], p);
}

bool TiPlotLimit::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    const bool base = TiPlotObject::iMouseHitTest(mouseData);
    if (m_selectModeOnlyInteraction && !(Owner() && Owner()->GetSelectModeActive()))
        return base;
    const TPoint p{mouseData.X, mouseData.Y};
    return base || LineHit(0, p) || LineHit(1, p);
}

TCursor TiPlotLimit::GetMousePointer(TPoint p)
{
    TCursor cursor = TiPlotObject::GetMousePointer(p);
    if (!m_userCanMove)
        return cursor;
    cursor = crHandPoint;
    if (m_lineDrawn[0] && m_lineDrawn[1]) {
        const bool alongX = GetLinePositionAxis() == iplpaXAxis;
        cursor = alongX != XYAxesReversed() ? crSizeWE : crSizeNS;
    }
    if (Owner())
        Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotLimit::DoMouseLeft(const TiPlotMouseData& mouseData)
{
    TiPlotObject::DoMouseLeft(mouseData);
    // A press that the hit test turns down (outside select mode) grabs nothing, whoever
    // passes it on.
    if (!m_userCanMove || !iMouseHitTest(mouseData))
        return;
    const TPoint p{mouseData.X, mouseData.Y};
    if (LineHit(0, p))
        m_grabbed[0] = true;
    else if (LineHit(1, p))
        m_grabbed[1] = true;
    else
        return;
    TriggerInvalidateNow(this);
}

void TiPlotLimit::DoMouseMove(const TiPlotMouseData& mouseData)
{
    TiPlotObject::DoMouseMove(mouseData);
    if (!m_grabbed[0] && !m_grabbed[1])
        return;
    const bool alongX = GetLinePositionAxis() == iplpaXAxis;
    TiPlotAxis* axis = alongX ? static_cast<TiPlotAxis*>(GetXAxis()) : GetYAxis();
    // An axis without length (a data view squeezed to nothing) maps every pixel to its
    // minimum: the line stays where it is rather than jump there.
    if (!axis || axis->GetSpanLength() <= 0)
        return;
    const double position = axis->PixelsToPosition(alongX ? mouseData.XAxisPixels : mouseData.YAxisPixels);
    SetLinePosition(m_grabbed[0] ? 0 : 1, position);
}

void TiPlotLimit::DoMouseUp(const TiPlotMouseData& mouseData)
{
    TiPlotObject::DoMouseUp(mouseData);
    if (!m_grabbed[0] && !m_grabbed[1])
        return;
    m_grabbed = {};
    if (iMouseHitTest(mouseData) && Owner())
        Owner()->DoObjectClick(this);
}

// --- Published properties -------------------------------------------------------------------

PRAVIX_PUBLISH(TiPlotLimit, Prop("Color", &TiPlotLimit::Color, &TiPlotLimit::SetColor).AsColor(),
               Prop("LineStyle", &TiPlotLimit::LineStyle, &TiPlotLimit::SetLineStyle),
               Prop("LineWidth", &TiPlotLimit::LineWidth, &TiPlotLimit::SetLineWidth),
               Prop("FillStyle", &TiPlotLimit::FillStyle, &TiPlotLimit::SetFillStyle),
               Prop("XAxisName", &TiPlotLimit::XAxisName, &TiPlotLimit::SetXAxisName),
               Prop("YAxisName", &TiPlotLimit::YAxisName, &TiPlotLimit::SetYAxisName),
               Prop("Style", &TiPlotLimit::Style, &TiPlotLimit::SetStyle),
               Prop("Line1Position", &TiPlotLimit::Line1Position, &TiPlotLimit::SetLine1Position),
               Prop("Line2Position", &TiPlotLimit::Line2Position, &TiPlotLimit::SetLine2Position),
               Prop("UserCanMove", &TiPlotLimit::UserCanMove, &TiPlotLimit::SetUserCanMove),
               Prop("SelectModeOnlyInteraction", &TiPlotLimit::SelectModeOnlyInteraction,
                    &TiPlotLimit::SetSelectModeOnlyInteraction),
               Prop("ClipToAxes", &TiPlotLimit::ClipToAxes, &TiPlotLimit::SetClipToAxes))

static const TiPlotKindRegistration limitKind = TiPlotKindRegistration::Of<TiPlotLimit>(TiPlotObjectKind::Limit);
