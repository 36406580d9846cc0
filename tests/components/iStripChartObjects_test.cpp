#include "components/iStripChartObjects.h"

#include "components/RingListModel.h"
#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(std::is_abstract_v<TiStripChartChannelObject>, "the data operations belong to the two forms");

TEST(iStripChartObjects, ContinuousFormIgnoresNullsWrittenIntoIt)
{
    TiStripChartContinuousDataChannelObject channel;
    channel.DataAdd(1.5);
    channel.DataAdd(2.5);
    bool null = true;
    EXPECT_EQ(channel.GetDataItem(1, null), 2.5);
    EXPECT_FALSE(null);                             // never null here
    EXPECT_EQ(channel.GetDataStatus(1), icdsNull);  // as added
    EXPECT_EQ(channel.HighestIndex(), -1);

    channel.SetDataItem(0, 9, icdsNull);  // dropped
    EXPECT_EQ(channel.GetDataItem(0, null), 1.5);
    EXPECT_EQ(channel.HighestIndex(), -1);
    channel.SetDataItem(1, 7, icdsInterpolated);
    EXPECT_EQ(channel.GetDataItem(1, null), 7);
    EXPECT_EQ(channel.GetDataStatus(1), icdsInterpolated);
    EXPECT_EQ(channel.HighestIndex(), 1);
    channel.SetDataItem(0, 3, icdsActual);  // a lower index leaves the highest
    EXPECT_EQ(channel.HighestIndex(), 1);

    EXPECT_EQ(RaisedBy([&] { channel.GetDataItem(2, null); }), "Index out of Bounds");
    EXPECT_EQ(RaisedBy([&] { channel.SetDataItem(-1, 0, icdsActual); }), "Index out of Bounds");
    EXPECT_EQ(RaisedBy([&] { channel.GetDataStatus(5); }), "Index out of Bounds");
    EXPECT_EQ(RaisedBy([&] { channel.DataDeleteRange(2); }), "Delete size out of Range");
    EXPECT_EQ(RaisedBy([&] { channel.SetBufferSize(-4); }), "Exceed Maximum List Size");
    channel.DataDeleteRange(1);
    EXPECT_EQ(channel.GetDataItem(0, null), 7);
    channel.DataClear();
    EXPECT_EQ(channel.List().Count(), 0);
}

TEST(iStripChartObjects, DiscontinuousFormKeepsNullsAndFollowsTheRing)
{
    TiStripChartDiscontinuousDataChannelObject channel;
    channel.SetRingBufferSize(3);
    for (double v : {1.0, 2.0, 3.0})
        channel.DataAdd(v);
    channel.SetDataItem(2, 30, icdsActual);
    channel.SetDataItem(1, 20, icdsNull);
    bool null = false;
    EXPECT_EQ(channel.GetDataItem(1, null), 20);
    EXPECT_TRUE(null);
    EXPECT_EQ(channel.GetDataItem(2, null), 30);
    EXPECT_FALSE(null);
    EXPECT_EQ(channel.HighestIndex(), 2);

    // Each add to the full ring moves every record down one, the highest written with them.
    channel.DataAdd(4);
    EXPECT_EQ(channel.HighestIndex(), 1);
    EXPECT_EQ(channel.GetDataItem(1, null), 30);
    EXPECT_EQ(channel.GetDataItem(2, null), 4);
    EXPECT_TRUE(null);

    // Back to a plain buffer: it grows again.
    channel.SetBufferSize(3);
    for (int i = 0; i < 5; ++i)
        channel.DataAdd(i);
    EXPECT_EQ(channel.List().Count(), 8);
    EXPECT_EQ(channel.HighestIndex(), 1);
}

TEST(iStripChartObjects, LimitColoursFollowTheColourOnce)
{
    TiStripChartContinuousDataChannelObject channel;
    const auto limits = [&] {
        return std::vector<TColor>{channel.ControlLimitUpperColor(), channel.ControlLimitLowerColor(),
                                   channel.WarningLimitUpperColor(), channel.WarningLimitLowerColor()};
    };
    EXPECT_TRUE(channel.LimitColorsFollow());
    channel.SetColor(clRed);
    EXPECT_EQ(limits(), std::vector<TColor>(4, clRed));
    // Passing the colour on changed them, and a changed limit colour stops the following.
    EXPECT_FALSE(channel.LimitColorsFollow());
    channel.SetColor(clBlue);
    EXPECT_EQ(limits(), std::vector<TColor>(4, clRed));

    TiStripChartDiscontinuousDataChannelObject other;
    other.SetWarningLimitLowerColor(clLime);
    other.SetColor(clRed);
    EXPECT_EQ(other.WarningLimitLowerColor(), clLime);
    EXPECT_EQ(other.ControlLimitUpperColor(), 0);
}

TEST(iStripChartObjects, LabelChannelStartValues)
{
    TiLabelChannelObject label;
    EXPECT_EQ(label.Value, 50);
    EXPECT_EQ(label.Font().GetColor(), clWhite);
    EXPECT_EQ(label.Font().GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(label.Lines().Count(), 0);
    EXPECT_TRUE(label.Flag);
    EXPECT_EQ(label.ClassName(), "TiLabelChannelObject");
}
