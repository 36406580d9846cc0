#include "FuzzPlot.h"

#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Metafile.h"
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

void PaintAndPlaySnapshot(TiPlot& plot)
{
    plot.SetBounds(0, 0, 240, 160);
    TBitmap picture;
    picture.SetSize(240, 160);
    ExpectingLibraryErrors([&] { plot.PaintToMetaFile(picture.Canvas()); });
    ExpectingLibraryErrors([&] {
        const TMetafile& snapshot = plot.GetSnapShotPicture()->Metafile();
        TBitmap page;
        page.SetSize(120, 80);
        snapshot.Play(page.Canvas(), TRect{0, 0, 120, 80});
        snapshot.Play(page.Canvas(), TRect{0, 0, 5100, 6600});  // a Letter page at 600 dpi
    });
}
