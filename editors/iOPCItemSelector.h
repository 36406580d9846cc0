#pragma once
// The item selector: the name space of one OPC server, flat or as a tree of branches loaded
// when first opened. Choosing an item shows its qualified identifier below the tree and enables
// OK; a double click or Enter on an item confirms it.

#include "editors/EditorsLayer.h"

#include "platform/canvas/ImageList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <string>

class TiOPCItemSelectorForm : public TForm {
    PRAVIX_CLASS(TiOPCItemSelectorForm, TForm)
public:
    explicit TiOPCItemSelectorForm(TComponent* owner);
    ~TiOPCItemSelectorForm() override;

    void Setup(const std::string& computerName, const std::string& serverName);
    int Session() const { return m_session; }
    void SetSession(int session) { m_session = session; }
    // The chosen item identifier: the label's text.
    std::string ItemName() const { return m_itemLabel->Caption(); }
    void SetItemName(const std::string& name) { m_itemLabel->SetCaption(name); }

    TTreeView* Tree() const { return m_tree; }
    TButton* OKButton() const { return m_okButton; }

private:
    enum TImage { imLeaf, imBranch };

    void LoadFlat();
    void LoadHierarchial();
    void AddLevel(TTreeNode* node);
    void AddNodes(TTreeNode* parent, const std::string& names, TImage image);
    void TreeChange(TObject* sender, TTreeNode* node);
    void TreeExpanding(TObject* sender, TTreeNode* node, bool& allow);
    void TreeDblClick(TObject* sender);
    void TreeKeyDown(TObject* sender, int& key, TShiftState shift);
    void ClearChoice();
    bool LeafSelected() const;

    TTreeView* m_tree = nullptr;
    TButton* m_okButton = nullptr;
    TLabel* m_itemLabel = nullptr;
    TImageList m_images;
    int m_session = 0;
};
