#pragma once
// The application object: the Qt application behind the scenes, the message loop and the
// exception boundary. Exceptions never cross the event loop: every event, timer, paint and
// posted call of the platform runs through CallGuarded, which shows the message in the
// application's error box and lets the loop go on.

#include "platform/canvas/VisualLayer.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the Qt application once (later calls do nothing) and resets the C numeric
    // locale to "C" afterwards, so printf-style formatting always writes ".".
    void Initialize(int& argc, char** argv);
    void Initialize();
    bool IsInitialized() const;

    // Shows the main form, runs the message loop until Terminate (closing the main form
    // terminates), then frees the forms made by CreateForm.
    void Run();
    void Terminate();
    bool Terminated() const;
    // Handles the events waiting now, then returns.
    void ProcessMessages();

    const std::string& Title() const;
    void SetTitle(const std::string& title);

    // The first form created through CreateForm; closing it ends Run.
    TForm* MainForm() const;
    void SetMainForm(TForm* form);
    // Platform-internal: a form goes away (released or freed by its owner).
    void ForgetForm(TForm* form);
    // Builds a form that lives until Run returns; the first one becomes the main form.
    template <class F>
    void CreateForm(F*& reference)
    {
        reference = new F(nullptr);
        AdoptForm(reference);
    }
    // Keeps a form made elsewhere until Run returns, without making it the main form (a tool
    // window the program opens on demand). Freeing it earlier is fine.
    void KeepForm(TForm* form);
    // The error box: caption = Title, the message unchanged, one OK button. While one error
    // box is open, further errors are written to standard error instead of stacking boxes
    // (a failing timer would otherwise open a box on every tick).
    void ShowException(const std::string& message);
    void HandleException(std::exception_ptr error);
    int DroppedErrorCount() const;

private:
    void AdoptForm(TForm* form);
    void DestroyForms();
    struct Private;
    std::unique_ptr<Private> d;
};

extern TApplication* const Application;

// Runs fn inside the exception boundary; false when it raised.
template <class Fn>
bool CallGuarded(Fn&& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        Application->HandleException(std::current_exception());
        return false;
    }
}

// Runs fn later on the GUI thread (inside the exception boundary), in posting order. Safe
// to call from any thread once the application is initialised.
void PostToGui(std::function<void()> fn);
bool IsGuiThread();
