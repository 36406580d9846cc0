#include "app/core/LogDownload.h"

#include <cctype>

#include "app/core/CFormat.h"
#include "app/core/HostContext.h"
#include "app/core/InputPath.h"
#include "app/core/MeterCommands.h"
#include "app/core/SerialLink.h"

namespace {

bool WindowIsEtx(const std::array<char, 3>& w)
{
    return std::tolower(static_cast<unsigned char>(w[0])) == 'e' &&
           std::tolower(static_cast<unsigned char>(w[1])) == 't' &&
           std::tolower(static_cast<unsigned char>(w[2])) == 'x';
}

void EndDownload(HostState& s, TReceiveState status)
{
    if (s.ReceiveStatus != ReceiveState::Cancelled)
        s.ReceiveStatus = status;
    s.Receiving = false;
    s.ReceiveFile.reset();
}

}  // namespace

void BTGetDataClick(HostContext& ctx)
{
    HostState& s = ctx.s;
    auto path = ctx.dialogs.SaveFile(
        {"Retrieve Meter's Internal Data", "raw", "Raw Files (*.raw)|*.raw|All Files (*.*)|*.*", false});
    if (!path)
        return;
    s.ReceiveFile.reset();
    s.Receiving = false;
    s.ReceiveFile.reset(std::fopen(path->c_str(), "wb"));
    if (!s.ReceiveFile) {
        ctx.ShowWarning("Unable to open file.", "Error opening fille");
        return;
    }
    s.Receiving = true;
    s.ReceiveStatus = ReceiveState::InProgress;
    s.ReceiveFileSize = 0;
    s.EtxWindow = {'x', 'x', 'x'};  // a mark half-seen in an earlier download must not end this one
    ctx.ui.SetText("LBReceiveFile", CFormat("Receive File:  %s", path->c_str()));
    ctx.ui.SetText("LBReceiveStatus", "Receive File Status:  In Progress");
    ctx.ui.SetText("LBReceiveFileSize", "Receive File Size: 0 K");
    SendCommand(ctx, "$get");
    s.SilenceCountdown = kSilenceTicks;
    s.TotalBytesRead = 0;
}

void ReceiveLogChunk(HostContext& ctx)
{
    HostState& s = ctx.s;
    char chunk[kLogChunk];
    std::size_t n = ReadComm(ctx, chunk, sizeof chunk);
    if (n == 0)
        return;
    std::string_view bytes(chunk, n);
    s.TotalBytesRead += long(n);
    ShowRawInMemo(ctx, bytes);
    s.SilenceCountdown = kSilenceTicks;
    if (s.ReceiveFile)
        s.ReceiveFileSize += long(std::fwrite(chunk, 1, n, s.ReceiveFile.get()));
    for (char c : bytes) {
        s.EtxWindow = {s.EtxWindow[1], s.EtxWindow[2], c};
        if (WindowIsEtx(s.EtxWindow)) {
            EndDownload(s, ReceiveState::Complete);
            s.SilenceCountdown = 0;
            break;
        }
    }
}

void CheckReceiveSilence(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (s.SilenceCountdown > 0)
        --s.SilenceCountdown;
    else if (s.Receiving)
        EndDownload(s, ReceiveState::Incomplete);
}

void BitBtnCancelClick(HostContext& ctx)
{
    ctx.s.ReceiveStatus = ReceiveState::Cancelled;
    BTStopClick(ctx);
}
