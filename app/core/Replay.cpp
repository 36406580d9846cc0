#include "app/core/Replay.h"

#include "app/core/HostContext.h"
#include "app/core/InputPath.h"

void ReplayRawFileClick(HostContext& ctx)
{
    HostState& s = ctx.s;
    auto path = ctx.dialogs.OpenFile({"Open Replay File", "raw", "Raw Files (*.raw)|*.raw|All Files (*.*)|*.*", false});
    if (!path)
        return;
    s.ReplayPath = *path;
    s.ReplayFile.reset();
    // Binary: replayed lines keep their CR, so a re-recording is byte-identical.
    s.ReplayFile.reset(std::fopen(path->c_str(), "rb"));
    if (!s.ReplayFile)
        return;
    s.ReplayRunning = false;
    s.ReplayMode = true;
    ctx.ui.SetChecked("RealTimeData", false);
    ctx.ui.SetChecked("ReplayRawFile", true);
    ctx.ui.SetText("BTStopData", "Stop Replay");
    ctx.ui.SetText("BTStartData", "Start Replay");
    ctx.ui.SetTimerInterval(kReplayInterval);
}

void RealTimeDataClick(HostContext& ctx)
{
    HostState& s = ctx.s;
    s.ReplayRunning = false;
    s.ReplayMode = false;
    s.ReplayFile.reset();
    ctx.ui.SetChecked("RealTimeData", true);
    ctx.ui.SetChecked("ReplayRawFile", false);
    ctx.ui.SetText("BTStopData", "Stop Data");
    ctx.ui.SetText("BTStartData", "Start Data");
    ctx.ui.SetTimerInterval(kLiveInterval);
}

std::string ReadReplayLine(HostContext& ctx)
{
    HostState& s = ctx.s;
    std::FILE* f = s.ReplayFile.get();
    if (!f)
        return {};
    if (std::feof(f)) {
        // A last line without line end is still a line.
        if (s.LineLength > 0)
            DispatchPendingLine(ctx);
        s.ReplayRunning = false;
        std::rewind(f);
        return {};
    }
    std::string line;
    int c;
    while (line.size() < size_t(kReplayLineLength) && (c = std::getc(f)) != EOF) {
        line += char(c);
        if (c == '\n')
            break;
    }
    return line;
}
