#include "platform/gui/TestHooks.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/QtBridge_p.h"
#include "platform/canvas/QtCanvas_p.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Modal_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>

#include <QThread>
#include <QWheelEvent>
#include <set>

namespace {

TestHooks::TModalScript* g_script = nullptr;
int g_beeps = 0;

int QtKeyFromVirtual(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return vk;
    if (vk >= 112 && vk <= 135)
        return Qt::Key_F1 + (vk - 112);
    static const std::pair<int, int> keys[] = {
        {8, Qt::Key_Backspace}, {9, Qt::Key_Tab},       {13, Qt::Key_Return}, {16, Qt::Key_Shift},
        {17, Qt::Key_Control},  {18, Qt::Key_Alt},      {27, Qt::Key_Escape}, {32, Qt::Key_Space},
        {33, Qt::Key_PageUp},   {34, Qt::Key_PageDown}, {35, Qt::Key_End},    {36, Qt::Key_Home},
        {37, Qt::Key_Left},     {38, Qt::Key_Up},       {39, Qt::Key_Right},  {40, Qt::Key_Down},
        {45, Qt::Key_Insert},   {46, Qt::Key_Delete},   {93, Qt::Key_Menu},
    };
    for (auto [v, q] : keys) {
        if (v == vk)
            return q;
    }
    return Qt::Key_unknown;
}

Qt::KeyboardModifiers Modifiers(const TShiftState& shift)
{
    Qt::KeyboardModifiers m;
    if (shift.count(ssShift))
        m |= Qt::ShiftModifier;
    if (shift.count(ssCtrl))
        m |= Qt::ControlModifier;
    if (shift.count(ssAlt))
        m |= Qt::AltModifier;
    return m;
}

Qt::MouseButton QtButton(TMouseButton b)
{
    return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

void SendMouse(TControl& control, QEvent::Type type, TMouseButton button, int x, int y, const TShiftState& shift,
               Qt::MouseButtons held)
{
    // A scrolling control (list, memo, tree) takes its mouse in its viewport, as it does from
    // the window system; the coordinates stay the control's.
    QWidget* w = control.Handle();
    QWidget* input = ControlBridge::InputWidgetOf(control);
    const QPointF local = input->mapFrom(w, QPointF(x, y));
    QMouseEvent e(type, local, input->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : QtButton(button),
                  held, Modifiers(shift));
    QCoreApplication::sendEvent(input, &e);
}

}  // namespace

void CountBeep() { ++g_beeps; }

namespace TestHooks {

TModalScript::TModalScript() { g_script = this; }

TModalScript::~TModalScript()
{
    if (g_script == this)
        g_script = nullptr;
}

TModalScript* TModalScript::Active() { return g_script; }

namespace {
TUrlOpenerScript* g_urlScript = nullptr;
}  // namespace

TUrlOpenerScript::TUrlOpenerScript() { g_urlScript = this; }

TUrlOpenerScript::~TUrlOpenerScript()
{
    if (g_urlScript == this)
        g_urlScript = nullptr;
}

TUrlOpenerScript* TUrlOpenerScript::Active() { return g_urlScript; }

int BeepCount() { return g_beeps; }

void ResetBeepCount() { g_beeps = 0; }

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void PumpFor(int milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

namespace {

void SendKeyEvent(QEvent::Type type, TWinControl& control, int virtualKey, TShiftState shift, const std::string& typed)
{
    QString text = ToQString(typed);
    if (text.isEmpty()) {
        if (virtualKey == 13)
            text = QStringLiteral("\r");
        else if (virtualKey == 27)
            text = QString(QChar(27));
        else if (virtualKey == 9)
            text = QStringLiteral("\t");
        else if (virtualKey == 8)
            text = QStringLiteral("\b");
    }
    QKeyEvent event(type, QtKeyFromVirtual(virtualKey), Modifiers(shift), text);
    // Keys arrive where the control's focus goes (a page control's tab bar).
    QWidget* target = control.Handle();
    if (QWidget* proxy = target->focusProxy())
        target = proxy;
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

void SendKeyDown(TWinControl& control, int virtualKey, TShiftState shift, const std::string& typed)
{
    SendKeyEvent(QEvent::KeyPress, control, virtualKey, shift, typed);
}

void SendKeyUp(TWinControl& control, int virtualKey, TShiftState shift, const std::string& typed)
{
    SendKeyEvent(QEvent::KeyRelease, control, virtualKey, shift, typed);
}

void SendKey(TWinControl& control, int virtualKey, TShiftState shift, const std::string& typed)
{
    SendKeyDown(control, virtualKey, shift, typed);
    SendKeyUp(control, virtualKey, shift, typed);
}

void SendMouseDown(TControl& control, TMouseButton button, int x, int y, TShiftState shift)
{
    SendMouse(control, QEvent::MouseButtonPress, button, x, y, shift, QtButton(button));
}

void SendMouseUp(TControl& control, TMouseButton button, int x, int y, TShiftState shift)
{
    SendMouse(control, QEvent::MouseButtonRelease, button, x, y, shift, Qt::NoButton);
}

void SendClick(TControl& control, int x, int y, TMouseButton button)
{
    SendMouseDown(control, button, x, y);
    SendMouseUp(control, button, x, y);
}

void SendDoubleClick(TControl& control, int x, int y)
{
    SendClick(control, x, y);
    SendMouse(control, QEvent::MouseButtonDblClick, mbLeft, x, y, {}, Qt::LeftButton);
    SendMouseUp(control, mbLeft, x, y);
}

void SendMouseMove(TControl& control, int x, int y, TShiftState shift)
{
    Qt::MouseButtons held;
    if (shift.count(ssLeft))
        held |= Qt::LeftButton;
    if (shift.count(ssRight))
        held |= Qt::RightButton;
    if (shift.count(ssMiddle))
        held |= Qt::MiddleButton;
    SendMouse(control, QEvent::MouseMove, mbLeft, x, y, shift, held);
}

void SendWheel(TControl& control, int delta, int x, int y, TShiftState shift)
{
    QWidget* w = control.Handle();
    const QPointF local(x, y);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Modifiers(shift),
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void SendFocus(TWinControl& control, bool in)
{
    QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(control.Handle(), &e);
}

TWindowImage GrabWindow(TForm& form, const std::string& pngPath)
{
    TWindowImage result;
    QWidget* w = form.Handle();
    if (!w->isVisible() || !w->windowHandle() || !w->windowHandle()->isExposed())
        return result;
    QPixmap pixmap = w->screen()->grabWindow(w->winId());
    if (pixmap.isNull())
        pixmap = w->grab();
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    result.Exposed = !image.isNull();
    result.Width = image.width();
    result.Height = image.height();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 1000; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        colours.insert(line, line + image.width());
    }
    result.DistinctColours = int(std::min<std::size_t>(colours.size(), 1000));
    if (!pngPath.empty())
        image.save(PathToQString(pngPath), "PNG");
    return result;
}

void GrabControl(TControl& control, TBitmap& bitmap)
{
    BitmapAccess::Image(bitmap) = control.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    bitmap.SetTransparent(false);
}

bool GrabActiveModal(const std::string& pngPath)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return false;
    QPixmap pixmap;
    if (modal->windowHandle() && modal->windowHandle()->isExposed())
        pixmap = modal->screen()->grabWindow(modal->winId());
    if (pixmap.isNull())
        pixmap = modal->grab();
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32).save(PathToQString(pngPath), "PNG");
}

int PreferredWidth(TControl& control)
{
    // A page control's whole content is the row of all its tabs.
    if (auto* tabs = qobject_cast<QTabWidget*>(control.Handle()))
        return std::max(tabs->sizeHint().width(), tabs->tabBar()->sizeHint().width());
    return control.Handle()->sizeHint().width();
}

TRect ContentsRect(TControl& control)
{
    const QRect r = control.Handle()->contentsRect();
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

bool CloseActiveModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QAbstractButton* button = box->escapeButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().front();
        if (button) {
            button->click();
            return true;
        }
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
        return true;
    }
    return modal->close();
}

}  // namespace TestHooks
