#pragma once
// The meter's replies: the parser that keeps the host's copy of the meter's set-up, and the
// set-up state panel.

#include <string>

struct HostContext;

// 1: "Setup is Current" (panel hidden); anything else: "Setup Not Stored".
void ShowSetupState(HostContext& ctx, int state);
void ParseMeterReply(HostContext& ctx, const std::string& line);
// Reads the host's local time (the platform clock) into HostClock.
void ReadHostClock(HostContext& ctx);
// The meter's two-digit year: calendar year minus 1900, minus a further 100 when above 99.
int TwoDigitYear(int calendarYear);
