// The change-of-state equation of a conductor: stress, sag and tension of a span.
#pragma once

namespace vartesk {

// Absolute tolerance of the bisection, daN/mm², whatever the magnitude of the stress.
inline constexpr double kStateTolerance = 5e-5;

// γ²·L²·E, the load term of the equation (E in daN/mm²). Callers pass γ0²·lr²·E ready made.
double StateTerm(double gamma, double span, double modulus);

// The positive root σ of σ³ − A·σ² = B by bisection on [0, upper], upper = max(A + 1, B + 1)
// for A >= 0, else ∛B + 1 taken as exp(ln B / 3) + 1; it halves while upper − lower > 5e-5
// and returns the last midpoint, so |σ − root| <= 5e-5. Throws EArithmeticError when A or B is
// not finite, when B < 0, or when A < 0 and B = 0 (the logarithm; a span of length 0).
double SolveStateCubic(double a, double b);

// One span at temperature t from the initial state (σ0, t0, γ0): the equation is written for
// the ruling span lr, the sag for the span's own length l. Fields in the order of the
// customary argument list.
struct TSpanStateInput
{
    double Gamma = 0.0; // γ of the sought state
    double RulingSpan = 0.0; // lr, m
    double Modulus = 0.0; // E, daN/mm²
    double InitialTerm = 0.0; // γ0²·lr²·E, see StateTerm
    double Span = 0.0; // l, m
    double Stress0 = 0.0; // σ0, daN/mm²
    double Alpha = 0.0; // α, 1/K
    double Temperature = 0.0; // t, °C
    double Temperature0 = 0.0; // t0, °C
    double Section = 0.0; // F, mm²
    double TensionFactor = 1.0; // k+ = 1 + P/100 of the over-tensioning allowance, else 1
    double SagFactor = 1.0; // k− = 1 − P/100, else 1
};

// Writes stress σ (not scaled by k+), then sag f = k−·(γl²/(8σ) + γ³l⁴/(384σ³)) in m, then
// tension T = σ·F·k+ in daN; an output is written only once computed. Throws EArithmeticError
// (σ0 zero, zero-length ruling span, overflow); outputs written before the failure stay.
void SpanState(const TSpanStateInput &in, double &stress, double &sag, double &tension);

// The two halves of SpanState. The stress depends on the ruling span alone, so a strain
// section needs it once per temperature whatever the number of its spans; SpanState is
// exactly SpanStress followed by SpanSagTension.
double SpanStress(const TSpanStateInput &in);
// The span's own sag and tension at stress sigma. Throws as SpanState; sag is written first.
void SpanSagTension(const TSpanStateInput &in, double sigma, double &sag, double &tension);

// The ruling span itself at temperature t: the equation of SpanState without the span's own
// length, section and over-tensioning factors (the anchor-support load cases).
struct TRulingSpanStateInput
{
    double Gamma = 0.0; // γ of the sought state
    double InitialTerm = 0.0; // γ0²·lr²·E
    double RulingSpan = 0.0; // lr, m
    double Modulus = 0.0; // E, daN/mm²
    double Stress0 = 0.0; // σ0, daN/mm²
    double Alpha = 0.0; // α, 1/K
    double Temperature = 0.0; // t, °C
    double Temperature0 = 0.0; // t0, °C
};

// Writes stress σ, then the sag of the ruling span (no sag factor). Throws as SpanState.
void RulingSpanState(const TRulingSpanStateInput &in, double &stress, double &sag);

// A single span with strain insulator strings at both ends (the wire only). It picks by
// itself between the minimum-temperature and the maximum-load state, both at σmax; the
// average annual temperature state is not considered, and the sought state has the load γ1.
struct TStringSpanInput
{
    double Alpha = 0.0; // α, 1/K
    double Gamma1 = 0.0; // γ1, daN/(m·mm²)
    double GammaMax = 0.0; // γmax, daN/(m·mm²)
    double Span = 0.0; // l, m
    double StringLength = 0.0; // λ, Dlina_Gis, m
    double StringWeight = 0.0; // G, Ves_Gis, kg used as daN
    double Section = 0.0; // F, mm²
    double Beta = 0.0; // β = 1/E, mm²/daN
    double HeightDiff = 0.0; // Δh, Raznost_H, m
    double MaxStress = 0.0; // σmax, daN/mm²
    double TMin = 0.0; // tmin, °C
    double TIce = 0.0; // tice, °C
    double Temperature = 0.0; // t, °C
    double TensionFactor = 1.0; // k+
};

// Writes tension T = σ·F·k+ (daN), then sag f (m, no sag factor); σ itself is not returned.
// Throws EArithmeticError on a zero span, a span not longer than the two strings (L′ <= 0),
// a zero section, β or σmax, or overflow; outputs written before the failure stay.
void StringSpanState(const TStringSpanInput &in, double &tension, double &sag);

// Conductor length in a span, m: l + l³·w²/(24·T²), w the weight per unit length (kg/m used
// as daN/m), T the tension in daN. Throws EArithmeticError when T is zero.
double WireLength(double tension, double weight, double span);

} // namespace vartesk
