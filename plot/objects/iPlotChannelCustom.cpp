#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotChannelCustom_p.h"

#include "components/iClasses.h"
#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotDataCompactIntervalList.h"
#include "plot/objects/iPlotDataCompactList.h"
#include "plot/objects/iPlotDataFullList.h"
#include "plot/objects/iPlotDataNullList.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

std::unique_ptr<TiPlotDataCustomList> CreatePointList(TiPlotDataStyle Style)
{
    switch (Style) {
    case ipdsCompact: return std::make_unique<TiPlotDataCompactList>();
    case ipdsCompactInterval: return std::make_unique<TiPlotDataCompactIntervalList>();
    case ipdsFullFeature: return std::make_unique<TiPlotDataFullList>();
    case ipdsStandard: break;
    }
    return std::make_unique<TiPlotDataNullList>();
}

TiPlotChannelCustom::TiPlotChannelCustom(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)),
      m_list(CreatePointList(ipdsStandard))
{
    SetColor(clRed);
    SetTraceLineWidth(1);
    SetTraceLineStyle(iplsSolid);
    SetMarkersSize(3);
    SetMarkersPenColor(clRed);
    SetMarkersBrushColor(clRed);
    m_markersFont = std::make_unique<TFont>();
    m_markersFont->SetColor(clWhite);
    m_markersFont->SetStyle({fsBold});
    m_markersFont->OnChange = [this] { MarkersFontChanged(); };
}

TiPlotChannelCustom::~TiPlotChannelCustom() { SetColorCount(nullptr); }

void TiPlotChannelCustom::SetColorCount(TiPlotChannelColorCount* count)
{
    TiPlotChannelColorCount::Move(m_colorCount, count, Color());
}

void TiPlotChannelCustom::MarkersFontChanged() { TriggerChange(this); }

// ---------------------------------------------------------------------------------------------
// Published properties

void TiPlotChannelCustom::SetTitleText(const std::string& value)
{
    SetStringProperty(value, m_titleText, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetVisibleInLegend(bool value)
{
    SetBooleanProperty(value, m_visibleInLegend, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetClipToAxes(bool value)
{
    SetBooleanProperty(value, m_clipToAxes, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetRingBufferSize(int value)
{
    m_list->SetRingBufferSize(value);
    TriggerChange(this);
}

void TiPlotChannelCustom::SetTraceVisible(bool value)
{
    SetBooleanProperty(value, m_traceVisible, &TiPlotObject::TriggerChange);
}

template <typename T, typename U>
void TiPlotChannelCustom::SetListWide(T& field, U value)
{
    field = T(value);
    TriggerChange(this);
}

void TiPlotChannelCustom::SetColor(TColor value)
{
    if (m_colorCount)
        m_colorCount->Recolor(Color(), value);
    SetListWide(m_list->TraceLineColor, value);
}
void TiPlotChannelCustom::SetTraceLineStyle(TiPlotLineStyle value) { SetListWide(m_list->TraceLineStyle, value); }
void TiPlotChannelCustom::SetTraceLineWidth(int value) { SetListWide(m_list->TraceLineWidth, value); }
void TiPlotChannelCustom::SetMarkersVisible(bool value) { SetListWide(m_list->MarkerVisible, value); }
void TiPlotChannelCustom::SetMarkersSize(int value) { SetListWide(m_list->MarkerSize, value); }
void TiPlotChannelCustom::SetMarkersStyle(TiPlotMarkerStyle value) { SetListWide(m_list->MarkerStyle, value); }
void TiPlotChannelCustom::SetMarkersPenColor(TColor value) { SetListWide(m_list->MarkerPenColor, value); }
void TiPlotChannelCustom::SetMarkersPenStyle(TPenStyle value) { SetListWide(m_list->MarkerPenStyle, value); }
void TiPlotChannelCustom::SetMarkersPenWidth(int value) { SetListWide(m_list->MarkerPenWidth, value); }
void TiPlotChannelCustom::SetMarkersBrushColor(TColor value) { SetListWide(m_list->MarkerBrushColor, value); }
void TiPlotChannelCustom::SetMarkersBrushStyle(TBrushStyle value) { SetListWide(m_list->MarkerBrushStyle, value); }

void TiPlotChannelCustom::SetMarkersAllowIndividual(bool value)
{
    SetBooleanProperty(value, m_markersAllowIndividual, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersPenUseChannelColor(bool value)
{
    SetBooleanProperty(value, m_markersPenUseChannelColor, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersBrushUseChannelColor(bool value)
{
    SetBooleanProperty(value, m_markersBrushUseChannelColor, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersTurnOffLimit(int value)
{
    SetIntegerProperty(value, m_markersTurnOffLimit, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersFont(TFont* value)
{
    if (value)
        m_markersFont->Assign(*value);
}

void TiPlotChannelCustom::SetXAxisName(const std::string& value)
{
    if (value == m_xAxisName)
        return;
    m_xAxisName = value;
    m_xAxis = nullptr;
    TriggerChange(this);
}

void TiPlotChannelCustom::SetYAxisName(const std::string& value)
{
    if (value == m_yAxisName)
        return;
    m_yAxisName = value;
    m_yAxis = nullptr;
    TriggerChange(this);
}

void TiPlotChannelCustom::SetXAxisTrackingEnabled(bool value)
{
    SetBooleanProperty(value, m_xAxisTrackingEnabled, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetYAxisTrackingEnabled(bool value)
{
    SetBooleanProperty(value, m_yAxisTrackingEnabled, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetLogFileName(const std::string& value)
{
    if (value == m_logFileName)
        return;
    if (m_loggingActive)
        throw Exception(GetTranslation("Log File Name can not be changed while logging is active."));
    m_logFileName = value;
}

void TiPlotChannelCustom::SetDataStyle(TiPlotDataStyle value)
{
    if (value == m_dataStyle)
        return;
    std::unique_ptr<TiPlotDataCustomList> list = CreatePointList(value);
    list->CopyListWideAttributes(*m_list);
    list->SetRingBufferSize(m_list->GetRingBufferSize());
    m_dataStyle = value;
    m_list = std::move(list);
    TriggerChange(this);
}

PRAVIX_PUBLISH(
    TiPlotChannelCustom, Prop("TitleText", &TiPlotChannelCustom::TitleText, &TiPlotChannelCustom::SetTitleText),
    Prop("VisibleInLegend", &TiPlotChannelCustom::VisibleInLegend, &TiPlotChannelCustom::SetVisibleInLegend)
        .Default(true),
    Prop("ClipToAxes", &TiPlotChannelCustom::ClipToAxes, &TiPlotChannelCustom::SetClipToAxes).Default(false),
    Prop("ShowDataPointHints", &TiPlotChannelCustom::ShowDataPointHints, &TiPlotChannelCustom::SetShowDataPointHints)
        .Default(false),
    Prop("UserCanMoveDataPoints", &TiPlotChannelCustom::UserCanMoveDataPoints,
         &TiPlotChannelCustom::SetUserCanMoveDataPoints)
        .Default(false),
    Prop("UserCanMoveDataPointsStyle", &TiPlotChannelCustom::UserCanMoveDataPointsStyle,
         &TiPlotChannelCustom::SetUserCanMoveDataPointsStyle)
        .Default(ipcdpmsXandY),
    Prop("RingBufferSize", &TiPlotChannelCustom::RingBufferSize, &TiPlotChannelCustom::SetRingBufferSize).Default(0),
    Prop("TraceVisible", &TiPlotChannelCustom::TraceVisible, &TiPlotChannelCustom::SetTraceVisible).Default(true),
    Prop("Color", &TiPlotChannelCustom::Color, &TiPlotChannelCustom::SetColor).AsColor().Default(255),
    Prop("TraceLineStyle", &TiPlotChannelCustom::TraceLineStyle, &TiPlotChannelCustom::SetTraceLineStyle)
        .Default(iplsSolid),
    Prop("TraceLineWidth", &TiPlotChannelCustom::TraceLineWidth, &TiPlotChannelCustom::SetTraceLineWidth).Default(1),
    Prop("MarkersAllowIndividual", &TiPlotChannelCustom::MarkersAllowIndividual,
         &TiPlotChannelCustom::SetMarkersAllowIndividual)
        .Default(false),
    Prop("MarkersPenUseChannelColor", &TiPlotChannelCustom::MarkersPenUseChannelColor,
         &TiPlotChannelCustom::SetMarkersPenUseChannelColor)
        .Default(true),
    Prop("MarkersBrushUseChannelColor", &TiPlotChannelCustom::MarkersBrushUseChannelColor,
         &TiPlotChannelCustom::SetMarkersBrushUseChannelColor)
        .Default(true),
    Prop("MarkersTurnOffLimit", &TiPlotChannelCustom::MarkersTurnOffLimit,
         &TiPlotChannelCustom::SetMarkersTurnOffLimit),
    Prop("MarkersVisible", &TiPlotChannelCustom::MarkersVisible, &TiPlotChannelCustom::SetMarkersVisible)
        .Default(false),
    Prop("MarkersSize", &TiPlotChannelCustom::MarkersSize, &TiPlotChannelCustom::SetMarkersSize).Default(3),
    Prop("MarkersStyle", &TiPlotChannelCustom::MarkersStyle, &TiPlotChannelCustom::SetMarkersStyle).Default(ipmsCircle),
    Prop("MarkersPenColor", &TiPlotChannelCustom::MarkersPenColor, &TiPlotChannelCustom::SetMarkersPenColor)
        .AsColor()
        .Default(255),
    Prop("MarkersPenStyle", &TiPlotChannelCustom::MarkersPenStyle, &TiPlotChannelCustom::SetMarkersPenStyle)
        .Default(psSolid),
    Prop("MarkersPenWidth", &TiPlotChannelCustom::MarkersPenWidth, &TiPlotChannelCustom::SetMarkersPenWidth).Default(0),
    Prop("MarkersBrushColor", &TiPlotChannelCustom::MarkersBrushColor, &TiPlotChannelCustom::SetMarkersBrushColor)
        .AsColor()
        .Default(255),
    Prop("MarkersBrushStyle", &TiPlotChannelCustom::MarkersBrushStyle, &TiPlotChannelCustom::SetMarkersBrushStyle)
        .Default(bsSolid),
    Prop("MarkersFont", &TiPlotChannelCustom::MarkersFont, &TiPlotChannelCustom::SetMarkersFont).Owned(),
    Prop("XAxisName", &TiPlotChannelCustom::XAxisName, &TiPlotChannelCustom::SetXAxisName),
    Prop("YAxisName", &TiPlotChannelCustom::YAxisName, &TiPlotChannelCustom::SetYAxisName),
    Prop("XAxisTrackingEnabled", &TiPlotChannelCustom::XAxisTrackingEnabled,
         &TiPlotChannelCustom::SetXAxisTrackingEnabled)
        .Default(true),
    Prop("YAxisTrackingEnabled", &TiPlotChannelCustom::YAxisTrackingEnabled,
         &TiPlotChannelCustom::SetYAxisTrackingEnabled)
        .Default(true),
    Prop("LogFileName", &TiPlotChannelCustom::LogFileName, &TiPlotChannelCustom::SetLogFileName),
    Prop("LogBufferSize", &TiPlotChannelCustom::LogBufferSize, &TiPlotChannelCustom::SetLogBufferSize).Default(0),
    Prop("LoggingActive", &TiPlotChannelCustom::LoggingActive),
    Prop("DataStyle", &TiPlotChannelCustom::DataStyle, &TiPlotChannelCustom::SetDataStyle))

// ---------------------------------------------------------------------------------------------
// Adding points

int TiPlotChannelCustom::AddXY(double X, double Y) { return AddXYInternal(X, Y, false, false); }

void TiPlotChannelCustom::TrackMarkerExtents(bool Null, bool Empty)
{
    const int last = GetCount() - 1;
    if (m_xAxisTrackingEnabled && !Null)
        if (TiPlotXAxis* xAxis = GetXAxis()) {
            xAxis->NewTrackingData(GetDataXDrawMax(last));
            xAxis->NewTrackingData(GetDataXDrawMin(last));
        }
    if (m_yAxisTrackingEnabled && !Null && !Empty)
        if (TiPlotYAxis* yAxis = GetYAxis()) {
            yAxis->NewTrackingData(GetDataYDrawMax(last));
            yAxis->NewTrackingData(GetDataYDrawMin(last));
        }
}

namespace {

bool IsOneDimensional(const TVariant& data) { return data.IsArray() && data.DimCount() == 1; }

}  // namespace

void TiPlotChannelCustom::AddXYArrays(const TVariant& XData, const TVariant& YData)
{
    if (!IsOneDimensional(XData))
        throw Exception("X-Data array must be 1 dimensional");
    if (!IsOneDimensional(YData))
        throw Exception("Y-Data array must be 1 dimensional");
    if (XData.LowBound(1) != YData.LowBound(1))
        throw Exception("X-Data and Y-Data low bound dimension must match");
    if (XData.HighBound(1) != YData.HighBound(1))
        throw Exception("X-Data and Y-Data hogh bound dimension must match");
    for (int i = XData.LowBound(1); i <= XData.HighBound(1); ++i)
        AddXYInternal(XData.GetElement({i}).AsDouble(), YData.GetElement({i}).AsDouble(), false, false);
}

void TiPlotChannelCustom::AddXYArray(const TVariant& Data)
{
    if (!Data.IsArray() || Data.DimCount() != 2)
        throw Exception("Array Must Be 2 Dimensional");
    const int low = Data.LowBound(1);
    const int high = Data.HighBound(1);
    if (high - low != 1)
        throw Exception("Array First Dimension Must Be 2 Elements");
    for (int j = Data.LowBound(2); j <= Data.HighBound(2); ++j)
        AddXYInternal(Data.GetElement({low, j}).AsDouble(), Data.GetElement({high, j}).AsDouble(), false, false);
}

void TiPlotChannelCustom::ResetRunningStatistics()
{
    m_runningCount = 0;
    m_runningXMin = m_runningYMin = 1e300;
    m_runningXMax = m_runningYMax = -1e300;
    m_runningXMean = m_runningYMean = 0;
    m_runningXSum = m_runningYSum = 0;
    m_runningMeansFromSums = {false, false};
}

void TiPlotChannelCustom::Clear()
{
    ResetRunningStatistics();
    m_drawStartIndex = -1;
    m_drawStopIndex = -1;
    if (m_loggingActive)
        LogDeactivate();
    m_list->Clear();
    TriggerChange(this);
}

void TiPlotChannelCustom::DeletePoints(int Count)
{
    if (Count == GetCount()) {
        Clear();
        return;
    }
    m_list->DeletePoints(Count);
    TriggerChange(this);
}

void TiPlotChannelCustom::SetCount(int Value)
{
    m_list->SetCapacity(Value);
    TriggerChange(this);
}

double TiPlotChannelCustom::GetXFirst() const { return GetCount() ? GetDataX(0) : -1.0; }
double TiPlotChannelCustom::GetXLast() const { return GetCount() ? GetDataX(GetCount() - 1) : -1.0; }
double TiPlotChannelCustom::GetYFirst() const { return GetCount() ? GetDataY(0) : -1.0; }
double TiPlotChannelCustom::GetYLast() const { return GetCount() ? GetDataY(GetCount() - 1) : -1.0; }

// ---------------------------------------------------------------------------------------------
// Statistics

void TiPlotChannelCustom::ReCalcRunningMinMaxMean()
{
    ResetRunningStatistics();
    for (int i = 0; i < GetCount(); ++i) {
        double x, y;
        bool empty, null;
        m_list->GetXYEmptyNull(i, x, y, empty, null);
        if (!empty && !null)
            CountInRunningStatistics(x, y);
    }
    if (m_runningCount > 0) {
        m_runningXMean = double(m_runningXSum / m_runningCount);
        m_runningYMean = double(m_runningYSum / m_runningCount);
    }
}

namespace {

enum class Scan { Max, Min, Mean };

// One statistic over the valid points held, in locals: the running count and sums keep
// describing the points added since the last Clear.
double ScanValid(const TiPlotDataCustomList& list, bool ofY, Scan scan)
{
    double extreme = scan == Scan::Max ? -1e300 : 1e300;
    long double sum = 0;
    int count = 0;
    for (int i = 0; i < list.Count(); ++i) {
        double x, y;
        bool empty, null;
        list.GetXYEmptyNull(i, x, y, empty, null);
        if (empty || null)
            continue;
        const double v = ofY ? y : x;
        if (scan == Scan::Max ? v > extreme : v < extreme)
            extreme = v;
        sum += v;
        ++count;
    }
    if (scan != Scan::Mean)
        return extreme;
    return count ? double(sum / count) : 0.0;
}

}  // namespace

double TiPlotChannelCustom::GetXMax() { return m_runningXMax = ScanValid(*m_list, false, Scan::Max); }
double TiPlotChannelCustom::GetXMin() { return m_runningXMin = ScanValid(*m_list, false, Scan::Min); }
double TiPlotChannelCustom::RunningXMean() const
{
    return m_runningMeansFromSums.X ? double(m_runningXSum / m_runningCount) : m_runningXMean;
}

double TiPlotChannelCustom::RunningYMean() const
{
    return m_runningMeansFromSums.Y ? double(m_runningYSum / m_runningCount) : m_runningYMean;
}

double TiPlotChannelCustom::GetXMean()
{
    m_runningMeansFromSums.X = false;
    return m_runningXMean = ScanValid(*m_list, false, Scan::Mean);
}
double TiPlotChannelCustom::GetYMax() { return m_runningYMax = ScanValid(*m_list, true, Scan::Max); }
double TiPlotChannelCustom::GetYMin() { return m_runningYMin = ScanValid(*m_list, true, Scan::Min); }
double TiPlotChannelCustom::GetYMean()
{
    m_runningMeansFromSums.Y = false;
    return m_runningYMean = ScanValid(*m_list, true, Scan::Mean);
}

// ---------------------------------------------------------------------------------------------
// Per-point accessors

#define CHANNEL_POINT_SETTER(Name, ListName, Type)                 \
    void TiPlotChannelCustom::SetData##Name(int Index, Type Value) \
    {                                                              \
        m_list->Set##ListName(Index, Value);                       \
        TriggerChange(this);                                       \
    }

CHANNEL_POINT_SETTER(X, X, double)
CHANNEL_POINT_SETTER(Y, Y, double)
CHANNEL_POINT_SETTER(Null, Null, bool)
CHANNEL_POINT_SETTER(Empty, Empty, bool)
CHANNEL_POINT_SETTER(MarkerShow, MarkerVisible, bool)
CHANNEL_POINT_SETTER(MarkerStyle, MarkerStyle, TiPlotMarkerStyle)
CHANNEL_POINT_SETTER(MarkerSize, MarkerSize, int)
CHANNEL_POINT_SETTER(MarkerPenColor, MarkerPenColor, TColor)
CHANNEL_POINT_SETTER(MarkerPenWidth, MarkerPenWidth, int)
CHANNEL_POINT_SETTER(MarkerPenStyle, MarkerPenStyle, TPenStyle)
CHANNEL_POINT_SETTER(MarkerBrushColor, MarkerBrushColor, TColor)
CHANNEL_POINT_SETTER(MarkerBrushStyle, MarkerBrushStyle, TBrushStyle)
CHANNEL_POINT_SETTER(MarkerCharacter, MarkerCharacter, char)
CHANNEL_POINT_SETTER(TraceLineColor, TraceLineColor, TColor)
CHANNEL_POINT_SETTER(TraceLineWidth, TraceLineWidth, int)
CHANNEL_POINT_SETTER(TraceLineStyle, TraceLineStyle, TiPlotLineStyle)

#undef CHANNEL_POINT_SETTER

double TiPlotChannelCustom::MarkerExtent(TiPlotAxis& axis)
{
    return std::fabs(axis.PixelsToPosition(axis.GetMinPixels() + MarkersSize()) - axis.Min());
}

// The point's value on one axis, moved by the marker's extent in Direction (+1 or -1).
double TiPlotChannelCustom::DrawExtent(int Index, bool OfY, int Direction)
{
    if (GetDataNull(Index))
        throw Exception("Data Point Null");
    const double value = OfY ? GetDataY(Index) : GetDataX(Index);
    if (!MarkersVisible())
        return value;
    TiPlotAxis* axis = OfY ? static_cast<TiPlotAxis*>(GetYAxis()) : static_cast<TiPlotAxis*>(GetXAxis());
    if (!axis)
        throw Exception(OfY ? "Y-Axis not assigned" : "X-Axis not assigned");
    return value + Direction * MarkerExtent(*axis);
}

double TiPlotChannelCustom::GetDataXDrawMax(int Index) { return DrawExtent(Index, false, +1); }
double TiPlotChannelCustom::GetDataXDrawMin(int Index) { return DrawExtent(Index, false, -1); }
double TiPlotChannelCustom::GetDataYDrawMax(int Index) { return DrawExtent(Index, true, +1); }
double TiPlotChannelCustom::GetDataYDrawMin(int Index) { return DrawExtent(Index, true, -1); }

// ---------------------------------------------------------------------------------------------
// Axes

TiPlotXAxis* TiPlotChannelCustom::FindXAxis()
{
    m_xAxis = Owner()->GetXAxisByName(m_xAxisName);
    return m_xAxis;
}

TiPlotYAxis* TiPlotChannelCustom::FindYAxis()
{
    m_yAxis = Owner()->GetYAxisByName(m_yAxisName);
    return m_yAxis;
}

std::string TiPlotChannelCustom::GetXValueText(double Value)
{
    TiPlotXAxis* axis = GetXAxis();
    return axis ? axis->GetCursorText(Value) : GetTranslation("No X-Axis");
}

std::string TiPlotChannelCustom::GetYValueText(double Value)
{
    TiPlotYAxis* axis = GetYAxis();
    return axis ? axis->GetCursorText(Value) : GetTranslation("No Y-Axis");
}

double TiPlotChannelCustom::GetXValueFromMousePoint(int X, int Y)
{
    TiPlotXAxis* axis = GetXAxis();
    if (!axis)
        throw Exception("X-Axis not assigned");
    return axis->PixelsToPosition(XYAxesReversed() ? Y : X);
}

TRect TiPlotChannelCustom::GetPixelRect(double X1, double Y1, double X2, double Y2)
{
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (!xAxis)
        throw Exception("X-Axis not assigned");
    if (!yAxis)
        throw Exception("Y-Axis not assigned");
    int x1 = xAxis->PositionToPixels(X1);
    int x2 = xAxis->PositionToPixels(X2);
    int y1 = yAxis->PositionToPixels(Y1);
    int y2 = yAxis->PositionToPixels(Y2);
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    return XYAxesReversed() ? Rect(y1, x1, y2, x2) : Rect(x1, y1, x2, y2);
}

void TiPlotChannelCustom::NotificationRemove(TObject* sender)
{
    inherited::NotificationRemove(sender);
    if (m_xAxis && sender == static_cast<TObject*>(m_xAxis))
        m_xAxis = nullptr;
    if (m_yAxis && sender == static_cast<TObject*>(m_yAxis))
        m_yAxis = nullptr;
}

void TiPlotChannelCustom::NotificationRename(TObject* sender)
{
    inherited::NotificationRename(sender);
    if (m_xAxis && sender == static_cast<TObject*>(m_xAxis))
        m_xAxisName = m_xAxis->Name();
    if (m_yAxis && sender == static_cast<TObject*>(m_yAxis))
        m_yAxisName = m_yAxis->Name();
}

namespace {

// A data cursor names the channel it reads ("<All>" for every channel) in its published
// ChannelName; a legend lists the channels. Selecting either keeps the channel selected.
bool KeepsChannelSelected(TObject* object, const std::string& channelName)
{
    const std::string className = object->ClassInfo().Name();
    if (className == "TiPlotLegend")
        return true;
    if (className != "TiPlotDataCursor")
        return false;
    const TPropertyRef bound = FindProperty(*object, "ChannelName");
    if (!bound)
        return false;
    const std::string name = bound.GetString();
    return name == "<All>" || SameText(name, channelName);
}

}  // namespace

void TiPlotChannelCustom::NotificationSetFocus(TObject* sender)
{
    inherited::NotificationSetFocus(sender);
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    if (!object || object == this || !object->UserSelected())
        return;
    if (!KeepsChannelSelected(object, Name()))
        SetUserSelected(false);
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TiPlotChannelCustom::GetDataMarkerShowing(int Index)
{
    if (!MarkersVisible() || !GetDataValid(Index))
        return false;
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis)
        return false;
    if (m_markersAllowIndividual && !GetDataMarkerShow(Index))
        return false;
    return xAxis->ValueOnScale(GetDataX(Index)) && yAxis->ValueOnScale(GetDataY(Index));
}

TRect TiPlotChannelCustom::GetMarkerRect(int Index)
{
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis)
        return {};
    int px = xAxis->PositionToPixels(GetDataX(Index));
    int py = yAxis->PositionToPixels(GetDataY(Index));
    if (XYAxesReversed())
        std::swap(px, py);
    const int size = m_markersAllowIndividual ? GetDataMarkerSize(Index) : MarkersSize();
    return Rect(px - size, py - size, px + size, py + size);
}

TRect TiPlotChannelCustom::GetBarRect(int) { return {}; }

bool TiPlotChannelCustom::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    bool result = inherited::iMouseHitTest(mouseData);
    const TPoint mouse{mouseData.X, mouseData.Y};
    if (m_visibleInLegend && PtInRect(m_legendRect, mouse))
        return true;
    if (!Owner()->GetSelectModeActive())
        return result;
    m_hitIndex = -1;
    const bool barMode = HitTestsBars();
    if (!(MarkersVisible() || barMode) || GetCount() == 0)
        return result;
    CalcStartXIndex();
    CalcStopXIndex();
    if (m_drawStartIndex < 0 || m_drawStopIndex < 0)
        return result;
    for (int i = m_drawStartIndex; i <= m_drawStopIndex; ++i) {
        if (!barMode && !GetDataMarkerShowing(i))
            continue;
        if (!GetDataValid(i))
            continue;
        m_hitRect = barMode ? GetBarRect(i) : GetMarkerRect(i);
        if (PtInRect(m_hitRect, mouse)) {
            m_hitIndex = i;
            return true;
        }
    }
    return result;
}

void TiPlotChannelCustom::DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData)
{
    Owner()->DoDataPointMouseMove(this, m_hitIndex, mouseData);
    const TPoint mouse{mouseData.X, mouseData.Y};
    if (!m_showDataPointHints || m_hitIndex == -1 || !PtInRect(m_hitRect, mouse))
        return;
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis)
        return;
    std::string text = xAxis->GetLabelText(GetDataX(m_hitIndex)) + ", " + yAxis->GetLabelText(GetDataY(m_hitIndex));
    Owner()->DoDataPointCustomizeHint(this, m_hitIndex, text);
    hintData.Text = text;

    // Above the point and centred; below it at the top of the view; beside it at the left
    // or right edge; always within the view's top and bottom.
    const TPoint extent = Owner()->GetHintTextExtent(text);
    const int w = extent.X + 4;
    const int h = extent.Y + 4;
    const TRect view = Owner()->GetDataViewRect();
    const int m = MarkersSize() / 2;
    const int px = mouseData.X;
    const int py = mouseData.Y;
    int top = py - (m + h + 4);
    int left = px - w / 2;
    if (top <= view.Top)
        top = py + (m + h + 4);
    if (left <= view.Left) {
        left = px + m + 8;
        top = py - h / 2;
    } else if (left + w >= view.Right) {
        left = px - m - 4 - w;
        top = py - h / 2;
    }
    if (top + h >= view.Bottom)
        top = view.Bottom - h;
    if (top <= view.Top)
        top = view.Top;
    hintData.Top = top;
    hintData.Left = left;
}

void TiPlotChannelCustom::DoMouseLeft(const TiPlotMouseData& mouseData)
{
    Owner()->DoDataPointMouseDown(this, m_hitIndex, mouseData);
    m_pointPressed = true;
    m_mouseDownIndex = m_hitIndex;
    if (m_hitIndex == -1 || !PtInRect(m_hitRect, {mouseData.X, mouseData.Y}))
        return;
    m_dragging = true;
    m_dragIndex = m_hitIndex;
    m_dragRect = m_hitRect;
    m_dragStartX = GetDataX(m_dragIndex);
    m_dragStartY = GetDataY(m_dragIndex);
    m_dragStartPixelsX = mouseData.XAxisPixels;
    m_dragStartPixelsY = mouseData.YAxisPixels;
}

void TiPlotChannelCustom::DoMouseMove(const TiPlotMouseData& mouseData)
{
    if (!m_dragging)
        return;
    Owner()->DoDataPointMouseMove(this, m_mouseDownIndex, mouseData);
    // The points may have gone meanwhile (a Clear, a wrapping ring).
    if (!m_userCanMoveDataPoints || m_dragIndex >= GetCount())
        return;
    const bool moveX = m_userCanMoveDataPointsStyle != ipcdpmsYOnly;
    const bool moveY = m_userCanMoveDataPointsStyle != ipcdpmsXOnly;
    // Only the coordinates the style moves are written: a list that derives X from an
    // interval cannot set X but still lets Y follow the mouse.
    const bool canSetX = m_dataStyle != ipdsCompactInterval || m_dragIndex == 0;
    if (moveX && canSetX) {
        if (TiPlotXAxis* axis = GetXAxis()) {
            const double dX =
                axis->PixelsToPosition(m_dragStartPixelsX) - axis->PixelsToPosition(mouseData.XAxisPixels);
            SetDataX(m_dragIndex, m_dragStartX - dX);
        }
    }
    if (moveY) {
        if (TiPlotYAxis* axis = GetYAxis()) {
            const double dY =
                axis->PixelsToPosition(m_dragStartPixelsY) - axis->PixelsToPosition(mouseData.YAxisPixels);
            SetDataY(m_dragIndex, m_dragStartY - dY);
        }
    }
}

void TiPlotChannelCustom::DoMouseUp(const TiPlotMouseData& mouseData)
{
    // A pressed channel that is also selected hears the release twice (as the pressed object
    // and as one of the selection); its data point was pressed once and is released once.
    if (std::exchange(m_pointPressed, false))
        Owner()->DoDataPointMouseUp(this, m_mouseDownIndex, mouseData);
    const TPoint mouse{mouseData.X, mouseData.Y};
    if (m_dragging) {
        m_dragging = false;
        if (PtInRect(m_dragRect, mouse))
            Owner()->DoDataPointClick(this, m_dragIndex);
        if (m_dragIndex < GetCount()) {
            const double x = GetDataX(m_dragIndex);
            const double y = GetDataY(m_dragIndex);
            if (x != m_dragStartX || y != m_dragStartY)
                Owner()->DoDataPointMoved(this, m_dragIndex, m_dragStartX, m_dragStartY, x, y);
        }
    } else if (MouseIsDown() && PtInRect(m_legendRect, mouse)) {
        Owner()->DoObjectClick(this);
    }
}

TCursor TiPlotChannelCustom::GetMousePointer(TPoint)
{
    TCursor cursor = crHandPoint;
    Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotChannelCustom::AddMenuItems(TPopupMenu* popupMenu)
{
    inherited::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
}

std::optional<TPoint> TiPlotChannelCustom::KeyboardPopupCentre() const
{
    const TRect view = Owner()->GetDataViewRect();
    // Integer division, cutting toward zero, as for the layout objects.
    return TPoint{(view.Left + view.Right) / 2, (view.Top + view.Bottom) / 2};
}

// ---------------------------------------------------------------------------------------------
// Files

void TiPlotChannelCustom::SavePropertiesToFile(const std::string& FileName)
{
    try {
        TStringList lines;
        lines.Add("File Type = Plot Channel Config");
        TStringList skip;
        skip.Add("Channel.Name");
        SaveObjectToStringList(this, "Channel", lines, &skip);
        lines.SaveToFile(FileName);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Saving Properties - ") + e.what());
    }
}

void TiPlotChannelCustom::LoadPropertiesFromFile(const std::string& FileName)
{
    TStringList lines;
    lines.LoadFromFile(FileName);
    std::string fileType;
    if (!GetPropertyValueString("File Type", fileType, lines) || !SameText(fileType, "Plot Channel Config"))
        throw Exception("Incompatible Plot Channel Configuration File Type");
    LoadObjectFromStringList(this, "Channel", lines);
}

// One data or log line; Skip for an Empty point, which has no line.
std::string TiPlotChannelCustom::DataLine(int Index, char Separator, bool& Skip) const
{
    double x, y;
    bool empty, null;
    m_list->GetXYEmptyNull(Index, x, y, empty, null);
    Skip = empty;
    // The files use "." whatever the region, so that the comma separator stays unambiguous.
    return FloatToStr(x, '.') + Separator + (null ? std::string("Null") : FloatToStr(y, '.'));
}

void TiPlotChannelCustom::SaveDataToFile(const std::string& FileName)
{
    const char separator = Owner()->GetSavingSeparator();
    TStringList lines;
    for (int i = 0; i < GetCount(); ++i) {
        bool skip;
        std::string line = DataLine(i, separator, skip);
        if (!skip)
            lines.Add(line);
    }
    lines.SaveToFile(FileName);
}

void TiPlotChannelCustom::LoadDataFromFile(const std::string& FileName, bool ClearFirst)
{
    TStringList lines;
    lines.LoadFromFile(FileName);
    struct TRow {
        double X;
        double Y;
        bool Null;
    };
    // Every row is read before the channel changes, so a broken file changes nothing.
    std::vector<TRow> rows;
    char separator = 0;
    if (lines.Count() > 0)
        separator = lines.Strings(0).find('\t') != std::string::npos ? '\t' : ',';
    for (int i = 0; i < lines.Count(); ++i) {
        std::string left, right;
        SeparateStrings(lines.Strings(i), std::string_view(&separator, 1), left, right);
        if (left.empty())
            continue;
        try {
            const double x = FileStrToFloat(left);
            if (SameText(right, "Null"))
                rows.push_back({x, 0, true});
            else
                rows.push_back({x, FileStrToFloat(right), false});
        } catch (EConvertError& e) {
            e.SetMessage("Line " + std::to_string(i + 1) + ": " + e.Message());
            throw;
        }
    }
    if (separator)
        m_dataFileSeparator = separator;
    if (m_loggingActive)
        LogDeactivate();
    if (ClearFirst)
        Clear();
    for (const TRow& row : rows)
        AddXYInternal(row.X, row.Y, row.Null, false);
}

void TiPlotChannelCustom::LogActivate(bool Append)
{
    if (Trim(m_logFileName).empty())
        throw Exception("Log File Name not Defined");
    if (m_loggingActive)
        throw Exception("Logging Already Active");
    // Opened once to check that it can be written, then closed: each write reopens it.
    TFileStream file(m_logFileName, Append ? fmOpenReadWrite : fmCreate);
    m_loggingActive = true;
    m_pendingLogRows = 0;
}

void TiPlotChannelCustom::LogDeactivate()
{
    if (!m_loggingActive)
        throw Exception("Logging not Active");
    m_loggingActive = false;
    if (m_pendingLogRows > 0)
        WriteLog();
}

void TiPlotChannelCustom::WriteLog()
{
    // Rows of points that a ring or a delete has dropped since are gone: only the
    // pending points still held are written.
    const int first = std::max(0, GetCount() - m_pendingLogRows);
    const char separator = Owner()->GetSavingSeparator();
    std::string text;
    for (int i = first; i < GetCount(); ++i) {
        bool skip;
        std::string line = DataLine(i, separator, skip);
        if (!skip)
            text += line.substr(0, 255) + "\r\n";
    }
    TFileStream file(m_logFileName, fmOpenReadWrite);
    file.Seek(0, soEnd);
    file.Write(text.data(), (long long)text.size());
    m_pendingLogRows = 0;
}
