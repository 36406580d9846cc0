#include "editors/iComponentEditorForm.h"

#include "components/iGPControls.h"
#include "platform/core/Assert.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"

// ---------------------------------------------------------------------------------------------
// TiComponentEditorForm

TiComponentEditorForm::TiComponentEditorForm(TComponent* owner, std::string_view description)
    : TiCustomEditorForm(owner)
{
    ReadDescription(description);
    SetBorderStyle(bsDialog);
    // A radio group never grows wider than the form description made it.
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(Components(i)))
            radio->Constraints()->SetMaxWidth(radio->Width());
    SetAutoScroll(false);
    SetPosition(poScreenCenter);
    UpdateButtons();
}

void TiComponentEditorForm::Loaded()
{
    TiCustomEditorForm::Loaded();
    m_themePanel = dynamic_cast<TiComponentEditorThemePanelLink*>(FindComponent("iComponentEditorThemePanel"));
    if (m_themePanel)
        m_themePanel->SetOnAcceptChanges(TNotifyEvent::Bind(this, &TiComponentEditorForm::ThemePanelAcceptChanges));
    if (IsDesigning())
        return;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* pages = dynamic_cast<TPageControl*>(Components(i)); pages && pages->PageCount() > 0)
            pages->SetActivePageIndex(0);
}

void TiComponentEditorForm::UserChange() { SetModified(true); }

void TiComponentEditorForm::SetupEditor()
{
    SetupTheme();
    CopyPropertiesToForm(m_component);
    if (m_previewInstance) {
        CopyPropertiesToComponent(m_previewInstance);
        m_previewInstance->SetBounds(m_previewInstance->Left(), m_previewInstance->Top(), m_component->Width(),
                                     m_component->Height());
    }
}

void TiComponentEditorForm::SetupTheme()
{
    if (!m_themePanel)
        return;
    if (!m_previewInstance) {
        CreateThemeInstance();
        PRAVIX_ASSERT(m_previewInstance, "CreateThemeInstance gives the form its preview instance");
        m_previewInstance->SetBounds(m_previewInstance->Left(), m_previewInstance->Top(), m_component->Width(),
                                     m_component->Height());
        // The preview shows the settings but takes no input, its children neither.
        iSetDesigning(m_previewInstance);
        m_previewInstance->SetVisible(true);
        m_themePanel->SetiComponentPreview(m_previewInstance);
    }
    m_themePanel->ResetThemePanel();
}

void TiComponentEditorForm::ThemePanelAcceptChanges(TObject*)
{
    CopyPropertiesToForm(m_previewInstance);
    SetModified(true);
}

void TiComponentEditorForm::SetModified(bool value)
{
    m_modified = value;
    if (m_previewInstance)
        CopyPropertiesToComponent(m_previewInstance);
    UpdateButtons();
}

void TiComponentEditorForm::ApplyChanges() { CopyPropertiesToComponent(m_component); }

void TiComponentEditorForm::ApplyClicked()
{
    ApplyChanges();
    SetupEditor();
    m_applied = true;
    SetModified(false);
    UpdateButtons();
}

void TiComponentEditorForm::OkClicked()
{
    if (m_modified) {
        ApplyChanges();
        m_applied = true;
    }
    SetModalResult(mrOk);
}

void TiComponentEditorForm::CancelClicked() { SetModalResult(mrCancel); }

void TiComponentEditorForm::DisableAllEditControlsStartingWith(const std::string& prefix)
{
    ::DisableAllEditControlsStartingWith(this, prefix);
}

void TiComponentEditorForm::EnableAllEditControlsStartingWith(const std::string& prefix)
{
    ::EnableAllEditControlsStartingWith(this, prefix);
}

void TiComponentEditorForm::UpdateButtons()
{
    if (m_buttonPanel)
        m_buttonPanel->UpdateButtons();
}

void TiComponentEditorForm::Notification(TComponent* component, TOperation operation)
{
    TiCustomEditorForm::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_buttonPanel)
        m_buttonPanel = nullptr;
    if (component == m_previewInstance)
        m_previewInstance = nullptr;
    if (component == m_component)
        m_component = nullptr;
    if (component == dynamic_cast<TComponent*>(m_themePanel))
        m_themePanel = nullptr;
}

PRAVIX_PUBLISH(TiComponentEditorForm)

// ---------------------------------------------------------------------------------------------
// TiComponentEditorButtonPanel

namespace {

constexpr int kButtonGap = 10;

}  // namespace

TiComponentEditorButtonPanel::TiComponentEditorButtonPanel(TComponent* owner) : TCustomControl(owner)
{
    if (TiComponentEditorForm* form = Form())
        form->m_buttonPanel = this;
    SetHeight(37);
    SetAlign(alBottom);
    SetCaption(" ");
    m_okButton = AddButton("&OK", &TiComponentEditorButtonPanel::OkButtonClick);
    m_cancelButton = AddButton("&Cancel", &TiComponentEditorButtonPanel::CancelButtonClick);
    m_cancelButton->SetModalResult(mrCancel);
    m_applyButton = AddButton("&Apply", &TiComponentEditorButtonPanel::ApplyButtonClick);
    m_created = true;
    Resize();
}

TiComponentEditorButtonPanel::~TiComponentEditorButtonPanel()
{
    if (TiComponentEditorForm* form = Form(); form && form->m_buttonPanel == this)
        form->m_buttonPanel = nullptr;
}

TButton* TiComponentEditorButtonPanel::AddButton(const char* caption,
                                                 void (TiComponentEditorButtonPanel::*click)(TObject*))
{
    auto* button = new TButton(this);
    button->SetParent(this);
    button->SetBounds(0, 8, 70, 25);
    button->SetCaption(caption);
    button->OnClick = TNotifyEvent::Bind(this, click);
    return button;
}

TiComponentEditorForm* TiComponentEditorButtonPanel::Form() const
{
    return dynamic_cast<TiComponentEditorForm*>(Owner());
}

void TiComponentEditorButtonPanel::OkButtonClick(TObject*)
{
    if (TiComponentEditorForm* form = Form())
        form->OkClicked();
}

void TiComponentEditorButtonPanel::CancelButtonClick(TObject*)
{
    if (TiComponentEditorForm* form = Form())
        form->CancelClicked();
}

void TiComponentEditorButtonPanel::ApplyButtonClick(TObject*)
{
    if (TiComponentEditorForm* form = Form())
        form->ApplyClicked();
}

void TiComponentEditorButtonPanel::UpdateButtons()
{
    if (TiComponentEditorForm* form = Form())
        m_applyButton->SetEnabled(form->Modified());
}

void TiComponentEditorButtonPanel::Resize()
{
    TCustomControl::Resize();
    if (!m_created)
        return;
    m_applyButton->SetLeft(Width() - m_applyButton->Width() - kButtonGap);
    m_cancelButton->SetLeft(m_applyButton->Left() - m_cancelButton->Width() - kButtonGap);
    m_okButton->SetLeft(m_cancelButton->Left() - m_okButton->Width() - kButtonGap);
}

PRAVIX_PUBLISH(TiComponentEditorButtonPanel)
