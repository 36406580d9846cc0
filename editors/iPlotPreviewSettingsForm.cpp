#include "editors/iPlotPreviewSettingsForm.h"

#include "editors/iEditorBasicComponents.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"

TiPlotPreviewSettingsForm::TiPlotPreviewSettingsForm(TComponent* owner) : TForm(owner)
{
    std::string text;
    if (!ReadResource("iPlotPreviewSettingsForm", text))
        throw Exception("The form description iPlotPreviewSettingsForm is missing from the program.");
    ReadDescription(text);
}

PRAVIX_PUBLISH(TiPlotPreviewSettingsForm)
