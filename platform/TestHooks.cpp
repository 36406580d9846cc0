#include "platform/TestHooks.h"

#include "platform/Modal_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>

namespace {
TestHooks::TModalScript* g_script = nullptr;
int g_beeps = 0;
}

void CountBeep()
{
    ++g_beeps;
}

namespace TestHooks {

TModalScript::TModalScript()
{
    g_script = this;
}

TModalScript::~TModalScript()
{
    if (g_script == this)
        g_script = nullptr;
}

TModalScript* TModalScript::Active()
{
    return g_script;
}

int BeepCount()
{
    return g_beeps;
}

void ResetBeepCount()
{
    g_beeps = 0;
}

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

} // namespace TestHooks
