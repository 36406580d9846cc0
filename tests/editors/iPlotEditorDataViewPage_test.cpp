// The "Data View" page: every binding row, the grid-axis combo boxes, and the grid's colours
// changed on the page and seen in the plot.

#include "PlotEditorRowWalk.h"

#include "platform/core/StrUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using plot_editor_walk::WalkRows;

TiPlotDataView& DataView(TiPlot& plot) { return dynamic_cast<TiPlotDataView&>(*plot.GetDataView(0)); }

TEST(PlotEditorDataViewPage, EveryRowBothWays)
{
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    TObject& view = DataView(*bench.plot);
    ASSERT_EQ(form.SelectedObject(TiPlotObjectKind::DataView), &view);
    WalkRows(bench, view, DataViewBindings(), [&form] { form.UpdateDataViewEdit(); });
}

// The grid combo boxes offer "<None>", the axes and "<All>"; a stored "<ALL>" is "<All>", and
// a stored name of no axis stays as it is through a commit of another control.
TEST(PlotEditorDataViewPage, GridAxisCombosKeepAllAndUnmatchedNames)
{
    TPlotEditorBench bench;
    TiPlotDataView& view = DataView(*bench.plot);
    view.SetGridXAxisName("<ALL>");
    view.SetGridYAxisName("Gone Axis");
    bench.Open();
    auto& x = bench.Control<TiComponentEditorComboBox>("DataViewGridXAxisNameComboBox");
    auto& y = bench.Control<TiComponentEditorComboBox>("DataViewGridYAxisNameComboBox");
    EXPECT_EQ(x.GetAsString(), "<All>");
    EXPECT_EQ(x.GetAsInteger(), 2);
    EXPECT_EQ(y.GetAsString(), "Gone Axis");

    auto& show = bench.Control<TiComponentEditorCheckBox>("DataViewGridShow");
    bench.ShowControl(show);
    TestHooks::SendClick(show, 8, show.Height() / 2);
    EXPECT_FALSE(view.GridShow());
    EXPECT_TRUE(SameText(view.GridXAxisName(), "<All>"));
    EXPECT_EQ(view.GridYAxisName(), "Gone Axis") << "an unmatched name is written back as it is";
}

// The pages of the toolbar and the data view edit their own object, also on a plot without
// channels, and their name edits commit through their own pages.
TEST(PlotEditorDataViewPage, ToolBarAndDataViewEditsNeedNoChannel)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    plot.RemoveAllChannels();
    bench.Open();
    struct TNameCase {
        const char* Edit;
        TiPlotObject* Object;
    };
    const TNameCase cases[] = {{"DataViewNameEdit", plot.GetDataView(0)}, {"ToolBarNameEdit", plot.GetToolBar(0)}};
    for (const TNameCase& c : cases) {
        SCOPED_TRACE(c.Edit);
        bench.Control<TiComponentEditorEdit>(c.Edit).SetStringWithEvent("Renamed");
        EXPECT_EQ(c.Object->Name(), "Renamed");
    }
    auto& transparent = bench.Control<TiComponentEditorCheckBox>("DataViewBackGroundTransparentCheckBox");
    bench.ShowControl(transparent);
    const bool was = DataView(plot).BackgroundTransparent();
    TestHooks::SendClick(transparent, 8, transparent.Height() / 2);
    EXPECT_NE(DataView(plot).BackgroundTransparent(), was);
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

// The user gives the grid a colour, then the X majors a custom colour of their own on the
// "X-Majors" inner page: the data view draws both.
TEST(PlotEditorDataViewPage, GridColoursChangedOnThePageShowInThePlot)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    bench.Open();
    const TColor grid = RGB(250, 120, 10);
    const TColor majors = RGB(10, 200, 240);
    TestHooks::TModalScript script;
    TColor chosen = grid;
    script.OnColorDialog = [&chosen](TColorRequest& request) {
        request.Color = chosen;
        return true;
    };
    auto& gridColour = bench.Control<TiComponentEditorColorPicker>("DataViewGridLineColorPicker");
    bench.ShowControl(gridColour);
    TestHooks::SendClick(*gridColour.Button(), 5, 5);
    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    const TRect view = plot.GetDataView(0)->GetDrawRect();
    EXPECT_TRUE(ColourInside(picture, view, grid));
    EXPECT_FALSE(ColourInside(picture, view, majors));

    auto& custom = bench.Control<TiComponentEditorCheckBox>("DataViewGridLineXMajorCustomCheckBox");
    bench.ShowControl(custom);
    TestHooks::SendClick(custom, 8, custom.Height() / 2);
    chosen = majors;
    TestHooks::SendClick(
        *bench.Control<TiComponentEditorColorPicker>("DataViewGridLineXMajorColorColorPicker").Button(), 5, 5);
    EXPECT_TRUE(DataView(plot).GridLineXMajorCustom());
    TestHooks::GrabControl(plot, picture);
    EXPECT_TRUE(ColourInside(picture, view, majors)) << "the X majors in their own colour";
    EXPECT_TRUE(ColourInside(picture, view, grid)) << "the other lines as before";
}

}  // namespace
