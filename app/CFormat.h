#pragma once
// printf-style formatting into a string, with "." as the decimal point (the process keeps
// the C numeric locale).

#include <string>

std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
