// Without a hand-over of its own, the binding applies library callbacks on the GUI thread:
// those from the library's thread are posted there in arrival order, those already on it are
// applied at once.

#include "OPCTestSupport.h"

#include "components/iOPCItem.h"
#include "platform/gui/Application.h"

#include <chrono>
#include <thread>

namespace {

TEST(OPCGuiHandOver, ValuesFromTheLibrarysThreadAreAppliedOnTheGuiThread)
{
    ASSERT_FALSE(OPCDLLNotLoaded());
    Application->Initialize();
    TEST_EXPORT(iOPC2Test_Reset)();
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);

    std::vector<std::thread::id> appliedOn;
    TiOPCItemManager manager;
    manager.OnNewData = [&](TObject*) { appliedOn.push_back(std::this_thread::get_id()); };
    TiOPCItem* item = manager.GetItem(manager.Add());
    item->SetPropertyName("Value");
    item->SetServerName("Pravix.Simulation.1");
    item->SetItemName("Sensors.Setpoint");
    item->SetUpdateRate(20);
    item->Activate();

    // Delivered on this (the GUI) thread: applied within the call.
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_DeliverNow)(), 1);
    ASSERT_EQ(appliedOn.size(), 1u);

    // Delivered on the library's thread: applied only when the GUI thread handles its events.
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.u.dblVal = 3.5;
    ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)("Local", "Pravix.Simulation.1", "Sensors.Setpoint", &v, 0xC0, 0));
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (appliedOn.size() < 2 && std::chrono::steady_clock::now() < deadline) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
    ASSERT_EQ(appliedOn.size(), 2u);
    EXPECT_EQ(appliedOn[1], std::this_thread::get_id());
    EXPECT_EQ(item->Data().AsDouble(), 3.5);
    manager.Clear();
    Application->ProcessMessages();
}

}  // namespace
