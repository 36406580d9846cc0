#pragma once
// TiXYPlot: the plot whose channels draw Y against any X. It makes its channels from the XY
// channel class registered with RegisterXYPlotChannelClass; until one is registered it has
// no channels (AddChannel raises).

#include "plot/control/iPlotControlLayer.h"

#include "plot/control/iPlotComponent.h"
#include "plot/objects/iXYPlotChannel.h"

class TiXYPlot : public TiPlotComponent {
    PRAVIX_CLASS(TiXYPlot, TiPlotComponent)
public:
    explicit TiXYPlot(TComponent* owner);

    int AddChannel() override;
    // Index errors raise "List index out of bounds (%d)"; "Invalid class typecast" when the
    // channel is of another class.
    TiXYPlotChannel* GetChannel(int index) override;
    bool IsXYPlot() override { return true; }

protected:
    bool CanMakeChannels() const override { return XYPlotChannelClass() != nullptr; }
};
