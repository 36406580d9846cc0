// The toolkit's up-down: two self-drawn arrow buttons that step the associated edit.

#include "editors/iEditorBasicComponents.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/Timers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kFirstRepeatMs = 500;
constexpr int kRepeatMs = 50;
const TColor kDisabledArrow = RGB(128, 128, 128);

int Clamp16(int value)
{
    return std::clamp(value, int(std::numeric_limits<std::int16_t>::min()),
                      int(std::numeric_limits<std::int16_t>::max()));
}

// The centre of a rectangle, by integer halving of its sums.
TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace

TiUpDown::TiUpDown(TComponent* owner) : TGraphicControl(owner), m_timer(new TTimer(this))
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = TNotifyEvent::Bind(this, &TiUpDown::TimerEvent);
    SetBounds(Left(), Top(), 15, 21);
    CalcButtons();
}

// The timer is owned and goes with the control's components.
TiUpDown::~TiUpDown() = default;

void TiUpDown::SetAssociate(TiComponentEditorEdit* edit)
{
    if (m_associate)
        m_associate->RemoveFreeNotification(this);
    m_associate = edit;
    if (!edit)
        return;
    edit->FreeNotification(this);
    SetBounds(edit->Left() + edit->Width(), edit->Top(), Width(), edit->Height());
}

void TiUpDown::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == m_associate)
        m_associate = nullptr;
}

void TiUpDown::SetMin(int value) { m_min = Clamp16(value); }
void TiUpDown::SetMax(int value) { m_max = Clamp16(value); }

int TiUpDown::GetPosition() const { return m_associate ? m_associate->GetAsInteger() : 0; }

// With Min and Max both 0 there is no limit; otherwise the value is held to Max first and then
// raised to Min, so a Min above Max wins.
void TiUpDown::SetPosition(int value)
{
    if (!m_associate)
        return;
    if (m_min != 0 || m_max != 0)
        value = std::max(std::min(value, m_max), m_min);
    if (m_withEvent)
        m_associate->SetIntegerWithEvent(value);
    else
        m_associate->SetAsInteger(value);
}

void TiUpDown::Enable()
{
    SetEnabled(true);
    if (m_associate)
        m_associate->Enable();
    Invalidate();
}

void TiUpDown::Disable()
{
    SetEnabled(false);
    if (m_associate)
        m_associate->Disable();
    Invalidate();
}

void TiUpDown::CalcButtons()
{
    const int w = Width();
    const int h = Height();
    const int half = (h - 1) / 2;
    m_upRect = {0, 0, w, half};
    m_downRect = {0, h - half, w, h};
    const TPoint at{m_lastX, m_lastY};
    m_upPressed = m_mouseDown && PtInRect(m_upRect, at);
    m_downPressed = m_mouseDown && PtInRect(m_downRect, at);
}

void TiUpDown::Resize()
{
    TGraphicControl::Resize();
    CalcButtons();
}

// A step needs a button that shows pressed: a press between the buttons, or a held button
// the mouse slid off, steps nothing (the repeat goes on, and steps again when it is back).
void TiUpDown::Step()
{
    if (!m_upPressed && !m_downPressed)
        return;
    const long long position = GetPosition();
    const long long step = m_upPressed ? m_increment : -static_cast<long long>(m_increment);
    const long long next = std::clamp(position + step, static_cast<long long>(std::numeric_limits<int>::min()),
                                      static_cast<long long>(std::numeric_limits<int>::max()));
    TScopedFlag withEvent(m_withEvent);
    SetPosition(int(next));
}

void TiUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    m_lastX = x;
    m_lastY = y;
    m_mouseDown = true;
    CalcButtons();
    m_timer->SetInterval(kFirstRepeatMs);
    m_timer->SetEnabled(true);
    m_firstTick = true;
    Step();
    Invalidate();
}

void TiUpDown::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    m_lastX = x;
    m_lastY = y;
    if (!m_mouseDown)
        return;
    CalcButtons();
    Invalidate();
}

void TiUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!m_mouseDown || button != mbLeft)
        return;
    m_mouseDown = false;
    m_timer->SetEnabled(false);
    CalcButtons();
    Invalidate();
}

void TiUpDown::TimerEvent(TObject*)
{
    if (m_firstTick) {
        m_timer->SetInterval(kRepeatMs);
        m_firstTick = false;
    }
    Step();
}

void TiUpDown::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(ClientRect());
    iDrawEdge(canvas, m_upRect, m_upPressed ? idesSunken : idesRaised);
    iDrawEdge(canvas, m_downRect, m_downPressed ? idesSunken : idesRaised);
    DrawArrow(m_upRect, true);
    DrawArrow(m_downRect, false);
}

void TiUpDown::DrawArrow(const TRect& button, bool up)
{
    TCanvas& canvas = *Canvas();
    const TColor colour = Enabled() ? clBlack : kDisabledArrow;
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(colour);
    canvas.Brush().SetColor(colour);
    const int s = std::min(Height() / 2, Width()) / 7;
    const TPoint c = Centre(button);
    if (up)
        canvas.Polygon({{c.X - 2 * s, c.Y + s}, {c.X, c.Y - s}, {c.X + 2 * s, c.Y + s}});
    else
        canvas.Polygon({{c.X - 2 * s, c.Y - s}, {c.X + 2 * s, c.Y - s}, {c.X, c.Y + s}});
}

PRAVIX_PUBLISH(TiUpDown, Redeclare("Width").Default(15), Redeclare("Height").Default(21),
               Prop("Associate", &TiUpDown::Associate, &TiUpDown::SetAssociate),
               Prop("Min", &TiUpDown::Min, &TiUpDown::SetMin).Default(0),
               Prop("Max", &TiUpDown::Max, &TiUpDown::SetMax).Default(100),
               Prop("Increment", &TiUpDown::Increment, &TiUpDown::SetIncrement).Default(1))
