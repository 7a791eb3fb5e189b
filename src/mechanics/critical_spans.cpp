// Critical spans and the choice of the governing state.
#include "mechanics/critical_spans.h"

#include "mechanics/arithmetic_error.h"

#include <cmath>

namespace vartesk {
namespace {

constexpr double kZeroStress = 1e-5;

} // namespace

std::string_view CriticalSpansKey(TCriticalSpansCheck check)
{
    switch (check) {
    case TCriticalSpansCheck::Ok:
        return {};
    case TCriticalSpansCheck::NoMaxStress:
        return "Critical_no_max_stress";
    case TCriticalSpansCheck::NoAvgStress:
        return "Critical_no_avg_stress";
    case TCriticalSpansCheck::EqualStresses:
        return "Critical_equal_stresses";
    case TCriticalSpansCheck::IceBelowMinimum:
        return "Critical_ice_below_minimum";
    }
    return {};
}

TCriticalSpansCheck CriticalSpans(const TDesignConditions &in, TCriticalSpans &spans)
{
    const double sAvg = in.AvgStress;
    const double sMax = in.MaxStress;
    if (sMax < kZeroStress)
        return TCriticalSpansCheck::NoMaxStress;
    if (sAvg < kZeroStress)
        return TCriticalSpansCheck::NoAvgStress;
    if (std::fabs(sAvg - sMax) < kZeroStress)
        return TCriticalSpansCheck::EqualStresses;
    if (in.TIce - in.TMin < 0.0)
        return TCriticalSpansCheck::IceBelowMinimum;

    const double beta = in.Beta;
    const double alpha = in.Alpha;
    const double g1 = in.Gamma1;

    const double qAvg = CheckedDiv(sAvg, sMax);
    const double r1
        = CheckedDiv(6.0 * (beta * (sAvg - sMax) + alpha * (in.TAvg - in.TMin)), 1.0 - qAvg * qAvg);
    spans.L1 = r1 > 0.0 ? CheckedDiv(CheckedSqrt(r1) * 2.0 * sAvg, g1) : ImaginarySpan;

    const double qLoad = CheckedDiv(in.GammaMax, g1);
    const double loadRatio2 = qLoad * qLoad;
    const double r2 = CheckedDiv(6.0 * alpha * (in.TIce - in.TMin), loadRatio2 - 1.0);
    spans.L2 = CheckedDiv(CheckedSqrt(r2) * 2.0 * sMax, g1);

    const double qMax = CheckedDiv(sMax, sAvg);
    const double r3 = CheckedDiv(6.0 * (beta * (sMax - sAvg) + alpha * (in.TIce - in.TAvg)),
                                 loadRatio2 - qMax * qMax);
    spans.L3 = r3 > 0.0 ? CheckedDiv(CheckedSqrt(r3) * 2.0 * sMax, g1) : ImaginarySpan;
    return TCriticalSpansCheck::Ok;
}

TGoverningState GoverningState(double lr, double l1, double l2, double l3)
{
    // Plain comparisons throughout; the marker also takes part in them as a tiny span.
    const bool ascending = l1 < l2 && l2 < l3;
    const bool descending = l1 > l2 && l2 > l3;
    const bool l1Imaginary = IsImaginarySpan(l1);
    const bool l3Imaginary = IsImaginarySpan(l3);

    if ((l1 < lr && lr <= l2) || (l2 <= lr && lr < l3)) {
        if (ascending || (l1 < l2 && l3Imaginary) || (l1Imaginary && l2 < l3))
            return TGoverningState::AverageTemperature;
        return TGoverningState::None;
    }
    if (lr <= l2) {
        if (ascending || descending || (l1 > l2 && l3Imaginary) || (l1 < l2 && l3Imaginary))
            return TGoverningState::MinimumTemperature;
        return TGoverningState::None;
    }
    return TGoverningState::MaximumLoad;
}

TInitialState InitialState(TGoverningState state, const TDesignConditions &in)
{
    switch (state) {
    case TGoverningState::AverageTemperature:
        return {in.AvgStress, in.TAvg, in.Gamma1};
    case TGoverningState::MinimumTemperature:
        return {in.MaxStress, in.TMin, in.Gamma1};
    case TGoverningState::MaximumLoad:
        return {in.MaxStress, in.TIce, in.GammaMax};
    case TGoverningState::None:
        break;
    }
    return {};
}

} // namespace vartesk
