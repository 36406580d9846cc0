#include "editors/iComponentEditorThemePanelMaintenance.h"

#include "components/iClasses.h"
#include "editors/iComponentEditorThemePanel.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"
#include "platform/gui/Dialogs.h"

PRAVIX_PUBLISH(TiComponentEditorThemePanelMaintenanceForm)

namespace {

// Entries (names with their objects) of `from` replace those of `to`; objects are not freed.
void CopyEntries(const TStrings& from, TStrings& to)
{
    auto* owning = dynamic_cast<TStringList*>(&to);
    const bool owns = owning && owning->OwnsObjects();
    if (owning)
        owning->SetOwnsObjects(false);
    to.Clear();
    for (int i = 0; i < from.Count(); ++i)
        to.AddObject(from.Get(i), from.GetObject(i));
    if (owning)
        owning->SetOwnsObjects(owns);
}

}  // namespace

TiComponentEditorThemePanelMaintenanceForm::TiComponentEditorThemePanelMaintenanceForm(TComponent* owner) : TForm(owner)
{
    std::string description;
    if (!ReadResource("iComponentEditorThemePanelMaintenance", description))
        throw Exception("The form description iComponentEditorThemePanelMaintenance is missing from the program.");
    ReadDescription(description);
    m_pageControl = FindControl<TiComponentEditorPageControl>("PageControl");
    m_themeListBox = FindControl<TiComponentEditorListBox>("FThemeListBox");
    m_reorderListBox = FindControl<TiComponentEditorListBox>("FReorderListBox");
    m_themeListBox->OnClick = TNotifyEvent::Bind(this, &TiComponentEditorThemePanelMaintenanceForm::FThemeListBoxClick);
    m_themeListBox->OnGetData =
        TiListBoxGetDataEvent::Bind(this, &TiComponentEditorThemePanelMaintenanceForm::FThemeListBoxGetData);
    m_reorderListBox->OnGetData =
        TiListBoxGetDataEvent::Bind(this, &TiComponentEditorThemePanelMaintenanceForm::ReorderListBoxGetData);
    FindControl<TControl>("iComponentEditorButton1")->OnClick =
        TNotifyEvent::Bind(this, &TiComponentEditorThemePanelMaintenanceForm::iComponentEditorButton1Click);
    FindControl<TControl>("CleanAllSchemesButton")->OnClick =
        TNotifyEvent::Bind(this, &TiComponentEditorThemePanelMaintenanceForm::CleanAllSchemesButtonClick);
    m_pageControl->SetActivePageIndex(0);
}

void TiComponentEditorThemePanelMaintenanceForm::SetThemePanel(TiComponentEditorThemePanel* panel)
{
    m_panel = panel;
    TStrings& categories = *m_themeListBox->Items();
    categories.Clear();
    for (int row = 0; row < panel->SchemeCount(); ++row)
        categories.AddObject(panel->GetSchemeName(row), panel->GetSchemeList(row));
    m_lastCategory = categories.Count() > 0 ? 0 : -1;
    m_themeListBox->SetItemIndex(m_lastCategory);
    m_reorderListBox->Items()->Clear();
    if (m_lastCategory >= 0)
        CopyEntries(*panel->GetSchemeList(0), *m_reorderListBox->Items());
}

void TiComponentEditorThemePanelMaintenanceForm::StoreShownOrder()
{
    if (m_lastCategory < 0)
        return;
    auto* list = static_cast<TStringList*>(m_themeListBox->Items()->GetObject(m_lastCategory));
    CopyEntries(*m_reorderListBox->Items(), *list);
}

void TiComponentEditorThemePanelMaintenanceForm::FThemeListBoxClick(TObject*)
{
    const int selected = m_themeListBox->ItemIndex();
    if (selected < 0)
        return;
    StoreShownOrder();
    CopyEntries(*static_cast<TStringList*>(m_themeListBox->Items()->GetObject(selected)), *m_reorderListBox->Items());
    m_lastCategory = selected;
}

void TiComponentEditorThemePanelMaintenanceForm::iComponentEditorButton1Click(TObject*) { StoreShownOrder(); }

void TiComponentEditorThemePanelMaintenanceForm::CleanAllSchemesButtonClick(TObject*)
{
    if (MessageDlg("Are you sure you want to clean all schemes of missing/erroneous properties?", mtWarning,
                   {mbYes, mbNo}) == mrNo)
        return;
    // Cleaning frees and re-reads the panel's schemes: the lists here let go of them first.
    m_reorderListBox->Items()->Clear();
    m_themeListBox->Items()->Clear();
    m_lastCategory = -1;
    m_panel->CleanAllSchemes();
    SetModalResult(mrCancel);
}

void TiComponentEditorThemePanelMaintenanceForm::FThemeListBoxGetData(int index, bool& drawColorBox, TColor& color,
                                                                      std::string& text)
{
    drawColorBox = true;
    color = clBlue;
    text = m_themeListBox->Items()->Get(index);
}

void TiComponentEditorThemePanelMaintenanceForm::ReorderListBoxGetData(int index, bool& drawColorBox, TColor& color,
                                                                       std::string& text)
{
    const TObject* scheme = m_reorderListBox->Items()->GetObject(index);
    const bool user = scheme && scheme->InheritsFrom(TiUserSchemeList::StaticClassInfo());
    drawColorBox = true;
    color = user ? clBlue : clRed;
    text = user ? m_reorderListBox->Items()->Get(index) : "Pravix Scheme Type Locked";
}
