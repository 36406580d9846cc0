#pragma once
// The computer selector: the OPC library's network as a tree of networks, domains and
// computers, each level loaded when it is first opened. Choosing a computer enables OK; a double
// click or Enter on a computer confirms it.
//
//     TiOPCComputerSelectorForm form(nullptr);
//     form.SetSession(panelSession);
//     form.Setup();
//     form.SetComputerName(current);
//     if (form.ShowModal() == mrOk)
//         current = form.ComputerName();
//
// The computer picker of the editor toolkit opens this selector.

#include "editors/EditorsLayer.h"

#include "opc/iOPC2Abi.h"
#include "platform/canvas/ImageList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <cstdint>
#include <string>

// One network or domain of the tree, as the library described it; what reopens its level.
class TNetObject {
public:
    explicit TNetObject(const TiNetData& data);
    // The entry to hand to the library to open this level.
    TiNetData NetData();

    uint8_t Kind;
    int Scope;
    int Type;
    int DisplayType;
    int Usage;
    std::string LocalName;
    std::string RemoteName;
    std::string Comment;
    std::string Provider;
};

class TiOPCComputerSelectorForm : public TForm {
    PRAVIX_CLASS(TiOPCComputerSelectorForm, TForm)
public:
    explicit TiOPCComputerSelectorForm(TComponent* owner);
    ~TiOPCComputerSelectorForm() override;

    // Clears the tree and loads the network's top level.
    void Setup();
    int Session() const { return m_session; }
    void SetSession(int session) { m_session = session; }
    std::string ComputerName() const { return m_computerName; }
    void SetComputerName(const std::string& name) { m_computerName = name; }

    TTreeView* Tree() const { return m_tree; }
    TButton* OKButton() const { return m_okButton; }

private:
    enum TImage { imNetwork, imDomain, imComputer };

    void AddBranch(TTreeNode* node);
    void AddBranchItems(TTreeNode* node);
    void TreeChange(TObject* sender, TTreeNode* node);
    void TreeExpanding(TObject* sender, TTreeNode* node, bool& allow);
    void TreeDeletion(TObject* sender, TTreeNode* node);
    void TreeDblClick(TObject* sender);
    void TreeKeyDown(TObject* sender, int& key, TShiftState shift);
    bool ComputerSelected() const;

    TTreeView* m_tree = nullptr;
    TButton* m_okButton = nullptr;
    TImageList m_images;
    int m_session = 0;
    std::string m_computerName;
};

// The placeholder child of a level not loaded yet.
extern const char* const kUnknownNodeText;
// Whether the node still waits for its level: its only child is the placeholder.
bool HasOnlyPlaceholder(const TTreeNode& node);
