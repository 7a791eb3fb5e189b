// Solving the change-of-state equation and the span results built on it.
#include "mechanics/state_equation.h"

#include "mechanics/arithmetic_error.h"

#include <cmath>

namespace vartesk {
namespace {

// γl²/(8σ) + γ³l⁴/(384σ³): the parabola and its correction term.
double Sag(double gamma, double span, double stress)
{
    const double parabola = CheckedDiv(gamma * (span * span), 8.0 * stress);
    const double correction = CheckedDiv(gamma * gamma * gamma * (span * span * span * span),
                                         384.0 * (stress * stress * stress));
    return CheckFinite(parabola + correction);
}

// A = σ0 − γ0²L²E/(24σ0²) − αE(t − t0).
double
FreeTerm(double stress0, double initialTerm, double alpha, double modulus, double t, double t0)
{
    return CheckFinite(stress0 - CheckedDiv(initialTerm, 24.0 * (stress0 * stress0))
                       - alpha * modulus * (t - t0));
}

} // namespace

double StateTerm(double gamma, double span, double modulus)
{
    return CheckFinite(gamma * gamma * (span * span) * modulus);
}

double SolveStateCubic(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        throw EArithmeticError("arithmetic failure: non-finite coefficient of the cubic");
    // B is γ²L²E/24; below zero only with a negative modulus, where the bisection would
    // return a number with no root behind it.
    if (b < 0.0)
        throw EArithmeticError("arithmetic failure: negative load term of the cubic");
    double lower = 0.0;
    double upper = a >= 0.0 ? std::fmax(a + 1.0, b + 1.0) : CheckedExp(CheckedLog(b) / 3.0) + 1.0;
    double mid = upper;
    while (upper - lower > kStateTolerance) {
        mid = (lower + upper) / 2.0;
        // Far above 1e11 daN/mm² neighbouring doubles are more than the tolerance apart and
        // the bisection would never end; the midpoint is then the root to the last bit.
        if (!(lower < mid && mid < upper))
            break;
        if (mid - CheckedDiv(b, mid * mid) - a > 0.0)
            upper = mid;
        else
            lower = mid;
    }
    return mid;
}

double SpanStress(const TSpanStateInput &in)
{
    const double a = FreeTerm(
        in.Stress0, in.InitialTerm, in.Alpha, in.Modulus, in.Temperature, in.Temperature0);
    const double b = StateTerm(in.Gamma, in.RulingSpan, in.Modulus) / 24.0;
    return SolveStateCubic(a, b);
}

void SpanSagTension(const TSpanStateInput &in, double sigma, double &sag, double &tension)
{
    sag = CheckFinite(in.SagFactor * Sag(in.Gamma, in.Span, sigma));
    tension = CheckFinite(sigma * in.Section * in.TensionFactor);
}

void SpanState(const TSpanStateInput &in, double &stress, double &sag, double &tension)
{
    stress = SpanStress(in);
    SpanSagTension(in, stress, sag, tension);
}

void RulingSpanState(const TRulingSpanStateInput &in, double &stress, double &sag)
{
    const double a = FreeTerm(
        in.Stress0, in.InitialTerm, in.Alpha, in.Modulus, in.Temperature, in.Temperature0);
    const double b = StateTerm(in.Gamma, in.RulingSpan, in.Modulus) / 24.0;
    const double sigma = SolveStateCubic(a, b);
    stress = sigma;
    sag = Sag(in.Gamma, in.RulingSpan, sigma);
}

void StringSpanState(const TStringSpanInput &in, double &tension, double &sag)
{
    const double lambda = in.StringLength;
    const double c = std::cos(std::atan(CheckedDiv(in.HeightDiff, in.Span)));
    const double free = in.Span - 2.0 * lambda; // L′, the conductor between the strings
    // Strings that fill the whole span leave no conductor: zero is a division by L′ below,
    // and a negative L′ would give tensions and sags of no physical line, so both fail.
    if (!(free > 0.0))
        throw EArithmeticError("arithmetic failure: strain strings longer than the span");
    const double q = CheckedDiv(in.StringWeight, in.Section); // G/F

    // Φ(g) = L′(L′ + 6λc)g² + 12λg(G/F)c² + 8λ(G/F)²c³/L′
    const auto phi = [&](double g) {
        return CheckFinite(free * (free + 6.0 * lambda * c) * (g * g)
                           + 12.0 * lambda * g * q * (c * c)
                           + CheckedDiv(8.0 * lambda * (q * q) * (c * c * c), free));
    };
    const double phi1 = phi(in.Gamma1);
    const double phi2 = phi(in.GammaMax);

    const double sMax = in.MaxStress;
    const bool maxLoad = phi2 - phi1 > 24.0 * in.Alpha * (sMax * sMax) * (in.TIce - in.TMin);
    const double t0 = maxLoad ? in.TIce : in.TMin;
    const double phi0 = maxLoad ? phi2 : phi1;

    const double beta = in.Beta;
    const double a = CheckFinite(sMax - CheckedDiv(phi0, 24.0 * beta * (sMax * sMax))
                                 - CheckedDiv((in.Temperature - t0) * in.Alpha, beta));
    const double b = CheckedDiv(phi1, 24.0 * beta);
    const double sigma = SolveStateCubic(a, b);

    tension = CheckFinite(sigma * in.Section * in.TensionFactor);
    sag = CheckFinite(
        CheckedDiv(in.Gamma1 * free * (free + 4.0 * lambda * c), 8.0 * sigma * (c * c))
        + CheckedDiv(lambda * in.StringWeight, 2.0 * sigma * in.Section));
}

double WireLength(double tension, double weight, double span)
{
    return CheckFinite(
        span + CheckedDiv(span * span * span * (weight * weight), 24.0 * (tension * tension)));
}

} // namespace vartesk
