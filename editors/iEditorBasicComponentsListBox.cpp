// The toolkit's list box: entries drawn with a colour box, reordered by dragging.

#include "editors/iEditorBasicComponents.h"

#include "editors/iEditorBasicComponents_p.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/Keys.h"

#include <algorithm>

TiComponentEditorListBox::TiComponentEditorListBox(TComponent* owner) : TListBox(owner)
{
    SetStyle(lbOwnerDrawFixed);
    SetDragMode(dmAutomatic);
}

void TiComponentEditorListBox::SelectLast() { SetItemIndex(Count() - 1); }

void TiComponentEditorListBox::DeleteSelectedObject()
{
    const int selected = ItemIndex();
    if (selected < 0)
        return;
    TObject* object = Items()->GetObject(selected);
    Items()->Delete(selected);
    delete object;
    if (Count() > 0)
        SetItemIndex(std::min(selected, Count() - 1));
}

void TiComponentEditorListBox::DeleteObjectIndex(TObject* object)
{
    const int found = Items()->IndexOfObject(object);
    if (found < 0)
        return;
    const int selected = ItemIndex();
    Items()->Delete(found);
    if (Count() > 0)
        SetItemIndex(std::min(selected, Count() - 1));
}

void TiComponentEditorListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        TListBox::DrawItem(index, rect, state);
        return;
    }
    std::string text = Items()->Get(index);
    bool drawColorBox = true;
    TColor boxColor = clRed;
    OnGetData(index, drawColorBox, boxColor, text);

    TCanvas& canvas = *Canvas();
    const bool selected = state.count(odSelected) > 0;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(selected ? clTeal : clWindow);
    canvas.FillRect(rect);
    canvas.Font().SetColor(selected ? clWhite : clBlack);
    if (!drawColorBox) {
        canvas.TextOut(rect.Left + 2, rect.Top, text);
        return;
    }
    canvas.TextOut(rect.Left + 22, rect.Top, text);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(boxColor);
    canvas.Rectangle(rect.Left + 2, rect.Top + 1, rect.Left + 18, rect.Bottom - 1);
}

// Entries move only within their own list.
bool TiComponentEditorListBox::DragOver(TObject* source, int, int) { return source == this; }

void TiComponentEditorListBox::DragDrop(TObject*, int, int y)
{
    const int selected = ItemIndex();
    if (selected < 0)
        return;
    const int height = std::max(1, ItemHeight());
    const int target = std::clamp((TopIndex() * height + y) / height, 0, Count() - 1);
    if (target == selected)
        return;
    TStrings* items = Items();
    const std::string text = items->Get(selected);
    TObject* object = items->GetObject(selected);
    items->Delete(selected);
    items->InsertObject(target, text, object);
    SetItemIndex(target);
    OnItemMove(this);
}

void TiComponentEditorListBox::KeyDown(int& key, TShiftState shift)
{
    TListBox::KeyDown(key, shift);
    ToolkitKeyDown(*this, key, shift, true);
}

void TiComponentEditorListBox::KeyPress(char& key)
{
    ToolkitKeyPress(key, true);
    TListBox::KeyPress(key);
}

PRAVIX_PUBLISH(TiComponentEditorListBox, Redeclare("Style").Default(lbOwnerDrawFixed),
               Redeclare("DragMode").Default(dmAutomatic), Field("OnGetData", &TiComponentEditorListBox::OnGetData),
               Field("OnItemMove", &TiComponentEditorListBox::OnItemMove))
