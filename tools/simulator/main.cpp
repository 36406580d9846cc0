// zuvsim: a simulated ZUV meter on a pseudo-terminal.
//
//   zuvsim [--device FILE.dev] [--rate LINES_PER_SECOND] [--link PATH] [--no-date] [--log FILE]
//          [--set KEY=VALUE]...
//
// --set gives a reply value of the meter's menu (VER, AVE, PKT, SET, INT, REC, MEM, CAL, ASV,
// UGL, OFF, CLK, DAT), e.g. --set MEM=4094.
// Prints the terminal's path; point the host at it with COMn=<path> (or use --link).

#include <cerrno>
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
    std::fprintf(stderr,
                 "usage: zuvsim [--device FILE.dev] [--rate LINES_PER_SECOND] [--link PATH] [--no-date] "
                 "[--log FILE] [--set KEY=VALUE]...\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    SimulatorConfig config;
    std::string link;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--no-date") {
            config.NoDatePrefix = true;
        } else if ((a == "--device" || a == "--rate" || a == "--link" || a == "--log" || a == "--set") &&
                   (v = value())) {
            std::string text = v;
            if (a == "--set") {
                size_t eq = text.find('=');
                if (eq == std::string::npos || eq == 0)
                    return Usage();
                config.Settings[text.substr(0, eq)] = text.substr(eq + 1);
            } else if (a == "--device")
                config.DevicePath = v;
            else if (a == "--rate")
                config.LinesPerSecond = std::atof(v);
            else if (a == "--link")
                link = v;
            else {
                std::ifstream in(v, std::ios::binary);
                std::stringstream text;
                text << in.rdbuf();
                config.InternalLog = text.str();
            }
        } else {
            return Usage();
        }
    }
    MeterSimulator sim(config);
    std::string error;
    if (!sim.Open(&error)) {
        std::fprintf(stderr, "zuvsim: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty() && !sim.CreateLink(link)) {
        std::fprintf(stderr, "zuvsim: cannot create link %s: %s\n", link.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", sim.SlavePath().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    while (!stopRequested && sim.IsOpen())
        sim.Pump(20);
    if (!link.empty())
        ::unlink(link.c_str());
    return 0;
}
