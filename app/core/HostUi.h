#pragma once
// What the host logic sets and reads on the main window and its small forms. Controls
// are addressed by their object names ("LBAVE", "PStore", "CBHostPort", "TSFLSetup",
// "Form2" ...); the window itself is "Form1". The main window implements this; tests
// use a fake that records every call.

#include <string>

#include "platform/core/Types.h"

class IHostUi {
public:
    virtual ~IHostUi() = default;

    // Label, panel, button and window captions; edit texts; menu item captions.
    virtual void SetText(const std::string& control, const std::string& text) = 0;
    virtual std::string GetText(const std::string& control) const = 0;
    // Controls, tab sheets ("TSPARSetup" ...) and forms ("Form2", "SelectHPForm", "PasswordForm").
    // Showing a form that is already shown brings it forward; forms are never modal.
    virtual void SetVisible(const std::string& control, bool visible) = 0;
    virtual void SetColor(const std::string& control, TColor color) = 0;
    // Combo boxes and radio groups; setting an index never fires the control's change event.
    virtual int GetItemIndex(const std::string& control) const = 0;
    virtual void SetItemIndex(const std::string& control, int index) = 0;
    // Menu item ticks and radio buttons.
    virtual bool GetChecked(const std::string& control) const = 0;
    virtual void SetChecked(const std::string& control, bool checked) = 0;
    // "PageControl1": the active page by index.
    virtual void SetActivePage(int index) = 0;
    // "Memo1", the raw-data pane.
    virtual int MemoLineCount() const = 0;
    virtual void MemoDeleteFirstLine() = 0;
    virtual void MemoAppendLine(const std::string& line) = 0;
    // "Timer55ms": the input timer's interval in milliseconds.
    virtual void SetTimerInterval(int milliseconds) = 0;
    // A serial-port failure: a message box captioned "Comm Error", no beep, not counted
    // among the warnings.
    virtual void ShowCommError(const std::string& text) = 0;
    // An exception caught at a handler's edge: the application's error box.
    virtual void ShowException(const std::string& message) = 0;
};
