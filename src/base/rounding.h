// Rounding shared by the whole program: halves always go to the even neighbour.
#pragma once

namespace vartesk {

// Nearest integer, ties to even (as an integral double).
double Round(double x);
// x to two decimals: x*100 rounded ties to even, divided by 100.
double Round2(double x);
// x to a multiple of 5: x/5 rounded ties to even, times 5.
double Round5(double x);

// Deliberate exact comparison of reals, so that -Wfloat-equal stays on elsewhere.
inline bool ExactlyEqual(double a, double b)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfloat-equal"
    return a == b;
#pragma GCC diagnostic pop
}

} // namespace vartesk
