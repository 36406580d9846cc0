// The host's figures: data lines per second through its GUI-free core with the main
// window's plot attached (wall and CPU time both), and the time from the program's start to
// its first painted main window.

#include "bench/BenchSupport.h"

#include "app/core/DeviceFile.h"
#include "app/core/HostCore.h"
#include "app/core/InputPath.h"
#include "app/core/Recording.h"
#include "app/core/SerialLink.h"
#include "app/forms/HostPlotControl.h"
#include "app/forms/QX5Main.h"
#include "platform/core/SerialPort.h"
#include "plot/control/iPlot.h"
#include "tools/simulator/MeterSimulator.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kHostLines = 20000;

// The windows as the core sees them: values kept by name, nothing shown.
class TBenchUi : public IHostUi {
public:
    void SetText(const std::string& c, const std::string& t) override { m_texts[c] = t; }
    std::string GetText(const std::string& c) const override
    {
        const auto it = m_texts.find(c);
        return it == m_texts.end() ? std::string() : it->second;
    }
    void SetVisible(const std::string&, bool) override {}
    void SetColor(const std::string&, TColor) override {}
    int GetItemIndex(const std::string& c) const override
    {
        const auto it = m_indexes.find(c);
        return it == m_indexes.end() ? -1 : it->second;
    }
    void SetItemIndex(const std::string& c, int i) override { m_indexes[c] = i; }
    bool GetChecked(const std::string& c) const override
    {
        const auto it = m_checked.find(c);
        return it != m_checked.end() && it->second;
    }
    void SetChecked(const std::string& c, bool v) override { m_checked[c] = v; }
    void SetActivePage(int) override {}
    int MemoLineCount() const override { return 0; }
    void MemoDeleteFirstLine() override {}
    void MemoAppendLine(const std::string&) override {}
    void SetTimerInterval(int) override {}
    void ShowCommError(const std::string&) override {}
    void ShowException(const std::string&) override {}

private:
    std::map<std::string, std::string> m_texts;
    std::map<std::string, int> m_indexes;
    std::map<std::string, bool> m_checked;
};

class TBenchPort : public ISerialPort {
public:
    bool Open(const std::string&) override { return m_open = true; }
    bool Configure(int) override { return true; }
    std::size_t Read(void*, std::size_t) override { return 0; }
    void WriteByte(unsigned char) override {}
    void Write(const void*, std::size_t) override {}
    bool Close() override
    {
        m_open = false;
        return true;
    }
    bool IsOpen() const override { return m_open; }
    bool LineLost() const override { return false; }

private:
    bool m_open = false;
};

// Answers every file dialog with the next path it was given.
class TBenchDialogs : public IFileDialogs {
public:
    std::vector<std::string> Answers;
    std::optional<std::string> OpenFile(const FileDialogRequest&) override { return Next(); }
    std::optional<std::string> SaveFile(const FileDialogRequest&) override { return Next(); }

private:
    std::optional<std::string> Next()
    {
        if (Answers.empty())
            return std::nullopt;
        std::string answer = Answers.front();
        Answers.erase(Answers.begin());
        return answer;
    }
};

std::string DevicePath(const std::string& device)
{
    return std::string(PRAVIX_SOURCE_DIR) + "/resources/devices/" + device;
}

std::string DataLines(const std::string& device, int count)
{
    SimulatorConfig config;
    config.DevicePath = DevicePath(device);
    MeterSimulator meter(config);
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += meter.NextDataLine();
    return lines;
}

std::string TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pravix-bench-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

// The core with a device file loaded, its port open and the engineering record running; the
// lines arrive from memory, a thousand bytes at a time as the port delivers them. The points
// go into the plot of the host's main window (built from its form description, not shown):
// the plot's own cost per line is part of the figure. The record files are synced to the
// disk once per batch: the per-step sync is the disk's speed, not the core's.
void HostCoreLines(benchmark::State& state, const std::string& device)
{
    const std::string lines = DataLines(device, kHostLines);
    const std::string folder = TempFolder();
    TForm1 window(nullptr, std::make_unique<TBenchPort>());
    HostPlotControl plot(*window.FindControl<TiPlot>("iPlot1"));
    TBenchUi ui;
    TBenchPort port;
    TBenchDialogs dialogs;
    HostCore core(ui, plot, port, dialogs);
    HostContext& ctx = core.Context();
    ui.SetItemIndex("CBBaudRate", 2);
    ui.SetChecked("R_PARWater", true);
    ui.SetChecked("RealTimeData", true);
    core.Timer55msTimer();
    ui.SetItemIndex("CBHostPort", 1);
    CBHostPortChange(ctx);
    dialogs.Answers = {DevicePath(device), folder + "/run.eng"};
    LoadDeviceFileClick(ctx);
    BTRecordEngrClick(ctx);
    core.Timer55msTimer();
    for (auto _ : state) {
        for (std::size_t at = 0; at < lines.size(); at += kMaxBytesPerTick)
            AssembleLines(ctx, std::string_view(lines).substr(at, kMaxBytesPerTick));
        FlushRecordFiles(ctx);
    }
    BTStopRecordClick(ctx);
    std::filesystem::remove_all(folder);
    // Lines per second follow from the times per batch: wall and process CPU both.
    state.counters["lines"] = kHostLines;
}

// Every numeric field of every line read into an array, and nothing else.
void HostCoreRaw(benchmark::State& state, const std::string& device)
{
    const std::string lines = DataLines(device, kHostLines);
    double fields[64];
    for (auto _ : state) {
        const char* at = lines.data();
        const char* end = at + lines.size();
        int field = 0;
        while (at < end) {
            double value = 0;
            const auto result = std::from_chars(at, end, value);
            fields[field & 63] = value;
            at = result.ptr;
            while (at < end && *at != '\t' && *at != '\n')
                ++at;
            field = at < end && *at == '\n' ? 0 : field + 1;
            ++at;
        }
        benchmark::DoNotOptimize(fields);
    }
    state.counters["lines"] = kHostLines;
}

double MonotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Runs this program again in its start-window mode (see the program's main) in a fresh
// folder and takes the time from the start until the child reports its painted window.
void StartToPaintedWindow(benchmark::State& state, const char* self)
{
    const std::string folder = TempFolder();
    const std::string report = folder + "/painted";
    double seconds = 0;
    for (auto _ : state) {
        std::filesystem::remove(report);
        const std::string arg = "--start-window=" + report;
        char* argv[] = {const_cast<char*>(self), const_cast<char*>(arg.c_str()), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        const double start = MonotonicNow();
        pid_t child = 0;
        if (posix_spawn(&child, self, &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("the program could not start itself");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        waitpid(child, &status, 0);
        double painted = 0;
        if (std::FILE* file = std::fopen(report.c_str(), "r")) {
            if (std::fscanf(file, "%lf", &painted) != 1)
                painted = 0;
            std::fclose(file);
        }
        if (painted == 0) {
            state.SkipWithError("the window reported no paint");
            break;
        }
        seconds = painted - start;
    }
    std::filesystem::remove_all(folder);
    state.counters["ms"] = seconds * 1000;
}

}  // namespace

void RegisterHostBenchmarks(const char* self)
{
    for (const char* device : {"fluorometer.dev", "backscatter.dev", "par.dev"}) {
        const std::string name = std::string(device).substr(0, std::string(device).find('.'));
        benchmark::RegisterBenchmark(("host/" + name + "/ours").c_str(),
                                     [device](benchmark::State& s) { HostCoreLines(s, device); })
            ->MeasureProcessCPUTime()
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("host/" + name + "/raw").c_str(),
                                     [device](benchmark::State& s) { HostCoreRaw(s, device); })
            ->MeasureProcessCPUTime()
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("start/ours", [self](benchmark::State& s) { StartToPaintedWindow(s, self); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

double StartWindowClock() { return MonotonicNow(); }
