#include "HostFakes.h"

#include "app/core/InputPath.h"
#include "app/core/PlotFeed.h"
#include "app/core/SerialLink.h"

namespace {

class InputPath : public HostFixture {
protected:
    void OpenPort()
    {
        ui.Indexes["CBHostPort"] = 1;
        CBHostPortChange(ctx);
    }
};

TEST_F(InputPath, OverflowRestartsTheLineAndWarnsOncePerLine)
{
    s.DevicePath = "x.dev";  // so the restarted tail is not simply taken as data
    s.Device.ExpectedColumns = 1;
    AssembleLines(ctx, std::string(250, '1'));
    EXPECT_TRUE(Warnings().empty());
    AssembleLines(ctx, "2");  // the 251st character starts the new line
    ASSERT_EQ(Warnings().size(), 1u);
    EXPECT_EQ(Warnings()[0].Caption, "Input Buffer Overflow");
    EXPECT_EQ(Warnings()[0].Text, "Check Baud Rate");
    EXPECT_EQ(s.LineBuffer, "2");
    AssembleLines(ctx, std::string(2000, '3'));
    EXPECT_EQ(Warnings().size(), 1u);
    AssembleLines(ctx, "\n");
    EXPECT_FALSE(s.OverflowWarned);
    AssembleLines(ctx, std::string(251, '4'));
    // The first box still waits: the same warning is counted, not queued again.
    EXPECT_EQ(Warnings().size(), 1u);
    EXPECT_EQ(core.Warnings().Requests("Input Buffer Overflow", "Check Baud Rate"), 2);
    EXPECT_EQ(s.TotalBytesRead, 250 + 1 + 2000 + 1 + 251);
}

TEST_F(InputPath, TheRestartedTailIsParsedAsALine)
{
    AssembleLines(ctx, std::string(250, 'x') + "5\t6\n");
    EXPECT_EQ(s.LineCounter, 1.0);
    EXPECT_EQ(s.FieldValues[0], 5);
    EXPECT_EQ(s.FieldValues[1], 6);
}

// The same bytes make the same lines, restarts and warnings whether they come whole or one
// at a time. A NUL is dropped but takes room: the line of 250 ones after one restarts.
TEST_F(InputPath, LinesDoNotDependOnHowTheBytesAreSplit)
{
    const std::string stream = std::string("1\t2\r\n") + std::string(249, '5') + "\t6\n" + std::string(300, '7') +
                               std::string("\t8\r\0\t9\n\r\0\r", 9) + std::string(250, '1') + "\r\n4\t";
    FakeUi ui2;
    FakePlot plot2;
    FakePort port2;
    HostCore byteWise(ui2, plot2, port2, dialogs);
    AssembleLines(ctx, stream);
    for (char c : stream)
        AssembleLines(byteWise.Context(), std::string_view(&c, 1));
    const HostState& t = byteWise.State();
    EXPECT_EQ(s.LineCounter, 4.0);
    EXPECT_EQ(s.FieldValues[0], 1);
    EXPECT_EQ(t.LineCounter, s.LineCounter);
    EXPECT_EQ(t.FieldValues, s.FieldValues);
    EXPECT_EQ(t.LineBuffer, s.LineBuffer);
    EXPECT_EQ(t.LineLength, s.LineLength);
    EXPECT_EQ(byteWise.Warnings().Pending().size(), Warnings().size());
    EXPECT_EQ(byteWise.Warnings().Requests("Input Buffer Overflow", "Check Baud Rate"), 3);
    EXPECT_EQ(core.Warnings().Requests("Input Buffer Overflow", "Check Baud Rate"), 3);
}

TEST_F(InputPath, CarriageReturnsAndNulBytesAreDropped)
{
    AssembleLines(ctx, std::string("1\r\t2\0\t3\r\n", 9));
    EXPECT_EQ(s.LineCounter, 1.0);
    EXPECT_EQ(s.FieldValues[1], 2);
    EXPECT_EQ(s.FieldValues[2], 3);
    EXPECT_TRUE(s.DateLabelsDirty);
}

TEST_F(InputPath, RawPaneKeeps101LinesOf121Characters)
{
    ShowRawInMemo(ctx, std::string(121, 'a'));
    ASSERT_EQ(ui.Memo.size(), 1u);
    EXPECT_EQ(ui.Memo[0], std::string(121, 'a'));
    EXPECT_EQ(s.MemoLineLength, 0);
    ShowRawInMemo(ctx, std::string("b\0c\n\r", 5));
    ASSERT_EQ(ui.Memo.size(), 2u);
    EXPECT_EQ(ui.Memo[1], "bc");
    for (int i = 0; i < 300; ++i)
        ShowRawInMemo(ctx, "line " + std::to_string(i) + "\r\n");
    EXPECT_EQ(ui.Memo.size(), 101u);
    EXPECT_EQ(ui.Memo.back(), "line 299");
    EXPECT_EQ(ui.Memo.front(), "line 199");
    ShowRawInMemo(ctx, std::string(5000, 'z'));
    for (const auto& line : ui.Memo)
        EXPECT_LE(line.size(), 121u);
}

TEST_F(InputPath, SampleRateTexts)
{
    // Ten lines in twenty ticks after a window of ten: 0.11 s, 9.09 Hz, window 10.
    s.RateLineCount = -1;
    UpdateSampleRate(ctx);  // restarts: window 5, tick 1
    EXPECT_EQ(s.RateWindow, 5);
    s.RateWindow = 10;
    s.RateLineCount = 0;
    s.RateTickMark = 1;
    s.TickCount = 21;
    for (int i = 0; i < 10; ++i)
        UpdateSampleRate(ctx);
    EXPECT_EQ(ui.Texts["LBHz1"], "Sample Rate: 9.09 Hz");
    EXPECT_EQ(ui.Texts["LBHz2"], "Sample Rate: 9.09 Hz");
    EXPECT_EQ(s.RateWindow, 10);

    // Slow: five lines in 100 ticks is 0.91 Hz, window 9.
    s.RateWindow = 5;
    s.TickCount += 100;
    for (int i = 0; i < 5; ++i)
        UpdateSampleRate(ctx);
    EXPECT_EQ(ui.Texts["LBHz1"], "Sample Rate: 0.91 Hz");
    EXPECT_EQ(s.RateWindow, 9);

    // No tick between the lines: 0.01 Hz, and "Replay" while replaying.
    s.ReplayMode = true;
    s.RateWindow = 5;
    for (int i = 0; i < 5; ++i)
        UpdateSampleRate(ctx);
    EXPECT_EQ(ui.Texts["LBHz1"], "Replay");
    EXPECT_EQ(s.RateWindow, 5);
}

TEST_F(InputPath, PollInputReadsUpTo1000BytesPerTickIn100ByteReads)
{
    OpenPort();
    port.Inbound = std::string(2500, '7');
    PollInput(ctx);
    EXPECT_EQ(s.TotalBytesRead, 1000);
    for (size_t n : port.ReadSizes)
        EXPECT_LE(n, 100u);
    PollInput(ctx);
    PollInput(ctx);
    EXPECT_EQ(s.TotalBytesRead, 2500);
    port.ReadSizes.clear();
    PollInput(ctx);
    EXPECT_EQ(port.ReadSizes.size(), 1u);  // an empty port ends the tick's reads
}

TEST_F(InputPath, TitlesShowTheLastLineOfEachStep)
{
    s.Device.ColumnTypes[0] = TypeCode::CHL;
    s.Device.DataFieldCount = 1;
    BuildPlotChannels(ctx);
    OpenPort();
    for (int i = 100; i < 160; ++i)  // 240 bytes: three reads in one tick
        port.Inbound += std::to_string(i) + "\n";
    PollInput(ctx);
    EXPECT_EQ(plot.Channels[0].Points.size(), 60u);
    EXPECT_EQ(plot.Channels[0].Title, "CHL: 159 Counts");
    AssembleLines(ctx, "7\n8\n");
    EXPECT_EQ(plot.Channels[0].Title, "CHL: 8 Counts");
}

TEST_F(InputPath, LinesSplitOverTicksAndAPortClosingMidStream)
{
    OpenPort();
    port.Inbound = "1\t2";
    PollInput(ctx);
    EXPECT_EQ(s.LineCounter, 0.0);
    port.Inbound = "\t3\n4\t";
    PollInput(ctx);
    EXPECT_EQ(s.LineCounter, 1.0);
    EXPECT_EQ(s.FieldValues[2], 3);
    port.Close();  // the line went away: reads give nothing, the half line waits
    PollInput(ctx);
    EXPECT_EQ(s.LineBuffer, "4\t");
    EXPECT_EQ(s.LineCounter, 1.0);
}

TEST_F(InputPath, GarbageGoesToTheReplyParserAndNeverCrashes)
{
    s.DevicePath = "x.dev";
    s.Device.ExpectedColumns = 3;
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += char((i * 131 + 7) & 0xFF);
    AssembleLines(ctx, noise);
    AssembleLines(ctx, "\n");
    std::string wide;
    for (int i = 0; i < 120; ++i)
        wide += "1\t";
    AssembleLines(ctx, wide + "1\n");
    EXPECT_EQ(s.LineCounter, 0.0);
    AssembleLines(ctx, "1\t2\t3\n");
    EXPECT_EQ(s.LineCounter, 1.0);
}

TEST_F(InputPath, RepliesReachTheParserOnceADeviceFileIsLoaded)
{
    s.DevicePath = "x.dev";
    s.Device.ExpectedColumns = 3;
    AssembleLines(ctx, "AVE 30\r\nVER 1.0\r\n");
    EXPECT_EQ(s.MeterAverage, 30u);
    EXPECT_TRUE(s.MeterIdentified);
}

}  // namespace
