#pragma once
// Which pages and plot choices of the main window a loaded device file makes visible.

struct HostContext;

void ApplyDeviceLayout(HostContext& ctx);
