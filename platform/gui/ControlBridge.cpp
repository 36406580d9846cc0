#include "platform/gui/ControlBridge_p.h"

#include "platform/canvas/QtBridge_p.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

const char* const kControlProperty = "pravixControl";

TMouseButton ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

// The 8-bit character a key event types; 0 when it types none.
char TypedChar(const QKeyEvent& e)
{
    const QString text = e.text();
    if (text.size() != 1)
        return 0;
    const std::string bytes = FromQString(text);
    return bytes.empty() ? 0 : bytes[0];
}

}  // namespace

ControlBridge::ControlBridge(TControl* control, QWidget* widget, QWidget* inputWidget)
    : m_control(control), m_widget(widget), m_inputWidget(inputWidget)
{
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(control)));
    widget->installEventFilter(this);
    // A widget whose focus goes to a part of it (a page control's tab bar) hears its keys and
    // focus changes through that part.
    if (QWidget* proxy = widget->focusProxy(); proxy && proxy != inputWidget)
        proxy->installEventFilter(this);
    if (inputWidget != widget) {
        inputWidget->installEventFilter(this);
        inputWidget->setMouseTracking(true);
    }
}

TControl* ControlBridge::ControlOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant v = widget->property(kControlProperty);
        if (v.isValid())
            return static_cast<TControl*>(v.value<void*>());
    }
    return nullptr;
}

QWidget* ControlBridge::InputWidgetOf(const TControl& control)
{
    const ControlBridge* bridge = control.d->bridge.get();
    return bridge && bridge->m_inputWidget ? bridge->m_inputWidget.data() : control.Handle();
}

void ControlBridge::Paint(TCustomControl& control) { control.PaintEvent(); }

bool ControlBridge::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_control || WidgetsTearingDown() || m_control->IsDestroying())
        return false;
    auto* source = static_cast<QWidget*>(watched);
    bool consumed = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        if (source == m_inputWidget || source == m_widget)
            consumed = MouseEvent(source, event);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (source == m_widget || source == m_widget->focusProxy())
            consumed = KeyEvent(event);
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (source == m_widget || source == m_widget->focusProxy())
            FocusEvent(event);
        break;
    case QEvent::Resize:
    case QEvent::Move:
        if (source == m_widget)
            GeometryEvent();
        break;
    case QEvent::ContextMenu:
        // A right click pops the menu up on its release (see MouseEvent); the keyboard's
        // menu key does it here.
        if (TPopupMenu* menu = m_control->PopupMenu(); menu && menu->AutoPopup()) {
            auto* e = static_cast<QContextMenuEvent*>(event);
            if (e->reason() != QContextMenuEvent::Mouse)
                PopupAt(e->globalPos());
            consumed = true;
        }
        break;
    default: break;
    }
    return consumed;
}

bool ControlBridge::MouseEvent(QWidget* source, QEvent* event)
{
    bool& claimed = InputEventClaimed();
    if (claimed)
        return false;
    claimed = true;
    TControl* c = m_control;
    auto* custom = dynamic_cast<TCustomControl*>(c);
    if (event->type() == QEvent::Wheel) {
        auto* e = static_cast<QWheelEvent*>(event);
        auto* win = dynamic_cast<TWinControl*>(c);
        if (!win)
            return false;
        const QPoint p = source->mapTo(m_widget, e->position().toPoint());
        const int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
        const TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
        bool handled = false;
        DispatchToControl([&] { handled = win->DoMouseWheel(shift, delta, {p.x(), p.y()}); });
        if (!handled)
            claimed = false;  // the parent may take it
        return handled;
    }
    auto* e = static_cast<QMouseEvent*>(event);
    const QPoint p = source->mapTo(m_widget, e->position().toPoint());
    TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons() | e->button());
    const TMouseButton button = ButtonOf(e->button());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (custom && button == mbLeft)
            c->SetCapture();
        c->d->pressed = button == mbLeft;
        DispatchToControl([&] { c->MouseDown(button, shift, p.x(), p.y()); });
        break;
    case QEvent::MouseButtonDblClick:
        // The double click comes first, then the second press.
        if (custom && button == mbLeft)
            c->SetCapture();
        shift.insert(ssDouble);
        DispatchToControl([&] {
            c->DblClick();
            c->MouseDown(button, shift, p.x(), p.y());
        });
        break;
    case QEvent::MouseButtonRelease: {
        shift = ShiftStateFromQt(e->modifiers(), e->buttons());
        const bool click =
            c->d->pressed && button == mbLeft && c->ClickOnMouseUp() && PtInRect(c->ClientRect(), {p.x(), p.y()});
        if (button == mbLeft)
            c->d->pressed = false;
        DispatchToControl([&] {
            if (click)
                c->Click();
            c->MouseUp(button, shift, p.x(), p.y());
        });
        if (button == mbLeft && e->buttons() == Qt::NoButton && c->GetCapture())
            c->ReleaseCapture();
        if (button == mbRight && c->PopupMenu() && c->PopupMenu()->AutoPopup())
            PopupAt(source->mapToGlobal(e->position().toPoint()));
        break;
    }
    default:
        DispatchToControl([&] { c->MouseMove(ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y()); });
        break;
    }
    return false;
}

void ControlBridge::PopupAt(QPoint screen)
{
    TControl* c = m_control;
    TPopupMenu* menu = c->PopupMenu();
    DispatchToControl([&] {
        menu->SetPopupComponent(c);
        menu->Popup(screen.x(), screen.y());
    });
}

bool ControlBridge::KeyEvent(QEvent* event)
{
    bool& claimed = InputEventClaimed();
    if (claimed)
        return false;
    claimed = true;
    auto* win = dynamic_cast<TWinControl*>(m_control);
    if (!win)
        return false;
    auto* e = static_cast<QKeyEvent*>(event);
    int key = VirtualKeyFromQt(e->key(), e->modifiers());
    const TShiftState shift = ShiftStateFromQt(e->modifiers());
    TForm* parentForm = win->ParentForm();
    const bool preview = parentForm && parentForm != win && parentForm->KeyPreview();
    TWinControl* form = parentForm;
    bool consumed = false;
    if (event->type() == QEvent::KeyRelease) {
        DispatchToControl([&] {
            if (preview)
                form->KeyUp(key, shift);
            if (key)
                win->KeyUp(key, shift);
        });
        return key == 0;
    }
    const int original = key;
    DispatchToControl([&] {
        if (preview)
            form->KeyDown(key, shift);
        if (key)
            win->KeyDown(key, shift);
    });
    consumed = key == 0;
    char ch = TypedChar(*e);
    if (ch) {
        DispatchToControl([&] {
            if (preview)
                form->KeyPress(ch);
            if (ch)
                win->KeyPress(ch);
        });
        consumed = consumed || ch == 0;
    }
    // A self-drawn control that wants the key keeps it: no focus traversal, no default or
    // cancel button.
    if (!consumed && dynamic_cast<TCustomControl*>(win) && win->WantsKey(original))
        consumed = true;
    return consumed;
}

bool ControlBridge::FocusEvent(QEvent* event)
{
    auto* win = dynamic_cast<TWinControl*>(m_control);
    auto* e = static_cast<QFocusEvent*>(event);
    if (!win || e->reason() == Qt::PopupFocusReason)
        return false;
    if (event->type() == QEvent::FocusIn) {
        DispatchToControl([&] { win->DoEnter(nullptr); });
    } else {
        auto* to = dynamic_cast<TWinControl*>(ControlOf(QApplication::focusWidget()));
        DispatchToControl([&] { win->DoExit(to); });
    }
    return false;
}

// Qt moved or resized the widget itself (the user resized a window, a page widget follows
// its page control): the control takes the new bounds.
void ControlBridge::GeometryEvent()
{
    TControl* c = m_control;
    const QRect g = m_widget->isWindow() ? QRect(m_widget->pos(), m_widget->size()) : m_widget->geometry();
    const TRect bounds{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    if (bounds == c->d->bounds)
        return;
    const bool resized = bounds.Width() != c->d->bounds.Width() || bounds.Height() != c->d->bounds.Height();
    c->d->bounds = bounds;
    if (!resized)
        return;
    DispatchToControl([&] {
        if (auto* win = dynamic_cast<TWinControl*>(c))
            win->Realign();
        c->Resize();
    });
}
