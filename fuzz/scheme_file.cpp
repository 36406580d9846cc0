// Scheme files as the theme panel reads them (rows matched by their exact title), first as
// pre-defined, then as user schemes; every scheme read is applied to a check box preview and
// the user schemes are written back as a scheme file.

#include "FuzzSupport.h"

#include "components/iCheckBox.h"
#include "components/iClasses.h"
#include "editors/iComponentEditorThemePanel.h"
#include "platform/gui/Forms.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPlatform();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TForm form(nullptr);
    auto* panel = new TiComponentEditorThemePanel(&form);
    auto* preview = new TiCheckBox(&form);
    // The preview is set without loading files: the input is the only file.
    for (const TClassInfo* schemeClass :
         {&TiPravixSchemeList::StaticClassInfo(), &TiUserSchemeList::StaticClassInfo()}) {
        TiXMLMemoryStream stream;
        stream.WriteBuffer(AsText(data, size));
        stream.SetPosition(0);
        ExpectingLibraryErrors([&] { panel->LoadSchemes(stream, *schemeClass); });
    }
    for (int row = 0; row < kThemeRowCount; ++row) {
        const TStringList& list = *panel->GetSchemeList(row);
        for (int i = 0; i < list.Count(); ++i) {
            const auto& scheme = static_cast<const TStringList&>(*list.GetObject(i));
            std::string name;
            std::string value;
            for (int line = 0; line < scheme.Count(); ++line) {
                TiComponentEditorThemePanel::SeparateNameValue(scheme.Get(line), name, value);
                ExpectingLibraryErrors([&] { TiComponentEditorThemePanel::SetProperty(preview, name, value); });
            }
        }
        TiXMLMemoryStream written;
        ExpectingLibraryErrors(
            [&] { TiComponentEditorThemePanel::SaveSchemeType(written, list, panel->GetSchemeName(row)); });
    }
    return 0;
}
