#include "plot/core/iPlotObjects.h"

#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "platform/gui/Application.h"
#include "platform/gui/Timers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kVirtualKeyF10 = 121;
constexpr int kVirtualKeyApps = 93;  // the context-menu key
constexpr unsigned kFirstRepeatMs = 500;
constexpr unsigned kRepeatMs = 50;

// Decimal text left-padded with "0"; a sign counts as one of the characters.
std::string ZeroPadded(long long value, std::size_t width)
{
    std::string text = IntToStr(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// IPlotHost

namespace {

// Percent of a pixel extent to a pixel, to the nearest (halves to even), kept within the
// range the canvas handles; an empty extent gives its start.
int PercentToPixel(int start, int extent, double fraction)
{
    if (extent <= 0)
        return start;
    const double pixel = std::nearbyint(extent * fraction + start);
    return int(std::clamp(pixel, -32000.0, 32000.0));
}

}  // namespace

int IPlotHost::PositionPercentToPixelsX(double percent)
{
    const TRect view = GetDataViewRect();
    return PercentToPixel(view.Left, view.Width(), percent / 100);
}

int IPlotHost::PositionPercentToPixelsY(double percent)
{
    const TRect view = GetDataViewRect();
    return PercentToPixel(view.Top, view.Height(), (100 - percent) / 100);
}

const TiPlotChangeRoute& TiPlotChangeRoute::None()
{
    static const TiPlotChangeRoute route{};
    return route;
}

// ---------------------------------------------------------------------------------------------
// TiPlotObject

TiPlotObject::TiPlotObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                           TNotifyEvent onRename)
    : OnChange(std::move(onChange)),
      OnRemove(std::move(onRemove)),
      OnInsert(std::move(onInsert)),
      OnRename(std::move(onRename)),
      m_owner(owner),
      m_changeRoute(owner ? &owner->ChangeRoute() : &TiPlotChangeRoute::None())
{
}

TiPlotObject::~TiPlotObject() = default;

void TiPlotObject::AnnounceRemoval()
{
    if (m_removalAnnounced)
        return;
    m_removalAnnounced = true;
    OnRemove(this);
    TriggerLayoutChange(this);
}

void ReleasePlotObject(TiPlotObject* object)
{
    if (!object)
        return;
    object->AnnounceRemoval();
    if (object->m_owner && object->m_owner->KeepReleasedObject(object))
        return;
    delete object;
}

template <typename T>
void TiPlotObject::SetTypedProperty(const T& value, T& field, TNotification notify)
{
    if (value == field)
        return;
    field = value;
    if (notify)
        (this->*notify)(this);
}

void TiPlotObject::SetBooleanProperty(bool value, bool& field, TNotification notify)
{
    SetTypedProperty(value, field, notify);
}

void TiPlotObject::SetColorProperty(TColor value, TColor& field, TNotification notify)
{
    SetTypedProperty(value, field, notify);
}

void TiPlotObject::SetDoubleProperty(double value, double& field, TNotification notify)
{
    SetTypedProperty(value, field, notify);
}

void TiPlotObject::SetIntegerProperty(int value, int& field, TNotification notify)
{
    SetTypedProperty(value, field, notify);
}

void TiPlotObject::SetStringProperty(const std::string& value, std::string& field, TNotification notify)
{
    SetTypedProperty(value, field, notify);
}

void TiPlotObject::SetName(const std::string& value)
{
    if (value == m_name)
        return;
    m_previousName = m_name;
    m_name = value;
    TriggerRename(this);
}

void TiPlotObject::SetLayer(int value) { SetIntegerProperty(value, m_layer, &TiPlotObject::TriggerChange); }

void TiPlotObject::SetPopupEnabled(bool value)
{
    SetBooleanProperty(value, m_popupEnabled, &TiPlotObject::TriggerChange);
}

void TiPlotObject::SetCanFocus(bool value) { SetBooleanProperty(value, m_canFocus, &TiPlotObject::TriggerChange); }

void TiPlotObject::SetUserSelected(bool value)
{
    if (value == m_userSelected)
        return;
    m_userSelected = value;
    TriggerInvalidateNow(this);
    if (value) {
        TriggerSetFocus(this);
        DoSetFocus();
    } else {
        DoLostFocus();
    }
}

void TiPlotObject::SetVisible(bool value) { SetBooleanProperty(value, m_visible, &TiPlotObject::TriggerChange); }

void TiPlotObject::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    if (!value) {
        m_mouseIsDown = false;
        SetUserSelected(false);
    }
    TriggerChange(this);
}

void TiPlotObject::SetXYAxesReversed(bool value) { m_xyAxesReversed = value; }

void TiPlotObject::TriggerChange(TObject*)
{
    // The repaint that waits takes this change too; the notification is left out only when
    // that repaint is all it would lead to. Any other listener hears of every change.
    if (ChangeAbsorbed())
        return;
    OnChange(this);
}

void TiPlotObject::TriggerLayoutChange(TObject*)
{
    OnLayoutChange(this);
    TriggerChange(this);
}

void TiPlotObject::TriggerRename(TObject*)
{
    OnRename(this);
    TriggerChange(this);
}

void TiPlotObject::TriggerInvalidateNow(TObject*) { OnInvalidateNow(this); }

void TiPlotObject::TriggerSetFocus(TObject*) { OnSetFocus(this); }

void TiPlotObject::NotificationRemove(TObject*) {}

void TiPlotObject::NotificationRename(TObject*) {}

void TiPlotObject::NotificationSetFocus(TObject*) {}

void TiPlotObject::DrawSetup(TCanvas&) { m_readyToDraw = true; }

void TiPlotObject::Draw(TCanvas&, TColor) {}

TiPlotMouseData TiPlotObject::MakeMouseData(int x, int y, TShiftState shift, TMouseButton button,
                                            bool doubleClick) const
{
    TiPlotMouseData data;
    data.X = x;
    data.Y = y;
    CalcAxisPixels(x, y, data.XAxisPixels, data.YAxisPixels);
    data.Shift = shift;
    data.Button = button;
    data.DoubleClick = doubleClick;
    return data;
}

void TiPlotObject::iMouseDown(TMouseButton button, TShiftState shift, int x, int y, int, int, TPopupMenu*)
{
    if (!m_enabled)
        return;
    const TiPlotMouseData data = MakeMouseData(x, y, shift, button, false);
    m_popupPending = false;
    if (button == mbRight) {
        m_popupPending = m_popupEnabled;
        m_mouseIsDown = true;
        DoMouseRight(data);
    } else if (button == mbLeft) {
        m_mouseIsDown = true;
        DoMouseLeft(data);
    }
    if (iMouseHitTest(data) && m_owner)
        m_owner->DoObjectMouseDown(this, button, shift, x, y);
}

void TiPlotObject::iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int, int, bool doubleClick)
{
    const TiPlotMouseData data = MakeMouseData(x, y, shift, mbLeft, doubleClick);
    if (m_mouseIsDown)
        DoMouseMove(data);
    else
        DoMouseHint(data, hintData);
    if (iMouseHitTest(data) && m_owner)
        m_owner->DoObjectMouseMove(this, shift, x, y);
}

void TiPlotObject::iMouseUp(TMouseButton button, TShiftState shift, int x, int y, int screenX, int screenY,
                            bool doubleClick, TPopupMenu* popupMenu)
{
    const TiPlotMouseData data = MakeMouseData(x, y, shift, button, doubleClick);
    if (m_popupPending && iMouseHitTest(data))
        RunPopup(popupMenu, screenX, screenY, TPoint{screenX, screenY});
    m_popupPending = false;
    DoMouseUp(data);
    if (m_mouseIsDown) {
        m_mouseIsDown = false;
        if (m_owner)
            m_owner->DoObjectMouseUp(this, button, shift, x, y);
    }
}

void TiPlotObject::RunPopup(TPopupMenu* popupMenu, int screenX, int screenY, const std::optional<TPoint>& showAt)
{
    bool cancel = false;
    if (m_owner)
        m_owner->DoPopUpMenuEvent(this, cancel, screenX, screenY);
    if (cancel || !popupMenu)
        return;
    AddMenuItems(popupMenu);
    if (showAt)
        popupMenu->Popup(showAt->X, showAt->Y);
}

bool TiPlotObject::iMouseHitTest(const TiPlotMouseData&) { return false; }

bool TiPlotObject::iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos)
{
    const bool handled = DoMouseWheel(wheelDelta, shift, mousePos.X, mousePos.Y);
    if (m_owner)
        m_owner->DoObjectMouseWheel(this, wheelDelta, shift, mousePos.X, mousePos.Y);
    return handled;
}

void TiPlotObject::DoMouseHint(const TiPlotMouseData&, TiHintData&) {}

void TiPlotObject::DoMouseLeft(const TiPlotMouseData&) {}

void TiPlotObject::DoMouseRight(const TiPlotMouseData&) {}

void TiPlotObject::DoMouseMove(const TiPlotMouseData&) {}

void TiPlotObject::DoMouseUp(const TiPlotMouseData&) {}

void TiPlotObject::DoMouseDoubleClick(const TiPlotMouseData&) {}

bool TiPlotObject::DoMouseWheel(int, TShiftState, int, int) { return false; }

void TiPlotObject::DoSetFocus()
{
    if (m_owner)
        m_owner->DoObjectGotFocus(this);
}

void TiPlotObject::DoLostFocus()
{
    if (m_owner)
        m_owner->DoObjectLostFocus(this);
}

void TiPlotObject::DoMouseNotOver() {}

TiPlotObject* TiPlotObject::GetMouseObject(int, int)
{
    m_mouseObject = this;
    return this;
}

TCursor TiPlotObject::GetMousePointer(TPoint p)
{
    if (!m_mouseObject) {
        m_mouseObject = this;
        return crDefault;
    }
    if (m_mouseObject != this)
        return m_mouseObject->GetMousePointer(p);
    return crDefault;
}

void TiPlotObject::iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu)
{
    const bool shiftF10 = key == kVirtualKeyF10 && shift.count(ssShift);
    if (!(shiftF10 || key == kVirtualKeyApps) || !m_popupEnabled)
        return;
    std::optional<TPoint> showAt = KeyboardPopupCentre();
    if (showAt && m_owner)
        showAt = m_owner->PlotClientToScreen(*showAt);
    else
        showAt.reset();
    RunPopup(popupMenu, 0, 0, showAt);
}

std::optional<TPoint> TiPlotObject::KeyboardPopupCentre() const { return std::nullopt; }

void TiPlotObject::Loaded() { OnInsert(this); }

void TiPlotObject::AddMenuItems(TPopupMenu* popupMenu) { popupMenu->Items()->Clear(); }

void TiPlotObject::AddEditMenuItems(TPopupMenu* popupMenu)
{
    if (!m_userCanEdit)
        return;
    auto* item = new TMenuItem(popupMenu);
    item->SetCaption(GetTranslation("Edit..."));
    item->SetVisible(true);
    item->OnClick = TNotifyEvent::Bind(this, &TiPlotObject::EditMenuItemClick);
    popupMenu->Items()->Add(item);
}

void TiPlotObject::EditMenuItemClick(TObject*) { OnEdit(this); }

std::string TiPlotObject::GetLayerString() const { return ZeroPadded(m_layer, 6); }

bool TiPlotObject::HitTest(int x, int y)
{
    TiPlotMouseData data;
    data.X = x;
    data.Y = y;
    return iMouseHitTest(data);
}

void TiPlotObject::CalcAxisPixels(int x, int y, int& xAxisPixels, int& yAxisPixels) const
{
    xAxisPixels = m_xyAxesReversed ? y : x;
    yAxisPixels = m_xyAxesReversed ? x : y;
}

std::string TiPlotObject::GetTranslation(const std::string& text) const
{
    return m_owner ? m_owner->TranslateText(text) : text;
}

PRAVIX_PUBLISH(TiPlotObject, Prop("Name", &TiPlotObject::Name, &TiPlotObject::SetName),
               Prop("Visible", &TiPlotObject::Visible, &TiPlotObject::SetVisible).Default(true),
               Prop("Enabled", &TiPlotObject::Enabled, &TiPlotObject::SetEnabled).Default(true),
               Prop("Layer", &TiPlotObject::Layer, &TiPlotObject::SetLayer).Default(100),
               Prop("PopupEnabled", &TiPlotObject::PopupEnabled, &TiPlotObject::SetPopupEnabled).Default(true),
               Prop("CanFocus", &TiPlotObject::CanFocus, &TiPlotObject::SetCanFocus).Default(true))

// ---------------------------------------------------------------------------------------------
// TiPlotManagerObject

IPlotHost* CheckedPlotCallbacks(IPlotHost* owner, const char* noOwnerMessage, const TNotifyEvent& onChange,
                                const TNotifyEvent& onInsert, const TNotifyEvent& onRemove,
                                const TNotifyEvent& onRename)
{
    if (!owner)
        throw Exception(noOwnerMessage);
    if (!onChange)
        throw Exception("OnChange event handler can not be null");
    if (!onInsert)
        throw Exception("OnInsert event handler can not be null");
    if (!onRemove)
        throw Exception("OnRemove event handler can not be null");
    if (!onRename)
        throw Exception("AOnRename event handler can not be null");
    return owner;
}

TiPlotManagerObject::TiPlotManagerObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                         TNotifyEvent onRemove, TNotifyEvent onRename)
    // Copies, not moves: the arguments of one call are evaluated in no fixed order.
    : TiPlotObject(CheckedPlotCallbacks(owner, "Owner must be assigned", onChange, onInsert, onRemove, onRename),
                   onChange, onInsert, onRemove, onRename)
{
}

PRAVIX_PUBLISH(TiPlotManagerObject)

// ---------------------------------------------------------------------------------------------
// TiPlotLayoutObject

TiPlotLayoutObject::TiPlotLayoutObject(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                       TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
}

// The partner end moves silently so that the span stays at least 1 percent long.
void TiPlotLayoutObject::SetStartPercent(double value)
{
    if (value < 0)
        value = 0;
    if (value > 100)
        value = 100;
    if (m_stopPercent - value < 1) {
        m_stopPercent = value + 1;
        if (m_stopPercent > 100) {
            m_stopPercent = 100;
            value = 99;
        }
    }
    SetDoubleProperty(value, m_startPercent, &TiPlotObject::TriggerChange);
}

void TiPlotLayoutObject::SetStopPercent(double value)
{
    if (value < 0)
        value = 0;
    if (value > 100)
        value = 100;
    if (value - m_startPercent < 1) {
        m_startPercent = value - 1;
        if (m_startPercent < 0) {
            m_startPercent = 0;
            value = 1;
        }
    }
    SetDoubleProperty(value, m_stopPercent, &TiPlotObject::TriggerChange);
}

void TiPlotLayoutObject::SetStartStopPercent(double start, double stop)
{
    m_startPercent = start;
    m_stopPercent = stop;
    TriggerChange(this);
}

void TiPlotLayoutObject::SetZOrder(int value)
{
    SetIntegerProperty(value, m_zOrder, &TiPlotObject::TriggerLayoutChange);
}

void TiPlotLayoutObject::SetHorizontal(bool value)
{
    SetBooleanProperty(value, m_horizontal, &TiPlotObject::TriggerLayoutChange);
}

void TiPlotLayoutObject::SetForceStacking(bool value)
{
    SetBooleanProperty(value, m_forceStacking, &TiPlotObject::TriggerLayoutChange);
}

void TiPlotLayoutObject::SetReverseSide(bool value)
{
    SetBooleanProperty(value, m_reverseSide, &TiPlotObject::TriggerChange);
}

std::string TiPlotLayoutObject::GetZOrderString() const { return ZeroPadded(m_zOrder, 3); }

std::string TiPlotLayoutObject::GetStartPercentString() const { return ZeroPadded(RoundHalfEven(m_startPercent), 3); }

bool TiPlotLayoutObject::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    return PtInRect(m_drawRect, TPoint{mouseData.X, mouseData.Y});
}

void TiPlotLayoutObject::Loaded()
{
    TiPlotManagerObject::Loaded();
    OnLayoutChange(this);
}

bool TiPlotLayoutObject::GetIsHorz() const { return m_horizontal; }

bool TiPlotLayoutObject::GetIsVert() const { return !m_horizontal; }

int TiPlotLayoutObject::GetRequiredWidth(TCanvas&) { return 0; }

int TiPlotLayoutObject::GetRequiredLengthGaurd(TCanvas&) { return 0; }

std::optional<TPoint> TiPlotLayoutObject::KeyboardPopupCentre() const
{
    // Integer division, cutting toward zero.
    return TPoint{(m_drawRect.Left + m_drawRect.Right) / 2, (m_drawRect.Top + m_drawRect.Bottom) / 2};
}

PRAVIX_PUBLISH(TiPlotLayoutObject,
               Prop("StopPercent", &TiPlotLayoutObject::StopPercent, &TiPlotLayoutObject::SetStopPercent),
               Prop("StartPercent", &TiPlotLayoutObject::StartPercent, &TiPlotLayoutObject::SetStartPercent),
               Prop("ZOrder", &TiPlotLayoutObject::ZOrder, &TiPlotLayoutObject::SetZOrder),
               Prop("Horizontal", &TiPlotLayoutObject::Horizontal, &TiPlotLayoutObject::SetHorizontal))

// ---------------------------------------------------------------------------------------------
// TiPlotButton

TiPlotButton::TiPlotButton(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                           TNotifyEvent onRename)
    : TiPlotObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    SetEnabled(true);
}

TiPlotButton::~TiPlotButton() { DestroyTimer(); }

void TiPlotButton::SetDown(bool value)
{
    if (value == m_down)
        return;
    m_down = value;
    Invalidate();
    OnDownChange(this);
}

void TiPlotButton::Invalidate() { OnInvalidate(this); }

void TiPlotButton::TimerEvent(TObject*)
{
    // The click handler may free the button (its owner leaves the plot); nothing of the
    // button is touched after that.
    struct TickScope {
        TiPlotButton& button;
        std::weak_ptr<bool> alive;
        ~TickScope()
        {
            if (!alive.expired())
                button.m_insideTimerEvent = false;
        }
    } scope{*this, m_alive};
    m_insideTimerEvent = true;
    if (m_firstRepeat) {
        m_repeatTimer->SetInterval(kRepeatMs);
        m_firstRepeat = false;
    }
    OnClick(this);
    if (!scope.alive.expired())
        Invalidate();
}

void TiPlotButton::DestroyTimer()
{
    if (!m_repeatTimer)
        return;
    m_repeatTimer->SetEnabled(false);
    if (m_insideTimerEvent) {
        // The running tick belongs to this timer: free it once the tick has returned.
        std::shared_ptr<TTimer> running(m_repeatTimer.release());
        PostToGui([running] {});
    } else {
        m_repeatTimer.reset();
    }
}

void TiPlotButton::SetEnabled(bool value)
{
    TiPlotObject::SetEnabled(value);
    if (!Enabled())
        DestroyTimer();
}

void TiPlotButton::DoMouseLeft(const TiPlotMouseData&)
{
    if (m_autoRepeat) {
        if (!m_repeatTimer) {
            m_repeatTimer = std::make_unique<TTimer>();
            // A coarse timer may stretch each 50 ms step; a held button must not slow down.
            m_repeatTimer->SetPrecise(true);
        }
        m_repeatTimer->SetInterval(kFirstRepeatMs);
        m_repeatTimer->SetEnabled(true);
        m_repeatTimer->OnTimer = TNotifyEvent::Bind(this, &TiPlotButton::TimerEvent);
        m_firstRepeat = true;
    }
    Invalidate();
}

void TiPlotButton::DoMouseMove(const TiPlotMouseData&) {}

bool TiPlotButton::RepeatTimerPrecise() const { return m_repeatTimer && m_repeatTimer->Precise(); }

void TiPlotButton::DoMouseUp(const TiPlotMouseData& mouseData)
{
    if (!MouseIsDown())
        return;
    SetMouseIsDown(false);
    DestroyTimer();
    Invalidate();
    if (!PtInRect(m_drawRect, TPoint{mouseData.X, mouseData.Y}))
        return;
    if (m_groupIndex != 0)
        OnGroupClick(this);
    OnClick(this);
}

PRAVIX_PUBLISH(TiPlotButton)

bool PlotObjectBelongsTo(const TiPlotObject* object, const TiPlotObject* removed)
{
    if (!object || !removed)
        return false;
    if (object == removed)
        return true;
    const auto* button = dynamic_cast<const TiPlotButton*>(object);
    return button && button->OwnerObject() == removed;
}

// ---------------------------------------------------------------------------------------------
// TiMenuItem, TiPlotRectObject

TiMenuItem::TiMenuItem(TComponent* owner) : TMenuItem(owner) {}

PRAVIX_PUBLISH(TiMenuItem)
PRAVIX_PUBLISH(TiPlotRectObject)
