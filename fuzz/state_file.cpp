// The state file of the last run ("last.rbs"), restored at start: its settings line and the
// device file it names, in a scratch folder that holds the sample device files.

#include "FuzzSupport.h"
#include "HostHarness.h"

#include "app/core/StateFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

void WriteFile(const char* name, std::string_view bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// The host reads the state file from its working folder: the fuzzer runs in a folder of its
// own with copies of the sample device files.
const char* const kSampleDevices[] = {"fluorometer.dev", "backscatter.dev", "par.dev"};
char scratchFolder[] = "/tmp/pravix-fuzz-state-XXXXXX";

void RemoveScratchFolder()
{
    for (const char* name : kSampleDevices)
        unlink(name);
    unlink(kStateFile);
    rmdir(scratchFolder);
}

void EnterScratchFolder()
{
    if (!mkdtemp(scratchFolder) || chdir(scratchFolder) != 0) {
        std::perror("fuzz: scratch folder");
        std::abort();
    }
    std::atexit(RemoveScratchFolder);
    for (const char* name : kSampleDevices)
        WriteFile(name, SampleFile(std::string("resources/devices/") + name));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = AsText(data, size);
    // A device file named by path could be any file of the machine (a terminal, /dev/zero):
    // only names inside the scratch folder are tried.
    const auto lines = SplitLines(text);
    if (lines.size() > 1 && lines[1].find('/') != std::string::npos)
        return 0;
    WriteFile(kStateFile, text);
    HostHarness host;
    RestoreState(host.Context());
    host.core.Timer55msTimer();
    return 0;
}
