#include "plot/objects/iPlotAxisTicks.h"

#include "plot/objects/iPlotAxis.h"

#include "components/iDateUtils.h"
#include "components/iGPFunctions.h"
#include "platform/core/Conversions.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Regional.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace {

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

// A value written with a number of decimals, as FormatFixed writes it. A plot labels the
// same ticks every frame, some of them several times (placing, measuring, drawing), and
// writing a value exactly takes longer than drawing its label: the texts written lately are
// kept, per decimal separator.
std::string FixedText(double value, int decimals)
{
    struct Key {
        double Value;
        int Decimals;
        char Separator;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const
        {
            return std::hash<double>()(k.Value) ^ (size_t(k.Decimals) << 8) ^ size_t(k.Separator);
        }
    };
    constexpr size_t kKeptTexts = 4096;
    thread_local std::unordered_map<Key, std::string, KeyHash> texts;
    if (std::isnan(value))  // a key that equals nothing, not even itself
        return FormatFixed(value, decimals);
    const Key key{value, decimals, Region().DecimalSeparator};
    if (const auto found = texts.find(key); found != texts.end())
        return found->second;
    if (texts.size() >= kKeptTexts)
        texts.clear();
    return texts.emplace(key, FormatFixed(value, decimals)).first->second;
}

}  // namespace

PRAVIX_PUBLISH(TiPlotTickObject)

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
        text = FixedText(value, decimals);
        break;
    case iptfExponent:
        text = FormatExponent(value, std::max(1, precisionStyle == ipsSignificantDigits ? precision : precision + 1));
        break;
    case iptfPrefix: {
        // Int truncates toward zero, so values between 0.001 and 1 keep no prefix.
        const double x = value == 0 ? 0 : 3 * Int(std::log10(std::fabs(value)) / 3);
        if (!std::isfinite(x))
            break;
        // A value too small for any prefix still sets the decimals of the zero it reads as
        // below; one too large for any stays "Unknown".
        const double scale = std::pow(10.0, x);
        const double mantissa = scale > 0 && std::isfinite(scale) ? value / scale : 1;
        decimals = LabelDecimals(GetDecimalPoints(mantissa, 0, precision, precisionStyle));
        if (x >= -24 && x <= 24)
            text = FormatFixed(mantissa, decimals) + PrefixOf(int(x));
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
    TScopedValue labelAdjust(m_labelAdjust, adjust);
    return GetText(value, m_labelsFormatStyle, m_dateTimeFormat, m_labelsPrecisionStyle, m_labelsPrecision,
                   m_labelsMinLengthAutoAdjust, m_labelsMinLength);
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

void TiPlotAxis::CalcLinearTicks(int n, double& increment, int& count)
{
    // Room for fewer than one label would leave no step that fits: the search would not end.
    n = std::max(n, 1);
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

void TiPlotAxis::CalcPrice32Ticks(int n, double& increment, int& count)
{
    // Room for fewer than one label would leave no step that fits: the search would not end.
    n = std::max(n, 1);
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

void TiPlotAxis::CalcDateTimeTicks(int n, double& increment, int& count)
{
    // Room for fewer than one label would leave no step that fits: the search would not end.
    n = std::max(n, 1);
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

void TiPlotAxis::CalcLog10Ticks(int n)
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
