#include "bench/BenchSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"

#include <cmath>
#include <cstdio>
#include <random>

std::vector<double> SignalValues(int count)
{
    std::vector<double> values(static_cast<std::size_t>(count));
    std::mt19937 random(24);
    std::normal_distribution<double> noise(0.0, 0.05);
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = std::sin(i * 1e-5) + 0.3 * std::sin(i * 0.01) + noise(random);
    return values;
}

void SaveBitmapPNG(const TBitmap& bitmap, const std::string& path)
{
    const TBytes bytes = EncodePNG(bitmap, 6);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}
