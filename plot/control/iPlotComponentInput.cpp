// The plot control's input dispatch: presses, drags, releases, wheel turns and keys handed to
// the plot objects, the selection kept by Shift and Ctrl, the mouse pointer and the object
// under the mouse, the hint timer, and the dispatchers through which the objects fire the
// plot's events.

#include "plot/control/iPlotComponent.h"

#include "components/iGPControls.h"
#include "plot/core/iPlotLayoutManager.h"
#include "plot/objects/iPlotChannelCustom.h"

namespace {

constexpr int kVirtualKeyLeft = 37;
constexpr int kVirtualKeyDown = 40;
// Half the side of the square around the hint's anchor in which the mouse may move without
// arming the hint of the same place again.
constexpr int kHintDeadZone = 3;

bool IsKind(const TiPlotObject* object, TiPlotObjectKind wanted)
{
    TiPlotObjectKind kind;
    return object && GetPlotObjectKind(object, kind) && kind == wanted;
}

bool IsAxis(const TiPlotObject* object)
{
    return IsKind(object, TiPlotObjectKind::XAxis) || IsKind(object, TiPlotObjectKind::YAxis);
}

bool IsButton(const TiPlotObject* object) { return dynamic_cast<const TiPlotButton*>(object) != nullptr; }

bool IsToolBarButton(const TiPlotObject* object) { return dynamic_cast<const TiPlotToolBarButton*>(object) != nullptr; }

// Data views and legends cover large areas: they take the mouse only where nothing else does.
// The data view's layout placeholders never take it.
bool IsBackdrop(const TiPlotObject& object)
{
    return IsKind(&object, TiPlotObjectKind::DataView) || IsKind(&object, TiPlotObjectKind::Legend);
}

bool IsLayoutPlaceholder(const TiPlotObject& object)
{
    return dynamic_cast<const TiPlotDataViewLayout*>(&object) != nullptr;
}

// Objects whose press and drag are theirs alone, whatever else is selected.
bool TakesPressAlone(const TiPlotObject& object)
{
    return IsKind(&object, TiPlotObjectKind::Annotation) || IsKind(&object, TiPlotObjectKind::Limit) ||
           IsButton(&object) || !object.CanFocus();
}

bool TakesDragAlone(const TiPlotObject& object)
{
    return IsKind(&object, TiPlotObjectKind::Annotation) || IsKind(&object, TiPlotObjectKind::ToolBar) ||
           !object.CanFocus();
}

bool OutsideRect(const TRect& rect, int x, int y) { return !PtInRect(rect, TPoint{x, y}); }

}  // namespace

// Counts the nesting of input handling; when the outermost input returns, the objects released
// meanwhile are freed.
class TiPlotComponent::TInputScope {
public:
    explicit TInputScope(TiPlotComponent& plot) : m_plot(plot) { ++m_plot.m_inputDepth; }
    ~TInputScope()
    {
        if (--m_plot.m_inputDepth == 0)
            m_plot.m_keptReleased.clear();
    }
    TInputScope(const TInputScope&) = delete;
    TInputScope& operator=(const TInputScope&) = delete;

private:
    TiPlotComponent& m_plot;
};

bool TiPlotComponent::KeepReleasedObject(TiPlotObject* object)
{
    if (m_inputDepth == 0)
        return false;
    m_keptReleased.emplace_back(object);
    return true;
}

void TiPlotComponent::ForgetInputObject(const TiPlotObject* removed)
{
    bool forgot = false;
    for (TiPlotObject** reference : {&m_mouseDownObject, &m_mouseOverObject, &m_hintObject}) {
        if (PlotObjectBelongsTo(*reference, removed)) {
            *reference = nullptr;
            forgot = true;
        }
    }
    // A hint of the object, or of the place it took, would outlive it.
    if (forgot)
        KillHint();
}

// ---------------------------------------------------------------------------------------------
// Hit search

void TiPlotComponent::UpdateAxisPixels(TiPlotMouseData& mouseData) const
{
    mouseData.XAxisPixels = XYAxesReverse() ? mouseData.Y : mouseData.X;
    mouseData.YAxisPixels = XYAxesReverse() ? mouseData.X : mouseData.Y;
}

TiPlotObject* TiPlotComponent::FindMouseObject(const TiPlotMouseData& mouseData)
{
    const std::vector<TiPlotObject*> objects = GetAllObjects();
    auto firstHit = [&](auto accept) -> TiPlotObject* {
        for (TiPlotObject* object : objects)
            if (object->Enabled() && object->Visible() && !IsLayoutPlaceholder(*object) && accept(*object) &&
                object->iMouseHitTest(mouseData))
                return object->GetMouseObject(mouseData.X, mouseData.Y);
        return nullptr;
    };
    // A selected object wins over an unselected one lying over it.
    if (TiPlotObject* hit = firstHit([](TiPlotObject& o) { return !IsBackdrop(o) && o.UserSelected(); }))
        return hit;
    if (TiPlotObject* hit = firstHit([](TiPlotObject& o) { return !IsBackdrop(o); }))
        return hit;
    return firstHit([](TiPlotObject& o) { return IsBackdrop(o); });
}

// ---------------------------------------------------------------------------------------------
// Press, move, release

void TiPlotComponent::SelectPressedObject(TiPlotObject& object, TShiftState shift)
{
    if (shift.count(ssShift)) {
        m_axisMultiSelect = IsAxis(&object);
        object.SetUserSelected(true);
    } else if (shift.count(ssCtrl)) {
        m_axisMultiSelect = IsAxis(&object);
        object.SetUserSelected(!IsAxis(&object) || !object.UserSelected());
    } else if (!IsKind(&object, TiPlotObjectKind::ToolBar) && object.CanFocus()) {
        object.SetUserSelected(true);
    }
}

void TiPlotComponent::iMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TInputScope scope(*this);
    GetPlotObjectManager()->SetShiftState(shift);
    m_buttonHeld = true;

    TiPlotMouseData mouseData;
    mouseData.X = x;
    mouseData.Y = y;
    mouseData.Button = button;
    UpdateAxisPixels(mouseData);
    iSetFocus(this);
    KillHint();
    const TPoint screen = ClientToScreen({x, y});

    if (button == mbRight)
        GetPlotObjectManager()->ClearAllUserSelections();
    m_mouseDownObject = FindMouseObject(mouseData);
    if (!m_mouseDownObject) {
        GetPlotObjectManager()->ClearAllUserSelections();
    } else {
        TiPlotObject& pressed = *m_mouseDownObject;
        SelectPressedObject(pressed, shift);
        if (button == mbRight)
            SetCapture();
        // Selecting may have taken the object out of the plot (a handler of its focus event).
        if (m_mouseDownObject == &pressed) {
            if (button == mbRight || TakesPressAlone(pressed))
                pressed.iMouseDown(button, shift, x, y, screen.X, screen.Y, m_popupMenu.get());
            else
                GetPlotObjectManager()->MouseDownFocusObjects(button, shift, x, y, screen.X, screen.Y,
                                                              m_popupMenu.get());
        }
    }
    m_buttonHeld = true;
}

void TiPlotComponent::DeliverStaleRelease(TShiftState shift, int x, int y, TPoint screen)
{
    // A release that never reached the plot (the button went up outside any window of ours):
    // the pressed object and the selection get it now, once.
    TiPlotObject* stale = m_mouseDownObject;
    if (!stale)
        return;
    m_mouseDownObject = nullptr;
    stale->iMouseUp(mbLeft, shift, x, y, screen.X, screen.Y, m_doubleClick, m_popupMenu.get());
    GetPlotObjectManager()->MouseUpFocusObjects(mbLeft, shift, x, y, screen.X, screen.Y, m_doubleClick,
                                                m_popupMenu.get());
}

void TiPlotComponent::iMouseMove(TShiftState shift, int x, int y)
{
    if (GetIsDesigning() || m_axisMultiSelect)
        return;
    TInputScope scope(*this);
    try {
        if (OutsideRect(TRect{0, 0, Width(), Height()}, x, y) && !m_buttonHeld && GetCapture())
            ReleaseCapture();
        GetPlotObjectManager()->SetShiftState(shift);
        TiPlotMouseData mouseData;
        mouseData.X = x;
        mouseData.Y = y;
        UpdateAxisPixels(mouseData);
        const TPoint screen = ClientToScreen({x, y});

        const bool dragging = shift.count(ssLeft) || shift.count(ssRight);
        if (dragging && m_mouseDownObject) {
            TiHintData hintData;
            if (TakesDragAlone(*m_mouseDownObject))
                m_mouseDownObject->iMouseMove(hintData, shift, x, y, screen.X, screen.Y, m_doubleClick);
            else
                GetPlotObjectManager()->MouseMoveFocusObjects(hintData, shift, x, y, screen.X, screen.Y, m_doubleClick);
            SetCursor(crDefault);
            return;
        }

        DeliverStaleRelease(shift, x, y, screen);
        TiPlotObject* over = FindMouseObject(mouseData);
        if (m_mouseOverObject && m_mouseOverObject != over) {
            TiPlotObject* left = m_mouseOverObject;
            m_mouseOverObject = nullptr;
            left->DoMouseNotOver();
        }
        if (!over) {
            SetCursor(crDefault);
            return;
        }
        SetCursor(over->GetMousePointer({x, y}));
        // Recorded before the object's own move handling, which may take it out of the plot.
        m_mouseOverObject = over;
        TiHintData hintData;
        over->iMouseMove(hintData, shift, x, y, screen.X, screen.Y, m_doubleClick);
        if (m_mouseOverObject == over && HintsShow())
            HintStep(hintData, over, x, y);
    } catch (...) {
        // A faulty hint or drag handler must not disturb the message loop; what was done stays.
    }
}

void TiPlotComponent::iMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (GetIsDesigning())
        return;
    TInputScope scope(*this);
    m_buttonHeld = false;
    GetPlotObjectManager()->SetShiftState(shift);
    KillHint();
    m_axisMultiSelect = false;
    const TPoint screen = ClientToScreen({x, y});
    const bool doubleClick = m_doubleClick;
    TiPlotObject* pressed = m_mouseDownObject;
    m_mouseDownObject = nullptr;
    struct EndOfRelease {
        bool& doubleClick;
        ~EndOfRelease() { doubleClick = false; }
    } endOfRelease{m_doubleClick};
    if (pressed)
        pressed->iMouseUp(button, shift, x, y, screen.X, screen.Y, doubleClick, m_popupMenu.get());
    GetPlotObjectManager()->MouseUpFocusObjects(button, shift, x, y, screen.X, screen.Y, doubleClick,
                                                m_popupMenu.get());
}

void TiPlotComponent::iDoubleClick() { m_doubleClick = true; }

bool TiPlotComponent::iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos)
{
    TInputScope scope(*this);
    GetPlotObjectManager()->MouseWheelFocusObjects(wheelDelta, shift, mousePos);
    return true;
}

void TiPlotComponent::iWantSpecialKey(int& key, int& result)
{
    result = key >= kVirtualKeyLeft && key <= kVirtualKeyDown ? 1 : 0;
}

void TiPlotComponent::iKeyDown(int& key, TShiftState shift)
{
    TInputScope scope(*this);
    GetPlotObjectManager()->KeyDownFocusObjects(key, shift, m_popupMenu.get());
}

void TiPlotComponent::CaptureChanged(TControl* newHolder)
{
    TiCustomComponent::CaptureChanged(newHolder);
    if (newHolder == this)
        return;
    TInputScope scope(*this);
    KillHint();
    if (m_hintPainted)
        InvalidateNow();
    if (TiPlotObject* left = m_mouseOverObject) {
        m_mouseOverObject = nullptr;
        left->DoMouseNotOver();
    }
}

// ---------------------------------------------------------------------------------------------
// Hints

void TiPlotComponent::KillHint()
{
    TimerStop();
    m_hintShowing = false;
    if (m_hintPainted)
        InvalidateNow();
}

void TiPlotComponent::RestartHintTimer(int interval)
{
    TimerStop();
    TimerStart(0, interval);
}

void TiPlotComponent::HintStep(const TiHintData& hintData, TiPlotObject* over, int x, int y)
{
    m_hintText = hintData.Text;
    if (!m_hintShowing) {
        m_hintTop = hintData.Top;
        m_hintLeft = hintData.Left;
    }
    const bool timerRunning = GetTimerRunning();
    if (m_buttonHeld) {
        KillHint();
    } else if (m_hintText.empty()) {
        KillHint();
        m_hintObject = nullptr;
        m_hintDeadZone = TRect{};
    } else if (m_hintObject && m_hintObject != over && !IsToolBarButton(m_hintObject)) {
        KillHint();
        m_hintObject = nullptr;
    } else if (timerRunning && !m_hintShowing) {
        // Still waiting: the hint shows only after the mouse has rested for the pause.
        RestartHintTimer(HintsPause());
    } else if (timerRunning && (IsToolBarButton(m_hintObject) || IsKind(m_hintObject, TiPlotObjectKind::Channel))) {
        // Along a toolbar or a channel the hint stays up and its text follows the mouse.
        RestartHintTimer(HintsHidePause());
    } else if (timerRunning) {
        KillHint();
    } else if (OutsideRect(m_hintDeadZone, x, y) && m_hintObject != over) {
        m_hintAnchor = TPoint{x, y};
        m_hintObject = over;
        RestartHintTimer(HintsPause());
    }
    if (m_hintShowing)
        InvalidateNow();
}

void TiPlotComponent::HintTimer(TObject*)
{
    TInputScope scope(*this);
    TimerStop();
    if (!m_hintShowing) {
        m_hintShowing = true;
        m_hintDeadZone = TRect{m_hintAnchor.X - kHintDeadZone, m_hintAnchor.Y - kHintDeadZone,
                               m_hintAnchor.X + kHintDeadZone, m_hintAnchor.Y + kHintDeadZone};
        TimerStart(0, HintsHidePause());
        if (!GetCapture())
            SetCapture();
    } else {
        KillHint();
        if (GetCapture())
            ReleaseCapture();
    }
    InvalidateNow();
}

// ---------------------------------------------------------------------------------------------
// Object-kind dispatchers

int TiPlotComponent::EventIndex(TiPlotObject* object, TEventFamily family, TiPlotObjectKind& kind) const
{
    if (GetLoading())
        return -1;
    const int index = IndexOf(object, kind);
    if (index < 0)
        return -1;
    switch (kind) {
    case TiPlotObjectKind::Channel:
    case TiPlotObjectKind::XAxis:
    case TiPlotObjectKind::YAxis:
    case TiPlotObjectKind::DataCursor:
    case TiPlotObjectKind::DataView:
    case TiPlotObjectKind::Legend:
    case TiPlotObjectKind::Annotation: return index;
    case TiPlotObjectKind::Limit: return family == TEventFamily::Focus ? -1 : index;
    case TiPlotObjectKind::Table: return family == TEventFamily::Cursor ? index : -1;
    case TiPlotObjectKind::ToolBar:
    case TiPlotObjectKind::Label: return -1;
    }
    return -1;
}

template <class Event, class... Args>
void TiPlotComponent::FireForObject(const Event& event, TiPlotObject* object, Args&&... args)
{
    // Finding the object's index costs a search of the kinds; axis tracking asks for it with
    // every point added, mostly with no handler assigned.
    TiPlotObjectKind kind;
    if (event && !GetLoading())
        event(this, IndexOf(object, kind), std::forward<Args>(args)...);
}

void TiPlotComponent::DoObjectClick(TiPlotObject* object)
{
    TiPlotObjectKind kind;
    const int index = EventIndex(object, TEventFamily::Object, kind);
    const bool doubleClick = m_doubleClick;
    m_doubleClick = false;
    if (index >= 0)
        (doubleClick ? Events(kind).OnDblClick : Events(kind).OnClick)(this, index);
}

void TiPlotComponent::DoObjectMouseDown(TiPlotObject* object, TMouseButton button, TShiftState shift, int x, int y)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Object, kind); index >= 0)
        Events(kind).OnMouseDown(this, index, button, shift, x, y);
}

void TiPlotComponent::DoObjectMouseMove(TiPlotObject* object, TShiftState shift, int x, int y)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Object, kind); index >= 0)
        Events(kind).OnMouseMove(this, index, shift, x, y);
}

void TiPlotComponent::DoObjectMouseUp(TiPlotObject* object, TMouseButton button, TShiftState shift, int x, int y)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Object, kind); index >= 0)
        Events(kind).OnMouseUp(this, index, button, shift, x, y);
}

void TiPlotComponent::DoObjectMouseWheel(TiPlotObject* object, int wheelDelta, TShiftState shift, int x, int y)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Wheel, kind); index >= 0)
        Events(kind).OnMouseWheel(this, index, wheelDelta, shift, x, y);
}

void TiPlotComponent::DoGetMouseCursor(TiPlotObject* object, TCursor& cursor)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Cursor, kind); index >= 0)
        Events(kind).OnGetMouseCursor(this, index, cursor);
}

void TiPlotComponent::DoObjectGotFocus(TiPlotObject* object)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Focus, kind); index >= 0)
        Events(kind).OnGotFocus(this, index);
}

void TiPlotComponent::DoObjectLostFocus(TiPlotObject* object)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Focus, kind); index >= 0)
        Events(kind).OnLostFocus(this, index);
}

void TiPlotComponent::DoPopUpMenuEvent(TiPlotObject* object, bool& cancel, int screenX, int screenY)
{
    TiPlotObjectKind kind;
    if (const int index = EventIndex(object, TEventFamily::Object, kind); index >= 0)
        Events(kind).OnPopupMenu(this, index, cancel, screenX, screenY);
}

// ---------------------------------------------------------------------------------------------
// Single-kind dispatchers

void TiPlotComponent::DoDataPointMouseDown(TiPlotChannelCustom* channel, int index, const TiPlotMouseData& mouseData)
{
    FireForObject(OnMouseDownDataPoint, channel, index, mouseData.Button, mouseData.Shift, mouseData.X, mouseData.Y);
}

void TiPlotComponent::DoDataPointMouseMove(TiPlotChannelCustom* channel, int index, const TiPlotMouseData& mouseData)
{
    FireForObject(OnMouseMoveDataPoint, channel, index, mouseData.Shift, mouseData.X, mouseData.Y);
}

void TiPlotComponent::DoDataPointMouseUp(TiPlotChannelCustom* channel, int index, const TiPlotMouseData& mouseData)
{
    FireForObject(OnMouseUpDataPoint, channel, index, mouseData.Button, mouseData.Shift, mouseData.X, mouseData.Y);
}

void TiPlotComponent::DoDataPointClick(TiPlotChannelCustom* channel, int index)
{
    FireForObject((m_doubleClick ? OnDblClickDataPoint : OnClickDataPoint), channel, index);
}

void TiPlotComponent::DoDataPointMoved(TiPlotChannelCustom* channel, int index, double oldX, double oldY, double newX,
                                       double newY)
{
    FireForObject(OnDataPointMoved, channel, index, oldX, oldY, newX, newY);
}

void TiPlotComponent::DoDataPointCustomizeHint(TiPlotChannelCustom* channel, int index, std::string& text)
{
    FireForObject(OnDataPointCustomizeHint, channel, index, text);
}

void TiPlotComponent::DoToolBarButtonBeforeClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType button, bool& cancel)
{
    FireForObject(OnBeforeToolBarButtonClick, toolBar, button, cancel);
}

void TiPlotComponent::DoToolBarButtonClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType button)
{
    FireForObject(OnToolBarButtonClick, toolBar, button);
}

void TiPlotComponent::DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text)
{
    FireForObject(OnToolBarCustomizeHint, toolBar, text);
}

void TiPlotComponent::DoAxesMinChange(TiPlotAxis* axis, double oldMin, double newMin)
{
    FireForObject((axis->IsXAxis() ? OnXAxisMinChange : OnYAxisMinChange), axis, oldMin, newMin);
}

void TiPlotComponent::DoAxesSpanChange(TiPlotAxis* axis, double oldSpan, double newSpan)
{
    FireForObject((axis->IsXAxis() ? OnXAxisSpanChange : OnYAxisSpanChange), axis, oldSpan, newSpan);
}

void TiPlotComponent::DoAxesMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                          double newSpan)
{
    FireForObject((axis->IsXAxis() ? OnXAxisMinSpanChange : OnYAxisMinSpanChange), axis, oldMin, oldSpan, newMin,
                  newSpan);
}

TiPlotAxisScaleEvents TiPlotComponent::ScaleEvents(bool xAxis) const
{
    if (xAxis)
        return {&OnXAxisMinChange, &OnXAxisSpanChange, &OnXAxisMinSpanChange};
    return {&OnYAxisMinChange, &OnYAxisSpanChange, &OnYAxisMinSpanChange};
}

void TiPlotComponent::DoAxesMinSpanChangeFinished(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                                  double newSpan)
{
    FireForObject((axis->IsXAxis() ? OnXAxisMinSpanChangeFinished : OnYAxisMinSpanChangeFinished), axis, oldMin,
                  oldSpan, newMin, newSpan);
}

void TiPlotComponent::DoAxesCustomizeLabel(TiPlotAxis* axis, double value, std::string& text)
{
    FireForObject((axis->IsXAxis() ? OnXAxisCustomizeLabel : OnYAxisCustomizeLabel), axis, value, text);
}

void TiPlotComponent::DoXAxisCustomizeHint(TiPlotAxis* axis, std::string& text)
{
    FireForObject(OnXAxisCustomizeHint, axis, text);
}

void TiPlotComponent::DoYAxisCustomizeHint(TiPlotAxis* axis, std::string& text)
{
    FireForObject(OnYAxisCustomizeHint, axis, text);
}

void TiPlotComponent::DoDataCursorCustomizeHint(TiPlotObject* cursor, std::string& text)
{
    FireForObject(OnDataCursorCustomizeHint, cursor, text);
}

void TiPlotComponent::DoBeforeDataCursorUpdate(TiPlotObject* cursor)
{
    FireForObject(OnBeforeDataCursorUpdate, cursor);
}

void TiPlotComponent::DoLimitLine1PositionChange(TiPlotObject* limit, double oldValue, double newValue)
{
    FireForObject(OnLimitLine1PositionChange, limit, oldValue, newValue);
}

void TiPlotComponent::DoLimitLine2PositionChange(TiPlotObject* limit, double oldValue, double newValue)
{
    FireForObject(OnLimitLine2PositionChange, limit, oldValue, newValue);
}

void TiPlotComponent::DoAnnotationCoordinatesChange(TiPlotObject* annotation)
{
    FireForObject(OnAnnotationCoordinatesChange, annotation);
}

void TiPlotComponent::DoAnnotationMoveUser(TiPlotObject* annotation)
{
    FireForObject(OnAnnotationMoveUser, annotation);
}

void TiPlotComponent::DoAnnotationResizeUser(TiPlotObject* annotation)
{
    FireForObject(OnAnnotationResizeUser, annotation);
}

void TiPlotComponent::DoAnnotationCoordinatesChangeFinished(TiPlotObject* annotation)
{
    FireForObject(OnAnnotationCoordinatesChangeFinished, annotation);
}
