// zuvrecord: the host program's core without its windows, recording a meter.
//
//   zuvrecord --port PATH --device FILE.dev --raw FILE --eng FILE [--seconds S]
//
// Opens PATH as the host's COM1 at 38400 baud, loads the device file, starts the raw and the
// engineering record and the meter's data ("$run"), and runs the host's 55 ms input step until
// the time is up (without --seconds: until SIGTERM or SIGINT). Then it stops the meter, takes
// in for another second what is still on its way, stops the records and prints a summary.
//
// After each step that accepted data lines it prints "lines N", N counting the data lines
// accepted so far: each of them is then in both record files, on the disk. Warnings that the
// program shows in a box are written to standard error.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "app/core/DeviceFile.h"
#include "app/core/HostCore.h"
#include "app/core/MeterCommands.h"
#include "app/core/Recording.h"
#include "app/core/SerialLink.h"
#include "platform/core/SerialPort.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) { stopRequested = 1; }

// The controls the host logic sets and reads, kept as plain values.
class HeadlessUi final : public IHostUi {
public:
    std::map<std::string, int> Indexes;
    std::map<std::string, bool> Checked;

    void SetText(const std::string& control, const std::string& text) override { texts_[control] = text; }
    std::string GetText(const std::string& control) const override
    {
        auto it = texts_.find(control);
        return it == texts_.end() ? std::string() : it->second;
    }
    void SetVisible(const std::string&, bool) override {}
    void SetColor(const std::string&, TColor) override {}
    int GetItemIndex(const std::string& control) const override
    {
        auto it = Indexes.find(control);
        return it == Indexes.end() ? -1 : it->second;
    }
    void SetItemIndex(const std::string& control, int index) override { Indexes[control] = index; }
    bool GetChecked(const std::string& control) const override
    {
        auto it = Checked.find(control);
        return it != Checked.end() && it->second;
    }
    void SetChecked(const std::string& control, bool checked) override { Checked[control] = checked; }
    void SetActivePage(int) override {}
    int MemoLineCount() const override { return 0; }
    void MemoDeleteFirstLine() override {}
    void MemoAppendLine(const std::string&) override {}
    void SetTimerInterval(int) override {}
    void ShowCommError(const std::string& text) override { std::fprintf(stderr, "Comm Error: %s\n", text.c_str()); }
    void ShowException(const std::string& message) override { std::fprintf(stderr, "error: %s\n", message.c_str()); }

private:
    std::map<std::string, std::string> texts_;
};

// A plot that only counts its channels: the records are what this program is about.
class CountingPlot final : public IHostPlot {
public:
    void RemoveAllChannels() override { channels_ = 0; }
    int AddChannel() override { return channels_++; }
    int ChannelCount() const override { return channels_; }
    void SetChannelColor(int, TColor) override {}
    void SetChannelTitleText(int, const std::string&) override {}
    void ChannelAddXY(int, double, double) override {}
    void ClearAllData() override {}
    int YAxisCount() const override { return 1; }
    void SetYAxisMin(int, double) override {}
    void SetYAxisSpan(int, double) override {}
    std::string TitleText() const override { return title_; }
    void SetTitleText(const std::string& text) override { title_ = text; }
    void SetOptionSaveAllProperties(bool) override {}
    void SavePropertiesToFile(const std::string&) override {}
    void LoadPropertiesFromFile(const std::string&) override {}

private:
    int channels_ = 0;
    std::string title_;
};

// Answers the file dialogs in the order they are asked.
class ScriptedDialogs final : public IFileDialogs {
public:
    std::deque<std::string> Answers;

    std::optional<std::string> OpenFile(const FileDialogRequest&) override { return Next(); }
    std::optional<std::string> SaveFile(const FileDialogRequest&) override { return Next(); }

private:
    std::optional<std::string> Next()
    {
        if (Answers.empty())
            return std::nullopt;
        std::string answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

struct Options {
    std::string Port, Device, Raw, Eng;
    double Seconds = 0;  // 0: until a signal
};

int Usage()
{
    std::fprintf(stderr, "usage: zuvrecord --port PATH --device FILE.dev --raw FILE --eng FILE [--seconds S]\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i], v = argv[i + 1];
        if (a == "--port")
            o.Port = v;
        else if (a == "--device")
            o.Device = v;
        else if (a == "--raw")
            o.Raw = v;
        else if (a == "--eng")
            o.Eng = v;
        else if (a == "--seconds" && (o.Seconds = std::atof(v.c_str())) > 0)
            continue;
        else
            return false;
    }
    return argc % 2 == 1 && !o.Port.empty() && !o.Device.empty() && !o.Raw.empty() && !o.Eng.empty();
}

class Recorder {
public:
    Recorder() : core_(ui_, plot_, port_, dialogs_), ctx_(core_.Context()), s_(core_.State())
    {
        ui_.Checked["R_PARWater"] = true;
        ui_.Checked["RealTimeData"] = true;
    }

    // Loads the device, opens the port and starts both records and the data; false with a
    // message when one of them fails.
    bool Start(const Options& o)
    {
        Tick();  // the program's first tick prepares the tables a device file then fills
        ::setenv("COM1", o.Port.c_str(), 1);
        dialogs_.Answers = {o.Device, o.Raw, o.Eng};
        LoadDeviceFileClick(ctx_);
        ui_.Indexes["CBBaudRate"] = 3;
        ui_.Indexes["CBHostPort"] = 1;
        CBHostPortChange(ctx_);
        BTRecordRawClick(ctx_);
        BTRecordEngrClick(ctx_);
        ReportWarnings();
        if (s_.DevicePath.empty() || s_.PortNumber != 1 || !s_.RawRecording || !s_.EngrRecording) {
            std::fprintf(stderr, "zuvrecord: could not start (device file, port or record files)\n");
            return false;
        }
        BTStartClick(ctx_);
        return true;
    }

    // Runs the input step every 55 ms while keepGoing() holds.
    template <class Condition>
    void RunWhile(Condition keepGoing)
    {
        using Clock = std::chrono::steady_clock;
        auto next = Clock::now();
        while (keepGoing()) {
            next += std::chrono::milliseconds(55);
            std::this_thread::sleep_until(next);
            Tick();
        }
    }

    void Stop()
    {
        BTStopClick(ctx_);
        int drain = 18;  // about a second for the lines still on their way
        RunWhile([&] { return drain-- > 0; });
        BTStopRecordClick(ctx_);
        ReportWarnings();
        std::printf("recorded %.0f data lines; raw file %ld bytes, engineering file %ld bytes\n", s_.LineCounter,
                    s_.RawFileSize, s_.EngrFileSize);
        std::fflush(stdout);
    }

private:
    void Tick()
    {
        double before = s_.LineCounter;
        core_.Timer55msTimer();
        ReportWarnings();
        if (s_.LineCounter != before) {
            std::printf("lines %.0f\n", s_.LineCounter);
            std::fflush(stdout);
        }
    }

    void ReportWarnings()
    {
        while (auto w = core_.Warnings().TakeNext()) {
            std::fprintf(stderr, "warning: %s: %s\n", w->Caption.c_str(), w->Text.c_str());
            core_.Warnings().BoxClosed();
        }
    }

    HeadlessUi ui_;
    CountingPlot plot_;
    SerialPort port_;
    ScriptedDialogs dialogs_;
    HostCore core_;
    HostContext& ctx_;
    HostState& s_;
};

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Usage();
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    Recorder recorder;
    if (!recorder.Start(options))
        return 1;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                            std::chrono::duration<double>(options.Seconds));
    recorder.RunWhile(
        [&] { return !stopRequested && (options.Seconds <= 0 || std::chrono::steady_clock::now() < end); });
    recorder.Stop();
    return 0;
}
