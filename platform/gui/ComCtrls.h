#pragma once
// Page controls with tab sheets, status bar, tree view, list view, up-down and the date
// and time pickers.

#include "platform/canvas/VisualLayer.h"
#include "platform/gui/Controls.h"

#include <memory>
#include <string>
#include <vector>

class TImageList;
class TTabSheet;

// Pages in order; hiding a sheet's tab (TabVisible) keeps every page's index. OnChange
// fires when the user switches pages, never for ActivePage set by the program.
class TPageControl : public TWinControl {
    PRAVIX_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* owner);
    int PageCount() const { return int(m_pages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // Switches to a page as the user's click on its tab does.
    void SimulateSelect(int index);
    // The sheets take the page area at once, before the control is ever shown, so that the
    // controls on them have a parent of their real size to anchor to.
    void SetBounds(int left, int top, int width, int height) override;
    // Tabs only a little wider than their captions, so that the many pages of a small dialog
    // show their tabs side by side.
    bool CompactTabs() const { return m_compactTabs; }
    void SetCompactTabs(bool value);

    TNotifyEvent OnChange;

protected:
    void InsertChildWidget(TControl* child) override;
    void RemoveChildWidget(TControl* child) override;
    virtual void Change();

private:
    friend class TTabSheet;
    void ShowTab(TTabSheet* sheet);
    void LayoutPages();
    std::vector<TTabSheet*> m_pages;
    int m_silent = 0;
    bool m_compactTabs = false;
};

class TTabSheet : public TWinControl {
    PRAVIX_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* control) { SetParent(control); }
    int PageIndex() const;
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool visible);

protected:
    void TextChanged() override;
    // The sheet's page area shows its Color.
    void ColorChanged() override;

private:
    bool m_tabVisible = true;
};

class TStatusBar : public TWinControl {
    PRAVIX_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);
    std::string SimpleText() const { return m_simpleText; }
    void SetSimpleText(const std::string& text);
    bool SimplePanel() const { return m_simplePanel; }
    void SetSimplePanel(bool value) { m_simplePanel = value; }

private:
    std::string m_simpleText;
    bool m_simplePanel = true;
};

PRAVIX_ENUM(TSortType, stNone, stData, stText, stBoth)

class TTreeView;

// A node of a tree view. Data is the caller's; the view's OnDeletion lets the caller free
// it when the node is deleted (not when the whole view is destroyed).
class TTreeNode {
public:
    std::string Text() const;
    void SetText(const std::string& text);
    void* Data = nullptr;
    // Images of the view's image list: ImageIndex normally, SelectedIndex while the node is
    // selected (ImageIndex when SelectedIndex is -1). An index the list does not hold shows
    // an empty space.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return m_selectedIndex; }
    void SetSelectedIndex(int index);
    TTreeNode* Parent() const { return m_parent; }
    int Count() const { return int(m_children.size()); }
    TTreeNode* Item(int index) const;
    bool HasChildren() const;
    // Shows the expand mark even without children (they are added when expanding).
    void SetHasChildren(bool value);
    bool Expanded() const;
    void SetExpanded(bool value);
    int Level() const;
    // Frees the node and its children (OnDeletion fires for each).
    void Delete();
    void DeleteChildren();

private:
    friend class TTreeView;
    TTreeNode(TTreeView& view, TTreeNode* parent, void* item);
    TTreeView& m_view;
    TTreeNode* m_parent;
    void* m_item;  // the widget's item
    std::vector<std::unique_ptr<TTreeNode>> m_children;
    int m_imageIndex = -1;
    int m_selectedIndex = -1;
};

using TTVChangedEvent = Event<TObject*, TTreeNode*>;
using TTVExpandingEvent = Event<TObject*, TTreeNode*, bool&>;

class TTreeView : public TWinControl {
    PRAVIX_CLASS(TTreeView, TWinControl)
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    // Appends a node under parent (nullptr: a top-level node).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text, void* data = nullptr);
    int TopCount() const { return int(m_roots.size()); }
    TTreeNode* TopItem(int index) const;
    void Clear();
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    TSortType SortType() const { return m_sortType; }
    void SetSortType(TSortType value);
    // The nodes' pictures, read from the list whenever the view paints (images added
    // later show too). Not owned: unset it before the list goes.
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);

    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVChangedEvent OnDeletion;

private:
    friend class TTreeNode;
    TTreeNode* NodeOf(void* item) const;
    void DeleteNode(TTreeNode* node);
    void Sort();
    std::vector<std::unique_ptr<TTreeNode>> m_roots;
    TImageList* m_images = nullptr;
    bool m_readOnly = true;
    TSortType m_sortType = stNone;
    int m_silent = 0;
};

class TListColumn {
public:
    std::string Caption;
    int Width = 50;
    int MinWidth = 0;
};

class TListItem {
public:
    std::string Caption;
    std::vector<std::string> SubItems;
    void* Data = nullptr;
    int ImageIndex = -1;  // in the view's SmallImages
};

using TLVSelectItemEvent = Event<TObject*, TListItem*, bool>;

// A list of items in detail (report) style: one row per item, a column per sub-item.
// Change the items, then call Refresh.
class TListView : public TWinControl {
    PRAVIX_CLASS(TListView, TWinControl)
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;
    TListColumn* AddColumn(const std::string& caption, int width);
    int ColumnCount() const { return int(m_columns.size()); }
    TListColumn* Column(int index) const;
    TListItem* AddItem(const std::string& caption);
    int ItemCount() const { return int(m_items.size()); }
    TListItem* Item(int index) const;
    void DeleteItem(int index);
    void Clear();
    // Shows the items and columns as they are now (sorted by caption with stText).
    void Refresh();
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    TSortType SortType() const { return m_sortType; }
    void SetSortType(TSortType value);
    // The items' pictures (first column), read from the list whenever the view paints.
    // Not owned: unset it before the list goes.
    TImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageList* images);

    TLVSelectItemEvent OnSelectItem;

private:
    TImageList* m_smallImages = nullptr;
    std::vector<std::unique_ptr<TListColumn>> m_columns;
    std::vector<std::unique_ptr<TListItem>> m_items;
    TSortType m_sortType = stNone;
    int m_silent = 0;
};

PRAVIX_ENUM(TUDBtnType, btNext, btPrev)
using TUDClickEvent = Event<TObject*, TUDBtnType>;
using TUDChangingEvent = Event<TObject*, bool&>;

// Two arrow buttons that step Position between Min and Max (auto-repeat while held: first
// step after 500 ms, then every 50 ms); the associated control shows the position.
class TUpDown : public TWinControl {
    PRAVIX_CLASS(TUpDown, TWinControl)
public:
    explicit TUpDown(TComponent* owner);
    int Min() const { return m_min; }
    void SetMin(int value);
    int Max() const { return m_max; }
    void SetMax(int value);
    int Position() const { return m_position; }
    void SetPosition(int value);
    int Increment() const { return m_increment; }
    void SetIncrement(int value) { m_increment = value; }
    bool Wrap() const { return m_wrap; }
    void SetWrap(bool value) { m_wrap = value; }
    TWinControl* Associate() const { return m_associate; }
    void SetAssociate(TWinControl* control);
    // Steps as a press on an arrow does.
    void StepBy(TUDBtnType button);

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    void ShowPosition();
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    bool m_wrap = false;
    TWinControl* m_associate = nullptr;
};

PRAVIX_ENUM(TDateTimeKind, dtkDate, dtkTime)

// The days of the first and the last date a picker shows (1 January 100 and 31 December 9999,
// counted from 1899-12-30; the window system's date edit goes back no further than the year
// 100), and whether a value lies on or between them.
constexpr int kFirstPickerDay = -657434;
constexpr int kLastPickerDay = 2958465;
bool IsPickerDateTime(double value);

// A date or time picker; the value is days since 1899-12-30 with the time as fraction.
// OnChange fires when the user changes the value. Values outside the years 100 to 9999 are
// refused with EConvertError.
class TDateTimePicker : public TWinControl {
    PRAVIX_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);
    TDateTimeKind Kind() const { return m_kind; }
    void SetKind(TDateTimeKind kind);
    double DateTime() const;
    void SetDateTime(double value);
    // Changes the value as the user's editing does.
    void SimulateEdit(double value);

    TNotifyEvent OnChange;

private:
    TDateTimeKind m_kind = dtkDate;
    int m_silent = 0;
};
