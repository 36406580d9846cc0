#pragma once
// A shown editor form for the toolkit's tests. Its UserChange and the events the tests wire
// to it write one letter each into Log, so a test reads what fired, and in which order, from
// one string: "U" for the form's UserChange, the letters of the events as each test names them.

#include "editors/iEditorBasicComponents.h"
#include "platform/gui/TestHooks.h"

#include <string>

class TEditorTestForm : public TiCustomEditorForm {
public:
    TEditorTestForm() : TiCustomEditorForm(nullptr)
    {
        SetName("EditorTestForm");
        SetBounds(0, 0, 400, 300);
    }

    void UserChange() override { Log += "U"; }

    // A handler that writes the letter into the log.
    TNotifyEvent Logs(const char* letter)
    {
        return [this, letter](TObject*) { Log += letter; };
    }

    // Makes a control of the form, placed and parented.
    template <class T>
    T* Add(const std::string& name, int left, int top, int width, int height)
    {
        T* control = new T(this);
        control->SetName(name);
        control->SetParent(this);
        control->SetBounds(left, top, width, height);
        return control;
    }

    // Shows the form and gives the control the keyboard.
    void ShowWithFocus(TWinControl& control)
    {
        Show();
        TestHooks::PumpUntil([this] { return Showing(); }, 2000);
        control.SetFocus();
        TestHooks::PumpUntil([&] { return control.Focused(); }, 2000);
    }

    std::string Log;
};
