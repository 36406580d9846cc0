#pragma once
// What the benchmarks share: the sizes of the figures, the signal every plot is fed, and the
// PNG a person looks at to see that both plots drew the same thing.

#include <string>
#include <vector>

class TBitmap;

constexpr int kIngestPoints = 1000000;
constexpr int kFramePointsFast = 1000000;
constexpr int kFramePointsSegments = 10000;
constexpr int kFrameWidth = 1000;
constexpr int kFrameHeight = 600;

// A slow wave with a fast ripple and noise, so every pixel column holds a real spread.
std::vector<double> SignalValues(int count);

void SaveBitmapPNG(const TBitmap& bitmap, const std::string& path);

// Each benchmark file registers its figures; the program's main calls them once the
// application object exists.
void RegisterPlotBenchmarks();
void RegisterPeerBenchmarks();
void RegisterHostBenchmarks(const char* self);
void RegisterEditorBenchmarks();
// The clock both processes of the start-window figure read.
double StartWindowClock();
