#include "components/iDateUtils.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

TEST(iDateUtils, ComponentsOfAValue)
{
    const TDateTime d = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 7, 250);
    EXPECT_EQ(YearOf(d), 2024);
    EXPECT_EQ(MonthOf(d), 2);
    EXPECT_EQ(DayOf(d), 29);
    EXPECT_EQ(HourOf(d), 13);
    EXPECT_EQ(MinuteOf(d), 45);
    EXPECT_EQ(SecondOf(d), 7);
    EXPECT_EQ(MilliSecondOf(d), 250);
}

TEST(iDateUtils, IncrementsKeepTheirUnits)
{
    EXPECT_DOUBLE_EQ(IncHour(0.5, 6), 0.75);
    EXPECT_DOUBLE_EQ(IncMinute(0, 1440), 1);
    EXPECT_DOUBLE_EQ(IncWeek(10, 2), 24);
    EXPECT_DOUBLE_EQ(IncDay(10, -3), 7);
    EXPECT_NEAR(IncMilliSecond(1, 86400000LL * 3), 4, 1e-12);
    // A year from a leap day lands on the last day of February.
    EXPECT_DOUBLE_EQ(IncYear(EncodeDate(2024, 2, 29), 1), EncodeDate(2025, 2, 28));
}

TEST(iDateUtils, RecodeReplacesOnlyTheGivenComponents)
{
    const TDateTime d = EncodeDate(2021, 1, 31) + EncodeTime(8, 30, 0, 0);
    EXPECT_DOUBLE_EQ(RecodeYear(d, 2020), EncodeDate(2020, 1, 31) + EncodeTime(8, 30, 0, 0));
    EXPECT_DOUBLE_EQ(RecodeTime(d, 23, 59, 59, 999), EncodeDate(2021, 1, 31) + EncodeTime(23, 59, 59, 999));
    EXPECT_DOUBLE_EQ(RecodeDate(d, 1999, 12, 31), EncodeDate(1999, 12, 31) + EncodeTime(8, 30, 0, 0));
}

TEST(iDateUtils, InvalidRecodeNamesTheRequestedValue)
{
    struct Case {
        TDateTime d;
        Word month;
        const char* message;
    };
    const Case cases[] = {
        {EncodeDate(2021, 1, 31) + EncodeTime(8, 30, 5, 7), 2, "''2021/2/31 8:30:5.7'' is not a valid date and time"},
        {0, 13, "''?/13/? ?:?:?.?'' is not a valid date and time"},
    };
    for (const Case& c : cases) {
        try {
            RecodeMonth(c.d, c.month);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}
