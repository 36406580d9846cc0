// Form descriptions: the objects they create through the class registry, their properties
// and defined properties, and the description written back from what was read.

#include "FuzzComponent.h"
#include "FuzzSupport.h"

#include "platform/core/FormDescription.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    (void)TFuzzComponent::StaticClassInfo();  // links the class in: only the descriptions name it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ExpectingLibraryErrors([&] {
        std::unique_ptr<TComponent> root(CreateComponentFromText(AsText(data, size), nullptr));
        WriteComponentToText(*root);
    });
    return 0;
}
