// The zuvsim program as a separate process, driven by the host core over its terminal.

#include "HostFakes.h"
#include "support/TempDir.h"
#include "support/SourcePaths.h"
#include "platform/core/Streams.h"

#include <csignal>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/core/DeviceFile.h"
#include "app/core/MeterCommands.h"
#include "app/core/SerialLink.h"
#include "platform/core/SerialPort.h"

extern char** environ;

namespace {

std::string SimulatorProgram()
{
    auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "tools/simulator/zuvsim").string();
}

class SimulatorProcess : public testing::Test {
protected:
    TempDir dir;
    pid_t pid = -1;
    int out = -1;

    // Starts zuvsim and returns the first line it prints (the terminal's path).
    std::string Start(std::vector<std::string> args)
    {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return {};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        std::string program = SimulatorProgram();
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out = pipeFds[0];
        if (rc != 0)
            return {};
        std::string line;
        pollfd p{out, POLLIN, 0};
        char c;
        while (::poll(&p, 1, 5000) > 0 && ::read(out, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    ~SimulatorProcess() override
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);   // the simulator this test started
            int status = 0;
            ::waitpid(pid, &status, 0);
        }
        if (out >= 0)
            ::close(out);
        unsetenv("COM5");
    }
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

    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST_F(SimulatorProcess, RefusesUnknownOptions)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"--bogus"}, {"--set", "AVE"}, {"--rate"}}) {
        Start(args);
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        ::close(out);
        out = -1;
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2) << args[0];
    }
}

}  // namespace
