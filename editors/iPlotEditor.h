#pragma once
// TiPlotEditorForm: the run-time editor of a plot. One page per object kind ("Channels",
// "X-Axes", ...) lists the plot's objects of that kind and shows the selected one in its
// controls; the "Control" pages show the plot itself and "Layout" its layout as blocks.
// Every change the user commits is written back through the objects' own setters at once,
// so the plot repaints while the editor is open; there is no OK or Apply.
//
// The form is built from the tables of iPlotEditorTables.cpp: every control carries the name
// the plot's master manager and the form description of the product use. Each object page
// has a binding table (control -> property, in the order the page writes them); its update
// copies the selected object into the controls silently, its write-back calls every setter
// of the table and then refreshes the pages.
//
// The plot's master manager opens it (the toolbar's Properties button, "Edit..." in an
// object's popup menu): this library registers the editor with RegisterPlotEditor when it is
// loaded.
//
//     TiPlotEditorForm& form = ...;          // made by the master manager
//     form.UpdateAll();                      // every object page from the plot
//     form.FindControl<TiComponentEditorEdit>("ChannelTitleEdit");

#include "editors/iEditorBasicComponents.h"
#include "editors/iEditorPageTable.h"
#include "plot/core/iPlotMasterManager.h"

#include <string>

class TiComponentEditorListBox;
class TiPlotChannelCustom;
class TiPlotComponent;
class TiPlotLayoutObject;
class TiPlotLayoutViewer;
class TMenuItem;
class TPopupMenu;

class TiPlotEditorForm : public TiCustomEditorForm {
    PRAVIX_CLASS(TiPlotEditorForm, TiCustomEditorForm)
public:
    explicit TiPlotEditorForm(TComponent* owner);
    // Fires the master manager's OnAfterCloseEditor with the form, then goes.
    ~TiPlotEditorForm() override;

    // --- Links set by the master manager ---------------------------------------------------------
    TiPlotMasterManager* MasterManager() const { return m_master; }
    // Also links the layout viewer to the master's layout and translation managers.
    void SetMasterManager(TiPlotMasterManager* master);
    TiPlotComponent* PlotComponent() const { return m_plot; }
    void SetPlotComponent(TiPlotComponent* plot) { m_plot = plot; }
    // Hands the translation to every value-converter picker of the form.
    void SetFormTranslationMethod(const TFormTranslationMethod& method);
    // Set by the form's own close handler; while set, the master manager leaves the form alone.
    bool Closing() const { return m_closing; }

    // --- Pages ------------------------------------------------------------------------------------
    // Every object page, in the order toolbar, legend, X axes, Y axes, channels, data view,
    // data cursors, limits, labels, tables.
    void UpdateAll();
    // The page of one kind from its list's selected object.
    void UpdatePage(TiPlotObjectKind kind);
    void UpdateToolBarEdit() { UpdatePage(TiPlotObjectKind::ToolBar); }
    void UpdateLegendEdit() { UpdatePage(TiPlotObjectKind::Legend); }
    void UpdateTableEdit() { UpdatePage(TiPlotObjectKind::Table); }
    void UpdateXAxesEdit() { UpdatePage(TiPlotObjectKind::XAxis); }
    void UpdateYAxesEdit() { UpdatePage(TiPlotObjectKind::YAxis); }
    void UpdateChannelEdit() { UpdatePage(TiPlotObjectKind::Channel); }
    void UpdateDataViewEdit() { UpdatePage(TiPlotObjectKind::DataView); }
    void UpdateDataCursorEdit() { UpdatePage(TiPlotObjectKind::DataCursor); }
    void UpdateLimitEdit() { UpdatePage(TiPlotObjectKind::Limit); }
    void UpdateLabelEdit() { UpdatePage(TiPlotObjectKind::Label); }
    // Writes every control of the channel page into the selected channel, then UpdateAll.
    void ChannelChange(TObject* sender);
    // Each writes every control of its page into the page's selected object, then UpdateAll.
    void ToolBarChange(TObject* sender);
    void XAxisChange(TObject* sender);
    void YAxisChange(TObject* sender);
    void DataViewChange(TObject* sender);
    // Write the page's controls into its selected object, each page ending as it must: the
    // legend refreshes every page, a table nothing, a data cursor, limit or label its own page.
    // A change of the plot's title label (the first label) also shows on the "Title" sheet.
    void LegendChange(TObject* sender);
    void TableChange(TObject* sender);
    void DataCursorChange(TObject* sender);
    void LimitChange(TObject* sender);
    void LabelChange(TObject* sender);

    // The list of a kind's page, and the page (tab sheet) itself.
    TiComponentEditorListBox& ListOf(TiPlotObjectKind kind) const;
    TTabSheet& SheetOf(TiPlotObjectKind kind) const;
    // The selected object of a kind's list; nullptr when none is selected.
    TiPlotObject* SelectedObject(TiPlotObjectKind kind) const;
    // Shows the page of the kind and selects the object in its list.
    void ShowObject(TiPlotObjectKind kind, TiPlotObject* object);

    // --- The "Control" pages ------------------------------------------------------------------
    // Copies the plot control into the "Control" pages (when the editor opens).
    void LoadControlPages();
    // Writes the "Control" pages into the plot control (the master manager's
    // BasicPropertyChanged), then enables the log controls by the plot's logging state.
    void StoreControlPages();
    // Commit of every "Control" page but "Title": the master manager writes the pages back,
    // and the log picker takes the log name.
    void GeneralChanged(TObject* sender);
    // Commit of the "Title" sheet: writes it into the plot's title label.
    void TitleChange(TObject* sender);

    // --- Name combo boxes ------------------------------------------------------------------------
    // Each refills the combo box passed as sender (OnDropDown) with its sentinel and names.
    void XAxisNameComboBoxDropDown(TObject* sender);
    void YAxisNameComboBoxDropDown(TObject* sender);
    void DataViewGridXAxisNameComboBoxDropDown(TObject* sender);
    void DataViewGridYAxisNameComboBoxDropDown(TObject* sender);
    void DataCursorChannelNameComboBoxDropDown(TObject* sender);
    void ChannelNameComboBoxDropDown(TObject* sender);
    // An X axis, Y axis or channel was renamed: each name combo box that showed the previous
    // name is refilled and shows the new one.
    void ObjectRenamed(TiPlotObjectKind kind, TiPlotObject& object);

    void DisableAllEditControlsStartingWith(const std::string& prefix);
    void EnableAllEditControlsStartingWith(const std::string& prefix);

    // --- Channel statistics ---------------------------------------------------------------------
    // "Click Refresh" in every display with a channel selected, empty without.
    void ChannelStatsClear();
    void RefreshChannelStats();

    // --- Lists, as the master manager keeps them in step -------------------------------------------
    // A new object: appended to its kind's list, selected, and the kind's page refilled.
    void AppendObject(TiPlotObjectKind kind, TiPlotObject* object);
    // An object going away: out of its kind's list, and the page shows the newly selected one.
    void DeleteObject(TiPlotObjectKind kind, TiPlotObject* object);
    // Every kind's list from the master manager's managers, entry 0 selected, each page refilled.
    void FillLists();

    // --- Layout page ---------------------------------------------------------------------------------
    TiPlotLayoutViewer& LayoutViewer() const { return *m_layoutViewer; }
    TPopupMenu& LayoutPopupMenu() const { return *m_layoutPopup; }
    // The layout object under the mouse when the popup menu was opened (or none).
    TiPlotLayoutObject* LayoutObject() const { return m_layoutObject; }

    // The translation of a text through the plot's table (the text itself without one).
    std::string Translate(const std::string& text) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TPage;
    const TPage& PageOf(TiPlotObjectKind kind) const;
    TiEditorTranslate Translation() const;
    // False once the form is being destroyed: events of controls going away do nothing then.
    bool Live() const;
    void RefreshOnActivation();
    void ListData(TiPlotObjectKind kind, int index, bool& drawColorBox, TColor& color, std::string& text) const;
    void FillNames(TObject* sender, TiPlotObjectKind kind, const std::string& first, const std::string& last);

    void WireControls();
    void WireChannelPage();
    void WireLegendTablePages();
    void WireCursorLimitLabelPages();
    // Calls every setter of the kind's page with its control's value; the object written, or
    // nullptr when the page's list selects none.
    TiPlotObject* WritePage(TiPlotObjectKind kind);
    // The name combo boxes of the kind's page refilled before the page shows its object.
    void FillPageNameCombos(TiPlotObjectKind kind);
    // The plot's title label (the first label) cannot be removed.
    void EnableLabelRemove();
    void WireControlPages();
    void WireLayoutPage();
    void WireAxisPages();
    void WireToolBarPage();
    void WireDataViewPage();
    // The drop-down fill of the kind's axis names ("<None>" first).
    TNotifyEvent AxisNamesFill(TiPlotObjectKind kind);
    void FillAxisReferenceCombos(TiPlotObjectKind kind);
    void ShowAxisConverterPages(TiPlotObjectKind kind, const TiPlotObject& axis);
    // "Copy Default" of the axis page's "Cursor" or "Legend" inner page (the part).
    void CopyDefaultLabelFormat(TiPlotObjectKind kind, const std::string& part);
    void UpdateChannelExtras(TiPlotChannelCustom* channel);
    void ShowChannelClassSheets();
    void SetLogControls(const std::string& prefix, bool logging);

    void UpdateAfterAddOrRemove(TiPlotObjectKind kind);
    void AddClick(TiPlotObjectKind kind);
    void RemoveClick(TiPlotObjectKind kind);
    void ListClick(TiPlotObjectKind kind);

    void ChannelFileClick(TObject* sender);
    void ChannelLogFileNameChange(TObject* sender);
    void ChannelLogActivateClick(TObject* sender);
    void ChannelLogDeactivateClick(TObject* sender);
    void ControlFileClick(TObject* sender);
    void ControlLogFileNameChange(TObject* sender);
    void ControlLogActivateClick(TObject* sender);
    void ControlLogDeactivateClick(TObject* sender);

    void LayoutMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void LayoutPopup(TObject* sender);
    void LayoutMenuClick(TObject* sender);

    TiPlotMasterManager* m_master = nullptr;
    TiPlotComponent* m_plot = nullptr;
    TiPlotLayoutObject* m_layoutObject = nullptr;
    bool m_closing = false;
    TiPlotLayoutViewer* m_layoutViewer = nullptr;
    TPopupMenu* m_layoutPopup = nullptr;
};
