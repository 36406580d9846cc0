#include "HostHarness.h"

#include "FuzzSupport.h"

#include "app/core/DeviceFile.h"

#include <array>
#include <cstdlib>

void HostHarness::LoadSampleDevice(unsigned choice)
{
    static const std::array<std::string, 3> names{"fluorometer.dev", "backscatter.dev", "par.dev"};
    static const std::array<std::string, 3> files{SampleFile("resources/devices/" + names[0]),
                                                  SampleFile("resources/devices/" + names[1]),
                                                  SampleFile("resources/devices/" + names[2])};
    const std::size_t i = choice % files.size();
    FilePtr file = OpenMemoryFile(files[i]);
    if (!ParseDeviceFile(Context(), file.get()))
        std::abort();  // the samples are valid: a failure here is a fault of the harness
    State().DevicePath = names[i];
}
