// The plot's own figures: ingest through the channel's add, bytes per point, one painted
// frame, and a live strip chart; each next to the plain-array loop that does the same work
// without a plot (the raw limit).

#include "bench/BenchSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/core/Clock.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

namespace {

struct TFormCase {
    const char* Name;
    TiPlotDataStyle Style;
    // The bytes the form's values take in plain arrays.
    int RawBytes;
};

constexpr TFormCase kForms[] = {
    {"standard", ipdsStandard, 16},
    {"compact", ipdsCompact, 8},
    {"compact_interval", ipdsCompactInterval, 4},
    {"full_feature", ipdsFullFeature, 16},
};

// A strip chart with its one channel in a data style, refusing points out of X order, with
// axis tracking and running statistics on, as a live plot runs.
struct TIngestPlot {
    explicit TIngestPlot(TiPlotDataStyle style) : Channel(Plot.GetChannel(0))
    {
        Channel->SetDataStyle(style);
        Channel->SetAllowOutOfOrderXValues(false);
    }
    TiPlot Plot{nullptr};
    TiPlotChannel* Channel;
};

// Warm: into storage already there and touched (a ring buffer keeps its storage when
// cleared); growing: from an empty list that enlarges as it goes.
void Ingest(benchmark::State& state, TiPlotDataStyle style, bool warm)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    TIngestPlot plot(style);
    if (warm) {
        plot.Channel->SetRingBufferSize(kIngestPoints);
        for (int i = 0; i < kIngestPoints; ++i)
            plot.Channel->AddXY(i, y[std::size_t(i)]);
    }
    for (auto _ : state) {
        state.PauseTiming();
        plot.Channel->Clear();
        state.ResumeTiming();
        for (int i = 0; i < kIngestPoints; ++i)
            plot.Channel->AddXY(i, y[std::size_t(i)]);
    }
    state.counters["per"] = kIngestPoints;
}

void IngestRaw(benchmark::State& state, bool warm)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    std::vector<double> xs, ys;
    for (auto _ : state) {
        state.PauseTiming();
        if (warm) {
            // Cleared, its touched storage kept.
            xs.resize(kIngestPoints);
            ys.resize(kIngestPoints);
            xs.clear();
            ys.clear();
        } else {
            xs = {};
            ys = {};
        }
        state.ResumeTiming();
        for (int i = 0; i < kIngestPoints; ++i) {
            xs.push_back(i);
            ys.push_back(y[std::size_t(i)]);
        }
        benchmark::DoNotOptimize(xs.data());
        benchmark::DoNotOptimize(ys.data());
        benchmark::ClobberMemory();
    }
    state.counters["per"] = kIngestPoints;
}

void BytesPerPoint(benchmark::State& state, const TFormCase& form)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    TIngestPlot plot(form.Style);
    for (auto _ : state) {
        plot.Channel->Clear();
        plot.Channel->SetCount(kIngestPoints);
        for (int i = 0; i < kIngestPoints; ++i)
            plot.Channel->AddXY(i, y[std::size_t(i)]);
    }
    state.counters["ours"] = double(plot.Channel->GetMemoryUsed()) / plot.Channel->GetCount();
    state.counters["raw"] = form.RawBytes;
}

// A 1000 x 600 strip chart showing every one of its points.
struct TFramePlot {
    TFramePlot(int count, bool fast) : Channel(Plot.GetChannel(0))
    {
        Plot.SetBounds(0, 0, kFrameWidth, kFrameHeight);
        Bitmap.SetSize(kFrameWidth, kFrameHeight);
        Channel->SetFastDrawEnabled(fast);
        const std::vector<double> y = SignalValues(count);
        for (int i = 0; i < count; ++i)
            Channel->AddXY(i, y[std::size_t(i)]);
        const auto [low, high] = std::minmax_element(y.begin(), y.end());
        Plot.GetXAxis(0)->SetMinSpan(0, count - 1);
        Plot.GetYAxis(0)->SetMinSpan(*low, *high - *low);
    }
    void Paint() { Plot.iPaintTo(Bitmap.Canvas()); }

    TiPlot Plot{nullptr};
    TiPlotChannel* Channel;
    TBitmap Bitmap;
};

void Frame(benchmark::State& state, int count, bool fast, const char* png)
{
    TFramePlot plot(count, fast);
    plot.Paint();
    SaveBitmapPNG(plot.Bitmap, png);
    for (auto _ : state)
        plot.Paint();
}

// The first paint after the data arrived: writing a point's value back makes the channel
// rebuild what it keeps between frames.
void FirstFrame(benchmark::State& state, int count)
{
    TFramePlot plot(count, true);
    for (auto _ : state) {
        state.PauseTiming();
        plot.Channel->SetDataY(0, plot.Channel->GetDataY(0));
        state.ResumeTiming();
        plot.Paint();
    }
}

// One pass over the visible points that finds each pixel column's lowest and highest Y.
void FrameRaw(benchmark::State& state, int count)
{
    const std::vector<double> y = SignalValues(count);
    std::vector<double> x(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        x[std::size_t(i)] = i;
    std::vector<double> low(kFrameWidth), high(kFrameWidth);
    const double scale = (kFrameWidth - 1) / double(count - 1);
    for (auto _ : state) {
        std::fill(low.begin(), low.end(), 1e300);
        std::fill(high.begin(), high.end(), -1e300);
        for (int i = 0; i < count; ++i) {
            const std::size_t column = std::size_t(x[std::size_t(i)] * scale);
            low[column] = std::min(low[column], y[std::size_t(i)]);
            high[column] = std::max(high[column], y[std::size_t(i)]);
        }
        benchmark::DoNotOptimize(low.data());
        benchmark::DoNotOptimize(high.data());
    }
}

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Sixteen strip-chart channels in a shown window, each fed 10,000 points a second into a
// 100,000-point ring, while the plot repaints under its frame-rate limit.
void Live(benchmark::State& state)
{
    constexpr int kChannels = 16;
    constexpr int kPointsPerSecond = 10000;
    constexpr int kRing = 100000;
    constexpr double kSeconds = 10;
    for (auto _ : state) {
        TForm form(nullptr);
        form.SetBounds(0, 0, kFrameWidth, kFrameHeight);
        auto plot = std::make_unique<TiPlot>(nullptr);
        plot->SetParent(&form);
        plot->SetBounds(0, 0, kFrameWidth, kFrameHeight);
        while (plot->ChannelCount() < kChannels)
            plot->AddChannel();
        for (int c = 0; c < kChannels; ++c)
            plot->GetChannel(c)->SetRingBufferSize(kRing);
        TiPlotXAxis* xAxis = plot->GetXAxis(0);
        xAxis->SetMinSpan(0, double(kRing) / kPointsPerSecond);
        xAxis->SetTrackingStyle(iptsScrollSmooth);
        int frames = 0;
        plot->OnAfterPaint = [&frames](TObject*) { ++frames; };
        form.Show();
        TestHooks::PumpUntil([&] { return frames > 0; }, 5000);

        frames = 0;
        const double startWall = MonotonicSeconds();
        const double startCpu = ProcessCpuSeconds();
        long added = 0;
        for (double elapsed = 0; elapsed < kSeconds; elapsed = MonotonicSeconds() - startWall) {
            const long due = long(elapsed * kPointsPerSecond);
            for (; added < due; ++added) {
                const double x = double(added) / kPointsPerSecond;
                for (int c = 0; c < kChannels; ++c)
                    plot->GetChannel(c)->AddXY(x, c + 0.4 * std::sin(x * (c + 1)));
            }
            TestHooks::PumpFor(1);
        }
        const double wall = MonotonicSeconds() - startWall;
        state.counters["fps"] = frames / wall;
        state.counters["core"] = (ProcessCpuSeconds() - startCpu) / wall;
        plot->SetParent(nullptr);
    }
}

}  // namespace

void RegisterPlotBenchmarks()
{
    for (const bool warm : {true, false}) {
        const std::string mode = warm ? "warm" : "growing";
        for (const TFormCase& form : kForms)
            benchmark::RegisterBenchmark(("ingest/" + std::string(form.Name) + "/" + mode + "/ours").c_str(),
                                         [style = form.Style, warm](benchmark::State& s) { Ingest(s, style, warm); })
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("ingest/" + mode + "/raw").c_str(), [warm](benchmark::State& s) {
            IngestRaw(s, warm);
        })->Unit(benchmark::kMillisecond);
    }
    for (const TFormCase& form : kForms)
        benchmark::RegisterBenchmark(("bytes/" + std::string(form.Name)).c_str(), [&form](benchmark::State& s) {
            BytesPerPoint(s, form);
        })->Iterations(1);
    benchmark::RegisterBenchmark("frame/1M/ours", [](benchmark::State& s) {
        Frame(s, kFramePointsFast, true, "frame_1M_ours.png");
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/1M/first/ours", [](benchmark::State& s) {
        FirstFrame(s, kFramePointsFast);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/10k/ours", [](benchmark::State& s) {
        Frame(s, kFramePointsSegments, false, "frame_10k_ours.png");
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/1M/raw", [](benchmark::State& s) {
        FrameRaw(s, kFramePointsFast);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/10k/raw", [](benchmark::State& s) {
        FrameRaw(s, kFramePointsSegments);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("live/ours", Live)->Iterations(1)->Unit(benchmark::kSecond);
}
