#include "components/iDoubleList.h"

#include "components/RingListModel.h"

#include <gtest/gtest.h>

TEST(iDoubleList, RingOfThreeKeepsTheLastThree)
{
    TiDoubleList list;
    list.RingBuffer = true;
    list.SetCapacity(3);
    for (double v : {1.0, 2.0, 3.0, 4.0, 5.0})
        list.Add(v);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem(0), 3.0);
    EXPECT_EQ(list.GetItem(2), 5.0);
}

TEST(iDoubleList, RandomSequencesAgreeWithTheModel)
{
    for (unsigned seed = 100; seed < 140; ++seed) {
        RandomWalk<TiDoubleList, double>(
            seed, 600,
            [](TiDoubleList& l, const double& item) -> std::optional<bool> {
                l.Add(item);
                return std::nullopt;  // reports nothing
            },
            [](int n) { return n * 1.25 - 7; });
        if (HasFatalFailure())
            return;
    }
}
