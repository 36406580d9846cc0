#include "platform/core/StrUtils.h"

#include <array>

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Code points of bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHighControlRange = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ByteToCodePoint(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F) {
        char16_t cp = kHighControlRange[b - 0x80];
        return cp ? cp : char16_t(b);  // unassigned bytes pass through as C1 controls
    }
    return char16_t(b);
}

char CodePointToByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == cp || (kHighControlRange[i] == 0 && cp == 0x80 + i))
            return char(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = AsciiUpper(c);
    return r;
}

std::string LowerCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = AsciiLower(c);
    return r;
}

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const unsigned char cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string TrimLeft(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsBlankOrControl(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && IsBlankOrControl(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::u16string Win1252ToUtf16(std::string_view s)
{
    std::u16string r;
    r.reserve(s.size());
    for (char c : s)
        r.push_back(ByteToCodePoint(static_cast<unsigned char>(c)));
    return r;
}

std::string Utf16ToWin1252(std::u16string_view s)
{
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size()) {
            ++i;  // a surrogate pair never maps to 8 bits
            cp = 0x10000;
        }
        r.push_back(CodePointToByte(cp));
    }
    return r;
}

std::string Win1252ToUtf8(std::string_view s)
{
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        const char16_t cp = ByteToCodePoint(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            r.push_back(char(cp));
        } else if (cp < 0x800) {
            r.push_back(char(0xC0 | (cp >> 6)));
            r.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            r.push_back(char(0xE0 | (cp >> 12)));
            r.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            r.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return r;
}

std::string Utf8ToWin1252(std::string_view s)
{
    std::string r;
    r.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + extra >= s.size()) {
            r.push_back('?');  // stray continuation byte or a sequence cut short
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? b : (b & (0x3F >> extra));
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cb = static_cast<unsigned char>(s[i + k]);
            if ((cb & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (cb & 0x3F);
        }
        if (!valid) {
            r.push_back('?');
            ++i;
            continue;
        }
        r.push_back(CodePointToByte(cp));
        i += extra + 1;
    }
    return r;
}
