#pragma once
// Local wall-clock time for the host, injectable so tests can pin it.

struct HostTime {
    int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0;
};

class IHostClock {
public:
    virtual ~IHostClock() = default;
    virtual HostTime Now() const = 0;
};

class SystemHostClock final : public IHostClock {
public:
    HostTime Now() const override;
};

// The meter's two-digit year: calendar year minus 1900, minus a further 100 when above 99.
int TwoDigitYear(int calendarYear);
