// The binding with the stand-in library present: values delivered by the library's worker
// thread, the library's errors as exceptions, groups, browsing and the text boundary.

#include "OPCTestSupport.h"

#include <cstring>
#include <thread>
#include <vector>

namespace {

const char* const kComputer = "Local";
const char* const kSimulation = "Pravix.Simulation.1";

VARIANT Real(double d)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.u.dblVal = d;
    return v;
}

void SetItem(const char* item, double value, uint16_t quality = 0xC0, double timeStamp = 0)
{
    const VARIANT v = Real(value);
    ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)(kComputer, kSimulation, item, &v, quality, timeStamp));
}

double Number(const TVariant& v) { return v.AsDouble(); }

class OPCPresent : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
    }
    void TearDown() override
    {
        for (int handle : m_handles) {
            try {
                OPCDLLSignalRemove(handle);
            } catch (const Exception&) {
                // removed by the test itself
            }
        }
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
        m_queue.RunPending();
        TEST_EXPORT(iOPC2Test_Reset)();
    }

    int AddSignal(const char* item, int rate = 50, bool suspended = false, uint16_t type = 0, const char* group = "")
    {
        const int handle = OPCDLLSignalAdd(kComputer, *group ? "" : kSimulation, item, group, rate, suspended, type,
                                           m_signal.Interface());
        m_handles.push_back(handle);
        return handle;
    }

    TCallbackQueue m_queue;
    std::vector<TOPCSignalSample> m_samples;
    TOPCSignalUpdate m_signal{[this](const TOPCSignalSample& s) { m_samples.push_back(s); }};
    std::vector<int> m_handles;
};

TEST_F(OPCPresent, TheLibraryExportsEveryFunctionTheBindingLooksUp)
{
    const char* names[] = {"SignalAdd",
                           "SignalRemove",
                           "SignalSuspend",
                           "SignalResume",
                           "SignalGetActive",
                           "SignalGetUpdateSuspended",
                           "SignalGetGroupHandle",
                           "SignalSendData",
                           "SignalGetDataNow",
                           "SignalGetData",
                           "SignalGetTimeStamp",
                           "SignalGetQuality",
                           "EditorSessionStart",
                           "EditorSessionStop",
                           "EditorComputerBranchOpen",
                           "EditorComputerBranchClose",
                           "EditorComputerBranchGetItemCount",
                           "EditorComputerBranchGetItemData",
                           "EditorServerSetup",
                           "EditorServerGetCount",
                           "EditorServerGetData",
                           "EditorItemSetup",
                           "EditorItemGetBrowseType",
                           "EditorItemSetPath",
                           "EditorItemGetBranchItems",
                           "EditorItemGetQualifiedName",
                           "GroupAdd",
                           "GroupDelete",
                           "GroupResume",
                           "GroupSuspend",
                           "GroupGetCount",
                           "GroupGetHandleByName",
                           "GroupGetName",
                           "GroupGetComputerName",
                           "GroupGetOPCServerName",
                           "GroupGetUpdateRate",
                           "GroupSetUpdateRate",
                           "GroupGetHandle",
                           "CloseAllServerConnections",
                           "ServerConnectionGetCount",
                           "ServerConnectionGetName",
                           "ServerConnectionGetGroupCount",
                           "ServerConnectionGetGroupName",
                           "ServerConnectionReconnect",
                           "ServerConnectionDisconnect",
                           "ManagerCreated",
                           "ManagerAddItem",
                           "ManagerDestroyed",
                           "GetLastCallErrorString"};
    EXPECT_EQ(std::size(names), 49u);
    for (const char* name : names)
        EXPECT_NE(GetProcAddress(OPCDLLModule(), name), nullptr) << name;
}

TEST_F(OPCPresent, WorkerThreadDeliversEachNewValueWithTimeStampAndQuality)
{
    const int handle = AddSignal("Sensors.Setpoint");
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);
    ASSERT_TRUE(m_queue.RunUntil([&] { return m_samples.size() >= 1; }));
    EXPECT_EQ(m_samples[0].Handle, handle);
    EXPECT_EQ(Number(m_samples[0].Data), 12.5);
    EXPECT_EQ(m_samples[0].Quality, 0xC0);
    EXPECT_GT(m_samples[0].TimeStamp, 40000.0);
    EXPECT_TRUE(m_queue.PostedFromOtherThread);

    SetItem("Sensors.Setpoint", 42, 0x40, 45000.5);
    ASSERT_TRUE(m_queue.RunUntil([&] { return m_samples.size() >= 2; }));
    EXPECT_EQ(Number(m_samples[1].Data), 42);
    EXPECT_EQ(m_samples[1].Quality, 0x40);
    EXPECT_EQ(m_samples[1].TimeStamp, 45000.5);
    EXPECT_EQ(m_samples[1].Error, "");
}

TEST_F(OPCPresent, SimulatedItemsChangeOnTheirOwn)
{
    AddSignal("Sensors.Counter", 100);  // counts seconds
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);
    ASSERT_TRUE(m_queue.RunUntil([&] { return m_samples.size() >= 2; }, std::chrono::seconds(5)));
    EXPECT_EQ(m_samples[0].Data.VarType(), varSmallint);
    EXPECT_EQ(Number(m_samples[1].Data), Number(m_samples[0].Data) + 1);
}

TEST_F(OPCPresent, SuspendedSignalsReceiveNothingUntilResumed)
{
    const int handle = AddSignal("Sensors.Setpoint", 50, true);
    EXPECT_TRUE(OPCDLLSignalGetUpdateSuspended(handle));
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 0);
    OPCDLLSignalResume(handle);
    EXPECT_FALSE(OPCDLLSignalGetUpdateSuspended(handle));
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 1);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 0);  // only news is delivered
    OPCDLLSignalSuspend(handle);
    SetItem("Sensors.Setpoint", 1);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 0);
    m_queue.RunPending();
    ASSERT_EQ(m_samples.size(), 1u);
}

TEST_F(OPCPresent, NoCallbackArrivesAfterTheSignalIsRemoved)
{
    std::atomic<int> calls = 0;
    // Counted on the library's thread itself, at the moment of the hand-over.
    SetOPCCallbackDispatcher([&](std::function<void()>) { ++calls; });
    const int handle =
        OPCDLLSignalAdd(kComputer, "Pravix.Flat.1", "Random.Int2", "", 0, false, 0, m_signal.Interface());
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);
    while (calls < 3)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    OPCDLLSignalRemove(handle);
    const int after = calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(calls, after);
    SetOPCCallbackDispatcher(nullptr);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetSignalCount)(), 0);
    EXPECT_EQ(ExceptionText([&] { OPCDLLSignalGetActive(handle); }),
              "Invalid signal handle " + std::to_string(handle) + ".");
}

TEST_F(OPCPresent, HandlerIsDroppedWhenTheReceiverIsGoneBeforeTheHandOver)
{
    int calls = 0;
    {
        TOPCSignalUpdate receiver([&](const TOPCSignalSample&) { ++calls; });
        const int handle =
            OPCDLLSignalAdd(kComputer, kSimulation, "Sensors.Setpoint", "", 50, false, 0, receiver.Interface());
        EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 1);  // packaged and queued, not yet applied
        OPCDLLSignalRemove(handle);
    }
    m_queue.RunPending();
    EXPECT_EQ(calls, 0);
}

TEST_F(OPCPresent, RequestedTextTypeAndImmediateRead)
{
    const int text = AddSignal("Sensors.Setpoint", 50, false, VT_BSTR);
    const int plain = AddSignal("Sensors.Setpoint");
    OPCDLLSignalGetDataNow(text);
    EXPECT_EQ(OPCDLLSignalGetData(text).VarType(), varOleStr);
    EXPECT_EQ(OPCDLLSignalGetData(text).AsText(), "12.5");
    EXPECT_EQ(OPCDLLSignalGetData(plain).VarType(), varEmpty);  // nothing delivered or read yet
    EXPECT_EQ(OPCDLLSignalGetQuality(plain), 0);
    SetItem("Sensors.Setpoint", 7.25, 0xC0, 45001);
    OPCDLLSignalGetDataNow(plain);
    EXPECT_EQ(Number(OPCDLLSignalGetData(plain)), 7.25);
    EXPECT_EQ(OPCDLLSignalGetTimeStamp(plain), 45001);
    EXPECT_EQ(OPCDLLSignalGetQuality(plain), 0xC0);
}

TEST_F(OPCPresent, WritesReachTheItemAndTextCrossesAsUtf16)
{
    const int status = AddSignal("Sensors.Status");
    OPCDLLSignalSendData(status, TVariant("Stopp\xE9 \x80"));  // e-acute, euro sign
    ASSERT_EQ(TEST_EXPORT(iOPC2Test_GetWriteCount)(), 1);
    BSTR id = nullptr;
    VARIANT value;
    VariantInit(&value);
    ASSERT_TRUE(TEST_EXPORT(iOPC2Test_GetWrite)(0, &id, &value));
    EXPECT_EQ(BstrLen(id), 14u);
    ASSERT_EQ(value.vt, VT_BSTR);
    const std::u16string written(reinterpret_cast<const char16_t*>(value.u.bstrVal), BstrLen(value.u.bstrVal));
    EXPECT_EQ(written, u"Stopp\u00E9 \u20AC");
    BstrFree(id);
    VariantClear(&value);

    OPCDLLSignalGetDataNow(status);
    EXPECT_EQ(OPCDLLSignalGetData(status).AsText(), "Stopp\xE9 \x80");

    const int speed = AddSignal("Ship.Engine.Speed");
    EXPECT_EQ(ExceptionText([&] { OPCDLLSignalSendData(speed, TVariant(1.0)); }),
              "Item \"Ship.Engine.Speed\" is read-only.");
}

TEST_F(OPCPresent, LibraryErrorsAreRaisedWithTheLibrarysExactText)
{
    TEST_EXPORT(iOPC2Test_FailNextCall)("SignalAdd", "Server busy \xE9");
    EXPECT_EQ(ExceptionText([&] { AddSignal("Sensors.Setpoint"); }), "Server busy \xE9");
    EXPECT_EQ(OPCDLLLastCallErrorString(), "Server busy \xE9");
    const int handle = AddSignal("Sensors.Setpoint");  // the failure was for one call only
    EXPECT_NE(handle, 0);
    EXPECT_EQ(OPCDLLLastCallErrorString(), "");  // cleared by the successful call

    struct Case {
        const char* item;
        const char* server;
        const char* group;
        const char* message;
    };
    const Case cases[] = {
        {"No.Such", kSimulation, "", "Item \"No.Such\" not found on \"Pravix.Simulation.1\"."},
        {"Sensors.Setpoint", "Nope.1", "", "OPC server \"Nope.1\" not found on \"LABPC\"."},
        {"Sensors.Setpoint", "", "Missing", "Group \"Missing\" not found."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExceptionText([&] {
                      OPCDLLSignalAdd(kComputer, c.server, c.item, c.group, 50, false, 0, m_signal.Interface());
                  }),
                  c.message);

    // Quiet wrappers stay quiet only about a missing library: a library error is raised.
    const int session = OPCDLLEditorSessionStart();
    TEST_EXPORT(iOPC2Test_FailNextCall)("EditorServerGetCount", "Access denied");
    EXPECT_EQ(ExceptionText([&] { OPCDLLEditorServerGetCount(session); }), "Access denied");
    OPCDLLEditorSessionStop(session);
}

TEST_F(OPCPresent, ActiveStateFollowsTheServerConnection)
{
    const int handle = AddSignal("Sensors.Setpoint");
    EXPECT_TRUE(OPCDLLSignalGetActive(handle));
    EXPECT_FALSE(OPCDLLSignalGetActive(0));  // an unregistered item asks without an error
    ASSERT_EQ(OPCDLLServerConnectionGetCount(), 1);
    EXPECT_EQ(OPCDLLServerConnectionGetName(0), "LABPC\\Pravix.Simulation.1");
    OPCDLLCloseAllServerConnections();
    EXPECT_EQ(OPCDLLServerConnectionGetCount(), 0);
    EXPECT_FALSE(OPCDLLSignalGetActive(handle));
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 0);
    OPCDLLServerConnectionReconnect("LABPC\\Pravix.Simulation.1");
    EXPECT_TRUE(OPCDLLSignalGetActive(handle));
    OPCDLLServerConnectionDisconnect("labpc\\pravix.simulation.1");
    EXPECT_FALSE(OPCDLLSignalGetActive(handle));
    EXPECT_EQ(ExceptionText([] { OPCDLLServerConnectionGetName(0); }), "Connection index 0 out of range.");
}

TEST_F(OPCPresent, GroupUpdatesFrameTheNewDataOfTheirSignals)
{
    std::vector<std::string> events;
    TOPCGroupUpdate groupUpdate([&](TOPCGroupUpdate::TKind kind, int handle) {
        events.push_back((kind == TOPCGroupUpdate::TKind::BeforeUpdate ? "before " : "after ") +
                         std::to_string(handle));
    });
    TOPCSignalUpdate signalUpdate(
        [&](const TOPCSignalSample& s) { events.push_back("data " + std::to_string(s.Handle)); });

    SetItem("Ship.Position.Depth", 10);  // fixed, so that only the changes made here count
    const int group = OPCDLLGroupAdd("Fast", kComputer, kSimulation, 100, groupUpdate.Interface());
    const int depth =
        OPCDLLSignalAdd(kComputer, "", "Ship.Position.Depth", "FAST", 0, false, 0, signalUpdate.Interface());
    const int setpoint =
        OPCDLLSignalAdd(kComputer, "", "Sensors.Setpoint", "fast", 0, false, 0, signalUpdate.Interface());
    EXPECT_EQ(OPCDLLSignalGetGroupHandle(depth), group);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 2);
    m_queue.RunPending();
    const std::vector<std::string> expected = {"before " + std::to_string(group), "data " + std::to_string(depth),
                                               "data " + std::to_string(setpoint), "after " + std::to_string(group)};
    EXPECT_EQ(events, expected);

    // The description of the group as the library keeps it.
    EXPECT_EQ(OPCDLLGroupGetCount(), 1);
    EXPECT_EQ(OPCDLLGroupGetHandle(0), group);
    EXPECT_EQ(OPCDLLGroupGetHandleByName("fAST"), group);
    EXPECT_EQ(OPCDLLGroupGetHandleByName("Slow"), 0);
    EXPECT_EQ(OPCDLLGroupGetName(group), "Fast");
    EXPECT_EQ(OPCDLLGroupGetComputerName(group), "Local");
    EXPECT_EQ(OPCDLLGroupGetOPCServerName(group), kSimulation);
    OPCDLLGroupSetUpdateRate(group, 250);
    EXPECT_EQ(OPCDLLGroupGetUpdateRate(group), 250);
    const int twin = OPCDLLGroupAdd("Fast", kComputer, kSimulation, 500, groupUpdate.Interface());
    EXPECT_EQ(OPCDLLServerConnectionGetGroupCount(), 2);  // equal names are accepted
    EXPECT_EQ(OPCDLLServerConnectionGetGroupName(1), "Fast");

    // A suspended group delivers nothing; a deleted one leaves its signals inactive.
    SetItem("Sensors.Setpoint", 3);
    OPCDLLGroupSuspend(group);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 0);
    OPCDLLGroupResume(group);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 1);
    OPCDLLGroupDelete(group);
    OPCDLLGroupDelete(twin);
    EXPECT_FALSE(OPCDLLSignalGetActive(setpoint));
    EXPECT_EQ(ExceptionText([&] { OPCDLLGroupGetName(group); }), "Invalid group handle " + std::to_string(group) + ".");
    OPCDLLSignalRemove(depth);
    OPCDLLSignalRemove(setpoint);
    m_queue.RunPending();
}

TEST_F(OPCPresent, BrowsingWalksNetworkServersAndNameSpaces)
{
    const int session = OPCDLLEditorSessionStart();
    ASSERT_GT(session, 0);

    auto level = [&](const TiNetData& open) {
        OPCDLLEditorComputerBranchOpen(session, open);
        std::vector<std::pair<int, std::string>> entries;
        for (int i = 0; i < OPCDLLEditorComputerBranchGetItemCount(session); ++i) {
            TiNetData entry{};
            OPCDLLEditorComputerBranchGetItemData(session, i, entry);
            const char* remote = entry.RemoteName;  // packed: read by value, never by reference
            entries.emplace_back(int(entry.Kind), std::string(remote));
        }
        OPCDLLEditorComputerBranchClose(session);
        return entries;
    };
    TiNetData open{};
    EXPECT_EQ(level(open), (std::vector<std::pair<int, std::string>>{{inrtNetwork, "Pravix Network"}}));
    std::string name = "Pravix Network";
    open.Valid = 1;
    open.RemoteName = name.data();
    EXPECT_EQ(level(open), (std::vector<std::pair<int, std::string>>{{inrtDomain, "OCEAN"}}));
    name = "OCEAN";
    open.RemoteName = name.data();
    EXPECT_EQ(level(open),
              (std::vector<std::pair<int, std::string>>{{inrtComputer, "LABPC"}, {inrtComputer, "SURVEY1"}}));
    name = "Atlantis";
    open.RemoteName = name.data();
    EXPECT_EQ(ExceptionText([&] { OPCDLLEditorComputerBranchOpen(session, open); }),
              "Network resource \"Atlantis\" not found.");

    OPCDLLEditorServerSetup(session, "Local");
    ASSERT_EQ(OPCDLLEditorServerGetCount(session), 2);
    TOPCServerData server;
    OPCDLLEditorServerGetData(session, 1, server);
    EXPECT_EQ(server.Name, "Pravix.Flat.1");
    EXPECT_EQ(server.IconIndex, 1);

    OPCDLLEditorItemSetup(session, "Local", kSimulation);
    EXPECT_NE(OPCDLLEditorItemGetBrowseType(session), 0);
    EXPECT_EQ(OPCDLLEditorItemGetBranchItems(session, ibtBranch), "Ship\r\nSensors");
    OPCDLLEditorItemSetPath(session, "Engine\r\nShip");  // leaf first
    EXPECT_EQ(OPCDLLEditorItemGetBranchItems(session, ibtLeaf), "Temperature\r\nSpeed");
    EXPECT_EQ(OPCDLLEditorItemGetBranchItems(session, ibtBranch), "");
    EXPECT_EQ(OPCDLLEditorItemGetQualifiedName(session, "Engine\nShip", "Temperature"), "Ship.Engine.Temperature");
    EXPECT_EQ(ExceptionText([&] { OPCDLLEditorItemSetPath(session, "Hold\r\nShip"); }),
              "Branch \"Ship\r\nHold\" not found.");

    OPCDLLEditorItemSetup(session, "SURVEY1", "Pravix.Flat.1");
    EXPECT_EQ(OPCDLLEditorItemGetBrowseType(session), 0);
    EXPECT_EQ(OPCDLLEditorItemGetBranchItems(session, ibtFlat), "Random.Real8\r\nRandom.Int2\r\nBucket.Text");
    EXPECT_EQ(OPCDLLEditorItemGetQualifiedName(session, "", "Bucket.Text"), "Bucket.Text");
    OPCDLLEditorSessionStop(session);
    EXPECT_EQ(ExceptionText([&] { OPCDLLEditorServerGetCount(session); }),
              "Invalid browse session " + std::to_string(session) + ".");
}

TEST_F(OPCPresent, GroupHoldersAnnounceThemselves)
{
    const int holder = OPCDLLManagerCreated();
    EXPECT_NE(holder, 0);
    OPCDLLManagerAddItem("Channel 1", 3);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetManagerCount)(), 1);
    OPCDLLManagerDestroyed();
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetManagerCount)(), 0);
}

TEST_F(OPCPresent, CallbackTablesCountNoReferences)
{
    IOPCSignalUpdate* signal = m_signal.Interface();
    void* obj = nullptr;
    EXPECT_EQ(signal->lpVtbl->QueryInterface(signal, &IID_IOPCSignalUpdate, &obj), 0);
    EXPECT_EQ(obj, signal);
    EXPECT_EQ(signal->lpVtbl->QueryInterface2(signal, &IID_IOPCGroupUpdate, &obj), int32_t(0x80004002u));
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(signal->lpVtbl->AddRef(signal), -1);
    EXPECT_EQ(signal->lpVtbl->Release2(signal), -1);
}

}  // namespace

namespace {

TEST_F(OPCPresent, EveryValueKindCrossesTheBoundaryBothWays)
{
    const TVariant values[] = {
        TVariant(),
        TVariant::Null(),
        TVariant::OfInteger(varSmallint, -5),
        TVariant(70000),
        TVariant::OfInteger(varByte, 200),
        TVariant::OfInteger(varShortInt, -7),
        TVariant::OfInteger(varWord, 65535),
        TVariant::OfInteger(varLongWord, 4000000000LL),
        TVariant(1099511627776LL),
        TVariant::OfUInt64(18000000000000000000ULL),
        TVariant::OfSingle(1.5f),
        TVariant(2.25),
        TVariant::OfCurrency(12.3456),
        TVariant::OfDate(45000.25),
        TVariant(true),
        TVariant("Z\xFCrich \x80"),
    };
    const int handle = AddSignal("Sensors.Setpoint");
    int index = 0;
    for (const TVariant& value : values) {
        OPCDLLSignalSendData(handle, value);
        BSTR id = nullptr;
        VARIANT written;
        VariantInit(&written);
        ASSERT_TRUE(TEST_EXPORT(iOPC2Test_GetWrite)(index++, &id, &written));
        EXPECT_EQ(written.vt, value.VarType());
        ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)(kComputer, kSimulation, "Sensors.Setpoint", &written, 0xC0, 0));
        OPCDLLSignalGetDataNow(handle);
        const TVariant back = OPCDLLSignalGetData(handle);
        EXPECT_EQ(back.VarType(), value.VarType());
        EXPECT_EQ(back.AsText(), value.AsText()) << value.VarType();
        BstrFree(id);
        VariantClear(&written);
    }
    const TVariant array = TVariant::ByteArray("ab", 2);
    EXPECT_EQ(ExceptionText([&] { OPCDLLSignalSendData(handle, array); }),
              "Arrays cannot be passed to the OPC library");
}

}  // namespace
