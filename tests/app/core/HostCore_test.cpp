#include "HostFakes.h"

#include "app/core/DeviceLayout.h"
#include "app/core/SerialLink.h"

#include <gtest/gtest-spi.h>

namespace {

class HostCoreTimers : public HostFixture {};

TEST_F(HostCoreTimers, FirstTickPreparesTheWindow)
{
    s.Device.TypeScale[25] = 3;
    s.Device.Theta = 0;
    plot.Channels.resize(2);
    core.Timer55msTimer();
    EXPECT_EQ(ui.Texts["Form1"], "ZUV View:  v1.20 2009-Mar-11   ZUV:  ");
    EXPECT_EQ(plot.ChannelCount(), 0);
    EXPECT_EQ(plot.Title, "ZUV Sensor");
    EXPECT_EQ(ui.Indexes["CBAnalogRange"], 1);
    EXPECT_FALSE(ui.IsVisible("TSFLSetup"));
    EXPECT_FALSE(ui.IsVisible("TSPARSetup"));
    EXPECT_FALSE(ui.IsVisible("TSNTUSetup"));
    EXPECT_EQ(s.Device.TypeScale[25], 1.0);
    EXPECT_EQ(s.Device.RefBaseline[31], -9999.9);
    EXPECT_NEAR(s.Device.Theta, 2.041975, 1e-6);
    EXPECT_EQ(s.TickCount, 1);
    EXPECT_FALSE(s.FirstTick55);
    ui.Texts["Form1"] = "other";
    core.Timer55msTimer();
    EXPECT_EQ(ui.Texts["Form1"], "other");
}

TEST_F(HostCoreTimers, DateLabelsFollowAcceptedLines)
{
    core.Timer55msTimer();
    ui.Indexes["CBHostPort"] = 1;
    CBHostPortChange(ctx);
    port.Inbound = "12.5\t-3\t7\n";
    core.Timer55msTimer();
    EXPECT_EQ(ui.Texts["LBZUVDandT"], "ZUV:   01/01/01  15:15:15");
    EXPECT_EQ(ui.Texts["LBHostDandT"], "Host:  03/07/26  09:05:04");
    EXPECT_FALSE(s.DateLabelsDirty);
}

TEST_F(HostCoreTimers, HalfSecondTickShowsTheMeterSetup)
{
    core.Timer500msTimer();
    EXPECT_EQ(ui.Texts.count("LBAVE"), 0u);  // nothing before the meter identified itself
    s.MeterIdentified = true;
    s.MeterAverage = 30;
    s.MeterLogging = 1;
    s.MeterEngrOutput = 0;
    core.Timer500msTimer();
    EXPECT_EQ(ui.Texts["LBAVE"], "Average: 30");
    EXPECT_EQ(ui.Texts["LBNS"], "Number of Sample: 1");
    EXPECT_EQ(ui.Texts["LBNC"], "Number of Cycles: 1");
    EXPECT_EQ(ui.Texts["LBCI"], "Cycle Interval: hhmmss");
    EXPECT_EQ(ui.Texts["LBLog"], "Logging: ON");
    EXPECT_EQ(ui.Texts["BTLogging"], "Turn Logging OFF");
    EXPECT_EQ(ui.Texts["LBCal"], "Engr Output: OFF");
    EXPECT_EQ(ui.Texts["BTCal"], "Turn Engr Output ON");
    // No memory reply yet (-1 blocks): 0 K used, 1056 K free.
    EXPECT_EQ(ui.Texts["LBStorageUsed"], "Used:  0 K  -0.0 %");
    EXPECT_EQ(ui.Texts["LBStorageFree"], "Free:  1056 K  100.0 %");
    s.MemoryBlocksUsed = 2000;
    core.Timer500msTimer();
    EXPECT_EQ(ui.Texts["LBStorageUsed"], "Used:  515 K  48.8 %");
    EXPECT_EQ(ui.Texts["LBStorageFree"], "Free:  540 K  51.2 %");
}

TEST_F(HostCoreTimers, HalfSecondTickShowsScaleOffsetRangesAndPages)
{
    s.EngrScaleReceived = true;
    s.MeterEngrScale = 255;
    s.EngrOffsetReceived = true;
    s.MeterEngrOffset = 7;
    s.Device.ASV1Range = 2.5f;
    s.Device.ASV2Range = 5.0f;
    s.Device.ASV4Range = 10.0f;
    s.Device.EngrUnits = "ug/l";
    s.MeterAnalogRange = 4;
    s.Device.DevEngrScale = 0.0121f;
    s.Device.DevEngrOffset = 48.0f;
    s.EngValue[TypeCode::NTU] = 1.5;
    core.Timer500msTimer();
    EXPECT_EQ(ui.Texts["LBuglscale"], "0.0255");
    EXPECT_EQ(ui.Texts["LBugloffset"], "7");
    EXPECT_FALSE(s.EngrScaleReceived);
    EXPECT_TRUE(ui.IsVisible("TSFLSetup"));
    EXPECT_EQ(ui.Texts["LBHiRes"], "ASV1:  Hi Resolution   0.0-2.5 ug/l");
    EXPECT_EQ(ui.Texts["LBStdRes2"], "ASV2:  Std Resolution  0.0-5.0 ug/l");
    EXPECT_EQ(ui.Texts["LBWideRange"], "ASV4:  Wide Range:     0.0-10.0 ug/l");
    EXPECT_FALSE(ui.IsVisible("HRArrow"));
    EXPECT_FALSE(ui.IsVisible("SRArrow"));
    EXPECT_TRUE(ui.IsVisible("WRArrow"));
    EXPECT_EQ(ui.Texts["LBDFuglscale"], "0.0121");
    EXPECT_EQ(ui.Texts["LBDFugloffset"], "48");
    EXPECT_TRUE(ui.IsVisible("TSNTUSetup"));
    EXPECT_FALSE(ui.IsVisible("TSPARSetup"));
}

TEST_F(HostCoreTimers, SecondTickShowsCountersAndTransferState)
{
    s.TotalBytesRead = 5000;
    s.RawFileSize = 3000;
    s.EngrFileSize = 1023;
    s.RawRecording = true;
    s.EngrRecording = true;
    s.ReceiveStatus = ReceiveState::Incomplete;
    s.ReceiveFileSize = 2048;
    core.Timer1SecondTimer();
    EXPECT_EQ(ui.Texts["LBTotalIn"], "Bytes Read: 5000");
    EXPECT_EQ(ui.Texts["LBRawFileSize"], "Raw File Size: 2 K");
    EXPECT_EQ(ui.Texts["LBEngrFileSize"], "Engr Units File Size: 0 K");
    EXPECT_EQ(ui.Texts["LBRecordStatus"], "Recording:  Raw + Engr Units");
    EXPECT_EQ(ui.Texts["LBReceiveFileSize"], "Receive File Size: 2 K");
    EXPECT_EQ(ui.Texts["LBReceiveStatus"], "Receive File Status:  Incomplete");
    EXPECT_EQ(ui.Colors["LBReceiveStatus"], clRed);
    s.RawRecording = false;
    s.ReceiveStatus = ReceiveState::None;
    core.Timer1SecondTimer();
    EXPECT_EQ(ui.Texts["LBRecordStatus"], "Recording:  Engr Units");
    EXPECT_EQ(ui.Texts["LBReceiveStatus"], "Receive File Status:  ");
    EXPECT_EQ(ui.Colors["LBReceiveFileSize"], clBtnFace);
}

TEST_F(HostCoreTimers, AtMostTenWarningsAreOpenOrWaiting)
{
    int notified = 0;
    core.Warnings().SetOnQueued([&] { ++notified; });
    for (int i = 0; i < 12; ++i)
        ctx.ShowWarning("c", std::to_string(i));
    EXPECT_EQ(s.WarningDepth, 10);
    EXPECT_EQ(notified, 10);
    auto w = core.Warnings().TakeNext();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Text, "0");
    ctx.ShowWarning("c", "dropped: the taken box is still open");
    EXPECT_EQ(core.Warnings().Pending().size(), 9u);
    core.Warnings().BoxClosed();
    ctx.ShowWarning("c", "10");
    EXPECT_EQ(core.Warnings().Pending().back().Text, "10");
}

// A noisy line asks for "Input Buffer Overflow" again and again; a box identical to one that is
// open or waiting is not stacked on it, but every request is counted. Once its box is closed,
// the warning can come again.
TEST_F(HostCoreTimers, IdenticalWarningsAreNotStacked)
{
    WarningQueue& q = core.Warnings();
    for (int i = 0; i < 40; ++i)
        ctx.ShowWarning("Input Buffer Overflow", "Check Baud Rate");
    ctx.ShowWarning("Input Buffer Overflow", "another text");
    EXPECT_EQ(q.Pending().size(), 2u);
    EXPECT_EQ(s.WarningDepth, 2);
    EXPECT_EQ(q.Requests("Input Buffer Overflow", "Check Baud Rate"), 40);

    ASSERT_TRUE(q.TakeNext());  // shown now
    ctx.ShowWarning("Input Buffer Overflow", "Check Baud Rate");
    EXPECT_EQ(q.Pending().size(), 1u);  // the open box says it already
    EXPECT_EQ(q.Requests("Input Buffer Overflow", "Check Baud Rate"), 41);
    q.BoxClosed();
    ctx.ShowWarning("Input Buffer Overflow", "Check Baud Rate");
    ASSERT_EQ(q.Pending().size(), 2u);
    EXPECT_EQ(q.Pending().back().Text, "Check Baud Rate");
    EXPECT_EQ(q.Requests("Input Buffer Overflow", "Check Baud Rate"), 42);
}

TEST_F(HostCoreTimers, PowerUserPassword)
{
    struct Case {
        const char* entry;
        bool power;
    };
    for (Case c : {Case{"MarbleKey", true}, Case{"MarbleKeyAndMore", true}, Case{"MarbleKe", false},
                   Case{"marblekey", false}, Case{"", false}}) {
        ui.Texts["MEPassword"] = c.entry;
        if (s.PowerUser) {  // a click while on only switches it off
            core.PowerUserPanelClick();
            EXPECT_FALSE(s.PowerUser);
            EXPECT_FALSE(ui.IsVisible("PasswordForm"));
        }
        core.PowerUserPanelClick();
        EXPECT_TRUE(ui.IsVisible("PasswordForm"));
        core.BTPasswordOKClick();
        EXPECT_FALSE(ui.IsVisible("PasswordForm"));
        EXPECT_EQ(s.PowerUser, c.power) << c.entry;
    }
}

TEST_F(HostCoreTimers, FormActivateOnlySetsTheShownChoice)
{
    s.ITempPlot = 0;
    core.FormActivate();
    EXPECT_EQ(ui.Indexes["PresCB"], 1);
    EXPECT_EQ(ui.Indexes["xTempCB"], 1);
    EXPECT_EQ(ui.Indexes["iTempCB"], 1);
    EXPECT_EQ(s.ITempPlot, 0);
}

class DeviceLayoutTest : public HostFixture {};

// The fake windows know the controls of the stored forms, in any letter case, and fail the
// test that names another: a misspelt name in the host logic cannot pass unseen.
TEST(FakeWindow, KnowsTheStoredControlsAndRefusesOthers)
{
    FakeUi ui;
    ui.SetText("PStore", "Setup Not Stored");  // the main window
    ui.SetItemIndex("hprg", 1);                // the host port form, in another case
    ui.SetVisible("PasswordForm", true);       // a form itself
    EXPECT_NONFATAL_FAILURE(ui.SetText("PStorage", "x"), "the host's windows have no control \"PStorage\"");
    EXPECT_NONFATAL_FAILURE(ui.GetItemIndex("NoSuchCombo"), "no control");
}

TEST_F(DeviceLayoutTest, PagesAndChoicesFollowTheColumns)
{
    s.Device.SensorName = "Sensor X";
    s.Device.ColumnTypes[0] = TypeCode::IEngr;  // the first column is not counted
    ApplyDeviceLayout(ctx);
    EXPECT_EQ(plot.Title, "Sensor X");
    EXPECT_FALSE(ui.IsVisible("PlotTypeCB"));
    EXPECT_TRUE(ui.IsVisible("TSSetup"));

    s.Device.ColumnTypes[1] = TypeCode::FirstLambda;
    s.Device.ColumnTypes[2] = TypeCode::ITemp;
    s.Device.ColumnTypes[3] = TypeCode::PAR;
    s.Device.ColumnTypes[4] = TypeCode::VSF125;
    ui.Indexes["PlotTypeCB"] = 1;
    ApplyDeviceLayout(ctx);
    EXPECT_TRUE(ui.IsVisible("PlotTypeCB"));
    EXPECT_TRUE(ui.IsVisible("iTempCB"));
    EXPECT_EQ(s.ITempPlot, 1);
    EXPECT_EQ(ui.Indexes["iTempCB"], 1);  // the combo says what is plotted
    EXPECT_FALSE(ui.IsVisible("xTempCB"));
    EXPECT_EQ(s.XTempPlot, 0);
    EXPECT_TRUE(ui.IsVisible("BBPlotCB"));
    EXPECT_TRUE(ui.IsVisible("TSPARSetup"));
    EXPECT_FALSE(ui.IsVisible("TSNTUSetup"));
    EXPECT_FALSE(ui.IsVisible("TSSetup"));
    EXPECT_FALSE(ui.IsVisible("TSTransferData"));

    // Counted afresh each time, and pages hide again.
    ApplyDeviceLayout(ctx);
    EXPECT_EQ(s.PresenceCounts[TypeCode::ITemp], 1);
    s.Device.ColumnTypes[3] = TypeCode::Columns;
    ApplyDeviceLayout(ctx);
    EXPECT_FALSE(ui.IsVisible("TSPARSetup"));

    s.Device.ColumnTypes = {};
    s.Device.ColumnTypes[1] = TypeCode::Counter;
    ApplyDeviceLayout(ctx);
    EXPECT_FALSE(ui.IsVisible("PlotTypeCB"));
}

}  // namespace
