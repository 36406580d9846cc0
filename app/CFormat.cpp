#include "app/CFormat.h"

#include <cstdarg>
#include <cstdio>

std::string CFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(size_t(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(size_t(n));
    }
    va_end(args);
    return out;
}
