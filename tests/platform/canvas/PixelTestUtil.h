#pragma once
// Helpers of the drawing tests: pixel reads and the Pillow probe.

#include "platform/canvas/Bitmap.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

inline std::unique_ptr<TBitmap> WhiteBitmap(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().SetColor(clWhite);
    bitmap->Canvas().FillRect({0, 0, width, height});
    return bitmap;
}

// The pixels of a row or column as a string: one character per pixel from the legend
// ('?' for colours not in it).
struct Legend {
    TColor Color;
    char Mark;
};

inline char LegendMark(TBitmap& b, int x, int y, const std::vector<Legend>& legend)
{
    char mark = '?';
    for (const Legend& l : legend)
        if (b.Canvas().GetPixel(x, y) == l.Color)
            mark = l.Mark;
    return mark;
}

inline std::string Row(TBitmap& b, int y, int x0, int x1, const std::vector<Legend>& legend)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += LegendMark(b, x, y, legend);
    return s;
}

inline std::string Column(TBitmap& b, int x, int y0, int y1, const std::vector<Legend>& legend)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += LegendMark(b, x, y, legend);
    return s;
}

// Bounding box of the pixels that differ from the colour; (0, 0, 0, 0) when none do.
inline TRect InkBox(TBitmap& b, TColor background)
{
    TRect box;
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            if (b.Canvas().GetPixel(x, y) != background)
                UnionRect(box, box, {x, y, x + 1, y + 1});
    return box;
}

inline std::string TempPath(const std::string& name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/pravix_" + std::to_string(::getpid()) + "_" + name;
}

// Runs tests/platform/pil_probe.py on a file and returns what it prints.
inline std::string PillowProbe(const std::string& file, const std::string& arguments = "")
{
    // Found beside this header: the test environment does not always carry the source path.
    const std::string here = __FILE__;
    const std::string script = here.substr(0, here.find_last_of('/') + 1) + "pil_probe.py";
    // Debian's interpreter carries python3-pil; another python3 earlier on PATH may not.
    const std::string python = ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
    const std::string command = python + " '" + script + "' '" + file + "' " + arguments + " 2>&1";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}
