// The OPC streams of form descriptions: a component's "OPCItems" and a manager's "Groups".
// The input is the collection itself; its first byte picks the stream.

#include "FuzzSupport.h"

#include "FuzzComponent.h"

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
    if (size == 0)
        return 0;
    const std::string_view head =
        (data[0] & 1) ? "TiOPCManager Manager {\n  @Groups = " : "TFuzzComponent Component {\n  @OPCItems = ";
    const std::string text = std::string(head) + std::string(AsText(data + 1, size - 1)) + "\n}\n";
    ExpectingLibraryErrors([&] {
        std::unique_ptr<TComponent> root(CreateComponentFromText(text, nullptr));
        WriteComponentToText(*root);
    });
    return 0;
}
