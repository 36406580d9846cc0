#pragma once
// Everything the host logic works on: the state record and the narrow interfaces to the
// window, the plot, the serial port, the dialogs, the warnings and the clock.

#include <string>

#include "app/FileDialogs.h"
#include "app/HostClock.h"
#include "app/HostPlot.h"
#include "app/HostState.h"
#include "app/HostUi.h"
#include "app/WarningQueue.h"
#include "platform/SerialPort.h"

struct HostContext {
    HostState& s;
    IHostUi& ui;
    IHostPlot& plot;
    ISerialPort& port;
    IFileDialogs& dialogs;
    const IHostClock& clock;
    WarningQueue& warnings;

    void ShowWarning(const std::string& caption, const std::string& text) { warnings.Post(caption, text); }
};
