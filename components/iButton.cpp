#include "components/iButton.h"

#include "components/iGPFunctions.h"

PRAVIX_PUBLISH(TiButton)

TiButton::TiButton() : m_font(std::make_unique<TFont>())
{
    m_font->OnChange = [this] { Invalidate(); };
}

TiButton::~TiButton() = default;

void TiButton::SetDrawRect(const TRect& rect)
{
    if (rect == GetDrawRect())
        return;
    m_left = rect.Left;
    m_top = rect.Top;
    m_right = rect.Right;
    m_bottom = rect.Bottom;
    Invalidate();
}

namespace {

template <typename T>
bool StoreChanged(const T& value, T& field)
{
    if (value == field)
        return false;
    field = value;
    return true;
}

}  // namespace

void TiButton::SetVisible(bool value)
{
    if (StoreChanged(value, m_visible))
        Invalidate();
}

void TiButton::SetMouseDown(bool value)
{
    if (StoreChanged(value, m_mouseDown))
        Invalidate();
}

void TiButton::SetEnabled(bool value)
{
    if (StoreChanged(value, m_enabled))
        Invalidate();
}

void TiButton::SetCaption(const std::string& value)
{
    if (StoreChanged(value, m_caption))
        Invalidate();
}

void TiButton::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);  // its change notification invalidates
}

void TiButton::iMouseDown(TMouseButton, TShiftState, int, int)
{
    if (m_enabled)
        m_mouseDown = true;
}

void TiButton::iMouseMove(TShiftState, int, int) {}

void TiButton::iMouseUp(TMouseButton, TShiftState, int x, int y)
{
    if (!m_enabled)
        return;
    m_mouseDown = false;
    if (PtInRect(GetDrawRect(), TPoint{x, y}))
        DoChange();
}

void TiButton::DoChange() { OnChange(this); }

void TiButton::Invalidate() { OnInvalidate(this); }

void TiButton::Draw(TCanvas& canvas, bool enabled)
{
    TRect rect = GetDrawRect();
    iDrawEdge(canvas, rect, m_mouseDown ? idesSunken : idesRaised);
    canvas.Font().Assign(*m_font);
    canvas.Brush().SetStyle(bsClear);
    iDrawText(canvas, m_caption, rect, {itfHCenter, itfVCenter, itfSingleLine}, m_enabled && enabled, clBtnFace);
}
