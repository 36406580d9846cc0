#include "platform/gui/StdCtrls.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/core/Filer.h"
#include "platform/core/Scoped.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Published_p.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include <cstdlib>

namespace {

// "&x" shows x (the accelerator), "&&" shows "&".
QString WithoutAccelerator(const std::string& caption)
{
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return ToQString(shown);
}

void SetBackground(QWidget* w, TColor color, QPalette::ColorRole role, bool fill = true)
{
    QPalette palette = w->palette();
    palette.setColor(role, ToQColor(color));
    w->setPalette(palette);
    if (role == QPalette::Window)
        w->setAutoFillBackground(fill);
}

// Draws the items of an owner-drawn list through the control's handler, at the item height
// the control asks for.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    // Answers false when the item is drawn the standard way.
    using Draw = std::function<bool(QPainter&, int index, const QRect& rect, bool selected, bool focused)>;
    OwnerDrawDelegate(QObject* parent, Draw draw, std::function<int()> height)
        : QStyledItemDelegate(parent), m_draw(std::move(draw)), m_height(std::move(height))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!m_draw(*painter, index.row(), option.rect, option.state & QStyle::State_Selected,
                    option.state & QStyle::State_HasFocus))
            QStyledItemDelegate::paint(painter, option, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (const int h = m_height(); h > 0)
            size.setHeight(h);
        return size;
    }

private:
    Draw m_draw;
    std::function<int()> m_height;
};

// Runs `draw` on a canvas over an owner-drawn item, set up as the desktop does: highlight
// colours for a selected item, the control's colours otherwise.
template <class C, class Draw>
void DrawOnItemCanvas(C& control, TCanvas*& canvasSlot, QPainter& painter, const QRect& rect, bool selected,
                      bool focused, Draw&& draw)
{
    std::unique_ptr<TCanvas> canvas = CreatePainterCanvas(painter);
    canvas->Font().Assign(*control.Font());
    canvas->Brush().SetColor(selected ? clHighlight : control.Color());
    if (selected)
        canvas->Font().SetColor(clHighlightText);
    TOwnerDrawState state;
    if (selected)
        state.insert(odSelected);
    if (focused)
        state.insert(odFocused);
    TScopedValue<TCanvas*> drawing(canvasSlot, canvas.get());
    const TRect r{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    DispatchToControl([&] { draw(r, state); });
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Item lists of combo and list boxes: the strings and objects live here; the widget shows
// the strings.

class TItemStrings : public TStrings {
public:
    struct View {
        std::function<void(int, const QString&)> insert;
        std::function<void(int)> remove;
        std::function<void(int, const QString&)> set;
        std::function<void()> clear;
    };

    TItemStrings(View view, int& silent) : m_view(std::move(view)), m_silent(silent) {}

    int Count() const override { return int(m_items.size()); }

    std::string Get(int index) const override
    {
        CheckIndex(index, Count());
        return m_items[std::size_t(index)].text;
    }

    TObject* GetObject(int index) const override
    {
        CheckIndex(index, Count());
        return m_items[std::size_t(index)].object;
    }

    void Put(int index, const std::string& s) override
    {
        CheckIndex(index, Count());
        m_items[std::size_t(index)].text = s;
        TScopedIncrement quiet(m_silent);
        m_view.set(index, ToQString(s));
        NotifyChanged();
    }

    void PutObject(int index, TObject* object) override
    {
        CheckIndex(index, Count());
        m_items[std::size_t(index)].object = object;
    }

    void InsertObject(int index, const std::string& s, TObject* object) override
    {
        CheckIndex(index, Count() + 1);
        m_items.insert(m_items.begin() + index, {s, object});
        TScopedIncrement quiet(m_silent);
        m_view.insert(index, ToQString(s));
        NotifyChanged();
    }

    void Delete(int index) override
    {
        CheckIndex(index, Count());
        m_items.erase(m_items.begin() + index);
        TScopedIncrement quiet(m_silent);
        m_view.remove(index);
        NotifyChanged();
    }

    void Clear() override
    {
        m_items.clear();
        TScopedIncrement quiet(m_silent);
        m_view.clear();
        NotifyChanged();
    }

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    std::vector<Item> m_items;
    View m_view;
    int& m_silent;
};

// ---------------------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* owner) : TControl(owner)
{
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    AttachWidget(label);
}

void TLabel::SetAlignment(TAlignment value)
{
    m_alignment = value;
    auto* label = static_cast<QLabel*>(Handle());
    const Qt::Alignment h = value == taCenter         ? Qt::AlignHCenter
                            : value == taRightJustify ? Qt::AlignRight
                                                      : Qt::AlignLeft;
    label->setAlignment(h | Qt::AlignTop);
}

void TLabel::SetTransparent(bool value)
{
    m_transparent = value;
    ColorChanged();
}

void TLabel::SetWordWrap(bool value)
{
    m_wordWrap = value;
    static_cast<QLabel*>(Handle())->setWordWrap(value);
}

void TLabel::TextChanged() { static_cast<QLabel*>(Handle())->setText(WithoutAccelerator(Caption())); }

// A label whose colour was never changed shows its parent's background.
void TLabel::ColorChanged()
{
    SetBackground(Handle(), Color(), QPalette::Window, !m_transparent && Color() != clBtnFace);
}

// ---------------------------------------------------------------------------------------
// Buttons

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    auto* button = new QPushButton;
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this] { DispatchToControl([this] { Click(); }); });
    AttachWidget(button);
    SetTabStop(true);
}

void TButton::Click()
{
    if (m_modalResult != mrNone) {
        if (TForm* form = ParentForm())
            form->SetModalResult(m_modalResult);
    }
    TWinControl::Click();
}

void TButton::TextChanged() { static_cast<QPushButton*>(Handle())->setText(ToQString(Caption())); }

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner), m_glyph(std::make_unique<TBitmap>())
{
    auto* button = new QToolButton;
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, [this] { DispatchToControl([this] { Click(); }); });
    AttachWidget(button);
    m_glyph->SetTransparent(true);
    m_glyph->OnChange = [this] { ShowGlyph(); };
}

TSpeedButton::~TSpeedButton() = default;

// Assign copies the source's transparency too; a glyph is always transparent.
void TSpeedButton::SetGlyph(const TBitmap* value)
{
    if (value)
        m_glyph->Assign(*value);
    else
        m_glyph->SetSize(0, 0);
    m_glyph->SetTransparent(true);
}

void TSpeedButton::ShowGlyph()
{
    auto* button = static_cast<QToolButton*>(Handle());
    if (m_glyph->Empty()) {
        button->setIcon(QIcon());
    } else {
        const QPixmap picture = QPixmap::fromImage(TransparentImage(*m_glyph));
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.size());
    }
    TextChanged();
}

void TSpeedButton::DefineProperties(TFiler& filer)
{
    TControl::DefineProperties(filer);
    filer.DefineProperty(
        "Glyph", [this](TReader& r) { m_glyph->LoadFromBytes(r.ReadBinary()); },
        [this](TWriter& w) { w.WriteBinary(WriteBMP(*m_glyph)); }, !m_glyph->Empty());
}

void TSpeedButton::SetFlat(bool value)
{
    m_flat = value;
    static_cast<QToolButton*>(Handle())->setAutoRaise(value);
}

bool TSpeedButton::Down() const { return static_cast<QToolButton*>(Handle())->isChecked(); }

void TSpeedButton::SetDown(bool value)
{
    auto* button = static_cast<QToolButton*>(Handle());
    button->setCheckable(m_groupIndex != 0 || value);
    button->setChecked(value);
}

void TSpeedButton::SetGroupIndex(int value)
{
    m_groupIndex = value;
    auto* button = static_cast<QToolButton*>(Handle());
    button->setCheckable(value != 0);
    button->setAutoExclusive(value != 0 && !m_allowAllUp);
}

void TSpeedButton::TextChanged()
{
    auto* button = static_cast<QToolButton*>(Handle());
    button->setText(ToQString(Caption()));
    if (m_glyph->Empty())
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    else
        button->setToolButtonStyle(Caption().empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

// ---------------------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    auto* edit = new QLineEdit;
    QObject::connect(edit, &QLineEdit::textChanged, [this] { DispatchToControl([this] { Change(); }); });
    AttachWidget(edit);
    SetTabStop(true);
    SetColor(clWindow);
}

std::string TEdit::Caption() const { return FromQString(static_cast<QLineEdit*>(Handle())->text()); }

void TEdit::TextChanged() { static_cast<QLineEdit*>(Handle())->setText(ToQString(TControl::Caption())); }

void TEdit::ColorChanged() { SetBackground(Handle(), Color(), QPalette::Base); }

void TEdit::Change() { OnChange(this); }

bool TEdit::ReadOnly() const { return static_cast<QLineEdit*>(Handle())->isReadOnly(); }
void TEdit::SetReadOnly(bool value) { static_cast<QLineEdit*>(Handle())->setReadOnly(value); }

void TEdit::SetPasswordChar(char value)
{
    m_passwordChar = value;
    static_cast<QLineEdit*>(Handle())->setEchoMode(value ? QLineEdit::Password : QLineEdit::Normal);
}

int TEdit::MaxLength() const
{
    const int length = static_cast<QLineEdit*>(Handle())->maxLength();
    return length == 32767 ? 0 : length;
}

void TEdit::SetMaxLength(int value) { static_cast<QLineEdit*>(Handle())->setMaxLength(value > 0 ? value : 32767); }

void TEdit::SelectAll() { static_cast<QLineEdit*>(Handle())->selectAll(); }

int TEdit::SelStart() const
{
    auto* edit = static_cast<QLineEdit*>(Handle());
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TEdit::SetSelStart(int value) { static_cast<QLineEdit*>(Handle())->setCursorPosition(value); }

int TEdit::SelLength() const { return int(static_cast<QLineEdit*>(Handle())->selectedText().size()); }

void TEdit::SetSelLength(int value)
{
    auto* edit = static_cast<QLineEdit*>(Handle());
    edit->setSelection(edit->cursorPosition(), value);
}

void TEdit::SimulateTyping(const std::string& text) { static_cast<QLineEdit*>(Handle())->insert(ToQString(text)); }

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner) {}

// ---------------------------------------------------------------------------------------
// TMemo

// The memo's lines, read from and written to its document.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo& memo) : m_memo(memo) {}

    QPlainTextEdit* Edit() const { return static_cast<QPlainTextEdit*>(m_memo.Handle()); }

    int Count() const override
    {
        const QTextDocument* doc = Edit()->document();
        return doc->isEmpty() ? 0 : doc->blockCount();
    }

    std::string Get(int index) const override
    {
        CheckIndex(index, Count());
        return FromQString(Edit()->document()->findBlockByNumber(index).text());
    }

    TObject* GetObject(int) const override { return nullptr; }
    void PutObject(int, TObject*) override {}

    void Put(int index, const std::string& s) override
    {
        CheckIndex(index, Count());
        QTextCursor cursor(Edit()->document()->findBlockByNumber(index));
        cursor.select(QTextCursor::BlockUnderCursor);
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(ToQString(s));
    }

    int AddObject(const std::string& s, TObject*) override
    {
        Edit()->appendPlainText(ToQString(s));
        return Count() - 1;
    }

    void InsertObject(int index, const std::string& s, TObject*) override
    {
        const int count = Count();
        CheckIndex(index, count + 1);
        if (index == count) {
            AddObject(s, nullptr);
            return;
        }
        QTextCursor cursor(Edit()->document()->findBlockByNumber(index));
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.insertText(ToQString(s) + QChar('\n'));
    }

    void Delete(int index) override
    {
        const int count = Count();
        CheckIndex(index, count);
        if (count == 1) {
            Edit()->clear();
            return;
        }
        QTextCursor cursor(Edit()->document()->findBlockByNumber(index));
        cursor.movePosition(QTextCursor::StartOfBlock);
        if (index + 1 < count) {
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        } else {
            cursor.movePosition(QTextCursor::PreviousBlock);
            cursor.movePosition(QTextCursor::EndOfBlock);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
    }

    void Clear() override { Edit()->clear(); }

private:
    TMemo& m_memo;
};

TMemo::TMemo(TComponent* owner) : TWinControl(owner)
{
    auto* edit = new QPlainTextEdit;
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTabChangesFocus(true);
    QObject::connect(edit, &QPlainTextEdit::textChanged, [this] {
        if (!m_silent)
            DispatchToControl([this] { Change(); });
    });
    AttachWidget(edit, edit->viewport());
    m_lines = std::make_unique<TMemoStrings>(*this);
    SetTabStop(true);
    SetColor(clWindow);
}

TMemo::~TMemo() = default;

TStrings* TMemo::Lines() const { return m_lines.get(); }

void TMemo::SetLines(TStrings* value)
{
    if (value)
        m_lines->Assign(*value);
}

std::string TMemo::Caption() const { return m_lines->Text(); }

void TMemo::TextChanged() { static_cast<QPlainTextEdit*>(Handle())->setPlainText(ToQString(TControl::Caption())); }

void TMemo::ColorChanged() { SetBackground(Handle(), Color(), QPalette::Base); }

void TMemo::Change() { OnChange(this); }

bool TMemo::ReadOnly() const { return static_cast<QPlainTextEdit*>(Handle())->isReadOnly(); }
// A read-only memo is written only by the program, as a log is: it keeps no undo history, which
// would otherwise hold every line ever added or trimmed for as long as the program runs.
void TMemo::SetReadOnly(bool value)
{
    auto* edit = static_cast<QPlainTextEdit*>(Handle());
    edit->setReadOnly(value);
    edit->setUndoRedoEnabled(!value);
}

bool TMemo::WordWrap() const
{
    return static_cast<QPlainTextEdit*>(Handle())->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TMemo::SetWordWrap(bool value)
{
    static_cast<QPlainTextEdit*>(Handle())->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth
                                                                  : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle value)
{
    m_scrollBars = value;
    auto* edit = static_cast<QPlainTextEdit*>(Handle());
    const bool h = value == ssHorizontal || value == ssBoth;
    const bool v = value == ssVertical || value == ssBoth;
    edit->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    edit->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
}

void TMemo::Clear() { m_lines->Clear(); }
void TMemo::SelectAll() { static_cast<QPlainTextEdit*>(Handle())->selectAll(); }

bool TMemo::WantsKey(int key) const { return (key == VK_RETURN && m_wantReturns) || (key == VK_TAB && m_wantTabs); }

// ---------------------------------------------------------------------------------------
// TComboBox

namespace {

class ComboWidget : public QComboBox {
public:
    std::function<void()> beforePopup;

protected:
    void showPopup() override
    {
        if (beforePopup)
            beforePopup();
        QComboBox::showPopup();
    }
};

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner)
{
    auto* combo = new ComboWidget;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->beforePopup = [this] { DispatchToControl([this] { DropDown(); }); };
    QObject::connect(combo, &QComboBox::activated, [this](int index) { UserPicked(index); });
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, [this] {
        if (!m_silent)
            DispatchToControl([this] { Change(); });
    });
    AttachWidget(combo);
    TItemStrings::View view{
        [combo](int i, const QString& s) { combo->insertItem(i, s); },
        [combo](int i) { combo->removeItem(i); },
        [combo](int i, const QString& s) { combo->setItemText(i, s); },
        [combo] { combo->clear(); },
    };
    m_items = std::make_unique<TItemStrings>(std::move(view), m_silent);
    combo->setItemDelegate(new OwnerDrawDelegate(
        combo,
        [this](QPainter& p, int index, const QRect& r, bool selected, bool focused) {
            if ((m_style != csOwnerDrawFixed && m_style != csOwnerDrawVariable) || !OnDrawItem)
                return false;
            DrawOnItemCanvas(*this, m_canvas, p, r, selected, focused,
                             [&](const TRect& rect, TOwnerDrawState state) { OnDrawItem(this, index, rect, state); });
            return true;
        },
        [this] { return m_style == csOwnerDrawFixed ? m_itemHeight : 0; }));
    combo->setCurrentIndex(-1);
    SetTabStop(true);
    SetColor(clWindow);
}

TComboBox::~TComboBox() = default;

TStrings* TComboBox::Items() const { return m_items.get(); }

void TComboBox::SetItems(TStrings* value)
{
    if (value)
        m_items->Assign(*value);
}

int TComboBox::ItemIndex() const { return static_cast<QComboBox*>(Handle())->currentIndex(); }

void TComboBox::SetItemIndex(int index)
{
    TScopedIncrement quiet(m_silent);
    auto* combo = static_cast<QComboBox*>(Handle());
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    if (index < 0 && combo->isEditable())
        combo->setEditText(QString());
}

void TComboBox::SetStyle(TComboBoxStyle value)
{
    m_style = value;
    auto* combo = static_cast<QComboBox*>(Handle());
    const int index = combo->currentIndex();
    const bool wasEditable = combo->isEditable();
    combo->setEditable(value == csDropDown || value == csSimple);
    // A combo that becomes editable gets a new line edit, to be heard once.
    if (combo->isEditable() && !wasEditable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, [this] {
            if (!m_silent)
                DispatchToControl([this] { Change(); });
        });
    }
    TScopedIncrement quiet(m_silent);
    combo->setCurrentIndex(index);
}

int TComboBox::DropDownCount() const { return static_cast<QComboBox*>(Handle())->maxVisibleItems(); }
void TComboBox::SetDropDownCount(int value) { static_cast<QComboBox*>(Handle())->setMaxVisibleItems(value); }

std::string TComboBox::Caption() const { return FromQString(static_cast<QComboBox*>(Handle())->currentText()); }

// Setting the text of a list-only combo selects the item with that text (or none).
void TComboBox::TextChanged()
{
    auto* combo = static_cast<QComboBox*>(Handle());
    const QString text = ToQString(TControl::Caption());
    TScopedIncrement quiet(m_silent);
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString));
}

void TComboBox::ColorChanged() { SetBackground(Handle(), Color(), QPalette::Base); }

void TComboBox::Change() { OnChange(this); }
void TComboBox::Select() { OnSelect(this); }
void TComboBox::DropDown() { OnDropDown(this); }

void TComboBox::UserPicked(int index)
{
    if (m_silent || index < 0)
        return;
    DispatchToControl([this] {
        Change();
        Select();
    });
}

void TComboBox::SimulateSelect(int index)
{
    auto* combo = static_cast<QComboBox*>(Handle());
    if (index < 0 || index >= combo->count())
        return;
    {
        TScopedIncrement quiet(m_silent);
        combo->setCurrentIndex(index);
    }
    emit combo->activated(index);
}

// ---------------------------------------------------------------------------------------
// TListBox

// The list widget hands its mouse to the list box's dragging first: while an item is
// dragged the view must not move its selection along with the mouse.
class ListWidget : public QListWidget {
public:
    explicit ListWidget(TListBox& list) : m_list(list) {}

protected:
    // The view makes its first item current when it takes the focus without one; a list box
    // taking the focus selects nothing and tells nobody.
    void focusInEvent(QFocusEvent* event) override
    {
        TScopedIncrement quiet(m_list.m_silent);
        const bool none = currentRow() < 0;
        QListWidget::focusInEvent(event);
        if (none)
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }

    // Every click on an item is a click, also on the item already selected, whose selection
    // does not change and so reports nothing by itself.
    void mousePressEvent(QMouseEvent* event) override
    {
        const int before = currentRow();
        QListWidget::mousePressEvent(event);
        if (event->button() != Qt::LeftButton)
            return;
        if (before >= 0 && currentRow() == before && itemAt(event->position().toPoint()) == item(before))
            m_list.ClickSelected();
        m_list.DragPress(At(event));
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!m_list.DragMove(At(event)))
            QListWidget::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QListWidget::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            m_list.DragRelease(At(event));
    }

private:
    static TPoint At(const QMouseEvent* event)
    {
        const QPoint p = event->position().toPoint();
        return {p.x(), p.y()};
    }
    TListBox& m_list;
};

TListBox::TListBox(TComponent* owner) : TWinControl(owner)
{
    auto* list = new ListWidget(*this);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    QObject::connect(list, &QListWidget::currentRowChanged, [this](int) {
        if (!m_silent)
            DispatchToControl([this] { Click(); });
    });
    AttachWidget(list, list->viewport());
    TItemStrings::View view{
        [list](int i, const QString& s) { list->insertItem(i, s); },
        [list](int i) { delete list->takeItem(i); },
        [list](int i, const QString& s) { list->item(i)->setText(s); },
        [list] { list->clear(); },
    };
    m_items = std::make_unique<TItemStrings>(std::move(view), m_silent);
    list->setItemDelegate(new OwnerDrawDelegate(
        list,
        [this](QPainter& p, int index, const QRect& r, bool selected, bool focused) {
            if (m_style == lbStandard)
                return false;
            DrawOnItemCanvas(*this, m_canvas, p, r, selected, focused,
                             [&](const TRect& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
            return true;
        },
        [this] { return m_style == lbStandard ? 0 : m_itemHeight; }));
    SetTabStop(true);
    SetColor(clWindow);
}

TListBox::~TListBox() = default;

TStrings* TListBox::Items() const { return m_items.get(); }

void TListBox::SetItems(TStrings* value)
{
    if (value)
        m_items->Assign(*value);
}

int TListBox::Count() const { return m_items->Count(); }

int TListBox::ItemIndex() const { return static_cast<QListWidget*>(Handle())->currentRow(); }

void TListBox::SetItemIndex(int index)
{
    TScopedIncrement quiet(m_silent);
    auto* list = static_cast<QListWidget*>(Handle());
    list->setCurrentRow(index >= 0 && index < list->count() ? index : -1);
    if (index < 0)
        list->clearSelection();
}

int TListBox::TopIndex() const
{
    auto* list = static_cast<QListWidget*>(Handle());
    const QListWidgetItem* item = list->itemAt(0, 0);
    return item ? list->row(item) : (list->count() ? 0 : -1);
}

void TListBox::SetTopIndex(int index)
{
    auto* list = static_cast<QListWidget*>(Handle());
    if (QListWidgetItem* item = list->item(index))
        list->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void TListBox::SetItemHeight(int value)
{
    m_itemHeight = value;
    static_cast<QListWidget*>(Handle())->doItemsLayout();
}

int TListBox::ItemAtPos(TPoint p) const
{
    auto* list = static_cast<QListWidget*>(Handle());
    const QPoint at = list->viewport()->mapFrom(list, QPoint(p.X, p.Y));
    const QListWidgetItem* item = list->itemAt(at);
    return item ? list->row(item) : -1;
}

TRect TListBox::ItemRect(int index) const
{
    auto* list = static_cast<QListWidget*>(Handle());
    const QListWidgetItem* item = list->item(index);
    if (!item)
        return {};
    const QRect r = list->visualItemRect(item).translated(list->viewport()->pos());
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void TListBox::SimulateClick(int index)
{
    if (index >= 0 && index == ItemIndex())
        ClickSelected();
    else
        static_cast<QListWidget*>(Handle())->setCurrentRow(index);
}

void TListBox::ClickSelected()
{
    DispatchToControl([this] { Click(); });
}

void TListBox::ColorChanged() { SetBackground(Handle(), Color(), QPalette::Base); }

bool TListBox::WantsKey(int key) const { return key != VK_TAB; }

void TListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    m_canvas->FillRect(rect);
    m_canvas->TextOut(rect.Left + 2, rect.Top, m_items->Get(index));
}

bool TListBox::DragOver(TObject*, int, int) { return false; }
void TListBox::DragDrop(TObject*, int, int) {}

namespace {

// The desktop's distance a pressed mouse must move before a press becomes a drag.
constexpr int kDragThreshold = 5;

// The list box under a point of the item area of `from`, and the point in its own item area.
TListBox* ListBoxUnder(QAbstractScrollArea& from, TPoint at, TPoint& local)
{
    QWidget* window = from.window();
    const QPoint inWindow = from.viewport()->mapTo(window, QPoint(at.X, at.Y));
    auto* target = dynamic_cast<TListBox*>(ControlBridge::ControlOf(window->childAt(inWindow)));
    if (!target)
        return nullptr;
    const QPoint p = static_cast<QAbstractScrollArea*>(target->Handle())->viewport()->mapFrom(window, inWindow);
    local = {p.x(), p.y()};
    return target;
}

}  // namespace

void TListBox::DragPress(TPoint at)
{
    auto* list = static_cast<QListWidget*>(Handle());
    m_dragging = false;
    m_dragPressed = m_dragMode == dmAutomatic && list->itemAt(at.X, at.Y) != nullptr;
    m_dragStart = at;
}

bool TListBox::DragMove(TPoint at)
{
    if (!m_dragPressed)
        return false;
    if (!m_dragging && std::abs(at.X - m_dragStart.X) < kDragThreshold &&
        std::abs(at.Y - m_dragStart.Y) < kDragThreshold)
        return true;
    m_dragging = true;
    auto* list = static_cast<QListWidget*>(Handle());
    TPoint local;
    TListBox* target = ListBoxUnder(*list, at, local);
    bool accepted = false;
    if (target)
        DispatchToControl([&] { accepted = target->DragOver(this, local.X, local.Y); });
    list->viewport()->setCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    return true;
}

bool TListBox::DragRelease(TPoint at)
{
    const bool dropping = m_dragging;
    m_dragPressed = false;
    m_dragging = false;
    if (!dropping)
        return false;
    auto* list = static_cast<QListWidget*>(Handle());
    list->viewport()->unsetCursor();
    TPoint local;
    if (TListBox* target = ListBoxUnder(*list, at, local)) {
        DispatchToControl([&] {
            if (target->DragOver(this, local.X, local.Y))
                target->DragDrop(this, local.X, local.Y);
        });
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Check boxes and radio buttons

bool TButtonControl::Checked() const { return static_cast<QAbstractButton*>(Handle())->isChecked(); }

void TButtonControl::SetChecked(bool value) { static_cast<QAbstractButton*>(Handle())->setChecked(value); }

void TButtonControl::Click() { static_cast<QAbstractButton*>(Handle())->click(); }

void TButtonControl::TextChanged() { static_cast<QAbstractButton*>(Handle())->setText(ToQString(Caption())); }

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner)
{
    auto* box = new QCheckBox;
    QObject::connect(box, &QCheckBox::toggled, [this] { DispatchToControl([this] { OnClick(this); }); });
    AttachWidget(box);
    SetTabStop(true);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    auto* button = new QRadioButton;
    QObject::connect(button, &QRadioButton::toggled, [this](bool on) {
        if (on)
            DispatchToControl([this] { OnClick(this); });
    });
    AttachWidget(button);
    SetTabStop(true);
}

// ---------------------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { AttachWidget(new QGroupBox); }

void TGroupBox::TextChanged() { static_cast<QGroupBox*>(Handle())->setTitle(ToQString(Caption())); }

void TGroupBox::ColorChanged() { SetBackground(Handle(), Color(), QPalette::Window, false); }

// ---------------------------------------------------------------------------------------
// Published properties

PRAVIX_PUBLISH_GROUPS(TLabel,
                      {Prop("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify),
                       Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(false)},
                      CaptionProps(), VisualProps(),
                      {Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false),
                       Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false)},
                      MouseEventProps())

PRAVIX_PUBLISH_GROUPS(TButton, {Prop("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false)}, CaptionProps(),
                      {Prop("Default", &TButton::Default, &TButton::SetDefault).Default(false),
                       Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0)},
                      VisualProps(), TabProps(), MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH(TBitBtn)

PRAVIX_PUBLISH_GROUPS(TSpeedButton,
                      {Prop("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false),
                       Prop("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0),
                       Prop("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false)},
                      CaptionProps(), {Prop("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false)},
                      VisualProps(), MouseEventProps())

PRAVIX_PUBLISH_GROUPS(TEdit, VisualProps(),
                      {Prop("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0),
                       Prop("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar).Default(char(0)),
                       Prop("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false)},
                      TabProps(), TextProps(), {Field("OnChange", &TEdit::OnChange)}, MouseEventProps(),
                      KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TMaskEdit, {Prop("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask)})

PRAVIX_PUBLISH_GROUPS(TMemo, VisualProps(),
                      {Prop("Lines", &TMemo::Lines, &TMemo::SetLines).Owned(),
                       Prop("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false),
                       Prop("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone)},
                      TabProps(),
                      {Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true),
                       Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false),
                       Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(false),
                       Field("OnChange", &TMemo::OnChange)},
                      MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TComboBox, {Prop("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown)},
                      VisualProps(),
                      {Prop("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8),
                       Prop("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight),
                       Prop("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1),
                       Prop("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false)},
                      TabProps(), TextProps(),
                      {Prop("Items", &TComboBox::Items, &TComboBox::SetItems).Owned(),
                       Field("OnChange", &TComboBox::OnChange), Field("OnDrawItem", &TComboBox::OnDrawItem),
                       Field("OnDropDown", &TComboBox::OnDropDown), Field("OnSelect", &TComboBox::OnSelect)},
                      KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TListBox, VisualProps(),
                      {Prop("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight),
                       Prop("Items", &TListBox::Items, &TListBox::SetItems).Owned(),
                       Prop("Style", &TListBox::Style, &TListBox::SetStyle).Default(lbStandard),
                       Prop("DragMode", &TListBox::DragMode, &TListBox::SetDragMode).Default(dmManual)},
                      TabProps(), {Field("OnDrawItem", &TListBox::OnDrawItem)}, MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH(TButtonControl)

PRAVIX_PUBLISH_GROUPS(TCheckBox, CaptionProps(),
                      {Prop("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Default(false)}, VisualProps(),
                      TabProps(), MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TRadioButton, CaptionProps(),
                      {Prop("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false)},
                      VisualProps(), TabProps(), MouseEventProps(), KeyEventProps())

PRAVIX_PUBLISH_GROUPS(TGroupBox, CaptionProps(), VisualProps(), TabProps(), MouseEventProps())
