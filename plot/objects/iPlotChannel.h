#pragma once
// TiPlotChannel: the channel of the strip-chart plot. Its points are taken to be sorted by
// X, increasing or decreasing (usually time), so the draw range, the value under a data
// cursor and the nearest point are found by binary search. It adds the time-series adds
// (X = now, elapsed time), evenly spaced Y arrays, Null and Empty points, high-low points,
// an optional check that refuses points out of X order, and a live source of values from
// one or two OPC items.
//
//     channel->SetAllowOutOfOrderXValues(false);
//     channel->AddXY(1, 10);
//     channel->AddXNull(2);          // breaks the trace
//     channel->AddYElapsedSeconds(3.5);
//     double y;
//     channel->DoYLookup(1.5, y);    // ipdpsValid, ipdpsNull or ipdpsEmpty
//
// Dragging a point's X with the mouse can break the X order; the channel does not re-sort.
//
// Its drawing (DrawSetup, Draw and every Draw... method below, the fast trace's columns) is
// defined in iPlotTraceDrawing.cpp, not in iPlotChannel.cpp.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotChannelOPCSource.h"
#include "plot/objects/iPlotTraceDrawing.h"

#include <memory>
#include <string>
#include <vector>

PRAVIX_ENUM(TiPlotInterpolationStyle, ipistStraightLine, ipistCubicSpline, ipistPolynomial, ipistRational,
            ipistDifferential, ipistDifferentialTerminated)
PRAVIX_ENUM(TiPlotDigitalReferenceStyle, ipdrScale, ipdrPercent)
PRAVIX_ENUM(TiPlotHighLowStyle, iphlsOpenClose, iphlsCandleStick)
PRAVIX_ENUM(TiOPCXValueSourceStyle, iopcxvsOPCServerTimeStamp, iopcxvsSystemTimeStamp, iopcxvsElapsedTime,
            iopcxvsElapsedSeconds, iopcxvsOPCItem)

// One pixel column's value of a drawn curve; Empty while the curve did not reach it.
class TiPlotColumnSets;
class TiPlotTracePath;

struct TiPlotPixelPoint {
    bool Empty = true;
    double Value = 0;
};

class TiPlotChannel : public TiPlotChannelCustom {
    PRAVIX_CLASS(TiPlotChannel, TiPlotChannelCustom)
public:
    TiPlotChannel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                  TNotifyEvent onRename);
    ~TiPlotChannel() override;

    // --- Published properties ---------------------------------------------------------------
    bool FastDrawEnabled() const { return m_fastDrawEnabled; }
    void SetFastDrawEnabled(bool value);
    // When false, AddXY, AddXNull, AddXEmpty and AddHighLow refuse an X that breaks the order
    // of the points held ("New Data-Point X-Value is out of order").
    bool AllowOutOfOrderXValues() const { return m_allowOutOfOrderXValues; }
    void SetAllowOutOfOrderXValues(bool value) { m_allowOutOfOrderXValues = value; }
    // The draw range is found by scanning instead of by binary search.
    bool DrawOutOfOrderXValues() const { return m_drawOutOfOrderXValues; }
    void SetDrawOutOfOrderXValues(bool value);
    bool ResetStartTimeOnFirstDataPoint() const { return m_resetStartTimeOnFirstDataPoint; }
    void SetResetStartTimeOnFirstDataPoint(bool value) { m_resetStartTimeOnFirstDataPoint = value; }
    TiPlotInterpolationStyle InterpolationStyle() const { return m_interpolationStyle; }
    void SetInterpolationStyle(TiPlotInterpolationStyle value);
    bool FillEnabled() const { return m_fillEnabled; }
    void SetFillEnabled(bool value);
    double FillReference() const { return m_fillReference; }
    void SetFillReference(double value);
    TBrushStyle FillStyle() const { return m_fillStyle; }
    void SetFillStyle(TBrushStyle value);
    TColor FillColor() const { return m_fillColor; }
    void SetFillColor(TColor value);
    bool FillUseChannelColor() const { return m_fillUseChannelColor; }
    void SetFillUseChannelColor(bool value);
    bool DigitalEnabled() const { return m_digitalEnabled; }
    void SetDigitalEnabled(bool value);
    TiPlotDigitalReferenceStyle DigitalReferenceStyle() const { return m_digitalReferenceStyle; }
    void SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle value);
    double DigitalReferenceLow() const { return m_digitalReferenceLow; }
    void SetDigitalReferenceLow(double value);
    double DigitalReferenceHigh() const { return m_digitalReferenceHigh; }
    void SetDigitalReferenceHigh(double value);
    TiPlotHighLowStyle HighLowStyle() const { return m_highLowStyle; }
    void SetHighLowStyle(TiPlotHighLowStyle value);
    bool HighLowEnabled() const { return m_highLowEnabled; }
    void SetHighLowEnabled(bool value);
    TColor HighLowBarColor() const { return m_highLowBarColor; }
    void SetHighLowBarColor(TColor value);
    double HighLowBarWidth() const { return m_highLowBarWidth; }
    void SetHighLowBarWidth(double value);
    bool HighLowOpenShow() const { return m_highLowOpenShow; }
    void SetHighLowOpenShow(bool value);
    TColor HighLowOpenColor() const { return m_highLowOpenColor; }
    void SetHighLowOpenColor(TColor value);
    double HighLowOpenWidth() const { return m_highLowOpenWidth; }
    void SetHighLowOpenWidth(double value);
    double HighLowOpenHeight() const { return m_highLowOpenHeight; }
    void SetHighLowOpenHeight(double value);
    bool HighLowCloseShow() const { return m_highLowCloseShow; }
    void SetHighLowCloseShow(bool value);
    TColor HighLowCloseColor() const { return m_highLowCloseColor; }
    void SetHighLowCloseColor(TColor value);
    double HighLowCloseWidth() const { return m_highLowCloseWidth; }
    void SetHighLowCloseWidth(double value);
    double HighLowCloseHeight() const { return m_highLowCloseHeight; }
    void SetHighLowCloseHeight(double value);
    TColor HighLowShadowColor() const { return m_highLowShadowColor; }
    void SetHighLowShadowColor(TColor value);
    TColor HighLowBullishColor() const { return m_highLowBullishColor; }
    void SetHighLowBullishColor(TColor value);
    TColor HighLowBearishColor() const { return m_highLowBearishColor; }
    void SetHighLowBearishColor(TColor value);
    bool BarEnabled() const { return m_barEnabled; }
    void SetBarEnabled(bool value);
    bool BarPenUseChannelColor() const { return m_barPenUseChannelColor; }
    void SetBarPenUseChannelColor(bool value);
    bool BarBrushUseChannelColor() const { return m_barBrushUseChannelColor; }
    void SetBarBrushUseChannelColor(bool value);
    // Bar appearance kept in the point list: each setter stores and always notifies.
    double BarReference() const { return List().BarReference; }
    void SetBarReference(double value);
    double BarWidth() const { return List().BarWidth; }
    void SetBarWidth(double value);
    TColor BarPenColor() const { return List().BarPenColor; }
    void SetBarPenColor(TColor value);
    int BarPenWidth() const { return List().BarPenWidth; }
    void SetBarPenWidth(int value);
    TPenStyle BarPenStyle() const { return List().BarPenStyle; }
    void SetBarPenStyle(TPenStyle value);
    TColor BarBrushColor() const { return List().BarBrushColor; }
    void SetBarBrushColor(TColor value);
    TBrushStyle BarBrushStyle() const { return List().BarBrushStyle; }
    void SetBarBrushStyle(TBrushStyle value);
    // The OPC source: item 0 (OPCItemName) gives Y, or X for iopcxvsOPCItem, where item 1
    // (OPCItem2Name) gives Y.
    std::string OPCGroupName() const;
    void SetOPCGroupName(const std::string& value);
    std::string OPCComputerName() const;
    void SetOPCComputerName(const std::string& value);
    std::string OPCServerName() const;
    void SetOPCServerName(const std::string& value);
    std::string OPCItemName() const;
    void SetOPCItemName(const std::string& value);
    std::string OPCItem2Name() const;
    void SetOPCItem2Name(const std::string& value);
    int OPCUpdateRate() const;
    void SetOPCUpdateRate(int value);
    double OPCScalar() const;
    void SetOPCScalar(double value);
    double OPCOffset() const;
    void SetOPCOffset(double value);
    double OPCScalar2() const;
    void SetOPCScalar2(double value);
    double OPCOffset2() const;
    void SetOPCOffset2(double value);
    bool OPCAutoConnect() const;
    void SetOPCAutoConnect(bool value);
    TiOPCXValueSourceStyle OPCXValueSource() const { return m_opcXValueSource; }
    void SetOPCXValueSource(TiOPCXValueSourceStyle value) { m_opcXValueSource = value; }

    // --- State --------------------------------------------------------------------------------
    bool XIncreasing() const { return m_xIncreasing; }
    // Recomputes XIncreasing from the two oldest points.
    void UpdateXIncreasing();
    TDateTime ElapsedStartTime() const { return m_elapsedStartTime; }
    void ResetElapsedStartTime();

    // --- Adding points ------------------------------------------------------------------------
    // Each returns the new point's index (0 = oldest held).
    int AddXY(double X, double Y) override;
    int AddXNull(double X);
    int AddXEmpty(double X);
    // X is the local clock, which a clock change can move back against the X order.
    int AddYNow(double Y);
    int AddYElapsedTime(double Y);
    int AddYElapsedSeconds(double Y);
    // One point per element, `Interval` apart in X, starting at the newest X (0 when empty).
    void AddYArray(double Interval, const TVariant& YData);
    // A point at (X, 0) carrying the four prices; only the full-feature data style keeps them.
    int AddHighLow(double X, double High, double Low, double Open, double Close);

    // --- Per-point high-low and bar values --------------------------------------------------
    double GetDataHigh(int Index) const { return List().GetHigh(Index); }
    void SetDataHigh(int Index, double Value);
    double GetDataLow(int Index) const { return List().GetLow(Index); }
    void SetDataLow(int Index, double Value);
    double GetDataOpen(int Index) const { return List().GetOpen(Index); }
    void SetDataOpen(int Index, double Value);
    double GetDataClose(int Index) const { return List().GetClose(Index); }
    void SetDataClose(int Index, double Value);
    bool GetDataBarVisible(int Index) const { return List().GetBarVisible(Index); }
    void SetDataBarVisible(int Index, bool Value);
    double GetDataBarReference(int Index) const { return List().GetBarReference(Index); }
    void SetDataBarReference(int Index, double Value);
    double GetDataBarWidth(int Index) const { return List().GetBarWidth(Index); }
    void SetDataBarWidth(int Index, double Value);
    TColor GetDataBarPenColor(int Index) const { return List().GetBarPenColor(Index); }
    void SetDataBarPenColor(int Index, TColor Value);
    int GetDataBarPenWidth(int Index) const { return List().GetBarPenWidth(Index); }
    void SetDataBarPenWidth(int Index, int Value);
    TPenStyle GetDataBarPenStyle(int Index) const { return List().GetBarPenStyle(Index); }
    void SetDataBarPenStyle(int Index, TPenStyle Value);
    TColor GetDataBarBrushColor(int Index) const { return List().GetBarBrushColor(Index); }
    void SetDataBarBrushColor(int Index, TColor Value);
    TBrushStyle GetDataBarBrushStyle(int Index) const { return List().GetBarBrushStyle(Index); }
    void SetDataBarBrushStyle(int Index, TBrushStyle Value);

    // --- OPC ------------------------------------------------------------------------------------
    void OPCActivate();
    void OPCActivateSuspend();
    void OPCDeactivate();
    void OPCUpdateSuspend();
    void OPCUpdateResume();
    bool GetOPCActive() const;
    bool GetOPCQualityGood() const;
    TiOPCItemManager& OPCItemManager() const { return m_opc.ItemManager(); }
    TiOPCManager& OPCManager() const { return m_opc.Manager(); }

    // --- Lookups --------------------------------------------------------------------------------
    // Binary search: the last index visited, a neighbour of Value on either side; -1 when
    // the channel is empty.
    int CalcXIndexIncreasing(double Value) const;
    int CalcXIndexDecreasing(double Value) const;
    // The first point at or past Value in the direction of the X order; -1 without an X axis,
    // without points, or when Value lies outside the data.
    int CalcIndex(double Value);
    // The straight-line value of the trace at X; false where the trace has no value.
    bool GetYInterpolated(double X, double& Y);
    // The value under a data cursor at X, by the interpolation style.
    TiPlotDataPointStatus DoYLookup(double X, double& Y);
    std::string GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y, TiPlotDataPointStatus Status);

    // --- Pixel columns of the last drawn curve ------------------------------------------------
    int PixelStart() const { return m_pixelStart; }
    int PixelStop() const { return m_pixelStop; }
    // Prepares one empty entry per column from `start` to `stop`; the list only grows.
    void SetPixelRange(int start, int stop);
    void AddPixelListValue(int XPixel, double Value);
    const std::vector<TiPlotPixelPoint>& PixelList() const { return m_pixelList; }

    // --- Virtual operations -------------------------------------------------------------------
    void Loaded() override;
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void CalcStartXIndex() override;
    void CalcStopXIndex() override;
    double GetVisibleMaxX() override;
    double GetVisibleMinX() override;
    double GetVisibleMaxY() override;
    double GetVisibleMinY() override;
    void DataCursorUpate(TObject* cursor) override;
    bool HitTestsBars() const override { return m_barEnabled; }
    TRect GetBarRect(int Index) override;
    // Before each paint: the draw range, the digital levels and the pixel columns; sets
    // ReadyToDraw when there is something to draw.
    void DrawSetup(TCanvas& canvas) override;
    // Fill, bars, trace, markers and high-low bars, in that order. A drawing error (an
    // interpolation that fails) ends this channel's drawing only.
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void DrawConnectPoints(TCanvas& canvas, bool reverse, TColor backGroundColor) override;
    void DrawMarkers(TCanvas& canvas, bool reverse, TColor backGroundColor) override;
    int DigitalHighPixel() const { return m_digitalHighPixel; }
    int DigitalLowPixel() const { return m_digitalLowPixel; }

protected:
    void DrawFill(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawBar(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawFast(TCanvas& canvas, bool reverse, TColor backGroundColor);
    // Off, the fast style reduces every point instead of reading the extremes kept for
    // blocks of points; both draw the same pixels.
    void SetFastDrawReadsSummary(bool value) { m_fastDrawReadsSummary = value; }
    // The reduced columns A and B and their joins; AStartsStretch: A is the first column
    // after a break or the start.
    void DrawPointSet(TiPlotTracePath& path, bool reverse, const TiPlotMinMaxPoint& A, const TiPlotMinMaxPoint& B,
                      const TiPlotMinMaxPoint& C, bool AStartsStretch);
    void DrawDigital(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawDigitalSequence(TCanvas& canvas, bool reverse, TDigitalSequenceData& S);
    void DrawDifferential(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawCubicSpline(TCanvas& canvas, bool reverse, TColor backGroundColor);
    // Knots from index 1 to N, as the interpolation routines take them.
    void DrawCubicSplineSet(TCanvas& canvas, bool reverse, const std::vector<double>& X, const std::vector<double>& Y,
                            std::vector<double>& Y2, int N);
    void DrawPolynomial(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawRational(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawHighLow(TCanvas& canvas, bool reverse, TColor backGroundColor);
    void DrawHighLowCandleStick(TCanvas& canvas, bool reverse, TColor backGroundColor);

private:
    // The brush of fills: FillStyle in the channel or fill colour.
    TColor FillBrushColor() const { return m_fillUseChannelColor ? Color() : m_fillColor; }
    bool FillShows() const { return m_fillEnabled && m_fillStyle != bsClear; }
    // One reduced column; at the end of a stretch, the end point's pixel shows only where
    // another point of the column (otherMinY .. otherMaxY) reached or passed it. `exit`: where
    // the join leaving the column starts.
    void DrawColumn(TiPlotTracePath& path, bool reverse, const TiPlotMinMaxPoint& P, bool endsStretch, double endY,
                    int endPixel, double otherMinY, double otherMaxY, std::optional<TPoint> exit);
    // Points First .. Last into the fast trace's columns one by one.
    void AddFastPoints(TiPlotColumnSets& sets, int First, int Last);
    // The same, a whole pixel column at a time from the kept extremes where the points are
    // in X order; the columns that need their points one by one are added so.
    void AddFastColumns(TiPlotColumnSets& sets, int First, int Last);
    // The last point from First on (at most Last) in the same pixel column as point First,
    // searched from the guess that the column holds widthHint points.
    // Points it reads in one call on the way are left in `window`.
    int FastColumnEnd(int First, int Last, int column, int widthHint, TiPlotPointWindow& window);
    // The same from the points around `probe` alone; false when the column ends elsewhere.
    bool FastColumnEndNear(int First, int Last, int column, int probe, int& end, TiPlotPointWindow& window);
    // A curve through one value per pixel column from x0 to xN; `valueAt` gives the value.
    template <typename ValueAt>
    void DrawCurve(TCanvas& canvas, bool reverse, double x0, double xN, ValueAt valueAt);
    // Polynomial or rational curve through every point held.
    void DrawInterpolatedCurve(TCanvas& canvas, bool reverse, bool rational);
    void CheckForValidXValue(double X);
    // Brings m_xOrder up to the points held (at least two); ReadXOrder reads it anew.
    void UpdateXOrder();
    void ReadXOrder();
    void RestartOnFirstPoint();
    void OPCNewData(TObject* sender);
    void AfterGroupUpdate(TObject* sender, const std::string& groupName);
    TiOPCItem& Item(int Index) const { return m_opc.Item(Index); }
    // The nearest non-Empty neighbours of X on the lower-index and higher-index side.
    bool FindSegment(double X, int& before, int& after);
    TiPlotDataPointStatus StepLookup(double X, double& Y, bool holdsBeyondData);

    std::vector<TiPlotPixelPoint> m_pixelList;
    int m_pixelStart = 0;
    int m_pixelStop = 0;
    int m_digitalHighPixel = 0;
    int m_digitalLowPixel = 0;
    bool m_xIncreasing = true;
    bool m_fastDrawEnabled = true;
    bool m_fastDrawReadsSummary = true;
    bool m_allowOutOfOrderXValues = true;
    // What the X-order check read of the points held: the direction of the oldest two and
    // the newest X, with the state of the list they were read from. While the list shows no
    // change but points added at the end, the direction holds and only the newest X is read
    // again; any other change, a point dropped from the front or another list reads it anew.
    struct TXOrder {
        unsigned long long List = 0;   // the list's Serial
        unsigned long long Epoch = 0;  // the list's OrderEpoch
        int Count = 0;
        bool Increasing = true;
        double NewestX = 0;
    } m_xOrder;
    bool m_drawOutOfOrderXValues = false;
    bool m_resetStartTimeOnFirstDataPoint = false;
    TiPlotInterpolationStyle m_interpolationStyle = ipistStraightLine;
    TDateTime m_elapsedStartTime = 0;
    bool m_fillEnabled = false;
    double m_fillReference = 0;
    bool m_fillUseChannelColor = true;
    TBrushStyle m_fillStyle = bsSolid;
    TColor m_fillColor = 0;
    TiPlotHighLowStyle m_highLowStyle = iphlsOpenClose;
    bool m_highLowEnabled = false;
    TColor m_highLowBarColor = 0xFFFF00;
    double m_highLowBarWidth = 0.5;
    bool m_highLowOpenShow = true;
    TColor m_highLowOpenColor = 0x00FF00;
    double m_highLowOpenWidth = 1.0;
    double m_highLowOpenHeight = 1.0;
    bool m_highLowCloseShow = true;
    TColor m_highLowCloseColor = 255;
    double m_highLowCloseWidth = 1.0;
    double m_highLowCloseHeight = 1.0;
    TColor m_highLowShadowColor = 0x808080;
    TColor m_highLowBullishColor = 0xFFFFFF;
    TColor m_highLowBearishColor = 0x808080;
    bool m_digitalEnabled = false;
    double m_digitalReferenceLow = 10.0;
    double m_digitalReferenceHigh = 90.0;
    TiPlotDigitalReferenceStyle m_digitalReferenceStyle = ipdrScale;
    TiOPCXValueSourceStyle m_opcXValueSource = iopcxvsOPCServerTimeStamp;
    TiPlotChannelOPCSource m_opc;
    bool m_barEnabled = false;
    bool m_barPenUseChannelColor = true;
    bool m_barBrushUseChannelColor = true;
};
