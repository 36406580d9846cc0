#include "components/iGPGeometry.h"

#include "components/iMath.h"
#include "platform/core/MathSupport.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

TRect iRect(int X1, int Y1, int X2, int Y2)
{
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

TRect iXYReverseRect(bool Reverse, int X1, int Y1, int X2, int Y2)
{
    return Reverse ? iRect(Y1, X1, Y2, X2) : iRect(X1, Y1, X2, Y2);
}

TPoint iXYReversePoint(bool Reverse, int X, int Y) { return Reverse ? Point(Y, X) : Point(X, Y); }

TPoint iPointReverse(bool Reverse, int X, int Y) { return iXYReversePoint(Reverse, X, Y); }

TPoint PointOrientation(int A, int B, TiOrientation Orientation)
{
    return Orientation == ioVertical ? Point(A, B) : Point(B, A);
}

TRect RectOrientation(int A1, int B1, int A2, int B2, TiOrientation Orientation)
{
    return Orientation == ioVertical ? Rect(A1, B1, A2, B2) : Rect(B1, A2, B2, A1);
}

TRect GetCenterPointRect(int X, int Y, int Width, int Height)
{
    return {X - Width / 2, Y - Height / 2, X + Width - Width / 2, Y + Height - Height / 2};
}

TPoint GetRectCenterPoint(const TRect& Rect) { return {(Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2}; }

namespace {

// [lo, hi] kept, or replaced by Size pixels centred on it when it is not wider than Size.
std::pair<int, int> WidenToSize(int lo, int hi, int size)
{
    if (std::int64_t(hi) - lo > size)
        return {lo, hi};
    const int centre = int((std::int64_t(lo) + hi) / 2);
    return {centre - size / 2, centre + size - size / 2};
}

}  // namespace

TRect GetClickRect(const std::vector<TPoint>& Points, int Size)
{
    if (Points.empty())
        return {};
    TRect box{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
    for (const TPoint& p : Points) {
        box.Left = std::min(box.Left, p.X);
        box.Right = std::max(box.Right, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    std::tie(box.Left, box.Right) = WidenToSize(box.Left, box.Right, Size);
    std::tie(box.Top, box.Bottom) = WidenToSize(box.Top, box.Bottom, Size);
    return box;
}

TPointDouble GetXYRadPointDouble(TDegrees Angle, double Radius, TPointDouble Center)
{
    const double a = double(DegToRad(Angle.Value));
    return {Center.X + std::cos(a) * Radius, Center.Y - std::sin(a) * Radius};
}

TPoint GetXYRadPoint(TDegrees Angle, double Radius, TPoint Center)
{
    const TPointDouble offset = GetXYRadPointDouble(Angle, Radius, {0, 0});
    return {Center.X + RoundClamp(offset.X), Center.Y + RoundClamp(offset.Y)};
}

TPointDouble PointDouble(double X, double Y) { return {X, Y}; }

TPoint PointDoubleToPoint(TPointDouble P) { return {RoundClamp(P.X), RoundClamp(P.Y)}; }

int TruncHalf(double X)
{
    const long long t = Trunc(X + 0.5);
    return int(std::clamp<long long>(t, INT_MIN, INT_MAX));
}

void SwapIntegers(int& A, int& B) { std::swap(A, B); }

TiQuadDirection GetQuadDirection(TiOrientation Orientation, TiOrientationSide Side, bool FlipOrientation, bool FlipSide)
{
    if (FlipOrientation)
        Orientation = Orientation == ioVertical ? ioHorizontal : ioVertical;
    if (FlipSide)
        Side = Side == iosBottomRight ? iosTopLeft : iosBottomRight;
    if (Orientation == ioVertical)
        return Side == iosBottomRight ? iqdRight : iqdLeft;
    return Side == iosBottomRight ? iqdBottom : iqdTop;
}

double GetSign(double X) { return X < 0 ? -1.0 : 1.0; }

double GetAngleNormalized(double Angle)
{
    const long long k = Trunc(Angle);
    if (Angle >= 360)
        return Angle - double((k / 360) * 360);
    if (Angle >= 0)
        return Angle;
    return double(-(k / 360) * 360) + Angle + 360;  // k <= 0: -(k div 360) = |k| div 360
}
