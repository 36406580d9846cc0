#pragma once
// What every fuzz target shares: the platform started once, the input as text, lines and a
// memory FILE, and the sample files of the repository.

#include "app/core/HostState.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The fuzzer's input as bytes of the library's 8-bit text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Splits at LF, keeping everything else (CR, NUL) in the lines.
std::vector<std::string> SplitLines(std::string_view text);

// A read-only stream over the bytes (an empty input reads as an empty file).
FilePtr OpenMemoryFile(std::string_view bytes);

// A sample file of the repository (resources/devices/fluorometer.dev ...), read whole.
std::string SampleFile(const std::string& relativePath);

// Starts the platform (offscreen, fixed English settings) the first time it is called.
void StartPlatform();

// Runs `body`, letting the library's own exceptions through silently: broken input is
// expected to raise them. Anything else escapes and ends the run as a finding.
template <typename Body>
void ExpectingLibraryErrors(Body body);

#include "platform/core/Exceptions.h"

template <typename Body>
void ExpectingLibraryErrors(Body body)
{
    try {
        body();
    } catch (const Exception&) {
    }
}
