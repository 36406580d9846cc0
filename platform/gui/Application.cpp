#include "platform/gui/Application.h"

#include "platform/canvas/QtBridge_p.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Scoped.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Modal_p.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

#include <clocale>
#include <cstdio>
#include <vector>

namespace {

// The last line of defence: an exception escaping an event handler that the platform did
// not guard itself is shown here instead of unwinding through Qt.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        bool result = false;
        // Each event starts unclaimed by any control; nested events keep their own mark.
        bool& claimed = InputEventClaimed();
        const bool outer = claimed;
        claimed = false;
        CallGuarded([&] { result = QApplication::notify(receiver, event); });
        claimed = outer;
        return result;
    }
};

std::string MessageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

}  // namespace

bool& InputEventClaimed()
{
    static bool claimed = false;
    return claimed;
}

struct TApplication::Private {
    // Qt keeps references to argc and argv for the application's lifetime.
    int argc = 1;
    char programName[16] = "pravix";
    char* argv[2] = {programName, nullptr};
    // Never deleted: Qt's own globals may already be gone when static objects are destroyed.
    QApplication* app = nullptr;
    std::string title;
    bool terminated = false;
    bool errorBoxOpen = false;
    int droppedErrors = 0;
    TForm* mainForm = nullptr;
    std::vector<TForm*> forms;
};

static TApplication g_application;
TApplication* const Application = &g_application;

TApplication::TApplication() : d(std::make_unique<Private>()) {}

TApplication::~TApplication() = default;

void TApplication::Initialize(int& argc, char** argv)
{
    if (d->app)
        return;
    if (QCoreApplication::instance()) {
        // Someone made the Qt application already; widgets need it to be a QApplication.
        d->app = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (!d->app)
            throw Exception("The Qt application was created without widget support");
        return;
    }
    if (argc > 0 && argv && argv[0])
        d->title = QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString();
    d->app = new GuardedApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
}

void TApplication::Initialize() { Initialize(d->argc, d->argv); }

bool TApplication::IsInitialized() const { return d->app != nullptr; }

void TApplication::Run()
{
    if (d->app && !d->terminated) {
        if (d->mainForm)
            CallGuarded([this] { d->mainForm->Show(); });
        if (!d->terminated)
            QApplication::exec();
    }
    DestroyForms();
}

void TApplication::AdoptForm(TForm* form)
{
    d->forms.push_back(form);
    if (!d->mainForm)
        d->mainForm = form;
}

void TApplication::KeepForm(TForm* form) { d->forms.push_back(form); }

void TApplication::ForgetForm(TForm* form)
{
    std::erase(d->forms, form);
    if (d->mainForm == form)
        d->mainForm = nullptr;
}

void TApplication::DestroyForms()
{
    while (!d->forms.empty()) {
        TForm* form = d->forms.back();
        d->forms.pop_back();
        delete form;
    }
}

void TApplication::Terminate()
{
    d->terminated = true;
    if (d->app)
        QApplication::exit(0);
}

bool TApplication::Terminated() const { return d->terminated; }

void TApplication::ProcessMessages()
{
    if (d->app)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

const std::string& TApplication::Title() const { return d->title; }

void TApplication::SetTitle(const std::string& title) { d->title = title; }

TForm* TApplication::MainForm() const { return d->mainForm; }

void TApplication::SetMainForm(TForm* form) { d->mainForm = form; }

void TApplication::ShowException(const std::string& message)
{
    if (d->errorBoxOpen) {
        ++d->droppedErrors;
        std::fprintf(stderr, "%s: %s\n", d->title.c_str(), message.c_str());
        return;
    }
    TScopedFlag boxOpen(d->errorBoxOpen);
    ShowErrorBox(d->title, message);
}

void TApplication::HandleException(std::exception_ptr error)
{
    // Showing the box must not raise again; anything failing here goes to standard error.
    try {
        ShowException(MessageOf(error));
    } catch (...) {
        std::fprintf(stderr, "%s: %s\n", d->title.c_str(), MessageOf(error).c_str());
    }
}

int TApplication::DroppedErrorCount() const { return d->droppedErrors; }

void PostToGui(std::function<void()> fn)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app, [fn = std::move(fn)] { CallGuarded(fn); }, Qt::QueuedConnection);
}

bool IsGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}
