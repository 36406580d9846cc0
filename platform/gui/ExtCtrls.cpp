#include "platform/gui/ExtCtrls.h"

#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Published_p.h"

#include <QGroupBox>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>

#include <algorithm>

// ---------------------------------------------------------------------------------------
// TPanel

class PanelWidget : public QWidget {
public:
    explicit PanelWidget(TPanel* panel) : m_panel(panel) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_panel || WidgetsTearingDown())
            return;
        QPainter p(this);
        QRect r = rect();
        p.fillRect(r, ToQColor(m_panel->Color()));
        for (TPanelBevel bevel : {m_panel->BevelOuter(), m_panel->BevelInner()}) {
            if (bevel == bvNone)
                continue;
            for (int i = 0; i < m_panel->BevelWidth(); ++i) {
                if (bevel != bvSpace) {
                    const bool raised = bevel == bvRaised;
                    const QColor light = ToQColor(clBtnHighlight);
                    const QColor dark = ToQColor(clBtnShadow);
                    p.setPen(raised ? light : dark);
                    p.drawLine(r.topLeft(), r.topRight());
                    p.drawLine(r.topLeft(), r.bottomLeft());
                    p.setPen(raised ? dark : light);
                    p.drawLine(r.bottomLeft(), r.bottomRight());
                    p.drawLine(r.topRight(), r.bottomRight());
                }
                r.adjust(1, 1, -1, -1);
            }
        }
        const TAlignment a = m_panel->Alignment();
        const Qt::Alignment h = a == taLeftJustify    ? Qt::AlignLeft
                                : a == taRightJustify ? Qt::AlignRight
                                                      : Qt::AlignHCenter;
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(r, int(h | Qt::AlignVCenter), ToQString(m_panel->Caption()));
    }

private:
    TPanel* m_panel;
};

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { AttachWidget(new PanelWidget(this)); }

void TPanel::SetBevelInner(TPanelBevel value)
{
    m_bevelInner = value;
    Invalidate();
}
void TPanel::SetBevelOuter(TPanelBevel value)
{
    m_bevelOuter = value;
    Invalidate();
}
void TPanel::SetBevelWidth(int value)
{
    m_bevelWidth = std::max(1, value);
    Invalidate();
}
void TPanel::SetAlignment(TAlignment value)
{
    m_alignment = value;
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// TRadioGroup

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner), m_items(std::make_unique<TStringList>())
{
    AttachWidget(new QGroupBox);
    m_items->OnChange = [this](TObject*) { RebuildButtons(); };
    SetTabStop(true);
}

TRadioGroup::~TRadioGroup() { m_items->OnChange = nullptr; }

TStrings* TRadioGroup::Items() const { return m_items.get(); }

void TRadioGroup::SetItems(TStrings* value)
{
    if (value)
        m_items->Assign(*value);
}

void TRadioGroup::RebuildButtons()
{
    for (QWidget* b : m_buttons)
        delete b;
    m_buttons.clear();
    for (int i = 0; i < m_items->Count(); ++i) {
        auto* button = new QRadioButton(ToQString(m_items->Get(i)), Handle());
        QObject::connect(button, &QRadioButton::clicked, [this, i] { UserPicked(i); });
        button->show();
        m_buttons.push_back(button);
    }
    if (m_itemIndex >= int(m_buttons.size()))
        m_itemIndex = -1;
    SetItemIndex(m_itemIndex);
    ArrangeButtons();
}

// Items fill the columns top to bottom, each column holding the same number of rows.
void TRadioGroup::ArrangeButtons()
{
    const int count = int(m_buttons.size());
    if (!count)
        return;
    const int columns = std::max(1, m_columns);
    const int rows = (count + columns - 1) / columns;
    const int top = 16;
    const int columnWidth = std::max(1, (Width() - 10) / columns);
    const int rowHeight = std::max(1, (Height() - top - 4) / rows);
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        m_buttons[std::size_t(i)]->setGeometry(8 + column * columnWidth, top + row * rowHeight, columnWidth - 4,
                                               std::min(rowHeight, 20));
    }
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= int(m_buttons.size()))
        index = -1;
    m_itemIndex = index;
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        auto* b = static_cast<QRadioButton*>(m_buttons[i]);
        b->setAutoExclusive(false);
        b->setChecked(int(i) == index);
        b->setAutoExclusive(true);
    }
}

void TRadioGroup::SetColumns(int value)
{
    m_columns = std::clamp(value, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::UserPicked(int index)
{
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    DispatchToControl([this] { Click(); });
}

void TRadioGroup::SimulateClick(int index)
{
    if (index >= 0 && index < int(m_buttons.size()))
        static_cast<QRadioButton*>(m_buttons[std::size_t(index)])->click();
}

void TRadioGroup::TextChanged() { static_cast<QGroupBox*>(Handle())->setTitle(ToQString(Caption())); }

void TRadioGroup::Resize()
{
    ArrangeButtons();
    TWinControl::Resize();
}

// ---------------------------------------------------------------------------------------
// TShape

class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(TShape* shape) : m_shape(shape) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_shape || WidgetsTearingDown())
            return;
        QPainter p(this);
        const TPen& pen = m_shape->m_pen;
        const TBrush& brush = m_shape->m_brush;
        if (pen.GetStyle() == psClear)
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(ToQColor(pen.GetColor()), std::max(1, pen.GetWidth())));
        if (brush.GetStyle() == bsClear)
            p.setBrush(Qt::NoBrush);
        else
            p.setBrush(ToQColor(brush.GetColor()));
        QRect r = rect().adjusted(0, 0, -1, -1);
        const TShapeType type = m_shape->m_shape;
        if (type == stSquare || type == stRoundSquare || type == stCircle) {
            const int side = std::min(r.width(), r.height());
            r = QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
        }
        switch (type) {
        case stEllipse:
        case stCircle: p.drawEllipse(r); break;
        case stRoundRect:
        case stRoundSquare: p.drawRoundedRect(r, r.width() / 4.0, r.height() / 4.0); break;
        default: p.drawRect(r); break;
        }
    }

private:
    TShape* m_shape;
};

TShape::TShape(TComponent* owner) : TControl(owner)
{
    m_brush.SetColor(clWhite);
    m_brush.OnChange = [this] { Invalidate(); };
    m_pen.OnChange = [this] { Invalidate(); };
    AttachWidget(new ShapeWidget(this));
}

void TShape::SetShape(TShapeType value)
{
    m_shape = value;
    Invalidate();
}

void TShape::SetBrush(TBrush* value)
{
    if (value)
        m_brush.Assign(*value);
}

void TShape::SetPen(TPen* value)
{
    if (value)
        m_pen.Assign(*value);
}

// ---------------------------------------------------------------------------------------
// TScrollBox

// The viewport of a hidden scroll area is laid out only when the area is shown, so the content
// is fitted again then and on every later change of size.
class ScrollBoxArea : public QScrollArea {
public:
    explicit ScrollBoxArea(TScrollBox* box) : m_box(box) {}

protected:
    void showEvent(QShowEvent* event) override
    {
        QScrollArea::showEvent(event);
        FitBox();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        FitBox();
    }

private:
    void FitBox()
    {
        if (m_box && !WidgetsTearingDown() && !m_box->IsDestroying())
            m_box->FitContent();
    }
    TScrollBox* m_box;
};

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner)
{
    auto* area = new ScrollBoxArea(this);
    m_content = new QWidget;
    area->setWidget(m_content);
    area->setWidgetResizable(false);
    AttachWidget(area, area->viewport());
}

QWidget* TScrollBox::ClientWidget() const { return m_content; }

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    static_cast<QScrollArea*>(Handle())->setFrameShape(value == bsNoBorder ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TScrollBox::InsertChildWidget(TControl* child)
{
    TWinControl::InsertChildWidget(child);
    FitContent();
}

void TScrollBox::Resize()
{
    FitContent();
    TWinControl::Resize();
}

// The scrolled area covers every child and at least the part a box without scroll bars shows.
void TScrollBox::FitContent()
{
    const QSize visible = static_cast<QScrollArea*>(Handle())->maximumViewportSize();
    int right = visible.width();
    int bottom = visible.height();
    for (int i = 0; i < ControlCount(); ++i) {
        const TRect r = Controls(i)->BoundsRect();
        right = std::max(right, r.Right);
        bottom = std::max(bottom, r.Bottom);
    }
    m_content->resize(right, bottom);
}

// ---------------------------------------------------------------------------------------
// Published properties

PRAVIX_PUBLISH_GROUPS(TPanel,
                      {Prop("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter),
                       Prop("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone),
                       Prop("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised),
                       Prop("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1)},
                      CaptionProps(), VisualProps(), TabProps(), {Field("OnResize", &TPanel::OnResize)},
                      MouseEventProps())

PRAVIX_PUBLISH_GROUPS(TRadioGroup, CaptionProps(),
                      {Prop("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns).Default(1),
                       Prop("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex).Default(-1),
                       Prop("Items", &TRadioGroup::Items, &TRadioGroup::SetItems).Owned()},
                      VisualProps(), TabProps(), {Field("OnClick", &TRadioGroup::OnClick)})

PRAVIX_PUBLISH_GROUPS(TShape, VisualProps(),
                      {Prop("Brush", &TShape::Brush, &TShape::SetBrush).Owned(),
                       Prop("Pen", &TShape::Pen, &TShape::SetPen).Owned(),
                       Prop("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle)},
                      MouseEventProps())

PRAVIX_PUBLISH_GROUPS(
    TScrollBox, VisualProps(),
    {Prop("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsSingleBorder),
     Field("OnResize", &TScrollBox::OnResize)},
    TabProps(), MouseEventProps())
