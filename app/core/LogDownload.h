#pragma once
// Download of the meter's internal log: everything the meter sends after "$get" goes to a
// file, up to the read that holds the end mark "etx" or until the line stays silent.

struct HostContext;

constexpr int kLogChunk = 499;
constexpr int kSilenceTicks = 60;

void BTGetDataClick(HostContext& ctx);
void ReceiveLogChunk(HostContext& ctx);
void CheckReceiveSilence(HostContext& ctx);
void BitBtnCancelClick(HostContext& ctx);
