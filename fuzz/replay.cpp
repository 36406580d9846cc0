// A recorded raw file replayed through the input path, one line per tick, with a sample
// device file loaded; the first byte picks the device file.

#include "FuzzSupport.h"
#include "HostHarness.h"

#include "app/core/Replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    HostHarness host;
    host.LoadSampleDevice(data[0]);
    HostState& s = host.State();
    s.ReplayFile = OpenMemoryFile(AsText(data + 1, size - 1));
    s.ReplayMode = true;
    s.ReplayRunning = true;
    // Every line is at least one byte, so the file ends within size ticks; the replay then
    // rewinds and pauses.
    for (std::size_t tick = 0; tick <= size + 1 && s.ReplayRunning; ++tick)
        host.core.Timer55msTimer();
    return 0;
}
