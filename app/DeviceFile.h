#pragma once
// Device files (*.dev): the sensor name, the expected field count, the quantity and
// calibration of every column, and the sensor's parameters. Also the small PAR device
// file the program writes itself and the wavelength colours of the scattering channels.

#include <cstdio>
#include <string>

#include "platform/Types.h"

struct HostContext;

// Reads an open device file into the column model. The model is only replaced when the
// whole file is valid; a failure leaves no device file loaded.
bool ParseDeviceFile(HostContext& ctx, std::FILE* file);
// "Load Device File" and the "Select Device File" panel.
void LoadDeviceFileClick(HostContext& ctx);
void BPAR_ApplyClick(HostContext& ctx);
void BPar_DeviceClick(HostContext& ctx);
TColor WavelengthToColor(int wavelength);
// The shortest general text of a value ("0.1", "1E-6"), always with ".".
std::string ShortFloatText(double value);
