// The plot's property file read into a strip-chart plot, which is then saved again.

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
    ExpectingLibraryErrors([&] { plot.LoadPropertiesFromFile(file); });
    ExpectPlotUnlocked(plot);
    plot.SavePropertiesToFile(file + ".saved");
    return 0;
}
