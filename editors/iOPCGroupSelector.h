#pragma once
// The group selector: "<NONE>" and the groups registered with the OPC library, without the
// private groups whose names begin with "Single Group". Any selection enables OK; a double click
// or Enter confirms it.

#include "editors/EditorsLayer.h"

#include "platform/canvas/ImageList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <string>

class TiOPCGroupSelectorForm : public TForm {
    PRAVIX_CLASS(TiOPCGroupSelectorForm, TForm)
public:
    explicit TiOPCGroupSelectorForm(TComponent* owner);
    ~TiOPCGroupSelectorForm() override;

    void Setup();
    // The chosen group; empty for "<NONE>".
    std::string GetGroupName() const;
    void SetGroupName(const std::string& name) { m_groupName = name; }

    TListView* ListView() const { return m_listView; }
    TButton* OKButton() const { return m_okButton; }

private:
    void ListViewSelectItem(TObject* sender, TListItem* item, bool selected);
    void ListViewDblClick(TObject* sender);
    void ListViewKeyDown(TObject* sender, int& key, TShiftState shift);

    TListView* m_listView = nullptr;
    TButton* m_okButton = nullptr;
    TImageList m_images;
    std::string m_groupName;
};
