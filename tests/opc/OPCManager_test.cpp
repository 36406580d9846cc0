// The group holder against the stand-in library: registration, look-ups, the update events
// through the callback hand-over, and the "Groups" stream.

#include "OPCTestSupport.h"

#include "components/iOPCManager.h"

#include <vector>

namespace {

const char* const kSimulation = "Pravix.Simulation.1";

class OPCManager : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
        m_manager = std::make_unique<TiOPCManager>(nullptr);
        m_manager->OnBeforeGroupUpdate = [this](TObject*, const std::string& name) {
            m_events.push_back("before " + name);
        };
        m_manager->OnAfterGroupUpdate = [this](TObject*, const std::string& name) {
            m_events.push_back("after " + name);
        };
    }
    void TearDown() override
    {
        m_manager.reset();
        m_queue.RunPending();
        TEST_EXPORT(iOPC2Test_Reset)();
    }

    TCallbackQueue m_queue;
    std::unique_ptr<TiOPCManager> m_manager;
    std::vector<std::string> m_events;
};

TEST_F(OPCManager, HolderAnnouncesItselfAndRegistersItsGroups)
{
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetManagerCount)(), 1);
    EXPECT_EQ(m_manager->GroupAdd("Deck", "Local", kSimulation, 500), 0);
    EXPECT_EQ(m_manager->GroupAdd("Engine", "Local", kSimulation, 250), 1);
    EXPECT_EQ(m_manager->GroupAdd("deck", "Local", kSimulation, 100), 2);  // equal names are accepted
    EXPECT_EQ(OPCDLLGroupGetCount(), 3);
    EXPECT_EQ(m_manager->GetGroupIndex("DECK"), 0);
    EXPECT_EQ(m_manager->GetGroupIndex("Hold"), -1);
    TiOPCGroupObject* engine = m_manager->GetGroup(1);
    EXPECT_EQ(m_manager->GetGroupByHandle(engine->Handle()), engine);
    EXPECT_EQ(m_manager->GetGroupByHandle(12345), nullptr);
    EXPECT_EQ(ExceptionText([&] { m_manager->GetGroup(3); }), "List index out of bounds (3)");

    engine->SetUpdateRate(1000);
    EXPECT_EQ(OPCDLLGroupGetUpdateRate(engine->Handle()), 1000);
    m_manager->GroupDelete(0);
    EXPECT_EQ(OPCDLLGroupGetCount(), 2);
    EXPECT_EQ(m_manager->GetGroupIndex("deck"), 1);

    m_manager.reset();
    EXPECT_EQ(OPCDLLGroupGetCount(), 0);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetManagerCount)(), 0);
}

TEST_F(OPCManager, UpdateEventsFrameEachDeliveryWithTheGroupsName)
{
    m_manager->GroupAdd("Engine", "Local", kSimulation, 20);
    std::vector<std::string>* events = &m_events;
    TOPCSignalUpdate signal([events](const TOPCSignalSample&) { events->push_back("data"); });
    const int handle = OPCDLLSignalAdd("Local", "", "Sensors.Setpoint", "Engine", 0, false, 0, signal.Interface());
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);
    ASSERT_TRUE(m_queue.RunUntil([&] { return m_events.size() >= 3; }));
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
    EXPECT_EQ(m_events, (std::vector<std::string>{"before Engine", "data", "after Engine"}));
    OPCDLLSignalRemove(handle);

    m_events.clear();
    m_manager->BeforeUpdate(987654);  // a handle no group has
    EXPECT_EQ(m_events, std::vector<std::string>{"before "});
}

TEST_F(OPCManager, UpdatesOfAGroupDeletedBeforeTheHandOverAreDropped)
{
    m_manager->GroupAdd("Engine", "Local", kSimulation, 20);
    TOPCSignalUpdate signal([](const TOPCSignalSample&) {});
    const int handle = OPCDLLSignalAdd("Local", "", "Sensors.Setpoint", "Engine", 0, false, 0, signal.Interface());
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 1);
    m_manager->GroupDelete(0);
    m_queue.RunPending();
    EXPECT_TRUE(m_events.empty());
    OPCDLLSignalRemove(handle);
}

TEST_F(OPCManager, AGroupTheLibraryRefusedKeepsItsRateToItself)
{
    TEST_EXPORT(iOPC2Test_FailNextCall)("GroupAdd", "No more groups");
    EXPECT_EQ(ExceptionText([&] { m_manager->GroupAdd("Deck", "Local", kSimulation, 500); }), "No more groups");
    ASSERT_EQ(m_manager->GetGroupCount(), 1);
    TiOPCGroupObject* deck = m_manager->GetGroup(0);
    EXPECT_EQ(deck->Handle(), 0);
    EXPECT_NO_THROW(deck->SetUpdateRate(100));  // the library is not asked about an unregistered group
    EXPECT_EQ(deck->UpdateRate(), 100);
}

TEST_F(OPCManager, GroupsStreamWritesEachGroupAndRegistersThemWhenRead)
{
    TDefinedPropertyProbe empty("Groups");
    m_manager->DefineProperties(empty);
    ASSERT_TRUE(empty.Found);
    EXPECT_FALSE(empty.HasData);  // nothing is written without groups

    m_manager->GroupAdd("Deck", "Local", kSimulation, 500);
    m_manager->GroupAdd("Engine", "SURVEY1", "Pravix.Flat.1", 250);
    TDefinedPropertyProbe probe("Groups");
    m_manager->DefineProperties(probe);
    EXPECT_TRUE(probe.HasData);
    TFakeWriter writer;
    probe.Write(writer);
    ASSERT_EQ(writer.Items.size(), 2u);
    EXPECT_EQ(writer.Items[1], (std::map<std::string, std::string>{{"Name", "Engine"},
                                                                   {"ComputerName", "SURVEY1"},
                                                                   {"OPCServerName", "Pravix.Flat.1"},
                                                                   {"UpdateRate", "250"}}));

    TFakeReader reader({std::map<std::string, std::string>{
        {"Name", "Hold"}, {"ComputerName", "Local"}, {"OPCServerName", kSimulation}, {"UpdateRate", "100"}}});
    probe.Read(reader);
    ASSERT_EQ(m_manager->GetGroupCount(), 1);
    EXPECT_EQ(OPCDLLGroupGetCount(), 1);
    EXPECT_EQ(OPCDLLGroupGetName(m_manager->GetGroup(0)->Handle()), "Hold");
    EXPECT_EQ(OPCDLLGroupGetUpdateRate(m_manager->GetGroup(0)->Handle()), 100);
}

TEST_F(OPCManager, HolderIsAHiddenControlOfFixedSize)
{
    EXPECT_FALSE(m_manager->Visible());
    EXPECT_EQ(m_manager->Width(), 28);
    m_manager->SetBounds(10, 20, 100, 50);
    EXPECT_EQ(m_manager->BoundsRect(), Rect(10, 20, 38, 48));
    const TClassInfo& info = TiOPCManager::StaticClassInfo();
    ASSERT_NE(info.FindProperty("Visible"), nullptr);
    EXPECT_TRUE(info.FindProperty("Visible")->IsDefaultValue(*m_manager));
    EXPECT_TRUE(info.FindProperty("Width")->IsDefaultValue(*m_manager));
    EXPECT_TRUE(info.FindProperty("Height")->IsDefaultValue(*m_manager));
    EXPECT_NE(info.FindProperty("OnAfterGroupUpdate"), nullptr);
}

}  // namespace
