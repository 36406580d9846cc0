#include "HostFakes.h"

#include <functional>

#include "app/core/MeterCommands.h"
#include "app/core/MeterProtocol.h"
#include "app/core/SerialLink.h"

namespace {

class MeterProtocol : public HostFixture {};

TEST_F(MeterProtocol, EveryCommandIsSentByteForByte)
{
    struct Case {
        const char* name;
        std::function<void(HostContext&)> action;
        const char* bytes;
    };
    const Case cases[] = {
        {"start", BTStartClick, "$run\r\n"},
        {"stop", BTStopClick, "!!!!!"},
        {"store", BTStoreSetupClick, "$sto\r\n"},
        {"get setup", BTGetSetupClick, "$mnu\r\n"},
        {"get date and time", BTGetDandTClick, "$mnu\r\n"},
        {"logging on", BTLoggingClick, "$REC 1\r\n"},
        {"average", BTAverageClick, "$AVE 30\r\n"},
        {"packet", BTPacketClick, "$PKT 0\r\n"},
        {"sample", BTSampleClick, "$SET 1\r\n"},
        {"interval", BTIntervalClick, "$INT HHMMSS\r\n"},
        {"erase", BTEraseClick, "$emc\r\n"},
        {"set date and time", BTSetDandTPCClick, "$CLK 090504\r\n$DAT 030726\r\n"},
        {"set time", BTSetTimeClick, "$SCK 090504\r\n"},
        {"set date and time, no control", BTSetDandTClick, ""},
        {"open shutter", BTOpenClick, "$mvs 1\r\n"},
        {"close shutter", BTCloseClick, "$mvs 0\r\n"},
        {"reload", BTReloadClick, "$rls\r\n"},
        {"analog range", BTAnalogRangeClick, "$ASV 2\r\n"},
        {"engr scale", BTflscaleClick, "$ugl 1\r\n"},
        {"engr offset", BTfloffsetClick, "$off 1\r\n"},
        {"engr output", BTCalClick, "$cal 1\r\n"},
    };
    ui.Indexes["CBAnalogRange"] = 1;
    for (const Case& c : cases) {
        c.action(ctx);
        std::string expected = c.bytes;
        EXPECT_EQ(port.Written, expected) << c.name;
        // One write call per byte.
        EXPECT_EQ(port.WriteCalls, int(expected.size())) << c.name;
        port.TakeWritten();
    }
}

TEST_F(MeterProtocol, CommandsFollowTheMeterSetupAndChoices)
{
    s.MeterLogging = 1;
    BTLoggingClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$REC 0\r\n");
    s.MeterEngrOutput = 1;
    BTCalClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$cal 0\r\n");
    for (auto [index, range] : {std::pair{0, "1"}, {1, "2"}, {2, "4"}, {-1, "2"}, {7, "2"}}) {
        ui.Indexes["CBAnalogRange"] = index;
        BTAnalogRangeClick(ctx);
        EXPECT_EQ(port.TakeWritten(), std::string("$ASV ") + range + "\r\n") << index;
    }
    clock.SetNow(EncodeDate(2003, 12, 31) + EncodeTime(23, 59, 58, 0));
    BTSetDandTPCClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$CLK 235958\r\n$DAT 123103\r\n");
}

TEST_F(MeterProtocol, AlternateCommandsChangeButtonsAndCommands)
{
    EarlyCommandsClick(ctx);
    EXPECT_TRUE(ui.GetChecked("EarlyCommands"));
    EXPECT_TRUE(ui.IsVisible("BTSetTime"));
    EXPECT_FALSE(ui.IsVisible("BTReloadSetup1"));
    EXPECT_EQ(ui.Texts["BTSetDandTPC"], "Set Date");
    BTGetDandTClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$clk\r\n$dat\r\n");
    BTSetDandTPCClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$SDT 030726\r\n");

    EarlyCommandsClick(ctx);
    EXPECT_FALSE(ui.GetChecked("EarlyCommands"));
    EXPECT_FALSE(ui.IsVisible("BTSetTime"));
    EXPECT_TRUE(ui.IsVisible("BTReloadSetup1"));
    EXPECT_EQ(ui.Texts["BTSetDandTPC"], "Set Date and Time");
}

TEST_F(MeterProtocol, ScaleAndOffsetEntriesAreRangeChecked)
{
    struct Case {
        const char* edit;
        const char* text;
        const char* sent;  // nullptr: nothing sent
        bool warns;
        bool marksNotStored;
    };
    const Case cases[] = {
        {"MEflscale", "0.0255", "$ugl 255\r\n", false, true}, {"MEflscale", "0.0001", "$ugl 1\r\n", false, true},
        {"MEflscale", "0.0123", "$ugl 123\r\n", false, true}, {"MEflscale", "0.00009", nullptr, true, false},
        {"MEflscale", "0.0256", nullptr, true, false},        {"MEflscale", "abc", nullptr, false, true},
        {"MEfloffset", "127", "$off 127\r\n", false, true},   {"MEfloffset", "0", "$off 0\r\n", false, true},
        {"MEfloffset", "12abc", "$off 12\r\n", false, true},  {"MEfloffset", "128", nullptr, true, false},
        {"MEfloffset", "-1", nullptr, true, false},           {"MEfloffset", "x", nullptr, false, true},
    };
    std::vector<Warning> w;
    for (const Case& c : cases) {
        ui.Texts[c.edit] = c.text;
        ui.Visible.erase("PStore");
        size_t before = Warnings().size();
        if (std::string(c.edit) == "MEflscale")
            BTflscaleClick(ctx);
        else
            BTfloffsetClick(ctx);
        EXPECT_EQ(port.TakeWritten(), c.sent ? c.sent : "") << c.text;
        EXPECT_EQ(Warnings().size() - before, c.warns ? 1u : 0u) << c.text;
        EXPECT_EQ(ui.IsVisible("PStore"), c.marksNotStored) << c.text;
        // Each box is closed before the next entry: an identical one open would not be queued again.
        while (auto shown = core.Warnings().TakeNext()) {
            w.push_back(*shown);
            core.Warnings().BoxClosed();
        }
    }
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[0].Caption, "Warning - Invalid Entry");
    EXPECT_EQ(w[0].Text, "The valid range for the engr scale is 0.0001-0.0255");
    EXPECT_EQ(w[2].Text, "The valid range for the ug/l offset is 0-127");
}

TEST_F(MeterProtocol, EngineeringOutputWarnsAboutTheDeviceFile)
{
    BTCalClick(ctx);
    s.MeterEngrOutput = 1;
    BTCalClick(ctx);
    auto w = Warnings();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].Caption, "**** Device File Warning ****");
    EXPECT_EQ(w[0].Text, "By Turning the Internally Calculated Engineering Units ON,\nYou Will Be Required to Load a "
                         "Device File With the Engineering Units Enabled");
    EXPECT_EQ(w[1].Text, "By Turning the Internally Calculated Engineering Units Off,\nYou Will Be Required to Load "
                         "a Device File Without the Engineering Units Enabled");
    EXPECT_EQ(s.MeterEngrOutput, 1u);  // changes only with the meter's reply
}

TEST_F(MeterProtocol, SetupStatePanel)
{
    BTAverageClick(ctx);
    EXPECT_TRUE(ui.IsVisible("PStore"));
    EXPECT_EQ(ui.Texts["PStore"], "Setup Not Stored");
    EXPECT_EQ(ui.Colors["PStore"], clYellow);
    ParseMeterReply(ctx, "DONE");
    EXPECT_FALSE(ui.IsVisible("PStore"));
    EXPECT_EQ(ui.Texts["PStore"], "Setup is Current");
    EXPECT_EQ(ui.Colors["PStore"], clMenu);

    // A VER reply marks the set-up current only after a reload.
    BTAverageClick(ctx);
    ParseMeterReply(ctx, "VER 2.1");
    EXPECT_TRUE(ui.IsVisible("PStore"));
    BTReloadClick(ctx);
    ParseMeterReply(ctx, "VER 2.1");
    EXPECT_FALSE(ui.IsVisible("PStore"));
    EXPECT_FALSE(s.ReloadPending);
    EXPECT_TRUE(s.MeterIdentified);
    EXPECT_EQ(ui.Texts["Form1"], "ZUV View:  v1.20 2009-Mar-11   ZUV: VER 2.1");
}

TEST_F(MeterProtocol, RepliesUpdateTheSetupCopy)
{
    ParseMeterReply(ctx, "ave 30");
    ParseMeterReply(ctx, "CAL 1");
    ParseMeterReply(ctx, "PKT 12");
    ParseMeterReply(ctx, "SET 3");
    ParseMeterReply(ctx, "REC 1");
    ParseMeterReply(ctx, "ASV 4");
    ParseMeterReply(ctx, "INT 001500");
    ParseMeterReply(ctx, "OFF 7");
    ParseMeterReply(ctx, "UGL 255");
    ParseMeterReply(ctx, "MEM 100");
    EXPECT_EQ(s.MeterAverage, 30u);
    EXPECT_EQ(s.MeterEngrOutput, 1u);
    EXPECT_EQ(s.MeterSamples, 12u);
    EXPECT_EQ(s.MeterCycles, 3u);
    EXPECT_EQ(s.MeterLogging, 1u);
    EXPECT_EQ(s.MeterAnalogRange, 4u);
    EXPECT_EQ(s.MeterInterval, "001500");
    EXPECT_EQ(s.MeterEngrOffset, 7);
    EXPECT_TRUE(s.EngrOffsetReceived);
    EXPECT_EQ(s.MeterEngrScale, 255);
    EXPECT_TRUE(s.EngrScaleReceived);
    EXPECT_EQ(s.MemoryBlocksUsed, 100);
    EXPECT_FALSE(ui.IsVisible("Form2"));

    // Replies that do not convert change nothing.
    ParseMeterReply(ctx, "AVE");
    ParseMeterReply(ctx, "PKT x");
    ParseMeterReply(ctx, "ACC 5");
    ParseMeterReply(ctx, "TCR 5");
    ParseMeterReply(ctx, "HELLO");
    EXPECT_EQ(s.MeterAverage, 30u);
    EXPECT_EQ(s.MeterSamples, 12u);
}

TEST_F(MeterProtocol, ShutterAndMemoryFull)
{
    ParseMeterReply(ctx, "MVS 0");
    EXPECT_EQ(ui.Texts["L_ShutterStatus"], "Shutter Status: Closed");
    EXPECT_TRUE(ui.IsVisible("L_ShutterStatus"));
    ParseMeterReply(ctx, "mvs 1");
    EXPECT_EQ(ui.Texts["L_ShutterStatus"], "Shutter Status: Open");

    ParseMeterReply(ctx, "MEM 4094");
    EXPECT_TRUE(ui.IsVisible("Form2"));
    ParseMeterReply(ctx, "MEM 100");
    EXPECT_TRUE(ui.IsVisible("Form2"));  // a later reply does not hide it
    core.Form2Button1Click();
    EXPECT_FALSE(ui.IsVisible("Form2"));
}

TEST_F(MeterProtocol, DateAndTimeReplies)
{
    ParseMeterReply(ctx, "CLK 12:34:56");
    EXPECT_EQ(s.MeterTime, (std::array<int, 3>{12, 34, 56}));
    ParseMeterReply(ctx, "CLK 010203");
    EXPECT_EQ(s.MeterTime, (std::array<int, 3>{1, 2, 3}));
    ParseMeterReply(ctx, "DAT 03/07/26");
    EXPECT_EQ(s.MeterDate, (std::array<int, 3>{3, 7, 26}));
    EXPECT_EQ(s.HostClock, (std::array<int, 6>{9, 5, 4, 7, 3, 26}));
    ParseMeterReply(ctx, "DAT 1231");  // neither form: nothing stored
    ParseMeterReply(ctx, "CLK xx");
    EXPECT_EQ(s.MeterDate, (std::array<int, 3>{3, 7, 26}));
    EXPECT_EQ(s.MeterTime, (std::array<int, 3>{1, 2, 3}));
    EXPECT_FALSE(s.DateLabelsDirty);
}

TEST_F(MeterProtocol, OverlongReplyWordsAreBounded)
{
    ParseMeterReply(ctx, "INT " + std::string(240, '7'));
    EXPECT_EQ(s.MeterInterval, std::string(19, '7'));
    ParseMeterReply(ctx, "DAT " + std::string(240, '1'));
    EXPECT_EQ(s.MeterDate, (std::array<int, 3>{11, 11, 11}));
    ParseMeterReply(ctx, "VER " + std::string(240, 'v'));
    EXPECT_TRUE(s.MeterIdentified);
}

TEST_F(MeterProtocol, FreeTextWithAndWithoutLineEnd)
{
    ui.Texts["EditSendText"] = "$ave 10";
    BTSendTextClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$ave 10");
    EXPECT_EQ(ui.Texts["EditSendText"], "");
    ASSERT_EQ(ui.Memo.size(), 2u);
    EXPECT_EQ(ui.Memo[0], "");
    EXPECT_EQ(ui.Memo[1], "$ave 10");

    ui.Texts["EditSendText"] = std::string(300, 'a');
    EditSendTextKeyDown(ctx, 13);
    EXPECT_EQ(port.TakeWritten(), std::string(235, 'a') + "\r\n");
    EditSendTextKeyDown(ctx, 65);
    EXPECT_EQ(port.TakeWritten(), "");
}

TEST_F(MeterProtocol, StopAndStartInReplayDoNotTalkToTheMeter)
{
    s.ReplayMode = true;
    BTStartClick(ctx);
    EXPECT_TRUE(s.ReplayRunning);
    EXPECT_EQ(ui.Texts["BTStartData"], "Resume Replay");
    s.RateLineCount = 3;
    BTStopClick(ctx);
    EXPECT_FALSE(s.ReplayRunning);
    EXPECT_EQ(port.Written, "");
    EXPECT_EQ(s.RateLineCount, 3);  // only the live start restarts the rate window
    s.ReplayMode = false;
    BTStartClick(ctx);
    EXPECT_EQ(s.RateLineCount, -1);
}

TEST_F(MeterProtocol, AnalogRangeCombosStayTogether)
{
    ui.Indexes["CBAnalogRange"] = 2;
    CBAnalogRangeChange(ctx);
    EXPECT_EQ(ui.Indexes["CBAnalogRange4"], 2);
    ui.Indexes["CBAnalogRange4"] = 0;
    CBAnalogRange4Change(ctx);
    EXPECT_EQ(ui.Indexes["CBAnalogRange"], 0);
}

}  // namespace
