#pragma once
// The axes of a plot: the scale of one direction (minimum and span, linear or base-10
// logarithmic, optionally reversed) through which every other plot object converts between
// data values, pixels and fractions of the span; the ticks, labels and title it draws; the
// texts of values in six formats for labels, data cursors and legends; how it follows new
// data (tracking), zooms and scrolls, and how the user drives it with mouse, wheel and keys.
//
// An axis is a layout object: the layout pass gives it its draw rectangle along one side of
// the data view, and CalcTicks (run before every layout and paint) fixes the pixel mapping
// that the conversions use until the next paint.
//
//     TiPlotYAxis* y = ...;                        // made by the plot's Y-axis manager
//     y->SetMinSpan(0, 50);
//     y->CalcTicks(canvas);                        // scale rectangle, pixel mapping, ticks
//     int py = y->PositionToPixels(12.5);          // clamped to -32000..32000
//     std::string text = y->GetCursorText(12.5);   // "12.5" with the label settings
//
// The axis reaches the plot control through IPlotHost (the base's seam) and, for what only
// axes ask, through IPlotAxisHost; a host that does not offer the second gets no axis events.
//
// TiPlotAxis is one class in three units: the scale, its layout, drawing and input here
// (iPlotAxis.cpp); ticks and the texts of values, which need no canvas (iPlotAxisTicks.cpp);
// tracking, zoom and scroll (iPlotAxisTracking.cpp).

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Reflection.h"
#include "plot/core/iPlotObjects.h"
#include "plot/objects/iPlotAxisTicks.h"
#include "plot/objects/iPlotAxisTracking.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

class TiPlotAxis;
class TFiler;

PRAVIX_ENUM(TiPlotScaleType, ipstLinear, ipstLog10)
PRAVIX_ENUM(TiPlotTextFormat, iptfValue, iptfExponent, iptfPrefix, iptfDateTime, iptfPrice32nds, iptfThousands)
PRAVIX_ENUM(TiPlotCartesianStyle, ipcsNone, ipcsMaster, ipcsChild)
PRAVIX_ENUM(TiPlotAxisMode, ipamScroll, ipamZoom)
PRAVIX_ENUM(TiPlotGridLineStyle, ipglsSolid, ipglsDash, ipglsDot)
// The side of the data view an axis lies on.
PRAVIX_ENUM(TiQuadSide, iqsLeft, iqsTop, iqsRight, iqsBottom)

using TiPlotObjectDoubleValueChangeEvent = Event<TObject*, int, double, double>;
using TiPlotAxesMinSpanChangeEvent = Event<TObject*, int, double, double, double, double>;

// The handlers of one kind of axis's scale events, where an axis that scrolls with every point
// looks whether any is assigned before it calls DoAxesScaleChange; the handlers themselves are
// read at each change because anyone may assign them at any time. Without them (a host that
// keeps none) the axis always calls.
struct TiPlotAxisScaleEvents {
    bool AnyAssigned() const { return !Min || *Min || *Span || *MinSpan; }

    const TiPlotObjectDoubleValueChangeEvent* Min = nullptr;
    const TiPlotObjectDoubleValueChangeEvent* Span = nullptr;
    const TiPlotAxesMinSpanChangeEvent* MinSpan = nullptr;
};

// What the plot control offers axes beyond IPlotHost: the axis events, the collision list of
// Cartesian axes, master input and the data ranges of the channels. The plot control
// implements it next to IPlotHost; an axis finds it by a cross-cast of its owner.
class IPlotAxisHost {
public:
    virtual void DoAxesMinChange(TiPlotAxis* axis, double oldMin, double newMin) = 0;
    virtual void DoAxesSpanChange(TiPlotAxis* axis, double oldSpan, double newSpan) = 0;
    virtual void DoAxesMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                     double newSpan) = 0;
    // The events of one change of both Min and Span, in their order: Min when it moved, Span
    // when it changed, then MinSpan, each with the axis's values as they stand when it fires.
    virtual void DoAxesScaleChange(TiPlotAxis* axis, double oldMin, double oldSpan);
    // The handlers of those events for X axes or Y axes, asked once by each axis; they live as
    // long as the host.
    virtual TiPlotAxisScaleEvents ScaleEvents(bool /*xAxis*/) const { return {}; }
    // After a drag or key changed the scale.
    virtual void DoAxesMinSpanChangeFinished(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                             double newSpan) = 0;
    // For every value text the axis makes; the handler may replace `text`.
    virtual void DoAxesCustomizeLabel(TiPlotAxis* axis, double value, std::string& text) = 0;
    virtual void DoXAxisCustomizeHint(TiPlotAxis* axis, std::string& text) = 0;
    virtual void DoYAxisCustomizeHint(TiPlotAxis* axis, std::string& text) = 0;

    // Registers a rectangle of a Cartesian axis (scale line, tick, label); false when it
    // collides with one registered earlier in this paint.
    virtual bool AddAxesCollisionDetectionItem(const TRect& rect) = 0;

    // Master input: hands the same input to every other axis of the axis's kind.
    virtual void MasterAxisMouseLeft(TiPlotAxis* axis, const TiPlotMouseData& mouseData) = 0;
    virtual void MasterAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& mouseData) = 0;
    virtual void MasterAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& mouseData) = 0;
    virtual void MasterAxisMouseWheel(TiPlotAxis* axis, int wheelDelta, TShiftState shift, int x, int y) = 0;
    virtual void MasterAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift) = 0;

    // The range of every channel whose X axis (xAxis true) or Y axis is named `axisName`,
    // ignoring case: the visible extremes, or with `running` the running minimum and maximum
    // of all points added. Channels without data are left out.
    virtual std::vector<TiPlotAxisDataRange> GetAxisDataRanges(bool xAxis, const std::string& axisName,
                                                               bool running) = 0;

protected:
    ~IPlotAxisHost() = default;
};

class TiPlotAxis : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotAxis, TiPlotLayoutObject)
public:
    TiPlotAxis(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
               TNotifyEvent onRename);
    ~TiPlotAxis() override;

    // --- Scale ------------------------------------------------------------------------------
    double Min() const { return m_min; }
    void SetMin(double value);
    double Span() const { return m_span; }
    void SetSpan(double value);
    double GetMax() const { return m_min + m_span; }
    double GetMid() const { return m_min + m_span / 2; }
    // Both with one set of events.
    void SetMinSpan(double min, double span);
    bool InSetMinSpan() const { return m_inSetMinSpan; }
    // Held by a data cursor that moves the axis for a moment to read a value: while set,
    // SetMin and SetSpan fire none of the plot's axis events.
    void SetInSetMinSpan(bool value) { m_inSetMinSpan = value; }

    // --- Conversions (valid after CalcTicks / CalcScaleRect) ----------------------------------
    int PositionToPixels(double value) const;
    // PositionToPixels of each of Count values, for loops that place many points.
    void PositionsToPixels(const double* values, int count, int* pixels) const;
    double PixelsToPosition(int pixel) const;
    // Value to fraction of the span (1 = whole span) and fraction of the data view to value.
    // They are not inverses on an axis that covers only part of the data view.
    double PositionToPercent(double value) const;
    double PercentToPosition(double fraction) const;
    // The exact inverse of PercentToPosition: the fraction of the data view where `value` lies.
    double PositionToDataViewFraction(double value) const;
    int WidthToPixels(double width) const;
    int GetMinPixels() const { return PositionToPixels(m_min); }
    int GetMaxPixels() const { return PositionToPixels(GetMax()); }
    bool PointOnScale(double value) const;
    bool ValueOnScale(double value) const { return PointOnScale(value); }
    // PointOnScale of a value already turned into pixels.
    bool PixelOnScale(int pixel) const;
    int GetSpanLength() const;
    void CalcScaleRect(TCanvas& canvas);
    TiQuadSide GetSide() const { return m_side; }
    TRect GetScaleRect() const { return m_scaleRect; }
    TRect GetAxisRect() const { return m_axisRect; }

    // --- Published properties ----------------------------------------------------------------
    double DesiredStart() const { return m_desiredStart; }
    void SetDesiredStart(double value);
    double DesiredIncrement() const { return m_desiredIncrement; }
    void SetDesiredIncrement(double value);
    bool ReverseScale() const { return m_reverseScale; }
    void SetReverseScale(bool value);
    int InnerMargin() const { return m_innerMargin; }
    void SetInnerMargin(int value);
    int OuterMargin() const { return m_outerMargin; }
    void SetOuterMargin(int value);
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value);
    bool TitleShow() const { return m_titleShow; }
    void SetTitleShow(bool value);
    bool TitleRotated() const { return m_titleRotated; }
    void SetTitleRotated(bool value);
    double TitleMargin() const { return m_titleMargin; }
    void SetTitleMargin(double value);
    TFont* TitleFont() const { return m_titleFont.get(); }
    void SetTitleFont(TFont* value);
    int MajorLength() const { return m_majorLength; }
    void SetMajorLength(int value);
    int MinorLength() const { return m_minorLength; }
    void SetMinorLength(int value);
    int MinorCount() const { return m_minorCount; }
    void SetMinorCount(int value);
    bool LabelsVisible() const { return m_labelsVisible; }
    void SetLabelsVisible(bool value);
    double LabelsMargin() const { return m_labelsMargin; }
    void SetLabelsMargin(double value);
    TFont* LabelsFont() const { return m_labelsFont.get(); }
    void SetLabelsFont(TFont* value);
    double LabelSeparation() const { return m_labelSeparation; }
    void SetLabelSeparation(double value);
    TiRotationAngle LabelsRotation() const { return m_labelsRotation; }
    void SetLabelsRotation(TiRotationAngle value);
    int LabelsPrecision() const { return m_labelsPrecision; }
    void SetLabelsPrecision(int value);
    TiPrecisionStyle LabelsPrecisionStyle() const { return m_labelsPrecisionStyle; }
    void SetLabelsPrecisionStyle(TiPrecisionStyle value);
    TiPlotTextFormat LabelsFormatStyle() const { return m_labelsFormatStyle; }
    void SetLabelsFormatStyle(TiPlotTextFormat value);
    const std::string& DateTimeFormat() const { return m_dateTimeFormat; }
    void SetDateTimeFormat(const std::string& value);
    double LabelsMinLength() const { return m_labelsMinLength; }
    void SetLabelsMinLength(double value);
    bool LabelsMinLengthAutoAdjust() const { return m_labelsMinLengthAutoAdjust; }
    void SetLabelsMinLengthAutoAdjust(bool value);
    bool ScaleLineShow() const { return m_scaleLineShow; }
    void SetScaleLineShow(bool value);
    bool ScaleLinesShow() const { return m_scaleLinesShow; }
    void SetScaleLinesShow(bool value);
    TColor ScaleLinesColor() const { return m_scaleLinesColor; }
    void SetScaleLinesColor(TColor value);
    double StackingEndsMargin() const { return m_stackingEndsMargin; }
    void SetStackingEndsMargin(double value);
    TiPlotScaleType ScaleType() const { return m_scaleType; }
    void SetScaleType(TiPlotScaleType value);
    bool TrackingEnabled() const { return m_trackingEnabled; }
    void SetTrackingEnabled(bool value);
    TiPlotTrackingStyle TrackingStyle() const { return m_trackingStyle; }
    void SetTrackingStyle(TiPlotTrackingStyle value);
    TiPlotTrackingIncrementStyle TrackingIncrementStyle() const { return m_trackingIncrementStyle; }
    void SetTrackingIncrementStyle(TiPlotTrackingIncrementStyle value);
    TiPlotAlignFirstStyle TrackingAlignFirstStyle() const { return m_trackingAlignFirstStyle; }
    void SetTrackingAlignFirstStyle(TiPlotAlignFirstStyle value);
    double TrackingScrollCompressMax() const { return m_trackingScrollCompressMax; }
    void SetTrackingScrollCompressMax(double value);
    double TrackingSpanMinimum() const { return m_trackingSpanMinimum; }
    void SetTrackingSpanMinimum(double value);
    double TrackingMaxMargin() const { return m_trackingMaxMargin; }
    void SetTrackingMaxMargin(double value);
    double TrackingMinMargin() const { return m_trackingMinMargin; }
    void SetTrackingMinMargin(double value);

    // The three text-setting groups. The cursor and legend groups use the label group while
    // their UseDefaultFormat switch is on.
    bool CursorUseDefaultFormat() const { return m_cursor.UseDefaultFormat; }
    void SetCursorUseDefaultFormat(bool value);
    TiPlotTextFormat CursorFormatStyle() const { return m_cursor.FormatStyle; }
    void SetCursorFormatStyle(TiPlotTextFormat value);
    const std::string& CursorDateTimeFormat() const { return m_cursor.DateTimeFormat; }
    void SetCursorDateTimeFormat(const std::string& value);
    TiPrecisionStyle CursorPrecisionStyle() const { return m_cursor.PrecisionStyle; }
    void SetCursorPrecisionStyle(TiPrecisionStyle value);
    int CursorPrecision() const { return m_cursor.Precision; }
    void SetCursorPrecision(int value);
    double CursorMinLength() const { return m_cursor.MinLength; }
    void SetCursorMinLength(double value);
    bool CursorMinLengthAutoAdjust() const { return m_cursor.MinLengthAutoAdjust; }
    void SetCursorMinLengthAutoAdjust(bool value);
    bool LegendUseDefaultFormat() const { return m_legend.UseDefaultFormat; }
    void SetLegendUseDefaultFormat(bool value);
    TiPlotTextFormat LegendFormatStyle() const { return m_legend.FormatStyle; }
    void SetLegendFormatStyle(TiPlotTextFormat value);
    const std::string& LegendDateTimeFormat() const { return m_legend.DateTimeFormat; }
    void SetLegendDateTimeFormat(const std::string& value);
    TiPrecisionStyle LegendPrecisionStyle() const { return m_legend.PrecisionStyle; }
    void SetLegendPrecisionStyle(TiPrecisionStyle value);
    int LegendPrecision() const { return m_legend.Precision; }
    void SetLegendPrecision(int value);
    double LegendMinLength() const { return m_legend.MinLength; }
    void SetLegendMinLength(double value);
    bool LegendMinLengthAutoAdjust() const { return m_legend.MinLengthAutoAdjust; }
    void SetLegendMinLengthAutoAdjust(bool value);

    double CursorScaler() const { return m_cursorScaler; }
    void SetCursorScaler(double value);
    bool ScrollMinMaxEnabled() const { return m_scrollMinMaxEnabled; }
    void SetScrollMinMaxEnabled(bool value);
    double ScrollMin() const { return m_scrollMin; }
    void SetScrollMin(double value);
    double ScrollMax() const { return m_scrollMax; }
    void SetScrollMax(double value);
    bool RestoreValuesOnResume() const { return m_restoreValuesOnResume; }
    void SetRestoreValuesOnResume(bool value);
    bool MasterUIInput() const { return m_masterUIInput; }
    void SetMasterUIInput(bool value);
    TiPlotCartesianStyle CartesianStyle() const { return m_cartesianStyle; }
    void SetCartesianStyle(TiPlotCartesianStyle value);
    const std::string& CartesianChildRefAxisName() const { return m_cartesianChildRefAxisName; }
    void SetCartesianChildRefAxisName(const std::string& value);
    double CartesianChildRefValue() const { return m_cartesianChildRefValue; }
    void SetCartesianChildRefValue(double value);
    const std::string& AlignRefAxisName() const { return m_alignRefAxisName; }
    void SetAlignRefAxisName(const std::string& value);
    bool GridLinesVisible() const { return m_gridLinesVisible; }
    void SetGridLinesVisible(bool value);

    // --- Public, not published -----------------------------------------------------------------
    TiPlotAxisMode Mode() const { return m_mode; }
    void SetMode(TiPlotAxisMode value) { m_mode = value; }
    // Mode, exchanged while Ctrl is held.
    TiPlotAxisMode GetActualMode() const;
    bool TickListCustom() const { return m_tickListCustom; }
    void SetTickListCustom(bool value);

    // --- Ticks and texts (all but CalcTicks in iPlotAxisTicks.cpp) ------------------------------
    void CalcTicks(TCanvas& canvas);
    // The step choices of CalcTicks for room for `n` labels over the current span: the major
    // increment and the number of increments in the span (date-time increments are days, or
    // months or years when MonthTicks or YearTicks is set). CalcLog10Ticks fills the tick list
    // with decade ticks instead.
    void CalcLinearTicks(int n, double& increment, int& count);
    void CalcDateTimeTicks(int n, double& increment, int& count);
    void CalcPrice32Ticks(int n, double& increment, int& count);
    void CalcLog10Ticks(int n);
    void CalcTickPixels();
    double MajorIncrement() const { return m_majorIncrement; }
    double MinorIncrement() const { return m_minorIncrement; }
    bool MonthTicks() const { return m_monthTicks; }
    bool YearTicks() const { return m_yearTicks; }
    int TickListAdd(double position, const std::string& label, TiPlotTickType style);
    void TickListClear();
    int GetTickListCount() const { return int(m_ticks.size()); }
    std::string GetTickListItemLabel(int index) const;
    double GetTickListItemPosition(int index) const;
    TiPlotTickType GetTickListItemStyle(int index) const;
    void SetTickListItemLabel(int index, const std::string& value);
    void SetTickListItemPosition(int index, double value);
    void SetTickListItemStyle(int index, TiPlotTickType value);
    const TiPlotTickObject& GetTick(int index) const;

    std::string GetText(double value, TiPlotTextFormat format, const std::string& dateTimeFormat,
                        TiPrecisionStyle precisionStyle, int precision, bool autoAdjust, double& minLength);
    std::string GetLabelText(double value);
    std::string GetLabelTextAdjust(double value);
    std::string GetCursorText(double value);
    std::string GetCursorValueText(double value);
    std::string GetLegendText(double value);

    // --- Required sizes -----------------------------------------------------------------------
    int GetRequiredWidth(TCanvas& canvas) override;
    int GetRequiredLengthGaurd(TCanvas& canvas) override;
    int GetRequiredLabelLength(TCanvas& canvas);
    int GetRequiredLegendLength(TCanvas& canvas, TFont& font);
    int GetRequiredCursorLength(TCanvas& canvas, TFont& font);

    // --- Drawing ----------------------------------------------------------------------------------
    void DrawSetup(TCanvas& canvas) override;
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void DrawGridLines(TCanvas& canvas, const TRect& rect, bool showMajors, bool showMinors,
                       TiPlotGridLineStyle majorStyle, TiPlotGridLineStyle minorStyle, TColor majorColor,
                       TColor minorColor, int majorWidth, int minorWidth);

    // --- Reference axes ------------------------------------------------------------------------
    TiPlotAxis* GetCartesianRefAxis();
    TiPlotAxis* GetAlignRefAxis();

    // --- Tracking, zoom and scroll (iPlotAxisTracking.cpp) -------------------------------------
    // Channels call this with every point. What a value inside the scale does, and whether a
    // value above it scrolls by the span the axis has, is settled once per change of the
    // tracking settings (RefreshTrackingShortcut); everything else goes to TrackValue.
    void NewTrackingData(double value)
    {
        if (m_trackingShortcut != TTrackingShortcut::None) {
            const double max = m_min + m_span;
            if (value >= m_min && value <= max) {
                if (m_trackingShortcut == TTrackingShortcut::Snap)
                    AdjustToIncrement();
                return;
            }
            if (value > max && m_trackingShortcut == TTrackingShortcut::Scroll) {
                ScrollMinTo(value - m_span);
                return;
            }
        }
        TrackValue(value);
    }
    void ResetFirstAlign()
    {
        m_firstValueSeen = false;
        RefreshTrackingShortcut();
    }
    void AdjustToIncrement();
    void Zoom(double factor);
    void ZoomPercentByReference(double refMin, double refSpan, double refMax, double amount);
    void ScrollPercentByReference(double refMin, double refSpan, double refMax, double fraction);
    void ZoomRect(const TRect& rect);
    void ZoomToFit();
    void ZoomToFitFast();
    void UpdateResumeValues();
    double ResumeMin() const { return m_resumeMin; }
    double ResumeSpan() const { return m_resumeSpan; }

    // --- Plot-object operations --------------------------------------------------------------------
    void DefineProperties(TFiler& filer) override;
    void NotificationRemove(TObject* sender) override;
    void NotificationRename(TObject* sender) override;
    void NotificationSetFocus(TObject* sender) override;
    bool iMouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;
    bool DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y) override;
    TCursor GetMousePointer(TPoint p) override;
    void iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu) override;
    void AddMenuItems(TPopupMenu* popupMenu) override;

    // An X axis of the plot (else a Y axis).
    virtual bool IsXAxis() const { return false; }

protected:
    IPlotAxisHost* AxisHost() const;

private:
    // Every tracking case: the first value's alignment, each style, the span minimum and the
    // margins.
    void TrackValue(double value);
    // Settles m_trackingShortcut; called wherever one of the settings it reads changes.
    void RefreshTrackingShortcut();
    void TrackingSettingChange(TObject* sender);
    // A scroll by the span the axis has: Min alone moves, as SetMinSpan(min, Span) moves it.
    // Tracking scrolls with every point; when nobody but the waiting repaint would hear of it,
    // Min is written and nothing else happens.
    void ScrollMinTo(double min)
    {
        // The span stays, so of SetMinSpan's checks only Min's remain; a value above the scale
        // is never NaN.
        if (IsLog())
            min = PositiveOrOne(min);
        min = std::clamp(min, -kMaxMin, kMaxMin);
        if (min == m_min)
            return;
        if (ChangeAbsorbed() && !ScaleEventsMayFire())
            m_min = min;
        else
            StoreMinSpan(min, m_span);
    }
    // The second half of SetMinSpan: stores a checked scale that differs from the one there,
    // with its change notifications and the plot's scale events.
    void StoreMinSpan(double min, double span);
    // Whether a scale change reaches DoAxesScaleChange's events: false only with a host whose
    // scale handlers are all unassigned. Looked at again after any event assignment.
    bool ScaleEventsMayFire() const
    {
        const EventAssignments::TCount now = EventAssignments::Count();
        if (m_scaleEventsCheckedAt != now) {
            m_scaleEventsMayFire = AxisHost() && m_scaleEvents.AnyAssigned();
            m_scaleEventsCheckedAt = now;
        }
        return m_scaleEventsMayFire;
    }

    static constexpr double kMaxSpan = 1e300;
    static constexpr double kMinSpan = 1e-300;
    static constexpr double kMaxMin = 1e300;

    mutable IPlotAxisHost* m_axisHost = nullptr;
    mutable TiPlotAxisScaleEvents m_scaleEvents;
    // ScaleEventsMayFire's answer as of this event assignment count; the start value is a count
    // never reached.
    mutable EventAssignments::TCount m_scaleEventsCheckedAt = ~EventAssignments::TCount(0);
    mutable bool m_scaleEventsMayFire = true;

    struct TextSet {
        bool UseDefaultFormat = true;
        TiPlotTextFormat FormatStyle = iptfValue;
        std::string DateTimeFormat = "hh:nn:ss";
        TiPrecisionStyle PrecisionStyle = ipsSignificantDigits;
        int Precision = 3;
        double MinLength = 5.0;
        bool MinLengthAutoAdjust = false;
    };

    // Scale arithmetic shared by the axis's units.
    // More ticks than this means a degenerate scale: one tick in the middle replaces them.
    static constexpr int kMaxTicks = 5000;
    // Log scales treat a value that is not above 0 as 1, so that no conversion takes the
    // logarithm of 0 or of a negative number.
    static double PositiveOrOne(double value) { return value > 0 ? value : 1.0; }
    static double SafeLog10(double value) { return std::log10(PositiveOrOne(value)); }
    // Int(a / b) * b computed in extended precision; `fallback` when that is not finite.
    static double WholeMultiple(double a, double b, double fallback)
    {
        const long double q = static_cast<long double>(a) / b;
        const long double r = std::trunc(q) * b;
        return std::isfinite(r) ? double(r) : fallback;
    }

    bool IsLog() const { return m_scaleType == ipstLog10; }
    bool IsCartesian() const { return m_cartesianStyle != ipcsNone; }
    bool LabelsRunAlong() const;
    std::string LabelText(double value, bool adjust);
    std::string SetText(double value, const TextSet& set, bool forceValueFormat);
    void UpdatePixelsPerUnit();
    int EndMargin(TCanvas& canvas);
    int LabelHeightOfMin(TCanvas& canvas);
    void PlaceTicks(double increment);
    void AddTick(double position, TiPlotTickType style);
    void ReplaceTicksWithMiddle();
    void ClearTicks();
    TiPlotTickObject& TickAt(int index) const;
    void DrawTickLabel(TCanvas& canvas, const TiPlotTickObject& tick);
    void DrawTick(TCanvas& canvas, const TiPlotTickObject& tick);
    void DrawScaleLine(TCanvas& canvas);
    void DrawTitle(TCanvas& canvas);
    // Across the axis: the pixel of the edge facing the data view and the direction away from it.
    int InnerEdge() const;
    int Outward() const;
    TRect AcrossRect(int along1, int along2, int from, int to) const;
    void FinishUserChange(double refMin, double refSpan);
    void DragBy(double fraction, bool zoom);

    // Scale.
    double m_min = 0;
    double m_span = 100;
    bool m_inSetMinSpan = false;
    // Settings.
    double m_desiredStart = 0;
    double m_desiredIncrement = 0;
    bool m_reverseScale = false;
    int m_innerMargin = 5;
    int m_outerMargin = 5;
    std::string m_title;
    bool m_titleShow = false;
    bool m_titleRotated = false;
    double m_titleMargin = 0.25;
    std::unique_ptr<TFont> m_titleFont;
    int m_majorLength = 7;
    int m_minorLength = 3;
    int m_minorCount = 1;
    bool m_labelsVisible = true;
    double m_labelsMargin = 0.25;
    std::unique_ptr<TFont> m_labelsFont;
    double m_labelSeparation = 2.0;
    TiRotationAngle m_labelsRotation = ira000;
    int m_labelsPrecision = 3;
    TiPrecisionStyle m_labelsPrecisionStyle = ipsSignificantDigits;
    TiPlotTextFormat m_labelsFormatStyle = iptfValue;
    std::string m_dateTimeFormat = "hh:nn:ss";
    double m_labelsMinLength = 5.0;
    bool m_labelsMinLengthAutoAdjust = false;
    bool m_scaleLineShow = true;
    bool m_scaleLinesShow = true;
    TColor m_scaleLinesColor = TColor(0xFFFFFF);
    double m_stackingEndsMargin = 0.5;
    TiPlotScaleType m_scaleType = ipstLinear;
    bool m_trackingEnabled = true;
    TiPlotTrackingStyle m_trackingStyle = iptsScaleMinMax;
    TiPlotTrackingIncrementStyle m_trackingIncrementStyle = iptisMinimum;
    // The last scale AdjustToIncrement found already on its increment.
    struct TSnappedScale {
        double Min, Span, Increment;
    } m_snappedScale{NAN, NAN, NAN};
    TiPlotAlignFirstStyle m_trackingAlignFirstStyle = ipafsNone;
    double m_trackingScrollCompressMax = 0;
    double m_trackingSpanMinimum = 0;
    double m_trackingMaxMargin = 0;
    double m_trackingMinMargin = 0;
    TextSet m_cursor;
    TextSet m_legend;
    double m_cursorScaler = 1.0;
    bool m_scrollMinMaxEnabled = false;
    double m_scrollMin = 0;
    double m_scrollMax = 100;
    bool m_restoreValuesOnResume = true;
    bool m_masterUIInput = false;
    TiPlotCartesianStyle m_cartesianStyle = ipcsNone;
    std::string m_cartesianChildRefAxisName = "<None>";
    double m_cartesianChildRefValue = 0;
    std::string m_alignRefAxisName = "<None>";
    bool m_gridLinesVisible = true;
    TiPlotAxisMode m_mode = ipamScroll;
    bool m_tickListCustom = false;

    // Layout and pixel mapping of the last CalcScaleRect.
    TiQuadSide m_side = iqsBottom;
    TRect m_scaleRect;
    TRect m_axisRect;
    int m_minPixel = 0;
    int m_maxPixel = 0;
    double m_pixelsPerUnit = 0;

    // Ticks of the last CalcTicks.
    std::vector<std::unique_ptr<TiPlotTickObject>> m_ticks;
    double m_majorIncrement = 0;
    double m_minorIncrement = 0;
    bool m_monthTicks = false;
    bool m_yearTicks = false;
    bool m_labelAdjust = false;

    // Tracking and input.
    bool m_firstValueSeen = false;
    // What NewTrackingData may do without TrackValue, for the tracking settings as they are:
    // Hold: a value inside the scale changes nothing; Snap: inside, the scale only snaps to
    // the increment; Scroll: as Hold, and a value above moves Min so that it ends the scale.
    // None while a span minimum or a margin acts on every value, or before the first value.
    enum class TTrackingShortcut : unsigned char { None, Hold, Snap, Scroll };
    TTrackingShortcut m_trackingShortcut = TTrackingShortcut::None;
    double m_resumeMin = 0;
    double m_resumeSpan = 100;
    double m_resumeLabelsMinLength = 0;
    bool m_mouseDown = false;
    TPoint m_lastMouse;
    double m_refMin = 0;
    double m_refSpan = 0;

    TiPlotAxis* m_cartesianRefAxis = nullptr;
    TiPlotAxis* m_alignRefAxis = nullptr;
};

class TiPlotXAxis : public TiPlotAxis {
    PRAVIX_CLASS(TiPlotXAxis, TiPlotAxis)
public:
    TiPlotXAxis(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
    bool IsXAxis() const override { return true; }
};

class TiPlotYAxis : public TiPlotAxis {
    PRAVIX_CLASS(TiPlotYAxis, TiPlotAxis)
public:
    TiPlotYAxis(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);
};
