// The event loop the live figures run in, the same for both plots: the program's own loop
// (Qt's, which the platform runs too), a precise feeding timer, and the clocks.

#include "bench/BenchSupport.h"

#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <ctime>

namespace {

// Data arrives in small batches, more often than frames are painted, so that every frame
// has new points to show.
constexpr int kFeedMs = 4;

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

}  // namespace

void RunEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

TLiveFigures RunLiveChart(const std::function<void(long, long)>& feed, const std::function<int()>& frames)
{
    QEventLoop loop;
    QTimer feeder;
    feeder.setTimerType(Qt::PreciseTimer);
    const double startWall = Seconds(CLOCK_MONOTONIC);
    const double startCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const int startFrames = frames();
    long added = kLivePrefill;
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        const long due = kLivePrefill + long((Seconds(CLOCK_MONOTONIC) - startWall) * kLivePointsPerSecond);
        if (due > added) {
            feed(added, due);
            added = due;
        }
    });
    feeder.start(kFeedMs);
    QTimer::singleShot(int(kLiveSeconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    feeder.stop();
    const double wall = Seconds(CLOCK_MONOTONIC) - startWall;
    const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu;
    const int painted = frames() - startFrames;
    TLiveFigures figures;
    figures.FramesPerSecond = painted / wall;
    figures.Cores = cpu / wall;
    figures.CpuMsPerFrame = painted > 0 ? cpu * 1000 / painted : 0;
    return figures;
}
