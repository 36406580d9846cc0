#include "plot/core/iPlotMasterManager.h"

#include "components/iRadioGroup.h"
#include "platform/core/Assert.h"
#include "platform/core/Scoped.h"
#include "platform/core/StringList.h"
#include "platform/gui/Application.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

#include <optional>

// ---------------------------------------------------------------------------------------------
// What plugs in later

namespace {

std::optional<TiPlotLayoutManagerClass>& LayoutManagerClass()
{
    static std::optional<TiPlotLayoutManagerClass> layoutClass;
    return layoutClass;
}

TiPlotObjectFactory& XYChannelClass()
{
    static TiPlotObjectFactory channelClass = nullptr;
    return channelClass;
}

TiPlotEditorFactory& EditorFactory()
{
    static TiPlotEditorFactory factory;
    return factory;
}

// The kinds the plot editor lists, in the order the editor's lists are tested.
bool EditorListsKind(TiPlotObjectKind kind) { return kind != TiPlotObjectKind::Annotation; }

}  // namespace

void RegisterPlotLayoutManager(TiPlotLayoutManagerClass layoutClass) { LayoutManagerClass() = std::move(layoutClass); }

void RegisterXYPlotChannelClass(TiPlotObjectFactory channelClass) { XYChannelClass() = channelClass; }

TiPlotObjectFactory XYPlotChannelClass() { return XYChannelClass(); }

void RegisterPlotEditor(TiPlotEditorFactory factory) { EditorFactory() = std::move(factory); }

// ---------------------------------------------------------------------------------------------
// Construction and destruction

template <class M>
TiPlotManagerPtr<M> TiPlotMasterManager::MakeManager()
{
    return TiPlotManagerPtr<M>(new M(m_owner, TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationChange),
                                     TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationInsert),
                                     TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationRemove),
                                     TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationRename)));
}

template <class M>
void TiPlotMasterManager::ReleaseManager(TiPlotManagerPtr<M>& field)
{
    // The objects the manager clears are announced while the field still names it, and its
    // own removal reaches ForgetManager, which empties the field before the manager is freed.
    ReleasePlotManager(field.get());
    PRAVIX_ASSERT(!field, "a released manager is forgotten through its removal");
}

TiPlotMasterManager::TiPlotMasterManager(IPlotHost* owner) : m_owner(owner)
{
    // Made into locals first and handed to the fields once all exist: a constructor that
    // throws leaves the managers made before it to their owning pointers, which release them
    // while no field names them yet.
    auto plotObjectManager = MakeManager<TiPlotObjectManager>();
    auto toolBarManager = MakeManager<TiPlotToolBarManager>();
    auto legendManager = MakeManager<TiPlotLegendManager>();
    auto tableManager = MakeManager<TiPlotTableManager>();
    auto channelManager = MakeManager<TiPlotChannelManager>();
    auto dataCursorManager = MakeManager<TiPlotDataCursorManager>();
    auto dataViewManager = MakeManager<TiPlotDataViewManager>();
    auto xAxisManager = MakeManager<TiPlotXAxisManager>();
    auto yAxisManager = MakeManager<TiPlotYAxisManager>();
    auto limitManager = MakeManager<TiPlotLimitManager>();
    auto labelManager = MakeManager<TiPlotLabelManager>();
    auto annotationManager = MakeManager<TiPlotAnnotationManager>();
    TiPlotManagerPtr<TiPlotObjectManagerCustom> layoutManager;
    if (const auto& layoutClass = LayoutManagerClass(); layoutClass && layoutClass->Create) {
        layoutManager.reset(layoutClass->Create(m_owner,
                                                TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationChange),
                                                TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationInsert),
                                                TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationRemove),
                                                TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationRename)));
    }
    auto translationManager =
        std::make_unique<TiPlotTranslationManager>(TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationInsert),
                                                   TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationRemove));
    m_plotObjectManager = std::move(plotObjectManager);
    m_toolBarManager = std::move(toolBarManager);
    m_legendManager = std::move(legendManager);
    m_tableManager = std::move(tableManager);
    m_channelManager = std::move(channelManager);
    m_dataCursorManager = std::move(dataCursorManager);
    m_dataViewManager = std::move(dataViewManager);
    m_xAxisManager = std::move(xAxisManager);
    m_yAxisManager = std::move(yAxisManager);
    m_limitManager = std::move(limitManager);
    m_labelManager = std::move(labelManager);
    m_annotationManager = std::move(annotationManager);
    m_layoutManager = std::move(layoutManager);
    m_translationManager = std::move(translationManager);

    for (TiPlotAxisLinkedManager* linked : {static_cast<TiPlotAxisLinkedManager*>(m_channelManager.get()),
                                            static_cast<TiPlotAxisLinkedManager*>(m_dataViewManager.get()),
                                            static_cast<TiPlotAxisLinkedManager*>(m_limitManager.get())}) {
        linked->SetXAxisManager(m_xAxisManager.get());
        linked->SetYAxisManager(m_yAxisManager.get());
    }
    m_dataCursorManager->SetChannelManager(m_channelManager.get());
    m_dataCursorManager->SetDataViewManager(m_dataViewManager.get());
    m_userCanEditObjects = true;
}

TiPlotMasterManager::~TiPlotMasterManager()
{
    // The plot goes with its master manager: it is told nothing more.
    OnInvalidateNow = nullptr;
    OnChange = nullptr;
    OnInsert = nullptr;
    OnRemove = nullptr;
    OnAfterCloseEditor = nullptr;
    // Forgotten before it is freed, so nothing its closing triggers reaches it through us.
    std::unique_ptr<IPlotEditor> editor = std::move(m_editor);
    editor.reset();

    // Each release clears the manager's objects (announced one by one while the other
    // managers still hold them), then the manager's own removal clears its field here.
    ReleaseManager(m_toolBarManager);
    ReleaseManager(m_legendManager);
    ReleaseManager(m_tableManager);
    ReleaseManager(m_channelManager);
    ReleaseManager(m_xAxisManager);
    ReleaseManager(m_yAxisManager);
    ReleaseManager(m_dataViewManager);
    ReleaseManager(m_dataCursorManager);
    ReleaseManager(m_limitManager);
    ReleaseManager(m_labelManager);
    ReleaseManager(m_annotationManager);
    m_translationManager.reset();
    ReleaseManager(m_plotObjectManager);
    ReleaseManager(m_layoutManager);
}

// ---------------------------------------------------------------------------------------------
// The hub

std::array<TiPlotObjectOwnedManager*, kPlotObjectKindCount> TiPlotMasterManager::TypedManagers() const
{
    return {m_toolBarManager.get(), m_legendManager.get(),  m_tableManager.get(),     m_xAxisManager.get(),
            m_yAxisManager.get(),   m_channelManager.get(), m_dataViewManager.get(),  m_dataCursorManager.get(),
            m_limitManager.get(),   m_labelManager.get(),   m_annotationManager.get()};
}

TiPlotObjectOwnedManager* TiPlotMasterManager::ManagerOf(TiPlotObjectKind kind) const
{
    // TypedManagers lists the managers in the order of the kinds.
    return TypedManagers().at(std::size_t(kind));
}

bool TiPlotMasterManager::EditorOpen() const { return m_editor && !m_editor->Closing(); }

void TiPlotMasterManager::NotificationInsert(TObject* sender)
{
    if (auto* object = dynamic_cast<TiPlotObject*>(sender)) {
        if (m_plotObjectManager)
            m_plotObjectManager->NotificationInsert(object);
        if (m_layoutManager && dynamic_cast<TiPlotLayoutObject*>(object))
            m_layoutManager->NotificationInsert(object);
        {
            const TScopedValue<TObject*> filing(m_filing, object);
            for (TiPlotObjectOwnedManager* manager : TypedManagers()) {
                if (manager)
                    manager->NotificationInsert(object);
            }
        }
        object->OnSetFocus = TNotifyEvent::Bind(this, &TiPlotMasterManager::NotificationSetFocus);
        // Through the master manager, so that a handler the plot sets later still reaches it.
        object->OnInvalidateNow = [this](TObject* s) { OnInvalidateNow(s); };
        object->SetUserCanEdit(m_userCanEditObjects);
        object->OnEdit = TNotifyEvent::Bind(this, &TiPlotMasterManager::EditLayoutObject);
        object->SetXYAxesReversed(m_xyAxesReverse);
        TiPlotObjectKind kind;
        if (EditorOpen() && GetPlotObjectKind(object, kind) && EditorListsKind(kind))
            m_editor->AppendObject(kind, object);
    } else if (auto* entry = dynamic_cast<TiPlotTranslationObject*>(sender)) {
        if (m_translationManager)
            m_translationManager->NotificationInsert(entry);
    }
    OnInsert(sender);
}

void TiPlotMasterManager::NotificationRemove(TObject* sender)
{
    OnRemove(sender);
    // Managers are told apart by address only: one that is going away is not read.
    if (sender == m_translationManager.get() || sender == m_layoutManager.get() ||
        sender == m_plotObjectManager.get()) {
        ForgetManager(sender);
        return;
    }
    for (TiPlotObjectOwnedManager* manager : TypedManagers()) {
        if (sender == manager) {
            ForgetManager(sender);
            return;
        }
    }
    if (auto* entry = dynamic_cast<TiPlotTranslationObject*>(sender)) {
        if (m_translationManager)
            m_translationManager->NotificationRemove(entry);
        return;
    }
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    if (!object)
        return;
    TiPlotObjectKind kind;
    if (EditorOpen() && GetPlotObjectKind(object, kind) && EditorListsKind(kind))
        m_editor->DeleteObject(kind, object);
    if (m_plotObjectManager)
        m_plotObjectManager->NotificationRemove(object);
    if (m_layoutManager)
        m_layoutManager->NotificationRemove(object);
    for (TiPlotObjectOwnedManager* manager : TypedManagers()) {
        if (manager)
            manager->NotificationRemove(object);
    }
}

void TiPlotMasterManager::ForgetManager(TObject* manager)
{
    // The field, and every link another manager holds to it.
    auto forget = [manager](auto& field) {
        if (field.get() == manager)
            (void)field.release();
    };
    forget(m_toolBarManager);
    forget(m_legendManager);
    forget(m_tableManager);
    forget(m_xAxisManager);
    forget(m_yAxisManager);
    forget(m_channelManager);
    forget(m_dataViewManager);
    forget(m_dataCursorManager);
    forget(m_limitManager);
    forget(m_labelManager);
    forget(m_annotationManager);
    forget(m_translationManager);
    forget(m_layoutManager);
    forget(m_plotObjectManager);
    for (TiPlotAxisLinkedManager* linked : {static_cast<TiPlotAxisLinkedManager*>(m_channelManager.get()),
                                            static_cast<TiPlotAxisLinkedManager*>(m_dataViewManager.get()),
                                            static_cast<TiPlotAxisLinkedManager*>(m_limitManager.get())}) {
        if (!linked)
            continue;
        if (linked->XAxisManager() == manager)
            linked->SetXAxisManager(nullptr);
        if (linked->YAxisManager() == manager)
            linked->SetYAxisManager(nullptr);
    }
    if (m_dataCursorManager) {
        if (m_dataCursorManager->ChannelManager() == manager)
            m_dataCursorManager->SetChannelManager(nullptr);
        if (m_dataCursorManager->DataViewManager() == manager)
            m_dataCursorManager->SetDataViewManager(nullptr);
    }
}

void TiPlotMasterManager::NotificationRename(TObject* sender)
{
    // An object named by its first settings while it is filed cannot be referred to by any
    // other yet: only the managers' books of names hear of it. Telling every object would
    // make filing n objects cost n times n.
    for (TiPlotObjectOwnedManager* manager : TypedManagers()) {
        if (manager && sender == m_filing)
            manager->NameChanged(sender);
        else if (manager)
            manager->NotificationRename(sender);
    }
    if (m_layoutManager)
        m_layoutManager->NotificationRename(sender);
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    TiPlotObjectKind kind;
    if (object && EditorOpen() && GetPlotObjectKind(object, kind) &&
        (kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis || kind == TiPlotObjectKind::Channel))
        m_editor->ObjectRenamed(kind, object);
}

void TiPlotMasterManager::NotificationChange(TObject* sender) { OnChange(sender); }

void TiPlotMasterManager::NotificationSetFocus(TObject* sender)
{
    for (TiPlotObjectOwnedManager* manager : TypedManagers()) {
        if (manager)
            manager->NotificationSetFocus(sender);
    }
    if (m_layoutManager)
        m_layoutManager->NotificationSetFocus(sender);
}

// ---------------------------------------------------------------------------------------------
// Creation

int TiPlotMasterManager::AddObject(TiPlotObjectKind kind)
{
    TiPlotObjectOwnedManager* manager = ManagerOf(kind);
    if (!manager)
        throw Exception(std::string("No manager for ") + PlotObjectKindName(kind));
    TiPlotObjectPtr<TiPlotObject> object = manager->CreateObject();
    object->Loaded();
    const int index = manager->GetIndex(object.get());
    if (index < 0)
        throw Exception(std::string("The new object is no ") + PlotObjectKindName(kind));
    object.release();  // the manager of its kind owns it now
    return index;
}

int TiPlotMasterManager::AddTranslation() { return m_translationManager->Add(); }

// ---------------------------------------------------------------------------------------------
// Plot-wide switches

void TiPlotMasterManager::SetChannelClass(TiPlotObjectFactory channelClass)
{
    m_channelClass = channelClass;
    if (m_channelManager)
        m_channelManager->SetChannelClass(channelClass);
}

namespace {

// The kinds in the order plot-wide switches reach them.
constexpr TiPlotObjectKind kSwitchOrder[] = {
    TiPlotObjectKind::Channel, TiPlotObjectKind::XAxis,  TiPlotObjectKind::YAxis,      TiPlotObjectKind::DataView,
    TiPlotObjectKind::ToolBar, TiPlotObjectKind::Legend, TiPlotObjectKind::Table,      TiPlotObjectKind::DataCursor,
    TiPlotObjectKind::Limit,   TiPlotObjectKind::Label,  TiPlotObjectKind::Annotation,
};

}  // namespace

void TiPlotMasterManager::SetUserCanEditObjects(bool value)
{
    m_userCanEditObjects = value;
    for (TiPlotObjectKind kind : kSwitchOrder) {
        if (TiPlotObjectOwnedManager* manager = ManagerOf(kind)) {
            for (int i = 0; i < manager->GetCount(); ++i)
                manager->GetObject(i)->SetUserCanEdit(value);
        }
    }
}

void TiPlotMasterManager::SetXYAxesReverse(bool value)
{
    m_xyAxesReverse = value;
    if (const auto& layoutClass = LayoutManagerClass(); m_layoutManager && layoutClass && layoutClass->SetXYAxesReverse)
        layoutClass->SetXYAxesReverse(*m_layoutManager, value);
    for (TiPlotObjectKind kind : kSwitchOrder) {
        if (TiPlotObjectOwnedManager* manager = ManagerOf(kind)) {
            for (int i = 0; i < manager->GetCount(); ++i)
                manager->GetObject(i)->SetXYAxesReversed(value);
        }
    }
    OnInvalidateNow(this);
}

void TiPlotMasterManager::ShowToolBars(bool value)
{
    if (!m_toolBarManager)
        return;
    for (int i = 0; i < m_toolBarManager->GetCount(); ++i)
        m_toolBarManager->GetObject(i)->SetVisible(value);
}

void TiPlotMasterManager::ClearAllData()
{
    for (TiPlotObjectKind kind : {TiPlotObjectKind::Channel, TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis}) {
        const TiPlotKindClass* kindClass = FindPlotKindClass(kind);
        TiPlotObjectOwnedManager* manager = ManagerOf(kind);
        if (!manager || !kindClass || !kindClass->ClearData)
            continue;
        for (int i = 0; i < manager->GetCount(); ++i)
            kindClass->ClearData(*manager->GetObject(i));
    }
}

void TiPlotMasterManager::DeSelectAll()
{
    if (m_plotObjectManager)
        m_plotObjectManager->ClearAllUserSelections();
}

// ---------------------------------------------------------------------------------------------
// The plot editor

void TiPlotMasterManager::CreateEditor()
{
    if (!EditorFactory())
        return;
    m_editor = EditorFactory()(*this);
    if (!m_editor)
        return;
    m_editor->FillLists(*this);
    for (int i = 0; i < kEditorPageControlCount; ++i)
        m_editor->SetPageIndex(i, m_pageIndexes[std::size_t(i)]);
    m_editor->SetChannelAddRemoveVisible(m_userCanAddRemoveChannels);
    DoTranslation(&m_editor->Form());
}

void TiPlotMasterManager::EditProperties()
{
    if (!m_editor)
        CreateEditor();
    if (!m_editor)
        return;
    const TiPlotEditorFormStyle style = m_editorFormStyle;
    // A modal editor is freed however its run ends, and forgotten before it is freed.
    struct ModalRelease {
        TiPlotMasterManager& master;
        bool modal;
        ~ModalRelease()
        {
            if (modal) {
                std::unique_ptr<IPlotEditor> editor = std::move(master.m_editor);
            }
        }
    } release{*this, style == ipfsModal};
    m_editor->UpdateAll();
    m_editor->Form().SetPosition(poScreenCenter);
    OnAfterOpenEditor(this);
    m_editor->Show(style);
    if (m_editor) {
        for (int i = 0; i < kEditorPageControlCount; ++i)
            m_pageIndexes[std::size_t(i)] = m_editor->PageIndex(i);
    }
}

void TiPlotMasterManager::EditorClose(TObject*)
{
    if (m_editorFormStyle == ipfsModal || !m_editor)
        return;
    // The close handler runs inside the editor: it is freed once its closing has completed.
    std::shared_ptr<IPlotEditor> closing(m_editor.release());
    PostToGui([closing] {});
}

void TiPlotMasterManager::EditLayoutObject(TObject* sender)
{
    if (!m_editor)
        CreateEditor();
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    TiPlotObjectKind kind;
    if (m_editor && object && GetPlotObjectKind(object, kind) && EditorListsKind(kind))
        m_editor->SelectObject(kind, object);
    EditProperties();
}

void TiPlotMasterManager::BasicPropertyChanged()
{
    if (EditorOpen())
        m_editor->StoreGeneralPages();
}

// ---------------------------------------------------------------------------------------------
// Translation of forms

namespace {

bool EndsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void TranslateItems(TStrings& items, const TiPlotTranslationManager& table)
{
    for (int i = 0; i < items.Count(); ++i)
        items.Put(i, table.FindReplacement(items.Strings(i)));
}

void TranslateComponent(TComponent& component, const TiPlotTranslationManager& table)
{
    // Texts the user typed or that name objects are written back into the plot: left alone.
    if (dynamic_cast<TEdit*>(&component) || dynamic_cast<TMemo*>(&component) || dynamic_cast<TListBox*>(&component))
        return;
    if (auto* combo = dynamic_cast<TComboBox*>(&component)) {
        if (!EndsWith(combo->Name(), "NameComboBox"))
            TranslateItems(*combo->Items(), table);
        return;
    }
    if (auto* menu = dynamic_cast<TPopupMenu*>(&component)) {
        TMenuItem* items = menu->Items();
        for (int i = 0; i < items->Count(); ++i)
            items->Items(i)->SetCaption(table.FindReplacement(items->Items(i)->Caption()));
        return;
    }
    if (auto* control = dynamic_cast<TControl*>(&component)) {
        control->SetCaption(table.FindReplacement(control->Caption()));
        if (auto* radioGroup = dynamic_cast<TRadioGroup*>(control))
            TranslateItems(*radioGroup->Items(), table);
        else if (auto* editorRadioGroup = dynamic_cast<TiRadioGroup*>(control))
            TranslateItems(*editorRadioGroup->Items(), table);
    }
}

}  // namespace

void TiPlotMasterManager::DoTranslation(TForm* form)
{
    if (!form || !m_translationManager || m_translationManager->GetCount() == 0)
        return;
    if (m_editor && &m_editor->Form() == form && m_editor->Closing())
        return;
    form->SetCaption(m_translationManager->FindReplacement(form->Caption()));
    for (int i = 0; i < form->ComponentCount(); ++i)
        TranslateComponent(*form->Components(i), *m_translationManager);
}

PRAVIX_PUBLISH(TiPlotMasterManager)
