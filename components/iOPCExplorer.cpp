#include "components/iOPCExplorer.h"

#include "components/iOPCDLLLoader.h"
#include "platform/canvas/Bitmap.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"
#include "platform/gui/ComCtrls.h"

TiOPCExplorerForm* iOPCExplorerForm = nullptr;

namespace {

std::string ExplorerResource(const std::string& name)
{
    std::string bytes;
    if (!ReadResource(name, bytes))
        throw Exception("The resource " + name + " is missing from the program.");
    return bytes;
}

}  // namespace

TiOPCExplorerForm::TiOPCExplorerForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(ExplorerResource("iOPCExplorer"));
    m_tree = FindControl<TTreeView>("Tree");
    LoadImages();
    m_tree->SetImages(&m_images);
}

// The shared reference never outlives the window, whoever frees it (a group holder, the
// application at the end of the program).
TiOPCExplorerForm::~TiOPCExplorerForm()
{
    // The tree goes with the form's components, after the image list it shows.
    m_tree->SetImages(nullptr);
    if (iOPCExplorerForm == this)
        iOPCExplorerForm = nullptr;
}

void TiOPCExplorerForm::LoadImages()
{
    for (const char* name : {"OPCEXPLORERSERVERS", "OPCEXPLORERGROUPS", "OPCEXPLORERCONNECTION"}) {
        const std::string bytes = ExplorerResource(name);
        TBitmap picture;
        picture.LoadFromBytes(TBytes(bytes.begin(), bytes.end()));
        m_images.Add(picture, clTeal);
    }
}

TTreeNode* TiOPCExplorerForm::AddNode(TTreeNode* parent, const std::string& text, TImage image)
{
    TTreeNode* node = m_tree->AddChild(parent, text);
    node->SetImageIndex(image);
    node->SetSelectedIndex(image);
    return node;
}

void TiOPCExplorerForm::Refresh()
{
    m_servers = m_groups = nullptr;
    m_tree->Clear();
    m_servers = AddNode(nullptr, "Servers Connections", imServers);
    m_groups = AddNode(nullptr, "Groups", imGroups);
    const int count = OPCDLLServerConnectionGetCount();
    for (int i = 0; i < count; ++i)
        AddNode(m_servers, OPCDLLServerConnectionGetName(i), imConnection);
}

PRAVIX_PUBLISH(TiOPCExplorerForm)
