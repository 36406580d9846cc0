// zuvsim: a simulated ZUV meter on a pseudo-terminal.
//
//   zuvsim [--device FILE.dev] [--rate LINES_PER_SECOND] [--link PATH] [--no-date] [--log FILE]
//          [--set KEY=VALUE]... [--noise N] [--long-lines N] [--pause N:MILLISECONDS]
//          [--hang-up SECONDS] [--seed N]
//
// --set gives a reply value of the meter's menu (VER, AVE, PKT, SET, INT, REC, MEM, CAL, ASV,
// UGL, OFF, CLK, DAT), e.g. --set MEM=4094.
// Faults: --noise N sends a line of random bytes after every N data lines (--seed picks the
// bytes), --long-lines N a 300-character line, --pause N:MS stays silent that long; --hang-up
// closes the terminal after that many seconds, as if the cable were pulled.
// Prints the terminal's path; point the host at it with COMn=<path> (or use --link). When it
// ends, it tells on standard error how many lines of each kind it sent.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "tools/simulator/MeterSimulator.h"

namespace {
volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) { stopRequested = 1; }

int Usage()
{
    std::fprintf(stderr, "usage: zuvsim [--device FILE.dev] [--rate LINES_PER_SECOND] [--link PATH] [--no-date] "
                         "[--log FILE] [--set KEY=VALUE]... [--noise N] [--long-lines N] [--pause N:MILLISECONDS] "
                         "[--hang-up SECONDS] [--seed N]\n");
    return 2;
}

// A whole, non-negative number; false for anything else.
bool ReadCount(const std::string& text, int& value)
{
    char* end = nullptr;
    errno = 0;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < 0 || n > 1000000000)
        return false;
    value = int(n);
    return true;
}

std::string FileText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Options {
    SimulatorConfig Config;
    std::string Link;
    double HangUpSeconds = 0;
};

// False when an option is unknown, lacks its value or has a bad one.
bool ParseOptions(int argc, char** argv, Options& o)
{
    SimulatorConfig& c = o.Config;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--no-date") {
            c.NoDatePrefix = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        std::string v = argv[++i];
        int seed = 0;
        if (a == "--device") {
            c.DevicePath = v;
        } else if (a == "--rate") {
            c.LinesPerSecond = std::atof(v.c_str());
        } else if (a == "--link") {
            o.Link = v;
        } else if (a == "--log") {
            c.InternalLog = FileText(v.c_str());
        } else if (a == "--set") {
            size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0)
                return false;
            c.Settings[v.substr(0, eq)] = v.substr(eq + 1);
        } else if (a == "--noise") {
            if (!ReadCount(v, c.NoiseEvery))
                return false;
        } else if (a == "--long-lines") {
            if (!ReadCount(v, c.LongLineEvery))
                return false;
        } else if (a == "--pause") {
            size_t colon = v.find(':');
            if (colon == std::string::npos || !ReadCount(v.substr(0, colon), c.PauseEvery) ||
                !ReadCount(v.substr(colon + 1), c.PauseMilliseconds))
                return false;
        } else if (a == "--hang-up") {
            o.HangUpSeconds = std::atof(v.c_str());
            if (!(o.HangUpSeconds > 0))
                return false;
        } else if (a == "--seed") {
            if (!ReadCount(v, seed))
                return false;
            c.NoiseSeed = unsigned(seed);
        } else {
            return false;
        }
    }
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Usage();
    MeterSimulator sim(options.Config);
    std::string error;
    if (!sim.Open(&error)) {
        std::fprintf(stderr, "zuvsim: %s\n", error.c_str());
        return 1;
    }
    const std::string& link = options.Link;
    if (!link.empty() && !sim.CreateLink(link)) {
        std::fprintf(stderr, "zuvsim: cannot create link %s: %s\n", link.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", sim.SlavePath().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    using Clock = std::chrono::steady_clock;
    const auto hangUpAt = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(options.HangUpSeconds));
    while (!stopRequested && sim.IsOpen()) {
        sim.Pump(20);
        if (options.HangUpSeconds > 0 && Clock::now() >= hangUpAt)
            sim.CloseLine();
    }
    if (!link.empty())
        ::unlink(link.c_str());
    std::fprintf(stderr, "zuvsim: sent %ld data lines, %ld noise lines, %ld over-long lines; %zu bytes dropped\n",
                 sim.LinesSent(), sim.NoiseLinesSent(), sim.LongLinesSent(), sim.BytesDropped());
    return 0;
}
