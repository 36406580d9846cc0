#include "plot/objects/iPlotDataCursor.h"

#include "components/iGPFunctions.h"
#include "platform/core/Scoped.h"
#include "platform/gui/Keys.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotDataView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

double ClampPercent(double value) { return std::clamp(value, 0.0, 100.0); }

TiOrientation Exchanged(TiOrientation orientation) { return orientation == ioVertical ? ioHorizontal : ioVertical; }

// How the pointers and the hint lie for a style: hidden pointers carry no orientation.
struct TCursorSetup {
    bool Pointer1;
    TiOrientation Orientation1;
    bool Pointer2;
    TiOrientation Orientation2;
    TiOrientation Hint;
};

TCursorSetup SetupFor(TiPlotDataCursorStyle style, bool xyPlot, bool scopeStyle)
{
    switch (style) {
    case ipcsValueXY: return {true, ioVertical, xyPlot, ioHorizontal, ioVertical};
    case ipcsValueX: return {true, ioVertical, false, ioHorizontal, ioVertical};
    case ipcsValueY:
        if (xyPlot || scopeStyle)
            return {false, ioVertical, true, ioHorizontal, ioHorizontal};
        return {true, ioVertical, false, ioHorizontal, ioVertical};
    case ipcsDeltaX:
    case ipcsInverseDeltaX: return {true, ioVertical, true, ioVertical, ioVertical};
    case ipcsDeltaY: return {true, ioHorizontal, true, ioHorizontal, ioHorizontal};
    }
    return {true, ioVertical, false, ioHorizontal, ioVertical};
}

const char* const kStyleCaptions[] = {"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"};

// The gap in pixels between a pointer and the hint box beside it.
constexpr int kHintGap = 5;
constexpr double kNoDistance = 1e300;
// Home and End while snapping: the first point, and a point beyond any channel's last.
constexpr int kLastDataIndex = 2147483647;

int CentreX(const TRect& r) { return (r.Left + r.Right) / 2; }
int CentreY(const TRect& r) { return (r.Top + r.Bottom) / 2; }

std::string WithoutLineBreaks(std::string text)
{
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 2);
    return text;
}

}  // namespace

TiPlotDataCursor::TiPlotDataCursor(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                   TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    SetVisible(false);
    SetEnabled(true);
    m_menuItemVisible.fill(true);
    for (int style = 0; style < kStyleCount; ++style)
        m_menuItemCaption[style] = kStyleCaptions[style];
    m_font = std::make_unique<TFont>();
    m_font->OnChange = [this] { TriggerChange(this); };
    DoSetup();
}

TiPlotDataCursor::~TiPlotDataCursor() = default;

void TiPlotDataCursor::SetChannelName(const std::string& value)
{
    if (value == m_channelName)
        return;
    m_channelName = value;
    m_channel = nullptr;
    TriggerChange(this);
}

void TiPlotDataCursor::SetChannelAllowAll(bool value)
{
    SetBooleanProperty(value, m_channelAllowAll, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetChannelShowAllInLegend(bool value)
{
    SetBooleanProperty(value, m_channelShowAllInLegend, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetStyle(TiPlotDataCursorStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    DoSetup();
    TriggerChange(this);
}

void TiPlotDataCursor::SetScopeStyle(bool value)
{
    if (value == m_scopeStyle)
        return;
    m_scopeStyle = value;
    DoSetup();
    TriggerChange(this);
}

void TiPlotDataCursor::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);
}

void TiPlotDataCursor::SetColor(TColor value) { SetColorProperty(value, m_color, &TiPlotObject::TriggerChange); }

void TiPlotDataCursor::SetUseChannelColor(bool value)
{
    SetBooleanProperty(value, m_useChannelColor, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetHintShow(bool value) { SetBooleanProperty(value, m_hintShow, &TiPlotObject::TriggerChange); }

void TiPlotDataCursor::SetHintHideOnRelease(bool value)
{
    SetBooleanProperty(value, m_hintHideOnRelease, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetHintOrientationSide(TiOrientationSide value)
{
    SetEnumProperty(value, m_hintOrientationSide, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetHintPosition(double value)
{
    SetDoubleProperty(value, m_hintPosition, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetPointer1Position(double value)
{
    SetDoubleProperty(ClampPercent(value), m_pointer1Position, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetPointer2Position(double value)
{
    SetDoubleProperty(ClampPercent(value), m_pointer2Position, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetPointerPenWidth(int value)
{
    SetIntegerProperty(value, m_pointerPenWidth, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetData(double X, double Y, TiPlotDataPointStatus Status)
{
    if (X == m_dataX && Y == m_dataY && Status == m_dataStatus)
        return;
    m_dataX = X;
    m_dataY = Y;
    m_dataStatus = Status;
    Owner()->DoDataCursorChange(this);
}

TiPlotChannelCustom* TiPlotDataCursor::GetChannel()
{
    if (!m_channel && !IsAllChannels())
        m_channel = Owner()->GetChannelByName(m_channelName);
    return m_channel;
}

bool TiPlotDataCursor::GetIsXYPlot() const { return Owner()->IsXYPlot(); }

void TiPlotDataCursor::DoSetup()
{
    const TCursorSetup setup = SetupFor(m_style, GetIsXYPlot(), m_scopeStyle);
    const bool reversed = XYAxesReversed();
    m_pointer1.Visible = setup.Pointer1;
    m_pointer1.Orientation = reversed ? Exchanged(setup.Orientation1) : setup.Orientation1;
    m_pointer2.Visible = setup.Pointer2;
    m_pointer2.Orientation = reversed ? Exchanged(setup.Orientation2) : setup.Orientation2;
    m_hintOrientation = reversed ? Exchanged(setup.Hint) : setup.Hint;
}

void TiPlotDataCursor::SetXYAxesReversed(bool value)
{
    TiPlotManagerObject::SetXYAxesReversed(value);
    DoSetup();
}

void TiPlotDataCursor::SetVisible(bool value)
{
    TiPlotManagerObject::SetVisible(value);
    if (value)
        DoUpdate();
}

void TiPlotDataCursor::DoUpdate()
{
    Owner()->DoBeforeDataCursorUpdate(this);
    if (!IsAllChannels()) {
        if (TiPlotChannelCustom* channel = GetChannel())
            channel->DataCursorUpate(this);
        return;
    }
    for (int i = 0; i < Owner()->ChannelCount(); ++i)
        if (TiPlotChannelCustom* channel = Owner()->GetChannel(i))
            channel->DataCursorUpate(this);
}

void TiPlotDataCursor::NotificationRemove(TObject* sender)
{
    TiPlotManagerObject::NotificationRemove(sender);
    if (sender == m_channel)
        m_channel = nullptr;
    // Any channel that leaves shifts the indexes after it: the last snap no longer names its point.
    if (dynamic_cast<TiPlotChannelCustom*>(sender)) {
        m_snapChannelIndex = -1;
        ++m_channelRemovals;
    }
    // The data view is held between paints too (keys, presses): never keep a departed one.
    if (sender == m_dataView)
        m_dataView = nullptr;
}

void TiPlotDataCursor::NotificationRename(TObject* sender)
{
    TiPlotManagerObject::NotificationRename(sender);
    if (m_channel && sender == m_channel)
        m_channelName = m_channel->Name();
}

bool TiPlotDataCursor::ShowsAllChannelsInLegend() const
{
    return Visible() && IsAllChannels() && m_channelShowAllInLegend;
}

void TiPlotDataCursor::SetPaintDataView(TiPlotObject* dataView)
{
    m_dataView = dynamic_cast<TiPlotDataView*>(dataView);
}

TColor TiPlotDataCursor::PointerColor()
{
    TiPlotChannelCustom* channel = GetChannel();
    return m_useChannelColor && channel ? channel->Color() : m_color;
}

void TiPlotDataCursor::DrawPointer(TCanvas& canvas, TPointer& pointer, double position, bool dragged)
{
    canvas.Pen().SetWidth(dragged ? 0 : m_pointerPenWidth);
    const TRect view = m_dataView->GetDrawRect();
    if (pointer.Orientation == ioVertical) {
        const int x = m_dataView->PositionPercentToPixelsX(position);
        canvas.MoveTo(x, view.Top);
        canvas.LineTo(x, view.Bottom);
        pointer.HitRect = TRect{x - 5, view.Top, x + 6, view.Bottom};
    } else {
        const int y = m_dataView->PositionPercentToPixelsY(position);
        canvas.MoveTo(view.Left, y);
        canvas.LineTo(view.Right, y);
        pointer.HitRect = TRect{view.Left, y - 5, view.Right, y + 6};
    }
}

void TiPlotDataCursor::Draw(TCanvas& canvas, TColor /*backGroundColor*/)
{
    // Only what this paint draws can be grabbed.
    m_hintDrawn = false;
    if (!m_dataView || !Visible())
        return;
    DoUpdate();
    canvas.Pen().SetColor(PointerColor());
    canvas.Pen().SetStyle(psSolid);
    if (m_pointer1.Visible)
        DrawPointer(canvas, m_pointer1, m_pointer1Position, m_pointer1Dragging);
    if (m_pointer2.Visible)
        DrawPointer(canvas, m_pointer2, m_pointer2Position, m_pointer2Dragging);
    if (HintShowing())
        DrawHint(canvas);
}

bool TiPlotDataCursor::HintShowing() const
{
    const bool pointerDragged = m_pointer1Dragging || m_pointer2Dragging;
    return m_hintShow && !IsAllChannels() && !(m_hintHideOnRelease && !pointerDragged);
}

bool TiPlotDataCursor::IsDeltaStyle() const
{
    return m_style == ipcsDeltaX || m_style == ipcsDeltaY || m_style == ipcsInverseDeltaX;
}

void TiPlotDataCursor::DrawHint(TCanvas& canvas)
{
    std::string text = GetChannel() ? m_hintText : GetTranslation("No Channel");
    Owner()->DoDataCursorCustomizeHint(this, text);
    canvas.Font().Assign(*m_font);
    const int w = iTextWidth(canvas, text);
    const int h = iTextHeightFixedWidth(canvas, text, w);
    const int a = canvas.TextWidth("A");
    TRect box = PlaceHintBox(w, h, a);

    // Shifted back inside the data view: left edge, right edge, top edge, bottom edge.
    const TRect view = m_dataView->GetDrawRect();
    if (box.Left < view.Left)
        OffsetRect(box, view.Left - box.Left, 0);
    if (box.Right > view.Right)
        OffsetRect(box, view.Right - box.Right, 0);
    if (box.Top < view.Top)
        OffsetRect(box, 0, view.Top - box.Top);
    if (box.Bottom > view.Bottom)
        OffsetRect(box, 0, view.Bottom - box.Bottom);
    m_hintRect = box;
    m_hintDrawn = true;

    if (IsDeltaStyle())
        DrawDeltaLine(canvas);
    TiPlotChannelCustom* channel = GetChannel();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(m_useChannelColor && channel ? channel->Color() : clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clInfoBk);
    canvas.Font().SetColor(clInfoText);
    canvas.Rectangle(box);
    TRect textRect{box.Left + 2, box.Top + 1, box.Right, box.Bottom};
    iDrawText(canvas, text, textRect, {itfHLeft, itfVCenter}, true, clInfoBk);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(box);

    if (UserSelected()) {
        canvas.Font().SetColor(clWhite);
        canvas.Pen().SetColor(clWhite);
        TRect focus = box;
        InflateRect(focus, 2, 2);
        iDrawFocusRect2(canvas, focus);
    }
}

// The box of a text w wide and h high beside (or, for the delta styles, between) the pointers.
// A box that would leave the data view beside the pointer goes to its other side, and stays
// there: the side is kept in HintOrientationSide.
TRect TiPlotDataCursor::PlaceHintBox(int w, int h, int a)
{
    const TRect view = m_dataView->GetDrawRect();
    const TRect& anchorRect = m_pointer1.Visible ? m_pointer1.HitRect : m_pointer2.HitRect;
    const int boxHeight = a / 2 + h;
    const int boxWidth = w + a;
    if (m_hintOrientation == ioVertical) {
        int anchor = CentreX(anchorRect);
        if (anchor + kHintGap + a + w > view.Right)
            m_hintOrientationSide = iosTopLeft;
        if (anchor - kHintGap - a - w < view.Left)
            m_hintOrientationSide = iosBottomRight;
        const int y = m_dataView->PositionPercentToPixelsY(m_hintPosition);
        if (IsDeltaStyle()) {
            anchor = (m_pointer1.HitRect.Left + m_pointer1.HitRect.Right + m_pointer2.HitRect.Left +
                      m_pointer2.HitRect.Right) /
                     4;
            return Rect(anchor - boxWidth / 2, y - boxHeight / 2, anchor + boxWidth / 2, y + boxHeight / 2);
        }
        if (m_hintOrientationSide == iosBottomRight)
            return Rect(anchor + kHintGap, y - boxHeight / 2, anchor + kHintGap + w + a, y + boxHeight / 2);
        return Rect(anchor - kHintGap - w - a, y - boxHeight / 2, anchor - kHintGap, y + boxHeight / 2);
    }
    int anchor = CentreY(anchorRect);
    if (anchor + a + h > view.Bottom)
        m_hintOrientationSide = iosTopLeft;
    if (anchor - a - h < view.Top)
        m_hintOrientationSide = iosBottomRight;
    const int x = m_dataView->PositionPercentToPixelsX(m_hintPosition);
    if (IsDeltaStyle()) {
        anchor =
            (m_pointer1.HitRect.Top + m_pointer1.HitRect.Bottom + m_pointer2.HitRect.Top + m_pointer2.HitRect.Bottom) /
            4;
        return Rect(x - boxWidth / 2, anchor - boxHeight / 2, x + boxWidth / 2, anchor + boxHeight / 2);
    }
    if (m_hintOrientationSide == iosBottomRight)
        return Rect(x - boxWidth / 2, anchor + kHintGap, x + boxWidth / 2, anchor + kHintGap + boxHeight);
    return Rect(x - boxWidth / 2, anchor - kHintGap - boxHeight, x + boxWidth / 2, anchor - kHintGap);
}

// The distance measured: a dotted line from pointer to pointer through the middle of the box.
void TiPlotDataCursor::DrawDeltaLine(TCanvas& canvas)
{
    canvas.Pen().SetColor(PointerColor());
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsClear);
    if (m_hintOrientation == ioVertical) {
        const int y = CentreY(m_hintRect);
        canvas.MoveTo(CentreX(m_pointer1.HitRect), y);
        canvas.LineTo(CentreX(m_pointer2.HitRect), y);
    } else {
        const int x = CentreX(m_hintRect);
        canvas.MoveTo(x, CentreY(m_pointer1.HitRect));
        canvas.LineTo(x, CentreY(m_pointer2.HitRect));
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TiPlotDataCursor::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    if (!m_dataView)
        return false;
    const TPoint p{mouseData.X, mouseData.Y};
    return (m_pointer1.Visible && PtInRect(m_pointer1.HitRect, p)) ||
           (m_pointer2.Visible && PtInRect(m_pointer2.HitRect, p)) || (m_hintDrawn && PtInRect(m_hintRect, p));
}

TCursor TiPlotDataCursor::GetMousePointer(TPoint)
{
    TCursor cursor = crHandPoint;
    Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotDataCursor::DoMouseLeft(const TiPlotMouseData& mouseData)
{
    TiPlotManagerObject::DoMouseLeft(mouseData);
    m_pressPoint = {mouseData.X, mouseData.Y};
    if (!m_dataView)
        return;
    auto pixelsOf = [this](double position) {
        return TPoint{m_dataView->PositionPercentToPixelsX(position), m_dataView->PositionPercentToPixelsY(position)};
    };
    if (m_hintDrawn && PtInRect(m_hintRect, m_pressPoint)) {
        m_hintDragging = true;
        m_pressPartPixels = pixelsOf(m_hintPosition);
    } else if (m_pointer1.Visible && PtInRect(m_pointer1.HitRect, m_pressPoint)) {
        m_pointer1Dragging = true;
        m_pressPartPixels = pixelsOf(m_pointer1Position);
        DoUpdate();
    } else if (m_pointer2.Visible && PtInRect(m_pointer2.HitRect, m_pressPoint)) {
        m_pointer2Dragging = true;
        m_pressPartPixels = pixelsOf(m_pointer2Position);
        DoUpdate();
    } else {
        return;
    }
    TriggerInvalidateNow(this);
}

void TiPlotDataCursor::DoMouseMove(const TiPlotMouseData& mouseData)
{
    TiPlotManagerObject::DoMouseMove(mouseData);
    if (!DataViewHasArea())
        return;
    // The grabbed part keeps its distance to the mouse, along its own direction.
    const double alongX = m_dataView->PixelsXToPositionPercent(mouseData.X - m_pressPoint.X + m_pressPartPixels.X);
    const double alongY = m_dataView->PixelsYToPositionPercent(mouseData.Y - m_pressPoint.Y + m_pressPartPixels.Y);
    if (m_hintDragging)
        m_hintPosition = ClampPercent(m_hintOrientation == ioHorizontal ? alongX : alongY);
    else if (m_pointer1Dragging)
        m_pointer1Position = ClampPercent(m_pointer1.Orientation == ioVertical ? alongX : alongY);
    else if (m_pointer2Dragging)
        m_pointer2Position = ClampPercent(m_pointer2.Orientation == ioVertical ? alongX : alongY);
    else
        return;
    DoUpdate();
    TriggerInvalidateNow(this);
}

void TiPlotDataCursor::DoMouseUp(const TiPlotMouseData& mouseData)
{
    TiPlotManagerObject::DoMouseUp(mouseData);
    if (!m_hintDragging && !m_pointer1Dragging && !m_pointer2Dragging)
        return;
    if (m_pointer1Dragging)
        DoSnapTo(1);
    else if (m_pointer2Dragging)
        DoSnapTo(2);
    m_hintDragging = m_pointer1Dragging = m_pointer2Dragging = false;
    TriggerInvalidateNow(this);
    if (MouseIsDown() && iMouseHitTest(mouseData))
        Owner()->DoObjectClick(this);
}

// ---------------------------------------------------------------------------------------------
// Selection

void TiPlotDataCursor::DoSetFocus()
{
    TiPlotManagerObject::DoSetFocus();
    if (TiPlotChannelCustom* channel = GetChannel())
        channel->SetUserSelected(true);
}

void TiPlotDataCursor::NotificationSetFocus(TObject* sender)
{
    TiPlotManagerObject::NotificationSetFocus(sender);
    auto* other = dynamic_cast<TiPlotObject*>(sender);
    if (!other || other == this || !other->UserSelected())
        return;
    // Picking a channel while the cursor is selected moves the cursor onto that channel.
    if (auto* channel = dynamic_cast<TiPlotChannelCustom*>(other)) {
        if (channel == GetChannel())
            return;
        if (UserSelected()) {
            SetChannelName(channel->Name());
            return;
        }
    }
    SetUserSelected(false);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

bool TiPlotDataCursor::DataViewHasArea() const
{
    return m_dataView && m_dataView->GetWidth() > 0 && m_dataView->GetHeight() > 0;
}

// One pixel of the data view in percent, across and up.
double TiPlotDataCursor::StepX() const
{
    return std::fabs(m_dataView->PixelsXToPositionPercent(101) - m_dataView->PixelsXToPositionPercent(100));
}

double TiPlotDataCursor::StepY() const
{
    return std::fabs(m_dataView->PixelsYToPositionPercent(100) - m_dataView->PixelsYToPositionPercent(101));
}

void TiPlotDataCursor::iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu)
{
    TiPlotManagerObject::iKeyDown(key, shift, popupMenu);
    if (!DataViewHasArea())
        return;
    if (m_snapToDataPoint && DoKeySnapToDataPoint(key, shift, popupMenu))
        return;
    if (!StepByKey(key, shift))
        return;
    KeepPositionsInRange();
    TriggerInvalidateNow(this);
}

// The pixel steps: arrows move the hint along its pointer and pointer 1 (with Ctrl pointer 2)
// across its line; Page Up and Down take five steps, Home and End go to the ends.
bool TiPlotDataCursor::StepByKey(int key, TShiftState shift)
{
    const bool second = shift.count(ssCtrl) > 0;
    const TPointer& pointer = second ? m_pointer2 : m_pointer1;
    double& position = second ? m_pointer2Position : m_pointer1Position;
    const bool vertical = pointer.Orientation == ioVertical;
    const double step = vertical ? StepX() : StepY();
    auto moveHint = [&](TiOrientation along, double delta) {
        if (!second && m_hintShow && m_hintOrientation == along)
            m_hintPosition += delta;
    };
    auto movePointer = [&](bool onVertical, double delta) {
        if (pointer.Visible && vertical == onVertical)
            position += delta;
    };
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
        const double delta = key == VK_LEFT ? -StepX() : StepX();
        moveHint(ioHorizontal, delta);
        movePointer(true, delta);
        return true;
    }
    case VK_UP:
    case VK_DOWN: {
        const double delta = key == VK_DOWN ? -StepY() : StepY();
        moveHint(ioVertical, delta);
        movePointer(false, delta);
        return true;
    }
    case VK_PRIOR:
    case VK_NEXT:
        if (pointer.Visible)
            position += (key == VK_PRIOR ? 5 : -5) * step;
        return true;
    case VK_HOME:
    case VK_END:
        if (pointer.Visible)
            position = key == VK_HOME ? 0 : 100;
        return true;
    default: return false;
    }
}

void TiPlotDataCursor::KeepPositionsInRange()
{
    m_hintPosition = ClampPercent(m_hintPosition);
    m_pointer1Position = ClampPercent(m_pointer1Position);
    m_pointer2Position = ClampPercent(m_pointer2Position);
}

void TiPlotDataCursor::MoveHint(TiCountDirection direction)
{
    if (!DataViewHasArea())
        return;
    const double step = m_hintOrientation == ioHorizontal ? StepX() : StepY();
    m_hintPosition = ClampPercent(m_hintPosition + (direction == icdUp ? step : -step));
    TriggerInvalidateNow(this);
}

bool TiPlotDataCursor::DoKeySnapToDataPoint(int& key, TShiftState shift, TPopupMenu*)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: break;
    default: return false;
    }
    const int pointer = shift.count(ssCtrl) ? 2 : 1;
    // Where there is no point to start from, the keys take their pixel steps instead.
    if (!DoSnapTo(pointer))
        return false;
    const bool reversed = XYAxesReversed();
    auto move = [&](int offset) { MoveCursorToDataPoint(m_snapChannelIndex, m_snapDataIndex, offset, pointer); };
    switch (key) {
    case VK_LEFT: reversed ? MoveHint(icdDown) : move(-1); break;
    case VK_RIGHT: reversed ? MoveHint(icdUp) : move(1); break;
    case VK_UP: reversed ? move(1) : MoveHint(icdUp); break;
    case VK_DOWN: reversed ? move(-1) : MoveHint(icdDown); break;
    case VK_PRIOR: move(5); break;
    case VK_NEXT: move(-5); break;
    case VK_HOME: MoveCursorToDataPoint(m_snapChannelIndex, 0, 0, pointer); break;
    case VK_END: MoveCursorToDataPoint(m_snapChannelIndex, kLastDataIndex, 0, pointer); break;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Snapping

bool TiPlotDataCursor::IsStripChartPlot() const { return Owner()->IsStripChartPlot(); }

// Only a pointer lying across the X axis reads an X that a data point can give it.
bool TiPlotDataCursor::PointerReadsX(int pointer) const
{
    const TPointer& p = pointer == 1 ? m_pointer1 : m_pointer2;
    return p.Visible && (p.Orientation == ioVertical) != XYAxesReversed();
}

int TiPlotDataCursor::GetNearestSnapToIndex(TiPlotChannel* channel, double X, double Percent, double& Distance)
{
    Distance = kNoDistance;
    const int count = channel->GetCount();
    if (count == 0)
        return -1;
    // Compared along the channel's own X order, increasing or decreasing. The order is otherwise
    // learnt when the channel is drawn: points added since must count.
    channel->UpdateXIncreasing();
    const double order = channel->XIncreasing() ? 1 : -1;
    int result = -1;
    if (order * X >= order * channel->GetDataX(count - 1)) {
        result = count - 1;
    } else if (order * X <= order * channel->GetDataX(0)) {
        result = 0;
    } else {
        TiPlotXAxis* axis = channel->GetXAxis();
        const int i = axis ? channel->CalcIndex(axis->PercentToPosition(Percent / 100)) : -1;
        if (i < 0)
            return -1;
        double nearest = kNoDistance;
        for (int j = std::max(i - 1, 0); j <= std::min(i + 1, count - 1); ++j) {
            const double d = std::fabs(X - channel->GetDataX(j));
            if (result < 0 || d < nearest) {
                result = j;
                nearest = d;
            }
        }
    }
    Distance = std::fabs(X - channel->GetDataX(result));
    return result;
}

bool TiPlotDataCursor::DoSnapTo(int pointer)
{
    if (!m_snapToDataPoint || !IsStripChartPlot() || m_style == ipcsDeltaY || !PointerReadsX(pointer))
        return false;
    const double percent = pointer == 1 ? m_pointer1Position : m_pointer2Position;
    int channelIndex = -1;
    int dataIndex = -1;
    double nearest = kNoDistance;
    auto consider = [&](int index, TiPlotChannelCustom* candidate) {
        auto* channel = dynamic_cast<TiPlotChannel*>(candidate);
        TiPlotXAxis* axis = channel ? channel->GetXAxis() : nullptr;
        if (!axis)
            return;
        double distance;
        const int i = GetNearestSnapToIndex(channel, axis->PercentToPosition(percent / 100), percent, distance);
        // Ties keep the earlier channel.
        if (i >= 0 && (channelIndex < 0 || distance < nearest)) {
            channelIndex = index;
            dataIndex = i;
            nearest = distance;
        }
    };
    if (IsAllChannels()) {
        for (int i = 0; i < Owner()->ChannelCount(); ++i)
            consider(i, Owner()->GetChannel(i));
    } else if (TiPlotChannelCustom* channel = GetChannel()) {
        consider(Owner()->GetChannelIndexByName(m_channelName), channel);
    }
    if (channelIndex < 0)
        return false;
    m_snapChannelIndex = channelIndex;
    m_snapDataIndex = dataIndex;
    MoveCursorToDataPoint(channelIndex, dataIndex, 0, pointer);
    return true;
}

void TiPlotDataCursor::DoSnapToDataPoint()
{
    DoSnapTo(1);
    DoSnapTo(2);
}

void TiPlotDataCursor::MoveCursorToDataPoint(int channelIndex, int dataIndex, int offset, int pointer)
{
    if (!IsStripChartPlot() || channelIndex < 0 || channelIndex >= Owner()->ChannelCount())
        return;
    auto* channel = dynamic_cast<TiPlotChannel*>(Owner()->GetChannel(channelIndex));
    TiPlotXAxis* axis = channel ? channel->GetXAxis() : nullptr;
    if (!axis || channel->GetCount() == 0)
        return;
    const int64_t wanted = int64_t(dataIndex) + (axis->ReverseScale() ? -int64_t(offset) : int64_t(offset));
    const double x = channel->GetDataX(int(std::clamp<int64_t>(wanted, 0, channel->GetCount() - 1)));
    // The axis scrolls so that the point sits a fortieth of the span inside its edge. Its
    // events may take channels out of the plot: then the point is no longer known.
    const int removals = m_channelRemovals;
    if (axis->GetMax() < x)
        axis->SetMin(x - axis->Span() + axis->Span() / 40);
    if (removals == m_channelRemovals && axis->Min() > x)
        axis->SetMin(x - axis->Span() / 40);
    if (removals != m_channelRemovals || !(axis = channel->GetXAxis()))
        return;
    const double percent = axis->PositionToDataViewFraction(x) * 100;
    if (pointer == 1)
        SetPointer1Position(percent);
    else
        SetPointer2Position(percent);
}

// ---------------------------------------------------------------------------------------------
// Reading a value without showing it

TiPlotDataPointStatus TiPlotDataCursor::GetInterpolatedYValue(const std::string& channelName, double X, double& Y)
{
    Y = 0;
    auto* channel = dynamic_cast<TiPlotChannel*>(Owner()->GetChannelByName(channelName));
    TiPlotXAxis* axis = channel ? channel->GetXAxis() : nullptr;
    if (!axis)
        return ipdpsNull;
    const bool keptVisible = Visible();
    const TiPlotDataCursorStyle keptStyle = m_style;
    const std::string keptChannelName = m_channelName;
    const double keptPointer1 = m_pointer1Position;
    const double keptMin = axis->Min();
    // The axis moves for the reading only: the plot hears nothing of it.
    axis->SetInSetMinSpan(true);
    TScopeExit restore([&] {
        SetVisible(keptVisible);
        SetStyle(keptStyle);
        SetChannelName(keptChannelName);
        SetPointer1Position(keptPointer1);
        for (int i = 0; i < Owner()->XAxisCount(); ++i) {
            if (Owner()->GetXAxis(i) == axis) {
                axis->SetMin(keptMin);
                axis->SetInSetMinSpan(false);
            }
        }
    });
    SetVisible(true);
    SetStyle(ipcsValueXY);
    SetChannelName(channelName);
    if (m_useCachedInterpolatedData) {
        SetPointer1Position(axis->PositionToDataViewFraction(X) * 100);
        DoUpdate();
    } else {
        // The channel interpolates along the drawn pixels: a full paint with X at the axis's
        // start lays the axis out for the reading.
        axis->SetMin(X);
        SetPointer1Position(axis->PositionToDataViewFraction(X) * 100);
        if (!Owner()->CalcLayoutNow())
            DoUpdate();
    }
    // Taken before the guard puts the cursor back, whose next update would change them.
    Y = m_dataY;
    return m_dataStatus;
}

// ---------------------------------------------------------------------------------------------
// Popup menu

TMenuItem* TiPlotDataCursor::AddMenuItem(TMenuItem* parent, const std::string& caption, bool checked,
                                         void (TiPlotDataCursor::*handler)(TObject*))
{
    auto* item = new TiMenuItem(parent);
    item->SetCaption(caption);
    item->SetChecked(checked);
    if (handler)
        item->OnClick = TNotifyEvent::Bind(this, handler);
    parent->Add(item);
    return item;
}

void TiPlotDataCursor::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotManagerObject::AddMenuItems(popupMenu);
    AddChannelMenu(popupMenu);
    AddStyleMenu(popupMenu);
    if (m_menuUserCanChangeOptions)
        AddOptionsMenu(popupMenu);
    if (!GetIsXYPlot())
        AddMenuItem(popupMenu->Items(), GetTranslation("Snap to Data-Point"), m_snapToDataPoint,
                    &TiPlotDataCursor::SnapToDataPointMenuItemClick);
    AddEditMenuItems(popupMenu);
}

void TiPlotDataCursor::AddChannelMenu(TPopupMenu* popupMenu)
{
    TMenuItem* menu = AddMenuItem(popupMenu->Items(), GetTranslation("Channel"), false, nullptr);
    if (m_channelAllowAll)
        AddMenuItem(menu, GetTranslation(kAllChannels), IsAllChannels(), &TiPlotDataCursor::AllChannelsMenuItemClick);
    for (int i = 0; i < Owner()->ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = Owner()->GetChannel(i);
        if (!channel || !channel->Visible())
            continue;
        auto* item = static_cast<TiMenuItem*>(AddMenuItem(menu, WithoutLineBreaks(channel->TitleText()),
                                                          channel->Name() == m_channelName,
                                                          &TiPlotDataCursor::ChannelNameMenuItemClick));
        item->SetObjectName(channel->Name());
    }
}

void TiPlotDataCursor::AddStyleMenu(TPopupMenu* popupMenu)
{
    using THandler = void (TiPlotDataCursor::*)(TObject*);
    static constexpr THandler kHandlers[kStyleCount] = {
        &TiPlotDataCursor::StyleValueXYMenuItemClick, &TiPlotDataCursor::StyleValueXMenuItemClick,
        &TiPlotDataCursor::StyleValueYMenuItemClick,  &TiPlotDataCursor::StyleDeltaXMenuItemClick,
        &TiPlotDataCursor::StyleDeltaYMenuItemClick,  &TiPlotDataCursor::StyleInverseDeltaXMenuItemClick};
    TMenuItem* menu = AddMenuItem(popupMenu->Items(), GetTranslation("Style"), false, nullptr);
    for (int style = 0; style < kStyleCount; ++style)
        AddMenuItem(menu, GetTranslation(m_menuItemCaption[style]), m_style == style, kHandlers[style])
            ->SetVisible(m_menuItemVisible[style]);
}

void TiPlotDataCursor::AddOptionsMenu(TPopupMenu* popupMenu)
{
    TMenuItem* menu = AddMenuItem(popupMenu->Items(), GetTranslation("Options"), false, nullptr);
    AddMenuItem(menu, GetTranslation("Use Channel Color"), m_useChannelColor,
                &TiPlotDataCursor::UseChannelColorMenuItemClick);
    AddMenuItem(menu, GetTranslation("Hide Hint On Release"), m_hintHideOnRelease,
                &TiPlotDataCursor::HideHintOnReleaseMenuItemClick);
    // The delta styles centre their hint between the pointers: it has no side to flip.
    const bool valueStyle = m_style == ipcsValueXY || m_style == ipcsValueX || m_style == ipcsValueY;
    AddMenuItem(menu, GetTranslation("Flip Alignment"), false, &TiPlotDataCursor::FlipMenuItemClick)
        ->SetEnabled(valueStyle && !IsAllChannels());
}

void TiPlotDataCursor::AllChannelsMenuItemClick(TObject*)
{
    SetChannelName(kAllChannels);
    for (int i = 0; i < Owner()->ChannelCount(); ++i)
        if (TiPlotChannelCustom* channel = Owner()->GetChannel(i))
            channel->SetUserSelected(false);
}

void TiPlotDataCursor::ChannelNameMenuItemClick(TObject* sender)
{
    auto* item = dynamic_cast<TiMenuItem*>(sender);
    if (!item)
        return;
    SetChannelName(item->ObjectName());
    if (TiPlotChannelCustom* channel = GetChannel())
        channel->SetUserSelected(true);
    DoSnapToDataPoint();
}

void TiPlotDataCursor::UseChannelColorMenuItemClick(TObject*)
{
    m_useChannelColor = !m_useChannelColor;
    TriggerInvalidateNow(this);
}

void TiPlotDataCursor::HideHintOnReleaseMenuItemClick(TObject*)
{
    m_hintHideOnRelease = !m_hintHideOnRelease;
    TriggerInvalidateNow(this);
}

void TiPlotDataCursor::FlipMenuItemClick(TObject*)
{
    m_hintOrientationSide = m_hintOrientationSide == iosBottomRight ? iosTopLeft : iosBottomRight;
    TriggerInvalidateNow(this);
}

void TiPlotDataCursor::SnapToDataPointMenuItemClick(TObject*)
{
    m_snapToDataPoint = !m_snapToDataPoint;
    if (m_snapToDataPoint)
        DoSnapToDataPoint();
}

PRAVIX_PUBLISH(
    TiPlotDataCursor, Prop("ChannelName", &TiPlotDataCursor::ChannelName, &TiPlotDataCursor::SetChannelName),
    Prop("ChannelAllowAll", &TiPlotDataCursor::ChannelAllowAll, &TiPlotDataCursor::SetChannelAllowAll),
    Prop("ChannelShowAllInLegend", &TiPlotDataCursor::ChannelShowAllInLegend,
         &TiPlotDataCursor::SetChannelShowAllInLegend),
    Prop("Style", &TiPlotDataCursor::Style, &TiPlotDataCursor::SetStyle),
    Prop("Font", &TiPlotDataCursor::Font, &TiPlotDataCursor::SetFont).Owned(),
    Prop("Color", &TiPlotDataCursor::Color, &TiPlotDataCursor::SetColor),
    Prop("UseChannelColor", &TiPlotDataCursor::UseChannelColor, &TiPlotDataCursor::SetUseChannelColor),
    Prop("HintShow", &TiPlotDataCursor::HintShow, &TiPlotDataCursor::SetHintShow),
    Prop("HintHideOnRelease", &TiPlotDataCursor::HintHideOnRelease, &TiPlotDataCursor::SetHintHideOnRelease),
    Prop("HintOrientationSide", &TiPlotDataCursor::HintOrientationSide, &TiPlotDataCursor::SetHintOrientationSide),
    Prop("HintPosition", &TiPlotDataCursor::HintPosition, &TiPlotDataCursor::SetHintPosition),
    Prop("Pointer1Position", &TiPlotDataCursor::Pointer1Position, &TiPlotDataCursor::SetPointer1Position),
    Prop("Pointer2Position", &TiPlotDataCursor::Pointer2Position, &TiPlotDataCursor::SetPointer2Position),
    Prop("PointerPenWidth", &TiPlotDataCursor::PointerPenWidth, &TiPlotDataCursor::SetPointerPenWidth),
    Prop("MenuUserCanChangeOptions", &TiPlotDataCursor::MenuUserCanChangeOptions,
         &TiPlotDataCursor::SetMenuUserCanChangeOptions)
        .Default(true),
    Prop("SnapToDataPoint", &TiPlotDataCursor::SnapToDataPoint, &TiPlotDataCursor::SetSnapToDataPoint).Default(false),
    Prop("UseCachedInterpolatedData", &TiPlotDataCursor::UseCachedInterpolatedData,
         &TiPlotDataCursor::SetUseCachedInterpolatedData)
        .Default(false),
    Prop("MenuItemVisibleValueXY", &TiPlotDataCursor::MenuItemVisibleValueXY,
         &TiPlotDataCursor::SetMenuItemVisibleValueXY),
    Prop("MenuItemVisibleValueX", &TiPlotDataCursor::MenuItemVisibleValueX,
         &TiPlotDataCursor::SetMenuItemVisibleValueX),
    Prop("MenuItemVisibleValueY", &TiPlotDataCursor::MenuItemVisibleValueY,
         &TiPlotDataCursor::SetMenuItemVisibleValueY),
    Prop("MenuItemVisibleDeltaX", &TiPlotDataCursor::MenuItemVisibleDeltaX,
         &TiPlotDataCursor::SetMenuItemVisibleDeltaX),
    Prop("MenuItemVisibleDeltaY", &TiPlotDataCursor::MenuItemVisibleDeltaY,
         &TiPlotDataCursor::SetMenuItemVisibleDeltaY),
    Prop("MenuItemVisibleInverseDeltaX", &TiPlotDataCursor::MenuItemVisibleInverseDeltaX,
         &TiPlotDataCursor::SetMenuItemVisibleInverseDeltaX),
    Prop("MenuItemCaptionValueXY", &TiPlotDataCursor::MenuItemCaptionValueXY,
         &TiPlotDataCursor::SetMenuItemCaptionValueXY),
    Prop("MenuItemCaptionValueX", &TiPlotDataCursor::MenuItemCaptionValueX,
         &TiPlotDataCursor::SetMenuItemCaptionValueX),
    Prop("MenuItemCaptionValueY", &TiPlotDataCursor::MenuItemCaptionValueY,
         &TiPlotDataCursor::SetMenuItemCaptionValueY),
    Prop("MenuItemCaptionDeltaX", &TiPlotDataCursor::MenuItemCaptionDeltaX,
         &TiPlotDataCursor::SetMenuItemCaptionDeltaX),
    Prop("MenuItemCaptionDeltaY", &TiPlotDataCursor::MenuItemCaptionDeltaY,
         &TiPlotDataCursor::SetMenuItemCaptionDeltaY),
    Prop("MenuItemCaptionInverseDeltaX", &TiPlotDataCursor::MenuItemCaptionInverseDeltaX,
         &TiPlotDataCursor::SetMenuItemCaptionInverseDeltaX))

static const TiPlotKindRegistration dataCursorKind = [] {
    TiPlotKindClass kindClass;
    kindClass.Create = &CreatePlotObject<TiPlotDataCursor>;
    kindClass.IsKind = [](const TObject* object) { return dynamic_cast<const TiPlotDataCursor*>(object) != nullptr; };
    kindClass.AssignDataView = [](TiPlotObject& cursor, TiPlotObject* dataView) {
        static_cast<TiPlotDataCursor&>(cursor).SetPaintDataView(dataView);
    };
    return TiPlotKindRegistration(TiPlotObjectKind::DataCursor, std::move(kindClass));
}();
