#include "platform/core/Assert.h"

#include <gtest/gtest.h>

TEST(Assert, HeldInvariantPassesQuietly)
{
    int calls = 0;
    PRAVIX_ASSERT(++calls > 0, "counting up from zero is positive");
#ifdef PRAVIX_ASSERTIONS
    EXPECT_EQ(calls, 1);
#else
    // Without assertions the condition is compiled but never runs.
    EXPECT_EQ(calls, 0);
#endif
}

#ifdef PRAVIX_ASSERTIONS
TEST(AssertDeathTest, BrokenInvariantAbortsNamingItsReasonAndCondition)
{
    const int channels = 3;
    EXPECT_DEATH(PRAVIX_ASSERT(channels < 3, "a channel index stays below the count"),
                 "Assert_test.cpp:[0-9]+: invariant broken: a channel index stays below the count "
                 "\\(channels < 3\\)");
}
#endif
