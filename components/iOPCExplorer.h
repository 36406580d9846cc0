#pragma once
// The OPC explorer: a small stay-on-top window listing the server connections the OPC library
// holds open. At most one exists per program; iOPCExplorerForm refers to it (nullptr while
// there is none). Group holders create and show it (TiOPCManager::ExplorerShow).

#include "platform/canvas/ImageList.h"
#include "platform/gui/Forms.h"

#include <memory>

class TTreeView;
class TTreeNode;

class TiOPCExplorerForm : public TForm {
    PRAVIX_CLASS(TiOPCExplorerForm, TForm)
public:
    // The pictures of the tree, in this order.
    enum TImage { imServers, imGroups, imConnection };

    explicit TiOPCExplorerForm(TComponent* owner);
    ~TiOPCExplorerForm() override;

    // Lists the library's open connections anew under "Servers Connections"; "Groups" stays
    // empty. Raises the library's error (also when it is absent) after the two roots are in.
    void Refresh();

    TTreeView* Tree() const { return m_tree; }
    TTreeNode* ServersNode() const { return m_servers; }
    TTreeNode* GroupsNode() const { return m_groups; }
    const TImageList& Images() const { return m_images; }

private:
    void LoadImages();
    TTreeNode* AddNode(TTreeNode* parent, const std::string& text, TImage image);

    TTreeView* m_tree = nullptr;
    TImageList m_images{16, 16};
    TTreeNode* m_servers = nullptr;
    TTreeNode* m_groups = nullptr;
};

// The program's one explorer window, nullptr while there is none.
extern TiOPCExplorerForm* iOPCExplorerForm;
