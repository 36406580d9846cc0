#include "plot/objects/iPlotPointSummary.h"

#include "plot/objects/iPlotDataCompactList.h"
#include "plot/objects/iPlotDataNullList.h"
#include "plot/objects/iPlotTraceDrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

namespace {

// The same bits, so that -0 and 0 (and NaN) count as different answers.
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

// The extremes read from blocks must be the very values a point-by-point pass finds, with
// NaN skipped, signed zeros in the order met, and values beyond the pass's starting extremes.
TEST(PointSummary, YRangeIsWhatAPassOverThePointsFinds)
{
    const double specials[] = {
        std::numeric_limits<double>::quiet_NaN(), -0.0, 0.0, 1e305, -1e305, std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()};
    std::mt19937 random(20261211);
    for (const bool compact : {false, true}) {
        for (const int ring : {0, 700}) {
            SCOPED_TRACE(testing::Message() << (compact ? "compact" : "standard") << ", ring " << ring);
            std::unique_ptr<TiPlotDataCustomList> list;
            if (compact)
                list = std::make_unique<TiPlotDataCompactList>();
            else
                list = std::make_unique<TiPlotDataNullList>();
            list->SetRingBufferSize(ring);
            TiPlotPointSummary summary;
            for (int round = 0; round < 4; ++round) {
                // Every other round holds nothing above zero, so that which zero a range's
                // highest value is depends on the order the zeros were met in.
                const bool zerosOnTop = round % 2 == 1;
                for (int i = 0; i < 500; ++i) {
                    const int kind = int(random() % 40);
                    double y = kind < 7 ? specials[kind] : std::uniform_real_distribution<double>(-5, 5)(random);
                    if (zerosOnTop && !(y <= 0))
                        y = random() % 2 ? -0.0 : 0.0;
                    list->Add(list->Count(), y, false, false);
                }
                summary.Update(*list);
                for (int probe = 0; probe < 300; ++probe) {
                    int first = int(random() % list->Count()), last = int(random() % list->Count());
                    if (first > last)
                        std::swap(first, last);
                    TiPlotMinMaxPoint pass;
                    for (int i = first; i <= last; ++i)
                        pass.AddData(0, list->GetY(i), 0);
                    double min, max;
                    summary.YRange(*list, first, last, min, max);
                    ASSERT_TRUE(SameBits(min, pass.MinY) && SameBits(max, pass.MaxY))
                        << first << " .. " << last << ": " << min << ", " << max << " instead of " << pass.MinY << ", "
                        << pass.MaxY;
                }
            }
        }
    }
}

// What the fast trace asks before reading extremes follows every kind of change to the list.
TEST(PointSummary, OrderAndGapsFollowTheList)
{
    TiPlotDataNullList list;
    for (int i = 0; i < 100; ++i)
        list.Add(i, i % 7, false, false);
    TiPlotPointSummary summary;
    summary.Update(list);
    EXPECT_TRUE(summary.XOrdered(0, 99));
    EXPECT_FALSE(summary.HasGaps(0, 99));

    list.SetX(50, 10);  // steps back
    summary.Update(list);
    EXPECT_FALSE(summary.XOrdered(0, 99));
    EXPECT_TRUE(summary.XOrdered(51, 99));

    list.SetNull(70, true);
    summary.Update(list);
    EXPECT_TRUE(summary.HasGaps(60, 80));
    EXPECT_FALSE(summary.HasGaps(0, 40));

    // The oldest points go: indexes move, the answers stay with the points.
    list.DeletePoints(60);
    summary.Update(list);
    EXPECT_TRUE(summary.XOrdered(0, 39));
    EXPECT_TRUE(summary.HasGaps(5, 15));

    list.Clear();
    for (int i = 0; i < 40; ++i)
        list.Add(i, i, false, false);
    summary.Update(list);
    EXPECT_TRUE(summary.XOrdered(0, 39));
    EXPECT_FALSE(summary.HasGaps(0, 39));
    double min, max;
    summary.YRange(list, 3, 30, min, max);
    EXPECT_EQ(min, 3);
    EXPECT_EQ(max, 30);
}

// A gap counts for the whole block that holds it and for no other block, also after the
// blocks before it were dropped.
TEST(PointSummary, GapsCountOnlyForTheBlocksHoldingThem)
{
    constexpr int B = TiPlotPointSummary::kBlockSize;
    TiPlotDataNullList list;
    for (int i = 0; i < 12 * B; ++i)
        list.Add(i, i, i == 10, i == 9 * B + 12);
    TiPlotPointSummary summary;
    summary.Update(list);
    struct Case {
        const char* Name;
        int First, Last;
        bool Gaps;
    };
    const Case cases[] = {
        {"the first gap's block", 0, B - 1, true},
        {"the blocks between the gaps", B, 9 * B - 1, false},
        // A point that shares its block with a gap answers as the gap.
        {"one point into the second gap's block", B, 9 * B, true},
        {"the blocks after the last gap", 10 * B, 12 * B - 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(summary.HasGaps(c.First, c.Last), c.Gaps);
    }
    // The first gap's block dropped, the second gap moves with its points.
    list.DeletePoints(2 * B);
    summary.Update(list);
    EXPECT_FALSE(summary.HasGaps(0, 7 * B - 1));
    EXPECT_TRUE(summary.HasGaps(0, 7 * B));
}
