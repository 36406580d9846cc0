// The peer: QCustomPlot, the plot library a scientist would otherwise pick, fed the same data
// at the same size as the plot's own figures. The benchmark program is test tooling: it is
// the one place outside platform/ that includes Qt headers, and only for the peer.

#include "bench/BenchSupport.h"

#include <QApplication>
#include <QPixmap>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

// A 1000 x 600 QCustomPlot with one graph, never shown: replot draws into its own buffers.
struct TPeerPlot {
    TPeerPlot()
    {
        Plot.resize(kFrameWidth, kFrameHeight);
        Graph = Plot.addGraph();
    }
    QCustomPlot Plot;
    QCPGraph* Graph;
};

void PeerIngest(benchmark::State& state, bool warm)
{
    const std::vector<double> y = SignalValues(kIngestPoints);
    TPeerPlot peer;
    for (int i = 0; i < kIngestPoints; ++i)
        peer.Graph->addData(i, y[std::size_t(i)]);
    for (auto _ : state) {
        state.PauseTiming();
        // Emptied, its room kept for a warm run and given back for a growing one.
        peer.Graph->data()->clear();
        if (!warm)
            peer.Graph->data()->squeeze(true, true);
        state.ResumeTiming();
        for (int i = 0; i < kIngestPoints; ++i)
            peer.Graph->addData(i, y[std::size_t(i)]);
    }
    state.counters["per"] = kIngestPoints;
}

void PeerFrame(benchmark::State& state, int count, const char* png)
{
    const std::vector<double> y = SignalValues(count);
    QVector<double> keys(count), values(count);
    for (int i = 0; i < count; ++i) {
        keys[i] = i;
        values[i] = y[std::size_t(i)];
    }
    TPeerPlot peer;
    peer.Graph->setAdaptiveSampling(true);
    peer.Graph->setData(keys, values, true);
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    peer.Plot.xAxis->setRange(0, count - 1);
    peer.Plot.yAxis->setRange(*low, *high);
    peer.Plot.replot(QCustomPlot::rpImmediateRefresh);
    peer.Plot.toPixmap(kFrameWidth, kFrameHeight).save(png);
    for (auto _ : state)
        peer.Plot.replot(QCustomPlot::rpImmediateRefresh);
}

}  // namespace

void RegisterPeerBenchmarks()
{
    benchmark::RegisterBenchmark("ingest/warm/peer", [](benchmark::State& s) {
        PeerIngest(s, true);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ingest/growing/peer", [](benchmark::State& s) {
        PeerIngest(s, false);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("bytes/peer", [](benchmark::State& s) {
        for (auto _ : s) {}
        s.counters["peer"] = sizeof(QCPGraphData);
    })->Iterations(1);
    benchmark::RegisterBenchmark("frame/1M/peer", [](benchmark::State& s) {
        PeerFrame(s, kFramePointsFast, "frame_1M_peer.png");
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame/10k/peer", [](benchmark::State& s) {
        PeerFrame(s, kFramePointsSegments, "frame_10k_peer.png");
    })->Unit(benchmark::kMillisecond);
}
