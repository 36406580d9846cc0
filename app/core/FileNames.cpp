#include "app/core/FileNames.h"

std::string FileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithDefaultExtension(const std::string& path, const std::string& ext)
{
    return FileNameOf(path).find('.') == std::string::npos ? path + "." + ext : path;
}
