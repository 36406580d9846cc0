#include "plot/objects/iPlotAxis.h"

#include "components/iDateUtils.h"
#include "components/iGPFunctions.h"
#include "platform/core/Conversions.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/MathSupport.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"
#include "plot/core/iPlotManagers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double kMaxSpan = 1e300;
constexpr double kMinSpan = 1e-300;
constexpr double kMaxMin = 1e300;
// Pixels stay in a range every drawing back end takes.
constexpr int kPixelLimit = 32000;
// More ticks than this means a degenerate scale: one tick in the middle replaces them.
constexpr int kMaxTicks = 5000;

// Log scales treat a value that is not above 0 as 1, so that no conversion takes the
// logarithm of 0 or of a negative number.
double PositiveOrOne(double value) { return value > 0 ? value : 1.0; }
double SafeLog10(double value) { return std::log10(PositiveOrOne(value)); }

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

// Int(a / b) * b computed in extended precision; `fallback` when that is not finite.
double WholeMultiple(double a, double b, double fallback)
{
    const long double q = static_cast<long double>(a) / b;
    const long double r = std::trunc(q) * b;
    return std::isfinite(r) ? double(r) : fallback;
}

std::string ReplaceLineBreaks(std::string text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

// Decimal counts come from user settings; keep them within what a label can show.
int LabelDecimals(long long decimals) { return int(std::clamp<long long>(decimals, 0, 50)); }

std::string PrefixOf(int exponent)
{
    switch (exponent) {
    case 24: return "Y";
    case 21: return "Z";
    case 18: return "E";
    case 15: return "P";
    case 12: return "T";
    case 9: return "G";
    case 6: return "M";
    case 3: return "K";
    case 0: return "";
    case -3: return "m";
    case -6: return "\xB5";
    case -9: return "n";
    case -12: return "p";
    case -15: return "f";
    case -18: return "a";
    case -21: return "z";
    case -24: return "y";
    default: return "?";
    }
}

// 32nds of the price with a quarter-32nd digit: 101.5 reads "101.160". Negative prices are
// the text of their magnitude with a leading "-" (but never "-0.000").
std::string Price32ndsText(double value)
{
    const double v = std::fabs(value) + 1.0 / 512;
    double whole = Int(v);
    long long t = RoundHalfEven(Frac(v) * 1024);
    if (t == 1024) {
        whole += 1;
        t = 0;
    }
    const long long thirtySeconds = t / 32;
    const long long quarters = (t % 32) / 4;
    std::string text = FormatFixed(whole, 0);
    text += '.';
    if (thirtySeconds < 10)
        text += '0';
    text += std::to_string(thirtySeconds) + std::to_string(quarters);
    if (value < 0 && (whole != 0 || t >= 4))
        text = "-" + text;
    return text;
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
    const IPlotAxisHost* host = AxisHost();
    SetTrackingStyle(host && host->IsStripChartPlot() ? iptsScrollSmooth : iptsScaleMinMax);
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
    if (!m_axisHost)
        m_axisHost = dynamic_cast<IPlotAxisHost*>(Owner());
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
    const double oldMin = m_min;
    const double oldSpan = m_span;
    // Stored as SetMin and SetSpan would store these checked values, each change announced.
    m_inSetMinSpan = true;
    try {
        if (min != m_min) {
            m_min = min;
            TriggerChange(this);
        }
        if (span != m_span) {
            m_span = span;
            TriggerChange(this);
        }
    } catch (...) {
        m_inSetMinSpan = false;
        throw;
    }
    m_inSetMinSpan = false;
    if (IPlotAxisHost* host = AxisHost())
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
PLAIN_SETTER(double, TrackingScrollCompressMax, m_trackingScrollCompressMax, Double)
PLAIN_SETTER(double, TrackingSpanMinimum, m_trackingSpanMinimum, Double)
PLAIN_SETTER(double, TrackingMaxMargin, m_trackingMaxMargin, Double)
PLAIN_SETTER(double, TrackingMinMargin, m_trackingMinMargin, Double)
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
ENUM_SETTER(TiPlotTrackingStyle, TrackingStyle, m_trackingStyle)
ENUM_SETTER(TiPlotTrackingIncrementStyle, TrackingIncrementStyle, m_trackingIncrementStyle)
ENUM_SETTER(TiPlotAlignFirstStyle, TrackingAlignFirstStyle, m_trackingAlignFirstStyle)
ENUM_SETTER(TiPlotTextFormat, CursorFormatStyle, m_cursor.FormatStyle)
ENUM_SETTER(TiPrecisionStyle, CursorPrecisionStyle, m_cursor.PrecisionStyle)
ENUM_SETTER(TiPlotTextFormat, LegendFormatStyle, m_legend.FormatStyle)
ENUM_SETTER(TiPrecisionStyle, LegendPrecisionStyle, m_legend.PrecisionStyle)
ENUM_SETTER(TiPlotCartesianStyle, CartesianStyle, m_cartesianStyle)

#undef ENUM_SETTER

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

bool TiPlotAxis::PointOnScale(double value) const
{
    const int pixel = PositionToPixels(value);
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
PRAVIX_PUBLISH(TiPlotTickObject)

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
// Texts of values

std::string TiPlotAxis::GetText(double value, TiPlotTextFormat format, const std::string& dateTimeFormat,
                                TiPrecisionStyle precisionStyle, int precision, bool autoAdjust, double& minLength)
{
    std::string text = "Unknown";
    int decimals = LabelDecimals(GetDecimalPoints(m_span, 0, precision, precisionStyle));
    switch (format) {
    case iptfValue:
        if (IsLog()) {
            // A log scale has no place for a value that is not above 0.
            if (!(value > 0))
                return text;
            if (precisionStyle == ipsFixedDecimalPoints)
                decimals = LabelDecimals(precision);
            else if (std::isfinite(value))
                decimals = LabelDecimals(precision - 1 - Trunc(std::log10(value)));
        }
        text = FormatFixed(value, decimals);
        break;
    case iptfExponent:
        text = FormatExponent(value, std::max(1, precisionStyle == ipsSignificantDigits ? precision : precision + 1));
        break;
    case iptfPrefix: {
        // Int truncates toward zero, so values between 0.001 and 1 keep no prefix.
        const double x = value == 0 ? 0 : 3 * Int(std::log10(std::fabs(value)) / 3);
        if (!(x >= -24 && x <= 24))
            break;
        const int exponent = int(x);
        const double mantissa = value / std::pow(10.0, exponent);
        decimals = LabelDecimals(GetDecimalPoints(mantissa, 0, precision, precisionStyle));
        text = FormatFixed(mantissa, decimals) + PrefixOf(exponent);
        if (m_span > 1e-10 && value > -1e-12 && value < 1e-12)
            text = "0." + std::string(size_t(decimals), '0');
        break;
    }
    case iptfDateTime:
        if (!dateTimeFormat.empty() && (dateTimeFormat[0] == 'J' || dateTimeFormat[0] == 'j'))
            text = FormatFixed(Int(value), 0) + " " + FormatDateTime(dateTimeFormat.substr(1), value);
        else
            text = FormatDateTime(dateTimeFormat, value);
        break;
    case iptfPrice32nds: text = std::isfinite(value) ? Price32ndsText(value) : FormatFixed(value, 0); break;
    case iptfThousands:
        text = FormatFloat(decimals > 0 ? "#,#0." + std::string(size_t(decimals), '0') : "#,#0", value);
        break;
    }
    text = Trim(text);
    if (IPlotAxisHost* host = AxisHost())
        host->DoAxesCustomizeLabel(this, value, text);
    if (autoAdjust && m_labelAdjust && double(text.size()) > minLength)
        minLength = double(text.size());
    return text;
}

std::string TiPlotAxis::LabelText(double value, bool adjust)
{
    const bool saved = m_labelAdjust;
    m_labelAdjust = adjust;
    std::string text;
    try {
        text = GetText(value, m_labelsFormatStyle, m_dateTimeFormat, m_labelsPrecisionStyle, m_labelsPrecision,
                       m_labelsMinLengthAutoAdjust, m_labelsMinLength);
    } catch (...) {
        m_labelAdjust = saved;
        throw;
    }
    m_labelAdjust = saved;
    return text;
}

std::string TiPlotAxis::GetLabelText(double value) { return LabelText(value, false); }

std::string TiPlotAxis::GetLabelTextAdjust(double value) { return LabelText(value, true); }

// Cursor and legend texts sit on one line: line breaks from a customizing handler become blanks.
std::string TiPlotAxis::SetText(double value, const TextSet& set, bool forceValueFormat)
{
    std::string text;
    if (set.UseDefaultFormat) {
        text = GetText(value, forceValueFormat ? iptfValue : m_labelsFormatStyle, m_dateTimeFormat,
                       m_labelsPrecisionStyle, m_labelsPrecision, m_labelsMinLengthAutoAdjust, m_labelsMinLength);
    } else {
        double minLength = set.MinLength;
        text = GetText(value, forceValueFormat ? iptfValue : set.FormatStyle, set.DateTimeFormat, set.PrecisionStyle,
                       set.Precision, set.MinLengthAutoAdjust, minLength);
    }
    return ReplaceLineBreaks(std::move(text));
}

std::string TiPlotAxis::GetCursorText(double value) { return SetText(value, m_cursor, false); }

std::string TiPlotAxis::GetCursorValueText(double value) { return SetText(value, m_cursor, true); }

std::string TiPlotAxis::GetLegendText(double value) { return SetText(value, m_legend, false); }

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
// Ticks

void TiPlotAxis::ClearTicks() { m_ticks.clear(); }

void TiPlotAxis::AddTick(double position, TiPlotTickType style)
{
    auto tick = std::make_unique<TiPlotTickObject>();
    tick->Style = style;
    tick->Position = position;
    if (style == ipttMajor)
        tick->Label = GetLabelText(position);
    m_ticks.push_back(std::move(tick));
}

void TiPlotAxis::ReplaceTicksWithMiddle()
{
    ClearTicks();
    AddTick(m_min + m_span / 2, ipttMajor);
}

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
        CalcLog10Ticks(canvas, n);
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
        CalcDateTimeTicks(canvas, n, increment, count);
    } else if (m_labelsFormatStyle == iptfPrice32nds) {
        CalcPrice32Ticks(canvas, n, increment, count);
    } else {
        CalcLinearTicks(canvas, n, increment, count);
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

void TiPlotAxis::CalcLinearTicks(TCanvas&, int n, double& increment, int& count)
{
    long long e = Trunc(std::log10(m_span) - 1 - std::log10(double(n)));
    for (;; ++e) {
        const double p = std::pow(10.0, double(e));
        for (const double step : {p, 2 * p, 5 * p}) {
            if (n >= m_span / step) {
                increment = step;
                count = int(std::min<long long>(RoundHalfEven(m_span / step), kMaxTicks + 1));
                return;
            }
        }
    }
}

void TiPlotAxis::CalcPrice32Ticks(TCanvas&, int n, double& increment, int& count)
{
    for (const double step : {1.0 / 256, 1.0 / 128, 1.0 / 64, 1.0 / 32, 1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2}) {
        if (n >= m_span / step) {
            increment = step;
            count = int(std::min<long long>(Trunc(m_span / step), kMaxTicks + 1));
            if (count > 0)
                return;
            break;
        }
    }
    for (double p = 1;; p *= 10) {
        for (const double step : {p, 2 * p, 5 * p}) {
            if (n >= m_span / step) {
                increment = step;
                count = int(std::min<long double>(std::trunc(m_span / step), kMaxTicks + 1));
                return;
            }
        }
    }
}

void TiPlotAxis::CalcDateTimeTicks(TCanvas&, int n, double& increment, int& count)
{
    struct Unit {
        long long total;  // the span in whole units
        double unitDays;  // one unit in days
        std::initializer_list<int> steps;
    };
    const long long days = m_span >= 9.2e18 ? INT64_MAX : Trunc(m_span);
    const Unit units[] = {
        {DateToMilliSeconds(m_span), 1.0 / 86400000, {1, 2, 5, 10, 20, 50, 100, 200, 500}},
        {DateToSeconds(m_span), 1.0 / 86400, {1, 2, 5, 10, 15, 20, 30}},
        {DateToMinutes(m_span), 1.0 / 1440, {1, 2, 5, 10, 15, 20, 30}},
        {DateToHours(m_span), 1.0 / 24, {1, 2, 4, 6, 12}},
        {days, 1.0, {1, 7, 14}},
    };
    // A step fits when the labels it makes leave one cell free.
    const auto fits = [n](long long total, long long step) { return total / step <= n - 1; };
    const auto countOf = [](long long total, long long step) {
        return int(std::clamp<long long>(total / step, 1, kMaxTicks + 1));
    };
    for (const Unit& unit : units) {
        for (const int step : unit.steps) {
            if (fits(unit.total, step)) {
                increment = step * unit.unitDays;
                count = countOf(unit.total, step);
                return;
            }
        }
    }
    const std::pair<int, int> months[] = {{1, 31}, {2, 61}, {3, 92}, {6, 183}};
    for (const auto& [monthCount, monthDays] : months) {
        if (fits(days, monthDays)) {
            m_monthTicks = true;
            increment = monthCount;
            count = countOf(days, monthDays);
            return;
        }
    }
    m_yearTicks = true;
    for (long double p = 1;; p *= 10) {
        for (const int factor : {1, 2, 5}) {
            const long double yearsDays = 365 * factor * p;
            const long double total = std::trunc(days / yearsDays);
            if (total <= n - 1) {
                increment = double(factor * p);
                count = int(std::clamp<long double>(total, 1, kMaxTicks + 1));
                return;
            }
        }
    }
}

void TiPlotAxis::CalcLog10Ticks(TCanvas&, int n)
{
    const double decades = SafeLog10(GetMax()) - SafeLog10(m_min);
    int step = 200;
    for (const int candidate : {1, 2, 5, 10, 20, 50, 100, 200}) {
        if (n >= decades / candidate) {
            step = candidate;
            break;
        }
    }
    const double start = PositiveOrOne(m_min);
    int e = step == 1 ? int(Int(SafeLog10(m_min))) - 1 : int(Int(std::log10(start)));
    for (; start + m_span >= std::pow(10.0, e); e += step) {
        const double major = std::pow(10.0, e);
        if (PointOnScale(major))
            AddTick(major, ipttMajor);
        if (step != 1)
            continue;
        for (int k = 2; k <= 9; ++k) {
            if (PointOnScale(k * major))
                AddTick(k * major, ipttMinor);
        }
    }
}

// Places the ticks of a linear, date-time or price scale from the chosen major increment.
// Positions are computed as base + k x step rather than by repeated addition, so that the
// tick at zero is exactly zero and no label reads "-0.00".
void TiPlotAxis::PlaceTicks(double increment)
{
    const double max = GetMax();
    m_majorIncrement = increment;
    m_minorIncrement = increment / (m_minorCount + 1);
    const bool calendar = m_monthTicks || m_yearTicks;
    const bool minors = m_minorCount >= 1 && m_minorIncrement != 0 && !calendar;

    if (calendar) {
        // Calendar steps keep the scale within the years that dates can show. The scale is
        // changed in place, without events, as part of laying out the ticks.
        m_min = std::clamp(m_min, m_monthTicks ? 0.0 : -182625.0, 2593224.0);
        if (m_span > 36525)
            m_span = 36525;
        UpdatePixelsPerUnit();
        if (increment < 1)
            increment = 1;
        // A step longer than the whole scale shows at most one tick; keep the count small.
        const int k = int(std::min<double>(RoundHalfEven(increment), 1200));
        int year = YearOf(m_min), month = MonthOf(m_min);
        TDateTime p;
        if (m_monthTicks) {
            month = ((month - 1) / k) * k + 1;
            p = IncMonth(EncodeDate(year, month, 1), -k);
        } else {
            year = std::max(1, (year / k) * k);
            p = EncodeDate(year, 1, 1);
            p = year - k >= 1 ? IncYear(p, -k) : p;
        }
        const double end = GetMax() + increment * (m_monthTicks ? 31 : 366);
        while (p <= end) {
            if (PointOnScale(p))
                AddTick(p, ipttMajor);
            if (int(m_ticks.size()) > kMaxTicks) {
                ReplaceTicksWithMiddle();
                return;
            }
            const int y = YearOf(p);
            if (m_monthTicks ? y + (k + 11) / 12 > 9999 : y + k > 9999)
                break;
            p = m_monthTicks ? IncMonth(p, k) : IncYear(p, k);
        }
        return;
    }

    double first;
    if (m_desiredStart != 0 && m_min <= m_desiredStart && m_desiredStart <= max) {
        // Back to the first tick at or below Min.
        const double steps = std::ceil((m_desiredStart - m_min) / increment);
        first = m_desiredStart - steps * increment;
        if (first > m_min)
            first -= increment;
    } else {
        first = WholeMultiple(m_min, increment, m_min) - increment;
    }
    const double step = minors ? m_minorIncrement : increment;
    const int perMajor = minors ? m_minorCount + 1 : 1;
    const double snap = 1e-9 * std::fabs(increment);
    // Steps below Min add nothing; with many minor ticks per major there may be very many.
    const long double stepsBelowMin = std::floor((m_min - first) / static_cast<long double>(step)) - 1;
    const auto firstOnScale = static_cast<long long>(std::clamp<long double>(stepsBelowMin, 0, 1e15));
    for (long long k = firstOnScale;; ++k) {
        double p = first + double(k) * step;
        if (p > max + increment)
            break;
        if (std::fabs(p) < snap)
            p = 0;
        const bool major = k % perMajor == 0;
        if (PointOnScale(p) && (!IsLog() || p > 0))
            AddTick(p, major ? ipttMajor : ipttMinor);
        if (int(m_ticks.size()) > kMaxTicks) {
            ReplaceTicksWithMiddle();
            return;
        }
        const double next = first + double(k + 1) * step;
        if (next == first + double(k) * step) {
            // No progress: the steps vanish against the values.
            if (minors)
                ReplaceTicksWithMiddle();
            return;
        }
    }
}

void TiPlotAxis::CalcTickPixels()
{
    for (auto& tick : m_ticks) {
        tick->OnScale = PointOnScale(tick->Position);
        if (tick->OnScale)
            tick->Pixel = PositionToPixels(tick->Position);
    }
}

TiPlotTickObject& TiPlotAxis::TickAt(int index) const
{
    if (index < 0 || index >= int(m_ticks.size()))
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return *m_ticks[size_t(index)];
}

const TiPlotTickObject& TiPlotAxis::GetTick(int index) const { return TickAt(index); }

int TiPlotAxis::TickListAdd(double position, const std::string& label, TiPlotTickType style)
{
    if (IsLog() && position <= 0)
        throw Exception("Log Scale Requires Position to be Greater Than Zero");
    auto tick = std::make_unique<TiPlotTickObject>();
    tick->Position = position;
    tick->Label = label;
    tick->Style = style;
    m_ticks.push_back(std::move(tick));
    TriggerChange(this);
    return int(m_ticks.size()) - 1;
}

void TiPlotAxis::TickListClear()
{
    ClearTicks();
    TriggerChange(this);
}

std::string TiPlotAxis::GetTickListItemLabel(int index) const { return TickAt(index).Label; }
double TiPlotAxis::GetTickListItemPosition(int index) const { return TickAt(index).Position; }
TiPlotTickType TiPlotAxis::GetTickListItemStyle(int index) const { return TickAt(index).Style; }

void TiPlotAxis::SetTickListItemLabel(int index, const std::string& value)
{
    TickAt(index).Label = value;
    TriggerChange(this);
}

void TiPlotAxis::SetTickListItemPosition(int index, double value)
{
    TickAt(index).Position = value;
    TriggerChange(this);
}

void TiPlotAxis::SetTickListItemStyle(int index, TiPlotTickType value)
{
    TickAt(index).Style = value;
    TriggerChange(this);
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
// Tracking

void TiPlotAxis::TrackValue(double value)
{
    if (!m_trackingEnabled || std::isnan(value))
        return;
    const double m = m_min, s = m_span, x = GetMax();
    if (!m_firstValueSeen) {
        m_firstValueSeen = true;
        double newMin = m;
        switch (m_trackingAlignFirstStyle) {
        case ipafsMin: newMin = value; break;
        case ipafsMax: newMin = value - s; break;
        case ipafsAuto:
            if (value < m || value > x)
                newMin = value;
            break;
        case ipafsNone: return;
        }
        SetMinSpan(newMin, s);
        return;
    }

    double newMin = m, newSpan = s;
    // The span the scroll styles move with: grows to show everything, up to the cap.
    const auto compressedSpan = [&] {
        double span = s;
        if (m_trackingScrollCompressMax != 0) {
            if (value - m > s)
                span = value - m;
            if (span > m_trackingScrollCompressMax)
                span = m_trackingScrollCompressMax;
        }
        return span;
    };
    switch (m_trackingStyle) {
    case iptsScaleMinMax:
        if (value > m + s)
            newSpan = value - m;
        if (value < m)
            newMin = value;
        SetMinSpan(newMin, newSpan);
        AdjustToIncrement();
        break;
    case iptsScaleMax:
        if (value > x) {
            SetMinSpan(m, value - x + s);
            AdjustToIncrement();
        }
        break;
    case iptsScaleMin:
        if (value < m) {
            SetMinSpan(value, x - value);
            AdjustToIncrement();
        }
        break;
    case iptsScrollSmooth:
        if (value > m + s) {
            newSpan = compressedSpan();
            newMin = value - newSpan;
        } else if (value < m) {
            newMin = value;
        }
        SetMinSpan(newMin, newSpan);
        break;
    case iptsScrollPage:
        if (value > m + s) {
            newSpan = compressedSpan();
            // While the compression grows the span, Min stays; once capped, a page on.
            const bool capped =
                m_trackingScrollCompressMax != 0 && newSpan == m_trackingScrollCompressMax && value - m > newSpan;
            if (m_trackingScrollCompressMax == 0 || capped)
                newMin = m + newSpan;
        } else if (value < m) {
            newMin = m - s;
        }
        SetMinSpan(newMin, newSpan);
        break;
    case iptsExpandCollapse:
        ZoomToFit();
        AdjustToIncrement();
        break;
    case iptsExpandCollapseFast:
        ZoomToFitFast();
        AdjustToIncrement();
        break;
    case iptsExpandMinMax:
        if (value > x)
            newSpan = value - x + s;
        if (value < m) {
            newMin = value;
            newSpan = m - value + s;
        }
        SetMinSpan(newMin, newSpan);
        AdjustToIncrement();
        break;
    }

    if (m_trackingSpanMinimum != 0 && m_span < m_trackingSpanMinimum)
        SetMinSpan(GetMid() - m_trackingSpanMinimum / 2, m_trackingSpanMinimum);
    if (m_trackingMinMargin != 0) {
        const double t = m_min + m_trackingMinMargin;
        if (t > value)
            SetMinSpan(m_min - (t - value), m_span);
    }
    if (m_trackingMaxMargin != 0) {
        const double t = GetMax() - m_trackingMaxMargin;
        if (t < value)
            SetMinSpan(m_min, m_span + value - t);
    }
}

void TiPlotAxis::AdjustToIncrement()
{
    if (m_trackingIncrementStyle == iptisMinimum || IsLog() || m_monthTicks || m_yearTicks)
        return;
    // Before the first paint there is no increment yet.
    const double increment = m_trackingIncrementStyle == iptisMajor ? m_majorIncrement : m_minorIncrement;
    if (!(increment > 0) || !std::isfinite(increment))
        return;
    // A scale found on the increment stays on it until Min, Span or the increment change;
    // tracking asks with every point, and each check costs two divisions.
    if (m_min == m_snappedScale.Min && m_span == m_snappedScale.Span && increment == m_snappedScale.Increment)
        return;
    const double lo = m_min, hi = GetMax();
    const auto snapped = [increment](double v) {
        const double q = v / increment;
        return q == std::trunc(q) ? v : std::trunc(q) * increment;
    };
    double newHi = snapped(hi), newLo = snapped(lo);
    if (newHi < hi)
        newHi += increment;
    if (newLo > lo)
        newLo -= increment;
    if (newLo == lo && newHi == hi) {
        m_snappedScale = {m_min, m_span, increment};
        return;
    }
    SetMinSpan(newLo, newHi - newLo);
}

// ---------------------------------------------------------------------------------------------
// Zoom and scroll

void TiPlotAxis::Zoom(double factor)
{
    if (IsLog()) {
        const double scale = std::pow(10.0, factor);
        SetMinSpan(m_min / scale, m_span * scale);
        return;
    }
    if (!(factor > 0))
        throw Exception("Linear Scale Zoom Factor must be Greater than Zero");
    const double span = m_span * factor;
    SetMinSpan((m_min + GetMax()) / 2 - span / 2, span);
}

void TiPlotAxis::ZoomPercentByReference(double refMin, double refSpan, double refMax, double amount)
{
    (void)refMax;
    const double scale = std::pow(10.0, amount);
    if (IsLog()) {
        SetMinSpan(refMin * scale, refSpan / scale);
        return;
    }
    const double span = refSpan / scale;
    SetMinSpan((m_min + GetMax()) / 2 - span / 2, span);
}

void TiPlotAxis::ScrollPercentByReference(double refMin, double refSpan, double refMax, double fraction)
{
    if (!IsLog()) {
        double newMin = refMin + fraction * refSpan;
        if (m_scrollMinMaxEnabled) {
            if (newMin <= m_scrollMin)
                newMin = m_scrollMin;
            else if (newMin + m_span >= m_scrollMax)
                newMin = m_scrollMax - m_span;
        }
        SetMinSpan(newMin, m_span);
        return;
    }
    const double decades = SafeLog10(refMax) - SafeLog10(refMin);
    const double k = std::pow(10.0, fraction * decades);
    double newMin = refMin * k, newMax = refMax * k;
    if (m_scrollMinMaxEnabled) {
        if (newMin <= m_scrollMin) {
            newMin = m_scrollMin;
            newMax = m_scrollMin * std::pow(10.0, decades);
        } else if (newMax >= m_scrollMax) {
            newMin = m_scrollMax / std::pow(10.0, decades);
            newMax = m_scrollMax;
        }
    }
    SetMinSpan(newMin, newMax - newMin);
}

void TiPlotAxis::ZoomRect(const TRect& rect)
{
    int first, second;
    if (GetIsHorz()) {
        first = rect.Left;
        second = rect.Right;
    } else {
        first = rect.Bottom;
        second = rect.Top;
    }
    if (m_reverseScale)
        std::swap(first, second);
    const double a = PixelsToPosition(first);
    SetMinSpan(a, PixelsToPosition(second) - a);
}

static bool FitRange(const std::vector<TiPlotAxisDataRange>& ranges, double& min, double& max)
{
    min = 1e300;
    max = -1e300;
    for (const TiPlotAxisDataRange& range : ranges) {
        min = std::min(min, range.Min);
        max = std::max(max, range.Max);
    }
    return max > -1e299 && min < 1e299 && max != min;
}

void TiPlotAxis::ZoomToFit()
{
    IPlotAxisHost* host = AxisHost();
    double min, max;
    if (!host || !FitRange(host->GetAxisDataRanges(IsXAxis(), Name(), false), min, max))
        return;
    double span = max - min;
    if (m_trackingSpanMinimum != 0 && m_trackingSpanMinimum > span)
        span = m_trackingSpanMinimum;
    SetMinSpan(min - m_trackingMinMargin, span + m_trackingMaxMargin + m_trackingMinMargin);
}

void TiPlotAxis::ZoomToFitFast()
{
    IPlotAxisHost* host = AxisHost();
    double min, max;
    if (!host || !FitRange(host->GetAxisDataRanges(IsXAxis(), Name(), true), min, max))
        return;
    SetMinSpan(min - m_trackingMinMargin, max - min + m_trackingMaxMargin + m_trackingMinMargin);
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
