// Without the OPC library the browser panel says so, every browsing dialog comes up empty (the
// group selector offers only "<NONE>"), and nothing fails.

#include "editors/iOPCBrowserPanel.h"

#include "components/iOPCDLLLoader.h"
#include "editors/CheckBoxEditorForm.h"
#include "editors/OPCBrowsingUser.h"
#include "editors/iOPCComputerSelector.h"
#include "editors/iOPCGroupSelector.h"
#include "editors/iOPCItemSelector.h"
#include "editors/iOPCServerSelector.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(OPCBrowserPanelWithoutLibrary, ShowsItsStatusAndBrowsesNothing)
{
    ASSERT_TRUE(OPCDLLNotLoaded());
    TiCheckBox checkBox(nullptr);
    TiCheckBoxEditorForm form;
    form.SetComponent(&checkBox);
    form.SetupEditor();
    form.Show();
    TestHooks::PumpUntil([&] { return form.Showing(); }, 2000);
    form.FindControl<TPageControl>("PageControl")->SimulateSelect(1);
    TiOPCBrowserPanel& panel = *form.OPCBrowserPanel;
    EXPECT_EQ(panel.Session(), -1);
    EXPECT_EQ(panel.StatusLabel()->Caption(), "Pravix OPC DLL Missing");

    panel.SetServerName(panel.AddItem(), "Pravix.Simulation.1");
    panel.SetGroupName(0, "Tanks");
    panel.UpdateItemEdit();
    EXPECT_EQ(panel.StatusLabel()->Caption(), "Pravix OPC DLL Missing") << "no group can be looked up";
    panel.SetGroupName(0, "");
    panel.UpdateItemEdit();

    int shown = 0;
    TDialogUser user;
    auto expectEmpty = [&](TForm& dialog) {
        ++shown;
        if (auto* computers = dynamic_cast<TiOPCComputerSelectorForm*>(&dialog))
            EXPECT_EQ(computers->Tree()->TopCount(), 0);
        if (auto* servers = dynamic_cast<TiOPCServerSelectorForm*>(&dialog))
            EXPECT_EQ(servers->ListView()->ItemCount(), 0);
        if (auto* items = dynamic_cast<TiOPCItemSelectorForm*>(&dialog))
            EXPECT_EQ(items->Tree()->TopCount(), 0);
        if (auto* groups = dynamic_cast<TiOPCGroupSelectorForm*>(&dialog)) {
            ASSERT_EQ(groups->ListView()->ItemCount(), 1);
            EXPECT_EQ(groups->ListView()->Item(0)->Caption, "<NONE>");
        }
    };
    user.Steps.assign(5, expectEmpty);
    for (TiComponentEditorButton* button :
         {panel.ComputerButton(), panel.ServerButton(), panel.ItemButton(), panel.GroupButton()})
        TestHooks::SendClick(*button, 5, 5);
    EXPECT_EQ(shown, 4);
    SavePicture(form, "opc_browser_panel_without_library");
}

// "<NONE>", in any letter case, stands for no group.
TEST(OPCBrowserPanelWithoutLibrary, ChoosingNoneClearsTheGroup)
{
    TiCheckBox checkBox(nullptr);
    TiCheckBoxEditorForm form;
    form.SetComponent(&checkBox);
    form.SetupEditor();
    form.Show();
    TestHooks::PumpUntil([&] { return form.Showing(); }, 2000);
    form.FindControl<TPageControl>("PageControl")->SimulateSelect(1);
    TiOPCBrowserPanel& panel = *form.OPCBrowserPanel;
    panel.SetGroupName(panel.AddItem(), "Tanks");
    panel.UpdateItemEdit();

    TDialogUser user;
    user.Steps = {[](TForm& dialog) {
        auto& selector = dynamic_cast<TiOPCGroupSelectorForm&>(dialog);
        EXPECT_FALSE(selector.OKButton()->Enabled());
        ASSERT_TRUE(ArrowToLine(*selector.ListView(), "<NONE>"));
        EXPECT_TRUE(selector.OKButton()->Enabled());
        TestHooks::SendKey(*selector.ListView(), VK_RETURN);
    }};
    TestHooks::SendClick(*panel.GroupButton(), 5, 5);
    EXPECT_EQ(panel.GroupNameEdit()->GetAsString(), "");
    EXPECT_EQ(panel.GetGroupName(0), "");
    EXPECT_TRUE(form.Modified());

    TiOPCGroupSelectorForm selector(nullptr);
    selector.SetGroupName("<none>");
    EXPECT_EQ(selector.GetGroupName(), "");
}

}  // namespace
