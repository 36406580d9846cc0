#include "app/HostClock.h"

#include <ctime>

LocalTime SystemHostClock::Now() const
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int TwoDigitYear(int calendarYear)
{
    int year = calendarYear - 1900;
    return year > 99 ? year - 100 : year;
}
