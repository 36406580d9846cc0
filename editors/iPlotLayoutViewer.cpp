#include "editors/iPlotLayoutViewer.h"

#include "components/iGPFunctions.h"
#include "platform/core/MathSupport.h"
#include "plot/core/iPlotTranslation.h"

#include <algorithm>
#include <initializer_list>
#include <string>

PRAVIX_PUBLISH(TiPlotLayoutViewer, Field("OnChange", &TiPlotLayoutViewer::OnChange))

namespace {

// The blue frame around the schematic.
constexpr int kFrameWidth = 5;
// How close to the end of a block the mouse must be to size it.
constexpr int kSizingReach = 7;
// Sizing moves a span's end in steps of this many percent.
constexpr double kSizingStep = 1.25;

constexpr TColor kFrameColor = RGB(0, 0, 255);
constexpr TColor kBlockColor = RGB(192, 192, 192);
constexpr TColor kDraggedColor = RGB(255, 255, 0);

bool IsKind(const TObject* object, std::initializer_list<TiPlotObjectKind> kinds)
{
    TiPlotObjectKind kind;
    return GetPlotObjectKind(object, kind) && std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool IsAxis(const TObject* object) { return IsKind(object, {TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis}); }

bool IsDataView(const TObject* object) { return IsKind(object, {TiPlotObjectKind::DataView}); }

bool IsPlaceholder(const TObject* object) { return dynamic_cast<const TiPlotDataViewLayout*>(object) != nullptr; }

// Kinds whose objects may lie side by side on one level, each along its own span.
bool CanShareLevel(const TObject* dragged, const TObject* ref)
{
    using enum TiPlotObjectKind;
    return (IsAxis(dragged) && IsAxis(ref)) || (IsKind(dragged, {Label}) && IsKind(ref, {Label, Legend})) ||
           (IsKind(dragged, {Legend}) && IsKind(ref, {Label}));
}

int Round(double value) { return int(RoundHalfEven(value)); }

}  // namespace

TiPlotLayoutViewer::TiPlotLayoutViewer(TComponent* owner) : TiCustomComponent(owner), m_font(std::make_unique<TFont>())
{
    m_font->SetName("Arial");
    m_font->SetSize(10);
}

TiPlotLayoutViewer::~TiPlotLayoutViewer() = default;

void TiPlotLayoutViewer::SetLayoutManager(TiPlotLayoutManager* value)
{
    m_layoutManager = value;
    InvalidateChange();
}

void TiPlotLayoutViewer::SetTranslationManager(TiPlotTranslationManager* value)
{
    m_translationManager = value;
    InvalidateChange();
}

void TiPlotLayoutViewer::TriggerChange() { OnChange(this); }

// ---------------------------------------------------------------------------------------------
// Geometry

void TiPlotLayoutViewer::iPaintTo(TCanvas& canvas)
{
    CalcRects(canvas);
    DrawOuterBorder(canvas);
    if (m_layoutManager)
        Draw(canvas);
}

void TiPlotLayoutViewer::CalcRects(TCanvas& canvas)
{
    m_areaRect = {kFrameWidth, kFrameWidth, Width() - kFrameWidth, Height() - kFrameWidth};
    if (!m_layoutManager)
        return;
    canvas.Font().Assign(*m_font);
    m_blockSize = Round(canvas.TextWidth("ABC") * 1.1);
    const int b = m_blockSize;
    const TiPlotLayoutManager& layout = *m_layoutManager;
    m_dataViewRect = {m_areaRect.Left + layout.LeftCount() * b, m_areaRect.Top + layout.TopCount() * b,
                      m_areaRect.Right - layout.RightCount() * b, m_areaRect.Bottom - layout.BottomCount() * b};
    m_dataViewWidth = m_dataViewRect.Width();
    m_dataViewHeight = m_dataViewRect.Height();
    // While a drag points at a slot the slot must stay where it is.
    if (!m_dropSlot)
        BuildSlots();
    SetLayoutRects();
}

void TiPlotLayoutViewer::BuildSlots()
{
    const TiPlotLayoutManager& layout = *m_layoutManager;
    const int b = m_blockSize;
    const TRect& area = m_areaRect;
    const TRect& dv = m_dataViewRect;
    m_slots.clear();
    auto add = [this](TRect rect, int level, bool horizontal, bool dataView = false, bool outerMostTop = false) {
        m_slots.push_back(
            std::make_unique<TBlockObject>(TBlockObject{rect, level, horizontal, dataView, outerMostTop}));
    };
    for (int i = 0; i < layout.LeftCount(); ++i)
        add({area.Left + i * b, dv.Top, area.Left + (i + 1) * b, dv.Bottom}, i, false);
    add(dv, layout.LeftCount(), false, true);
    for (int i = 0; i < layout.RightCount(); ++i)
        add({dv.Right + i * b, dv.Top, dv.Right + (i + 1) * b, dv.Bottom}, layout.LeftCount() + 1 + i, false);
    for (int i = 0; i < layout.TopCount(); ++i)
        add({area.Left, area.Top + i * b, area.Right, area.Top + (i + 1) * b},
            layout.TopCount() + layout.BottomCount() - i, true, false, i == 0);
    add(dv, layout.BottomCount(), true, true);
    for (int i = 0; i < layout.BottomCount(); ++i)
        add({area.Left, dv.Bottom + i * b, area.Right, dv.Bottom + (i + 1) * b}, layout.BottomCount() - 1 - i, true);
}

void TiPlotLayoutViewer::SetLayoutRects()
{
    const TiPlotLayoutManager& layout = *m_layoutManager;
    const int b = m_blockSize;
    const TRect& area = m_areaRect;
    const TRect& dv = m_dataViewRect;
    for (int i = 0; i < layout.GetCount(); ++i) {
        TiPlotLayoutObject* object = layout.GetItem(i);
        if (IsDataView(object) || IsPlaceholder(object)) {
            object->SetLayoutRect(dv);
            continue;
        }
        const int z = object->ZOrder();
        const double start = object->StartPercent() / 100;
        const double stop = object->StopPercent() / 100;
        TRect r;
        if (object->GetIsVert()) {
            const int p = layout.DataViewVert()->ZOrder();
            if (z <= p) {
                r.Left = dv.Left - (p - z) * b;
                r.Right = dv.Left - (p - z - 1) * b;
            } else {
                r.Left = dv.Right + (z - p - 1) * b;
                r.Right = dv.Right + (z - p) * b;
            }
            r.Top = Round(dv.Bottom - m_dataViewHeight * stop);
            r.Bottom = Round(dv.Bottom - m_dataViewHeight * start);
        } else {
            const int p = layout.DataViewHorz()->ZOrder();
            if (z <= p) {
                r.Top = dv.Bottom + (p - z - 1) * b;
                r.Bottom = dv.Bottom + (p - z) * b;
            } else {
                r.Top = dv.Top - (z - p) * b;
                r.Bottom = dv.Top - (z - p - 1) * b;
            }
            // Axes run along the data view, the other objects along the whole plot.
            const TRect& along = IsAxis(object) ? dv : area;
            r.Left = Round(along.Left + along.Width() * start);
            r.Right = Round(along.Left + along.Width() * stop);
        }
        object->SetLayoutRect(r);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TiPlotLayoutViewer::DrawOuterBorder(TCanvas& canvas)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(kFrameColor);
    canvas.FillRect({0, 0, Width(), Height()});
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(m_areaRect);
}

void TiPlotLayoutViewer::Draw(TCanvas& canvas)
{
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psClear);
    const TiPlotLayoutManager& layout = *m_layoutManager;
    for (int i = 0; i < layout.GetCount(); ++i) {
        TiPlotLayoutObject* object = layout.GetItem(i);
        // The horizontal placeholder stands for the data view.
        if (object == layout.DataViewVert() || IsDataView(object))
            continue;
        const TColor color = object == m_dragObject ? kDraggedColor : kBlockColor;
        canvas.Brush().SetColor(color);
        canvas.Brush().SetStyle(object->Visible() ? bsSolid : bsDiagCross);
        // A hidden object's hatch lies on the white of the schematic.
        canvas.SetBkMode(bkTransparent);
        canvas.Rectangle(object->GetLayoutRect());
        canvas.Brush().SetStyle(bsClear);
        const std::string name =
            m_translationManager ? m_translationManager->FindReplacement(object->Name()) : object->Name();
        iDrawRotatedText(canvas, name, object->GetLayoutRect(), object->GetIsHorz() ? ira000 : ira090, iahCenter, true,
                         color);
    }
    DrawDropFrame(canvas);
}

void TiPlotLayoutViewer::DrawDropFrame(TCanvas& canvas)
{
    if (!m_dropObject && !m_dropSlot)
        return;
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(2);
    canvas.Rectangle(m_dropObject ? m_dropObject->GetLayoutRect() : DropFrameRect());
}

// The slot moved half a block towards the side the drop opens its level on; at a data view
// one block across its edge.
TRect TiPlotLayoutViewer::DropFrameRect() const
{
    const int b = m_blockSize;
    const bool horizontal = m_dropSlot->Horizontal;
    TRect r = m_dropSlot->Rect;
    const bool below = m_insertDirection == iidBelow;
    const bool above = m_insertDirection == iidAbove;
    if (horizontal)
        OffsetRect(r, 0, below ? b / 2 : above ? -(b / 2 - 1) : 0);
    else
        OffsetRect(r, below ? -(b / 2) : above ? b / 2 + 1 : 0, 0);
    if (!m_dropSlot->DataView)
        return r;
    if (horizontal) {
        r.Left = m_areaRect.Left;
        r.Right = m_areaRect.Right;
        if (below)
            r.Top = r.Bottom - b;
        else if (above)
            r.Bottom = r.Top + b;
    } else if (below) {
        r.Right = r.Left + b;
    } else if (above) {
        r.Left = r.Right - b;
    }
    return r;
}

// ---------------------------------------------------------------------------------------------
// Look-ups

TiPlotLayoutObject* TiPlotLayoutViewer::GetMouseOverBlock(int x, int y) const
{
    if (!m_layoutManager)
        return nullptr;
    for (int i = 0; i < m_layoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* object = m_layoutManager->GetItem(i);
        if (!IsPlaceholder(object) && PtInRect(object->GetLayoutRect(), {x, y}))
            return object;
    }
    return nullptr;
}

const TBlockObject* TiPlotLayoutViewer::GetMouseOverBlock2(int x, int y) const
{
    const int b = m_blockSize;
    for (const auto& slot : m_slots) {
        const TRect& r = slot->Rect;
        if (!PtInRect(r, {x, y}))
            continue;
        if (slot->OuterMostTop && y < (r.Top + r.Bottom) / 2)
            continue;
        if (slot->DataView) {
            const bool nearEdge = slot->Horizontal ? PtInRect({r.Left, r.Bottom - b, r.Right, r.Bottom}, {x, y}) ||
                                                         PtInRect({r.Left, r.Top, r.Right, r.Top + b}, {x, y})
                                                   : PtInRect({r.Left, r.Top, r.Left + b, r.Bottom}, {x, y}) ||
                                                         PtInRect({r.Right - b, r.Top, r.Right, r.Bottom}, {x, y});
            if (!nearEdge)
                continue;
        }
        return slot.get();
    }
    return nullptr;
}

TiPlotLayoutObject* TiPlotLayoutViewer::GetDropRefObject(const TiPlotLayoutObject* exclude, bool horizontal,
                                                         int level) const
{
    if (!m_layoutManager)
        return nullptr;
    for (int i = 0; i < m_layoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* object = m_layoutManager->GetItem(i);
        if (object != exclude && !IsDataView(object) && object->ZOrder() == level && object->GetIsHorz() == horizontal)
            return object;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TiPlotLayoutViewer::iMouseDown(TMouseButton, TShiftState, int x, int y)
{
    TiPlotLayoutObject* over = GetMouseOverBlock(x, y);
    if (!over || IsDataView(over) || IsKind(over, {TiPlotObjectKind::ToolBar}))
        return;
    m_dragObject = over;
    m_mouseDown = true;
    m_pressX = x;
    m_pressY = y;
    // A direction left from an earlier drag must not decide where this one drops.
    m_insertDirection = iidMerge;
    // The press itself decides whether it grabbed the end of the block, so that what is
    // sized is always the block pressed.
    SetCursor(FindSizingEnd(over, x, y));
    if (m_sizeObject) {
        m_editMode = ilemSize;
        m_startPercentAtPress = m_sizeObject->StartPercent();
        m_stopPercentAtPress = m_sizeObject->StopPercent();
    } else {
        m_editMode = ilemDrag;
    }
    InvalidateChange();
}

void TiPlotLayoutViewer::iMouseMove(TShiftState shift, int x, int y)
{
    SetCursor(crDefault);
    if (m_editMode == ilemDrag && !shift.count(ssLeft))
        return;
    m_dropObject = nullptr;
    m_dropSlot = nullptr;
    TiPlotLayoutObject* over = GetMouseOverBlock(x, y);
    const TBlockObject* slot = GetMouseOverBlock2(x, y);
    switch (m_editMode) {
    case ilemNone: SetCursor(FindSizingEnd(over, x, y)); break;
    case ilemDrag:
        if (m_mouseDown)
            DragOver(over, slot, x, y);
        break;
    case ilemSize:
        if (m_mouseDown)
            SizeTo(x, y);
        break;
    }
}

void TiPlotLayoutViewer::iMouseUp(TMouseButton, TShiftState, int, int)
{
    m_mouseDown = false;
    if (m_editMode == ilemDrag)
        Drop();
    else if (m_editMode == ilemSize && m_sizeObject)
        TriggerChange();
    m_editMode = ilemNone;
    SetCursor(crDefault);
    m_dropObject = nullptr;
    m_dropSlot = nullptr;
    m_dragObject = nullptr;
    m_sizeObject = nullptr;
    InvalidateChange();
}

TCursor TiPlotLayoutViewer::FindSizingEnd(TiPlotLayoutObject* over, int x, int y)
{
    m_sizeObject = nullptr;
    using enum TiPlotObjectKind;
    if (!over || !IsKind(over, {XAxis, YAxis, Label, Table, Legend}))
        return crDefault;
    const TRect r = over->GetLayoutRect();
    const bool horizontal = over->GetIsHorz();
    // Along a vertical band the start lies at the bottom.
    const int start = horizontal ? r.Left : r.Bottom;
    const int stop = horizontal ? r.Right : r.Top;
    const int at = horizontal ? x : y;
    if (std::abs(start - at) < kSizingReach)
        m_sizingSide = ilssStart;
    else if (std::abs(stop - at) < kSizingReach)
        m_sizingSide = ilssStop;
    else
        return crDefault;
    m_sizeObject = over;
    return horizontal ? crSizeWE : crSizeNS;
}

void TiPlotLayoutViewer::DragOver(TiPlotLayoutObject* over, const TBlockObject* slot, int x, int y)
{
    if (over && !IsDataView(over) && over != m_dragObject && over->GetIsHorz() == m_dragObject->GetIsHorz() &&
        over->ZOrder() == m_dragObject->ZOrder())
        m_dropObject = over;
    // An axis keeps its orientation.
    if (slot && !(IsAxis(m_dragObject) && slot->Horizontal != m_dragObject->GetIsHorz())) {
        const TiPlotLayoutObject* ref = GetDropRefObject(m_dragObject, slot->Horizontal, slot->Level);
        const bool ownLevel = slot->Horizontal == m_dragObject->GetIsHorz() && slot->Level == m_dragObject->ZOrder();
        // Alone on its own level the object has nowhere to go: a shaky click must not
        // reset its span.
        if (ref || !ownLevel)
            m_dropSlot = slot;
        if (ref)
            ChooseInsertDirection(ref, *slot, x, y);
    }
    InvalidateChange();
}

void TiPlotLayoutViewer::ChooseInsertDirection(const TiPlotLayoutObject* ref, const TBlockObject& slot, int x, int y)
{
    const TRect& r = slot.Rect;
    const int w = r.Width();
    const int h = r.Height();
    if (CanShareLevel(m_dragObject, ref)) {
        if (slot.Horizontal)
            m_insertDirection = y > r.Top + 2 * h / 3 ? iidBelow : y <= r.Top + h / 3 ? iidAbove : iidMerge;
        else
            m_insertDirection = x < r.Left + w / 3 ? iidBelow : x >= r.Left + 2 * w / 3 ? iidAbove : iidMerge;
        // Nothing may go above the outermost top level: only its lowest third takes a drop.
        if (slot.OuterMostTop && m_insertDirection != iidBelow)
            m_dropSlot = nullptr;
    } else if (slot.Horizontal) {
        m_insertDirection = y <= r.Top + h / 2 ? iidAbove : iidBelow;
    } else {
        m_insertDirection = x >= r.Left + w / 2 ? iidAbove : iidBelow;
    }
}

void TiPlotLayoutViewer::SizeTo(int x, int y)
{
    const bool horizontal = m_sizeObject->GetIsHorz();
    // A viewer smaller than its bands leaves no data view to measure the move against.
    const int length = horizontal ? m_dataViewWidth : m_dataViewHeight;
    if (length <= 0)
        return;
    double delta = (horizontal ? x - m_pressX : m_pressY - y) * 100.0 / length;
    delta = double(RoundHalfEven(delta / kSizingStep)) * kSizingStep;
    if (m_sizingSide == ilssStart)
        m_sizeObject->SetStartPercent(m_startPercentAtPress + delta);
    else
        m_sizeObject->SetStopPercent(m_stopPercentAtPress + delta);
    InvalidateChange();
}

// ---------------------------------------------------------------------------------------------
// Edits

void TiPlotLayoutViewer::Drop()
{
    if (!m_dropSlot)
        return;
    if (m_dropObject) {
        Flip();
        return;
    }
    if (m_dropSlot->Horizontal != m_dragObject->GetIsHorz()) {
        m_dragObject->GetIsHorz() ? MoveHorzToVert() : MoveVertToHorz();
        return;
    }
    if (m_insertDirection == iidMerge)
        Merge();
    else
        DropBelowOrAbove();
}

void TiPlotLayoutViewer::Flip()
{
    if (!m_dragObject || !m_dropObject)
        return;
    const double start = m_dragObject->StartPercent();
    const double stop = m_dragObject->StopPercent();
    m_dragObject->SetStartStopPercent(m_dropObject->StartPercent(), m_dropObject->StopPercent());
    m_dropObject->SetStartStopPercent(start, stop);
    TriggerChange();
}

void TiPlotLayoutViewer::DropBelowOrAbove()
{
    // Ref's level is read after the dragged object left its own, which may have moved it.
    if (TiPlotLayoutObject* ref = GetDropRefObject(m_dragObject, m_dropSlot->Horizontal, m_dropSlot->Level)) {
        m_layoutManager->RemoveZOrder(m_dragObject);
        m_layoutManager->InsertZOrder(m_dragObject, ref->ZOrder(), m_insertDirection);
    }
    m_dragObject->SetStartPercent(0);
    m_dragObject->SetStopPercent(100);
}

void TiPlotLayoutViewer::Merge()
{
    TiPlotLayoutObject* ref = GetDropRefObject(m_dragObject, m_dropSlot->Horizontal, m_dropSlot->Level);
    std::vector<TiPlotLayoutObject*> level;
    for (int i = 0; i < m_layoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* object = m_layoutManager->GetItem(i);
        if (object != m_dragObject && !IsDataView(object) && object->GetIsHorz() == m_dropSlot->Horizontal &&
            object->ZOrder() == m_dropSlot->Level)
            level.push_back(object);
    }
    level.push_back(m_dragObject);
    const double share = 100.0 / double(level.size());
    for (std::size_t i = 0; i < level.size(); ++i) {
        level[i]->SetStopPercent(double(i) * share + share);
        level[i]->SetStartPercent(double(i) * share);
    }
    if (ref) {
        m_layoutManager->RemoveZOrder(m_dragObject);
        m_layoutManager->InsertZOrder(m_dragObject, ref->ZOrder(), iidMerge);
    }
    TriggerChange();
}

void TiPlotLayoutViewer::MoveHorzToVert() { MoveAcross(false); }

void TiPlotLayoutViewer::MoveVertToHorz() { MoveAcross(true); }

void TiPlotLayoutViewer::MoveAcross(bool horizontal)
{
    if (!m_dragObject || !m_dropSlot)
        return;
    TiPlotLayoutObject* ref = GetDropRefObject(m_dragObject, m_dropSlot->Horizontal, m_dropSlot->Level);
    if (!ref)
        return;
    m_layoutManager->RemoveZOrder(m_dragObject);
    m_dragObject->SetHorizontal(horizontal);
    m_layoutManager->InsertZOrder(m_dragObject, ref->ZOrder(), m_insertDirection);
    TriggerChange();
}

void TiPlotLayoutViewer::MoveZ()
{
    if (!m_dragObject || !m_dropObject)
        return;
    const int z = m_dragObject->ZOrder();
    if (m_dropObject->ZOrder() == z) {
        bool othersThere = false;
        for (int i = 0; i < m_layoutManager->GetCount(); ++i) {
            const TiPlotLayoutObject* object = m_layoutManager->GetItem(i);
            othersThere |= object != m_dragObject && object != m_dropObject && !IsDataView(object) &&
                           object->GetIsHorz() == m_dragObject->GetIsHorz() && object->ZOrder() == z;
        }
        if (!othersThere)
            return;
    }
    m_layoutManager->RemoveZOrder(m_dragObject);
    m_layoutManager->InsertZOrder(m_dragObject, m_dropObject->ZOrder(), m_insertDirection);
    TriggerChange();
}
