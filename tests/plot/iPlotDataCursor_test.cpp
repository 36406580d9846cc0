#include "plot/objects/iPlotDataCursor.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "plot/core/iPlot.h"
#include "plot/core/iXYPlot.h"
#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLegend.h"
#include "plot/objects/iPlotToolBar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A plot paints only with its toolbar, legend and data view, which tests register themselves.
class PaintKinds {
public:
    PaintKinds()
    {
        m_registrations.push_back(TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar));
        m_registrations.push_back(TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView));
        m_registrations.push_back(TiPlotKindRegistration::Of<TiPlotLegend>(TiPlotObjectKind::Legend));
    }

private:
    std::vector<TiPlotKindRegistration> m_registrations;
};

TiPlotDataCursor& CursorOf(TiPlotComponent& plot)
{
    auto* cursor = dynamic_cast<TiPlotDataCursor*>(plot.GetDataCursor(0));
    EXPECT_NE(cursor, nullptr) << "a new plot starts with one data cursor of the cursor class";
    return *cursor;
}

TEST(DataCursor, PointerPositionsStayWithinTheDataView)
{
    struct Case {
        double given, stored;
    };
    const Case cases[] = {{150, 100}, {-3, 0}, {42.5, 42.5}, {100, 100}, {0, 0}};
    TiPlot plot(nullptr);
    TiPlotDataCursor& cursor = CursorOf(plot);
    for (const Case& c : cases) {
        cursor.SetPointer1Position(c.given);
        cursor.SetPointer2Position(c.given);
        EXPECT_EQ(cursor.Pointer1Position(), c.stored) << c.given;
        EXPECT_EQ(cursor.Pointer2Position(), c.stored) << c.given;
    }
}

// Which pointers show and how they lie, per style, plot kind, scope style and reversed axes.
TEST(DataCursor, StyleDecidesThePointersAndTheHint)
{
    struct Case {
        TiPlotDataCursorStyle style;
        bool xyPlot, scope, reversed;
        bool p1;
        TiOrientation o1;
        bool p2;
        TiOrientation o2;
        TiOrientation hint;
    };
    const auto V = ioVertical, H = ioHorizontal;
    const Case cases[] = {
        {ipcsValueXY, false, false, false, true, V, false, H, V},
        {ipcsValueXY, true, false, false, true, V, true, H, V},  // an XY plot reads Y on its own pointer
        {ipcsValueX, true, false, false, true, V, false, H, V},
        {ipcsValueY, false, false, false, true, V, false, H, V},  // a strip chart reads Y at an X position
        {ipcsValueY, false, true, false, false, V, true, H, H},   // ... unless it is a scope
        {ipcsValueY, true, false, false, false, V, true, H, H},
        {ipcsDeltaX, false, false, false, true, V, true, V, V},
        {ipcsDeltaY, false, false, false, true, H, true, H, H},
        {ipcsInverseDeltaX, true, false, false, true, V, true, V, V},
        {ipcsDeltaX, false, false, true, true, H, true, H, H},  // reversed axes exchange every orientation
        {ipcsValueXY, true, false, true, true, H, true, V, H},
    };
    for (const Case& c : cases) {
        TiPlot stripChart(nullptr);
        TiXYPlot xyPlot(nullptr);
        TiPlotDataCursor& cursor = CursorOf(c.xyPlot ? static_cast<TiPlotComponent&>(xyPlot) : stripChart);
        cursor.SetScopeStyle(c.scope);
        cursor.SetXYAxesReversed(c.reversed);
        cursor.SetStyle(c.style);
        const std::string row = std::to_string(&c - cases);
        EXPECT_EQ(cursor.Pointer1Visible(), c.p1) << row;
        EXPECT_EQ(cursor.Pointer2Visible(), c.p2) << row;
        if (c.p1)
            EXPECT_EQ(cursor.Pointer1Orientation(), c.o1) << row;
        if (c.p2)
            EXPECT_EQ(cursor.Pointer2Orientation(), c.o2) << row;
        EXPECT_EQ(cursor.HintOrientation(), c.hint) << row;
    }
}

// The channel computes the values; the plot hears of every change once, with the cursor's index.
TEST(DataCursor, ChannelValuesReachTheCursorAndThePlotEvent)
{
    TiPlot plot(nullptr);
    for (int i = 0; i <= 10; ++i)
        plot.GetChannel(0)->AddXY(i, 2 * i);
    std::vector<int> changes;
    plot.OnDataCursorChange = [&](TObject*, int index) { changes.push_back(index); };
    TiPlotDataCursor& cursor = CursorOf(plot);
    EXPECT_EQ(cursor.ChannelName(), "Channel 1");
    EXPECT_EQ(cursor.GetChannel(), plot.GetChannel(0));
    cursor.SetVisible(true);
    EXPECT_EQ(changes, std::vector<int>{0});
    EXPECT_FALSE(cursor.HintText().empty());
    cursor.DoUpdate();  // nothing new: no event
    EXPECT_EQ(changes.size(), 1u);

    // A channel that leaves is forgotten; the name no longer resolves and updates are harmless.
    plot.DeleteChannel(0);
    EXPECT_EQ(cursor.GetChannel(), nullptr);
    cursor.DoUpdate();
    EXPECT_EQ(changes.size(), 1u);
}

TEST(DataCursor, RenamedChannelIsStillFollowed)
{
    TiPlot plot(nullptr);
    TiPlotDataCursor& cursor = CursorOf(plot);
    ASSERT_EQ(cursor.GetChannel(), plot.GetChannel(0));
    plot.GetChannel(0)->SetName("Flow");
    EXPECT_EQ(cursor.ChannelName(), "Flow");
    EXPECT_EQ(cursor.GetChannel(), plot.GetChannel(0));
}

TEST(DataCursor, AllChannelsAreAskedAndShowInTheLegend)
{
    TiPlot plot(nullptr);
    plot.AddChannel();
    for (int i = 0; i <= 10; ++i) {
        plot.GetChannel(0)->AddXY(i, i);
        plot.GetChannel(1)->AddXY(i, -i);
    }
    TiPlotDataCursor& cursor = CursorOf(plot);
    cursor.SetChannelName("<All>");
    cursor.SetPointer1Position(5);  // inside both channels' points
    EXPECT_EQ(cursor.GetChannel(), nullptr);
    EXPECT_FALSE(cursor.ShowsAllChannelsInLegend()) << "hidden";
    int changes = 0;
    plot.OnDataCursorChange = [&](TObject*, int) { ++changes; };
    cursor.SetVisible(true);
    EXPECT_EQ(changes, 2) << "each channel hands over its own values";
    EXPECT_TRUE(cursor.ShowsAllChannelsInLegend());
    cursor.SetChannelName("<all>");  // the name is compared exactly
    EXPECT_FALSE(cursor.ShowsAllChannelsInLegend());
}

// The pointer is drawn across the whole data view at its percent position, in the channel's colour.
TEST(DataCursor, PointersAreDrawnAcrossTheDataView)
{
    PaintKinds kinds;
    TiPlot plot(nullptr);
    for (int i = 0; i <= 10; ++i)
        plot.GetChannel(0)->AddXY(i, i);
    TiPlotDataCursor& cursor = CursorOf(plot);
    cursor.SetStyle(ipcsDeltaX);
    cursor.SetPointer1Position(25);
    cursor.SetPointer2Position(75);
    cursor.SetVisible(true);
    plot.SetBounds(0, 0, 600, 400);
    TBitmap bitmap;
    bitmap.SetSize(600, 400);
    plot.iPaintTo(bitmap.Canvas());
    const TBytes png = EncodePNG(bitmap, 9);
    if (std::FILE* file = std::fopen("iPlotDataCursor_deltax.png", "wb")) {
        std::fwrite(png.data(), 1, png.size(), file);
        std::fclose(file);
    }
    TiPlotDataView* view = cursor.DataView();
    ASSERT_NE(view, nullptr);
    const TRect r = view->GetDrawRect();
    const TColor channelColor = ColorToRGB(plot.GetChannel(0)->Color());
    for (double percent : {25.0, 75.0}) {
        const int x = view->PositionPercentToPixelsX(percent);
        for (int y : {r.Top + 3, (r.Top + r.Bottom) / 2 + 7, r.Bottom - 3})
            EXPECT_EQ(bitmap.Canvas().GetPixel(x, y), channelColor) << percent << " at y " << y;
    }
}

}  // namespace
