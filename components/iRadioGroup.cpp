#include "components/iRadioGroup.h"

#include "components/iGPFunctions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Scoped.h"
#include "platform/core/StringList.h"
#include "platform/gui/Keys.h"

#include <algorithm>

PRAVIX_PUBLISH(TiRadioGroup, Redeclare("Width").Default(97), Redeclare("Height").Default(17),
               Prop("Caption", &TControl::Caption, &TControl::SetCaption),
               Prop("Font", &TControl::Font, &TControl::SetFont).Owned(),
               Prop("Items", &TiRadioGroup::Items, &TiRadioGroup::SetItems).Owned(),
               Prop("ItemIndex", &TiRadioGroup::ItemIndex, &TiRadioGroup::SetItemIndex),
               Prop("Columns", &TiRadioGroup::Columns, &TiRadioGroup::SetColumns).Default(1),
               Field("OnChange", &TiRadioGroup::OnChange), Field("OnChangeUser", &TiRadioGroup::OnChangeUser),
               Prop("BackGroundColor", &TiComponent::BackGroundColor, &TiComponent::SetBackGroundColor)
                   .AsColor()
                   .Default(clBtnFace),
               Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1),
               Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true))

namespace {

// Where the first column of items begins.
constexpr int kLeftMargin = 14;

// One stroke of a radio button's ring, relative to the button's centre: from the first
// point up to, not including, the second.
struct TRingStroke {
    TColor Color;
    int X1, Y1, X2, Y2;
};

// The sunken ring: dark inner shadow, shadow, face and highlight, in drawing order.
constexpr TRingStroke kRing[] = {
    {cl3DDkShadow, -4, -2, -4, 2},  {cl3DDkShadow, -3, 2, -3, 3},   {cl3DDkShadow, -3, -3, -3, -5},
    {cl3DDkShadow, -3, -4, -1, -4}, {cl3DDkShadow, -1, -5, 3, -5},  {cl3DDkShadow, 3, -4, 5, -4},
    {clBtnShadow, -5, -2, -5, 2},   {clBtnShadow, -4, 2, -4, 4},    {clBtnShadow, -4, -3, -4, -5},
    {clBtnShadow, -3, -5, -1, -5},  {clBtnShadow, -1, -6, 3, -6},   {clBtnShadow, 3, -5, 5, -5},
    {clBtnFace, 6, -3, 6, -5},      {clBtnFace, 6, 2, 6, 6},        {clBtnFace, 5, -2, 5, 2},
    {clBtnFace, 4, -3, 4, -2},      {clBtnFace, 4, 2, 4, 4},        {clBtnFace, 5, 4, 5, 6},
    {clBtnFace, -5, 5, -1, 5},      {clBtnFace, 3, 5, 5, 5},        {clBtnFace, -1, 4, 3, 4},
    {clBtnFace, 3, 3, 4, 3},        {clBtnFace, -3, 3, -1, 3},      {clBtnHighlight, 5, -3, 5, -5},
    {clBtnHighlight, 6, -2, 6, 2},  {clBtnHighlight, 5, 2, 5, 4},   {clBtnHighlight, 3, 4, 5, 4},
    {clBtnHighlight, -1, 5, 3, 5},  {clBtnHighlight, -3, 4, -1, 4},
};

void PenLine(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2)
{
    canvas.Pen().SetColor(color);
    Line(canvas, x1, y1, x2, y2);
}

}  // namespace

TiRadioGroup::TiRadioGroup(TComponent* owner) : TiCustomComponent(owner), m_items(std::make_unique<TStringList>())
{
    SetTabStop(true);
    SetCaption("Radio Group");
    SetBounds(Left(), Top(), 97, 17);
    m_items->OnChange = [this](TObject* sender) { SubObjectChange(sender); };
}

TiRadioGroup::~TiRadioGroup() = default;

// --- Properties -------------------------------------------------------------------------------

void TiRadioGroup::SetItems(TStringList* value)
{
    if (value)
        m_items->Assign(*value);  // its change notification follows
}

void TiRadioGroup::SetItemIndex(int value)
{
    const int v = std::min(std::max(value, -1), m_items->Count() - 1);
    if (v == m_itemIndex)
        return;
    m_itemIndex = v;
    m_pressedIndex = v;
    InvalidateChange();
    DoChange();
}

void TiRadioGroup::SetColumns(int value)
{
    if (value < 1 || value == m_columns)
        return;
    m_columns = value;
    InvalidateChange();
}

void TiRadioGroup::TextChanged()
{
    TiCustomComponent::TextChanged();
    InvalidateChange();
}

void TiRadioGroup::FontChanged()
{
    TiCustomComponent::FontChanged();
    SubObjectChange(Font());
}

// A change of the items corrects the selection silently: no OnChange for it.
void TiRadioGroup::SubObjectChange(TObject*)
{
    m_itemIndex = std::min(std::max(m_itemIndex, -1), m_items->Count() - 1);
    InvalidateChange();
}

void TiRadioGroup::DoChange()
{
    if (GetLoading())
        return;
    OnChangeProperty(this, "ItemIndex");
    OnChange(this);
    if (m_userChange)
        OnChangeUser(this);
}

int TiRadioGroup::GetMouseItemIndex(int x, int y) const
{
    // Before the first paint with items, or in a group too small to give its rows or
    // columns any size, no point lies on an item.
    if (m_rowHeight <= 0 || (m_columns > 1 && m_columnWidth <= 0))
        return -1;
    const int row = int(RoundHalfEven((y - m_firstRowCenter) / m_rowHeight));
    if (m_columns == 1)
        return row;
    const int column = int(Trunc((x - m_leftMargin + 6) / m_columnWidth));
    return row + column * m_rowsPerColumn;
}

// --- Input ------------------------------------------------------------------------------------

void TiRadioGroup::iDoSetFocus()
{
    TiCustomComponent::iDoSetFocus();
    InvalidateNow();
}

void TiRadioGroup::iDoKillFocus()
{
    m_mousePressed = false;
    m_keyPressed = false;
    InvalidateChange();
    TiCustomComponent::iDoKillFocus();
}

void TiRadioGroup::iWantSpecialKey(int& key, int& result)
{
    const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
    result = arrow ? 1 : 0;
}

// The arrows step through the items and wrap around. They are not counted as the user's
// changes: OnChangeUser is kept for mouse selections.
void TiRadioGroup::iKeyDown(int& key, TShiftState)
{
    m_keyPressed = true;
    const int last = m_items->Count() - 1;
    if (key == VK_RIGHT || key == VK_DOWN) {
        key = 0;
        SetItemIndex(m_itemIndex == last ? 0 : m_itemIndex + 1);
    } else if (key == VK_LEFT || key == VK_UP) {
        key = 0;
        SetItemIndex(m_itemIndex == 0 ? last : m_itemIndex - 1);
    }
    InvalidateChange();
}

void TiRadioGroup::iKeyUp(int& key, TShiftState)
{
    if (key == VK_SPACE && m_keyPressed)
        InvalidateChange();
    m_keyPressed = false;
    InvalidateChange();
}

void TiRadioGroup::iMouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft)
        return;
    iSetFocus(this);
    m_mousePressed = true;
    m_pressedIndex = GetMouseItemIndex(x, y);
    InvalidateChange();
}

void TiRadioGroup::iMouseMove(TShiftState, int x, int y)
{
    if (!m_mousePressed)
        return;
    m_pressedIndex = GetMouseItemIndex(x, y);
    InvalidateChange();
}

void TiRadioGroup::iMouseUp(TMouseButton, TShiftState, int x, int y)
{
    if (!m_mousePressed)
        return;
    InvalidateChange();
    m_mousePressed = false;
    TScopedFlag userChange(m_userChange);
    if (m_pressedIndex >= 0 && m_pressedIndex < m_items->Count() && GetMouseItemIndex(x, y) == m_pressedIndex)
        SetItemIndex(m_pressedIndex);
}

// --- Painting ---------------------------------------------------------------------------------

// An etched frame whose top line runs through the middle of the caption's height.
void TiRadioGroup::DrawFrame(TCanvas& canvas, int half)
{
    const int w = Width();
    const int h = Height();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    PenLine(canvas, clBtnHighlight, 1, half + 1, w - 2, half + 1);
    PenLine(canvas, clBtnHighlight, 1, half + 1, 1, h - 1);
    canvas.Pen().SetColor(clBtnShadow);
    canvas.Polyline({TPoint{0, half}, TPoint{w - 2, half}, TPoint{w - 2, h - 2}, TPoint{0, h - 2}, TPoint{0, half}});
    PenLine(canvas, clBtnHighlight, w - 1, half + 1, w - 1, h - 1);
    PenLine(canvas, clBtnHighlight, w - 1, h - 1, 0, h - 1);
}

// The caption interrupts the frame's top line.
void TiRadioGroup::DrawCaption(TCanvas& canvas)
{
    const int cw = canvas.TextWidth("A");
    TRect r{cw, 0, cw + canvas.TextWidth(Caption()), canvas.TextHeight(Caption())};
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(BackGroundColor());
    canvas.FillRect(r);
    iDrawText(canvas, Caption(), r, {itfHLeft, itfVCenter}, Enabled(), BackGroundColor());
}

void TiRadioGroup::UpdateLayout(int textHeight)
{
    const int count = m_items->Count();
    m_rowsPerColumn = (count + m_columns - 1) / m_columns;
    m_rowHeight = (Height() - textHeight - textHeight / 4) / m_rowsPerColumn;
    m_firstRowCenter = int(RoundHalfEven(textHeight + m_rowHeight / 2));
    m_leftMargin = kLeftMargin;
    m_columnWidth = (Width() - kLeftMargin) / m_columns;
}

void TiRadioGroup::DrawButton(TCanvas& canvas, int x, int y, bool pressed)
{
    const TColor face = pressed ? clBtnFace : clWhite;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(face);
    canvas.Pen().SetColor(face);
    canvas.FillRect(TRect{x - 3, y - 4, x + 5, y + 4});
    for (const TRingStroke& s : kRing)
        PenLine(canvas, s.Color, x + s.X1, y + s.Y1, x + s.X2, y + s.Y2);
}

void TiRadioGroup::DrawItem(TCanvas& canvas, int i)
{
    const int y = int(RoundHalfEven((i % m_rowsPerColumn) * m_rowHeight)) + m_firstRowCenter;
    const int x = int(RoundHalfEven((i / m_rowsPerColumn) * m_columnWidth)) + kLeftMargin;
    const bool pressed = (m_mousePressed || m_keyPressed) && m_pressedIndex == i;
    DrawButton(canvas, x, y, pressed);

    const std::string text = m_items->Get(i);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(Font()->GetColor());
    const int th = canvas.TextHeight(text);
    TRect textRect{x + 12, y - th / 2, x + 12 + canvas.TextWidth(text), y + th / 2};
    iDrawText(canvas, text, textRect, {itfHLeft, itfVCenter, itfNoClip}, Enabled(), BackGroundColor());

    if (i == m_itemIndex) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBlack);
        canvas.Pen().SetColor(clBlack);
        canvas.Ellipse(x - 1, y - 2, x + 3, y + 2);
    }
    const bool marked = m_mousePressed ? m_pressedIndex == i : i == m_itemIndex;
    if (IsFocused() && marked) {
        canvas.Font().SetColor(clWhite);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBlack);
        iDrawFocusRect2(canvas, TRect{textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 3});
    }
}

void TiRadioGroup::iPaintTo(TCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());
    canvas.Font().Assign(*Font());
    canvas.Brush().SetStyle(bsSolid);
    const int h = canvas.TextHeight("ABC");
    DrawFrame(canvas, h / 2);
    DrawCaption(canvas);
    if (m_items->Count() == 0)
        return;
    UpdateLayout(h);
    for (int i = 0; i < m_items->Count(); ++i)
        DrawItem(canvas, i);
}
