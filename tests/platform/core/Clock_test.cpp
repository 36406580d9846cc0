#include "platform/core/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, OverrideFixesBothClocksAndNestsAndRestores)
{
    const double realMonotonic = MonotonicSeconds();
    {
        TClockOverride outer(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 500), 100);
        EXPECT_EQ(MonotonicSeconds(), 100);
        outer.Advance(0.5);
        EXPECT_EQ(MonotonicSeconds(), 100.5);
        const TLocalTime t = LocalTime();
        EXPECT_EQ((std::array{t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, t.Millisecond}),
                  (std::array{2024, 3, 1, 0, 0, 0, 0}));
        {
            TClockOverride inner(5, 7);
            EXPECT_EQ(Now(), 5);
            EXPECT_EQ(MonotonicSeconds(), 7);
        }
        EXPECT_EQ(MonotonicSeconds(), 100.5);
        outer.SetNow(1.5);
        EXPECT_EQ(Now(), 1.5);
    }
    EXPECT_GE(MonotonicSeconds(), realMonotonic);
    EXPECT_GT(LocalTime().Year, 2000);
}
