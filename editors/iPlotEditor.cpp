#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"
#include "editors/iPlotLayoutViewer.h"
#include "platform/core/Assert.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Menus.h"
#include "plot/control/iPlotComponent.h"
#include "plot/control/iXYPlot.h"
#include "plot/core/iPlotLayoutManager.h"
#include "plot/objects/iPlotChannelCustom.h"

#include <memory>

// ---------------------------------------------------------------------------------------------
// The object pages

// One object page: the prefix its edit controls share, its list and buttons, what its
// controls edit, and the property that colours its list's boxes.
struct TiPlotEditorForm::TPage {
    TiPlotObjectKind Kind;
    const char* Prefix;
    const char* Sheet;
    const char* ListBox;
    const char* AddButton;     // nullptr: the page adds nothing
    const char* RemoveButton;  // nullptr: the page removes nothing
    const char* ListColor;     // nullptr: no colour box
    std::span<const TiEditorBinding> (*Bindings)();
};

namespace {

using K = TiPlotObjectKind;

// Every combo box that offers the names of objects of another kind: the page it is on, the kind
// whose names it lists, and its fill. A page's update and a rename refill them from here.
struct TNameCombo {
    TiPlotObjectKind Page;
    TiPlotObjectKind Names;
    const char* Name;
    void (TiPlotEditorForm::*Refill)(TObject*);
};
constexpr TNameCombo kNameCombos[] = {
    {K::Channel, K::XAxis, "ChannelXAxisNameComboBox", &TiPlotEditorForm::XAxisNameComboBoxDropDown},
    {K::Channel, K::YAxis, "ChannelYAxisNameComboBox", &TiPlotEditorForm::YAxisNameComboBoxDropDown},
    {K::Limit, K::XAxis, "LimitXAxisNameComboBox", &TiPlotEditorForm::XAxisNameComboBoxDropDown},
    {K::Limit, K::YAxis, "LimitYAxisNameComboBox", &TiPlotEditorForm::YAxisNameComboBoxDropDown},
    {K::DataView, K::XAxis, "DataViewGridXAxisNameComboBox", &TiPlotEditorForm::DataViewGridXAxisNameComboBoxDropDown},
    {K::DataView, K::YAxis, "DataViewGridYAxisNameComboBox", &TiPlotEditorForm::DataViewGridYAxisNameComboBoxDropDown},
    {K::DataCursor, K::Channel, "DataCursorChannelNameComboBox",
     &TiPlotEditorForm::DataCursorChannelNameComboBoxDropDown},
};

// In the order of the kinds (TiPlotObjectKind), annotations excepted.
constexpr int kPageCount = 10;

// The page controls whose active pages the master manager keeps between openings, in its order.
constexpr const char* kKeptPageControls[TiPlotMasterManager::kEditorPageControlCount] = {
    "PageControl",
    "ControlPageControl",
    "ChannelPageControl",
    "XAxisPageControl",
    "XAxisLabelsPageControl",
    "YAxisPageControl",
    "YAxisLabelsPageControl",
    "DataCursorPageControl",
    "LimitPageControl",
    "LabelPageControl",
    "LegendPageControl",
    "TablePageControl",
    "DataViewPageControl",
    "DataViewGridLinesCustomPageControl"};

// The kinds in the order UpdateAll refreshes them.
constexpr TiPlotObjectKind kUpdateOrder[] = {K::ToolBar,  K::Legend,     K::XAxis, K::YAxis, K::Channel,
                                             K::DataView, K::DataCursor, K::Limit, K::Label, K::Table};

// The kinds in the order the master manager fills the lists.
constexpr TiPlotObjectKind kFillOrder[] = {K::ToolBar,  K::Legend,  K::Table,      K::XAxis, K::YAxis,
                                           K::DataView, K::Channel, K::DataCursor, K::Limit, K::Label};

}  // namespace

const TiPlotEditorForm::TPage& TiPlotEditorForm::PageOf(TiPlotObjectKind kind) const
{
    static const TPage kPages[kPageCount] = {
        {K::ToolBar, "ToolBar", "ToolBarTabSheet", "ToolBarListBox", nullptr, nullptr, nullptr, ToolBarBindings},
        {K::Legend, "Legend", "LegendTabSheet", "LegendListBox", nullptr, nullptr, nullptr, LegendBindings},
        {K::Table, "Table", "TablesTabSheet", "TableListBox", "iTableAddButton", "TableRemoveButton", nullptr,
         TableBindings},
        {K::XAxis, "XAxis", "XAxesTabSheet", "XAxisListBox", "XAxesAddButton", "XAxisRemoveButton", "LabelsFont.Color",
         XAxisBindings},
        {K::YAxis, "YAxis", "YAxesTabSheet", "YAxisListBox", "YAxesAddButton", "YAxisRemoveButton", "LabelsFont.Color",
         YAxisBindings},
        {K::Channel, "Channel", "ChannelsTabSheet", "ChannelListBox", "iChannelAddButton", "ChannelRemoveButton",
         "Color", ChannelBindings},
        {K::DataView, "DataView", "DataViewTabSheet", "DataViewListBox", nullptr, nullptr, nullptr, DataViewBindings},
        {K::DataCursor, "DataCursor", "DataCursorTabSheet", "DataCursorListBox", "iDataCursorAddButton",
         "DataCursorRemoveButton", "Color", DataCursorBindings},
        {K::Limit, "Limit", "LimitTabSheet", "LimitListBox", "iLimitAddButton", "LimitRemoveButton", "Color",
         LimitBindings},
        {K::Label, "Label", "LabelsTabSheet", "LabelListBox", "iLabelAddButton", "LabelRemoveButton", nullptr,
         LabelBindings},
    };
    const int index = int(kind);
    PRAVIX_ASSERT(index >= 0 && index < kPageCount, "annotations have no page");
    return kPages[index];
}

// ---------------------------------------------------------------------------------------------
// Construction

TiPlotEditorForm::TiPlotEditorForm(TComponent* owner) : TiCustomEditorForm(owner)
{
    SetName("PlotEditorForm");
    SetCaption("Plot");
    SetClientWidth(576);
    SetClientHeight(272);
    BuildEditorControls(*this, PlotEditorControls());
    // A dialog border fixes the size the form has now.
    SetBorderStyle(bsDialog);
    m_layoutViewer = &EditorControl<TiPlotLayoutViewer>(*this, "LayoutViewer");
    m_layoutPopup = &EditorControl<TPopupMenu>(*this, "LayoutPopupMenu");
    WireControls();
    // The master manager replaces this with its own close handler.
    OnClose = [this](TObject*, TCloseAction&) { m_closing = true; };
    // A stay-on-top editor follows what happened on the plot while the user was there.
    OnActivate = [this](TObject*) { RefreshOnActivation(); };
    OnDeactivate = [this](TObject*) { RefreshOnActivation(); };
}

TiPlotEditorForm::~TiPlotEditorForm()
{
    Destroying();
    if (m_master)
        m_master->OnAfterCloseEditor(this);
}

void TiPlotEditorForm::SetMasterManager(TiPlotMasterManager* master)
{
    if (auto* plot = dynamic_cast<TComponent*>(m_plot))
        plot->RemoveFreeNotification(this);
    m_master = master;
    m_plot = master ? dynamic_cast<TiPlotComponent*>(master->Owner()) : nullptr;
    // A closed stay-on-top editor goes a little after its closing; the plot may go first.
    if (auto* plot = dynamic_cast<TComponent*>(m_plot))
        plot->FreeNotification(this);
    m_layoutViewer->SetMasterManager(master);
    m_layoutViewer->SetLayoutManager(master ? dynamic_cast<TiPlotLayoutManager*>(master->LayoutManager()) : nullptr);
    m_layoutViewer->SetTranslationManager(master ? master->TranslationManager() : nullptr);
}

void TiPlotEditorForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && m_plot && component == dynamic_cast<TComponent*>(m_plot)) {
        m_plot = nullptr;  // the plot is unlinking itself: it is not asked to unlink again
        SetMasterManager(nullptr);
    }
    TiCustomEditorForm::Notification(component, operation);
}

void TiPlotEditorForm::SetFormTranslationMethod(const TFormTranslationMethod& method)
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* picker = dynamic_cast<TiComponentEditorValueConverterPicker*>(Components(i)))
            picker->TranslationMethod = method;
}

std::string TiPlotEditorForm::Translate(const std::string& text) const
{
    const TiPlotTranslationManager* table = m_master ? m_master->TranslationManager() : nullptr;
    return table ? table->FindReplacement(text) : text;
}

TiEditorTranslate TiPlotEditorForm::Translation() const
{
    return [this](const std::string& text) { return Translate(text); };
}

bool TiPlotEditorForm::Live() const { return !IsDestroying(); }

void TiPlotEditorForm::WireControls()
{
    for (const TiPlotObjectKind kind : kUpdateOrder) {
        const TPage& page = PageOf(kind);
        TiComponentEditorListBox& list = ListOf(kind);
        list.OnClick = [this, kind](TObject*) { ListClick(kind); };
        list.OnGetData = [this, kind](int index, bool& drawColorBox, TColor& color, std::string& text) {
            ListData(kind, index, drawColorBox, color, text);
        };
        if (page.AddButton)
            EditorControl<TButton>(*this, page.AddButton).OnClick = [this, kind](TObject*) { AddClick(kind); };
        if (page.RemoveButton)
            EditorControl<TButton>(*this, page.RemoveButton).OnClick = [this, kind](TObject*) { RemoveClick(kind); };
    }
    WireChannelPage();
    WireAxisPages();
    WireToolBarPage();
    WireDataViewPage();
    WireLegendTablePages();
    WireCursorLimitLabelPages();
    WireControlPages();
    WireLayoutPage();
}

// ---------------------------------------------------------------------------------------------
// Pages

TiComponentEditorListBox& TiPlotEditorForm::ListOf(TiPlotObjectKind kind) const
{
    return EditorControl<TiComponentEditorListBox>(*this, PageOf(kind).ListBox);
}

TTabSheet& TiPlotEditorForm::SheetOf(TiPlotObjectKind kind) const
{
    return EditorControl<TTabSheet>(*this, PageOf(kind).Sheet);
}

TiPlotObject* TiPlotEditorForm::SelectedObject(TiPlotObjectKind kind) const
{
    const TiComponentEditorListBox& list = ListOf(kind);
    const int index = list.ItemIndex();
    if (index < 0 || index >= list.Count())
        return nullptr;
    return dynamic_cast<TiPlotObject*>(list.Items()->GetObject(index));
}

void TiPlotEditorForm::UpdateAll()
{
    if (!Live())
        return;
    for (const TiPlotObjectKind kind : kUpdateOrder)
        UpdatePage(kind);
}

void TiPlotEditorForm::UpdatePage(TiPlotObjectKind kind)
{
    if (!Live())
        return;
    const TPage& page = PageOf(kind);
    if (kind == K::Channel) {
        ShowChannelClassSheets();
    }
    if (kind == K::XAxis || kind == K::YAxis)
        FillAxisReferenceCombos(kind);
    FillPageNameCombos(kind);
    TiPlotObject* object = SelectedObject(kind);
    if (!object) {
        DisableAllEditControlsStartingWith(page.Prefix);
        return;
    }
    EnableAllEditControlsStartingWith(page.Prefix);
    LoadBoundControls(*this, page.Bindings(), *object, Translation());
    if (kind == K::Channel)
        UpdateChannelExtras(dynamic_cast<TiPlotChannelCustom*>(object));
    if (kind == K::XAxis || kind == K::YAxis)
        ShowAxisConverterPages(kind, *object);
    if (kind == K::Label)
        EnableLabelRemove();
    ListOf(kind).Invalidate();
}

void TiPlotEditorForm::ChannelChange(TObject*)
{
    if (!Live())
        return;
    auto* channel = dynamic_cast<TiPlotChannelCustom*>(SelectedObject(K::Channel));
    if (!channel)
        return;
    StoreBoundControls(*this, ChannelBindings(), *channel, Translation());
    EditorControl<TiComponentEditorSavePicker>(*this, "ChannelLogFileNamePicker").SetFileName(channel->LogFileName());
    UpdateAll();
}

TiPlotObject* TiPlotEditorForm::WritePage(TiPlotObjectKind kind)
{
    TiPlotObject* object = Live() ? SelectedObject(kind) : nullptr;
    if (object)
        StoreBoundControls(*this, PageOf(kind).Bindings(), *object, Translation());
    return object;
}

void TiPlotEditorForm::ShowObject(TiPlotObjectKind kind, TiPlotObject* object)
{
    EditorControl<TPageControl>(*this, "PageControl").SetActivePage(&SheetOf(kind));
    TiComponentEditorListBox& list = ListOf(kind);
    const int index = list.Items()->IndexOfObject(object);
    if (index >= 0)
        list.SetItemIndex(index);
}

void TiPlotEditorForm::DisableAllEditControlsStartingWith(const std::string& prefix)
{
    ::DisableAllEditControlsStartingWith(this, prefix);
}

void TiPlotEditorForm::EnableAllEditControlsStartingWith(const std::string& prefix)
{
    ::EnableAllEditControlsStartingWith(this, prefix);
}

// While the editor stays on top of a running plot, every change of its activation shows what
// the plot did meanwhile; a value the user typed but has not committed yet is committed first,
// so the refresh does not throw it away.
void TiPlotEditorForm::RefreshOnActivation()
{
    if (!Live() || FormStyle() != fsStayOnTop)
        return;
    TWinControl* focused = ActiveControl();
    if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(focused))
        edit->DoUpdate();
    else if (auto* memo = dynamic_cast<TiComponentEditorMemo*>(focused))
        memo->DoUpdate();
    UpdateAll();
}

// ---------------------------------------------------------------------------------------------
// Lists

void TiPlotEditorForm::ListData(TiPlotObjectKind kind, int index, bool& drawColorBox, TColor& color,
                                std::string& text) const
{
    const TiComponentEditorListBox& list = ListOf(kind);
    auto* object = dynamic_cast<TiPlotObject*>(list.Items()->GetObject(index));
    if (!object)
        return;
    text = object->Name();
    const char* colorPath = PageOf(kind).ListColor;
    drawColorBox = colorPath != nullptr;
    if (!colorPath)
        return;
    if (const TPropertyRef property = FindProperty(*object, colorPath))
        color = TColor(property.GetOrd());
}

void TiPlotEditorForm::ListClick(TiPlotObjectKind kind)
{
    UpdatePage(kind);
    if (kind == K::Channel)
        ChannelStatsClear();
}

// An axis added or removed changes the names that the name combo boxes of the other pages
// offer (channels, limits, data view, the other axis page's references): every page is
// refilled. Any other kind's page refills itself.
void TiPlotEditorForm::UpdateAfterAddOrRemove(TiPlotObjectKind kind)
{
    if (kind == K::XAxis || kind == K::YAxis)
        UpdateAll();
    else
        UpdatePage(kind);
}

// The master manager's Add files the new object with the page's list already (it appends
// and selects every object that registers while the editor is open).
void TiPlotEditorForm::AddClick(TiPlotObjectKind kind)
{
    if (!m_master)
        return;
    m_master->AddObject(kind);
    ListOf(kind).SelectLast();
    UpdateAfterAddOrRemove(kind);
    if (kind == K::Channel)
        ChannelStatsClear();
}

// The object is released as every plot object goes: its removal is announced first, so that
// the managers, the other objects and this list let go of it, and then it is freed.
void TiPlotEditorForm::RemoveClick(TiPlotObjectKind kind)
{
    TiPlotObject* object = SelectedObject(kind);
    if (!object)
        return;
    ReleasePlotObject(object);
    UpdateAfterAddOrRemove(kind);
    if (kind == K::Channel)
        ChannelStatsClear();
}

void TiPlotEditorForm::AppendObject(TiPlotObjectKind kind, TiPlotObject* object)
{
    TiComponentEditorListBox& list = ListOf(kind);
    list.Items()->AddObject("", object);
    list.SelectLast();
    UpdatePage(kind);
    if (kind == K::Channel)
        ChannelStatsClear();
}

// The page is refilled at once: it showed the object that went, and a commit would otherwise
// write that object's values into the one selected now.
void TiPlotEditorForm::DeleteObject(TiPlotObjectKind kind, TiPlotObject* object)
{
    if (object == m_layoutObject)
        m_layoutObject = nullptr;
    TiComponentEditorListBox& list = ListOf(kind);
    const bool wasSelected = SelectedObject(kind) == object;
    list.DeleteObjectIndex(object);
    if (!wasSelected)
        return;
    UpdatePage(kind);
    if (kind == K::Channel)
        ChannelStatsClear();
}

void TiPlotEditorForm::FillLists()
{
    if (!m_master)
        return;
    for (const TiPlotObjectKind kind : kFillOrder) {
        TiComponentEditorListBox& list = ListOf(kind);
        list.Items()->Clear();
        if (const TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind))
            for (int i = 0; i < manager->GetCount(); ++i)
                list.Items()->AddObject("", manager->GetObject(i));
        list.SetItemIndex(list.Count() > 0 ? 0 : -1);
        UpdatePage(kind);
    }
    ChannelStatsClear();
}

// ---------------------------------------------------------------------------------------------
// Name combo boxes

namespace {

std::vector<std::string> NamesOf(const TiPlotObjectManagerCustom* manager)
{
    std::vector<std::string> names;
    if (manager)
        for (int i = 0; i < manager->GetCount(); ++i)
            names.push_back(manager->GetObject(i)->Name());
    return names;
}

}  // namespace

void TiPlotEditorForm::FillNames(TObject* sender, TiPlotObjectKind kind, const std::string& first,
                                 const std::string& last)
{
    auto* combo = dynamic_cast<TiComponentEditorComboBox*>(sender);
    const TiPlotObjectManagerCustom* manager = m_master ? m_master->ManagerOf(kind) : nullptr;
    if (!combo || !manager)
        return;
    FillNameCombo(*combo, first, NamesOf(manager), last, Translation());
}

void TiPlotEditorForm::XAxisNameComboBoxDropDown(TObject* sender) { FillNames(sender, K::XAxis, kNoneName, {}); }

void TiPlotEditorForm::YAxisNameComboBoxDropDown(TObject* sender) { FillNames(sender, K::YAxis, kNoneName, {}); }

void TiPlotEditorForm::DataViewGridXAxisNameComboBoxDropDown(TObject* sender)
{
    FillNames(sender, K::XAxis, kNoneName, kAllName);
}

void TiPlotEditorForm::DataViewGridYAxisNameComboBoxDropDown(TObject* sender)
{
    FillNames(sender, K::YAxis, kNoneName, kAllName);
}

void TiPlotEditorForm::DataCursorChannelNameComboBoxDropDown(TObject* sender)
{
    FillNames(sender, K::Channel, kAllName, {});
}

void TiPlotEditorForm::ChannelNameComboBoxDropDown(TObject* sender) { FillNames(sender, K::Channel, kNoneName, {}); }

void TiPlotEditorForm::ObjectRenamed(TiPlotObjectKind kind, TiPlotObject& object)
{
    for (const TNameCombo& entry : kNameCombos) {
        auto* combo = dynamic_cast<TiComponentEditorComboBox*>(FindComponent(entry.Name));
        if (entry.Names != kind || !combo || NameFromCombo(*combo, Translation()) != object.PreviousName())
            continue;
        // The previous name belongs to no object now: it must not be kept as an entry.
        combo->SetAsInteger(-1);
        (this->*entry.Refill)(combo);
        ShowNameInCombo(*combo, object.Name(), Translation());
    }
    if (kind != K::Annotation)
        ListOf(kind).Invalidate();
}

// The page's update shows the object's own names after the fill, so the fill keeps nothing of
// what the combo boxes showed before (an unmatched name of another object among them).
void TiPlotEditorForm::FillPageNameCombos(TiPlotObjectKind kind)
{
    for (const TNameCombo& entry : kNameCombos) {
        if (entry.Page != kind)
            continue;
        auto& combo = EditorControl<TiComponentEditorComboBox>(*this, entry.Name);
        combo.SetAsInteger(-1);
        (this->*entry.Refill)(&combo);
    }
}

// ---------------------------------------------------------------------------------------------
// The "Control" pages

void TiPlotEditorForm::WireControlPages()
{
    WireBoundControls(*this, ControlBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::GeneralChanged));
    WireBoundControls(*this, TitleLabelBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::TitleChange));
    for (const char* picker : {"ControlPropertiesOpenPicker", "ControlPropertiesSavePicker", "ControlDataSavePicker",
                               "ControlDataOpenPicker", "ControlAnnotationSavePicker", "ControlAnnotationOpenPicker"})
        WireCommit(*FindComponent(picker), TNotifyEvent::Bind(this, &TiPlotEditorForm::ControlFileClick));
    EditorControl<TiComponentEditorSavePicker>(*this, "ControlLogFileNamePicker").OnChange =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::ControlLogFileNameChange);
    EditorControl<TButton>(*this, "ControlLogActivateButton").OnClick =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::ControlLogActivateClick);
    EditorControl<TButton>(*this, "ControlLogDeactivateButton").OnClick =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::ControlLogDeactivateClick);
}

void TiPlotEditorForm::LoadControlPages()
{
    if (!m_plot)
        return;
    LoadBoundControls(*this, ControlBindings(), *m_plot, Translation());
    EditorControl<TiComponentEditorSavePicker>(*this, "ControlLogFileNamePicker").SetFileName(m_plot->LogFileName());
    SetLogControls("Control", m_plot->LoggingActive());
}

void TiPlotEditorForm::StoreControlPages()
{
    if (!m_plot || !Live())
        return;
    StoreBoundControls(*this, ControlBindings(), *m_plot, Translation());
    SetLogControls("Control", m_plot->LoggingActive());
}

void TiPlotEditorForm::GeneralChanged(TObject*)
{
    if (!Live() || !m_master)
        return;
    m_master->BasicPropertyChanged();
    EditorControl<TiComponentEditorSavePicker>(*this, "ControlLogFileNamePicker")
        .SetFileName(EditorControl<TiComponentEditorEdit>(*this, "ControlLogFileNameEdit").GetAsString());
}

void TiPlotEditorForm::TitleChange(TObject*)
{
    if (!Live() || !m_master || !m_master->LabelManager() || m_master->LabelManager()->GetCount() == 0)
        return;
    StoreBoundControls(*this, TitleLabelBindings(), *m_master->LabelManager()->GetObject(0), Translation());
    UpdateLabelEdit();
    ListOf(K::Label).Invalidate();
}

// While the plot or a channel logs, its log name may not change: the name stays shown but
// cannot be edited, and only the button that fits the state is enabled.
void TiPlotEditorForm::SetLogControls(const std::string& prefix, bool logging)
{
    auto& edit = EditorControl<TiComponentEditorEdit>(*this, prefix + "LogFileNameEdit");
    if (logging)
        edit.DisableNoClear();
    else
        edit.Enable();
    EditorControl<TControl>(*this, prefix + "LogFileNamePicker").SetEnabled(!logging);
    EditorControl<TControl>(*this, prefix + "LogActivateButton").SetEnabled(!logging);
    EditorControl<TControl>(*this, prefix + "LogDeactivateButton").SetEnabled(logging);
}

void TiPlotEditorForm::ControlFileClick(TObject* sender)
{
    if (!m_plot)
        return;
    const std::string name = dynamic_cast<TComponent*>(sender)->Name();
    if (name == "ControlPropertiesOpenPicker") {
        m_plot->LoadPropertiesFromFile(EditorControl<TiComponentEditorOpenPicker>(*this, name).FileName());
        // The pages show what was loaded, so the next commit does not write the old values back.
        LoadControlPages();
        UpdateAll();
    } else if (name == "ControlPropertiesSavePicker") {
        m_plot->SavePropertiesToFile(EditorControl<TiComponentEditorSavePicker>(*this, name).FileName());
    } else if (name == "ControlDataSavePicker") {
        m_plot->SaveDataToFile(EditorControl<TiComponentEditorSavePicker>(*this, name).FileName());
    } else if (name == "ControlDataOpenPicker") {
        m_plot->ClearAllData();
        m_plot->LoadDataFromFile(EditorControl<TiComponentEditorOpenPicker>(*this, name).FileName());
    } else if (name == "ControlAnnotationSavePicker") {
        m_plot->SaveAnnotationsToFile(EditorControl<TiComponentEditorSavePicker>(*this, name).FileName());
    } else if (name == "ControlAnnotationOpenPicker") {
        m_plot->LoadAnnotationsFromFile(EditorControl<TiComponentEditorOpenPicker>(*this, name).FileName());
    }
}

void TiPlotEditorForm::ControlLogFileNameChange(TObject*)
{
    EditorControl<TiComponentEditorEdit>(*this, "ControlLogFileNameEdit")
        .SetAsString(EditorControl<TiComponentEditorSavePicker>(*this, "ControlLogFileNamePicker").FileName());
    if (m_master)
        m_master->BasicPropertyChanged();
}

void TiPlotEditorForm::ControlLogActivateClick(TObject*)
{
    if (!m_plot || !m_master)
        return;
    m_plot->LogActivate(false);
    m_master->BasicPropertyChanged();
}

void TiPlotEditorForm::ControlLogDeactivateClick(TObject*)
{
    if (!m_plot || !m_master)
        return;
    m_plot->LogDeactivate();
    m_master->BasicPropertyChanged();
}

// ---------------------------------------------------------------------------------------------
// How the master manager drives the form

namespace {

// The form as the master manager sees it. The master manager owns the editor through this
// object, which owns the form.
class TPlotEditor final : public IPlotEditor {
public:
    explicit TPlotEditor(TiPlotMasterManager& master) : m_form(std::make_unique<TiPlotEditorForm>(nullptr))
    {
        m_form->SetMasterManager(&master);
        m_form->SetFormTranslationMethod([&master](TForm* form) { master.DoTranslation(form); });
        m_form->OnClose = [&master](TObject* sender, TCloseAction&) { master.EditorClose(sender); };
    }

    TForm& Form() override { return *m_form; }
    bool Closing() const override { return m_form->Closing(); }
    void AppendObject(TiPlotObjectKind kind, TiPlotObject* object) override { m_form->AppendObject(kind, object); }
    void DeleteObject(TiPlotObjectKind kind, TiPlotObject* object) override { m_form->DeleteObject(kind, object); }
    void ObjectRenamed(TiPlotObjectKind kind, TiPlotObject* object) override
    {
        if (object)
            m_form->ObjectRenamed(kind, *object);
    }
    void FillLists(TiPlotMasterManager&) override { m_form->FillLists(); }
    void SelectObject(TiPlotObjectKind kind, TiPlotObject* object) override { m_form->ShowObject(kind, object); }
    void UpdateAll() override
    {
        m_form->UpdateAll();
        m_form->LoadControlPages();
    }
    void StoreGeneralPages() override { m_form->StoreControlPages(); }
    void SetChannelAddRemoveVisible(bool visible) override
    {
        EditorControl<TControl>(*m_form, "iChannelAddButton").SetVisible(visible);
        EditorControl<TControl>(*m_form, "ChannelRemoveButton").SetVisible(visible);
    }
    int PageIndex(int pageControl) const override { return Pages(pageControl).ActivePageIndex(); }
    void SetPageIndex(int pageControl, int index) override
    {
        TPageControl& pages = Pages(pageControl);
        if (index >= 0 && index < pages.PageCount())
            pages.SetActivePageIndex(index);
    }
    void Show(TiPlotEditorFormStyle style) override
    {
        if (style == ipfsModal) {
            m_form->ShowModal();
            return;
        }
        m_form->SetFormStyle(fsStayOnTop);
        m_form->Show();
    }

private:
    TPageControl& Pages(int pageControl) const
    {
        return EditorControl<TPageControl>(*m_form, kKeptPageControls[pageControl]);
    }

    std::unique_ptr<TiPlotEditorForm> m_form;
};

[[maybe_unused]] const bool g_registered = [] {
    RegisterPlotEditor([](TiPlotMasterManager& master) { return std::make_unique<TPlotEditor>(master); });
    return true;
}();

}  // namespace

PRAVIX_PUBLISH(TiPlotEditorForm)
