// Plot data files and logs of both forms (text columns and the compact binary form) read into
// a plot whose channels keep their points in two list styles, then written in both forms.

#include "FuzzSupport.h"

#include "FuzzPlot.h"
#include "plot/objects/iPlotChannel.h"

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
    plot.AddChannel();
    plot.AddChannel();
    plot.GetChannel(1)->SetRingBufferSize(5);
    plot.GetChannel(2)->SetDataStyle(ipdsCompactInterval);
    ExpectingLibraryErrors([&] { plot.LoadDataFromFile(file); });
    ExpectPlotUnlocked(plot);
    plot.SaveDataToFile(file + ".text");
    plot.SetDataFileFormat(ipdffCompactInterval);
    plot.SaveDataToFile(file + ".compact");
    return 0;
}
