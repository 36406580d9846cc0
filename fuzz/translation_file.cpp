// The plot's translation file: loaded into a plot whose texts then pass through it as the plot
// paints, and saved again.

#include "FuzzSupport.h"

#include "FuzzPlot.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    RegisterPlotKinds();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& file = InputAsFile(data, size);
    TiPlot plot(nullptr);
    ExpectingLibraryErrors([&] { plot.LoadTranslationsFromFile(file); });
    PaintAndPlaySnapshot(plot);
    plot.SaveTranslationsToFile(file + ".saved");
    return 0;
}
