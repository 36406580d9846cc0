// Any of the plot's own files, loaded into a plot that is then painted and whose snapshot is
// played: the file targets load and save, this one shows what was loaded. The first byte picks
// the kind (property, annotation, data or translation file), the rest is the file.

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
    if (size == 0)
        return 0;
    const std::string& file = InputAsFile(data + 1, size - 1);
    TiPlot plot(nullptr);
    ExpectingLibraryErrors([&] {
        switch (data[0] % 4) {
        case 0: plot.LoadPropertiesFromFile(file); break;
        case 1: plot.LoadAnnotationsFromFile(file); break;
        case 2: plot.LoadDataFromFile(file); break;
        default: plot.LoadTranslationsFromFile(file); break;
        }
    });
    ExpectPlotUnlocked(plot);
    PaintAndPlaySnapshot(plot);
    return 0;
}
