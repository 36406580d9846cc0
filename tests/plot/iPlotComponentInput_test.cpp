// The plot control's input dispatch driven as a user drives it: real mouse, wheel and key
// events through the platform's input simulation, with the objects' calls and the plot's
// events recorded in one log.

#include "plot/control/iPlotComponent.h"

#include "PlotBoxKinds.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotDataView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;
Log g_log;

// A plot object with a hit rectangle of the test's choosing that records every input call it
// gets. Registered as data cursor, limit and annotation: kinds whose own classes come later
// reach the dispatch through the object base alone.
class TProbe : public TiPlotManagerObject {
    PRAVIX_CLASS(TProbe, TiPlotManagerObject)
public:
    TProbe(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove, TNotifyEvent onRename)
        : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
    {
    }
    TRect HitRect;
    std::string HintText;
    TCursor Pointer = crDefault;
    // Stays selected when another object is selected (as axes do with Shift and Ctrl).
    bool StaysSelected = false;
    // Every release handed to the object, whether or not it was pressed.
    int Releases = 0;
    bool HintFails = false;

    bool iMouseHitTest(const TiPlotMouseData& d) override { return PtInRect(HitRect, TPoint{d.X, d.Y}); }
    void DoMouseLeft(const TiPlotMouseData&) override { Record("left"); }
    void DoMouseRight(const TiPlotMouseData&) override { Record("right"); }
    void DoMouseMove(const TiPlotMouseData&) override { Record("drag"); }
    void DoMouseUp(const TiPlotMouseData& d) override
    {
        ++Releases;
        if (!MouseIsDown())
            return;
        Record("up");
        if (iMouseHitTest(d))
            Owner()->DoObjectClick(this);
    }
    void DoMouseHint(const TiPlotMouseData& d, TiHintData& hint) override
    {
        if (HintFails)
            throw Exception("hint failed");
        hint.Text = HintText;
        hint.Left = d.X + 10;
        hint.Top = d.Y + 20;
    }
    bool DoMouseWheel(int delta, TShiftState, int x, int y) override
    {
        Record("wheel " + std::to_string(delta) + " at " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    void DoMouseNotOver() override { Record("not over"); }
    void AddMenuItems(TPopupMenu* menu) override
    {
        TiPlotManagerObject::AddMenuItems(menu);
        AddEditMenuItems(menu);
    }
    TCursor GetMousePointer(TPoint) override { return Pointer; }
    void iKeyDown(int& key, TShiftState shift, TPopupMenu* menu) override
    {
        Record("key " + std::to_string(key));
        TiPlotManagerObject::iKeyDown(key, shift, menu);
    }
    void NotificationSetFocus(TObject* sender) override
    {
        if (sender != this && !StaysSelected)
            SetUserSelected(false);
    }
    void Record(const std::string& what) { g_log.push_back(Name() + " " + what); }
};
class TProbeCursor : public TProbe {
    PRAVIX_CLASS(TProbeCursor, TProbe)
public:
    using TProbe::TProbe;
};
class TProbeLimit : public TProbe {
    PRAVIX_CLASS(TProbeLimit, TProbe)
public:
    using TProbe::TProbe;
};
class TProbeAnnotation : public TProbe {
    PRAVIX_CLASS(TProbeAnnotation, TProbe)
public:
    using TProbe::TProbe;
};

}  // namespace

PRAVIX_PUBLISH(TProbe)
PRAVIX_PUBLISH(TProbeCursor)
PRAVIX_PUBLISH(TProbeLimit)
PRAVIX_PUBLISH(TProbeAnnotation)

namespace {

std::string Kind(TiPlotObjectKind kind) { return PlotObjectKindName(kind); }

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A 600 x 400 strip chart with its toolbar, legend, axes, channel and data view, two probe
// data cursors C and D in the middle of the data view and a probe limit L overlapping C's
// right half:
//
//     C: centre +-40 x +-20     L: centre.x .. +80, +-20     (C lies before L in the list)
class TInputPlot {
public:
    TestHooks::TModalScript modal;  // context menus pick nothing
    TBoxKinds m_kinds{true};
    TiPlotKindRegistration m_cursorKind = TiPlotKindRegistration::Of<TProbeCursor>(TiPlotObjectKind::DataCursor);
    TiPlotKindRegistration m_limitKind = TiPlotKindRegistration::Of<TProbeLimit>(TiPlotObjectKind::Limit);
    TiPlotKindRegistration m_annotationKind =
        TiPlotKindRegistration::Of<TProbeAnnotation>(TiPlotObjectKind::Annotation);
    TiPlot plot{nullptr};
    TBitmap screen;
    TProbe* C = nullptr;
    TProbe* D = nullptr;
    TProbe* L = nullptr;
    TPoint centre;

    TInputPlot()
    {
        g_log.clear();
        plot.SetBounds(0, 0, 600, 400);
        C = Probe(TiPlotObjectKind::DataCursor, plot.AddDataCursor(), "C");
        D = Probe(TiPlotObjectKind::DataCursor, plot.AddDataCursor(), "D");
        L = Probe(TiPlotObjectKind::Limit, plot.AddLimit(), "L");
        Paint();
        centre = Centre(plot.GetDataView(0)->GetDrawRect());
        C->HitRect = {centre.X - 40, centre.Y - 20, centre.X + 40, centre.Y + 20};
        L->HitRect = {centre.X, centre.Y - 20, centre.X + 80, centre.Y + 20};
        RecordEvents();
    }
    ~TInputPlot() { g_log.clear(); }

    TProbe* Probe(TiPlotObjectKind kind, int index, const std::string& name)
    {
        auto* probe = dynamic_cast<TProbe*>(plot.MasterManager().ManagerOf(kind)->GetObject(index));
        probe->SetName(name);
        return probe;
    }
    void Paint() { TestHooks::GrabControl(plot, screen); }

    // Every event of the eight kinds that the tests look at, as "<Event> <Kind> <index>".
    void RecordEvents()
    {
        for (int k = 0; k < kPlotObjectKindCount; ++k) {
            const auto kind = TiPlotObjectKind(k);
            const std::string tail = " " + Kind(kind) + " ";
            auto& events = plot.Events(kind);
            auto record = [tail](const char* name) {
                return [tail, name](TObject*, int index) { g_log.push_back(name + tail + std::to_string(index)); };
            };
            events.OnClick = record("Click");
            events.OnDblClick = record("DblClick");
            events.OnGotFocus = record("GotFocus");
            events.OnLostFocus = record("LostFocus");
            events.OnMouseDown = [tail](TObject*, int i, TMouseButton, TShiftState, int, int) {
                g_log.push_back("MouseDown" + tail + std::to_string(i));
            };
            events.OnMouseUp = [tail](TObject*, int i, TMouseButton, TShiftState, int, int) {
                g_log.push_back("MouseUp" + tail + std::to_string(i));
            };
            events.OnMouseWheel = [tail](TObject*, int i, int delta, TShiftState, int, int) {
                g_log.push_back("MouseWheel" + tail + std::to_string(i) + " " + std::to_string(delta));
            };
        }
    }
    Log Take() { return std::exchange(g_log, {}); }

    std::string Selected()
    {
        std::string names;
        for (TiPlotObject* object : plot.GetAllObjects())
            if (object->UserSelected())
                names += (names.empty() ? "" : ",") + object->Name();
        return names;
    }
    static std::string NameOf(const TiPlotObject* object) { return object ? object->Name() : "-"; }

    void Click(TPoint p, TShiftState shift = {}, TMouseButton button = mbLeft)
    {
        TestHooks::SendMouseDown(plot, button, p.X, p.Y, shift);
        TestHooks::SendMouseUp(plot, button, p.X, p.Y, shift);
    }
    TPoint XAxisPoint() { return {centre.X, plot.GetXAxis(0)->GetDrawRect().Top + 5}; }
    TPoint YAxisPoint() { return {plot.GetYAxis(0)->GetDrawRect().Right - 5, centre.Y}; }
    TPoint OnC() const { return {centre.X - 20, centre.Y}; }
    TPoint OnL() const { return {centre.X + 60, centre.Y}; }
    TPoint OnView() const { return {centre.X - 100, centre.Y + 60}; }
};

class InputTest : public ::testing::Test, public TInputPlot {};

// ---------------------------------------------------------------------------------------------
// Hit order and selection

TEST_F(InputTest, PressesFindTheirObjectAndKeepTheSelection)
{
    enum Target { Empty, ViewAlone, Overlap, LimitAlone, XAxis, YAxis, CursorAlone };
    auto at = [&](Target t) -> TPoint {
        switch (t) {
        case Empty: return {2, 398};
        case ViewAlone: return {centre.X - 100, centre.Y + 60};
        case Overlap: return {centre.X + 20, centre.Y};
        case LimitAlone: return {centre.X + 60, centre.Y};
        case XAxis: return XAxisPoint();
        case YAxis: return YAxisPoint();
        case CursorAlone: return {centre.X - 20, centre.Y};
        }
        return {};
    };
    struct Step {
        const char* why;
        Target target;
        TShiftState shift;
        TMouseButton button;
        const char* pressed;   // the mouse-down object while the button is held
        const char* selected;  // after the release
    };
    const Step steps[] = {
        {"a data view is found where nothing else is", ViewAlone, {}, mbLeft, "Data View 1", "Data View 1"},
        {"C and L overlap: C comes first in the list", Overlap, {}, mbLeft, "C", "C"},
        {"L alone", LimitAlone, {}, mbLeft, "L", "L"},
        {"now L is selected and wins the overlap", Overlap, {}, mbLeft, "L", "L"},
        {"empty space deselects everything", Empty, {}, mbLeft, "-", ""},
        {"Shift selects an axis", XAxis, {ssShift}, mbLeft, "X-Axis 1", "X-Axis 1"},
        {"Shift on a second axis keeps the first", YAxis, {ssShift}, mbLeft, "Y-Axis 1", "X-Axis 1,Y-Axis 1"},
        {"Ctrl toggles an axis off", YAxis, {ssCtrl}, mbLeft, "Y-Axis 1", "X-Axis 1"},
        {"Ctrl toggles it on again", YAxis, {ssCtrl}, mbLeft, "Y-Axis 1", "X-Axis 1,Y-Axis 1"},
        {"a plain press selects one object", CursorAlone, {}, mbLeft, "C", "C"},
        {"Ctrl never deselects an object that is no axis", CursorAlone, {ssCtrl}, mbLeft, "C", "C"},
        {"a right press clears, then selects the hit object", LimitAlone, {}, mbRight, "L", "L"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        const TPoint p = at(step.target);
        TestHooks::SendMouseDown(plot, step.button, p.X, p.Y, step.shift);
        EXPECT_EQ(NameOf(plot.MouseDownObject()), step.pressed);
        TestHooks::SendMouseUp(plot, step.button, p.X, p.Y, step.shift);
        EXPECT_EQ(plot.MouseDownObject(), nullptr);
        EXPECT_EQ(Selected(), step.selected);
        Paint();
    }
}

TEST_F(InputTest, HiddenAndDisabledObjectsAreNotHitAndOnlyShiftOrCtrlSelectsAnUnfocusableOne)
{
    const TPoint overlap{centre.X + 20, centre.Y};
    C->SetVisible(false);
    Click(overlap);
    EXPECT_EQ(Selected(), "L");
    C->SetVisible(true);
    L->SetEnabled(false);
    Click(overlap);
    EXPECT_EQ(Selected(), "C");
    L->SetEnabled(true);
    L->SetCanFocus(false);
    Click(OnL());
    EXPECT_EQ(Selected(), "C");
    EXPECT_EQ(Take().back(), "MouseUp Limit 0");  // pressed all the same
    Click(OnL(), {ssShift});
    EXPECT_EQ(Selected(), "L");
    Click(OnC());
    Click(OnL(), {ssCtrl});
    EXPECT_EQ(Selected(), "L");
}

// ---------------------------------------------------------------------------------------------
// Delivery and the order of events

TEST_F(InputTest, PressesGoToTheSelectionUnlessTheObjectTakesThemAlone)
{
    D->StaysSelected = true;
    D->SetUserSelected(true);
    Take();
    const TPoint cAlone{centre.X - 20, centre.Y};
    const TPoint lAlone{centre.X + 60, centre.Y};
    struct Step {
        const char* why;
        TPoint at;
        TMouseButton button;
        Log expected;
    };
    const Step steps[] = {
        {"a click on C: selected, then C and the selected D get the press; only C clicks",
         cAlone,
         mbLeft,
         {"GotFocus Cursor 1", "C left", "MouseDown Cursor 1", "D left", "C up", "Click Cursor 1", "MouseUp Cursor 1",
          "D up", "MouseUp Cursor 2"}},
        {"a limit takes its press alone; D ignores a release it was never pressed for",
         lAlone,
         mbLeft,
         {"LostFocus Cursor 1", "L left", "MouseDown Limit 0", "L up", "Click Limit 0", "MouseUp Limit 0"}},
        {"a right press goes to the hit object alone, after every selection was cleared",
         cAlone,
         mbRight,
         {"LostFocus Cursor 2", "GotFocus Cursor 1", "C right", "MouseDown Cursor 1", "C up", "Click Cursor 1",
          "MouseUp Cursor 1"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        Click(step.at, {}, step.button);
        EXPECT_EQ(Take(), step.expected);
    }
}

TEST_F(InputTest, ADoubleClickFiresTheClickThenTheDoubleClick)
{
    const TPoint cAlone{centre.X - 20, centre.Y};
    TestHooks::SendDoubleClick(plot, cAlone.X, cAlone.Y);
    Log clicks;
    for (const std::string& line : Take())
        if (line.find("Click") != std::string::npos)
            clicks.push_back(line);
    EXPECT_EQ(clicks, (Log{"Click Cursor 1", "DblClick Cursor 1"}));
    // The flag lives to the end of the release that followed it: the next click is single.
    Click(cAlone);
    const Log next = Take();
    EXPECT_NE(std::find(next.begin(), next.end(), "Click Cursor 1"), next.end());
    EXPECT_EQ(std::find(next.begin(), next.end(), "DblClick Cursor 1"), next.end());
}

TEST_F(InputTest, WheelAndKeysActOnTheSelectionWhereverTheMouseIs)
{
    const TPoint cAlone{centre.X - 20, centre.Y};
    TestHooks::SendWheel(plot, 120, cAlone.X, cAlone.Y);
    EXPECT_EQ(Take(), Log{});  // C lies under the mouse but is not selected
    Click(cAlone);
    Take();
    TestHooks::SendWheel(plot, -120, 5, 7);  // far from C; the position in client pixels
    EXPECT_EQ(Take(), (Log{"C wheel -120 at 5,7", "MouseWheel Cursor 1 -120"}));
    // The arrows are the plot's own keys: they reach the selection instead of moving the focus.
    TestHooks::SendKey(plot, 37);
    TestHooks::SendKey(plot, 40);
    TestHooks::SendKey(plot, 65);
    EXPECT_EQ(Take(), (Log{"C key 37", "C key 40", "C key 65"}));
}

TEST_F(InputTest, TheWheelActsOnADataViewOnlyOnceItIsSelected)
{
    auto* view = dynamic_cast<TiPlotDataView*>(plot.GetDataView(0));
    ASSERT_NE(view, nullptr);
    view->SetAxesControlEnabled(true);
    TiPlotXAxis* x = plot.GetXAxis(0);
    const double min = x->Min();
    TestHooks::SendWheel(plot, 120, OnView().X, OnView().Y);
    EXPECT_EQ(x->Min(), min);
    Click(OnView());
    TestHooks::SendWheel(plot, 120, OnView().X, OnView().Y);
    EXPECT_NE(x->Min(), min);
}

TEST_F(InputTest, ContextMenusOpenAtTheReleaseUnlessTheApplicationCancelsThem)
{
    bool cancel = false;
    int asked = 0;
    plot.Events(TiPlotObjectKind::DataCursor).OnPopupMenu = [&](TObject*, int index, bool& c, int, int) {
        EXPECT_EQ(index, 1);
        ++asked;
        c = cancel;
    };
    struct Step {
        const char* why;
        bool cancel;
        std::function<void()> input;
        int asked;  // OnPopupMenuDataCursor
        int shown;
    };
    const Step steps[] = {
        {"a right click on C shows C's menu", false, [&] { Click(OnC(), {}, mbRight); }, 1, 1},
        {"the application cancels it", true, [&] { Click(OnC(), {}, mbRight); }, 1, 0},
        {"a left click asks nothing", false, [&] { Click(OnC()); }, 0, 0},
        {"the menu key asks for the selected C, which has no place to show it", false,
         [&] { TestHooks::SendKey(plot, 93); }, 1, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        cancel = step.cancel;
        modal.Popups.clear();
        asked = 0;
        step.input();
        EXPECT_EQ(asked, step.asked);
        EXPECT_EQ(int(modal.Popups.size()), step.shown);
    }
}

// A selected channel has a place to show its menu (the data view), as the layout objects
// have: both menu keys open it.
TEST_F(InputTest, TheMenuKeysOpenASelectedChannelsMenu)
{
    plot.GetChannel(0)->SetUserSelected(true);
    const struct {
        int key;
        TShiftState shift;
    } keys[] = {{121, {ssShift}}, {93, {}}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        modal.Popups.clear();
        TestHooks::SendKey(plot, k.key, k.shift);
        ASSERT_EQ(modal.Popups.size(), 1u);
        ASSERT_EQ(modal.Popups[0].Items.size(), 1u);
        EXPECT_EQ(modal.Popups[0].Items[0].Caption, "Edit...");
    }
}

TEST_F(InputTest, AMasterAxisHandsItsInputToTheOtherAxesOfItsDirectionOnce)
{
    plot.AddXAxis();
    Paint();
    TiPlotXAxis* master = plot.GetXAxis(0);
    TiPlotXAxis* other = plot.GetXAxis(1);
    TiPlotYAxis* y = plot.GetYAxis(0);
    // Both are masters: the axis reached by forwarding forwards nothing back.
    master->SetMasterUIInput(true);
    other->SetMasterUIInput(true);
    const TPoint on = XAxisPoint();
    Click(on);
    ASSERT_EQ(Selected(), "X-Axis 1");
    struct Step {
        const char* why;
        std::function<void()> input;
        double otherMoved;  // other's minimum change; 0 for "moved at all"
    };
    const Step steps[] = {
        {"a wheel notch scrolls each by 5 % of its span, once", [&] { TestHooks::SendWheel(plot, 120, on.X, on.Y); },
         5},
        {"an arrow key by 1 %", [&] { TestHooks::SendKey(plot, 39); }, 1},
        {"a drag along the master",
         [&] {
             TestHooks::SendMouseDown(plot, mbLeft, on.X, on.Y);
             TestHooks::SendMouseMove(plot, on.X - 40, on.Y, {ssLeft});
             TestHooks::SendMouseUp(plot, mbLeft, on.X - 40, on.Y);
         },
         0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        const double masterMin = master->Min(), otherMin = other->Min(), yMin = y->Min();
        step.input();
        EXPECT_NE(master->Min(), masterMin);
        if (step.otherMoved != 0)
            EXPECT_NEAR(other->Min() - otherMin, step.otherMoved, 1e-9);
        else
            EXPECT_NE(other->Min(), otherMin);
        EXPECT_EQ(y->Min(), yMin);
    }
    EXPECT_FALSE(plot.GetMasterAxisInputGuard());
}

TEST_F(InputTest, MovesAreIgnoredWhileAxesAreShiftSelected)
{
    TiPlotXAxis* x = plot.GetXAxis(0);
    const TPoint on = XAxisPoint();
    const double min = x->Min();
    TestHooks::SendMouseDown(plot, mbLeft, on.X, on.Y, {ssShift});
    TestHooks::SendMouseMove(plot, on.X - 40, on.Y, {ssLeft, ssShift});
    EXPECT_EQ(x->Min(), min);
    TestHooks::SendMouseUp(plot, mbLeft, on.X - 40, on.Y, {ssShift});
    // Released, the same drag moves the axis.
    TestHooks::SendMouseDown(plot, mbLeft, on.X, on.Y);
    TestHooks::SendMouseMove(plot, on.X - 40, on.Y, {ssLeft});
    TestHooks::SendMouseUp(plot, mbLeft, on.X - 40, on.Y);
    EXPECT_NE(x->Min(), min);
}

// ---------------------------------------------------------------------------------------------
// Hover, pointer, capture and hints

TEST_F(InputTest, HoverSetsThePointerAndTheHintFollowsItsTimers)
{
    TestHooks::TFakeTimers timers;
    C->HintText = "C hint";
    C->Pointer = crCross;
    const TPoint onC{centre.X - 20, centre.Y};
    const TPoint onView{centre.X - 100, centre.Y + 60};
    struct Step {
        const char* why;
        TPoint at;
        int waitMs;
        const char* over;
        bool showing;
    };
    const Step steps[] = {
        {"onto C: the hint is armed", onC, 400, "C", false},
        {"a move restarts the pause", {onC.X + 1, onC.Y}, 400, "C", false},
        {"resting the whole pause shows it", {-1, -1}, 100, "C", true},
        {"a move hides it", {onC.X + 2, onC.Y}, 0, "C", false},
        {"it does not come back over the same object", {onC.X + 10, onC.Y}, 1000, "C", false},
        {"the data view has no hint: leaving C for it forgets C", onView, 0, "Data View 1", false},
        {"back on C it is armed again and shows", onC, 600, "C", true},
        {"the hide pause ends it, and with it the capture and the hover", {-1, -1}, 2500, "-", false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        if (step.at.X >= 0)
            TestHooks::SendMouseMove(plot, step.at.X, step.at.Y);
        timers.Advance(step.waitMs);
        EXPECT_EQ(NameOf(plot.MouseOverObject()), step.over);
        EXPECT_EQ(plot.HintShowing(), step.showing);
    }
    EXPECT_EQ(plot.HintText(), "C hint");
    EXPECT_FALSE(plot.GetCapture());
    // Over C the pointer is C's; leaving C sends it one "not over" and the default pointer.
    TestHooks::SendMouseMove(plot, onC.X, onC.Y);
    EXPECT_EQ(plot.Cursor(), crCross);
    Take();
    TestHooks::SendMouseMove(plot, onView.X, onView.Y);
    EXPECT_EQ(Take(), Log{"C not over"});
    EXPECT_EQ(plot.Cursor(), crDefault);
}

TEST_F(InputTest, TheHintBoxIsPaintedWhereTheObjectPlacedIt)
{
    TestHooks::TFakeTimers timers;
    C->HintText = "Cursor C: 12.5";
    const TPoint onC{centre.X - 20, centre.Y};
    TestHooks::SendMouseMove(plot, onC.X, onC.Y);
    timers.Advance(500);
    ASSERT_TRUE(plot.HintShowing());
    EXPECT_TRUE(plot.GetCapture());  // so that leaving the control ends the hint
    Paint();
    SavePNG(screen, "iPlotComponentInput_hint.png");
    const TPoint box = plot.HintPosition();
    EXPECT_EQ(box.X, onC.X + 10);
    EXPECT_EQ(box.Y, onC.Y + 20);
    EXPECT_EQ(screen.Canvas().GetPixel(box.X + 1, box.Y + 1), ColorToRGB(clInfoBk));
    // The hint is gone with the capture: another window took the mouse.
    plot.ReleaseCapture();
    EXPECT_FALSE(plot.HintShowing());
    EXPECT_EQ(plot.MouseOverObject(), nullptr);
    Paint();
    EXPECT_NE(screen.Canvas().GetPixel(box.X + 1, box.Y + 1), ColorToRGB(clInfoBk));
}

TEST_F(InputTest, AToolBarHintStaysWhileTheMouseMovesAlongTheToolBar)
{
    TestHooks::TFakeTimers timers;
    TiPlotToolBar* bar = plot.GetToolBar(0);
    const TPoint zoomIn = Centre(bar->GetButton(iptbbtZoomIn)->GetDrawRect());
    const TPoint zoomOut = Centre(bar->GetButton(iptbbtZoomOut)->GetDrawRect());
    TestHooks::SendMouseMove(plot, zoomIn.X, zoomIn.Y);
    timers.Advance(500);
    ASSERT_TRUE(plot.HintShowing());
    const std::string firstText = plot.HintText();
    const TPoint box = plot.HintPosition();
    struct Step {
        const char* why;
        TPoint at;
        int waitMs;
        bool showing;
    };
    const Step steps[] = {
        {"onto the next button: still up", zoomOut, 2000, true},
        {"back again: still up", zoomIn, 2000, true},
        {"resting the hide pause ends it", {-1, -1}, 500, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        if (step.at.X >= 0) {
            TestHooks::SendMouseMove(plot, step.at.X, step.at.Y);
            EXPECT_EQ(plot.HintPosition(), box);  // the box stays where it showed
        }
        if (step.at == zoomOut) {
            EXPECT_NE(plot.HintText(), firstText);  // its text follows the button
        }
        timers.Advance(step.waitMs);
        EXPECT_EQ(plot.HintShowing(), step.showing);
    }
}

TEST_F(InputTest, AFailingHoverHandlerIsSwallowedAndTheInputGoesOn)
{
    C->HintFails = true;
    TestHooks::SendMouseMove(plot, OnC().X, OnC().Y);
    EXPECT_TRUE(modal.Messages.empty());  // no error box
    EXPECT_EQ(NameOf(plot.MouseOverObject()), "C");
    Click(OnC());
    EXPECT_EQ(Selected(), "C");
}

TEST_F(InputTest, WithHintsOffNoTimerStarts)
{
    TestHooks::TFakeTimers timers;
    plot.SetHintsShow(false);
    C->HintText = "C hint";
    TestHooks::SendMouseMove(plot, centre.X - 20, centre.Y);
    EXPECT_FALSE(plot.GetTimerRunning());
    timers.Advance(5000);
    EXPECT_FALSE(plot.HintShowing());
}

TEST_F(InputTest, DragsGoToThePressedObjectAndHoverSendsNoReleases)
{
    const TPoint cAlone{centre.X - 20, centre.Y};
    const TPoint lAlone{centre.X + 60, centre.Y};
    Click(cAlone);  // C selected
    Take();
    // A limit is dragged alone; the selected C hears nothing of it.
    TestHooks::SendMouseDown(plot, mbLeft, lAlone.X, lAlone.Y);
    TestHooks::SendMouseMove(plot, lAlone.X + 5, lAlone.Y, {ssLeft});
    TestHooks::SendMouseUp(plot, mbLeft, lAlone.X + 5, lAlone.Y);
    Log log = Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "L drag"), 1);
    // Hovering over a selected object hands it no release.
    const int releases = L->Releases;
    for (int i = 0; i < 3; ++i)
        TestHooks::SendMouseMove(plot, lAlone.X + i, lAlone.Y);
    EXPECT_EQ(L->Releases, releases);
    // A release that never arrived: the next move without a button delivers it, once.
    TestHooks::SendMouseDown(plot, mbLeft, lAlone.X, lAlone.Y);
    Take();
    TestHooks::SendMouseMove(plot, lAlone.X, lAlone.Y);
    TestHooks::SendMouseMove(plot, lAlone.X + 1, lAlone.Y);
    EXPECT_EQ(Take(), (Log{"L up", "Click Limit 0", "MouseUp Limit 0"}));
    EXPECT_EQ(plot.MouseDownObject(), nullptr);
    Click(cAlone);
    // A right press captures the mouse; moving out of the control without a button lets it go.
    TestHooks::SendMouseDown(plot, mbRight, cAlone.X, cAlone.Y);
    EXPECT_TRUE(plot.GetCapture());
    TestHooks::SendMouseUp(plot, mbRight, cAlone.X, cAlone.Y);
    TestHooks::SendMouseMove(plot, cAlone.X, cAlone.Y);
    EXPECT_EQ(NameOf(plot.MouseOverObject()), "C");
    Take();
    TestHooks::SendMouseMove(plot, 700, 500);
    EXPECT_FALSE(plot.GetCapture());
    EXPECT_EQ(plot.MouseOverObject(), nullptr);
    EXPECT_EQ(Take(), Log{"C not over"});
}

TEST_F(InputTest, ASelectedChannelHearsNoReleaseWhileTheMouseOnlyHovers)
{
    int ups = 0;
    plot.OnMouseUpDataPoint = [&](TObject*, int, int, TMouseButton, TShiftState, int, int) { ++ups; };
    // The channel's entry in the legend lies over the legend: the channel takes the click.
    const TPoint entry = Centre(plot.GetChannel(0)->LegendRect());
    Click(entry);
    ASSERT_EQ(Selected(), "Channel 1");
    EXPECT_EQ(Take(), (Log{"GotFocus Channel 0", "MouseDown Channel 0", "Click Channel 0", "MouseUp Channel 0"}));
    // Pressed and selected, the channel is released as both; its point is released once.
    EXPECT_EQ(ups, 1);
    Click(entry);
    EXPECT_EQ(ups, 2);
    const int afterClick = ups;
    for (int i = 0; i < 5; ++i)
        TestHooks::SendMouseMove(plot, OnView().X + i, OnView().Y);
    EXPECT_EQ(ups, afterClick);
}

// ---------------------------------------------------------------------------------------------
// Events by kind

TEST_F(InputTest, EachKindFiresItsOwnEventsAndOthersNone)
{
    plot.AddTable();
    plot.AddAnnotation();
    struct Row {
        TiPlotObjectKind kind;
        bool objectEvents;  // click, mouse, wheel and popup events
        bool focusEvents;
        bool cursorEvent;
    };
    const Row rows[] = {
        {TiPlotObjectKind::Channel, true, true, true},
        {TiPlotObjectKind::XAxis, true, true, true},
        {TiPlotObjectKind::YAxis, true, true, true},
        {TiPlotObjectKind::DataCursor, true, true, true},
        {TiPlotObjectKind::DataView, true, true, true},
        {TiPlotObjectKind::Legend, true, true, true},
        {TiPlotObjectKind::Limit, true, false, true},
        {TiPlotObjectKind::Annotation, true, true, true},
        // Tables publish a mouse-pointer event only; toolbars and labels none.
        {TiPlotObjectKind::Table, false, false, true},
        {TiPlotObjectKind::ToolBar, false, false, false},
        {TiPlotObjectKind::Label, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Kind(row.kind));
        TiPlotObjectOwnedManager* manager = plot.MasterManager().ManagerOf(row.kind);
        TiPlotObject* object = manager->GetObject(manager->GetCount() - 1);
        const std::string index = std::to_string(manager->GetCount() - 1);
        int cursorEvents = 0;
        plot.Events(row.kind).OnGetMouseCursor = [&](TObject*, int, TCursor& cursor) {
            ++cursorEvents;
            cursor = crHandPoint;
        };
        bool cancel = false;
        plot.Events(row.kind).OnPopupMenu = [&](TObject*, int, bool& c, int, int) { c = true; };
        Take();
        plot.DoObjectClick(object);
        plot.DoObjectMouseWheel(object, 120, {}, 1, 2);
        plot.DoPopUpMenuEvent(object, cancel, 0, 0);
        plot.DoObjectGotFocus(object);
        TCursor cursor = crDefault;
        plot.DoGetMouseCursor(object, cursor);
        Log expected;
        if (row.objectEvents)
            expected = {"Click " + Kind(row.kind) + " " + index, "MouseWheel " + Kind(row.kind) + " " + index + " 120"};
        if (row.focusEvents)
            expected.push_back("GotFocus " + Kind(row.kind) + " " + index);
        EXPECT_EQ(Take(), expected);
        EXPECT_EQ(cancel, row.objectEvents);
        EXPECT_EQ(cursorEvents, row.cursorEvent ? 1 : 0);
    }
}

TEST_F(InputTest, NoObjectEventReachesTheApplicationWhileAFormIsRead)
{
    int clicks = 0;
    int limitMoves = 0;
    plot.Events(TiPlotObjectKind::DataCursor).OnClick = [&](TObject*, int) { ++clicks; };
    plot.OnLimitLine1PositionChange = [&](TObject*, int, double, double) { ++limitMoves; };
    plot.SetLoading(true);
    plot.DoObjectClick(C);
    plot.DoLimitLine1PositionChange(L, 1, 2);
    EXPECT_EQ(clicks + limitMoves, 0);
    plot.SetLoading(false);
    plot.DoObjectClick(C);
    plot.DoLimitLine1PositionChange(L, 1, 2);
    EXPECT_EQ(clicks + limitMoves, 2);
}

// ---------------------------------------------------------------------------------------------
// Objects that leave the plot in the middle of input

TEST(PlotInput, ObjectsRemovedDuringInputLeaveNoStaleReference)
{
    TestHooks::TFakeTimers timers;
    struct Case {
        const char* why;
        std::function<void(TInputPlot&)> run;
    };
    const Case cases[] = {
        {"a click handler deletes its own object",
         [](TInputPlot& t) {
             t.plot.Events(TiPlotObjectKind::DataCursor).OnClick = [&](TObject*, int index) {
                 t.plot.DeleteDataCursor(index);
             };
             t.Click(t.OnC());
         }},
        {"a press handler deletes a selected object before that one gets the press",
         [](TInputPlot& t) {
             t.D->StaysSelected = true;
             t.D->SetUserSelected(true);
             t.plot.Events(TiPlotObjectKind::DataCursor).OnMouseDown = [&](TObject*, int, TMouseButton, TShiftState,
                                                                           int, int) {
                 if (t.plot.DataCursorCount() > 2)
                     t.plot.DeleteDataCursor(2);  // D, after C in the list
             };
             t.Click(t.OnC());
             EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "D left"), 0);
         }},
        {"the pressed object is removed before the release",
         [](TInputPlot& t) {
             TestHooks::SendMouseDown(t.plot, mbLeft, t.OnL().X, t.OnL().Y);
             t.plot.DeleteLimit(0);
             EXPECT_EQ(t.plot.MouseDownObject(), nullptr);
             TestHooks::SendMouseMove(t.plot, t.OnL().X + 3, t.OnL().Y, {ssLeft});
             TestHooks::SendMouseUp(t.plot, mbLeft, t.OnL().X + 3, t.OnL().Y);
         }},
        {"the hovered object is removed while its hint shows",
         [&timers](TInputPlot& t) {
             t.C->HintText = "C";
             TestHooks::SendMouseMove(t.plot, t.OnC().X, t.OnC().Y);
             timers.Advance(500);
             ASSERT_TRUE(t.plot.HintShowing());
             t.plot.RemoveAllDataCursors();
             EXPECT_EQ(t.plot.MouseOverObject(), nullptr);
             EXPECT_EQ(t.plot.HintObject(), nullptr);
             EXPECT_FALSE(t.plot.HintShowing());
             timers.Advance(3000);
             TestHooks::SendMouseMove(t.plot, t.OnC().X + 1, t.OnC().Y);
         }},
        {"a toolbar is deleted by its own button's click, the button hovered and hinted",
         [&timers](TInputPlot& t) {
             const TPoint button = Centre(t.plot.GetToolBar(0)->GetButton(iptbbtZoomIn)->GetDrawRect());
             TestHooks::SendMouseMove(t.plot, button.X, button.Y);
             timers.Advance(500);
             EXPECT_TRUE(t.plot.HintShowing());
             t.plot.OnToolBarButtonClick = [&](TObject*, int index, TiPlotToolBarButtonType) {
                 t.plot.DeleteToolBar(index);
             };
             t.Click(button);
             EXPECT_EQ(t.plot.ToolBarCount(), 0);
             EXPECT_EQ(t.plot.MouseOverObject(), nullptr);
             EXPECT_EQ(t.plot.HintObject(), nullptr);
             TestHooks::SendMouseMove(t.plot, button.X + 1, button.Y);
             timers.Advance(3000);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TInputPlot t;
        const int before = t.plot.GetPlotObjectManager()->GetCount();
        c.run(t);
        EXPECT_LT(t.plot.GetPlotObjectManager()->GetCount(), before);
        // The plot goes on taking input.
        TestHooks::SendMouseMove(t.plot, 3, 3);
        t.Click({3, 3});
        t.Paint();
    }
}

}  // namespace
