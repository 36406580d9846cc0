#pragma once
// Files of the repository that tests read (sample device files, resources).

#include <string>

inline std::string SourcePath(const std::string& relative) { return std::string(PRAVIX_SOURCE_DIR) + "/" + relative; }

inline std::string SampleDevice(const std::string& name) { return SourcePath("resources/devices/" + name); }
