#include "plot/core/iPlotManagers.h"

#include "PlotTestKinds.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A typed manager used on its own: its four callbacks only record; objects register by
// being offered to it directly.
class StandaloneManager : public testing::Test {
protected:
    template <class M>
    std::unique_ptr<M, TiPlotManagerReleaser> Make()
    {
        return std::unique_ptr<M, TiPlotManagerReleaser>(
            new M(&host, Handler("Change"), Handler("Insert"), Handler("Remove"), Handler("Rename")));
    }
    TNotifyEvent Handler(std::string name)
    {
        return [this, name](TObject*) { calls.push_back(name); };
    }
    // Makes an object of the manager's kind named `name` and files it as registration would.
    TiPlotObject* Add(TiPlotObjectOwnedManager& manager, const std::string& name)
    {
        TiPlotObjectPtr<TiPlotObject> object = manager.CreateObject();
        object->SetName(name);
        manager.NotificationInsert(object.get());
        return object.release();
    }

    TTestKinds kinds;
    TTestPlotHost host;
    std::vector<std::string> calls;
};

}  // namespace

TEST_F(StandaloneManager, NextNameFollowsTheHighestNumberAfterTheBase)
{
    struct Case {
        TiPlotObjectKind kind;
        std::vector<std::string> names;
        std::string next;
    };
    const Case cases[] = {
        {TiPlotObjectKind::Channel, {}, "Channel 1"},
        {TiPlotObjectKind::Channel, {"Channel 2", "Channel 7"}, "Channel 8"},
        {TiPlotObjectKind::Channel, {"Channel 3", "channel 1"}, "Channel 4"},
        // A rest that is no number counts for nothing.
        {TiPlotObjectKind::Channel, {"ChannelX", "Channel"}, "Channel 1"},
        {TiPlotObjectKind::Channel, {"Channel 5 b", "Channel 0x10", "Channel 2.5"}, "Channel 1"},
        // Blanks around the number and a sign are allowed; negative numbers never win.
        {TiPlotObjectKind::Channel, {"Channel   4  ", "Channel -9", "Channel +6"}, "Channel 7"},
        // Other bases never count.
        {TiPlotObjectKind::Channel, {"Chan 9", "Label 12"}, "Channel 1"},
        // Numbers up to the largest 32-bit integer count; the next one does not wrap.
        {TiPlotObjectKind::Channel, {"Channel 2147483646"}, "Channel 2147483647"},
        {TiPlotObjectKind::Channel, {"Channel 2147483647"}, "Channel 2147483648"},
        // Past 32 bits the rest is no number at all.
        {TiPlotObjectKind::Channel, {"Channel 2147483648", "Channel 3"}, "Channel 4"},
        {TiPlotObjectKind::Channel, {"Channel 99999999999999999999"}, "Channel 1"},
        {TiPlotObjectKind::XAxis, {"X-Axis 1", "x-axis 2"}, "X-Axis 3"},
        {TiPlotObjectKind::YAxis, {"X-Axis 4"}, "Y-Axis 1"},
        {TiPlotObjectKind::DataView, {"Data View 1"}, "Data View 2"},
        {TiPlotObjectKind::DataCursor, {"Cursor 2"}, "Cursor 3"},
        {TiPlotObjectKind::ToolBar, {"Toolbar 1"}, "Toolbar 2"},
        {TiPlotObjectKind::Legend, {}, "Legend 1"},
        {TiPlotObjectKind::Table, {}, "Table 1"},
        {TiPlotObjectKind::Limit, {}, "Limit 1"},
        {TiPlotObjectKind::Label, {"Label 10"}, "Label 11"},
        {TiPlotObjectKind::Annotation, {"Annotation 1"}, "Annotation 2"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TiPlotObjectOwnedManager, TiPlotManagerReleaser> typed(new TiPlotObjectOwnedManager(
            c.kind, &host, Handler("Change"), Handler("Insert"), Handler("Remove"), Handler("Rename")));
        for (const std::string& name : c.names)
            Add(*typed, name);
        EXPECT_EQ(typed->GetNextName(), c.next) << PlotObjectKindName(c.kind) << " " << testing::PrintToString(c.names);
    }
}

TEST_F(StandaloneManager, LookUpsByNameAndIndex)
{
    auto axes = Make<TiPlotXAxisManager>();
    Add(*axes, "X-Axis 1");
    Add(*axes, "Second");
    EXPECT_EQ(axes->GetIndexByName("x-axis 1"), 0);
    EXPECT_EQ(axes->GetIndexByName("SECOND"), 1);
    EXPECT_EQ(axes->GetIndexByName("X-Axis"), -1);
    EXPECT_EQ(axes->GetObjectByName("nothing"), nullptr);
    EXPECT_EQ(axes->GetObjectByName("second"), axes->GetItem(1));
    EXPECT_NE(axes->GetItemAs<TTestXAxis>(1), nullptr);
    for (int bad : {-1, 2}) {
        try {
            axes->GetItem(bad);
            ADD_FAILURE() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(axes->GetItemAs<TTestYAxis>(0), EConvertError);
    // Taking an object in twice keeps one entry; an object of another kind is not taken.
    axes->InsertObject(axes->GetItem(0));
    TiPlotObjectPtr<TiPlotObject> label =
        CreatePlotObject<TTestLabel>(&host, Handler("Change"), Handler("Insert"), Handler("Remove"), Handler("Rename"));
    axes->NotificationInsert(label.get());
    EXPECT_EQ(axes->GetCount(), 2);
    // Delete drops the entry only; the object stays whole.
    TiPlotObjectPtr<TiPlotObject> second(axes->GetItem(1));
    axes->Delete(1);
    EXPECT_EQ(axes->GetCount(), 1);
    EXPECT_EQ(second->Name(), "Second");
}

TEST_F(StandaloneManager, ArgumentsAreCheckedInOrder)
{
    const TNotifyEvent h = Handler("x");
    struct Case {
        IPlotHost* owner;
        TNotifyEvent change, insert, remove, rename;
        const char* message;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, nullptr, nullptr, "Owner must be Assigned"},
        {&host, nullptr, nullptr, nullptr, nullptr, "OnChange event handler can not be null"},
        {&host, h, nullptr, nullptr, nullptr, "OnInsert event handler can not be null"},
        {&host, h, h, nullptr, nullptr, "OnRemove event handler can not be null"},
        {&host, h, h, h, nullptr, "AOnRename event handler can not be null"},
    };
    for (const Case& c : cases) {
        try {
            TiPlotLabelManager manager(c.owner, c.change, c.insert, c.remove, c.rename);
            ADD_FAILURE() << c.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    auto all = Make<TiPlotObjectManager>();
    try {
        all->CreateObject();
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Object Manager does not support creation of objects");
    }
    EXPECT_EQ(all->GetName(), "n/a");
}

TEST_F(StandaloneManager, AKindWithoutAClassCannotBeCreated)
{
    TiPlotKindRegistration none(TiPlotObjectKind::Table, TiPlotKindClass{});
    auto tables = Make<TiPlotTableManager>();
    try {
        tables->CreateObject();
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "No class is registered for Table");
    }
}

TEST_F(StandaloneManager, ChannelColoursComeFromThePaletteByFewestUses)
{
    struct Case {
        std::vector<TColor> existing;  // the colours of the channels before the new one
        TColor next;
    };
    const Case cases[] = {
        {{}, 0x0000FF},
        {{0x0000FF}, 0x00FFFF},
        {{0x0000FF, 0x00FFFF}, 0xFF0000},
        // Colours outside the palette count nowhere.
        {{0x123456, 0x654321}, 0x00FFFF},
        // A recoloured first channel: red is free again and comes first.
        {{0x00FFFF}, 0xFF0000},
        {{0xFF0000, 0x00FFFF}, 0xFF00FF},
    };
    for (const Case& c : cases) {
        auto channels = Make<TiPlotChannelManager>();
        for (TColor colour : c.existing) {
            TiPlotObject* channel = Add(*channels, "");
            static_cast<TTestChannel*>(channel)->SetColor(colour);
        }
        TiPlotObject* added = Add(*channels, "");
        EXPECT_EQ(static_cast<TTestChannel*>(added)->Color(), c.next) << testing::PrintToString(c.existing);
    }
    // All thirty palette colours worn once: red now counts twice (the new one included), so
    // the next channel is yellow.
    auto channels = Make<TiPlotChannelManager>();
    for (int i = 0; i < 31; ++i)
        Add(*channels, "");
    std::vector<TColor> worn;
    for (int i = 0; i < channels->GetCount(); ++i)
        worn.push_back(channels->GetItemAs<TTestChannel>(i)->Color());
    EXPECT_EQ(worn[6], 0xFFFFFF);
    EXPECT_EQ(worn[29], 0x80FF80);
    EXPECT_EQ(worn[30], 0x00FFFF);
}

TEST_F(StandaloneManager, FirstSettingsOnlyForUnnamedObjects)
{
    auto axes = Make<TiPlotXAxisManager>();
    auto labels = Make<TiPlotLabelManager>();
    auto annotations = Make<TiPlotAnnotationManager>();
    auto named = static_cast<TTestXAxis*>(Add(*axes, "Kept"));
    auto unnamed = static_cast<TTestXAxis*>(Add(*axes, ""));
    EXPECT_EQ(named->Title(), "");
    EXPECT_EQ(unnamed->Name(), "X-Axis 1");
    EXPECT_EQ(unnamed->Title(), "X-Axis 1");
    auto label = static_cast<TTestLabel*>(Add(*labels, ""));
    EXPECT_EQ(label->Caption(), "Label 1");
    auto annotation = static_cast<TTestAnnotation*>(Add(*annotations, ""));
    EXPECT_EQ(annotation->Name(), "");
}

TEST_F(StandaloneManager, RemovalNewsReachesTheOtherObjectsBeforeTheEntryGoes)
{
    auto channels = Make<TiPlotChannelManager>();
    auto* first = static_cast<TTestChannel*>(Add(*channels, "A"));
    auto* second = static_cast<TTestChannel*>(Add(*channels, "B"));
    first->References.Pointers = {second};
    second->References.Pointers = {first};
    calls.clear();
    channels->NotificationRemove(second);
    EXPECT_TRUE(first->References.Pointers.empty());
    EXPECT_EQ(second->References.Pointers, std::vector<TiPlotObject*>{first});  // not told of itself
    EXPECT_EQ(channels->GetCount(), 1);
    EXPECT_EQ(calls, std::vector<std::string>{"Change"});
    // Not in the list: nothing, no change.
    channels->NotificationRemove(second);
    EXPECT_EQ(calls.size(), 1u);
    TiPlotObjectPtr<TiPlotObject> owned(second);
}

TEST_F(StandaloneManager, ClearReleasesEveryObjectAndTheReleaseAnnouncesTheManager)
{
    auto limits = Make<TiPlotLimitManager>();
    for (const char* name : {"a", "b", "c"})
        Add(*limits, name);
    calls.clear();
    limits->Clear();
    EXPECT_EQ(limits->GetCount(), 0);
    // Each object announced its removal (then its change) before it was freed.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Remove"), 3);
    Add(*limits, "d");
    calls.clear();
    ReleasePlotManager(limits.release());
    // Object d announces itself (removal, then change); unrouted, its entry is dropped
    // quietly; then the manager announces itself.
    EXPECT_EQ(calls, (std::vector<std::string>{"Remove", "Change", "Remove"}));
}

TEST_F(StandaloneManager, SelectedObjectsReceiveTheInput)
{
    auto all = Make<TiPlotObjectManager>();
    auto labels = Make<TiPlotLabelManager>();
    std::vector<TTestLabel*> objects;
    for (const char* name : {"a", "b", "c"}) {
        objects.push_back(static_cast<TTestLabel*>(Add(*labels, name)));
        all->NotificationInsert(objects.back());
        objects.back()->SetDrawRect(TRect{0, 0, 10, 10});
    }
    objects[0]->SetUserSelected(true);
    objects[2]->SetUserSelected(true);
    all->SetShiftState(TShiftState{ssCtrl});
    for (TTestLabel* object : objects)
        EXPECT_EQ(object->ShiftState(), TShiftState{ssCtrl});
    all->MouseDownFocusObjects(mbLeft, {}, 5, 5, 0, 0, nullptr);
    EXPECT_TRUE(objects[0]->MouseIsDown());
    EXPECT_FALSE(objects[1]->MouseIsDown());
    EXPECT_TRUE(objects[2]->MouseIsDown());
    TiHintData hint;
    hint.Text = "kept";
    all->MouseMoveFocusObjects(hint, {}, 6, 6, 0, 0, false);
    EXPECT_EQ(hint.Text, "kept");
    all->MouseUpFocusObjects(mbLeft, {}, 5, 5, 0, 0, false, nullptr);
    EXPECT_FALSE(objects[0]->MouseIsDown());
    EXPECT_FALSE(all->MouseWheelFocusObjects(120, {}, TPoint{1, 1}));
    all->ClearAllUserSelections();
    for (TTestLabel* object : objects)
        EXPECT_FALSE(object->UserSelected());
    all->ShutDownSetup();
    for (TTestLabel* object : objects) {
        EXPECT_FALSE(object->OnRemove.Assigned());
        EXPECT_FALSE(object->OnChange.Assigned());
        EXPECT_TRUE(object->OnRename.Assigned());
    }
}
