// The one arithmetic failure of the mechanics and the checked operations that raise it.
#pragma once

#include <stdexcept>
#include <string>

namespace vartesk {

// C++ does not trap floating-point faults, so every operation of the mechanics that can go
// wrong (zero divisor, negative radicand, non-positive logarithm, overflow or NaN) is done
// through the helpers below and ends in this one exception. The section calculation turns it
// into its data-entry message; what() only names the operation, for debugging.
class EArithmeticError : public std::runtime_error
{
public:
    explicit EArithmeticError(const std::string &what)
        : std::runtime_error(what)
    { }
};

// x itself; throws EArithmeticError when x is infinite or NaN (an overflow upstream).
double CheckFinite(double x);
// a / b; throws when b is zero or the quotient is not finite.
double CheckedDiv(double a, double b);
// Square root; throws when x is negative or NaN (zero is fine).
double CheckedSqrt(double x);
// Natural logarithm; throws when x is not positive (or NaN, or infinite).
double CheckedLog(double x);
// e^x; throws when the result overflows.
double CheckedExp(double x);

} // namespace vartesk
