#pragma once
// One input step: bytes from the port (or one replayed line) go to the raw record, the
// raw-data pane and the line builder; each complete line is a data line or a meter reply.

#include <string_view>

struct HostContext;

constexpr int kReadChunk = 100;  // bytes per port read
constexpr int kMaxBytesPerTick = 1000;
constexpr int kMaxLineLength = 250;   // characters before a line is restarted
constexpr int kMemoLineLength = 120;  // characters before a pane line wraps
constexpr int kMemoMaxLines = 100;    // lines kept before the first is dropped (101 shown)

void PollInput(HostContext& ctx);
void ShowRawInMemo(HostContext& ctx, std::string_view bytes);
// Builds lines of the bytes and dispatches each complete one; the plot titles are current after.
void AssembleLines(HostContext& ctx, std::string_view bytes);
void UpdateSampleRate(HostContext& ctx);
// Dispatches an unterminated line as if its LF had arrived (end of a replayed file); its plot
// titles are refreshed at the end of the input step.
void DispatchPendingLine(HostContext& ctx);
