#include "plot/objects/iPlotAxis.h"

#include "components/iGPFunctions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"
#include "plot/core/iPlotManagers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// Pixels stay in a range every drawing back end takes.
constexpr int kPixelLimit = 32000;

// Rounds as nearbyint does (half to even in the usual rounding mode) for a value below 2^51
// in size: adding and taking away 1.5 * 2^52 leaves no bits below the unit. Trace drawing
// places every point through it, and this spares each a call into the maths library.
double RoundToWhole(double value)
{
    constexpr double kShift = 6755399441055744.0;
    return (value + kShift) - kShift;
}

// The pixel `offset` away from `origin`: the offset is clamped before rounding, so that a far
// value never overflows the integer, and NaN lands off-scale at the low end.
int PixelFrom(int origin, double offset)
{
    if (std::isnan(offset))
        return -kPixelLimit;
    const long long pixel = origin - static_cast<long long>(RoundToWhole(std::clamp(offset, -1e9, 1e9)));
    return int(std::clamp<long long>(pixel, -kPixelLimit, kPixelLimit));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

TiPlotAxis::TiPlotAxis(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)),
      m_titleFont(std::make_unique<TFont>()),
      m_labelsFont(std::make_unique<TFont>())
{
    m_titleFont->SetName("Arial");
    m_titleFont->SetSize(10);
    m_titleFont->SetStyle({fsBold});
    m_titleFont->SetColor(clWhite);
    m_labelsFont->SetColor(clWhite);
    // The fonts are the axis's own; a change of either is a change of the axis.
    m_titleFont->OnChange = [this] { TriggerChange(this); };
    m_labelsFont->OnChange = [this] { TriggerChange(this); };
}

TiPlotAxis::~TiPlotAxis()
{
    m_titleFont->OnChange = nullptr;
    m_labelsFont->OnChange = nullptr;
}

TiPlotXAxis::TiPlotXAxis(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename)
    : TiPlotAxis(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    SetHorizontal(true);
    SetTrackingStyle(Owner()->IsStripChartPlot() ? iptsScrollSmooth : iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsAuto);
}

TiPlotYAxis::TiPlotYAxis(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename)
    : TiPlotAxis(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
{
    SetHorizontal(false);
}

// The owner never changes, and tracking asks with every point added: the cast is made once
// it finds the host.
IPlotAxisHost* TiPlotAxis::AxisHost() const
{
    if (!m_axisHost) {
        m_axisHost = dynamic_cast<IPlotAxisHost*>(Owner());
        if (m_axisHost)
            m_scaleEvents = m_axisHost->ScaleEvents(IsXAxis());
    }
    return m_axisHost;
}

// ---------------------------------------------------------------------------------------------
// Scale setters

void TiPlotAxis::SetSpan(double value)
{
    if (std::isnan(value))
        return;
    value = std::clamp(value, kMinSpan, kMaxSpan);
    if (value == m_span)
        return;
    const double oldSpan = m_span;
    m_span = value;
    TriggerChange(this);
    if (m_inSetMinSpan)
        return;
    if (IPlotAxisHost* host = AxisHost()) {
        host->DoAxesSpanChange(this, oldSpan, m_span);
        host->DoAxesMinSpanChange(this, m_min, oldSpan, m_min, m_span);
    }
}

void TiPlotAxis::SetMin(double value)
{
    if (std::isnan(value))
        return;
    value = std::clamp(value, -kMaxMin, kMaxMin);
    if (IsLog() && value <= 0)
        value = 1.0;
    if (value == m_min)
        return;
    const double oldMin = m_min;
    m_min = value;
    TriggerChange(this);
    if (m_inSetMinSpan)
        return;
    if (IPlotAxisHost* host = AxisHost()) {
        host->DoAxesMinChange(this, oldMin, m_min);
        host->DoAxesMinSpanChange(this, oldMin, m_span, m_min, m_span);
    }
}

void TiPlotAxis::SetMinSpan(double min, double span)
{
    // Min and Span always lie within their limits, so a request equal to them changes nothing:
    // tracking makes this request with every point.
    if (min == m_min && span == m_span)
        return;
    if (std::isnan(min) || std::isnan(span))
        return;
    if (IsLog()) {
        min = PositiveOrOne(min);
        span = PositiveOrOne(span);
    }
    // Clamped first, so that a request beyond the limits compares equal to a scale already there.
    min = std::clamp(min, -kMaxMin, kMaxMin);
    span = std::clamp(span, kMinSpan, kMaxSpan);
    if (min == m_min && span == m_span)
        return;
    StoreMinSpan(min, span);
}

void TiPlotAxis::StoreMinSpan(double min, double span)
{
    const double oldMin = m_min;
    const double oldSpan = m_span;
    // Stored as SetMin and SetSpan would store these checked values, each change announced.
    {
        TScopedFlag inSetMinSpan(m_inSetMinSpan);
        if (min != m_min) {
            m_min = min;
            TriggerChange(this);
        }
        if (span != m_span) {
            m_span = span;
            TriggerChange(this);
        }
    }
    // Tracking scrolls with every point: without a handler the events are skipped at once.
    IPlotAxisHost* host = AxisHost();
    if (host && m_scaleEvents.AnyAssigned())
        host->DoAxesScaleChange(this, oldMin, oldSpan);
}

void IPlotAxisHost::DoAxesScaleChange(TiPlotAxis* axis, double oldMin, double oldSpan)
{
    if (axis->Min() != oldMin)
        DoAxesMinChange(axis, oldMin, axis->Min());
    if (axis->Span() != oldSpan)
        DoAxesSpanChange(axis, oldSpan, axis->Span());
    DoAxesMinSpanChange(axis, oldMin, oldSpan, axis->Min(), axis->Span());
}

void TiPlotAxis::SetDesiredIncrement(double value)
{
    if (std::isnan(value))
        return;
    if (value > kMaxSpan)
        value = kMaxSpan;
    if (value < 0)
        value = 0;
    SetDoubleProperty(value, m_desiredIncrement, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetScaleType(TiPlotScaleType value)
{
    if (value == m_scaleType)
        return;
    m_scaleType = value;
    if (IsLog() && m_min <= 0)
        m_min = 1.0;
    TriggerChange(this);
}

void TiPlotAxis::SetTrackingEnabled(bool value)
{
    if (value == m_trackingEnabled)
        return;
    m_trackingEnabled = value;
    RefreshTrackingShortcut();
    if (m_restoreValuesOnResume) {
        if (!value) {
            UpdateResumeValues();
        } else {
            SetMinSpan(m_resumeMin, m_resumeSpan);
            SetLabelsMinLength(m_resumeLabelsMinLength);
        }
    }
    TriggerChange(this);
}

void TiPlotAxis::UpdateResumeValues()
{
    m_resumeMin = m_min;
    m_resumeSpan = m_span;
    m_resumeLabelsMinLength = m_labelsMinLength;
}

// ---------------------------------------------------------------------------------------------
// Plain published setters: store and announce when the value differs.

#define PLAIN_SETTER(Type, Name, field, Kind) \
    void TiPlotAxis::Set##Name(Type value) { Set##Kind##Property(value, field, &TiPlotObject::TriggerChange); }

PLAIN_SETTER(double, DesiredStart, m_desiredStart, Double)
PLAIN_SETTER(bool, ReverseScale, m_reverseScale, Boolean)
PLAIN_SETTER(int, InnerMargin, m_innerMargin, Integer)
PLAIN_SETTER(int, OuterMargin, m_outerMargin, Integer)
PLAIN_SETTER(const std::string&, Title, m_title, String)
PLAIN_SETTER(bool, TitleShow, m_titleShow, Boolean)
PLAIN_SETTER(bool, TitleRotated, m_titleRotated, Boolean)
PLAIN_SETTER(double, TitleMargin, m_titleMargin, Double)
PLAIN_SETTER(int, MajorLength, m_majorLength, Integer)
PLAIN_SETTER(int, MinorLength, m_minorLength, Integer)
PLAIN_SETTER(int, MinorCount, m_minorCount, Integer)
PLAIN_SETTER(bool, LabelsVisible, m_labelsVisible, Boolean)
PLAIN_SETTER(double, LabelsMargin, m_labelsMargin, Double)
PLAIN_SETTER(double, LabelSeparation, m_labelSeparation, Double)
PLAIN_SETTER(int, LabelsPrecision, m_labelsPrecision, Integer)
PLAIN_SETTER(const std::string&, DateTimeFormat, m_dateTimeFormat, String)
PLAIN_SETTER(double, LabelsMinLength, m_labelsMinLength, Double)
PLAIN_SETTER(bool, LabelsMinLengthAutoAdjust, m_labelsMinLengthAutoAdjust, Boolean)
PLAIN_SETTER(bool, ScaleLineShow, m_scaleLineShow, Boolean)
PLAIN_SETTER(bool, ScaleLinesShow, m_scaleLinesShow, Boolean)
PLAIN_SETTER(TColor, ScaleLinesColor, m_scaleLinesColor, Color)
PLAIN_SETTER(double, StackingEndsMargin, m_stackingEndsMargin, Double)
PLAIN_SETTER(bool, CursorUseDefaultFormat, m_cursor.UseDefaultFormat, Boolean)
PLAIN_SETTER(const std::string&, CursorDateTimeFormat, m_cursor.DateTimeFormat, String)
PLAIN_SETTER(int, CursorPrecision, m_cursor.Precision, Integer)
PLAIN_SETTER(double, CursorMinLength, m_cursor.MinLength, Double)
PLAIN_SETTER(bool, CursorMinLengthAutoAdjust, m_cursor.MinLengthAutoAdjust, Boolean)
PLAIN_SETTER(bool, LegendUseDefaultFormat, m_legend.UseDefaultFormat, Boolean)
PLAIN_SETTER(const std::string&, LegendDateTimeFormat, m_legend.DateTimeFormat, String)
PLAIN_SETTER(int, LegendPrecision, m_legend.Precision, Integer)
PLAIN_SETTER(double, LegendMinLength, m_legend.MinLength, Double)
PLAIN_SETTER(bool, LegendMinLengthAutoAdjust, m_legend.MinLengthAutoAdjust, Boolean)
PLAIN_SETTER(double, CursorScaler, m_cursorScaler, Double)
PLAIN_SETTER(bool, ScrollMinMaxEnabled, m_scrollMinMaxEnabled, Boolean)
PLAIN_SETTER(double, ScrollMin, m_scrollMin, Double)
PLAIN_SETTER(double, ScrollMax, m_scrollMax, Double)
PLAIN_SETTER(bool, RestoreValuesOnResume, m_restoreValuesOnResume, Boolean)
PLAIN_SETTER(bool, MasterUIInput, m_masterUIInput, Boolean)
PLAIN_SETTER(double, CartesianChildRefValue, m_cartesianChildRefValue, Double)
PLAIN_SETTER(bool, GridLinesVisible, m_gridLinesVisible, Boolean)

#undef PLAIN_SETTER

// Enumerations: the same rule.
template <typename E>
static bool StoreEnum(E value, E& field)
{
    if (value == field)
        return false;
    field = value;
    return true;
}

#define ENUM_SETTER(Type, Name, field)     \
    void TiPlotAxis::Set##Name(Type value) \
    {                                      \
        if (StoreEnum(value, field))       \
            TriggerChange(this);           \
    }

ENUM_SETTER(TiRotationAngle, LabelsRotation, m_labelsRotation)
ENUM_SETTER(TiPrecisionStyle, LabelsPrecisionStyle, m_labelsPrecisionStyle)
ENUM_SETTER(TiPlotTextFormat, LabelsFormatStyle, m_labelsFormatStyle)
ENUM_SETTER(TiPlotAlignFirstStyle, TrackingAlignFirstStyle, m_trackingAlignFirstStyle)
ENUM_SETTER(TiPlotTextFormat, CursorFormatStyle, m_cursor.FormatStyle)
ENUM_SETTER(TiPrecisionStyle, CursorPrecisionStyle, m_cursor.PrecisionStyle)
ENUM_SETTER(TiPlotTextFormat, LegendFormatStyle, m_legend.FormatStyle)
ENUM_SETTER(TiPrecisionStyle, LegendPrecisionStyle, m_legend.PrecisionStyle)
ENUM_SETTER(TiPlotCartesianStyle, CartesianStyle, m_cartesianStyle)

#undef ENUM_SETTER

// The tracking settings that NewTrackingData's shortcut reads. The shortcut is settled before
// the change is announced, so that a point added by a listener is tracked by the new settings.
void TiPlotAxis::TrackingSettingChange(TObject*)
{
    RefreshTrackingShortcut();
    TriggerChange(this);
}

#define TRACKING_SETTER(Type, Name, field, Kind)                                                           \
    void TiPlotAxis::Set##Name(Type value)                                                                 \
    {                                                                                                      \
        Set##Kind##Property(value, field, static_cast<TNotification>(&TiPlotAxis::TrackingSettingChange)); \
    }

TRACKING_SETTER(double, TrackingScrollCompressMax, m_trackingScrollCompressMax, Double)
TRACKING_SETTER(double, TrackingSpanMinimum, m_trackingSpanMinimum, Double)
TRACKING_SETTER(double, TrackingMaxMargin, m_trackingMaxMargin, Double)
TRACKING_SETTER(double, TrackingMinMargin, m_trackingMinMargin, Double)
TRACKING_SETTER(TiPlotTrackingStyle, TrackingStyle, m_trackingStyle, Enum)
TRACKING_SETTER(TiPlotTrackingIncrementStyle, TrackingIncrementStyle, m_trackingIncrementStyle, Enum)

#undef TRACKING_SETTER

void TiPlotAxis::SetTitleFont(TFont* value)
{
    if (value)
        m_titleFont->Assign(*value);
}

void TiPlotAxis::SetLabelsFont(TFont* value)
{
    if (value)
        m_labelsFont->Assign(*value);
}

void TiPlotAxis::SetCartesianChildRefAxisName(const std::string& value)
{
    m_cartesianChildRefAxisName = value;
    m_cartesianRefAxis = nullptr;
    TriggerChange(this);
}

void TiPlotAxis::SetAlignRefAxisName(const std::string& value)
{
    m_alignRefAxisName = value;
    m_alignRefAxis = nullptr;
    TriggerChange(this);
}

void TiPlotAxis::SetTickListCustom(bool value)
{
    SetBooleanProperty(value, m_tickListCustom, &TiPlotObject::TriggerChange);
}

TiPlotAxisMode TiPlotAxis::GetActualMode() const
{
    if (!ShiftState().count(ssCtrl))
        return m_mode;
    return m_mode == ipamScroll ? ipamZoom : ipamScroll;
}

// ---------------------------------------------------------------------------------------------
// Scale rectangle and conversions

bool TiPlotAxis::LabelsRunAlong() const
{
    const bool turned = m_labelsRotation == ira090 || m_labelsRotation == ira270;
    return GetIsHorz() ? !turned : turned;
}

int TiPlotAxis::LabelHeightOfMin(TCanvas& canvas) { return canvas.TextHeight(GetLabelText(m_min)); }

// The room kept at a stacked end of the axis so that the end label does not run into the
// neighbouring axis.
int TiPlotAxis::EndMargin(TCanvas& canvas)
{
    if (IsCartesian())
        return 0;
    if (GetIsHorz()) {
        int labelLength = 0;
        if (m_labelsVisible)
            labelLength = LabelsRunAlong() ? GetRequiredLabelLength(canvas) : LabelHeightOfMin(canvas);
        return int(RoundHalfEven(labelLength / 2.0) + RoundHalfEven(canvas.TextWidth("0") * m_stackingEndsMargin));
    }
    int extent = 0;
    if (m_labelsVisible)
        extent = LabelsRunAlong() ? GetRequiredLabelLength(canvas) : LabelHeightOfMin(canvas);
    return int((extent + RoundHalfEven(canvas.TextHeight("0") * m_stackingEndsMargin)) / 2);
}

void TiPlotAxis::CalcScaleRect(TCanvas& canvas)
{
    const bool horizontal = GetIsHorz();
    if (IsCartesian())
        m_side = horizontal ? iqsBottom : iqsRight;
    else if (horizontal)
        m_side = ReverseSide() ? iqsTop : iqsBottom;
    else
        m_side = ReverseSide() ? iqsRight : iqsLeft;

    canvas.Font().Assign(*m_labelsFont);
    const int e = EndMargin(canvas);
    const TRect draw = GetDrawRect();
    m_scaleRect = draw;
    m_axisRect = draw;
    if (horizontal) {
        if (StartStacked())
            m_scaleRect.Left += e;
        if (StopStacked())
            m_scaleRect.Right -= e;
        m_axisRect = {m_scaleRect.Left - e, draw.Top + 2, m_scaleRect.Right + e, draw.Bottom - 2};
        m_minPixel = m_scaleRect.Left;
        m_maxPixel = m_scaleRect.Right;
    } else {
        if (StartStacked())
            m_scaleRect.Bottom -= e;
        if (StopStacked())
            m_scaleRect.Top += e;
        m_axisRect = {draw.Left + 2, m_scaleRect.Top - e, draw.Right - 2, m_scaleRect.Bottom + e};
        m_minPixel = m_scaleRect.Bottom;
        m_maxPixel = m_scaleRect.Top;
    }
    if (m_reverseScale)
        std::swap(m_minPixel, m_maxPixel);
    UpdatePixelsPerUnit();
}

void TiPlotAxis::UpdatePixelsPerUnit()
{
    m_pixelsPerUnit = (m_minPixel - m_maxPixel) / m_span;
    if (!(std::fabs(m_pixelsPerUnit) <= 1e300))
        m_pixelsPerUnit = 0;
}

int TiPlotAxis::PositionToPixels(double value) const
{
    if (m_minPixel == m_maxPixel || m_span <= kMinSpan)
        return (m_minPixel + m_maxPixel) / 2;
    if (!IsLog())
        return PixelFrom(m_minPixel, (value - m_min) * m_pixelsPerUnit);
    const double m = PositiveOrOne(m_min);
    const double s = PositiveOrOne(m_span);
    const double decades = std::log10(m + s) - std::log10(m);
    if (decades == 0)
        return 0;
    const double offset = (SafeLog10(value) - std::log10(m)) * (m_minPixel - m_maxPixel) / decades;
    return PixelFrom(m_minPixel, offset);
}

void TiPlotAxis::PositionsToPixels(const double* values, int count, int* pixels) const
{
    if (m_minPixel == m_maxPixel || m_span <= kMinSpan || IsLog()) {
        for (int i = 0; i < count; ++i)
            pixels[i] = PositionToPixels(values[i]);
        return;
    }
    for (int i = 0; i < count; ++i)
        pixels[i] = PixelFrom(m_minPixel, (values[i] - m_min) * m_pixelsPerUnit);
}

double TiPlotAxis::PixelsToPosition(int pixel) const
{
    double fraction = 0;
    if (GetIsHorz()) {
        const int l = m_scaleRect.Left, r = m_scaleRect.Right;
        if (r == l)
            return m_min;
        fraction = m_reverseScale ? double(r - pixel) / (r - l) : double(pixel - l) / (r - l);
    } else {
        const int t = m_scaleRect.Top, b = m_scaleRect.Bottom;
        if (b == t)
            return m_min;
        fraction = m_reverseScale ? double(pixel - t) / (b - t) : double(b - pixel) / (b - t);
    }
    if (!IsLog())
        return fraction * m_span + m_min;
    const double logMin = SafeLog10(m_min);
    return std::pow(10.0, logMin + fraction * (SafeLog10(GetMax()) - logMin));
}

double TiPlotAxis::PositionToPercent(double value) const
{
    return m_reverseScale ? (GetMax() - value) / m_span : (value - m_min) / m_span;
}

// `fraction` is a fraction of the data view; the axis covers StartPercent..StopPercent of it.
double TiPlotAxis::PercentToPosition(double fraction) const
{
    const double length = StopPercent() - StartPercent();
    if (!(length > 0))
        return 0;
    const double f = (fraction * 100 - StartPercent()) / length;
    if (!IsLog())
        return m_reverseScale ? GetMax() - f * m_span : f * m_span + m_min;
    const double logMin = SafeLog10(m_min);
    const double decades = SafeLog10(GetMax()) - logMin;
    return std::pow(10.0, logMin + (m_reverseScale ? 1 - f : f) * decades);
}

double TiPlotAxis::PositionToDataViewFraction(double value) const
{
    const double length = StopPercent() - StartPercent();
    double f;
    if (!IsLog()) {
        f = m_reverseScale ? (GetMax() - value) / m_span : (value - m_min) / m_span;
    } else {
        const double logMin = SafeLog10(m_min);
        const double decades = SafeLog10(GetMax()) - logMin;
        const double g = decades > 0 ? (SafeLog10(value) - logMin) / decades : 0;
        f = m_reverseScale ? 1 - g : g;
    }
    return (f * length + StartPercent()) / 100;
}

int TiPlotAxis::WidthToPixels(double width) const
{
    return std::abs(PositionToPixels(m_min + width) - PositionToPixels(m_min));
}

bool TiPlotAxis::PointOnScale(double value) const { return PixelOnScale(PositionToPixels(value)); }

bool TiPlotAxis::PixelOnScale(int pixel) const
{
    if (GetIsHorz())
        return pixel >= m_scaleRect.Left && pixel <= m_scaleRect.Right;
    return pixel >= m_scaleRect.Top && pixel <= m_scaleRect.Bottom;
}

int TiPlotAxis::GetSpanLength() const
{
    return GetIsHorz() ? m_scaleRect.Right - m_scaleRect.Left : m_scaleRect.Bottom - m_scaleRect.Top;
}

// ---------------------------------------------------------------------------------------------
// Published properties

PRAVIX_PUBLISH(
    TiPlotAxis, Prop("Min", &TiPlotAxis::Min, &TiPlotAxis::SetMin),
    Prop("Span", &TiPlotAxis::Span, &TiPlotAxis::SetSpan),
    Prop("DesiredStart", &TiPlotAxis::DesiredStart, &TiPlotAxis::SetDesiredStart),
    Prop("DesiredIncrement", &TiPlotAxis::DesiredIncrement, &TiPlotAxis::SetDesiredIncrement),
    Prop("ReverseScale", &TiPlotAxis::ReverseScale, &TiPlotAxis::SetReverseScale).Default(false),
    Prop("InnerMargin", &TiPlotAxis::InnerMargin, &TiPlotAxis::SetInnerMargin).Default(5),
    Prop("OuterMargin", &TiPlotAxis::OuterMargin, &TiPlotAxis::SetOuterMargin).Default(5),
    Prop("Title", &TiPlotAxis::Title, &TiPlotAxis::SetTitle),
    Prop("TitleShow", &TiPlotAxis::TitleShow, &TiPlotAxis::SetTitleShow).Default(false),
    Prop("TitleRotated", &TiPlotAxis::TitleRotated, &TiPlotAxis::SetTitleRotated).Default(false),
    Prop("TitleMargin", &TiPlotAxis::TitleMargin, &TiPlotAxis::SetTitleMargin),
    Prop("TitleFont", &TiPlotAxis::TitleFont, &TiPlotAxis::SetTitleFont).Owned(),
    Prop("MajorLength", &TiPlotAxis::MajorLength, &TiPlotAxis::SetMajorLength).Default(7),
    Prop("MinorLength", &TiPlotAxis::MinorLength, &TiPlotAxis::SetMinorLength).Default(3),
    Prop("MinorCount", &TiPlotAxis::MinorCount, &TiPlotAxis::SetMinorCount).Default(1),
    Prop("LabelsVisible", &TiPlotAxis::LabelsVisible, &TiPlotAxis::SetLabelsVisible).Default(true),
    Prop("LabelsMargin", &TiPlotAxis::LabelsMargin, &TiPlotAxis::SetLabelsMargin),
    Prop("LabelsFont", &TiPlotAxis::LabelsFont, &TiPlotAxis::SetLabelsFont).Owned(),
    Prop("LabelSeparation", &TiPlotAxis::LabelSeparation, &TiPlotAxis::SetLabelSeparation),
    Prop("LabelsRotation", &TiPlotAxis::LabelsRotation, &TiPlotAxis::SetLabelsRotation).Default(ira000),
    Prop("LabelsPrecision", &TiPlotAxis::LabelsPrecision, &TiPlotAxis::SetLabelsPrecision).Default(3),
    Prop("LabelsPrecisionStyle", &TiPlotAxis::LabelsPrecisionStyle, &TiPlotAxis::SetLabelsPrecisionStyle)
        .Default(ipsSignificantDigits),
    Prop("LabelsFormatStyle", &TiPlotAxis::LabelsFormatStyle, &TiPlotAxis::SetLabelsFormatStyle).Default(iptfValue),
    Prop("DateTimeFormat", &TiPlotAxis::DateTimeFormat, &TiPlotAxis::SetDateTimeFormat),
    Prop("LabelsMinLength", &TiPlotAxis::LabelsMinLength, &TiPlotAxis::SetLabelsMinLength),
    Prop("LabelsMinLengthAutoAdjust", &TiPlotAxis::LabelsMinLengthAutoAdjust, &TiPlotAxis::SetLabelsMinLengthAutoAdjust)
        .Default(false),
    Prop("ScaleLineShow", &TiPlotAxis::ScaleLineShow, &TiPlotAxis::SetScaleLineShow).Default(true),
    Prop("ScaleLinesShow", &TiPlotAxis::ScaleLinesShow, &TiPlotAxis::SetScaleLinesShow).Default(true),
    Prop("ScaleLinesColor", &TiPlotAxis::ScaleLinesColor, &TiPlotAxis::SetScaleLinesColor).Default(TColor(0xFFFFFF)),
    Prop("StackingEndsMargin", &TiPlotAxis::StackingEndsMargin, &TiPlotAxis::SetStackingEndsMargin),
    Prop("ForceStacking", &TiPlotAxis::ForceStacking, &TiPlotAxis::SetForceStacking),
    Prop("ScaleType", &TiPlotAxis::ScaleType, &TiPlotAxis::SetScaleType).Default(ipstLinear),
    Prop("TrackingEnabled", &TiPlotAxis::TrackingEnabled, &TiPlotAxis::SetTrackingEnabled).Default(true),
    Prop("TrackingStyle", &TiPlotAxis::TrackingStyle, &TiPlotAxis::SetTrackingStyle),
    Prop("TrackingIncrementStyle", &TiPlotAxis::TrackingIncrementStyle, &TiPlotAxis::SetTrackingIncrementStyle)
        .Default(iptisMinimum),
    Prop("TrackingAlignFirstStyle", &TiPlotAxis::TrackingAlignFirstStyle, &TiPlotAxis::SetTrackingAlignFirstStyle)
        .Default(ipafsMin),
    Prop("TrackingScrollCompressMax", &TiPlotAxis::TrackingScrollCompressMax,
         &TiPlotAxis::SetTrackingScrollCompressMax),
    Prop("TrackingSpanMinimum", &TiPlotAxis::TrackingSpanMinimum, &TiPlotAxis::SetTrackingSpanMinimum),
    Prop("TrackingMaxMargin", &TiPlotAxis::TrackingMaxMargin, &TiPlotAxis::SetTrackingMaxMargin),
    Prop("TrackingMinMargin", &TiPlotAxis::TrackingMinMargin, &TiPlotAxis::SetTrackingMinMargin),
    Prop("CursorUseDefaultFormat", &TiPlotAxis::CursorUseDefaultFormat, &TiPlotAxis::SetCursorUseDefaultFormat)
        .Default(true),
    Prop("CursorFormatStyle", &TiPlotAxis::CursorFormatStyle, &TiPlotAxis::SetCursorFormatStyle).Default(iptfValue),
    Prop("CursorDateTimeFormat", &TiPlotAxis::CursorDateTimeFormat, &TiPlotAxis::SetCursorDateTimeFormat),
    Prop("CursorPrecisionStyle", &TiPlotAxis::CursorPrecisionStyle, &TiPlotAxis::SetCursorPrecisionStyle)
        .Default(ipsSignificantDigits),
    Prop("CursorPrecision", &TiPlotAxis::CursorPrecision, &TiPlotAxis::SetCursorPrecision).Default(3),
    Prop("CursorMinLength", &TiPlotAxis::CursorMinLength, &TiPlotAxis::SetCursorMinLength),
    Prop("CursorMinLengthAutoAdjust", &TiPlotAxis::CursorMinLengthAutoAdjust, &TiPlotAxis::SetCursorMinLengthAutoAdjust)
        .Default(false),
    Prop("LegendUseDefaultFormat", &TiPlotAxis::LegendUseDefaultFormat, &TiPlotAxis::SetLegendUseDefaultFormat)
        .Default(true),
    Prop("LegendFormatStyle", &TiPlotAxis::LegendFormatStyle, &TiPlotAxis::SetLegendFormatStyle).Default(iptfValue),
    Prop("LegendDateTimeFormat", &TiPlotAxis::LegendDateTimeFormat, &TiPlotAxis::SetLegendDateTimeFormat),
    Prop("LegendPrecisionStyle", &TiPlotAxis::LegendPrecisionStyle, &TiPlotAxis::SetLegendPrecisionStyle)
        .Default(ipsSignificantDigits),
    Prop("LegendPrecision", &TiPlotAxis::LegendPrecision, &TiPlotAxis::SetLegendPrecision).Default(3),
    Prop("LegendMinLength", &TiPlotAxis::LegendMinLength, &TiPlotAxis::SetLegendMinLength),
    Prop("LegendMinLengthAutoAdjust", &TiPlotAxis::LegendMinLengthAutoAdjust, &TiPlotAxis::SetLegendMinLengthAutoAdjust)
        .Default(false),
    Prop("CursorScaler", &TiPlotAxis::CursorScaler, &TiPlotAxis::SetCursorScaler),
    Prop("ScrollMinMaxEnabled", &TiPlotAxis::ScrollMinMaxEnabled, &TiPlotAxis::SetScrollMinMaxEnabled).Default(false),
    Prop("ScrollMin", &TiPlotAxis::ScrollMin, &TiPlotAxis::SetScrollMin),
    Prop("ScrollMax", &TiPlotAxis::ScrollMax, &TiPlotAxis::SetScrollMax),
    Prop("RestoreValuesOnResume", &TiPlotAxis::RestoreValuesOnResume, &TiPlotAxis::SetRestoreValuesOnResume)
        .Default(true),
    Prop("MasterUIInput", &TiPlotAxis::MasterUIInput, &TiPlotAxis::SetMasterUIInput).Default(false),
    Prop("CartesianStyle", &TiPlotAxis::CartesianStyle, &TiPlotAxis::SetCartesianStyle).Default(ipcsNone),
    Prop("CartesianChildRefAxisName", &TiPlotAxis::CartesianChildRefAxisName,
         &TiPlotAxis::SetCartesianChildRefAxisName),
    Prop("CartesianChildRefValue", &TiPlotAxis::CartesianChildRefValue, &TiPlotAxis::SetCartesianChildRefValue),
    Prop("AlignRefAxisName", &TiPlotAxis::AlignRefAxisName, &TiPlotAxis::SetAlignRefAxisName),
    Prop("GridLinesVisible", &TiPlotAxis::GridLinesVisible, &TiPlotAxis::SetGridLinesVisible).Default(true))

PRAVIX_PUBLISH(TiPlotXAxis)
PRAVIX_PUBLISH(TiPlotYAxis)

// The axes as the plot's X-axis and Y-axis kinds: clearing the plot's data makes each axis
// align to its first value again.
namespace {

template <class Axis>
TiPlotKindRegistration RegisterAxisKind(TiPlotObjectKind kind)
{
    TiPlotKindClass kindClass;
    kindClass.Create = &CreatePlotObject<Axis>;
    kindClass.IsKind = [](const TObject* object) { return dynamic_cast<const Axis*>(object) != nullptr; };
    kindClass.ClearData = [](TiPlotObject& object) { static_cast<TiPlotAxis&>(object).ResetFirstAlign(); };
    return TiPlotKindRegistration(kind, std::move(kindClass));
}

const TiPlotKindRegistration xAxisKind = RegisterAxisKind<TiPlotXAxis>(TiPlotObjectKind::XAxis);
const TiPlotKindRegistration yAxisKind = RegisterAxisKind<TiPlotYAxis>(TiPlotObjectKind::YAxis);

}  // namespace

// ---------------------------------------------------------------------------------------------
// Required sizes

int TiPlotAxis::GetRequiredLabelLength(TCanvas& canvas)
{
    canvas.Font().Assign(*m_labelsFont);
    int length = int(RoundHalfEven(canvas.TextWidth("0") * m_labelsMinLength));
    // The widest label of a whole multiple of the span near Min stands for the labels to come.
    const double sample = WholeMultiple(m_min, m_span, m_min) + m_span;
    length = std::max(length, canvas.TextWidth(GetLabelTextAdjust(std::isfinite(sample) ? sample : m_min)));
    for (const auto& tick : m_ticks)
        length = std::max(length, canvas.TextWidth(tick->Label));
    return length;
}

int TiPlotAxis::GetRequiredLegendLength(TCanvas& canvas, TFont& font)
{
    canvas.Font().Assign(font);
    const double minLength = m_legend.UseDefaultFormat ? m_labelsMinLength : m_legend.MinLength;
    return int(RoundHalfEven(canvas.TextWidth("0") * minLength));
}

int TiPlotAxis::GetRequiredCursorLength(TCanvas& canvas, TFont& font)
{
    canvas.Font().Assign(font);
    const double minLength = m_cursor.UseDefaultFormat ? m_labelsMinLength : m_cursor.MinLength;
    return int(RoundHalfEven(canvas.TextWidth("0") * minLength));
}

int TiPlotAxis::GetRequiredWidth(TCanvas& canvas)
{
    const int ticks = m_scaleLinesShow ? std::max({0, m_majorLength, m_minorLength}) : 0;
    int labels = 0;
    if (m_labelsVisible) {
        canvas.Font().Assign(*m_labelsFont);
        const int margin = int(RoundHalfEven(canvas.TextHeight("A") * m_labelsMargin));
        const int extent = LabelsRunAlong() ? LabelHeightOfMin(canvas) : GetRequiredLabelLength(canvas);
        labels = margin + extent;
    }
    int title = 0;
    if (m_titleShow && !IsCartesian()) {
        canvas.Font().Assign(*m_titleFont);
        const int height = canvas.TextHeight(m_title);
        const int extent = m_titleRotated ? canvas.TextWidth(m_title) : height;
        title = int(RoundHalfEven(height * m_titleMargin + extent));
    }
    return m_innerMargin + m_outerMargin + ticks + labels + title;
}

int TiPlotAxis::GetRequiredLengthGaurd(TCanvas& canvas)
{
    if (!m_labelsVisible)
        return 0;
    if (LabelsRunAlong())
        return GetRequiredLabelLength(canvas) / 2;
    canvas.Font().Assign(*m_labelsFont);
    return canvas.TextHeight("XYZ") / 2;
}

// ---------------------------------------------------------------------------------------------
// Ticks: as many as the labels leave room for (the rest is in iPlotAxisTicks.cpp)

void TiPlotAxis::CalcTicks(TCanvas& canvas)
{
    m_monthTicks = false;
    m_yearTicks = false;
    CalcScaleRect(canvas);
    if (m_tickListCustom) {
        CalcTickPixels();
        return;
    }
    ClearTicks();
    canvas.Font().Assign(*m_labelsFont);

    // How many labels fit along the axis.
    double cell =
        LabelsRunAlong()
            ? double(RoundHalfEven(GetRequiredLabelLength(canvas) + canvas.TextWidth("0") * (m_labelSeparation + 1)))
            : double(RoundHalfEven(canvas.TextHeight("0") * (m_labelSeparation + 1)));
    if (cell < 1)
        cell = 1;
    const int spanLength = GetSpanLength();
    int n = std::max(1, int(spanLength / cell));

    if (IsLog() && SafeLog10(GetMax()) - SafeLog10(m_min) >= 1) {
        m_majorIncrement = 0;
        m_minorIncrement = 0;
        CalcLog10Ticks(n);
        CalcTickPixels();
        return;
    }

    double increment = 0;
    int count = 0;
    if (m_span <= kMinSpan) {
        // A collapsed span has room for no step: one tick in the middle.
        m_majorIncrement = m_span;
        m_minorIncrement = 0;
        ReplaceTicksWithMiddle();
        CalcTickPixels();
        return;
    }
    if (m_desiredIncrement != 0 &&
        ((!m_labelsVisible && m_span / m_desiredIncrement < double(spanLength) / (m_minorCount + 1)) ||
         n >= m_span / m_desiredIncrement)) {
        increment = m_desiredIncrement;
        n = count = int(std::min<long long>(RoundHalfEven(m_span / increment), kMaxTicks + 1));
        n = std::max(n, 1);
    } else if (m_labelsFormatStyle == iptfDateTime) {
        CalcDateTimeTicks(n, increment, count);
    } else if (m_labelsFormatStyle == iptfPrice32nds) {
        CalcPrice32Ticks(n, increment, count);
    } else {
        CalcLinearTicks(n, increment, count);
    }
    if (count < 2 && n >= 2) {
        increment /= 2;
        count = 2;
    }
    if (n < count) {
        count = n;
        increment = m_span / count;
    }
    PlaceTicks(increment);
    CalcTickPixels();
}

// ---------------------------------------------------------------------------------------------
// Drawing

// The pixel row or column of the draw rectangle that faces the data view.
int TiPlotAxis::InnerEdge() const
{
    const TRect r = GetDrawRect();
    switch (m_side) {
    case iqsBottom: return r.Top;
    case iqsTop: return r.Bottom - 1;
    case iqsLeft: return r.Right - 1;
    case iqsRight: return r.Left;
    }
    return r.Top;
}

// +1 when moving away from the data view increases the coordinate across the axis.
int TiPlotAxis::Outward() const { return m_side == iqsBottom || m_side == iqsRight ? 1 : -1; }

// A rectangle from `along1` to `along2` along the axis and from `from` to `to` across it,
// in either order.
TRect TiPlotAxis::AcrossRect(int along1, int along2, int from, int to) const
{
    const int a1 = std::min(along1, along2), a2 = std::max(along1, along2);
    const int c1 = std::min(from, to), c2 = std::max(from, to);
    return GetIsHorz() ? TRect{a1, c1, a2, c2} : TRect{c1, a1, c2, a2};
}

void TiPlotAxis::DrawSetup(TCanvas& canvas)
{
    TiPlotLayoutObject::DrawSetup(canvas);
    if (!IsCartesian())
        return;
    if (IPlotAxisHost* host = AxisHost()) {
        const int edge = InnerEdge();
        host->AddAxesCollisionDetectionItem(GetIsHorz() ? TRect{m_scaleRect.Left, edge, m_scaleRect.Right, edge + 1}
                                                        : TRect{edge, m_scaleRect.Top, edge + 1, m_scaleRect.Bottom});
    }
}

// The scale line: where the ticks start, InnerMargin pixels out from the data view (on the
// edge itself for a Cartesian axis, whose ticks straddle it).
static int ScaleLineOffset(bool cartesian, int innerMargin) { return cartesian ? 0 : innerMargin; }

void TiPlotAxis::DrawScaleLine(TCanvas& canvas)
{
    const int across = InnerEdge() + Outward() * ScaleLineOffset(IsCartesian(), m_innerMargin);
    canvas.Pen().SetColor(m_scaleLinesColor);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    // Both ends included: the ticks of Min and Max lie on them.
    if (GetIsHorz()) {
        canvas.MoveTo(m_scaleRect.Left, across);
        canvas.LineTo(m_scaleRect.Right + 1, across);
    } else {
        canvas.MoveTo(across, m_scaleRect.Top);
        canvas.LineTo(across, m_scaleRect.Bottom + 1);
    }
}

void TiPlotAxis::DrawTick(TCanvas& canvas, const TiPlotTickObject& tick)
{
    const int length = tick.Style == ipttMajor ? m_majorLength : m_minorLength;
    const int edge = InnerEdge();
    const int out = Outward();
    int from, to;
    if (IsCartesian()) {
        from = edge - out * ((length + 1) / 2 + 1);
        to = edge + out * ((length + 1) / 2);
    } else {
        from = edge + out * m_innerMargin;
        to = edge + out * (m_innerMargin + length);
    }
    canvas.Pen().SetColor(m_scaleLinesColor);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    if (GetIsHorz()) {
        canvas.MoveTo(tick.Pixel, from);
        canvas.LineTo(tick.Pixel, to);
    } else {
        canvas.MoveTo(from, tick.Pixel);
        canvas.LineTo(to, tick.Pixel);
    }
    if (IsCartesian())
        if (IPlotAxisHost* host = AxisHost())
            host->AddAxesCollisionDetectionItem(AcrossRect(tick.Pixel, tick.Pixel + 1, from, to));
}

void TiPlotAxis::DrawTickLabel(TCanvas& canvas, const TiPlotTickObject& tick)
{
    canvas.Font().Assign(*m_labelsFont);
    const int width = canvas.TextWidth(tick.Label);
    const int height = canvas.TextHeight(tick.Label);
    const bool along = LabelsRunAlong();
    const int alongSize = along ? width : height;
    const int acrossSize = along ? height : width;
    const int margin = int(RoundHalfEven(canvas.TextHeight("A") * m_labelsMargin));
    const int distance = IsCartesian() ? (m_majorLength + 1) / 2 + margin
                                       : m_innerMargin + (m_scaleLinesShow ? m_majorLength : 0) + margin;
    const int out = Outward();
    // The cell starts `distance` pixels out from the edge facing the data view.
    const int start = out > 0 ? InnerEdge() + distance : InnerEdge() + 1 - distance;
    const int end = start + out * acrossSize;
    const int alongStart = tick.Pixel - alongSize / 2;
    const TRect cell = AcrossRect(alongStart, alongStart + alongSize, start, end);
    if (IsCartesian()) {
        IPlotAxisHost* host = AxisHost();
        if (host && !host->AddAxesCollisionDetectionItem(cell))
            return;
    }
    canvas.Brush().SetStyle(bsClear);
    iDrawRotatedText(canvas, tick.Label, cell, m_labelsRotation, iahCenter, true, canvas.Brush().GetColor());
}

void TiPlotAxis::DrawTitle(TCanvas& canvas)
{
    if (IsCartesian() || !m_titleShow || Trim(m_title).empty())
        return;
    canvas.Font().Assign(*m_titleFont);
    TiRotationAngle angle;
    if (GetIsHorz())
        angle = m_titleRotated ? ira090 : ira000;
    else
        angle = m_titleRotated ? ira270 : ira090;
    const bool turned = angle != ira000;
    const int across = GetIsHorz() == !turned ? canvas.TextHeight(m_title) : canvas.TextWidth(m_title);
    const TRect draw = GetDrawRect();
    // The outer edge is the far side from the data view.
    const int outerEdge =
        Outward() > 0 ? (GetIsHorz() ? draw.Bottom : draw.Right) : (GetIsHorz() ? draw.Top : draw.Left);
    const int near = outerEdge - Outward() * m_outerMargin;
    const int far = near - Outward() * across;
    const TRect cell = GetIsHorz() ? AcrossRect(m_scaleRect.Left, m_scaleRect.Right, near, far)
                                   : AcrossRect(m_scaleRect.Top, m_scaleRect.Bottom, near, far);
    canvas.Brush().SetStyle(bsClear);
    iDrawRotatedText(canvas, m_title, cell, angle, iahCenter, true, canvas.Brush().GetColor());
}

void TiPlotAxis::Draw(TCanvas& canvas, TColor backGroundColor)
{
    if (!Visible())
        return;
    CalcTickPixels();
    if (m_labelsVisible) {
        for (const auto& tick : m_ticks)
            if (tick->OnScale && tick->Style == ipttMajor)
                DrawTickLabel(canvas, *tick);
    }
    if (m_scaleLinesShow) {
        if (m_scaleLineShow)
            DrawScaleLine(canvas);
        for (const auto& tick : m_ticks)
            if (tick->OnScale)
                DrawTick(canvas, *tick);
    }
    if (IsCartesian()) {
        const int start = InnerEdge() - Outward() * ((m_majorLength + 1) / 2 + 5);
        const int end = start + Outward() * GetRequiredWidth(canvas);
        m_axisRect = GetIsHorz() ? AcrossRect(m_scaleRect.Left, m_scaleRect.Right, start, end)
                                 : AcrossRect(m_scaleRect.Top, m_scaleRect.Bottom, start, end);
    } else {
        DrawTitle(canvas);
    }
    if (UserSelected()) {
        // The dotted frame shows white over the plot's background.
        canvas.Brush().SetColor(backGroundColor);
        canvas.Font().SetColor(clWhite);
        iDrawFocusRect2(canvas, m_axisRect);
    }
}

void TiPlotAxis::DrawGridLines(TCanvas& canvas, const TRect& rect, bool showMajors, bool showMinors,
                               TiPlotGridLineStyle majorStyle, TiPlotGridLineStyle minorStyle, TColor majorColor,
                               TColor minorColor, int majorWidth, int minorWidth)
{
    if (!m_gridLinesVisible)
        return;
    const auto penStyle = [](TiPlotGridLineStyle style) {
        return style == ipglsDash ? psDash : style == ipglsDot ? psDot : psSolid;
    };
    for (const auto& tick : m_ticks) {
        if (!tick->OnScale)
            continue;
        const bool major = tick->Style == ipttMajor;
        if (major ? !showMajors : !showMinors)
            continue;
        canvas.Pen().SetStyle(penStyle(major ? majorStyle : minorStyle));
        canvas.Pen().SetColor(major ? majorColor : minorColor);
        canvas.Pen().SetWidth(major ? majorWidth : minorWidth);
        if (GetIsHorz()) {
            canvas.MoveTo(tick->Pixel, rect.Top);
            canvas.LineTo(tick->Pixel, rect.Bottom);
        } else {
            canvas.MoveTo(rect.Left, tick->Pixel);
            canvas.LineTo(rect.Right, tick->Pixel);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Reference axes and notifications

TiPlotAxis* TiPlotAxis::GetCartesianRefAxis()
{
    if (!m_cartesianRefAxis && Owner()) {
        if (IsXAxis())
            m_cartesianRefAxis = Owner()->GetYAxisByName(m_cartesianChildRefAxisName);
        else
            m_cartesianRefAxis = Owner()->GetXAxisByName(m_cartesianChildRefAxisName);
    }
    return m_cartesianRefAxis;
}

TiPlotAxis* TiPlotAxis::GetAlignRefAxis()
{
    if (!m_alignRefAxis && Owner()) {
        if (IsXAxis())
            m_alignRefAxis = Owner()->GetXAxisByName(m_alignRefAxisName);
        else
            m_alignRefAxis = Owner()->GetYAxisByName(m_alignRefAxisName);
    }
    return m_alignRefAxis;
}

void TiPlotAxis::NotificationRemove(TObject* sender)
{
    TiPlotLayoutObject::NotificationRemove(sender);
    if (sender == m_cartesianRefAxis)
        m_cartesianRefAxis = nullptr;
    if (sender == m_alignRefAxis)
        m_alignRefAxis = nullptr;
}

void TiPlotAxis::NotificationRename(TObject* sender)
{
    TiPlotLayoutObject::NotificationRename(sender);
    if (m_cartesianRefAxis && sender == m_cartesianRefAxis)
        m_cartesianChildRefAxisName = m_cartesianRefAxis->Name();
    if (m_alignRefAxis && sender == m_alignRefAxis)
        m_alignRefAxisName = m_alignRefAxis->Name();
}

void TiPlotAxis::NotificationSetFocus(TObject* sender)
{
    TiPlotLayoutObject::NotificationSetFocus(sender);
    auto* other = dynamic_cast<TiPlotObject*>(sender);
    if (!other || other == this)
        return;
    const TShiftState shift = other->ShiftState();
    const bool multiSelect = dynamic_cast<TiPlotAxis*>(other) && (shift.count(ssShift) || shift.count(ssCtrl));
    if (!multiSelect)
        SetUserSelected(false);
}

void TiPlotAxis::DefineProperties(TFiler& filer)
{
    TiPlotLayoutObject::DefineProperties(filer);
    // A zero is not the published default's business: the constructor values are not 0.
    filer.DefineProperty(
        "LabelSeparation", [this](TReader& r) { m_labelSeparation = double(r.ReadFloat()); },
        [this](TWriter& w) { w.WriteFloat(m_labelSeparation); }, m_labelSeparation == 0.0);
    filer.DefineProperty(
        "TitleMargin", [this](TReader& r) { m_titleMargin = double(r.ReadFloat()); },
        [this](TWriter& w) { w.WriteFloat(m_titleMargin); }, m_titleMargin == 0.0);
    // Older descriptions stored the span under these keys; a stored 0 or negative span is
    // clamped like any other, silently.
    const auto readSpan = [this](TReader& r) {
        const double value = double(r.ReadFloat());
        if (!std::isnan(value))
            m_span = std::clamp(value, kMinSpan, kMaxSpan);
    };
    filer.DefineProperty("Span_2", readSpan, nullptr, false);
    filer.DefineProperty("Span", readSpan, nullptr, false);
}

// ---------------------------------------------------------------------------------------------
// Mouse, wheel and keys

bool TiPlotAxis::iMouseHitTest(const TiPlotMouseData& mouseData)
{
    return PtInRect(m_axisRect, TPoint{mouseData.X, mouseData.Y});
}

void TiPlotAxis::DoMouseLeft(const TiPlotMouseData& mouseData)
{
    if (m_masterUIInput)
        if (IPlotAxisHost* host = AxisHost())
            host->MasterAxisMouseLeft(this, mouseData);
    m_mouseDown = true;
    m_lastMouse = {mouseData.X, mouseData.Y};
    m_refMin = m_min;
    m_refSpan = m_span;
}

// Scrolls or zooms by `fraction` of the span, the way a drag and the wheel do.
void TiPlotAxis::DragBy(double fraction, bool zoom)
{
    if (zoom)
        ZoomPercentByReference(m_min, m_span, GetMax(), IsLog() ? 2 * fraction : fraction / 4);
    else
        ScrollPercentByReference(m_min, IsLog() ? GetMax() : m_span, GetMax(), -fraction);
}

void TiPlotAxis::DoMouseMove(const TiPlotMouseData& mouseData)
{
    if (!m_mouseDown || mouseData.DoubleClick)
        return;
    if (m_masterUIInput)
        if (IPlotAxisHost* host = AxisHost())
            host->MasterAxisMouseMove(this, mouseData);
    TriggerInvalidateNow(this);
    SetTrackingEnabled(false);
    const int length = GetSpanLength();
    // Right and up are positive; a collapsed axis has no length to move along.
    const int moved = GetIsHorz() ? mouseData.X - m_lastMouse.X : m_lastMouse.Y - mouseData.Y;
    if (length != 0) {
        double fraction = double(moved) / length;
        if (m_reverseScale)
            fraction = -fraction;
        const bool ctrl = mouseData.Shift.count(ssCtrl) > 0;
        const bool zoom = (m_mode == ipamZoom) != ctrl;
        DragBy(fraction, zoom);
    }
    m_lastMouse = {mouseData.X, mouseData.Y};
}

void TiPlotAxis::FinishUserChange(double refMin, double refSpan)
{
    if (m_min == refMin && m_span == refSpan)
        return;
    if (IPlotAxisHost* host = AxisHost())
        host->DoAxesMinSpanChangeFinished(this, refMin, refSpan, m_min, m_span);
}

void TiPlotAxis::DoMouseUp(const TiPlotMouseData& mouseData)
{
    if (!m_mouseDown)
        return;
    m_mouseDown = false;
    if (m_masterUIInput)
        if (IPlotAxisHost* host = AxisHost())
            host->MasterAxisMouseUp(this, mouseData);
    if (PtInRect(m_axisRect, TPoint{mouseData.X, mouseData.Y}) && Owner())
        Owner()->DoObjectClick(this);
    FinishUserChange(m_refMin, m_refSpan);
}

bool TiPlotAxis::DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y)
{
    if (wheelDelta == 0)
        return true;
    SetTrackingEnabled(false);
    if (m_masterUIInput)
        if (IPlotAxisHost* host = AxisHost())
            host->MasterAxisMouseWheel(this, wheelDelta, shift, x, y);
    // One notch whatever the delta's size.
    const double step = wheelDelta > 0 ? 1 : -1;
    const bool zoom = (m_mode == ipamZoom) != (shift.count(ssCtrl) > 0);
    if (zoom)
        ZoomPercentByReference(m_min, m_span, GetMax(), (IsLog() ? 0.05 : 0.025) * step);
    else
        ScrollPercentByReference(m_min, IsLog() ? GetMax() : m_span, GetMax(), 0.05 * step);
    return true;
}

void TiPlotAxis::iKeyDown(int& key, TShiftState shift, TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::iKeyDown(key, shift, popupMenu);
    if (m_masterUIInput)
        if (IPlotAxisHost* host = AxisHost())
            host->MasterAxisKeyDown(this, key, shift);
    SetTrackingEnabled(false);
    const double refMin = m_min, refSpan = m_span;
    double fraction = 0;
    switch (key) {
    case VK_PRIOR:
    case VK_END: fraction = 1.0; break;
    case VK_NEXT:
    case VK_HOME: fraction = -1.0; break;
    case VK_UP:
    case VK_RIGHT: fraction = 0.01; break;
    case VK_LEFT:
    case VK_DOWN: fraction = -0.01; break;
    default: break;
    }
    if (fraction == 0)
        return;
    TriggerInvalidateNow(this);
    if (m_mode == ipamScroll)
        ScrollPercentByReference(m_min, m_span, GetMax(), fraction);
    else
        ZoomPercentByReference(m_min, m_span, GetMax(), fraction);
    FinishUserChange(refMin, refSpan);
}

void TiPlotAxis::DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData)
{
    if (m_titleShow)
        return;
    hintData.Text = m_title;
    hintData.Left = mouseData.X;
    hintData.Top = mouseData.Y - 20;
    if (IPlotAxisHost* host = AxisHost()) {
        if (IsXAxis())
            host->DoXAxisCustomizeHint(this, hintData.Text);
        else
            host->DoYAxisCustomizeHint(this, hintData.Text);
    }
}

TCursor TiPlotAxis::GetMousePointer(TPoint)
{
    TCursor cursor = m_mode == ipamScroll ? crHandPoint : GetIsHorz() ? crSizeWE : crSizeNS;
    if (Owner())
        Owner()->DoGetMouseCursor(this, cursor);
    return cursor;
}

void TiPlotAxis::AddMenuItems(TPopupMenu* popupMenu)
{
    TiPlotLayoutObject::AddMenuItems(popupMenu);
    AddEditMenuItems(popupMenu);
    const auto insert = [&](int index, const std::string& caption, std::function<void()> action) {
        auto* item = new TMenuItem(popupMenu);
        item->SetCaption(GetTranslation(caption));
        item->OnClick = [action = std::move(action)](TObject*) { action(); };
        popupMenu->Items()->Insert(index, item);
        return item;
    };
    insert(0, "Tracking Enabled", [this] { SetTrackingEnabled(!m_trackingEnabled); })->SetChecked(m_trackingEnabled);
    insert(1, "Update Resume Values", [this] {
        UpdateResumeValues();
    })->SetEnabled(!m_trackingEnabled && (m_resumeMin != m_min || m_resumeSpan != m_span));
    insert(2, "Zoom to Fit", [this] { ZoomToFit(); });
}
