#include "plot/objects/iPlotChannelTypes.h"
#include "plot/objects/iPlotDataCompactIntervalList.h"
#include "plot/objects/iPlotDataCompactList.h"
#include "plot/objects/iPlotDataFullList.h"
#include "plot/objects/iPlotDataNullList.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TiPlotDataCustomList> MakeList(TiPlotDataStyle style)
{
    switch (style) {
    case ipdsStandard: return std::make_unique<TiPlotDataNullList>();
    case ipdsCompact: return std::make_unique<TiPlotDataCompactList>();
    case ipdsCompactInterval: return std::make_unique<TiPlotDataCompactIntervalList>();
    case ipdsFullFeature: return std::make_unique<TiPlotDataFullList>();
    }
    return nullptr;
}

const TiPlotDataStyle AllStyles[] = {ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature};

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

std::string DeleteMessage(TiPlotDataStyle style)
{
    return style == ipdsFullFeature ? "Delete Size Out Of Range" : "Delete size out of Range";
}

std::vector<double> Ys(const TiPlotDataCustomList& list)
{
    std::vector<double> ys;
    for (int i = 0; i < list.Count(); ++i)
        ys.push_back(list.GetY(i));
    return ys;
}

std::vector<double> Xs(const TiPlotDataCustomList& list)
{
    std::vector<double> xs;
    for (int i = 0; i < list.Count(); ++i)
        xs.push_back(list.GetX(i));
    return xs;
}

void AddYs(TiPlotDataCustomList& list, std::initializer_list<double> ys)
{
    for (double y : ys)
        list.Add(y, y, false, false);
}

// A plain model of what a list must hold: the points in logical order in a deque, with
// the values as each list stores them.
class ReferenceList {
public:
    struct Point {
        double X, Y;
        bool Null, Empty;
    };

    explicit ReferenceList(TiPlotDataStyle style, int maximum) : m_style(style), m_maximum(maximum) {}

    std::deque<Point> points;
    int capacity = 0;
    bool ring = false;

    int Add(double x, double y, bool null, bool empty)
    {
        const Point point = Stored(x, y, null, empty);
        if (ring && int(points.size()) == capacity) {
            points.pop_front();
            points.push_back(point);
            const int slot = m_start;
            m_start = (m_start + 1) % capacity;
            return slot;
        }
        if (!ring && int(points.size()) == capacity)
            capacity = TiPlotDataCustomList::NextCapacity(capacity, m_maximum);
        points.push_back(point);
        return int(points.size()) - 1;
    }

    void Clear()
    {
        points.clear();
        m_start = 0;
        m_intervalMeasured = false;
        if (!ring)
            capacity = 0;
    }

    bool DeletePoints(int n)
    {
        if (n < 0 || n >= int(points.size()))
            return false;
        points.erase(points.begin(), points.begin() + n);
        m_start = 0;
        return true;
    }

    bool SetCapacity(int n)
    {
        if (n < 0 || n > m_maximum)
            return false;
        if (n == capacity)
            return true;
        if (n == 0)
            ring = false;
        else if (ring && n < int(points.size()))
            DeletePoints(int(points.size()) - n);
        m_start = 0;
        capacity = n;
        while (int(points.size()) > n)
            points.pop_back();
        return true;
    }

    bool SetRingBufferSize(int size)
    {
        if (size < 0 || size > m_maximum)
            return false;
        if (size == 0) {
            if (ring) {
                ring = false;
                if (m_start != 0)
                    Clear();
            }
            return true;
        }
        ring = true;
        if (size == capacity)
            return true;
        if (m_start != 0)
            Clear();
        if (size < int(points.size()))
            DeletePoints(int(points.size()) - size);
        return SetCapacity(size);
    }

private:
    Point Stored(double x, double y, bool null, bool empty)
    {
        switch (m_style) {
        case ipdsCompact: return {double(float(x)), double(float(y)), false, false};
        case ipdsCompactInterval: return {IntervalX(x), double(float(y)), false, false};
        default: return {x, y, null, empty};
        }
    }

    // The X an interval list gives a new point: its own X for the first two points after a
    // clear, then one interval past the newest point.
    double IntervalX(double x)
    {
        if (points.empty())
            return x;
        if (points.size() == 1 && !m_intervalMeasured) {
            m_intervalMeasured = true;
            m_interval = x - points.front().X;
            return x;
        }
        return points.back().X + m_interval;
    }

    TiPlotDataStyle m_style;
    int m_maximum;
    int m_start = 0;
    bool m_intervalMeasured = false;
    double m_interval = 0;
};

// Reading a block of points at once answers what reading them one by one does, across the
// wrap of a ring, and refuses a block reaching past the points held.
void ExpectBlockReadsSame(const TiPlotDataCustomList& list)
{
    const int count = list.Count();
    for (const int first : {0, count / 3}) {
        const int n = count - first;
        std::vector<double> xs(size_t(n) + 1), ys(size_t(n) + 1);
        std::unique_ptr<bool[]> empties(new bool[size_t(n) + 1]), nulls(new bool[size_t(n) + 1]);
        list.ReadXYEmptyNull(first, n, xs.data(), ys.data(), empties.get(), nulls.get());
        for (int i = 0; i < n; ++i) {
            double x, y;
            bool empty, null;
            list.GetXYEmptyNull(first + i, x, y, empty, null);
            ASSERT_EQ(xs[size_t(i)], x) << "point " << first + i;
            ASSERT_EQ(ys[size_t(i)], y) << "point " << first + i;
            ASSERT_EQ(empties[size_t(i)], empty) << "point " << first + i;
            ASSERT_EQ(nulls[size_t(i)], null) << "point " << first + i;
        }
        ASSERT_EQ(
            MessageOf([&] { list.ReadXYEmptyNull(first, n + 1, xs.data(), ys.data(), empties.get(), nulls.get()); }),
            "Index out of Bounds");
    }
}

void ExpectSame(const TiPlotDataCustomList& list, const ReferenceList& model)
{
    ASSERT_EQ(list.Count(), int(model.points.size()));
    ASSERT_EQ(list.Capacity(), model.capacity);
    ASSERT_LE(list.Count(), list.Capacity());
    ASSERT_EQ(list.GetRingBufferSize(), model.ring ? model.capacity : 0);
    ASSERT_EQ(list.GetMemoryUsed(), list.Capacity() * list.DataPointSize());
    for (int i = 0; i < list.Count(); ++i) {
        const ReferenceList::Point& expected = model.points[size_t(i)];
        double x, y;
        bool empty, null;
        list.GetXYEmptyNull(i, x, y, empty, null);
        ASSERT_EQ(x, expected.X) << "point " << i;
        ASSERT_EQ(y, expected.Y) << "point " << i;
        ASSERT_EQ(null, expected.Null) << "point " << i;
        ASSERT_EQ(empty, expected.Empty) << "point " << i;
        ASSERT_EQ(list.GetX(i), x);
        ASSERT_EQ(list.GetY(i), y);
        ASSERT_EQ(list.GetNull(i), null);
        ASSERT_EQ(list.GetEmpty(i), empty);
    }
    ASSERT_EQ(MessageOf([&] { list.GetY(list.Count()); }), "Index out of Bounds");
    ExpectBlockReadsSame(list);
}

class PointListStyle : public testing::TestWithParam<TiPlotDataStyle> {};

INSTANTIATE_TEST_SUITE_P(AllLists, PointListStyle, testing::ValuesIn(AllStyles), [](const auto& info) {
    return PravixTypeInfo(static_cast<TiPlotDataStyle*>(nullptr)).EnumName(info.param);
});

// Random adds, deletes, capacity changes, ring switches and clears keep every list equal
// to the reference model, for small rings, rings around the growth steps, long runs, and
// capacities on both sides of the size from which a block is mapped from the system (1 MiB:
// 7,711 full records, 262,144 interval values), where a resize moves the points between
// kinds of memory.
TEST_P(PointListStyle, RandomOperationsMatchReferenceModel)
{
    struct Case {
        unsigned seed;
        int steps;
        int maxSize;
    };
    const Case cases[] = {{1, 3000, 1},  {2, 3000, 3},   {3, 3000, 9},     {4, 4000, 17},
                          {5, 4000, 70}, {6, 6000, 300}, {7, 2000, 150000}};
    for (const Case& c : cases) {
        SCOPED_TRACE("seed " + std::to_string(c.seed) + ", sizes up to " + std::to_string(c.maxSize));
        auto list = MakeList(GetParam());
        ReferenceList model(GetParam(), list->MaximumCount());
        std::mt19937 random(c.seed);
        auto below = [&](int n) { return int(random() % unsigned(n)); };
        double x = 0;
        for (int step = 0; step < c.steps; ++step) {
            const int op = below(100);
            if (op < 70) {
                // Integer X steps keep the interval list's derived X exact; Y 0.1 steps
                // show the single-precision rounding of the compact lists.
                x += 1 + below(3);
                const double y = (below(20001) - 10000) * 0.1;
                const int status = below(10);
                const bool null = status == 0, empty = status == 1;
                ASSERT_EQ(list->Add(x, y, null, empty), model.Add(x, y, null, empty));
            } else if (op < 78) {
                const int n = below(list->Count() + 2) - 1;
                if (model.DeletePoints(n))
                    list->DeletePoints(n);
                else
                    ASSERT_EQ(MessageOf([&] { list->DeletePoints(n); }), DeleteMessage(GetParam()));
            } else if (op < 84) {
                const int n = below(2 * c.maxSize + 2) - 1;
                if (model.SetCapacity(n))
                    list->SetCapacity(n);
                else
                    ASSERT_EQ(MessageOf([&] { list->SetCapacity(n); }), "Exceed Maximum List Size");
            } else if (op < 97) {
                const int size = below(5) == 0 ? 0 : below(c.maxSize + 2) - 1;
                if (model.SetRingBufferSize(size))
                    list->SetRingBufferSize(size);
                else
                    ASSERT_EQ(MessageOf([&] { list->SetRingBufferSize(size); }), "Exceed Maximum List Size");
            } else {
                list->Clear();
                model.Clear();
            }
            ExpectSame(*list, model);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST_P(PointListStyle, GrowsByTheCapacityRule)
{
    auto list = MakeList(GetParam());
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        list->Add(i, i, false, false);
        if (capacities.empty() || capacities.back() != list->Capacity())
            capacities.push_back(list->Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST_P(PointListStyle, RingOfThreeKeepsTheNewestAndReturnsTheOverwrittenSlot)
{
    auto list = MakeList(GetParam());
    list->SetRingBufferSize(3);
    std::vector<int> results;
    for (double y : {1, 2, 3, 4, 5})
        results.push_back(list->Add(y, y, false, false));
    EXPECT_EQ(results, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(Ys(*list), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(list->Capacity(), 3);
}

TEST_P(PointListStyle, ClearReleasesOnlyALinearList)
{
    auto list = MakeList(GetParam());
    AddYs(*list, {1, 2, 3, 4, 5});
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Capacity(), 0);
    EXPECT_EQ(list->GetMemoryUsed(), 0);

    list->SetRingBufferSize(6);
    AddYs(*list, {1, 2, 3, 4, 5, 6, 7});
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Capacity(), 6);
    EXPECT_EQ(list->GetRingBufferSize(), 6);
}

TEST_P(PointListStyle, LeavingRingModeEmptiesOnlyAWrappedRing)
{
    auto notWrapped = MakeList(GetParam());
    notWrapped->SetRingBufferSize(4);
    AddYs(*notWrapped, {1, 2, 3});
    notWrapped->SetRingBufferSize(0);
    EXPECT_EQ(Ys(*notWrapped), (std::vector<double>{1, 2, 3}));
    AddYs(*notWrapped, {4, 5, 6});  // grows again
    EXPECT_EQ(Ys(*notWrapped), (std::vector<double>{1, 2, 3, 4, 5, 6}));

    auto wrapped = MakeList(GetParam());
    wrapped->SetRingBufferSize(4);
    AddYs(*wrapped, {1, 2, 3, 4, 5});
    wrapped->SetRingBufferSize(0);
    EXPECT_EQ(wrapped->Count(), 0);
    EXPECT_EQ(wrapped->Capacity(), 0);
}

TEST_P(PointListStyle, RingSizeChanges)
{
    // A linear list of 10 becomes a ring of 4 holding the 4 newest points.
    auto list = MakeList(GetParam());
    for (int i = 0; i < 10; ++i)
        list->Add(100 + 2 * i, i, false, false);
    list->SetRingBufferSize(4);
    EXPECT_EQ(Ys(*list), (std::vector<double>{6, 7, 8, 9}));
    EXPECT_EQ(Xs(*list), (std::vector<double>{112, 114, 116, 118}));
    EXPECT_EQ(list->Capacity(), 4);

    // A wrapped ring that shrinks is emptied.
    list->Add(120, 10, false, false);
    list->SetRingBufferSize(2);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Capacity(), 2);
}

TEST_P(PointListStyle, DeletingFromAWrappedRingRemovesTheOldest)
{
    auto list = MakeList(GetParam());
    list->SetRingBufferSize(5);
    for (int i = 0; i < 8; ++i)
        list->Add(10 * i, i, false, false);
    list->DeletePoints(2);
    EXPECT_EQ(Ys(*list), (std::vector<double>{5, 6, 7}));
    EXPECT_EQ(Xs(*list), (std::vector<double>{50, 60, 70}));
    // The ring fills up again from its newest point on.
    AddYs(*list, {8, 9, 10});
    EXPECT_EQ(Ys(*list), (std::vector<double>{6, 7, 8, 9, 10}));
}

TEST_P(PointListStyle, CapacityChangesOnAWrappedRingKeepTheOrder)
{
    auto list = MakeList(GetParam());
    list->SetRingBufferSize(4);
    AddYs(*list, {1, 2, 3, 4, 5, 6});
    list->SetCapacity(6);  // grows: room for two more before wrapping
    EXPECT_EQ(Ys(*list), (std::vector<double>{3, 4, 5, 6}));
    AddYs(*list, {7, 8, 9});
    EXPECT_EQ(Ys(*list), (std::vector<double>{4, 5, 6, 7, 8, 9}));
    list->SetCapacity(3);  // shrinks: the newest stay
    EXPECT_EQ(Ys(*list), (std::vector<double>{7, 8, 9}));
    EXPECT_EQ(list->GetRingBufferSize(), 3);
}

TEST_P(PointListStyle, ARingWithoutCapacityIsNoRing)
{
    auto list = MakeList(GetParam());
    list->SetRingBufferSize(3);
    list->SetCapacity(0);
    EXPECT_EQ(list->GetRingBufferSize(), 0);
    AddYs(*list, {1, 2, 3, 4, 5});
    EXPECT_EQ(Ys(*list), (std::vector<double>{1, 2, 3, 4, 5}));
}

TEST_P(PointListStyle, RefusalsChangeNothing)
{
    auto list = MakeList(GetParam());
    list->SetRingBufferSize(3);
    AddYs(*list, {1, 2, 3, 4});
    const auto before = Ys(*list);

    EXPECT_EQ(MessageOf([&] { list->SetRingBufferSize(-1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list->SetRingBufferSize(list->MaximumCount() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list->SetCapacity(-1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list->SetCapacity(list->MaximumCount() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list->DeletePoints(-1); }), DeleteMessage(GetParam()));
    EXPECT_EQ(MessageOf([&] { list->DeletePoints(3); }), DeleteMessage(GetParam()));
    EXPECT_EQ(MessageOf([&] { list->GetY(-1); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list->SetY(3, 0); }), "Index out of Bounds");
    EXPECT_EQ(Ys(*list), before);
    EXPECT_EQ(list->GetRingBufferSize(), 3);

    // The ring is still wrapped: the next point replaces the oldest.
    list->Add(5, 5, false, false);
    EXPECT_EQ(Ys(*list), (std::vector<double>{3, 4, 5}));

    list->DeletePoints(0);
    EXPECT_EQ(Ys(*list), (std::vector<double>{3, 4, 5}));
}

TEST_P(PointListStyle, SizesPerPoint)
{
    auto list = MakeList(GetParam());
    const int bytes[] = {24, 8, 4, 136};
    EXPECT_EQ(list->DataPointSize(), bytes[GetParam()]);
    EXPECT_EQ(list->MaximumCount(), INT_MAX / bytes[GetParam()]);
    for (int i = 0; i < 13; ++i)
        list->Add(i, i, false, false);
    EXPECT_EQ(list->Capacity(), 28);
    EXPECT_EQ(list->GetMemoryUsed(), 28 * bytes[GetParam()]);
}

TEST_P(PointListStyle, NullAndEmptyPointsKeptOnlyWithStatus)
{
    auto list = MakeList(GetParam());
    list->Add(1, 0, true, false);
    list->Add(2, 0, false, true);
    list->Add(3, 7, false, false);
    const bool keepsStatus = GetParam() == ipdsStandard || GetParam() == ipdsFullFeature;
    EXPECT_EQ(list->GetNull(0), keepsStatus);
    EXPECT_FALSE(list->GetEmpty(0));
    EXPECT_FALSE(list->GetNull(1));
    EXPECT_EQ(list->GetEmpty(1), keepsStatus);
    EXPECT_FALSE(list->GetNull(2) || list->GetEmpty(2));
    EXPECT_EQ(list->GetY(0), 0);

    list->SetNull(2, true);
    EXPECT_EQ(list->GetNull(2), keepsStatus);
    list->SetNull(2, false);
    list->SetEmpty(2, true);
    EXPECT_EQ(list->GetEmpty(2), keepsStatus);
    EXPECT_FALSE(list->GetNull(2));
}

TEST_P(PointListStyle, PerPointAttributesFollowTheListUnlessStored)
{
    auto list = MakeList(GetParam());
    list->TraceLineColor = clRed;
    list->MarkerSize = 5;
    list->BarWidth = 2.5;
    list->Add(1, 1, false, false);
    list->TraceLineColor = clBlue;
    list->MarkerSize = 7;
    list->BarWidth = 4;

    const bool fullRecord = GetParam() == ipdsFullFeature;
    EXPECT_EQ(list->GetTraceLineColor(0), fullRecord ? clRed : clBlue);
    EXPECT_EQ(list->GetMarkerSize(0), fullRecord ? 5 : 7);
    EXPECT_EQ(list->GetBarWidth(0), fullRecord ? 2.5 : 4);
    EXPECT_EQ(list->GetMarkerCharacter(0), 0);
    EXPECT_TRUE(list->GetBarVisible(0));

    list->SetTraceLineColor(0, clGreen);
    list->SetHigh(0, 9);
    EXPECT_EQ(list->GetTraceLineColor(0), fullRecord ? clGreen : clBlue);
    EXPECT_EQ(list->GetHigh(0), fullRecord ? 9 : 0);
}

TEST(PointLists, CompactListsStoreSinglePrecision)
{
    for (TiPlotDataStyle style : {ipdsCompact, ipdsCompactInterval}) {
        auto list = MakeList(style);
        const double x = 46000.123456789;  // a date-time X: days and a fraction
        const double y = 0.1;
        list->Add(x, y, false, false);
        EXPECT_EQ(list->GetY(0), double(float(y)));
        EXPECT_NE(list->GetY(0), y);
        list->SetY(0, 1.0 / 3);
        EXPECT_EQ(list->GetY(0), double(float(1.0 / 3)));
        if (style == ipdsCompact) {
            EXPECT_EQ(list->GetX(0), double(float(x)));
            list->SetX(0, 2.2);
            EXPECT_EQ(list->GetX(0), double(float(2.2)));
        } else {
            EXPECT_EQ(list->GetX(0), x);  // the first X is kept as a double
        }
    }
}

TEST(PointLists, IntervalListDerivesX)
{
    TiPlotDataCompactIntervalList list;
    EXPECT_EQ(list.Interval(), -1.0);
    list.Add(10, 1, false, false);
    list.Add(12, 2, false, false);
    list.Add(99, 3, false, false);
    EXPECT_EQ(Xs(list), (std::vector<double>{10, 12, 14}));
    EXPECT_EQ(list.GetX(-1), 8);  // computed, never refused
    EXPECT_EQ(MessageOf([&] { list.GetY(-1); }), "Index out of Bounds");

    TiPlotDataCompactIntervalList ring;
    ring.SetRingBufferSize(2);
    for (double x : {10, 12, 99})
        ring.Add(x, x, false, false);
    EXPECT_EQ(Xs(ring), (std::vector<double>{12, 14}));
    EXPECT_EQ(Ys(ring), (std::vector<double>{12, 99}));
    ring.Add(0, 4, false, false);
    EXPECT_EQ(Xs(ring), (std::vector<double>{14, 16}));

    ring.Clear();
    EXPECT_EQ(ring.Interval(), -1.0);
    ring.Add(50, 1, false, false);
    ring.Add(55, 2, false, false);
    EXPECT_EQ(Xs(ring), (std::vector<double>{50, 55}));
}

TEST(PointLists, IntervalRingOfOneFollowsTheNewX)
{
    TiPlotDataCompactIntervalList list;
    list.SetRingBufferSize(1);
    for (double x : {10, 12, 99, 0}) {
        list.Add(x, x, false, false);
        ASSERT_EQ(list.Count(), 1);
    }
    // 10, then 12 measures the interval 2; each later point lies one interval on.
    EXPECT_EQ(list.GetX(0), 16);
    EXPECT_EQ(list.GetY(0), 0);
}

TEST(PointLists, IntervalListSetsOnlyTheFirstX)
{
    const std::string refused =
        "Data Style does not support setting individual X-Value with the exception of the first X-Value";
    TiPlotDataCompactIntervalList list;
    EXPECT_EQ(MessageOf([&] { list.SetX(0, 5); }), refused);
    AddYs(list, {10, 12, 14});
    EXPECT_EQ(MessageOf([&] { list.SetX(1, 5); }), refused);
    list.SetX(0, 100);
    EXPECT_EQ(Xs(list), (std::vector<double>{100, 102, 104}));
    list.DeletePoints(1);
    EXPECT_EQ(Xs(list), (std::vector<double>{102, 104}));
}

TEST(PointLists, StandardListPacksStatusBits)
{
    TiPlotDataNullList list;
    list.MarkerVisible = true;
    list.MarkerStyle = ipmsDiamond;  // ordinal 2
    list.Add(1, 1, true, false);
    list.Add(2, 2, false, true);
    EXPECT_EQ(list.GetStatus(0), 0x01 | 0x04 | (2 << 3));
    EXPECT_EQ(list.GetStatus(1), 0x02 | 0x04 | (2 << 3));

    list.SetMarkerStyle(0, ipmsCharacter);  // ordinal 11
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsCharacter);
    EXPECT_EQ(list.GetStatus(0), 0x01 | 0x04 | (11 << 3));
    list.SetMarkerVisible(0, false);
    list.SetNull(0, false);
    list.SetEmpty(0, true);
    EXPECT_EQ(list.GetStatus(0), 0x02 | (11 << 3));
    EXPECT_FALSE(list.GetMarkerVisible(0));
    EXPECT_TRUE(list.GetMarkerVisible(1));
    EXPECT_EQ(list.GetMarkerStyle(1), ipmsDiamond);
    // Other attributes are list-wide.
    list.SetMarkerSize(0, 9);
    EXPECT_EQ(list.GetMarkerSize(0), 0);
}

TEST(PointLists, FullListKeepsEveryFieldPerPoint)
{
    TiPlotDataFullList list;
    list.TraceLineStyle = iplsDashDot;
    list.MarkerStyle = ipmsTriangleLeft;
    list.MarkerPenStyle = psDot;
    list.BarBrushStyle = bsCross;
    list.BarReference = -3;
    list.Add(1, 2, false, false);
    list.Add(3, 4, false, false);
    EXPECT_EQ(list.GetTraceLineStyle(0), iplsDashDot);
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsTriangleLeft);
    EXPECT_EQ(list.GetMarkerPenStyle(0), psDot);
    EXPECT_EQ(list.GetBarBrushStyle(0), bsCross);
    EXPECT_EQ(list.GetBarReference(0), -3);
    EXPECT_EQ(list.GetOpen(0), 0);

    list.SetHigh(1, 5);
    list.SetLow(1, -5);
    list.SetOpen(1, 1.5);
    list.SetClose(1, 2.5);
    list.SetMarkerCharacter(1, 'Q');
    list.SetBarPenWidth(1, 3);
    list.SetMarkerStyle(1, ipmsCharacter);
    list.SetX(1, 30);
    EXPECT_EQ(list.GetHigh(1), 5);
    EXPECT_EQ(list.GetLow(1), -5);
    EXPECT_EQ(list.GetOpen(1), 1.5);
    EXPECT_EQ(list.GetClose(1), 2.5);
    EXPECT_EQ(list.GetMarkerCharacter(1), 'Q');
    EXPECT_EQ(list.GetBarPenWidth(1), 3);
    EXPECT_EQ(list.GetMarkerStyle(1), ipmsCharacter);
    EXPECT_EQ(list.GetX(1), 30);
    EXPECT_EQ(list.GetMarkerCharacter(0), 0);
    EXPECT_EQ(list.GetBarPenWidth(0), 0);
    EXPECT_EQ(list.GetHigh(0), 0);
}

// Each record takes the list-wide attributes as they stand at its Add, however they change
// between adds (even from 0 to -0), and a record that overwrites the oldest of a ring keeps
// nothing of it.
TEST(PointLists, FullListRecordsTakeTheListWideAttributesOfTheirAdd)
{
    TiPlotDataFullList list;
    list.SetRingBufferSize(4);
    const TColor colors[] = {clRed, clRed, clBlue, clBlue, clGreen};
    const double bars[] = {1, 1, -0.0, 0.0, 2};
    for (int i = 0; i < 5; ++i) {
        list.TraceLineColor = colors[i];
        list.BarReference = bars[i];
        list.MarkerStyle = i % 2 ? ipmsCross : ipmsDiamond;
        list.Add(i, i, false, false);
        if (i == 0) {
            list.SetHigh(0, 7);
            list.SetMarkerCharacter(0, 'Q');
        }
    }
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const int add = i + 1;
        EXPECT_EQ(list.GetX(i), add);
        EXPECT_EQ(list.GetTraceLineColor(i), colors[add]);
        EXPECT_EQ(list.GetBarReference(i), bars[add]);
        EXPECT_EQ(std::signbit(list.GetBarReference(i)), std::signbit(bars[add]));
        EXPECT_EQ(list.GetMarkerStyle(i), add % 2 ? ipmsCross : ipmsDiamond);
        EXPECT_EQ(list.GetHigh(i), 0);
        EXPECT_EQ(list.GetMarkerCharacter(i), 0);
    }
}

TEST(PointLists, GrowthStopsAtTheMaximumCount)
{
    // A quarter more would overshoot: the last step lands exactly on the maximum.
    const int maximum = INT_MAX / 4;
    const int nearTheTop = maximum - 1000;
    EXPECT_EQ(TiPlotDataCustomList::NextCapacity(nearTheTop, maximum), maximum);
    EXPECT_EQ(TiPlotDataCustomList::NextCapacity(95, maximum), 118);
    EXPECT_EQ(TiPlotDataCustomList::NextCapacity(64, maximum), 80);
    EXPECT_EQ(TiPlotDataCustomList::NextCapacity(8, maximum), 12);
    EXPECT_EQ(TiPlotDataCustomList::NextCapacity(8, 10), 10);
}

TEST(PointLists, ChannelEnumerationsHaveValueNames)
{
    EXPECT_EQ(PravixTypeInfo(static_cast<TiPlotDataStyle*>(nullptr)).EnumNames,
              (std::vector<std::string>{"ipdsStandard", "ipdsCompact", "ipdsCompactInterval", "ipdsFullFeature"}));
    EXPECT_EQ(PravixTypeInfo(static_cast<TiPlotDataPointStatus*>(nullptr)).EnumNames,
              (std::vector<std::string>{"ipdpsValid", "ipdpsNull", "ipdpsEmpty"}));
}

TEST(PointLists, CopiesListWideAttributesButNotTheMarkerCharacter)
{
    TiPlotDataNullList source;
    source.TraceLineColor = clRed;
    source.MarkerStyle = ipmsCross;
    source.BarVisible = false;
    source.BarBrushStyle = bsClear;
    source.MarkerCharacter = 'x';
    TiPlotDataFullList target;
    target.CopyListWideAttributes(source);
    EXPECT_EQ(target.TraceLineColor, clRed);
    EXPECT_EQ(target.MarkerStyle, ipmsCross);
    EXPECT_FALSE(target.BarVisible);
    EXPECT_EQ(target.BarBrushStyle, bsClear);
    EXPECT_EQ(target.MarkerCharacter, 0);
}

}  // namespace
