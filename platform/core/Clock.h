#pragma once
// The two clocks of the library: the local calendar time (Now) and a monotonic clock in
// seconds for frame-rate limiting and auto-repeat. Tests replace both with TClockOverride.

#include "platform/core/DateTime.h"

#include <atomic>

TDateTime Now();  // local date and time, millisecond resolution

struct TLocalTime {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};
TLocalTime LocalTime();  // Now() broken down

double MonotonicSeconds();  // seconds since an arbitrary start, never going back

// Fixes both clocks for its lifetime (nesting restores the outer one). Starts at the given
// values; the clocks then move only through the setters. Reading from other threads is
// safe; the override must outlive them.
class TClockOverride {
public:
    explicit TClockOverride(TDateTime now = 0, double monotonicSeconds = 0);
    ~TClockOverride();
    TClockOverride(const TClockOverride&) = delete;
    TClockOverride& operator=(const TClockOverride&) = delete;

    void SetNow(TDateTime now);
    void SetMonotonic(double seconds);
    void Advance(double seconds);  // moves both clocks

    TDateTime GetNow() const;
    double GetMonotonic() const;

private:
    std::atomic<double> m_now;
    std::atomic<double> m_monotonic;
    TClockOverride* m_previous;
};
