#include "FuzzSupport.h"

#include "platform/canvas/Bitmap.h"
#include "platform/core/Regional.h"
#include "platform/gui/Application.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
    }
    return lines;
}

FilePtr OpenMemoryFile(std::string_view bytes)
{
    // fmemopen refuses a zero-length buffer; /dev/null is the empty file.
    if (bytes.empty())
        return FilePtr(std::fopen("/dev/null", "rb"));
    return FilePtr(fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"));
}

std::string SampleFile(const std::string& relativePath)
{
    std::ifstream in(std::string(PRAVIX_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz: missing sample file %s\n", relativePath.c_str());
        std::abort();
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void StartPlatform()
{
    static const bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        Application->Initialize(argc, argv);
        SetRegion(TFormatSettings::English());
        // The first text loads the font configuration, which can take seconds on a busy
        // machine: done here, it is not charged to an input as a hang.
        TBitmap warmUp;
        warmUp.SetSize(8, 8);
        warmUp.Canvas().TextOut(0, 0, "x");
        return true;
    }();
    (void)started;
}
