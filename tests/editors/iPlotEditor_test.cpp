// The plot editor as a user meets it: opened from the plot, each change seen on the plot at
// once, the lists kept in step with the plot while it is open.

#include "PlotEditorBench.h"

#include "editors/iPlotLayoutViewer.h"
#include "platform/canvas/RecordingCanvas.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"
#include "plot/control/iXYPlot.h"
#include "plot/objects/iPlotLabel.h"
#include "plot/objects/iPlotToolBar.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Clicks the toolbar's Properties button where the plot drew it.
void ClickPropertiesButton(TiPlot& plot)
{
    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    auto* bar = dynamic_cast<TiPlotToolBar*>(plot.GetToolBarObject(0));
    ASSERT_NE(bar, nullptr);
    const TRect r = bar->GetButton(iptbbtEdit)->GetDrawRect();
    ASSERT_GT(r.Width(), 0);
    TestHooks::SendClick(plot, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// Types into an edit as the user does: focus, select all, type.
void TypeInto(TiComponentEditorEdit& edit, const std::string& text)
{
    edit.SetFocus();
    TestHooks::PumpUntil([&edit] { return edit.Focused(); }, 2000);
    edit.SelectAll();
    edit.SimulateTyping(text);
}

// Whether the picture holds the colour anywhere inside the rectangle.
bool ColourInside(TBitmap& picture, const TRect& r, TColor colour)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (picture.Canvas().GetPixel(x, y) == colour)
                return true;
    return false;
}

// The title, as the user changes it on the channel page, and the colour, through the colour
// dialog: the plot shows both at once and its property file keeps them.
TEST(PlotEditorUser, ChannelTitleAndColourReachThePlotItsLegendAndItsFile)
{
    TempDir folder;
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.AddChannel();
    TiPlotChannel& channel = *plot.GetChannel(1);
    for (int i = 0; i <= 100; ++i)
        channel.AddXY(i, 50);

    ClickPropertiesButton(plot);
    ASSERT_TRUE(bench.EditorOpen()) << "the Properties button opens the editor";
    TiPlotEditorForm& form = bench.Editor();
    TestHooks::PumpUntil([&form] { return form.Showing(); }, 2000);

    bench.ShowPage("ChannelGeneralTabSheet");
    bench.Control<TiComponentEditorListBox>("ChannelListBox").SimulateClick(1);
    auto& title = bench.Control<TiComponentEditorEdit>("ChannelTitleEdit");
    EXPECT_EQ(title.GetAsString(), channel.TitleText());
    TypeInto(title, "Turbidity");
    TestHooks::SendKey(title, VK_RETURN);
    EXPECT_EQ(channel.TitleText(), "Turbidity");

    // Typed but not committed: Escape brings the committed text back and writes nothing.
    TypeInto(title, "Nonsense");
    EXPECT_EQ(channel.TitleText(), "Turbidity");
    TestHooks::SendKey(title, VK_ESCAPE);
    EXPECT_EQ(title.GetAsString(), "Turbidity");
    bench.Control<TiComponentEditorEdit>("ChannelNameEdit").SetFocus();
    TestHooks::PumpFor(0);
    EXPECT_EQ(channel.TitleText(), "Turbidity");

    const TColor green = RGB(0, 200, 90);
    {
        TestHooks::TModalScript script;
        script.OnColorDialog = [green](TColorRequest& request) {
            request.Color = green;
            return true;
        };
        TestHooks::SendClick(*bench.Control<TiComponentEditorColorPicker>("ChannelColorPicker").Button(), 5, 5);
        ASSERT_EQ(script.ColorDialogs.size(), 1u);
    }
    EXPECT_EQ(channel.Color(), green);

    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    EXPECT_TRUE(ColourInside(picture, plot.GetDataView(0)->GetDrawRect(), green)) << "the trace in the new colour";
    TRecordingCanvas canvas;
    plot.iPaintTo(canvas);
    const TRect legend = plot.GetLegend(0)->GetDrawRect();
    bool titleInLegend = false;
    for (const TCanvasRecord& record : canvas.Records())
        if (record.Text == "Turbidity" && !record.Points.empty() && PtInRect(legend, record.Points.front()))
            titleInLegend = true;
    EXPECT_TRUE(titleInLegend) << "the legend shows the new title";

    plot.SavePropertiesToFile(folder.Path("plot.rbs"));
    const std::string file = ReadFile(folder.Path("plot.rbs"));
    EXPECT_NE(file.find("TitleText = Turbidity"), std::string::npos);
    EXPECT_NE(file.find("Color = " + std::to_string(green)), std::string::npos);
}

// The modal editor runs inside the click; the plot keeps what the user did there.
TEST(PlotEditorUser, ModalEditorOpensFromTheButtonAndClosesWithItsPagesKept)
{
    TPlotEditorBench bench(ipfsModal);
    int afterOpen = 0;
    TObject* closedForm = nullptr;
    bench.Master().OnAfterOpenEditor = [&](TObject*) { ++afterOpen; };
    bench.Master().OnAfterCloseEditor = [&](TObject* sender) { closedForm = sender; };
    TestHooks::TModalScript script;
    TiPlotEditorForm* seen = nullptr;
    script.OnShowModal = [&](TForm& form) {
        seen = dynamic_cast<TiPlotEditorForm*>(&form);
        EXPECT_NE(seen, nullptr);
        if (seen) {
            EditorControl<TPageControl>(*seen, "PageControl").SimulateSelect(2);
            EditorControl<TPageControl>(*seen, "ChannelPageControl").SimulateSelect(3);
            EditorControl<TiComponentEditorEdit>(*seen, "ChannelNameEdit").SetStringWithEvent("Depth");
        }
        return mrCancel;
    };
    ClickPropertiesButton(*bench.plot);
    ASSERT_EQ(script.ModalForms.size(), 1u);
    EXPECT_EQ(afterOpen, 1);
    EXPECT_FALSE(bench.EditorOpen()) << "a modal editor goes when it closes";
    EXPECT_EQ(closedForm, seen) << "OnAfterCloseEditor fires with the form";
    EXPECT_EQ(bench.plot->GetChannel(0)->Name(), "Depth");
    EXPECT_EQ(bench.Master().EditorPageIndex(0), 2);
    EXPECT_EQ(bench.Master().EditorPageIndex(2), 3);

    script.OnShowModal = [&](TForm& form) {
        EXPECT_EQ(EditorControl<TPageControl>(form, "PageControl").ActivePageIndex(), 2);
        EXPECT_EQ(EditorControl<TPageControl>(form, "ChannelPageControl").ActivePageIndex(), 3);
        return mrCancel;
    };
    bench.Master().EditProperties();
    EXPECT_EQ(script.ModalForms.size(), 2u);
}

// "Edit..." in a channel's popup menu opens the editor on that channel.
TEST(PlotEditorUser, EditMenuItemShowsTheObjectsPage)
{
    TPlotEditorBench bench;
    bench.plot->AddChannel();
    bench.plot->GetChannel(1)->DoEditMenuItemClick();
    TiPlotEditorForm& form = bench.Editor();
    EXPECT_EQ(&*EditorControl<TPageControl>(form, "PageControl").ActivePage(),
              &form.SheetOf(TiPlotObjectKind::Channel));
    EXPECT_EQ(form.SelectedObject(TiPlotObjectKind::Channel), bench.plot->GetChannel(1));
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("ChannelNameEdit").GetAsString(), bench.plot->GetChannel(1)->Name());
}

// As the user does it: a right click on an axis, "Edit..." in its popup menu, and the editor
// shows the axis's page with that axis selected.
TEST(PlotEditorUser, EditInAnAxisPopupMenuOpensTheEditorOnThatAxis)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.AddXAxis();
    TBitmap picture;
    TestHooks::GrabControl(plot, picture);  // lays the axes out
    const TRect axis = plot.GetXAxis(1)->GetDrawRect();
    ASSERT_GT(axis.Width(), 0);
    TestHooks::TModalScript script;
    script.OnPopup = [](const TestHooks::TMenuSnapshot& menu) -> TMenuItem* {
        for (const TestHooks::TMenuSnapshot& item : menu.Items)
            if (item.Caption == "Edit...")
                return item.Item;
        return nullptr;
    };
    TestHooks::SendClick(plot, (axis.Left + axis.Right) / 2, (axis.Top + axis.Bottom) / 2, mbRight);
    ASSERT_EQ(script.Popups.size(), 1u);
    ASSERT_TRUE(bench.EditorOpen()) << "\"Edit...\" opens the editor";
    TiPlotEditorForm& form = bench.Editor();
    EXPECT_EQ(&*EditorControl<TPageControl>(form, "PageControl").ActivePage(), &form.SheetOf(TiPlotObjectKind::XAxis));
    EXPECT_EQ(form.SelectedObject(TiPlotObjectKind::XAxis), plot.GetXAxis(1));
}

TEST(PlotEditorChannels, EmptyPageIsDisabledAndAddEnablesIt)
{
    TPlotEditorBench bench;
    bench.plot->SetUserCanAddRemoveChannels(true);
    bench.plot->RemoveAllChannels();
    TiPlotEditorForm& form = bench.Open();
    EXPECT_FALSE(bench.Control<TControl>("ChannelListBox").Enabled());
    EXPECT_FALSE(bench.Control<TControl>("ChannelRemoveButton").Enabled());
    EXPECT_FALSE(bench.Control<TControl>("ChannelNameEdit").Enabled());
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("ChannelNameEdit").GetAsString(), "");
    auto& add = bench.Control<TiComponentEditorButton>("iChannelAddButton");
    EXPECT_TRUE(add.Enabled() && add.Visible());

    bench.ShowControl(add);
    TestHooks::SendClick(add, 5, 5);
    ASSERT_EQ(bench.plot->ChannelCount(), 1);
    EXPECT_EQ(bench.Control<TiComponentEditorListBox>("ChannelListBox").Count(), 1) << "one entry, not two";
    EXPECT_EQ(form.SelectedObject(TiPlotObjectKind::Channel), bench.plot->GetChannel(0));
    EXPECT_TRUE(bench.Control<TControl>("ChannelNameEdit").Enabled());
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("ChannelNameEdit").GetAsString(), bench.plot->GetChannel(0)->Name());
    EXPECT_EQ(bench.Control<TLabel>("ChannelStatsCountDisplay").Caption(), "Click Refresh");

    auto& remove = bench.Control<TiComponentEditorButton>("ChannelRemoveButton");
    TestHooks::SendClick(remove, 5, 5);
    EXPECT_EQ(bench.plot->ChannelCount(), 0);
    EXPECT_EQ(bench.Control<TiComponentEditorListBox>("ChannelListBox").Count(), 0);
    EXPECT_FALSE(bench.Control<TControl>("ChannelNameEdit").Enabled());
    EXPECT_EQ(bench.Control<TLabel>("ChannelStatsCountDisplay").Caption(), "");
}

TEST(PlotEditorChannels, AddAndRemoveShowOnlyWhereThePlotAllowsIt)
{
    TPlotEditorBench bench;
    bench.plot->SetUserCanAddRemoveChannels(false);
    bench.Open();
    EXPECT_FALSE(bench.Control<TControl>("iChannelAddButton").Visible());
    EXPECT_FALSE(bench.Control<TControl>("ChannelRemoveButton").Visible());
}

// A channel removed by the program while the editor shows it: the page shows the channel now
// selected, so that the next commit does not write the old channel's values into that one.
TEST(PlotEditorChannels, ChannelRemovedByTheProgramLeavesThePageOnTheNextChannel)
{
    TPlotEditorBench bench;
    bench.plot->AddChannel();
    bench.plot->GetChannel(1)->SetTitleText("Second");
    bench.Open();
    ASSERT_EQ(bench.Control<TiComponentEditorEdit>("ChannelTitleEdit").GetAsString(),
              bench.plot->GetChannel(0)->TitleText());
    bench.plot->DeleteChannel(0);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("ChannelTitleEdit").GetAsString(), "Second");
    bench.Control<TiComponentEditorCheckBox>("ChannelVisibleInLegendCheckBox").SetAsBoolean(false);
    bench.Editor().ChannelChange(nullptr);
    EXPECT_EQ(bench.plot->GetChannel(0)->TitleText(), "Second");
}

TEST(PlotEditorChannels, SheetsOfTheStripChartChannelOnly)
{
    TPlotEditorBench bench;
    bench.Open();
    EXPECT_TRUE(bench.Control<TTabSheet>("ChannelFillTabSheet").TabVisible());
    EXPECT_TRUE(bench.Control<TControl>("ChannelInterpolationStyleComboBox").Visible());
    // A plot whose channels are XY channels.
    TForm window(nullptr);
    TiXYPlot xy(&window);
    xy.SetEditorFormStyle(ipfsStayOnTop);
    xy.MasterManager().EditProperties();
    TiPlotEditorForm& form = dynamic_cast<TiPlotEditorForm&>(xy.MasterManager().EditorForm()->Form());
    for (const char* sheet :
         {"ChannelFillTabSheet", "ChannelDigitalTabSheet", "ChannelHighLowTabSheet", "ChannelBarTabSheet"})
        EXPECT_FALSE(EditorControl<TTabSheet>(form, sheet).TabVisible()) << sheet;
    for (const char* control :
         {"ChannelFastDrawCheckBox", "ChannelInterpolationStyleComboBox", "ChannelInterpolationStyleComboBoxLabel"})
        EXPECT_FALSE(EditorControl<TControl>(form, control).Visible()) << control;
    // The XY channel's own rows still reach it.
    EditorControl<TiComponentEditorEdit>(form, "ChannelTitleEdit").SetStringWithEvent("XY");
    EXPECT_EQ(xy.GetChannel(0)->TitleText(), "XY");
}

// While a channel logs, its log name cannot change: the page shows the name, refuses to edit
// it, and every other edit of the page still reaches the channel.
TEST(PlotEditorChannels, LoggingChannelKeepsItsLogNameAndTakesOtherEdits)
{
    TempDir folder;
    TPlotEditorBench bench;
    TiPlotChannel& channel = *bench.plot->GetChannel(0);
    bench.Open();
    auto& logName = bench.Control<TiComponentEditorEdit>("ChannelLogFileNameEdit");
    logName.SetStringWithEvent(folder.Path("channel.log"));
    EXPECT_EQ(channel.LogFileName(), folder.Path("channel.log"));

    TestHooks::SendClick(bench.Control<TButton>("ChannelLogActivateButton"), 5, 5);
    ASSERT_TRUE(channel.LoggingActive());
    EXPECT_FALSE(logName.Enabled());
    EXPECT_EQ(logName.GetAsString(), folder.Path("channel.log")) << "shown, not cleared";
    EXPECT_FALSE(bench.Control<TControl>("ChannelLogFileNamePicker").Enabled());
    EXPECT_FALSE(bench.Control<TControl>("ChannelLogActivateButton").Enabled());
    EXPECT_TRUE(bench.Control<TControl>("ChannelLogDeactivateButton").Enabled());

    bench.Control<TiComponentEditorEdit>("ChannelTitleEdit").SetStringWithEvent("Logged");
    EXPECT_EQ(channel.TitleText(), "Logged");
    EXPECT_EQ(channel.LogFileName(), folder.Path("channel.log"));

    TestHooks::SendClick(bench.Control<TButton>("ChannelLogDeactivateButton"), 5, 5);
    EXPECT_FALSE(channel.LoggingActive());
    EXPECT_TRUE(logName.Enabled());
    EXPECT_TRUE(bench.Control<TControl>("ChannelLogActivateButton").Enabled());
    EXPECT_FALSE(bench.Control<TControl>("ChannelLogDeactivateButton").Enabled());
}

TEST(PlotEditorChannels, StatsOfAnEmptyChannelAndOfOneWithPoints)
{
    TPlotEditorBench bench;
    TiPlotChannel& channel = *bench.plot->GetChannel(0);
    bench.Open();
    auto& refresh = bench.Control<TButton>("ChannelStatsRefreshButton");
    auto text = [&bench](const char* display) { return bench.Control<TLabel>(display).Caption(); };
    EXPECT_EQ(text("ChannelStatsXMinDisplay"), "Click Refresh") << "a channel is selected when the editor opens";
    bench.ShowControl(refresh);
    TestHooks::SendClick(refresh, 5, 5);
    EXPECT_EQ(text("ChannelStatsCountDisplay"), "0");
    // No valid point: no running value to show.
    for (const char* display : {"ChannelStatsXMinDisplay", "ChannelStatsXMaxDisplay", "ChannelStatsXMeanDisplay",
                                "ChannelStatsYMinDisplay", "ChannelStatsYMaxDisplay", "ChannelStatsYMeanDisplay"})
        EXPECT_EQ(text(display), "") << display;

    channel.AddXY(1, 10);
    channel.AddXY(3, 30);
    TestHooks::SendClick(refresh, 5, 5);
    EXPECT_EQ(text("ChannelStatsCountDisplay"), "2");
    EXPECT_NE(text("ChannelStatsMemoryUsedDisplay").find(" Bytes"), std::string::npos);
    EXPECT_EQ(text("ChannelStatsXMaxDisplay"), bench.plot->GetXAxis(0)->GetLabelText(3));
    EXPECT_EQ(text("ChannelStatsYMeanDisplay"), bench.plot->GetYAxis(0)->GetLabelText(20));
    bench.plot->AddChannel();
    bench.Control<TiComponentEditorListBox>("ChannelListBox").SimulateClick(0);
    EXPECT_EQ(text("ChannelStatsCountDisplay"), "Click Refresh") << "another channel chosen";
}

// ---------------------------------------------------------------------------------------------
// Name combo boxes

TEST(PlotEditorNames, AxesAddedRenamedAndDeletedWhileOpen)
{
    TPlotEditorBench bench;
    TiPlotChannel& channel = *bench.plot->GetChannel(0);
    TBitmap picture;
    TestHooks::GrabControl(*bench.plot, picture);  // the channel has met its axes
    bench.Open();
    auto& xNames = bench.Control<TiComponentEditorComboBox>("ChannelXAxisNameComboBox");
    // What the user sees when opening the list: it is filled as it opens.
    auto dropDown = [&xNames] { xNames.OnDropDown(&xNames); };
    auto entries = [&xNames] {
        std::string list;
        for (int i = 0; i < xNames.Items()->Count(); ++i)
            list += (i ? "|" : "") + xNames.Items()->Strings(i);
        return list;
    };
    EXPECT_EQ(entries(), "<None>|X-Axis 1");
    EXPECT_EQ(xNames.GetAsString(), "X-Axis 1");

    bench.plot->AddXAxis();
    dropDown();
    EXPECT_EQ(entries(), "<None>|X-Axis 1|X-Axis 2");
    EXPECT_EQ(xNames.GetAsString(), "X-Axis 1");

    bench.plot->GetXAxis(0)->SetName("Time");
    EXPECT_EQ(channel.XAxisName(), "Time");
    EXPECT_EQ(xNames.GetAsString(), "Time");
    EXPECT_EQ(entries(), "<None>|Time|X-Axis 2") << "the previous name is gone";

    // The channel's axis goes: the channel keeps the name, and so does the combo box.
    bench.plot->DeleteXAxis(0);
    bench.Editor().UpdateChannelEdit();
    EXPECT_EQ(xNames.GetAsString(), "Time");
    EXPECT_EQ(entries(), "<None>|X-Axis 2|Time");
    bench.Control<TiComponentEditorEdit>("ChannelTitleEdit").SetStringWithEvent("Other edit");
    EXPECT_EQ(channel.XAxisName(), "Time") << "an unmatched name is written back as it is, never as empty";

    // A stored name in other letter case matches its axis.
    channel.SetXAxisName("x-axis 2");
    bench.Editor().UpdateChannelEdit();
    EXPECT_EQ(xNames.GetAsInteger(), 1);
    EXPECT_EQ(entries(), "<None>|X-Axis 2");
}

// The sentinels show translated and are stored as they are.
TEST(PlotEditorNames, TranslatedSentinelIsStoredUntranslated)
{
    TPlotEditorBench bench;
    bench.plot->AddTranslation("<None>", "<Keine>");
    TiPlotChannel& channel = *bench.plot->GetChannel(0);
    bench.Open();
    auto& xNames = bench.Control<TiComponentEditorComboBox>("ChannelXAxisNameComboBox");
    ASSERT_EQ(xNames.Items()->Strings(0), "<Keine>");
    xNames.SimulateSelect(0);
    EXPECT_EQ(channel.XAxisName(), "<None>");
    bench.Editor().UpdateChannelEdit();
    EXPECT_EQ(xNames.GetAsInteger(), 0);
    EXPECT_EQ(xNames.GetAsString(), "<Keine>");
}

// ---------------------------------------------------------------------------------------------
// The "Control" pages

TEST(PlotEditorControl, ChangesReachThePlotAtOnce)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    bench.Open();
    bench.Control<TiComponentEditorEdit>("TitleTextEdit").SetStringWithEvent("River");
    EXPECT_EQ(plot.TitleText(), "River");
    EXPECT_EQ(dynamic_cast<TiPlotLabel*>(plot.GetLabel(0))->Caption(), "River");
    bench.Control<TiComponentEditorEdit>("OuterMarginLeftEdit").SetStringWithEvent("12");
    EXPECT_EQ(plot.OuterMarginLeft(), 12);
    bench.Control<TiComponentEditorComboBox>("BackGroundGradientDirectionComboBox").SimulateSelect(3);
    EXPECT_EQ(plot.BackGroundGradientDirection(), ifdRightLeft);
    // Text that is no number is written as 0.
    bench.Control<TiComponentEditorEdit>("UpdateFrameRateEdit").SetStringWithEvent("fast");
    EXPECT_EQ(plot.UpdateFrameRate(), 0);
}

// Loading a property file shows its values on the pages, so that a later edit on a page does
// not write the values from before the load back into the plot.
TEST(PlotEditorControl, LoadedPropertiesShowOnThePages)
{
    TempDir folder;
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.SetOuterMarginTop(21);
    plot.SetBackGroundColor(RGB(10, 20, 30));
    plot.SavePropertiesToFile(folder.Path("saved.rbs"));
    plot.SetOuterMarginTop(5);
    plot.SetBackGroundColor(clBlack);
    bench.Open();
    {
        TestHooks::TModalScript script;
        script.OnFileDialog = [&](TFileDialogRequest& request) {
            request.FileName = folder.Path("saved.rbs");
            return true;
        };
        auto& load = bench.Control<TiComponentEditorOpenPicker>("ControlPropertiesOpenPicker");
        bench.ShowControl(load);
        TestHooks::SendClick(load, 5, 5);
    }
    EXPECT_EQ(plot.OuterMarginTop(), 21);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("OuterMarginTopEdit").GetAsInteger(), 21);
    bench.Control<TiComponentEditorEdit>("OuterMarginLeftEdit").SetStringWithEvent("9");
    EXPECT_EQ(plot.OuterMarginTop(), 21);
    EXPECT_EQ(plot.BackGroundColor(), RGB(10, 20, 30));
}

TEST(PlotEditorControl, PlotLogButtonsFollowTheLoggingState)
{
    TempDir folder;
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    bench.Open();
    bench.Control<TiComponentEditorEdit>("ControlLogFileNameEdit").SetStringWithEvent(folder.Path("plot.log"));
    EXPECT_EQ(plot.LogFileName(), folder.Path("plot.log"));
    EXPECT_EQ(bench.Control<TiComponentEditorSavePicker>("ControlLogFileNamePicker").FileName(),
              folder.Path("plot.log"));
    TestHooks::SendClick(bench.Control<TButton>("ControlLogActivateButton"), 5, 5);
    ASSERT_TRUE(plot.LoggingActive());
    EXPECT_FALSE(bench.Control<TControl>("ControlLogFileNameEdit").Enabled());
    EXPECT_FALSE(bench.Control<TControl>("ControlLogActivateButton").Enabled());
    EXPECT_TRUE(bench.Control<TControl>("ControlLogDeactivateButton").Enabled());
    bench.Control<TiComponentEditorEdit>("HintsPauseEdit").SetStringWithEvent("300");
    EXPECT_EQ(plot.HintsPause(), 300) << "other edits go through while the plot logs";
    TestHooks::SendClick(bench.Control<TButton>("ControlLogDeactivateButton"), 5, 5);
    EXPECT_FALSE(plot.LoggingActive());
    EXPECT_TRUE(bench.Control<TControl>("ControlLogFileNameEdit").Enabled());
}

// ---------------------------------------------------------------------------------------------
// Translation

TEST(PlotEditorTranslation, CaptionsAreTranslatedTypedTextAndNamesAreNot)
{
    TPlotEditorBench bench;
    auto add = [&](const char* from, const char* to) { bench.plot->AddTranslation(from, to); };
    add("Plot", "Diagramm");
    add("Channels", "Kanäle");
    add("Visible", "Sichtbar");
    add("Standard", "Normal");
    add("Lowered", "Vertieft");
    add("Channel 1", "Kanal 1");
    add("Delete", "Löschen");
    TiPlotEditorForm& form = bench.Open();
    EXPECT_EQ(form.Caption(), "Diagramm");
    EXPECT_EQ(form.SheetOf(TiPlotObjectKind::Channel).Caption(), "Kanäle");
    EXPECT_EQ(bench.Control<TiComponentEditorCheckBox>("ChannelVisibleCheckBox").Caption(), "Sichtbar");
    EXPECT_EQ(bench.Control<TiComponentEditorComboBox>("ChannelDataStyleComboBox").Items()->Strings(0), "Normal");
    EXPECT_EQ(bench.Control<TiComponentEditorRadioGroup>("BorderStyleRadioGroup").Items()->Strings(2), "Vertieft");
    EXPECT_EQ(bench.Control<TMenuItem>("LayoutDeleteMenuItem").Caption(), "Löschen");
    // The channel's name in its edit and in the name combo boxes stays what it is.
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("ChannelNameEdit").GetAsString(), "Channel 1");
}

// ---------------------------------------------------------------------------------------------
// Layout page

TEST(PlotEditorLayout, PopupItemsFollowTheBlockUnderTheMouse)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.AddTable();
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("LayoutTabSheet");
    TiPlotLayoutViewer& viewer = form.LayoutViewer();
    TBitmap picture;
    TestHooks::GrabControl(viewer, picture);  // lays the blocks out

    auto centreOf = [](TiPlotObject* object) {
        const TRect r = dynamic_cast<TiPlotLayoutObject*>(object)->GetLayoutRect();
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    struct Case {
        const char* Why;
        TiPlotObject* Object;
        bool CanDelete;
        bool CanHide;
    };
    const Case cases[] = {
        {"an axis can go", plot.GetXAxis(0), true, true},
        {"a table can go", plot.GetTable(0), true, true},
        {"the title label cannot go", plot.GetLabel(0), false, true},
        {"the legend stays but hides", plot.GetLegend(0), false, true},
        {"the data view neither goes nor hides", plot.GetDataView(0), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        const TPoint p = centreOf(c.Object);
        TestHooks::TModalScript script;
        script.OnPopup = [](const TestHooks::TMenuSnapshot&) -> TMenuItem* { return nullptr; };
        TestHooks::SendMouseDown(viewer, mbRight, p.X, p.Y);
        TestHooks::SendMouseUp(viewer, mbRight, p.X, p.Y);
        ASSERT_EQ(script.Popups.size(), 1u);
        const auto& items = script.Popups[0].Items;
        ASSERT_EQ(items.size(), 9u);
        EXPECT_EQ(form.LayoutObject(), c.Object);
        EXPECT_EQ(items[6].Caption, "Delete");
        EXPECT_EQ(items[6].Enabled, c.CanDelete);
        EXPECT_EQ(items[7].Enabled, c.CanHide);
        EXPECT_EQ(items[7].Checked, c.Object->Visible());
        EXPECT_TRUE(items[8].Enabled);
    }
}

TEST(PlotEditorLayout, DeleteForgetsTheBlockAndEditShowsItsPage)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.AddTable();
    plot.AddXAxis();
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("LayoutTabSheet");
    TiPlotLayoutViewer& viewer = form.LayoutViewer();
    TBitmap picture;
    auto popupOn = [&](TiPlotObject* object, const char* item) {
        TestHooks::GrabControl(viewer, picture);
        const TRect r = dynamic_cast<TiPlotLayoutObject*>(object)->GetLayoutRect();
        TestHooks::TModalScript script;
        script.OnPopup = [&](const TestHooks::TMenuSnapshot& menu) -> TMenuItem* {
            for (const auto& entry : menu.Items)
                if (entry.Caption == item)
                    return entry.Enabled ? entry.Item : nullptr;
            return nullptr;
        };
        TestHooks::SendMouseDown(viewer, mbRight, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        TestHooks::SendMouseUp(viewer, mbRight, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };

    popupOn(plot.GetTable(0), "Edit");
    EXPECT_EQ(EditorControl<TPageControl>(form, "PageControl").ActivePage(), &form.SheetOf(TiPlotObjectKind::Table));
    EXPECT_EQ(form.SelectedObject(TiPlotObjectKind::Table), plot.GetTable(0));

    bench.ShowPage("LayoutTabSheet");
    const int axes = plot.XAxisCount();
    popupOn(plot.GetXAxis(1), "Delete");
    EXPECT_EQ(plot.XAxisCount(), axes - 1);
    EXPECT_EQ(form.LayoutObject(), nullptr) << "no pointer to the freed axis is kept";

    popupOn(plot.GetLegend(0), "Visible");
    EXPECT_FALSE(plot.GetLegend(0)->Visible());
    const bool reversed = bench.Master().XYAxesReverse();
    popupOn(plot.GetLegend(0), "XY-Axes Reverse");
    EXPECT_NE(bench.Master().XYAxesReverse(), reversed);
}

// The master manager removes a block the popup menu was opened on: the form forgets it.
TEST(PlotEditorLayout, BlockRemovedByTheProgramIsForgotten)
{
    TPlotEditorBench bench;
    bench.plot->AddTable();
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("LayoutTabSheet");
    TBitmap picture;
    TestHooks::GrabControl(form.LayoutViewer(), picture);
    const TRect r = dynamic_cast<TiPlotLayoutObject*>(bench.plot->GetTable(0))->GetLayoutRect();
    TestHooks::SendMouseDown(form.LayoutViewer(), mbLeft, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    TestHooks::SendMouseUp(form.LayoutViewer(), mbLeft, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    ASSERT_EQ(form.LayoutObject(), bench.plot->GetTable(0));
    bench.plot->DeleteTable(0);
    EXPECT_EQ(form.LayoutObject(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Stay on top

// The stay-on-top editor follows the plot on every change of its activation; what the user
// typed and did not commit yet is committed first instead of thrown away.
TEST(PlotEditorStayOnTop, ActivationCommitsTypedTextThenShowsThePlot)
{
    TPlotEditorBench bench;
    TiPlotChannel& channel = *bench.plot->GetChannel(0);
    TiPlotEditorForm& form = bench.Open();
    auto& title = bench.Control<TiComponentEditorEdit>("ChannelTitleEdit");
    bench.ShowControl(title);
    TypeInto(title, "Typed");
    bench.plot->AddXAxis();
    form.ActivationChanged(false);
    EXPECT_EQ(channel.TitleText(), "Typed");
    EXPECT_EQ(bench.Control<TiComponentEditorComboBox>("ChannelXAxisNameComboBox").Items()->Count(), 3)
        << "the page lists the axis the plot got meanwhile";
}

TEST(PlotEditorStayOnTop, ClosingForgetsTheEditorAndFiresAfterClose)
{
    TPlotEditorBench bench;
    int closed = 0;
    bench.Master().OnAfterCloseEditor = [&](TObject*) { ++closed; };
    TiPlotEditorForm& form = bench.Open();
    form.Close();
    EXPECT_FALSE(bench.EditorOpen());
    TestHooks::PumpUntil([&closed] { return closed > 0; }, 2000);
    EXPECT_EQ(closed, 1);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// A plot that streams

// Sixteen channels take points all the while the editor is opened from the toolbar, walked
// through, edited (a data style change remakes a channel's point list under the stream) and
// closed again.
TEST(PlotEditorLive, EditingWhileSixteenChannelsStream)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.SetUserCanAddRemoveChannels(true);
    while (plot.ChannelCount() < 16)
        plot.AddChannel();
    for (int c = 0; c < plot.ChannelCount(); ++c)
        plot.GetChannel(c)->SetRingBufferSize(2000);
    int x = 0;
    auto stream = [&](int lines) {
        for (int i = 0; i < lines; ++i, ++x)
            for (int c = 0; c < plot.ChannelCount(); ++c)
                plot.GetChannel(c)->AddXY(x, c + std::sin(x * 0.01 * (c + 1)));
        TestHooks::PumpFor(1);
    };
    stream(300);
    ClickPropertiesButton(plot);
    ASSERT_TRUE(bench.EditorOpen());
    TiPlotEditorForm& form = bench.Editor();
    auto& list = bench.Control<TiComponentEditorListBox>("ChannelListBox");
    TestHooks::TModalScript script;
    script.OnColorDialog = [](TColorRequest& request) {
        request.Color = RGB(250, 120, 10);
        return true;
    };
    for (int step = 0; step < 48; ++step) {
        stream(40);
        list.SimulateClick(step % list.Count());
        switch (step % 6) {
        case 0:
            bench.Control<TiComponentEditorEdit>("ChannelTitleEdit").SetStringWithEvent("Live " + std::to_string(step));
            break;
        case 1: bench.Control<TiComponentEditorComboBox>("ChannelDataStyleComboBox").SimulateSelect(step % 4); break;
        case 2:
            TestHooks::SendClick(*bench.Control<TiComponentEditorColorPicker>("ChannelColorPicker").Button(), 5, 5);
            break;
        case 3: form.RefreshChannelStats(); break;
        case 4: bench.Control<TiComponentEditorEdit>("ChannelRingBufferSizeEdit").SetStringWithEvent("500"); break;
        case 5: form.ActivationChanged(step % 2 == 0); break;
        }
        if (step % 8 == 7) {
            bench.ShowPage(step % 16 == 7 ? "LayoutTabSheet" : "ChannelStatsTabSheet");
            TBitmap picture;
            TestHooks::GrabControl(form, picture);
        }
    }
    TestHooks::SendClick(bench.Control<TiComponentEditorButton>("ChannelRemoveButton"), 5, 5);
    EXPECT_EQ(plot.ChannelCount(), 15);
    stream(100);
    form.Close();
    TestHooks::PumpUntil([&bench] { return !bench.EditorOpen(); }, 2000);
    stream(100);
    EXPECT_EQ(plot.GetChannel(0)->GetCount() > 0, true);
}

// A closed stay-on-top editor goes once its closing has completed; a plot destroyed before
// then leaves it nothing to call back.
TEST(PlotEditorStayOnTop, PlotGoingBeforeTheClosedEditorIsHarmless)
{
    TForm window(nullptr);
    auto* plot = new TiPlot(&window);
    plot->SetEditorFormStyle(ipfsStayOnTop);
    int closed = 0;
    plot->MasterManager().OnAfterCloseEditor = [&closed](TObject*) { ++closed; };
    plot->MasterManager().EditProperties();
    ASSERT_NE(plot->MasterManager().EditorForm(), nullptr);
    plot->MasterManager().EditorForm()->Form().Close();
    delete plot;
    TestHooks::PumpFor(20);
    EXPECT_EQ(closed, 0) << "the plot that would hear of it is gone";
}
