#include "platform/core/DateTime.h"

#include "platform/core/Clock.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Regional.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr long long kMsPerDay = 86400000;
constexpr long long kDaysTo1970 = 25569;  // 1 January 1970 as a date-time day number
// Values beyond this many days are no dates at all (year 9999 ends at day 2958465); the
// limit keeps every integer conversion defined.
constexpr double kDayLimit = 1e9;

// A value split into whole days and the millisecond of the day, rounded to the millisecond
// first; a rounding that reaches a full day moves to the next day (away from zero).
struct Stamp {
    bool valid = false;
    long long days = 0;
    long long ms = 0;
    bool carried = false;
};

Stamp Split(TDateTime value)
{
    if (!std::isfinite(value) || std::fabs(value) >= kDayLimit)
        return {};
    const double whole = std::trunc(value);
    Stamp s{true, static_cast<long long>(whole), RoundHalfEven(std::fabs(value - whole) * kMsPerDay), false};
    if (s.ms >= kMsPerDay) {
        s.ms -= kMsPerDay;
        s.days += value < 0 ? -1 : 1;
        s.carried = true;
    }
    return s;
}

struct CivilDate {
    long long year;
    int month;
    int day;
};

// Proleptic Gregorian calendar from a day number (days since 1 January 1970 inside).
CivilDate CivilFromDays(long long days)
{
    long long z = days - kDaysTo1970 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2), month, day};
}

long long FloorMod(long long a, long long b) { return ((a % b) + b) % b; }

// A date day number with a time of day (0 <= fraction < 1): days before 30 December 1899
// carry the time negatively, so that the whole part stays the day.
TDateTime Combine(TDateTime date, double timeFraction) { return date >= 0 ? date + timeFraction : date - timeFraction; }

[[noreturn]] void RaiseEncodeError(const char* what)
{
    throw EConvertError(std::string("Invalid argument to ") + what + " encode");
}

// ------------------------------------------------------------------------- formatting

struct Parts {
    int year = 0, month = 0, day = 0, dayOfWeek = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool hasTime = false;
};

Parts PartsOf(TDateTime value)
{
    Parts p;
    DecodeDate(value, p.year, p.month, p.day);
    DecodeTime(value, p.hour, p.minute, p.second, p.millisecond);
    p.dayOfWeek = DayOfWeek(value);
    p.hasTime = p.hour || p.minute || p.second || p.millisecond;
    return p;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix)
{
    return text.size() - at >= prefix.size() && SameText(text.substr(at, prefix.size()), prefix);
}

// Length of the quoted literal starting at `at` (both quotes included, or up to the end).
size_t QuotedLength(std::string_view format, size_t at)
{
    const size_t close = format.find(format[at], at + 1);
    return close == std::string_view::npos ? format.size() - at : close - at + 1;
}

// The text inside a quoted literal (an unclosed one runs to the end).
std::string_view QuotedText(std::string_view literal)
{
    const bool closed = literal.size() >= 2 && literal.back() == literal.front();
    return literal.substr(1, literal.size() - (closed ? 2 : 1));
}

bool Uses12HourClock(std::string_view format)
{
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"' || c == '\'')
            i += QuotedLength(format, i) - 1;
        else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                 StartsWithNoCase(format, i, "ampm"))
            return true;
    }
    return false;
}

std::string Number(long long value, int width)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, value);
    return buffer;
}

template <size_t N>
const std::string& Name(const std::array<std::string, N>& names, int oneBased)
{
    static const std::string none;
    return (oneBased >= 1 && oneBased <= int(N)) ? names[size_t(oneBased - 1)] : none;
}

class DateTimeFormatter {
public:
    DateTimeFormatter(const Parts& parts, const TFormatSettings& region) : t(parts), r(region) {}

    // Nested formats (c, ddddd) may name each other; two levels are enough for any sane one.
    void Append(std::string_view format, int depth = 0)
    {
        if (depth > 2)
            return;
        const bool twelveHour = Uses12HourClock(format);
        char lastToken = 0;
        size_t i = 0;
        while (i < format.size()) {
            const char c = format[i];
            char token = Upper(c);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            size_t count = 1;
            if (std::string_view("YMDHNSZC").find(token) != std::string_view::npos) {
                while (i + count < format.size() && Upper(format[i + count]) == Upper(c))
                    ++count;
            }
            switch (token) {
            case 'Y': out += count <= 2 ? Number(t.year % 100, 2) : Number(t.year, 4); break;
            case 'M':
                out += count == 1   ? Number(t.month, 1)
                       : count == 2 ? Number(t.month, 2)
                       : count == 3 ? Name(r.ShortMonthNames, t.month)
                                    : Name(r.LongMonthNames, t.month);
                break;
            case 'D':
                if (count >= 5)
                    Append(r.ShortDateFormat, depth + 1);
                else
                    out += count == 1   ? Number(t.day, 1)
                           : count == 2 ? Number(t.day, 2)
                           : count == 3 ? Name(r.ShortDayNames, t.dayOfWeek)
                                        : Name(r.LongDayNames, t.dayOfWeek);
                break;
            case 'H': {
                const int hour = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
                out += Number(hour, count == 1 ? 1 : 2);
                break;
            }
            case 'N': out += Number(t.minute, count == 1 ? 1 : 2); break;
            case 'S': out += Number(t.second, count == 1 ? 1 : 2); break;
            case 'Z': out += Number(t.millisecond, count == 1 ? 1 : 3); break;
            case 'C':
                Append(r.ShortDateFormat, depth + 1);
                if (t.hasTime) {
                    out += ' ';
                    Append(r.LongTimeFormat, depth + 1);
                }
                break;
            case 'A': count = AppendAmPm(format, i); break;
            case '/': out += r.DateSeparator; break;
            case ':': out += r.TimeSeparator; break;
            case '"':
            case '\'':
                count = QuotedLength(format, i);
                out += QuotedText(format.substr(i, count));
                break;
            default: out += c;
            }
            i += count;
        }
    }

    std::string out;

private:
    // am/pm and a/p copy the letters as written; ampm uses the region's strings. Returns the
    // characters used ("a" alone is a literal).
    size_t AppendAmPm(std::string_view format, size_t i)
    {
        const bool pm = t.hour >= 12;
        if (StartsWithNoCase(format, i, "am/pm")) {
            out += format.substr(pm ? i + 3 : i, 2);
            return 5;
        }
        if (StartsWithNoCase(format, i, "a/p")) {
            out += format[pm ? i + 2 : i];
            return 3;
        }
        if (StartsWithNoCase(format, i, "ampm")) {
            out += pm ? r.TimePMString : r.TimeAMString;
            return 4;
        }
        out += format[i];
        return 1;
    }

    const Parts t;
    const TFormatSettings& r;
};

// ------------------------------------------------------------------------- parsing

class DateTimeScanner {
public:
    DateTimeScanner(std::string_view text, const TFormatSettings& region) : s(text), r(region) {}

    bool Scan(TDateTime& value)
    {
        SkipBlanks();
        const size_t start = pos;
        int first = 0, digits = 0;
        if (!Number(first, digits))
            return false;
        TDateTime date = 0;
        if (Peek() == r.DateSeparator) {
            pos = start;
            if (!ScanDate(date))
                return false;
            SkipBlanks();
            if (pos == s.size()) {
                value = date;
                return true;
            }
        } else {
            pos = start;
        }
        double time = 0;
        if (!ScanTime(time))
            return false;
        SkipBlanks();
        if (pos != s.size())
            return false;
        value = Combine(date, time);
        return true;
    }

private:
    char Peek() const { return pos < s.size() ? s[pos] : '\0'; }
    void SkipBlanks()
    {
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
    }
    bool Char(char c)
    {
        if (Peek() != c)
            return false;
        ++pos;
        return true;
    }
    bool Number(int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && digits < 9) {
            value = value * 10 + (s[pos++] - '0');
            ++digits;
        }
        return digits > 0;
    }

    // The order of day, month and year in the region's short date format.
    std::string DateOrder() const
    {
        std::string order;
        const std::string& f = r.ShortDateFormat;
        for (size_t i = 0; i < f.size(); ++i) {
            const char c = Upper(f[i]);
            if (f[i] == '"' || f[i] == '\'')
                i += QuotedLength(f, i) - 1;
            else if ((c == 'D' || c == 'M' || c == 'Y') && order.find(c) == std::string::npos)
                order += c;
        }
        return order.size() == 3 ? order : "MDY";
    }

    bool ScanDate(TDateTime& date)
    {
        int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
        int count = 0;
        do {
            if (!Number(n[count], digits[count]))
                return false;
            ++count;
        } while (count < 3 && Char(r.DateSeparator));
        if (count < 2)
            return false;

        std::string order = DateOrder();
        int year = 0, month = 0, day = 0, yearDigits = 4;
        if (count == 2) {
            order.erase(order.find('Y'), 1);
            int unusedMonth = 0, unusedDay = 0;
            DecodeDate(Now(), year, unusedMonth, unusedDay);
        }
        for (int k = 0; k < count; ++k) {
            switch (order[size_t(k)]) {
            case 'Y':
                year = n[k];
                yearDigits = digits[k];
                break;
            case 'M': month = n[k]; break;
            default: day = n[k]; break;
            }
        }
        if (yearDigits <= 2)
            year = WindowedYear(year);
        return TryEncodeDate(year, month, day, date);
    }

    // A two-digit year is taken within 50 years of the current year.
    static int WindowedYear(int twoDigits)
    {
        int currentYear = 0, month = 0, day = 0;
        DecodeDate(Now(), currentYear, month, day);
        const int windowStart = currentYear - 50;
        int year = windowStart / 100 * 100 + twoDigits;
        if (year < windowStart)
            year += 100;
        return year;
    }

    bool ScanTime(double& time)
    {
        int hour = 0, minute = 0, second = 0, ms = 0, digits = 0;
        if (!Number(hour, digits) || !Char(r.TimeSeparator) || !Number(minute, digits))
            return false;
        if (Char(r.TimeSeparator)) {
            if (!Number(second, digits))
                return false;
            if (Char(r.DecimalSeparator) && !Fraction(ms))
                return false;
        }
        SkipBlanks();
        const int half = AmPm();
        if (half >= 0) {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + half * 12;
        }
        return TryEncodeTime(hour, minute, second, ms, time);
    }

    // Up to three digits of a second's fraction, as milliseconds.
    bool Fraction(int& ms)
    {
        int digits = 0;
        if (!Number(ms, digits) || digits > 3)
            return false;
        for (; digits < 3; ++digits)
            ms *= 10;
        return true;
    }

    // 0 for AM, 1 for PM, -1 when neither follows.
    int AmPm()
    {
        const std::string_view rest = s.substr(pos);
        const std::string_view candidates[2][2] = {{r.TimeAMString, "AM"}, {r.TimePMString, "PM"}};
        for (int half = 0; half < 2; ++half) {
            for (std::string_view word : candidates[half]) {
                if (!word.empty() && rest.size() >= word.size() && SameText(rest.substr(0, word.size()), word)) {
                    pos += word.size();
                    return half;
                }
            }
        }
        return -1;
    }

    std::string_view s;
    const TFormatSettings& r;
    size_t pos = 0;
};

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year));
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    int dayOfYear = day;
    for (int m = 1; m < month; ++m)
        dayOfYear += DaysInMonth(year, m);
    const int y = year - 1;
    result = y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - 693594;
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || millisecond < 0 ||
        millisecond >= 1000)
        return false;
    result = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / kMsPerDay;
    return true;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond,
                       TDateTime& result)
{
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, millisecond, time))
        return false;
    result = Combine(date, time);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        RaiseEncodeError("date");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        RaiseEncodeError("time");
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    year = month = day = 0;
    const Stamp s = Split(value);
    if (!s.valid)
        return;
    const CivilDate d = CivilFromDays(s.days);
    if (d.year < 1 || d.year > 9999)
        return;
    year = int(d.year);
    month = d.month;
    day = d.day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    const long long ms = Split(value).ms;
    hour = int(ms / 3600000);
    minute = int(ms / 60000 % 60);
    second = int(ms / 1000 % 60);
    millisecond = int(ms % 1000);
}

int DayOfWeek(TDateTime value)
{
    const Stamp s = Split(value);
    return s.valid ? int(FloorMod(s.days - 1, 7)) + 1 : 0;
}

TDateTime IncMonth(TDateTime value, int months)
{
    const Stamp s = Split(value);
    if (!s.valid)
        RaiseEncodeError("date");
    const CivilDate d = CivilFromDays(s.days);
    const long long total = d.year * 12 + (d.month - 1) + months;
    const long long year = total >= 0 ? total / 12 : (total - 11) / 12;
    const int month = int(total - year * 12) + 1;
    if (year < 1 || year > 9999)
        RaiseEncodeError("date");
    const int day = std::min(d.day, DaysInMonth(int(year), month));
    const double timeOfDay = s.carried ? 0.0 : std::fabs(value - std::trunc(value));
    return Combine(EncodeDate(int(year), month, day), timeOfDay);
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    DateTimeFormatter formatter(PartsOf(value), Region());
    formatter.Append(format);
    return formatter.out;
}

std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

TDateTime StrToDateTime(std::string_view text)
{
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
    return value;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value)
{
    const std::string trimmed = Trim(text);
    return DateTimeScanner(trimmed, Region()).Scan(value);
}
