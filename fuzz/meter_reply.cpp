// The meter's replies to menu commands, one per line, into the host's copy of its set-up.

#include "FuzzSupport.h"
#include "HostHarness.h"

#include "app/core/MeterProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HostHarness host;
    for (const std::string& line : SplitLines(AsText(data, size)))
        ParseMeterReply(host.Context(), line);
    host.core.ShowDateTimeTexts();  // the clock and date replies are shown from here
    return 0;
}
