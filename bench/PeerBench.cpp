// The peer: QCustomPlot, the plot library a scientist would otherwise pick, fed the same data
// and measured the same way as the plot's own figures: a shown 1000 x 600 window whose axis
// rectangle is the data rectangle ours lays out, antialiasing off as ours draws, the timed
// frame's picture saved as the PNG. The benchmark program is test tooling: with the event
// loop of the live figures it is the one place outside platform/ that includes Qt headers.

#include "bench/BenchSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

namespace {

// QCustomPlot in a shown window of the frame size, its axis rectangle fixed to `area`, with
// `graphs` graphs.
struct TPeerPlot {
    TPeerPlot(const TDataArea& area, int graphs)
    {
        Plot.setGeometry(0, 0, kFrameWidth, kFrameHeight);
        Plot.setNotAntialiasedElements(QCP::aeAll);
        Plot.axisRect()->setAutoMargins(QCP::msNone);
        Plot.axisRect()->setMargins(
            QMargins(area.Left, area.Top, kFrameWidth - area.Right, kFrameHeight - area.Bottom));
        for (int g = 0; g < graphs; ++g)
            Plot.addGraph();
        QObject::connect(&Plot, &QCustomPlot::afterReplot, [this] { ++Frames; });
    }

    void Show()
    {
        Plot.show();
        RunEventLoop(50);
    }
    void Paint() { Plot.replot(QCustomPlot::rpImmediateRefresh); }
    // What the window shows now: the last frame painted.
    void SaveShown(const char* png) { Plot.screen()->grabWindow(Plot.winId()).save(png); }
    QCPGraph* Graph(int index) { return Plot.graph(index); }

    QCustomPlot Plot;
    int Frames = 0;
};

}  // namespace

// The points of the peer's ingest figure: addData per point and, once a frame's worth of
// points, the X axis moved to the newest point (setRange), as a live program scrolls it. The
// one function callgrind counts for the peer (scripts/bench.sh: --toggle-collect).
[[gnu::noinline]] void IngestPointsPeer(QCPGraph* graph, QCPAxis* xAxis, const double* y, int count)
{
    constexpr double kSpan = 100;
    for (int i = 0; i < count; ++i) {
        graph->addData(i, y[i]);
        if (i % kPointsPerFrameScroll == 0)
            xAxis->setRange(i - kSpan, i);
    }
}

namespace {

void PeerIngest(benchmark::State& state, bool warm)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    QCustomPlot plot;
    QCPGraph* graph = plot.addGraph();
    IngestPointsPeer(graph, plot.xAxis, y.data(), kIngestPoints);
    for (auto _ : state) {
        state.PauseTiming();
        // Emptied, its room kept for a warm run and given back for a growing one.
        graph->data()->clear();
        if (!warm)
            graph->data()->squeeze(true, true);
        state.ResumeTiming();
        IngestPointsPeer(graph, plot.xAxis, y.data(), kIngestPoints);
    }
    state.counters["per"] = kIngestPoints;
}

// The memory the peer's points take, grown point by point as ours are.
void PeerBytes(benchmark::State& state)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    double bytes = 0;
    for (auto _ : state) {
        QCustomPlot plot;
        QCPGraph* graph = plot.addGraph();
        const long long before = MemoryInUse();
        for (int i = 0; i < kIngestPoints; ++i)
            graph->addData(i, y[std::size_t(i)]);
        bytes = double(MemoryInUse() - before) / kIngestPoints;
    }
    state.counters["peer"] = bytes;
}

enum class TFrameKind { Static, NewPoints, FirstPaint, Empty };

// As ours: one graph of `count` points shown whole; thinned to a few points per pixel column
// (adaptive sampling) when `sampled`, else every segment drawn. An empty frame shows the axes
// of the points and no points.
void PeerFrame(benchmark::State& state, int count, bool sampled, TFrameKind kind, const std::string& png)
{
    const std::vector<double> y = SignalValues(count);
    QVector<double> keys(count), values(count);
    for (int i = 0; i < count; ++i) {
        keys[i] = i;
        values[i] = y[std::size_t(i)];
    }
    TPeerPlot peer(FrameDataArea(count), 1);
    QCPGraph* graph = peer.Graph(0);
    graph->setAdaptiveSampling(sampled);
    if (kind != TFrameKind::Empty)
        graph->setData(keys, values, true);
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    peer.Plot.xAxis->setRange(0, count - 1);
    peer.Plot.yAxis->setRange(*low, *high);
    peer.Show();
    const std::vector<double> next = SignalValues(kFrameNewPoints);
    long added = count;
    for (auto _ : state) {
        state.PauseTiming();
        if (kind == TFrameKind::NewPoints) {
            // As a ring of `count` points: the oldest go, and the X axis scrolls along.
            for (int i = 0; i < kFrameNewPoints; ++i, ++added)
                graph->addData(double(added), next[std::size_t(i)]);
            graph->data()->removeBefore(double(added - count));
            peer.Plot.xAxis->setRange(double(added - count), double(added - 1));
        } else if (kind == TFrameKind::FirstPaint) {
            graph->setData(keys, values, true);
        }
        state.ResumeTiming();
        peer.Paint();
    }
    peer.SaveShown(png.c_str());
}

// The live chart as the peer's own examples run one: the points added as they arrive, and
// once a frame the points beyond the ring removed, the X axis moved to the newest point and
// the plot replotted.
struct TPeerLiveChart {
    TPeerLiveChart() : Peer(LiveDataArea(), kLiveChannels)
    {
        Peer.Plot.yAxis->setRange(-1, kLiveChannels - 0.5);
        Add(0, kLivePrefill);
        Scroll();
        Peer.Show();
    }
    void Add(long first, long end)
    {
        for (long n = first; n < end; ++n)
            for (int c = 0; c < kLiveChannels; ++c)
                Peer.Graph(c)->addData(LiveX(n), LiveY(c, n));
        Newest = end - 1;
    }
    void Scroll()
    {
        for (int c = 0; c < kLiveChannels; ++c)
            Peer.Graph(c)->data()->removeBefore(LiveX(Newest - kLiveRing + 1));
        Peer.Plot.xAxis->setRange(LiveX(Newest) - kLiveSpanSeconds, LiveX(Newest));
    }

    TPeerPlot Peer;
    long Newest = 0;
};

// Frames on a fixed schedule of 1/60 s, each timer set to the next slot.
void PeerLive(benchmark::State& state)
{
    for (auto _ : state) {
        TPeerLiveChart chart;
        QTimer frameTimer;
        frameTimer.setTimerType(Qt::PreciseTimer);
        frameTimer.setSingleShot(true);
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        auto secondsSinceStart = [&start] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            return double(now.tv_sec - start.tv_sec) + double(now.tv_nsec - start.tv_nsec) * 1e-9;
        };
        long slot = 0;
        auto armNext = [&] {
            const double now = secondsSinceStart();
            slot = std::max(slot + 1, long(std::ceil(now * kLiveFrameRate)));
            frameTimer.start(int(std::ceil((double(slot) / kLiveFrameRate - now) * 1000)));
        };
        QObject::connect(&frameTimer, &QTimer::timeout, [&] {
            chart.Scroll();
            chart.Peer.Plot.replot();
            armNext();
        });
        armNext();
        const TLiveFigures figures = RunLiveChart([&chart](long first, long end) { chart.Add(first, end); },
                                                  [&chart] { return chart.Peer.Frames; });
        frameTimer.stop();
        state.counters["fps"] = figures.FramesPerSecond;
        state.counters["core"] = figures.Cores;
        state.counters["cpu_ms_per_frame"] = figures.CpuMsPerFrame;
        chart.Peer.SaveShown("live_peer.png");
    }
}

// One frame of the live chart apart from the event loop, as ours.
void PeerLiveFrame(benchmark::State& state)
{
    TPeerLiveChart chart;
    long added = kLivePrefill;
    for (auto _ : state) {
        chart.Add(added, added + kPointsPerFrameScroll);
        added += kPointsPerFrameScroll;
        chart.Scroll();
        chart.Peer.Paint();
    }
}

}  // namespace

bool CountIngestPeer(int points)
{
    const std::vector<double> y = SignalValues(points);
    QCustomPlot plot;
    QCPGraph* graph = plot.addGraph();
    // Warm, as the timed figure: the room made once, outside the counted loop.
    for (int i = 0; i < points; ++i)
        graph->addData(i, y[std::size_t(i)]);
    graph->data()->clear();
    IngestPointsPeer(graph, plot.xAxis, y.data(), points);
    return true;
}

void RegisterPeerBenchmarks()
{
    benchmark::RegisterBenchmark("ingest/warm/peer", [](benchmark::State& s) {
        PeerIngest(s, true);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ingest/growing/peer", [](benchmark::State& s) {
        PeerIngest(s, false);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("bytes/peer", PeerBytes)->Iterations(1);
    const struct {
        const char* Name;
        int Count;
        bool Sampled;
        TFrameKind Kind;
    } frames[] = {
        {"1M/static", kFramePointsFast, true, TFrameKind::Static},
        {"1M/new_points", kFramePointsFast, true, TFrameKind::NewPoints},
        {"1M/first_paint", kFramePointsFast, true, TFrameKind::FirstPaint},
        {"10k/segments", kFramePointsSegments, false, TFrameKind::Static},
        // The peer's own thinning on, for a look at what it saves (no figure of ours matches).
        {"10k/sampled", kFramePointsSegments, true, TFrameKind::Static},
        {"10k/empty", kFramePointsSegments, false, TFrameKind::Empty},
    };
    for (const auto& frame : frames) {
        std::string png = "frame_" + std::string(frame.Name) + "_peer.png";
        std::replace(png.begin(), png.end(), '/', '_');
        benchmark::RegisterBenchmark(("frame/" + std::string(frame.Name) + "/peer").c_str(), [frame, png](
                                                                                                 benchmark::State& s) {
            PeerFrame(s, frame.Count, frame.Sampled, frame.Kind, png);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("frame/live16/peer", PeerLiveFrame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("live/peer", PeerLive)->Iterations(1)->Unit(benchmark::kSecond);
}
