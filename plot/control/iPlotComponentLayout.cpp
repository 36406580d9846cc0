#include "plot/control/iPlotComponent.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/core/MathSupport.h"
#include "plot/core/iPlotPaintRoles.h"
#include "plot/objects/iPlotChannel.h"

#include <algorithm>

namespace {

// The paint role of an object, or nullptr for an object without it.
template <class T>
T* Role(TiPlotObject* object)
{
    return dynamic_cast<T*>(object);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Layout

namespace {

bool IsCartesianAxis(const TiPlotLayoutObject* object)
{
    auto* axis = dynamic_cast<const TiPlotAxis*>(object);
    return axis && axis->CartesianStyle() != ipcsNone;
}

bool IsToolBar(const TObject* object)
{
    TiPlotObjectKind kind;
    return GetPlotObjectKind(object, kind) && kind == TiPlotObjectKind::ToolBar;
}

bool IsKindOf(const TObject* object, TiPlotObjectKind wanted)
{
    TiPlotObjectKind kind;
    return GetPlotObjectKind(object, kind) && kind == wanted;
}

void UpdateVisibleList(const TiPlotLayoutList& source, TiPlotLayoutList& dest)
{
    dest.Clear();
    // Appended in source order: the source is sorted already.
    for (const auto& [key, object] : source.Entries())
        if (object->Visible())
            dest.Append(key, object);
}

void UpdateStacking(const TiPlotLayoutList& list)
{
    for (const auto& entry : list.Entries()) {
        entry.second->SetStartStacked(false);
        entry.second->SetStopStacked(false);
    }
    TiPlotLayoutObject* previous = nullptr;
    int lastLevel = -1;
    for (const auto& entry : list.Entries()) {
        TiPlotLayoutObject* object = entry.second;
        if (IsCartesianAxis(object))
            continue;
        if (object->ForceStacking()) {
            object->SetStartStacked(true);
            object->SetStopStacked(true);
        } else if (object->ZOrder() == lastLevel) {
            if (previous)
                previous->SetStopStacked(true);
            object->SetStartStacked(true);
        } else {
            lastLevel = object->ZOrder();
        }
        previous = object;
    }
}

int GetMaxGaurd(TCanvas& canvas, const TiPlotLayoutList& list, bool start)
{
    int guard = 0;
    for (const auto& entry : list.Entries()) {
        TiPlotLayoutObject* object = entry.second;
        if (IsCartesianAxis(object) || (start ? object->StartStacked() : object->StopStacked()))
            continue;
        guard = std::max(guard, object->GetRequiredLengthGaurd(canvas));
    }
    return guard;
}

int GetZOrderMaxWidth(TCanvas& canvas, const TiPlotLayoutList& list, int zOrder)
{
    int width = 0;
    for (const auto& entry : list.Entries())
        if (entry.second->ZOrder() == zOrder && !IsCartesianAxis(entry.second))
            width = std::max(width, entry.second->GetRequiredWidth(canvas));
    return width;
}

int GetTotalRequiredWidth(TCanvas& canvas, const TiPlotLayoutList& list)
{
    int total = 0;
    bool first = true;
    int lastLevel = 0;
    for (const auto& entry : list.Entries()) {
        if (first || entry.second->ZOrder() != lastLevel)
            total += GetZOrderMaxWidth(canvas, list, entry.second->ZOrder());
        first = false;
        lastLevel = entry.second->ZOrder();
    }
    return total;
}

// Walks one side outward from the data view; each level gets one band.
template <class Place>
void PlaceBands(TCanvas& canvas, const TiPlotLayoutList& list, bool fromLast, int edge, int direction, Place place)
{
    int width = 0;
    bool first = true;
    int lastLevel = 0;
    const int n = list.Count();
    for (int step = 0; step < n; ++step) {
        TiPlotLayoutObject* object = list.Object(fromLast ? n - 1 - step : step);
        if (first || object->ZOrder() != lastLevel) {
            edge += direction * width;
            width = GetZOrderMaxWidth(canvas, list, object->ZOrder());
        }
        first = false;
        lastLevel = object->ZOrder();
        place(*object, edge, width);
    }
}

int Round(double value) { return int(RoundHalfEven(value)); }

}  // namespace

void TiPlotComponent::CalcLayout(TCanvas& canvas)
{
    TiPlotLayoutManager* layout = GetLayoutManager();
    auto& top = m_visibleSides[std::size_t(TiPlotLayoutSide::Top)];
    auto& bottom = m_visibleSides[std::size_t(TiPlotLayoutSide::Bottom)];
    auto& left = m_visibleSides[std::size_t(TiPlotLayoutSide::Left)];
    auto& right = m_visibleSides[std::size_t(TiPlotLayoutSide::Right)];
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Top), top);
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Bottom), bottom);
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Left), left);
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Right), right);

    const int W = Width(), H = Height();
    const int B = BorderStyle() != ibsNone ? 2 : 0;
    for (const TiPlotLayoutList* list : {&top, &bottom, &left, &right})
        UpdateStacking(*list);

    const int topStart = GetMaxGaurd(canvas, top, true), topStop = GetMaxGaurd(canvas, top, false);
    const int bottomStart = GetMaxGaurd(canvas, bottom, true), bottomStop = GetMaxGaurd(canvas, bottom, false);
    const int leftStart = GetMaxGaurd(canvas, left, true), leftStop = GetMaxGaurd(canvas, left, false);
    const int rightStart = GetMaxGaurd(canvas, right, true), rightStop = GetMaxGaurd(canvas, right, false);

    int leftW = GetTotalRequiredWidth(canvas, left);
    int rightW = GetTotalRequiredWidth(canvas, right);
    int topW = GetTotalRequiredWidth(canvas, top);
    int bottomW = GetTotalRequiredWidth(canvas, bottom);

    const int HT = std::max({0, topStart, bottomStart});
    const int HS = std::max({0, topStop, bottomStop});
    const int VT = std::max({0, leftStart, rightStart});
    const int VS = std::max({0, leftStop, rightStop});
    leftW = std::max(leftW, HT);
    rightW = std::max(rightW, HS);
    topW = std::max(topW, VS);
    bottomW = std::max(bottomW, VT);

    int topInset = topW + B + m_outerMarginTop;
    if (top.Count() == 1 && IsToolBar(top.Object(0)))
        topInset += VS;
    const int bottomInset = bottomW + B + m_outerMarginBottom;
    const int leftInset = leftW + B + m_outerMarginLeft;
    const int rightInset = rightW + B + m_outerMarginRight;
    TRect dv{leftInset, topInset, W - rightInset - 1, H - bottomInset - 1};

    PlaceBands(canvas, left, true, dv.Left, -1, [](TiPlotLayoutObject& o, int edge, int width) {
        o.SetLeft(edge - width);
        o.SetRight(edge);
    });
    PlaceBands(canvas, right, false, dv.Right, +1, [](TiPlotLayoutObject& o, int edge, int width) {
        o.SetLeft(edge);
        o.SetRight(edge + width);
    });
    PlaceBands(canvas, top, false, dv.Top, -1, [&canvas, B](TiPlotLayoutObject& o, int edge, int width) {
        o.SetTop(edge - width);
        o.SetBottom(edge);
        if (IsToolBar(&o)) {
            o.SetTop(B);
            o.SetBottom(B + o.GetRequiredWidth(canvas));
        }
    });
    PlaceBands(canvas, bottom, true, dv.Bottom, +1, [](TiPlotLayoutObject& o, int edge, int width) {
        o.SetTop(edge);
        o.SetBottom(edge + width);
    });

    TiPlotLayoutObject* dataView = DataViewCount() > 0 ? GetLayoutObject(TiPlotObjectKind::DataView, 0) : nullptr;
    if (dataView)
        dataView->SetDrawRect(dv);
    const int dvw = dv.Right - dv.Left, dvh = dv.Bottom - dv.Top;

    // Spans along the sides, for every object visible or not.
    std::vector<TiPlotLayoutObject*> objects;
    for (int i = 0; i < layout->GetCount(); ++i)
        objects.push_back(layout->GetItem(i));
    for (TiPlotLayoutObject* object : objects) {
        if (dynamic_cast<TiPlotDataViewLayout*>(object) || IsKindOf(object, TiPlotObjectKind::DataView))
            continue;
        const double start = object->StartPercent() / 100, stop = object->StopPercent() / 100;
        const bool toolBar = IsToolBar(object);
        if (object->GetIsHorz()) {
            if (toolBar) {
                object->SetLeft(Round(start * (W - 2 * B)) + B);
                object->SetRight(Round(stop * (W - 2 * B)) + B - 1);
            } else if (IsKindOf(object, TiPlotObjectKind::Label)) {
                const int length = W - B - m_outerMarginLeft - m_outerMarginRight;
                object->SetLeft(Round(start * length) + B + m_outerMarginLeft);
                object->SetRight(Round(stop * length) + B + m_outerMarginLeft);
            } else {
                object->SetLeft(Round(dvw * start) + dv.Left);
                object->SetRight(Round(dvw * stop) + dv.Left);
            }
        } else if (!toolBar) {
            object->SetTop(dv.Bottom - Round(dvh * stop));
            object->SetBottom(dv.Bottom - Round(dvh * start));
        }
    }

    std::vector<TiPlotAxis*> axes;
    for (TiPlotLayoutObject* object : objects)
        if (auto* axis = dynamic_cast<TiPlotAxis*>(object))
            axes.push_back(axis);
    for (TiPlotAxis* axis : axes) {
        if (axis->CartesianStyle() != ipcsMaster)
            continue;
        if (axis->GetIsVert())
            axis->SetDrawRect(TRect{(dv.Left + dv.Right) / 2, dv.Top, (dv.Left + dv.Right) / 2, dv.Bottom});
        else
            axis->SetDrawRect(TRect{dv.Left, (dv.Top + dv.Bottom) / 2, dv.Right, (dv.Top + dv.Bottom) / 2});
    }
    for (TiPlotAxis* axis : axes) {
        if (axis->CartesianStyle() != ipcsChild)
            continue;
        TiPlotAxis* ref = axis->GetCartesianRefAxis();
        if (!ref) {
            axis->SetDrawRect(TRect{0, 0, 0, 0});
            continue;
        }
        const int pixel = ref->PositionToPixels(axis->CartesianChildRefValue());
        if (axis->GetIsHorz())
            axis->SetDrawRect(TRect{dv.Left, pixel, dv.Right, pixel});
        else
            axis->SetDrawRect(TRect{pixel, dv.Top, pixel, dv.Bottom});
    }
    for (TiPlotAxis* axis : axes) {
        TiPlotAxis* ref = axis->GetAlignRefAxis();
        if (!ref)
            continue;
        if (axis->GetIsVert()) {
            axis->SetTop(ref->GetDrawRect().Top);
            axis->SetBottom(ref->GetDrawRect().Bottom);
        } else {
            axis->SetLeft(ref->GetDrawRect().Left);
            axis->SetRight(ref->GetDrawRect().Right);
        }
        axis->SetStartStacked(ref->StartStacked());
        axis->SetStopStacked(ref->StopStacked());
        axis->CalcScaleRect(canvas);
    }

    // The data view shrinks to the axes' scales.
    TRect shrunk{W, H, 0, 0};
    const bool reverse = XYAxesReverse();
    for (int i = 0; i < YAxisCount(); ++i) {
        TiPlotAxis* axis = GetYAxis(i);
        axis->CalcScaleRect(canvas);
        const TRect scale = axis->GetScaleRect();
        if (reverse) {
            shrunk.Left = std::min(shrunk.Left, scale.Left);
            shrunk.Right = std::max(shrunk.Right, scale.Right);
        } else {
            shrunk.Top = std::min(shrunk.Top, scale.Top);
            shrunk.Bottom = std::max(shrunk.Bottom, scale.Bottom);
        }
    }
    for (int i = 0; i < XAxisCount(); ++i) {
        TiPlotAxis* axis = GetXAxis(i);
        axis->CalcScaleRect(canvas);
        const TRect scale = axis->GetScaleRect();
        if (reverse) {
            shrunk.Top = std::min(shrunk.Top, scale.Top);
            shrunk.Bottom = std::max(shrunk.Bottom, scale.Bottom);
        } else {
            shrunk.Left = std::min(shrunk.Left, scale.Left);
            shrunk.Right = std::max(shrunk.Right, scale.Right);
        }
    }
    if (dataView)
        dataView->SetDrawRect(shrunk);
}

bool TiPlotComponent::AddAxesCollisionDetectionItem(const TRect& rect)
{
    if (!m_axesCollisions.empty()) {
        const TRect dv = GetDataViewRect();
        for (const TRect& recorded : m_axesCollisions) {
            TRect overlap;
            if (IntersectRect(overlap, recorded, rect))
                return false;
            TRect both;
            UnionRect(both, rect, dv);
            if (both != dv)
                return false;
        }
    }
    m_axesCollisions.push_back(rect);
    return true;
}

void TiPlotComponent::ReCalcLayout()
{
    TBitmap bitmap;
    bitmap.SetSize(Width(), Height());
    iPaintTo(bitmap.Canvas());
}

// ---------------------------------------------------------------------------------------------
// Painting

void TiPlotComponent::FillLayerList()
{
    m_layerList.Clear();
    auto addKind = [this](TiPlotObjectKind kind, char letter, auto take) {
        for (int i = 0; i < Count(kind); ++i) {
            TiPlotObject* object = GetObject(kind, i);
            if (take(object))
                m_layerList.Add(object->GetLayerString() + letter, object);
        }
    };
    auto fillLimit = [](TiPlotObject* o) {
        auto* limit = Role<IPlotLimitPaint>(o);
        return limit && limit->GetIsFillType();
    };
    auto cartesian = [](TiPlotObject* o) { return static_cast<TiPlotAxis*>(o)->CartesianStyle() != ipcsNone; };
    addKind(TiPlotObjectKind::Limit, 'A', fillLimit);
    TiPlotObject* dataView = GetLayoutObject(TiPlotObjectKind::DataView, 0);
    m_layerList.Add(dataView->GetLayerString() + 'B', dataView);
    addKind(TiPlotObjectKind::Limit, 'C', [&](TiPlotObject* o) { return !fillLimit(o); });
    addKind(TiPlotObjectKind::YAxis, 'D', cartesian);
    addKind(TiPlotObjectKind::XAxis, 'E', cartesian);
    addKind(TiPlotObjectKind::Channel, 'F', [](TiPlotObject* o) { return o->ReadyToDraw(); });
    addKind(TiPlotObjectKind::Annotation, 'G', [](TiPlotObject*) { return true; });
}

void TiPlotComponent::iPaintTo(TCanvas& canvas)
{
    // Nothing is drawn without the objects a frame is built around; the bitmap stays as it
    // was made (black).
    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0)
        return;
    TiPlotLayoutObject* dv0 = GetLayoutObject(TiPlotObjectKind::DataView, 0);
    auto* dataViewPaint = dynamic_cast<TiPlotDataView*>(dv0);
    const TColor dataViewBackColor =
        !dataViewPaint || dataViewPaint->BackgroundTransparent() ? BackGroundColor() : dataViewPaint->BackgroundColor();
    ClearAxesCollisionList();
    m_layerList.Clear();

    auto* legend0 = dynamic_cast<TiPlotLegend*>(GetLayoutObject(TiPlotObjectKind::Legend, 0));
    if (legend0)
        legend0->SetCursorValues(false);
    for (int i = 0; i < DataCursorCount(); ++i) {
        if (auto* cursor = Role<IPlotDataCursorPaint>(GetObject(TiPlotObjectKind::DataCursor, i))) {
            cursor->DoUpdate();
            if (cursor->ShowsAllChannelsInLegend() && legend0)
                legend0->SetCursorValues(true);
        }
    }
    auto calcTicks = [this, &canvas] {
        for (int i = 0; i < XAxisCount(); ++i)
            GetXAxis(i)->CalcTicks(canvas);
        for (int i = 0; i < YAxisCount(); ++i)
            GetYAxis(i)->CalcTicks(canvas);
    };
    calcTicks();
    CalcLayout(canvas);
    CalcLayout(canvas);
    calcTicks();
    for (TiPlotObjectKind kind : {TiPlotObjectKind::Channel, TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis})
        for (int i = 0; i < Count(kind); ++i)
            GetObject(kind, i)->DrawSetup(canvas);
    for (int i = 0; i < AnnotationCount(); ++i) {
        if (auto* annotation = Role<IPlotAnnotationPaint>(GetObject(TiPlotObjectKind::Annotation, i)))
            annotation->SetPaintDataView(dv0);
        GetObject(TiPlotObjectKind::Annotation, i)->SetXYAxesReversed(XYAxesReverse());
    }
    for (int i = 0; i < DataCursorCount(); ++i)
        if (auto* cursor = Role<IPlotDataCursorPaint>(GetObject(TiPlotObjectKind::DataCursor, i)))
            cursor->SetPaintDataView(dv0);

    const TRect whole{0, 0, Width(), Height()};
    if (m_gradientEnabled) {
        canvas.SelectClipRgn(nullptr);
        canvas.IntersectClipRect(whole);
        DrawGradientDirection(canvas, whole, m_gradientDirection, m_gradientStartColor, m_gradientStopColor);
        canvas.SelectClipRgn(nullptr);
    } else {
        DrawBackGround(canvas, BackGroundColor());
    }
    if (dataViewPaint)
        dataViewPaint->DrawBackground(canvas);

    FillLayerList();
    const TRect dv = dv0->GetDrawRect();
    for (const auto& entry : m_layerList.Entries()) {
        canvas.IntersectClipRect(TRect{dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1});
        entry.second->Draw(canvas, dataViewBackColor);
        canvas.SelectClipRgn(nullptr);
    }
    if (dataViewPaint)
        dataViewPaint->DrawForeground(canvas);
    DrawOutSideObjects(canvas);
    for (int i = 0; i < DataCursorCount(); ++i)
        GetObject(TiPlotObjectKind::DataCursor, i)->Draw(canvas, dataViewBackColor);
    for (int i = 0; i < LegendCount(); ++i)
        GetLayoutObject(TiPlotObjectKind::Legend, i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < TableCount(); ++i)
        GetLayoutObject(TiPlotObjectKind::Table, i)->Draw(canvas, BackGroundColor());
    DrawHint(canvas);
    OnAfterPaint(this);
}

void TiPlotComponent::ShowHint(const std::string& text, int left, int top)
{
    m_hintText = text;
    m_hintLeft = left;
    m_hintTop = top;
    m_hintShowing = true;
    InvalidateChange();
}

void TiPlotComponent::DrawHint(TCanvas& canvas)
{
    m_hintPainted = m_hintShowing;
    if (!m_hintShowing)
        return;
    canvas.Font().Assign(*m_hintsFont);
    canvas.Brush().SetColor(clInfoBk);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Font().SetColor(clInfoText);
    const TRect box{m_hintLeft, m_hintTop, m_hintLeft + canvas.TextWidth(m_hintText) + 4,
                    m_hintTop + canvas.TextHeight(m_hintText) + 4};
    canvas.TextRect(box, m_hintLeft + 2, m_hintTop + 2, m_hintText);
}

void TiPlotComponent::DrawOutSideObjects(TCanvas& canvas)
{
    canvas.Brush().SetColor(BackGroundColor());
    canvas.Brush().SetStyle(bsSolid);
    DrawBorder(canvas);
    for (int i = 0; i < XAxisCount(); ++i)
        if (GetXAxis(i)->CartesianStyle() == ipcsNone)
            GetXAxis(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < YAxisCount(); ++i)
        if (GetYAxis(i)->CartesianStyle() == ipcsNone)
            GetYAxis(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < LabelCount(); ++i)
        GetLayoutObject(TiPlotObjectKind::Label, i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < ToolBarCount(); ++i)
        GetToolBarObject(i)->Draw(canvas, BackGroundColor());
}
