#include "platform/core/MathSupport.h"

#include "platform/core/Exceptions.h"

#include <cmath>

namespace {

// Integer results must lie strictly inside the 64-bit range: 2^63 itself does not.
template <typename F>
long long ToInt64(F integral)
{
    constexpr F limit = F(9223372036854775808.0L);     // 2^63
    if (!(integral > -limit - 1 && integral < limit))  // also catches NaN
        RaiseInvalidOp();
    return static_cast<long long>(integral);
}

}  // namespace

// nearbyint follows the current rounding mode, which the library never changes from
// round-to-nearest-even.
long long RoundHalfEven(double value) { return ToInt64(std::nearbyint(value)); }
long long RoundHalfEven(long double value) { return ToInt64(std::nearbyintl(value)); }
long long Trunc(double value) { return ToInt64(std::trunc(value)); }
long long Trunc(long double value) { return ToInt64(std::truncl(value)); }

double Int(double value) { return std::trunc(value); }
long double Int(long double value) { return std::truncl(value); }
double Frac(double value) { return value - std::trunc(value); }
long double Frac(long double value) { return value - std::truncl(value); }

int RoundClamp(double value, int lo, int hi)
{
    if (std::isnan(value))
        return lo;
    const double clamped = std::fmin(std::fmax(value, double(lo)), double(hi));
    return static_cast<int>(std::nearbyint(clamped));
}

double CheckedDivide(double dividend, double divisor)
{
    if (std::isnan(dividend) || std::isnan(divisor))
        RaiseInvalidOp();
    if (divisor == 0) {
        if (dividend == 0)
            RaiseInvalidOp();
        RaiseZeroDivide();
    }
    return CheckFinite(dividend / divisor);
}

double CheckFinite(double value)
{
    if (std::isnan(value))
        RaiseInvalidOp();
    if (std::isinf(value))
        RaiseOverflow();
    return value;
}
