#pragma once
// The host program without its windows: the state record, the three timer handlers that
// are the program's main loop, and the window-level logic (date labels, device layout,
// power-user mode, the memory-full form). The main window forwards its timer ticks here
// and calls the handlers of the other units with Context().

#include <string>

#include "app/core/HostContext.h"

class HostCore {
public:
    HostCore(IHostUi& ui, IHostPlot& plot, ISerialPort& port, IFileDialogs& dialogs);
    HostCore(const HostCore&) = delete;
    HostCore& operator=(const HostCore&) = delete;

    HostState& State() { return state_; }
    HostContext& Context() { return ctx_; }
    WarningQueue& Warnings() { return warnings_; }
    const WarningQueue& Warnings() const { return warnings_; }

    void Timer55msTimer();
    void Timer500msTimer();
    void Timer1SecondTimer();
    // The input timer's interval in milliseconds: 55, or 220 while a file is replayed.
    int Timer55msInterval() const;

    void FormActivate();
    void PowerUserPanelClick();
    void BTPasswordOKClick();
    void Form2Button1Click();
    // File > Exit: saves the state; the window then ends the program with exit code 0.
    void BTExitClick();

    // The date and time labels from MeterDate/MeterTime and HostClock.
    void ShowDateTimeTexts();

private:
    void FirstTick55();
    void ShowMeterSetup();
    void ShowRangeTexts();

    HostState state_;
    WarningQueue warnings_;
    HostContext ctx_;
};

extern const char* const kPowerUserPassword;
