#pragma once
// TiCheckBox: a self-drawn check box with a caption.
//
// The box toggles when a left press is released inside the control or when the space key
// comes up after going down; while pressed the box shows the background colour. Losing
// the focus cancels a press without toggling. OnChange follows every change of Checked,
// OnChangeUser only the changes made by mouse or keyboard; neither fires while the
// control loads. A change of Checked may be vetoed through OnRequestEdit and is sent to
// the OPC items bound to "Checked".
//
// With AutoSize the control fits itself to its caption (text width + 20, text height + 4);
// with the caption at the left (taLeftJustify) it grows to the left, so the box stays put.

#include "components/iCustomComponent.h"

#include <string>

class TiCheckBox : public TiCustomComponent {
    PRAVIX_CLASS(TiCheckBox, TiCustomComponent)
public:
    explicit TiCheckBox(TComponent* owner);
    ~TiCheckBox() override;

    bool Checked() const { return m_checked; }
    void SetChecked(bool value);
    // taRightJustify: box at the left, caption to its right; taLeftJustify: caption at the
    // left, box at the right edge. taCenter is no choice for a check box and is refused.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return m_autoSize; }
    void iSetAutoSize(bool value);
    void DoAutoSize();

    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

    // Added after the operations of TiVCLComponent.
    virtual void DoChange();

    void iPaintTo(TCanvas& canvas) override;
    void iDoSetFocus() override;
    void iDoKillFocus() override;
    void iKeyDown(int& key, TShiftState shift) override;
    void iKeyUp(int& key, TShiftState shift) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    // Caption and Font are the control's own; their changes resize and repaint.
    void TextChanged() override;
    void FontChanged() override;

private:
    TRect TextRect(TCanvas& canvas, int mid) const;
    TRect BoxRect(int mid) const;
    void DrawTick(TCanvas& canvas, int boxLeft, int mid);
    void DrawFocus(TCanvas& canvas, const TRect& textRect);

    // Fields in their specified order (Caption and Font live in the control).
    bool m_mousePressed = false;
    bool m_keyPressed = false;
    bool m_userChange = false;
    bool m_sizing = false;
    bool m_checked = false;
    // Switched on once the constructor has given the start caption, so that a new check
    // box keeps its start size of 97 x 17.
    bool m_autoSize = false;
    TAlignment m_alignment = taRightJustify;
};
