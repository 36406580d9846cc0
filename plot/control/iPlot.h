#pragma once
// TiPlot: the strip-chart plot, the plot the host's main window shows. Its channels are
// strip-chart channels and its X axes scroll with time by default.
//
//     TiPlot plot(form);            // toolbar, legend, axes, "Channel 1", data view, cursor, title
//     plot.GetChannel(0)->AddXY(GetNow(), 12.5);

#include "plot/control/iPlotControlLayer.h"

#include "plot/control/iPlotComponent.h"
#include "plot/objects/iPlotChannel.h"

class TiPlot : public TiPlotComponent {
    PRAVIX_CLASS(TiPlot, TiPlotComponent)
public:
    explicit TiPlot(TComponent* owner);

    // Index errors raise "List index out of bounds (%d)"; "Invalid class typecast" when the
    // channel is of another class.
    TiPlotChannel* GetChannel(int index) override;
    bool IsStripChartPlot() const override { return true; }
};
