#pragma once
// The table of resources compiled into the program. The build generates its definition from
// the files under resources/ (see resgen/ResourceCompiler.cpp); Resources.cpp looks it up.

#include <cstddef>
#include <span>

struct TResourceEntry {
    const char* Name;  // upper case
    const unsigned char* Data;
    std::size_t Size;
};

std::span<const TResourceEntry> ResourceTable();
