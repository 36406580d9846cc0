// The OPC explorer against the stand-in library: what the window lists, that every showing
// lists anew, and the life of the program's one shared window.

#include "OPCTestSupport.h"

#include "components/iOPCExplorer.h"
#include "components/iOPCManager.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormDescription.h"
#include "platform/gui/Application.h"
#include "platform/gui/ComCtrls.h"
#include "support/SourcePaths.h"

#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace {

const char* const kSimulation = "Pravix.Simulation.1";
const char* const kFlat = "Pravix.Flat.1";

class OPCExplorer : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
        m_holder = std::make_unique<TiOPCManager>(nullptr);
    }
    void TearDown() override
    {
        m_holder.reset();
        m_queue.RunPending();
        TEST_EXPORT(iOPC2Test_Reset)();
    }

    static std::set<std::string> Connections(const TiOPCExplorerForm& explorer)
    {
        std::set<std::string> names;
        TTreeNode* servers = explorer.ServersNode();
        for (int i = 0; i < servers->Count(); ++i) {
            EXPECT_EQ(servers->Item(i)->ImageIndex(), TiOPCExplorerForm::imConnection);
            names.insert(servers->Item(i)->Text());
        }
        return names;
    }

    TCallbackQueue m_queue;
    std::unique_ptr<TiOPCManager> m_holder;
};

TEST_F(OPCExplorer, ListsTheOpenConnectionsUnderServersConnections)
{
    m_holder->GroupAdd("Deck", "Local", kSimulation, 500);
    m_holder->GroupAdd("Engine", "Local", kSimulation, 250);  // the same connection
    m_holder->GroupAdd("Survey", "SURVEY1", kFlat, 1000);
    m_holder->ExplorerShow();

    TiOPCExplorerForm* explorer = iOPCExplorerForm;
    ASSERT_NE(explorer, nullptr);
    EXPECT_TRUE(explorer->Visible());
    EXPECT_EQ(explorer->Caption(), "Pravix OPC Explorer");
    EXPECT_EQ(explorer->Width(), 256);
    EXPECT_EQ(explorer->Height(), 319);
    EXPECT_EQ(explorer->Constraints()->MinWidth(), 250);
    EXPECT_EQ(explorer->Constraints()->MinHeight(), 300);
    EXPECT_EQ(explorer->FormStyle(), fsStayOnTop);
    EXPECT_EQ(explorer->Position(), poScreenCenter);
    EXPECT_EQ(explorer->BorderIcons(), TBorderIcons{biSystemMenu});
    TTreeView* tree = explorer->Tree();
    EXPECT_EQ(tree->Align(), alClient);
    EXPECT_TRUE(tree->ReadOnly());
    EXPECT_EQ(tree->SortType(), stText);
    EXPECT_EQ(explorer->Images().Count(), 3);
    EXPECT_EQ(tree->Images(), &explorer->Images());

    ASSERT_EQ(tree->TopCount(), 2);
    EXPECT_EQ(explorer->ServersNode()->Text(), "Servers Connections");
    EXPECT_EQ(explorer->ServersNode()->ImageIndex(), TiOPCExplorerForm::imServers);
    EXPECT_EQ(explorer->GroupsNode()->Text(), "Groups");
    EXPECT_EQ(explorer->GroupsNode()->ImageIndex(), TiOPCExplorerForm::imGroups);
    EXPECT_EQ(explorer->GroupsNode()->Count(), 0);  // the groups are not listed
    EXPECT_EQ(Connections(*explorer), (std::set<std::string>{"LABPC\\Pravix.Simulation.1", "SURVEY1\\Pravix.Flat.1"}));
}

TEST_F(OPCExplorer, EveryShowingListsTheConnectionsAnewInTheSameWindow)
{
    m_holder->GroupAdd("Deck", "Local", kSimulation, 500);
    m_holder->ExplorerShow();
    TiOPCExplorerForm* explorer = iOPCExplorerForm;
    EXPECT_EQ(Connections(*explorer), std::set<std::string>{"LABPC\\Pravix.Simulation.1"});

    m_holder->CloseAllServerConnections();
    explorer->Hide();
    m_holder->ExplorerShow();
    EXPECT_EQ(iOPCExplorerForm, explorer);
    EXPECT_TRUE(explorer->Visible());
    EXPECT_EQ(explorer->Tree()->TopCount(), 2);
    EXPECT_TRUE(Connections(*explorer).empty());

    m_holder->GroupAdd("Survey", "SURVEY1", kFlat, 1000);
    EXPECT_TRUE(Connections(*explorer).empty());  // only a showing lists anew
    m_holder->ExplorerShow();
    EXPECT_EQ(Connections(*explorer), std::set<std::string>{"SURVEY1\\Pravix.Flat.1"});
}

TEST_F(OPCExplorer, ALibraryErrorWhileListingIsRaisedAndTheWindowStaysHidden)
{
    TEST_EXPORT(iOPC2Test_FailNextCall)("ServerConnectionGetCount", "The connection list is locked.");
    EXPECT_EQ(ExceptionText([&] { m_holder->ExplorerShow(); }), "The connection list is locked.");
    ASSERT_NE(iOPCExplorerForm, nullptr);
    EXPECT_FALSE(iOPCExplorerForm->Visible());
    m_holder->ExplorerShow();  // the next showing works
    EXPECT_TRUE(iOPCExplorerForm->Visible());
}

TEST_F(OPCExplorer, EachHolderFreesTheSharedWindowAndANewHolderOrphansIt)
{
    m_holder->ExplorerShow();
    TiOPCExplorerForm* first = iOPCExplorerForm;

    auto second = std::make_unique<TiOPCManager>(nullptr);
    EXPECT_EQ(iOPCExplorerForm, nullptr);  // the first window stays open, no longer shared
    EXPECT_TRUE(first->Visible());
    second->ExplorerShow();
    ASSERT_NE(iOPCExplorerForm, nullptr);
    EXPECT_NE(iOPCExplorerForm, first);

    second.reset();
    EXPECT_EQ(iOPCExplorerForm, nullptr);
    EXPECT_TRUE(first->Visible());
    delete first;  // what the application does with it at the end of the program
}

TEST_F(OPCExplorer, AWindowFreedElsewhereIsNotFreedAgainByTheHolder)
{
    m_holder->ExplorerShow();
    delete iOPCExplorerForm;  // as the application frees its windows when the program ends
    EXPECT_EQ(iOPCExplorerForm, nullptr);
    m_holder.reset();
}

// Ends the application's message loop, so it comes last.
TEST(OPCExplorerFromADescription, AnExplorerDescribedInsideAnExplorerIsFreedCleanly)
{
    // Freeing the outer window once reached the tree's window after it was gone.
    std::ifstream in(SourcePath("tests/fixtures/forms/explorer-inside-explorer.txt"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty());
    try {
        std::unique_ptr<TComponent> root(CreateComponentFromText(text.str(), nullptr));
    } catch (const Exception&) {
        // A refused description is fine; only the freeing matters.
    }
}

TEST(OPCExplorerAtProgramEnd, TheApplicationFreesTheWindowBeforeTheFormHoldingTheHolder)
{
    ASSERT_FALSE(OPCDLLNotLoaded());
    TEST_EXPORT(iOPC2Test_Reset)();
    TCallbackQueue queue;
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* holder = new TiOPCManager(main);
    holder->ExplorerShow();
    ASSERT_NE(iOPCExplorerForm, nullptr);
    EXPECT_NE(Application->MainForm(), iOPCExplorerForm);
    PostToGui([main] { main->Close(); });
    Application->Run();
    EXPECT_EQ(iOPCExplorerForm, nullptr);
    EXPECT_EQ(TEST_EXPORT(iOPC2Test_GetManagerCount)(), 0);  // the holder went with its form
}

}  // namespace
