#include "plot/core/iPlotObjects.h"

#include "components/iClasses.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StringList.h"
#include "platform/gui/Application.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// The plot as the objects see it: records every dispatcher call, translates from a table.
class FakeHost : public IPlotHost {
public:
    Log Calls;
    bool VetoPopup = false;
    std::map<std::string, std::string> Translations;

    std::string TranslateText(const std::string& text) override
    {
        const auto found = Translations.find(text);
        return found == Translations.end() ? text : found->second;
    }
    TPoint PlotClientToScreen(TPoint p) override { return {p.X + 1000, p.Y + 2000}; }
    TiPlotXAxis* GetXAxisByName(const std::string&) override { return nullptr; }
    TiPlotYAxis* GetYAxisByName(const std::string&) override { return nullptr; }
    TiPlotChannelCustom* GetChannelByName(const std::string&) override { return nullptr; }

    void DoObjectClick(TiPlotObject*) override { Calls.push_back("Click"); }
    void DoObjectMouseDown(TiPlotObject*, TMouseButton button, TShiftState, int x, int y) override
    {
        Calls.push_back("MouseDown " + std::to_string(button) + " " + Point(x, y));
    }
    void DoObjectMouseMove(TiPlotObject*, TShiftState, int x, int y) override
    {
        Calls.push_back("MouseMove " + Point(x, y));
    }
    void DoObjectMouseUp(TiPlotObject*, TMouseButton button, TShiftState, int x, int y) override
    {
        Calls.push_back("MouseUp " + std::to_string(button) + " " + Point(x, y));
    }
    void DoObjectMouseWheel(TiPlotObject*, int delta, TShiftState, int x, int y) override
    {
        Calls.push_back("Wheel " + std::to_string(delta) + " " + Point(x, y));
    }
    void DoGetMouseCursor(TiPlotObject*, TCursor&) override { Calls.push_back("Cursor"); }
    void DoObjectGotFocus(TiPlotObject*) override { Calls.push_back("GotFocus"); }
    void DoObjectLostFocus(TiPlotObject*) override { Calls.push_back("LostFocus"); }
    void DoPopUpMenuEvent(TiPlotObject*, bool& cancel, int screenX, int screenY) override
    {
        Calls.push_back("PopupEvent " + Point(screenX, screenY));
        cancel = VetoPopup;
    }

private:
    static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

// Every notification callback of an object, written to one log.
struct Wiring {
    Log Calls;
    TNotifyEvent Handler(const std::string& name)
    {
        return [this, name](TObject*) { Calls.push_back(name); };
    }
    void Complete(TiPlotObject& object)
    {
        object.OnLayoutChange = Handler("Layout");
        object.OnSetFocus = Handler("SetFocus");
        object.OnEdit = Handler("Edit");
        object.OnInvalidateNow = Handler("InvalidateNow");
    }
    Log Take() { return std::exchange(Calls, {}); }
};

// A layout object that shows what its refinements receive.
class TTestLayoutObject : public TiPlotLayoutObject {
public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    ~TTestLayoutObject() override
    {
        if (Destroyed)
            *Destroyed = true;
    }
    using TiPlotObject::SetColorProperty;
    using TiPlotObject::SetStringProperty;

    std::vector<TiPlotMouseData> Left, Right, Moves, Hints, Ups;
    std::string HintText;
    bool WheelResult = false;
    bool* Destroyed = nullptr;
    TColor Color = clRed;
    std::string Caption;

    void DoMouseLeft(const TiPlotMouseData& d) override { Left.push_back(d); }
    void DoMouseRight(const TiPlotMouseData& d) override { Right.push_back(d); }
    void DoMouseMove(const TiPlotMouseData& d) override { Moves.push_back(d); }
    void DoMouseUp(const TiPlotMouseData& d) override { Ups.push_back(d); }
    void DoMouseHint(const TiPlotMouseData& d, TiHintData& hint) override
    {
        Hints.push_back(d);
        hint.Text = HintText;
    }
    bool DoMouseWheel(int, TShiftState, int, int) override { return WheelResult; }
    // As every concrete object does: the inherited items first, "Edit..." last.
    void AddMenuItems(TPopupMenu* menu) override
    {
        TiPlotLayoutObject::AddMenuItems(menu);
        AddEditMenuItems(menu);
    }
};

class TTestManagedObject : public TiPlotManagerObject {
public:
    using TiPlotManagerObject::TiPlotManagerObject;
    void AddMenuItems(TPopupMenu* menu) override
    {
        TiPlotManagerObject::AddMenuItems(menu);
        AddEditMenuItems(menu);
    }
};

// Records where the menu would open; the modal script decides what is picked.
class TRecordingPopupMenu : public TPopupMenu {
public:
    TRecordingPopupMenu() : TPopupMenu(nullptr) {}
    std::vector<TPoint> ShownAt;
    void Popup(int x, int y) override
    {
        ShownAt.push_back({x, y});
        TPopupMenu::Popup(x, y);
    }
};

class PlotObjects : public testing::Test {
protected:
    std::unique_ptr<TTestLayoutObject> MakeLayout()
    {
        auto object = std::make_unique<TTestLayoutObject>(&host, wiring.Handler("Change"), wiring.Handler("Insert"),
                                                          wiring.Handler("Remove"), wiring.Handler("Rename"));
        wiring.Complete(*object);
        return object;
    }
    std::unique_ptr<TTestManagedObject> MakeManaged()
    {
        auto object = std::make_unique<TTestManagedObject>(&host, wiring.Handler("Change"), wiring.Handler("Insert"),
                                                           wiring.Handler("Remove"), wiring.Handler("Rename"));
        wiring.Complete(*object);
        return object;
    }

    FakeHost host;
    Wiring wiring;
};

std::vector<std::string> Captions(const TestHooks::TMenuSnapshot& menu)
{
    std::vector<std::string> captions;
    for (const auto& item : menu.Items)
        captions.push_back(item.Caption);
    return captions;
}

}  // namespace

TEST_F(PlotObjects, ManagedObjectsRefuseMissingArgumentsInOrder)
{
    const TNotifyEvent set = [](TObject*) {};
    struct Case {
        bool owner, change, insert, remove, rename;
        const char* message;
    };
    const Case cases[] = {
        {false, false, false, false, false, "Owner must be assigned"},
        {true, false, false, false, false, "OnChange event handler can not be null"},
        {true, true, false, false, false, "OnInsert event handler can not be null"},
        {true, true, true, false, false, "OnRemove event handler can not be null"},
        {true, true, true, true, false, "AOnRename event handler can not be null"},
    };
    for (const Case& c : cases) {
        try {
            TiPlotLayoutObject object(c.owner ? &host : nullptr, c.change ? set : nullptr, c.insert ? set : nullptr,
                                      c.remove ? set : nullptr, c.rename ? set : nullptr);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    // Buttons are sub-objects nobody registers: they check nothing.
    TiPlotButton button(nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.GetTranslation("Edit..."), "Edit...");
}

TEST_F(PlotObjects, InitialStateAndPublishedProperties)
{
    auto object = MakeLayout();
    EXPECT_EQ(object->Owner(), &host);
    EXPECT_EQ(object->Name(), "");
    EXPECT_TRUE(object->Visible() && object->Enabled() && object->PopupEnabled() && object->CanFocus());
    EXPECT_TRUE(object->UserCanEdit());
    EXPECT_FALSE(object->UserSelected() || object->XYAxesReversed() || object->ReadyToDraw());
    EXPECT_FALSE(object->MouseIsDown() || object->PopupPending());
    EXPECT_EQ(object->MouseObject(), nullptr);
    EXPECT_EQ(object->Layer(), 100);
    EXPECT_EQ(object->StartPercent(), 0.0);
    EXPECT_EQ(object->StopPercent(), 100.0);
    EXPECT_EQ(object->ZOrder(), 0);
    EXPECT_FALSE(object->Horizontal() || object->ReverseSide() || object->ForceStacking());
    EXPECT_FALSE(object->StartStacked() || object->StopStacked());
    EXPECT_EQ(object->GetDrawRect(), TRect{});

    // Declared order, inherited first; ZOrder and Horizontal have no default (always stored).
    struct Expected {
        const char* name;
        std::optional<std::int64_t> declaredDefault;
    };
    const Expected expected[] = {{"Name", {}},        {"Visible", 1},    {"Enabled", 1},      {"Layer", 100},
                                 {"PopupEnabled", 1}, {"CanFocus", 1},   {"StopPercent", {}}, {"StartPercent", {}},
                                 {"ZOrder", {}},      {"Horizontal", {}}};
    const auto& properties = TiPlotLayoutObject::StaticClassInfo().Properties();
    ASSERT_EQ(properties.size(), std::size(expected));
    for (std::size_t i = 0; i < properties.size(); ++i) {
        EXPECT_EQ(properties[i]->Name(), expected[i].name);
        EXPECT_EQ(properties[i]->Default(), expected[i].declaredDefault) << expected[i].name;
    }
    EXPECT_EQ(TiPlotButton::StaticClassInfo().Properties().size(), 6u);
    EXPECT_TRUE(TiPlotLayoutObject::StaticClassInfo().InheritsFrom("TiPlotManagerObject"));
}

TEST_F(PlotObjects, TypedSettersNotifyOnlyWhenTheValueChanges)
{
    auto object = MakeLayout();
    struct Case {
        const char* what;
        std::function<void(TTestLayoutObject&)> set;
        Log notified;
    };
    const Log change = {"Change"};
    const Log layout = {"Layout", "Change"};
    const Case cases[] = {
        {"Visible", [](auto& o) { o.SetVisible(false); }, change},
        {"Layer", [](auto& o) { o.SetLayer(7); }, change},
        {"PopupEnabled", [](auto& o) { o.SetPopupEnabled(false); }, change},
        {"CanFocus", [](auto& o) { o.SetCanFocus(false); }, change},
        {"ReverseSide", [](auto& o) { o.SetReverseSide(true); }, change},
        {"StartPercent", [](auto& o) { o.SetStartPercent(10); }, change},
        {"StartPercent by a hair", [](auto& o) { o.SetStartPercent(10.000000000001); }, change},
        {"StopPercent", [](auto& o) { o.SetStopPercent(90); }, change},
        {"ZOrder", [](auto& o) { o.SetZOrder(2); }, layout},
        {"Horizontal", [](auto& o) { o.SetHorizontal(true); }, layout},
        {"ForceStacking", [](auto& o) { o.SetForceStacking(true); }, layout},
        {"Color, no notification", [](auto& o) { o.SetColorProperty(clBlue, o.Color, nullptr); }, {}},
        {"string", [](auto& o) { o.SetStringProperty("a", o.Caption, &TiPlotObject::TriggerChange); }, change},
        {"XYAxesReversed stores only", [](auto& o) { o.SetXYAxesReversed(true); }, {}},
        {"UserCanEdit stores only", [](auto& o) { o.SetUserCanEdit(false); }, {}},
    };
    for (const Case& c : cases) {
        c.set(*object);
        EXPECT_EQ(wiring.Take(), c.notified) << c.what;
        c.set(*object);
        EXPECT_EQ(wiring.Take(), Log{}) << c.what << " set again";
    }
    // Strings compare case-sensitively.
    object->SetStringProperty("A", object->Caption, &TiPlotObject::TriggerChange);
    EXPECT_EQ(wiring.Take(), change);
    EXPECT_TRUE(object->XYAxesReversed());
}

TEST_F(PlotObjects, RenameKeepsThePreviousNameAndNotifies)
{
    auto object = MakeLayout();
    std::vector<std::pair<std::string, std::string>> seen;
    object->OnRename = [&](TObject* sender) {
        auto* renamed = static_cast<TiPlotObject*>(sender);
        seen.push_back({renamed->PreviousName(), renamed->Name()});
        wiring.Calls.push_back("Rename");
    };
    object->SetName("Channel 1");
    object->SetName("CHANNEL 1");  // a difference in case is a rename
    EXPECT_EQ(wiring.Take(), (Log{"Rename", "Change", "Rename", "Change"}));
    object->SetName("CHANNEL 1");
    EXPECT_EQ(wiring.Take(), Log{});
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::string>>{{"", "Channel 1"}, {"Channel 1", "CHANNEL 1"}}));
}

TEST_F(PlotObjects, LoadedRegistersAndLayoutObjectsAskForALayout)
{
    auto managed = MakeManaged();
    managed->Loaded();
    EXPECT_EQ(wiring.Take(), Log{"Insert"});
    auto layout = MakeLayout();
    layout->Loaded();
    EXPECT_EQ(wiring.Take(), (Log{"Insert", "Layout"}));
}

TEST_F(PlotObjects, ReleaseAnnouncesTheRemovalWhileTheObjectIsWhole)
{
    auto owned = MakeLayout();
    owned->SetZOrder(4);
    owned->SetHorizontal(true);
    wiring.Take();
    bool destroyed = false;
    owned->Destroyed = &destroyed;
    std::string seenAtRemoval;
    owned->OnRemove = [&](TObject* sender) {
        // The managers still tell its kind and read its layout fields.
        auto* layout = dynamic_cast<TiPlotLayoutObject*>(sender);
        ASSERT_NE(layout, nullptr);
        seenAtRemoval = layout->GetZOrderString() + (layout->Horizontal() ? " horizontal" : "");
        EXPECT_FALSE(destroyed);
        wiring.Calls.push_back("Remove");
    };
    ReleasePlotObject(owned.release());
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(seenAtRemoval, "004 horizontal");
    EXPECT_EQ(wiring.Take(), (Log{"Remove", "Layout", "Change"}));
    ReleasePlotObject(nullptr);
}

TEST_F(PlotObjects, TheFactorysPointerAnnouncesTheRemovalWhenDropped)
{
    // Dropped before registration (say, Loaded threw): still announced, then freed.
    TiPlotObjectPtr<TiPlotObject> object = CreatePlotObject<TTestLayoutObject>(
        &host, wiring.Handler("Change"), wiring.Handler("Insert"), wiring.Handler("Remove"), wiring.Handler("Rename"));
    ASSERT_NE(dynamic_cast<TTestLayoutObject*>(object.get()), nullptr);
    bool destroyed = false;
    static_cast<TTestLayoutObject&>(*object).Destroyed = &destroyed;
    wiring.Complete(*object);
    object.reset();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(wiring.Take(), (Log{"Remove", "Layout", "Change"}));
    // The factory keeps the managed objects' argument checks.
    EXPECT_THROW(CreatePlotObject<TTestManagedObject>(nullptr, wiring.Handler("Change"), wiring.Handler("Insert"),
                                                      wiring.Handler("Remove"), wiring.Handler("Rename")),
                 Exception);
}

TEST_F(PlotObjects, SelectionNotifiesAndDisablingDeselects)
{
    auto object = MakeLayout();
    object->SetUserSelected(true);
    EXPECT_EQ(wiring.Take(), (Log{"InvalidateNow", "SetFocus"}));
    EXPECT_EQ(host.Calls, Log{"GotFocus"});
    object->SetUserSelected(true);
    EXPECT_EQ(wiring.Take(), Log{});

    host.Calls.clear();
    object->SetDrawRect(Rect(0, 0, 100, 100));
    object->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    ASSERT_TRUE(object->MouseIsDown());
    object->SetEnabled(false);
    EXPECT_FALSE(object->UserSelected());
    EXPECT_FALSE(object->MouseIsDown());
    EXPECT_EQ(wiring.Take(), (Log{"InvalidateNow", "Change"}));
    EXPECT_EQ(host.Calls, (Log{"MouseDown 0 5,5", "LostFocus"}));

    // A disabled object ignores presses.
    host.Calls.clear();
    object->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    EXPECT_FALSE(object->MouseIsDown());
    EXPECT_TRUE(object->Left.size() == 1 && host.Calls.empty());
}

TEST_F(PlotObjects, SpanClampingKeepsAtLeastOnePercent)
{
    struct Case {
        double start, stop;
        bool setStart;
        double value;
        double expectedStart, expectedStop;
    };
    const Case cases[] = {
        {0, 100, true, 99.5, 99, 100}, {0, 100, false, 0.5, 0, 1},      {0, 100, true, -5, 0, 100},
        {0, 100, false, 250, 0, 100},  {0, 50, true, 49.5, 49.5, 50.5}, {40, 100, false, 40.5, 39.5, 40.5},
        {0, 100, true, 150, 99, 100},  {20, 80, true, 30, 30, 80},
    };
    for (const Case& c : cases) {
        auto object = MakeLayout();
        object->SetStartStopPercent(c.start, c.stop);
        if (c.setStart)
            object->SetStartPercent(c.value);
        else
            object->SetStopPercent(c.value);
        EXPECT_EQ(object->StartPercent(), c.expectedStart) << c.start << " " << c.stop << " " << c.value;
        EXPECT_EQ(object->StopPercent(), c.expectedStop) << c.start << " " << c.stop << " " << c.value;
    }
    // The layout viewer's setter stores both ends as given.
    auto object = MakeLayout();
    object->SetStartStopPercent(70, 30);
    EXPECT_EQ(object->StartPercent(), 70);
    EXPECT_EQ(object->StopPercent(), 30);
    EXPECT_EQ(wiring.Take().back(), "Change");
}

TEST_F(PlotObjects, SortKeysArePaddedDecimals)
{
    auto object = MakeLayout();
    EXPECT_EQ(object->GetLayerString(), "000100");
    object->SetLayer(1234567);
    EXPECT_EQ(object->GetLayerString(), "1234567");
    object->SetLayer(-5);
    EXPECT_EQ(object->GetLayerString(), "0000-5");
    const std::pair<int, const char*> zOrders[] = {{7, "007"}, {1234, "1234"}, {0, "000"}};
    for (const auto& [z, text] : zOrders) {
        object->SetZOrder(z);
        EXPECT_EQ(object->GetZOrderString(), text);
    }
    const std::pair<double, const char*> starts[] = {{12.5, "012"}, {13.5, "014"}, {0, "000"}, {12.6, "013"}};
    for (const auto& [start, text] : starts) {
        object->SetStartStopPercent(start, 100);
        EXPECT_EQ(object->GetStartPercentString(), text) << start;
    }
}

TEST_F(PlotObjects, MouseRecordsCarryAxisPixelsAndHitTestsUseTheDrawRect)
{
    auto object = MakeLayout();
    object->SetDrawRect(Rect(10, 20, 30, 40));
    // Left and top inclusive, right and bottom exclusive.
    EXPECT_TRUE(object->HitTest(10, 20));
    EXPECT_FALSE(object->HitTest(30, 25));
    EXPECT_FALSE(object->HitTest(15, 40));

    object->SetXYAxesReversed(true);
    object->iMouseDown(mbLeft, {ssShift}, 12, 25, 0, 0, nullptr);
    ASSERT_EQ(object->Left.size(), 1u);
    const TiPlotMouseData& d = object->Left[0];
    EXPECT_EQ(d.X, 12);
    EXPECT_EQ(d.Y, 25);
    EXPECT_EQ(d.XAxisPixels, 25);
    EXPECT_EQ(d.YAxisPixels, 12);
    EXPECT_EQ(d.Shift, TShiftState{ssShift});

    // While pressed a move is a drag; otherwise it asks for a hint. Outside: no plot event.
    TiHintData hint;
    object->iMouseMove(hint, {}, 50, 50, 0, 0, true);
    EXPECT_TRUE(object->Moves.size() == 1 && object->Moves[0].DoubleClick);
    object->iMouseUp(mbLeft, {}, 12, 25, 0, 0, false, nullptr);
    object->HintText = "tip";
    object->iMouseMove(hint, {}, 12, 25, 0, 0, false);
    EXPECT_EQ(object->Hints.size(), 1u);
    EXPECT_EQ(hint.Text, "tip");
    EXPECT_EQ(host.Calls, (Log{"MouseDown 0 12,25", "MouseUp 0 12,25", "MouseMove 12,25"}));

    // A middle press neither holds the mouse nor asks for a menu.
    host.Calls.clear();
    object->iMouseDown(mbMiddle, {}, 12, 25, 0, 0, nullptr);
    EXPECT_FALSE(object->MouseIsDown() || object->PopupPending());
    object->iMouseUp(mbMiddle, {}, 12, 25, 0, 0, false, nullptr);
    EXPECT_EQ(host.Calls, Log{"MouseDown 2 12,25"});
}

TEST_F(PlotObjects, RightClickShowsTheTranslatedEditMenuUnlessVetoed)
{
    TestHooks::TModalScript script;
    script.OnPopup = [](const TestHooks::TMenuSnapshot& menu) { return menu.Items.back().Item; };
    TRecordingPopupMenu menu;
    auto stale = new TMenuItem(&menu);
    menu.Items()->Add(stale);
    host.Translations["Edit..."] = "Bearbeiten...";
    auto object = MakeLayout();
    object->SetDrawRect(Rect(0, 0, 50, 50));

    object->iMouseDown(mbRight, {}, 5, 5, 300, 400, &menu);
    EXPECT_TRUE(object->PopupPending() && object->MouseIsDown());
    EXPECT_EQ(object->Right.size(), 1u);
    object->iMouseUp(mbRight, {}, 6, 6, 301, 401, false, &menu);
    ASSERT_EQ(script.Popups.size(), 1u);
    EXPECT_EQ(Captions(script.Popups[0]), std::vector<std::string>{"Bearbeiten..."});
    EXPECT_EQ(menu.ShownAt, std::vector<TPoint>{Point(301, 401)});
    EXPECT_EQ(wiring.Take(), Log{"Edit"});
    EXPECT_FALSE(object->PopupPending() || object->MouseIsDown());
    EXPECT_EQ(host.Calls, (Log{"MouseDown 1 5,5", "PopupEvent 301,401", "MouseUp 1 6,6"}));

    // The plot's popup event vetoes; a release outside the object shows nothing either.
    host.VetoPopup = true;
    object->iMouseDown(mbRight, {}, 5, 5, 0, 0, &menu);
    object->iMouseUp(mbRight, {}, 5, 5, 0, 0, false, &menu);
    host.VetoPopup = false;
    object->iMouseDown(mbRight, {}, 5, 5, 0, 0, &menu);
    object->iMouseUp(mbRight, {}, 80, 80, 0, 0, false, &menu);
    // A drag that became a zoom box cancels the menu.
    object->iMouseDown(mbRight, {}, 5, 5, 0, 0, &menu);
    object->CancelPopup();
    object->iMouseUp(mbRight, {}, 5, 5, 0, 0, false, &menu);
    // Popups off: no menu at all.
    object->SetPopupEnabled(false);
    object->iMouseDown(mbRight, {}, 5, 5, 0, 0, &menu);
    EXPECT_FALSE(object->PopupPending());
    object->iMouseUp(mbRight, {}, 5, 5, 0, 0, false, &menu);
    EXPECT_EQ(script.Popups.size(), 1u);

    // Without editing rights the menu is emptied and nothing is offered.
    object->SetUserCanEdit(false);
    object->AddMenuItems(&menu);
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST_F(PlotObjects, KeyboardPopupOpensAtTheCentreOfALayoutObject)
{
    TestHooks::TModalScript script;
    TRecordingPopupMenu menu;
    auto layout = MakeLayout();
    layout->SetDrawRect(Rect(-31, 20, 10, 41));  // centre (-10, 30): division cuts toward zero
    struct Case {
        int key;
        TShiftState shift;
        bool opens;
    };
    const Case cases[] = {{121, {ssShift}, true}, {93, {}, true}, {121, {}, false}, {93, {ssCtrl}, true}};
    for (const Case& c : cases) {
        menu.ShownAt.clear();
        int key = c.key;
        layout->iKeyDown(key, c.shift, &menu);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(menu.ShownAt, c.opens ? std::vector<TPoint>{Point(990, 2030)} : std::vector<TPoint>{}) << c.key;
    }
    layout->SetPopupEnabled(false);
    int key = 93;
    menu.ShownAt.clear();
    layout->iKeyDown(key, {}, &menu);
    EXPECT_TRUE(menu.ShownAt.empty());

    // An object without a place of its own fills the menu but does not show it.
    host.Calls.clear();
    auto managed = MakeManaged();
    managed->iKeyDown(key, {}, &menu);
    EXPECT_EQ(host.Calls, Log{"PopupEvent 0,0"});
    EXPECT_EQ(menu.Items()->Count(), 1);
    EXPECT_TRUE(menu.ShownAt.empty());
}

TEST_F(PlotObjects, WheelAndMouseObject)
{
    auto object = MakeLayout();
    object->WheelResult = true;
    EXPECT_TRUE(object->iMouseWheel(-120, {ssCtrl}, Point(4, 5)));
    object->WheelResult = false;
    EXPECT_FALSE(object->iMouseWheel(120, {}, Point(6, 7)));
    EXPECT_EQ(host.Calls, (Log{"Wheel -120 4,5", "Wheel 120 6,7"}));

    EXPECT_EQ(object->GetMousePointer(Point(1, 1)), crDefault);
    EXPECT_EQ(object->MouseObject(), object.get());
    EXPECT_EQ(object->GetMouseObject(1, 1), object.get());
}

TEST_F(PlotObjects, LayoutAttributesRoundTripThroughPropertyText)
{
    auto object = MakeLayout();
    object->SetName("Axis 1");
    object->SetVisible(false);
    object->SetLayer(7);
    object->SetStopPercent(80);
    object->SetStartPercent(20.5);
    TStringList lines;
    SaveObjectToStringList(object.get(), "", lines);
    const std::vector<std::string> expected = {"Name = Axis 1",    "Visible = 0",         "Layer = 7",
                                               "StopPercent = 80", "StartPercent = 20.5", "ZOrder = 0",
                                               "Horizontal = 0"};
    ASSERT_EQ(lines.Count(), int(expected.size()));
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_EQ(lines[i], expected[std::size_t(i)]);

    // ZOrder and Horizontal have no declared default: their lines restore 0 and false.
    auto copy = MakeLayout();
    copy->SetZOrder(3);
    copy->SetHorizontal(true);
    lines.Clear();
    object->SetStartStopPercent(97.5, 99);
    SaveObjectToStringList(object.get(), "", lines);
    LoadObjectFromStringList(copy.get(), "", lines);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(copy->Name(), "Axis 1");
    EXPECT_FALSE(copy->Visible());
    EXPECT_EQ(copy->Layer(), 7);
    EXPECT_EQ(copy->StartPercent(), 97.5);
    EXPECT_EQ(copy->StopPercent(), 99);
    EXPECT_EQ(copy->ZOrder(), 0);
    EXPECT_FALSE(copy->Horizontal());
}

TEST(PlotButton, AutoRepeatClicksAfter500msThenEvery50ms)
{
    TestHooks::TFakeTimers timers;
    struct Case {
        bool autoRepeat;
        int groupIndex;
        TPoint release;
        int holdMs;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {true, 0, Point(5, 5), 620, {"click@500", "click@550", "click@600", "click@620"}},
        {true, 0, Point(50, 5), 620, {"click@500", "click@550", "click@600"}},
        {true, 0, Point(5, 5), 100, {"click@100"}},
        {false, 0, Point(5, 5), 620, {"click@620"}},
        {false, -2, Point(5, 5), 10, {"group@10", "click@10"}},
        {false, 3, Point(10, 5), 10, {}},
    };
    for (const Case& c : cases) {
        TiPlotButton button(nullptr, nullptr, nullptr, nullptr, nullptr);
        button.SetDrawRect(Rect(0, 0, 10, 10));
        button.SetAutoRepeat(c.autoRepeat);
        button.SetGroupIndex(c.groupIndex);
        const long long start = timers.Now();
        std::vector<std::string> got;
        int invalidated = 0;
        button.OnClick = [&](TObject*) { got.push_back("click@" + std::to_string(timers.Now() - start)); };
        button.OnGroupClick = [&](TObject*) { got.push_back("group@" + std::to_string(timers.Now() - start)); };
        button.OnInvalidate = [&](TObject*) { ++invalidated; };
        button.iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
        EXPECT_EQ(button.RepeatTimerExists(), c.autoRepeat);
        EXPECT_EQ(button.RepeatTimerPrecise(), c.autoRepeat);
        timers.Advance(c.holdMs);
        button.iMouseUp(mbLeft, {}, c.release.X, c.release.Y, 0, 0, false, nullptr);
        EXPECT_EQ(got, c.expected) << c.autoRepeat << " " << c.groupIndex << " " << c.holdMs;
        EXPECT_FALSE(button.RepeatTimerExists());
        EXPECT_FALSE(button.MouseIsDown());
        EXPECT_GE(invalidated, 2);
        // Released: the timer is gone, nothing more clicks.
        const std::size_t clicks = got.size();
        timers.Advance(1000);
        EXPECT_EQ(got.size(), clicks);
    }
}

TEST(PlotButton, ALongHoldKeepsThe50msPace)
{
    TestHooks::TFakeTimers timers;
    TiPlotButton button(nullptr, nullptr, nullptr, nullptr, nullptr);
    button.SetDrawRect(Rect(0, 0, 10, 10));
    button.SetAutoRepeat(true);
    std::vector<long long> at;
    button.OnClick = [&](TObject*) { at.push_back(timers.Now()); };
    button.iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    timers.Advance(10000);
    ASSERT_EQ(at.size(), 191u);  // at 500, then every 50 ms up to 10000
    for (std::size_t i = 0; i < at.size(); ++i)
        ASSERT_EQ(at[i], 500 + 50 * static_cast<long long>(i)) << i;
    button.iMouseUp(mbLeft, {}, 50, 5, 0, 0, false, nullptr);
}

TEST(PlotButton, DisablingStopsTheRepeatAndADisabledButtonIgnoresPresses)
{
    TestHooks::TFakeTimers timers;
    TiPlotButton button(nullptr, nullptr, nullptr, nullptr, nullptr);
    button.SetDrawRect(Rect(0, 0, 10, 10));
    button.SetAutoRepeat(true);
    int clicks = 0;
    button.OnClick = [&](TObject*) {
        if (++clicks == 2)
            button.SetEnabled(false);  // e.g. a scroll button that reached the end
    };
    button.iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    timers.Advance(2000);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button.RepeatTimerExists());
    button.iMouseUp(mbLeft, {}, 5, 5, 0, 0, false, nullptr);
    EXPECT_EQ(clicks, 2);
    button.iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    button.iMouseUp(mbLeft, {}, 5, 5, 0, 0, false, nullptr);
    EXPECT_EQ(clicks, 2);
    Application->ProcessMessages();  // the timer retired during its own tick is freed
}

TEST(PlotButton, ClickHandlerMayFreeTheButtonDuringARepeat)
{
    TestHooks::TFakeTimers timers;
    auto* button = new TiPlotButton(nullptr, nullptr, nullptr, nullptr, nullptr);
    button->SetDrawRect(Rect(0, 0, 10, 10));
    button->SetAutoRepeat(true);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        ReleasePlotObject(button);  // its toolbar left the plot
    };
    button->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    timers.Advance(2000);
    EXPECT_EQ(clicks, 1);
    Application->ProcessMessages();
}

TEST(PlotButton, DownChangeAndOwnership)
{
    TiPlotButton button(nullptr, nullptr, nullptr, nullptr, nullptr);
    Log calls;
    button.OnInvalidate = [&](TObject*) { calls.push_back("Invalidate"); };
    button.OnDownChange = [&](TObject*) { calls.push_back("DownChange"); };
    button.SetDown(true);
    button.SetDown(true);
    EXPECT_EQ(calls, (Log{"Invalidate", "DownChange"}));

    FakeHost host;
    const TNotifyEvent none = [](TObject*) {};
    TiPlotLayoutObject toolbar(&host, none, none, none, none);
    TiPlotLayoutObject other(&host, none, none, none, none);
    button.SetOwnerObject(&toolbar);
    EXPECT_TRUE(PlotObjectBelongsTo(&button, &toolbar));
    EXPECT_TRUE(PlotObjectBelongsTo(&toolbar, &toolbar));
    EXPECT_FALSE(PlotObjectBelongsTo(&button, &other));
    EXPECT_FALSE(PlotObjectBelongsTo(nullptr, &other));
}

TEST(PlotMenuItem, CarriesAnObjectName)
{
    TPopupMenu menu(nullptr);
    auto* item = new TiMenuItem(&menu);
    item->SetObjectName("Channel 2");
    menu.Items()->Add(item);
    EXPECT_EQ(static_cast<TiMenuItem*>(menu.Items()->Items(0))->ObjectName(), "Channel 2");
    EXPECT_EQ(item->ClassName(), "TiMenuItem");
    TiPlotRectObject holder;
    holder.Rect = Rect(1, 2, 3, 4);
    EXPECT_EQ(holder.Rect.Width(), 2);
}
