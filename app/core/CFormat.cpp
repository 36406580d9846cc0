#include "app/core/CFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

std::string ShortFloatText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    std::string out;
    if (exponent < 15 && std::fabs(value) >= 0.00001) {
        std::snprintf(buf, sizeof buf, "%.*f", std::max(0, 14 - exponent), value);
        out = buf;
        if (out.find('.') != std::string::npos) {
            out.erase(out.find_last_not_of('0') + 1);
            if (out.back() == '.')
                out.pop_back();
        }
        return out;
    }
    std::string mantissa(buf, std::strchr(buf, 'e'));
    if (mantissa.find('.') != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    return mantissa + "E" + std::to_string(exponent);
}
