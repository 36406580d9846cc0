// The zuvsim program as a separate process, driven by the host core over its terminal.

#include "HostFakes.h"
#include "platform/core/Streams.h"
#include "support/ChildProcess.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <thread>

#include "app/core/DeviceFile.h"
#include "app/core/MeterCommands.h"
#include "app/core/SerialLink.h"
#include "platform/core/SerialPort.h"

namespace {

class SimulatorProcess : public testing::Test {
protected:
    TempDir dir;
    ChildProcess sim;

    // Starts zuvsim and returns the first line it prints (the terminal's path).
    std::string Start(std::vector<std::string> args)
    {
        if (!sim.Start(BuiltProgram("tools/simulator/zuvsim"), std::move(args)))
            return {};
        return sim.ReadLine(std::chrono::seconds(5)).value_or("");
    }

    ~SimulatorProcess() override { unsetenv("COM5"); }
};

TEST_F(SimulatorProcess, HostReadsDataThroughTheLink)
{
    std::string link = dir.Path("zuv-link");
    std::string path = Start({"--device", SampleDevice("par.dev"), "--rate", "50", "--link", link, "--set", "AVE=42"});
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    ASSERT_EQ(std::filesystem::read_symlink(link).string(), path);

    FakeUi ui;
    FakePlot plot;
    SerialPort port;
    FakeDialogs dialogs;
    HostCore core(ui, plot, port, dialogs);
    HostContext& ctx = core.Context();
    ui.Indexes["CBBaudRate"] = 1;
    ui.Checked["R_PARWater"] = true;
    dialogs.Answers.push_back(SampleDevice("par.dev"));
    LoadDeviceFileClick(ctx);
    setenv("COM5", link.c_str(), 1);
    ui.Indexes["CBHostPort"] = 5;
    CBHostPortChange(ctx);
    ASSERT_EQ(core.State().PortNumber, 5);
    BTStartClick(ctx);
    for (int i = 0; i < 400 && (core.State().LineCounter < 5 || core.State().MeterAverage != 42u); ++i) {
        core.Timer55msTimer();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(core.State().LineCounter, 5);
    EXPECT_EQ(core.State().MeterAverage, 42u);
    ASSERT_EQ(plot.ChannelCount(), 1);
    EXPECT_EQ(plot.Channels[0].Title.rfind("PAR: ", 0), 0u);
    EXPECT_GT(core.State().EngValue[TypeCode::PAR], 0.0);
    BTStopClick(ctx);

    sim.Signal(SIGTERM);
    int status = sim.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST_F(SimulatorProcess, RefusesUnknownOptionsAndBadValues)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},        {"--set", "AVE"},       {"--rate"},
        {"--noise", "x"},   {"--long-lines", "-1"}, {"--pause", "5"},  // no milliseconds
        {"--hang-up", "0"},
    };
    for (const auto& args : cases) {
        Start(args);
        int status = sim.Wait();
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2) << args[0];
    }
}

TEST_F(SimulatorProcess, HangsUpByItselfWhenAsked)
{
    std::string link = dir.Path("zuv-link");
    ASSERT_FALSE(Start({"--hang-up", "0.2", "--link", link}).empty());
    int status = sim.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

// A test program that aborts must not leave a simulator running: it would hold the test's
// output open and keep ctest waiting until its timeout.
TEST(ChildProcessLifetime, SimulatorEndsWhenItsTestDiesWithoutUnwinding)
{
    int watch[2];
    ASSERT_EQ(::pipe(watch), 0);
    const pid_t test = ::fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        // The simulator inherits the watched pipe as its error output.
        ::dup2(watch[1], 2);
        ::close(watch[0]);
        ::close(watch[1]);
        static ChildProcess sim;  // never destroyed: the process dies below
        if (!sim.Start(BuiltProgram("tools/simulator/zuvsim"), {}) || !sim.ReadLine(std::chrono::seconds(5)))
            ::_exit(3);
        std::abort();
    }
    ::close(watch[1]);
    // End of file only once every writer, the simulator included, is gone; a simulator that is
    // stopped says goodbye on its error output first.
    pollfd p{watch[0], POLLIN, 0};
    char text[256];
    ssize_t got = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (got != 0 && std::chrono::steady_clock::now() < deadline && ::poll(&p, 1, 1000) >= 0)
        got = (p.revents != 0) ? ::read(watch[0], text, sizeof text) : -1;
    EXPECT_EQ(got, 0) << "the simulator outlived its test";
    ::close(watch[0]);
    int status = 0;
    ::waitpid(test, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT) << status;
}

}  // namespace
