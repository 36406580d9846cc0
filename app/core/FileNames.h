#pragma once
// Small path helpers for the host's files.

#include <string>

// The path with ".ext" appended when its file name has no extension.
std::string WithDefaultExtension(const std::string& path, const std::string& ext);
// The file name and extension without the directory ("/" or "\" separated).
std::string FileNameOf(const std::string& path);
