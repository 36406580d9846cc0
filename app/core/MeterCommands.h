#pragma once
// The meter's command set: the set-up buttons and menu items of the main window, each
// sending its command byte for byte.

struct HostContext;

void BTStartClick(HostContext& ctx);
void BTStopClick(HostContext& ctx);
void BTStoreSetupClick(HostContext& ctx);
void BTGetSetupClick(HostContext& ctx);
void BTGetDandTClick(HostContext& ctx);
void BTGetDandT2Click(HostContext& ctx);  // the same; no control is bound to it
void BTLoggingClick(HostContext& ctx);
void BTAverageClick(HostContext& ctx);
void BTPacketClick(HostContext& ctx);
void BTSampleClick(HostContext& ctx);
void BTIntervalClick(HostContext& ctx);
void BTEraseClick(HostContext& ctx);
void BTSetDandTPCClick(HostContext& ctx);
void BTSetTimeClick(HostContext& ctx);
void BTSetDandTClick(HostContext& ctx);
void BTOpenClick(HostContext& ctx);
void BTCloseClick(HostContext& ctx);
void BTReloadClick(HostContext& ctx);
void BTAnalogRangeClick(HostContext& ctx);
void BTflscaleClick(HostContext& ctx);
void BTfloffsetClick(HostContext& ctx);
void BTCalClick(HostContext& ctx);
void BTSendTextClick(HostContext& ctx);
void EditSendTextKeyDown(HostContext& ctx, int key);
void EarlyCommandsClick(HostContext& ctx);
void CBAnalogRangeChange(HostContext& ctx);
void CBAnalogRange4Change(HostContext& ctx);
