#pragma once
// The main window: built from its form description, it is the host core's window (every
// control the core addresses by name, the three small forms included), its file dialogs
// and its clock-driven main loop (the three timers). Warnings the core queues are shown
// after the current handler returns: a beep, then a modal box.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/core/FileDialogs.h"
#include "app/core/HostUi.h"
#include "platform/gui/Forms.h"

class HostCore;
class ISerialPort;
class HostPlotControl;
class TComponent;
class TMemo;
class TPageControl;
class TTimer;

class TForm1 : public TForm, public IHostUi, public IFileDialogs {
    PRAVIX_CLASS(TForm1, TForm)
public:
    // On the real serial port.
    explicit TForm1(TComponent* owner);
    TForm1(TComponent* owner, std::unique_ptr<ISerialPort> port);
    ~TForm1() override;

    HostCore& Core() { return *core_; }

    // File > Exit ends the process through this (std::exit by default); tests replace it.
    std::function<void(int)> ExitProgram;

    // IHostUi
    void SetText(const std::string& control, const std::string& text) override;
    std::string GetText(const std::string& control) const override;
    void SetVisible(const std::string& control, bool visible) override;
    void SetColor(const std::string& control, TColor color) override;
    int GetItemIndex(const std::string& control) const override;
    void SetItemIndex(const std::string& control, int index) override;
    bool GetChecked(const std::string& control) const override;
    void SetChecked(const std::string& control, bool checked) override;
    void SetActivePage(int index) override;
    int MemoLineCount() const override;
    void MemoDeleteFirstLine() override;
    void MemoAppendLine(const std::string& line) override;
    void SetTimerInterval(int milliseconds) override;
    void ShowCommError(const std::string& text) override;
    void ShowException(const std::string& message) override;

    // IFileDialogs
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

    // The window's own text, colour and visibility, beside the by-name overloads above.
    using TForm::SetColor;
    using TForm::SetText;
    using TForm::SetVisible;

private:
    void BindHandlers();
    void ExitClick();
    void ShowNextWarning();
    // The component of that name on this window or on one of the small forms; raises when
    // there is none (a misspelt name is a programming error, never silently ignored).
    TComponent* Named(const std::string& name) const;
    template <class T>
    T* NamedAs(const std::string& name) const;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save);

    std::unique_ptr<ISerialPort> port_;
    std::unique_ptr<HostPlotControl> plot_;
    std::unique_ptr<HostCore> core_;
    TMemo* memo_ = nullptr;
    TPageControl* pages_ = nullptr;
    TTimer* timer55_ = nullptr;
    // Posted warning and error boxes check it, so none runs after the window has gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The program's main window, set once built and cleared when freed; the small forms reach
// the host core through it.
extern TForm1* Form1;
