#pragma once
// Number <-> text conversions of the library. Display text follows the regional settings
// (Region()); files pass "." explicitly. Every decimal text rounds the exact binary value
// of the double to the digits shown, halves away from zero, and never shows a negative
// zero. Non-finite values read "NAN", "INF" and "-INF".

#include <string>
#include <string_view>

// General format: `significantDigits` significant digits (15 unless a caller needs fewer),
// trailing zeros and a trailing separator removed; fixed notation when the decimal exponent
// is below 15 and |value| >= 0.00001 (or the value is 0), otherwise d.dddE[-]x:
// 0.1 -> "0.1", 1e15 -> "1E15", 0.000001 -> "1E-6", -2.5e-7 -> "-2.5E-7".
std::string FloatToStr(double value);
std::string FloatToStr(double value, char decimalSeparator, int significantDigits = 15);

// Fixed-point text with `decimals` digits after the separator ("%.nf" with the region's
// separator); no separator when decimals is 0.
std::string FormatFixed(double value, int decimals);
std::string FormatFixed(double value, int decimals, char decimalSeparator);

// Scientific text with `significantDigits` digits, one before the separator, and an exponent
// with its sign and at least three digits: 1234 with 3 digits -> "1.23E+003".
std::string FormatExponent(double value, int significantDigits);
std::string FormatExponent(double value, int significantDigits, char decimalSeparator);

// Number patterns made of "0" (digit shown), "#" (digit shown when significant), "," in the
// integer part (group by thousands with the region's thousands separator) and "." (the
// region's decimal separator, shown only when digits follow it): "0.000", "#,#0",
// "#,#0.00", "0.". Text before and after the placeholders is copied; quoted text is literal.
// An empty pattern gives FloatToStr.
std::string FormatFloat(std::string_view pattern, double value);

// Decimal text with an optional sign, digits with the region's decimal separator and an
// optional exponent ("E" or "e", optional sign, digits); blanks around it are ignored.
// "NAN", "INF" and "-INF" (any case) read back what the formatters write. Failures, also
// numbers too large for a double, raise EConvertError "'%s' is not a valid floating point
// value".
double StrToFloat(std::string_view text);
double StrToFloat(std::string_view text, char decimalSeparator);
bool TryStrToFloat(std::string_view text, double& value);
bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator);

// For numbers read from files: "." and "," are both taken as the decimal separator, so
// files written in any region read back. Same errors as StrToFloat.
double FileStrToFloat(std::string_view text);
bool TryFileStrToFloat(std::string_view text, double& value);

std::string IntToStr(long long value);

// Decimal 32-bit integer with an optional sign; blanks around it are ignored. Failures
// raise EConvertError "'%s' is not a valid integer value".
int StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, int& value);
