#pragma once
// Components, increments and recoding of date-time values (days since 1899-12-30).
// Encoding (TryEncodeDateTime) and decoding come from platform/core/DateTime.h.

#include "platform/core/DateTime.h"

#include <cstdint>

using Word = std::uint16_t;

// A recode component of this value keeps the component of the value being recoded.
constexpr Word RecodeLeaveFieldAsIs = 65535;

Word YearOf(TDateTime D);
Word MonthOf(TDateTime D);
Word DayOf(TDateTime D);
Word HourOf(TDateTime D);
Word MinuteOf(TDateTime D);
Word SecondOf(TDateTime D);
Word MilliSecondOf(TDateTime D);

TDateTime IncYear(TDateTime D, int N = 1);
TDateTime IncWeek(TDateTime D, int N = 1);
TDateTime IncDay(TDateTime D, int N = 1);
TDateTime IncHour(TDateTime D, std::int64_t N = 1);
TDateTime IncMinute(TDateTime D, std::int64_t N = 1);
TDateTime IncSecond(TDateTime D, std::int64_t N = 1);
TDateTime IncMilliSecond(TDateTime D, std::int64_t N = 1);

bool TryRecodeDateTime(TDateTime D, Word Y, Word M, Word Day, Word H, Word N, Word S, Word MS, TDateTime& Result);
TDateTime RecodeDateTime(TDateTime D, Word Y, Word M, Word Day, Word H, Word N, Word S, Word MS);
TDateTime RecodeYear(TDateTime D, Word Value);
TDateTime RecodeMonth(TDateTime D, Word Value);
TDateTime RecodeDay(TDateTime D, Word Value);
TDateTime RecodeHour(TDateTime D, Word Value);
TDateTime RecodeMinute(TDateTime D, Word Value);
TDateTime RecodeSecond(TDateTime D, Word Value);
TDateTime RecodeMilliSecond(TDateTime D, Word Value);
TDateTime RecodeDate(TDateTime D, Word Y, Word M, Word Day);
TDateTime RecodeTime(TDateTime D, Word H, Word N, Word S, Word MS);

// Raises EConvertError "''%s'' is not a valid date and time" with the requested value.
[[noreturn]] void InvalidDateTimeError(Word Y, Word M, Word Day, Word H, Word N, Word S, Word MS, TDateTime D);
