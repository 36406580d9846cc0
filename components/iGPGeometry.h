#pragma once
// Rectangle and point geometry of the components: normalised rectangles, the exchange of
// X and Y for plots whose axes are reversed (so one drawing code serves both
// orientations), centres, hit rectangles, points on a circle and angle normalisation.
// Integer halves are integer divisions toward zero; coordinates computed from doubles are
// rounded halves to even and kept within +-32000 pixels.

#include "components/iTypes.h"
#include "platform/core/Types.h"

#include <vector>

// An angle in degrees, counter-clockwise on screen. A distinct type so that the angle and
// the radius of GetXYRadPoint cannot be exchanged silently.
struct TDegrees {
    constexpr explicit TDegrees(double value) : Value(value) {}
    double Value;
};

// Left/Right the smaller/larger X, Top/Bottom the smaller/larger Y.
TRect iRect(int X1, int Y1, int X2, int Y2);
// iRect(X1, Y1, X2, Y2), or iRect(Y1, X1, Y2, X2) when Reverse.
TRect iXYReverseRect(bool Reverse, int X1, int Y1, int X2, int Y2);
// (X, Y), or (Y, X) when Reverse.
TPoint iXYReversePoint(bool Reverse, int X, int Y);
TPoint iPointReverse(bool Reverse, int X, int Y);

// (A, B) when vertical, (B, A) when horizontal.
TPoint PointOrientation(int A, int B, TiOrientation Orientation);
// Rect(A1, B1, A2, B2) when vertical, Rect(B1, A2, B2, A1) when horizontal.
TRect RectOrientation(int A1, int B1, int A2, int B2, TiOrientation Orientation);

// A Width x Height rectangle about (X, Y); an odd extra pixel goes to the right/bottom.
TRect GetCenterPointRect(int X, int Y, int Width, int Height);
TPoint GetRectCenterPoint(const TRect& Rect);
// The bounding box of the points, widened to Size (centred) in each direction whose extent
// is not larger than Size. No points give (0, 0, 0, 0).
TRect GetClickRect(const std::vector<TPoint>& Points, int Size);

// The point at Angle on the circle of Radius about Center (Y grows downwards on screen).
TPoint GetXYRadPoint(TDegrees Angle, double Radius, TPoint Center);
TPointDouble GetXYRadPointDouble(TDegrees Angle, double Radius, TPointDouble Center);

TPointDouble PointDouble(double X, double Y);
TPoint PointDoubleToPoint(TPointDouble P);
// Trunc(X + 0.5); NaN raises the invalid-operation error, out-of-range values clamp to the
// integer range.
int TruncHalf(double X);
void SwapIntegers(int& A, int& B);

// The side a thing faces: each input is first exchanged for its other value when its flip
// flag is set; vertical gives right/left, horizontal bottom/top.
TiQuadDirection GetQuadDirection(TiOrientation Orientation, TiOrientationSide Side, bool FlipOrientation,
                                 bool FlipSide);

// -1 for negative values, else 1 (also for 0).
double GetSign(double X);
// Angles of 360 and more reduced below 360; negative angles lifted into (0, 360]
// (-30 -> 330, -360 -> 360). NaN or a value beyond the 64-bit range raises the
// invalid-operation error.
double GetAngleNormalized(double Angle);
