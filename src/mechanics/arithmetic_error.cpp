// Checked arithmetic of the mechanics.
#include "mechanics/arithmetic_error.h"

#include "base/rounding.h"

#include <cmath>

namespace vartesk {

double CheckFinite(double x)
{
    if (!std::isfinite(x))
        throw EArithmeticError("arithmetic failure: non-finite result");
    return x;
}

double CheckedDiv(double a, double b)
{
    if (ExactlyEqual(b, 0.0))
        throw EArithmeticError("arithmetic failure: division by zero");
    const double q = a / b;
    if (!std::isfinite(q))
        throw EArithmeticError("arithmetic failure: non-finite quotient");
    return q;
}

double CheckedSqrt(double x)
{
    // Written so that NaN fails too.
    if (!(x >= 0.0) || std::isinf(x))
        throw EArithmeticError("arithmetic failure: square root of a negative number");
    return std::sqrt(x);
}

double CheckedLog(double x)
{
    if (!(x > 0.0) || std::isinf(x))
        throw EArithmeticError("arithmetic failure: logarithm of a non-positive number");
    return std::log(x);
}

double CheckedExp(double x)
{
    return CheckFinite(std::exp(x));
}

} // namespace vartesk
