#include "plot/objects/iPlotAnnotation.h"

#include "components/iGPFunctions.h"
#include "components/iGPGeometry.h"
#include "components/iMath.h"
#include "platform/canvas/ImageList.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotDataView.h"

#include <cmath>
#include <utility>

namespace {

enum Handle { TopLeft, TopRight, BottomLeft, BottomRight };

// Half the side of a corner handle, and half the width of the band in which a line across the
// data view can be grabbed.
constexpr int kHandleHalf = 3;
constexpr int kLineBandHalf = 5;

int Round(double value) { return int(RoundHalfEven(value)); }

}  // namespace

TiPlotAnnotation::TiPlotAnnotation(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                   TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    m_font = std::make_unique<TFont>();
    m_font->SetName("Arial");
    m_font->SetColor(clWhite);
    m_font->OnChange = [this] { TriggerChange(this); };
}

TiPlotAnnotation::~TiPlotAnnotation() = default;

// --- Setters ---------------------------------------------------------------------------------

void TiPlotAnnotation::SetCoordinate(double value, double& field)
{
    if (value == field)
        return;
    field = value;
    TriggerChange(this);
    if (Owner())
        Owner()->DoAnnotationCoordinatesChange(this);
}

void TiPlotAnnotation::SetX(double value) { SetCoordinate(value, m_x); }
void TiPlotAnnotation::SetY(double value) { SetCoordinate(value, m_y); }
void TiPlotAnnotation::SetX2(double value) { SetCoordinate(value, m_x2); }
void TiPlotAnnotation::SetY2(double value) { SetCoordinate(value, m_y2); }
void TiPlotAnnotation::SetWidth(double value) { SetCoordinate(value, m_width); }
void TiPlotAnnotation::SetHeight(double value) { SetCoordinate(value, m_height); }

void TiPlotAnnotation::SetStyle(TiPlotAnnotationStyle value)
{
    SetEnumProperty(value, m_style, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetReference(TiPlotReferenceType value)
{
    SetEnumProperty(value, m_reference, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetReferencePositionX(TiPlotReferenceIndividual value)
{
    SetEnumProperty(value, m_references[0], &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetReferencePositionY(TiPlotReferenceIndividual value)
{
    SetEnumProperty(value, m_references[1], &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetReferenceSizeX(TiPlotReferenceIndividual value)
{
    SetEnumProperty(value, m_references[2], &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetReferenceSizeY(TiPlotReferenceIndividual value)
{
    SetEnumProperty(value, m_references[3], &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetPenColor(TColor value) { SetColorProperty(value, m_penColor, &TiPlotObject::TriggerChange); }
void TiPlotAnnotation::SetPenStyle(TPenStyle value)
{
    SetEnumProperty(value, m_penStyle, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetPenWidth(int value) { SetIntegerProperty(value, m_penWidth, &TiPlotObject::TriggerChange); }
void TiPlotAnnotation::SetBrushColor(TColor value)
{
    SetColorProperty(value, m_brushColor, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetBrushStyle(TBrushStyle value)
{
    SetEnumProperty(value, m_brushStyle, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetText(const std::string& value)
{
    SetStringProperty(value, m_text, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetTextRotation(TiRotationAngle value)
{
    SetEnumProperty(value, m_textRotation, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetTextHorzAlignment(TiAlignmentHorizontal value)
{
    SetEnumProperty(value, m_textHorzAlignment, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetTextVertAlignment(TiAlignmentVertical value)
{
    SetEnumProperty(value, m_textVertAlignment, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetTextLineAlignment(TiAlignmentHorizontal value)
{
    SetEnumProperty(value, m_textLineAlignment, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetTextHorzMargin(double value)
{
    SetDoubleProperty(value, m_textHorzMargin, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetTextVertMargin(double value)
{
    SetDoubleProperty(value, m_textVertMargin, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);
}
void TiPlotAnnotation::SetOuterMargin(int value)
{
    SetIntegerProperty(value, m_outerMargin, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetImageListIndex(int value)
{
    SetIntegerProperty(value, m_imageListIndex, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetImageIndex(int value)
{
    SetIntegerProperty(value, m_imageIndex, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetChannelName(const std::string& value)
{
    if (value == m_channelName)
        return;
    m_channelName = value;
    m_channel = nullptr;
    TriggerChange(this);
}
void TiPlotAnnotation::SetClipToAxes(bool value)
{
    SetBooleanProperty(value, m_clipToAxes, &TiPlotObject::TriggerChange);
}
void TiPlotAnnotation::SetShowFocusRect(bool value)
{
    SetBooleanProperty(value, m_showFocusRect, &TiPlotObject::TriggerChange);
}

// --- Own image and polygon points ------------------------------------------------------------

void TiPlotAnnotation::SetImage(const TBitmap* bitmap)
{
    m_image.Set(bitmap);
    TriggerChange(this);
}

void TiPlotAnnotation::ImageClear()
{
    if (m_image.Clear())
        TriggerChange(this);
}

void TiPlotAnnotation::ImageLoadFromFile(const std::string& fileName)
{
    m_image.LoadFromFile(fileName);
    TriggerChange(this);
}

void TiPlotAnnotation::PolyPointAdd(double x, double y)
{
    auto point = std::make_unique<TiPlotAnnotationPoint>();
    point->X = x;
    point->Y = y;
    m_polyPoints.push_back(std::move(point));
}

void TiPlotAnnotation::PolyPointsClear() { m_polyPoints.clear(); }

TiPlotAnnotationPoint* TiPlotAnnotation::GetPolyPoint(int index) const
{
    if (index < 0 || index >= GetPolyPointsCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_polyPoints[size_t(index)].get();
}

// --- Frames and conversions --------------------------------------------------------------------

TiPlotChannelCustom* TiPlotAnnotation::GetChannel()
{
    if (!m_channel && Owner())
        m_channel = Owner()->GetChannelByName(m_channelName);
    return m_channel;
}

TiPlotReferenceAnchor TiPlotAnnotation::Anchor(TiPlotReferenceIndividual individual, bool xKind) const
{
    switch (individual) {
    case ipriDataView: return ipraDataView;
    case ipriChannel: return ipraChannel;
    case ipriAuto: break;
    }
    switch (m_reference) {
    case iprtDataView: return ipraDataView;
    case iprtChannel: return ipraChannel;
    case iprtXChannelYDataView: return xKind ? ipraChannel : ipraDataView;
    case iprtXDataViewYChannel: return xKind ? ipraDataView : ipraChannel;
    }
    return ipraDataView;
}

TiPlotReferenceAnchor TiPlotAnnotation::GetAnchorReferencePositionX() const { return Anchor(m_references[0], true); }
TiPlotReferenceAnchor TiPlotAnnotation::GetAnchorReferencePositionY() const { return Anchor(m_references[1], false); }
TiPlotReferenceAnchor TiPlotAnnotation::GetAnchorReferenceSizeX() const { return Anchor(m_references[2], true); }
TiPlotReferenceAnchor TiPlotAnnotation::GetAnchorReferenceSizeY() const { return Anchor(m_references[3], false); }

bool TiPlotAnnotation::IsMoveable() const
{
    // A polygon keeps its points where they were put: dragging it would have to move them all.
    return m_userCanMove && m_style != ipasPolygon;
}

bool TiPlotAnnotation::IsSizeable() const
{
    switch (m_style) {
    case ipasRectangle:
    case ipasTextRectangle:
    case ipasEllipse:
    case ipasEllipse2:
    case ipasRectangle2: return m_userCanSize;
    default: return false;
    }
}

TiPlotAxis* TiPlotAnnotation::ChannelAxis(bool xAxis)
{
    TiPlotChannelCustom* channel = GetChannel();
    if (!channel || !channel->GetXAxis() || !channel->GetYAxis())
        return nullptr;
    return xAxis ? static_cast<TiPlotAxis*>(channel->GetXAxis()) : static_cast<TiPlotAxis*>(channel->GetYAxis());
}

// Percent of the data view along the X axes (across its width, or up its height while the axes
// are reversed) or along the Y axes.
int TiPlotAnnotation::PercentToPixels(bool alongX, double percent) const
{
    if (!m_dataView)
        return 0;
    return alongX != XYAxesReversed() ? m_dataView->PositionPercentToPixelsX(percent)
                                      : m_dataView->PositionPercentToPixelsY(percent);
}

double TiPlotAnnotation::PixelsToPercent(bool alongX, int pixels) const
{
    if (!m_dataView)
        return 0.0;
    return alongX != XYAxesReversed() ? m_dataView->PixelsXToPositionPercent(pixels)
                                      : m_dataView->PixelsYToPositionPercent(pixels);
}

int TiPlotAnnotation::ToPixels(TiPlotReferenceAnchor anchor, bool alongX, double value, bool size)
{
    if (anchor == ipraDataView)
        return size ? std::abs(PercentToPixels(alongX, value) - PercentToPixels(alongX, 0))
                    : PercentToPixels(alongX, value);
    TiPlotAxis* axis = ChannelAxis(alongX);
    if (!axis)
        return 0;
    return size ? std::abs(axis->PositionToPixels(axis->Min() + value) - axis->PositionToPixels(axis->Min()))
                : axis->PositionToPixels(value);
}

double TiPlotAnnotation::FromPixels(TiPlotReferenceAnchor anchor, bool alongX, int pixels)
{
    if (anchor == ipraDataView)
        return PixelsToPercent(alongX, pixels);
    TiPlotAxis* axis = ChannelAxis(alongX);
    return axis ? axis->PixelsToPosition(pixels) : 0.0;
}

int TiPlotAnnotation::PositionXToPixels(double value)
{
    return ToPixels(GetAnchorReferencePositionX(), true, value, false);
}
int TiPlotAnnotation::PositionYToPixels(double value)
{
    return ToPixels(GetAnchorReferencePositionY(), false, value, false);
}
double TiPlotAnnotation::PixelsXToPosition(int pixels)
{
    return FromPixels(GetAnchorReferencePositionX(), true, pixels);
}
double TiPlotAnnotation::PixelsYToPosition(int pixels)
{
    return FromPixels(GetAnchorReferencePositionY(), false, pixels);
}
int TiPlotAnnotation::SizeXToPixels(double value) { return ToPixels(GetAnchorReferenceSizeX(), true, value, true); }
int TiPlotAnnotation::SizeYToPixels(double value) { return ToPixels(GetAnchorReferenceSizeY(), false, value, true); }
double TiPlotAnnotation::PixelsToSizeX(int pixels) { return FromPixels(GetAnchorReferenceSizeX(), true, pixels); }
double TiPlotAnnotation::PixelsToSizeY(int pixels) { return FromPixels(GetAnchorReferenceSizeY(), false, pixels); }

TRect TiPlotAnnotation::DataViewRect() const { return m_dataView ? m_dataView->GetDrawRect() : TRect{}; }

int TiPlotAnnotation::GetXMin() const { return XYAxesReversed() ? DataViewRect().Bottom : DataViewRect().Left; }
int TiPlotAnnotation::GetXMax() const { return XYAxesReversed() ? DataViewRect().Top : DataViewRect().Right; }
int TiPlotAnnotation::GetYMin() const { return XYAxesReversed() ? DataViewRect().Left : DataViewRect().Bottom; }
int TiPlotAnnotation::GetYMax() const { return XYAxesReversed() ? DataViewRect().Right : DataViewRect().Top; }

// --- Notifications -------------------------------------------------------------------------------

void TiPlotAnnotation::SetPaintDataView(TiPlotObject* dataView)
{
    m_dataView = dynamic_cast<TiPlotDataView*>(dataView);
}

void TiPlotAnnotation::NotificationRemove(TObject* sender)
{
    if (sender == m_dataView)
        m_dataView = nullptr;
    if (sender == m_channel)
        m_channel = nullptr;
}

void TiPlotAnnotation::NotificationRename(TObject* sender)
{
    if (sender && sender == m_channel)
        m_channelName = m_channel->Name();
}

void TiPlotAnnotation::NotificationSetFocus(TObject* sender)
{
    auto* other = dynamic_cast<TiPlotObject*>(sender);
    if (other && other != this && other->UserSelected())
        SetUserSelected(false);
}

// --- Drawing -------------------------------------------------------------------------------------

bool TiPlotAnnotation::FramesAvailable()
{
    const std::array<TiPlotReferenceAnchor, 4> anchors{GetAnchorReferencePositionX(), GetAnchorReferencePositionY(),
                                                       GetAnchorReferenceSizeX(), GetAnchorReferenceSizeY()};
    // Every style tests its visibility against the data view, so even an annotation that lives
    // entirely on a channel's axes needs one.
    if (!m_dataView)
        return false;
    for (TiPlotReferenceAnchor anchor : anchors)
        if (anchor == ipraChannel && !ChannelAxis(true))
            return false;
    return true;
}

void TiPlotAnnotation::ClipCanvas(TCanvas& canvas)
{
    const bool wanted = m_clipToAxes || (m_reference == iprtChannel && Owner()->ClipAnnotationsToAxes());
    if (!wanted)
        return;
    // Without the channel's axes there is nothing to clip to but the data view.
    TiPlotAxis* xAxis = ChannelAxis(true);
    TiPlotAxis* yAxis = ChannelAxis(false);
    if (!xAxis || !yAxis) {
        canvas.IntersectClipRect(DataViewRect());
        return;
    }
    canvas.IntersectClipRect(iXYReverseRect(XYAxesReversed(), xAxis->GetMinPixels(), yAxis->GetMinPixels(),
                                            xAxis->GetMaxPixels(), yAxis->GetMaxPixels()));
}

bool TiPlotAnnotation::MeetsDataView(const TRect& r) const
{
    TRect dummy;
    return IntersectRect(dummy, r, DataViewRect());
}

void TiPlotAnnotation::UsePen(TCanvas& canvas) const
{
    canvas.Pen().SetColor(m_penColor);
    canvas.Pen().SetWidth(m_penWidth);
    canvas.Pen().SetStyle(m_penStyle);
}

void TiPlotAnnotation::UseBrush(TCanvas& canvas) const
{
    canvas.Brush().SetColor(m_brushColor);
    canvas.Brush().SetStyle(m_brushStyle);
}

void TiPlotAnnotation::UpdateSizingRects(const TRect& r)
{
    const TPoint corners[4] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}};
    for (int i = 0; i < 4; ++i) {
        const TRect square{corners[i].X - kHandleHalf, corners[i].Y - kHandleHalf, corners[i].X + kHandleHalf,
                           corners[i].Y + kHandleHalf};
        IntersectRect(m_handles[size_t(i)], square, DataViewRect());
    }
}

void TiPlotAnnotation::DrawHandles(TCanvas& canvas, const TRect& r)
{
    UpdateSizingRects(r);
    if (!UserSelected() || !m_showFocusRect)
        return;
    canvas.Brush().SetStyle(bsSolid);
    if (m_penStyle == psSolid)
        canvas.Brush().SetColor(m_penColor);
    canvas.Pen().SetStyle(psSolid);
    for (const TRect& handle : m_handles)
        canvas.InvertRect(handle);
}

void TiPlotAnnotation::SetShapeDrawn(const TRect& box)
{
    m_drawn = true;
    m_drawnRect = box;
    IntersectRect(m_hitRect, box, DataViewRect());
}

void TiPlotAnnotation::DrawText(TCanvas& canvas, int px, int py)
{
    canvas.Font().Assign(*m_font);
    const int margin = m_style == ipasTextBox ? 2 * m_outerMargin : 0;
    int w = iTextWidth(canvas, m_text) + margin;
    int h = iTextHeight(canvas, m_text) + margin;
    const int hm = Round(iTextWidth(canvas, "A") * m_textHorzMargin);
    const int vm = Round(iTextHeight(canvas, "A") * m_textVertMargin);
    if (XYAxesReversed())
        std::swap(px, py);
    if (m_textRotation == ira090 || m_textRotation == ira270)
        std::swap(w, h);
    TRect r{px - w / 2, py - h / 2, 0, 0};
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
    const int dx = m_textHorzAlignment == iahLeft ? hm + w / 2 : m_textHorzAlignment == iahRight ? -(hm + w / 2) : 0;
    const int dy = m_textVertAlignment == iavTop ? vm + h / 2 : m_textVertAlignment == iavBottom ? -(vm + h / 2) : 0;
    OffsetRect(r, dx, dy);
    if (!MeetsDataView(r))
        return;
    TRect textRect = r;
    if (m_style == ipasTextBox) {
        UsePen(canvas);
        UseBrush(canvas);
        canvas.Rectangle(r);
        InflateRect(textRect, -m_outerMargin, -m_outerMargin);
    }
    canvas.Brush().SetStyle(bsClear);
    iDrawRotatedText(canvas, m_text, textRect, m_textRotation, m_textLineAlignment, true, clBtnFace);
    m_drawn = true;
    m_hitRect = r;
}

void TiPlotAnnotation::DrawTextRectangle(TCanvas& canvas, const TRect& box)
{
    canvas.Font().Assign(*m_font);
    if (!MeetsDataView(box))
        return;
    UsePen(canvas);
    UseBrush(canvas);
    canvas.Rectangle(box);
    // The handles go under the text.
    DrawHandles(canvas, box);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(*m_font);
    int w = iTextWidth(canvas, m_text);
    int h = iTextHeight(canvas, m_text);
    const int hm = Round(iTextWidth(canvas, "0") * m_textHorzMargin);
    const int vm = Round(iTextHeight(canvas, "A") * m_textVertMargin);
    if (m_textRotation == ira090 || m_textRotation == ira270)
        std::swap(w, h);
    TRect r = box;
    if (m_textHorzAlignment == iahLeft) {
        r.Left = box.Left + hm;
        r.Right = r.Left + w;
    } else if (m_textHorzAlignment == iahRight) {
        r.Right = box.Right - hm;
        r.Left = r.Right - w;
    }
    if (m_textVertAlignment == iavTop) {
        r.Top = box.Top + vm;
        r.Bottom = r.Top + h;
    } else if (m_textVertAlignment == iavBottom) {
        r.Bottom = box.Bottom - vm;
        r.Top = r.Bottom - h;
    }
    iDrawRotatedText(canvas, m_text, r, m_textRotation, m_textLineAlignment, true, clBtnFace);
    SetShapeDrawn(box);
}

void TiPlotAnnotation::DrawShape(TCanvas& canvas, const TRect& box)
{
    if (!MeetsDataView(box))
        return;
    UsePen(canvas);
    UseBrush(canvas);
    if (m_style == ipasEllipse || m_style == ipasEllipse2)
        canvas.Ellipse(box);
    else
        canvas.Rectangle(box);
    SetShapeDrawn(box);
    DrawHandles(canvas, box);
}

void TiPlotAnnotation::DrawLine(TCanvas& canvas, TPoint p1, TPoint p2, TColor backGroundColor)
{
    if (!LineIntersectsRect(p1, p2, DataViewRect()))
        return;
    UsePen(canvas);
    canvas.Brush().SetColor(backGroundColor);
    canvas.Polyline({p1, p2});
    // A free line has no hit area; the lines across the data view get their band.
    const bool reversed = XYAxesReversed();
    if (m_style == ipasLineX) {
        const int px = reversed ? p1.Y : p1.X;
        m_drawn = true;
        m_hitRect = iXYReverseRect(reversed, px - kLineBandHalf, GetYMax(), px + kLineBandHalf, GetYMin());
    } else if (m_style == ipasLineY) {
        const int py = reversed ? p1.X : p1.Y;
        m_drawn = true;
        m_hitRect = iXYReverseRect(reversed, GetXMax(), py - kLineBandHalf, GetXMin(), py + kLineBandHalf);
    }
}

void TiPlotAnnotation::DrawImage(TCanvas& canvas, int px, int py)
{
    TPoint p = iXYReversePoint(XYAxesReversed(), px, py);
    if (m_image.Drawable()) {
        const int w = m_image.Get()->GetWidth(), h = m_image.Get()->GetHeight();
        p = {p.X - w / 2, p.Y - h / 2};
        const TRect r{p.X, p.Y, p.X + w, p.Y + h};
        if (!MeetsDataView(r))
            return;
        m_image.Draw(canvas, p.X, p.Y);
        m_drawn = true;
        m_hitRect = r;
        return;
    }
    TImageList* list =
        Owner() ? Owner()->GetPlotImageList(m_imageListIndex == 0 || m_imageListIndex == 1 ? m_imageListIndex : 2)
                : nullptr;
    if (!list || m_imageIndex < 0 || m_imageIndex >= list->Count())
        return;
    const int w = list->GetWidth(), h = list->GetHeight();
    p = {p.X - w / 2, p.Y - h / 2};
    const TRect r{p.X, p.Y, p.X + w, p.Y + h};
    if (!MeetsDataView(r))
        return;
    list->Draw(canvas, p.X, p.Y, m_imageIndex, Enabled());
    m_drawn = true;
    m_hitRect = r;
}

void TiPlotAnnotation::DrawPolygon(TCanvas& canvas)
{
    if (m_polyPoints.size() < 2)
        return;
    std::vector<TPoint> points;
    for (const auto& point : m_polyPoints)
        points.push_back(iXYReversePoint(XYAxesReversed(), PositionXToPixels(point->X), PositionYToPixels(point->Y)));
    const TRect box = TRegion::FromPolygon(points, pfmWinding).GetRgnBox();
    if (!MeetsDataView(box))
        return;
    UsePen(canvas);
    UseBrush(canvas);
    canvas.Polygon(points);
    SetShapeDrawn(box);
    DrawHandles(canvas, box);
}

void TiPlotAnnotation::Draw(TCanvas& canvas, TColor backGroundColor)
{
    m_drawn = false;
    if (!Visible() || !FramesAvailable())
        return;
    const int px = PositionXToPixels(m_x), py = PositionYToPixels(m_y);
    const int px2 = PositionXToPixels(m_x2), py2 = PositionYToPixels(m_y2);
    const int halfW = SizeXToPixels(m_width / 2), halfH = SizeYToPixels(m_height / 2);
    const bool reversed = XYAxesReversed();
    const TRect centred = iXYReverseRect(reversed, px - halfW, py - halfH, px + halfW, py + halfH);
    const TRect corners = iXYReverseRect(reversed, px, py, px2, py2);
    ClipCanvas(canvas);
    if (m_style != ipasText && m_style != ipasImage)
        canvas.SetBkColor(backGroundColor);
    switch (m_style) {
    case ipasText:
    case ipasTextBox: DrawText(canvas, px, py); break;
    case ipasLine:
        DrawLine(canvas, iXYReversePoint(reversed, px, py), iXYReversePoint(reversed, px2, py2), backGroundColor);
        break;
    case ipasLineX:
        DrawLine(canvas, iXYReversePoint(reversed, px, GetYMax()), iXYReversePoint(reversed, px, GetYMin()),
                 backGroundColor);
        break;
    case ipasLineY:
        DrawLine(canvas, iXYReversePoint(reversed, GetXMax(), py), iXYReversePoint(reversed, GetXMin(), py),
                 backGroundColor);
        break;
    case ipasImage: DrawImage(canvas, px, py); break;
    case ipasTextRectangle: DrawTextRectangle(canvas, centred); break;
    case ipasRectangle:
    case ipasEllipse2: DrawShape(canvas, centred); break;
    case ipasEllipse:
    case ipasRectangle2: DrawShape(canvas, corners); break;
    case ipasPolygon: DrawPolygon(canvas); break;
    }
}

// --- Mouse ----------------------------------------------------------------------------------------

bool TiPlotAnnotation::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    if (m_selectModeOnlyInteraction && !(Owner() && Owner()->GetSelectModeActive()))
        return false;
    if (!m_drawn)
        return false;
    const TPoint p{mouseData.X, mouseData.Y};
    if (PtInRect(m_hitRect, p))
        return true;
    for (const TRect& handle : m_handles)
        if (PtInRect(handle, p))
            return true;
    return false;
}

TCursor TiPlotAnnotation::GetMousePointer(TPoint p)
{
    TCursor cursor = crHandPoint;
    if (IsSizeable() && UserSelected()) {
        if (PtInRect(m_handles[TopLeft], p) || PtInRect(m_handles[BottomRight], p))
            cursor = crSizeNWSE;
        else if (PtInRect(m_handles[TopRight], p) || PtInRect(m_handles[BottomLeft], p))
            cursor = crSizeNESW;
    }
    if (Owner())
        Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotAnnotation::DoMouseLeft(const TiPlotMouseData& mouseData)
{
    if (!m_drawn)
        return;
    const TPoint p{mouseData.X, mouseData.Y};
    m_selectStyle = ipassNone;
    if (IsSizeable()) {
        if (PtInRect(m_handles[TopLeft], p))
            m_selectStyle = ipassSizeTopLeft;
        else if (PtInRect(m_handles[BottomRight], p))
            m_selectStyle = ipassSizeBottomRight;
        else if (PtInRect(m_handles[TopRight], p))
            m_selectStyle = ipassSizeTopRight;
        else if (PtInRect(m_handles[BottomLeft], p))
            m_selectStyle = ipassSizeBottomLeft;
    }
    if (IsMoveable() && m_selectStyle == ipassNone)
        m_selectStyle = ipassMove;
    m_pressed = true;
    m_pressRect = m_drawnRect;
    m_coordinatesChanged = false;
    m_pressX = m_x;
    m_pressY = m_y;
    m_pressX2 = m_x2;
    m_pressY2 = m_y2;
    m_pressPoint = p;
    m_pressAnchor = iXYReversePoint(XYAxesReversed(), PositionXToPixels(m_x), PositionYToPixels(m_y));
}

void TiPlotAnnotation::DoMouseMove(const TiPlotMouseData& mouseData)
{
    if (!UserSelected() || !m_pressed)
        return;
    const int dx = m_pressAnchor.X - m_pressPoint.X, dy = m_pressAnchor.Y - m_pressPoint.Y;
    const bool reversed = XYAxesReversed();
    const int alongX = reversed ? mouseData.Y + dy : mouseData.X + dx;
    const int alongY = reversed ? mouseData.X + dx : mouseData.Y + dy;
    const int mx = mouseData.X - m_pressPoint.X, my = mouseData.Y - m_pressPoint.Y;
    TRect r = m_pressRect;
    switch (m_selectStyle) {
    case ipassNone: break;
    case ipassMove: {
        const double newX = PixelsXToPosition(alongX), newY = PixelsYToPosition(alongY);
        SetX(newX);
        SetY(newY);
        if (IsTwoCornerStyle()) {
            SetX2(m_pressX2 - m_pressX + newX);
            SetY2(m_pressY2 - m_pressY + newY);
        }
        m_coordinatesChanged = true;
        TriggerChange(this);
        if (Owner()) {
            Owner()->DoAnnotationMoveUser(this);
            Owner()->DoAnnotationCoordinatesChange(this);
        }
        break;
    }
    case ipassSizeTopLeft:
    case ipassSizeTopRight:
    case ipassSizeBottomLeft:
    case ipassSizeBottomRight:
        (m_selectStyle == ipassSizeTopLeft || m_selectStyle == ipassSizeTopRight ? r.Top : r.Bottom) += my;
        (m_selectStyle == ipassSizeTopLeft || m_selectStyle == ipassSizeBottomLeft ? r.Left : r.Right) += mx;
        ConvertPixelRectangle(r);
        if (Owner())
            Owner()->DoAnnotationResizeUser(this);
        break;
    }
    TriggerChange(this);
}

void TiPlotAnnotation::ConvertPixelRectangle(const TRect& r)
{
    // Along the X axes run the horizontal screen edges normally, the vertical ones when reversed.
    const bool reversed = XYAxesReversed();
    const int x1 = reversed ? r.Top : r.Left, x2 = reversed ? r.Bottom : r.Right;
    const int y1 = reversed ? r.Left : r.Top, y2 = reversed ? r.Right : r.Bottom;
    if (IsTwoCornerStyle()) {
        m_x = PixelsXToPosition(x1);
        m_y = PixelsYToPosition(y1);
        m_x2 = PixelsXToPosition(x2);
        m_y2 = PixelsYToPosition(y2);
    } else {
        m_x = (PixelsXToPosition(x1) + PixelsXToPosition(x2)) / 2;
        m_y = (PixelsYToPosition(y1) + PixelsYToPosition(y2)) / 2;
        m_width = std::abs(PixelsToSizeX(x2) - PixelsToSizeX(x1));
        m_height = std::abs(PixelsToSizeY(y2) - PixelsToSizeY(y1));
    }
    m_coordinatesChanged = true;
    TriggerChange(this);
    if (Owner())
        Owner()->DoAnnotationCoordinatesChange(this);
}

void TiPlotAnnotation::DoMouseUp(const TiPlotMouseData& mouseData)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    if (iMouseHitTest(mouseData) && Owner())
        Owner()->DoObjectClick(this);
    if (m_coordinatesChanged && Owner())
        Owner()->DoAnnotationCoordinatesChangeFinished(this);
    m_selectStyle = ipassNone;
}

// --- Published properties ---------------------------------------------------------------------

PRAVIX_PUBLISH(
    TiPlotAnnotation, Prop("Style", &TiPlotAnnotation::Style, &TiPlotAnnotation::SetStyle).Default(ipasText),
    Prop("Reference", &TiPlotAnnotation::Reference, &TiPlotAnnotation::SetReference).Default(iprtDataView),
    Prop("ReferencePositionX", &TiPlotAnnotation::ReferencePositionX, &TiPlotAnnotation::SetReferencePositionX)
        .Default(ipriAuto),
    Prop("ReferencePositionY", &TiPlotAnnotation::ReferencePositionY, &TiPlotAnnotation::SetReferencePositionY)
        .Default(ipriAuto),
    Prop("ReferenceSizeX", &TiPlotAnnotation::ReferenceSizeX, &TiPlotAnnotation::SetReferenceSizeX).Default(ipriAuto),
    Prop("ReferenceSizeY", &TiPlotAnnotation::ReferenceSizeY, &TiPlotAnnotation::SetReferenceSizeY).Default(ipriAuto),
    Prop("X", &TiPlotAnnotation::X, &TiPlotAnnotation::SetX), Prop("Y", &TiPlotAnnotation::Y, &TiPlotAnnotation::SetY),
    Prop("X2", &TiPlotAnnotation::X2, &TiPlotAnnotation::SetX2),
    Prop("Y2", &TiPlotAnnotation::Y2, &TiPlotAnnotation::SetY2),
    Prop("Width", &TiPlotAnnotation::Width, &TiPlotAnnotation::SetWidth),
    Prop("Height", &TiPlotAnnotation::Height, &TiPlotAnnotation::SetHeight),
    Prop("PenColor", &TiPlotAnnotation::PenColor, &TiPlotAnnotation::SetPenColor).AsColor().Default(TColor(0xFFFFFF)),
    Prop("PenStyle", &TiPlotAnnotation::PenStyle, &TiPlotAnnotation::SetPenStyle).Default(psSolid),
    Prop("PenWidth", &TiPlotAnnotation::PenWidth, &TiPlotAnnotation::SetPenWidth).Default(1),
    Prop("BrushColor", &TiPlotAnnotation::BrushColor, &TiPlotAnnotation::SetBrushColor)
        .AsColor()
        .Default(TColor(0xFFFFFF)),
    Prop("BrushStyle", &TiPlotAnnotation::BrushStyle, &TiPlotAnnotation::SetBrushStyle).Default(bsSolid),
    Prop("Text", &TiPlotAnnotation::Text, &TiPlotAnnotation::SetText),
    Prop("TextRotation", &TiPlotAnnotation::TextRotation, &TiPlotAnnotation::SetTextRotation).Default(ira000),
    Prop("TextHorzAlignment", &TiPlotAnnotation::TextHorzAlignment, &TiPlotAnnotation::SetTextHorzAlignment)
        .Default(iahCenter),
    Prop("TextVertAlignment", &TiPlotAnnotation::TextVertAlignment, &TiPlotAnnotation::SetTextVertAlignment)
        .Default(iavCenter),
    Prop("TextLineAlignment", &TiPlotAnnotation::TextLineAlignment, &TiPlotAnnotation::SetTextLineAlignment)
        .Default(iahCenter),
    Prop("TextHorzMargin", &TiPlotAnnotation::TextHorzMargin, &TiPlotAnnotation::SetTextHorzMargin),
    Prop("TextVertMargin", &TiPlotAnnotation::TextVertMargin, &TiPlotAnnotation::SetTextVertMargin),
    Prop("Font", &TiPlotAnnotation::Font, &TiPlotAnnotation::SetFont).Owned(),
    Prop("OuterMargin", &TiPlotAnnotation::OuterMargin, &TiPlotAnnotation::SetOuterMargin).Default(0),
    Prop("ImageListIndex", &TiPlotAnnotation::ImageListIndex, &TiPlotAnnotation::SetImageListIndex).Default(0),
    Prop("ImageIndex", &TiPlotAnnotation::ImageIndex, &TiPlotAnnotation::SetImageIndex).Default(0),
    Prop("ChannelName", &TiPlotAnnotation::ChannelName, &TiPlotAnnotation::SetChannelName),
    Prop("UserCanMove", &TiPlotAnnotation::UserCanMove, &TiPlotAnnotation::SetUserCanMove).Default(false),
    Prop("UserCanSize", &TiPlotAnnotation::UserCanSize, &TiPlotAnnotation::SetUserCanSize).Default(false),
    Prop("SelectModeOnlyInteraction", &TiPlotAnnotation::SelectModeOnlyInteraction,
         &TiPlotAnnotation::SetSelectModeOnlyInteraction)
        .Default(true),
    Prop("ClipToAxes", &TiPlotAnnotation::ClipToAxes, &TiPlotAnnotation::SetClipToAxes).Default(false),
    Prop("ShowFocusRect", &TiPlotAnnotation::ShowFocusRect, &TiPlotAnnotation::SetShowFocusRect).Default(true))

PRAVIX_PUBLISH(TiPlotAnnotationPoint)

static const TiPlotKindRegistration annotationKind =
    TiPlotKindRegistration::Of<TiPlotAnnotation>(TiPlotObjectKind::Annotation);
