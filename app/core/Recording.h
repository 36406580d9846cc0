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
// Pushes what the input step wrote to the record files onto the disk, so a crash or a power
// cut loses at most the step under way. A record file that cannot be written (a full disk, a
// device gone) ends its recording with a warning; the other recording goes on.
void FlushRecordFiles(HostContext& ctx);

std::string EngrHeaderLine(const HostState& s);
void AppendEngrDataRow(std::string& row, const HostState& s);
