#include "editors/iOPCComputerSelector.h"

#include "components/iOPCDLLLoader.h"
#include "components/iTypes.h"
#include "editors/iEditorBasicComponents.h"
#include "editors/iOPCSelectors_p.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Cursors.h"

#include <memory>

const char* const kUnknownNodeText = "(Unknown)";

bool HasOnlyPlaceholder(const TTreeNode& node) { return node.Count() == 1 && node.Item(0)->Text() == kUnknownNodeText; }

// ---------------------------------------------------------------------------------------------
// TNetObject

namespace {

std::string TextOf(const char* text) { return text ? text : ""; }

}  // namespace

TNetObject::TNetObject(const TiNetData& data)
    : Kind(data.Kind),
      Scope(data.Scope),
      Type(data.Type),
      DisplayType(data.DisplayType),
      Usage(data.Usage),
      LocalName(TextOf(data.LocalName)),
      RemoteName(TextOf(data.RemoteName)),
      Comment(TextOf(data.Comment)),
      Provider(TextOf(data.Provider))
{
}

TiNetData TNetObject::NetData()
{
    TiNetData data{};
    data.Valid = 1;
    data.Kind = Kind;
    data.Scope = Scope;
    data.Type = Type;
    data.DisplayType = DisplayType;
    data.Usage = Usage;
    // The library reads the texts while the level opens; it never writes them.
    data.LocalName = LocalName.data();
    data.RemoteName = RemoteName.data();
    data.Comment = Comment.data();
    data.Provider = Provider.data();
    return data;
}

// ---------------------------------------------------------------------------------------------
// TiOPCComputerSelectorForm

TiOPCComputerSelectorForm::TiOPCComputerSelectorForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(OPCSelectorResource("iOPCComputerSelector"));
    SetKeyPreview(true);
    m_tree = FindControl<TTreeView>("Tree");
    m_okButton = FindControl<TButton>("OKButton");
    LoadOPCSelectorImages(m_images, "OPCSELECTORCOMPUTER");
    m_tree->SetImages(&m_images);
    m_tree->OnChange = TTVChangedEvent::Bind(this, &TiOPCComputerSelectorForm::TreeChange);
    m_tree->OnExpanding = TTVExpandingEvent::Bind(this, &TiOPCComputerSelectorForm::TreeExpanding);
    m_tree->OnDeletion = TTVChangedEvent::Bind(this, &TiOPCComputerSelectorForm::TreeDeletion);
    m_tree->OnDblClick = TNotifyEvent::Bind(this, &TiOPCComputerSelectorForm::TreeDblClick);
    m_tree->OnKeyDown = TKeyEvent::Bind(this, &TiOPCComputerSelectorForm::TreeKeyDown);
}

TiOPCComputerSelectorForm::~TiOPCComputerSelectorForm()
{
    // The nodes' network objects go with the nodes; the tree goes after the image list.
    m_tree->Clear();
    m_tree->SetImages(nullptr);
}

void TiOPCComputerSelectorForm::Setup()
{
    m_tree->Clear();
    AddBranch(nullptr);
}

void TiOPCComputerSelectorForm::AddBranch(TTreeNode* node)
{
    const TiNetData level = node ? static_cast<TNetObject*>(node->Data)->NetData() : TiNetData{};
    OPCDLLEditorComputerBranchOpen(m_session, level);
    TScopeExit close([this] { OPCDLLEditorComputerBranchClose(m_session); });
    AddBranchItems(node);
}

void TiOPCComputerSelectorForm::AddBranchItems(TTreeNode* node)
{
    const int count = OPCDLLEditorComputerBranchGetItemCount(m_session);
    for (int i = 0; i < count; ++i) {
        TiNetData data{};
        OPCDLLEditorComputerBranchGetItemData(m_session, i, data);
        const std::string name = TextOf(data.RemoteName);
        if (data.Kind == inrtNetwork || data.Kind == inrtDomain) {
            auto object = std::make_unique<TNetObject>(data);
            TTreeNode* child = m_tree->AddChild(node, name, object.release());
            const int image = data.Kind == inrtNetwork ? imNetwork : imDomain;
            child->SetImageIndex(image);
            child->SetSelectedIndex(image);
            m_tree->AddChild(child, kUnknownNodeText);
        } else if (data.Kind == inrtComputer) {
            TTreeNode* child = m_tree->AddChild(node, name);
            child->SetImageIndex(imComputer);
            child->SetSelectedIndex(imComputer);
            if (Trim(m_computerName).empty())
                m_computerName = "Local";
        }
    }
}

void TiOPCComputerSelectorForm::TreeChange(TObject*, TTreeNode* node)
{
    const bool computer = node && node->ImageIndex() == imComputer;
    m_computerName = computer ? node->Text() : std::string();
    m_okButton->SetEnabled(computer);
}

void TiOPCComputerSelectorForm::TreeExpanding(TObject*, TTreeNode* node, bool&)
{
    if (!HasOnlyPlaceholder(*node))
        return;
    node->Item(0)->Delete();
    TScreenCursorGuard hourglass(crHourGlass);
    AddBranch(node);
}

void TiOPCComputerSelectorForm::TreeDeletion(TObject*, TTreeNode* node)
{
    delete static_cast<TNetObject*>(node->Data);
    node->Data = nullptr;
}

bool TiOPCComputerSelectorForm::ComputerSelected() const
{
    const TTreeNode* node = m_tree->Selected();
    return node && node->ImageIndex() == imComputer;
}

void TiOPCComputerSelectorForm::TreeDblClick(TObject*)
{
    if (ComputerSelected())
        SetModalResult(mrOk);
}

void TiOPCComputerSelectorForm::TreeKeyDown(TObject*, int& key, TShiftState)
{
    ConfirmOnEnter(*this, key, ComputerSelected());
}

PRAVIX_PUBLISH(TiOPCComputerSelectorForm)

// ---------------------------------------------------------------------------------------------
// The computer picker of the editor toolkit

namespace {

// The picker has no browse session of its own; the dialog browses with one opened for its
// showing, as the library answers nothing to a session it never handed out.
bool RunComputerSelector(TComponent& owner, std::string& computerName)
{
    const int session = OPCDLLEditorSessionStart();
    TScopeExit stop([session] { OPCDLLEditorSessionStop(session); });
    const auto form = std::make_unique<TiOPCComputerSelectorForm>(&owner);
    form->SetSession(session);
    form->SetComputerName(computerName);
    form->Setup();
    if (form->ShowModal() != mrOk)
        return false;
    computerName = form->ComputerName();
    return true;
}

const bool g_runnerRegistered = (SetComputerSelectorRunner(RunComputerSelector), true);

}  // namespace
