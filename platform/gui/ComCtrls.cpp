#include "platform/gui/ComCtrls.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageList.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Scoped.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Published_p.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyleOptionTabWidgetFrame>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

// Gives the first column of a view's rows their image from an image list, looked up when
// the row is painted or measured, so that the rows follow changes of the list and of the
// image indexes without being rebuilt.
class ImageListDelegate : public QStyledItemDelegate {
public:
    using ListOf = std::function<const TImageList*()>;
    using IndexOf = std::function<int(const QModelIndex&, bool selected)>;

    ImageListDelegate(QObject* parent, ListOf list, IndexOf index)
        : QStyledItemDelegate(parent), m_list(std::move(list)), m_index(std::move(index))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const TImageList* images = m_list();
        if (!images || index.column() != 0)
            return;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(images->GetWidth(), images->GetHeight());
        option->icon = IconOf(*images, m_index(index, option->state & QStyle::State_Selected));
    }

private:
    // The same picture in the selected mode too: the view must not tint it.
    static QIcon IconOf(const TImageList& images, int index)
    {
        if (index < 0 || index >= images.Count())
            return QIcon();
        TBitmap image;
        images.GetBitmap(index, image);
        const QPixmap picture = QPixmap::fromImage(TransparentImage(image));
        QIcon icon;
        icon.addPixmap(picture, QIcon::Normal);
        icon.addPixmap(picture, QIcon::Selected);
        return icon;
    }

    ListOf m_list;
    IndexOf m_index;
};

void ShowImagesOf(QTreeWidget* view, const TImageList* images)
{
    if (!view)
        return;  // the window is gone (the control is being destroyed)
    view->setIconSize(images ? QSize(images->GetWidth(), images->GetHeight()) : QSize());
    view->doItemsLayout();
    view->viewport()->update();
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TPageControl and TTabSheet

namespace {

// A tab widget that tells the size of its page area without being shown: a hidden tab
// widget lays out its pages only when it appears.
class PageControlWidget : public QTabWidget {
public:
    QSize PageSize()
    {
        ensurePolished();
        tabBar()->ensurePolished();
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).size();
    }
};

// Tabs with a few pixels beside the caption instead of the style's wide margin.
class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 6;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// One style for every compact page control; widgets refer to it for as long as they live, so
// it stays to the end of the program.
QStyle* CompactStyle()
{
    static QStyle* const style = new CompactTabStyle;
    return style;
}

}  // namespace

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner)
{
    auto* tabs = new PageControlWidget;
    QObject::connect(tabs, &QTabWidget::currentChanged, [this](int) {
        if (!m_silent)
            DispatchToControl([this] { Change(); });
    });
    AttachWidget(tabs);
    SetTabStop(true);
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        RaiseListIndexError(index);
    return m_pages[std::size_t(index)];
}

TTabSheet* TPageControl::ActivePage() const
{
    const int index = ActivePageIndex();
    return index >= 0 ? m_pages[std::size_t(index)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it != m_pages.end())
        SetActivePageIndex(int(it - m_pages.begin()));
}

int TPageControl::ActivePageIndex() const { return static_cast<QTabWidget*>(Handle())->currentIndex(); }

void TPageControl::SetActivePageIndex(int index)
{
    TScopedIncrement quiet(m_silent);
    static_cast<QTabWidget*>(Handle())->setCurrentIndex(index);
}

void TPageControl::SimulateSelect(int index)
{
    auto* tabs = static_cast<QTabWidget*>(Handle());
    if (index >= 0 && index < PageCount() && tabs->isTabVisible(index))
        tabs->setCurrentIndex(index);
}

void TPageControl::Change() { OnChange(this); }

void TPageControl::SetCompactTabs(bool value)
{
    if (value == m_compactTabs)
        return;
    m_compactTabs = value;
    static_cast<QTabWidget*>(Handle())->tabBar()->setStyle(value ? CompactStyle() : nullptr);
    LayoutPages();
}

void TPageControl::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
    LayoutPages();
}

void TPageControl::LayoutPages()
{
    auto* tabs = static_cast<PageControlWidget*>(Handle());
    if (!tabs)
        return;
    const QSize page = tabs->PageSize();
    for (TTabSheet* sheet : m_pages)
        sheet->SetBounds(0, 0, std::max(0, page.width()), std::max(0, page.height()));
}

void TPageControl::InsertChildWidget(TControl* child)
{
    auto* sheet = dynamic_cast<TTabSheet*>(child);
    if (!sheet) {
        TWinControl::InsertChildWidget(child);
        return;
    }
    m_pages.push_back(sheet);
    TScopedIncrement quiet(m_silent);
    auto* tabs = static_cast<QTabWidget*>(Handle());
    const int index = tabs->addTab(sheet->Handle(), ToQString(sheet->Caption()));
    tabs->setTabVisible(index, sheet->TabVisible());
    LayoutPages();
}

// Found by identity: a sheet being destroyed is no longer a TTabSheet when it leaves.
void TPageControl::RemoveChildWidget(TControl* child)
{
    const auto it = std::find_if(m_pages.begin(), m_pages.end(),
                                 [child](TTabSheet* page) { return static_cast<TControl*>(page) == child; });
    if (it == m_pages.end()) {
        TWinControl::RemoveChildWidget(child);
        return;
    }
    m_pages.erase(it);
    TScopedIncrement quiet(m_silent);
    if (auto* tabs = static_cast<QTabWidget*>(Handle())) {
        tabs->removeTab(tabs->indexOf(child->Handle()));
        child->Handle()->setParent(nullptr);
    }
}

void TPageControl::ShowTab(TTabSheet* sheet)
{
    auto* tabs = static_cast<QTabWidget*>(Handle());
    TScopedIncrement quiet(m_silent);
    tabs->setTabVisible(tabs->indexOf(sheet->Handle()), sheet->TabVisible());
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { AttachWidget(new QWidget); }

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

int TTabSheet::PageIndex() const
{
    const TPageControl* pages = PageControl();
    if (!pages)
        return -1;
    const auto it = std::find(pages->m_pages.begin(), pages->m_pages.end(), this);
    return int(it - pages->m_pages.begin());
}

void TTabSheet::SetTabVisible(bool visible)
{
    m_tabVisible = visible;
    if (TPageControl* pages = PageControl())
        pages->ShowTab(this);
}

void TTabSheet::ColorChanged()
{
    QWidget* w = Handle();
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, ToQColor(Color()));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

void TTabSheet::TextChanged()
{
    if (TPageControl* pages = PageControl()) {
        auto* tabs = static_cast<QTabWidget*>(pages->Handle());
        tabs->setTabText(tabs->indexOf(Handle()), ToQString(Caption()));
    }
}

// ---------------------------------------------------------------------------------------
// TStatusBar

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    auto* bar = new QStatusBar;
    bar->setSizeGripEnabled(false);
    AttachWidget(bar);
    SetHeight(19);
    SetAlign(alBottom);
}

void TStatusBar::SetSimpleText(const std::string& text)
{
    m_simpleText = text;
    static_cast<QStatusBar*>(Handle())->showMessage(ToQString(text));
}

// ---------------------------------------------------------------------------------------
// TTreeView

TTreeNode::TTreeNode(TTreeView& view, TTreeNode* parent, void* item) : m_view(view), m_parent(parent), m_item(item) {}

static QTreeWidgetItem* ItemOf(void* item) { return static_cast<QTreeWidgetItem*>(item); }

std::string TTreeNode::Text() const { return FromQString(ItemOf(m_item)->text(0)); }
void TTreeNode::SetText(const std::string& text) { ItemOf(m_item)->setText(0, ToQString(text)); }

TTreeNode* TTreeNode::Item(int index) const
{
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return m_children[std::size_t(index)].get();
}

bool TTreeNode::HasChildren() const
{
    return Count() > 0 || ItemOf(m_item)->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void TTreeNode::SetHasChildren(bool value)
{
    ItemOf(m_item)->setChildIndicatorPolicy(value ? QTreeWidgetItem::ShowIndicator
                                                  : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

bool TTreeNode::Expanded() const { return ItemOf(m_item)->isExpanded(); }
void TTreeNode::SetExpanded(bool value) { ItemOf(m_item)->setExpanded(value); }

void TTreeNode::SetImageIndex(int index)
{
    m_imageIndex = index;
    static_cast<QTreeWidget*>(m_view.Handle())->viewport()->update();
}

void TTreeNode::SetSelectedIndex(int index)
{
    m_selectedIndex = index;
    static_cast<QTreeWidget*>(m_view.Handle())->viewport()->update();
}

int TTreeNode::Level() const { return m_parent ? m_parent->Level() + 1 : 0; }

void TTreeNode::Delete() { m_view.DeleteNode(this); }

void TTreeNode::DeleteChildren()
{
    while (!m_children.empty())
        m_view.DeleteNode(m_children.back().get());
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner)
{
    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(tree, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* item) {
        if (!m_silent)
            DispatchToControl([&] { OnChange(this, NodeOf(item)); });
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded, [this, tree](QTreeWidgetItem* item) {
        DispatchToControl([&] {
            bool allow = true;
            OnExpanding(this, NodeOf(item), allow);
            if (!allow)
                tree->collapseItem(item);
            Sort();
        });
    });
    tree->setItemDelegate(new ImageListDelegate(
        tree, [this] { return m_images; },
        [](const QModelIndex& index, bool selected) {
            const auto* node = static_cast<const TTreeNode*>(index.data(kNodeRole).value<void*>());
            if (!node)
                return -1;
            return selected && node->SelectedIndex() >= 0 ? node->SelectedIndex() : node->ImageIndex();
        }));
    AttachWidget(tree, tree->viewport());
    SetTabStop(true);
    SetColor(clWindow);
}

void TTreeView::SetImages(TImageList* images)
{
    m_images = images;
    ShowImagesOf(static_cast<QTreeWidget*>(Handle()), images);
}

// The nodes go with the view; OnDeletion is not fired from the destructor, where the
// handler's owner may already be half gone.
TTreeView::~TTreeView() = default;

TTreeNode* TTreeView::NodeOf(void* item) const
{
    return item ? static_cast<TTreeNode*>(ItemOf(item)->data(0, kNodeRole).value<void*>()) : nullptr;
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text, void* data)
{
    auto* tree = static_cast<QTreeWidget*>(Handle());
    auto* item = parent ? new QTreeWidgetItem(ItemOf(parent->m_item)) : new QTreeWidgetItem(tree);
    item->setText(0, ToQString(text));
    auto node = std::unique_ptr<TTreeNode>(new TTreeNode(*this, parent, item));
    node->Data = data;
    item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(node.get())));
    TTreeNode* result = node.get();
    (parent ? parent->m_children : m_roots).push_back(std::move(node));
    Sort();
    return result;
}

TTreeNode* TTreeView::TopItem(int index) const
{
    if (index < 0 || index >= TopCount())
        RaiseListIndexError(index);
    return m_roots[std::size_t(index)].get();
}

void TTreeView::DeleteNode(TTreeNode* node)
{
    node->DeleteChildren();
    OnDeletion(this, node);
    auto& siblings = node->m_parent ? node->m_parent->m_children : m_roots;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& n) { return n.get() == node; });
    std::unique_ptr<TTreeNode> owned = std::move(*it);
    siblings.erase(it);
    TScopedIncrement quiet(m_silent);
    delete ItemOf(owned->m_item);
}

void TTreeView::Clear()
{
    while (!m_roots.empty())
        DeleteNode(m_roots.back().get());
}

TTreeNode* TTreeView::Selected() const { return NodeOf(static_cast<QTreeWidget*>(Handle())->currentItem()); }

void TTreeView::SetSelected(TTreeNode* node)
{
    TScopedIncrement quiet(m_silent);
    static_cast<QTreeWidget*>(Handle())->setCurrentItem(node ? ItemOf(node->m_item) : nullptr);
}

void TTreeView::SetSortType(TSortType value)
{
    m_sortType = value;
    Sort();
}

void TTreeView::Sort()
{
    if (m_sortType == stText || m_sortType == stBoth)
        static_cast<QTreeWidget*>(Handle())->sortItems(0, Qt::AscendingOrder);
}

// ---------------------------------------------------------------------------------------
// TListView

TListView::TListView(TComponent* owner) : TWinControl(owner)
{
    auto* view = new QTreeWidget;
    view->setRootIsDecorated(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(view, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
        if (m_silent)
            return;
        DispatchToControl([&] {
            if (before)
                OnSelectItem(this, static_cast<TListItem*>(before->data(0, kNodeRole).value<void*>()), false);
            if (now)
                OnSelectItem(this, static_cast<TListItem*>(now->data(0, kNodeRole).value<void*>()), true);
        });
    });
    view->setItemDelegate(new ImageListDelegate(
        view, [this] { return m_smallImages; },
        [](const QModelIndex& index, bool) {
            const auto* item = static_cast<const TListItem*>(index.data(kNodeRole).value<void*>());
            return item ? item->ImageIndex : -1;
        }));
    AttachWidget(view, view->viewport());
    SetTabStop(true);
    SetColor(clWindow);
}

TListView::~TListView() = default;

void TListView::SetSmallImages(TImageList* images)
{
    m_smallImages = images;
    ShowImagesOf(static_cast<QTreeWidget*>(Handle()), images);
}

TListColumn* TListView::AddColumn(const std::string& caption, int width)
{
    m_columns.push_back(std::make_unique<TListColumn>(TListColumn{caption, width, 0}));
    return m_columns.back().get();
}

TListColumn* TListView::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        RaiseListIndexError(index);
    return m_columns[std::size_t(index)].get();
}

TListItem* TListView::AddItem(const std::string& caption)
{
    m_items.push_back(std::make_unique<TListItem>());
    m_items.back()->Caption = caption;
    return m_items.back().get();
}

TListItem* TListView::Item(int index) const
{
    if (index < 0 || index >= ItemCount())
        RaiseListIndexError(index);
    return m_items[std::size_t(index)].get();
}

void TListView::DeleteItem(int index)
{
    Item(index);
    m_items.erase(m_items.begin() + index);
    Refresh();
}

void TListView::Clear()
{
    m_items.clear();
    Refresh();
}

void TListView::SetSortType(TSortType value)
{
    m_sortType = value;
    Refresh();
}

void TListView::Refresh()
{
    auto* view = static_cast<QTreeWidget*>(Handle());
    TScopedIncrement quiet(m_silent);
    TListItem* selected = Selected();
    view->clear();
    view->setColumnCount(std::max(1, ColumnCount()));
    QStringList headers;
    for (int i = 0; i < ColumnCount(); ++i) {
        headers << ToQString(m_columns[std::size_t(i)]->Caption);
        view->setColumnWidth(i, std::max(m_columns[std::size_t(i)]->Width, m_columns[std::size_t(i)]->MinWidth));
    }
    view->setHeaderLabels(headers);
    if (m_sortType == stText || m_sortType == stBoth)
        std::stable_sort(m_items.begin(), m_items.end(),
                         [](const auto& a, const auto& b) { return a->Caption < b->Caption; });
    for (const auto& item : m_items) {
        auto* row = new QTreeWidgetItem(view);
        row->setText(0, ToQString(item->Caption));
        for (std::size_t c = 0; c < item->SubItems.size(); ++c)
            row->setText(int(c) + 1, ToQString(item->SubItems[c]));
        row->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(item.get())));
    }
    SetSelected(selected);
}

TListItem* TListView::Selected() const
{
    const QTreeWidgetItem* current = static_cast<QTreeWidget*>(Handle())->currentItem();
    return current ? static_cast<TListItem*>(current->data(0, kNodeRole).value<void*>()) : nullptr;
}

void TListView::SetSelected(TListItem* item)
{
    auto* view = static_cast<QTreeWidget*>(Handle());
    TScopedIncrement quiet(m_silent);
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = view->topLevelItem(i);
        if (row->data(0, kNodeRole).value<void*>() == item) {
            view->setCurrentItem(row);
            return;
        }
    }
    view->setCurrentItem(nullptr);
}

// ---------------------------------------------------------------------------------------
// TUpDown

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (TUDBtnType button : {btNext, btPrev}) {
        auto* arrow = new QToolButton(widget);
        arrow->setArrowType(button == btNext ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setAutoRepeatDelay(500);
        arrow->setAutoRepeatInterval(50);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        QObject::connect(arrow, &QToolButton::clicked, [this, button] { DispatchToControl([&] { StepBy(button); }); });
        layout->addWidget(arrow);
    }
    AttachWidget(widget);
    SetBounds(0, 0, 17, 21);
}

void TUpDown::SetMin(int value)
{
    m_min = value;
    SetPosition(m_position);
}
void TUpDown::SetMax(int value)
{
    m_max = value;
    SetPosition(m_position);
}

void TUpDown::SetPosition(int value)
{
    if (m_max > m_min)
        value = std::clamp(value, m_min, m_max);
    m_position = value;
    ShowPosition();
}

void TUpDown::SetAssociate(TWinControl* control)
{
    if (m_associate)
        m_associate->RemoveFreeNotification(this);
    m_associate = control;
    if (control)
        control->FreeNotification(this);
    ShowPosition();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == m_associate)
        m_associate = nullptr;
    TWinControl::Notification(component, operation);
}

void TUpDown::Loaded()
{
    TWinControl::Loaded();
    ShowPosition();
}

void TUpDown::ShowPosition()
{
    if (m_associate && !IsLoading())
        m_associate->SetText(std::to_string(m_position));
}

void TUpDown::StepBy(TUDBtnType button)
{
    bool allow = true;
    OnChanging(this, allow);
    if (!allow)
        return;
    int next = m_position + (button == btNext ? m_increment : -m_increment);
    if (m_max > m_min) {
        if (next > m_max)
            next = m_wrap ? m_min : m_max;
        else if (next < m_min)
            next = m_wrap ? m_max : m_min;
    }
    SetPosition(next);
    OnClick(this, button);
}

// ---------------------------------------------------------------------------------------
// TDateTimePicker

namespace {

const QDate kDayZero(1899, 12, 30);

QDateTime FromDays(double value)
{
    const double days = std::trunc(value);
    const qint64 ms = std::llround(std::fabs(value - days) * 86400000.0);
    return QDateTime(kDayZero.addDays(qint64(days)), QTime(0, 0)).addMSecs(ms);
}

double ToDays(const QDateTime& when)
{
    const qint64 days = kDayZero.daysTo(when.date());
    const double fraction = when.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}

}  // namespace

bool IsPickerDateTime(double value) { return value > kFirstPickerDay - 1 && value < kLastPickerDay + 1; }

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    auto* edit = new QDateTimeEdit;
    edit->setMinimumDateTime(QDateTime(QDate(100, 1, 1), QTime(0, 0)));
    edit->setMaximumDateTime(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, [this] {
        if (!m_silent)
            DispatchToControl([this] { OnChange(this); });
    });
    AttachWidget(edit);
    SetTabStop(true);
    SetBounds(0, 0, 137, 21);
}

void TDateTimePicker::SetKind(TDateTimeKind kind)
{
    m_kind = kind;
    auto* edit = static_cast<QDateTimeEdit*>(Handle());
    edit->setDisplayFormat(kind == dtkDate ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("HH:mm:ss"));
    edit->setCalendarPopup(kind == dtkDate);
}

double TDateTimePicker::DateTime() const { return ToDays(static_cast<QDateTimeEdit*>(Handle())->dateTime()); }

void TDateTimePicker::SetDateTime(double value)
{
    if (!IsPickerDateTime(value))
        throw EConvertError("The date lies outside the years 100 to 9999");
    TScopedIncrement quiet(m_silent);
    static_cast<QDateTimeEdit*>(Handle())->setDateTime(FromDays(value));
}

void TDateTimePicker::SimulateEdit(double value)
{
    if (!IsPickerDateTime(value))
        throw EConvertError("The date lies outside the years 100 to 9999");
    static_cast<QDateTimeEdit*>(Handle())->setDateTime(FromDays(value));
}

// ---------------------------------------------------------------------------------------
// Published properties

PRAVIX_PUBLISH_GROUPS(TPageControl,
                      {Prop("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex),
                       Prop("CompactTabs", &TPageControl::CompactTabs, &TPageControl::SetCompactTabs).Default(false)},
                      VisualProps(), TabProps(), {Field("OnChange", &TPageControl::OnChange)}, MouseEventProps())

PRAVIX_PUBLISH_GROUPS(TTabSheet, CaptionProps(),
                      {Prop("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true),
                       Prop("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)},
                      MouseEventProps())

PRAVIX_PUBLISH_GROUPS(TStatusBar, VisualProps(),
                      {Prop("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(true),
                       Prop("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)})

PRAVIX_PUBLISH_GROUPS(TTreeView, VisualProps(),
                      {Prop("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(true),
                       Prop("SortType", &TTreeView::SortType, &TTreeView::SetSortType).Default(stNone)},
                      TabProps(),
                      {Field("OnChange", &TTreeView::OnChange), Field("OnDeletion", &TTreeView::OnDeletion),
                       Field("OnExpanding", &TTreeView::OnExpanding)},
                      MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TListView, VisualProps(),
                      {Prop("SortType", &TListView::SortType, &TListView::SetSortType).Default(stNone)}, TabProps(),
                      {Field("OnSelectItem", &TListView::OnSelectItem)}, MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TUpDown,
                      {Prop("Associate", &TUpDown::Associate, &TUpDown::SetAssociate),
                       Prop("Increment", &TUpDown::Increment, &TUpDown::SetIncrement).Default(1),
                       Prop("Max", &TUpDown::Max, &TUpDown::SetMax).Default(100),
                       Prop("Min", &TUpDown::Min, &TUpDown::SetMin).Default(0),
                       Prop("Position", &TUpDown::Position, &TUpDown::SetPosition).Default(0),
                       Prop("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap).Default(false),
                       Field("OnChanging", &TUpDown::OnChanging), Field("OnClick", &TUpDown::OnClick)},
                      VisualProps(), TabProps())

PRAVIX_PUBLISH_GROUPS(TDateTimePicker,
                      {Prop("DateTime", &TDateTimePicker::DateTime, &TDateTimePicker::SetDateTime),
                       Prop("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(dtkDate),
                       Field("OnChange", &TDateTimePicker::OnChange)},
                      VisualProps(), TabProps(), KeyEventProps())
