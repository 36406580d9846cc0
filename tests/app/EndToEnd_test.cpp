// The host core with the real serial port against the meter simulator on a pseudo-terminal.

#include "HostFakes.h"
#include "support/TempDir.h"
#include "support/SourcePaths.h"
#include "platform/Streams.h"

#include <cstdlib>

#include "app/DeviceFile.h"
#include "app/LogDownload.h"
#include "app/MeterCommands.h"
#include "app/MeterProtocol.h"
#include "app/SerialLink.h"
#include "platform/SerialPort.h"
#include "tools/simulator/MeterSimulator.h"

namespace {

class EndToEnd : public testing::Test {
public:
    std::vector<Warning> Warnings() { auto& q = core.Warnings().Pending(); return {q.begin(), q.end()}; }

protected:
    FakeUi ui;
    FakePlot plot;
    SerialPort port;
    FakeDialogs dialogs;
    SystemHostClock clock;
    HostCore core{ui, plot, port, dialogs, clock};
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

    template <typename Pred> bool RunUntil(Pred done, int maxTicks = 400)
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
    ASSERT_EQ(plot.ChannelCount(), 3);   // CHL, iTemp, Pres
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
    BTStopClick(ctx);   // writing to a line that went away loses the bytes, nothing more
    EXPECT_GE(s.LineCounter, before + 3);
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
    if (geteuid() != 0) {   // the administrator may open an exclusive terminal anyway
        EXPECT_FALSE(second.Open(sim.SlavePath()));
    }
    first.Close();
    EXPECT_TRUE(second.Open(sim.SlavePath()));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.Read(buf, sizeof buf), 0u);
    EXPECT_FALSE(SerialPort().Open("/nonexistent/tty"));
}

}  // namespace
