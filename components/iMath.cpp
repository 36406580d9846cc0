#include "components/iMath.h"

#include "platform/core/Exceptions.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr Extended Pi = std::numbers::pi_v<long double>;

Extended CheckedResult(Extended r)
{
    if (std::isnan(r))
        RaiseInvalidOp();
    if (std::isinf(r))
        RaiseOverflow();
    return r;
}

Extended Div(Extended a, Extended b)
{
    if (b == 0) {
        if (a == 0 || std::isnan(a))
            RaiseInvalidOp();
        RaiseZeroDivide();
    }
    return CheckedResult(a / b);
}

Extended Sqrt(Extended x)
{
    if (x < 0 || std::isnan(x))
        RaiseInvalidOp();
    return std::sqrt(x);
}

Extended Ln(Extended x)
{
    if (x == 0)
        RaiseZeroDivide();
    if (x < 0 || std::isnan(x))
        RaiseInvalidOp();
    return std::log(x);
}

Extended Exp(Extended x) { return CheckedResult(std::exp(x)); }

// Bounds of a 1-based array holding N points.
void RequirePoints(const TDoubleArray& a, int N)
{
    if (N < 2)
        throw Exception("Interpolation needs at least two points");
    if (a.size() < static_cast<std::size_t>(N) + 1)
        RaiseListIndexError(N);
}

int NearestIndex(const TDoubleArray& XA, int N, double X)
{
    int ns = 1;
    double dif = std::fabs(X - XA[1]);
    for (int i = 2; i <= N; ++i) {
        const double dift = std::fabs(X - XA[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
    }
    return ns;
}

// The shared correction step of Neville's and the rational tableau.
void AddCorrection(const TDoubleArray& c, const TDoubleArray& d, int N, int m, int& ns, double& Y, double& DY)
{
    if (2 * ns < N - m) {
        DY = c[ns + 1];
    } else {
        DY = d[ns];
        --ns;
    }
    Y += DY;
}

long long Cross(TPoint o, TPoint a, TPoint b)
{
    return (long long)(a.X - o.X) * (b.Y - o.Y) - (long long)(a.Y - o.Y) * (b.X - o.X);
}

bool OnSegment(TPoint a, TPoint b, TPoint p)
{
    return std::min(a.X, b.X) <= p.X && p.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= p.Y &&
           p.Y <= std::max(a.Y, b.Y);
}

int Sign(long long v) { return (v > 0) - (v < 0); }

bool SegmentsMeet(TPoint p1, TPoint p2, TPoint q1, TPoint q2)
{
    const int d1 = Sign(Cross(q1, q2, p1));
    const int d2 = Sign(Cross(q1, q2, p2));
    const int d3 = Sign(Cross(p1, p2, q1));
    const int d4 = Sign(Cross(p1, p2, q2));
    if (d1 * d2 < 0 && d3 * d4 < 0)
        return true;
    return (d1 == 0 && OnSegment(q1, q2, p1)) || (d2 == 0 && OnSegment(q1, q2, p2)) ||
           (d3 == 0 && OnSegment(p1, p2, q1)) || (d4 == 0 && OnSegment(p1, p2, q2));
}

bool InsideWithEdges(const TRect& r, TPoint p)
{
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

}  // namespace

Extended Tan(Extended X) { return Div(std::sin(X), std::cos(X)); }
Extended Cot(Extended X) { return Tan(Pi / 2 - X); }
Extended Sec(Extended X) { return Div(1, std::cos(X)); }
Extended Csc(Extended X) { return Sec(Pi / 2 - X); }
Extended ArcSin(Extended X) { return arctan2(X, Sqrt(1 - X * X)); }
Extended ArcCos(Extended X) { return Pi / 2 - ArcSin(X); }
Extended ArcCot(Extended X) { return Pi / 2 - std::atan(X); }

// A negative argument adds pi to the positive-argument result.
Extended ArcSec(Extended X)
{
    const Extended r = ArcCos(Div(1, std::fabs(X)));
    return X < 0 ? r + Pi : r;
}

Extended ArcCsc(Extended X)
{
    const Extended r = ArcSin(Div(1, std::fabs(X)));
    return X < 0 ? r + Pi : r;
}

Extended Sinh(Extended X) { return (Exp(X) - Exp(-X)) / 2; }
Extended Cosh(Extended X) { return (Exp(X) + Exp(-X)) / 2; }
Extended Tanh(Extended X) { return Div(Sinh(X), Cosh(X)); }
Extended Coth(Extended X) { return Div(1, Tanh(X)); }
Extended Sech(Extended X) { return Div(1, Cosh(X)); }
Extended Csch(Extended X) { return Div(1, Sinh(X)); }
Extended ASinh(Extended X) { return Ln(X + Sqrt(X * X + 1)); }
Extended ACosh(Extended X) { return Ln(X + Sqrt(X * X - 1)); }
Extended ATanh(Extended X) { return Ln(Div(1 + X, 1 - X)) / 2; }
Extended ACoth(Extended X) { return Ln(Div(X + 1, X - 1)) / 2; }

Extended ASech(Extended X)
{
    const Extended r = Div(1, X);
    return Ln(r + Sqrt(r * r - 1));
}

Extended ACsch(Extended X)
{
    const Extended r = Div(1, X);
    return Ln(r + Sqrt(r * r + 1));
}

Extended RadToDeg(Extended X) { return X * 180 / Pi; }
Extended DegToRad(Extended X) { return X * Pi / 180; }
Extended arctan2(Extended Y, Extended X) { return std::atan2(Y, X); }

void SinCos(Extended X, Extended& Sin, Extended& Cos)
{
    Sin = std::sin(X);
    Cos = std::cos(X);
}

Extended Log(Extended Base, Extended X) { return Div(Ln(X), Ln(Base)); }
Extended Log10(Extended X) { return Ln(X) / std::log(10.0L); }
Extended Power(Extended Base, Extended Exponent) { return Exp(Exponent * Ln(Base)); }

Extended Pow(Extended X, int I)
{
    if (X == 0) {
        if (I == 0)
            return 1;
        if (I > 0)
            return 0;
        RaiseZeroDivide();
    }
    return IntPower(X, I);
}

Extended IntPower(Extended X, int N)
{
    // |N| in 64 bits: -2^31 has no 32-bit absolute value.
    unsigned long long e = static_cast<unsigned long long>(std::llabs(static_cast<long long>(N)));
    Extended result = 1;
    Extended base = X;
    while (e != 0) {
        if (e & 1)
            result *= base;
        base *= base;
        e >>= 1;
    }
    return N < 0 ? Div(1, result) : CheckedResult(result);
}

double RoundTo(double Value, std::int8_t Digit)
{
    if (Value == 0)
        return 0;
    const Extended f = IntPower(10, Digit);
    return static_cast<double>(std::nearbyint(Value / f) * f);
}

void Spline(const TDoubleArray& XA, const TDoubleArray& YA, int N, double /*YP1*/, double /*YPN*/, TDoubleArray& Y2)
{
    RequirePoints(XA, N);
    RequirePoints(YA, N);
    // Repeated X values would divide by zero below and leave infinities in Y2; they are the
    // same fault that SplineInterpolation reports.
    for (int i = 2; i <= N; ++i)
        if (XA[i] == XA[i - 1])
            throw Exception("Splint Error - xa's must be distinct");
    // The end slopes are always those of the first and last interval.
    if (Y2.size() < static_cast<std::size_t>(N) + 1)
        Y2.resize(N + 1);
    TDoubleArray u(N + 1, 0.0);
    Y2[1] = -0.5;
    u[1] = 0;
    for (int i = 2; i <= N - 1; ++i) {
        const double sig = (XA[i] - XA[i - 1]) / (XA[i + 1] - XA[i - 1]);
        const double p = sig * Y2[i - 1] + 2;
        Y2[i] = (sig - 1) / p;
        u[i] = (YA[i + 1] - YA[i]) / (XA[i + 1] - XA[i]) - (YA[i] - YA[i - 1]) / (XA[i] - XA[i - 1]);
        u[i] = (6 * u[i] / (XA[i + 1] - XA[i - 1]) - sig * u[i - 1]) / p;
    }
    const double qn = 0.5;
    const double un = 0;
    Y2[N] = (un - qn * u[N - 1]) / (qn * Y2[N - 1] + 1);
    for (int k = N - 1; k >= 1; --k)
        Y2[k] = Y2[k] * Y2[k + 1] + u[k];
}

void SplineInterpolation(const TDoubleArray& XA, const TDoubleArray& YA, const TDoubleArray& Y2A, int N, double X,
                         double& Y)
{
    RequirePoints(XA, N);
    RequirePoints(YA, N);
    RequirePoints(Y2A, N);
    int klo = 1;
    int khi = N;
    while (khi - klo > 1) {
        const int k = (khi + klo) / 2;
        if (XA[k] > X)
            khi = k;
        else
            klo = k;
    }
    const double h = XA[khi] - XA[klo];
    if (h == 0)
        throw Exception("Splint Error - xa's must be distinct");
    const double a = (XA[khi] - X) / h;
    const double b = (X - XA[klo]) / h;
    Y = a * YA[klo] + b * YA[khi] + ((a * a * a - a) * Y2A[klo] + (b * b * b - b) * Y2A[khi]) * (h * h) / 6;
}

void PolynomialInterpolation(const TDoubleArray& XA, const TDoubleArray& YA, int N, double X, double& Y, double& DY)
{
    RequirePoints(XA, N);
    RequirePoints(YA, N);
    int ns = NearestIndex(XA, N, X);
    TDoubleArray c(YA.begin(), YA.begin() + N + 1);
    TDoubleArray d = c;
    Y = YA[ns];
    --ns;
    for (int m = 1; m <= N - 1; ++m) {
        for (int i = 1; i <= N - m; ++i) {
            const double ho = XA[i] - X;
            const double hp = XA[i + m] - X;
            const double w = c[i + 1] - d[i];
            double den = ho - hp;
            if (den == 0)
                throw Exception("Polynomial Interpolation Error - Pause in Routine Data");
            den = w / den;
            d[i] = hp * den;
            c[i] = ho * den;
        }
        AddCorrection(c, d, N, m, ns, Y, DY);
    }
}

void RationalInterpolation(const TDoubleArray& XA, const TDoubleArray& YA, int N, double X, double& Y, double& DY)
{
    RequirePoints(XA, N);
    RequirePoints(YA, N);
    for (int i = 1; i <= N; ++i) {
        if (XA[i] == X) {
            Y = YA[i];
            DY = 0;
            return;
        }
    }
    int ns = NearestIndex(XA, N, X);
    TDoubleArray c(YA.begin(), YA.begin() + N + 1);
    TDoubleArray d(N + 1);
    for (int i = 1; i <= N; ++i)
        d[i] = YA[i] + 1e-25;
    Y = YA[ns];
    --ns;
    for (int m = 1; m <= N - 1; ++m) {
        for (int i = 1; i <= N - m; ++i) {
            const double w = c[i + 1] - d[i];
            const double h = XA[i + m] - X;
            const double t = (XA[i] - X) * d[i] / h;
            double dd = t - c[i + 1];
            if (dd == 0)
                throw Exception("Rational Interpolation Error - Pause in Routine Data");
            dd = w / dd;
            d[i] = c[i + 1] * dd;
            c[i] = t * dd;
        }
        AddCorrection(c, d, N, m, ns, Y, DY);
    }
}

bool LineIntersectsRect(TPoint P1, TPoint P2, const TRect& Rect)
{
    const TPoint tl{Rect.Left, Rect.Top};
    const TPoint tr{Rect.Right, Rect.Top};
    const TPoint br{Rect.Right, Rect.Bottom};
    const TPoint bl{Rect.Left, Rect.Bottom};
    return SegmentsMeet(P1, P2, tl, bl) || SegmentsMeet(P1, P2, tl, tr) || SegmentsMeet(P1, P2, tr, br) ||
           SegmentsMeet(P1, P2, bl, br) || InsideWithEdges(Rect, P1) || InsideWithEdges(Rect, P2);
}
