#pragma once
// Platform-internal: whole-file reads and writes with the library's file errors.

#include <cstdint>
#include <string>
#include <vector>

// Raises EFOpenError when the file cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
// Raises EFCreateError when the file cannot be written.
void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
