#include "platform/core/Clock.h"

#include <chrono>
#include <ctime>
#include <optional>
#include <utility>

namespace {

std::atomic<TClockOverride*> g_override{nullptr};

// The host reads the clock for every data line, many to a millisecond; the calendar work
// (the time zone, the encoding) is done once per millisecond and thread.
TDateTime SystemNow()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    const int millisecond = int(ts.tv_nsec / 1000000);
    struct Reading {
        bool Known = false;
        time_t Seconds = 0;
        int Millisecond = 0;
        TDateTime Value = 0;
    };
    thread_local Reading last;
    if (last.Known && last.Seconds == ts.tv_sec && last.Millisecond == millisecond)
        return last.Value;
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    TDateTime value = 0;
    TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                      local.tm_sec % 60,  // a leap second reads as the minute's first second
                      millisecond, value);
    last = {true, ts.tv_sec, millisecond, value};
    return value;
}

double SystemMonotonic()
{
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TDateTime Now()
{
    const TClockOverride* fake = g_override.load();
    return fake ? fake->GetNow() : SystemNow();
}

TLocalTime LocalTime()
{
    const TDateTime now = Now();
    // Decoded once per clock value and thread, as Now is encoded.
    thread_local std::optional<std::pair<TDateTime, TLocalTime>> last;
    if (last && last->first == now)
        return last->second;
    TLocalTime t;
    DecodeDate(now, t.Year, t.Month, t.Day);
    DecodeTime(now, t.Hour, t.Minute, t.Second, t.Millisecond);
    last.emplace(now, t);
    return t;
}

double MonotonicSeconds()
{
    const TClockOverride* fake = g_override.load();
    return fake ? fake->GetMonotonic() : SystemMonotonic();
}

TClockOverride::TClockOverride(TDateTime now, double monotonicSeconds)
    : m_now(now), m_monotonic(monotonicSeconds), m_previous(g_override.exchange(this))
{
}

TClockOverride::~TClockOverride() { g_override.store(m_previous); }

void TClockOverride::SetNow(TDateTime now) { m_now.store(now); }
void TClockOverride::SetMonotonic(double seconds) { m_monotonic.store(seconds); }

void TClockOverride::Advance(double seconds)
{
    m_now.store(m_now.load() + seconds / 86400.0);
    m_monotonic.store(m_monotonic.load() + seconds);
}

TDateTime TClockOverride::GetNow() const { return m_now.load(); }
double TClockOverride::GetMonotonic() const { return m_monotonic.load(); }
