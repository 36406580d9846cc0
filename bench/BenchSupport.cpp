#include "bench/BenchSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"

#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <random>
#include <unistd.h>

std::vector<double> SignalValues(int count)
{
    std::vector<double> values(static_cast<std::size_t>(count));
    std::mt19937 random(24);
    std::normal_distribution<double> noise(0.0, 0.05);
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = std::sin(i * 1e-5) + 0.3 * std::sin(i * 0.01) + noise(random);
    return values;
}

double LiveX(long point) { return double(point) / kLivePointsPerSecond; }

double LiveY(int channel, long point) { return channel + 0.4 * std::sin(LiveX(point) * (channel + 1)); }

void SaveBitmapPNG(const TBitmap& bitmap, const std::string& path)
{
    const TBytes bytes = EncodePNG(bitmap, 6);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

long long MemoryInUse()
{
    long long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    // The heap's chunks in use, and every mapping but the heap's own (which holds freed
    // chunks the C library keeps for reuse).
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long long>(heap.uordblks) + pages * sysconf(_SC_PAGESIZE) - static_cast<long long>(heap.arena);
}
