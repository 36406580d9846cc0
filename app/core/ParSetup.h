#pragma once
// The PAR page: applying edited calibration coefficients and writing a three-column PAR
// device file from them.

struct HostContext;

void BPAR_ApplyClick(HostContext& ctx);
void BPar_DeviceClick(HostContext& ctx);
