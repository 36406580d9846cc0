#include "editors/iComponentEditorThemePanelAddDialog.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"
#include "platform/gui/StdCtrls.h"

PRAVIX_PUBLISH(TiComponentEditorThemePanelAddDialogForm)

TiComponentEditorThemePanelAddDialogForm::TiComponentEditorThemePanelAddDialogForm(TComponent* owner) : TForm(owner)
{
    std::string description;
    if (!ReadResource("iComponentEditorThemePanelAddDialog", description))
        throw Exception("The form description iComponentEditorThemePanelAddDialog is missing from the program.");
    ReadDescription(description);
    m_schemeName = FindControl<TEdit>("SchemeName");
}
