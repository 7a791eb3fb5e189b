// Ties-to-even rounding independent of the floating-point environment.
#include "base/rounding.h"

#include <cmath>

namespace vartesk {

double Round(double x)
{
    // std::round goes away from zero, so correct the exact halves towards even.
    double r = std::round(x);
    if (ExactlyEqual(std::fabs(x - std::trunc(x)), 0.5) && !ExactlyEqual(std::fmod(r, 2.0), 0.0))
        r -= std::copysign(1.0, x);
    return r;
}

double Round2(double x)
{
    return Round(x * 100.0) / 100.0;
}

double Round5(double x)
{
    return Round(x / 5.0) * 5.0;
}

} // namespace vartesk
