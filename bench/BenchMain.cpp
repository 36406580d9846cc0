// pravix_bench: the benchmark program. Run it through scripts/bench.sh, which builds it in
// release mode and prints the table of figures and goals.
//
// With --start-window=<file> it is instead the host program up to its first painted main
// window: it writes the clock at that moment to <file> and ends at once.
//
// With --count-ingest=<form>:<points> it adds that many points once through the named form
// (or the peer) and ends: scripts/bench.sh runs it under callgrind to count the instructions
// per point.

#include "bench/BenchSupport.h"

#include "app/forms/HostPort.h"
#include "app/forms/QX5Main.h"
#include "app/forms/password.h"
#include "app/forms/warning.h"
#include "platform/canvas/Bitmap.h"
#include "platform/gui/Application.h"
#include "platform/gui/TestHooks.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::string_view kStartWindowOption = "--start-window=";
constexpr std::string_view kCountIngestOption = "--count-ingest=";

// The host program's own start, then its main window shown and painted whole.
int StartWindow(int argc, char** argv, const std::string& reportPath)
{
    Application->Initialize(argc, argv);
    Application->SetTitle("ZUV Host");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(SelectHPForm);
    Application->CreateForm(PasswordForm);
    Form1->Show();
    TestHooks::PumpUntil([] { return Form1->Showing(); }, 5000);
    TBitmap window;
    TestHooks::GrabControl(*Form1, window);
    const double painted = StartWindowClock();
    if (std::FILE* report = std::fopen(reportPath.c_str(), "w")) {
        std::fprintf(report, "%.9f\n", painted);
        std::fclose(report);
    }
    // The figure ends at the paint; tearing the windows down is not part of it.
    std::fflush(nullptr);
    _exit(0);
}

std::string OwnPath()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, std::size_t(length)) : std::string();
}

int CountIngestRun(int argc, char** argv, std::string_view formAndPoints)
{
    Application->Initialize(argc, argv);
    const std::size_t colon = formAndPoints.find(':');
    const std::string name(formAndPoints.substr(0, colon));
    const int points =
        colon == std::string_view::npos ? 0 : std::atoi(std::string(formAndPoints.substr(colon + 1)).c_str());
    const bool known = points > 0 && (name == "peer" ? CountIngestPeer(points) : CountIngest(name, points));
    if (!known) {
        std::fprintf(stderr, "--count-ingest=<form>:<points>, form one of standard, compact, compact_interval, "
                             "full_feature, peer\n");
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // The figures are taken offscreen, whatever display the shell has.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(kStartWindowOption))
            return StartWindow(argc, argv, std::string(arg.substr(kStartWindowOption.size())));
        if (arg.starts_with(kCountIngestOption))
            return CountIngestRun(argc, argv, arg.substr(kCountIngestOption.size()));
    }
    Application->Initialize(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    static const std::string self = OwnPath();
    RegisterPlotBenchmarks();
    RegisterPeerBenchmarks();
    RegisterHostBenchmarks(self.c_str());
    RegisterEditorBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
