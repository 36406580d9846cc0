#pragma once
// TiButton: an owner-drawn push button that a component embeds. The owner routes to it
// the mouse input that concerns it, draws it where it wants (Draw) and repaints when the
// button asks (OnInvalidate). A release inside DrawRect after a press is a click
// (OnChange).

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Component.h"

#include <memory>
#include <string>

class TiButton : public TPersistent {
    PRAVIX_CLASS(TiButton, TPersistent)
public:
    TiButton();
    ~TiButton() override;

    TRect GetDrawRect() const { return TRect{m_left, m_top, m_right, m_bottom}; }
    void SetDrawRect(const TRect& rect);
    int GetWidth() const { return m_right - m_left; }
    int GetHeight() const { return m_bottom - m_top; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool MouseDown() const { return m_mouseDown; }
    void SetMouseDown(bool value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value);  // copies the font

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;

    virtual void iMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseMove(TShiftState shift, int x, int y);
    virtual void iMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Draws the button in DrawRect whether Visible or not: the owner decides.
    virtual void Draw(TCanvas& canvas, bool enabled);

private:
    void DoChange();
    void Invalidate();

    // The rectangle, stored in this order.
    int m_top = 0;
    int m_bottom = 0;
    int m_right = 0;
    int m_left = 0;
    bool m_visible = true;
    bool m_mouseDown = false;
    bool m_enabled = true;
    std::string m_caption;
    std::unique_ptr<TFont> m_font;
};
