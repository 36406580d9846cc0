#pragma once
// Everything the host logic works on: the state record and the narrow interfaces to the
// window, the plot, the serial port, the dialogs and the warnings. Time comes from the platform clock.

#include <string>

#include "app/core/FileDialogs.h"
#include "app/core/HostPlot.h"
#include "app/core/HostState.h"
#include "app/core/HostUi.h"
#include "app/core/WarningQueue.h"
#include "platform/core/SerialPort.h"

struct HostContext {
    HostState& s;
    IHostUi& ui;
    IHostPlot& plot;
    ISerialPort& port;
    IFileDialogs& dialogs;
    WarningQueue& warnings;

    void ShowWarning(const std::string& caption, const std::string& text) { warnings.Post(caption, text); }
};
