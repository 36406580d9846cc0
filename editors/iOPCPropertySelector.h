#pragma once
// The property selector: the names of the properties of an object that an OPC item may feed
// (its special OPC targets, then every published property with a setter, owned sub-objects
// by their dotted paths), and "{Unassigned}" when the caller adds it. Any selection enables OK;
// a double click or Enter confirms it.

#include "editors/EditorsLayer.h"

#include "platform/canvas/ImageList.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <string>

class TiOPCPropertySelectorForm : public TForm {
    PRAVIX_CLASS(TiOPCPropertySelectorForm, TForm)
public:
    explicit TiOPCPropertySelectorForm(TComponent* owner);
    ~TiOPCPropertySelectorForm() override;

    void Setup(TObject* object, const std::string& prefix);
    void AddUnassigned();
    // The value of the named published property when it is an object, else nullptr.
    static TObject* GetObjectProperty(TObject* object, const std::string& name);
    std::string PropertyName() const { return m_propertyName; }
    void SetPropertyName(const std::string& name) { m_propertyName = name; }

    TListView* ListView() const { return m_listView; }
    TButton* OKButton() const { return m_okButton; }

private:
    void AddProperties(TObject* object, const std::string& prefix);
    void ListViewSelectItem(TObject* sender, TListItem* item, bool selected);
    void ListViewDblClick(TObject* sender);
    void ListViewKeyDown(TObject* sender, int& key, TShiftState shift);

    TListView* m_listView = nullptr;
    TButton* m_okButton = nullptr;
    TImageList m_images;
    std::string m_propertyName;
};
