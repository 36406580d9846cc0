#pragma once
// Integer conversion of floating-point values. The library never relies on floating-point
// traps: conversions that have no integer result raise the math exceptions explicitly.
// Rounding is to nearest with halves to even; truncation cuts toward zero.

// Nearest integer, halves to even. NaN or a value beyond the 64-bit range raises
// EInvalidOp ("Invalid floating point operation").
long long RoundHalfEven(double value);
long long RoundHalfEven(long double value);

// Integer part toward zero as an integer; same failures as RoundHalfEven.
long long Trunc(double value);
long long Trunc(long double value);

// Integer part and fractional part toward zero, kept as floating point (Int(-2.5) = -2,
// Frac(-2.5) = -0.5). Non-finite values pass through Int; Frac of them is NaN.
double Int(double value);
long double Int(long double value);
double Frac(double value);
long double Frac(long double value);

// Value-to-pixel conversion: clamps in floating point to [lo, hi], then rounds. NaN gives
// lo, an off-scale position that never wraps around.
int RoundClamp(double value, int lo = -32000, int hi = 32000);

// Explicit checks in place of trapped faults. CheckedDivide raises EZeroDivide for x / 0
// with x != 0, EInvalidOp for 0 / 0 or NaN operands and EOverflow for an infinite quotient;
// CheckFinite raises EInvalidOp for NaN and EOverflow for an infinity, else returns the value.
double CheckedDivide(double dividend, double divisor);
double CheckFinite(double value);
