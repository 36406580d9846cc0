// The OPC browser panel and its selectors over the stand-in library, used as a user would: the
// check-box editor's OPC page, its buttons, and the dialogs they open, driven by clicks and keys.
// A check box bound there then follows the stand-in server's values. Pictures of the panel and
// of each selector go to editor_gallery/ of the build's tests folder.

#include "editors/iOPCBrowserPanel.h"

#include "editors/CheckBoxEditorForm.h"
#include "editors/OPCBrowsingUser.h"
#include "editors/iOPCComputerSelector.h"
#include "editors/iOPCGroupSelector.h"
#include "editors/iOPCItemSelector.h"
#include "editors/iOPCPropertySelector.h"
#include "editors/iOPCServerSelector.h"
#include "opc/OPCTestSupport.h"
#include "platform/core/Registry.h"
#include "platform/gui/Cursors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kComputer = "LABPC";
constexpr const char* kSimulation = "Pravix.Simulation.1";
constexpr const char* kFlat = "Pravix.Flat.1";

VARIANT Boolean(bool value)
{
    VARIANT v{};
    v.vt = VT_BOOL;
    v.u.boolVal = value ? -1 : 0;
    return v;
}

class OPCBrowserPanel : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OPCDLLNotLoaded());
        setenv("PRAVIX_REGISTRY_DIR", m_registry.Folder().c_str(), 1);
        TEST_EXPORT(iOPC2Test_Reset)();
        TEST_EXPORT(iOPC2Test_SetWorkerPaused)(1);
    }
    void TearDown() override
    {
        m_form.reset();
        m_checkBox.reset();
        TEST_EXPORT(iOPC2Test_Reset)();
        unsetenv("PRAVIX_REGISTRY_DIR");
    }

    // The check-box editor, shown on its OPC page. Its panel's browse session is one the
    // library knows (made after the reset).
    TiOPCBrowserPanel& OpenEditor()
    {
        m_form = std::make_unique<TiCheckBoxEditorForm>();
        m_checkBox->SetCaption("Pump");
        m_form->SetComponent(m_checkBox.get());
        m_form->SetupEditor();
        m_form->Show();
        TestHooks::PumpUntil([this] { return m_form->Showing(); }, 2000);
        m_form->FindControl<TPageControl>("PageControl")->SimulateSelect(1);
        return *m_form->OPCBrowserPanel;
    }

    static void Click(TControl& control) { TestHooks::SendClick(control, 5, 5); }

    static std::string Registered(const std::string& name)
    {
        const auto key = OpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Pravix\\OPC", false);
        return key ? key->ReadString(name) : "(no key)";
    }

    TempDir m_registry;
    std::unique_ptr<TiCheckBox> m_checkBox = std::make_unique<TiCheckBox>(nullptr);
    std::unique_ptr<TiCheckBoxEditorForm> m_form;
};

TEST_F(OPCBrowserPanel, BrowsingBindsACheckBoxThatThenFollowsTheServer)
{
    TiOPCBrowserPanel& panel = OpenEditor();
    EXPECT_EQ(panel.StatusLabel()->Caption(), "");
    EXPECT_FALSE(panel.ComputerNameEdit()->Enabled()) << "nothing selected, nothing to edit";
    EXPECT_FALSE(panel.ItemList()->Enabled());

    TDialogUser user;
    user.Steps = {
        [](TForm& form) {
            auto& selector = dynamic_cast<TiOPCPropertySelectorForm&>(form);
            ASSERT_TRUE(ArrowToLine(*selector.ListView(), "Checked"));
            TestHooks::SendKey(*selector.ListView(), VK_RETURN);
        },
        [](TForm& form) {
            auto& selector = dynamic_cast<TiOPCComputerSelectorForm&>(form);
            ASSERT_TRUE(ArrowToNode(*selector.Tree(), {"Pravix Network", "OCEAN", kComputer}));
            EXPECT_TRUE(selector.OKButton()->Enabled());
            SavePicture(form, "opc_computer_selector");
            TestHooks::SendKey(*selector.Tree(), VK_RETURN);
        },
        [](TForm& form) {
            auto& selector = dynamic_cast<TiOPCServerSelectorForm&>(form);
            ASSERT_EQ(selector.ListView()->ItemCount(), 2);
            ASSERT_TRUE(ArrowToLine(*selector.ListView(), kSimulation));
            SavePicture(form, "opc_server_selector");
            TestHooks::SendKey(*selector.ListView(), VK_RETURN);
        },
        [](TForm& form) {
            auto& selector = dynamic_cast<TiOPCItemSelectorForm&>(form);
            EXPECT_FALSE(selector.OKButton()->Enabled());
            ASSERT_TRUE(ArrowToNode(*selector.Tree(), {"Sensors", "Pump"}));
            EXPECT_EQ(selector.ItemName(), "Sensors.Pump");
            EXPECT_TRUE(selector.OKButton()->Enabled());
            SavePicture(form, "opc_item_selector");
            TestHooks::SendKey(*selector.Tree(), VK_RETURN);
        },
    };
    Click(*panel.AddButton());
    ASSERT_EQ(panel.ItemCount(), 1);
    EXPECT_EQ(panel.ItemList()->Items()->Strings(0), "Checked");
    EXPECT_TRUE(panel.ServerNameEdit()->Enabled());
    EXPECT_FALSE(panel.ItemNameEdit()->Enabled()) << "no server yet";
    Click(*panel.ComputerButton());
    Click(*panel.ServerButton());
    EXPECT_TRUE(panel.ItemButton()->Enabled());
    Click(*panel.ItemButton());
    ASSERT_EQ(user.Shown().size(), 4u);

    EXPECT_EQ(panel.PropertyNameEdit()->GetAsString(), "Checked");
    EXPECT_EQ(panel.ComputerNameEdit()->GetAsString(), kComputer);
    EXPECT_EQ(panel.ServerNameEdit()->GetAsString(), kSimulation);
    EXPECT_EQ(panel.ItemNameEdit()->GetAsString(), "Sensors.Pump");
    EXPECT_EQ(Registered("ComputerName"), kComputer);
    EXPECT_EQ(Registered("ServerName"), kSimulation);
    EXPECT_TRUE(m_form->ButtonPanel()->ApplyButton()->Enabled());
    SavePicture(*m_form, "opc_browser_panel");
    EXPECT_EQ(m_checkBox->OPCItemCount(), 0) << "nothing is bound before OK";

    Click(*m_form->ButtonPanel()->OkButton());
    EXPECT_EQ(m_form->ModalResult(), mrOk);
    ASSERT_EQ(m_checkBox->OPCItemCount(), 1);
    const TiOPCItem& bound = *m_checkBox->GetOPCItem(0);
    EXPECT_EQ(bound.PropertyName(), "Checked");
    EXPECT_EQ(bound.ItemName(), "Sensors.Pump");
    EXPECT_TRUE(bound.GetActive());

    for (bool value : {true, false, true}) {
        const VARIANT v = Boolean(value);
        ASSERT_TRUE(TEST_EXPORT(iOPC2Test_SetItemValue)(kComputer, kSimulation, "Sensors.Pump", &v, 0xC0, 0));
        TEST_EXPORT(iOPC2Test_DeliverNow)();
        TestHooks::PumpUntil([&] { return m_checkBox->Checked() == value; }, 2000);
        EXPECT_EQ(m_checkBox->Checked(), value);
    }
}

TEST_F(OPCBrowserPanel, AGroupChosenFromTheListGivesItsServerAndTheItemFollowsIt)
{
    TOPCGroupUpdate update([](TOPCGroupUpdate::TKind, int) {});
    OPCDLLGroupAdd("Tanks", kComputer, kFlat, 750, update.Interface());
    OPCDLLGroupAdd("single group 00000001", kComputer, kFlat, 100, update.Interface());
    TiOPCBrowserPanel& panel = OpenEditor();
    panel.SetComponent(m_checkBox.get());
    panel.SetPropertyName(panel.AddItem(), "Caption");
    panel.UpdateItemEdit();

    TDialogUser user;
    user.Steps = {
        [](TForm& form) {
            auto& selector = dynamic_cast<TiOPCGroupSelectorForm&>(form);
            std::vector<std::string> offered;
            for (int i = 0; i < selector.ListView()->ItemCount(); ++i)
                offered.push_back(selector.ListView()->Item(i)->Caption);
            EXPECT_EQ(offered, (std::vector<std::string>{"<NONE>", "Tanks"})) << "private groups are not offered";
            ASSERT_TRUE(ArrowToLine(*selector.ListView(), "Tanks"));
            SavePicture(form, "opc_group_selector");
            TestHooks::SendKey(*selector.ListView(), VK_RETURN);
        },
        [](TForm& form) {
            auto& selector = dynamic_cast<TiOPCItemSelectorForm&>(form);
            ASSERT_EQ(selector.Tree()->TopCount(), 3) << "a flat server lists every item at the top";
            ASSERT_TRUE(ArrowToNode(*selector.Tree(), {"Bucket.Text"}));
            TestHooks::SendKey(*selector.Tree(), VK_RETURN);
        },
    };
    Click(*panel.GroupButton());
    EXPECT_EQ(panel.GroupNameEdit()->GetAsString(), "Tanks");
    EXPECT_EQ(panel.ComputerNameEdit()->GetAsString(), kComputer);
    EXPECT_EQ(panel.ServerNameEdit()->GetAsString(), kFlat);
    EXPECT_EQ(panel.UpdateRateEdit()->GetAsString(), "750");
    EXPECT_FALSE(panel.ComputerNameEdit()->Enabled()) << "the group decides, shown read-only";
    EXPECT_FALSE(panel.ServerButton()->Enabled());
    EXPECT_EQ(panel.StatusLabel()->Caption(), "");
    Click(*panel.ItemButton());
    EXPECT_EQ(user.Messages(), "");
    EXPECT_EQ(panel.ItemNameEdit()->GetAsString(), "Bucket.Text");

    Click(*m_form->ButtonPanel()->OkButton());
    ASSERT_EQ(m_checkBox->OPCItemCount(), 1);
    EXPECT_EQ(m_checkBox->GetOPCItem(0)->GroupName(), "Tanks");
    TEST_EXPORT(iOPC2Test_DeliverNow)();
    TestHooks::PumpUntil([&] { return m_checkBox->Caption() == "Empty"; }, 2000);
    EXPECT_EQ(m_checkBox->Caption(), "Empty");
}

TEST_F(OPCBrowserPanel, AGroupTheLibraryDoesNotKnowIsReported)
{
    TiOPCBrowserPanel& panel = OpenEditor();
    const int index = panel.AddItem();
    panel.SetServerName(index, kSimulation);
    panel.SetGroupName(index, "Nowhere");
    panel.UpdateItemEdit();
    EXPECT_EQ(panel.StatusLabel()->Caption(), "Group Not Found");
    EXPECT_EQ(panel.ComputerNameEdit()->GetAsString(), "");
    EXPECT_EQ(panel.ServerNameEdit()->GetAsString(), "");
    EXPECT_EQ(panel.UpdateRateEdit()->GetAsString(), "");
    EXPECT_EQ(panel.GroupNameEdit()->GetAsString(), "Nowhere");
}

TEST_F(OPCBrowserPanel, UpLoadAndDownLoadCarryEveryFieldOfAnItem)
{
    const int i = m_checkBox->OPCAddItem();
    TiOPCItem& item = *m_checkBox->GetOPCItem(i);
    item.SetPropertyName("Caption");
    item.SetComputerName(kComputer);
    item.SetServerName(kFlat);
    item.SetItemName("Bucket.Text");
    item.SetUpdateRate(125);
    item.SetScalar(2.5);
    item.SetOffset(-1);
    item.SetAutoConnect(false);
    item.SetAutoError(true);
    TiOPCBrowserPanel& panel = OpenEditor();
    ASSERT_EQ(panel.ItemCount(), 1);
    EXPECT_EQ(panel.Component(), m_checkBox.get());
    EXPECT_EQ(panel.ItemList()->Items()->Strings(0), "Caption");
    EXPECT_EQ(panel.ScalarEdit()->GetAsFloat(), 2.5) << "the only item is selected and shown";

    m_form->DownLoadOPCProperties(m_checkBox.get(), &panel);
    ASSERT_EQ(m_checkBox->OPCItemCount(), 1);
    const TiOPCItem& copy = *m_checkBox->GetOPCItem(0);
    EXPECT_EQ(copy.PropertyName(), "Caption");
    EXPECT_EQ(copy.ComputerName(), kComputer);
    EXPECT_EQ(copy.ServerName(), kFlat);
    EXPECT_EQ(copy.ItemName(), "Bucket.Text");
    EXPECT_EQ(copy.UpdateRate(), 125);
    EXPECT_EQ(copy.Scalar(), 2.5);
    EXPECT_EQ(copy.Offset(), -1);
    EXPECT_FALSE(copy.AutoConnect());
    EXPECT_TRUE(copy.AutoError());
}

TEST_F(OPCBrowserPanel, CancelLeavesTheComponentsBindingsAlone)
{
    m_checkBox->SetOPCItemPropertyName(m_checkBox->OPCAddItem(), "Checked");
    TiOPCBrowserPanel& panel = OpenEditor();
    Click(*panel.RemoveButton());
    EXPECT_EQ(panel.ItemCount(), 0);
    Click(*m_form->ButtonPanel()->CancelButton());
    EXPECT_EQ(m_checkBox->OPCItemCount(), 1);
}

TEST_F(OPCBrowserPanel, RemovingSelectsTheNextOrTheNewLastItem)
{
    TiOPCBrowserPanel& panel = OpenEditor();
    for (const char* name : {"A", "B", "C"})
        panel.SetPropertyName(panel.AddItem(), name);
    panel.UpdateItemEdit();
    Click(*panel.RemoveButton());
    EXPECT_EQ(panel.ItemCount(), 2);
    EXPECT_EQ(panel.ItemList()->ItemIndex(), 1);
    EXPECT_EQ(panel.PropertyNameEdit()->GetAsString(), "B");
    panel.ItemList()->SetItemIndex(0);
    Click(*panel.RemoveButton());
    EXPECT_EQ(panel.PropertyNameEdit()->GetAsString(), "B");
    Click(*panel.RemoveButton());
    EXPECT_EQ(panel.ItemCount(), 0);
    EXPECT_FALSE(panel.RemoveButton()->Enabled());
    EXPECT_FALSE(panel.PropertyNameEdit()->Enabled());
    EXPECT_EQ(panel.PropertyNameEdit()->GetAsString(), "");
}

TEST_F(OPCBrowserPanel, ThePropertyListWalksOwnedSubObjectsButNeverName)
{
    TiOPCPropertySelectorForm selector(nullptr);
    selector.Setup(m_checkBox.get(), "");
    selector.AddUnassigned();
    std::vector<std::string> lines;
    for (int i = 0; i < selector.ListView()->ItemCount(); ++i)
        lines.push_back(selector.ListView()->Item(i)->Caption);
    auto listed = [&](const std::string& name) { return std::find(lines.begin(), lines.end(), name) != lines.end(); };
    EXPECT_TRUE(listed("Checked"));
    EXPECT_TRUE(listed("Caption"));
    EXPECT_TRUE(listed("Font.Name"));
    EXPECT_TRUE(listed("{Unassigned}"));
    EXPECT_FALSE(listed("Name"));
    EXPECT_FALSE(listed("PopupMenu")) << "references to other components are not walked";
    EXPECT_EQ(TiOPCPropertySelectorForm::GetObjectProperty(m_checkBox.get(), "Font"), m_checkBox->Font());
    EXPECT_EQ(TiOPCPropertySelectorForm::GetObjectProperty(m_checkBox.get(), "Caption"), nullptr);
    selector.Show();
    TestHooks::PumpUntil([&] { return selector.Showing(); }, 2000);
    SavePicture(selector, "opc_property_selector");
}

TEST_F(OPCBrowserPanel, AnOpenedBranchIsNotLoadedAgain)
{
    TiOPCItemSelectorForm selector(nullptr);
    selector.SetSession(OPCDLLEditorSessionStart());
    selector.Setup(kComputer, kSimulation);
    selector.Show();
    TestHooks::PumpUntil([&] { return selector.Showing(); }, 2000);
    ASSERT_TRUE(ArrowToNode(*selector.Tree(), {"Ship", "Engine"}));
    TTreeNode* ship = selector.Tree()->Selected()->Parent();
    ASSERT_EQ(ship->Count(), 2);
    ship->SetExpanded(false);
    ship->SetExpanded(true);
    EXPECT_EQ(ship->Count(), 2);
    OPCDLLEditorSessionStop(selector.Session());
}

TEST_F(OPCBrowserPanel, ADoubleClickOnAServerConfirmsIt)
{
    TiOPCServerSelectorForm selector(nullptr);
    selector.SetSession(OPCDLLEditorSessionStart());
    selector.Setup(kComputer);
    selector.Show();
    TestHooks::PumpUntil([&] { return selector.Showing(); }, 2000);
    TestHooks::SendDoubleClick(*selector.ListView(), 40, 30);
    EXPECT_EQ(selector.ModalResult(), mrOk);
    EXPECT_EQ(selector.ServerName(), kFlat) << "the first line, sorted by name";
    OPCDLLEditorSessionStop(selector.Session());
}

// The registry defaults of new items: what the user enters is remembered for the next item, a
// rate that is no number never is, and a stored one that is no number is no default.
TEST_F(OPCBrowserPanel, NewItemsTakeTheRememberedDefaults)
{
    struct TCase {
        const char* Why;
        std::vector<std::pair<const char*, const char*>> Stored;
        const char* Computer;
        const char* Server;
        int Rate;
    };
    const TCase cases[] = {
        {"no key", {}, "Local", "", 500},
        {"all three",
         {{"ComputerName", "SURVEY1"}, {"ServerName", kFlat}, {"UpdateRate", "250"}},
         "SURVEY1",
         kFlat,
         250},
        {"only the server", {{"ServerName", kFlat}}, "", kFlat, 500},
        {"a rate that is no number", {{"UpdateRate", "fast"}}, "", "", 500},
    };
    for (const TCase& c : cases) {
        TempDir registry;
        setenv("PRAVIX_REGISTRY_DIR", registry.Folder().c_str(), 1);
        for (const auto& [name, value] : c.Stored)
            TiOPCBrowserPanel::SetDefaults(name, value);
        TiOPCItem item;
        EXPECT_NO_THROW(TiOPCBrowserPanel::GetDefaults(item)) << c.Why;
        EXPECT_EQ(item.ComputerName(), c.Computer) << c.Why;
        EXPECT_EQ(item.ServerName(), c.Server) << c.Why;
        EXPECT_EQ(item.UpdateRate(), c.Rate) << c.Why;
    }
}

TEST_F(OPCBrowserPanel, ATypedRateIsRememberedOnlyWhenItIsANumber)
{
    TiOPCBrowserPanel& panel = OpenEditor();
    panel.SetServerName(panel.AddItem(), kSimulation);
    panel.UpdateItemEdit();
    TiComponentEditorEdit& rate = *panel.UpdateRateEdit();
    rate.SetStringWithEvent("250");
    EXPECT_EQ(Registered("UpdateRate"), "250");
    rate.SetStringWithEvent("fast");
    EXPECT_EQ(Registered("UpdateRate"), "250");
    EXPECT_EQ(panel.GetUpdateRate(0), 0) << "the item takes the text as a number, as every number edit does";
}

TEST_F(OPCBrowserPanel, AddAndThePropertyButtonNeedAComponent)
{
    TiOPCBrowserPanel panel(nullptr);
    TDialogUser user;
    EXPECT_EQ(ExceptionText([&] { panel.AddButton()->Click(); }), "Class not Defined");
    EXPECT_EQ(ScreenCursor(), crDefault);
    EXPECT_TRUE(user.Shown().empty());
    panel.SetPropertyName(panel.AddItem(), "Checked");
    panel.UpdateItemEdit();
    EXPECT_EQ(ExceptionText([&] { panel.PropertyButton()->Click(); }), "Class not Defined");
}

// The editor toolkit's computer picker opens the computer selector.
TEST_F(OPCBrowserPanel, TheComputerPickerOpensTheComputerSelector)
{
    TiCheckBoxEditorForm form;
    auto* picker = new TiComponentEditorComputerPicker(&form);
    picker->SetParent(&form);
    TDialogUser user;
    user.Steps = {[](TForm& dialog) {
        auto& selector = dynamic_cast<TiOPCComputerSelectorForm&>(dialog);
        ASSERT_TRUE(ArrowToNode(*selector.Tree(), {"Pravix Network", "OCEAN", "SURVEY1"}));
        TestHooks::SendKey(*selector.Tree(), VK_RETURN);
    }};
    std::string changed;
    picker->OnChange = [&](TObject*) { changed = picker->ComputerName(); };
    picker->Click();
    EXPECT_EQ(changed, "SURVEY1");
}

}  // namespace
