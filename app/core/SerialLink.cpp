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
    if (!ctx.port.Open(ComPortPath(portNumber))) {
        ctx.s.PortNumber = 0;
        ctx.ui.ShowCommError(CFormat("Could Not Open COM%1d", portNumber));
        return;
    }
    int index = ctx.s.BaudIndex;
    ctx.port.Configure(index >= 0 && index < 4 ? kRates[index] : 19200);
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

std::size_t ReadComm(HostContext& ctx, char* buffer, std::size_t count)
{
    return ctx.port.IsOpen() ? ctx.port.Read(buffer, count) : 0;
}

void SendCommand(HostContext& ctx, std::string_view text)
{
    WriteComm(ctx, text);
    WriteComm(ctx, "\r\n");
}

void CBHostPortChange(HostContext& ctx)
{
    CloseCommPort(ctx);
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
