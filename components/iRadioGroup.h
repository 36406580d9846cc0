#pragma once
// TiRadioGroup: a self-drawn frame of mutually exclusive choices laid out in columns.
//
// A mouse selection needs the press and the release on the same item; while the button is
// held the pressed item follows the mouse. The arrow keys step through the items and wrap
// around. ItemIndex is kept within -1 (none) .. Items.Count - 1 by its setter and by every
// change of the items. OnChange follows every change of ItemIndex (the arrow keys'
// included), OnChangeUser only a selection made with the mouse.
//
// The layout of the items is worked out by each paint; the mouse hit test uses the last
// one, so a group that has not been painted with items yet hits no item.

#include "components/iCustomComponent.h"

#include <memory>
#include <string>

class TStringList;

class TiRadioGroup : public TiCustomComponent {
    PRAVIX_CLASS(TiRadioGroup, TiCustomComponent)
public:
    explicit TiRadioGroup(TComponent* owner);
    ~TiRadioGroup() override;

    TStringList* Items() const { return m_items.get(); }
    void SetItems(TStringList* value);  // copies the strings
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int value);
    // At least 1; smaller values are ignored.
    int Columns() const { return m_columns; }
    void SetColumns(int value);

    // The item under a client point by the layout of the last paint: it may lie outside
    // the items (above the first row, below the last, right of the last column); -1 when
    // no layout is known yet.
    int GetMouseItemIndex(int x, int y) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

    // Added after the operations of TiVCLComponent.
    virtual void DoChange();

    void iPaintTo(TCanvas& canvas) override;
    void iDoSetFocus() override;
    void iDoKillFocus() override;
    void iWantSpecialKey(int& key, int& result) override;
    void iKeyDown(int& key, TShiftState shift) override;
    void iKeyUp(int& key, TShiftState shift) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    // The caption and the font are the control's own.
    void TextChanged() override;
    void FontChanged() override;
    // True while a selection made with the mouse is applied (OnChangeUser fires then).
    bool UserChanging() const { return m_userChange; }

private:
    void SubObjectChange(TObject* sender);
    void DrawFrame(TCanvas& canvas, int half);
    void DrawCaption(TCanvas& canvas);
    void UpdateLayout(int textHeight);
    void DrawItem(TCanvas& canvas, int index);
    void DrawButton(TCanvas& canvas, int x, int y, bool pressed);

    // Fields in their specified order (Caption and Font live in the control).
    bool m_mousePressed = false;
    int m_pressedIndex = 0;
    bool m_keyPressed = false;
    bool m_userChange = false;
    int m_firstRowCenter = 0;
    double m_rowHeight = 0;
    int m_leftMargin = 0;
    double m_columnWidth = 0;
    int m_rowsPerColumn = 0;
    std::unique_ptr<TStringList> m_items;
    int m_itemIndex = 0;
    int m_columns = 1;
};
