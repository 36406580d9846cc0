#pragma once
// TiPlotChannelCustom: what the plot's two channels share. A channel is one data series: an
// ordered list of (X, Y) points, kept in a point list whose class follows DataStyle, drawn
// against one X axis and one Y axis that it finds by name. The channel keeps running
// statistics of its valid points (neither Null nor Empty), hands every new point to its
// axes' tracking, can append the points it receives to a log file, writes and reads its
// own data and property files, and lets the user drag its points with the mouse.
//
//     channel->SetXAxisName("X-Axis 1");
//     channel->AddXY(1, 10);        // the new point's index (0 = oldest point held)
//     channel->RunningYMean();      // over every valid point since the last Clear
//
// Its appearance (Color, trace and markers) lives in the point list's list-wide fields, so
// it survives a change of DataStyle while the points do not. Drawing is the concrete
// channel's.
//
// The drawing methods declared here (the drawing primitives, DrawConnectPoints, DrawMarkers,
// DrawLine, DrawQuadPolygon, DrawWithinAxes, ValueToPixels, SetTracePen) are defined in
// iPlotTraceDrawing.cpp with the rest of the trace drawing.

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Variant.h"
#include "plot/core/iPlotManagers.h"
#include "plot/core/iPlotObjects.h"
#include "plot/objects/iPlotChannelTypes.h"
#include "plot/objects/iPlotDataCustomList.h"

#include <functional>
#include <memory>
#include <string>

class TiPlotAxis;

// What a data cursor offers the channel that fills in its values.
class IPlotDataCursorTarget {
public:
    virtual TiPlotDataCursorStyle CursorStyle() const = 0;
    // The pointers' positions in percent of the data view.
    virtual double CursorPointer1Position() const = 0;
    virtual double CursorPointer2Position() const = 0;
    virtual void SetCursorData(double X, double Y, TiPlotDataPointStatus Status) = 0;
    virtual void SetCursorDisplayText(const std::string& Text) = 0;

protected:
    ~IPlotDataCursorTarget() = default;
};

class TiPlotChannelCustom : public TiPlotManagerObject, public IPlotColorCounted {
    PRAVIX_CLASS(TiPlotChannelCustom, TiPlotManagerObject)
public:
    TiPlotChannelCustom(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                        TNotifyEvent onRename);
    ~TiPlotChannelCustom() override;

    // --- Published properties ---------------------------------------------------------------
    const std::string& TitleText() const { return m_titleText; }
    void SetTitleText(const std::string& value);
    bool VisibleInLegend() const { return m_visibleInLegend; }
    void SetVisibleInLegend(bool value);
    bool ClipToAxes() const { return m_clipToAxes; }
    void SetClipToAxes(bool value);
    bool ShowDataPointHints() const { return m_showDataPointHints; }
    void SetShowDataPointHints(bool value) { m_showDataPointHints = value; }
    bool UserCanMoveDataPoints() const { return m_userCanMoveDataPoints; }
    void SetUserCanMoveDataPoints(bool value) { m_userCanMoveDataPoints = value; }
    TiPlotChannelDataPointMoveStyle UserCanMoveDataPointsStyle() const { return m_userCanMoveDataPointsStyle; }
    void SetUserCanMoveDataPointsStyle(TiPlotChannelDataPointMoveStyle value) { m_userCanMoveDataPointsStyle = value; }
    // The point list's ring size; 0: the list grows without bound.
    int RingBufferSize() const { return m_list->GetRingBufferSize(); }
    void SetRingBufferSize(int value);
    bool TraceVisible() const { return m_traceVisible; }
    void SetTraceVisible(bool value);
    // Appearance kept in the point list: each setter stores and always notifies.
    TColor Color() const { return m_list->TraceLineColor; }
    void SetColor(TColor value);
    TiPlotLineStyle TraceLineStyle() const { return m_list->TraceLineStyle; }
    void SetTraceLineStyle(TiPlotLineStyle value);
    int TraceLineWidth() const { return m_list->TraceLineWidth; }
    void SetTraceLineWidth(int value);
    bool MarkersAllowIndividual() const { return m_markersAllowIndividual; }
    void SetMarkersAllowIndividual(bool value);
    bool MarkersPenUseChannelColor() const { return m_markersPenUseChannelColor; }
    void SetMarkersPenUseChannelColor(bool value);
    bool MarkersBrushUseChannelColor() const { return m_markersBrushUseChannelColor; }
    void SetMarkersBrushUseChannelColor(bool value);
    int MarkersTurnOffLimit() const { return m_markersTurnOffLimit; }
    void SetMarkersTurnOffLimit(int value);
    bool MarkersVisible() const { return m_list->MarkerVisible; }
    void SetMarkersVisible(bool value);
    int MarkersSize() const { return m_list->MarkerSize; }
    void SetMarkersSize(int value);
    TiPlotMarkerStyle MarkersStyle() const { return m_list->MarkerStyle; }
    void SetMarkersStyle(TiPlotMarkerStyle value);
    TColor MarkersPenColor() const { return m_list->MarkerPenColor; }
    void SetMarkersPenColor(TColor value);
    TPenStyle MarkersPenStyle() const { return m_list->MarkerPenStyle; }
    void SetMarkersPenStyle(TPenStyle value);
    int MarkersPenWidth() const { return m_list->MarkerPenWidth; }
    void SetMarkersPenWidth(int value);
    TColor MarkersBrushColor() const { return m_list->MarkerBrushColor; }
    void SetMarkersBrushColor(TColor value);
    TBrushStyle MarkersBrushStyle() const { return m_list->MarkerBrushStyle; }
    void SetMarkersBrushStyle(TBrushStyle value);
    TFont* MarkersFont() const { return m_markersFont.get(); }
    void SetMarkersFont(TFont* value);
    const std::string& XAxisName() const { return m_xAxisName; }
    void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return m_yAxisName; }
    void SetYAxisName(const std::string& value);
    bool XAxisTrackingEnabled() const { return m_xAxisTrackingEnabled; }
    void SetXAxisTrackingEnabled(bool value);
    bool YAxisTrackingEnabled() const { return m_yAxisTrackingEnabled; }
    void SetYAxisTrackingEnabled(bool value);
    // Refused with "Log File Name can not be changed while logging is active." (translated)
    // when the name differs while logging.
    const std::string& LogFileName() const { return m_logFileName; }
    void SetLogFileName(const std::string& value);
    // Rows collected before a log write; below 2 every point is written at once.
    int LogBufferSize() const { return m_logBufferSize; }
    void SetLogBufferSize(int value) { m_logBufferSize = value; }
    bool LoggingActive() const { return m_loggingActive; }
    // A change replaces the point list, which loses every point but keeps the appearance
    // and the ring size.
    TiPlotDataStyle DataStyle() const { return m_dataStyle; }
    void SetDataStyle(TiPlotDataStyle value);
    // Free for the user; no file stores a variant.
    const TVariant& Tag() const { return m_tag; }
    void SetTag(const TVariant& value) { m_tag = value; }

    // --- Running statistics of the valid points since the last Clear ---------------------------
    int RunningCount() const { return m_runningCount; }
    double RunningXMin() const { return m_runningXMin; }
    double RunningXMax() const { return m_runningXMax; }
    double RunningXMean() const;
    double RunningYMin() const { return m_runningYMin; }
    double RunningYMax() const { return m_runningYMax; }
    double RunningYMean() const;
    // Counts afresh over the points held.
    void ReCalcRunningMinMaxMean();
    // Scans the points held and stores the result into its running value only.
    double GetXMax();
    double GetXMin();
    double GetXMean();
    double GetYMax();
    double GetYMin();
    double GetYMean();

    // --- Points -----------------------------------------------------------------------------
    // Adds one point; the result is its index (Count - 1, also once a ring buffer wraps).
    virtual int AddXY(double X, double Y);
    // One point per element pair, without any X-order check. The shape is checked before
    // anything is added; an element that is no number raises after the earlier ones were.
    void AddXYArrays(const TVariant& XData, const TVariant& YData);
    void AddXYArray(const TVariant& Data);
    // Empties the channel and its statistics, ending logging first.
    void Clear();
    // Removes the Count oldest points (all of them: Clear); statistics stay.
    void DeletePoints(int Count);
    int GetCount() const { return m_list->Count(); }
    // Room for Value points.
    void SetCount(int Value);
    int GetCapacity() const { return m_list->Capacity(); }
    int GetDataPointSize() const { return m_list->DataPointSize(); }
    int GetMaxDataPoints() const { return m_list->MaximumCount(); }
    int GetMemoryUsed() const { return m_list->GetMemoryUsed(); }
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
    {
        m_list->GetXYEmptyNull(Index, X, Y, Empty, Null);
    }
    // -1 on an empty channel.
    int GetIndexFirst() const { return GetCount() ? 0 : -1; }
    int GetIndexLast() const { return GetCount() - 1; }
    double GetXFirst() const;
    double GetXLast() const;
    double GetYFirst() const;
    double GetYLast() const;

    // Per-point values by index (0 = oldest); writers notify. An index outside the points
    // held raises "Index out of Bounds"; lists without an attribute answer the list-wide
    // value and ignore writes.
    double GetDataX(int Index) const { return m_list->GetX(Index); }
    void SetDataX(int Index, double Value);
    double GetDataY(int Index) const { return m_list->GetY(Index); }
    void SetDataY(int Index, double Value);
    bool GetDataNull(int Index) const { return m_list->GetNull(Index); }
    void SetDataNull(int Index, bool Value);
    bool GetDataEmpty(int Index) const { return m_list->GetEmpty(Index); }
    void SetDataEmpty(int Index, bool Value);
    bool GetDataValid(int Index) const { return !GetDataEmpty(Index) && !GetDataNull(Index); }
    bool GetDataMarkerShow(int Index) const { return m_list->GetMarkerVisible(Index); }
    void SetDataMarkerShow(int Index, bool Value);
    TiPlotMarkerStyle GetDataMarkerStyle(int Index) const { return m_list->GetMarkerStyle(Index); }
    void SetDataMarkerStyle(int Index, TiPlotMarkerStyle Value);
    int GetDataMarkerSize(int Index) const { return m_list->GetMarkerSize(Index); }
    void SetDataMarkerSize(int Index, int Value);
    TColor GetDataMarkerPenColor(int Index) const { return m_list->GetMarkerPenColor(Index); }
    void SetDataMarkerPenColor(int Index, TColor Value);
    int GetDataMarkerPenWidth(int Index) const { return m_list->GetMarkerPenWidth(Index); }
    void SetDataMarkerPenWidth(int Index, int Value);
    TPenStyle GetDataMarkerPenStyle(int Index) const { return m_list->GetMarkerPenStyle(Index); }
    void SetDataMarkerPenStyle(int Index, TPenStyle Value);
    TColor GetDataMarkerBrushColor(int Index) const { return m_list->GetMarkerBrushColor(Index); }
    void SetDataMarkerBrushColor(int Index, TColor Value);
    TBrushStyle GetDataMarkerBrushStyle(int Index) const { return m_list->GetMarkerBrushStyle(Index); }
    void SetDataMarkerBrushStyle(int Index, TBrushStyle Value);
    char GetDataMarkerCharacter(int Index) const { return m_list->GetMarkerCharacter(Index); }
    void SetDataMarkerCharacter(int Index, char Value);
    TColor GetDataTraceLineColor(int Index) const { return m_list->GetTraceLineColor(Index); }
    void SetDataTraceLineColor(int Index, TColor Value);
    int GetDataTraceLineWidth(int Index) const { return m_list->GetTraceLineWidth(Index); }
    void SetDataTraceLineWidth(int Index, int Value);
    TiPlotLineStyle GetDataTraceLineStyle(int Index) const { return m_list->GetTraceLineStyle(Index); }
    void SetDataTraceLineStyle(int Index, TiPlotLineStyle Value);

    // The point's extent including its marker, in axis units; the value itself without
    // visible markers. "Data Point Null" for a Null point; "X-Axis not assigned" /
    // "Y-Axis not assigned" with markers and no axis.
    double GetDataXDrawMax(int Index);
    double GetDataXDrawMin(int Index);
    double GetDataYDrawMax(int Index);
    double GetDataYDrawMin(int Index);

    // --- Axes -------------------------------------------------------------------------------
    // The bound axis, looked up by name on first use and cached; nullptr when none.
    // Inline: tracking asks with every point added, and the pointer is almost always there.
    TiPlotXAxis* GetXAxis() { return m_xAxis ? m_xAxis : FindXAxis(); }
    TiPlotYAxis* GetYAxis() { return m_yAxis ? m_yAxis : FindYAxis(); }
    // The axis's cursor text, or "No X-Axis" / "No Y-Axis" (translated) without one.
    std::string GetXValueText(double Value);
    std::string GetYValueText(double Value);
    // The X value under a mouse point; "X-Axis not assigned" without an X axis.
    double GetXValueFromMousePoint(int X, int Y);
    // The pixel rectangle of an axis-unit rectangle, exchanged while the axes are reversed.
    TRect GetPixelRect(double X1, double Y1, double X2, double Y2);

    // --- Drawing range, legend ---------------------------------------------------------------
    int DrawStartIndex() const { return m_drawStartIndex; }
    int DrawStopIndex() const { return m_drawStopIndex; }
    const TRect& LegendRect() const { return m_legendRect; }
    void SetLegendRect(const TRect& Rect) { m_legendRect = Rect; }
    int HitIndex() const { return m_hitIndex; }
    // The texts the latest data-cursor update wrote, which the legend shows in cursor mode.
    const std::string& DataCursorXText() const { return m_cursorCache.XText; }
    const std::string& DataCursorYText() const { return m_cursorCache.YText; }

    // --- Drawing primitives (shared by both channel classes; iPlotTraceDrawing.cpp) ------------
    // Both axes are bound.
    bool AxesValid();
    // The pixels of a value point; 0 and 0 unless both axes are bound.
    void GetPointPixels(double X, double Y, int& PX, int& PY);
    // The marker's centre in client pixels, exchanged while the axes are reversed.
    TPoint GetMarkerPoint(int Index);
    // Draws point Index's marker centred on P; Index -1 draws the legend's sample with the
    // channel-wide look (its size capped at 6).
    void DrawMarker(TCanvas& canvas, int Index, const TPoint& P, TColor backGroundColor);
    // Y at X (X at Y) on the line through the two points; 0 (X1) when the line is vertical.
    static double GetNewY(double X1, double Y1, double X2, double Y2, double X);
    static double GetNewX(double X1, double Y1, double X2, double Y2, double Y);
    // Moves (X, Y) along the line from (X0, Y0) onto the edge of the axes' ranges.
    void GetViewIntersectPoint(double X0, double Y0, double& X, double& Y);
    const TRect& HitRect() const { return m_hitRect; }

    // --- Files ------------------------------------------------------------------------------
    // "File Type = Plot Channel Config", then the published properties but Name as
    // "Channel.<Property> = <value>" lines.
    void SavePropertiesToFile(const std::string& FileName);
    void LoadPropertiesFromFile(const std::string& FileName);
    // One "X<separator>Y" line per point ("Null" for Y of a Null point; Empty points are
    // left out), numbers with "." as the decimal point.
    void SaveDataToFile(const std::string& FileName);
    // Reads such a file (or a log); the first line decides the separator, lines without it
    // are passed over. The whole file is read before a point is added: a number that does
    // not convert raises EConvertError naming its line, and the channel stays as it was.
    void LoadDataFromFile(const std::string& FileName, bool ClearFirst);
    // Starts appending added points to LogFileName (emptied unless Append).
    void LogActivate(bool Append);
    // Writes the pending rows and stops logging.
    void LogDeactivate();
    int PendingLogRows() const { return m_pendingLogRows; }

    // --- Virtual operations -------------------------------------------------------------------
    void NotificationRemove(TObject* sender) override;
    void NotificationRename(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TCursor GetMousePointer(TPoint p) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;
    void SetColorCount(TiPlotChannelColorCount* count) override;

    // Set DrawStartIndex / DrawStopIndex to the range of points that drawing visits.
    virtual void CalcStartXIndex() = 0;
    virtual void CalcStopXIndex() = 0;
    // Extremes of the valid points, widened by the markers, for zoom-to-fit.
    virtual double GetVisibleMaxX() = 0;
    virtual double GetVisibleMinX() = 0;
    virtual double GetVisibleMaxY() = 0;
    virtual double GetVisibleMinY() = 0;
    // Fills a data cursor's values for this channel; `cursor` offers IPlotDataCursorTarget.
    virtual void DataCursorUpate(TObject* cursor) = 0;
    // The trace and the markers over the draw range.
    virtual void DrawConnectPoints(TCanvas& canvas, bool reverse, TColor backGroundColor);
    virtual void DrawMarkers(TCanvas& canvas, bool reverse, TColor backGroundColor);
    // The marker (or bar) rectangle of a point that the hit test compares with the mouse, and
    // whether its marker shows; the drawing code refines both.
    virtual TRect GetMarkerRect(int Index);
    virtual bool GetDataMarkerShowing(int Index);
    // Bar mode of the hit test: the bar rectangle of a point instead of its marker's.
    virtual bool HitTestsBars() const { return false; }
    virtual TRect GetBarRect(int Index);

protected:
    // The keyboard popup opens over the plotting area, data view 0, where the channel draws.
    std::optional<TPoint> KeyboardPopupCentre() const override;
    // The path of every add: point list, statistics, tracking, log, notification.
    int AddXYInternal(double X, double Y, bool Null, bool Empty);
    // Appends the pending rows to the log file.
    void WriteLog();
    TiPlotDataCustomList& List() const { return *m_list; }
    // One segment in value space, clipped to the X axis range (and to the Y axis range when
    // ClipToAxes and RefStyle is ipurScale), drawn with the current pen. With ipurPercent Y
    // is a percentage of data view 0.
    void DrawLine(TCanvas& canvas, bool reverse, double X1, double Y1, double X2, double Y2,
                  TiPlotUnitReferenceStyle RefStyle);
    // The pixels DrawLine draws between: false where it draws nothing.
    bool LinePixels(bool reverse, double X1, double Y1, double X2, double Y2, TiPlotUnitReferenceStyle RefStyle,
                    TPoint& From, TPoint& To);
    // Four value points as one filled polygon with the current pen and brush, unclipped.
    void DrawQuadPolygon(TCanvas& canvas, bool reverse, const TPointDouble& P1, const TPointDouble& P2,
                         const TPointDouble& P3, const TPointDouble& P4, TiPlotUnitReferenceStyle RefStyle = ipurScale);
    // A channel's Draw: once DrawSetup made it ready, `draw` runs with the canvas clip narrowed,
    // with ClipToAxes, to the pixel rectangle of the two axes (their end lines included), and
    // the canvas is restored after. A drawing that fails costs this channel only, not the rest
    // of the plot (a spline through a repeated X, say).
    void DrawWithinAxes(TCanvas& canvas, const std::function<void(bool reverse)>& draw);
    // The pixel of a value point; Y in percent of data view 0 for ipurPercent.
    TPoint ValueToPixels(bool reverse, double X, double Y, TiPlotUnitReferenceStyle RefStyle);
    // The trace pen: colour, TiPlotLineStyle and width (1 as the thin cosmetic pen).
    static void SetTracePen(TCanvas& canvas, TColor color, TiPlotLineStyle style, int width);
    void SetDrawStartIndex(int value) { m_drawStartIndex = value; }
    void SetDrawStopIndex(int value) { m_drawStopIndex = value; }
    // The data cursor text cache of the concrete channels.
    struct TDataCursorTextCache {
        std::string XText;
        std::string YText;
        double X = 0;
        double Y = 0;
        TiPlotDataPointStatus Status = ipdpsValid;
    };
    TDataCursorTextCache m_cursorCache;
    // The data file separator found by the last LoadDataFromFile.
    char m_dataFileSeparator = 0;

private:
    // Takes a point that is neither Null nor Empty into the running extremes, count and sums.
    void CountInRunningStatistics(double X, double Y);
    void TrackAxes(double X, double Y, bool Null, bool Empty);
    void TrackMarkerExtents(bool Null, bool Empty);
    // Look the bound axis up by name and keep it (nullptr when none has the name).
    TiPlotXAxis* FindXAxis();
    TiPlotYAxis* FindYAxis();
    void ResetRunningStatistics();
    // The marker extent of the channel in units of an axis.
    double MarkerExtent(TiPlotAxis& axis);
    double DrawExtent(int Index, bool OfY, int Direction);
    template <typename T, typename U>
    void SetListWide(T& field, U value);
    void MarkersFontChanged();
    std::string DataLine(int Index, char Separator, bool& Skip) const;

    TiPlotXAxis* m_xAxis = nullptr;
    TiPlotYAxis* m_yAxis = nullptr;
    int m_hitIndex = 0;
    TRect m_hitRect;
    bool m_dragging = false;
    int m_dragIndex = 0;
    int m_mouseDownIndex = 0;
    bool m_pointPressed = false;  // between a left press and its first release
    TRect m_dragRect;
    double m_dragStartX = 0;
    double m_dragStartY = 0;
    int m_dragStartPixelsX = 0;
    int m_dragStartPixelsY = 0;
    int m_drawStartIndex = 0;
    int m_drawStopIndex = 0;
    std::unique_ptr<TiPlotDataCustomList> m_list;
    TiPlotChannelColorCount* m_colorCount = nullptr;
    std::string m_titleText;
    std::string m_yAxisName;
    std::string m_xAxisName;
    bool m_xAxisTrackingEnabled = true;
    bool m_yAxisTrackingEnabled = true;
    bool m_loggingActive = false;
    int m_pendingLogRows = 0;
    bool m_markersAllowIndividual = false;
    int m_markersTurnOffLimit = 0;
    TRect m_legendRect;
    bool m_visibleInLegend = true;
    bool m_clipToAxes = false;
    bool m_showDataPointHints = false;
    bool m_userCanMoveDataPoints = false;
    TiPlotChannelDataPointMoveStyle m_userCanMoveDataPointsStyle = ipcdpmsXandY;
    bool m_markersBrushUseChannelColor = true;
    bool m_markersPenUseChannelColor = true;
    bool m_traceVisible = true;
    int m_logBufferSize = 0;
    std::string m_logFileName;
    TVariant m_tag;
    int m_runningCount = 0;
    double m_runningXMin = 1e300;
    double m_runningXMax = -1e300;
    double m_runningXMean = 0;
    long double m_runningXSum = 0;
    double m_runningYMin = 1e300;
    double m_runningYMax = -1e300;
    double m_runningYMean = 0;
    long double m_runningYSum = 0;
    // Set while a mean is the sum divided by the count, cleared when a scan stored it.
    struct {
        bool X = false;
        bool Y = false;
    } m_runningMeansFromSums;
    TiPlotDataStyle m_dataStyle = ipdsStandard;
    std::unique_ptr<TFont> m_markersFont;
};

// A new, empty point list of a data style.
std::unique_ptr<TiPlotDataCustomList> CreatePointList(TiPlotDataStyle Style);
