#include "components/iCheckBox.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/core/Scoped.h"
#include "platform/gui/Keys.h"

PRAVIX_PUBLISH(TiCheckBox, Redeclare("Width").Default(97), Redeclare("Height").Default(17),
               Prop("Caption", &TControl::Caption, &TControl::SetCaption),
               Prop("Checked", &TiCheckBox::Checked, &TiCheckBox::SetChecked),
               Prop("Alignment", &TiCheckBox::Alignment, &TiCheckBox::SetAlignment).Default(taRightJustify),
               Prop("AutoSize", &TiCheckBox::AutoSize, &TiCheckBox::iSetAutoSize).Default(true),
               Prop("Font", &TControl::Font, &TControl::SetFont).Owned(), Field("OnChange", &TiCheckBox::OnChange),
               Field("OnChangeUser", &TiCheckBox::OnChangeUser),
               Prop("BackGroundColor", &TiComponent::BackGroundColor, &TiComponent::SetBackGroundColor)
                   .AsColor()
                   .Default(clBtnFace),
               Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1),
               Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true))

TiCheckBox::TiCheckBox(TComponent* owner) : TiCustomComponent(owner)
{
    SetTabStop(true);
    SetCaption("Caption");
    m_autoSize = true;
    SetBounds(Left(), Top(), 97, 17);
}

TiCheckBox::~TiCheckBox() = default;

// --- Properties -------------------------------------------------------------------------------

void TiCheckBox::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    bool canEdit = true;
    OnRequestEdit(this, "Checked", canEdit);
    if (!canEdit)
        return;
    m_checked = value;
    InvalidateChange();
    DoChange();
    OPCOutputData("Checked", TVariant(value));
}

void TiCheckBox::SetAlignment(TAlignment value)
{
    if (value == m_alignment || value == taCenter)
        return;
    m_alignment = value;
    InvalidateChange();
}

void TiCheckBox::iSetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    DoAutoSize();
    InvalidateChange();
}

void TiCheckBox::TextChanged()
{
    TiCustomComponent::TextChanged();
    DoAutoSize();
    InvalidateChange();
}

void TiCheckBox::FontChanged()
{
    TiCustomComponent::FontChanged();
    DoAutoSize();
    InvalidateChange();
}

void TiCheckBox::DoAutoSize()
{
    if (!m_autoSize || GetLoading() || m_sizing)
        return;
    TScopedFlag sizing(m_sizing);
    TBitmap scratch;
    TCanvas& canvas = scratch.Canvas();
    canvas.Font().Assign(*Font());
    const int w = canvas.TextWidth(Caption()) + 20;
    const int h = canvas.TextHeight(Caption()) + 4;
    int left = Left();
    if (m_alignment == taLeftJustify && Width() != w)
        left += Width() - w;  // the right edge, and so the box, stays where it is
    SetBounds(left, Top(), w, h);
}

void TiCheckBox::DoChange()
{
    if (GetLoading())
        return;
    OnChangeProperty(this, "Checked");
    OnChange(this);
    if (m_userChange)
        OnChangeUser(this);
}

// --- Input ------------------------------------------------------------------------------------

void TiCheckBox::iDoSetFocus()
{
    TiCustomComponent::iDoSetFocus();
    InvalidateNow();
}

void TiCheckBox::iDoKillFocus()
{
    m_mousePressed = false;
    m_keyPressed = false;
    InvalidateChange();
    TiCustomComponent::iDoKillFocus();
}

void TiCheckBox::iKeyDown(int& key, TShiftState)
{
    if (key != VK_SPACE)
        return;
    m_mousePressed = false;
    m_keyPressed = true;
    InvalidateChange();
}

void TiCheckBox::iKeyUp(int& key, TShiftState)
{
    const bool released = key == VK_SPACE && m_keyPressed;
    m_keyPressed = false;  // whatever key came up
    if (!released)
        return;
    InvalidateChange();
    TScopedFlag userChange(m_userChange);
    SetChecked(!m_checked);
}

void TiCheckBox::iMouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft)
        return;
    iSetFocus(this);
    m_mousePressed = true;
    InvalidateChange();
}

void TiCheckBox::iMouseUp(TMouseButton, TShiftState, int x, int y)
{
    if (!m_mousePressed)
        return;
    InvalidateChange();
    m_mousePressed = false;
    TScopedFlag userChange(m_userChange);
    if (x >= 0 && x < Width() && y >= 0 && y < Height())
        SetChecked(!m_checked);
}

// --- Painting ---------------------------------------------------------------------------------

TRect TiCheckBox::BoxRect(int mid) const
{
    if (m_alignment == taLeftJustify)
        return TRect{Width() - 13, mid - 7, Width(), mid + 6};
    return TRect{0, mid - 7, 13, mid + 6};
}

TRect TiCheckBox::TextRect(TCanvas& canvas, int mid) const
{
    const int tw = canvas.TextWidth(Caption());
    const int th = canvas.TextHeight(Caption());
    const int left = m_alignment == taLeftJustify ? 1 : 18;
    return TRect{left, mid - th / 2 - 1, tw + left, mid + th - th / 2 - 1};
}

// A tick three pixels thick: the same bent line at three heights.
void TiCheckBox::DrawTick(TCanvas& canvas, int boxLeft, int mid)
{
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    for (int lift = 0; lift < 3; ++lift)
        canvas.Polyline({TPoint{boxLeft + 3, mid - lift}, TPoint{boxLeft + 5, mid + 2 - lift},
                         TPoint{boxLeft + 10, mid - 3 - lift}});
}

void TiCheckBox::DrawFocus(TCanvas& canvas, const TRect& textRect)
{
    TRect focus{textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 2};
    IntersectRect(focus, focus, TRect{0, 0, Width() - 1, Height() - 1});
    canvas.Font().SetColor(clWhite);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    iDrawFocusRect2(canvas, focus);
}

void TiCheckBox::iPaintTo(TCanvas& canvas)
{
    const int mid = Height() / 2;
    DrawBackGround(canvas, BackGroundColor());
    canvas.Font().Assign(*Font());
    canvas.Brush().SetStyle(bsSolid);

    TRect textRect = TextRect(canvas, mid);
    const TRect box = BoxRect(mid);
    const bool showPressed = m_mousePressed || m_keyPressed || !Enabled();
    canvas.Brush().SetColor(showPressed ? BackGroundColor() : clWhite);
    canvas.FillRect(box);
    iDrawEdge(canvas, box, idesSunken);

    canvas.Brush().SetStyle(bsClear);
    iDrawText(canvas, Caption(), textRect, {itfHLeft, itfVCenter}, Enabled(), BackGroundColor());

    if (m_checked)
        DrawTick(canvas, box.Left, mid);
    if (IsFocused())
        DrawFocus(canvas, textRect);
}
