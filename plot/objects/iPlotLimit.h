#pragma once
// TiPlotLimit: a limit marked on the plotting area in axis units. A single line at an X or
// a Y value, a band between two X or two Y values, or a polygon band that follows a list of
// band elements (a position and an upper and a lower limit value each). Lines can be dragged
// when UserCanMove; every change of a line position reaches the plot as a line-position
// event, so that a host program can react to a user moving a threshold.
//
//     limit->SetStyle(iplsBandY);
//     limit->SetLine1Position(20);
//     limit->SetLine2Position(80);
//     limit->SetUserCanMove(true);
//
// A fill-type limit (GetIsFillType) is painted under the data view's grid, the others over
// it. A limit keeps no pixel state beyond its last paint: the drawn flags and hit rectangles
// are recomputed every time, so a line outside its axis range cannot be grabbed.

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/canvas/Graphics.h"
#include "plot/core/iPlotObjects.h"
#include "plot/core/iPlotPaintRoles.h"

#include <array>
#include <string>
#include <vector>

PRAVIX_ENUM(TiPlotLimitStyle, iplsLineX, iplsLineY, iplsBandX, iplsBandY, iplsPolyBandX, iplsPolyBandY)
PRAVIX_ENUM(TiPlotLimitLinePositionAxis, iplpaXAxis, iplpaYAxis)

// One element of a polygon band: its position and its upper and lower limit values.
struct TiLimitData {
    double Item1 = 0;
    double Item2 = 0;
    double Item3 = 0;
};

// The band elements of a limit: a contiguous block with an explicit capacity.
class TiLimitDataList {
public:
    // Capacities above this are refused.
    static constexpr int kMaxListSize = 134217727;

    int Count() const { return m_count; }
    int Capacity() const { return int(m_items.size()); }
    // Appends (growing first when full) and returns the new element's index.
    int Add(double item1, double item2, double item3);
    // Refuses a capacity above kMaxListSize or below 0 with "Exceed Maximum List Size" and
    // changes nothing; keeps the leading elements and cuts Count to a smaller capacity.
    void SetCapacity(int value);
    void Clear();
    // "Index out of Bounds" unless 0 <= index < Count.
    TiLimitData GetItem(int index) const;
    void SetItem(int index, const TiLimitData& value);
    double GetItem1(int index) const { return GetItem(index).Item1; }
    double GetItem2(int index) const { return GetItem(index).Item2; }
    double GetItem3(int index) const { return GetItem(index).Item3; }
    void SetItem1(int index, double value);
    void SetItem2(int index, double value);
    void SetItem3(int index, double value);

private:
    void Grow();
    void CheckIndex(int index) const;

    std::vector<TiLimitData> m_items;  // sized to the capacity
    int m_count = 0;
};

class TiPlotLimit : public TiPlotObject, public IPlotLimitPaint {
    PRAVIX_CLASS(TiPlotLimit, TiPlotObject)
public:
    TiPlotLimit(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    ~TiPlotLimit() override;

    // --- Published properties -----------------------------------------------------------------
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TPenStyle LineStyle() const { return m_lineStyle; }
    void SetLineStyle(TPenStyle value);
    int LineWidth() const { return m_lineWidth; }
    void SetLineWidth(int value);
    TBrushStyle FillStyle() const { return m_fillStyle; }
    void SetFillStyle(TBrushStyle value);
    const std::string& XAxisName() const { return m_xAxisName; }
    void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return m_yAxisName; }
    void SetYAxisName(const std::string& value);
    TiPlotLimitStyle Style() const { return m_style; }
    void SetStyle(TiPlotLimitStyle value);
    // Positions in axis units, not clamped; a change fires the plot's line-position event.
    double Line1Position() const { return m_linePosition[0]; }
    void SetLine1Position(double value) { SetLinePosition(0, value); }
    double Line2Position() const { return m_linePosition[1]; }
    void SetLine2Position(double value) { SetLinePosition(1, value); }
    bool UserCanMove() const { return m_userCanMove; }
    void SetUserCanMove(bool value);
    // Lines take the mouse only while the plot is in select mode.
    bool SelectModeOnlyInteraction() const { return m_selectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool value);
    bool ClipToAxes() const { return m_clipToAxes; }
    void SetClipToAxes(bool value);

    // --- Axes and band elements ------------------------------------------------------------------
    // Resolved by name when first needed; nullptr while no axis of that name exists.
    TiPlotXAxis* GetXAxis();
    TiPlotYAxis* GetYAxis();
    TiPlotLimitLinePositionAxis GetLinePositionAxis() const;
    // Refuses Lower > Upper with "the Upper Limit must be greater than or equal to the Lower Limit".
    void AddBandElement(double position, double upper, double lower);
    void ClearAllElements();
    const TiLimitDataList& BandElements() const { return m_elements; }
    bool GetIsFillType() const override;

    // --- State of the last paint ----------------------------------------------------------------
    bool LineDrawn(int line) const { return m_lineDrawn[size_t(line)]; }
    TRect LineHitRect(int line) const { return m_hitRect[size_t(line)]; }
    bool LineGrabbed(int line) const { return m_grabbed[size_t(line)]; }

    // --- Virtual operations -----------------------------------------------------------------------
    void NotificationRemove(TObject* sender) override;
    void NotificationRename(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    TCursor GetMousePointer(TPoint p) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;

private:
    // The pixel mapping of one paint: x(v) on the X axis, y(v) on the Y axis, points and
    // rectangles exchanged on a plot with reversed axes.
    struct Mapping;

    void SetLinePosition(int line, double value);
    bool LineHit(int line, TPoint p) const;
    void DrawLine(TCanvas& canvas, const Mapping& m, TColor backGroundColor);
    void DrawBand(TCanvas& canvas, const Mapping& m);
    void DrawPolyBand(TCanvas& canvas, const Mapping& m);

    TColor m_color = 0x0000FF;
    TPenStyle m_lineStyle = psSolid;
    int m_lineWidth = 0;
    TBrushStyle m_fillStyle = bsSolid;
    std::string m_xAxisName;
    std::string m_yAxisName;
    TiPlotLimitStyle m_style = iplsLineY;
    std::array<double, 2> m_linePosition{50, 50};
    bool m_userCanMove = false;
    bool m_selectModeOnlyInteraction = true;
    bool m_clipToAxes = false;

    TiPlotXAxis* m_xAxis = nullptr;
    TiPlotYAxis* m_yAxis = nullptr;
    TiLimitDataList m_elements;
    std::array<bool, 2> m_lineDrawn{};
    std::array<TRect, 2> m_hitRect{};
    std::array<bool, 2> m_grabbed{};
};
