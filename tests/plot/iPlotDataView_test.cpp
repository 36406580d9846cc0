#include "plot/objects/iPlotDataView.h"

#include "PlotHostFake.h"
#include "platform/canvas/PixelTestUtil.h"

#include "components/iClasses.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/Keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>

namespace {

const TNotifyEvent kIgnore = [](TObject*) {};

template <typename T>
std::unique_ptr<T> MakeObject(IPlotHost* host, const std::string& name)
{
    auto object = std::make_unique<T>(host, kIgnore, kIgnore, kIgnore, kIgnore);
    object->SetName(name);
    return object;
}

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TiPlotMouseData Mouse(int x, int y, TShiftState shift = {}, TMouseButton button = mbLeft)
{
    TiPlotMouseData data;
    data.X = data.XAxisPixels = x;
    data.Y = data.YAxisPixels = y;
    data.Shift = shift;
    data.Button = button;
    return data;
}

// A data view of 400 x 300 pixels at (40, 10) with an X axis of 0..100 along its bottom and
// a Y axis of 0..100 along its left side: 4 pixels per X unit, 3 per Y unit.
class DataViewTest : public ::testing::Test {
protected:
    PlotHostFake host;
    TBitmap bitmap;
    std::unique_ptr<TiPlotDataView> view = MakeObject<TiPlotDataView>(&host, "Data View 1");
    std::unique_ptr<TiPlotXAxis> x = MakeObject<TiPlotXAxis>(&host, "X1");
    std::unique_ptr<TiPlotYAxis> y = MakeObject<TiPlotYAxis>(&host, "Y1");
    std::unique_ptr<TiPlotToolBar> toolBar = MakeObject<TiPlotToolBar>(&host, "Toolbar 1");

    DataViewTest()
    {
        bitmap.SetSize(480, 360);
        host.XAxes = {x.get()};
        host.YAxes = {y.get()};
        view->SetDrawRect({40, 10, 440, 310});
        view->SetGridXAxisName("X1");
        view->SetGridYAxisName("Y1");
        Place(*x, {40, 310, 440, 350});
        Place(*y, {0, 10, 40, 310});
    }
    void Place(TiPlotAxis& axis, const TRect& rect)
    {
        axis.SetDrawRect(rect);
        axis.CalcTicks(bitmap.Canvas());
    }
    void Drag(std::initializer_list<TiPlotMouseData> moves)
    {
        auto it = moves.begin();
        view->DoMouseLeft(*it);
        for (++it; it != moves.end(); ++it)
            view->DoMouseMove(*it);
        view->DoMouseUp(*(moves.end() - 1));
    }
    void ResetAxes()
    {
        x->SetMinSpan(0, 100);
        y->SetMinSpan(0, 100);
        Place(*x, x->GetDrawRect());
        Place(*y, y->GetDrawRect());
    }
};

TEST_F(DataViewTest, PercentConversionsClampAndSurviveACollapsedRectangle)
{
    EXPECT_EQ(view->PositionPercentToPixelsX(25), 140);
    EXPECT_EQ(view->PositionPercentToPixelsY(0), 310);  // 0 % is the bottom edge
    EXPECT_EQ(view->PositionPercentToPixelsY(100), 10);
    EXPECT_EQ(view->PositionPercentToPixelsX(-10), 0);  // outside 0..100 is kept
    EXPECT_DOUBLE_EQ(view->PixelsXToPositionPercent(240), 50);
    EXPECT_DOUBLE_EQ(view->PixelsYToPositionPercent(85), 75);
    EXPECT_DOUBLE_EQ(view->PixelsXToPositionPercent(840), 200);
    // Far percents stay on the pixel grid of any device instead of overflowing.
    EXPECT_EQ(view->PositionPercentToPixelsX(1e12), 32000);
    EXPECT_EQ(view->PositionPercentToPixelsY(1e12), -32000);
    EXPECT_EQ(view->PositionPercentToPixelsX(std::numeric_limits<double>::quiet_NaN()), 32000);
    // Halves go to the even pixel: 2.5 % of 100 pixels from 0.
    view->SetDrawRect({0, 0, 100, 100});
    EXPECT_EQ(view->PositionPercentToPixelsX(2.5), 2);
    EXPECT_EQ(view->PositionPercentToPixelsX(3.5), 4);
    EXPECT_EQ(view->PositionPercentToPixelsY(97.5), 2);
    // Before the first layout the rectangle is empty: its edges, and 0 %.
    view->SetDrawRect({30, 20, 30, 20});
    EXPECT_EQ(view->PositionPercentToPixelsX(50), 30);
    EXPECT_EQ(view->PositionPercentToPixelsY(50), 20);
    EXPECT_EQ(view->PixelsXToPositionPercent(100), 0);
    EXPECT_EQ(view->PixelsYToPositionPercent(100), 0);
}

TEST_F(DataViewTest, ModeFollowsAxesControlAndToolBarZero)
{
    struct Case {
        bool axesControl, zoomBox, select, allowInSelect;
        TiPlotDataViewMode mode;
        TCursor cursor;
    };
    const Case cases[] = {
        {false, false, false, false, ipdvmNone, crDefault},
        {true, false, false, false, ipdvmScrollZoom, crHandPoint},
        {false, true, false, false, ipdvmZoomBox, crDrag},
        {true, true, false, false, ipdvmZoomBox, crDrag},
        {true, false, true, false, ipdvmSelect, crDefault},
        // Select mode that allows axes control leaves the other answers.
        {true, false, true, true, ipdvmScrollZoom, crHandPoint},
        {false, false, true, true, ipdvmNone, crDefault},
    };
    host.ToolBars = {toolBar.get()};
    for (const Case& c : cases) {
        view->SetAxesControlEnabled(c.axesControl);
        view->SetAxesControlAllowInSelectMode(c.allowInSelect);
        toolBar->GetButton(iptbbtZoomBox)->SetDown(c.zoomBox);
        toolBar->GetButton(iptbbtSelect)->SetDown(c.select);
        EXPECT_EQ(view->GetMode(), c.mode) << c.axesControl << c.zoomBox << c.select << c.allowInSelect;
        view->GetMouseObject(100, 100);
        EXPECT_EQ(view->GetMousePointer({100, 100}), c.cursor);
    }
    // The plot's cursor event has the last word.
    host.MouseCursor = [](TCursor& cursor) { cursor = crCross; };
    EXPECT_EQ(view->GetMousePointer({100, 100}), crCross);
    // A plot without a toolbar reads only AxesControlEnabled.
    host.ToolBars.clear();
    view->SetAxesControlEnabled(true);
    EXPECT_EQ(view->GetMode(), ipdvmScrollZoom);
}

TEST_F(DataViewTest, LeftDragScrollsTheAxesInTheDirectionsItIsLockedTo)
{
    struct Case {
        TiPlotAxesControlStyle style;
        bool shift;
        int dx, dy;
        double xMin, yMin;  // after the drag
    };
    // Dragging 40 pixels right moves X by -10 units, 30 pixels up moves Y by -10.
    const Case cases[] = {
        {ipacsBoth, false, 40, -30, -10, -10},
        {ipacsXAxis, false, 40, -30, -10, 0},
        {ipacsXAxis, true, 40, -30, 0, -10},
        {ipacsYAxis, false, 40, -30, 0, -10},
        {ipacsYAxis, true, 40, -30, -10, 0},
        {ipacsNone, false, 40, -30, 0, 0},
        // With Shift the first direction beyond 3 pixels wins; Y when both exceed in one move.
        {ipacsBoth, true, 4, -4, 0, -4.0 / 3},
        {ipacsBoth, true, 8, -3, -2, 0},
    };
    view->SetAxesControlEnabled(true);
    for (const Case& c : cases) {
        ResetAxes();
        view->SetAxesControlMouseStyle(c.style);
        const TShiftState shift = c.shift ? TShiftState{ssShift} : TShiftState{};
        Drag({Mouse(200, 200, shift), Mouse(200 + c.dx, 200 + c.dy, shift)});
        EXPECT_NEAR(x->Min(), c.xMin, 1e-9) << c.style << c.shift << c.dx;
        EXPECT_NEAR(y->Min(), c.yMin, 1e-9) << c.style << c.shift << c.dx;
    }
}

TEST_F(DataViewTest, ShiftLockLastsUntilTheNextPress)
{
    view->SetAxesControlEnabled(true);
    const TShiftState shift{ssShift};
    view->DoMouseLeft(Mouse(200, 200, shift));
    view->DoMouseMove(Mouse(208, 201, shift));  // locked to X
    view->DoMouseMove(Mouse(208, 171));         // Shift released: still X only
    view->DoMouseUp(Mouse(208, 171));
    EXPECT_NEAR(x->Min(), -2, 1e-9);
    EXPECT_NEAR(y->Min(), 0, 1e-9);
    view->DoMouseLeft(Mouse(200, 200));
    view->DoMouseMove(Mouse(200, 170));
    view->DoMouseUp(Mouse(200, 170));
    EXPECT_NEAR(y->Min(), -10, 1e-9);
}

TEST_F(DataViewTest, RightDragBeyondFivePixelsBecomesAZoomBoxAndCancelsThePopup)
{
    view->SetAxesControlEnabled(true);
    view->iMouseDown(mbRight, {}, 100, 100, 0, 0, nullptr);
    TiHintData hint;
    view->iMouseMove(hint, {}, 105, 95, 0, 0, false);
    EXPECT_FALSE(view->ZoomBoxActive());
    EXPECT_TRUE(view->PopupPending());
    EXPECT_TRUE(x->TrackingEnabled());
    view->iMouseMove(hint, {}, 106, 100, 0, 0, false);
    EXPECT_TRUE(view->ZoomBoxActive());
    EXPECT_FALSE(view->PopupPending());
    EXPECT_FALSE(x->TrackingEnabled());
    // Released at (300, 250): the box (100, 100)-(300, 250) becomes the axes' scale.
    view->iMouseMove(hint, {}, 300, 250, 0, 0, false);
    view->iMouseUp(mbRight, {}, 300, 250, 0, 0, false, nullptr);
    EXPECT_NEAR(x->Min(), 15, 1e-9);
    EXPECT_NEAR(x->GetMax(), 65, 1e-9);
    EXPECT_NEAR(y->Min(), 20, 1e-9);
    EXPECT_NEAR(y->GetMax(), 70, 1e-9);
    EXPECT_FALSE(view->ZoomBoxActive());
}

TEST_F(DataViewTest, ZoomBoxZoomsOnlyWhenDraggedRightAndDownAndAlwaysClicks)
{
    host.ToolBars = {toolBar.get()};
    toolBar->GetButton(iptbbtZoomBox)->SetDown(true);
    // Up and to the left: no zoom, but the release inside is a click.
    Drag({Mouse(300, 250), Mouse(100, 100)});
    EXPECT_EQ(host.Take(), (PlotHostFake::Log{"DisableAllTracking", "Click Data View 1"}));
    EXPECT_EQ(x->Min(), 0);
    // A zero-height box zooms nothing either.
    Drag({Mouse(100, 100), Mouse(300, 100)});
    EXPECT_EQ(x->Min(), 0);
    host.Take();
    // The plot's handler may change the box...
    host.BeforeZoomBox = [](TRect& r, bool&) { r.Right = 140; };
    Drag({Mouse(100, 100), Mouse(300, 250)});
    EXPECT_EQ(host.Take(), (PlotHostFake::Log{"DisableAllTracking", "BeforeZoomBox", "Click Data View 1"}));
    EXPECT_NEAR(x->Min(), 15, 1e-9);
    EXPECT_NEAR(x->GetMax(), 25, 1e-9);
    // ...or cancel it, leaving every axis as it was. A release outside is no click.
    ResetAxes();
    host.BeforeZoomBox = [](TRect&, bool& cancel) { cancel = true; };
    Drag({Mouse(100, 100), Mouse(460, 330)});
    EXPECT_EQ(host.Take(), (PlotHostFake::Log{"DisableAllTracking", "BeforeZoomBox"}));
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(y->Span(), 100);
}

TEST_F(DataViewTest, EscapeAbandonsTheZoomBox)
{
    host.ToolBars = {toolBar.get()};
    toolBar->GetButton(iptbbtZoomBox)->SetDown(true);
    view->DoMouseLeft(Mouse(100, 100));
    view->DoMouseMove(Mouse(300, 250));
    int key = VK_ESCAPE;
    view->iKeyDown(key, {}, nullptr);
    EXPECT_FALSE(view->ZoomBoxActive());
    view->DoMouseMove(Mouse(310, 260));
    view->DoMouseUp(Mouse(310, 260));
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);
}

TEST_F(DataViewTest, WheelReachesEveryChosenAxisOnceEvenWithMasterInput)
{
    // Two X axes that both forward their input to each other: the data view already gives
    // the turn to each, so neither may pass it on.
    auto x2 = MakeObject<TiPlotXAxis>(&host, "X2");
    Place(*x2, {40, 330, 440, 360});
    host.XAxes.push_back(x2.get());
    x->SetMasterUIInput(true);
    x2->SetMasterUIInput(true);
    view->SetAxesControlEnabled(true);
    struct Case {
        TiPlotAxesControlStyle style;
        bool shift;
        bool handled;
        double xMin, yMin;  // after one notch: 5 % of the span
    };
    const Case cases[] = {
        {ipacsXAxis, false, true, 5, 0}, {ipacsXAxis, true, true, 0, 5}, {ipacsYAxis, false, true, 0, 5},
        {ipacsYAxis, true, true, 5, 0},  {ipacsBoth, false, true, 5, 5}, {ipacsNone, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        ResetAxes();
        x2->SetMinSpan(0, 100);
        view->SetAxesControlWheelStyle(c.style);
        const TShiftState shift = c.shift ? TShiftState{ssShift} : TShiftState{};
        EXPECT_EQ(view->DoMouseWheel(120, shift, 200, 200), c.handled);
        EXPECT_NEAR(x->Min(), c.xMin, 1e-9) << c.style << c.shift;
        EXPECT_NEAR(x2->Min(), c.xMin, 1e-9) << c.style << c.shift;
        EXPECT_NEAR(y->Min(), c.yMin, 1e-9) << c.style << c.shift;
    }
    EXPECT_FALSE(host.GetMasterAxisInputGuard());
    // A drag is handed out once as well.
    ResetAxes();
    x2->SetMinSpan(0, 100);
    view->SetAxesControlMouseStyle(ipacsXAxis);
    Drag({Mouse(200, 200), Mouse(240, 200)});
    EXPECT_NEAR(x->Min(), -10, 1e-9);
    EXPECT_NEAR(x2->Min(), -10, 1e-9);
}

TEST_F(DataViewTest, WithoutAxesControlInputMovesNothingButClicksStillFire)
{
    view->GetMouseObject(200, 200);
    EXPECT_EQ(view->GetMousePointer({200, 200}), crDefault);
    EXPECT_FALSE(view->DoMouseWheel(120, {}, 200, 200));
    Drag({Mouse(200, 200), Mouse(260, 150)});
    view->DoMouseRight(Mouse(200, 200));
    view->DoMouseMove(Mouse(260, 260));
    EXPECT_FALSE(view->ZoomBoxActive());
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(y->Min(), 0);
    EXPECT_TRUE(x->TrackingEnabled());
    EXPECT_EQ(host.Take(), (PlotHostFake::Log{"Click Data View 1"}));
}

TEST_F(DataViewTest, GridAxisFollowsRenamesAndForgetsRemovedAxes)
{
    EXPECT_EQ(view->XAxisNeeded(), x.get());
    x->SetName("Time");
    view->NotificationRename(x.get());
    EXPECT_EQ(view->GridXAxisName(), "Time");
    view->NotificationRemove(y.get());
    host.YAxes.clear();
    y.reset();
    EXPECT_EQ(view->YAxisNeeded(), nullptr);
    view->Draw(bitmap.Canvas(), clBlack);  // no grid lines of a gone axis, no crash
}

TEST_F(DataViewTest, AnotherSelectedObjectTakesTheFocusAndTheMenuOffersEdit)
{
    view->SetUserSelected(true);
    toolBar->SetUserSelected(true);
    x->SetUserSelected(true);
    // Only an object that is selected takes the focus away.
    view->NotificationSetFocus(y.get());
    toolBar->NotificationSetFocus(y.get());
    EXPECT_TRUE(view->UserSelected());
    EXPECT_TRUE(toolBar->UserSelected());
    view->NotificationSetFocus(view.get());
    EXPECT_TRUE(view->UserSelected());
    view->NotificationSetFocus(x.get());
    toolBar->NotificationSetFocus(x.get());
    EXPECT_FALSE(view->UserSelected());
    EXPECT_FALSE(toolBar->UserSelected());

    TPopupMenu menu(nullptr);
    for (TiPlotObject* object : {static_cast<TiPlotObject*>(view.get()), static_cast<TiPlotObject*>(toolBar.get())}) {
        object->AddMenuItems(&menu);
        ASSERT_EQ(menu.Items()->Count(), 1);
        EXPECT_EQ(menu.Items()->Items(0)->Caption(), "Edit...");
    }
}

TEST_F(DataViewTest, PropertyLinesInDeclaredOrderAndBack)
{
    TStringList lines;
    SaveObjectToStringList(view.get(), "", lines);
    // Values at their declared default are left out; the three axes-control settings have
    // none and are always written.
    const std::vector<std::string> fresh{"Name = Data View 1",       "StopPercent = 100",
                                         "StartPercent = 0",         "ZOrder = 0",
                                         "Horizontal = 0",           "Title = ",
                                         "GridXAxisName = X1",       "GridYAxisName = Y1",
                                         "AxesControlEnabled = 0",   "AxesControlMouseStyle = 2",
                                         "AxesControlWheelStyle = 0"};
    ASSERT_EQ(lines.Count(), int(fresh.size()));
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_EQ(lines[i], fresh[i]) << i;

    view->SetBackgroundColor(clNavy);
    view->SetGridLineYMinorCustom(true);
    view->SetGridLineYMinorStyle(ipglsDot);
    view->SetGridLineYMinorWidth(2);
    view->SetAxesControlWheelStyle(ipacsBoth);
    lines.Clear();
    SaveObjectToStringList(view.get(), "", lines);
    auto copy = MakeObject<TiPlotDataView>(&host, "Copy");
    LoadObjectFromStringList(copy.get(), "", lines);
    EXPECT_EQ(copy->BackgroundColor(), clNavy);
    EXPECT_TRUE(copy->GridLineYMinorCustom());
    EXPECT_EQ(copy->GridLineYMinorStyle(), ipglsDot);
    EXPECT_EQ(copy->GridLineYMinorWidth(), 2);
    EXPECT_EQ(copy->GridLineYMajorWidth(), 0);
    EXPECT_EQ(copy->AxesControlWheelStyle(), ipacsBoth);
}

// --- Drawing ----------------------------------------------------------------------------------

class DataViewDrawTest : public DataViewTest {
protected:
    const std::vector<Legend> legend{{clBlack, '.'}, {clGreen, 'g'},  {clTeal, 't'},
                                     {clRed, 'r'},   {clYellow, 'y'}, {clWhite, 'w'}};
};

TEST_F(DataViewDrawTest, BackgroundGridAndFrameAtThePixels)
{
    TCanvas& canvas = bitmap.Canvas();
    view->SetBackgroundTransparent(false);
    view->DrawBackground(canvas);
    view->Draw(canvas, clBlack);
    // X at 40 + 4v, Y at 310 - 3v; majors of both axes cross the view, minors are off.
    const int x40 = x->PositionToPixels(40), y40 = y->PositionToPixels(40);
    ASSERT_EQ(x40, 200);
    ASSERT_EQ(y40, 190);
    ASSERT_EQ(x->MajorIncrement(), 20);
    ASSERT_EQ(y->MajorIncrement(), 20);
    EXPECT_EQ(Column(bitmap, x40, 8, 14, legend), "..gggg");
    EXPECT_EQ(Column(bitmap, x40, 306, 313, legend), "ggggg..");
    EXPECT_EQ(Row(bitmap, y40, 36, 46, legend), "....gggggg");
    EXPECT_EQ(Row(bitmap, y40, 436, 444, legend), "ggggg...");
    EXPECT_EQ(Row(bitmap, 200, 38, 46, legend), "..gttttt");    // left frame, teal inside
    EXPECT_EQ(Row(bitmap, 200, 196, 204, legend), "ttttgttt");  // the major of 40
    EXPECT_EQ(Row(bitmap, 200, 236, 244, legend), "tttttttt");  // no minors
    EXPECT_EQ(Row(bitmap, 200, 436, 444, legend), "ttttg...");
    // The frame closes every corner: the bottom line reaches the right edge's column.
    EXPECT_EQ(Row(bitmap, 310, 436, 444, legend), "ggggg...");
    EXPECT_EQ(Column(bitmap, 440, 6, 14, legend), "....gggg");
    EXPECT_EQ(Column(bitmap, 40, 306, 313, legend), "ggggg..");
    EXPECT_EQ(canvas.GetPixel(20, 200), clBlack);  // nothing outside the view
    SavePNG(bitmap, "iPlotDataView_grid.png");
}

TEST_F(DataViewDrawTest, CustomPensAllAxesAndAnUnknownName)
{
    TCanvas& canvas = bitmap.Canvas();
    auto x2 = MakeObject<TiPlotXAxis>(&host, "X2");
    x2->SetMinSpan(0, 40);  // its 20 lies between the majors of the other X axis
    Place(*x2, {40, 330, 440, 360});
    host.XAxes.push_back(x2.get());
    view->SetGridXAxisName("<all>");
    view->SetGridLineXMajorCustom(true);
    view->SetGridLineXMajorColor(clRed);
    view->SetGridYAxisName("No Such Axis");
    view->Draw(canvas, clBlack);
    // Both X axes draw their majors in the custom red; no Y grid; the frame stays green.
    EXPECT_EQ(canvas.GetPixel(x->PositionToPixels(40), 100), clRed);
    EXPECT_EQ(canvas.GetPixel(x2->PositionToPixels(20), 100), clRed);
    EXPECT_EQ(canvas.GetPixel(x2->PositionToPixels(20) + 1, 100), clBlack);  // one pixel wide
    EXPECT_EQ(Row(bitmap, y->PositionToPixels(40), 100, 110, legend), "..........");
    EXPECT_EQ(canvas.GetPixel(40, 100), clGreen);
    EXPECT_EQ(canvas.GetPixel(300, 310), clGreen);
    // Hidden grid: nothing at all.
    TBitmap clean;
    clean.SetSize(480, 360);
    view->SetGridShow(false);
    view->Draw(clean.Canvas(), clBlack);
    EXPECT_EQ(InkBox(clean, clBlack), TRect());
}

TEST_F(DataViewDrawTest, SelectedViewAndRubberBand)
{
    TCanvas& canvas = bitmap.Canvas();
    view->SetGridLineShowLeft(false);
    view->SetGridShow(false);
    view->SetUserSelected(true);
    view->Draw(canvas, clYellow);
    // The frame in the plot's colour with every other pixel inverted to show the focus.
    EXPECT_EQ(Column(bitmap, 40, 100, 106, legend), "wywywy");
    EXPECT_EQ(Row(bitmap, 310, 436, 444, legend), "wywyw...");
    view->SetUserSelected(false);

    TBitmap band;
    band.SetSize(480, 360);
    host.ToolBars = {toolBar.get()};
    toolBar->GetButton(iptbbtZoomBox)->SetDown(true);
    view->DoMouseLeft(Mouse(300, 250));
    view->DoMouseMove(Mouse(100, 100));
    view->DrawForeground(band.Canvas());
    // Dragged up and left, the band still shows from corner to corner.
    EXPECT_EQ(InkBox(band, clBlack), TRect(100, 100, 300, 250));
    view->DoMouseUp(Mouse(100, 100));
    TBitmap after;
    after.SetSize(480, 360);
    view->DrawForeground(after.Canvas());
    EXPECT_EQ(InkBox(after, clBlack), TRect());
}

}  // namespace
