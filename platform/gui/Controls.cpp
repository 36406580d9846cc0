#include "platform/gui/Controls.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/core/MathSupport.h"
#include "platform/core/Scoped.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "platform/gui/Menus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

int g_teardown = 0;
TControl* g_capture = nullptr;

// The self-drawn widget: opaque, nothing erased, hover moves delivered; it paints through
// the control that made it.
class CustomWidget : public QWidget {
public:
    CustomWidget(std::function<void()> paint, Qt::FocusPolicy focus) : m_paint(std::move(paint))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setAutoFillBackground(false);
        setMouseTracking(true);
        setFocusPolicy(focus);
    }

    void Detach() { m_paint = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_paint && !WidgetsTearingDown())
            m_paint();
    }

private:
    std::function<void()> m_paint;
};

// Runs a control's Paint on a canvas over its widget. A failing paint shows its message in
// place of the control, and in the error box once until a paint succeeds again (a box on
// every repaint would never let the user go on).
void PaintThroughCanvas(QWidget* w, TCanvas*& canvasSlot, std::string& lastError, const std::function<void()>& paint)
{
    QPainter painter(w);
    std::string error;
    try {
        std::unique_ptr<TCanvas> canvas = CreatePainterCanvas(painter);
        TScopedValue<TCanvas*> painting(canvasSlot, canvas.get());
        paint();
    } catch (const std::exception& e) {
        error = e.what();
    } catch (...) {
        error = "Unknown exception";
    }
    if (error.empty()) {
        lastError.clear();
        return;
    }
    painter.fillRect(w->rect(), Qt::black);
    painter.setPen(Qt::white);
    painter.drawText(w->rect(), Qt::AlignCenter | Qt::TextWordWrap, ToQString(error));
    if (error != lastError) {
        lastError = error;
        PostToGui([error] { Application->ShowException(error); });
    }
}

}  // namespace

bool WidgetsTearingDown() { return g_teardown > 0; }

// ---------------------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::SetMaxHeight(int value)
{
    m_maxHeight = std::max(0, value);
    Changed();
}
void TSizeConstraints::SetMaxWidth(int value)
{
    m_maxWidth = std::max(0, value);
    Changed();
}
void TSizeConstraints::SetMinHeight(int value)
{
    m_minHeight = std::max(0, value);
    Changed();
}
void TSizeConstraints::SetMinWidth(int value)
{
    m_minWidth = std::max(0, value);
    Changed();
}

void TSizeConstraints::Assign(const TPersistent& source)
{
    if (auto* s = dynamic_cast<const TSizeConstraints*>(&source)) {
        m_maxHeight = s->m_maxHeight;
        m_maxWidth = s->m_maxWidth;
        m_minHeight = s->m_minHeight;
        m_minWidth = s->m_minWidth;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::Changed()
{
    if (OnChange)
        OnChange();
}

PRAVIX_PUBLISH(TSizeConstraints,
               Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0),
               Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0),
               Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0),
               Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0))

// ---------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner), d(std::make_unique<Private>())
{
    d->constraints.OnChange = [this] { ApplyConstraints(); };
    d->font.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    if (g_capture == this)
        g_capture = nullptr;
    if (d->bridge)
        d->bridge->Detach();
    if (d->parent) {
        if (d->widget)
            d->parent->RemoveChildWidget(this);
        d->parent->RemoveControl(this);
    }
    if (d->popupMenu)
        d->popupMenu->RemoveFreeNotification(this);
    TScopedIncrement teardown(g_teardown);
    delete d->widget.data();
}

QWidget* TControl::Handle() const { return d->widget; }

void TControl::AttachWidget(QWidget* widget, QWidget* inputWidget)
{
    d->widget = widget;
    widget->setObjectName(QString::fromStdString(Name()));
    widget->setMouseTracking(true);
    d->bridge = std::make_unique<ControlBridge>(this, widget, inputWidget ? inputWidget : widget);
    if (!Parent() && !dynamic_cast<TForm*>(this)) {
        widget->hide();
        // Qt posts each new widget a request to polish itself, and every widget that goes
        // with a posted event searches the thread's whole queue. A hidden control without a
        // parent is polished when it is shown; without its request the queue stays short
        // while a program makes thousands of such controls (a plot's channels each hold one)
        // before its event loop turns.
        QCoreApplication::removePostedEvents(widget, QEvent::PolishRequest);
    }
    ApplyGeometry();
    widget->setEnabled(d->enabled);
    FontChanged();
    TextChanged();
    ColorChanged();
}

int TControl::Left() const { return d->bounds.Left; }
int TControl::Top() const { return d->bounds.Top; }
int TControl::Width() const { return d->bounds.Width(); }
int TControl::Height() const { return d->bounds.Height(); }
void TControl::SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
void TControl::SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
void TControl::SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
void TControl::SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }

void TControl::SetBounds(int left, int top, int width, int height)
{
    const TSizeConstraints& c = d->constraints;
    if (c.MinWidth())
        width = std::max(width, c.MinWidth());
    if (c.MaxWidth())
        width = std::min(width, c.MaxWidth());
    if (c.MinHeight())
        height = std::max(height, c.MinHeight());
    if (c.MaxHeight())
        height = std::min(height, c.MaxHeight());
    width = std::clamp(width, 0, kMaxControlExtent);
    height = std::clamp(height, 0, kMaxControlExtent);
    left = std::clamp(left, -kMaxControlPosition, kMaxControlPosition);
    top = std::clamp(top, -kMaxControlPosition, kMaxControlPosition);
    const TRect bounds{left, top, left + width, top + height};
    if (bounds == d->bounds)
        return;
    const bool resized = bounds.Width() != d->bounds.Width() || bounds.Height() != d->bounds.Height();
    d->bounds = bounds;
    ApplyGeometry();
    if (!IsLoading() && !(d->parent && d->parent->Aligning()))
        UpdateAnchorRules();
    if (auto* self = dynamic_cast<TWinControl*>(this); self && resized && !IsLoading())
        self->Realign();
    if (d->parent && d->align != alNone && !IsLoading())
        d->parent->Realign();
    if (resized && !IsLoading())
        Resize();
}

void TControl::UpdateAnchorRules()
{
    const TAnchors& a = d->anchors;
    // A parent without a size yet gives no distances to keep.
    d->anchored =
        d->parent && a != TAnchors{akLeft, akTop} && d->parent->ClientWidth() > 0 && d->parent->ClientHeight() > 0;
    if (!d->anchored)
        return;
    auto rule = [](bool nearEdge, bool farEdge, int position, int size) {
        if (farEdge)
            return nearEdge ? size : position;
        return position + size / 2;
    };
    d->anchorRules = {rule(a.contains(akLeft), a.contains(akRight), Left(), Width()),
                      rule(a.contains(akTop), a.contains(akBottom), Top(), Height())};
    d->originalParentSize = {d->parent->ClientWidth(), d->parent->ClientHeight()};
}

// Per direction: anchored to both edges the control keeps both distances (it stretches),
// to the far edge only it keeps that distance, to neither it keeps its centre at the same
// fraction of the parent.
void TControl::ApplyAnchors(int parentWidth, int parentHeight)
{
    if (!d->anchored)
        return;
    const TAnchors& a = d->anchors;
    auto place = [](bool nearEdge, bool farEdge, int rule, int original, int parent, int& position, int& size) {
        if (farEdge) {
            if (nearEdge)
                size = parent - (original - rule);
            else
                position = parent - (original - rule);
        } else if (!nearEdge) {
            position = int(RoundHalfEven(double(rule) * parent / original)) - size / 2;
        }
    };
    int left = Left(), top = Top(), width = Width(), height = Height();
    place(a.contains(akLeft), a.contains(akRight), d->anchorRules.X, d->originalParentSize.X, parentWidth, left, width);
    place(a.contains(akTop), a.contains(akBottom), d->anchorRules.Y, d->originalParentSize.Y, parentHeight, top,
          height);
    SetBounds(left, top, width, height);
}

void TControl::ApplyGeometry()
{
    if (!d->widget)
        return;
    if (d->widget->isWindow()) {
        d->widget->resize(Width(), Height());
        d->widget->move(Left(), Top());
    } else {
        d->widget->setGeometry(Left(), Top(), Width(), Height());
    }
}

void TControl::ApplyConstraints()
{
    if (d->widget) {
        const TSizeConstraints& c = d->constraints;
        d->widget->setMinimumSize(c.MinWidth(), c.MinHeight());
        d->widget->setMaximumSize(c.MaxWidth() ? c.MaxWidth() : QWIDGETSIZE_MAX,
                                  c.MaxHeight() ? c.MaxHeight() : QWIDGETSIZE_MAX);
    }
    SetBounds(Left(), Top(), Width(), Height());
}

TRect TControl::BoundsRect() const { return d->bounds; }
int TControl::ClientWidth() const { return Width(); }
int TControl::ClientHeight() const { return Height(); }
void TControl::SetClientWidth(int value) { SetWidth(value); }
void TControl::SetClientHeight(int value) { SetHeight(value); }
TRect TControl::ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

TWinControl* TControl::Parent() const { return d->parent; }

void TControl::SetParent(TWinControl* parent)
{
    if (parent == d->parent)
        return;
    if (d->parent) {
        if (d->widget)
            d->parent->RemoveChildWidget(this);
        d->parent->RemoveControl(this);
    }
    d->parent = parent;
    if (parent) {
        parent->InsertControl(this);
        if (d->widget)
            parent->InsertChildWidget(this);
    }
    if (!IsLoading())
        UpdateAnchorRules();
    if (parent && d->align != alNone)
        parent->Realign();
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* control = dynamic_cast<TWinControl*>(parent))
        SetParent(control);
}

TComponent* TControl::GetParentComponent() const { return d->parent; }

TForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c) {
        if (auto* form = dynamic_cast<const TForm*>(c))
            return const_cast<TForm*>(form);
        c = c->Parent();
    }
    return nullptr;
}

bool TControl::Visible() const { return d->visible; }

void TControl::SetVisible(bool visible)
{
    if (visible == d->visible)
        return;
    d->visible = visible;
    if (d->widget && (d->parent || d->widget->isWindow()))
        d->widget->setVisible(visible);
    if (d->parent && d->align != alNone)
        d->parent->Realign();
}

bool TControl::Showing() const { return d->widget && d->widget->isVisible(); }

bool TControl::Enabled() const { return d->enabled; }

void TControl::SetEnabled(bool enabled)
{
    if (enabled == d->enabled)
        return;
    d->enabled = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged()
{
    if (d->widget)
        d->widget->setEnabled(d->enabled);
}

TAlign TControl::Align() const { return d->align; }

void TControl::SetAlign(TAlign align)
{
    if (align == d->align)
        return;
    d->align = align;
    if (d->parent && !IsLoading())
        d->parent->Realign();
}

TAnchors TControl::Anchors() const { return d->anchors; }
void TControl::SetAnchors(const TAnchors& anchors)
{
    d->anchors = anchors;
    if (!IsLoading())
        UpdateAnchorRules();
}
TSizeConstraints* TControl::Constraints() const { return &d->constraints; }

void TControl::SetConstraints(TSizeConstraints* value)
{
    if (value)
        d->constraints.Assign(*value);
}

TCursor TControl::Cursor() const { return d->cursor; }

void TControl::SetCursor(TCursor cursor)
{
    d->cursor = cursor;
    if (!d->widget)
        return;
    if (cursor == crDefault)
        d->widget->unsetCursor();
    else
        d->widget->setCursor(CursorShapeFor(cursor));
}

std::string TControl::Hint() const { return d->hint; }

void TControl::SetHint(const std::string& hint)
{
    d->hint = hint;
    if (d->widget)
        d->widget->setToolTip(d->showHint ? ToQString(hint) : QString());
}

bool TControl::ShowHint() const { return d->showHint; }

void TControl::SetShowHint(bool show)
{
    d->showHint = show;
    SetHint(d->hint);
}

TColor TControl::Color() const { return d->color; }

void TControl::SetColor(TColor color)
{
    if (color == d->color)
        return;
    d->color = color;
    ColorChanged();
    Invalidate();
}

void TControl::ColorChanged() {}

TPopupMenu* TControl::PopupMenu() const { return d->popupMenu; }

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (d->popupMenu)
        d->popupMenu->RemoveFreeNotification(this);
    d->popupMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

TFont* TControl::Font() const { return &d->font; }

void TControl::SetFont(TFont* font)
{
    if (font)
        d->font.Assign(*font);
}

void TControl::FontChanged()
{
    if (!d->widget)
        return;
    d->widget->setFont(MakeQFont(d->font.Data()));
    QPalette palette = d->widget->palette();
    const QColor text = ToQColor(d->font.GetColor());
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    d->widget->setPalette(palette);
    Invalidate();
}

std::string TControl::Caption() const { return d->caption; }

void TControl::SetCaption(const std::string& caption)
{
    if (caption == Caption())
        return;
    d->caption = caption;
    TextChanged();
}

void TControl::TextChanged() {}

void TControl::Invalidate()
{
    ++d->repaintRequests;
    if (d->widget)
        d->widget->update();
}

void TControl::Repaint()
{
    ++d->repaintRequests;
    if (d->widget)
        d->widget->repaint();
}

void TControl::Update()
{
    if (d->widget && d->widget->isVisible())
        d->widget->repaint();
}

void TControl::BringToFront()
{
    if (d->widget)
        d->widget->raise();
}

void TControl::SendToBack()
{
    if (d->widget)
        d->widget->lower();
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    if (!d->widget)
        return p;
    const QPoint q = d->widget->mapToGlobal(QPoint(p.X, p.Y));
    return {q.x(), q.y()};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    if (!d->widget)
        return p;
    const QPoint q = d->widget->mapFromGlobal(QPoint(p.X, p.Y));
    return {q.x(), q.y()};
}

void TControl::SetCapture()
{
    if (g_capture == this)
        return;
    TControl* previous = g_capture;
    g_capture = this;
    if (d->widget)
        d->widget->grabMouse();
    if (previous)
        DispatchToControl([&] { previous->CaptureChanged(this); });
}

void TControl::ReleaseCapture()
{
    if (g_capture != this)
        return;
    g_capture = nullptr;
    if (d->widget)
        d->widget->releaseMouse();
    DispatchToControl([&] { CaptureChanged(nullptr); });
}

bool TControl::GetCapture() const { return g_capture == this; }
TControl* TControl::CaptureControl() { return g_capture; }

int TControl::RepaintRequestCount() const { return d->repaintRequests; }

void TControl::Click() { OnClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }

void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }
void TControl::DblClick() { OnDblClick(this); }
void TControl::Resize() { OnResize(this); }
void TControl::CaptureChanged(TControl*) {}

void TControl::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == d->popupMenu)
        d->popupMenu = nullptr;
    TComponent::Notification(component, operation);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    // The parent has its stored size now: the place read is what the anchors keep.
    UpdateAnchorRules();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        self->Realign();
}

// ---------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // The children outlive this part of the object; they must not call back.
    for (TControl* child : m_controls)
        child->d->parent = nullptr;
    m_controls.clear();
}

int TWinControl::ControlCount() const { return int(m_controls.size()); }

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        RaiseListIndexError(index);
    return m_controls[std::size_t(index)];
}

void TWinControl::InsertControl(TControl* control) { m_controls.push_back(control); }

void TWinControl::RemoveControl(TControl* control) { std::erase(m_controls, control); }

QWidget* TWinControl::ClientWidget() const { return Handle(); }

void TWinControl::InsertChildWidget(TControl* child)
{
    QWidget* w = child->Handle();
    w->setParent(ClientWidget());
    child->ApplyGeometry();
    w->setVisible(child->Visible());
}

void TWinControl::RemoveChildWidget(TControl* child)
{
    child->Handle()->hide();
    child->Handle()->setParent(nullptr);
}

bool TWinControl::TabStop() const { return m_tabStop; }

void TWinControl::SetTabStop(bool value)
{
    m_tabStop = value;
    if (QWidget* w = Handle())
        w->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

int TWinControl::TabOrder() const { return m_tabOrder; }
void TWinControl::SetTabOrder(int value) { m_tabOrder = value; }

bool TWinControl::Focused() const
{
    QWidget* w = Handle();
    return w && w->hasFocus();
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled())
            return false;
    }
    return Handle() != nullptr;
}

void TWinControl::SetFocus()
{
    QWidget* w = Handle();
    if (!w)
        return;
    if (QWidget* window = w->window(); window && window->isVisible())
        window->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
}

void TWinControl::KeyDown(int& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(int& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }
void TWinControl::DoEnter(TWinControl*) { OnEnter(this); }
void TWinControl::DoExit(TWinControl*) { OnExit(this); }

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    bool handled = false;
    OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

bool TWinControl::WantsKey(int) const { return false; }

// Lays out the aligned children the way the desktop does: top, bottom, left, right, then
// client, each taking its share of what is left, in creation order. Children without an
// alignment follow their anchors in the whole client, hidden ones too, so that they show in
// their place when they appear.
void TWinControl::Realign()
{
    TScopedIncrement aligning(m_aligning);
    TRect rest = ClientRect();
    auto place = [&](TAlign which) {
        for (TControl* c : m_controls) {
            if (c->Align() != which || !c->Visible())
                continue;
            switch (which) {
            case alTop:
                c->SetBounds(rest.Left, rest.Top, rest.Width(), c->Height());
                rest.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(rest.Left, rest.Bottom - c->Height(), rest.Width(), c->Height());
                rest.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(rest.Left, rest.Top, c->Width(), rest.Height());
                rest.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(rest.Right - c->Width(), rest.Top, c->Width(), rest.Height());
                rest.Right -= c->Width();
                break;
            case alClient: c->SetBounds(rest.Left, rest.Top, rest.Width(), rest.Height()); break;
            default: break;
            }
        }
    };
    for (TAlign which : {alTop, alBottom, alLeft, alRight, alClient})
        place(which);
    for (TControl* c : m_controls) {
        if (c->Align() == alNone)
            c->ApplyAnchors(ClientWidth(), ClientHeight());
    }
}

// ---------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    AttachWidget(new CustomWidget([this] { ControlBridge::Paint(*this); }, Qt::StrongFocus));
    SetTabStop(true);
}

TCustomControl::~TCustomControl()
{
    if (auto* w = static_cast<CustomWidget*>(Handle()))
        w->Detach();
}

TCanvas* TCustomControl::Canvas() const { return m_canvas; }

void TCustomControl::Paint() {}

bool TCustomControl::WantsKey(int) const { return m_wantAllKeys; }

void TCustomControl::PaintEvent()
{
    PaintThroughCanvas(Handle(), m_canvas, m_lastPaintError, [this] { Paint(); });
}

// ---------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner)
{
    AttachWidget(new CustomWidget([this] { PaintEvent(); }, Qt::NoFocus));
}

TGraphicControl::~TGraphicControl()
{
    if (auto* w = static_cast<CustomWidget*>(Handle()))
        w->Detach();
}

void TGraphicControl::Paint()
{
    m_canvas->Brush().SetColor(Color());
    m_canvas->FillRect(ClientRect());
}

void TGraphicControl::PaintEvent()
{
    PaintThroughCanvas(Handle(), m_canvas, m_lastPaintError, [this] { Paint(); });
}

bool GrabParentBeneath(const TControl& control, TBitmap& picture)
{
    QWidget* own = control.Handle();
    QWidget* parent = own->parentWidget();
    QImage& image = BitmapAccess::Image(picture);
    image = QImage(std::max(control.Width(), 1), std::max(control.Height(), 1), QImage::Format_RGB32);
    image.fill(ToQColor(control.Parent() ? control.Parent()->Color() : control.Color()));
    picture.SetTransparent(false);
    if (!parent || !parent->isVisible())
        return false;
    parent->render(&image, QPoint(0, 0), QRegion(own->geometry()), QWidget::DrawWindowBackground);
    return true;
}

PRAVIX_PUBLISH(TControl, Prop("Left", &TControl::Left, &TControl::SetLeft),
               Prop("Top", &TControl::Top, &TControl::SetTop), Prop("Width", &TControl::Width, &TControl::SetWidth),
               Prop("Height", &TControl::Height, &TControl::SetHeight),
               Prop("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault),
               Prop("Hint", &TControl::Hint, &TControl::SetHint),
               Prop("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).Default(0))

PRAVIX_PUBLISH(TWinControl)
PRAVIX_PUBLISH(TCustomControl)
PRAVIX_PUBLISH(TGraphicControl)
