#pragma once
// The OPC server selector: the OPC servers of one computer, as the library lists them. Any
// selection enables OK; a double click or Enter on a server confirms it.

#include "editors/EditorsLayer.h"

#include "platform/canvas/ImageList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <string>

class TiOPCServerSelectorForm : public TForm {
    PRAVIX_CLASS(TiOPCServerSelectorForm, TForm)
public:
    explicit TiOPCServerSelectorForm(TComponent* owner);
    ~TiOPCServerSelectorForm() override;

    // Lists the servers of the computer.
    void Setup(const std::string& computerName);
    int Session() const { return m_session; }
    void SetSession(int session) { m_session = session; }
    std::string ServerName() const { return m_serverName; }
    void SetServerName(const std::string& name) { m_serverName = name; }

    TListView* ListView() const { return m_listView; }
    TButton* OKButton() const { return m_okButton; }

private:
    void ListViewSelectItem(TObject* sender, TListItem* item, bool selected);
    void ListViewDblClick(TObject* sender);
    void ListViewKeyDown(TObject* sender, int& key, TShiftState shift);

    TListView* m_listView = nullptr;
    TButton* m_okButton = nullptr;
    TImageList m_images;
    int m_session = 0;
    std::string m_serverName;
};
