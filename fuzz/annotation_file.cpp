// The plot's annotation file read into a strip-chart plot, which then saves its annotations.

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
    ExpectingLibraryErrors([&] { plot.LoadAnnotationsFromFile(file); });
    ExpectPlotUnlocked(plot);
    plot.SaveAnnotationsToFile(file + ".saved");
    return 0;
}
