#include "editors/iOPCItemSelector.h"

#include "components/iOPCDLLLoader.h"
#include "components/iTypes.h"
#include "editors/iOPCComputerSelector.h"
#include "editors/iOPCSelectors_p.h"
#include "platform/core/StringList.h"

namespace {

// Names of a node's branch for the library: leaf first, one per line, from `node` up to the
// root.
std::string LeafFirstPath(const TTreeNode* node)
{
    std::string path;
    for (; node; node = node->Parent())
        path += (path.empty() ? "" : "\r\n") + node->Text();
    return path;
}

}  // namespace

TiOPCItemSelectorForm::TiOPCItemSelectorForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(OPCSelectorResource("iOPCItemSelector"));
    m_tree = FindControl<TTreeView>("Tree");
    m_okButton = FindControl<TButton>("OKButton");
    m_itemLabel = FindControl<TLabel>("ItemLabel");
    LoadOPCSelectorImages(m_images, "OPCSELECTORITEM");
    m_tree->SetImages(&m_images);
    m_tree->OnChange = TTVChangedEvent::Bind(this, &TiOPCItemSelectorForm::TreeChange);
    m_tree->OnExpanding = TTVExpandingEvent::Bind(this, &TiOPCItemSelectorForm::TreeExpanding);
    m_tree->OnDblClick = TNotifyEvent::Bind(this, &TiOPCItemSelectorForm::TreeDblClick);
    m_tree->OnKeyDown = TKeyEvent::Bind(this, &TiOPCItemSelectorForm::TreeKeyDown);
}

TiOPCItemSelectorForm::~TiOPCItemSelectorForm() { m_tree->SetImages(nullptr); }

void TiOPCItemSelectorForm::Setup(const std::string& computerName, const std::string& serverName)
{
    m_tree->Clear();
    OPCDLLEditorItemSetup(m_session, computerName, serverName);
    if (OPCDLLEditorItemGetBrowseType(m_session) != 0)
        LoadHierarchial();
    else
        LoadFlat();
    m_okButton->SetEnabled(false);
}

void TiOPCItemSelectorForm::AddNodes(TTreeNode* parent, const std::string& names, TImage image)
{
    TStringList lines;
    lines.SetText(names);
    for (int i = 0; i < lines.Count(); ++i) {
        TTreeNode* node = m_tree->AddChild(parent, lines[i]);
        node->SetImageIndex(image);
        node->SetSelectedIndex(image);
        if (image == imBranch)
            m_tree->AddChild(node, kUnknownNodeText);
    }
}

void TiOPCItemSelectorForm::LoadFlat()
{
    AddNodes(nullptr, OPCDLLEditorItemGetBranchItems(m_session, ibtFlat), imLeaf);
}

void TiOPCItemSelectorForm::LoadHierarchial() { AddLevel(nullptr); }

void TiOPCItemSelectorForm::AddLevel(TTreeNode* node)
{
    AddNodes(node, OPCDLLEditorItemGetBranchItems(m_session, ibtLeaf), imLeaf);
    AddNodes(node, OPCDLLEditorItemGetBranchItems(m_session, ibtBranch), imBranch);
}

void TiOPCItemSelectorForm::TreeExpanding(TObject*, TTreeNode* node, bool&)
{
    if (HasOnlyPlaceholder(*node)) {
        node->Item(0)->Delete();
        OPCDLLEditorItemSetPath(m_session, LeafFirstPath(node));
        AddLevel(node);
    } else if (node->Count() != 1) {
        ClearChoice();
    }
}

void TiOPCItemSelectorForm::ClearChoice()
{
    m_okButton->SetEnabled(false);
    m_itemLabel->SetCaption("");
}

void TiOPCItemSelectorForm::TreeChange(TObject*, TTreeNode* node)
{
    if (!node || node->ImageIndex() == imBranch) {
        ClearChoice();
        return;
    }
    m_itemLabel->SetCaption(OPCDLLEditorItemGetQualifiedName(m_session, LeafFirstPath(node->Parent()), node->Text()));
    m_okButton->SetEnabled(true);
}

bool TiOPCItemSelectorForm::LeafSelected() const
{
    const TTreeNode* node = m_tree->Selected();
    return node && node->ImageIndex() == imLeaf;
}

void TiOPCItemSelectorForm::TreeDblClick(TObject*)
{
    if (LeafSelected())
        SetModalResult(mrOk);
}

void TiOPCItemSelectorForm::TreeKeyDown(TObject*, int& key, TShiftState) { ConfirmOnEnter(*this, key, LeafSelected()); }

PRAVIX_PUBLISH(TiOPCItemSelectorForm)
