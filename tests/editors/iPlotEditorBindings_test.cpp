// Every binding row of the channel page and of the "Control" sheets, walked both ways: a value
// set through the control as a user sets it reaches the object, and a value set on the object
// shows in the control after the page's update.

#include "PlotEditorRowWalk.h"

#include "editors/iPlotEditor_p.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotEditorBindings, EveryChannelRowBothWays)
{
    TPlotEditorBench bench;
    bench.plot->AddXAxis();
    bench.plot->AddYAxis();
    TiPlotEditorForm& form = bench.Open();
    TObject& channel = *bench.plot->GetChannel(0);
    ASSERT_EQ(form.SelectedObject(TiPlotObjectKind::Channel), &channel);
    WalkRows(bench, channel, ChannelBindings(), [&form] { form.UpdateChannelEdit(); });
}

TEST(PlotEditorBindings, EveryControlSheetRowBothWays)
{
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    WalkRows(bench, *bench.plot, ControlBindings(), [&form] { form.LoadControlPages(); });
}

}  // namespace
