#pragma once
// 8-bit text helpers. Text is Windows-1252 held in std::string; every name look-up of the
// library compares ASCII letters without regard to case.

#include <string>
#include <string_view>

std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);  // ASCII letters only
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);  // <0, 0, >0 ignoring ASCII case
std::string Trim(std::string_view s);                     // drops characters <= blank at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Windows-1252 <-> Unicode. Characters without a mapping become '?'.
std::u16string Win1252ToUtf16(std::string_view s);
std::string Utf16ToWin1252(std::u16string_view s);
std::string Win1252ToUtf8(std::string_view s);
std::string Utf8ToWin1252(std::string_view s);
