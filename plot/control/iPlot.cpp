#include "plot/control/iPlot.h"

#include "plot/objects/iPlotChannel.h"

TiPlot::TiPlot(TComponent* owner) : TiPlotComponent(owner)
{
    BeginUpdate();
    MasterManager().SetChannelClass(&CreatePlotObject<TiPlotChannel>);
    CreateDefaultObjects();
    EndUpdate();
}

TiPlotChannel* TiPlot::GetChannel(int index) { return GetChannelManager()->GetItemAs<TiPlotChannel>(index); }

PRAVIX_PUBLISH(TiPlot)
