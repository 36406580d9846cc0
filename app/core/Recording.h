#pragma once
// The raw record (every received byte, unchanged) and the engineering record (one
// TAB-separated row of converted values per data line).

#include <string>
#include <string_view>

struct HostContext;
struct HostState;

void BTRecordRawClick(HostContext& ctx);
void WriteRawRecord(HostContext& ctx, std::string_view bytes);
void BTStopRecordClick(HostContext& ctx);
void BTRecordEngrClick(HostContext& ctx);
void WriteEngrRecord(HostContext& ctx);

std::string EngrHeaderLine(const HostState& s);
std::string EngrDataRow(const HostState& s);
