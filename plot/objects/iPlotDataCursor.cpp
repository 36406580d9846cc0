#include "plot/objects/iPlotDataCursor.h"

#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotDataView.h"

#include <algorithm>

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
    if (!m_dataView || !Visible())
        return;
    DoUpdate();
    canvas.Pen().SetColor(PointerColor());
    canvas.Pen().SetStyle(psSolid);
    if (m_pointer1.Visible)
        DrawPointer(canvas, m_pointer1, m_pointer1Position, m_pointer1Dragging);
    if (m_pointer2.Visible)
        DrawPointer(canvas, m_pointer2, m_pointer2Position, m_pointer2Dragging);
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
