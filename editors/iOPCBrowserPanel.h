#pragma once
// The editing side of the OPC binding: a panel that lists the OPC items of a component (one
// line per bound property) and edits the selected one; its "..." buttons open the selectors that
// browse the OPC library's network, servers, items and groups, and the component's properties.
// The base editor form copies a component's items into the panel and back
// (TiComponentEditorForm::UpLoadOPCProperties, DownLoadOPCProperties).
//
// The panel holds one browse session of the library for its whole life. Without the library it
// says so in its status line and every browsing dialog comes up empty. New items take their
// computer, server and update rate from the last ones entered (the registry defaults under
// "SOFTWARE\Pravix\OPC" of the current user).
//
// The second item name and the second scalar and offset live only in their edits: they are no
// part of an item.

#include "editors/EditorsLayer.h"

#include "components/iOPCItem.h"
#include "editors/iEditorBasicComponents.h"

#include <array>
#include <string>

PRAVIX_ENUM(TiOPCGroupEditStyle, iopcgesSelectFromList, iopcgesEdit)

class TiOPCBrowserPanel : public TCustomControl {
    PRAVIX_CLASS(TiOPCBrowserPanel, TCustomControl)
public:
    explicit TiOPCBrowserPanel(TComponent* owner);
    ~TiOPCBrowserPanel() override;

    void Loaded() override;

    // The component whose OPC items are edited; the Add button and the property selector
    // need it.
    TComponent* Component() const { return m_component; }
    void SetComponent(TComponent* component) { m_component = component; }
    int Session() const { return m_session; }

    // Appends a new item and selects it; answers its index.
    int AddItem();
    int ItemCount() const;
    void RemoveAllItems();
    TiOPCItem* Item(int index) const;

    void SetPropertyName(int index, const std::string& value);
    void SetGroupName(int index, const std::string& value);
    void SetComputerName(int index, const std::string& value);
    void SetServerName(int index, const std::string& value);
    void SetItemName(int index, const std::string& value);
    void SetUpdateRate(int index, int value);
    void SetScalar(int index, double value);
    void SetOffset(int index, double value);
    void SetAutoConnect(int index, bool value);
    void SetAutoError(int index, bool value);
    std::string GetPropertyName(int index) const;
    std::string GetGroupName(int index) const;
    std::string GetComputerName(int index) const;
    std::string GetServerName(int index) const;
    std::string GetItemName(int index) const;
    int GetUpdateRate(int index) const;
    double GetScalar(int index) const;
    double GetOffset(int index) const;
    bool GetAutoConnect(int index) const;
    bool GetAutoError(int index) const;
    // The second item's fields (the index is not used: they live in the edits).
    void SetItem2Name(int index, const std::string& value);
    std::string GetItem2Name(int index) const;
    void SetScalar2(int index, double value);
    double GetScalar2(int index) const;
    void SetOffset2(int index, double value);
    double GetOffset2(int index) const;

    bool ShowProperty() const { return m_showProperty; }
    void SetShowProperty(bool value);
    bool ShowGroupName() const { return m_showGroupName; }
    void SetShowGroupName(bool value);
    bool ShowItem() const { return m_showItem; }
    void SetShowItem(bool value);
    bool ShowAutoError() const { return m_showAutoError; }
    void SetShowAutoError(bool value);
    bool ShowAutoConnect() const { return m_showAutoConnect; }
    void SetShowAutoConnect(bool value);
    std::string GetGroupNameCaption() const;
    void SetGroupNameCaption(const std::string& value);
    std::string GetItemCaption() const;
    void SetItemCaption(const std::string& value);
    std::string GetItem2Caption() const;
    void SetItem2Caption(const std::string& value);
    bool Item2Visible() const { return m_item2Visible; }
    void SetItem2Visible(bool value);
    TiOPCGroupEditStyle GroupEditStyle() const { return m_groupEditStyle; }
    void SetGroupEditStyle(TiOPCGroupEditStyle value);

    // The registry defaults of new items: a new item takes the stored computer, server and
    // update rate; the edits' handlers store what the user enters.
    static void GetDefaults(TiOPCItem& item);
    static void SetDefaults(const std::string& name, const std::string& value);

    // Shows the selected item in the edits (after every change).
    void UpdateItemEdit();

    // The children, for the owner's layout and for tests.
    TiComponentEditorListBox* ItemList() const { return m_itemList; }
    TiComponentEditorButton* AddButton() const { return m_addButton; }
    TiComponentEditorButton* RemoveButton() const { return m_removeButton; }
    TiComponentEditorEdit* PropertyNameEdit() const { return m_edits[ePropertyName]; }
    TiComponentEditorEdit* GroupNameEdit() const { return m_edits[eGroupName]; }
    TiComponentEditorEdit* ComputerNameEdit() const { return m_edits[eComputerName]; }
    TiComponentEditorEdit* ServerNameEdit() const { return m_edits[eServerName]; }
    TiComponentEditorEdit* ItemNameEdit() const { return m_edits[eItemName]; }
    TiComponentEditorEdit* Item2NameEdit() const { return m_edits[eItem2Name]; }
    TiComponentEditorEdit* ScalarEdit() const { return m_edits[eScalar]; }
    TiComponentEditorEdit* OffsetEdit() const { return m_edits[eOffset]; }
    TiComponentEditorEdit* Scalar2Edit() const { return m_edits[eScalar2]; }
    TiComponentEditorEdit* Offset2Edit() const { return m_edits[eOffset2]; }
    TiComponentEditorEdit* UpdateRateEdit() const { return m_edits[eUpdateRate]; }
    TiComponentEditorCheckBox* AutoConnectCheckBox() const { return m_autoConnectCheckBox; }
    TiComponentEditorCheckBox* AutoErrorCheckBox() const { return m_autoErrorCheckBox; }
    TiComponentEditorButton* PropertyButton() const { return m_buttons[bProperty]; }
    TiComponentEditorButton* GroupButton() const { return m_buttons[bGroup]; }
    TiComponentEditorButton* ComputerButton() const { return m_buttons[bComputer]; }
    TiComponentEditorButton* ServerButton() const { return m_buttons[bServer]; }
    TiComponentEditorButton* ItemButton() const { return m_buttons[bItem]; }
    TiComponentEditorButton* Item2Button() const { return m_buttons[bItem2]; }
    TLabel* StatusLabel() const { return m_statusLabel; }

    TNotifyEvent OnChange;

protected:
    void Resize() override;
    void Paint() override;

private:
    enum TEditIndex {
        ePropertyName,
        eGroupName,
        eComputerName,
        eServerName,
        eItemName,
        eItem2Name,
        eScalar,
        eOffset,
        eScalar2,
        eOffset2,
        eUpdateRate,
        eEditCount
    };
    enum TButtonIndex { bProperty, bGroup, bComputer, bServer, bItem, bItem2, bButtonCount };
    enum TLabelIndex {
        lProperty,
        lGroup,
        lComputer,
        lServer,
        lItem,
        lItem2,
        lScalar,
        lOffset,
        lScalar2,
        lOffset2,
        lUpdateRate,
        lLabelCount
    };

    void CreateChildren();
    TiOPCItem* SelectedItem() const;
    void AdjustLayout();
    void LayoutEditRows(int x0, int captionWidth, int top);
    void LayoutScalars(int checkTop);
    void ShowSelectedItem(const TiOPCItem& item);
    void UpdateGroupEdits();
    void DisableEditing();

    // Writes the edits into the selected item and tells the owner form.
    void ItemChange();
    void EditChange(TObject* sender);
    void RememberingEditChange(TObject* sender);
    void UpdateRateChange(TObject* sender);
    void ItemListClick(TObject* sender);
    void ItemListMove(TObject* sender);
    void AddButtonClick(TObject* sender);
    void RemoveButtonClick(TObject* sender);
    void PropertyButtonClick(TObject* sender);
    void GroupButtonClick(TObject* sender);
    void ComputerButtonClick(TObject* sender);
    void ServerButtonClick(TObject* sender);
    void ItemButtonClick(TObject* sender);
    void Item2ButtonClick(TObject* sender);
    void BrowseItem(TiComponentEditorEdit& edit);
    // Raises "Class not Defined" without a component.
    TComponent& RequireComponent() const;
    // Runs the property selector for the component; true with the choice in name.
    bool SelectProperty(std::string& name);

    TiComponentEditorListBox* m_itemList = nullptr;
    TiComponentEditorButton* m_addButton = nullptr;
    TiComponentEditorButton* m_removeButton = nullptr;
    std::array<TiComponentEditorEdit*, eEditCount> m_edits{};
    TiComponentEditorCheckBox* m_autoConnectCheckBox = nullptr;
    TiComponentEditorCheckBox* m_autoErrorCheckBox = nullptr;
    std::array<TiComponentEditorButton*, bButtonCount> m_buttons{};
    std::array<TLabel*, lLabelCount> m_labels{};
    TLabel* m_statusLabel = nullptr;
    TComponent* m_component = nullptr;
    int m_session = -1;
    bool m_showProperty = true;
    bool m_showGroupName = true;
    bool m_showItem = true;
    bool m_showAutoError = true;
    bool m_showAutoConnect = true;
    bool m_item2Visible = false;
    TiOPCGroupEditStyle m_groupEditStyle = iopcgesSelectFromList;
};
