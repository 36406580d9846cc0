#pragma once
// TiComponentEditorThemePanelMaintenanceForm: the theme panel's maintenance form. The General
// page cleans every scheme of the panel (each becomes a user scheme of its row's properties,
// with the values the preview takes from it); the Ordering page lists the rows at the left and
// the chosen row's schemes at the right, where they are reordered by dragging. OK writes the
// order back into the panel's rows (the panel then saves them); Cancel leaves the rows as they
// were. The entries share the panel's scheme objects: reordering moves entries, not schemes.
//
//     TiComponentEditorThemePanelMaintenanceForm form(owner);
//     form.SetThemePanel(panel);
//     if (form.ShowModal() == mrOk) panel->SaveToXMLFile();

#include "editors/EditorsLayer.h"

#include "editors/iEditorBasicComponents.h"

class TiComponentEditorThemePanel;

class TiComponentEditorThemePanelMaintenanceForm : public TForm {
    PRAVIX_CLASS(TiComponentEditorThemePanelMaintenanceForm, TForm)
public:
    explicit TiComponentEditorThemePanelMaintenanceForm(TComponent* owner);

    // Lists the panel's rows 1 to SchemeCount and shows the first one's schemes.
    void SetThemePanel(TiComponentEditorThemePanel* panel);

    // Handlers of the form's controls.
    // The shown schemes' order goes back to their row, then the chosen row's schemes are shown.
    void FThemeListBoxClick(TObject* sender);
    // OK: the shown schemes' order goes back to their row.
    void iComponentEditorButton1Click(TObject* sender);
    void CleanAllSchemesButtonClick(TObject* sender);
    void FThemeListBoxGetData(int index, bool& drawColorBox, TColor& color, std::string& text);
    void ReorderListBoxGetData(int index, bool& drawColorBox, TColor& color, std::string& text);

    TiComponentEditorPageControl* PageControl() const { return m_pageControl; }
    TiComponentEditorListBox* ThemeListBox() const { return m_themeListBox; }
    TiComponentEditorListBox* ReorderListBox() const { return m_reorderListBox; }

private:
    // Replaces the remembered row's entries by the shown ones (the same schemes, moved).
    void StoreShownOrder();

    TiComponentEditorThemePanel* m_panel = nullptr;
    int m_lastCategory = -1;
    TiComponentEditorPageControl* m_pageControl = nullptr;
    TiComponentEditorListBox* m_themeListBox = nullptr;
    TiComponentEditorListBox* m_reorderListBox = nullptr;
};
