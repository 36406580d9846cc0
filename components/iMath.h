#pragma once
// Elementary functions on extended-precision floats, integer and real powers, decimal
// rounding, interpolation and a segment-rectangle test.
//
// Faults that a trapping FPU would raise are checked explicitly and raised as the
// library's math exceptions (division by zero, invalid operation, overflow), so
// Log10(0) or ArcSin(2) never return an infinity or NaN silently.
//
// The interpolation routines take arrays indexed from 1 (element 0 is ignored) and the
// point count N separately, as their callers hold them.

#include "platform/core/Types.h"

#include <cstdint>
#include <vector>

using Extended = long double;

Extended Tan(Extended X);
Extended Cot(Extended X);
Extended Sec(Extended X);
Extended Csc(Extended X);
Extended ArcSin(Extended X);
Extended ArcCos(Extended X);
Extended ArcCot(Extended X);
Extended ArcSec(Extended X);
Extended ArcCsc(Extended X);
Extended Sinh(Extended X);
Extended Cosh(Extended X);
Extended Tanh(Extended X);
Extended Coth(Extended X);
Extended Sech(Extended X);
Extended Csch(Extended X);
Extended ASinh(Extended X);
Extended ACosh(Extended X);
Extended ATanh(Extended X);
Extended ACoth(Extended X);
Extended ASech(Extended X);
Extended ACsch(Extended X);
Extended RadToDeg(Extended X);
Extended DegToRad(Extended X);
Extended arctan2(Extended Y, Extended X);
void SinCos(Extended X, Extended& Sin, Extended& Cos);
Extended Log(Extended Base, Extended X);
Extended Log10(Extended X);
Extended Power(Extended Base, Extended Exponent);
Extended Pow(Extended X, int I);
Extended IntPower(Extended X, int N);
double RoundTo(double Value, std::int8_t Digit);

using TDoubleArray = std::vector<double>;

void Spline(const TDoubleArray& XA, const TDoubleArray& YA, int N, double YP1, double YPN, TDoubleArray& Y2);
void SplineInterpolation(const TDoubleArray& XA, const TDoubleArray& YA, const TDoubleArray& Y2A, int N, double X,
                         double& Y);
void PolynomialInterpolation(const TDoubleArray& XA, const TDoubleArray& YA, int N, double X, double& Y, double& DY);
void RationalInterpolation(const TDoubleArray& XA, const TDoubleArray& YA, int N, double X, double& Y, double& DY);

// True when the segment crosses an edge of the rectangle or an end point lies inside
// it, edges included.
bool LineIntersectsRect(TPoint P1, TPoint P2, const TRect& Rect);
