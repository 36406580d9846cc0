#include "HostFakes.h"

#include <cstdlib>

#include "app/core/MeterCommands.h"
#include "app/core/SerialLink.h"

namespace {

class SerialLink : public HostFixture {};

TEST_F(SerialLink, PortChoiceOpensConfiguresAndSchedulesTheSetupRequest)
{
    setenv("COM10", "/dev/pts/fake10", 1);
    ui.Indexes["CBHostPort"] = 10;
    ui.Indexes["CBBaudRate"] = 3;
    s.SetupRequestCountdown = 0;
    CBHostPortChange(ctx);
    EXPECT_EQ(port.Opened.back(), "/dev/pts/fake10");
    EXPECT_EQ(port.Baud, 38400);
    EXPECT_EQ(s.BaudIndex, 3);
    EXPECT_EQ(s.PortNumber, 10);
    EXPECT_EQ(s.PortIndex, 10);
    EXPECT_EQ(s.SetupRequestCountdown, 10);
    EXPECT_FALSE(ui.IsVisible("PCOMPort"));

    // Only the rate changes: the port is closed and opened again.
    ui.Indexes["CBBaudRate"] = 0;
    CBHostPortChange(ctx);
    EXPECT_EQ(port.Closes, 1);
    EXPECT_EQ(port.Opened.size(), 2u);
    EXPECT_EQ(port.Baud, 4800);
    unsetenv("COM10");
}

TEST_F(SerialLink, SetupRequestGoesOutOnTheTenthTick)
{
    ui.Indexes["CBHostPort"] = 1;
    CBHostPortChange(ctx);
    for (int tick = 1; tick <= 9; ++tick) {
        core.Timer55msTimer();
        EXPECT_EQ(port.Written, "") << tick;
    }
    core.Timer55msTimer();
    EXPECT_EQ(port.TakeWritten(), "$mnu\r\n");
    for (int tick = 0; tick < 20; ++tick)
        core.Timer55msTimer();
    EXPECT_EQ(port.Written, "");
}

TEST_F(SerialLink, FailedOpenLeavesNoPortAndReports)
{
    ui.Indexes["CBHostPort"] = 10;
    port.OpenResult = false;
    CBHostPortChange(ctx);
    EXPECT_EQ(s.PortNumber, 0);
    ASSERT_EQ(ui.CommErrors.size(), 1u);
    EXPECT_EQ(ui.CommErrors[0], "Could Not Open COM10");
    EXPECT_FALSE(ui.IsVisible("PCOMPort"));
    EXPECT_EQ(s.PortIndex, 10);
    EXPECT_TRUE(Warnings().empty());  // comm errors are not host warnings

    // Nothing is open: writes are lost, reads give nothing, no close is attempted.
    BTGetSetupClick(ctx);
    char buf[10];
    EXPECT_EQ(ReadComm(ctx, buf, 10), 0u);
    CloseCommPort(ctx);
    EXPECT_EQ(port.Closes, 0);
}

// A port that opens but refuses the rate is reported as one that would not open, and is not
// left open: it would read at the wrong rate.
TEST_F(SerialLink, APortThatRefusesTheRateIsNotOpen)
{
    ui.Indexes["CBHostPort"] = 3;
    ui.Indexes["CBBaudRate"] = 3;
    port.ConfigureResult = false;
    CBHostPortChange(ctx);
    EXPECT_EQ(port.Baud, 38400);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(s.PortNumber, 0);
    ASSERT_EQ(ui.CommErrors.size(), 1u);
    EXPECT_EQ(ui.CommErrors[0], "Could Not Open COM3");
}

TEST_F(SerialLink, NoPortItemShowsThePanelAndBadRateFallsBack)
{
    ui.Indexes["CBHostPort"] = 0;
    ui.Indexes["CBBaudRate"] = 9;
    CBHostPortChange(ctx);
    EXPECT_TRUE(port.Opened.empty());
    EXPECT_TRUE(ui.IsVisible("PCOMPort"));
    EXPECT_EQ(ui.Indexes["CBBaudRate"], 2);
    EXPECT_EQ(s.BaudIndex, 2);
}

TEST_F(SerialLink, CloseFailureIsReported)
{
    ui.Indexes["CBHostPort"] = 2;
    CBHostPortChange(ctx);
    port.CloseResult = false;
    CloseCommPort(ctx);
    ASSERT_EQ(ui.CommErrors.size(), 1u);
    EXPECT_EQ(ui.CommErrors[0], "Could Not Close Comm  Port");
    EXPECT_EQ(s.PortNumber, 0);
}

TEST_F(SerialLink, PortDialog)
{
    PCOMPortClick(ctx);
    EXPECT_TRUE(ui.IsVisible("SelectHPForm"));
    ui.Indexes["HPRG"] = 3;
    ui.Indexes["BRRG"] = 1;
    SelectHPFormBTOKClick(ctx);
    EXPECT_EQ(ui.Indexes["CBHostPort"], 3);
    EXPECT_EQ(s.PortNumber, 3);
    EXPECT_EQ(port.Baud, 9600);
    EXPECT_FALSE(ui.IsVisible("SelectHPForm"));
}

TEST_F(SerialLink, ComPortPaths)
{
    unsetenv("COM4");
    EXPECT_EQ(ComPortPath(4), "/dev/ttyS3");
    setenv("COM4", "/dev/ttyUSB0", 1);
    EXPECT_EQ(ComPortPath(4), "/dev/ttyUSB0");
    unsetenv("COM4");
}

TEST_F(SerialLink, SetBaudIndexKeepsUnknownRates)
{
    SetBaudIndex(ctx, 9600);
    EXPECT_EQ(s.BaudIndex, 1);
    SetBaudIndex(ctx, 115200);
    EXPECT_EQ(s.BaudIndex, 1);
}

}  // namespace
