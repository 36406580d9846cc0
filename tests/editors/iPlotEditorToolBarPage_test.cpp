// The "ToolBar" page: every binding row, and the toolbar's buttons hidden one by one from it.

#include "PlotEditorRowWalk.h"

#include "plot/objects/iPlotToolBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using plot_editor_walk::WalkRows;

TEST(PlotEditorToolBarPage, EveryRowBothWays)
{
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    TObject& bar = *bench.plot->GetToolBar(0);
    ASSERT_EQ(form.SelectedObject(TiPlotObjectKind::ToolBar), &bar);
    WalkRows(bench, bar, ToolBarBindings(), [&form] { form.UpdateToolBarEdit(); });
}

constexpr int kInside = 4;

// The rightmost column of the bar that shows anything but the bar's own background, as the
// plot paints it now.
int DrawnExtent(TiPlot& plot)
{
    TBitmap picture;
    TestHooks::GrabControl(plot, picture);
    // Inside the bar's border.
    const TRect bar = plot.GetToolBarObject(0)->GetDrawRect();
    const TColor background = picture.Canvas().GetPixel(bar.Right - kInside, bar.Top + kInside);
    for (int x = bar.Right - kInside; x > bar.Left; --x)
        for (int y = bar.Top + kInside; y < bar.Bottom - kInside; ++y)
            if (picture.Canvas().GetPixel(x, y) != background)
                return x;
    return bar.Left;
}

// Every shown button goes from the plot's toolbar as its box is cleared, the others closing
// up behind it, until the bar shows nothing.
TEST(PlotEditorToolBarPage, ButtonsHiddenOneByOne)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    bench.Open();
    bench.ShowPage("ToolBarGeneralTabSheet");
    int extent = DrawnExtent(plot);
    for (const TiEditorBinding& row : ToolBarBindings()) {
        const std::string name(row.Control);
        if (name.rfind("ToolBarShow", 0) != 0)
            continue;
        SCOPED_TRACE(name);
        auto& box = bench.Control<TiComponentEditorCheckBox>(name);
        if (!box.Checked())
            continue;  // hidden from the start (select, preview)
        TestHooks::SendClick(box, 8, box.Height() / 2);
        EXPECT_FALSE(FindProperty(*plot.GetToolBar(0), row.Property).GetOrd());
        const int now = DrawnExtent(plot);
        EXPECT_LT(now, extent) << "the bar is shorter by the hidden button";
        extent = now;
    }
    const TRect bar = plot.GetToolBarObject(0)->GetDrawRect();
    EXPECT_LE(extent, bar.Left + kInside) << "no button is left";
}

}  // namespace
