// Bytes from the serial line through the whole input path: the raw pane, line assembly,
// the data-line grammar, field parsing and the gate of the loaded device file, and the
// meter replies among them. The first byte picks the device file and the command set.

#include "FuzzSupport.h"
#include "HostHarness.h"

#include "app/core/InputPath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    HostHarness host;
    host.LoadSampleDevice(data[0] & 3);
    host.State().EarlyCommands = (data[0] & 4) != 0;
    host.port.Inbound = AsText(data + 1, size - 1);
    // One tick more than the bytes need, so the last chunk's lines are all dispatched.
    const std::size_t ticks = host.port.Inbound.size() / kMaxBytesPerTick + 2;
    for (std::size_t i = 0; i < ticks; ++i)
        host.core.Timer55msTimer();
    return 0;
}
