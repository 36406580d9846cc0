#include "editors/iOPCServerSelector.h"

#include "components/iOPCDLLLoader.h"
#include "editors/iOPCSelectors_p.h"

TiOPCServerSelectorForm::TiOPCServerSelectorForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(OPCSelectorResource("iOPCServerSelector"));
    m_listView = FindControl<TListView>("ListView");
    m_okButton = FindControl<TButton>("OKButton");
    m_listView->AddColumn("Name", 221);
    LoadOPCSelectorImages(m_images, "OPCSELECTORSERVER");
    m_listView->SetSmallImages(&m_images);
    m_listView->OnSelectItem = TLVSelectItemEvent::Bind(this, &TiOPCServerSelectorForm::ListViewSelectItem);
    m_listView->OnDblClick = TNotifyEvent::Bind(this, &TiOPCServerSelectorForm::ListViewDblClick);
    m_listView->OnKeyDown = TKeyEvent::Bind(this, &TiOPCServerSelectorForm::ListViewKeyDown);
}

TiOPCServerSelectorForm::~TiOPCServerSelectorForm() { m_listView->SetSmallImages(nullptr); }

void TiOPCServerSelectorForm::Setup(const std::string& computerName)
{
    m_listView->Clear();
    OPCDLLEditorServerSetup(m_session, computerName);
    const int count = OPCDLLEditorServerGetCount(m_session);
    for (int i = 0; i < count; ++i) {
        TOPCServerData data;
        OPCDLLEditorServerGetData(m_session, i, data);
        m_listView->AddItem(data.Name)->ImageIndex = data.IconIndex;
    }
    m_listView->Refresh();
}

void TiOPCServerSelectorForm::ListViewSelectItem(TObject*, TListItem* item, bool selected)
{
    if (!selected || !item)
        return;
    m_serverName = item->Caption;
    m_okButton->SetEnabled(true);
}

void TiOPCServerSelectorForm::ListViewDblClick(TObject*)
{
    if (m_listView->Selected())
        SetModalResult(mrOk);
}

void TiOPCServerSelectorForm::ListViewKeyDown(TObject*, int& key, TShiftState)
{
    ConfirmOnEnter(*this, key, m_listView->Selected() != nullptr);
}

PRAVIX_PUBLISH(TiOPCServerSelectorForm)
