#pragma once
// Panels, radio groups, shapes, scroll boxes and the form timer component.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"
#include "platform/core/StringList.h"
#include "platform/gui/Controls.h"

#include <memory>
#include <vector>

PRAVIX_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace)
PRAVIX_ENUM(TBorderStyle, bsNoBorder, bsSingleBorder)
PRAVIX_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)

// A container with an optional bevel and a caption centred in it.
class TPanel : public TWinControl {
    PRAVIX_CLASS(TPanel, TWinControl)
public:
    explicit TPanel(TComponent* owner);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);

protected:
    void TextChanged() override { Invalidate(); }
    void ColorChanged() override { Invalidate(); }

private:
    friend class PanelWidget;
    TPanelBevel m_bevelInner = bvNone;
    TPanelBevel m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    TAlignment m_alignment = taCenter;
};

// A group box of radio buttons, one per item, laid out in columns; OnClick fires when the
// user picks an item (never for ItemIndex set by the program).
class TRadioGroup : public TWinControl {
    PRAVIX_CLASS(TRadioGroup, TWinControl)
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;
    TStrings* Items() const;
    void SetItems(TStrings* value);
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int index);
    int Columns() const { return m_columns; }
    void SetColumns(int value);
    // Picks an item as the user does.
    void SimulateClick(int index);

protected:
    void TextChanged() override;
    void Resize() override;

private:
    void RebuildButtons();
    void ArrangeButtons();
    void UserPicked(int index);
    std::unique_ptr<TStringList> m_items;
    std::vector<QWidget*> m_buttons;
    int m_itemIndex = -1;
    int m_columns = 1;
};

// A rectangle, square, rounded shape, ellipse or circle outlined with Pen and filled with
// Brush (white brush, black one-pixel pen until changed).
class TShape : public TControl {
    PRAVIX_CLASS(TShape, TControl)
public:
    explicit TShape(TComponent* owner);
    TShapeType Shape() const { return m_shape; }
    void SetShape(TShapeType value);
    TBrush* Brush() const { return &m_brush; }
    void SetBrush(TBrush* value);
    TPen* Pen() const { return &m_pen; }
    void SetPen(TPen* value);

private:
    friend class ShapeWidget;
    TShapeType m_shape = stRectangle;
    mutable TBrush m_brush;
    mutable TPen m_pen;
};

// A scrolling container: its children sit on a canvas that scrolls when larger than it.
class TScrollBox : public TWinControl {
    PRAVIX_CLASS(TScrollBox, TWinControl)
public:
    explicit TScrollBox(TComponent* owner);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    QWidget* ClientWidget() const override;

protected:
    void InsertChildWidget(TControl* child) override;
    void Resize() override;

private:
    friend class ScrollBoxArea;
    void FitContent();
    QWidget* m_content = nullptr;
    TBorderStyle m_borderStyle = bsSingleBorder;
};
