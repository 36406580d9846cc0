#pragma once
// Standard controls: label, buttons, edits, memo, combo box, list box, check box, radio
// button, group box.
//
// Change events follow the desktop's rules: an edit's or memo's OnChange fires on every
// change of the text, a program's included; a combo box's OnChange and OnSelect and a list
// box's OnClick fire only when the user changed the choice, never for ItemIndex or item
// changes made by the program. A check box or radio button fires OnClick whenever Checked
// changes. The Simulate... functions act as the user does, through the same path.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/StringList.h"
#include "platform/gui/Controls.h"

#include <memory>
#include <string>

class TBitmap;

PRAVIX_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
PRAVIX_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw)
PRAVIX_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
PRAVIX_ENUM(TDragMode, dmManual, dmAutomatic)

enum TOwnerDrawStateElement { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = std::set<TOwnerDrawStateElement>;
// Owner drawing (owner-draw styles): the control, the item index, its rectangle and state.
// The handler draws on the control's Canvas(), whose brush and font are already set for the
// item (highlight colours when selected).
using TDrawItemEvent = Event<TWinControl*, int, TRect, TOwnerDrawState>;

class TLabel : public TControl {
    PRAVIX_CLASS(TLabel, TControl)
public:
    explicit TLabel(TComponent* owner);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { m_autoSize = value; }

protected:
    void TextChanged() override;
    void ColorChanged() override;

private:
    TAlignment m_alignment = taLeftJustify;
    bool m_transparent = false;
    bool m_wordWrap = false;
    bool m_autoSize = false;
};

// A push button; never a default or cancel button unless Default or Cancel is set, which
// makes Enter or Escape in its form click it.
class TButton : public TWinControl {
    PRAVIX_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }
    bool Default() const { return m_default; }
    void SetDefault(bool value) { m_default = value; }
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    // Sets the form's modal result (when the button has one), then fires OnClick.
    void Click() override;

protected:
    void TextChanged() override;
    bool ClickOnMouseUp() const override { return false; }

private:
    TModalResult m_modalResult = mrNone;
    bool m_default = false;
    bool m_cancel = false;
};

class TBitBtn : public TButton {
    PRAVIX_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
};

// A flat tool button; with a GroupIndex it stays down like a radio button.
class TSpeedButton : public TControl {
    PRAVIX_CLASS(TSpeedButton, TControl)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    // The picture shown on the button (beside the caption when there is one), transparent
    // where it has the colour of its bottom-left pixel. Changes to it show at once; form
    // descriptions store it as @Glyph, a BMP.
    TBitmap* Glyph() const { return m_glyph.get(); }
    void SetGlyph(const TBitmap* value);
    bool Flat() const { return m_flat; }
    void SetFlat(bool value);
    bool Down() const;
    void SetDown(bool value);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value) { m_allowAllUp = value; }
    void DefineProperties(TFiler& filer) override;

protected:
    void TextChanged() override;
    bool ClickOnMouseUp() const override { return false; }

private:
    void ShowGlyph();
    std::unique_ptr<TBitmap> m_glyph;
    bool m_flat = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
};

class TEdit : public TWinControl {
    PRAVIX_CLASS(TEdit, TWinControl)
public:
    explicit TEdit(TComponent* owner);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    char PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char value);
    int MaxLength() const;
    void SetMaxLength(int value);
    void SelectAll();
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    void Clear() { SetText(""); }
    // Types the text as the user does (replacing the selection).
    void SimulateTyping(const std::string& text);

    std::string Caption() const override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void TextChanged() override;
    void ColorChanged() override;
    bool ClickOnMouseUp() const override { return false; }

private:
    char m_passwordChar = 0;
    bool m_settingText = false;
};

// An edit with an input mask; the mask is kept but not enforced (masks only shape typing
// and the system sends the text as typed).
class TMaskEdit : public TEdit {
    PRAVIX_CLASS(TMaskEdit, TEdit)
public:
    explicit TMaskEdit(TComponent* owner);
    std::string EditMask() const { return m_editMask; }
    void SetEditMask(const std::string& value) { m_editMask = value; }

private:
    std::string m_editMask;
};

class TMemo : public TWinControl {
    PRAVIX_CLASS(TMemo, TWinControl)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;
    TStrings* Lines() const;
    void SetLines(TStrings* value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool value) { m_wantReturns = value; }
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    bool WordWrap() const;
    void SetWordWrap(bool value);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);
    void Clear();
    void SelectAll();
    std::string Caption() const override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void TextChanged() override;
    void ColorChanged() override;
    bool WantsKey(int key) const override;

private:
    friend class TMemoStrings;
    std::unique_ptr<TStrings> m_lines;
    bool m_wantReturns = true;
    bool m_wantTabs = false;
    TScrollStyle m_scrollBars = ssNone;
    int m_silent = 0;
};

// A list of items with objects shown by a combo box or a list box.
class TItemStrings;

class TComboBox : public TWinControl {
    PRAVIX_CLASS(TComboBox, TWinControl)
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;
    TStrings* Items() const;
    void SetItems(TStrings* value);
    int ItemIndex() const;
    void SetItemIndex(int index);  // no event
    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle value);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value) { m_itemHeight = value; }
    int DropDownCount() const;
    void SetDropDownCount(int value);
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value) { m_sorted = value; }
    // Picks an item as the user does: fires OnChange, then OnSelect.
    void SimulateSelect(int index);
    std::string Caption() const override;
    // The canvas of the item being drawn; nullptr outside OnDrawItem. Owner drawing covers
    // the dropped-down list; the closed box shows the item's text.
    TCanvas* Canvas() const { return m_canvas; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TDrawItemEvent OnDrawItem;

protected:
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    void TextChanged() override;
    void ColorChanged() override;
    bool ClickOnMouseUp() const override { return false; }

private:
    friend class TItemStrings;
    void UserPicked(int index);
    std::unique_ptr<TItemStrings> m_items;
    TCanvas* m_canvas = nullptr;
    TComboBoxStyle m_style = csDropDown;
    int m_itemHeight = 16;
    bool m_sorted = false;
    int m_silent = 0;
};

// A list of items. Owner-drawn styles draw each item through DrawItem. With DragMode
// dmAutomatic a left press on an item and a move of a few pixels start dragging it (the
// selection stays); each move asks the list box under the mouse whether it takes the drop
// (DragOver), and the release drops it there (DragDrop). The drag follows the mouse's press,
// moves and release alone, so tests drive it with plain mouse events.
class TListBox : public TWinControl {
    PRAVIX_CLASS(TListBox, TWinControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;
    TStrings* Items() const;
    void SetItems(TStrings* value);
    int ItemIndex() const;
    void SetItemIndex(int index);  // no event
    int TopIndex() const;
    void SetTopIndex(int index);
    TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle value) { m_style = value; }
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value);
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode value) { m_dragMode = value; }
    int Count() const;
    // The item at a client point; -1 when none.
    int ItemAtPos(TPoint p) const;
    TRect ItemRect(int index) const;
    // Clicks an item as the user does: selects it, then fires OnClick.
    void SimulateClick(int index);
    // The canvas of the item being drawn; nullptr outside DrawItem.
    TCanvas* Canvas() const { return m_canvas; }

    TDrawItemEvent OnDrawItem;

protected:
    void ColorChanged() override;
    bool ClickOnMouseUp() const override { return false; }
    bool WantsKey(int key) const override;
    // Draws one item of an owner-drawn list on Canvas(), whose brush and font are set for the
    // item (highlight colours when selected). The base runs OnDrawItem when assigned, and
    // otherwise fills the rectangle and writes the item's text 2 pixels from its left.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    // A dragged item is over this list box: whether it would take the drop. Coordinates are
    // those of the item area (the top item starts at y 0), source is the list box dragged from.
    // The base takes nothing.
    virtual bool DragOver(TObject* source, int x, int y);
    // The dragged item was released over this list box, which took it in DragOver.
    virtual void DragDrop(TObject* source, int x, int y);

private:
    friend class TItemStrings;
    friend class ListWidget;
    // The user clicked the item already selected: OnClick, as for a new selection.
    void ClickSelected();
    void DragPress(TPoint at);
    bool DragMove(TPoint at);
    bool DragRelease(TPoint at);
    std::unique_ptr<TItemStrings> m_items;
    TCanvas* m_canvas = nullptr;
    TListBoxStyle m_style = lbStandard;
    TDragMode m_dragMode = dmManual;
    int m_itemHeight = 16;
    int m_silent = 0;
    // A left press on an item, where it was (item-area coordinates), and whether the mouse
    // has moved far enough since to drag.
    bool m_dragPressed = false;
    bool m_dragging = false;
    TPoint m_dragStart{0, 0};
};

class TButtonControl : public TWinControl {
    PRAVIX_CLASS(TButtonControl, TWinControl)
public:
    using TWinControl::TWinControl;
    bool Checked() const;
    // Fires OnClick when the state changes.
    void SetChecked(bool value);
    // Toggles (check box) or selects (radio button) as a user's click does.
    void Click() override;

protected:
    void TextChanged() override;
    bool ClickOnMouseUp() const override { return false; }
};

class TCheckBox : public TButtonControl {
    PRAVIX_CLASS(TCheckBox, TButtonControl)
public:
    explicit TCheckBox(TComponent* owner);
};

// Radio buttons with the same parent exclude each other.
class TRadioButton : public TButtonControl {
    PRAVIX_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);
};

class TGroupBox : public TWinControl {
    PRAVIX_CLASS(TGroupBox, TWinControl)
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void TextChanged() override;
    void ColorChanged() override;
};
