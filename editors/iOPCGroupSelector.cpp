#include "editors/iOPCGroupSelector.h"

#include "components/iOPCDLLLoader.h"
#include "editors/iOPCSelectors_p.h"
#include "platform/core/StrUtils.h"

namespace {

constexpr const char* kNoGroup = "<NONE>";
enum TImage { imGroup, imNoGroup };

// The channels' own groups carry this prefix; they are nobody's to choose.
bool IsPrivateGroup(const std::string& name)
{
    constexpr std::string_view kPrefix = "Single Group";
    return name.size() >= kPrefix.size() && SameText(name.substr(0, kPrefix.size()), kPrefix);
}

}  // namespace

TiOPCGroupSelectorForm::TiOPCGroupSelectorForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(OPCSelectorResource("iOPCGroupSelector"));
    m_listView = FindControl<TListView>("ListView");
    m_okButton = FindControl<TButton>("OKButton");
    TListColumn* column = m_listView->AddColumn("Name", 200);
    column->MinWidth = 100;
    LoadOPCSelectorImages(m_images, "OPCSELECTORGROUP");
    m_listView->SetSmallImages(&m_images);
    m_listView->OnSelectItem = TLVSelectItemEvent::Bind(this, &TiOPCGroupSelectorForm::ListViewSelectItem);
    m_listView->OnDblClick = TNotifyEvent::Bind(this, &TiOPCGroupSelectorForm::ListViewDblClick);
    m_listView->OnKeyDown = TKeyEvent::Bind(this, &TiOPCGroupSelectorForm::ListViewKeyDown);
}

TiOPCGroupSelectorForm::~TiOPCGroupSelectorForm() { m_listView->SetSmallImages(nullptr); }

void TiOPCGroupSelectorForm::Setup()
{
    m_listView->Clear();
    m_listView->AddItem(kNoGroup)->ImageIndex = imNoGroup;
    if (!OPCDLLNotLoaded()) {
        const int count = OPCDLLGroupGetCount();
        for (int i = 0; i < count; ++i) {
            const std::string name = OPCDLLGroupGetName(OPCDLLGroupGetHandle(i));
            if (!IsPrivateGroup(name))
                m_listView->AddItem(name)->ImageIndex = imGroup;
        }
    }
    m_listView->Refresh();
}

std::string TiOPCGroupSelectorForm::GetGroupName() const
{
    return SameText(m_groupName, kNoGroup) ? std::string() : m_groupName;
}

void TiOPCGroupSelectorForm::ListViewSelectItem(TObject*, TListItem* item, bool selected)
{
    if (!selected || !item)
        return;
    m_groupName = item->Caption;
    m_okButton->SetEnabled(true);
}

void TiOPCGroupSelectorForm::ListViewDblClick(TObject*)
{
    if (m_listView->Selected())
        SetModalResult(mrOk);
}

void TiOPCGroupSelectorForm::ListViewKeyDown(TObject*, int& key, TShiftState)
{
    ConfirmOnEnter(*this, key, m_listView->Selected() != nullptr);
}

PRAVIX_PUBLISH(TiOPCGroupSelectorForm)
