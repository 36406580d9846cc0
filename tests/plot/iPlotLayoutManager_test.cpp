#include "plot/core/iPlotLayoutManager.h"

#include "PlotBoxKinds.h"

#include "platform/canvas/Bitmap.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotLabel.h"
#include "plot/objects/iPlotLegend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

class LayoutTest : public ::testing::Test {
protected:
    TBoxKinds m_kinds;
};

// ---------------------------------------------------------------------------------------------
// Levels

TEST_F(LayoutTest, ANewAxisTakesTheOutermostLevelAndPushesTheStackOutward)
{
    TiPlot plot(nullptr);
    TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    TiPlotXAxis* old = plot.GetXAxis(0);
    // Horizontal stack of a new plot: X axis, data view, title, toolbar.
    EXPECT_EQ(old->ZOrder(), 0);
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->ZOrder(), 2);
    EXPECT_EQ(plot.GetToolBarObject(0)->ZOrder(), 3);

    TiPlotXAxis* added = plot.GetXAxis(plot.AddXAxis());
    EXPECT_EQ(added->ZOrder(), 0);
    EXPECT_EQ(old->ZOrder(), 1);
    EXPECT_EQ(plot.DataViewZHorz(), 2);
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->ZOrder(), 3);
    EXPECT_EQ(plot.GetToolBarObject(0)->ZOrder(), 4);
    // Bottom list: outermost level first.
    const TiPlotLayoutList& bottom = layout.SideList(TiPlotLayoutSide::Bottom);
    ASSERT_EQ(bottom.Count(), 2);
    EXPECT_EQ(bottom.Object(0), added);
    EXPECT_EQ(layout.BottomCount(), 2);
    EXPECT_EQ(layout.TopCount(), 2);

    // Laid out, the new axis lies below the old one.
    plot.SetBounds(0, 0, 600, 400);
    plot.ReCalcLayout();
    EXPECT_GE(added->GetDrawRect().Top, old->GetDrawRect().Bottom);

    // Removing the only object of a level closes the gap.
    plot.DeleteXAxis(1);
    EXPECT_EQ(old->ZOrder(), 0);
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.GetToolBarObject(0)->ZOrder(), 3);
}

TEST_F(LayoutTest, MergingAndOpeningLevels)
{
    TiPlot plot(nullptr);
    TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    TiPlotXAxis* first = plot.GetXAxis(0);
    first->SetStopPercent(50);
    TiPlotXAxis* second = plot.GetXAxis(plot.AddXAxis());  // overlaps: opens level 0
    ASSERT_EQ(first->ZOrder(), 1);

    // A span that meets nothing at level 0 joins it; nothing moves.
    second->SetStartPercent(60);
    first->SetZOrder(0);
    layout.InsertZOrder(second, 0, iidMerge);
    EXPECT_EQ(second->ZOrder(), 0);
    EXPECT_EQ(first->ZOrder(), 0);
    EXPECT_EQ(plot.DataViewZHorz(), 2);  // left where it was

    // Two objects share level 0: removing one moves nothing.
    layout.RemoveZOrder(second);
    EXPECT_EQ(plot.DataViewZHorz(), 2);

    // Above level 2: the object opens level 3 and only what was above level 2 moves.
    const int toolBarBefore = plot.GetToolBarObject(0)->ZOrder();
    const int labelBefore = plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->ZOrder();
    layout.InsertZOrder(second, 2, iidAbove);
    EXPECT_EQ(second->ZOrder(), 3);
    EXPECT_EQ(plot.DataViewZHorz(), 2);
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 0)->ZOrder(), labelBefore + (labelBefore > 2 ? 1 : 0));
    EXPECT_EQ(plot.GetToolBarObject(0)->ZOrder(), toolBarBefore + 1);
}

TEST_F(LayoutTest, SwitchedOffObjectsKeepTheirLevelsAndSideListsWait)
{
    TiPlot plot(nullptr);
    TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    plot.DisableLayoutManager();
    TiPlotXAxis* added = plot.GetXAxis(plot.AddXAxis());
    added->SetZOrder(7);
    EXPECT_EQ(plot.GetXAxis(0)->ZOrder(), 0);
    EXPECT_EQ(layout.SideList(TiPlotLayoutSide::Top).Count(), 2);  // not rebuilt yet
    plot.EnableLayoutManager();
    EXPECT_EQ(layout.SideList(TiPlotLayoutSide::Top).Count(), 3);
    EXPECT_EQ(added->ZOrder(), 7);
}

TEST_F(LayoutTest, ExchangingXAndYTurnsTheAxes)
{
    TiPlot plot(nullptr);
    plot.SetXYAxesReverse(true);
    EXPECT_FALSE(plot.GetXAxis(0)->Horizontal());
    EXPECT_TRUE(plot.GetYAxis(0)->Horizontal());
    const TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    EXPECT_EQ(layout.SideList(TiPlotLayoutSide::Left).Object(0), plot.GetXAxis(0));
    plot.SetXYAxesReverse(false);
    EXPECT_TRUE(plot.GetXAxis(0)->Horizontal());
}

// A damaged settings file put the legend on the Y axis's level, on its side: both were given
// the one band and the legend was drawn over the axis's labels. A file sets levels as they stand,
// unchecked; when the layout comes on again, objects that collide on a level are parted.
TEST(LayoutLevels, ObjectsOfOneSideNeverOverlapAfterADamagedSettingsFile)
{
    TBoxKinds kinds{true};
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    if (plot.LegendCount() == 0)
        plot.AddLegend();
    const int axisLevel = plot.GetYAxis(0)->ZOrder();
    const std::string file = ::testing::TempDir() + "damaged_layout_" + std::to_string(::getpid()) + ".txt";
    plot.SavePropertiesToFile(file);
    std::string text;
    {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("Legend0.ZOrder", 0) == 0)
                line = "Legend0.ZOrder = " + std::to_string(axisLevel) + "\r";
            else if (line.rfind("Legend0.Horizontal", 0) == 0)
                line = "Legend0.Horizontal = 0\r";
            text += line + "\n";
        }
    }
    std::ofstream(file, std::ios::binary) << text;
    plot.LoadPropertiesFromFile(file);
    std::remove(file.c_str());
    plot.ReCalcLayout();

    TiPlotLayoutObject* legend = plot.GetLegend(0);
    TiPlotYAxis* axis = plot.GetYAxis(0);
    ASSERT_FALSE(legend->Horizontal());
    EXPECT_NE(legend->ZOrder(), axis->ZOrder());
    const TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    for (TiPlotLayoutSide side :
         {TiPlotLayoutSide::Left, TiPlotLayoutSide::Right, TiPlotLayoutSide::Top, TiPlotLayoutSide::Bottom}) {
        const TiPlotLayoutList& list = layout.SideList(side);
        for (int i = 0; i < list.Count(); ++i)
            for (int j = i + 1; j < list.Count(); ++j) {
                const TRect a = list.Object(i)->GetDrawRect(), b = list.Object(j)->GetDrawRect();
                EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
                    << list.Object(i)->Name() << " and " << list.Object(j)->Name() << " overlap";
            }
    }
    EXPECT_LE(legend->GetDrawRect().Right, axis->GetDrawRect().Left);  // outside the axis, left of it
}

// A file may put hundreds of objects on one level (the fuzzer found 255 labels so). Parting them
// moves every level beyond again and again; each move used to rebuild the sides, which took
// minutes. Every label ends on a level of its own.
TEST(LayoutLevels, HundredsOfObjectsOnOneLevelArePartedEachOntoItsOwn)
{
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    plot.DisableLayoutManager();
    const int level = plot.GetLabel(0)->ZOrder();
    constexpr int kLabels = 300;
    for (int i = 1; i < kLabels; ++i)
        plot.GetLabel(plot.AddLabel())->SetZOrder(level);
    plot.EnableLayoutManager();

    std::vector<int> levels;
    for (int i = 0; i < plot.LabelCount(); ++i)
        levels.push_back(plot.GetLabel(i)->ZOrder());
    std::sort(levels.begin(), levels.end());
    EXPECT_EQ(std::adjacent_find(levels.begin(), levels.end()), levels.end()) << "two labels share a level";
    const TiPlotLayoutManager& layout = *plot.GetLayoutManager();
    int listed = 0;
    for (TiPlotLayoutSide side :
         {TiPlotLayoutSide::Left, TiPlotLayoutSide::Right, TiPlotLayoutSide::Top, TiPlotLayoutSide::Bottom})
        listed += layout.SideList(side).Count();
    EXPECT_GE(listed, kLabels) << "the sides were rebuilt after the parting";
}

TEST(LayoutLevels, UniqueCountReadsTheLeadingLevelOfEachKey)
{
    struct Case {
        std::vector<std::string> keys;
        int count;
    };
    const Case cases[] = {
        {{}, 0},
        {{"000000", "000050", "001000"}, 2},
        {{"002000", "002050", "003000", "010000"}, 3},
        // A negative level gives a key without a number: it starts a level of its own.
        {{"-01000", "000000", "001000"}, 3},
    };
    for (const Case& c : cases) {
        TiPlotLayoutList list;
        for (const std::string& key : c.keys)
            list.Append(key, nullptr);
        EXPECT_EQ(TiPlotLayoutManager::GetUniqueCount(list), c.count) << testing::PrintToString(c.keys);
    }
}

// ---------------------------------------------------------------------------------------------
// The layout pass: 600 x 400, lowered border (2 pixels), outer margins of 5

struct Placed {
    TiPlotObjectKind kind;
    bool horizontal;
    int zOrder;
    double start, stop;
    int depth, guard;
    bool visible;
    TRect expected;
};

struct LayoutCase {
    const char* name;
    std::vector<Placed> objects;
};

void RunLayoutCase(const LayoutCase& c)
{
    SCOPED_TRACE(c.name);
    TiPlotComponent plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    plot.DisableLayoutManager();
    std::vector<TTestBox*> boxes;
    for (const Placed& p : c.objects) {
        auto* box = dynamic_cast<TTestBox*>(
            plot.MasterManager().ManagerOf(p.kind)->GetObject(plot.MasterManager().AddObject(p.kind)));
        ASSERT_NE(box, nullptr);
        box->SetHorizontal(p.horizontal);
        box->SetZOrder(p.zOrder);
        box->SetStartStopPercent(p.start, p.stop);
        box->Depth = p.depth;
        box->Guard = p.guard;
        box->SetVisible(p.visible);
        boxes.push_back(box);
    }
    plot.EnableLayoutManager();
    TBitmap bitmap;
    bitmap.SetSize(600, 400);
    plot.CalcLayout(bitmap.Canvas());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const TRect r = boxes[i]->GetDrawRect();
        const TRect e = c.objects[i].expected;
        EXPECT_EQ(r, e) << "object " << i << ": got (" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom
                        << ") expected (" << e.Left << ", " << e.Top << ", " << e.Right << ", " << e.Bottom << ")";
    }
}

TEST_F(LayoutTest, RectanglesOfObjectSets)
{
    using K = TiPlotObjectKind;
    const LayoutCase cases[] = {
        // Insets: depth + border + margin. Data view (47, 27, 542, 362).
        {"one object per side",
         {{K::Legend, true, 0, 0, 100, 30, 0, true, {47, 362, 542, 392}},
          {K::Legend, false, 0, 0, 100, 40, 0, true, {7, 27, 47, 362}},
          // A label spans the control less the border and the margins, not the data view.
          {K::Label, true, 2, 0, 100, 20, 0, true, {7, 7, 595, 27}},
          {K::Table, false, 2, 0, 100, 50, 0, true, {542, 27, 592, 362}}}},
        // Two legends share level 0 (0..50, 50..100): one band as deep as the deeper, no guard
        // at the shared end; the guards of the free ends widen the left and right insets.
        // Data view (17, 7, 582, 327); 565 * 0.5 rounds half to even.
        {"stacked percentages and two levels",
         {{K::Legend, true, 0, 0, 50, 30, 10, true, {17, 352, 299, 392}},
          {K::Legend, true, 0, 50, 100, 40, 10, true, {299, 352, 582, 392}},
          {K::Legend, true, 1, 0, 100, 25, 0, true, {17, 327, 582, 352}}}},
        // A hidden object claims no band; it is still spanned along its side.
        {"hidden objects",
         {{K::Legend, false, 0, 0, 100, 40, 0, true, {7, 7, 47, 392}},
          {K::Legend, false, 1, 0, 100, 100, 0, false, {0, 7, 0, 392}}}},
        // A toolbar alone on top sits on the border and the top inset takes the vertical
        // objects' end guard; a zero-depth legend gets a zero-width band.
        {"zero sizes and a toolbar on top",
         {{K::ToolBar, true, 3, 0, 100, 36, 0, true, {2, 2, 597, 38}},
          {K::Legend, false, 0, 0, 100, 0, 8, true, {7, 51, 7, 384}}}},
        // Half a side: Top = Bottom - Round(DVH / 2). Data view (47, 7, 592, 392).
        {"a vertical half span", {{K::Legend, false, 0, 0, 50, 40, 0, true, {7, 200, 47, 392}}}},
    };
    for (const LayoutCase& c : cases)
        RunLayoutCase(c);
}

}  // namespace
