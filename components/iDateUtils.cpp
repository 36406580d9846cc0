#include "components/iDateUtils.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"

#include <array>
#include <string>

namespace {

struct Components {
    std::array<int, 7> Values{};  // year, month, day, hour, minute, second, millisecond
};

Components Decode(TDateTime D)
{
    Components c;
    auto& v = c.Values;
    DecodeDate(D, v[0], v[1], v[2]);
    DecodeTime(D, v[3], v[4], v[5], v[6]);
    return c;
}

TDateTime IncByFraction(TDateTime D, std::int64_t N, double perDay)
{
    return (D * perDay + static_cast<double>(N)) / perDay;
}

}  // namespace

Word YearOf(TDateTime D) { return Word(Decode(D).Values[0]); }
Word MonthOf(TDateTime D) { return Word(Decode(D).Values[1]); }
Word DayOf(TDateTime D) { return Word(Decode(D).Values[2]); }
Word HourOf(TDateTime D) { return Word(Decode(D).Values[3]); }
Word MinuteOf(TDateTime D) { return Word(Decode(D).Values[4]); }
Word SecondOf(TDateTime D) { return Word(Decode(D).Values[5]); }
Word MilliSecondOf(TDateTime D) { return Word(Decode(D).Values[6]); }

TDateTime IncYear(TDateTime D, int N) { return IncMonth(D, 12 * N); }
TDateTime IncWeek(TDateTime D, int N) { return D + 7.0 * N; }
TDateTime IncDay(TDateTime D, int N) { return D + N; }
TDateTime IncHour(TDateTime D, std::int64_t N) { return IncByFraction(D, N, 24); }
TDateTime IncMinute(TDateTime D, std::int64_t N) { return IncByFraction(D, N, 1440); }
TDateTime IncSecond(TDateTime D, std::int64_t N) { return IncByFraction(D, N, 86400); }
TDateTime IncMilliSecond(TDateTime D, std::int64_t N) { return IncByFraction(D, N, 86400000); }

bool TryRecodeDateTime(TDateTime D, Word Y, Word M, Word Day, Word H, Word N, Word S, Word MS, TDateTime& Result)
{
    Components c = Decode(D);
    const std::array<Word, 7> requested{Y, M, Day, H, N, S, MS};
    for (std::size_t i = 0; i < requested.size(); ++i)
        if (requested[i] != RecodeLeaveFieldAsIs)
            c.Values[i] = requested[i];
    const auto& v = c.Values;
    return TryEncodeDateTime(v[0], v[1], v[2], v[3], v[4], v[5], v[6], Result);
}

TDateTime RecodeDateTime(TDateTime D, Word Y, Word M, Word Day, Word H, Word N, Word S, Word MS)
{
    TDateTime result = 0;
    if (!TryRecodeDateTime(D, Y, M, Day, H, N, S, MS, result))
        InvalidDateTimeError(Y, M, Day, H, N, S, MS, D);
    return result;
}

constexpr Word Keep = RecodeLeaveFieldAsIs;

TDateTime RecodeYear(TDateTime D, Word Value) { return RecodeDateTime(D, Value, Keep, Keep, Keep, Keep, Keep, Keep); }
TDateTime RecodeMonth(TDateTime D, Word Value) { return RecodeDateTime(D, Keep, Value, Keep, Keep, Keep, Keep, Keep); }
TDateTime RecodeDay(TDateTime D, Word Value) { return RecodeDateTime(D, Keep, Keep, Value, Keep, Keep, Keep, Keep); }
TDateTime RecodeHour(TDateTime D, Word Value) { return RecodeDateTime(D, Keep, Keep, Keep, Value, Keep, Keep, Keep); }
TDateTime RecodeMinute(TDateTime D, Word Value) { return RecodeDateTime(D, Keep, Keep, Keep, Keep, Value, Keep, Keep); }
TDateTime RecodeSecond(TDateTime D, Word Value) { return RecodeDateTime(D, Keep, Keep, Keep, Keep, Keep, Value, Keep); }
TDateTime RecodeMilliSecond(TDateTime D, Word Value)
{
    return RecodeDateTime(D, Keep, Keep, Keep, Keep, Keep, Keep, Value);
}

TDateTime RecodeDate(TDateTime D, Word Y, Word M, Word Day)
{
    return RecodeDateTime(D, Y, M, Day, Keep, Keep, Keep, Keep);
}

TDateTime RecodeTime(TDateTime D, Word H, Word N, Word S, Word MS)
{
    return RecodeDateTime(D, Keep, Keep, Keep, H, N, S, MS);
}

void InvalidDateTimeError(Word Y, Word M, Word Day, Word H, Word N, Word S, Word MS, TDateTime D)
{
    const Components own = Decode(D);
    const std::array<Word, 7> requested{Y, M, Day, H, N, S, MS};
    auto text = [&](std::size_t i) -> std::string {
        if (requested[i] != RecodeLeaveFieldAsIs)
            return std::to_string(requested[i]);
        return D == 0 ? "?" : std::to_string(own.Values[i]);
    };
    const TFormatSettings& region = Region();
    const std::string value = text(0) + region.DateSeparator + text(1) + region.DateSeparator + text(2) + " " +
                              text(3) + region.TimeSeparator + text(4) + region.TimeSeparator + text(5) +
                              region.DecimalSeparator + text(6);
    throw EConvertError("''" + value + "'' is not a valid date and time");
}
