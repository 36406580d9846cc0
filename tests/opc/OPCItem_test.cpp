// OPC items against the stand-in library: registration rules, the value path with scaling,
// the hand-over of callbacks, and the item list with its stream.

#include "OPCTestSupport.h"

#include "components/iComponent.h"
#include "components/iOPCItem.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

const char* const kSimulation = "Pravix.Simulation.1";

VARIANT Value(VARTYPE vt, double number)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    switch (vt) {
    case VT_I2: v.u.iVal = int16_t(number); break;
    case VT_I4: v.u.lVal = int32_t(number); break;
    case VT_UI1: v.u.bVal = uint8_t(number); break;
    case VT_I8: v.u.llVal = int64_t(number); break;
    case VT_R4: v.u.fltVal = float(number); break;
    case VT_BOOL: v.u.boolVal = number ? -1 : 0; break;
    default: v.u.dblVal = number; break;
    }
    return v;
}

class OPCItem : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
        m_manager.OnNewData = [this](TObject* sender) { m_notified.push_back(static_cast<TiOPCItem*>(sender)); };
        m_manager.OnGetDesigning = [this](TObject*, bool& designing) { designing = m_designing; };
    }
    void TearDown() override
    {
        m_manager.Clear();
        m_queue.RunPending();
        TEST_EXPORT(iOPC2Test_Reset)();
    }

    TiOPCItem& NewItem(const char* item = "Sensors.Setpoint", const char* property = "Value")
    {
        TiOPCItem& i = *m_manager.GetItem(m_manager.Add());
        i.SetPropertyName(property);
        i.SetServerName(kSimulation);
        i.SetItemName(item);
        return i;
    }

    void SetLibraryValue(const VARIANT& v, uint16_t quality, const char* item = "Sensors.Setpoint")
    {
        ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)("Local", kSimulation, item, &v, quality, 0));
    }

    TCallbackQueue m_queue;
    TiOPCItemManager m_manager;
    std::vector<TiOPCItem*> m_notified;
    bool m_designing = false;
};

TEST_F(OPCItem, GoodValuesAreScaledByTheirTypeAndOthersKeptAsReceived)
{
    struct Case {
        VARTYPE type;
        double value;
        uint16_t quality;
        double scalar, offset;
        VARTYPE expectedType;
        double expected;
    };
    const Case cases[] = {
        {VT_I2, 5, 0xC0, 2, 1, VT_I4, 11},    {VT_R8, 2.5, 0xC0, 2, 1, VT_R8, 6.0},
        {VT_R4, 1.5, 0xC0, 2, 0, VT_R8, 3.0}, {VT_UI1, 200, 0xC0, 0, 0.5, VT_I4, 200},  // 200.5 rounds to the even 200
        {VT_I4, 7, 0xC0, 0.5, 0, VT_I4, 4},                                             // 3.5 rounds to the even 4
        {VT_I2, 5, 0x40, 2, 1, VT_I2, 5},                                               // uncertain quality: unscaled
        {VT_I2, 5, 0xC0, 0, 0, VT_I2, 5},                                               // Scalar 0 means no scaling
        {VT_I4, 2e9, 0xC0, 2, 0, VT_R8, 4e9},  // beyond 32 bits: a double, not a wrapped integer
        {VT_I8, 3, 0xC0, 3, 0, VT_I4, 9},     {VT_BOOL, 1, 0xC0, 2, 1, VT_BOOL, -1},  // other types stay as they are
    };
    TiOPCItem& item = NewItem();
    item.Activate();
    ASSERT_NE(item.Handle(), 0);
    for (const Case& c : cases) {
        item.SetScalar(c.scalar);
        item.SetOffset(c.offset);
        SetLibraryValue(Value(c.type, c.value), c.quality);
        OPCDLLSignalGetDataNow(item.Handle());
        item.ReceiveData(item.Handle());
        EXPECT_EQ(item.Data().VarType(), c.expectedType) << c.type << " " << c.value;
        EXPECT_EQ(item.Data().AsDouble(), c.expected) << c.type << " " << c.value;
        EXPECT_EQ(item.Quality(), c.quality);
    }
    EXPECT_EQ(m_notified.size(), std::size(cases));

    TiOPCItem& text = NewItem("Sensors.Status");
    text.SetScalar(2);
    text.Activate();
    OPCDLLSignalGetDataNow(text.Handle());
    text.ReceiveData(text.Handle());
    EXPECT_EQ(text.Data().AsText(), "Ready");
}

TEST_F(OPCItem, IncompleteOrDesignedItemsAreNeverRegistered)
{
    TiOPCItem& noItem = NewItem("");
    TiOPCItem& noServer = NewItem();
    noServer.SetServerName("  ");
    TiOPCItem& noProperty = NewItem("Sensors.Setpoint", "");
    for (TiOPCItem* i : {&noItem, &noServer, &noProperty}) {
        EXPECT_NO_THROW(i->Activate());
        EXPECT_EQ(i->Handle(), 0);
        EXPECT_FALSE(i->GetActive());
    }
    m_designing = true;
    TiOPCItem& designed = NewItem();
    designed.Activate();
    EXPECT_EQ(designed.Handle(), 0);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetSignalCount)(), 0);
}

TEST_F(OPCItem, ValuesArriveFromTheLibrarysThreadAndStaleOnesAreDropped)
{
    TiOPCItem& item = NewItem();
    item.SetUpdateRate(20);
    item.Activate();
    const int first = item.Handle();
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);
    ASSERT_TRUE(m_queue.RunUntil([&] { return !m_notified.empty(); }));
    EXPECT_TRUE(m_queue.PostedFromOtherThread);
    EXPECT_EQ(item.Data().AsDouble(), 12.5);
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);

    // A sample packaged for the old registration arrives after the item registered anew.
    SetLibraryValue(Value(VT_R8, 99), 0xC0);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 1);
    item.SetItemName("Ship.Position.Depth");  // active, so it registers again
    EXPECT_NE(item.Handle(), first);
    m_notified.clear();
    m_queue.RunPending();
    EXPECT_TRUE(m_notified.empty());
    EXPECT_EQ(item.Data().AsDouble(), 12.5);
}

TEST_F(OPCItem, AStringPropertyAsksForText)
{
    m_manager.OnGetDataType = [](const std::string& name, TTypeKind& kind) {
        kind = name == "Caption" ? tkString : tkFloat;
    };
    TiOPCItem& item = NewItem("Sensors.Setpoint", "Caption");
    EXPECT_EQ(item.PropertyKind(), tkString);
    item.Activate();
    OPCDLLSignalGetDataNow(item.Handle());
    item.ReceiveData(item.Handle());
    EXPECT_EQ(item.Data().VarType(), varOleStr);
    EXPECT_EQ(item.Data().AsText(), "12.5");
}

TEST_F(OPCItem, SuspensionWritesAndImmediateReads)
{
    TiOPCItem& item = NewItem("Sensors.Status");
    EXPECT_FALSE(item.GetUpdateSuspended());  // not registered: nothing asked
    item.ActivateSuspend();
    EXPECT_TRUE(item.GetUpdateSuspended());
    item.UpdateResume();
    EXPECT_FALSE(item.GetUpdateSuspended());
    item.SetData(TVariant("Pumping"));
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetWriteCount)(), 1);
    uint16_t quality = 0;
    EXPECT_EQ(item.GetDataNow(quality).AsText(), "Pumping");
    EXPECT_EQ(quality, 0xC0);
    EXPECT_TRUE(m_notified.empty());  // an immediate read notifies nobody
}

TEST_F(OPCItem, TheListOwnsItsItemsWhichUnregisterWhenFreed)
{
    NewItem().Activate();
    NewItem().Activate();
    NewItem().Activate();
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetSignalCount)(), 3);
    TiOPCItem* last = m_manager.GetItem(2);
    m_manager.Delete(1);
    EXPECT_EQ(m_manager.FindIndex(last), 1);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetSignalCount)(), 2);
    EXPECT_EQ(ExceptionText([&] { m_manager.GetItem(2); }), "List index out of bounds (2)");
    m_manager.Clear();
    EXPECT_EQ(m_manager.GetCount(), 0);
    EXPECT_EQ(m_manager.FindIndex(last), -1);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetSignalCount)(), 0);
    EXPECT_FALSE(m_manager.DoWriteToStream());
}

TEST_F(OPCItem, StreamedItemsRegisterAsTheyAreRead)
{
    NewItem();  // replaced by what is read
    TFakeReader reader({{{"PropertyName", "Value"}, {"ServerName", kSimulation}, {"ItemName", "Sensors.Setpoint"}},
                        {{"PropertyName", "Value"},
                         {"ServerName", kSimulation},
                         {"ItemName", "Sensors.Pump"},
                         {"AutoConnect", "0"},
                         {"Scalar", "2.5"}}});
    m_manager.ReadFromStream(reader);
    ASSERT_EQ(m_manager.GetCount(), 2);
    EXPECT_NE(m_manager.GetItem(0)->Handle(), 0);
    EXPECT_EQ(m_manager.GetItem(1)->Handle(), 0);
    EXPECT_EQ(m_manager.GetItem(1)->Scalar(), 2.5);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetSignalCount)(), 1);
}

TEST(OPCItemProperties, WritablePublishedPropertiesAreTheStreamedOnes)
{
    std::vector<std::string> writable, readOnly;
    for (const TPropInfo* p : TiOPCItem::StaticClassInfo().Properties())
        (p->HasSetter() ? writable : readOnly).push_back(p->Name());
    EXPECT_EQ(writable, (std::vector<std::string>{"PropertyName", "GroupName", "ComputerName", "ServerName", "ItemName",
                                                  "Scalar", "Offset", "UpdateRate", "AutoConnect", "AutoError"}));
    EXPECT_EQ(readOnly, std::vector<std::string>{"UpdateSuspended"});
    TiOPCItem item;
    for (const TPropInfo* p : TiOPCItem::StaticClassInfo().Properties())
        EXPECT_FALSE(p->IsDefaultValue(item)) << p->Name();  // none declares a default
}

// The smallest concrete component: the error state is what is looked at here.
class TOwnerComponent : public TiComponent {
    PRAVIX_CLASS(TOwnerComponent, TiComponent)
public:
    explicit TOwnerComponent(TComponent* owner) : TiComponent(owner) {}
    bool GetTimerRunning() override { return false; }
    void TimerStart(int, int) override {}
    void TimerStop() override {}
    void iPaintTo(TCanvas&) override {}
    void Lock() override {}
    void Unlock() override {}
};

PRAVIX_PUBLISH(TOwnerComponent)

TEST_F(OPCItem, OwnerShowsItsErrorStateWhileTheQualityIsNotGood)
{
    TOwnerComponent owner(nullptr);
    m_manager.Owner = &owner;
    TiOPCItem& item = NewItem();
    item.SetAutoConnect(true);  // a component owner that is not loading: registers at once
    ASSERT_NE(item.Handle(), 0);
    item.SetAutoError(true);
    EXPECT_TRUE(owner.ErrorActive());  // no data yet: quality 0
    SetLibraryValue(Value(VT_R8, 1), 0xC0);
    OPCDLLSignalGetDataNow(item.Handle());
    item.ReceiveData(item.Handle());
    EXPECT_FALSE(owner.ErrorActive());
    SetLibraryValue(Value(VT_R8, 1), 0x40);
    OPCDLLSignalGetDataNow(item.Handle());
    item.ReceiveData(item.Handle());
    EXPECT_TRUE(owner.ErrorActive());
    m_manager.Clear();
}

}  // namespace

namespace {

// Stands for the program's statics that callbacks reach. The exit destroys it, and it lingers
// a while then, so a value delivered during the exit would find it destroyed.
struct TExitWitness {
    std::atomic<bool> Destroyed = false;
    ~TExitWitness()
    {
        Destroyed = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
};

// A component that outlives main (a static one) frees its items among the program's exit
// handlers, after the library was first used; a program that ends with std::exit never frees
// its forms, so their items stay registered while the exit destroys the program's statics.
// Neither may bring the exit down, and no value may arrive once the exit has begun.
TEST(OPCItemAtExit, ItemsFreedAfterMainOrNeverFreedLeaveTheLibraryCleanly)
{
    ASSERT_FALSE(OPCDLLNotLoaded()) << "the OPC library is not there; IOPC2_DIR names its folder";
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, so the library starts unused
    for (bool freedAtExit : {true, false}) {
        auto exitWithAnActiveItem = [freedAtExit] {
            static TExitWitness witness;
            static TiOPCItemManager freedByTheExit;
            static TiOPCItemManager* const neverFreed = new TiOPCItemManager;  // kept in reach, not leaked
            TiOPCItemManager& manager = freedAtExit ? freedByTheExit : *neverFreed;
            static std::atomic<int> delivered = 0;
            SetOPCCallbackDispatcher([](std::function<void()> work) {
                if (witness.Destroyed)
                    std::_Exit(3);
                ++delivered;
                work();
            });
            TiOPCItem& item = *manager.GetItem(manager.Add());
            item.SetPropertyName("Value");
            item.SetServerName(kSimulation);
            item.SetItemName("Ship.Engine.Speed");
            item.SetUpdateRate(1);
            item.Activate();
            // Without the library (or with one that delivers nothing) no value comes: the child
            // says so and fails instead of waiting for ever.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (delivered < 3) {
                if (std::chrono::steady_clock::now() > deadline) {
                    std::fprintf(stderr, "no value was delivered within 10 s\n");
                    std::_Exit(4);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            std::exit(0);
        };
        EXPECT_EXIT(exitWithAnActiveItem(), testing::ExitedWithCode(0), "") << "freed at exit: " << freedAtExit;
    }
}

}  // namespace
