// The binding without the library: raising wrappers raise the not-found text, quiet wrappers
// answer their defaults and leave the caller's records as they were.

#include "OPCTestSupport.h"

#include "components/iOPCExplorer.h"

#include <cstring>

namespace {

TEST(OPCAbsent, RaisingWrappersRaiseTheNotFoundText)
{
    ASSERT_TRUE(OPCDLLNotLoaded());
    EXPECT_EQ(OPCDLLModule(), nullptr);
    TOPCSignalUpdate signal([](const TOPCSignalSample&) {});
    const std::function<void()> calls[] = {
        [] { OPCDLLGroupGetCount(); },
        [&] {
            OPCDLLSignalAdd("Local", "Pravix.Simulation.1", "Sensors.Setpoint", "", 500, false, 0, signal.Interface());
        },
        [] { OPCDLLSignalRemove(1); },
        [] { OPCDLLSignalGetData(1); },
        [] { OPCDLLSignalSendData(1, TVariant(1.0)); },
        [] { OPCDLLGroupSetUpdateRate(1, 100); },
        [] { OPCDLLCloseAllServerConnections(); },
        [] { OPCDLLServerConnectionGetCount(); },
        [] { OPCDLLServerConnectionGetName(0); },
    };
    for (const auto& call : calls)
        EXPECT_EQ(ExceptionText(call), "Pravix OPC DLL Not Found.");
}

TEST(OPCAbsent, QuietWrappersAnswerTheirDefaults)
{
    EXPECT_EQ(OPCDLLEditorSessionStart(), -1);
    EXPECT_EQ(OPCDLLEditorServerGetCount(-1), 0);
    EXPECT_EQ(OPCDLLEditorComputerBranchGetItemCount(-1), 0);
    EXPECT_EQ(OPCDLLEditorItemGetBrowseType(-1), 0);
    EXPECT_EQ(OPCDLLEditorItemGetBranchItems(-1, ibtFlat), "");
    EXPECT_EQ(OPCDLLEditorItemGetQualifiedName(-1, "Ship", "Speed"), "");
    EXPECT_EQ(OPCDLLManagerCreated(), 0);
    EXPECT_EQ(OPCDLLLastCallErrorString(), "");
    EXPECT_NO_THROW({
        OPCDLLEditorSessionStop(-1);
        OPCDLLEditorComputerBranchOpen(-1, TiNetData{});
        OPCDLLEditorComputerBranchClose(-1);
        OPCDLLEditorServerSetup(-1, "Local");
        OPCDLLEditorItemSetup(-1, "Local", "Pravix.Simulation.1");
        OPCDLLEditorItemSetPath(-1, "Ship");
        OPCDLLManagerAddItem("Item", 1);
        OPCDLLManagerDestroyed();
    });
}

TEST(OPCAbsent, RecordResultsAreLeftAsTheCallerPassedThem)
{
    char name[] = "kept";
    TiNetData net{};
    net.Valid = 1;
    net.Kind = inrtDomain;
    net.Scope = 7;
    net.RemoteName = name;
    TiNetData before = net;
    OPCDLLEditorComputerBranchGetItemData(-1, 0, net);
    EXPECT_EQ(std::memcmp(&net, &before, sizeof net), 0);

    TOPCServerData server{"Old.Server", 4};
    OPCDLLEditorServerGetData(-1, 0, server);
    EXPECT_EQ(server.Name, "Old.Server");
    EXPECT_EQ(server.IconIndex, 4);
}

}  // namespace

#include "components/iOPCItem.h"
#include "components/iOPCManager.h"

namespace {

TEST(OPCAbsent, ItemsAndGroupsDoNothingUntilAskedForTheLibrary)
{
    TiOPCItemManager items;
    TiOPCItem* item = items.GetItem(items.Add());
    item->SetPropertyName("Value");
    item->SetServerName("Pravix.Simulation.1");
    item->SetItemName("Sensors.Setpoint");
    EXPECT_NO_THROW(item->Activate());
    EXPECT_EQ(item->Handle(), 0);
    EXPECT_FALSE(item->GetActive());
    EXPECT_FALSE(item->GetUpdateSuspended());
    uint16_t quality = 77;
    EXPECT_TRUE(item->GetDataNow(quality).IsEmpty());
    EXPECT_EQ(quality, 77);

    TiOPCManager holder(nullptr);
    EXPECT_EQ(holder.GroupAdd("Deck", "Local", "Pravix.Simulation.1", 500), 0);
    TiOPCGroupObject* deck = holder.GetGroup(0);
    EXPECT_EQ(deck->Handle(), 0);
    EXPECT_NO_THROW(deck->SetUpdateRate(100));
    EXPECT_EQ(ExceptionText([&] { deck->Resume(); }), "Pravix OPC DLL Not Found.");
    EXPECT_EQ(ExceptionText([&] { deck->Suspend(); }), "Pravix OPC DLL Not Found.");
    EXPECT_EQ(ExceptionText([&] { holder.CloseAllServerConnections(); }), "Pravix OPC DLL Not Found.");
    // The explorer is made, but listing the connections fails before it is shown.
    EXPECT_EQ(ExceptionText([&] { holder.ExplorerShow(); }), "Pravix OPC DLL Not Found.");
    ASSERT_NE(iOPCExplorerForm, nullptr);
    EXPECT_FALSE(iOPCExplorerForm->Visible());
}

}  // namespace
