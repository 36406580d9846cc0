// The plot's own figures: ingest through the channel's add, honest bytes per point, frames
// painted in a shown window, and the live strip chart; each next to the plain-array loop that
// does the same work without a plot (the raw limit) where one exists.

#include "bench/BenchSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
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

const TFormCase* FormNamed(const std::string& name)
{
    for (const TFormCase& form : kForms)
        if (name == form.Name)
            return &form;
    return nullptr;
}

// A strip chart with its one channel in a data style, refusing points out of X order, with
// its X axis scrolling, axis tracking and running statistics on, as a live plot runs.
struct TIngestPlot {
    explicit TIngestPlot(TiPlotDataStyle style) : Channel(Plot.GetChannel(0))
    {
        Channel->SetDataStyle(style);
        Channel->SetAllowOutOfOrderXValues(false);
    }
    TiPlot Plot{nullptr};
    TiPlotChannel* Channel;
};

}  // namespace

// The points of an ingest figure go in here and nowhere else, so that callgrind can count
// the instructions of exactly this loop (scripts/bench.sh: --toggle-collect).
[[gnu::noinline]] void IngestPointsOurs(TiPlotChannel* channel, const double* y, int count)
{
    for (int i = 0; i < count; ++i)
        channel->AddXY(i, y[i]);
}

namespace {

// Warm: into storage already there and touched (a ring buffer keeps its storage when
// cleared); growing: from an empty list that enlarges as it goes.
void Ingest(benchmark::State& state, TiPlotDataStyle style, bool warm)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    TIngestPlot plot(style);
    if (warm) {
        plot.Channel->SetRingBufferSize(kIngestPoints);
        IngestPointsOurs(plot.Channel, y.data(), kIngestPoints);
    }
    for (auto _ : state) {
        state.PauseTiming();
        plot.Channel->Clear();
        state.ResumeTiming();
        IngestPointsOurs(plot.Channel, y.data(), kIngestPoints);
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

// Everything the points hold in memory: the list grown point by point as a program grows it
// (with the slack its growth leaves), and the kept extremes a fast frame builds.
void BytesPerPoint(benchmark::State& state, const TFormCase& form)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    double bytes = 0;
    for (auto _ : state) {
        TIngestPlot plot(form.Style);
        plot.Plot.SetBounds(0, 0, kFrameWidth, kFrameHeight);
        plot.Plot.GetXAxis(0)->SetTrackingEnabled(false);
        plot.Plot.GetXAxis(0)->SetMinSpan(0, kIngestPoints - 1);
        TBitmap bitmap;
        bitmap.SetSize(kFrameWidth, kFrameHeight);
        plot.Plot.iPaintTo(bitmap.Canvas());
        const long long before = MemoryInUse();
        IngestPointsOurs(plot.Channel, y.data(), kIngestPoints);
        plot.Plot.iPaintTo(bitmap.Canvas());
        bytes = double(MemoryInUse() - before) / kIngestPoints;
    }
    state.counters["ours"] = bytes;
    state.counters["raw"] = form.RawBytes;
}

long MinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Page faults per page its points fill while a full-feature list of a million points grows
// from empty (1 when each 4 KiB page is faulted in once; below 1 where the kernel hands out
// large pages, each fault then filling many pages), in a process that has freed a
// block of 30 MiB, as a program does that clears a large list: the C library then keeps
// blocks up to that size in its own heap, where a block that grows may be copied into fresh
// memory.
void GrowthFaults(benchmark::State& state)
{
    void* freed = std::malloc(std::size_t(30) << 20);
    benchmark::DoNotOptimize(freed);
    std::free(freed);
    const std::vector<double> y = SignalValues(kIngestPoints);
    double perPage = 0;
    for (auto _ : state) {
        TIngestPlot plot(ipdsFullFeature);
        const long before = MinorFaults();
        IngestPointsOurs(plot.Channel, y.data(), kIngestPoints);
        const double pages = double(kIngestPoints) * plot.Channel->GetDataPointSize() / sysconf(_SC_PAGESIZE);
        perPage = double(MinorFaults() - before) / pages;
    }
    state.counters["faults_per_page"] = perPage;
}

// A plot in a shown 1000 x 600 window, painted as the window system asks it to; the frame
// figures time a repaint of the whole window, as the peer's.
struct TShownPlot {
    explicit TShownPlot(int channels)
    {
        Form.SetBounds(0, 0, kFrameWidth, kFrameHeight);
        Plot->SetParent(&Form);
        Plot->SetBounds(0, 0, kFrameWidth, kFrameHeight);
        while (Plot->ChannelCount() < channels)
            Plot->AddChannel();
        Plot->OnAfterPaint = [this](TObject*) { ++Frames; };
    }
    ~TShownPlot() { Plot->SetParent(nullptr); }

    void Show()
    {
        Form.Show();
        TestHooks::PumpUntil([this] { return Frames > 0; }, 5000);
    }
    // Paints the whole window now.
    void Paint() { Plot->Repaint(); }
    TDataArea DataArea()
    {
        const TRect rect = Plot->GetDataViewRect();
        return {rect.Left, rect.Top, rect.Right, rect.Bottom};
    }
    TiPlotChannel* Channel(int index) { return Plot->GetChannel(index); }

    TForm Form{nullptr};
    std::unique_ptr<TiPlot> Plot = std::make_unique<TiPlot>(nullptr);
    int Frames = 0;
};

enum class TFrameKind { Static, NewPoints, FirstPaint, Empty };

// One channel showing every one of `count` points, in a ring of `count` for new points; for
// an empty frame the axes as they would show the points, and no points.
void ShowSignal(TShownPlot& shown, int count, bool fast, TFrameKind kind)
{
    TiPlotChannel* channel = shown.Channel(0);
    channel->SetFastDrawEnabled(fast);
    if (kind == TFrameKind::NewPoints)
        channel->SetRingBufferSize(count);
    const std::vector<double> y = SignalValues(count);
    if (kind != TFrameKind::Empty)
        for (int i = 0; i < count; ++i)
            channel->AddXY(i, y[std::size_t(i)]);
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    shown.Plot->GetXAxis(0)->SetMinSpan(0, count - 1);
    shown.Plot->GetYAxis(0)->SetMinSpan(*low, *high - *low);
    shown.Show();
}

void Frame(benchmark::State& state, int count, bool fast, TFrameKind kind, const std::string& png)
{
    TShownPlot shown(1);
    ShowSignal(shown, count, fast, kind);
    TiPlotChannel* channel = shown.Channel(0);
    const std::vector<double> next = SignalValues(kFrameNewPoints);
    long added = count;
    for (auto _ : state) {
        state.PauseTiming();
        if (kind == TFrameKind::NewPoints) {
            // The ring drops as many old points; the X axis scrolls along.
            for (int i = 0; i < kFrameNewPoints; ++i, ++added)
                channel->AddXY(double(added), next[std::size_t(i)]);
        } else if (kind == TFrameKind::FirstPaint) {
            // Writing a point's value back makes the channel rebuild what it keeps between frames.
            channel->SetDataY(0, channel->GetDataY(0));
        }
        state.ResumeTiming();
        shown.Paint();
    }
    // What the window shows is the timed frame's picture.
    TestHooks::GrabWindow(shown.Form, png);
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

// Sixteen channels in 100,000-point rings that have wrapped, the X axis scrolling over the
// last ten seconds.
void SetUpLiveChart(TShownPlot& shown)
{
    for (int c = 0; c < kLiveChannels; ++c)
        shown.Channel(c)->SetRingBufferSize(kLiveRing);
    shown.Plot->GetXAxis(0)->SetMinSpan(0, kLiveSpanSeconds);
    shown.Plot->GetYAxis(0)->SetMinSpan(-1, kLiveChannels + 0.5);
    for (long n = 0; n < kLivePrefill; ++n)
        for (int c = 0; c < kLiveChannels; ++c)
            shown.Channel(c)->AddXY(LiveX(n), LiveY(c, n));
    shown.Show();
}

void Live(benchmark::State& state)
{
    for (auto _ : state) {
        TShownPlot shown(kLiveChannels);
        SetUpLiveChart(shown);
        const TLiveFigures figures = RunLiveChart(
            [&shown](long first, long end) {
                for (long n = first; n < end; ++n)
                    for (int c = 0; c < kLiveChannels; ++c)
                        shown.Channel(c)->AddXY(LiveX(n), LiveY(c, n));
            },
            [&shown] { return shown.Frames; });
        state.counters["fps"] = figures.FramesPerSecond;
        state.counters["core"] = figures.Cores;
        state.counters["cpu_ms_per_frame"] = figures.CpuMsPerFrame;
        TestHooks::GrabWindow(shown.Form, "live_ours.png");
    }
}

// One frame of the live chart apart from the event loop and its timers: a frame's worth of
// new points for every channel (10,000 a second at 60 frames a second), then the window
// repainted. The same work as a frame of the live figure, in a figure that runs compare.
void LiveFrame(benchmark::State& state)
{
    TShownPlot shown(kLiveChannels);
    SetUpLiveChart(shown);
    long added = kLivePrefill;
    for (auto _ : state) {
        for (const long end = added + kPointsPerFrameScroll; added < end; ++added)
            for (int c = 0; c < kLiveChannels; ++c)
                shown.Channel(c)->AddXY(LiveX(added), LiveY(c, added));
        shown.Paint();
    }
}

}  // namespace

TDataArea FrameDataArea(int count)
{
    static std::map<int, TDataArea> known;
    if (!known.contains(count)) {
        TShownPlot shown(1);
        ShowSignal(shown, count, count > kFramePointsSegments, TFrameKind::Static);
        known[count] = shown.DataArea();
    }
    return known[count];
}

TDataArea LiveDataArea()
{
    static const TDataArea area = [] {
        TShownPlot shown(kLiveChannels);
        SetUpLiveChart(shown);
        return shown.DataArea();
    }();
    return area;
}

bool CountIngest(const std::string& name, int points)
{
    const TFormCase* form = FormNamed(name);
    if (!form)
        return false;
    const std::vector<double> y = SignalValues(points);
    TIngestPlot plot(form->Style);
    // Warm, as the timed figure: the ring's storage touched once, outside the counted loop.
    plot.Channel->SetRingBufferSize(points);
    for (int i = 0; i < points; ++i)
        plot.Channel->AddXY(i, y[std::size_t(i)]);
    plot.Channel->Clear();
    IngestPointsOurs(plot.Channel, y.data(), points);
    return true;
}

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
    benchmark::RegisterBenchmark("growth_faults/full_feature", GrowthFaults)->Iterations(1);
    const struct {
        const char* Name;
        int Count;
        bool Fast;
        TFrameKind Kind;
    } frames[] = {
        {"1M/static", kFramePointsFast, true, TFrameKind::Static},
        {"1M/new_points", kFramePointsFast, true, TFrameKind::NewPoints},
        {"1M/first_paint", kFramePointsFast, true, TFrameKind::FirstPaint},
        {"10k/segments", kFramePointsSegments, false, TFrameKind::Static},
        // What every frame costs besides its points: the 10k frame's axes, grid and labels.
        {"10k/empty", kFramePointsSegments, false, TFrameKind::Empty},
    };
    for (const auto& frame : frames) {
        std::string png = "frame_" + std::string(frame.Name) + "_ours.png";
        std::replace(png.begin(), png.end(), '/', '_');
        benchmark::RegisterBenchmark(("frame/" + std::string(frame.Name) + "/ours").c_str(), [frame, png](
                                                                                                 benchmark::State& s) {
            Frame(s, frame.Count, frame.Fast, frame.Kind, png);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("frame/1M/raw", [](benchmark::State& s) {
        FrameRaw(s, kFramePointsFast);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/10k/raw", [](benchmark::State& s) {
        FrameRaw(s, kFramePointsSegments);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/live16/ours", LiveFrame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("live/ours", Live)->Iterations(1)->Unit(benchmark::kSecond);
}
