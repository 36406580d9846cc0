// Form descriptions of a plot, with the plot's classes in the class registry: the plot and its
// objects (the managers' lists of property lists) as the form reader creates them, written back,
// and the plot painted.

#include "FuzzSupport.h"

#include "FuzzPlot.h"

#include "platform/core/FormDescription.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    RegisterPlotKinds();
    (void)TiPlot::StaticClassInfo();  // links the class in: only the descriptions name it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<TComponent> root;
    ExpectingLibraryErrors([&] { root.reset(CreateComponentFromText(AsText(data, size), nullptr)); });
    if (!root)
        return 0;
    ExpectingLibraryErrors([&] { WriteComponentToText(*root); });
    if (auto* plot = dynamic_cast<TiPlot*>(root.get())) {
        ExpectPlotUnlocked(*plot);
        PaintAndPlaySnapshot(*plot);
    }
    return 0;
}
