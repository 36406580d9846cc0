#pragma once
// TiComponentEditorThemePanelAddDialogForm: asks for the name of a new scheme. Its user sets the
// caption and the proposed name; OK and Enter answer mrOk, Cancel and Escape mrCancel.
//
//     TiComponentEditorThemePanelAddDialogForm dialog(owner);
//     dialog.SetCaption("Add Scheme to Color Scheme");
//     dialog.SchemeName()->SetText("Sea");
//     if (dialog.ShowModal() == mrOk) use(dialog.SchemeName()->Text());

#include "editors/EditorsLayer.h"

#include "platform/gui/Forms.h"

class TEdit;

class TiComponentEditorThemePanelAddDialogForm : public TForm {
    PRAVIX_CLASS(TiComponentEditorThemePanelAddDialogForm, TForm)
public:
    explicit TiComponentEditorThemePanelAddDialogForm(TComponent* owner);

    TEdit* SchemeName() const { return m_schemeName; }

private:
    TEdit* m_schemeName = nullptr;
};
