#include "components/iDataNullList.h"

#include "components/RingListModel.h"

#include <gtest/gtest.h>

// Readable failure messages.
void PrintTo(const TDataNull& r, std::ostream* out) { *out << "(" << r.Value << ", " << int(r.Status) << ")"; }

namespace {

TDataNull Record(int n) { return {n * 0.5, TiChannelDataSatus(n % 3)}; }

std::vector<TDataNull> Items(const TiDataNullList& list)
{
    std::vector<TDataNull> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.GetItem(i));
    return items;
}

}  // namespace

TEST(iDataNullList, RingKeepsTheNewestAndSaysWhenItReplaced)
{
    TiDataNullList list;
    list.RingBuffer = true;
    list.SetCapacity(3);
    const TDataNull a = Record(1), b = Record(2), c = Record(3), d = Record(4);
    EXPECT_FALSE(list.Add(a));
    EXPECT_FALSE(list.Add(b));
    EXPECT_FALSE(list.Add(c));
    EXPECT_TRUE(list.Add(d));
    EXPECT_EQ(Items(list), (std::vector<TDataNull>{b, c, d}));
    EXPECT_EQ(list.Capacity(), 3);

    // A wrapped ring cut or resized keeps its logical order.
    list.DeleteRange(1);
    EXPECT_EQ(Items(list), (std::vector<TDataNull>{c, d}));
    EXPECT_EQ(list.RingStart(), 0);
    EXPECT_FALSE(list.Add(Record(5)));
    EXPECT_TRUE(list.Add(Record(6)));  // wraps again
    list.SetCapacity(5);               // enlarged: room again
    EXPECT_EQ(Items(list), (std::vector<TDataNull>{d, Record(5), Record(6)}));
    list.SetCapacity(2);  // shrunk: the newest stay
    EXPECT_EQ(Items(list), (std::vector<TDataNull>{Record(5), Record(6)}));
}

TEST(iDataNullList, PlainListGrowsInSteps)
{
    TiDataNullList list;
    std::vector<int> capacities = {list.Capacity()};
    for (int i = 0; i < 95; ++i) {
        EXPECT_FALSE(list.Add(Record(i)));
        if (list.Capacity() != capacities.back())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{0, 4, 8, 12, 28, 44, 60, 76, 95}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 4);

    // A ring without storage has nothing to replace into: it grows like a plain list.
    TiDataNullList ring;
    ring.RingBuffer = true;
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(ring.Add(Record(i)));
    EXPECT_EQ(ring.Count(), 10);
    EXPECT_FALSE(ring.RingBuffer);
}

TEST(iDataNullList, RefusedCallsLeaveTheListAsItWas)
{
    TiDataNullList list;
    for (int i = 0; i < 3; ++i)
        list.Add(Record(i));
    const auto before = Items(list);
    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {[&] { list.DeleteRange(3); }, "Delete size out of Range"},
        {[&] { list.DeleteRange(-1); }, "Delete size out of Range"},
        {[&] { list.SetCapacity(134217728); }, "Exceed Maximum List Size"},
        {[&] { list.SetCapacity(-1); }, "Exceed Maximum List Size"},
        {[&] { list.GetItem(3); }, "Index out of Bounds"},
        {[&] { list.SetItem(-1, Record(9)); }, "Index out of Bounds"},
        {[&] { list.DeleteRange(0); }, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RaisedBy(c.call), c.message);
        EXPECT_EQ(Items(list), before);
        EXPECT_EQ(list.Capacity(), 4);
    }
    TiDataNullList empty;
    EXPECT_EQ(RaisedBy([&] { empty.DeleteRange(0); }), "Delete size out of Range");
}

TEST(iDataNullList, RandomSequencesAgreeWithTheModel)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        RandomWalk<TiDataNullList, TDataNull>(
            seed, 600, [](TiDataNullList& l, const TDataNull& item) -> std::optional<bool> { return l.Add(item); },
            Record);
        if (HasFatalFailure())
            return;
    }
}
