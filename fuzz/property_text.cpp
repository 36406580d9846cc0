// Property text ("Path = Value" lines) read into a component and written back.

#include "FuzzSupport.h"

#include "FuzzComponent.h"
#include "components/iClasses.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzComponent component(nullptr);
    TStringList lines;
    lines.SetText(AsText(data, size));
    ExpectingLibraryErrors([&] { LoadObjectFromStringList(&component, "", lines); });
    TStringList saved;
    SaveObjectToStringList(&component, "", saved);
    return 0;
}
