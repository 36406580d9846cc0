#pragma once
// Device files (*.dev): the sensor name, the expected field count, the quantity and
// calibration of every column, and the sensor's parameters; and the plot colours of the
// scattering channels by wavelength.

#include <cstdio>
#include <string>

#include "platform/core/Types.h"

struct HostContext;

// Reads an open device file into the column model. The model is only replaced when the
// whole file is valid; a failure leaves no device file loaded.
bool ParseDeviceFile(HostContext& ctx, std::FILE* file);
// "Load Device File" and the "Select Device File" panel.
void LoadDeviceFileClick(HostContext& ctx);
TColor WavelengthToColor(int wavelength);
