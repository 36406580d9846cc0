#pragma once
// The hub of a plot's objects. Every plot owns one master manager; it owns the managers and
// is the one place through which objects announce that they were created, changed, renamed,
// selected or are going away. It files new objects with the right managers, wires their
// remaining callbacks, passes removal, rename and selection news to every manager (and
// through them to every object), keeps an open plot editor's lists in step and tells the
// plot through its four callbacks (add and remove events, repaints).
//
//     TiPlotMasterManager master(host);      // host: the plot (IPlotHost)
//     master.OnInsert = ...;  master.OnRemove = ...;  master.OnChange = ...;
//     int index = master.AddXAxis();         // made, registered, announced
//     ReleasePlotObject(master.XAxisManager()->GetItem(index));   // announced, then freed
//
// The layout manager and the plot editor are plugged in by their own units
// (RegisterPlotLayoutManager, RegisterPlotEditor); until they are, the master manager runs
// without them.

#include "plot/core/iPlotManagers.h"
#include "plot/core/iPlotTranslation.h"

#include <array>
#include <functional>
#include <memory>

class TComponent;
class TForm;
class TiPlotMasterManager;

// How a layout manager plugs in: its factory (a manager made with the owner and the master's
// four handlers) and the switch of the plot's X and Y axes.
struct TiPlotLayoutManagerClass {
    TiPlotManagerFactory Create;
    std::function<void(TiPlotObjectManagerCustom& layoutManager, bool xyAxesReverse)> SetXYAxesReverse;
};
void RegisterPlotLayoutManager(TiPlotLayoutManagerClass layoutClass);

// The class XY plots make their channels of; the XY channel's unit registers it when it loads.
void RegisterXYPlotChannelClass(TiPlotObjectFactory channelClass);
TiPlotObjectFactory XYPlotChannelClass();

enum TiPlotEditorFormStyle { ipfsModal, ipfsStayOnTop };

// The run-time plot editor as the master manager drives it. The editor unit implements it
// and registers a factory with RegisterPlotEditor.
class IPlotEditor {
public:
    virtual ~IPlotEditor() = default;

    // The editor's form, for translation and showing; the master manager owns it through
    // this interface.
    virtual TForm& Form() = 0;
    // While the editor closes, no list is updated and nothing is translated.
    virtual bool Closing() const = 0;

    // A new object: appended to its kind's list (an entry holding the object), selected,
    // and the kind's page refilled from it.
    virtual void AppendObject(TiPlotObjectKind kind, TiPlotObject* object) = 0;
    // An object going away: deleted from its kind's list.
    virtual void DeleteObject(TiPlotObjectKind kind, TiPlotObject* object) = 0;
    // An X axis, Y axis or channel got a new name: each name combo box whose text equals
    // the object's PreviousName is refilled and shows the new name.
    virtual void ObjectRenamed(TiPlotObjectKind kind, TiPlotObject* object) = 0;
    // Fills every kind's list from the managers in the order toolbars, legends, tables, X axes,
    // Y axes, data views, channels, data cursors, limits, labels; selects entry 0 of each
    // (when there is one) and refills each page.
    virtual void FillLists(TiPlotMasterManager& master) = 0;
    // Shows the page of the object's kind and selects the object in that kind's list.
    virtual void SelectObject(TiPlotObjectKind kind, TiPlotObject* object) = 0;
    // Refreshes every page and fills the general pages from the plot.
    virtual void UpdateAll() = 0;
    // Writes the general pages back into the plot (BasicPropertyChanged).
    virtual void StoreGeneralPages() = 0;
    // Shows or hides the channel Add and Remove buttons.
    virtual void SetChannelAddRemoveVisible(bool visible) = 0;
    // The active pages of the editor's 14 page controls.
    virtual int PageIndex(int pageControl) const = 0;
    virtual void SetPageIndex(int pageControl, int index) = 0;
    // Modal: returns when the editor has closed. Stay on top: returns at once; the editor
    // calls EditorClose of the master manager when the user closes it.
    virtual void Show(TiPlotEditorFormStyle style) = 0;
};
using TiPlotEditorFactory = std::function<std::unique_ptr<IPlotEditor>(TiPlotMasterManager& master)>;
void RegisterPlotEditor(TiPlotEditorFactory factory);

class TiPlotMasterManager : public TObject {
    PRAVIX_CLASS(TiPlotMasterManager, TObject)
public:
    static constexpr int kEditorPageControlCount = 14;

    explicit TiPlotMasterManager(IPlotHost* owner);
    // Closes the editor, then releases the managers (and with them every object).
    ~TiPlotMasterManager() override;
    TiPlotMasterManager(const TiPlotMasterManager&) = delete;
    TiPlotMasterManager& operator=(const TiPlotMasterManager&) = delete;

    // Set by the plot, each fired with the object or manager concerned.
    TNotifyEvent OnInvalidateNow;  // repaint at once
    TNotifyEvent OnChange;         // something changed: repaint
    TNotifyEvent OnInsert;         // an object registered: the plot's add event
    TNotifyEvent OnRemove;         // an object is going away: the plot's remove event

    IPlotHost* Owner() const { return m_owner; }

    // --- The managers (nullptr once removed) -----------------------------------------------
    TiPlotToolBarManager* ToolBarManager() const { return m_toolBarManager.get(); }
    TiPlotLegendManager* LegendManager() const { return m_legendManager.get(); }
    TiPlotTableManager* TableManager() const { return m_tableManager.get(); }
    TiPlotXAxisManager* XAxisManager() const { return m_xAxisManager.get(); }
    TiPlotYAxisManager* YAxisManager() const { return m_yAxisManager.get(); }
    TiPlotChannelManager* ChannelManager() const { return m_channelManager.get(); }
    TiPlotDataViewManager* DataViewManager() const { return m_dataViewManager.get(); }
    TiPlotDataCursorManager* DataCursorManager() const { return m_dataCursorManager.get(); }
    TiPlotLimitManager* LimitManager() const { return m_limitManager.get(); }
    TiPlotLabelManager* LabelManager() const { return m_labelManager.get(); }
    TiPlotAnnotationManager* AnnotationManager() const { return m_annotationManager.get(); }
    TiPlotTranslationManager* TranslationManager() const { return m_translationManager.get(); }
    TiPlotObjectManagerCustom* LayoutManager() const { return m_layoutManager.get(); }
    TiPlotObjectManager* PlotObjectManager() const { return m_plotObjectManager.get(); }
    // The typed manager of a kind (nullptr once removed).
    TiPlotObjectOwnedManager* ManagerOf(TiPlotObjectKind kind) const;

    // --- The hub ------------------------------------------------------------------------------
    void NotificationInsert(TObject* sender);
    void NotificationRemove(TObject* sender);
    void NotificationRename(TObject* sender);
    void NotificationChange(TObject* sender);
    void NotificationSetFocus(TObject* sender);

    // --- Creation: each makes, registers and announces one object and returns its index ----
    // Raises when the kind's class has not been registered.
    int AddObject(TiPlotObjectKind kind);
    int AddChannel() { return AddObject(TiPlotObjectKind::Channel); }
    int AddDataView() { return AddObject(TiPlotObjectKind::DataView); }
    int AddDataCursor() { return AddObject(TiPlotObjectKind::DataCursor); }
    int AddLimit() { return AddObject(TiPlotObjectKind::Limit); }
    int AddLabel() { return AddObject(TiPlotObjectKind::Label); }
    int AddAnnotation() { return AddObject(TiPlotObjectKind::Annotation); }
    int AddLegend() { return AddObject(TiPlotObjectKind::Legend); }
    int AddTable() { return AddObject(TiPlotObjectKind::Table); }
    int AddToolBar() { return AddObject(TiPlotObjectKind::ToolBar); }
    int AddXAxis() { return AddObject(TiPlotObjectKind::XAxis); }
    int AddYAxis() { return AddObject(TiPlotObjectKind::YAxis); }
    int AddTranslation();

    // --- Plot-wide switches ------------------------------------------------------------------
    TiPlotObjectFactory ChannelClass() const { return m_channelClass; }
    void SetChannelClass(TiPlotObjectFactory channelClass);
    bool UserCanEditObjects() const { return m_userCanEditObjects; }
    void SetUserCanEditObjects(bool value);
    bool XYAxesReverse() const { return m_xyAxesReverse; }
    void SetXYAxesReverse(bool value);
    void ShowToolBars(bool value);
    // Empties every channel, then resets the first alignment of every X axis, then of every
    // Y axis (through their kinds' ClearData).
    void ClearAllData();
    void DeSelectAll();

    // --- The plot editor -----------------------------------------------------------------------
    IPlotEditor* EditorForm() const { return m_editor.get(); }
    TiPlotEditorFormStyle EditorFormStyle() const { return m_editorFormStyle; }
    void SetEditorFormStyle(TiPlotEditorFormStyle value) { m_editorFormStyle = value; }
    // The plot lets the user add and remove channels in the editor.
    bool UserCanAddRemoveChannels() const { return m_userCanAddRemoveChannels; }
    void SetUserCanAddRemoveChannels(bool value) { m_userCanAddRemoveChannels = value; }
    // Fired with the master manager after the editor was filled, before it is shown.
    TNotifyEvent OnAfterOpenEditor;
    // Fired by the editor with its form when it goes.
    TNotifyEvent OnAfterCloseEditor;
    int EditorPageIndex(int pageControl) const { return m_pageIndexes.at(pageControl); }

    // Nothing while no editor unit is registered.
    void CreateEditor();
    void EditProperties();
    // The close handler of a stay-on-top editor: forgets it and frees it once its closing
    // has completed.
    void EditorClose(TObject* sender);
    void EditLayoutObject(TObject* sender);
    void BasicPropertyChanged();

    // Passes the captions of a form through the translation table: the form's caption,
    // the texts of its controls (edits, memos and list-like controls keep theirs), radio
    // group items, the items of combo boxes except the name combo boxes (named
    // "...NameComboBox": their items are object names) and top-level popup-menu items.
    void DoTranslation(TForm* form);

private:
    template <class M>
    TiPlotManagerPtr<M> MakeManager();
    // Releases the field's manager while the field still names it (see the destructor).
    template <class M>
    void ReleaseManager(TiPlotManagerPtr<M>& field);
    // Drops the field of a manager that is being released, and every link to it; the release
    // frees the manager, so the field gives up its ownership.
    void ForgetManager(TObject* manager);
    // Every typed manager, in the order the hub offers news to them.
    std::array<TiPlotObjectOwnedManager*, kPlotObjectKindCount> TypedManagers() const;
    bool EditorOpen() const;

    IPlotHost* m_owner;
    bool m_userCanEditObjects = true;
    TiPlotManagerPtr<TiPlotToolBarManager> m_toolBarManager;
    TiPlotManagerPtr<TiPlotLegendManager> m_legendManager;
    TiPlotManagerPtr<TiPlotTableManager> m_tableManager;
    TiPlotManagerPtr<TiPlotXAxisManager> m_xAxisManager;
    TiPlotManagerPtr<TiPlotYAxisManager> m_yAxisManager;
    TiPlotManagerPtr<TiPlotChannelManager> m_channelManager;
    TiPlotManagerPtr<TiPlotDataViewManager> m_dataViewManager;
    TiPlotManagerPtr<TiPlotDataCursorManager> m_dataCursorManager;
    TiPlotManagerPtr<TiPlotLimitManager> m_limitManager;
    TiPlotManagerPtr<TiPlotLabelManager> m_labelManager;
    TiPlotManagerPtr<TiPlotAnnotationManager> m_annotationManager;
    std::unique_ptr<TiPlotTranslationManager> m_translationManager;
    TiPlotManagerPtr<TiPlotObjectManagerCustom> m_layoutManager;
    TiPlotManagerPtr<TiPlotObjectManager> m_plotObjectManager;
    TiPlotObjectFactory m_channelClass = nullptr;
    std::array<int, kEditorPageControlCount> m_pageIndexes{};
    std::unique_ptr<IPlotEditor> m_editor;
    TiPlotEditorFormStyle m_editorFormStyle = ipfsModal;
    bool m_userCanAddRemoveChannels = true;
    bool m_xyAxesReverse = false;
    // The object the typed managers are filing (NotificationInsert), while they do.
    TObject* m_filing = nullptr;
};
