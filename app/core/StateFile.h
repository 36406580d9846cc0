#pragma once
// "last.rbs": the port, rate, view options and device file of the last run, written by
// File > Exit and restored one second after the next start.

#include <string>

struct HostContext;

extern const char* const kStateFile;  // "last.rbs"

// Saves the state and the plot's settings when a port item is chosen and a device file
// is loaded. The caller then ends the program.
void SaveStateOnExit(HostContext& ctx);
void RestoreState(HostContext& ctx);
