#include "app/core/MeterCommands.h"

#include <cmath>
#include <cstdio>

#include "app/core/CFormat.h"
#include "app/core/HostContext.h"
#include "app/core/InputPath.h"
#include "app/core/MeterProtocol.h"
#include "app/core/SerialLink.h"
#include "platform/core/Clock.h"

namespace {

void MarkNotStored(HostContext& ctx) { ShowSetupState(ctx, 0); }

void SendWithEditText(HostContext& ctx, const char* command, const char* edit)
{
    MarkNotStored(ctx);
    SendCommand(ctx, std::string(command) + " " + ctx.ui.GetText(edit));
}

}  // namespace

void BTStartClick(HostContext& ctx)
{
    if (ctx.s.ReplayMode) {
        ctx.s.ReplayRunning = true;
        ctx.ui.SetText("BTStartData", "Resume Replay");
        return;
    }
    if (!ReopenHungUpPort(ctx))
        return;
    SendCommand(ctx, "$run");
    ctx.s.RateLineCount = -1;
}

void BTStopClick(HostContext& ctx)
{
    if (ctx.s.ReplayMode)
        ctx.s.ReplayRunning = false;
    else
        WriteComm(ctx, "!!!!!");
}

void BTStoreSetupClick(HostContext& ctx) { SendCommand(ctx, "$sto"); }
void BTGetSetupClick(HostContext& ctx) { SendCommand(ctx, "$mnu"); }

void BTGetDandTClick(HostContext& ctx)
{
    if (ctx.s.EarlyCommands) {
        SendCommand(ctx, "$clk");
        SendCommand(ctx, "$dat");
    } else {
        SendCommand(ctx, "$mnu");
    }
}

void BTGetDandT2Click(HostContext& ctx) { BTGetDandTClick(ctx); }

void BTLoggingClick(HostContext& ctx)
{
    SendCommand(ctx, ctx.s.MeterLogging != 0 ? "$REC 0" : "$REC 1");
    MarkNotStored(ctx);
}

void BTAverageClick(HostContext& ctx) { SendWithEditText(ctx, "$AVE", "MEAverage"); }
void BTPacketClick(HostContext& ctx) { SendWithEditText(ctx, "$PKT", "MEPacket"); }
void BTSampleClick(HostContext& ctx) { SendWithEditText(ctx, "$SET", "MESample"); }
void BTIntervalClick(HostContext& ctx) { SendWithEditText(ctx, "$INT", "TimeInterval"); }
void BTEraseClick(HostContext& ctx) { SendCommand(ctx, "$emc"); }

void BTSetDandTPCClick(HostContext& ctx)
{
    const TLocalTime t = LocalTime();
    int year = TwoDigitYear(t.Year);
    if (ctx.s.EarlyCommands) {
        SendCommand(ctx, CFormat("$SDT %02d%02d%02d", t.Month, t.Day, year));
    } else {
        SendCommand(ctx, CFormat("$CLK %02d%02d%02d", t.Hour, t.Minute, t.Second));
        SendCommand(ctx, CFormat("$DAT %02d%02d%02d", t.Month, t.Day, year));
    }
}

void BTSetTimeClick(HostContext& ctx)
{
    const TLocalTime t = LocalTime();
    SendCommand(ctx, CFormat("$SCK %02d%02d%02d", t.Hour, t.Minute, t.Second));
}

void BTSetDandTClick(HostContext& ctx) { MarkNotStored(ctx); }
void BTOpenClick(HostContext& ctx) { SendCommand(ctx, "$mvs 1"); }
void BTCloseClick(HostContext& ctx) { SendCommand(ctx, "$mvs 0"); }

void BTReloadClick(HostContext& ctx)
{
    SendCommand(ctx, "$rls");
    ctx.s.ReloadPending = true;
}

void BTAnalogRangeClick(HostContext& ctx)
{
    MarkNotStored(ctx);
    int index = ctx.ui.GetItemIndex("CBAnalogRange");
    int range = index == 0 ? 1 : index == 2 ? 4 : 2;
    SendCommand(ctx, CFormat("$ASV %1d", range));
}

void BTflscaleClick(HostContext& ctx)
{
    double x = 0;
    if (std::sscanf(ctx.ui.GetText("MEflscale").c_str(), "%lf", &x) != 1) {
        MarkNotStored(ctx);
        return;
    }
    if (!(x >= 0.0001 && x <= 0.0255)) {
        ctx.ShowWarning("Warning - Invalid Entry", "The valid range for the engr scale is 0.0001-0.0255");
        return;
    }
    // Rounded, not truncated: 0.0255 x 10000 is 254.99999... in binary.
    SendCommand(ctx, CFormat("$ugl %ld", std::lround(x * 10000)));
    MarkNotStored(ctx);
}

void BTfloffsetClick(HostContext& ctx)
{
    int v = 0;
    if (std::sscanf(ctx.ui.GetText("MEfloffset").c_str(), "%d", &v) != 1) {
        MarkNotStored(ctx);
        return;
    }
    if (v < 0 || v > 127) {
        ctx.ShowWarning("Warning - Invalid Entry", "The valid range for the ug/l offset is 0-127");
        return;
    }
    SendCommand(ctx, CFormat("$off %d", v));
    MarkNotStored(ctx);
}

void BTCalClick(HostContext& ctx)
{
    bool on = ctx.s.MeterEngrOutput != 0;
    SendCommand(ctx, on ? "$cal 0" : "$cal 1");
    MarkNotStored(ctx);
    if (on)
        ctx.ShowWarning("**** Device File Warning ****",
                        "By Turning the Internally Calculated Engineering Units Off,\nYou Will Be Required to "
                        "Load a Device File Without the Engineering Units Enabled");
    else
        ctx.ShowWarning("**** Device File Warning ****",
                        "By Turning the Internally Calculated Engineering Units ON,\nYou Will Be Required to "
                        "Load a Device File With the Engineering Units Enabled");
}

void BTSendTextClick(HostContext& ctx)
{
    std::string text = ctx.ui.GetText("EditSendText").substr(0, 235);
    ctx.ui.SetText("EditSendText", "");
    ShowRawInMemo(ctx, "\r\n");
    WriteComm(ctx, text);
    ShowRawInMemo(ctx, text);
    ShowRawInMemo(ctx, "\r\n");
}

void EditSendTextKeyDown(HostContext& ctx, int key)
{
    if (key != 13)
        return;
    BTSendTextClick(ctx);
    WriteComm(ctx, "\r\n");
}

void EarlyCommandsClick(HostContext& ctx)
{
    bool on = !ctx.ui.GetChecked("EarlyCommands");
    ctx.ui.SetChecked("EarlyCommands", on);
    ctx.s.EarlyCommands = on;
    ctx.ui.SetVisible("BTSetTime", on);
    ctx.ui.SetVisible("BTReloadSetup1", !on);
    ctx.ui.SetText("BTSetDandTPC", on ? "Set Date" : "Set Date and Time");
}

void CBAnalogRangeChange(HostContext& ctx)
{
    ctx.ui.SetItemIndex("CBAnalogRange4", ctx.ui.GetItemIndex("CBAnalogRange"));
}

void CBAnalogRange4Change(HostContext& ctx)
{
    ctx.ui.SetItemIndex("CBAnalogRange", ctx.ui.GetItemIndex("CBAnalogRange4"));
}
