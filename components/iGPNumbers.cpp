#include "components/iGPNumbers.h"

#include "components/iMath.h"
#include "platform/core/Conversions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

int GetDecimalPoints(double Min, double Max, int Precision, TiPrecisionStyle Style)
{
    if (Style == ipsFixedDecimalPoints)
        return Precision;
    if (Precision <= 0)
        return 0;
    const double span = std::fabs(Max - Min);
    if (!std::isfinite(span))
        return 0;
    long long decimals = span == 0 ? 0 : Precision - (Trunc(Log10(span)) + 1);
    if (span < 1)
        ++decimals;
    return int(std::clamp<long long>(decimals, 0, INT_MAX));
}

std::string iFormatPrecisionStyle(double Value, double Span, int Precision, TiPrecisionStyle Style)
{
    const int decimals = GetDecimalPoints(Span, 0, Precision, Style);
    return Trim(FormatFloat("0." + std::string(size_t(std::max(decimals, 0)), '0'), Value));
}

namespace {

// Digits after the one-character prefix, each read as a decimal number and weighted by
// radix^place. Weights of 2^32 and more vanish modulo 2^32, as the 32-bit sum wraps.
int DigitsInRadix(const std::string& digits, unsigned bitsPerDigit)
{
    std::uint32_t sum = 0;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        const size_t shift = (count - 1 - i) * bitsPerDigit;
        const std::uint32_t weight = shift < 32 ? std::uint32_t(1) << shift : 0;
        sum += std::uint32_t(StrToInt(digits.substr(i, 1))) * weight;
    }
    return int(sum);
}

std::string DigitsOf(std::uint32_t value, unsigned bitsPerDigit, int digitCount)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(size_t(digitCount), '0');
    const std::uint32_t mask = (1u << bitsPerDigit) - 1;
    for (int i = digitCount - 1; i >= 0; --i, value >>= bitsPerDigit)
        text[size_t(i)] = kDigits[value & mask];
    return text;
}

}  // namespace

int iStrToInt(const std::string& S)
{
    if (!S.empty() && S[0] == 'b')
        return DigitsInRadix(S.substr(1), 1);
    if (!S.empty() && S[0] == 'o')
        return DigitsInRadix(S.substr(1), 3);
    return StrToInt(S);
}

std::string iIntToStr(std::uint32_t Value, TiIntegerFormatStyle Style, int Digits, bool LeadingZeros)
{
    std::string text;
    switch (Style) {
    case iifsInteger: text = IntToStr(Value); break;
    case iifsHex: text = DigitsOf(Value, 4, 8); break;
    case iifsBinary: text = DigitsOf(Value, 1, 32); break;
    case iifsOctal: text = DigitsOf(Value, 3, 11); break;
    }
    text.erase(0, std::min(text.find_first_not_of('0'), text.size()));
    if (LeadingZeros && Digits > int(text.size()))
        text.insert(0, size_t(Digits) - text.size(), '0');
    return text.empty() ? "0" : text;
}

// ---- Automatic scales ----
//
// Candidate ranges are placed on multiples of the tick step q. The multiple nearest a bound
// is computed directly rather than by stepping from 0, which would take billions of steps
// for ranges far from zero.

namespace {

bool IsRoundStep(double interval)
{
    const int exponent = int(Trunc(Log10(interval)));
    switch (RoundHalfEven(interval / double(IntPower(10, exponent)) * 1000)) {
    case 100:
    case 200:
    case 250:
    case 500:
    case 750:
    case 1000:
    case 2000:
    case 2500:
    case 5000:
    case 7500: return true;
    default: return false;
    }
}

// Among 2..maxTicks ticks dividing width into round steps, the count nearest desiredTicks
// (the larger on a tie); maxTicks + 1 when there is none.
long long RoundTickCount(double width, int maxTicks, int desiredTicks)
{
    long long best = (long long)maxTicks + 1;
    bool found = false;
    for (int n = 2; n <= maxTicks; ++n) {
        if (!IsRoundStep(width / (n - 1)))
            continue;
        if (!found || std::llabs((long long)n - desiredTicks) <= std::llabs(best - desiredTicks))
            best = n;
        found = true;
    }
    return best;
}

double MultipleAtOrBelow(double value, double q)
{
    const double r = std::floor(value / q) * q;
    return r > value ? r - q : r;
}

double MultipleAtOrAbove(double value, double q)
{
    const double r = std::ceil(value / q) * q;
    return r < value ? r + q : r;
}

struct Range {
    double Min;
    double Max;
};

// A range of the given width on multiples of q holding Min..Max, nearest to them.
bool PlaceAdjustable(const Range& data, double width, double q, Range& out)
{
    if (data.Max > 0 && data.Min >= 0) {
        out.Max = MultipleAtOrAbove(data.Max, q);
        out.Min = out.Max - width;
        if (out.Min < 0)
            out = {0, width};
    } else {
        out.Min = MultipleAtOrBelow(data.Min, q);
        out.Max = out.Min + width;
        if (data.Max <= 0 && out.Max > 0)
            out = {out.Min - q, out.Max - q};
    }
    return out.Max >= data.Max && out.Min <= data.Min;
}

// A range of the given width on multiples of q inside Min..Max, with no room for one more
// step at the top.
bool PlaceFixed(const Range& data, double width, double q, Range& out)
{
    if (data.Min < 0 && data.Max <= 0) {
        out.Max = MultipleAtOrBelow(data.Max, q);
        out.Min = out.Max - width;
    } else {
        out.Min = MultipleAtOrAbove(data.Min, q);
        out.Max = out.Min + width;
    }
    return out.Max <= data.Max && out.Min >= data.Min && out.Max + q > data.Max;
}

// 10^Trunc(Log10(span)), a tenth of it for spans below 1.
double ScaleBase(double span)
{
    const double base = double(IntPower(10, int(Trunc(Log10(span)))));
    return span < 1 ? base / 10 : base;
}

int ClampToInt(long long value) { return int(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

}  // namespace

void GetAutoScaleValuesAdjustable(double Min, double Max, int DesiredTicks, int MaxTicks, double& NewMin,
                                  double& NewMax, int& TickCount)
{
    NewMin = Min;
    NewMax = Max;
    if (Min == Max) {
        TickCount = 2;
        return;
    }
    TickCount = DesiredTicks;
    const double span = std::fabs(Max - Min);
    const double base = ScaleBase(span);
    for (int k = 2; k <= 40; ++k) {
        const double width = base * 0.5 * k;
        if (span > width)
            continue;
        const long long count = RoundTickCount(width, MaxTicks, DesiredTicks);
        TickCount = ClampToInt(count);
        if (MaxTicks < count)
            continue;
        Range placed{};
        const bool fits = PlaceAdjustable({Min, Max}, width, width / double(count - 1), placed);
        NewMin = placed.Min;
        NewMax = placed.Max;
        if (fits)
            return;
    }
}

void GetAutoScaleValuesFixed(double Min, double Max, int DesiredTicks, int MaxTicks, double& NewMin, double& NewMax,
                             int& TickCount)
{
    NewMin = Min;
    NewMax = Max;
    if (Min == Max) {
        TickCount = 2;
        return;
    }
    TickCount = DesiredTicks;
    const double span = std::fabs(Max - Min);
    const double base = ScaleBase(span);
    for (int k = 100; k >= 2; --k) {
        const double width = 0.1 * base * k;
        if (span < width || MaxTicks < 2)
            continue;
        for (int m = MaxTicks; m >= 2; --m) {
            const long long count = RoundTickCount(width, m, DesiredTicks);
            TickCount = ClampToInt(count);
            if (m < count)
                continue;
            Range placed{};
            const bool fits = PlaceFixed({Min, Max}, width, width / double(count - 1), placed);
            NewMin = placed.Min;
            NewMax = placed.Max;
            if (fits)
                return;
        }
    }
}

// ---- Time spans ----

namespace {

constexpr long long kMsPerDay = 86400000;
constexpr long long kDayLimit = 1000000000;  // beyond any span a date can have

// The span in whole units of unitMs milliseconds: whole days plus the time of day, which
// is the absolute fraction rounded to the millisecond. A fraction that rounds up to a full
// day carries into the days rather than wrapping to midnight of the same day. LLONG_MAX for
// huge spans, -1 for hugely negative or NaN ones.
long long SpanInUnits(TDateTime span, long long unitMs)
{
    if (span >= double(kDayLimit))
        return LLONG_MAX;
    if (!(span > -double(kDayLimit)))
        return -1;
    long long days = Trunc(span);
    long long msOfDay = RoundHalfEven(std::fabs(span - double(days)) * double(kMsPerDay));
    if (msOfDay >= kMsPerDay) {
        msOfDay -= kMsPerDay;
        days += span < 0 ? -1 : 1;
    }
    return days * (kMsPerDay / unitMs) + msOfDay / unitMs;
}

int Saturated(long long total, int whenNegative)
{
    if (total < 0)
        return whenNegative;
    return int(std::min<long long>(total, INT_MAX));
}

}  // namespace

int DateToMilliSeconds(TDateTime Span) { return Saturated(SpanInUnits(Span, 1), INT_MAX); }

int DateToSeconds(TDateTime Span) { return Saturated(SpanInUnits(Span, 1000), INT_MAX); }

int DateToMinutes(TDateTime Span) { return Saturated(SpanInUnits(Span, 60000), 10000); }

int DateToHours(TDateTime Span) { return Saturated(SpanInUnits(Span, 3600000), INT_MAX); }

void iDecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day) { DecodeDate(DateTime, Year, Month, Day); }
