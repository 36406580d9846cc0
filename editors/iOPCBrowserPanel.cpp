#include "editors/iOPCBrowserPanel.h"

#include "components/iOPCDLLLoader.h"
#include "editors/iOPCComputerSelector.h"
#include "editors/iOPCGroupSelector.h"
#include "editors/iOPCItemSelector.h"
#include "editors/iOPCPropertySelector.h"
#include "editors/iOPCServerSelector.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Registry.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Cursors.h"

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kDefaultsKey = "SOFTWARE\\Pravix\\OPC";
constexpr int kListLeft = 8;
constexpr int kListTop = 8;
constexpr int kCheckBoxWidth = 120;
constexpr int kScalarEditWidth = 60;

// A control placed, or squeezed to nothing when hidden.
void Place(TControl& control, int left, int top, int width, int height, bool shown = true)
{
    control.SetBounds(left, top, shown ? width : 0, height);
}

}  // namespace

TiOPCBrowserPanel::TiOPCBrowserPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(Left(), Top(), 280, 165);
    SetColor(clBtnFace);
    CreateChildren();
    m_session = OPCDLLEditorSessionStart();
    AdjustLayout();
    UpdateItemEdit();
}

TiOPCBrowserPanel::~TiOPCBrowserPanel()
{
    // The items belong to the panel, the list only shows them.
    for (int i = 0; i < ItemCount(); ++i)
        delete Item(i);
    try {
        OPCDLLEditorSessionStop(m_session);
    } catch (const std::exception&) {
        // A session the library no longer knows needs no stopping.
    }
}

void TiOPCBrowserPanel::CreateChildren()
{
    auto make = [this]<class T>(T*, const char* name) {
        T* control = new T(this);
        control->SetName(name);
        control->SetParent(this);
        return control;
    };
    m_itemList = make(static_cast<TiComponentEditorListBox*>(nullptr), "ItemList");
    m_itemList->SetStyle(lbStandard);
    m_itemList->OnClick = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::ItemListClick);
    m_itemList->OnItemMove = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::ItemListMove);
    m_addButton = make(static_cast<TiComponentEditorButton*>(nullptr), "AddButton");
    m_addButton->SetCaption("Add");
    m_addButton->SetHeight(25);
    m_addButton->OnClick = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::AddButtonClick);
    m_removeButton = make(static_cast<TiComponentEditorButton*>(nullptr), "RemoveButton");
    m_removeButton->SetCaption("Remove");
    m_removeButton->SetHeight(25);
    m_removeButton->OnClick = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::RemoveButtonClick);

    static constexpr const char* kEditNames[eEditCount] = {
        "PropertyNameEdit", "GroupNameEdit", "ComputerNameEdit", "ServerNameEdit", "ItemNameEdit",  "Item2NameEdit",
        "ScalarEdit",       "OffsetEdit",    "Scalar2Edit",      "Offset2Edit",    "UpdateRateEdit"};
    for (int i = 0; i < eEditCount; ++i) {
        m_edits[i] = make(static_cast<TiComponentEditorEdit*>(nullptr), kEditNames[i]);
        m_edits[i]->OnUpdate = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::EditChange);
    }
    for (TEditIndex remembered : {eGroupName, eComputerName, eServerName})
        m_edits[remembered]->OnUpdate = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::RememberingEditChange);
    m_edits[eUpdateRate]->OnUpdate = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::UpdateRateChange);

    m_autoConnectCheckBox = make(static_cast<TiComponentEditorCheckBox*>(nullptr), "AutoConnectCheckBox");
    m_autoConnectCheckBox->SetCaption("Auto Connect");
    m_autoErrorCheckBox = make(static_cast<TiComponentEditorCheckBox*>(nullptr), "AutoErrorCheckBox");
    m_autoErrorCheckBox->SetCaption("Auto Error");
    for (TiComponentEditorCheckBox* check : {m_autoConnectCheckBox, m_autoErrorCheckBox}) {
        check->iSetAutoSize(false);
        check->OnClick = TNotifyEvent::Bind(this, &TiOPCBrowserPanel::EditChange);
    }

    using THandler = void (TiOPCBrowserPanel::*)(TObject*);
    static constexpr struct {
        const char* Name;
        THandler Click;
    } kButtons[bButtonCount] = {
        {"PropertyButton", &TiOPCBrowserPanel::PropertyButtonClick},
        {"GroupButton", &TiOPCBrowserPanel::GroupButtonClick},
        {"ComputerButton", &TiOPCBrowserPanel::ComputerButtonClick},
        {"ServerButton", &TiOPCBrowserPanel::ServerButtonClick},
        {"ItemButton", &TiOPCBrowserPanel::ItemButtonClick},
        {"Item2Button", &TiOPCBrowserPanel::Item2ButtonClick},
    };
    for (int i = 0; i < bButtonCount; ++i) {
        m_buttons[i] = make(static_cast<TiComponentEditorButton*>(nullptr), kButtons[i].Name);
        m_buttons[i]->SetCaption("...");
        m_buttons[i]->OnClick = TNotifyEvent::Bind(this, kButtons[i].Click);
    }

    static constexpr const char* kCaptions[lLabelCount] = {"Property",  "Group",     "Computer",   "OPC Server",
                                                           "Item",      "Item2",     "Scalar",     "Offset",
                                                           "Scalar(Y)", "Offset(Y)", "Update Rate"};
    for (int i = 0; i < lLabelCount; ++i) {
        m_labels[i] = make(static_cast<TLabel*>(nullptr), (std::string(kEditNames[i]) + "Label").c_str());
        m_labels[i]->SetCaption(kCaptions[i]);
        m_labels[i]->SetAlignment(taRightJustify);
    }
    m_statusLabel = make(static_cast<TLabel*>(nullptr), "StatusLabel");
    m_statusLabel->SetAlignment(taCenter);
    m_statusLabel->Font()->SetStyle({fsBold});
    m_statusLabel->Font()->SetColor(TColor(255));
    m_statusLabel->SetCaption("");
}

void TiOPCBrowserPanel::Loaded()
{
    TCustomControl::Loaded();
    AdjustLayout();
    UpdateItemEdit();
}

// The panel shows its colour behind its children.
void TiOPCBrowserPanel::Paint()
{
    Canvas()->Brush().SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TiOPCBrowserPanel::Resize()
{
    TCustomControl::Resize();
    if (m_statusLabel)
        AdjustLayout();
}

// ---------------------------------------------------------------------------------------------
// Items

int TiOPCBrowserPanel::AddItem()
{
    auto item = std::make_unique<TiOPCItem>();
    const int index = m_itemList->Items()->AddObject("", item.get());
    item.release();
    m_itemList->SetItemIndex(index);
    return index;
}

int TiOPCBrowserPanel::ItemCount() const { return m_itemList->Items()->Count(); }

void TiOPCBrowserPanel::RemoveAllItems()
{
    while (ItemCount() > 0) {
        delete Item(0);
        m_itemList->Items()->Delete(0);
    }
}

TiOPCItem* TiOPCBrowserPanel::Item(int index) const
{
    if (index < 0 || index >= ItemCount())
        RaiseListIndexError(index);
    return static_cast<TiOPCItem*>(m_itemList->Items()->Objects(index));
}

TiOPCItem* TiOPCBrowserPanel::SelectedItem() const
{
    const int index = m_itemList->ItemIndex();
    return index >= 0 && index < ItemCount() ? Item(index) : nullptr;
}

void TiOPCBrowserPanel::SetPropertyName(int index, const std::string& value)
{
    Item(index)->SetPropertyName(value);
    m_itemList->Items()->Put(index, value);
}

void TiOPCBrowserPanel::SetGroupName(int index, const std::string& value) { Item(index)->SetGroupName(value); }
void TiOPCBrowserPanel::SetComputerName(int index, const std::string& value) { Item(index)->SetComputerName(value); }
void TiOPCBrowserPanel::SetServerName(int index, const std::string& value) { Item(index)->SetServerName(value); }
void TiOPCBrowserPanel::SetItemName(int index, const std::string& value) { Item(index)->SetItemName(value); }
void TiOPCBrowserPanel::SetUpdateRate(int index, int value) { Item(index)->SetUpdateRate(value); }
void TiOPCBrowserPanel::SetScalar(int index, double value) { Item(index)->SetScalar(value); }
void TiOPCBrowserPanel::SetOffset(int index, double value) { Item(index)->SetOffset(value); }
void TiOPCBrowserPanel::SetAutoConnect(int index, bool value) { Item(index)->SetAutoConnect(value); }
void TiOPCBrowserPanel::SetAutoError(int index, bool value) { Item(index)->SetAutoError(value); }
std::string TiOPCBrowserPanel::GetPropertyName(int index) const { return Item(index)->PropertyName(); }
std::string TiOPCBrowserPanel::GetGroupName(int index) const { return Item(index)->GroupName(); }
std::string TiOPCBrowserPanel::GetComputerName(int index) const { return Item(index)->ComputerName(); }
std::string TiOPCBrowserPanel::GetServerName(int index) const { return Item(index)->ServerName(); }
std::string TiOPCBrowserPanel::GetItemName(int index) const { return Item(index)->ItemName(); }
int TiOPCBrowserPanel::GetUpdateRate(int index) const { return Item(index)->UpdateRate(); }
double TiOPCBrowserPanel::GetScalar(int index) const { return Item(index)->Scalar(); }
double TiOPCBrowserPanel::GetOffset(int index) const { return Item(index)->Offset(); }
bool TiOPCBrowserPanel::GetAutoConnect(int index) const { return Item(index)->AutoConnect(); }
bool TiOPCBrowserPanel::GetAutoError(int index) const { return Item(index)->AutoError(); }
void TiOPCBrowserPanel::SetItem2Name(int, const std::string& value) { m_edits[eItem2Name]->SetAsString(value); }
std::string TiOPCBrowserPanel::GetItem2Name(int) const { return m_edits[eItem2Name]->GetAsString(); }
void TiOPCBrowserPanel::SetScalar2(int, double value) { m_edits[eScalar2]->SetAsFloat(value); }
double TiOPCBrowserPanel::GetScalar2(int) const { return m_edits[eScalar2]->GetAsFloat(); }
void TiOPCBrowserPanel::SetOffset2(int, double value) { m_edits[eOffset2]->SetAsFloat(value); }
double TiOPCBrowserPanel::GetOffset2(int) const { return m_edits[eOffset2]->GetAsFloat(); }

// ---------------------------------------------------------------------------------------------
// Switches and captions

namespace {

template <class T>
bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

}  // namespace

void TiOPCBrowserPanel::SetShowProperty(bool value)
{
    if (Store(m_showProperty, value))
        AdjustLayout();
}

void TiOPCBrowserPanel::SetShowGroupName(bool value)
{
    if (Store(m_showGroupName, value))
        AdjustLayout();
}

void TiOPCBrowserPanel::SetShowItem(bool value)
{
    if (Store(m_showItem, value))
        AdjustLayout();
}

void TiOPCBrowserPanel::SetShowAutoError(bool value)
{
    if (Store(m_showAutoError, value))
        AdjustLayout();
}

void TiOPCBrowserPanel::SetShowAutoConnect(bool value)
{
    if (Store(m_showAutoConnect, value))
        AdjustLayout();
}

void TiOPCBrowserPanel::SetGroupEditStyle(TiOPCGroupEditStyle value)
{
    if (Store(m_groupEditStyle, value))
        AdjustLayout();
}

void TiOPCBrowserPanel::SetItem2Visible(bool value)
{
    m_item2Visible = value;
    AdjustLayout();
}

std::string TiOPCBrowserPanel::GetGroupNameCaption() const { return m_labels[lGroup]->Caption(); }
void TiOPCBrowserPanel::SetGroupNameCaption(const std::string& value) { m_labels[lGroup]->SetCaption(value); }
std::string TiOPCBrowserPanel::GetItemCaption() const { return m_labels[lItem]->Caption(); }
void TiOPCBrowserPanel::SetItemCaption(const std::string& value) { m_labels[lItem]->SetCaption(value); }
std::string TiOPCBrowserPanel::GetItem2Caption() const { return m_labels[lItem2]->Caption(); }
void TiOPCBrowserPanel::SetItem2Caption(const std::string& value) { m_labels[lItem2]->SetCaption(value); }

// ---------------------------------------------------------------------------------------------
// Layout

void TiOPCBrowserPanel::AdjustLayout()
{
    const int w = Width();
    const int h = m_edits[ePropertyName]->Height();
    const int buttonHeight = m_addButton->Height();
    const int listWidth = m_showProperty ? w / 3 : 0;
    const int listHeight = std::max(0, Height() - kListTop - buttonHeight - 10);
    Place(*m_itemList, kListLeft, kListTop, listWidth, listHeight);
    const int buttonWidth = listWidth / 11 * 5;
    const int buttonTop = kListTop + listHeight + 5;
    Place(*m_addButton, kListLeft, buttonTop, buttonWidth, buttonHeight);
    Place(*m_removeButton, kListLeft + listWidth - buttonWidth, buttonTop, buttonWidth, buttonHeight);

    m_labels[lScalar]->SetCaption(m_item2Visible ? "Scalar(X)" : "Scalar");
    m_labels[lOffset]->SetCaption(m_item2Visible ? "Offset(X)" : "Offset");
    TBitmap scratch;
    TCanvas& canvas = scratch.Canvas();
    canvas.Font().Assign(*Font());
    const std::pair<TLabelIndex, bool> kColumnCaptions[] = {
        {lProperty, m_showProperty}, {lGroup, true},           {lComputer, true},   {lServer, true},
        {lItem, m_showItem},         {lItem2, m_item2Visible}, {lUpdateRate, true},
    };
    int captionWidth = 0;
    for (const auto& [label, shown] : kColumnCaptions)
        if (shown)
            captionWidth = std::max(captionWidth, canvas.TextWidth(m_labels[label]->Caption()));
    const int x0 = kListLeft + listWidth + (m_showProperty ? 10 : 5);
    LayoutEditRows(x0, captionWidth, kListTop);

    const int checkLeft = x0 + 10;
    const int checkHeight = m_autoConnectCheckBox->Height();
    const int checkTop = m_edits[eItem2Name]->Top() + h + 5;
    Place(*m_autoConnectCheckBox, checkLeft, checkTop, kCheckBoxWidth, checkHeight, m_showAutoConnect);
    const int errorTop = checkTop + checkHeight + 3;
    Place(*m_autoErrorCheckBox, checkLeft, errorTop, kCheckBoxWidth, checkHeight, m_showAutoError);
    const int lowerCheckBottom = m_showAutoError ? errorTop + checkHeight : checkTop + checkHeight;
    Place(*m_statusLabel, x0, lowerCheckBottom + 10, kCheckBoxWidth + captionWidth, 16);
    LayoutScalars(checkTop);
}

void TiOPCBrowserPanel::LayoutEditRows(int x0, int captionWidth, int top)
{
    const int h = m_edits[ePropertyName]->Height();
    const int editLeft = x0 + captionWidth + 5;
    const int editWidth = std::max(0, Width() - 10 - h - editLeft);
    const bool groupButton = m_showGroupName && m_groupEditStyle != iopcgesEdit;
    struct TRow {
        TEditIndex Edit;
        TLabelIndex Label;
        int Button;  // -1: none
        bool Shown;
        bool ButtonShown;
    };
    const TRow rows[] = {
        {ePropertyName, lProperty, bProperty, m_showProperty, m_showProperty},
        {eGroupName, lGroup, bGroup, m_showGroupName, groupButton},
        {eComputerName, lComputer, bComputer, true, true},
        {eServerName, lServer, bServer, true, true},
        {eUpdateRate, lUpdateRate, -1, true, false},
        {eItemName, lItem, bItem, m_showItem, m_showItem},
        {eItem2Name, lItem2, bItem2, m_item2Visible, m_item2Visible},
    };
    for (const TRow& row : rows) {
        if (row.Edit == ePropertyName && !m_showProperty) {
            // Without the property row the next row takes its place.
            Place(*m_edits[row.Edit], editLeft, top, 0, h);
            Place(*m_labels[row.Label], x0, top + 4, 0, h);
            Place(*m_buttons[row.Button], editLeft, top, 0, h);
            continue;
        }
        Place(*m_edits[row.Edit], editLeft, top, editWidth, h, row.Shown);
        Place(*m_labels[row.Label], x0, top + 4, captionWidth, h - 4, row.Shown);
        if (row.Button >= 0)
            Place(*m_buttons[row.Button], editLeft + editWidth, top, h, h, row.ButtonShown);
        top += h + 1 + (row.Edit == ePropertyName ? 2 : 0);
    }
}

void TiOPCBrowserPanel::LayoutScalars(int checkTop)
{
    const int h = m_edits[ePropertyName]->Height();
    TBitmap scratch;
    TCanvas& canvas = scratch.Canvas();
    canvas.Font().Assign(*Font());
    int captionWidth = 0;
    for (TLabelIndex label : {lScalar, lOffset, lScalar2, lOffset2})
        captionWidth = std::max(captionWidth, canvas.TextWidth(m_labels[label]->Caption()));
    const int scalarTop = checkTop - 3;
    const int offsetTop = scalarTop + h + 2;
    auto placePair = [&](TEditIndex scalar, TEditIndex offset, TLabelIndex scalarLabel, TLabelIndex offsetLabel,
                         int right, bool shown) {
        const int left = right - kScalarEditWidth;
        Place(*m_edits[scalar], left, scalarTop, kScalarEditWidth, h, shown);
        Place(*m_edits[offset], left, offsetTop, kScalarEditWidth, h, shown);
        Place(*m_labels[scalarLabel], left - 5 - captionWidth, scalarTop + 4, captionWidth, h - 4, shown);
        Place(*m_labels[offsetLabel], left - 5 - captionWidth, offsetTop + 4, captionWidth, h - 4, shown);
    };
    const TiComponentEditorEdit& itemEdit = *m_edits[eItemName];
    const int right = itemEdit.Left() + std::max(itemEdit.Width(), m_edits[eComputerName]->Width());
    placePair(eScalar2, eOffset2, lScalar2, lOffset2, right, m_item2Visible);
    const int firstRight = m_item2Visible ? right - kScalarEditWidth - 5 - captionWidth - 10 : right;
    placePair(eScalar, eOffset, lScalar, lOffset, firstRight, true);
}

// ---------------------------------------------------------------------------------------------
// Showing and writing back the selected item

void TiOPCBrowserPanel::DisableEditing()
{
    m_itemList->SetEnabled(false);
    m_removeButton->Disable();
    for (TiComponentEditorButton* button : m_buttons)
        button->Disable();
    for (TiComponentEditorEdit* edit : m_edits)
        edit->Disable();
    m_autoConnectCheckBox->Disable();
    m_autoErrorCheckBox->Disable();
}

void TiOPCBrowserPanel::UpdateItemEdit()
{
    m_statusLabel->SetCaption(OPCDLLNotLoaded() ? "Pravix OPC DLL Missing" : "");
    const TiOPCItem* item = SelectedItem();
    if (!item) {
        DisableEditing();
        return;
    }
    m_itemList->SetEnabled(true);
    m_removeButton->Enable();
    for (TiComponentEditorButton* button : m_buttons)
        button->Enable();
    for (TiComponentEditorEdit* edit : m_edits)
        edit->Enable();
    m_edits[ePropertyName]->Disable();
    m_edits[eGroupName]->Disable();
    m_autoConnectCheckBox->Enable();
    m_autoErrorCheckBox->Enable();
    ShowSelectedItem(*item);
    UpdateGroupEdits();
    if (Trim(m_edits[eServerName]->GetAsString()).empty()) {
        m_edits[eItemName]->DisableNoClear();
        m_edits[eItem2Name]->DisableNoClear();
        m_buttons[bItem]->Disable();
        m_buttons[bItem2]->Disable();
    }
}

void TiOPCBrowserPanel::ShowSelectedItem(const TiOPCItem& item)
{
    m_edits[ePropertyName]->SetAsString(item.PropertyName());
    m_edits[eGroupName]->SetAsString(item.GroupName());
    m_edits[eComputerName]->SetAsString(item.ComputerName());
    m_edits[eServerName]->SetAsString(item.ServerName());
    m_edits[eItemName]->SetAsString(item.ItemName());
    m_edits[eUpdateRate]->SetAsInteger(item.UpdateRate());
    m_edits[eScalar]->SetAsFloat(item.Scalar());
    m_edits[eOffset]->SetAsFloat(item.Offset());
    m_autoConnectCheckBox->SetAsBoolean(item.AutoConnect());
    m_autoErrorCheckBox->SetAsBoolean(item.AutoError());
}

void TiOPCBrowserPanel::UpdateGroupEdits()
{
    TiComponentEditorEdit& group = *m_edits[eGroupName];
    TiComponentEditorEdit& computer = *m_edits[eComputerName];
    TiComponentEditorEdit& server = *m_edits[eServerName];
    TiComponentEditorEdit& rate = *m_edits[eUpdateRate];
    if (m_groupEditStyle == iopcgesEdit) {
        group.Enable();
        group.SetAsString(SelectedItem()->GroupName());
        return;
    }
    const std::string groupName = Trim(group.GetAsString());
    if (groupName.empty()) {
        group.DisableNoClear();
        return;
    }
    // The group decides where the item's data come from; the edits show the group's.
    for (TiComponentEditorEdit* edit : {&computer, &server, &rate})
        edit->Disable();
    m_buttons[bComputer]->Disable();
    m_buttons[bServer]->Disable();
    group.DisableNoClear();
    if (OPCDLLNotLoaded())
        return;
    const int handle = OPCDLLGroupGetHandleByName(groupName);
    if (handle == 0) {
        m_statusLabel->SetCaption("Group Not Found");
        return;
    }
    m_statusLabel->SetCaption("");
    computer.SetAsString(OPCDLLGroupGetComputerName(handle));
    server.SetAsString(OPCDLLGroupGetOPCServerName(handle));
    rate.SetAsInteger(OPCDLLGroupGetUpdateRate(handle));
}

void TiOPCBrowserPanel::ItemChange()
{
    if (TiOPCItem* item = SelectedItem()) {
        item->SetPropertyName(m_edits[ePropertyName]->GetAsString());
        item->SetGroupName(m_edits[eGroupName]->GetAsString());
        item->SetComputerName(m_edits[eComputerName]->GetAsString());
        item->SetServerName(m_edits[eServerName]->GetAsString());
        item->SetItemName(m_edits[eItemName]->GetAsString());
        item->SetUpdateRate(m_edits[eUpdateRate]->GetAsInteger());
        item->SetAutoConnect(m_autoConnectCheckBox->GetAsBoolean());
        item->SetAutoError(m_autoErrorCheckBox->GetAsBoolean());
        item->SetScalar(m_edits[eScalar]->GetAsFloat());
        item->SetOffset(m_edits[eOffset]->GetAsFloat());
    }
    NotifyUserChange(this);
    OnChange(this);
}

void TiOPCBrowserPanel::EditChange(TObject*)
{
    ItemChange();
    UpdateItemEdit();
}

void TiOPCBrowserPanel::RememberingEditChange(TObject* sender)
{
    const TiComponentEditorEdit* edit = static_cast<TiComponentEditorEdit*>(sender);
    const char* name = edit == m_edits[eGroupName]      ? "GroupName"
                       : edit == m_edits[eComputerName] ? "ComputerName"
                                                        : "ServerName";
    SetDefaults(name, edit->GetAsString());
    EditChange(sender);
}

void TiOPCBrowserPanel::UpdateRateChange(TObject* sender)
{
    // Only a number is remembered: a stored word would break every later Add.
    int rate = 0;
    if (TryStrToInt(Trim(m_edits[eUpdateRate]->GetAsString()), rate))
        SetDefaults("UpdateRate", std::to_string(rate));
    EditChange(sender);
}

void TiOPCBrowserPanel::ItemListClick(TObject*) { UpdateItemEdit(); }

void TiOPCBrowserPanel::ItemListMove(TObject*) { NotifyUserChange(this); }

// ---------------------------------------------------------------------------------------------
// Registry defaults

void TiOPCBrowserPanel::GetDefaults(TiOPCItem& item)
{
    const std::optional<TRegistryKey> key = OpenKey(HKEY_CURRENT_USER, kDefaultsKey, false);
    if (!key)
        return;
    item.SetComputerName(key->ReadString("ComputerName"));
    item.SetServerName(key->ReadString("ServerName"));
    // A value that is no number is no default (it may come from an older version).
    int rate = 0;
    if (TryStrToInt(Trim(key->ReadString("UpdateRate")), rate))
        item.SetUpdateRate(rate);
}

void TiOPCBrowserPanel::SetDefaults(const std::string& name, const std::string& value)
{
    if (std::optional<TRegistryKey> key = OpenKey(HKEY_CURRENT_USER, kDefaultsKey, true))
        key->WriteString(name, value);
}

// ---------------------------------------------------------------------------------------------
// Adding and removing

TComponent& TiOPCBrowserPanel::RequireComponent() const
{
    if (!m_component)
        throw Exception("Class not Defined");
    return *m_component;
}

bool TiOPCBrowserPanel::SelectProperty(std::string& name)
{
    std::unique_ptr<TiOPCPropertySelectorForm> form;
    {
        TScreenCursorGuard hourglass(crHourGlass);
        form = std::make_unique<TiOPCPropertySelectorForm>(nullptr);
        form->Setup(&RequireComponent(), "");
        form->AddUnassigned();
        form->SetPropertyName(name);
    }
    if (form->ShowModal() != mrOk)
        return false;
    name = form->PropertyName();
    return true;
}

void TiOPCBrowserPanel::AddButtonClick(TObject*)
{
    std::string name = m_edits[ePropertyName]->GetAsString();
    if (SelectProperty(name)) {
        auto item = std::make_unique<TiOPCItem>();
        GetDefaults(*item);
        const int index = m_itemList->Items()->AddObject("", item.get());
        item.release();
        SetPropertyName(index, name);
        m_itemList->SetItemIndex(index);
    }
    UpdateItemEdit();
    ItemChange();
}

void TiOPCBrowserPanel::RemoveButtonClick(TObject*)
{
    if (SelectedItem())
        m_itemList->DeleteSelectedObject();
    UpdateItemEdit();
    ItemChange();
}

// ---------------------------------------------------------------------------------------------
// The "..." buttons

void TiOPCBrowserPanel::PropertyButtonClick(TObject*)
{
    RequireComponent();
    std::string name = m_edits[ePropertyName]->GetAsString();
    if (!SelectProperty(name))
        return;
    if (const int index = m_itemList->ItemIndex(); index >= 0)
        m_itemList->Items()->Put(index, name);
    m_edits[ePropertyName]->SetStringWithEvent(name);
}

void TiOPCBrowserPanel::GroupButtonClick(TObject*)
{
    TScreenCursorGuard hourglass(crHourGlass);
    const auto form = std::make_unique<TiOPCGroupSelectorForm>(nullptr);
    form->Setup();
    form->SetGroupName(m_edits[eGroupName]->GetAsString());
    if (form->ShowModal() == mrOk)
        m_edits[eGroupName]->SetStringWithEvent(form->GetGroupName());
}

void TiOPCBrowserPanel::ComputerButtonClick(TObject*)
{
    TScreenCursorGuard hourglass(crHourGlass);
    const auto form = std::make_unique<TiOPCComputerSelectorForm>(nullptr);
    form->SetSession(m_session);
    form->Setup();
    form->SetComputerName(m_edits[eComputerName]->GetAsString());
    if (form->ShowModal() == mrOk)
        m_edits[eComputerName]->SetStringWithEvent(form->ComputerName());
}

void TiOPCBrowserPanel::ServerButtonClick(TObject*)
{
    TScreenCursorGuard hourglass(crHourGlass);
    const auto form = std::make_unique<TiOPCServerSelectorForm>(nullptr);
    form->SetSession(m_session);
    form->Setup(m_edits[eComputerName]->GetAsString());
    form->SetServerName(m_edits[eServerName]->GetAsString());
    if (form->ShowModal() == mrOk)
        m_edits[eServerName]->SetStringWithEvent(form->ServerName());
}

void TiOPCBrowserPanel::BrowseItem(TiComponentEditorEdit& edit)
{
    TScreenCursorGuard hourglass(crHourGlass);
    const auto form = std::make_unique<TiOPCItemSelectorForm>(nullptr);
    form->SetSession(m_session);
    form->Setup(m_edits[eComputerName]->GetAsString(), m_edits[eServerName]->GetAsString());
    form->SetItemName(edit.GetAsString());
    if (form->ShowModal() == mrOk)
        edit.SetStringWithEvent(form->ItemName());
}

void TiOPCBrowserPanel::ItemButtonClick(TObject*) { BrowseItem(*m_edits[eItemName]); }

void TiOPCBrowserPanel::Item2ButtonClick(TObject*) { BrowseItem(*m_edits[eItem2Name]); }

PRAVIX_PUBLISH(
    TiOPCBrowserPanel,
    Prop("ShowProperty", &TiOPCBrowserPanel::ShowProperty, &TiOPCBrowserPanel::SetShowProperty).Default(true),
    Prop("ShowGroupName", &TiOPCBrowserPanel::ShowGroupName, &TiOPCBrowserPanel::SetShowGroupName).Default(true),
    Prop("ShowItem", &TiOPCBrowserPanel::ShowItem, &TiOPCBrowserPanel::SetShowItem).Default(true),
    Prop("ShowAutoError", &TiOPCBrowserPanel::ShowAutoError, &TiOPCBrowserPanel::SetShowAutoError).Default(true),
    Prop("ShowAutoConnect", &TiOPCBrowserPanel::ShowAutoConnect, &TiOPCBrowserPanel::SetShowAutoConnect).Default(true),
    Prop("GroupNameCaption", &TiOPCBrowserPanel::GetGroupNameCaption, &TiOPCBrowserPanel::SetGroupNameCaption),
    Prop("ItemCaption", &TiOPCBrowserPanel::GetItemCaption, &TiOPCBrowserPanel::SetItemCaption),
    Prop("Item2Caption", &TiOPCBrowserPanel::GetItem2Caption, &TiOPCBrowserPanel::SetItem2Caption),
    Prop("Item2Visible", &TiOPCBrowserPanel::Item2Visible, &TiOPCBrowserPanel::SetItem2Visible),
    Prop("GroupEditStyle", &TiOPCBrowserPanel::GroupEditStyle, &TiOPCBrowserPanel::SetGroupEditStyle)
        .Default(iopcgesSelectFromList),
    Prop("Align", &TControl::Align, &TControl::SetAlign).Default(alNone))
