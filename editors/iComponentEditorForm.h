#pragma once
// The base of component editors that work on a copy (OK / Cancel / Apply): the form's controls
// hold the edited settings, every user change marks the form Modified, and only Apply or OK
// writes them into the component. A concrete editor reads its form description, then
// implements the three copies:
//
//     class TiCheckBoxEditorForm : public TiComponentEditorForm {
//         void CreateThemeInstance() override { SetPreviewInstance(new TiCheckBox(this)); }
//         void CopyPropertiesToForm(TWinControl* component) override;       // component -> controls
//         void CopyPropertiesToComponent(TWinControl* component) override;  // controls -> component
//     };
//     form->SetComponent(checkBox);
//     form->SetupEditor();
//     form->ShowModal();
//
// The form may hold a theme panel, the component named "iComponentEditorThemePanel": it shows a
// live preview instance of the edited component, which follows every change of the form, and
// its accepted scheme counts as a user change. The panel reaches the form only through
// TiComponentEditorThemePanelLink.

#include "editors/EditorsLayer.h"

#include "editors/iEditorBasicComponents.h"

#include <string>
#include <string_view>

class TiComponentEditorButtonPanel;
class TiOPCBrowserPanel;
class TiVCLComponent;

// What the editor form asks of its theme panel: show the preview instance, start over from the
// edited component's settings, and report an accepted scheme through the given handler.
class TiComponentEditorThemePanelLink {
public:
    virtual ~TiComponentEditorThemePanelLink() = default;
    virtual void SetiComponentPreview(TWinControl* preview) = 0;
    virtual void ResetThemePanel() = 0;
    virtual void SetOnAcceptChanges(TNotifyEvent handler) = 0;
};

class TiComponentEditorForm : public TiCustomEditorForm {
    PRAVIX_CLASS(TiComponentEditorForm, TiCustomEditorForm)
public:
    // Reads the description (whose root class is TiComponentEditorForm or one of its
    // ancestors), then makes the form a centred dialog.
    TiComponentEditorForm(TComponent* owner, std::string_view description);

    bool Modified() const { return m_modified; }
    void SetModified(bool value);
    bool Applied() const { return m_applied; }
    TiComponentEditorButtonPanel* ButtonPanel() const { return m_buttonPanel; }
    TiComponentEditorThemePanelLink* ThemePanel() const { return m_themePanel; }
    TWinControl* PreviewInstance() const { return m_previewInstance; }
    TWinControl* Component() const { return m_component; }
    // Set by whoever opens the editor, before SetupEditor.
    void SetComponent(TWinControl* component) { m_component = component; }

    void Loaded() override;
    // A user change marks the form modified (and through that refreshes the preview and the
    // Apply button).
    void UserChange() override;

    // Fills the form from the component (and the preview from the form).
    void SetupEditor();
    void SetupTheme();
    void ThemePanelAcceptChanges(TObject* sender);
    void ApplyChanges();

    // What the button panel's buttons do.
    void ApplyClicked();
    void OkClicked();
    void CancelClicked();

    void DisableAllEditControlsStartingWith(const std::string& prefix);
    void EnableAllEditControlsStartingWith(const std::string& prefix);

    // Creates the preview instance (SetPreviewInstance).
    virtual void CreateThemeInstance() = 0;
    virtual void CopyPropertiesToForm(TWinControl* component) = 0;
    virtual void CopyPropertiesToComponent(TWinControl* component) = 0;

protected:
    void SetPreviewInstance(TWinControl* instance) { m_previewInstance = instance; }
    // Forgets the panels, the preview and the component when they go.
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TiComponentEditorButtonPanel;
    void UpdateButtons();

    // Fields in their specified order.
    bool m_modified = false;
    bool m_applied = false;
    TiComponentEditorButtonPanel* m_buttonPanel = nullptr;
    TiComponentEditorThemePanelLink* m_themePanel = nullptr;
    TWinControl* m_previewInstance = nullptr;
    TWinControl* m_component = nullptr;
};

// The bottom bar of such a form: "&OK", "&Cancel" and "&Apply", right-aligned. Apply is enabled
// exactly while the form is modified.
class TiComponentEditorButtonPanel : public TCustomControl {
    PRAVIX_CLASS(TiComponentEditorButtonPanel, TCustomControl)
public:
    // With an editor form as owner, becomes that form's button panel.
    explicit TiComponentEditorButtonPanel(TComponent* owner);
    ~TiComponentEditorButtonPanel() override;

    TButton* OkButton() const { return m_okButton; }
    TButton* CancelButton() const { return m_cancelButton; }
    TButton* ApplyButton() const { return m_applyButton; }

    void OkButtonClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void ApplyButtonClick(TObject* sender);
    void UpdateButtons();

protected:
    void Resize() override;

private:
    TButton* AddButton(const char* caption, void (TiComponentEditorButtonPanel::*click)(TObject*));
    TiComponentEditorForm* Form() const;

    bool m_created = false;
    TButton* m_okButton = nullptr;
    TButton* m_cancelButton = nullptr;
    TButton* m_applyButton = nullptr;
};
