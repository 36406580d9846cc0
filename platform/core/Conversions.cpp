#include "platform/core/Conversions.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// A non-negative decimal number: significant digits (no leading zero, empty for zero) and
// the power of ten of the first digit.
struct Decimal {
    std::string digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
    // The digit at the given power of ten (0 outside the digits held).
    char DigitAt(int place) const
    {
        const int index = exponent - place;
        return (index >= 0 && index < int(digits.size())) ? digits[size_t(index)] : '0';
    }
};

// Every digit of a double's exact binary value fits in this many digits after the first.
constexpr int kExactPrecision = 800;
// Digits printed beyond the rounding position: enough to tell a tail from one half.
constexpr int kGuardDigits = 20;
// Beyond these every digit of any double is exact, so larger requests only add zeros.
constexpr int kMaxSignificantDigits = 800;
constexpr int kMaxDecimals = 1100;

// |value| in scientific form with `precision` digits after the first, as glibc prints it:
// exact up to the last digit printed.
Decimal PrintScientific(double absValue, int precision)
{
    char stackBuffer[128];
    std::string heapBuffer;
    char* text = stackBuffer;
    const int length = std::snprintf(stackBuffer, sizeof stackBuffer, "%.*e", precision, absValue);
    if (length >= int(sizeof stackBuffer)) {
        heapBuffer.resize(size_t(length) + 1);
        std::snprintf(heapBuffer.data(), heapBuffer.size(), "%.*e", precision, absValue);
        text = heapBuffer.data();
    }
    Decimal d;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')  // whatever radix character the C locale prints
            d.digits += *p;
    }
    d.exponent = std::atoi(p + 1);
    return d;
}

void RoundUpLastDigit(Decimal& d)
{
    int i = int(d.digits.size()) - 1;
    while (i >= 0 && d.digits[size_t(i)] == '9')
        d.digits[size_t(i--)] = '0';
    if (i >= 0) {
        ++d.digits[size_t(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

// Keeps the first `keep` digits (keep may be 0) and rounds halves away from zero: with the
// exact digits at hand, a dropped digit of 5 or more always rounds up.
Decimal KeepDigits(Decimal d, int keep)
{
    if (keep < 0)
        return {};
    if (keep < int(d.digits.size())) {
        const bool roundUp = d.digits[size_t(keep)] >= '5';
        d.digits.resize(size_t(keep));
        if (roundUp)
            RoundUpLastDigit(d);
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// A printed tail of exactly one half may hide a tail just above or below it (the print
// itself was rounded); only then are all the exact digits needed.
bool TailIsHalf(const Decimal& d, int keep)
{
    if (keep < 0 || keep >= int(d.digits.size()) || d.digits[size_t(keep)] != '5')
        return false;
    return d.digits.find_first_not_of('0', size_t(keep) + 1) == std::string::npos;
}

// |value| rounded to the digits selected by `keepFor`, which maps the exponent of the value
// to the number of significant digits kept.
template <typename KeepFor>
Decimal RoundExact(double absValue, KeepFor keepFor)
{
    if (absValue == 0)
        return {};
    const int exponent = PrintScientific(absValue, 17).exponent;
    int precision = std::min(std::max(keepFor(exponent), 0) + kGuardDigits, kExactPrecision);
    Decimal d = PrintScientific(absValue, precision);
    int keep = keepFor(d.exponent);
    if (TailIsHalf(d, keep) && precision < kExactPrecision) {
        d = PrintScientific(absValue, kExactPrecision);
        keep = keepFor(d.exponent);
    }
    return KeepDigits(d, keep);
}

Decimal RoundSignificant(double absValue, int digits)
{
    return RoundExact(absValue, [digits](int) { return digits; });
}

Decimal RoundToDecimals(double absValue, int decimals)
{
    return RoundExact(absValue, [decimals](int exponent) { return exponent + 1 + decimals; });
}

const char* NonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value > 0 ? "INF" : "-INF";
}

std::string Sign(double value, const Decimal& rounded) { return (std::signbit(value) && !rounded.IsZero()) ? "-" : ""; }

// Integer digits of a rounded number, grouped by thousands when a separator is given.
std::string IntegerDigits(const Decimal& d, int minimumDigits, char groupSeparator)
{
    const int top = std::max(d.IsZero() ? -1 : d.exponent, minimumDigits - 1);
    std::string text;
    for (int place = top; place >= 0; --place) {
        text += d.DigitAt(place);
        if (groupSeparator && place > 0 && place % 3 == 0)
            text += groupSeparator;
    }
    return text;
}

std::string FractionDigits(const Decimal& d, int decimals)
{
    std::string text;
    for (int place = -1; place >= -decimals; --place)
        text += d.DigitAt(place);
    return text;
}

std::string ExponentText(int exponent, bool plusSign, int minimumDigits)
{
    std::string digits = std::to_string(std::abs(exponent));
    if (int(digits.size()) < minimumDigits)
        digits.insert(0, size_t(minimumDigits) - digits.size(), '0');
    return (exponent < 0 ? "-" : (plusSign ? "+" : "")) + digits;
}

// ------------------------------------------------------------------------- patterns

struct NumberPattern {
    std::string prefix;
    std::string suffix;
    int integerZeros = 0;  // minimum integer digits
    bool grouping = false;
    bool hasPoint = false;
    int requiredDecimals = 0;
    int decimals = 0;  // placeholders after the point
};

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == ',' || c == '.'; }

// Literal text of a pattern: quoted parts lose their quotes, other characters stay.
std::string Literal(std::string_view text)
{
    std::string out;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else {
            out += c;
        }
    }
    return out;
}

NumberPattern ParsePattern(std::string_view pattern)
{
    // The placeholders form one run; quoted text cannot hold it.
    size_t begin = 0;
    char quote = 0;
    for (; begin < pattern.size(); ++begin) {
        const char c = pattern[begin];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (IsPlaceholder(c)) {
            break;
        }
    }
    size_t end = begin;
    while (end < pattern.size() && IsPlaceholder(pattern[end]))
        ++end;

    NumberPattern p;
    p.prefix = Literal(pattern.substr(0, begin));
    p.suffix = Literal(pattern.substr(end));
    for (size_t i = begin; i < end; ++i) {
        const char c = pattern[i];
        if (c == '.' && !p.hasPoint) {
            p.hasPoint = true;
        } else if (!p.hasPoint) {
            p.grouping |= c == ',';
            p.integerZeros += c == '0';
        } else if (c == '0' || c == '#') {
            ++p.decimals;
            if (c == '0')
                p.requiredDecimals = p.decimals;
        }
    }
    return p;
}

// ------------------------------------------------------------------------- parsing

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the whole text as a number; `isSeparator` tells which characters are the decimal
// separator. The text is rewritten with "." and converted in the C locale.
template <typename IsSeparator>
bool ParseFloat(std::string_view text, double& value, IsSeparator isSeparator)
{
    const std::string s = Trim(text);
    std::string c;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        c += s[i++];

    const std::string rest = UpperCase(std::string_view(s).substr(i));
    if (rest == "INF" || rest == "NAN") {
        value = rest == "NAN" ? std::numeric_limits<double>::quiet_NaN()
                              : (c == "-" ? -1 : 1) * std::numeric_limits<double>::infinity();
        return true;
    }

    int mantissaDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits)
        c += s[i];
    if (i < s.size() && isSeparator(s[i])) {
        c += '.';
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits)
            c += s[i];
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        c += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            c += s[i++];
        int exponentDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++exponentDigits)
            c += s[i];
        if (exponentDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;

    errno = 0;
    const double result = strtod_l(c.c_str(), nullptr, CLocale());
    if (errno == ERANGE && std::isinf(result))
        return false;  // too large for a double; underflow reads as the nearest value
    value = result;
    return true;
}

[[noreturn]] void RaiseFloatError(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

}  // namespace

// ------------------------------------------------------------------------- formatting

std::string FloatToStr(double value) { return FloatToStr(value, Region().DecimalSeparator); }

std::string FloatToStr(double value, char decimalSeparator, int significantDigits)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    significantDigits = std::clamp(significantDigits, 1, kMaxSignificantDigits);
    const Decimal d = RoundSignificant(std::fabs(value), significantDigits);
    if (d.IsZero())
        return "0";

    const std::string sign = Sign(value, d);
    if (d.exponent >= -5 && d.exponent < 15) {
        const int decimals = std::max(int(d.digits.size()) - 1 - d.exponent, 0);
        std::string text = sign + IntegerDigits(d, 1, 0);
        if (decimals > 0)
            text += decimalSeparator + FractionDigits(d, decimals);
        return text;
    }
    std::string text = sign + d.digits[0];
    if (d.digits.size() > 1)
        text += decimalSeparator + d.digits.substr(1);
    return text + "E" + ExponentText(d.exponent, false, 1);
}

std::string FormatFixed(double value, int decimals) { return FormatFixed(value, decimals, Region().DecimalSeparator); }

std::string FormatFixed(double value, int decimals, char decimalSeparator)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const Decimal d = RoundToDecimals(std::fabs(value), decimals);
    std::string text = Sign(value, d) + IntegerDigits(d, 1, 0);
    if (decimals > 0)
        text += decimalSeparator + FractionDigits(d, decimals);
    return text;
}

std::string FormatExponent(double value, int significantDigits)
{
    return FormatExponent(value, significantDigits, Region().DecimalSeparator);
}

std::string FormatExponent(double value, int significantDigits, char decimalSeparator)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    significantDigits = std::clamp(significantDigits, 1, kMaxSignificantDigits);
    const Decimal d = RoundSignificant(std::fabs(value), significantDigits);
    const int exponent = d.IsZero() ? 0 : d.exponent;
    std::string text = Sign(value, d) + d.DigitAt(exponent);
    if (significantDigits > 1) {
        text += decimalSeparator;
        for (int place = exponent - 1; place > exponent - significantDigits; --place)
            text += d.DigitAt(place);
    }
    return text + "E" + ExponentText(exponent, true, 3);
}

std::string FormatFloat(std::string_view pattern, double value)
{
    if (pattern.empty())
        return FloatToStr(value);
    if (!std::isfinite(value))
        return NonFiniteText(value);
    const NumberPattern p = ParsePattern(pattern);
    const TFormatSettings& region = Region();
    const Decimal d = RoundToDecimals(std::fabs(value), p.decimals);

    std::string fraction = FractionDigits(d, p.decimals);
    while (int(fraction.size()) > p.requiredDecimals && fraction.back() == '0')
        fraction.pop_back();

    std::string text = Sign(value, d) + p.prefix;
    text += IntegerDigits(d, p.integerZeros, p.grouping ? region.ThousandSeparator : 0);
    if (p.hasPoint && !fraction.empty())
        text += region.DecimalSeparator + fraction;
    return text + p.suffix;
}

// ------------------------------------------------------------------------- parsing

double StrToFloat(std::string_view text) { return StrToFloat(text, Region().DecimalSeparator); }

double StrToFloat(std::string_view text, char decimalSeparator)
{
    double value = 0;
    if (!TryStrToFloat(text, value, decimalSeparator))
        RaiseFloatError(text);
    return value;
}

bool TryStrToFloat(std::string_view text, double& value)
{
    return TryStrToFloat(text, value, Region().DecimalSeparator);
}

bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator)
{
    return ParseFloat(text, value, [decimalSeparator](char c) { return c == decimalSeparator; });
}

double FileStrToFloat(std::string_view text)
{
    double value = 0;
    if (!TryFileStrToFloat(text, value))
        RaiseFloatError(text);
    return value;
}

bool TryFileStrToFloat(std::string_view text, double& value)
{
    return ParseFloat(text, value, [](char c) { return c == '.' || c == ','; });
}

std::string IntToStr(long long value) { return std::to_string(value); }

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

bool TryStrToInt(std::string_view text, int& value)
{
    const std::string s = Trim(text);
    size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-'))
        ++i;
    if (i == s.size())
        return false;
    long long magnitude = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i]))
            return false;
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > 2147483648LL)
            return false;
    }
    const long long result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max())
        return false;
    value = int(result);
    return true;
}
