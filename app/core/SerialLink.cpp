#include "app/core/SerialLink.h"

#include "app/core/CFormat.h"
#include "app/core/HostContext.h"

namespace {
constexpr int kRates[] = {4800, 9600, 19200, 38400};
}

void SetBaudIndex(HostContext& ctx, int rate)
{
    for (int i = 0; i < 4; ++i)
        if (kRates[i] == rate)
            ctx.s.BaudIndex = i;
}

void OpenCommPort(HostContext& ctx, int portNumber)
{
    const int index = ctx.s.BaudIndex;
    const int rate = index >= 0 && index < 4 ? kRates[index] : 19200;
    // A port that refuses the rate is no more usable than one that would not open.
    if (!ctx.port.Open(ComPortPath(portNumber)) || !ctx.port.Configure(rate)) {
        if (ctx.port.IsOpen())
            ctx.port.Close();
        ctx.s.PortNumber = 0;
        ctx.ui.ShowCommError(CFormat("Could Not Open COM%1d", portNumber));
        return;
    }
    ctx.s.PortNumber = portNumber;
}

void CloseCommPort(HostContext& ctx)
{
    // No close call at all when nothing is open.
    if (ctx.port.IsOpen() && !ctx.port.Close() && ctx.s.PortNumber != 0)
        ctx.ui.ShowCommError("Could Not Close Comm  Port");
    ctx.s.PortNumber = 0;
}

void WriteComm(HostContext& ctx, std::string_view bytes)
{
    for (char c : bytes)
        ctx.port.WriteByte(static_cast<unsigned char>(c));
}

namespace {

// The meter went away under an open port. The port is closed and the data stopped, once, with
// one message; the rate measurement starts afresh and "Start Data" opens the port again.
void PortHungUp(HostContext& ctx)
{
    const int portNumber = ctx.s.PortNumber;
    ctx.port.Close();
    ctx.s.PortNumber = 0;
    ctx.s.PortHungUp = true;
    ctx.s.RateLineCount = -1;
    ctx.ui.SetText("LBHz1", "Sample Rate:");
    ctx.ui.SetText("LBHz2", "Sample Rate:");
    ctx.ui.ShowCommError(CFormat("COM%1d Was Disconnected - Data Stopped.\nConnect the meter again, then press "
                                 "Start Data.",
                                 portNumber));
}

}  // namespace

std::size_t ReadComm(HostContext& ctx, char* buffer, std::size_t count)
{
    if (!ctx.port.IsOpen())
        return 0;
    const std::size_t n = ctx.port.Read(buffer, count);
    if (n == 0 && ctx.port.LineLost())
        PortHungUp(ctx);
    return n;
}

bool ReopenHungUpPort(HostContext& ctx)
{
    if (!ctx.s.PortHungUp)
        return true;
    if (ctx.s.PortIndex < 1 || ctx.s.PortIndex > 12)
        return false;
    OpenCommPort(ctx, ctx.s.PortIndex);
    if (ctx.s.PortNumber == 0)
        return false;
    ctx.s.PortHungUp = false;
    ctx.s.SetupRequestCountdown = 10;
    return true;
}

void SendCommand(HostContext& ctx, std::string_view text)
{
    WriteComm(ctx, text);
    WriteComm(ctx, "\r\n");
}

void CBHostPortChange(HostContext& ctx)
{
    CloseCommPort(ctx);
    ctx.s.PortHungUp = false;
    int rateIndex = ctx.ui.GetItemIndex("CBBaudRate");
    if (rateIndex < 0 || rateIndex > 3) {
        ctx.ui.SetItemIndex("CBBaudRate", 2);
        rateIndex = 2;
    }
    SetBaudIndex(ctx, kRates[rateIndex]);
    int portIndex = ctx.ui.GetItemIndex("CBHostPort");
    if (portIndex == 0) {
        ctx.ui.SetVisible("PCOMPort", true);
    } else if (portIndex >= 1 && portIndex <= 12) {
        OpenCommPort(ctx, portIndex);
        ctx.ui.SetVisible("PCOMPort", false);
    }
    ctx.s.PortIndex = portIndex;
    ctx.s.SetupRequestCountdown = 10;
}

void PCOMPortClick(HostContext& ctx) { ctx.ui.SetVisible("SelectHPForm", true); }

void SelectHPFormBTOKClick(HostContext& ctx)
{
    ctx.ui.SetItemIndex("CBHostPort", ctx.ui.GetItemIndex("HPRG"));
    ctx.ui.SetItemIndex("CBBaudRate", ctx.ui.GetItemIndex("BRRG"));
    CBHostPortChange(ctx);
    ctx.ui.SetVisible("SelectHPForm", false);
}
