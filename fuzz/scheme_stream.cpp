// Scheme files (one XML element per line) read into a component's theme categories, then
// every scheme read applied to it.

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
    TiXMLMemoryStream stream;
    stream.WriteBuffer(AsText(data, size));
    stream.SetPosition(0);
    ExpectingLibraryErrors([&] { component.LoadAllThemes(stream, TiUserSchemeList::StaticClassInfo()); });
    for (int category = 0; category < component.GetThemeCategoryCount(); ++category)
        for (int scheme = 0; scheme < component.GetThemeCategorySchemeCount(category); ++scheme)
            ExpectingLibraryErrors([&] { component.ApplyScheme(category, scheme); });
    return 0;
}
