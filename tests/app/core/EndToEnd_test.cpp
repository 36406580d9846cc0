// The host core with the real serial port against the meter simulator on a pseudo-terminal.

#include "HostFakes.h"
#include "platform/core/Streams.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/LogDownload.h"
#include "app/core/MeterCommands.h"
#include "app/core/MeterProtocol.h"
#include "app/core/Recording.h"
#include "app/core/Replay.h"
#include "app/core/SerialLink.h"
#include "platform/core/SerialPort.h"
#include "tools/simulator/MeterSimulator.h"

namespace {

class EndToEnd : public testing::Test {
public:
    std::vector<Warning> Warnings()
    {
        auto& q = core.Warnings().Pending();
        return {q.begin(), q.end()};
    }

protected:
    FakeUi ui;
    FakePlot plot;
    SerialPort port;
    FakeDialogs dialogs;
    HostCore core{ui, plot, port, dialogs};
    HostState& s = core.State();
    HostContext& ctx = core.Context();
    TempDir dir;
    std::unique_ptr<MeterSimulator> sim;

    void StartSimulator(const std::string& device, bool noDate = false, std::string log = {})
    {
        SimulatorConfig config;
        config.DevicePath = SampleDevice(device);
        config.LinesPerSecond = 40;
        config.NoDatePrefix = noDate;
        config.InternalLog = std::move(log);
        StartSimulator(config);
    }

    void StartSimulator(const SimulatorConfig& config)
    {
        sim = std::make_unique<MeterSimulator>(config);
        std::string error;
        ASSERT_TRUE(sim->Open(&error)) << error;
        setenv("COM3", sim->SlavePath().c_str(), 1);
        ui.Indexes["CBBaudRate"] = 2;
        ui.Checked["R_PARWater"] = true;
    }

    void LoadDevice(const std::string& device)
    {
        dialogs.Answers.push_back(SampleDevice(device));
        LoadDeviceFileClick(ctx);
        ASSERT_EQ(s.DevicePath, SampleDevice(device)) << (Warnings().empty() ? "" : Warnings()[0].Text);
    }

    void OpenCom3()
    {
        ui.Indexes["CBHostPort"] = 3;
        CBHostPortChange(ctx);
        ASSERT_EQ(s.PortNumber, 3);
    }

    // One 55 ms tick of the host with the simulator running around it.
    void Tick()
    {
        sim->Pump(1);
        core.Timer55msTimer();
        sim->Pump(2);
    }

    template <typename Pred>
    bool RunUntil(Pred done, int maxTicks = 400)
    {
        for (int i = 0; i < maxTicks; ++i) {
            if (done())
                return true;
            Tick();
        }
        return done();
    }

    ~EndToEnd() override { unsetenv("COM3"); }
};

TEST_F(EndToEnd, SetupRequestRepliesAndSetCommands)
{
    StartSimulator("fluorometer.dev");
    LoadDevice("fluorometer.dev");
    OpenCom3();
    ASSERT_TRUE(RunUntil([&] { return s.MeterIdentified && s.MemoryBlocksUsed == 120; }));
    EXPECT_EQ(sim->Commands().front(), "$mnu");
    EXPECT_EQ(s.MeterAverage, 30u);
    EXPECT_EQ(s.MeterInterval, "000010");
    EXPECT_EQ(ui.Texts["Form1"], "ZUV View:  v1.20 2009-Mar-11   ZUV: VER ZUV-SIM 1.0");

    ui.Texts["MEAverage"] = "12";
    BTAverageClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.MeterAverage == 12u; }));
    EXPECT_EQ(sim->Commands().back(), "$AVE 12");
    core.Timer500msTimer();
    EXPECT_EQ(ui.Texts["LBAVE"], "Average: 12");
    EXPECT_EQ(ui.Texts["LBStorageUsed"], "Used:  30 K   2.9 %");
    BTStoreSetupClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return ui.Texts["PStore"] == "Setup is Current"; }));

    // A new rate closes and reopens the exclusive port and asks again.
    ui.Indexes["CBBaudRate"] = 3;
    CBHostPortChange(ctx);
    EXPECT_EQ(s.PortNumber, 3);
    size_t before = sim->Commands().size();
    ASSERT_TRUE(RunUntil([&] { return sim->Commands().size() > before; }));
    EXPECT_EQ(sim->Commands().back(), "$mnu");
}

TEST_F(EndToEnd, DataFlowsToThePlotAndStopsOnTheStopSequence)
{
    StartSimulator("fluorometer.dev");
    LoadDevice("fluorometer.dev");
    OpenCom3();
    BTStartClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= 20; }));
    ASSERT_EQ(plot.ChannelCount(), 3);  // CHL, iTemp, Pres
    EXPECT_EQ(plot.Channels[0].Title.rfind("CHL: ", 0), 0u);
    EXPECT_GE(plot.Channels[0].Points.size(), 19u);
    EXPECT_TRUE(Warnings().empty());
    EXPECT_EQ(s.MismatchCount, 0);

    BTStopClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return sim->StopSequences() == 1; }));
    for (int i = 0; i < 5; ++i)
        Tick();
    double counted = s.LineCounter;
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(s.LineCounter, counted);
    EXPECT_FALSE(sim->Streaming());
}

TEST_F(EndToEnd, LinesWithoutDateCountFromOne)
{
    StartSimulator("backscatter.dev", true);
    LoadDevice("backscatter.dev");
    OpenCom3();
    BTStartClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= 5; }));
    EXPECT_EQ(plot.ChannelCount(), 9);
    EXPECT_EQ(s.MeterDate[0], 99);
    EXPECT_EQ(s.SampleX, s.LineCounter);
}

TEST_F(EndToEnd, LogDownloadEndsAtTheMark)
{
    std::string log = "03/07/26\t12:00:00\t101\r\n03/07/26\t12:00:10\t103\r\n";
    StartSimulator("fluorometer.dev", false, log);
    LoadDevice("fluorometer.dev");
    OpenCom3();
    dialogs.Answers.push_back(dir.Path("log.raw"));
    BTGetDataClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return !s.Receiving; }));
    EXPECT_EQ(s.ReceiveStatus, ReceiveState::Complete);
    // The menu's replies may precede the log when the set-up request went out first.
    std::string got = ReadFileBytes(dir.Path("log.raw"));
    ASSERT_GE(got.size(), log.size() + 5);
    EXPECT_EQ(got.substr(got.size() - log.size() - 5), log + "etx\r\n");
}

// The rows of an ".eng" file without their first column (the sample count).
std::vector<std::string> RowsAfterCount(const std::string& eng)
{
    std::vector<std::string> rows;
    for (size_t at = eng.find("\r\n") + 2; at < eng.size();) {
        size_t end = eng.find("\r\n", at);
        rows.push_back(eng.substr(eng.find('\t', at), end - eng.find('\t', at)));
        at = end + 2;
    }
    return rows;
}

TEST_F(EndToEnd, ReplayOfTheRawRecordGivesTheLiveEngineeringRows)
{
    StartSimulator("fluorometer.dev");
    core.Timer55msTimer();  // the program's first tick comes before a device file
    LoadDevice("fluorometer.dev");
    OpenCom3();
    dialogs.Answers.push_back(dir.Path("live.raw"));
    BTRecordRawClick(ctx);
    dialogs.Answers.push_back(dir.Path("live.eng"));
    BTRecordEngrClick(ctx);
    BTStartClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= 20; }));
    BTStopClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return sim->StopSequences() == 1; }));
    for (int i = 0; i < 10; ++i)  // the line in flight arrives whole
        Tick();
    BTStopRecordClick(ctx);
    const double liveLines = s.LineCounter;
    const std::string live = ReadFileBytes(dir.Path("live.eng"));
    ASSERT_EQ(std::count(live.begin(), live.end(), '\n'), long(liveLines) + 1);

    // Replayed in a later run of the program, the record is the same file. Date and time
    // come from the data lines themselves, not from the host's clock.
    {
        FakeUi ui2;
        FakePlot plot2;
        FakePort port2;
        FakeDialogs dialogs2;
        PinnedClock clock2;
        HostCore later(ui2, plot2, port2, dialogs2);
        HostContext& r = later.Context();
        ui2.Checked["R_PARWater"] = true;
        later.Timer55msTimer();
        dialogs2.Answers = {SampleDevice("fluorometer.dev"), dir.Path("later.eng"), dir.Path("live.raw")};
        LoadDeviceFileClick(r);
        BTRecordEngrClick(r);
        ReplayRawFileClick(r);
        BTStartClick(r);
        for (int i = 0; i < 1000 && later.State().ReplayRunning; ++i)
            later.Timer55msTimer();
        BTStopRecordClick(r);
        EXPECT_EQ(later.State().LineCounter, liveLines);
        EXPECT_EQ(ReadFileBytes(dir.Path("later.eng")), live);
    }

    // Replayed in the same run, the sample count goes on from the live lines (the line counter
    // is never reset); every other column is the same.
    dialogs.Answers = {dir.Path("same.eng"), dir.Path("live.raw")};
    BTRecordEngrClick(ctx);
    ReplayRawFileClick(ctx);
    BTStartClick(ctx);
    for (int i = 0; i < 1000 && s.ReplayRunning; ++i)
        core.Timer55msTimer();
    BTStopRecordClick(ctx);
    const std::string same = ReadFileBytes(dir.Path("same.eng"));
    EXPECT_EQ(same.substr(0, same.find("\r\n")), live.substr(0, live.find("\r\n")));
    EXPECT_EQ(RowsAfterCount(same), RowsAfterCount(live));
    const std::string firstRow = same.substr(same.find("\r\n") + 2);
    EXPECT_EQ(firstRow.substr(0, firstRow.find('\t')), CFormat("%1.0f", liveLines));
}

// A log of data lines longer than one read: the host stores it without parsing it.
std::string MeterLog()
{
    std::string log;
    for (int i = 0; i < 20; ++i)
        log += CFormat("03/07/26\t12:%02d:00\t%d\t1400\t1500\t1600\r\n", i, 1300 + i);
    return log;
}

TEST_F(EndToEnd, LogDownloadEndStates)
{
    const std::string log = MeterLog();
    const std::string dump = log + "etx\r\n";
    ASSERT_GT(log.size(), size_t(kLogChunk));
    StartSimulator("fluorometer.dev", false, log);
    LoadDevice("fluorometer.dev");
    OpenCom3();
    // The set-up request's replies come first, up to the line end of the last one.
    ASSERT_TRUE(
        RunUntil([&] { return !ui.Memo.empty() && ui.Memo.back().rfind("DAT ", 0) == 0 && s.LineBuffer.empty(); }));

    struct {
        const char* label;
        bool cancel, resume;
        int status;
        std::string file;
    } const cases[] = {
        {"Complete", false, true, ReceiveState::Complete, dump},
        {"Cancelled", true, true, ReceiveState::Cancelled, dump},
        {"Incomplete", false, false, ReceiveState::Incomplete, log + "e"},  // last: its rest never comes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        sim->PauseNextLogAfter(log.size() + 1, 60000);  // "e", then a long wait before "tx"
        std::string path = dir.Path(std::string(c.label) + ".raw");
        dialogs.Answers.push_back(path);
        BTGetDataClick(ctx);
        ASSERT_TRUE(RunUntil([&] { return s.ReceiveFileSize == long(log.size() + 1); }));
        int silent = 0;
        for (; silent < 20; ++silent)
            Tick();
        EXPECT_TRUE(s.Receiving);
        if (c.cancel) {
            BitBtnCancelClick(ctx);
            ASSERT_TRUE(RunUntil([&] { return sim->StopSequences() == 1; }));
        }
        if (c.resume)
            sim->PauseFor(0);
        for (; s.Receiving && silent < 200; ++silent)
            Tick();
        if (!c.resume) {
            EXPECT_EQ(silent, 60);
        }
        core.Timer1SecondTimer();
        EXPECT_EQ(s.ReceiveStatus, c.status);
        EXPECT_EQ(ui.Texts["LBReceiveStatus"], std::string("Receive File Status:  ") + c.label);
        EXPECT_EQ(ui.Colors["LBReceiveStatus"], c.status == ReceiveState::Incomplete ? clRed : clBtnFace);
        EXPECT_EQ(ReadFileBytes(path), c.file);
        EXPECT_EQ(s.ReceiveFileSize, long(c.file.size()));
    }
    EXPECT_EQ(s.LineCounter, 0.0);  // the log's data lines were stored, not parsed
}

// The cable pulled, over a pseudo-terminal whose meter end closes: one message, the port
// closed and the rate cleared; once the meter is back, "Start Data" opens the port again.
TEST_F(EndToEnd, AMeterThatGoesAwayStopsTheDataWithOneMessage)
{
    StartSimulator("fluorometer.dev");
    LoadDevice("fluorometer.dev");
    OpenCom3();
    BTStartClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= 12; }));
    ASSERT_NE(ui.Texts["LBHz1"], "Sample Rate:");

    sim->CloseLine();
    for (int tick = 0; tick < 20; ++tick)
        core.Timer55msTimer();
    ASSERT_EQ(ui.CommErrors.size(), 1u);
    EXPECT_EQ(ui.CommErrors[0],
              "COM3 Was Disconnected - Data Stopped.\nConnect the meter again, then press Start Data.");
    EXPECT_EQ(s.PortNumber, 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(ui.Texts["LBHz1"], "Sample Rate:");
    EXPECT_EQ(ui.Texts["LBHz2"], "Sample Rate:");
    EXPECT_TRUE(Warnings().empty());

    // Back on another terminal (the same name in real life): "Start Data" opens and starts it.
    StartSimulator("fluorometer.dev");
    const double before = s.LineCounter;
    BTStartClick(ctx);
    EXPECT_EQ(s.PortNumber, 3);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= before + 12; }));
    EXPECT_EQ(sim->Commands().front(), "$run");
    EXPECT_EQ(ui.CommErrors.size(), 1u);
}

TEST_F(EndToEnd, NoiseLongLinesPausesAndALostLine)
{
    StartSimulator("fluorometer.dev");
    LoadDevice("fluorometer.dev");
    OpenCom3();
    BTStartClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= 3; }));
    sim->InjectBytes(std::string("\x01\xff\x00garbage\x7f\r\n", 13));
    sim->InjectLongLine(3000);
    double before = s.LineCounter;
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= before + 5; }));
    auto w = Warnings();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Caption, "Input Buffer Overflow");

    sim->PauseFor(300);
    for (int i = 0; i < 3; ++i)
        Tick();
    before = s.LineCounter;
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= before + 3; }));

    sim->CloseLine();
    for (int i = 0; i < 20; ++i)
        core.Timer55msTimer();
    BTStopClick(ctx);  // writing to a line that went away loses the bytes, nothing more
    EXPECT_GE(s.LineCounter, before + 3);
}

TEST_F(EndToEnd, NoDataLineIsLostAmongScheduledFaults)
{
    SimulatorConfig config;
    config.DevicePath = SampleDevice("fluorometer.dev");
    config.LinesPerSecond = 100;
    config.NoiseEvery = 2;
    config.LongLineEvery = 5;
    config.PauseEvery = 15;
    config.PauseMilliseconds = 100;
    StartSimulator(config);
    LoadDevice("fluorometer.dev");
    OpenCom3();
    dialogs.Answers.push_back(dir.Path("run.eng"));
    BTRecordEngrClick(ctx);
    BTStartClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return s.LineCounter >= 60; }));
    BTStopClick(ctx);
    ASSERT_TRUE(RunUntil([&] { return !sim->Streaming(); }));
    for (int i = 0; i < 5; ++i)  // what was on its way when the meter stopped
        Tick();
    BTStopRecordClick(ctx);

    EXPECT_EQ(s.LineCounter, double(sim->LinesSent()));
    EXPECT_GE(sim->NoiseLinesSent(), 30);
    EXPECT_GE(sim->LongLinesSent(), 12);
    EXPECT_EQ(sim->BytesDropped(), 0u);
    std::string eng = ReadFileBytes(dir.Path("run.eng"));
    EXPECT_EQ(std::count(eng.begin(), eng.end(), '\n'), 1 + sim->LinesSent());
}

TEST(Simulator, StopSequenceArrivingByteByByte)
{
    MeterSimulator sim({});
    ASSERT_TRUE(sim.Open());
    SerialPort host;
    ASSERT_TRUE(host.Open(sim.SlavePath()));
    host.Write("$run\r\n", 6);
    sim.Pump(50);
    EXPECT_TRUE(sim.Streaming());
    for (char c : std::string("!!!!!")) {
        host.WriteByte(static_cast<unsigned char>(c));
        sim.Pump(20);
    }
    EXPECT_FALSE(sim.Streaming());
    EXPECT_EQ(sim.StopSequences(), 1);
    // Four marks and a letter are no stop.
    host.Write("$run\r\n!!!!x", 11);
    sim.Pump(50);
    EXPECT_TRUE(sim.Streaming());
}

TEST(Simulator, ExclusivePortAndReadsThatNeverWait)
{
    MeterSimulator sim({});
    ASSERT_TRUE(sim.Open());
    SerialPort first, second;
    ASSERT_TRUE(first.Open(sim.SlavePath()));
    EXPECT_TRUE(first.Configure(38400));
    char buf[100];
    EXPECT_EQ(first.Read(buf, sizeof buf), 0u);
    if (geteuid() != 0) {  // the administrator may open an exclusive terminal anyway
        EXPECT_FALSE(second.Open(sim.SlavePath()));
    }
    first.Close();
    EXPECT_TRUE(second.Open(sim.SlavePath()));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.Read(buf, sizeof buf), 0u);
    EXPECT_FALSE(SerialPort().Open("/nonexistent/tty"));
}

}  // namespace
