#include "app/core/HostClock.h"

#include "platform/core/Clock.h"

// The platform's clock, so a test's clock override reaches the host too.
HostTime SystemHostClock::Now() const
{
    const TLocalTime now = LocalTime();
    return {now.Year, now.Month, now.Day, now.Hour, now.Minute, now.Second};
}

int TwoDigitYear(int calendarYear)
{
    int year = calendarYear - 1900;
    return year > 99 ? year - 100 : year;
}
