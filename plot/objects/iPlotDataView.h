#pragma once
// The plotting area of a plot: the rectangle in which channels, limits, annotations and data
// cursors draw. The data view paints its own background, grid lines and frame, draws the
// rubber band of a zoom box, and turns drags and wheel turns inside it into zooming and
// scrolling of all the plot's axes. Objects placed in percent of the data view convert
// through it (0 % is the left and the bottom edge).
//
//     view->SetDrawRect({40, 10, 440, 310});        // by the layout pass
//     int x = view->PositionPercentToPixelsX(25);    // 140
//     view->DrawBackground(canvas);                  // before the layers
//     view->Draw(canvas, backgroundColor);           // grid and frame, in its layer
//     view->DrawForeground(canvas);                  // zoom box, after the layers

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/core/iPlotObjects.h"
#include "plot/objects/iPlotAxis.h"

#include <string>

// How drags and wheel turns inside the data view move the axes.
PRAVIX_ENUM(TiPlotAxesControlStyle, ipacsXAxis, ipacsYAxis, ipacsBoth, ipacsNone)
// How a gesture inside the data view is read (not stored).
PRAVIX_ENUM(TiPlotDataViewMode, ipdvmNone, ipdvmZoomBox, ipdvmSelect, ipdvmScrollZoom)

// A method type of the data view's unit taking a rectangle; no property uses it.
using TiPlotZoomBoxEvent = Event<const TRect&>;

class TiPlotDataView : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotDataView, TiPlotLayoutObject)
public:
    TiPlotDataView(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                   TNotifyEvent onRename);

    // --- Published properties -------------------------------------------------------------
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value);
    bool BackgroundTransparent() const { return m_backgroundTransparent; }
    void SetBackgroundTransparent(bool value);
    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor value);
    // The axis whose ticks the grid follows; "<ALL>" in any case: every axis of the direction.
    const std::string& GridXAxisName() const { return m_gridXAxisName; }
    void SetGridXAxisName(const std::string& value);
    const std::string& GridYAxisName() const { return m_gridYAxisName; }
    void SetGridYAxisName(const std::string& value);
    bool GridShow() const { return m_gridShow; }
    void SetGridShow(bool value);
    TColor GridLineColor() const { return m_gridLineColor; }
    void SetGridLineColor(TColor value);
    bool GridLineShowLeft() const { return m_gridLineShowLeft; }
    void SetGridLineShowLeft(bool value);
    bool GridLineShowRight() const { return m_gridLineShowRight; }
    void SetGridLineShowRight(bool value);
    bool GridLineShowTop() const { return m_gridLineShowTop; }
    void SetGridLineShowTop(bool value);
    bool GridLineShowBottom() const { return m_gridLineShowBottom; }
    void SetGridLineShowBottom(bool value);
    bool GridLineShowXMajors() const { return m_gridLineShowXMajors; }
    void SetGridLineShowXMajors(bool value);
    bool GridLineShowXMinors() const { return m_gridLineShowXMinors; }
    void SetGridLineShowXMinors(bool value);
    bool GridLineShowYMajors() const { return m_gridLineShowYMajors; }
    void SetGridLineShowYMajors(bool value);
    bool GridLineShowYMinors() const { return m_gridLineShowYMinors; }
    void SetGridLineShowYMinors(bool value);
    TiPlotGridLineStyle GridLineMajorStyle() const { return m_gridLineMajorStyle; }
    void SetGridLineMajorStyle(TiPlotGridLineStyle value);
    TiPlotGridLineStyle GridLineMinorStyle() const { return m_gridLineMinorStyle; }
    void SetGridLineMinorStyle(TiPlotGridLineStyle value);

    // The pens of one kind of grid line (X majors, X minors, Y majors, Y minors); without
    // Custom the lines take GridLineColor, width 0 and the shared major or minor style.
#define PRAVIX_GRID_PEN(Kind, field)                                          \
    bool GridLine##Kind##Custom() const { return field.Custom; }              \
    void SetGridLine##Kind##Custom(bool value);                               \
    TColor GridLine##Kind##Color() const { return field.Color; }              \
    void SetGridLine##Kind##Color(TColor value);                              \
    int GridLine##Kind##Width() const { return field.Width; }                 \
    void SetGridLine##Kind##Width(int value);                                 \
    TiPlotGridLineStyle GridLine##Kind##Style() const { return field.Style; } \
    void SetGridLine##Kind##Style(TiPlotGridLineStyle value);
    PRAVIX_GRID_PEN(XMajor, m_xMajor)
    PRAVIX_GRID_PEN(XMinor, m_xMinor)
    PRAVIX_GRID_PEN(YMajor, m_yMajor)
    PRAVIX_GRID_PEN(YMinor, m_yMinor)
#undef PRAVIX_GRID_PEN

    // Plain stores: changing how the mouse acts needs no repaint.
    bool AxesControlEnabled() const { return m_axesControlEnabled; }
    void SetAxesControlEnabled(bool value) { m_axesControlEnabled = value; }
    TiPlotAxesControlStyle AxesControlMouseStyle() const { return m_axesControlMouseStyle; }
    void SetAxesControlMouseStyle(TiPlotAxesControlStyle value) { m_axesControlMouseStyle = value; }
    TiPlotAxesControlStyle AxesControlWheelStyle() const { return m_axesControlWheelStyle; }
    void SetAxesControlWheelStyle(TiPlotAxesControlStyle value) { m_axesControlWheelStyle = value; }
    bool AxesControlAllowInSelectMode() const { return m_axesControlAllowInSelectMode; }
    void SetAxesControlAllowInSelectMode(bool value);

    // --- Painting steps -----------------------------------------------------------------------
    void DrawBackground(TCanvas& canvas);
    void DrawGrid(TCanvas& canvas, TColor color);
    void DrawForeground(TCanvas& canvas);

    // --- Gestures -------------------------------------------------------------------------------
    TiPlotDataViewMode GetMode();
    // Applies a zoom rectangle (client pixels) to every X axis, then every Y axis, unless the
    // plot's OnBeforeZoomBox cancels it; the handler may change the rectangle.
    void DoZoom(const TRect& rect);
    bool ZoomBoxActive() const { return m_zoomBoxActive; }

    // --- Grid axes ------------------------------------------------------------------------------
    TiPlotXAxis* XAxisNeeded();
    TiPlotYAxis* YAxisNeeded();

    // --- Percent of the draw rectangle --------------------------------------------------------
    // 0 % is the left (bottom) edge, 100 % the right (top) edge; values outside are kept.
    // Pixels are clamped to -32000..32000; a collapsed rectangle gives its left (top) edge
    // and 0 %.
    double PixelsXToPositionPercent(int x) const;
    double PixelsYToPositionPercent(int y) const;
    int PositionPercentToPixelsX(double percent) const;
    int PositionPercentToPixelsY(double percent) const;

    // --- Plot-object operations ---------------------------------------------------------------
    void NotificationRemove(TObject* sender) override;
    void NotificationRename(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseRight(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    bool DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y) override;
    TiPlotObject* GetMouseObject(int x, int y) override;
    TCursor GetMousePointer(TPoint p) override;
    void iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;

private:
    struct GridPen {
        bool Custom = false;
        TColor Color = clGreen;
        int Width = 0;
        TiPlotGridLineStyle Style = ipglsSolid;
    };
    // Which axis directions a drag or wheel turn moves.
    struct Directions {
        bool X = false;
        bool Y = false;
    };
    void SetStyleProperty(TiPlotGridLineStyle value, TiPlotGridLineStyle& field);
    template <typename Input>
    void ForEachAxis(Directions directions, const Input& input);
    Directions MouseDirections(const TiPlotMouseData& mouseData);
    Directions WheelDirections(TShiftState shift) const;
    void DrawAxisGridLines(TCanvas& canvas, TiPlotAxis* axis, bool majors, bool minors, const GridPen& major,
                           const GridPen& minor, TiPlotGridLineStyle sharedMajor, TiPlotGridLineStyle sharedMinor);
    void DrawFrameLines(TCanvas& canvas, TColor color);
    TRect ZoomBoxRect() const;

    std::string m_title;
    bool m_backgroundTransparent = true;
    TColor m_backgroundColor = clTeal;
    std::string m_gridXAxisName;
    std::string m_gridYAxisName;
    bool m_gridShow = true;
    TColor m_gridLineColor = clGreen;
    bool m_gridLineShowLeft = true;
    bool m_gridLineShowRight = true;
    bool m_gridLineShowTop = true;
    bool m_gridLineShowBottom = true;
    bool m_gridLineShowXMajors = true;
    bool m_gridLineShowXMinors = false;
    bool m_gridLineShowYMajors = true;
    bool m_gridLineShowYMinors = false;
    TiPlotGridLineStyle m_gridLineMajorStyle = ipglsSolid;
    TiPlotGridLineStyle m_gridLineMinorStyle = ipglsSolid;
    GridPen m_xMajor;
    GridPen m_xMinor;
    GridPen m_yMajor;
    GridPen m_yMinor;
    bool m_axesControlEnabled = false;
    TiPlotAxesControlStyle m_axesControlMouseStyle = ipacsBoth;
    TiPlotAxesControlStyle m_axesControlWheelStyle = ipacsXAxis;
    bool m_axesControlAllowInSelectMode = false;

    TiPlotXAxis* m_gridXAxis = nullptr;
    TiPlotYAxis* m_gridYAxis = nullptr;
    bool m_leftDown = false;
    bool m_rightDown = false;
    bool m_zoomBoxActive = false;
    TPoint m_press;
    TPoint m_zoomEnd;
    // Once a Shift-drag has chosen a direction it keeps it until the next left press.
    bool m_directionLocked = false;
    bool m_xOnly = false;
};
