#include "plot/objects/iPlotAxisTracking.h"

#include "plot/objects/iPlotAxis.h"

#include "platform/core/MathSupport.h"

#include <algorithm>
#include <cmath>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Tracking

void TiPlotAxis::RefreshTrackingShortcut()
{
    m_trackingShortcut = TTrackingShortcut::None;
    if (!m_trackingEnabled || !m_firstValueSeen || m_trackingSpanMinimum != 0 || m_trackingMinMargin != 0 ||
        m_trackingMaxMargin != 0)
        return;
    switch (m_trackingStyle) {
    case iptsScaleMax:
    case iptsScaleMin:
    case iptsScrollPage: m_trackingShortcut = TTrackingShortcut::Hold; break;
    case iptsScrollSmooth:
        m_trackingShortcut = m_trackingScrollCompressMax == 0 ? TTrackingShortcut::Scroll : TTrackingShortcut::Hold;
        break;
    case iptsScaleMinMax:
    case iptsExpandMinMax:
        // Without an increment to snap to, the snap changes nothing.
        m_trackingShortcut =
            m_trackingIncrementStyle == iptisMinimum ? TTrackingShortcut::Hold : TTrackingShortcut::Snap;
        break;
    case iptsExpandCollapse:
    case iptsExpandCollapseFast: break;
    }
}

void TiPlotAxis::TrackValue(double value)
{
    if (!m_trackingEnabled || std::isnan(value))
        return;
    const double m = m_min, s = m_span, x = GetMax();
    if (!m_firstValueSeen) {
        m_firstValueSeen = true;
        RefreshTrackingShortcut();
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
