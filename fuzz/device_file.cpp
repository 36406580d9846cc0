// Device files: the column model, the calibrations and the sensor parameters; a file that
// loaded is then used by a data line, as it would be in the program.

#include "FuzzSupport.h"
#include "HostHarness.h"

#include "app/core/DataLine.h"
#include "app/core/DeviceFile.h"
#include "app/core/InputPath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HostHarness host;
    FilePtr file = OpenMemoryFile(AsText(data, size));
    if (!ParseDeviceFile(host.Context(), file.get()))
        return 0;
    host.State().DevicePath = "fuzz.dev";
    host.port.Inbound = "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\t20\r\n";
    host.core.Timer55msTimer();
    return 0;
}
