#pragma once
// Date-time values: days since 30 December 1899, the fraction being the time of day. A value
// before that day counts the days negatively and its time of day by the absolute fraction
// (-1.25 is 29 December 1899, 06:00). Decoding rounds to the millisecond first, so
// 23:59:59.9996 reads as midnight of the next day.

#include <string>
#include <string_view>

using TDateTime = double;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// Years 1..9999. Invalid components: TryEncode* return false, Encode* raise EConvertError.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond,
                       TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// A date outside the years 1..9999 decodes to 0/0/0; NaN, infinities and values of 1e9
// days or more decode to 0/0/0 and 00:00:00.000.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// Adds months keeping the day, shortened to the last day of the resulting month, and the
// time of day. Leaving the years 1..9999 raises EConvertError.
TDateTime IncMonth(TDateTime value, int months = 1);

// Format tokens (letters in any case): d, dd (day), ddd, dddd (short, long day name),
// ddddd (short date format), m, mm (month; minute right after an hour token), mmm, mmmm
// (short, long month name), yy, yyyy, h, hh, n, nn, s, ss, z, zzz (milliseconds), am/pm and
// a/p (as written, and a 12-hour clock), ampm (the region's AM/PM strings), c (short date
// and, when the time of day is not 0, a blank and the long time format); "/" and ":" are the
// region's separators; text in double or single quotes is copied.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateTimeToStr(TDateTime value);  // the "c" format

// A date in the order of the region's short date format, with the region's date separator,
// and/or a time h:n[:s[.z]] with the region's time separator and an optional AM/PM suffix.
// Two-digit years fall within 50 years of the current year; a date of two numbers takes the
// current year. Failures raise EConvertError "'%s' is not a valid date and time".
TDateTime StrToDateTime(std::string_view text);
bool TryStrToDateTime(std::string_view text, TDateTime& value);
