#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Date {
    int year, month, day;
    friend bool operator==(const Date&, const Date&) = default;
};

struct Time {
    int hour, minute, second, ms;
    friend bool operator==(const Time&, const Time&) = default;
};

std::ostream& operator<<(std::ostream& os, const Date& d) { return os << d.year << '-' << d.month << '-' << d.day; }
std::ostream& operator<<(std::ostream& os, const Time& t)
{
    return os << t.hour << ':' << t.minute << ':' << t.second << '.' << t.ms;
}

Date DateOf(TDateTime v)
{
    Date d{};
    DecodeDate(v, d.year, d.month, d.day);
    return d;
}

Time TimeOf(TDateTime v)
{
    Time t{};
    DecodeTime(v, t.hour, t.minute, t.second, t.ms);
    return t;
}

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0)
{
    TDateTime v = 0;
    EXPECT_TRUE(TryEncodeDateTime(y, m, d, h, n, s, ms, v));
    return v;
}

TFormatSettings DottedRegion()
{
    TFormatSettings s = TFormatSettings::English();
    s.DecimalSeparator = ',';
    s.DateSeparator = '.';
    s.TimeSeparator = '.';
    s.ShortDateFormat = "dd/mm/yyyy";
    return s;
}

}  // namespace

TEST(DateTime, CalendarRules)
{
    for (auto [year, leap] : {std::pair{1900, false}, {2000, true}, {2024, true}, {2100, false}, {2023, false}})
        EXPECT_EQ(IsLeapYear(year), leap) << year;
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(DateTime, EncodeDateCountsDaysFromTheEpochAndRefusesInvalidDates)
{
    const std::pair<Date, double> days[] = {
        {{1899, 12, 30}, 0},    {{1899, 12, 29}, -1}, {{1900, 1, 1}, 2},         {{1900, 3, 1}, 61},
        {{2000, 2, 29}, 36585}, {{1, 1, 1}, -693593}, {{9999, 12, 31}, 2958465},
    };
    for (const auto& [d, expected] : days)
        EXPECT_EQ(EncodeDate(d.year, d.month, d.day), expected) << d;

    for (Date d : {Date{1900, 2, 29},
                   {2100, 2, 29},
                   {2000, 2, 30},
                   {2024, 4, 31},
                   {2024, 13, 1},
                   {2024, 0, 1},
                   {0, 1, 1},
                   {10000, 1, 1},
                   {2024, 1, 0}}) {
        TDateTime v = 7;
        EXPECT_FALSE(TryEncodeDate(d.year, d.month, d.day, v)) << d;
        EXPECT_EQ(v, 7);
        EXPECT_THROW(EncodeDate(d.year, d.month, d.day), EConvertError);
    }
    TDateTime v = 0;
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
    EXPECT_FALSE(TryEncodeDateTime(2024, 1, 1, 0, 60, 0, 0, v));
    EXPECT_FALSE(TryEncodeDateTime(2024, 1, 1, 0, 0, 0, 1000, v));
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
}

TEST(DateTime, EveryDayDecodesToTheDateItWasEncodedFrom)
{
    Date expected{1, 1, 1};
    for (int day = -693593; day <= 2958465; ++day) {
        ASSERT_EQ(DateOf(day), expected) << day;
        if (++expected.day > DaysInMonth(expected.year, expected.month)) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

TEST(DateTime, DecodingRoundsToTheMillisecondFirst)
{
    const double ms = 1.0 / 86400000;
    struct Case {
        TDateTime value;
        Date date;
        Time time;
    };
    const Case cases[] = {
        {At(2024, 12, 31) + 86399999.6 * ms, {2025, 1, 1}, {0, 0, 0, 0}},  // 23:59:59.9996
        {At(2024, 12, 31) + 86399999.4 * ms, {2024, 12, 31}, {23, 59, 59, 999}},
        {0.5, {1899, 12, 30}, {12, 0, 0, 0}},
        {-1.25, {1899, 12, 29}, {6, 0, 0, 0}},  // before the epoch: absolute fraction is the time
        {-0.25, {1899, 12, 30}, {6, 0, 0, 0}},
        {-1 - 86399999.6 * ms, {1899, 12, 28}, {0, 0, 0, 0}},
        {At(2024, 2, 29, 13, 5, 7, 9), {2024, 2, 29}, {13, 5, 7, 9}},
        {At(1899, 12, 29, 6, 0, 0, 0), {1899, 12, 29}, {6, 0, 0, 0}},
        {std::nan(""), {0, 0, 0}, {0, 0, 0, 0}},
        {HUGE_VAL, {0, 0, 0}, {0, 0, 0, 0}},
        {-693594.5, {0, 0, 0}, {12, 0, 0, 0}},  // before year 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateOf(c.value), c.date) << c.value;
        EXPECT_EQ(TimeOf(c.value), c.time) << c.value;
    }
    EXPECT_EQ(At(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(DateTime, DayOfWeekCountsFromSunday)
{
    EXPECT_EQ(DayOfWeek(0), 7);  // 30 December 1899, a Saturday
    EXPECT_EQ(DayOfWeek(-1), 6);
    EXPECT_EQ(DayOfWeek(At(2024, 2, 29)), 5);     // Thursday
    EXPECT_EQ(DayOfWeek(At(2024, 3, 3, 23)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(At(1, 1, 1)), 2);         // Monday
}

TEST(DateTime, IncMonthClampsTheDayToTheMonthEnd)
{
    struct Case {
        Date from;
        int months;
        Date to;
    };
    const Case cases[] = {
        {{2024, 1, 31}, 1, {2024, 2, 29}},  {{2023, 1, 31}, 1, {2023, 2, 28}},  {{2024, 3, 31}, -1, {2024, 2, 29}},
        {{2024, 5, 31}, 1, {2024, 6, 30}},  {{2023, 12, 15}, 1, {2024, 1, 15}}, {{2024, 1, 15}, -13, {2022, 12, 15}},
        {{2000, 2, 29}, 12, {2001, 2, 28}}, {{1900, 1, 31}, 1, {1900, 2, 28}},  {{1899, 11, 30}, 1, {1899, 12, 30}},
        {{1, 1, 31}, 0, {1, 1, 31}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateOf(IncMonth(At(c.from.year, c.from.month, c.from.day), c.months)), c.to) << c.from;

    const TDateTime evening = IncMonth(At(2024, 1, 31, 18, 30), 1);
    EXPECT_EQ(DateOf(evening), (Date{2024, 2, 29}));
    EXPECT_EQ(TimeOf(evening), (Time{18, 30, 0, 0}));
    const TDateTime early = IncMonth(At(1899, 10, 30, 6), 1);
    EXPECT_EQ(DateOf(early), (Date{1899, 11, 30}));
    EXPECT_EQ(TimeOf(early), (Time{6, 0, 0, 0}));

    EXPECT_THROW(IncMonth(At(9999, 12, 1), 1), EConvertError);
    EXPECT_THROW(IncMonth(At(1, 1, 1), -1), EConvertError);
}

TEST(DateTime, FormatDateTimeTokens)
{
    const TDateTime v = At(2024, 3, 5, 14, 7, 9, 45);  // a Tuesday
    const std::pair<const char*, const char*> cases[] = {
        {"d", "5"},
        {"dd", "05"},
        {"ddd", "Tue"},
        {"dddd", "Tuesday"},
        {"ddddd", "3/5/2024"},
        {"m", "3"},
        {"mm", "03"},
        {"mmm", "Mar"},
        {"mmmm", "March"},
        {"yy", "24"},
        {"yyyy", "2024"},
        {"h", "14"},
        {"hh:mm", "14:07"},
        {"h:m", "14:7"},
        {"d m", "5 3"},
        {"n", "7"},
        {"nn", "07"},
        {"s", "9"},
        {"ss", "09"},
        {"z", "45"},
        {"zzz", "045"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"hh am/pm", "02 pm"},
        {"h AM/PM", "2 PM"},
        {"h a/p", "2 p"},
        {"h ampm", "2 PM"},
        {"c", "3/5/2024 14:07:09"},
        {"C", "3/5/2024 14:07:09"},
        {"'d' d", "d 5"},
        {"\"at\" hh", "at 14"},
        {"DD/MM/YYYY", "05/03/2024"},
        {"yyyy-mm-dd", "2024-03-05"},
        {"x", "x"},
        {"", ""},
    };
    for (const auto& [format, text] : cases)
        EXPECT_EQ(FormatDateTime(format, v), text) << format;

    EXPECT_EQ(FormatDateTime("h:nn am/pm", At(2024, 1, 1, 0, 30)), "12:30 am");
    EXPECT_EQ(FormatDateTime("h:nn AMPM", At(2024, 1, 1, 12)), "12:00 PM");
    EXPECT_EQ(FormatDateTime("yy yyyy", At(5, 1, 1)), "05 0005");
}

TEST(DateTime, DateTimeToStrShowsTheTimeOnlyWhenThereIsOne)
{
    const double ms = 1.0 / 86400000;
    EXPECT_EQ(DateTimeToStr(0), "12/30/1899");
    EXPECT_EQ(DateTimeToStr(At(2024, 3, 5)), "3/5/2024");
    EXPECT_EQ(DateTimeToStr(At(2024, 3, 5, 0, 0, 0, 1)), "3/5/2024 00:00:00");
    EXPECT_EQ(DateTimeToStr(At(2024, 12, 31) + 86399999.6 * ms), "1/1/2025");
    EXPECT_EQ(DateTimeToStr(-1.25), "12/29/1899 06:00:00");

    TRegionGuard region(DottedRegion());
    EXPECT_EQ(DateTimeToStr(At(2024, 3, 5, 14, 7, 9)), "05.03.2024 14.07.09");
}

TEST(DateTime, StrToDateTimeReadsTheRegionsForms)
{
    TClockOverride clock(At(2026, 6, 15, 10));
    const std::pair<const char*, TDateTime> cases[] = {
        {"3/5/2024", At(2024, 3, 5)},
        {" 3/5/2024 14:07:09 ", At(2024, 3, 5, 14, 7, 9)},
        {"3/5/2024 2:07 pm", At(2024, 3, 5, 14, 7)},
        {"3/5/2024 14:07:09.5", At(2024, 3, 5, 14, 7, 9, 500)},
        {"3/5/24", At(2024, 3, 5)},
        {"3/5/75", At(2075, 3, 5)},  // two-digit years fall within 50 years of now
        {"3/5/76", At(1976, 3, 5)},
        {"3/5", At(2026, 3, 5)},  // current year
        {"12:00 AM", 0},
        {"2:30 PM", EncodeTime(14, 30, 0, 0)},
        {"12/29/1899 06:00:00", -1.25},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToDateTime(text), value) << text;

    for (const char* text : {"", "2/30/2024", "13/1/2024", "25:00", "abc", "3/5/2024 x", "13:00 PM", "3/5/2024/", "3",
                             "3/5/", "1:2:3:4", "3/5/2024 14:07:09.1234"}) {
        TDateTime v = 7;
        EXPECT_FALSE(TryStrToDateTime(text, v)) << text;
        EXPECT_EQ(v, 7);
    }
    try {
        StrToDateTime("31/1/2024");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'31/1/2024' is not a valid date and time");
    }

    TRegionGuard region(DottedRegion());
    const TDateTime v = At(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(v)), v);
    EXPECT_EQ(StrToDateTime("31.1.2024"), At(2024, 1, 31));
}
