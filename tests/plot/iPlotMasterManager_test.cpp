#include "plot/core/iPlotMasterManager.h"

#include "PlotTestKinds.h"
#include "support/TempDir.h"

#include "components/iClasses.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/FormDescription.h"
#include "platform/core/StringList.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string Describe(TObject* sender)
{
    if (auto* object = dynamic_cast<TiPlotObject*>(sender))
        return object->Name().empty() ? object->ClassName() : object->Name();
    return sender ? sender->ClassName() : "nil";
}

// A plot as far as the master manager and its objects need one, with its managers kept in its
// form description (one list of property lists per manager, the translation table too).
class TTestPlot : public TComponent {
    PRAVIX_CLASS(TTestPlot, TComponent)
public:
    explicit TTestPlot(TComponent* owner) : TComponent(owner), Master(&Host) {}

    TTestPlotHost Host;
    TiPlotMasterManager Master;

    void DefineProperties(TFiler& filer) override
    {
        TComponent::DefineProperties(filer);
        for (int kind = 0; kind < kPlotObjectKindCount; ++kind) {
            TiPlotObjectManagerCustom* manager = Master.ManagerOf(TiPlotObjectKind(kind));
            filer.DefineProperty(
                std::string(manager->ClassName()).substr(std::string("TiPlot").size()),
                [manager](TReader& r) { manager->ReadFromStream(r); },
                [manager](TWriter& w) { manager->WriteToStream(w); }, manager->DoWriteToStream());
        }
        TiPlotTranslationManager* table = Master.TranslationManager();
        filer.DefineProperty(
            "TranslationManager", [table](TReader& r) { table->ReadFromStream(r); },
            [table](TWriter& w) { table->WriteToStream(w); }, table->DoWriteToStream());
    }
};
PRAVIX_PUBLISH(TTestPlot)

// The plot editor as the master manager sees it: records what it is asked, in one log with the
// plot's own callbacks, so that the order shows.
class TFakeEditor : public IPlotEditor {
public:
    TFakeEditor(Log& log, bool* alive) : m_log(log), m_alive(alive), m_form(nullptr)
    {
        *m_alive = true;
        m_form.SetName("PlotEditorForm");
        m_form.SetCaption("Edit...");
    }
    ~TFakeEditor() override { *m_alive = false; }

    bool IsClosing = false;
    std::array<int, TiPlotMasterManager::kEditorPageControlCount> Pages{};
    std::function<void()> DuringShow;

    TForm& Form() override { return m_form; }
    bool Closing() const override { return IsClosing; }
    void AppendObject(TiPlotObjectKind, TiPlotObject* object) override
    {
        m_log.push_back("EditorAppend " + Describe(object));
    }
    void DeleteObject(TiPlotObjectKind, TiPlotObject* object) override
    {
        m_log.push_back("EditorDelete " + Describe(object));
    }
    void ObjectRenamed(TiPlotObjectKind, TiPlotObject* object) override
    {
        m_log.push_back("EditorRenamed " + object->PreviousName() + ">" + object->Name());
    }
    void FillLists(TiPlotMasterManager&) override { m_log.push_back("EditorFill"); }
    void SelectObject(TiPlotObjectKind, TiPlotObject* object) override
    {
        m_log.push_back("EditorSelect " + Describe(object));
    }
    void UpdateAll() override { m_log.push_back("EditorUpdateAll"); }
    void StoreGeneralPages() override { m_log.push_back("EditorStore"); }
    void SetChannelAddRemoveVisible(bool visible) override
    {
        m_log.push_back(std::string("EditorAddRemove ") + (visible ? "shown" : "hidden"));
    }
    int PageIndex(int pageControl) const override { return Pages.at(std::size_t(pageControl)); }
    void SetPageIndex(int pageControl, int index) override { Pages.at(std::size_t(pageControl)) = index; }
    void Show(TiPlotEditorFormStyle style) override
    {
        m_log.push_back(style == ipfsModal ? "EditorShowModal" : "EditorShow");
        if (DuringShow)
            DuringShow();
    }

private:
    Log& m_log;
    bool* m_alive;
    TForm m_form;
};

class MasterManager : public testing::Test {
protected:
    MasterManager()
    {
        master.OnInsert = [this](TObject* s) { log.push_back("Insert " + Describe(s)); };
        master.OnRemove = [this](TObject* s) {
            // The object is still whole and still has its index.
            auto* object = dynamic_cast<TiPlotObject*>(s);
            TiPlotObjectKind kind;
            std::string index;
            if (object && GetPlotObjectKind(object, kind) && master.ManagerOf(kind))
                index = " @" + std::to_string(master.ManagerOf(kind)->GetIndex(object));
            log.push_back("Remove " + Describe(s) + index);
        };
        master.OnChange = [this](TObject*) { ++changes; };
        master.OnInvalidateNow = [this](TObject*) { ++invalidations; };
    }

    TiPlotObject* Item(TiPlotObjectKind kind, int index) { return master.ManagerOf(kind)->GetItem(index); }
    template <class T>
    T* Item(TiPlotObjectKind kind, int index)
    {
        return master.ManagerOf(kind)->GetItemAs<T>(index);
    }
    Log Take() { return std::exchange(log, {}); }

    // Every object of the plot, and whether any of them, or any manager, still refers to `gone`.
    bool AnyReferenceTo(const TiPlotObject* gone)
    {
        std::vector<TiPlotObjectManagerCustom*> managers{master.PlotObjectManager()};
        for (int kind = 0; kind < kPlotObjectKindCount; ++kind)
            managers.push_back(master.ManagerOf(TiPlotObjectKind(kind)));
        for (TiPlotObjectManagerCustom* manager : managers) {
            if (!manager)
                continue;
            if (manager->GetIndex(gone) >= 0)
                return true;
            for (int i = 0; i < manager->GetCount(); ++i) {
                TiPlotObject* object = manager->GetItem(i);
                if (object->MouseObject() == gone)
                    return true;
                for (const TTestReferences* refs : {&static_cast<TTestReferences&>(ReferencesOf(*object))}) {
                    if (std::find(refs->Pointers.begin(), refs->Pointers.end(), gone) != refs->Pointers.end())
                        return true;
                }
            }
        }
        return false;
    }
    static TTestReferences& ReferencesOf(TiPlotObject& object)
    {
        static TTestReferences none;
        if (auto* o = dynamic_cast<TTestDataCursor*>(&object))
            return o->References;
        if (auto* o = dynamic_cast<TTestChannel*>(&object))
            return o->References;
        return none;
    }

    TTestKinds kinds;
    TTestPlotHost host;
    Log log;
    int changes = 0;
    int invalidations = 0;
    TiPlotMasterManager master{&host};
};

constexpr TiPlotObjectKind kEveryKind[] = {
    TiPlotObjectKind::ToolBar, TiPlotObjectKind::Legend,  TiPlotObjectKind::Table,      TiPlotObjectKind::XAxis,
    TiPlotObjectKind::YAxis,   TiPlotObjectKind::Channel, TiPlotObjectKind::DataView,   TiPlotObjectKind::DataCursor,
    TiPlotObjectKind::Limit,   TiPlotObjectKind::Label,   TiPlotObjectKind::Annotation,
};

}  // namespace

TEST_F(MasterManager, CreatesObjectsOfEveryKindWithTheirFirstSettings)
{
    EXPECT_EQ(master.AddXAxis(), 0);
    EXPECT_EQ(master.AddYAxis(), 0);
    EXPECT_EQ(master.AddChannel(), 0);
    EXPECT_EQ(master.AddChannel(), 1);
    EXPECT_EQ(master.AddDataView(), 0);
    EXPECT_EQ(master.AddDataCursor(), 0);
    EXPECT_EQ(master.AddLimit(), 0);
    EXPECT_EQ(master.AddLabel(), 0);
    EXPECT_EQ(master.AddAnnotation(), 0);
    EXPECT_EQ(master.AddToolBar(), 0);
    EXPECT_EQ(master.AddLegend(), 0);
    EXPECT_EQ(master.AddTable(), 0);
    EXPECT_EQ(master.AddTranslation(), 0);
    EXPECT_EQ(master.PlotObjectManager()->GetCount(), 12);

    // Each object is announced once it is filed and named: the rename of the naming comes
    // first, the plot's add event last.
    const Log expected{"Insert X-Axis 1",
                       "Insert Y-Axis 1",
                       "Insert Channel 1",
                       "Insert Channel 2",
                       "Insert Data View 1",
                       "Insert Cursor 1",
                       "Insert Limit 1",
                       "Insert Label 1",
                       "Insert TTestAnnotation",
                       "Insert Toolbar 1",
                       "Insert Legend 1",
                       "Insert Table 1",
                       "Insert TiPlotTranslationObject"};
    EXPECT_EQ(Take(), expected);

    EXPECT_EQ(Item<TTestXAxis>(TiPlotObjectKind::XAxis, 0)->Title(), "X-Axis 1");
    EXPECT_EQ(Item<TTestYAxis>(TiPlotObjectKind::YAxis, 0)->Title(), "Y-Axis 1");
    auto* channel = Item<TTestChannel>(TiPlotObjectKind::Channel, 1);
    EXPECT_EQ(channel->TitleText(), "Channel 2");
    EXPECT_EQ(channel->Color(), 0x00FFFF);
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");
    auto* view = Item<TTestDataView>(TiPlotObjectKind::DataView, 0);
    EXPECT_EQ(view->GridXAxisName(), "X-Axis 1");
    EXPECT_EQ(view->GridYAxisName(), "Y-Axis 1");
    auto* cursor = Item<TTestDataCursor>(TiPlotObjectKind::DataCursor, 0);
    EXPECT_EQ(cursor->ChannelName(), "Channel 1");
    EXPECT_EQ(cursor->References.Pointers, std::vector<TiPlotObject*>{view});
    EXPECT_EQ(Item<TTestLimit>(TiPlotObjectKind::Limit, 0)->XAxisName(), "X-Axis 1");
    EXPECT_EQ(Item<TTestLabel>(TiPlotObjectKind::Label, 0)->Caption(), "Label 1");
    EXPECT_EQ(Item(TiPlotObjectKind::Annotation, 0)->Name(), "");

    // The remaining callbacks are wired: selection news reaches the hub, repaints the plot.
    TiPlotObject* axis = Item(TiPlotObjectKind::XAxis, 0);
    EXPECT_TRUE(axis->OnSetFocus.Assigned());
    EXPECT_TRUE(axis->OnEdit.Assigned());
    axis->SetUserSelected(true);
    EXPECT_EQ(invalidations, 1);
}

TEST_F(MasterManager, ObjectsBeforeTheirAxesGetNoAxisNames)
{
    master.AddChannel();
    master.AddDataCursor();
    EXPECT_EQ(Item<TTestChannel>(TiPlotObjectKind::Channel, 0)->XAxisName(), "");
    EXPECT_TRUE(Item<TTestDataCursor>(TiPlotObjectKind::DataCursor, 0)->References.Pointers.empty());
}

TEST_F(MasterManager, TheChannelClassDecidesWhatAddChannelMakes)
{
    master.AddChannel();
    master.SetChannelClass(&CreatePlotObject<TTestXYChannel>);
    EXPECT_EQ(master.AddChannel(), 1);
    EXPECT_EQ(dynamic_cast<TTestXYChannel*>(Item(TiPlotObjectKind::Channel, 0)), nullptr);
    EXPECT_NE(dynamic_cast<TTestXYChannel*>(Item(TiPlotObjectKind::Channel, 1)), nullptr);
    EXPECT_EQ(master.ChannelManager()->ChannelClass(), master.ChannelClass());
}

TEST_F(MasterManager, AKindWithoutAClassIsRefusedAndLeavesNothing)
{
    TiPlotKindRegistration none(TiPlotObjectKind::Legend, TiPlotKindClass{});
    EXPECT_THROW(master.AddLegend(), Exception);
    // A class whose objects its kind does not recognise is refused; the object is released.
    TiPlotKindClass mismatched;
    mismatched.Create = &CreatePlotObject<TTestLabel>;
    mismatched.IsKind = [](const TObject*) { return false; };
    TiPlotKindRegistration wrong(TiPlotObjectKind::Table, mismatched);
    EXPECT_THROW(master.AddTable(), Exception);
    EXPECT_EQ(master.PlotObjectManager()->GetCount(), 0);
    EXPECT_EQ(master.TableManager()->GetCount(), 0);
}

TEST_F(MasterManager, RenamesReachEveryObject)
{
    master.AddXAxis();
    master.AddYAxis();
    master.AddChannel();
    master.AddLimit();
    Take();
    const int changesBefore = changes;
    Item(TiPlotObjectKind::XAxis, 0)->SetName("Time");
    Item(TiPlotObjectKind::YAxis, 0)->SetName("Level");
    // The plot hears of a rename only as a change (a repaint), never as an add or remove.
    EXPECT_EQ(Take(), Log{});
    EXPECT_EQ(changes, changesBefore + 2);
    EXPECT_EQ(Item<TTestChannel>(TiPlotObjectKind::Channel, 0)->XAxisName(), "Time");
    EXPECT_EQ(Item<TTestLimit>(TiPlotObjectKind::Limit, 0)->YAxisName(), "Level");
}

TEST_F(MasterManager, RemovalIsAnnouncedFirstAndLeavesNoReference)
{
    master.AddXAxis();
    master.AddChannel();
    master.AddChannel();
    master.AddDataView();
    master.AddDataCursor();
    auto* first = Item<TTestChannel>(TiPlotObjectKind::Channel, 0);
    auto* second = Item<TTestChannel>(TiPlotObjectKind::Channel, 1);
    first->References.Pointers = {second};
    Item(TiPlotObjectKind::DataView, 0)->GetMouseObject(0, 0);
    Take();

    ReleasePlotObject(second);
    EXPECT_EQ(Take(), Log{"Remove Channel 2 @1"});
    EXPECT_FALSE(AnyReferenceTo(second));
    EXPECT_EQ(master.ChannelManager()->GetCount(), 1);

    TiPlotObject* view = Item(TiPlotObjectKind::DataView, 0);
    ReleasePlotObject(view);
    EXPECT_EQ(Take(), Log{"Remove Data View 1 @0"});
    EXPECT_FALSE(AnyReferenceTo(view));
    EXPECT_EQ(master.PlotObjectManager()->GetCount(), 3);
}

TEST_F(MasterManager, RemovingAManagerClearsEveryLinkToIt)
{
    for (TiPlotObjectKind kind : kEveryKind)
        master.AddObject(kind);
    master.AddObject(TiPlotObjectKind::XAxis);
    TiPlotObject* axis = Item(TiPlotObjectKind::XAxis, 1);
    Take();

    ReleasePlotManager(master.XAxisManager());
    EXPECT_EQ(Take(), (Log{"Remove X-Axis 1 @0", "Remove X-Axis 2 @0", "Remove TiPlotXAxisManager"}));
    EXPECT_EQ(master.XAxisManager(), nullptr);
    EXPECT_EQ(master.ChannelManager()->XAxisManager(), nullptr);
    EXPECT_EQ(master.DataViewManager()->XAxisManager(), nullptr);
    EXPECT_EQ(master.LimitManager()->XAxisManager(), nullptr);
    EXPECT_NE(master.ChannelManager()->YAxisManager(), nullptr);
    EXPECT_FALSE(AnyReferenceTo(axis));
    EXPECT_THROW(master.AddXAxis(), Exception);
    // Creation goes on without the removed manager.
    master.AddChannel();
    EXPECT_EQ(Item<TTestChannel>(TiPlotObjectKind::Channel, 1)->XAxisName(), "");
    EXPECT_EQ(Item<TTestChannel>(TiPlotObjectKind::Channel, 1)->YAxisName(), "Y-Axis 1");

    ReleasePlotManager(master.ChannelManager());
    ReleasePlotManager(master.DataViewManager());
    EXPECT_EQ(master.DataCursorManager()->ChannelManager(), nullptr);
    EXPECT_EQ(master.DataCursorManager()->DataViewManager(), nullptr);
    master.AddDataCursor();
    EXPECT_EQ(master.DataCursorManager()->GetCount(), 2);
}

TEST_F(MasterManager, PlotWideSwitchesReachEveryObject)
{
    for (TiPlotObjectKind kind : kEveryKind)
        master.AddObject(kind);
    master.SetUserCanEditObjects(false);
    master.SetXYAxesReverse(true);
    EXPECT_EQ(invalidations, 1);
    for (TiPlotObjectKind kind : kEveryKind) {
        EXPECT_FALSE(Item(kind, 0)->UserCanEdit()) << PlotObjectKindName(kind);
        EXPECT_TRUE(Item(kind, 0)->XYAxesReversed()) << PlotObjectKindName(kind);
    }
    // Objects made afterwards start with the plot's switches.
    master.AddAnnotation();
    EXPECT_FALSE(Item(TiPlotObjectKind::Annotation, 1)->UserCanEdit());
    EXPECT_TRUE(Item(TiPlotObjectKind::Annotation, 1)->XYAxesReversed());

    master.ShowToolBars(false);
    EXPECT_FALSE(Item(TiPlotObjectKind::ToolBar, 0)->Visible());
    EXPECT_TRUE(Item(TiPlotObjectKind::Legend, 0)->Visible());

    // Selecting one object takes the selection from the others; DeSelectAll clears it.
    Item(TiPlotObjectKind::Legend, 0)->SetUserSelected(true);
    Item(TiPlotObjectKind::Table, 0)->SetUserSelected(true);
    master.DeSelectAll();
    for (TiPlotObjectKind kind : kEveryKind)
        EXPECT_FALSE(Item(kind, 0)->UserSelected());
}

TEST_F(MasterManager, ClearAllDataReachesChannelsThenXAxesThenYAxes)
{
    Log cleared;
    auto withClearData = [&](TiPlotObjectKind kind, TiPlotObjectFactory create) {
        TiPlotKindClass kindClass = *FindPlotKindClass(kind);
        kindClass.Create = create;
        kindClass.ClearData = [&](TiPlotObject& object) { cleared.push_back(object.Name()); };
        return TiPlotKindRegistration(kind, kindClass);
    };
    const auto y = withClearData(TiPlotObjectKind::YAxis, &CreatePlotObject<TTestYAxis>);
    const auto x = withClearData(TiPlotObjectKind::XAxis, &CreatePlotObject<TTestXAxis>);
    const auto channels = withClearData(TiPlotObjectKind::Channel, &CreatePlotObject<TTestChannel>);
    master.AddYAxis();
    master.AddXAxis();
    master.AddChannel();
    master.AddChannel();
    master.AddLabel();
    master.ClearAllData();
    EXPECT_EQ(cleared, (Log{"Channel 1", "Channel 2", "X-Axis 1", "Y-Axis 1"}));
}

namespace {

// A layout manager as the layout unit plugs one in: it keeps the layout objects.
class TTestLayoutManager : public TiPlotObjectManagerCustom {
public:
    using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;
    Log* Heard = nullptr;
    bool Reversed = false;
    TiPlotObjectPtr<TiPlotObject> CreateObject() override { return nullptr; }
    std::string GetName() const override { return "Layout"; }
    void NotificationInsert(TObject* sender) override
    {
        InsertObject(static_cast<TiPlotObject*>(sender));
        Heard->push_back("LayoutInsert " + Describe(sender));
    }
    void NotificationRename(TObject* sender) override { Heard->push_back("LayoutRename " + Describe(sender)); }
};

}  // namespace

TEST(MasterManagerLayout, TheLayoutManagerPlugsInAndHearsTheNews)
{
    TTestKinds kinds;
    TTestPlotHost host;
    Log heard;
    RegisterPlotLayoutManager(
        {[&](IPlotHost* owner, TNotifyEvent change, TNotifyEvent insert, TNotifyEvent remove, TNotifyEvent rename) {
             auto* layout = new TTestLayoutManager(owner, change, insert, remove, rename);
             layout->Heard = &heard;
             return layout;
         },
         [](TiPlotObjectManagerCustom& layout, bool reverse) {
             static_cast<TTestLayoutManager&>(layout).Reversed = reverse;
         }});
    {
        TiPlotMasterManager master(&host);
        auto* layout = static_cast<TTestLayoutManager*>(master.LayoutManager());
        ASSERT_NE(layout, nullptr);
        master.AddXAxis();
        master.AddAnnotation();  // no layout object
        master.AddLabel();
        EXPECT_EQ(heard, (Log{"LayoutInsert TTestXAxis", "LayoutRename X-Axis 1", "LayoutInsert TTestLabel",
                              "LayoutRename Label 1"}));
        EXPECT_EQ(layout->GetCount(), 2);
        master.SetXYAxesReverse(true);
        EXPECT_TRUE(layout->Reversed);
        ReleasePlotObject(master.XAxisManager()->GetItem(0));
        EXPECT_EQ(layout->GetCount(), 1);
        ReleasePlotManager(layout);
        EXPECT_EQ(master.LayoutManager(), nullptr);
        master.AddLabel();  // goes on without it
    }
    RegisterPlotLayoutManager({});
}

// The layout manager is made after every typed manager. When making it fails, the master
// manager was never made, and the managers made before must still be released: the
// sanitizer build's leak check fails this test for any that stay.
TEST(MasterManagerLayout, AThrowWhileMakingTheManagersLeavesNoneBehind)
{
    TTestKinds kinds;
    TTestPlotHost host;
    struct TRestoreLayout {
        ~TRestoreLayout() { RegisterPlotLayoutManager({}); }
    } restore;
    RegisterPlotLayoutManager(
        {[](IPlotHost*, TNotifyEvent, TNotifyEvent, TNotifyEvent, TNotifyEvent) -> TiPlotObjectManagerCustom* {
             throw Exception("No room for a layout manager");
         },
         nullptr});
    EXPECT_THROW(TiPlotMasterManager master(&host), Exception);
}

// The name and the colour of a new channel follow what happened to the channels before it:
// renamed, removed and recoloured ones count as they are now.
TEST_F(MasterManager, NewChannelsAreNamedAndColouredFromTheChannelsAsTheyAreNow)
{
    auto channel = [&](int index) { return Item<TTestChannel>(TiPlotObjectKind::Channel, index); };
    auto added = [&] { return channel(master.AddChannel()); };
    auto release = [&](const std::string& name) { ReleasePlotObject(master.ChannelManager()->GetObjectByName(name)); };
    added();
    added();
    added();
    channel(2)->SetName("Channel 9");
    EXPECT_EQ(added()->Name(), "Channel 10");
    release("Channel 10");
    EXPECT_EQ(added()->Name(), "Channel 10") << "the highest number left is 9";
    channel(2)->SetName("Flow");
    release("Channel 10");
    EXPECT_EQ(added()->Name(), "Channel 3");

    // Red, yellow, blue (Flow) and fuchsia; a new channel counts as red itself.
    channel(0)->SetColor(0xFFFF00);
    EXPECT_EQ(added()->Color(), 0x00FF00) << "aqua is taken now, lime is next";
    release("Flow");
    EXPECT_EQ(added()->Color(), 0xFF0000) << "blue is free again";
}

TEST_F(MasterManager, DestructionReleasesEverything)
{
    auto doomed = std::make_unique<TiPlotMasterManager>(&host);
    Log heard;
    doomed->OnRemove = [&](TObject* s) { heard.push_back(Describe(s)); };
    for (TiPlotObjectKind kind : kEveryKind)
        doomed->AddObject(kind);
    doomed->AddTranslation();
    doomed.reset();              // the sanitizer build checks that nothing is left or read after its release
    EXPECT_TRUE(heard.empty());  // the plot goes with its master manager and is told nothing

    // The plot's own way: the objects' callbacks are cut first, so nothing calls back.
    doomed = std::make_unique<TiPlotMasterManager>(&host);
    for (TiPlotObjectKind kind : kEveryKind)
        doomed->AddObject(kind);
    doomed->AddDataCursor();
    doomed->PlotObjectManager()->ShutDownSetup();
    doomed.reset();
}

TEST_F(MasterManager, FilingThroughFormDescriptionsAndPropertyText)
{
    auto plot = std::make_unique<TTestPlot>(nullptr);
    plot->SetName("Plot");
    TiPlotMasterManager& source = plot->Master;
    for (TiPlotObjectKind kind : kEveryKind)
        source.AddObject(kind);
    source.AddXAxis();
    source.AddChannel();
    source.AddAnnotation();
    auto* axis = source.XAxisManager()->GetItemAs<TTestXAxis>(1);
    axis->SetMin(-2.5);
    axis->SetHorizontal(true);
    axis->SetStartPercent(20);
    axis->SetZOrder(3);
    axis->SetTitle("Time \"s\"");
    auto* channel = source.ChannelManager()->GetItemAs<TTestChannel>(1);
    channel->SetColor(0x123456);
    channel->SetVisible(false);
    channel->SetLayer(7);
    channel->SetName("Flow");
    source.AnnotationManager()->GetItemAs<TTestAnnotation>(1)->SetText("\xE9t\xE9");
    const int entry = source.AddTranslation();
    source.TranslationManager()->GetItem(entry)->SetOriginalString("Edit...");
    source.TranslationManager()->GetItem(entry)->SetReplacementString("Bearbeiten...");

    auto propertyText = [](TiPlotObject& object) {
        TStringList lines;
        SaveObjectToStringList(&object, "", lines);
        return lines.Text();
    };
    auto expectSame = [&](TiPlotMasterManager& copy, const char* how) {
        for (TiPlotObjectKind kind : kEveryKind) {
            TiPlotObjectOwnedManager* from = source.ManagerOf(kind);
            TiPlotObjectOwnedManager* to = copy.ManagerOf(kind);
            ASSERT_EQ(to->GetCount(), from->GetCount()) << how << " " << PlotObjectKindName(kind);
            for (int i = 0; i < from->GetCount(); ++i) {
                EXPECT_EQ(to->GetItem(i)->ClassName(), from->GetItem(i)->ClassName());
                EXPECT_EQ(propertyText(*to->GetItem(i)), propertyText(*from->GetItem(i)))
                    << how << " " << PlotObjectKindName(kind) << " " << i;
            }
        }
    };

    // As a form description, read back into an empty plot.
    const std::string description = WriteComponentToText(*plot);
    EXPECT_NE(description.find("@ChannelManager = <"), std::string::npos) << description;
    std::unique_ptr<TComponent> read(CreateComponentFromText(description, nullptr));
    auto& copy = static_cast<TTestPlot&>(*read).Master;
    expectSame(copy, "form description");
    // Read objects keep their stored names and colours and are filed everywhere.
    EXPECT_EQ(copy.ChannelManager()->GetItemAs<TTestChannel>(1)->Color(), 0x123456);
    EXPECT_EQ(copy.PlotObjectManager()->GetCount(), source.PlotObjectManager()->GetCount());
    ASSERT_EQ(copy.TranslationManager()->GetCount(), 1);
    EXPECT_EQ(copy.TranslationManager()->FindReplacement("Edit..."), "Bearbeiten...");

    // As property text, one block per object, into objects made in another empty plot.
    TiPlotMasterManager other(&host);
    for (TiPlotObjectKind kind : kEveryKind) {
        for (int i = 0; i < source.ManagerOf(kind)->GetCount(); ++i) {
            TStringList lines;
            lines.SetText(propertyText(*source.ManagerOf(kind)->GetItem(i)));
            const int index = other.AddObject(kind);
            LoadObjectFromStringList(other.ManagerOf(kind)->GetItem(index), "", lines);
        }
    }
    expectSame(other, "property text");
}

TEST_F(MasterManager, ABadItemInAFormDescriptionLeavesNothingHalfMade)
{
    auto plot = std::make_unique<TTestPlot>(nullptr);
    plot->SetName("Plot");
    plot->Master.AddXAxis();
    std::string description = WriteComponentToText(*plot);
    const std::size_t at = description.find("Min = ");
    ASSERT_NE(at, std::string::npos) << description;
    description.replace(at, 6, "Min = \"text\" Zzz = ");
    EXPECT_THROW(std::unique_ptr<TComponent>(CreateComponentFromText(description, nullptr)), Exception);
}

TEST_F(MasterManager, EditorListsFollowTheObjectsInTheHubsOrder)
{
    bool alive = false;
    TFakeEditor* editor = nullptr;
    RegisterPlotEditor([&](TiPlotMasterManager&) {
        auto made = std::make_unique<TFakeEditor>(log, &alive);
        editor = made.get();
        return made;
    });
    master.AddXAxis();
    master.SetEditorFormStyle(ipfsStayOnTop);
    master.SetUserCanAddRemoveChannels(false);
    Take();
    master.EditProperties();
    EXPECT_EQ(Take(), (Log{"EditorFill", "EditorAddRemove hidden", "EditorUpdateAll", "EditorShow"}));
    ASSERT_TRUE(alive);

    // The editor's list takes a new object before the plot announces it; a removal reaches
    // the plot first, while the object has its index.
    // Its naming is a rename from the empty name: the editor's name lists hear of it too.
    master.AddChannel();
    EXPECT_EQ(Take(), (Log{"EditorRenamed >Channel 1", "EditorAppend Channel 1", "Insert Channel 1"}));
    master.AddAnnotation();
    EXPECT_EQ(Take(), Log{"Insert TTestAnnotation"});  // annotations have no editor list
    Item(TiPlotObjectKind::XAxis, 0)->SetName("Time");
    EXPECT_EQ(Take(), Log{"EditorRenamed X-Axis 1>Time"});
    ReleasePlotObject(Item(TiPlotObjectKind::Channel, 0));
    EXPECT_EQ(Take(), (Log{"Remove Channel 1 @0", "EditorDelete Channel 1"}));
    master.BasicPropertyChanged();
    EXPECT_EQ(Take(), Log{"EditorStore"});

    // While the editor closes, its lists are left alone.
    editor->IsClosing = true;
    master.AddLabel();
    master.BasicPropertyChanged();
    EXPECT_EQ(Take(), Log{"Insert Label 1"});
    master.EditorClose(nullptr);
    EXPECT_EQ(master.EditorForm(), nullptr);
    EXPECT_TRUE(alive);  // freed once its closing has completed
    TestHooks::PumpFor(10);
    EXPECT_FALSE(alive);
    RegisterPlotEditor(nullptr);
}

TEST_F(MasterManager, AModalEditorKeepsItsPagesAndIsFreedEvenWhenShowingFails)
{
    bool alive = false;
    int opened = 0;
    TFakeEditor* editor = nullptr;
    RegisterPlotEditor([&](TiPlotMasterManager&) {
        ++opened;
        auto made = std::make_unique<TFakeEditor>(log, &alive);
        editor = made.get();
        return made;
    });
    master.OnAfterOpenEditor = [this](TObject* s) { log.push_back(s == &master ? "AfterOpen" : "?"); };
    master.AddChannel();
    master.AddXAxis();
    Take();

    // Choosing "Edit..." on the axis opens the editor on the axis's page; the user ends on page 2.
    Item(TiPlotObjectKind::XAxis, 0)->DoEditMenuItemClick();
    EXPECT_EQ(Take(), (Log{"EditorFill", "EditorAddRemove shown", "EditorSelect X-Axis 1", "EditorUpdateAll",
                           "AfterOpen", "EditorShowModal"}));
    EXPECT_FALSE(alive);
    EXPECT_EQ(master.EditorForm(), nullptr);

    RegisterPlotEditor([&](TiPlotMasterManager&) {
        auto made = std::make_unique<TFakeEditor>(log, &alive);
        editor = made.get();
        made->DuringShow = [&] {
            EXPECT_EQ(editor->Pages[0], 0);
            editor->Pages[0] = 2;
            editor->Pages[13] = 1;
        };
        return made;
    });
    master.EditProperties();
    EXPECT_EQ(master.EditorPageIndex(0), 2);
    EXPECT_EQ(master.EditorPageIndex(13), 1);
    RegisterPlotEditor([&](TiPlotMasterManager&) {
        auto made = std::make_unique<TFakeEditor>(log, &alive);
        editor = made.get();
        made->DuringShow = [&] {
            EXPECT_EQ(editor->Pages[0], 2);  // the next opening starts where the last ended
            throw Exception("broken");
        };
        return made;
    });
    EXPECT_THROW(master.EditProperties(), Exception);
    EXPECT_FALSE(alive);
    EXPECT_EQ(master.EditorForm(), nullptr);
    RegisterPlotEditor(nullptr);
    // Without an editor unit nothing opens.
    master.EditProperties();
    EXPECT_EQ(master.EditorForm(), nullptr);
}

TEST_F(MasterManager, FormsAreTranslatedExceptTheirEditsAndNameLists)
{
    TForm form(nullptr);
    form.SetCaption("Edit...");
    auto* label = new TLabel(&form);
    label->SetCaption("Title");
    auto* button = new TButton(&form);
    button->SetCaption("OK");
    auto* check = new TCheckBox(&form);
    check->SetCaption("Visible");
    auto* edit = new TEdit(&form);
    edit->SetText("Title");
    auto* memo = new TMemo(&form);
    memo->SetText("Title");
    const std::string memoText = memo->Text();
    auto* styles = new TComboBox(&form);
    styles->SetName("ChannelTraceStyleComboBox");
    styles->Items()->Add("Visible");
    styles->Items()->Add("Other");
    auto* names = new TComboBox(&form);
    names->SetName("ChannelXAxisNameComboBox");
    names->Items()->Add("Title");
    auto* group = new TRadioGroup(&form);
    group->SetCaption("Title");
    group->Items()->Add("OK");
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(menu);
    item->SetCaption("Edit...");
    menu->Items()->Add(item);

    // An empty table changes nothing.
    master.DoTranslation(&form);
    EXPECT_EQ(form.Caption(), "Edit...");

    for (auto [from, to] :
         {std::pair{"Edit...", "Modifier..."}, {"Title", "Titre"}, {"OK", "D'accord"}, {"Visible", "Visible\xE9"}}) {
        const int index = master.AddTranslation();
        master.TranslationManager()->GetItem(index)->SetOriginalString(from);
        master.TranslationManager()->GetItem(index)->SetReplacementString(to);
    }
    master.DoTranslation(&form);
    master.DoTranslation(nullptr);
    EXPECT_EQ(form.Caption(), "Modifier...");
    EXPECT_EQ(label->Caption(), "Titre");
    EXPECT_EQ(button->Caption(), "D'accord");
    EXPECT_EQ(check->Caption(), "Visible\xE9");
    EXPECT_EQ(edit->Text(), "Title");
    EXPECT_EQ(memo->Text(), memoText);
    EXPECT_EQ(styles->Items()->Strings(0), "Visible\xE9");
    EXPECT_EQ(styles->Items()->Strings(1), "Other");
    EXPECT_EQ(names->Items()->Strings(0), "Title");
    EXPECT_EQ(group->Caption(), "Titre");
    EXPECT_EQ(group->Items()->Strings(0), "D'accord");
    EXPECT_EQ(item->Caption(), "Modifier...");
}

TEST_F(MasterManager, TheObjectsMenusReadTheTablesTranslations)
{
    TempDir dir;
    host.Translate = [this](const std::string& text) { return master.TranslationManager()->FindReplacement(text); };
    const std::string file = dir.Write("plot.txt", "Edit...\tBearbeiten...\r\nTitle\t\r\n");
    master.TranslationManager()->LoadFromFile(file);
    master.AddLabel();
    EXPECT_EQ(Item(TiPlotObjectKind::Label, 0)->GetTranslation("Edit..."), "Bearbeiten...");
    EXPECT_EQ(Item(TiPlotObjectKind::Label, 0)->GetTranslation("Title"), "");
    EXPECT_EQ(Item(TiPlotObjectKind::Label, 0)->GetTranslation("Other"), "Other");
    // Entries announced themselves through the hub as they were made.
    EXPECT_EQ(std::count(log.begin(), log.end(), "Insert TiPlotTranslationObject"), 2);
}
