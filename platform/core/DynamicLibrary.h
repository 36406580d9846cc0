#pragma once
// Loading shared libraries at run time, under the names the program gives them.

#include <string>
#include <vector>

using HMODULE = void*;

// Loads fileName from the first folder of searchFolders that holds a copy which loads (empty
// entries are skipped), else through the system's normal search. Answers nullptr when the
// library cannot be loaded; never raises.
HMODULE LoadLibrary(const std::string& fileName, const std::vector<std::string>& searchFolders = {});

// The address of an exported symbol, nullptr when the module does not export it.
void* GetProcAddress(HMODULE module, const char* name);

void FreeLibrary(HMODULE module);

// The folder of the running executable (from /proc/self/exe), without a trailing slash.
std::string ExecutableFolder();
