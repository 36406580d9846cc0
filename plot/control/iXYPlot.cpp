#include "plot/control/iXYPlot.h"

#include "platform/core/Exceptions.h"

namespace {

// What the channel manager makes while no XY channel class is registered: nothing, so that
// an XY plot never holds strip-chart channels.
TiPlotObjectPtr<TiPlotObject> RefuseChannel(IPlotHost*, TNotifyEvent, TNotifyEvent, TNotifyEvent, TNotifyEvent)
{
    throw Exception("No class is registered for XY channels");
}

}  // namespace

TiXYPlot::TiXYPlot(TComponent* owner) : TiPlotComponent(owner)
{
    MasterManager().SetChannelClass(XYPlotChannelClass() ? XYPlotChannelClass() : &RefuseChannel);
    CreateDefaultObjects();
}

int TiXYPlot::AddChannel()
{
    // A class registered after the plot was made is taken up here.
    if (XYPlotChannelClass() && MasterManager().ChannelClass() != XYPlotChannelClass())
        MasterManager().SetChannelClass(XYPlotChannelClass());
    return TiPlotComponent::AddChannel();
}

TiXYPlotChannel* TiXYPlot::GetChannel(int index) { return GetChannelManager()->GetItemAs<TiXYPlotChannel>(index); }

PRAVIX_PUBLISH(TiXYPlot)
