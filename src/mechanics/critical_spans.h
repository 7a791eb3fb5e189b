// The method of critical spans: which climatic state the stringing of a strain section obeys.
#pragma once

#include "base/rounding.h"

#include <string_view>

namespace vartesk {

// The marker of an imaginary critical span, the double nearest to π·10⁻⁵⁰. The decision rules
// compare against it exactly, and it also takes part in the plain comparisons as the tiny
// positive number it is, so it must stay this very value.
inline constexpr double ImaginarySpan = 3.1415926535897933E-50;

inline bool IsImaginarySpan(double l)
{
    return ExactlyEqual(l, ImaginarySpan);
}

// The permissible stresses, the temperatures of the three design states, the two loads and
// the material of one conductor: the arguments of CriticalSpans in their customary order,
// reused for the initial state of the change-of-state equation.
struct TDesignConditions
{
    double AvgStress = 0.0; // σavg, permissible at the average annual temperature, daN/mm²
    double MaxStress = 0.0; // σmax, maximum permissible, daN/mm²
    double TAvg = 0.0; // tavg, Tsrec, °C
    double TMin = 0.0; // tmin, TMin, °C
    double TIce = 0.0; // tice, TGsw (ice with wind), °C
    double Gamma1 = 0.0; // γ1, own weight, daN/(m·mm²)
    double GammaMax = 0.0; // γmax, maximum load, daN/(m·mm²)
    double Beta = 0.0; // β = 1/E, mm²/daN
    double Alpha = 0.0; // α, 1/K
};

struct TCriticalSpans
{
    double L1 = 0.0; // m, or ImaginarySpan
    double L2 = 0.0; // m
    double L3 = 0.0; // m, or ImaginarySpan
};

// Why the critical spans cannot be computed, in the order the checks are made.
enum class TCriticalSpansCheck {
    Ok,
    NoMaxStress, // σmax < 1e-5
    NoAvgStress, // σavg < 1e-5
    EqualStresses, // |σavg − σmax| < 1e-5
    IceBelowMinimum, // tice − tmin < 0
};

// The string-table key of a failed check's warning (shown in a warning box with OK); empty
// for Ok.
std::string_view CriticalSpansKey(TCriticalSpansCheck check);

// Makes the four checks in order and returns the first that fails, leaving `spans` untouched;
// otherwise sets L1, L2, L3 in this order and returns Ok. Throws EArithmeticError on a zero γ1,
// a zero denominator of l2 (γmax = γ1: neither ice nor wind) or of l3, or a negative radicand
// of l2 (which is not tested, unlike those of l1 and l3); spans set before then keep their
// values.
TCriticalSpansCheck CriticalSpans(const TDesignConditions &in, TCriticalSpans &spans);

// The governing state; the numbers are those the rest of the calculation uses.
enum class TGoverningState {
    None = 0, // an ordering of the critical spans that no rule covers
    AverageTemperature = 1, // σavg at tavg, load γ1
    MinimumTemperature = 2, // σmax at tmin, load γ1
    MaximumLoad = 3, // σmax at tice, load γmax
};

// The state governing every span of a strain section with ruling span lr. The ruling span
// decides, never the length of an individual span.
TGoverningState GoverningState(double lr, double l1, double l2, double l3);

// The initial state (σ0, t0, γ0) of the change-of-state equation.
struct TInitialState
{
    double Stress = 0.0; // σ0, daN/mm²
    double Temperature = 0.0; // t0, °C
    double Gamma = 0.0; // γ0, daN/(m·mm²)
};

// The initial state of a governing state; all zero for TGoverningState::None.
TInitialState InitialState(TGoverningState state, const TDesignConditions &in);

} // namespace vartesk
