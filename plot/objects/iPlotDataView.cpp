#include "plot/objects/iPlotDataView.h"

#include "components/iGPFunctions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Keys.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotToolBar.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Pixels beyond this lie far off any screen; clamping keeps the conversion defined.
constexpr double kPixelLimit = 32000.0;
// A right drag within this many pixels is still a click that may open the popup menu.
constexpr int kRightDragDeadZone = 5;
// A Shift-drag of more than this many pixels in one direction locks it to that direction.
constexpr int kDirectionLockDistance = 3;

int ClampedPixel(double value)
{
    if (std::isnan(value))
        return int(kPixelLimit);
    if (value > kPixelLimit)
        value = kPixelLimit;
    if (value < -kPixelLimit)
        value = -kPixelLimit;
    return int(RoundHalfEven(value));
}

// Keeps the plot's master-axis forwarding off while the data view gives one input to every
// axis itself, and gives the guard back as it was, also when an axis raises.
class MasterInputGuard {
public:
    explicit MasterInputGuard(IPlotHost* host) : m_host(host)
    {
        m_wasSet = m_host->GetMasterAxisInputGuard();
        m_host->SetMasterAxisInputGuard(true);
    }
    ~MasterInputGuard() { m_host->SetMasterAxisInputGuard(m_wasSet); }
    MasterInputGuard(const MasterInputGuard&) = delete;
    MasterInputGuard& operator=(const MasterInputGuard&) = delete;

private:
    IPlotHost* m_host;
    bool m_wasSet = false;
};

}  // namespace

TiPlotDataView::TiPlotDataView(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                               TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
}

// ---------------------------------------------------------------------------------------------
// Properties

void TiPlotDataView::SetTitle(const std::string& value)
{
    SetStringProperty(value, m_title, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetBackgroundTransparent(bool value)
{
    SetBooleanProperty(value, m_backgroundTransparent, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetBackgroundColor(TColor value)
{
    SetColorProperty(value, m_backgroundColor, &TiPlotObject::TriggerChange);
}

void TiPlotDataView::SetGridXAxisName(const std::string& value)
{
    if (value == m_gridXAxisName)
        return;
    m_gridXAxisName = value;
    m_gridXAxis = nullptr;
    TriggerChange(this);
}

void TiPlotDataView::SetGridYAxisName(const std::string& value)
{
    if (value == m_gridYAxisName)
        return;
    m_gridYAxisName = value;
    m_gridYAxis = nullptr;
    TriggerChange(this);
}

#define PLAIN_SETTER(Type, Name, field, Kind) \
    void TiPlotDataView::Set##Name(Type value) { Set##Kind##Property(value, field, &TiPlotObject::TriggerChange); }

PLAIN_SETTER(bool, GridShow, m_gridShow, Boolean)
PLAIN_SETTER(TColor, GridLineColor, m_gridLineColor, Color)
PLAIN_SETTER(bool, GridLineShowLeft, m_gridLineShowLeft, Boolean)
PLAIN_SETTER(bool, GridLineShowRight, m_gridLineShowRight, Boolean)
PLAIN_SETTER(bool, GridLineShowTop, m_gridLineShowTop, Boolean)
PLAIN_SETTER(bool, GridLineShowBottom, m_gridLineShowBottom, Boolean)
PLAIN_SETTER(bool, GridLineShowXMajors, m_gridLineShowXMajors, Boolean)
PLAIN_SETTER(bool, GridLineShowXMinors, m_gridLineShowXMinors, Boolean)
PLAIN_SETTER(bool, GridLineShowYMajors, m_gridLineShowYMajors, Boolean)
PLAIN_SETTER(bool, GridLineShowYMinors, m_gridLineShowYMinors, Boolean)
PLAIN_SETTER(bool, AxesControlAllowInSelectMode, m_axesControlAllowInSelectMode, Boolean)

// Enumerations follow the rule of the typed setters: store and announce when changed.
void TiPlotDataView::SetStyleProperty(TiPlotGridLineStyle value, TiPlotGridLineStyle& field)
{
    if (value == field)
        return;
    field = value;
    TriggerChange(this);
}

void TiPlotDataView::SetGridLineMajorStyle(TiPlotGridLineStyle value) { SetStyleProperty(value, m_gridLineMajorStyle); }
void TiPlotDataView::SetGridLineMinorStyle(TiPlotGridLineStyle value) { SetStyleProperty(value, m_gridLineMinorStyle); }

#define GRID_PEN_SETTERS(Kind, field)                                 \
    PLAIN_SETTER(bool, GridLine##Kind##Custom, field.Custom, Boolean) \
    PLAIN_SETTER(TColor, GridLine##Kind##Color, field.Color, Color)   \
    PLAIN_SETTER(int, GridLine##Kind##Width, field.Width, Integer)    \
    void TiPlotDataView::SetGridLine##Kind##Style(TiPlotGridLineStyle value) { SetStyleProperty(value, field.Style); }

GRID_PEN_SETTERS(XMajor, m_xMajor)
GRID_PEN_SETTERS(XMinor, m_xMinor)
GRID_PEN_SETTERS(YMajor, m_yMajor)
GRID_PEN_SETTERS(YMinor, m_yMinor)

#undef GRID_PEN_SETTERS
#undef PLAIN_SETTER

// ---------------------------------------------------------------------------------------------
// Grid axes and notifications

TiPlotXAxis* TiPlotDataView::XAxisNeeded()
{
    if (!m_gridXAxis)
        m_gridXAxis = Owner()->GetXAxisByName(m_gridXAxisName);
    return m_gridXAxis;
}

TiPlotYAxis* TiPlotDataView::YAxisNeeded()
{
    if (!m_gridYAxis)
        m_gridYAxis = Owner()->GetYAxisByName(m_gridYAxisName);
    return m_gridYAxis;
}

void TiPlotDataView::NotificationRemove(TObject* sender)
{
    TiPlotLayoutObject::NotificationRemove(sender);
    if (sender == m_gridXAxis)
        m_gridXAxis = nullptr;
    if (sender == m_gridYAxis)
        m_gridYAxis = nullptr;
}

void TiPlotDataView::NotificationRename(TObject* sender)
{
    TiPlotLayoutObject::NotificationRename(sender);
    if (m_gridXAxis && sender == m_gridXAxis)
        m_gridXAxisName = m_gridXAxis->Name();
    if (m_gridYAxis && sender == m_gridYAxis)
        m_gridYAxisName = m_gridYAxis->Name();
}

void TiPlotDataView::NotificationSetFocus(TObject* sender)
{
    TiPlotLayoutObject::NotificationSetFocus(sender);
    const auto* other = dynamic_cast<TiPlotObject*>(sender);
    if (other && other != this && other->UserSelected())
        SetUserSelected(false);
}

void TiPlotDataView::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
}

// ---------------------------------------------------------------------------------------------
// Percent conversions

double TiPlotDataView::PixelsXToPositionPercent(int x) const
{
    const TRect r = GetDrawRect();
    if (r.Width() <= 0)
        return 0;
    return double(x - r.Left) / r.Width() * 100;
}

double TiPlotDataView::PixelsYToPositionPercent(int y) const
{
    const TRect r = GetDrawRect();
    if (r.Height() <= 0)
        return 0;
    return (1 - double(y - r.Top) / r.Height()) * 100;
}

int TiPlotDataView::PositionPercentToPixelsX(double percent) const
{
    const TRect r = GetDrawRect();
    if (r.Width() <= 0)
        return r.Left;
    return ClampedPixel(r.Width() * percent / 100 + r.Left);
}

int TiPlotDataView::PositionPercentToPixelsY(double percent) const
{
    const TRect r = GetDrawRect();
    if (r.Height() <= 0)
        return r.Top;
    return ClampedPixel(r.Height() * (100 - percent) / 100 + r.Top);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TiPlotDataView::DrawBackground(TCanvas& canvas)
{
    if (!Visible() || m_backgroundTransparent)
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(m_backgroundColor);
    canvas.FillRect(GetDrawRect());
}

void TiPlotDataView::Draw(TCanvas& canvas, TColor backGroundColor)
{
    TiPlotLayoutObject::Draw(canvas, backGroundColor);
    if (!Visible())
        return;
    DrawGrid(canvas, backGroundColor);
    if (!UserSelected())
        return;
    // The dotted focus frame shows white over lines of the plot's colour.
    canvas.Brush().SetColor(backGroundColor);
    canvas.Brush().SetStyle(bsClear);
    DrawFrameLines(canvas, backGroundColor);
    canvas.Font().SetColor(clWhite);
    const TRect r = GetDrawRect();
    iDrawFocusRect2(canvas, {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
}

void TiPlotDataView::DrawAxisGridLines(TCanvas& canvas, TiPlotAxis* axis, bool majors, bool minors,
                                       const GridPen& major, const GridPen& minor, TiPlotGridLineStyle sharedMajor,
                                       TiPlotGridLineStyle sharedMinor)
{
    const GridPen plainMajor{false, m_gridLineColor, 0, sharedMajor};
    const GridPen plainMinor{false, m_gridLineColor, 0, sharedMinor};
    const GridPen& majorPen = major.Custom ? major : plainMajor;
    const GridPen& minorPen = minor.Custom ? minor : plainMinor;
    axis->DrawGridLines(canvas, GetDrawRect(), majors, minors, majorPen.Style, minorPen.Style, majorPen.Color,
                        minorPen.Color, majorPen.Width, minorPen.Width);
}

void TiPlotDataView::DrawGrid(TCanvas& canvas, TColor color)
{
    if (!m_gridShow)
        return;
    canvas.Brush().SetColor(color);
    std::vector<TiPlotAxis*> xAxes, yAxes;
    // "<All>" is what the editor offers; any spelling of it means every axis.
    if (UpperCase(m_gridXAxisName) == "<ALL>") {
        for (int i = 0; i < Owner()->XAxisCount(); ++i)
            xAxes.push_back(Owner()->GetXAxis(i));
    } else if (TiPlotXAxis* axis = XAxisNeeded()) {
        xAxes.push_back(axis);
    }
    if (UpperCase(m_gridYAxisName) == "<ALL>") {
        for (int i = 0; i < Owner()->YAxisCount(); ++i)
            yAxes.push_back(Owner()->GetYAxis(i));
    } else if (TiPlotYAxis* axis = YAxisNeeded()) {
        yAxes.push_back(axis);
    }
    for (TiPlotAxis* axis : xAxes)
        DrawAxisGridLines(canvas, axis, m_gridLineShowXMajors, m_gridLineShowXMinors, m_xMajor, m_xMinor,
                          m_gridLineMajorStyle, m_gridLineMinorStyle);
    for (TiPlotAxis* axis : yAxes)
        DrawAxisGridLines(canvas, axis, m_gridLineShowYMajors, m_gridLineShowYMinors, m_yMajor, m_yMinor,
                          m_gridLineMajorStyle, m_gridLineMinorStyle);

    canvas.Pen().SetColor(m_gridLineColor);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(0);
    const TRect r = GetDrawRect();
    if (m_gridLineShowLeft)
        canvas.Polyline({{r.Left, r.Top}, {r.Left, r.Bottom}});
    if (m_gridLineShowRight)
        canvas.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}});
    if (m_gridLineShowTop)
        canvas.Polyline({{r.Left, r.Top}, {r.Right, r.Top}});
    // A polyline leaves out its last pixel: one more closes the bottom-right corner.
    if (m_gridLineShowBottom)
        canvas.Polyline({{r.Left, r.Bottom}, {r.Right + 1, r.Bottom}});
}

// The four frame lines of a selected data view, whatever the grid shows.
void TiPlotDataView::DrawFrameLines(TCanvas& canvas, TColor color)
{
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(0);
    const TRect r = GetDrawRect();
    canvas.Polyline({{r.Left, r.Top}, {r.Left, r.Bottom}});
    canvas.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}});
    canvas.Polyline({{r.Left, r.Top}, {r.Right, r.Top}});
    canvas.Polyline({{r.Left, r.Bottom}, {r.Right + 1, r.Bottom}});
}

// The rubber band from the press to the moving corner, whichever way it was dragged.
TRect TiPlotDataView::ZoomBoxRect() const
{
    return {std::min(m_press.X, m_zoomEnd.X), std::min(m_press.Y, m_zoomEnd.Y), std::max(m_press.X, m_zoomEnd.X),
            std::max(m_press.Y, m_zoomEnd.Y)};
}

void TiPlotDataView::DrawForeground(TCanvas& canvas)
{
    if (!Visible() || !m_zoomBoxActive)
        return;
    // Inverts every other pixel of the outline: visible over any trace, gone after a redraw.
    canvas.Font().SetColor(clWhite);
    canvas.Brush().SetColor(clBlack);
    iDrawFocusRect2(canvas, ZoomBoxRect());
}

// ---------------------------------------------------------------------------------------------
// Gestures

TiPlotDataViewMode TiPlotDataView::GetMode()
{
    TiPlotDataViewMode mode = m_axesControlEnabled ? ipdvmScrollZoom : ipdvmNone;
    TiPlotToolBar* toolBar = Owner()->GetToolBar(0);
    if (!toolBar)
        return mode;
    if (toolBar->GetZoomBoxActive())
        mode = ipdvmZoomBox;
    if (toolBar->GetSelectActive() && !m_axesControlAllowInSelectMode)
        mode = ipdvmSelect;
    return mode;
}

template <typename Input>
void TiPlotDataView::ForEachAxis(Directions directions, const Input& input)
{
    // A snapshot: an axis's handler may add or remove axes.
    std::vector<TiPlotAxis*> axes;
    if (directions.X)
        for (int i = 0; i < Owner()->XAxisCount(); ++i)
            axes.push_back(Owner()->GetXAxis(i));
    if (directions.Y)
        for (int i = 0; i < Owner()->YAxisCount(); ++i)
            axes.push_back(Owner()->GetYAxis(i));
    const MasterInputGuard guard(Owner());
    for (TiPlotAxis* axis : axes)
        input(*axis);
}

void TiPlotDataView::DoMouseLeft(const TiPlotMouseData& mouseData)
{
    m_directionLocked = false;
    m_xOnly = false;
    m_leftDown = true;
    switch (GetMode()) {
    case ipdvmZoomBox:
        Owner()->DisableAllTracking();
        m_press = m_zoomEnd = {mouseData.X, mouseData.Y};
        m_zoomBoxActive = true;
        TriggerInvalidateNow(this);
        break;
    case ipdvmScrollZoom:
        m_press = {mouseData.X, mouseData.Y};
        ForEachAxis({true, true}, [&](TiPlotAxis& axis) { axis.DoMouseLeft(mouseData); });
        break;
    case ipdvmNone:
    case ipdvmSelect: break;
    }
}

void TiPlotDataView::DoMouseRight(const TiPlotMouseData& mouseData)
{
    if (GetMode() != ipdvmScrollZoom)
        return;
    m_rightDown = true;
    m_press = m_zoomEnd = {mouseData.X, mouseData.Y};
}

TiPlotDataView::Directions TiPlotDataView::MouseDirections(const TiPlotMouseData& mouseData)
{
    const bool shift = mouseData.Shift.count(ssShift) > 0;
    switch (m_axesControlMouseStyle) {
    case ipacsXAxis:
        m_directionLocked = true;
        m_xOnly = !shift;
        break;
    case ipacsYAxis:
        m_directionLocked = true;
        m_xOnly = shift;
        break;
    case ipacsBoth:
        if (!m_directionLocked && shift) {
            if (std::abs(mouseData.X - m_press.X) > kDirectionLockDistance) {
                m_directionLocked = true;
                m_xOnly = true;
            }
            if (std::abs(mouseData.Y - m_press.Y) > kDirectionLockDistance) {
                m_directionLocked = true;
                m_xOnly = false;
            }
        }
        break;
    case ipacsNone: return {};
    }
    if (!m_directionLocked)
        return {true, true};
    return {m_xOnly, !m_xOnly};
}

void TiPlotDataView::DoMouseMove(const TiPlotMouseData& mouseData)
{
    if (!m_leftDown && !m_rightDown)
        return;
    if (m_zoomBoxActive) {
        if (!mouseData.DoubleClick) {
            m_zoomEnd = {mouseData.X, mouseData.Y};
            TriggerInvalidateNow(this);
        }
        return;
    }
    if (GetMode() != ipdvmScrollZoom)
        return;
    if (m_rightDown) {
        if (std::abs(m_press.X - mouseData.X) <= kRightDragDeadZone &&
            std::abs(m_press.Y - mouseData.Y) <= kRightDragDeadZone)
            return;
        m_zoomEnd = {mouseData.X, mouseData.Y};
        m_zoomBoxActive = true;
        CancelPopup();
        Owner()->DisableAllTracking();
        TriggerInvalidateNow(this);
        return;
    }
    ForEachAxis(MouseDirections(mouseData), [&](TiPlotAxis& axis) { axis.DoMouseMove(mouseData); });
}

void TiPlotDataView::DoMouseUp(const TiPlotMouseData& mouseData)
{
    if (!m_leftDown && !m_rightDown)
        return;
    if (m_zoomBoxActive) {
        // Only a box dragged to the right and downward zooms.
        if (!mouseData.DoubleClick && m_press.X < m_zoomEnd.X && m_zoomEnd.Y > m_press.Y) {
            DoZoom({m_press.X, m_press.Y, m_zoomEnd.X, m_zoomEnd.Y});
            TriggerInvalidateNow(this);
        }
    } else if (GetMode() == ipdvmScrollZoom) {
        ForEachAxis({true, true}, [&](TiPlotAxis& axis) { axis.DoMouseUp(mouseData); });
    }
    if (PtInRect(GetDrawRect(), TPoint{mouseData.X, mouseData.Y}))
        Owner()->DoObjectClick(this);
    m_leftDown = false;
    m_rightDown = false;
    m_zoomBoxActive = false;
    TriggerInvalidateNow(this);
}

TiPlotDataView::Directions TiPlotDataView::WheelDirections(TShiftState shift) const
{
    const bool shifted = shift.count(ssShift) > 0;
    switch (m_axesControlWheelStyle) {
    case ipacsXAxis: return {!shifted, shifted};
    case ipacsYAxis: return {shifted, !shifted};
    case ipacsBoth: return {true, true};
    case ipacsNone: break;
    }
    return {};
}

bool TiPlotDataView::DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y)
{
    if (GetMode() != ipdvmScrollZoom)
        return false;
    const Directions directions = WheelDirections(shift);
    if (!directions.X && !directions.Y)
        return false;
    ForEachAxis(directions, [&](TiPlotAxis& axis) { axis.DoMouseWheel(wheelDelta, shift, x, y); });
    return true;
}

void TiPlotDataView::iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::iKeyDown(key, shift, popupMenu);
    if (key == VK_ESCAPE) {
        m_zoomBoxActive = false;
        TriggerInvalidateNow(this);
    }
}

void TiPlotDataView::DoZoom(const TRect& rect)
{
    TRect zoomRect = rect;
    bool cancel = false;
    Owner()->DoBeforeZoomBox(zoomRect, cancel);
    if (cancel)
        return;
    std::vector<TiPlotAxis*> axes;
    for (int i = 0; i < Owner()->XAxisCount(); ++i)
        axes.push_back(Owner()->GetXAxis(i));
    for (int i = 0; i < Owner()->YAxisCount(); ++i)
        axes.push_back(Owner()->GetYAxis(i));
    for (TiPlotAxis* axis : axes)
        axis->ZoomRect(zoomRect);
}

TiPlotObject* TiPlotDataView::GetMouseObject(int, int)
{
    SetMouseObject(this);
    return this;
}

TCursor TiPlotDataView::GetMousePointer(TPoint p)
{
    TCursor cursor = TiPlotLayoutObject::GetMousePointer(p);
    if (MouseObject() == this) {
        switch (GetMode()) {
        case ipdvmZoomBox: cursor = crDrag; break;
        case ipdvmScrollZoom: cursor = crHandPoint; break;
        case ipdvmNone:
        case ipdvmSelect: cursor = crDefault; break;
        }
    }
    Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

#define GRID_PEN_PROPS(Kind)                                                   \
    Prop("GridLine" #Kind "Custom", &TiPlotDataView::GridLine##Kind##Custom,   \
         &TiPlotDataView::SetGridLine##Kind##Custom)                           \
        .Default(false),                                                       \
        Prop("GridLine" #Kind "Color", &TiPlotDataView::GridLine##Kind##Color, \
             &TiPlotDataView::SetGridLine##Kind##Color)                        \
            .Default(clGreen),                                                 \
        Prop("GridLine" #Kind "Width", &TiPlotDataView::GridLine##Kind##Width, \
             &TiPlotDataView::SetGridLine##Kind##Width)                        \
            .Default(0),                                                       \
        Prop("GridLine" #Kind "Style", &TiPlotDataView::GridLine##Kind##Style, \
             &TiPlotDataView::SetGridLine##Kind##Style)                        \
            .Default(ipglsSolid)

PRAVIX_PUBLISH(
    TiPlotDataView, Prop("Title", &TiPlotDataView::Title, &TiPlotDataView::SetTitle),
    Prop("BackgroundTransparent", &TiPlotDataView::BackgroundTransparent, &TiPlotDataView::SetBackgroundTransparent)
        .Default(true),
    Prop("BackgroundColor", &TiPlotDataView::BackgroundColor, &TiPlotDataView::SetBackgroundColor).Default(clTeal),
    Prop("GridXAxisName", &TiPlotDataView::GridXAxisName, &TiPlotDataView::SetGridXAxisName),
    Prop("GridYAxisName", &TiPlotDataView::GridYAxisName, &TiPlotDataView::SetGridYAxisName),
    Prop("GridShow", &TiPlotDataView::GridShow, &TiPlotDataView::SetGridShow).Default(true),
    Prop("GridLineColor", &TiPlotDataView::GridLineColor, &TiPlotDataView::SetGridLineColor).Default(clGreen),
    Prop("GridLineShowLeft", &TiPlotDataView::GridLineShowLeft, &TiPlotDataView::SetGridLineShowLeft).Default(true),
    Prop("GridLineShowRight", &TiPlotDataView::GridLineShowRight, &TiPlotDataView::SetGridLineShowRight).Default(true),
    Prop("GridLineShowTop", &TiPlotDataView::GridLineShowTop, &TiPlotDataView::SetGridLineShowTop).Default(true),
    Prop("GridLineShowBottom", &TiPlotDataView::GridLineShowBottom, &TiPlotDataView::SetGridLineShowBottom)
        .Default(true),
    Prop("GridLineShowXMajors", &TiPlotDataView::GridLineShowXMajors, &TiPlotDataView::SetGridLineShowXMajors)
        .Default(true),
    Prop("GridLineShowXMinors", &TiPlotDataView::GridLineShowXMinors, &TiPlotDataView::SetGridLineShowXMinors)
        .Default(false),
    Prop("GridLineShowYMajors", &TiPlotDataView::GridLineShowYMajors, &TiPlotDataView::SetGridLineShowYMajors)
        .Default(true),
    Prop("GridLineShowYMinors", &TiPlotDataView::GridLineShowYMinors, &TiPlotDataView::SetGridLineShowYMinors)
        .Default(false),
    Prop("GridLineMajorStyle", &TiPlotDataView::GridLineMajorStyle, &TiPlotDataView::SetGridLineMajorStyle)
        .Default(ipglsSolid),
    Prop("GridLineMinorStyle", &TiPlotDataView::GridLineMinorStyle, &TiPlotDataView::SetGridLineMinorStyle)
        .Default(ipglsSolid),
    GRID_PEN_PROPS(XMajor), GRID_PEN_PROPS(XMinor), GRID_PEN_PROPS(YMajor), GRID_PEN_PROPS(YMinor),
    Prop("AxesControlEnabled", &TiPlotDataView::AxesControlEnabled, &TiPlotDataView::SetAxesControlEnabled),
    Prop("AxesControlMouseStyle", &TiPlotDataView::AxesControlMouseStyle, &TiPlotDataView::SetAxesControlMouseStyle),
    Prop("AxesControlWheelStyle", &TiPlotDataView::AxesControlWheelStyle, &TiPlotDataView::SetAxesControlWheelStyle),
    Prop("AxesControlAllowInSelectMode", &TiPlotDataView::AxesControlAllowInSelectMode,
         &TiPlotDataView::SetAxesControlAllowInSelectMode)
        .Default(false))

#undef GRID_PEN_PROPS

// The data view as the plot's data view kind.
static const TiPlotKindRegistration dataViewKind =
    TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
