// The theme maintenance form: opened by Shift+Ctrl+Alt and a click on the preview box, schemes
// reordered by dragging (OK writes the order, Cancel discards it), "Clean All Schemes", and the
// row clean's questions. Pictures of the panel and of the form go to theme_gallery/.

#include "editors/iComponentEditorThemePanelMaintenance.h"

#include "editors/ThemePanelBench.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

const std::string kThreeUserSchemes = [] {
    std::string text = "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Preset Scheme</Name>\r\n</SchemeType>\r\n"
                       "<SchemeType>\r\n<Name>Color Scheme</Name>\r\n";
    for (const char* name : {"A", "B", "C"})
        text += std::string("<Scheme>\r\n<Name>") + name +
                "</Name>\r\n<Properties>\r\n<BackGroundColor>255</BackGroundColor>\r\n"
                "<Missing.Prop>3</Missing.Prop>\r\n</Properties>\r\n</Scheme>\r\n";
    return text + "</SchemeType>\r\n</SchemeTypes>\r\n";
}();

// Press on one entry, move in steps, release on another, as the mouse does.
void Drag(TiComponentEditorListBox& list, int fromRow, int toRow)
{
    const TRect from = list.ItemRect(fromRow);
    const TRect to = list.ItemRect(toRow);
    const int x = from.Left + 30;
    TestHooks::SendMouseDown(list, mbLeft, x, (from.Top + from.Bottom) / 2);
    for (int step = 1; step <= 4; ++step)
        TestHooks::SendMouseMove(list, x, (from.Top + from.Bottom) / 2 + ((to.Top - from.Top) * step) / 4, {ssLeft});
    TestHooks::SendMouseUp(list, mbLeft, x, (to.Top + to.Bottom) / 2);
}

void OpenMaintenance(TThemeBench& bench)
{
    bench.form.Show();
    TestHooks::PumpUntil([&] { return bench.form.Showing(); }, 2000);
    TestHooks::SendMouseDown(*bench.panel->PreviewGroupBox(), mbLeft, 20, 8, {ssShift, ssCtrl, ssAlt});
}

TiComponentEditorThemePanelMaintenanceForm& Shown(TForm& form)
{
    auto& maintenance = dynamic_cast<TiComponentEditorThemePanelMaintenanceForm&>(form);
    maintenance.Show();
    TestHooks::PumpUntil([&] { return maintenance.Showing(); }, 2000);
    return maintenance;
}

TEST(ThemeMaintenance, OpensOnlyWithShiftCtrlAndAlt)
{
    TThemeFolders folders;
    TestHooks::TModalScript script;
    TThemeBench bench;
    bench.form.Show();
    TestHooks::PumpUntil([&] { return bench.form.Showing(); }, 2000);
    TestHooks::SendMouseDown(*bench.panel->PreviewGroupBox(), mbLeft, 20, 8, {ssShift, ssCtrl});
    TestHooks::SendMouseUp(*bench.panel->PreviewGroupBox(), mbLeft, 20, 8, {ssShift, ssCtrl});
    EXPECT_TRUE(script.ModalForms.empty());
    TestHooks::SendMouseDown(*bench.panel->PreviewGroupBox(), mbRight, 20, 8, {ssShift, ssCtrl, ssAlt});
    ASSERT_EQ(script.ModalForms.size(), 1u);
}

TEST(ThemeMaintenance, DraggingReordersOkWritesTheOrderCancelDiscardsIt)
{
    const struct Case {
        const char* Name;
        int From;
        int To;
        bool VisitOtherCategory;
        TModalResult Close;
        const char* Listed;
        const char* FileOrder;
    } cases[] = {
        {"user scheme up, OK", 4, 2, false, mrOk, "Sea Sand C* A* B*", "CAB"},
        {"user scheme up, other category, OK", 4, 2, true, mrOk, "Sea Sand C* A* B*", "CAB"},
        {"user scheme down, OK", 2, 4, false, mrOk, "Sea Sand B* C* A*", "BCA"},
        {"pre-defined scheme to the end, OK", 0, 4, false, mrOk, "Sea Sand A* B* C*", "ABC"},
        {"user scheme up, Cancel", 4, 2, false, mrCancel, "Sea Sand A* B* C*", "ABC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TThemeFolders folders;
        folders.dir.Write("user/TiCheckBoxUser.xml", kThreeUserSchemes);
        TestHooks::TModalScript script;
        TThemeBench bench;
        script.OnShowModal = [&](TForm& form) {
            auto& maintenance = Shown(form);
            maintenance.PageControl()->SimulateSelect(1);
            TiComponentEditorListBox& schemes = *maintenance.ReorderListBox();
            EXPECT_EQ(schemes.Count(), 2);  // the first category: "Classic", "Night"
            maintenance.ThemeListBox()->SimulateClick(1);
            EXPECT_EQ(schemes.Count(), 5);
            Drag(schemes, c.From, c.To);
            if (c.VisitOtherCategory) {
                maintenance.ThemeListBox()->SimulateClick(0);
                maintenance.ThemeListBox()->SimulateClick(1);
            }
            maintenance.FindControl<TButton>(c.Close == mrOk ? "iComponentEditorButton1" : "iComponentEditorButton2")
                ->Click();
            return c.Close;
        };
        OpenMaintenance(bench);
        ASSERT_EQ(script.ModalForms.size(), 1u);
        EXPECT_EQ(bench.Listed(1), c.Listed);
        const std::string bytes = FileBytes(folders.userFile);
        std::string order;
        for (std::size_t at = bytes.find("<Scheme>\r\n<Name>"); at != std::string::npos;
             at = bytes.find("<Scheme>\r\n<Name>", at + 1))
            order += bytes[at + 16];
        EXPECT_EQ(order, c.FileOrder);
        if (std::string(c.FileOrder) == "ABC") {
            EXPECT_EQ(bytes, kThreeUserSchemes);
        }
    }
}

TEST(ThemeMaintenance, PreDefinedEntriesShowLocked)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kThreeUserSchemes);
    TThemeBench bench;
    TiComponentEditorThemePanelMaintenanceForm form(&bench.form);
    form.SetThemePanel(bench.panel);
    form.ThemeListBox()->SimulateClick(1);
    bool box = false;
    TColor color = clNone;
    std::string text;
    form.ReorderListBoxGetData(0, box, color, text);
    EXPECT_EQ(text, "Pravix Scheme Type Locked");
    EXPECT_EQ(color, clRed);
    form.ReorderListBoxGetData(2, box, color, text);
    EXPECT_EQ(text, "A");
    EXPECT_EQ(color, clBlue);
    EXPECT_EQ(form.ThemeListBox()->Count(), 5);  // SchemeCount rows, hidden ones too
}

// Every scheme of every row becomes a user scheme holding exactly the row's properties, with
// the values the preview took from it; the reload lists each pre-defined scheme twice.
TEST(ThemeMaintenance, CleanAllSchemes)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kThreeUserSchemes);
    TestHooks::TModalScript script;
    TThemeBench bench;
    TModalResult answer = mrNo;
    TModalResult leftOpen = mrCancel;
    script.OnMessage = [&](const TestHooks::TMessageRecord&) { return answer; };
    script.OnShowModal = [&](TForm& form) {
        auto& maintenance = Shown(form);
        maintenance.FindControl<TButton>("CleanAllSchemesButton")->Click();
        leftOpen = maintenance.ModalResult();
        return mrCancel;
    };
    OpenMaintenance(bench);
    EXPECT_EQ(script.Messages.back().Text,
              "Are you sure you want to clean all schemes of missing/erroneous properties?");
    EXPECT_EQ(script.Messages.back().Type, mtWarning);
    EXPECT_EQ(leftOpen, mrNone);
    EXPECT_EQ(FileBytes(folders.userFile), kThreeUserSchemes);

    answer = mrYes;
    OpenMaintenance(bench);
    EXPECT_EQ(leftOpen, mrCancel);
    EXPECT_EQ(bench.Listed(0), "Classic Night Classic* Night*");
    EXPECT_EQ(bench.Listed(1), "Sea Sand Sea* Sand* A* B* C*");
    const TStringList& row = *bench.panel->GetSchemeList(1);
    EXPECT_EQ(static_cast<TStringList*>(row.GetObject(2))->Text(),
              "BackGroundColor = 16776960\r\nFont.Color = 8388608\r\n");
    // A's stale line is gone; its colour stays, and the text colour is what the preview held.
    EXPECT_EQ(static_cast<TStringList*>(row.GetObject(4))->Text(), "BackGroundColor = 255\r\nFont.Color = 19328\r\n");
}

TEST(ThemeMaintenance, CleaningARowAsksAndNeedsTheAcceptHandler)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kThreeUserSchemes);
    TestHooks::TModalScript script;
    TThemeBench bench;
    TiComponentEditorThemePanel& panel = *bench.panel;
    script.OnMessage = [](const TestHooks::TMessageRecord&) { return mrNo; };
    panel.CleanScheme(*panel.GetSchemeList(1), *panel.SchemePropertyNames(1), false);
    EXPECT_EQ(script.Messages.back().Text,
              "Are you sure you want to clean this scheme of missing/erroneous properties?");

    script.OnMessage = nullptr;  // Yes
    panel.OnAcceptChanges = nullptr;
    panel.CleanScheme(*panel.GetSchemeList(1), *panel.SchemePropertyNames(1), false);
    EXPECT_EQ(script.Messages.back().Text, "OnAcceptChanges event not assigned.  Scheme clean aborted.");
    EXPECT_EQ(script.Messages.back().Type, mtError);
    EXPECT_EQ(bench.Listed(1), "Sea Sand A* B* C*");
    EXPECT_EQ(FileBytes(folders.userFile), kThreeUserSchemes);
}

// Pictures for a person to look at: the panel with a user scheme applied, and the form's pages.
TEST(ThemeMaintenance, Pictures)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kThreeUserSchemes);
    TestHooks::TModalScript script;
    TThemeBench bench;
    bench.form.Show();
    TestHooks::PumpUntil([&] { return bench.form.Showing(); }, 2000);
    bench.Pick(0, "Night");
    bench.Pick(1, "B");
    SavePicture(*bench.panel, "theme-panel");

    script.OnShowModal = [&](TForm& form) {
        auto& maintenance = Shown(form);
        SavePicture(maintenance, "theme-maintenance-general");
        maintenance.PageControl()->SimulateSelect(1);
        maintenance.ThemeListBox()->SimulateClick(1);
        maintenance.ReorderListBox()->SetItemIndex(3);
        TestHooks::PumpFor(50);
        SavePicture(maintenance, "theme-maintenance-ordering");
        return mrCancel;
    };
    OpenMaintenance(bench);
    EXPECT_TRUE(std::filesystem::exists("theme_gallery/theme-maintenance-ordering.png"));
}

}  // namespace
