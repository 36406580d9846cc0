#pragma once
// printf-style formatting into a string, with "." as the decimal point (the process keeps
// the C numeric locale).

#include <string>

std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf's "%W.Pf" of one value appended to a string: the same characters, without printf's
// cost on paths that run for every data line.
void AppendFixed(std::string& out, double value, int width, int precision);

// The widest text WriteShortFixed writes, and the widest field it pads to.
constexpr int kShortFixedRoom = 32;

// printf's "%W.Pf" of a value below 1e9 with at most nine decimals and a width of at most
// kShortFixedRoom, written at `at` (the room it needs); returns the text's end, or null, with
// nothing written, for any other value or format. A row of many values is built in place.
char* WriteShortFixed(char* at, double value, int width, int precision);

// printf's "%Wd" of one whole number appended to a string, or "%0Wd" with zeros.
void AppendWhole(std::string& out, int value, int width, bool zeros = false);

// The text printf would make of a format holding "%d" (for whole), "%f" or "%lf" (for value)
// and "%s" (for text), each with an optional width and precision, and "%%"; built without
// printf for the titles refreshed on every data line. Any other directive is copied as it
// stands, so only formats of that shape may be given.
std::string QuickFormat(const char* format, double value, const char* text = "", int whole = 0);

// The shortest general text of a value: 15 significant digits, fixed notation unless the
// exponent is 15 or more or the value is below 0.00001 ("0.1", "100", "1E15", "1E-6").
std::string ShortFloatText(double value);
