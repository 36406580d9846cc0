#pragma once
// What the benchmarks share: the sizes of the figures, the signal every plot is fed, the
// data rectangle both plots draw in, the live-chart driver, and the PNG a person looks at to
// see that both plots drew the same thing.

#include <functional>
#include <string>
#include <vector>

class TBitmap;

constexpr int kIngestPoints = 1000000;
constexpr int kFramePointsFast = 1000000;
constexpr int kFramePointsSegments = 10000;
constexpr int kFrameWidth = 1000;
constexpr int kFrameHeight = 600;
// Points added between two frames of the "new points every frame" figure.
constexpr int kFrameNewPoints = 1000;

// The live chart: 16 channels, each fed 10,000 points a second into a ring of 100,000, so
// the X axis shows the last ten seconds.
constexpr int kLiveChannels = 16;
constexpr int kLivePointsPerSecond = 10000;
constexpr int kLiveRing = 100000;
constexpr double kLiveSpanSeconds = double(kLiveRing) / kLivePointsPerSecond;
// Points per channel added before the figure starts: the rings have wrapped.
constexpr long kLivePrefill = kLiveRing + kLiveRing / 5;
constexpr double kLiveSeconds = 10;
// The frame rate both plots are limited to.
constexpr int kLiveFrameRate = 60;
// A channel's Y values, a slow wave around the channel's number (the live chart's axis
// shows -1 .. 15.5).
double LiveY(int channel, long point);
double LiveX(long point);

// The points between two X scrolls of the peer's ingest (its setRange once per frame): ten
// thousand points a second at 60 frames a second.
constexpr int kPointsPerFrameScroll = kLivePointsPerSecond / kLiveFrameRate;

// A slow wave with a fast ripple and noise, so every pixel column holds a real spread.
std::vector<double> SignalValues(int count);

void SaveBitmapPNG(const TBitmap& bitmap, const std::string& path);

// The rectangle a plot draws its data in, in the plot's pixels; Right and Bottom exclusive.
// The peer's axis rectangle is set to the one ours lays out, so both draw the same area.
struct TDataArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};
// Ours, laid out as the frame figures show one channel of `count` points and as the live
// chart shows sixteen.
TDataArea FrameDataArea(int count);
TDataArea LiveDataArea();

// What a live chart cost over the measured seconds: frames painted per second, cores used
// (process CPU time over wall time) and CPU milliseconds per frame.
struct TLiveFigures {
    double FramesPerSecond = 0;
    double Cores = 0;
    double CpuMsPerFrame = 0;
};
// Runs the event loop for kLiveSeconds as a live chart runs in a program: a precise timer
// every few milliseconds calls Feed(first, end) with the points that came due by the clock
// (point numbers from kLivePrefill on); the plot paints as it does in a program. Frames()
// answers the frames painted so far.
TLiveFigures RunLiveChart(const std::function<void(long, long)>& feed, const std::function<int()>& frames);
// Runs the event loop for the given milliseconds (windows get shown and painted).
void RunEventLoop(int milliseconds);

// The bytes the process has in use: the heap's chunks in use and every mapped block (touched
// or not, so growth slack counts), for counting bytes per point whatever allocates them.
long long MemoryInUse();

// Each benchmark file registers its figures; the program's main calls them once the
// application object exists.
void RegisterPlotBenchmarks();
void RegisterPeerBenchmarks();
void RegisterHostBenchmarks(const char* self);
void RegisterEditorBenchmarks();
// The clock both processes of the start-window figure read.
double StartWindowClock();

// One ingest run outside the benchmark library, for counting its instructions under
// callgrind: `points` points into a warm ring through the named form ("standard", "compact",
// "compact_interval", "full_feature") or through the peer ("peer"). The points are added by
// IngestPointsOurs / IngestPointsPeer alone, the functions callgrind is told to count.
// Answers false for an unknown name.
bool CountIngest(const std::string& name, int points);
bool CountIngestPeer(int points);
