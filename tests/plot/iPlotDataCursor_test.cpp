#include "plot/objects/iPlotDataCursor.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/Keys.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/control/iXYPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLegend.h"
#include "plot/objects/iPlotToolBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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

void SavePNGOf(const TBitmap& bitmap, const std::string& name)
{
    const TBytes png = EncodePNG(bitmap, 9);
    if (std::FILE* file = std::fopen(name.c_str(), "wb")) {
        std::fwrite(png.data(), 1, png.size(), file);
        std::fclose(file);
    }
}

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
        if (c.p1) {
            EXPECT_EQ(cursor.Pointer1Orientation(), c.o1) << row;
        }
        if (c.p2) {
            EXPECT_EQ(cursor.Pointer2Orientation(), c.o2) << row;
        }
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
    SavePNGOf(bitmap, "iPlotDataCursor_deltax.png");
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

// ---------------------------------------------------------------------------------------------
// In a painted plot, through the plot's own input

// A 600 x 400 plot whose channel 0 holds Y = X * X at X = 0 .. 10 on an X axis from 0 to 8,
// so that point i lies at 12.5 * i percent and the last two lie beyond the axis.
class CursorInPlot : public ::testing::Test {
protected:
    CursorInPlot()
    {
        plot.SetBounds(0, 0, 600, 400);
        for (int i = 0; i <= 10; ++i)
            plot.GetChannel(0)->AddXY(i, i * i);
        plot.DisableAllTracking();
        plot.GetXAxis(0)->SetMinSpan(0, 8);
        plot.GetYAxis(0)->SetMinSpan(0, 100);
        Cursor().SetVisible(true);
        Paint();
        m_view = dynamic_cast<TiPlotDataView*>(plot.GetDataView(0));
    }

    TiPlotDataCursor& Cursor(int index = 0) { return *dynamic_cast<TiPlotDataCursor*>(plot.GetDataCursor(index)); }
    TiPlotDataView& View() { return *m_view; }
    void Paint() { TestHooks::GrabControl(plot, screen); }
    // A point in client pixels from percent of the data view.
    TPoint At(double xPercent, double yPercent)
    {
        return {View().PositionPercentToPixelsX(xPercent), View().PositionPercentToPixelsY(yPercent)};
    }
    TPoint HintCentre()
    {
        return {(Cursor().HintRect().Left + Cursor().HintRect().Right) / 2,
                (Cursor().HintRect().Top + Cursor().HintRect().Bottom) / 2};
    }
    double StepX() { return 100.0 / View().GetWidth(); }
    double StepY() { return 100.0 / View().GetHeight(); }
    void Press(TPoint p, TShiftState shift = {}) { TestHooks::SendMouseDown(plot, mbLeft, p.X, p.Y, shift); }
    void Move(TPoint p) { TestHooks::SendMouseMove(plot, p.X, p.Y, {ssLeft}); }
    void Release(TPoint p) { TestHooks::SendMouseUp(plot, mbLeft, p.X, p.Y); }
    // Right-clicks pointer 1 (above the trace) and picks the item at the caption path (none for an empty path);
    // returns the menu as it was shown.
    TestHooks::TMenuSnapshot PickFromMenu(std::vector<std::string> path)
    {
        modal.OnPopup = [path](const TestHooks::TMenuSnapshot& menu) -> TMenuItem* {
            const TestHooks::TMenuSnapshot* level = &menu;
            for (const std::string& caption : path) {
                auto it = std::find_if(level->Items.begin(), level->Items.end(),
                                       [&](const TestHooks::TMenuSnapshot& item) { return item.Caption == caption; });
                if (it == level->Items.end())
                    return nullptr;
                level = &*it;
            }
            return path.empty() ? nullptr : level->Item;
        };
        Paint();
        const TPoint p = At(Cursor().Pointer1Position(), 95);
        TestHooks::SendMouseDown(plot, mbRight, p.X, p.Y);
        TestHooks::SendMouseUp(plot, mbRight, p.X, p.Y);
        return modal.Popups.empty() ? TestHooks::TMenuSnapshot{} : modal.Popups.back();
    }

    PaintKinds kinds;
    TestHooks::TModalScript modal;  // context menus pick nothing
    TiPlot plot{nullptr};
    TBitmap screen;

private:
    TiPlotDataView* m_view = nullptr;
};

using Log = std::vector<std::string>;

// A press on a pointer or the hint grabs it; moves drag it along its own direction only, kept
// within the data view; a release on the cursor is a click, and only after a grab.
TEST_F(CursorInPlot, MouseDragsPointersAndHint)
{
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetStyle(ipcsDeltaX);
    cursor.SetPointer1Position(20);
    cursor.SetPointer2Position(60);
    Paint();
    Log log;
    plot.Events(TiPlotObjectKind::DataCursor).OnClick = [&](TObject*, int i) {
        log.push_back("Click " + std::to_string(i));
    };

    enum TAction { Down, Drag, Up };
    struct Step {
        const char* why;
        TAction action;
        std::function<TPoint()> where;
        double p1, p2, hint;
        Log events;
    };
    TPoint hintPressed;
    const Step steps[] = {
        {"a press on pointer 1 grabs it", Down, [&] { return At(20, 30); }, 20, 60, 50, {}},
        {"a move drags pointer 1 across only", Drag, [&] { return At(35, 80); }, 35, 60, 50, {}},
        {"the release on it is a click", Up, [&] { return At(35, 80); }, 35, 60, 50, {"Click 0"}},
        {"pointer 2 is grabbed where it lies", Down, [&] { return At(60, 10); }, 35, 60, 50, {}},
        {"dragged past the right edge it stops there", Drag, [&] { return At(130, 10); }, 35, 100, 50, {}},
        {"released away from the cursor: no click", Up, [&] { return At(130, 10); }, 35, 100, 50, {}},
        {"the hint box is grabbed", Down, [&] { return hintPressed = HintCentre(); }, 35, 100, 50, {}},
        {"it moves along the pointers, keeping its offset to the mouse",
         Drag,
         [&] {
             return TPoint{hintPressed.X + 40, hintPressed.Y + At(0, 80).Y - At(0, 50).Y};
         },
         35,
         100,
         80,
         {}},
        {"its release is a click", Up, [&] { return HintCentre(); }, 35, 100, 80, {"Click 0"}},
        {"a press beside the cursor grabs nothing", Down, [&] { return At(70, 20); }, 35, 100, 80, {}},
        {"a release without a grab raises no click", Up, [&] { return At(35, 20); }, 35, 100, 80, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        log.clear();
        const TPoint p = step.where();
        step.action == Down ? Press(p) : step.action == Drag ? Move(p) : Release(p);
        Paint();
        // A pixel of the data view is about 0.2 percent.
        EXPECT_NEAR(cursor.Pointer1Position(), step.p1, 0.3);
        EXPECT_NEAR(cursor.Pointer2Position(), step.p2, 0.3);
        EXPECT_NEAR(cursor.HintPosition(), step.hint, 0.3);
        EXPECT_EQ(log, step.events);
    }
    // The channel measured the distance the pointers were dragged to: 35 % to 100 % of 8.
    EXPECT_NEAR(cursor.DataX(), 0.65 * 8, 0.03);
}

// Arrow keys move the hint along its pointer and pointer 1 across, one pixel a step; Ctrl takes
// pointer 2; Page Up and Down take five steps; Home and End go to the edges. Positions stay
// within 0 .. 100 and a hidden pointer never moves.
TEST_F(CursorInPlot, KeysStepThePointersAndTheHint)
{
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetUserSelected(true);
    const double sx = StepX(), sy = StepY();
    struct Step {
        TiPlotDataCursorStyle style;
        int key;
        TShiftState shift;
        double p1, p2, hint;
    };
    const TShiftState ctrl{ssCtrl};
    const Step steps[] = {
        // Two vertical pointers with the hint between them, moving up and down.
        {ipcsDeltaX, VK_RIGHT, {}, 50 + sx, 60, 50},
        {ipcsDeltaX, VK_LEFT, ctrl, 50 + sx, 60 - sx, 50},
        {ipcsDeltaX, VK_UP, {}, 50 + sx, 60 - sx, 50 + sy},
        {ipcsDeltaX, VK_DOWN, ctrl, 50 + sx, 60 - sx, 50 + sy},  // Ctrl leaves the hint alone
        {ipcsDeltaX, VK_PRIOR, {}, 50 + 6 * sx, 60 - sx, 50 + sy},
        {ipcsDeltaX, VK_NEXT, ctrl, 50 + 6 * sx, 60 - 6 * sx, 50 + sy},
        {ipcsDeltaX, VK_END, ctrl, 50 + 6 * sx, 100, 50 + sy},
        {ipcsDeltaX, VK_RIGHT, ctrl, 50 + 6 * sx, 100, 50 + sy},  // stays at the edge
        {ipcsDeltaX, VK_HOME, {}, 0, 100, 50 + sy},
        {ipcsDeltaX, VK_LEFT, {}, 0, 100, 50 + sy},
        // Two horizontal pointers: the hint moves across, the pointers up and down.
        {ipcsDeltaY, VK_UP, {}, sy, 100, 50 + sy},
        {ipcsDeltaY, VK_RIGHT, {}, sy, 100, 50 + sy + sx},
        {ipcsDeltaY, VK_PRIOR, ctrl, sy, 100, 50 + sy + sx},
        {ipcsDeltaY, VK_NEXT, ctrl, sy, 100 - 5 * sy, 50 + sy + sx},
        // One pointer: Ctrl moves nothing.
        {ipcsValueX, VK_HOME, ctrl, sy, 100 - 5 * sy, 50 + sy + sx},
        {ipcsValueX, VK_END, {}, 100, 100 - 5 * sy, 50 + sy + sx},
    };
    int row = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE("row " + std::to_string(row++));
        cursor.SetStyle(step.style);
        TestHooks::SendKey(plot, step.key, step.shift);
        EXPECT_NEAR(cursor.Pointer1Position(), step.p1, 1e-9);
        EXPECT_NEAR(cursor.Pointer2Position(), step.p2, 1e-9);
        EXPECT_NEAR(cursor.HintPosition(), step.hint, 1e-9);
    }
}

// With snapping, the keys walk the pointer from point to point and scroll the X axis to show the
// point; where snapping has nothing to say the keys take their pixel steps.
TEST_F(CursorInPlot, KeysWalkTheDataPointsWhileSnapping)
{
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetUserSelected(true);
    cursor.SetSnapToDataPoint(true);
    cursor.SetPointer1Position(30);  // X 2.4: the nearest point is X 2
    TiPlotXAxis* axis = plot.GetXAxis(0);
    const double sy = StepY();
    struct Step {
        const char* why;
        TiPlotDataCursorStyle style;
        int key;
        double p1, axisMin, dataX, hint;
    };
    const Step steps[] = {
        {"snap to X 2, then one point on", ipcsValueXY, VK_RIGHT, 37.5, 0, 3, 50},
        {"one point back", ipcsValueXY, VK_LEFT, 25, 0, 2, 50},
        {"five points on", ipcsValueXY, VK_PRIOR, 87.5, 0, 7, 50},
        {"the last point, beyond the axis: it scrolls", ipcsValueXY, VK_END, 97.5, 2.2, 10, 50},
        {"the first point, before the axis: it scrolls back", ipcsValueXY, VK_HOME, 2.5, -0.2, 0, 50},
        {"up moves the hint", ipcsValueXY, VK_UP, 2.5, -0.2, 0, 50 + sy},
        {"a Y distance never snaps: up steps the pointer", ipcsDeltaY, VK_UP, 2.5 + sy, -0.2, 0, 50 + sy},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        cursor.SetStyle(step.style);
        TestHooks::SendKey(plot, step.key);
        EXPECT_NEAR(cursor.Pointer1Position(), step.p1, 1e-9);
        EXPECT_NEAR(axis->Min(), step.axisMin, 1e-9);
        EXPECT_NEAR(cursor.HintPosition(), step.hint, 1e-9);
        if (step.style == ipcsValueXY) {
            cursor.DoUpdate();
            EXPECT_NEAR(cursor.DataX(), step.dataX, 1e-9);
        }
    }
}

// Released, a dragged pointer lands on the point nearest in X of all channels; with no point
// anywhere it stays where it was dropped.
TEST_F(CursorInPlot, ReleasedPointerSnapsToTheNearestPointOfAllChannels)
{
    plot.AddChannel();
    for (int i = 0; i < 10; ++i)
        plot.GetChannel(1)->AddXY(i + 0.5, 1);
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetChannelName("<All>");
    cursor.SetSnapToDataPoint(true);
    cursor.SetPointer1Position(10);
    Paint();
    struct Drop {
        double at, landsAt;
    };
    // 42.5 % is X 3.4: channel 1's 3.5 is nearer than channel 0's 3. 57 % is X 4.56: channel 1's
    // 4.5 wins over channel 0's 5. 76 % is X 6.08: channel 0's 6.
    const Drop drops[] = {{42.5, 43.75}, {57, 56.25}, {76, 75}};
    for (const Drop& drop : drops) {
        SCOPED_TRACE(drop.at);
        const TPoint from = At(cursor.Pointer1Position(), 50);
        Press(from);
        Move(At(drop.at, 50));
        Release(At(drop.at, 50));
        EXPECT_NEAR(cursor.Pointer1Position(), drop.landsAt, 1e-9);
        Paint();
    }
    plot.GetChannel(0)->Clear();
    plot.GetChannel(1)->Clear();
    Press(At(75, 50));
    Move(At(30, 50));
    Release(At(30, 50));
    EXPECT_NEAR(cursor.Pointer1Position(), 30, 0.3) << "nothing to snap to";
}

// A channel that leaves while the cursor snaps to it, or whose leaving an axis event causes in
// the middle of a snap, leaves no reference behind; neither does a removed data view.
TEST_F(CursorInPlot, RemovedChannelOrDataViewLeavesNothingStale)
{
    plot.AddChannel();
    for (int i = 0; i <= 10; ++i)
        plot.GetChannel(1)->AddXY(i, -i);
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetChannelName(plot.GetChannel(1)->Name());
    cursor.SetSnapToDataPoint(true);
    cursor.SetUserSelected(true);
    TestHooks::SendKey(plot, VK_RIGHT);
    ASSERT_NEAR(cursor.Pointer1Position(), 62.5, 1e-9) << "snapped to X 4, then on to X 5";

    plot.DeleteChannel(1);
    EXPECT_EQ(cursor.GetChannel(), nullptr);
    for (int key : {VK_RIGHT, VK_END, VK_HOME})
        TestHooks::SendKey(plot, key);
    EXPECT_EQ(cursor.Pointer1Position(), 0) << "the pixel steps: Home";
    cursor.SetPointer1Position(50);

    // An axis handler that deletes the channel the cursor is scrolling to.
    cursor.SetChannelName("<All>");
    plot.OnXAxisMinChange = [&](TObject*, int, double, double) {
        if (plot.ChannelCount() > 0)
            plot.DeleteChannel(0);
    };
    TestHooks::SendKey(plot, VK_END);
    EXPECT_EQ(plot.ChannelCount(), 0);
    EXPECT_EQ(cursor.Pointer1Position(), 50) << "the point went with its channel";
    plot.OnXAxisMinChange = nullptr;
    Paint();

    const TPoint onPointer = At(50, 50);
    plot.DeleteDataView(0);
    EXPECT_EQ(cursor.DataView(), nullptr);
    for (int key : {VK_RIGHT, VK_UP, VK_END})
        TestHooks::SendKey(plot, key);
    cursor.MoveHint(icdUp);
    Press(onPointer);
    Release(onPointer);
    Paint();
    EXPECT_EQ(cursor.Pointer1Position(), 50);
    EXPECT_EQ(cursor.HintPosition(), 50);
}

// A data view squeezed to nothing takes no key or drag input: every conversion would divide by
// its zero size.
TEST_F(CursorInPlot, ZeroSizeDataViewIgnoresKeysAndDrags)
{
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetUserSelected(true);
    const TPoint grab = At(50, 50), to = At(80, 50);
    Press(grab);
    const TRect r = View().GetDrawRect();
    View().SetDrawRect({r.Left, r.Top, r.Left, r.Bottom});
    Move(to);
    Release(to);
    for (int key : {VK_RIGHT, VK_UP, VK_END, VK_HOME})
        TestHooks::SendKey(plot, key);
    cursor.MoveHint(icdUp);
    EXPECT_EQ(cursor.Pointer1Position(), 50);
    EXPECT_EQ(cursor.HintPosition(), 50);
    View().SetDrawRect({r.Left, r.Top, r.Right, r.Top});
    TestHooks::SendKey(plot, VK_END);
    EXPECT_EQ(cursor.Pointer1Position(), 50);
}

// Hints in several styles: beside the pointer, flipped at the right edge (and kept flipped),
// between two pointers with the dotted distance line, and without a channel. Each box is framed
// in the channel's colour (black without one) and filled with the info background.
TEST_F(CursorInPlot, HintBoxesSitBesideOrBetweenThePointers)
{
    while (plot.DataCursorCount() < 5)
        plot.AddDataCursor();
    struct Setup {
        TiPlotDataCursorStyle style;
        double p1, p2, hint;
        const char* channel;
        bool useChannelColor;
    };
    const Setup setups[] = {
        {ipcsValueXY, 30, 0, 70, "Channel 1", true},   // to the right of its pointer
        {ipcsDeltaX, 45, 65, 45, "Channel 1", true},   // between the pointers, selected
        {ipcsValueX, 97, 0, 20, "Channel 1", true},    // no room on the right: flips left
        {ipcsDeltaY, 65, 90, 15, "Channel 1", false},  // horizontal pointers in the cursor's own colour
        {ipcsValueXY, 10, 0, 30, "Nothing", true},     // no such channel
    };
    std::vector<std::string> texts(std::size(setups));
    plot.OnDataCursorCustomizeHint = [&](TObject*, int index, std::string& text) { texts.at(index) = text; };
    for (int i = 0; i < int(std::size(setups)); ++i) {
        const Setup& s = setups[i];
        TiPlotDataCursor& cursor = Cursor(i);
        cursor.SetStyle(s.style);
        cursor.SetPointer1Position(s.p1);
        cursor.SetPointer2Position(s.p2);
        cursor.SetHintPosition(s.hint);
        cursor.SetChannelName(s.channel);
        cursor.SetUseChannelColor(s.useChannelColor);
        cursor.SetColor(clLime);
        cursor.SetVisible(true);
    }
    Cursor(1).SetUserSelected(true);
    Paint();
    SavePNGOf(screen, "iPlotDataCursor_hints.png");

    TCanvas& canvas = screen.Canvas();
    const TColor channelColor = ColorToRGB(plot.GetChannel(0)->Color());
    const TColor frames[] = {channelColor, channelColor, channelColor, ColorToRGB(clBlack), ColorToRGB(clBlack)};
    for (int i = 0; i < int(std::size(setups)); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(Cursor(i).HintDrawn());
        const TRect box = Cursor(i).HintRect();
        EXPECT_EQ(canvas.GetPixel(box.Left, (box.Top + box.Bottom) / 2), frames[i]);
        EXPECT_EQ(canvas.GetPixel(box.Right - 2, box.Bottom - 2), ColorToRGB(clInfoBk));
    }
    EXPECT_EQ(texts[4], "No Channel");
    EXPECT_EQ(texts[0], Cursor(0).HintText());

    const int x30 = View().PositionPercentToPixelsX(30), x97 = View().PositionPercentToPixelsX(97);
    EXPECT_EQ(Cursor(0).HintRect().Left, x30 + 5);
    EXPECT_NEAR((Cursor(0).HintRect().Top + Cursor(0).HintRect().Bottom) / 2.0, At(0, 70).Y, 1);
    EXPECT_EQ(Cursor(2).HintRect().Right, x97 - 5);
    EXPECT_EQ(Cursor(2).HintOrientationSide(), iosTopLeft) << "the flipped side is kept";

    // Between the pointers: centred, with a dotted line from each pointer to the box.
    const TRect between = Cursor(1).HintRect();
    const int x45 = View().PositionPercentToPixelsX(45), x65 = View().PositionPercentToPixelsX(65);
    EXPECT_NEAR((between.Left + between.Right) / 2.0, (x45 + x65) / 2.0, 1);
    int dots = 0, gaps = 0;
    for (int x = x45 + 2; x < between.Left - 1; ++x)
        ++(canvas.GetPixel(x, (between.Top + between.Bottom) / 2) == channelColor ? dots : gaps);
    EXPECT_GT(dots, 2);
    EXPECT_GT(gaps, 2);
    // The selected cursor's box has a focus frame two pixels out.
    const TColor background = canvas.GetPixel(between.Left + 3, between.Top - 6);
    int marked = 0;
    for (int x = between.Left - 2; x < between.Right + 2; ++x)
        marked += canvas.GetPixel(x, between.Top - 2) != background;
    EXPECT_GT(marked, (between.Right - between.Left) / 4);

    // Horizontal pointers: the box sits between them at the hint's X, the line runs up and down.
    const TRect across = Cursor(3).HintRect();
    EXPECT_NEAR((across.Left + across.Right) / 2.0, At(15, 0).X, 1);
    EXPECT_NEAR((across.Top + across.Bottom) / 2.0, (At(0, 65).Y + At(0, 90).Y) / 2.0, 1);
    EXPECT_EQ(canvas.GetPixel(At(50, 65).X, At(50, 65).Y), ColorToRGB(clLime));

    // Moved back to the middle, a flipped hint stays on the left.
    Cursor(2).SetPointer1Position(50);
    Paint();
    EXPECT_EQ(Cursor(2).HintRect().Right, View().PositionPercentToPixelsX(50) - 5);
}

// A hint that is not drawn cannot be grabbed; with HintHideOnRelease it shows only while a
// pointer is dragged; a cursor on every channel shows none.
TEST_F(CursorInPlot, HintIsGrabbedOnlyWhereItWasDrawn)
{
    TiPlotDataCursor& cursor = Cursor();
    int clicks = 0;
    plot.Events(TiPlotObjectKind::DataCursor).OnClick = [&](TObject*, int) { ++clicks; };
    ASSERT_TRUE(cursor.HintDrawn());
    const TPoint hint = HintCentre();
    cursor.SetHintHideOnRelease(true);
    Paint();
    EXPECT_FALSE(cursor.HintDrawn());
    Press(hint);
    Move({hint.X, hint.Y - 60});
    Release({hint.X, hint.Y - 60});
    EXPECT_EQ(cursor.HintPosition(), 50);
    EXPECT_EQ(clicks, 0);

    Press(At(50, 10));
    Paint();
    EXPECT_TRUE(cursor.HintDrawn()) << "shown while pointer 1 is dragged";
    Release(At(50, 10));
    Paint();
    EXPECT_FALSE(cursor.HintDrawn());
    EXPECT_EQ(clicks, 1);

    cursor.SetHintHideOnRelease(false);
    cursor.SetChannelName("<All>");
    Paint();
    EXPECT_FALSE(cursor.HintDrawn());
}

std::vector<std::string> Describe(const TestHooks::TMenuSnapshot& menu)
{
    std::vector<std::string> lines;
    for (const TestHooks::TMenuSnapshot& item : menu.Items)
        lines.push_back(item.Caption + (item.Checked ? " *" : "") + (item.Enabled ? "" : " (off)") +
                        (item.Visible ? "" : " (hidden)"));
    return lines;
}

// The popup menu, right-clicked on the cursor: channels, styles, options and snapping, each
// doing what it says.
TEST_F(CursorInPlot, PopupMenuPicksChannelStyleAndOptions)
{
    plot.AddChannel();
    plot.GetChannel(1)->SetTitleText("Second\r\nchannel");
    for (int i = 0; i < 10; ++i)
        plot.GetChannel(1)->AddXY(i + 0.5, 1);
    plot.AddChannel();
    plot.GetChannel(2)->SetVisible(false);  // not offered
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetMenuItemVisibleDeltaY(false);
    cursor.SetMenuItemCaptionDeltaX("Distance");
    cursor.SetPointer1Position(52);  // X 4.16
    const std::string first = plot.GetChannel(0)->TitleText();

    TestHooks::TMenuSnapshot shown = PickFromMenu({"Channel", "Secondchannel"});
    EXPECT_EQ(Describe(shown), (Log{"Channel", "Style", "Options", "Snap to Data-Point", "Edit..."}));
    EXPECT_EQ(Describe(shown.Items.at(0)), (Log{"<All>", first + " *", "Secondchannel"}));
    EXPECT_EQ(Describe(shown.Items.at(1)),
              (Log{"Value X-Y *", "Value X", "Value Y", "Distance", "Peak-Peak (hidden)", "Frequency"}));
    EXPECT_EQ(Describe(shown.Items.at(2)), (Log{"Use Channel Color *", "Hide Hint On Release", "Flip Alignment"}));
    EXPECT_EQ(cursor.ChannelName(), plot.GetChannel(1)->Name());
    EXPECT_TRUE(plot.GetChannel(1)->UserSelected());
    EXPECT_EQ(cursor.Pointer1Position(), 52) << "not snapping yet";

    PickFromMenu({"Snap to Data-Point"});
    EXPECT_TRUE(cursor.SnapToDataPoint());
    EXPECT_EQ(cursor.Pointer1Position(), 56.25) << "onto the second channel's X 4.5";
    PickFromMenu({"Options", "Flip Alignment"});
    EXPECT_EQ(cursor.HintOrientationSide(), iosTopLeft);
    PickFromMenu({"Options", "Use Channel Color"});
    EXPECT_FALSE(cursor.UseChannelColor());
    PickFromMenu({"Options", "Hide Hint On Release"});
    EXPECT_TRUE(cursor.HintHideOnRelease());
    PickFromMenu({"Style", "Distance"});
    EXPECT_EQ(cursor.Style(), ipcsDeltaX);
    shown = PickFromMenu({"Channel", "<All>"});
    EXPECT_EQ(Describe(shown.Items.at(2)), (Log{"Use Channel Color", "Hide Hint On Release *", "Flip Alignment (off)"}))
        << "a hint between two pointers has no side to flip";
    EXPECT_EQ(Describe(shown.Items.at(1)).at(3), "Distance *");
    EXPECT_EQ(cursor.ChannelName(), "<All>");
    for (int i = 0; i < plot.ChannelCount(); ++i)
        EXPECT_FALSE(plot.GetChannel(i)->UserSelected()) << i;

    cursor.SetStyle(ipcsValueXY);
    cursor.SetChannelAllowAll(false);
    cursor.SetMenuUserCanChangeOptions(false);
    shown = PickFromMenu({});
    EXPECT_EQ(Describe(shown), (Log{"Channel", "Style", "Snap to Data-Point *", "Edit..."}));
    EXPECT_EQ(Describe(shown.Items.at(0)), (Log{first, "Secondchannel"}));

    // An XY plot's cursor never snaps, and does not offer it.
    TiXYPlot xyPlot(nullptr);
    TiPlotDataCursor& xyCursor = CursorOf(xyPlot);
    TPopupMenu menu(nullptr);
    xyCursor.AddMenuItems(&menu);
    for (int i = 0; i < menu.Items()->Count(); ++i)
        EXPECT_NE(menu.Items()->Items(i)->Caption(), "Snap to Data-Point");
    xyCursor.SetSnapToDataPoint(true);
    EXPECT_FALSE(xyCursor.DoSnapTo(1));
}

// Selecting the cursor selects its channel; picking another channel while the cursor is selected
// moves the cursor onto it; any other selection takes the cursor's away.
TEST_F(CursorInPlot, SelectionFollowsTheChannels)
{
    plot.AddChannel();
    TiPlotDataCursor& cursor = Cursor();
    TiPlotChannelCustom* first = plot.GetChannel(0);
    TiPlotChannelCustom* second = plot.GetChannel(1);
    cursor.SetUserSelected(true);
    EXPECT_TRUE(first->UserSelected());
    second->SetUserSelected(true);
    EXPECT_TRUE(cursor.UserSelected());
    EXPECT_EQ(cursor.ChannelName(), second->Name());
    plot.GetXAxis(0)->SetUserSelected(true);
    EXPECT_FALSE(cursor.UserSelected());
    first->SetUserSelected(true);
    EXPECT_FALSE(cursor.UserSelected());
    EXPECT_EQ(cursor.ChannelName(), second->Name()) << "an unselected cursor stays where it is";

    // Over the cursor the mouse is a hand, which the host may change.
    EXPECT_EQ(cursor.GetMousePointer({}), crHandPoint);
    plot.Events(TiPlotObjectKind::DataCursor).OnGetMouseCursor = [](TObject*, int, TCursor& c) { c = crCross; };
    EXPECT_EQ(cursor.GetMousePointer({}), crCross);
}

// Reading a channel's value at an X puts the cursor and the X axis back as they were, without an
// axis event, both the painting way and the cached way, on a reversed axis too, and after a paint
// that failed.
TEST_F(CursorInPlot, InterpolatedValueLeavesCursorAndAxisAsTheyWere)
{
    TiPlotDataCursor& cursor = Cursor();
    cursor.SetVisible(false);
    cursor.SetStyle(ipcsDeltaX);
    cursor.SetChannelName("<All>");
    cursor.SetPointer1Position(20);
    TiPlotXAxis* axis = plot.GetXAxis(0);
    int axisEvents = 0;
    plot.OnXAxisMinChange = [&](TObject*, int, double, double) { ++axisEvents; };
    struct Case {
        const char* channel;
        double x;
        bool cached, reversed;
        TiPlotDataPointStatus status;
        double y;
    };
    const Case cases[] = {
        {"Channel 1", 2.5, false, false, ipdpsValid, 6.5},   // between (2, 4) and (3, 9)
        {"channel 1", 2.5, true, false, ipdpsValid, 6.5},    // names ignore letter case
        {"Channel 1", 9.5, false, false, ipdpsValid, 90.5},  // beyond the axis: moved there to read
        {"Channel 1", 2.5, false, true, ipdpsValid, 6.5},   {"Channel 1", 2.5, true, true, ipdpsValid, 6.5},
        {"Nothing", 2.5, false, false, ipdpsNull, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.channel) + " at " + std::to_string(c.x) + (c.cached ? " cached" : "") +
                     (c.reversed ? " reversed" : ""));
        axis->SetReverseScale(c.reversed);
        cursor.SetUseCachedInterpolatedData(c.cached);
        double y = -1;
        EXPECT_EQ(cursor.GetInterpolatedYValue(c.channel, c.x, y), c.status);
        EXPECT_NEAR(y, c.y, 0.1);  // the channel interpolates along the drawn pixels
        EXPECT_FALSE(cursor.Visible());
        EXPECT_EQ(cursor.Style(), ipcsDeltaX);
        EXPECT_EQ(cursor.ChannelName(), "<All>");
        EXPECT_EQ(cursor.Pointer1Position(), 20);
        EXPECT_EQ(axis->Min(), 0);
        EXPECT_FALSE(axis->InSetMinSpan());
    }
    EXPECT_EQ(axisEvents, 0);

    axis->SetReverseScale(false);
    cursor.SetUseCachedInterpolatedData(false);
    plot.OnAfterPaint = [](TObject*) { throw Exception("paint failed"); };
    double y = 0;
    EXPECT_THROW(cursor.GetInterpolatedYValue("Channel 1", 2.5, y), Exception);
    EXPECT_FALSE(cursor.Visible());
    EXPECT_EQ(cursor.ChannelName(), "<All>");
    EXPECT_EQ(cursor.Pointer1Position(), 20);
    EXPECT_EQ(axis->Min(), 0);
    EXPECT_FALSE(axis->InSetMinSpan());
    EXPECT_EQ(axisEvents, 0);
}

// The nearest point in X: clamped to the ends, the nearer neighbour in between (the earlier one on
// a tie), on increasing and decreasing channels alike; none, and no distance, without points.
TEST_F(CursorInPlot, NearestSnapIndexByX)
{
    plot.AddChannel();
    plot.AddChannel();
    auto* increasing = dynamic_cast<TiPlotChannel*>(plot.GetChannel(0));  // X 0 .. 10
    auto* decreasing = dynamic_cast<TiPlotChannel*>(plot.GetChannel(1));
    auto* empty = dynamic_cast<TiPlotChannel*>(plot.GetChannel(2));
    for (int i = 10; i >= 0; --i)
        decreasing->AddXY(i, i);
    // Not painted since: the channel has not yet learnt that its X decreases.
    struct Case {
        TiPlotChannel* channel;
        double x;
        int index;
        double distance;
    };
    const Case cases[] = {
        {increasing, -3, 0, 3},    {increasing, 12, 10, 2},   {increasing, 4.3, 4, 0.3}, {increasing, 4.7, 5, 0.3},
        {increasing, 4.5, 4, 0.5}, {decreasing, 4.3, 6, 0.3}, {decreasing, 4.7, 5, 0.3}, {decreasing, -1, 10, 1},
        {decreasing, 11, 0, 1},    {empty, 4, -1, 1e300},
    };
    TiPlotXAxis* axis = plot.GetXAxis(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.channel == increasing   ? 0
                                    : c.channel == decreasing ? 1
                                                              : 2) +
                     " at " + std::to_string(c.x));
        double distance = -1;
        EXPECT_EQ(Cursor().GetNearestSnapToIndex(c.channel, c.x, axis->PositionToDataViewFraction(c.x) * 100, distance),
                  c.index);
        EXPECT_NEAR(distance, c.distance, 1e-9);
    }
}

// With the axes exchanged the X pointer lies across the plot: Up and Down walk the points,
// Left and Right move the hint.
TEST_F(CursorInPlot, KeysWalkTheDataPointsOnExchangedAxes)
{
    plot.SetXYAxesReverse(true);
    Paint();
    TiPlotDataCursor& cursor = Cursor();
    ASSERT_EQ(cursor.Pointer1Orientation(), ioHorizontal);
    cursor.SetUserSelected(true);
    cursor.SetSnapToDataPoint(true);
    cursor.SetPointer1Position(30);
    const double sx = StepX();
    struct Step {
        int key;
        double p1, hint;
    };
    const Step steps[] = {
        {VK_UP, 37.5, 50}, {VK_DOWN, 25, 50}, {VK_RIGHT, 25, 50 + sx}, {VK_LEFT, 25, 50}, {VK_NEXT, 0, 50}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key);
        TestHooks::SendKey(plot, step.key);
        EXPECT_NEAR(cursor.Pointer1Position(), step.p1, 1e-9);
        EXPECT_NEAR(cursor.HintPosition(), step.hint, 1e-9);
    }
}

}  // namespace
