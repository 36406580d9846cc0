#include "app/core/InputPath.h"

#include <algorithm>
#include <string>

#include "app/core/CFormat.h"
#include "app/core/DataLine.h"
#include "app/core/DeviceLayout.h"
#include "app/core/EngineeringUnits.h"
#include "app/core/HostContext.h"
#include "app/core/MeterProtocol.h"
#include "app/core/PlotFeed.h"
#include "app/core/Recording.h"
#include "app/core/Replay.h"
#include "app/core/SerialLink.h"

namespace {

// A byte the runs of BuildLines stop at: a line end, a carriage return, a NUL, or a character
// beyond the line's room, which restarts the line.
void TakeByte(HostContext& ctx, char c)
{
    HostState& s = ctx.s;
    if (c == '\n') {
        DispatchPendingLine(ctx);
    } else if (c != '\r') {
        if (++s.LineLength > kMaxLineLength) {
            s.LineBuffer.clear();
            s.LineLength = 0;
            if (!s.OverflowWarned) {
                s.OverflowWarned = true;
                ctx.ShowWarning("Input Buffer Overflow", "Check Baud Rate");
            }
        }
        if (c != '\0')
            s.LineBuffer += c;
    }
}

// Builds and dispatches the lines; their plot titles are left for the step's end. Plain
// characters go into the line a run at a time, as far as its room allows.
void BuildLines(HostContext& ctx, std::string_view bytes)
{
    HostState& s = ctx.s;
    if (bytes.empty())
        return;
    s.TotalBytesRead += long(bytes.size());
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    while (at < end) {
        const std::ptrdiff_t room = std::max(0, kMaxLineLength - s.LineLength);
        const char* const limit = at + std::min(end - at, room);
        const char* stop = at;
        while (stop < limit && *stop != '\n' && *stop != '\r' && *stop != '\0')
            ++stop;
        s.LineBuffer.append(at, stop);
        s.LineLength += int(stop - at);
        if (stop < end)
            TakeByte(ctx, *stop++);
        at = stop;
    }
}

void ProcessChunk(HostContext& ctx, std::string_view bytes)
{
    WriteRawRecord(ctx, bytes);
    ShowRawInMemo(ctx, bytes);
    BuildLines(ctx, bytes);
}

void AddPaneLine(HostContext& ctx)
{
    if (ctx.ui.MemoLineCount() > kMemoMaxLines)
        ctx.ui.MemoDeleteFirstLine();
    ctx.ui.MemoAppendLine(ctx.s.MemoLine);
    ctx.s.MemoLine.clear();
}

void DispatchLine(HostContext& ctx, const std::string& line)
{
    if (ParseDataLine(ctx, line)) {
        ctx.s.DateLabelsDirty = true;
        UpdateSampleRate(ctx);
        ApplyReferenceCorrection(ctx.s);
        ComputeEngineeringUnits(ctx.s, ctx.ui.GetChecked("R_PARWater"));
        FeedPlot(ctx, kMaxColumns, ctx.s.PlotType);
        WriteEngrRecord(ctx);
    } else {
        ParseMeterReply(ctx, line);
    }
}

// One line of the replay file per step, while the replay runs.
void PollReplay(HostContext& ctx)
{
    if (!ctx.s.ReplayRunning)
        return;
    std::string line = ReadReplayLine(ctx);
    if (line.empty())
        ctx.ui.SetText("BTStartData", "Start Replay");
    else
        ProcessChunk(ctx, line);
}

// Several reads per step, so a saturated line at 38400 baud never overruns the port.
void PollPort(HostContext& ctx)
{
    int taken = 0;
    while (taken < kMaxBytesPerTick) {
        char chunk[kReadChunk];
        std::size_t n = ReadComm(ctx, chunk, std::size_t(std::min(kReadChunk, kMaxBytesPerTick - taken)));
        if (n == 0)
            break;
        taken += int(n);
        ProcessChunk(ctx, std::string_view(chunk, n));
    }
}

}  // namespace

void PollInput(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (s.PlotSetupPending) {
        s.PlotSetupPending = false;
        ApplyDeviceLayout(ctx);
        BuildPlotChannels(ctx);
    }
    if (s.ReplayMode)
        PollReplay(ctx);
    else
        PollPort(ctx);
    RefreshPlotTitles(ctx);
    FlushRecordFiles(ctx);
}

void ShowRawInMemo(HostContext& ctx, std::string_view bytes)
{
    HostState& s = ctx.s;
    for (char c : bytes) {
        if (c == '\n')
            continue;
        if (c == '\r') {
            AddPaneLine(ctx);
            s.MemoLineLength = 0;
            continue;
        }
        if (c != '\0')
            s.MemoLine += c;
        if (++s.MemoLineLength > kMemoLineLength) {
            AddPaneLine(ctx);
            s.MemoLineLength = 0;
        }
    }
}

void AssembleLines(HostContext& ctx, std::string_view bytes)
{
    BuildLines(ctx, bytes);
    RefreshPlotTitles(ctx);
}

void DispatchPendingLine(HostContext& ctx)
{
    HostState& s = ctx.s;
    s.LineLength = 0;
    std::string line;
    line.swap(s.LineBuffer);
    DispatchLine(ctx, line);
    // The next line is assembled in this one's storage rather than grown afresh.
    if (s.LineBuffer.empty()) {
        line.clear();
        s.LineBuffer.swap(line);
    }
    s.OverflowWarned = false;
}

void UpdateSampleRate(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (s.RateLineCount < 0) {
        s.RateWindow = 5;
        s.TickCount = 1;
        s.RateTickMark = 1;
    }
    if (++s.RateLineCount < s.RateWindow)
        return;
    int ticks = s.TickCount - s.RateTickMark;
    s.RateTickMark = s.TickCount;
    float period = float(ticks * 0.055 / s.RateWindow);
    float rate = period > 0.005f ? 1.0f / period : 0.01f;
    s.RateWindow = rate > 5.5f ? 10 : std::max(5, int(10 * rate));
    s.RateLineCount = 0;
    std::string text = s.ReplayMode ? "Replay" : QuickFormat("Sample Rate: %4.2f Hz", double(rate));
    ctx.ui.SetText("LBHz1", text);
    ctx.ui.SetText("LBHz2", text);
}
