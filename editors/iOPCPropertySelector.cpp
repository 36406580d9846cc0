#include "editors/iOPCPropertySelector.h"

#include "components/iVCLComponent.h"
#include "editors/iOPCSelectors_p.h"
#include "platform/core/StrUtils.h"

namespace {

constexpr size_t kLongestPath = 255;

bool FeedableKind(TTypeKind kind)
{
    switch (kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkFloat:
    case tkString: return true;
    default: return false;
    }
}

}  // namespace

TiOPCPropertySelectorForm::TiOPCPropertySelectorForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(OPCSelectorResource("iOPCPropertySelector"));
    m_listView = FindControl<TListView>("ListView");
    m_okButton = FindControl<TButton>("OKButton");
    TListColumn* column = m_listView->AddColumn("Name", 200);
    column->MinWidth = 100;
    LoadOPCSelectorImages(m_images, "OPCSELECTORPROPERTY");
    m_listView->SetSmallImages(&m_images);
    m_listView->OnSelectItem = TLVSelectItemEvent::Bind(this, &TiOPCPropertySelectorForm::ListViewSelectItem);
    m_listView->OnDblClick = TNotifyEvent::Bind(this, &TiOPCPropertySelectorForm::ListViewDblClick);
    m_listView->OnKeyDown = TKeyEvent::Bind(this, &TiOPCPropertySelectorForm::ListViewKeyDown);
}

TiOPCPropertySelectorForm::~TiOPCPropertySelectorForm() { m_listView->SetSmallImages(nullptr); }

void TiOPCPropertySelectorForm::Setup(TObject* object, const std::string& prefix)
{
    if (auto* component = dynamic_cast<TiVCLComponent*>(object)) {
        component->UpdateOPCSpecialList();
        const TStringList& special = component->OPCSpecialList();
        for (int i = 0; i < special.Count(); ++i)
            m_listView->AddItem(special[i])->ImageIndex = 0;
    }
    AddProperties(object, prefix);
    m_listView->Refresh();
}

void TiOPCPropertySelectorForm::AddProperties(TObject* object, const std::string& prefix)
{
    if (!object)
        return;
    const bool hasPrefix = !Trim(prefix).empty();
    for (const TPropInfo* p : object->ClassInfo().Properties()) {
        if (!p->HasSetter())
            continue;
        std::string path = hasPrefix ? prefix + "." + p->Name() : p->Name();
        path.resize(std::min(path.size(), kLongestPath));
        if (path == "Name")
            continue;
        if (FeedableKind(p->Kind()))
            m_listView->AddItem(path)->ImageIndex = 0;
        else if (p->Kind() == tkClass && p->IsOwnedObject())
            // Owned sub-objects only: a reference may lead to another component, or back here.
            AddProperties(dynamic_cast<TPersistent*>(p->GetObject(*object)), path);
    }
}

void TiOPCPropertySelectorForm::AddUnassigned()
{
    m_listView->AddItem("{Unassigned}")->ImageIndex = 0;
    m_listView->Refresh();
}

TObject* TiOPCPropertySelectorForm::GetObjectProperty(TObject* object, const std::string& name)
{
    if (!object)
        return nullptr;
    for (const TPropInfo* p : object->ClassInfo().Properties())
        if (SameText(p->Name(), name))
            return p->Kind() == tkClass ? p->GetObject(*object) : nullptr;
    return nullptr;
}

void TiOPCPropertySelectorForm::ListViewSelectItem(TObject*, TListItem* item, bool selected)
{
    if (!selected || !item)
        return;
    m_propertyName = item->Caption;
    m_okButton->SetEnabled(true);
}

void TiOPCPropertySelectorForm::ListViewDblClick(TObject*)
{
    if (m_listView->Selected())
        SetModalResult(mrOk);
}

void TiOPCPropertySelectorForm::ListViewKeyDown(TObject*, int& key, TShiftState)
{
    ConfirmOnEnter(*this, key, m_listView->Selected() != nullptr);
}

PRAVIX_PUBLISH(TiOPCPropertySelectorForm)
