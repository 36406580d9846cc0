#include "app/core/HostCore.h"

#include "app/core/CFormat.h"
#include "app/core/InputPath.h"
#include "app/core/LogDownload.h"
#include "app/core/MeterCommands.h"
#include "app/core/PlotFeed.h"
#include "app/core/Replay.h"
#include "app/core/StateFile.h"

const char* const kPowerUserPassword = "MarbleKey";

namespace {
constexpr int kMemoryBlocks = 4095;
constexpr int kBlockBytes = 264;

std::string StorageText(const char* label, int blocks)
{
    // Kilobytes cut toward zero; the percentage in floating point.
    long kilobytes = long(blocks) * kBlockBytes / 1024;
    return CFormat("%s:  %1ld K  %4.1f %%", label, kilobytes, blocks / double(kMemoryBlocks) * 100);
}
}  // namespace

HostCore::HostCore(IHostUi& ui, IHostPlot& plot, ISerialPort& port, IFileDialogs& dialogs)
    : warnings_(state_.WarningDepth), ctx_{state_, ui, plot, port, dialogs, warnings_}
{
}

void HostCore::ShowDateTimeTexts()
{
    const HostState& s = state_;
    std::string meter = s.MeterDate[0] == 99
                            ? CFormat("ZUV:  %1.0lf", s.LineCounter)
                            : CFormat("ZUV:   %02d/%02d/%02d  %02d:%02d:%02d", s.MeterDate[0], s.MeterDate[1],
                                      s.MeterDate[2], s.MeterTime[0], s.MeterTime[1], s.MeterTime[2]);
    const auto& h = s.HostClock;
    ctx_.ui.SetText("LBZUVDandT", meter);
    ctx_.ui.SetText("LBHostDandT",
                    CFormat("Host:  %02d/%02d/%02d  %02d:%02d:%02d", h[4], h[3], h[5], h[0], h[1], h[2]));
}

void HostCore::FirstTick55()
{
    HostState& s = state_;
    IHostUi& ui = ctx_.ui;
    ui.SetText("Form1", CFormat("ZUV View:  v1.20 2009-Mar-11   ZUV: %s", " "));
    PreparePlot(ctx_);
    ui.SetItemIndex("CBAnalogRange", 1);
    ui.SetVisible("TSFLSetup", false);
    ui.SetVisible("TSPARSetup", s.PresenceCounts[TypeCode::PAR] > 0);
    ui.SetVisible("TSNTUSetup", s.PresenceCounts[TypeCode::NTU] > 0);
    s.Device.TypeScale.fill(1.0);
    s.Device.TypeOffset.fill(0.0);
    s.Device.RefBaseline.fill(-9999.9);  // no baseline is captured until a device file is loaded
    s.Device.Theta = 117 * 3.1415 / 180;
}

void HostCore::Timer55msTimer()
{
    HostState& s = state_;
    if (s.FirstTick55) {
        s.FirstTick55 = false;
        FirstTick55();
    }
    ++s.TickCount;
    if (s.SetupRequestCountdown != 0) {
        if (s.SetupRequestCountdown == 1)
            BTGetSetupClick(ctx_);
        --s.SetupRequestCountdown;
    }
    if (s.Receiving)
        ReceiveLogChunk(ctx_);
    else
        PollInput(ctx_);
    CheckReceiveSilence(ctx_);
    if (s.DateLabelsDirty) {
        s.DateLabelsDirty = false;
        ShowDateTimeTexts();
    }
}

int HostCore::Timer55msInterval() const { return state_.ReplayMode ? kReplayInterval : kLiveInterval; }

void HostCore::ShowMeterSetup()
{
    const HostState& s = state_;
    IHostUi& ui = ctx_.ui;
    ui.SetText("LBAVE", CFormat("Average: %1u", s.MeterAverage));
    ui.SetText("LBNS", CFormat("Number of Sample: %1u", s.MeterSamples));
    ui.SetText("LBNC", CFormat("Number of Cycles: %1u", s.MeterCycles));
    ui.SetText("LBCI", CFormat("Cycle Interval: %s", s.MeterInterval.c_str()));
    bool logging = s.MeterLogging != 0;
    ui.SetText("LBLog", logging ? "Logging: ON" : "Logging: OFF");
    ui.SetText("BTLogging", logging ? "Turn Logging OFF" : "Turn Logging ON");
    bool engr = s.MeterEngrOutput != 0;
    ui.SetText("LBCal", engr ? "Engr Output: ON" : "Engr Output: OFF");
    ui.SetText("BTCal", engr ? "Turn Engr Output OFF" : "Turn Engr Output ON");
    ui.SetText("LBStorageUsed", StorageText("Used", s.MemoryBlocksUsed));
    ui.SetText("LBStorageFree", StorageText("Free", kMemoryBlocks - s.MemoryBlocksUsed));
    ShowDateTimeTexts();
}

void HostCore::ShowRangeTexts()
{
    const HostState& s = state_;
    IHostUi& ui = ctx_.ui;
    ui.SetVisible("TSFLSetup", true);
    const char* units = s.Device.EngrUnits.c_str();
    std::string hi = CFormat("ASV1:  Hi Resolution   0.0-%3.1f %s", double(s.Device.ASV1Range), units);
    std::string std = CFormat("ASV2:  Std Resolution  0.0-%3.1f %s", double(s.Device.ASV2Range), units);
    std::string wide = CFormat("ASV4:  Wide Range:     0.0-%3.1f %s", double(s.Device.ASV4Range), units);
    ui.SetText("LBHiRes", hi);
    ui.SetText("LBHiRes2", hi);
    ui.SetText("LBStdRes", std);
    ui.SetText("LBStdRes2", std);
    ui.SetText("LBWideRange", wide);
    ui.SetText("LBWideRange2", wide);
    ui.SetVisible("HRArrow", s.MeterAnalogRange == 1);
    ui.SetVisible("SRArrow", s.MeterAnalogRange == 2);
    ui.SetVisible("WRArrow", s.MeterAnalogRange == 4);
}

void HostCore::Timer500msTimer()
{
    HostState& s = state_;
    IHostUi& ui = ctx_.ui;
    if (s.MeterIdentified)
        ShowMeterSetup();
    if (s.EngrOffsetReceived) {
        s.EngrOffsetReceived = false;
        ui.SetText("LBugloffset", CFormat("%1d", s.MeterEngrOffset));
    }
    if (s.EngrScaleReceived) {
        s.EngrScaleReceived = false;
        ui.SetText("LBuglscale", CFormat("%6.4f", s.MeterEngrScale * 0.0001));
    }
    if (s.EngValue[TypeCode::PAR] != 0.0)
        ui.SetVisible("TSPARSetup", true);
    if (s.EngValue[TypeCode::NTU] != 0.0)
        ui.SetVisible("TSNTUSetup", true);
    if (s.Device.ASV2Range > 0)
        ShowRangeTexts();
    if (s.Device.DevEngrScale > 0) {
        ui.SetText("LBDFuglscale", CFormat("%6.4f", double(s.Device.DevEngrScale)));
        ui.SetText("LBDFugloffset", CFormat("%1.0f", double(s.Device.DevEngrOffset)));
    }
}

void HostCore::Timer1SecondTimer()
{
    HostState& s = state_;
    IHostUi& ui = ctx_.ui;
    if (s.FirstTick1s) {
        s.FirstTick1s = false;
        RestoreState(ctx_);
    }
    ui.SetText("LBTotalIn", CFormat("Bytes Read: %lu", static_cast<unsigned long>(s.TotalBytesRead)));
    ui.SetText("LBRawFileSize", CFormat("Raw File Size: %ld K", s.RawFileSize / 1024));
    ui.SetText("LBEngrFileSize", CFormat("Engr Units File Size: %ld K", s.EngrFileSize / 1024));
    static const char* const kRecording[] = {"Recording:  OFF", "Recording:  Raw", "Recording:  Engr Units",
                                             "Recording:  Raw + Engr Units"};
    ui.SetText("LBRecordStatus", kRecording[(s.RawRecording ? 1 : 0) + (s.EngrRecording ? 2 : 0)]);
    ui.SetText("LBReceiveFileSize", CFormat("Receive File Size: %ld K", s.ReceiveFileSize / 1024));
    TColor statusColor = s.ReceiveStatus == ReceiveState::Incomplete ? clRed : clBtnFace;
    ui.SetColor("LBReceiveFileSize", statusColor);
    ui.SetColor("LBReceiveStatus", statusColor);
    static const char* const kStatus[] = {"", "In Progress", "Complete", "Incomplete", "Cancelled"};
    const int status = s.ReceiveStatus >= ReceiveState::None && s.ReceiveStatus <= ReceiveState::Cancelled
                           ? s.ReceiveStatus
                           : ReceiveState::None;
    ui.SetText("LBReceiveStatus", std::string("Receive File Status:  ") + kStatus[status]);
}

void HostCore::FormActivate()
{
    ctx_.ui.SetItemIndex("PresCB", 1);
    ctx_.ui.SetItemIndex("xTempCB", 1);
    ctx_.ui.SetItemIndex("iTempCB", 1);
}

void HostCore::PowerUserPanelClick()
{
    if (state_.PowerUser)
        state_.PowerUser = false;
    else
        ctx_.ui.SetVisible("PasswordForm", true);
}

void HostCore::BTPasswordOKClick()
{
    ctx_.ui.SetVisible("PasswordForm", false);
    std::string entry = ctx_.ui.GetText("MEPassword");
    state_.PowerUser = entry.size() >= 9 && entry.compare(0, 9, kPowerUserPassword) == 0;
}

void HostCore::Form2Button1Click() { ctx_.ui.SetVisible("Form2", false); }

void HostCore::BTExitClick() { SaveStateOnExit(ctx_); }
