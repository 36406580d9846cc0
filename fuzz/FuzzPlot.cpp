#include "FuzzPlot.h"

#include "platform/core/Streams.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotToolBar.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

void RegisterPlotKinds()
{
    static const std::vector<TiPlotKindRegistration> kinds = [] {
        std::vector<TiPlotKindRegistration> registrations;
        registrations.push_back(TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar));
        registrations.push_back(TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView));
        return registrations;
    }();
}

const std::string& InputAsFile(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_plot_input_" + std::to_string(getpid());
    WriteFileBytes(path, data, size);
    return path;
}

void ExpectPlotUnlocked(TiPlot& plot)
{
    if (plot.Updating() || !plot.GetLayoutManager()->Enabled()) {
        std::fprintf(stderr, "fuzz: a failed load left the plot locked\n");
        std::abort();
    }
}
