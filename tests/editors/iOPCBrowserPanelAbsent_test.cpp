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

#include <functional>
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
        if (auto* computers = dynamic_cast<TiOPCComputerSelectorForm*>(&dialog)) {
            EXPECT_EQ(computers->Tree()->TopCount(), 0);
        }
        if (auto* servers = dynamic_cast<TiOPCServerSelectorForm*>(&dialog)) {
            EXPECT_EQ(servers->ListView()->ItemCount(), 0);
        }
        if (auto* items = dynamic_cast<TiOPCItemSelectorForm*>(&dialog)) {
            EXPECT_EQ(items->Tree()->TopCount(), 0);
        }
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

// The switches squeeze the parts they hide to nothing; the rest keeps its place.
TEST(OPCBrowserPanelLayout, HiddenPartsGetNoWidth)
{
    struct TCase {
        const char* Why;
        std::function<void(TiOPCBrowserPanel&)> Switch;
        std::function<bool(TiOPCBrowserPanel&)> Holds;
    };
    const TCase cases[] = {
        {"everything shown at first", [](TiOPCBrowserPanel&) {},
         [](TiOPCBrowserPanel& p) {
             return p.ItemList()->Width() == 500 / 3 && p.AddButton()->Width() == 500 / 3 / 11 * 5 &&
                    p.PropertyButton()->Width() > 0 && p.GroupButton()->Width() > 0 && p.Item2NameEdit()->Width() == 0;
         }},
        {"without the property the list goes too", [](TiOPCBrowserPanel& p) { p.SetShowProperty(false); },
         [](TiOPCBrowserPanel& p) {
             return p.ItemList()->Width() == 0 && p.AddButton()->Width() == 0 && p.PropertyNameEdit()->Width() == 0 &&
                    p.GroupNameEdit()->Top() == 8 && p.ComputerNameEdit()->Left() > 13;
         }},
        {"without the item", [](TiOPCBrowserPanel& p) { p.SetShowItem(false); },
         [](TiOPCBrowserPanel& p) { return p.ItemNameEdit()->Width() == 0 && p.ItemButton()->Width() == 0; }},
        {"a group typed in has no button", [](TiOPCBrowserPanel& p) { p.SetGroupEditStyle(iopcgesEdit); },
         [](TiOPCBrowserPanel& p) { return p.GroupButton()->Width() == 0 && p.GroupNameEdit()->Width() > 0; }},
        {"a second item shows its row and its own scalar and offset",
         [](TiOPCBrowserPanel& p) { p.SetItem2Visible(true); },
         [](TiOPCBrowserPanel& p) {
             const TRect first = p.ScalarEdit()->BoundsRect();
             const TRect second = p.Scalar2Edit()->BoundsRect();
             return p.Item2NameEdit()->Width() > 0 && second.Width() == 60 && first.Right < second.Left &&
                    second.Right == p.ItemNameEdit()->Left() + p.ItemNameEdit()->Width();
         }},
        {"without both check boxes",
         [](TiOPCBrowserPanel& p) {
             p.SetShowAutoConnect(false);
             p.SetShowAutoError(false);
         },
         [](TiOPCBrowserPanel& p) {
             return p.AutoConnectCheckBox()->Width() == 0 && p.AutoErrorCheckBox()->Width() == 0;
         }},
    };
    for (const TCase& c : cases) {
        TiOPCBrowserPanel panel(nullptr);
        panel.SetBounds(0, 0, 500, 260);
        c.Switch(panel);
        EXPECT_TRUE(c.Holds(panel)) << c.Why;
    }
}

}  // namespace
