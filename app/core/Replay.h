#pragma once
// Replay of a recorded raw file through the live input path, one line per tick.

#include <string>

struct HostContext;

constexpr int kReplayLineLength = 98;
constexpr int kReplayInterval = 220;
constexpr int kLiveInterval = 55;

void ReplayRawFileClick(HostContext& ctx);
void RealTimeDataClick(HostContext& ctx);
// The next line (line end included, at most 98 bytes); empty at the end of the file,
// where the replay pauses and rewinds.
std::string ReadReplayLine(HostContext& ctx);
