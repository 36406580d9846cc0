#pragma once
// printf-style formatting into a string, with "." as the decimal point (the process keeps
// the C numeric locale).

#include <string>

std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The shortest general text of a value: 15 significant digits, fixed notation unless the
// exponent is 15 or more or the value is below 0.00001 ("0.1", "100", "1E15", "1E-6").
std::string ShortFloatText(double value);
