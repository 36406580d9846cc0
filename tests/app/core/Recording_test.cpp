#include "HostFakes.h"
#include "platform/core/Streams.h"
#include "support/ChildProcess.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/InputPath.h"
#include "app/core/LogDownload.h"
#include "app/core/MeterCommands.h"
#include "app/core/MeterProtocol.h"
#include "app/core/Recording.h"
#include "app/core/Replay.h"
#include "app/core/SerialLink.h"
#include "app/core/StateFile.h"

namespace {

class RecordingTest : public HostFixture {
protected:
    TempDir dir;

    void OpenPort()
    {
        ui.Indexes["CBHostPort"] = 1;
        CBHostPortChange(ctx);
    }
    void LoadDevice(const std::string& text)
    {
        dialogs.Answers.push_back(dir.Write("sensor.dev", text));
        LoadDeviceFileClick(ctx);
        ASSERT_FALSE(s.DevicePath.empty());
    }
};

TEST_F(RecordingTest, RawRecordIsByteForByte)
{
    OpenPort();
    dialogs.Answers.push_back(dir.Path("run"));
    BTRecordRawClick(ctx);
    EXPECT_EQ(dialogs.Requests[0].Title, "Record Raw Data");
    EXPECT_EQ(ui.Texts["LBRawFileName"], "Raw File Name:  " + dir.Path("run.raw"));
    std::string bytes("1\t2\r\n\0\xff junk\r\n3\t4", 17);
    port.Inbound = bytes;
    PollInput(ctx);
    EXPECT_EQ(s.RawFileSize, 17);
    BTStopRecordClick(ctx);
    EXPECT_FALSE(s.RawRecording);
    EXPECT_EQ(ReadFileBytes(dir.Path("run.raw")), bytes);

    // Cancel does nothing; a file that cannot be created warns and records nothing.
    BTRecordRawClick(ctx);
    EXPECT_FALSE(s.RawRecording);
    dialogs.Answers.push_back(dir.Path("no/such/dir/x.raw"));
    BTRecordRawClick(ctx);
    EXPECT_FALSE(s.RawRecording);
    ASSERT_EQ(Warnings().size(), 1u);
    EXPECT_EQ(Warnings()[0].Caption, "Unable to open file.");
    EXPECT_EQ(Warnings()[0].Text, "Error opening fille");
}

TEST_F(RecordingTest, EngineeringRecordHeaderAndRows)
{
    LoadDevice("S\nColumns=5\nDate=1\nTime=2\nLambda=3 0.001 10 470 470\nPRES=4 0.1 0\nCOUNTER=5\n");
    dialogs.Answers.push_back(dir.Path("run.eng"));
    BTRecordEngrClick(ctx);
    EXPECT_TRUE(s.EngrRecording);
    EXPECT_EQ(ui.Texts["LBEngrFileName"], "Engr Units File:  " + dir.Path("run.eng"));
    AssembleLines(ctx, "03/07/26\t12:30:15\t110\t1005\t42\r\n");
    BTStopRecordClick(ctx);
    std::string text = ReadFileBytes(dir.Path("run.eng"));
    std::string header = "Count\tDate\tTime\tBeta(470)\tBetap(470)\tbbp(470)\tbb(470))\tPres(dbar)\tCounter\r\n";
    ASSERT_EQ(text.substr(0, header.size()), header);
    std::string row = text.substr(header.size());
    EXPECT_EQ(row.substr(0, 21), "0\t030726\t123015\t0.100");
    EXPECT_EQ(row.substr(row.size() - 11), "\t100.5\t42\r\n");
    EXPECT_EQ(s.EngrFileSize, long(text.size()));
}

TEST_F(RecordingTest, NewDeviceFileWhileRecordingAddsAHeader)
{
    LoadDevice("S\nColumns=1\nCHL=1 1 0\n");
    dialogs.Answers.push_back(dir.Path("run.eng"));
    BTRecordEngrClick(ctx);
    AssembleLines(ctx, "5\n");
    LoadDevice("T\nColumns=1\nNTU=1 1 0\n");
    AssembleLines(ctx, "6\n");
    BTStopRecordClick(ctx);
    EXPECT_EQ(ReadFileBytes(dir.Path("run.eng")), "Count\tDate\tTime\tCHL(ug/l)\r\n0\t010101\t151515\t5.0000\r\n"
                                                  "Count\tDate\tTime\tNTU\r\n1\t010101\t151515\t6.0000\r\n");
}

// A row longer than what its values are gathered in before they join it, with values beyond
// the short formatting (huge, infinite, not a number) between ordinary ones, in every decimals
// setting a row uses: the row reads as printf wrote each value.
TEST(EngineeringRow, MixedValuesReadAsPrintfWroteThem)
{
    using namespace TypeCode;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {0.001234, -1e12, inf, 5e8, nan, -0.0, 1e300, -123.4567885};
    auto printed = [](const char* format, double v) {
        char text[512];
        std::snprintf(text, sizeof text, format, v);
        return std::string(text);
    };
    HostState s;
    s.SampleX = 12345678901.0;
    s.MeterDate = {3, 7, 26};
    s.MeterTime = {12, 30, 5};
    std::string expected = "12345678901\t030726\t123005";
    std::size_t next = 0;
    auto value = [&] { return values[next++ % std::size(values)]; };
    int col = 0;
    for (int t = FirstLambda; t <= LastLambda; ++t) {
        s.Device.ColumnTypes[std::size_t(col++)] = TTypeCode(t);
        for (double* kind : {&s.TypeBeta[t], &s.TypeBetap[t], &s.TypeBbp[t], &s.TypeBb[t]}) {
            *kind = value();
            expected += printed("\t%8.6f", *kind);
        }
    }
    const std::pair<TTypeCode, const char*> others[] = {{CHL, "\t%6.4f"}, {Pressure, "\t%5.1f"}, {Counter, "\t%1.0f"}};
    for (const auto& [t, format] : others) {
        s.Device.ColumnTypes[std::size_t(col++)] = t;
        s.EngValue[t] = value();
        expected += printed(format, s.EngValue[t]);
    }
    std::string row;
    AppendEngrDataRow(row, s);
    EXPECT_EQ(row, expected + "\r\n");
}

TEST_F(RecordingTest, EngineeringRecordWithoutDeviceFileAsksForOne)
{
    dialogs.Answers.push_back(std::nullopt);  // device dialog cancelled
    dialogs.Answers.push_back(dir.Path("plain.eng"));
    BTRecordEngrClick(ctx);
    EXPECT_EQ(dialogs.Requests[0].Title, "Open Device File");
    EXPECT_EQ(dialogs.Requests[1].Title, "Open Engr Units Record File");
    AssembleLines(ctx, "1\t2\n");
    BTStopRecordClick(ctx);
    EXPECT_EQ(ReadFileBytes(dir.Path("plain.eng")), "Count\tDate\tTime\r\n0\t010101\t151515\r\n");
}

TEST_F(RecordingTest, EveryInputStepReachesTheDiskWithoutStopRecord)
{
    LoadDevice("S\nColumns=2\nCHL=1 1 0\nNTU=2 1 0\n");
    OpenPort();
    dialogs.Answers.push_back(dir.Path("run.raw"));
    BTRecordRawClick(ctx);
    dialogs.Answers.push_back(dir.Path("run.eng"));
    BTRecordEngrClick(ctx);
    std::string raw;
    for (int step = 1; step <= 3; ++step) {
        std::string lines = CFormat("%d\t1\r\n%d\t2\r\n", step, step);
        raw += lines;
        port.Inbound = lines;
        PollInput(ctx);
        // Another reader sees every line of the step, as it would after a crash.
        EXPECT_EQ(ReadFileBytes(dir.Path("run.raw")), raw);
        std::string eng = ReadFileBytes(dir.Path("run.eng"));
        EXPECT_EQ(std::count(eng.begin(), eng.end(), '\n'), 1 + 2 * step) << eng;
    }
    EXPECT_TRUE(Warnings().empty());
}

// A program that ends while recording leaves the whole record on the disk: the rows of a
// step too large for one write, and the rest still buffered when the core goes away.
TEST_F(RecordingTest, ARecordEndingWithTheProgramIsComplete)
{
    constexpr int kLines = 4000;
    {
        FakeUi ui2;
        FakePlot plot2;
        FakePort port2;
        HostCore other(ui2, plot2, port2, dialogs);
        dialogs.Answers.push_back(dir.Write("sensor.dev", "S\nColumns=1\nCHL=1 1 0\n"));
        dialogs.Answers.push_back(dir.Path("run.eng"));
        BTRecordEngrClick(other.Context());
        std::string lines;
        for (int i = 1; i <= kLines; ++i)
            lines += std::to_string(i) + "\n";
        AssembleLines(other.Context(), lines);
    }
    const std::string eng = ReadFileBytes(dir.Path("run.eng"));
    EXPECT_EQ(std::count(eng.begin(), eng.end(), '\n'), 1 + kLines);
    EXPECT_EQ(eng.substr(eng.rfind('\n', eng.size() - 2) + 1),
              CFormat("%d\t010101\t151515\t%d.0000\r\n", kLines - 1, kLines));
}

// A file size limit stands in for a disk that fills up while recording: writes beyond it
// fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

struct RecordFailure {
    const char* name;
    bool raw;      // which record fails; the other one goes on
    bool fillsUp;  // a disk that fills up after some data, or one that is full from the start
};

void PrintTo(const RecordFailure& c, std::ostream* out) { *out << c.name; }

class RecordFailureTest : public RecordingTest, public testing::WithParamInterface<RecordFailure> {};

TEST_P(RecordFailureTest, StopsThatRecordingWithAWarningAndKeepsWhatWasWritten)
{
    const RecordFailure& c = GetParam();
    if (!c.fillsUp && !std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    LoadDevice("S\nColumns=2\nCHL=1 1 0\nNTU=2 1 0\n");
    OpenPort();
    std::string failing = dir.Path(c.raw ? "fails.raw" : "fails.eng");
    if (!c.fillsUp)
        std::filesystem::create_symlink("/dev/full", failing);
    auto record = [&](bool raw, const std::string& path) {
        dialogs.Answers.push_back(path);
        raw ? BTRecordRawClick(ctx) : BTRecordEngrClick(ctx);
    };
    record(c.raw, failing);
    // A size limit holds for every file, so only the full device shows the other recording go on.
    std::string good = dir.Path(c.raw ? "good.eng" : "good.raw");
    if (!c.fillsUp)
        record(!c.raw, good);
    std::string sent;
    auto step = [&](int k) {
        port.Inbound = CFormat("%d\t1\r\n", k);
        sent += port.Inbound;
        PollInput(ctx);
    };
    step(1);
    step(2);
    std::string before = c.fillsUp ? ReadFileBytes(failing) : "";
    {
        std::optional<FileSizeLimit> limit;
        if (c.fillsUp)
            limit.emplace(rlim_t(before.size() + 5));
        for (int k = 3; k <= 6; ++k)
            step(k);
    }

    EXPECT_FALSE(c.raw ? s.RawRecording : s.EngrRecording);
    ASSERT_EQ(Warnings().size(), 1u);  // once, not at every later step
    EXPECT_EQ(Warnings()[0].Caption, "Recording Stopped");
    EXPECT_EQ(Warnings()[0].Text,
              CFormat("The %s record file \"%s\" could not be written: %s.\nRecording to it has "
                      "stopped; the file keeps what was written before.",
                      c.raw ? "raw" : "engineering units", failing.c_str(), std::strerror(c.fillsUp ? EFBIG : ENOSPC)));
    core.Timer1SecondTimer();
    EXPECT_EQ(ui.Texts["LBRecordStatus"], c.fillsUp ? "Recording:  OFF"
                                          : c.raw   ? "Recording:  Engr Units"
                                                    : "Recording:  Raw");
    if (c.fillsUp) {
        std::string kept = ReadFileBytes(failing);
        EXPECT_EQ(kept.substr(0, before.size()), before);
        EXPECT_LE(kept.size(), before.size() + 5);
        if (c.raw) {
            EXPECT_EQ(kept, sent.substr(0, kept.size()));
        }
    }
    BTStopRecordClick(ctx);
    EXPECT_EQ(Warnings().size(), 1u);
    if (!c.fillsUp) {
        std::string goodText = ReadFileBytes(good);
        EXPECT_EQ(std::count(goodText.begin(), goodText.end(), '\n'), c.raw ? 7 : 6) << goodText;  // header + rows
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordFailureTest,
                         testing::Values(RecordFailure{"RawOnAFullDevice", true, false},
                                         RecordFailure{"EngineeringOnAFullDevice", false, false},
                                         RecordFailure{"RawFillingUp", true, true},
                                         RecordFailure{"EngineeringFillingUp", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A disk that fills up in the middle of a row: the file is cut back to its last whole row, and
// the size shown is what the disk holds, not what was handed to the C library.
TEST_F(RecordingTest, ADiskFullInMidRowLeavesWholeRowsAndShowsWhatIsOnTheDisk)
{
    for (bool raw : {true, false}) {
        SCOPED_TRACE(raw ? "raw" : "engineering units");
        LoadDevice("S\nColumns=2\nCHL=1 1 0\nNTU=2 1 0\n");
        OpenPort();
        const std::string file = dir.Path(raw ? "torn.raw" : "torn.eng");
        dialogs.Answers.push_back(file);
        raw ? BTRecordRawClick(ctx) : BTRecordEngrClick(ctx);
        port.Inbound = "1\t1\r\n2\t1\r\n";
        PollInput(ctx);
        const std::string before = ReadFileBytes(file);
        {
            FileSizeLimit limit(rlim_t(before.size() + 3));  // room for part of the next row only
            port.Inbound = "3\t1\r\n4\t1\r\n";
            PollInput(ctx);
        }
        EXPECT_FALSE(raw ? s.RawRecording : s.EngrRecording);
        EXPECT_EQ(ReadFileBytes(file), before);
        EXPECT_EQ(raw ? s.RawFileSize : s.EngrFileSize, long(before.size()));
        EXPECT_EQ(Warnings().size(), 1u);
        while (core.Warnings().TakeNext())
            core.Warnings().BoxClosed();
    }
}

TEST_F(RecordingTest, LogDownloadCompletesOnTheMarkSplitOverReads)
{
    OpenPort();
    dialogs.Answers.push_back(dir.Path("log.raw"));
    BTGetDataClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "$get\r\n");
    EXPECT_EQ(ui.Texts["LBReceiveStatus"], "Receive File Status:  In Progress");
    port.Inbound = "line 1\r\nline 2 e";
    core.Timer55msTimer();
    EXPECT_TRUE(s.Receiving);
    port.Inbound = "TX and after";
    core.Timer55msTimer();
    EXPECT_FALSE(s.Receiving);
    EXPECT_EQ(s.ReceiveStatus, ReceiveState::Complete);
    EXPECT_EQ(ReadFileBytes(dir.Path("log.raw")), "line 1\r\nline 2 eTX and after");
    EXPECT_EQ(s.ReceiveFileSize, 28);
    EXPECT_EQ(s.LineCounter, 0.0);  // no data lines are parsed during a download

    // A new download does not inherit the half-seen mark of the last one.
    s.EtxWindow = {'x', 'e', 't'};
    dialogs.Answers.push_back(dir.Path("log2.raw"));
    BTGetDataClick(ctx);
    port.Inbound = "x";
    core.Timer55msTimer();
    EXPECT_TRUE(s.Receiving);
}

TEST_F(RecordingTest, LogDownloadSilenceAndCancel)
{
    OpenPort();
    dialogs.Answers.push_back(dir.Path("log.raw"));
    BTGetDataClick(ctx);
    for (int i = 0; i < 60; ++i)
        core.Timer55msTimer();
    EXPECT_TRUE(s.Receiving);
    core.Timer55msTimer();
    EXPECT_FALSE(s.Receiving);
    EXPECT_EQ(s.ReceiveStatus, ReceiveState::Incomplete);

    dialogs.Answers.push_back(dir.Path("log.raw"));
    BTGetDataClick(ctx);
    port.TakeWritten();
    BitBtnCancelClick(ctx);
    EXPECT_EQ(port.TakeWritten(), "!!!!!");
    for (int i = 0; i < 70; ++i)
        core.Timer55msTimer();
    EXPECT_EQ(s.ReceiveStatus, ReceiveState::Cancelled);
    core.Timer1SecondTimer();
    EXPECT_EQ(ui.Texts["LBReceiveStatus"], "Receive File Status:  Cancelled");

    dialogs.Answers.push_back(dir.Path("missing/dir/log.raw"));
    port.TakeWritten();
    BTGetDataClick(ctx);
    EXPECT_FALSE(s.Receiving);
    EXPECT_EQ(port.Written, "");  // no "$get" without a file
}

TEST_F(RecordingTest, ReplayPassesTheLivePathAndRewindsAtTheEnd)
{
    std::string file = dir.Write("in.raw", "1\t2\r\n3\t4\r\n5\t6");
    dialogs.Answers.push_back(file);
    ReplayRawFileClick(ctx);
    EXPECT_TRUE(s.ReplayMode);
    EXPECT_EQ(ui.TimerInterval, 220);
    EXPECT_EQ(core.Timer55msInterval(), 220);
    EXPECT_EQ(ui.Texts["BTStopData"], "Stop Replay");
    EXPECT_FALSE(ui.GetChecked("RealTimeData"));
    dialogs.Answers.push_back(dir.Path("again.raw"));
    BTRecordRawClick(ctx);

    PollInput(ctx);  // paused at start
    EXPECT_EQ(s.LineCounter, 0.0);
    BTStartClick(ctx);
    for (int i = 0; i < 3; ++i)
        PollInput(ctx);
    EXPECT_EQ(s.LineCounter, 2.0);  // the last line has no line end yet
    PollInput(ctx);                 // end of file: the last line counts, then pause and rewind
    EXPECT_EQ(s.LineCounter, 3.0);
    EXPECT_FALSE(s.ReplayRunning);
    EXPECT_EQ(ui.Texts["BTStartData"], "Start Replay");
    BTStartClick(ctx);
    PollInput(ctx);
    EXPECT_EQ(s.LineCounter, 4.0);
    BTStopRecordClick(ctx);
    EXPECT_EQ(ReadFileBytes(dir.Path("again.raw")), "1\t2\r\n3\t4\r\n5\t61\t2\r\n");

    RealTimeDataClick(ctx);
    EXPECT_FALSE(s.ReplayMode);
    EXPECT_EQ(ui.TimerInterval, 55);
    EXPECT_EQ(ui.Texts["BTStartData"], "Start Data");
    EXPECT_TRUE(ui.GetChecked("RealTimeData"));
}

TEST_F(RecordingTest, ReplayLinesAreAtMost98BytesAndKeepNulBytes)
{
    dialogs.Answers.push_back(dir.Write("in.raw", std::string("1\0002\n", 4) + std::string(150, '7')));
    ReplayRawFileClick(ctx);
    EXPECT_EQ(ReadReplayLine(ctx), std::string("1\0002\n", 4));
    EXPECT_EQ(ReadReplayLine(ctx).size(), 98u);
}

class StateFileTest : public RecordingTest {
protected:
    std::string oldCwd = std::filesystem::current_path().string();
    StateFileTest() { std::filesystem::current_path(dir.Folder()); }
    ~StateFileTest() override { std::filesystem::current_path(oldCwd); }
};

TEST_F(StateFileTest, ExitSavesAndTheNextStartRestores)
{
    LoadDevice("S\nColumns=2\nCHL=1 1 0\niTemp=2 1 0\n");
    ui.Indexes["CBHostPort"] = 0;
    ui.Indexes["CBBaudRate"] = 3;
    s.PowerUser = true;
    s.StatMode = TitleStat::StdDev15;
    s.PlotType = PlotMode::EngrUnits;
    s.BetaSelect = BetaKind::ParticleBackscatter;
    s.ITempPlot = 1;
    s.RatioCorrection = 1;
    EarlyCommandsClick(ctx);
    core.BTExitClick();
    EXPECT_EQ(ReadFileBytes("last.rbs"), "0 3 1 15 1 2 1 0 0 1 0 1\r\nsensor.dev\r\n");
    EXPECT_EQ(plot.Saved, (std::vector<std::string>{"zuvpravix.rbs"}));

    std::ofstream("zuvpravix.rbs") << "File Type = TiPlot\n";
    FakeUi ui2;
    FakePlot plot2;
    FakePort port2;
    HostCore next(ui2, plot2, port2, dialogs);
    next.Timer55msTimer();
    next.Timer1SecondTimer();
    HostState& r = next.State();
    EXPECT_EQ(r.DevicePath, "sensor.dev");
    EXPECT_EQ(ui2.Texts["LBDeviceFile"], "Device File:  sensor.dev");
    EXPECT_EQ(ui2.Indexes["CBBaudRate"], 3);
    EXPECT_EQ(r.BaudIndex, 3);
    EXPECT_TRUE(r.PowerUser);
    EXPECT_EQ(r.StatMode, 15);
    EXPECT_EQ(ui2.Indexes["StdDevCB"], 2);
    EXPECT_EQ(r.PlotType, 1);
    EXPECT_EQ(ui2.Indexes["PlotTypeCB"], 1);
    EXPECT_EQ(r.BetaSelect, 2);
    EXPECT_EQ(r.RatioCorrection, 1);
    EXPECT_TRUE(r.EarlyCommands);
    EXPECT_TRUE(ui2.GetChecked("EarlyCommands"));
    EXPECT_TRUE(ui2.IsVisible("PCOMPort"));  // port item 0: nothing opened
    EXPECT_EQ(ui2.ActivePage, 4);
    EXPECT_FALSE(ui2.IsVisible("PMeterType"));
    EXPECT_EQ(plot2.Loaded, (std::vector<std::string>{"zuvpravix.rbs"}));
    EXPECT_TRUE(r.PlotSetupPending);
    next.Timer55msTimer();  // the channels are built at the next input step
    EXPECT_EQ(plot2.ChannelCount(), 2);
    EXPECT_EQ(r.ITempPlot, 1);
}

TEST_F(StateFileTest, NothingIsSavedWithoutPortItemOrDeviceFile)
{
    core.BTExitClick();
    EXPECT_FALSE(std::filesystem::exists("last.rbs"));
    LoadDevice("S\nColumns=1\nCHL=1 1 0\n");
    core.BTExitClick();  // CBHostPort still at -1
    EXPECT_FALSE(std::filesystem::exists("last.rbs"));
}

TEST_F(StateFileTest, BadStateFilesStartClean)
{
    const char* files[] = {
        "1 2 3\r\nsensor.dev\r\n",                     // short of twelve numbers
        "1 2 0 0 0 0 0 0 0 0 0 0\r\nmissing.dev\r\n",  // device file missing
        "1 2 0 0 0 0 0 0 0 0 0 0\r\nbroken.dev\r\n",   // device file invalid
    };
    dir.Write("sensor.dev", "S\nColumns=1\nCHL=1 1 0\n");
    dir.Write("broken.dev", "S\nCHL=x\n");
    for (const char* text : files) {
        dir.Write("last.rbs", text);
        FakeUi ui2;
        FakePort port2;
        HostCore next(ui2, plot, port2, dialogs);
        next.Timer1SecondTimer();
        EXPECT_EQ(next.State().DevicePath, "") << text;
        EXPECT_TRUE(port2.Opened.empty()) << text;
    }
}

TEST_F(StateFileTest, OutOfRangeFieldsKeepTheirStartValues)
{
    dir.Write("sensor.dev", "S\nColumns=1\nCHL=1 1 0\n");
    dir.Write("last.rbs", "13 7 5 60 7 1 9 1 -1 2 1 4\nsensor.dev\n");
    FakeUi ui2;
    ui2.Indexes["CBBaudRate"] = 2;
    FakePort port2;
    HostCore next(ui2, plot, port2, dialogs);
    next.Timer1SecondTimer();
    HostState& r = next.State();
    EXPECT_EQ(r.DevicePath, "sensor.dev");
    EXPECT_EQ(ui2.GetItemIndex("CBHostPort"), -1);
    EXPECT_EQ(ui2.Indexes["CBBaudRate"], 2);
    EXPECT_FALSE(r.PowerUser);
    EXPECT_EQ(r.StatMode, 60);
    EXPECT_EQ(r.PlotType, 0);
    EXPECT_EQ(r.XTempPlot, 1);
    EXPECT_EQ(r.PresPlot, 0);
    EXPECT_EQ(r.RatioCorrection, 0);
    EXPECT_EQ(r.TempCorrection, 1);
    EXPECT_FALSE(r.EarlyCommands);
    EXPECT_TRUE(port2.Opened.empty());
}

}  // namespace

namespace {

// Lines of a record file that are complete (CR LF ended), split into their TAB-separated fields.
std::vector<std::vector<std::string>> CompleteRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        std::vector<std::string> fields;
        std::size_t from = start, tab;
        while ((tab = text.find('\t', from)) < end) {
            fields.push_back(text.substr(from, tab - from));
            from = tab + 1;
        }
        fields.push_back(text.substr(from, end - from));
        rows.push_back(fields);
        start = end + 2;
    }
    return rows;
}

// The host process is killed in the middle of a recording: every line that it had taken in
// by the end of the last step it finished is in both record files. The meter numbers its lines
// and sends noise between them, so a lost, doubled or torn line shows.
TEST(RecordingKilled, EveryLineOfTheStepsBeforeTheKillIsInBothFiles)
{
    TempDir dir;
    std::string device = dir.Write("counting.dev", "Counting meter\nColumns=4\nDate=1\nTime=2\nCOUNTER=3\nCHL=4 1 0\n");
    ChildProcess meter, host;
    ASSERT_TRUE(meter.Start(BuiltProgram("tools/simulator/zuvsim"),
                            {"--device", device, "--rate", "200", "--noise", "3", "--link", dir.Path("tty")}));
    ASSERT_TRUE(meter.ReadLine());
    ASSERT_TRUE(
        host.Start(BuiltProgram("tools/recorder/zuvrecord"), {"--port", dir.Path("tty"), "--device", device, "--raw",
                                                              dir.Path("run.raw"), "--eng", dir.Path("run.eng")}));
    long taken = 0;
    while (taken < 150) {
        auto line = host.ReadLine();
        ASSERT_TRUE(line) << "the host stopped reporting at " << taken << " lines";
        if (line->rfind("lines ", 0) == 0)
            taken = std::stol(line->substr(6));
    }
    host.Signal(SIGKILL);
    int status = host.Wait();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    std::vector<std::vector<std::string>> raw;
    for (auto& row : CompleteRows(ReadFileBytes(dir.Path("run.raw"))))
        if (row.size() == 4 && row[0].find('/') != std::string::npos)
            raw.push_back(row);
    auto eng = CompleteRows(ReadFileBytes(dir.Path("run.eng")));
    ASSERT_GE(raw.size(), std::size_t(taken));
    ASSERT_GE(eng.size(), std::size_t(taken) + 1);
    EXPECT_EQ(eng[0], (std::vector<std::string>{"Count", "Date", "Time", "Counter", "CHL(ug/l)"}));
    for (long i = 0; i < taken; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(raw[std::size_t(i)][2], std::to_string(i + 1));
        const auto& row = eng[std::size_t(i) + 1];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], std::to_string(i));
        EXPECT_EQ(row[3], std::to_string(i + 1));
    }
}

}  // namespace
