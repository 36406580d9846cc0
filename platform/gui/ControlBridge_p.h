#pragma once
// Internal to the platform layer: how Qt events reach the controls.

#include "platform/canvas/VisualLayer.h"
#include "platform/gui/Application.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class TControl;
class TCustomControl;
class TWinControl;

// Filters the events of a control's widget and turns them into the control's handlers.
class ControlBridge : public QObject {
public:
    ControlBridge(TControl* control, QWidget* widget, QWidget* inputWidget);
    // The control is going away: events are no longer passed on.
    void Detach() { m_control = nullptr; }
    TControl* Control() const { return m_control; }

    static TControl* ControlOf(const QWidget* widget);
    // Where the control's mouse input arrives: its widget, or the viewport of a scrolling one.
    static QWidget* InputWidgetOf(const TControl& control);
    static void Paint(TCustomControl& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseEvent(QWidget* source, QEvent* event);
    bool KeyEvent(QEvent* event);
    bool FocusEvent(QEvent* event);
    void GeometryEvent();
    void PopupAt(QPoint screen);

    TControl* m_control;
    QPointer<QWidget> m_widget;
    QPointer<QWidget> m_inputWidget;
};

// True while a widget tree is being torn down: no event is passed on then.
bool WidgetsTearingDown();

// Runs a control's handler for a Qt signal or event, inside the exception boundary, unless
// widgets are being torn down.
template <class Fn>
void DispatchToControl(Fn&& fn)
{
    if (!WidgetsTearingDown())
        CallGuarded(fn);
}

// An input event travels from a widget to its parents when not accepted; only the first
// control on its way sees it. The application marks each event as it enters.
bool& InputEventClaimed();
