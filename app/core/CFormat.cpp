#include "app/core/CFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
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

namespace {

void AppendPadded(std::string& out, const char* text, std::size_t length, int width)
{
    if (length < std::size_t(width))
        out.append(std::size_t(width) - length, ' ');
    out.append(text, length);
}

int ReadNumber(const char*& at)
{
    int n = 0;
    while (*at >= '0' && *at <= '9')
        n = n * 10 + (*at++ - '0');
    return n;
}

constexpr int kShortPrecision = 9;
// Up to 10^18: a short value scaled by its decimals is at most 1e18, 19 digits.
constexpr int kScaledDigits = 19;
constexpr std::uint64_t kPowersOfTen[kScaledDigits] = {1,
                                                       10,
                                                       100,
                                                       1000,
                                                       10000,
                                                       100000,
                                                       1000000,
                                                       10000000,
                                                       100000000,
                                                       1000000000,
                                                       10000000000,
                                                       100000000000,
                                                       1000000000000,
                                                       10000000000000,
                                                       100000000000000,
                                                       1000000000000000,
                                                       10000000000000000,
                                                       100000000000000000,
                                                       1000000000000000000};

// "00" to "99": digits are written two per division by the constant 100 (a multiplication),
// which halves the steps of a record value's text.
constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// Writes the last `count` digits of n backwards so that they end at `at`; returns their start
// and leaves in n what is before them.
template <class Unsigned>
char* LastDigitsBefore(char* at, Unsigned& n, int count)
{
    if (count & 1) {
        *--at = char('0' + n % 10);
        n /= 10;
    }
    for (count &= ~1; count > 0; count -= 2, n /= 100) {
        at -= 2;
        std::memcpy(at, kDigitPairs + 2 * (n % 100), 2);
    }
    return at;
}

// |value| * 10^precision rounded to a whole number for a value below 1e9 with at most nine
// decimals, as printf rounds it: the exact product, ties to even. False when the value is out
// of this reach.
bool ScaledShortFixed(double value, int precision, std::uint64_t& scaled)
{
    using Wide = unsigned __int128;
    if (!std::isfinite(value) || precision < 0 || precision > kShortPrecision || std::fabs(value) >= 1e9)
        return false;
    // Most values are settled by the rounded product alone: it is within half a unit in its
    // last place of the exact one, so a fraction clear of one half by more than that rounds
    // as the exact product does. Only products this close to a tie are worked out exactly.
    const double product = std::fabs(value) * double(kPowersOfTen[precision]);
    if (product < 0x1p53) {
        const auto whole = std::uint64_t(product);
        const double fraction = product - double(whole);  // exact below 2^53
        const double margin = product * 0x1p-50;
        if (fraction < 0.5 - margin || fraction > 0.5 + margin) {
            scaled = fraction < 0.5 ? whole : whole + 1;
            return true;
        }
    }
    // |value| = mantissa / 2^shift, read from the value's bits (shift > 23 below 1e9), so the
    // product is computed exactly in 128 bits.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = int(bits >> 52) & 0x7FF;
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    if (biased != 0)
        mantissa |= std::uint64_t(1) << 52;
    const int shift = 1075 - std::max(biased, 1);
    scaled = 0;  // at most 1e18
    if (shift < 128) {
        const Wide exact = Wide(mantissa) * kPowersOfTen[precision];
        const Wide half = Wide(1) << (shift - 1);
        const Wide rest = exact & ((half << 1) - 1);
        scaled = std::uint64_t(exact >> shift);
        if (rest > half || (rest == half && (scaled & 1)))
            ++scaled;
    }
    return true;
}

// The digits of a scaled value, its decimals after a point, ending at `end`.
template <class Unsigned>
void WriteScaledDigits(char* end, Unsigned scaled, int precision, int digits)
{
    char* before = LastDigitsBefore(end, scaled, precision);
    if (precision > 0)
        *--before = '.';
    LastDigitsBefore(before, scaled, digits - precision);
}

}  // namespace

char* WriteShortFixed(char* at, double value, int width, int precision)
{
    std::uint64_t scaled = 0;
    if (width > kShortFixedRoom || !ScaledShortFixed(value, precision, scaled))
        return nullptr;
    // The digits of the scaled value, at least one of them before the point.
    int digits = precision + 1;
    while (digits < kScaledDigits && scaled >= kPowersOfTen[digits])
        ++digits;
    const bool negative = std::signbit(value);
    const int point = precision > 0 ? 1 : 0;
    for (int length = int(negative) + digits + point; length < width; ++length)
        *at++ = ' ';
    if (negative)
        *at++ = '-';
    char* const end = at + digits + point;
    if (scaled <= UINT32_MAX)  // most values: the digits come faster in 32 bits
        WriteScaledDigits(end, std::uint32_t(scaled), precision, digits);
    else
        WriteScaledDigits(end, scaled, precision, digits);
    return end;
}

void AppendFixed(std::string& out, double value, int width, int precision)
{
    char text[kShortFixedRoom];
    if (const char* end = WriteShortFixed(text, value, width, precision)) {
        out.append(text, std::size_t(end - text));
        return;
    }
    char digits[400];
    char* const end = digits + sizeof digits;
    // Both print the binary value correctly rounded to the digits asked for; printf only
    // takes over for precisions too long for the buffer.
    const auto [last, error] = std::to_chars(digits, end, value, std::chars_format::fixed, precision);
    if (error == std::errc())
        AppendPadded(out, digits, std::size_t(last - digits), width);
    else
        out += CFormat("%*.*f", width, precision, value);
}

void AppendWhole(std::string& out, int value, int width, bool zeros)
{
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = std::size_t(end - digits);
    if (!zeros || length >= std::size_t(width)) {
        AppendPadded(out, digits, length, width);
        return;
    }
    // printf puts the zeros between the sign and the digits.
    const std::size_t sign = value < 0 ? 1 : 0;
    out.append(digits, sign);
    out.append(std::size_t(width) - length, '0');
    out.append(digits + sign, length - sign);
}

std::string QuickFormat(const char* format, double value, const char* text, int whole)
{
    std::string out;
    for (const char* at = format; *at;) {
        if (*at != '%') {
            out += *at++;
            continue;
        }
        const char* directive = at++;
        int width = ReadNumber(at);
        int precision = 6;  // printf's precision when none is given
        if (*at == '.') {
            ++at;
            precision = ReadNumber(at);
        }
        const char* conversion = *at == 'l' ? at + 1 : at;
        switch (*conversion) {
        case 'd': AppendWhole(out, whole, width); break;
        case 'f': AppendFixed(out, value, width, precision); break;
        case 's': AppendPadded(out, text, std::strlen(text), width); break;
        case '%': out += '%'; break;
        default: out.append(directive, std::size_t(conversion - directive) + (*conversion ? 1 : 0)); break;
        }
        at = *conversion ? conversion + 1 : conversion;
    }
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
