#include "platform/core/DynamicLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

HMODULE LoadLibrary(const std::string& fileName, const std::vector<std::string>& searchFolders)
{
    for (const std::string& folder : searchFolders) {
        if (folder.empty())
            continue;
        const std::string path = folder.back() == '/' ? folder + fileName : folder + "/" + fileName;
        if (access(path.c_str(), F_OK) != 0)
            continue;
        if (HMODULE module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            return module;
    }
    return dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(HMODULE module, const char* name) { return module && name ? dlsym(module, name) : nullptr; }

void FreeLibrary(HMODULE module)
{
    if (module)
        dlclose(module);
}

std::string ExecutableFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, size_t(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash == 0 ? 1 : slash);
}
