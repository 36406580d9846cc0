#include "plot/objects/iPlotToolBar.h"

#include "PlotHostFake.h"
#include "platform/canvas/PixelTestUtil.h"

#include "components/iClasses.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/ImageList.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/Controls.h"
#include "platform/gui/TestHooks.h"
#include "plot/objects/iPlotDataView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <memory>
#include <string>

namespace {

using Log = PlotHostFake::Log;
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

// A toolbar at (0, 0) of 600 x 36 pixels on a plot with an X and a Y axis of 0..100 and two
// data cursors.
class ToolBarTest : public ::testing::Test {
protected:
    PlotHostFake host;
    std::unique_ptr<TiPlotToolBar> bar = MakeObject<TiPlotToolBar>(&host, "Toolbar 1");
    std::unique_ptr<TiPlotXAxis> x = MakeObject<TiPlotXAxis>(&host, "X1");
    std::unique_ptr<TiPlotYAxis> y = MakeObject<TiPlotYAxis>(&host, "Y1");
    // Data cursors are drawn elsewhere; here they only show, hide and take the focus.
    std::unique_ptr<TiPlotObject> cursor1 = MakeObject<TiPlotObject>(&host, "Cursor 1");
    std::unique_ptr<TiPlotObject> cursor2 = MakeObject<TiPlotObject>(&host, "Cursor 2");
    TBitmap bitmap;

    ToolBarTest()
    {
        host.XAxes = {x.get()};
        host.YAxes = {y.get()};
        host.ToolBars = {bar.get()};
        host.DataCursors = {cursor1.get(), cursor2.get()};
        host.Objects = {bar.get(), x.get(), y.get(), cursor1.get(), cursor2.get()};
        cursor1->SetVisible(false);
        cursor2->SetVisible(false);
        bar->SetDrawRect({0, 0, 600, 36});
        bitmap.SetSize(620, 60);
    }
    TiPlotToolBarButton& Button(TiPlotToolBarButtonType type) { return *bar->GetButton(type); }
    void Draw()
    {
        bitmap.Canvas().Brush().SetColor(clBlack);
        bitmap.Canvas().FillRect({0, 0, 620, 60});
        bar->Draw(bitmap.Canvas(), clBlack);
    }
    // A click as the plot's dispatch delivers it: to the entry under the mouse.
    void Click(TiPlotToolBarButtonType type)
    {
        const TRect r = Button(type).GetDrawRect();
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        TiPlotObject* target = bar->GetMouseObject(cx, cy);
        ASSERT_EQ(target, &Button(type));
        target->iMouseDown(mbLeft, {}, cx, cy, cx, cy, nullptr);
        target->iMouseUp(mbLeft, {}, cx, cy, cx, cy, false, nullptr);
    }
};

TEST_F(ToolBarTest, EntriesInDisplayOrder)
{
    struct Entry {
        const char* hint;
        int group;
        const char* image;
        bool visible;
    };
    // Spacers have no hint.
    const Entry entries[] = {
        {"Resume All (Tracking)", 0, "AUTO", true},
        {"Pause All (Tracking)", 0, "PAUSE", true},
        {"", 0, "", true},
        {"Scroll (Axes)", 2, "SCROLL", true},
        {"Zoom (Axes)", 2, "ZOOM", true},
        {"", 0, "", true},
        {"Zoom Out All Axes", 0, "ZOOMOUT", true},
        {"Zoom In All Axes", 0, "ZOOMIN", true},
        {"", 0, "", true},
        {"Select", -1, "SELECT", false},
        {"Zoom Box", -1, "SCROLLBOX", true},
        {"Cursor", -2, "CURSOR", true},
        {"", 0, "", true},
        {"Properties", 0, "PROPERTIES", true},
        {"", 0, "", true},
        {"Copy to Clipboard", 0, "COPY", true},
        {"Save to File", 0, "SAVE", true},
        {"Print", 0, "PRINTER", true},
        {"Preview", 0, "PREVIEW", false},
    };
    ASSERT_EQ(bar->EntryCount(), 19);
    for (int i = 0; i < 19; ++i) {
        const TiPlotToolBarButton& entry = *bar->GetEntry(i);
        EXPECT_EQ(entry.Hint(), entries[i].hint) << i;
        EXPECT_EQ(entry.Spacer(), *entries[i].hint == '\0') << i;
        EXPECT_EQ(entry.GroupIndex(), entries[i].group) << i;
        EXPECT_EQ(entry.ImageName(), entries[i].image) << i;
        EXPECT_EQ(entry.Visible(), entries[i].visible) << i;
        EXPECT_EQ(entry.Down(), i == 3) << i;  // Scroll
        EXPECT_EQ(entry.ToolBar(), bar.get());
    }
    EXPECT_TRUE(bar->Horizontal());
    EXPECT_EQ(bar->ZoomInOutFactor(), 2.0);
    EXPECT_TRUE(PlotObjectBelongsTo(bar->GetEntry(4), bar.get()));
}

TEST_F(ToolBarTest, ShowPropertiesAreTheButtonsVisibilityInTheFile)
{
    bar->SetShowAxesModeButtons(false);
    bar->SetShowPreviewButton(true);
    bar->SetSmallButtons(true);
    TStringList lines;
    SaveObjectToStringList(bar.get(), "", lines);
    const std::vector<std::string> expected{
        "Name = Toolbar 1",        "StopPercent = 100",     "StartPercent = 0",    "ZOrder = 0",      "Horizontal = 1",
        "ShowAxesModeButtons = 0", "ShowPreviewButton = 1", "ZoomInOutFactor = 2", "SmallButtons = 1"};
    ASSERT_EQ(lines.Count(), int(expected.size()));
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << i;
    auto copy = MakeObject<TiPlotToolBar>(&host, "Copy");
    LoadObjectFromStringList(copy.get(), "", lines);
    EXPECT_FALSE(copy->GetButton(iptbbtScrollAxesMode)->Visible());
    EXPECT_FALSE(copy->GetButton(iptbbtZoomAxesMode)->Visible());
    EXPECT_TRUE(copy->GetButton(iptbbtPreview)->Visible());
    EXPECT_EQ(copy->GetButton(iptbbtResume)->ImageName(), "SMALLAUTO");
}

TEST_F(ToolBarTest, ZoomInPausesThenHalvesEverySpanInTheEventOrder)
{
    bar->DoButtonClickZoomIn();
    EXPECT_EQ(host.Take(),
              (Log{"Before ZoomIn", "Before Pause", "DisableAllTracking", "Clicked Pause", "Clicked ZoomIn"}));
    EXPECT_EQ(x->Min(), 25);
    EXPECT_EQ(x->Span(), 50);
    EXPECT_EQ(y->Span(), 50);
    EXPECT_FALSE(x->TrackingEnabled());
    bar->DoButtonClickZoomOut();
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(y->Span(), 100);
    // A log axis zooms a decade out and in, whatever the factor.
    y->SetScaleType(ipstLog10);
    y->SetMinSpan(1, 9);
    bar->SetZoomInOutFactor(5);
    bar->DoButtonClickZoomOut();
    EXPECT_DOUBLE_EQ(y->Min(), 0.1);
    EXPECT_DOUBLE_EQ(y->Span(), 90);
    EXPECT_EQ(x->Span(), 500);
    bar->DoButtonClickZoomIn();
    EXPECT_DOUBLE_EQ(y->Min(), 1);
    EXPECT_DOUBLE_EQ(y->Span(), 9);
}

TEST_F(ToolBarTest, AFactorBelowOneIsOneAndStillPauses)
{
    for (double factor : {0.5, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
        bar->SetZoomInOutFactor(factor);
        EXPECT_EQ(bar->ZoomInOutFactor(), 1.0) << factor;
    }
    bar->DoButtonClickZoomOut();
    EXPECT_EQ(x->Span(), 100);
    EXPECT_FALSE(y->TrackingEnabled());
}

TEST_F(ToolBarTest, ACancelledBeforeClickStopsTheActionAndItsClickEvent)
{
    host.BeforeClick = [](TiPlotToolBarButtonType, bool& cancel) { cancel = true; };
    bar->DoButtonClickZoomIn();
    bar->DoButtonClickPause();
    bar->DoButtonClickCursor();
    EXPECT_EQ(host.Take(), (Log{"Before ZoomIn", "Before Pause", "Before Cursor"}));
    EXPECT_EQ(x->Span(), 100);
    EXPECT_TRUE(x->TrackingEnabled());
    EXPECT_FALSE(bar->GetCursorActive());
    // A cancelled mouse click on Zoom still released Scroll: its group went first.
    Draw();
    Click(iptbbtZoomAxesMode);
    EXPECT_FALSE(Button(iptbbtScrollAxesMode).Down());
    EXPECT_FALSE(Button(iptbbtZoomAxesMode).Down());
    EXPECT_EQ(x->Mode(), ipamScroll);
}

TEST_F(ToolBarTest, ClickedAxesModeButtonsSwitchEveryAxis)
{
    Draw();
    Click(iptbbtZoomAxesMode);
    EXPECT_TRUE(Button(iptbbtZoomAxesMode).Down());
    EXPECT_FALSE(Button(iptbbtScrollAxesMode).Down());
    EXPECT_EQ(x->Mode(), ipamZoom);
    EXPECT_EQ(y->Mode(), ipamZoom);
    Click(iptbbtScrollAxesMode);
    EXPECT_TRUE(Button(iptbbtScrollAxesMode).Down());
    EXPECT_FALSE(Button(iptbbtZoomAxesMode).Down());
    EXPECT_EQ(y->Mode(), ipamScroll);
    EXPECT_EQ(host.Take(), (Log{"Before Zoom", "Clicked Zoom", "Before Scroll", "Clicked Scroll"}));
}

TEST_F(ToolBarTest, SelectAndZoomBoxExcludeEachOtherAndSelectIsThePlotsSelectMode)
{
    bar->SetShowSelectButton(true);
    Draw();
    Click(iptbbtSelect);
    EXPECT_TRUE(bar->GetSelectActive());
    EXPECT_TRUE(host.SelectModeActive);
    EXPECT_FALSE(x->TrackingEnabled());
    EXPECT_EQ(host.Take(), (Log{"Before Select", "DisableAllTracking", "SelectMode on", "Clicked Select"}));
    Click(iptbbtZoomBox);
    EXPECT_TRUE(bar->GetZoomBoxActive());
    EXPECT_FALSE(bar->GetSelectActive());
    EXPECT_FALSE(host.SelectModeActive);
    EXPECT_EQ(host.Take(), (Log{"SelectMode off", "Before ZoomBox", "Clicked ZoomBox"}));
    Click(iptbbtZoomBox);
    EXPECT_FALSE(bar->GetZoomBoxActive());
    // The Select button of another toolbar carries toolbar 0 along.
    auto other = MakeObject<TiPlotToolBar>(&host, "Toolbar 2");
    other->DoButtonClickSelect();
    EXPECT_TRUE(other->GetSelectActive());
    EXPECT_TRUE(bar->GetSelectActive());
}

TEST_F(ToolBarTest, CursorShowsTheDataCursorsAndGivesTheFirstTheFocus)
{
    bar->DoButtonClickCursor();
    EXPECT_TRUE(bar->GetCursorActive());
    EXPECT_TRUE(cursor1->Visible());
    EXPECT_TRUE(cursor2->Visible());
    EXPECT_TRUE(cursor1->UserSelected());
    EXPECT_FALSE(cursor2->UserSelected());
    EXPECT_FALSE(x->TrackingEnabled());
    bar->TurnOffCursor();
    EXPECT_FALSE(cursor1->Visible());
    EXPECT_FALSE(cursor2->Visible());
}

TEST_F(ToolBarTest, ResumeLeavesCursorAndSelectModesAndTracksAgain)
{
    bar->DoButtonClickSelect();
    bar->DoButtonClickCursor();
    x->SetUserSelected(true);
    host.Take();
    bar->DoButtonClickResume();
    EXPECT_EQ(host.Take(), (Log{"Before Resume", "Before Cursor", "Clicked Cursor", "Before Select", "SelectMode off",
                                "Clicked Select", "EnableAllTracking", "Clicked Resume"}));
    EXPECT_FALSE(cursor1->Visible());
    EXPECT_FALSE(cursor1->UserSelected());
    EXPECT_FALSE(x->UserSelected());
    EXPECT_FALSE(host.SelectModeActive);
    EXPECT_TRUE(x->TrackingEnabled());
    EXPECT_TRUE(y->TrackingEnabled());
}

TEST_F(ToolBarTest, ButtonsWhoseTargetsArePlotOperationsFireTheirEvents)
{
    bar->DoButtonClickEdit();
    bar->DoButtonClickCopy();
    bar->DoButtonClickSave();
    bar->DoButtonClickPrint();
    bar->DoButtonClickPreview();
    // The editor reports its own changes: no click event after it.
    EXPECT_EQ(host.Take(), (Log{"Before Edit", "EditProperties", "Before Copy", "CopyToClipBoard", "Clicked Copy",
                                "Before Save", "Save", "Clicked Save", "Before Print", "PrintChart", "Clicked Print",
                                "Before Preview", "PreviewChart", "Clicked Preview"}));
}

TEST_F(ToolBarTest, HintIsTranslatedBelowTheButtonAndCustomized)
{
    Draw();
    TiHintData hint;
    Button(iptbbtPrint).DoMouseHint({}, hint);
    EXPECT_EQ(hint.Text, "Drucken!");
    EXPECT_EQ(hint.Top, 36);
    EXPECT_EQ(hint.Left, Button(iptbbtPrint).GetDrawRect().Left);
}

// --- Drawing ----------------------------------------------------------------------------------

// Where each visible entry lies: from 3 pixels in, 30-pixel buttons and 10-pixel spacers.
TEST_F(ToolBarTest, ButtonsLieInOneRowWithSpacersBetweenTheGroups)
{
    Draw();
    const int lefts[] = {3, 33, 73, 103, 143, 173, 213, 243, 283, 323, 353, 383};
    const TiPlotToolBarButtonType order[] = {iptbbtResume,  iptbbtPause,  iptbbtScrollAxesMode, iptbbtZoomAxesMode,
                                             iptbbtZoomOut, iptbbtZoomIn, iptbbtZoomBox,        iptbbtCursor,
                                             iptbbtEdit,    iptbbtCopy,   iptbbtSave,           iptbbtPrint};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Button(order[i]).GetDrawRect(), TRect(lefts[i], 3, lefts[i] + 30, 33)) << i;
    // A point on a spacer finds the spacer, one beside the row the bar itself.
    EXPECT_TRUE(static_cast<TiPlotToolBarButton*>(bar->GetMouseObject(68, 10))->Spacer());
    EXPECT_EQ(bar->GetMouseObject(500, 10), bar.get());
    TCanvas& canvas = bitmap.Canvas();
    EXPECT_EQ(bar->GetRequiredWidth(canvas), 36);
    // With Select alone of its group the spacer after it stays; with none shown it goes.
    bar->SetShowZoomBoxButton(false);
    bar->SetShowCursorButton(false);
    bar->SetShowSelectButton(true);
    Draw();
    EXPECT_EQ(Button(iptbbtEdit).GetDrawRect().Left, 253);
    bar->SetShowSelectButton(false);
    Draw();
    EXPECT_EQ(Button(iptbbtEdit).GetDrawRect().Left, 213);
}

TEST_F(ToolBarTest, BarButtonsPressedAndDisabledAtThePixels)
{
    const TColor face = ColorToRGB(clBtnFace), light = ColorToRGB(cl3DLight), dark = ColorToRGB(cl3DDkShadow);
    const TColor highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    const std::vector<Legend> legend{
        {face, 'f'},    {light, 'l'},           {dark, 'd'}, {highlight, 'h'}, {shadow, 's'},
        {clBlack, 'k'}, {TColor(0xEFEFEF), 'p'}};
    x->SetTrackingEnabled(false);  // Resume enabled, Pause enabled (Y still tracks)
    Draw();
    TCanvas& canvas = bitmap.Canvas();
    // The bar: face colour, a raised edge, one pixel wider than its rectangle.
    EXPECT_EQ(Column(bitmap, 500, 0, 5, legend), "lhfff");
    EXPECT_EQ(Column(bitmap, 500, 32, 37, legend), "ffsdk");
    EXPECT_EQ(Row(bitmap, 20, 596, 602, legend), "ffsdfk");
    // Resume: a raised button (outer light, inner highlight) with its picture from (6, 6).
    EXPECT_EQ(Row(bitmap, 20, 2, 6, legend), "flhf");
    EXPECT_EQ(canvas.GetPixel(6 + 6, 6 + 2), clBlack);  // the tip of its arrow
    // Scroll is down: sunken edge (outer shadow, inner dark), pressed face, picture one
    // pixel right and down.
    EXPECT_EQ(Row(bitmap, 20, 73, 77, legend), "sdpp");
    EXPECT_EQ(canvas.GetPixel(77 + 1, 7 + 9), clBlack);
    SavePNG(bitmap, "iPlotToolBar_bar.png");

    // Without axes both tracking buttons are disabled: their pictures embossed, no black.
    host.XAxes.clear();
    host.YAxes.clear();
    Draw();
    EXPECT_FALSE(Button(iptbbtResume).Enabled());
    EXPECT_FALSE(Button(iptbbtPause).Enabled());
    EXPECT_EQ(canvas.GetPixel(12, 8), shadow);
    for (int py = 6; py < 30; ++py)
        for (int px = 6; px < 60; ++px)
            ASSERT_NE(canvas.GetPixel(px, py), clBlack) << px << "," << py;
    EXPECT_EQ(canvas.GetPixel(106 + 5, 6 + 13), clBlack);  // Zoom stays enabled
    SavePNG(bitmap, "iPlotToolBar_disabled.png");
}

TEST_F(ToolBarTest, SmallAndFlatButtons)
{
    x->SetTrackingEnabled(false);  // Resume enabled
    bar->SetSmallButtons(true);
    EXPECT_EQ(bar->GetRequiredWidth(bitmap.Canvas()), 28);
    for (int i = 0; i < bar->EntryCount(); ++i)
        EXPECT_EQ(bar->GetEntry(i)->ImageIndex(), -1);
    Draw();
    EXPECT_EQ(Button(iptbbtResume).ImageName(), "SMALLAUTO");
    EXPECT_EQ(bar->ImageList().GetWidth(), 16);
    EXPECT_EQ(bar->ImageList().Count(), 12);
    EXPECT_EQ(Button(iptbbtPause).GetDrawRect(), TRect(25, 3, 47, 25));
    // The small arrow's tip at (4, 1) of the picture placed at (6, 6).
    EXPECT_EQ(bitmap.Canvas().GetPixel(6 + 4, 6 + 1), clBlack);
    SavePNG(bitmap, "iPlotToolBar_small.png");

    // Flat buttons show an edge only when pressed or under the mouse.
    bar->SetSmallButtons(false);
    bar->SetFlatButtons(true);
    Draw();
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(bitmap.Canvas().GetPixel(3, 20), face);                      // Resume: flat
    EXPECT_EQ(bitmap.Canvas().GetPixel(73, 20), ColorToRGB(clBtnShadow));  // Scroll: lowered
    TiHintData hint;
    Button(iptbbtResume).iMouseMove(hint, {}, 10, 10, 10, 10, false);
    Draw();
    EXPECT_EQ(bitmap.Canvas().GetPixel(3, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(bitmap.Canvas().GetPixel(32, 20), ColorToRGB(clBtnShadow));
    Button(iptbbtResume).DoMouseNotOver();
    Draw();
    EXPECT_EQ(bitmap.Canvas().GetPixel(3, 20), face);
}

TEST_F(ToolBarTest, AMissingBitmapIsNoImageAndIsLookedForOnce)
{
    Button(iptbbtCopy).SetImageName("NOSUCHPICTURE");
    Draw();
    EXPECT_EQ(Button(iptbbtCopy).ImageIndex(), -2);
    const int count = bar->ImageList().Count();
    Draw();
    EXPECT_EQ(bar->ImageList().Count(), count);
    EXPECT_EQ(count, 11);
    // The button is still drawn, raised and empty.
    const TRect r = Button(iptbbtCopy).GetDrawRect();
    EXPECT_EQ(bitmap.Canvas().GetPixel(r.Left + 15, r.Top + 15), ColorToRGB(clBtnFace));
    // A picture of the wrong size is no picture either, rather than a strip of pieces.
    bar->SetSmallButtons(true);
    Button(iptbbtSave).SetImageName("SAVE");
    Draw();
    EXPECT_EQ(Button(iptbbtSave).ImageIndex(), -2);
    EXPECT_EQ(Button(iptbbtCopy).ImageName(), "SMALLCOPY");  // the new set names every picture
    EXPECT_EQ(bar->ImageList().Count(), 11);
}

// --- A plot on the screen ------------------------------------------------------------------------

// Stands in for the plot control where the toolbar meets real input: paints a toolbar over a
// data view with an X axis below and a Y axis to its left, and hands each press, move,
// release and wheel turn to the object under the mouse, as the plot's dispatch does.
class PlotStandIn : public TCustomControl {
public:
    PlotStandIn(PlotHostFake& host, TiPlotToolBar& bar, TiPlotDataView& view, TiPlotXAxis& x, TiPlotYAxis& y)
        : TCustomControl(nullptr), m_bar(bar), m_view(view), m_x(x), m_y(y)
    {
        host.ToolBars = {&bar};
        host.XAxes = {&x};
        host.YAxes = {&y};
        SetBounds(0, 0, 640, 400);
        bar.SetDrawRect({0, 0, 639, 36});
        view.SetDrawRect({60, 46, 620, 346});
        x.SetDrawRect({60, 347, 620, 390});
        y.SetDrawRect({0, 46, 59, 346});
    }

protected:
    void Paint() override
    {
        TCanvas& canvas = *Canvas();
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(ClientRect());
        m_x.CalcTicks(canvas);
        m_y.CalcTicks(canvas);
        m_view.DrawBackground(canvas);
        m_view.Draw(canvas, clBlack);
        m_x.Draw(canvas, clBlack);
        m_y.Draw(canvas, clBlack);
        m_bar.Draw(canvas, clBlack);
        m_view.DrawForeground(canvas);
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        m_pressed = ObjectAt(x, y);
        if (m_pressed)
            m_pressed->iMouseDown(button, shift, x, y, x, y, nullptr);
    }
    void MouseMove(TShiftState shift, int x, int y) override
    {
        TiHintData hint;
        if (m_pressed)
            m_pressed->iMouseMove(hint, shift, x, y, x, y, false);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        if (TiPlotObject* pressed = std::exchange(m_pressed, nullptr))
            pressed->iMouseUp(button, shift, x, y, x, y, false, nullptr);
    }
    bool DoMouseWheel(TShiftState shift, int delta, TPoint at) override
    {
        TiPlotObject* object = ObjectAt(at.X, at.Y);
        return object && object->iMouseWheel(delta, shift, at);
    }

private:
    TiPlotObject* ObjectAt(int x, int y)
    {
        if (PtInRect(m_bar.GetDrawRect(), {x, y}))
            return m_bar.GetMouseObject(x, y);
        if (PtInRect(m_view.GetDrawRect(), {x, y}))
            return &m_view;
        return nullptr;
    }

    TiPlotToolBar& m_bar;
    TiPlotDataView& m_view;
    TiPlotXAxis& m_x;
    TiPlotYAxis& m_y;
    TiPlotObject* m_pressed = nullptr;
};

TEST_F(ToolBarTest, ButtonsDriveTheAxesThroughRealClicks)
{
    auto view = MakeObject<TiPlotDataView>(&host, "Data View 1");
    view->SetGridXAxisName("X1");
    view->SetGridYAxisName("Y1");
    view->SetAxesControlEnabled(true);
    view->SetBackgroundTransparent(false);
    PlotStandIn plot(host, *bar, *view, *x, *y);
    TBitmap screen;
    TestHooks::GrabControl(plot, screen);  // the first paint lays the buttons out
    // The plot repaints after every change; the user clicks what the last paint shows.
    const auto click = [&](TiPlotToolBarButtonType type) {
        TestHooks::GrabControl(plot, screen);
        const TRect r = Button(type).GetDrawRect();
        TestHooks::SendClick(plot, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };

    click(iptbbtPause);
    EXPECT_FALSE(x->TrackingEnabled());
    EXPECT_FALSE(y->TrackingEnabled());
    click(iptbbtResume);
    EXPECT_TRUE(x->TrackingEnabled());
    click(iptbbtZoomIn);
    EXPECT_EQ(x->Span(), 50);
    EXPECT_EQ(y->Span(), 50);
    EXPECT_FALSE(x->TrackingEnabled());
    click(iptbbtZoomOut);
    EXPECT_EQ(x->Span(), 100);
    EXPECT_EQ(x->Min(), 0);
    click(iptbbtZoomAxesMode);
    EXPECT_EQ(x->Mode(), ipamZoom);
    click(iptbbtScrollAxesMode);
    EXPECT_EQ(y->Mode(), ipamScroll);

    // Scroll mode: a wheel notch over the data view moves X by 5 % of its span.
    TestHooks::SendWheel(plot, 120, 300, 200);
    EXPECT_DOUBLE_EQ(x->Min(), 5);
    // A drag over the data view scrolls both axes with the mouse: 56 pixels are 10 units of X.
    TestHooks::SendMouseDown(plot, mbLeft, 300, 200);
    TestHooks::SendMouseMove(plot, 356, 200, {ssLeft});
    TestHooks::SendMouseUp(plot, mbLeft, 356, 200);
    EXPECT_NEAR(x->Min(), -5, 1e-9);

    // Zoom box: the box from (116, 106) to (340, 256) becomes the scale of both axes.
    click(iptbbtZoomBox);
    EXPECT_TRUE(bar->GetZoomBoxActive());
    x->SetMinSpan(0, 100);
    TestHooks::SendMouseDown(plot, mbLeft, 116, 106);
    TestHooks::SendMouseMove(plot, 340, 256, {ssLeft});
    TestHooks::GrabControl(plot, screen);
    SavePNG(screen, "iPlotToolBar_plot_zoombox.png");
    TestHooks::SendMouseUp(plot, mbLeft, 340, 256);
    EXPECT_NEAR(x->Min(), 10, 1e-9);
    EXPECT_NEAR(x->GetMax(), 50, 1e-9);
    EXPECT_NEAR(y->Min(), 30, 1e-9);
    EXPECT_NEAR(y->GetMax(), 80, 1e-9);
    TestHooks::GrabControl(plot, screen);
    SavePNG(screen, "iPlotToolBar_plot.png");
}

}  // namespace
