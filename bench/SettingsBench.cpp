// Loading a plot's settings file: the host loads its own at start, and a file of thousands of
// channels must load in time that grows with the file, not with its square. The figure is
// taken at two sizes; the table compares them.

#include "plot/control/iPlot.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

// A settings file of a strip chart with `channels` channels, as the plot saves it.
std::string SettingsFile(int channels)
{
    const std::string path = "settings_" + std::to_string(channels) + "_" + std::to_string(getpid()) + ".rbs";
    TiPlot plot(nullptr);
    while (plot.ChannelCount() < channels)
        plot.AddChannel();
    plot.SavePropertiesToFile(path);
    return path;
}

// Each run loads the file into a new plot, as the host does at start; making and freeing the
// plot are not part of the figure.
void LoadSettings(benchmark::State& state, int channels)
{
    const std::string path = SettingsFile(channels);
    for (auto _ : state) {
        state.PauseTiming();
        auto plot = std::make_unique<TiPlot>(nullptr);
        state.ResumeTiming();
        plot->LoadPropertiesFromFile(path);
        state.PauseTiming();
        if (plot->ChannelCount() != channels)
            state.SkipWithError("the file did not load its channels");
        plot.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}

const bool g_registered = [] {
    for (int channels : {4000, 8000})
        benchmark::RegisterBenchmark(("settings/" + std::to_string(channels) + "/ours").c_str(),
                                     [channels](benchmark::State& s) { LoadSettings(s, channels); })
            ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
