#include "app/core/StateFile.h"

#include <cstdio>
#include <exception>

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/FileNames.h"
#include "app/core/HostContext.h"
#include "app/core/MeterCommands.h"
#include "app/core/PlotFeed.h"
#include "app/core/SerialLink.h"

const char* const kStateFile = "last.rbs";

namespace {

constexpr int kFieldCount = 12;
constexpr int kLineMax = 199;

std::string ReadLine(std::FILE* f)
{
    std::string line;
    int c;
    while (line.size() < size_t(kLineMax) && (c = std::getc(f)) != EOF) {
        if (c == '\n')
            break;
        line += char(c);
    }
    return line.substr(0, line.find_first_of("\r\n"));
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// A switch from the file; a value outside 0/1 leaves the current one.
void RestoreSwitch(int value, int& field)
{
    if (InRange(value, 0, 1))
        field = value;
}

void RestoreSettings(HostContext& ctx, const int (&f)[kFieldCount])
{
    HostState& s = ctx.s;
    IHostUi& ui = ctx.ui;
    if (InRange(f[0], 0, 12))
        ui.SetItemIndex("CBHostPort", f[0]);
    if (InRange(f[1], 0, 3))
        ui.SetItemIndex("CBBaudRate", f[1]);
    if (InRange(f[2], 0, 1))
        s.PowerUser = f[2] == 1;
    s.StatMode = TTitleStat(f[3]);
    static constexpr TTitleStat kModes[] = {TitleStat::None, TitleStat::Mean, TitleStat::StdDev15, TitleStat::StdDev60};
    for (int i = 0; i < 4; ++i)
        if (f[3] == kModes[i])
            ui.SetItemIndex("StdDevCB", i);
    if (InRange(f[4], PlotMode::RawData, PlotMode::EngrUnits)) {
        s.PlotType = TPlotMode(f[4]);
        ui.SetItemIndex("PlotTypeCB", f[4]);
    }
    s.BetaSelect = TBetaKind(f[5]);
    ui.SetItemIndex("BBPlotCB", f[5]);
    RestoreSwitch(f[6], s.ITempPlot);
    RestoreSwitch(f[7], s.XTempPlot);
    RestoreSwitch(f[8], s.PresPlot);
    ui.SetItemIndex("iTempCB", s.ITempPlot);
    ui.SetItemIndex("xTempCB", s.XTempPlot);
    ui.SetItemIndex("PresCB", s.PresPlot);
    RestoreSwitch(f[9], s.RatioCorrection);
    RestoreSwitch(f[10], s.TempCorrection);
    if (InRange(f[11], 0, 1)) {
        // Set the tick to the opposite and toggle it, so the mode's buttons follow.
        ui.SetChecked("EarlyCommands", f[11] == 0);
        EarlyCommandsClick(ctx);
    }
}

}  // namespace

void SaveStateOnExit(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (ctx.ui.GetItemIndex("CBHostPort") < 0 || s.DevicePath.empty())
        return;
    FilePtr file(std::fopen(kStateFile, "wb"));
    if (!file)
        return;
    std::string text = CFormat("%d %d %d %d %d %d %d %d %d %d %d %d\r\n", ctx.ui.GetItemIndex("CBHostPort"),
                               ctx.ui.GetItemIndex("CBBaudRate"), s.PowerUser ? 1 : 0, s.StatMode, s.PlotType,
                               s.BetaSelect, s.ITempPlot, s.XTempPlot, s.PresPlot, s.RatioCorrection, s.TempCorrection,
                               ctx.ui.GetChecked("EarlyCommands") ? 1 : 0) +
                       FileNameOf(s.DevicePath) + "\r\n";
    std::fwrite(text.data(), 1, text.size(), file.get());
    file.reset();
    try {
        SavePlotSettings(ctx);
    } catch (const std::exception& e) {
        ctx.ui.ShowException(e.what());
    }
}

void RestoreState(HostContext& ctx)
{
    FilePtr state(std::fopen(kStateFile, "rb"));
    if (!state)
        return;
    int f[kFieldCount];
    std::string first = ReadLine(state.get());
    if (std::sscanf(first.c_str(), "%d %d %d %d %d %d %d %d %d %d %d %d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5],
                    &f[6], &f[7], &f[8], &f[9], &f[10], &f[11]) != kFieldCount)
        return;
    std::string name = ReadLine(state.get());
    FilePtr device(std::fopen(name.c_str(), "rb"));
    if (!device)
        return;
    if (!ParseDeviceFile(ctx, device.get())) {
        ctx.s.DevicePath.clear();
        return;
    }
    ctx.ui.SetText("LBDeviceFile", CFormat("Device File:  %s", name.c_str()));
    ctx.s.DevicePath = name;
    RestoreSettings(ctx, f);
    CBHostPortChange(ctx);
    StdDevCBChange(ctx);
    ctx.ui.SetActivePage(4);
    ctx.ui.SetVisible("PMeterType", false);
    try {
        LoadPlotSettings(ctx);
    } catch (const std::exception& e) {
        ctx.ui.ShowException(e.what());
    }
    // The loaded settings may have replaced the channels: build them for this device again.
    ctx.s.PlotSetupPending = true;
}
