// The legend, table, data cursor, limit and label pages of the plot editor: every binding row
// both ways, each page driven once as a user drives it with the plot checked after, the lists
// and name combo boxes kept in step by Add and Remove, and every enumeration item of the whole
// editor standing for its declared value.

#include "PlotEditorRowWalk.h"

#include "editors/iPlotEditor_p.h"
#include "platform/canvas/RecordingCanvas.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/ComCtrls.h"
#include "plot/objects/iPlotDataCursor.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLabel.h"
#include "plot/objects/iPlotLegend.h"
#include "plot/objects/iPlotLimit.h"
#include "plot/objects/iPlotTable.h"
#include "support/SourcePaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using K = TiPlotObjectKind;
using plot_editor_walk::WalkRows;

// One more of each kind these pages edit than a new plot has (a new plot has a legend and its
// title label, but no data cursor, limit or table).
void AddOneOfEach(TiPlot& plot)
{
    plot.AddDataCursor();
    plot.AddLimit();
    plot.AddLabel();
    plot.AddTable();
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

// A colour through the picker's dialog, as the user picks it.
void PickColour(TiComponentEditorColorPicker& picker, TColor colour)
{
    TestHooks::TModalScript script;
    script.OnColorDialog = [colour](TColorRequest& request) {
        request.Color = colour;
        return true;
    };
    TestHooks::SendClick(*picker.Button(), 5, 5);
    ASSERT_EQ(script.ColorDialogs.size(), 1u) << picker.Name();
}

void Click(TControl& control) { TestHooks::SendClick(control, 8, control.Height() / 2); }

// How many pixels of the colour the row y holds between x0 and x1.
int CountInRow(TBitmap& picture, int y, int x0, int x1, TColor colour)
{
    int count = 0;
    for (int x = x0; x < x1; ++x)
        count += picture.Canvas().GetPixel(x, y) == colour;
    return count;
}

bool ColourInside(TBitmap& picture, const TRect& r, TColor colour)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        if (CountInRow(picture, y, r.Left, r.Right, colour) > 0)
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------------
// Every binding row of each page

struct TPageCase {
    const char* Name;
    TiPlotObjectKind Kind;
    std::span<const TiEditorBinding> (*Bindings)();
};

class PlotEditorObjectPageRows : public ::testing::TestWithParam<TPageCase> {};

// On the page's last object (the added label, not the title label).
TEST_P(PlotEditorObjectPageRows, EveryRowBothWays)
{
    const TPageCase& page = GetParam();
    TPlotEditorBench bench;
    AddOneOfEach(*bench.plot);
    TiPlotEditorForm& form = bench.Open();
    TiComponentEditorListBox& list = form.ListOf(page.Kind);
    ASSERT_GT(list.Count(), 0);
    list.SetItemIndex(list.Count() - 1);
    form.UpdatePage(page.Kind);
    TiPlotObject* object = form.SelectedObject(page.Kind);
    ASSERT_NE(object, nullptr);
    WalkRows(bench, *object, page.Bindings(), [&form, &page] { form.UpdatePage(page.Kind); });
}

INSTANTIATE_TEST_SUITE_P(PlotEditorBindings, PlotEditorObjectPageRows,
                         ::testing::Values(TPageCase{"Legend", K::Legend, LegendBindings},
                                           TPageCase{"Table", K::Table, TableBindings},
                                           TPageCase{"DataCursor", K::DataCursor, DataCursorBindings},
                                           TPageCase{"Limit", K::Limit, LimitBindings},
                                           TPageCase{"Label", K::Label, LabelBindings}),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------------
// Enumerations

// The first object of a kind as the enumeration data file names it.
TObject* ObjectNamed(TiPlot& plot, const std::string& key)
{
    const std::map<std::string, std::function<TObject*()>> objects = {
        {"Plot", [&] { return static_cast<TObject*>(&plot); }},
        {"Channel", [&] { return static_cast<TObject*>(plot.GetChannel(0)); }},
        {"XAxis", [&] { return static_cast<TObject*>(plot.GetXAxis(0)); }},
        {"YAxis", [&] { return static_cast<TObject*>(plot.GetYAxis(0)); }},
        {"Legend", [&] { return static_cast<TObject*>(plot.GetLegend(0)); }},
        {"Table", [&] { return static_cast<TObject*>(plot.GetTable(0)); }},
        {"DataView", [&] { return static_cast<TObject*>(plot.GetDataView(0)); }},
        {"DataCursor", [&] { return static_cast<TObject*>(plot.GetDataCursor(0)); }},
        {"Limit", [&] { return static_cast<TObject*>(plot.GetLimit(0)); }},
        {"Label", [&] { return static_cast<TObject*>(plot.GetLabel(0)); }},
    };
    const auto it = objects.find(key);
    return it == objects.end() ? nullptr : it->second();
}

int ItemCount(TComponent& control)
{
    if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&control))
        return combo->Items()->Count();
    if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&control))
        return radio->Items()->Count();
    return -1;
}

void ShowItem(TComponent& control, int index)
{
    if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&control))
        combo->SetAsInteger(index);
    else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&control))
        radio->SetAsInteger(index);
}

int ShownItem(TComponent& control)
{
    if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&control))
        return combo->GetAsInteger();
    if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&control))
        return radio->GetAsInteger();
    return -2;
}

// One line of the data file per control: item i is written as the value the file names, and
// that value set on the object shows as item i. An X-axis line checks its Y-axis twin too.
TEST(PlotEditorEnumerations, EveryItemStandsForItsDeclaredValueAndBack)
{
    TPlotEditorBench bench;
    AddOneOfEach(*bench.plot);
    TiPlotEditorForm& form = bench.Open();
    std::ifstream file(SourcePath("tests/editors/data/PlotEditorEnumerations.txt"));
    ASSERT_TRUE(file.good());
    const TiEditorTranslate same = [](const std::string& text) { return text; };
    std::string line;
    int checked = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> fields = Split(line, '\t');
        ASSERT_EQ(fields.size(), 4u) << line;
        std::vector<std::pair<std::string, std::string>> controls = {{fields[0], fields[1]}};
        if (fields[1] == "XAxis")
            controls.push_back({"YAxis" + fields[0].substr(5), "YAxis"});
        const std::vector<std::string> values = Split(fields[3], '|');
        for (const auto& [name, objectKey] : controls) {
            SCOPED_TRACE(name);
            TComponent* control = form.FindComponent(name);
            ASSERT_NE(control, nullptr);
            TObject* object = ObjectNamed(*bench.plot, objectKey);
            ASSERT_NE(object, nullptr) << objectKey;
            const TPropertyRef property = FindProperty(*object, fields[2]);
            ASSERT_TRUE(property) << objectKey << " publishes no " << fields[2];
            const TTypeInfo& type = property.Info->Type();
            ASSERT_EQ(type.Kind, tkEnumeration) << fields[2];
            ASSERT_EQ(ItemCount(*control), int(values.size()));
            const TiEditorBinding row[] = {{name, fields[2]}};
            for (int i = 0; i < int(values.size()); ++i) {
                ShowItem(*control, i);
                StoreBoundControls(form, row, *object, same);
                EXPECT_EQ(type.EnumName(property.GetOrd()), values[std::size_t(i)]) << "item " << i;
            }
            for (int i = int(values.size()) - 1; i >= 0; --i) {
                const int ordinal = type.EnumOrdinal(values[std::size_t(i)]);
                ASSERT_GE(ordinal, 0) << type.Name << " declares no " << values[std::size_t(i)];
                property.SetOrd(ordinal);
                LoadBoundControls(form, row, *object, same);
                EXPECT_EQ(ShownItem(*control), i) << values[std::size_t(i)];
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 59);
}

// ---------------------------------------------------------------------------------------------
// Each page as a user drives it

// A limit made on the page, turned into a Y band, dragged on the plot and then typed in: the
// plot fills the band where the numbers say.
TEST(PlotEditorLimits, BandDraggedIntoPlaceThenEditedNumerically)
{
    TestHooks::TModalScript modal;  // context menus pick nothing
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("LimitGeneralTabSheet");
    EXPECT_FALSE(bench.Control<TControl>("LimitNameEdit").Enabled()) << "no limit yet";
    Click(bench.Control<TiComponentEditorButton>("iLimitAddButton"));
    ASSERT_EQ(plot.LimitCount(), 1);
    auto* limit = dynamic_cast<TiPlotLimit*>(plot.GetLimit(0));
    ASSERT_NE(limit, nullptr);
    EXPECT_EQ(form.SelectedObject(K::Limit), limit);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("LimitNameEdit").GetAsString(), limit->Name());

    bench.Control<TiComponentEditorComboBox>("LimitStyleComboBox").SimulateSelect(3);
    EXPECT_EQ(limit->Style(), iplsBandY);
    const TColor green = RGB(0, 160, 60);
    PickColour(bench.Control<TiComponentEditorColorPicker>("LimitColorPicker"), green);
    EXPECT_EQ(limit->Color(), green);
    auto& canMove = bench.Control<TiComponentEditorCheckBox>("LimitUserCanMoveCheckBox");
    if (!canMove.Checked())
        Click(canMove);
    EXPECT_TRUE(limit->UserCanMove());
    bench.Control<TiComponentEditorEdit>("LimitLine1PositionEdit").SetStringWithEvent("20");
    bench.Control<TiComponentEditorEdit>("LimitLine2PositionEdit").SetStringWithEvent("40");
    EXPECT_EQ(limit->Line1Position(), 20);
    EXPECT_EQ(limit->Line2Position(), 40);

    // The upper edge dragged from 40 to 70 in select mode.
    plot.SetSelectModeActive(true);
    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    TiPlotYAxis* y = plot.GetYAxis(0);
    const TRect view = plot.GetDataViewRect();
    const int x = (view.Left + view.Right) / 2 + 3;
    TestHooks::SendMouseDown(plot, mbLeft, x, y->PositionToPixels(40));
    TestHooks::SendMouseMove(plot, x, y->PositionToPixels(70), {ssLeft});
    TestHooks::GrabControl(plot, picture);
    TestHooks::SendMouseUp(plot, mbLeft, x, y->PositionToPixels(70));
    EXPECT_NEAR(limit->Line2Position(), 70, 100.0 / y->GetSpanLength());

    // Back in the editor (it stays on top): the page shows where the band lies now.
    form.ActivationChanged(true);
    EXPECT_NEAR(bench.Control<TiComponentEditorEdit>("LimitLine2PositionEdit").GetAsFloat(), 70,
                100.0 / y->GetSpanLength());

    bench.Control<TiComponentEditorEdit>("LimitLine2PositionEdit").SetStringWithEvent("60");
    EXPECT_EQ(limit->Line2Position(), 60);
    EXPECT_EQ(limit->Line1Position(), 20) << "the other line stays";
    plot.SetSelectModeActive(false);
    TestHooks::GrabControl(plot, picture);
    TPlotEditorBench::SavePNG(picture, "plot-editor-limit-band.png");
    // Rows between the grid lines (every 20).
    const int inside = y->PositionToPixels(35), above = y->PositionToPixels(67), below = y->PositionToPixels(13);
    EXPECT_GT(CountInRow(picture, inside, view.Left + 2, view.Right - 2, green), (view.Right - view.Left) / 2)
        << "filled between 20 and 60";
    EXPECT_EQ(CountInRow(picture, above, view.Left + 2, view.Right - 2, green), 0);
    EXPECT_EQ(CountInRow(picture, below, view.Left + 2, view.Right - 2, green), 0);
}

// A table made on the page, given a column and rows by the program, its grid and background set
// on the page: the plot draws them. A table edit refreshes no other page; a legend edit does.
TEST(PlotEditorTables, ColumnAddedAndFilledShowsThePageSettingsAndRefreshesNoOtherPage)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("TableGeneralTabSheet");
    Click(bench.Control<TiComponentEditorButton>("iTableAddButton"));
    ASSERT_EQ(plot.TableCount(), 1);
    auto* table = dynamic_cast<TiPlotTable*>(plot.GetTable(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(form.SelectedObject(K::Table), table);
    table->AddColumn("Sample");
    table->AddColumn("NTU");
    for (int row = 0; row < 3; ++row) {
        table->AddRow();
        table->SetData(0, row, "River " + std::to_string(row));
        table->SetData(1, row, std::to_string(4 + row) + ".2");
    }
    ASSERT_EQ(table->GetColumnCount(), 2);

    bench.ShowPage("TableGridTabSheet");
    auto& transparent = bench.Control<TiComponentEditorCheckBox>("TableGridBackGroundTransparentCheckBox");
    if (transparent.Checked())
        Click(transparent);
    const TColor yellow = RGB(250, 240, 90);
    PickColour(bench.Control<TiComponentEditorColorPicker>("TableGridBackgroundColorPicker"), yellow);
    auto& lines = bench.Control<TiComponentEditorCheckBox>("TableGridLinesShowCheckBox");
    if (!lines.Checked())
        Click(lines);
    const TColor red = RGB(220, 20, 30);
    PickColour(bench.Control<TiComponentEditorColorPicker>("TableGridLinesColorPicker"), red);
    EXPECT_FALSE(table->GridBackGroundTransparent());
    EXPECT_TRUE(table->GridLinesShow());

    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    const TRect drawn = table->GetDrawRect();
    ASSERT_GT(drawn.Width(), 0);
    EXPECT_TRUE(ColourInside(picture, drawn, yellow)) << "the grid's background";
    EXPECT_TRUE(ColourInside(picture, drawn, red)) << "the grid lines";
    TRecordingCanvas canvas;
    plot.iPaintTo(canvas);
    bool cell = false;
    for (const TCanvasRecord& record : canvas.Records())
        cell = cell || record.Text == "River 2";
    EXPECT_TRUE(cell) << "the last row is drawn";

    // The layout sheet commits through the table page; nothing else is shown again.
    auto* title = dynamic_cast<TiPlotLabel*>(plot.GetLabel(0));
    ASSERT_NE(title, nullptr);
    bench.ShowPage("LabelGeneralTabSheet");
    const std::string shown = bench.Control<TiComponentEditorEdit>("LabelCaptionMemo").GetAsString();
    title->SetCaption("Changed by the program");
    bench.ShowPage("TableLayoutTabSheet");
    bench.Control<TiComponentEditorEdit>("TableStartPercentEdit").SetStringWithEvent("10");
    bench.Control<TiComponentEditorEdit>("TableStopPercentEdit").SetStringWithEvent("60");
    EXPECT_EQ(table->StartPercent(), 10);
    EXPECT_EQ(table->StopPercent(), 60);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("LabelCaptionMemo").GetAsString(), shown);

    bench.ShowPage("LegendGeneralTabSheet");
    Click(bench.Control<TiComponentEditorCheckBox>("LegendPopupEnabledCheckbox"));
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("LabelCaptionMemo").GetAsString(), "Changed by the program")
        << "a legend edit shows every page again";
}

// A data cursor made on the page follows the channel picked from its combo box, and its
// pointer is drawn where the typed position says, in the colour picked.
TEST(PlotEditorCursors, CursorFollowsThePickedChannelAndDrawsItsPointerWhereTyped)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.AddChannel();
    for (int i = 0; i <= 100; ++i)
        plot.GetChannel(1)->AddXY(i, 50);
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("DataCursorGeneralTabSheet");
    const int before = plot.DataCursorCount();
    Click(bench.Control<TiComponentEditorButton>("iDataCursorAddButton"));
    ASSERT_EQ(plot.DataCursorCount(), before + 1);
    auto* cursor = dynamic_cast<TiPlotDataCursor*>(plot.GetDataCursor(before));
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(form.SelectedObject(K::DataCursor), cursor);

    bench.ShowPage("DataCursorChannelTabSheet");
    auto& channels = bench.Control<TiComponentEditorComboBox>("DataCursorChannelNameComboBox");
    channels.OnDropDown(&channels);
    ASSERT_EQ(channels.Items()->Count(), 3);
    EXPECT_EQ(channels.Items()->Strings(0), kAllName) << "every channel before the channels";
    EXPECT_EQ(channels.Items()->Strings(2), plot.GetChannel(1)->Name());
    channels.SimulateSelect(2);
    EXPECT_EQ(cursor->ChannelName(), plot.GetChannel(1)->Name());

    bench.ShowPage("DataCursorGeneralTabSheet");
    bench.Control<TiComponentEditorComboBox>("DataCursorStyleComboBox").SimulateSelect(1);
    EXPECT_EQ(cursor->Style(), ipcsValueX);
    auto& useChannel = bench.Control<TiComponentEditorCheckBox>("DataCursorUseChannelColorCheckBox");
    if (useChannel.Checked())
        Click(useChannel);
    const TColor magenta = RGB(200, 0, 200);
    PickColour(bench.Control<TiComponentEditorColorPicker>("DataCursorColorPicker"), magenta);
    bench.Control<TiComponentEditorEdit>("DataCursorPointer1PositionEdit").SetStringWithEvent("30");
    auto& snap = bench.Control<TiComponentEditorCheckBox>("DataCursorSnapToDataPointCheckBox");
    Click(snap);
    EXPECT_EQ(cursor->SnapToDataPoint(), snap.Checked());
    EXPECT_EQ(cursor->Pointer1Position(), 30);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("DataCursorPointer1PositionEdit").GetAsFloat(), 30);

    cursor->SetVisible(true);
    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    TiPlotDataView* view = cursor->DataView();
    ASSERT_NE(view, nullptr);
    const TRect r = view->GetDrawRect();
    const int x = view->PositionPercentToPixelsX(30);
    for (int yy : {r.Top + 3, r.Bottom - 3})
        EXPECT_EQ(picture.Canvas().GetPixel(x, yy), magenta) << "the pointer at 30 %";
    EXPECT_NE(picture.Canvas().GetPixel(view->PositionPercentToPixelsX(60), r.Bottom - 3), magenta);
}

// The legend's background and visibility set on the page show on the plot, whatever the
// channel page selects, and also on a plot without channels.
TEST(PlotEditorLegend, BackgroundAndVisibilityShowOnThePlot)
{
    for (bool withChannels : {true, false}) {
        SCOPED_TRACE(withChannels ? "with a channel" : "without channels");
        TPlotEditorBench bench;
        TiPlot& plot = *bench.plot;
        if (!withChannels)
            plot.RemoveAllChannels();
        TiPlotEditorForm& form = bench.Open();
        ASSERT_NE(form.SelectedObject(K::Legend), nullptr);
        auto* legend = dynamic_cast<TiPlotLegend*>(plot.GetLegend(0));
        ASSERT_NE(legend, nullptr);
        bench.ShowPage("LegendGeneralTabSheet");
        auto& transparent = bench.Control<TiComponentEditorCheckBox>("LegendBackGroundTransparentCheckBox");
        if (transparent.Checked())
            Click(transparent);
        const TColor teal = RGB(20, 150, 150);
        PickColour(bench.Control<TiComponentEditorColorPicker>("LegendBackgroundColorPicker"), teal);
        bench.Control<TiComponentEditorEdit>("LegendTopMarginEdit").SetStringWithEvent("3");
        EXPECT_EQ(legend->MarginTop(), 3);
        EXPECT_EQ(legend->BackGroundColor(), teal);
        EXPECT_FALSE(legend->BackGroundTransparent());

        TBitmap picture;
        TestHooks::GrabControl(plot, picture);
        const TRect drawn = legend->GetDrawRect();
        if (withChannels) {
            EXPECT_TRUE(ColourInside(picture, drawn, teal)) << "the legend's background";
        }
        Click(bench.Control<TiComponentEditorCheckBox>("LegendVisibleCheckbox"));
        EXPECT_FALSE(legend->Visible());
        TestHooks::GrabControl(plot, picture);
        EXPECT_FALSE(ColourInside(picture, TRect(0, 0, picture.GetWidth(), picture.GetHeight()), teal)) << "no legend";
    }
}

// The first label is the plot's title: it cannot be removed, and its edits show on the "Title"
// sheet too. Another label can be added and removed and leaves the title sheet alone.
TEST(PlotEditorLabels, TitleLabelIsTiedToTheTitleSheetAndStays)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    bench.Open();
    ASSERT_EQ(plot.LabelCount(), 1);
    auto* title = dynamic_cast<TiPlotLabel*>(plot.GetLabel(0));
    ASSERT_NE(title, nullptr);
    bench.ShowPage("LabelGeneralTabSheet");
    auto& labels = bench.Control<TiComponentEditorListBox>("LabelListBox");
    labels.SimulateClick(0);
    auto& remove = bench.Control<TiComponentEditorButton>("LabelRemoveButton");
    EXPECT_FALSE(remove.Enabled()) << "the title label stays";

    auto& caption = bench.Control<TiComponentEditorEdit>("LabelCaptionMemo");
    caption.SetStringWithEvent("Turbidity run 7");
    bench.Control<TiComponentEditorEdit>("LabelMarginBottomEdit").SetStringWithEvent("12");
    EXPECT_EQ(title->Caption(), "Turbidity run 7");
    EXPECT_EQ(title->MarginBottom(), 12);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("TitleTextEdit").GetAsString(), "Turbidity run 7");
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("TitleMarginEdit").GetAsInteger(), 12);
    Click(bench.Control<TiComponentEditorCheckBox>("LabelVisibleCheckBox"));
    EXPECT_FALSE(title->Visible());
    EXPECT_FALSE(bench.Control<TiComponentEditorCheckBox>("TitleVisibleCheckBox").Checked());
    Click(bench.Control<TiComponentEditorCheckBox>("LabelVisibleCheckBox"));
    TRecordingCanvas canvas;
    plot.iPaintTo(canvas);
    bool drawn = false;
    for (const TCanvasRecord& record : canvas.Records())
        drawn = drawn || record.Text == "Turbidity run 7";
    EXPECT_TRUE(drawn) << "the plot shows its new title";

    Click(bench.Control<TiComponentEditorButton>("iLabelAddButton"));
    ASSERT_EQ(plot.LabelCount(), 2);
    EXPECT_EQ(labels.ItemIndex(), 1);
    EXPECT_TRUE(remove.Enabled());
    caption.SetStringWithEvent("Upstream");
    EXPECT_EQ(dynamic_cast<TiPlotLabel*>(plot.GetLabel(1))->Caption(), "Upstream");
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>("TitleTextEdit").GetAsString(), "Turbidity run 7");
    Click(remove);
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(labels.Count(), 1);
    EXPECT_EQ(title->Caption(), "Turbidity run 7");
}

// ---------------------------------------------------------------------------------------------
// Lists and name combo boxes

struct TListCase {
    const char* Name;
    TiPlotObjectKind Kind;
    const char* Sheet;
    const char* AddButton;
    const char* RemoveButton;
    const char* NameEdit;
};

class PlotEditorObjectLists : public ::testing::TestWithParam<TListCase> {};

// Add makes an object, lists it and shows it; Remove frees it, lists it no more and leaves the
// page on what remains. The name combo boxes of the other pages keep their objects' names.
TEST_P(PlotEditorObjectLists, AddAndRemoveKeepListsAndNameCombosInStep)
{
    const TListCase& page = GetParam();
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    AddOneOfEach(plot);
    auto* limit = dynamic_cast<TiPlotLimit*>(plot.GetLimit(0));
    auto* cursor = dynamic_cast<TiPlotDataCursor*>(plot.GetDataCursor(0));
    limit->SetXAxisName(plot.GetXAxis(0)->Name());
    cursor->SetChannelName(plot.GetChannel(0)->Name());
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage(page.Sheet);
    TiComponentEditorListBox& list = form.ListOf(page.Kind);
    const auto count = [&bench, &page] { return bench.Master().ManagerOf(page.Kind)->GetCount(); };
    const int before = count();
    ASSERT_EQ(list.Count(), before);

    Click(bench.Control<TiComponentEditorButton>(page.AddButton));
    ASSERT_EQ(count(), before + 1);
    EXPECT_EQ(list.Count(), before + 1);
    EXPECT_EQ(list.ItemIndex(), before);
    TiPlotObject* added = form.SelectedObject(page.Kind);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(bench.Control<TiComponentEditorEdit>(page.NameEdit).GetAsString(), added->Name());
    EXPECT_TRUE(bench.Control<TControl>(page.RemoveButton).Enabled());

    Click(bench.Control<TiComponentEditorButton>(page.RemoveButton));
    EXPECT_EQ(count(), before);
    EXPECT_EQ(list.Count(), before);
    TiPlotObject* now = form.SelectedObject(page.Kind);
    const std::string shown = bench.Control<TiComponentEditorEdit>(page.NameEdit).GetAsString();
    EXPECT_EQ(shown, now ? now->Name() : "");

    form.UpdateAll();
    EXPECT_EQ(bench.Control<TiComponentEditorComboBox>("LimitXAxisNameComboBox").GetAsString(),
              plot.GetXAxis(0)->Name());
    EXPECT_EQ(bench.Control<TiComponentEditorComboBox>("DataCursorChannelNameComboBox").GetAsString(),
              plot.GetChannel(0)->Name());
}

INSTANTIATE_TEST_SUITE_P(
    PlotEditorObjectPages, PlotEditorObjectLists,
    ::testing::Values(
        TListCase{"DataCursor", K::DataCursor, "DataCursorGeneralTabSheet", "iDataCursorAddButton",
                  "DataCursorRemoveButton", "DataCursorNameEdit"},
        TListCase{"Limit", K::Limit, "LimitGeneralTabSheet", "iLimitAddButton", "LimitRemoveButton", "LimitNameEdit"},
        TListCase{"Label", K::Label, "LabelGeneralTabSheet", "iLabelAddButton", "LabelRemoveButton", "LabelNameEdit"},
        TListCase{"Table", K::Table, "TableGeneralTabSheet", "iTableAddButton", "TableRemoveButton", "TableNameEdit"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Channels and axes made or removed elsewhere show in the data cursor's and the limit's name
// combo boxes; a name stored in other letter case finds its entry, and a limit whose axis went
// keeps that name instead of losing it.
TEST(PlotEditorObjectPages, NameCombosFollowChannelsAndAxesAddedAndRemoved)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    AddOneOfEach(plot);
    TiPlotEditorForm& form = bench.Open();
    bench.ShowPage("ChannelGeneralTabSheet");
    Click(bench.Control<TiComponentEditorButton>("iChannelAddButton"));
    ASSERT_EQ(plot.ChannelCount(), 2);
    auto& channels = bench.Control<TiComponentEditorComboBox>("DataCursorChannelNameComboBox");
    channels.OnDropDown(&channels);
    ASSERT_EQ(channels.Items()->Count(), 3);
    EXPECT_EQ(channels.Items()->Strings(2), plot.GetChannel(1)->Name());

    plot.AddXAxis();
    const std::string second = plot.GetXAxis(1)->Name();
    auto& xAxes = bench.Control<TiComponentEditorComboBox>("LimitXAxisNameComboBox");
    xAxes.OnDropDown(&xAxes);
    ASSERT_EQ(xAxes.Items()->Count(), 3);
    EXPECT_EQ(xAxes.Items()->Strings(0), kNoneName);
    EXPECT_EQ(xAxes.Items()->Strings(2), second);

    // A stored name in other letter case is the same channel.
    auto* cursor = dynamic_cast<TiPlotDataCursor*>(plot.GetDataCursor(0));
    cursor->SetChannelName(LowerCase(plot.GetChannel(1)->Name()));
    form.UpdateDataCursorEdit();
    EXPECT_EQ(channels.GetAsInteger(), 2);
    EXPECT_EQ(channels.Items()->Count(), 3) << "no entry of its own";

    bench.ShowPage("LimitGeneralTabSheet");
    xAxes.SimulateSelect(2);
    auto* limit = dynamic_cast<TiPlotLimit*>(plot.GetLimit(0));
    EXPECT_EQ(limit->XAxisName(), second);
    plot.DeleteXAxis(1);
    form.UpdateLimitEdit();
    EXPECT_EQ(xAxes.GetAsString(), second) << "the stored name is kept";
    bench.Control<TiComponentEditorEdit>("LimitLine1PositionEdit").SetStringWithEvent("5");
    EXPECT_EQ(limit->XAxisName(), second) << "and written back unchanged";
}

}  // namespace
