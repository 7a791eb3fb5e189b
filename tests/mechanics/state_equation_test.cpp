// The change-of-state equation: the cubic, span states, strain-string spans, wire length.
#include "mechanics/arithmetic_error.h"
#include "mechanics/critical_spans.h"
#include "mechanics/state_equation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace vartesk;

namespace {

// σ − B/σ² − A, carried wider than the solver so the check does not share its rounding.
long double Residual(long double sigma, double a, double b)
{
    return sigma - b / (sigma * sigma) - a;
}

// The residual changes sign within the tolerance around σ: the true root is that close.
::testing::AssertionResult RootWithinTolerance(double a, double b, double sigma)
{
    // The residual tends to −∞ at 0+, which stands for any point left of a tiny root.
    const double left = sigma - kStateTolerance;
    const long double below = left > 0.0 ? Residual(left, a, b) : -INFINITY;
    const long double above = Residual(sigma + kStateTolerance, a, b);
    if (sigma > 0.0 && below <= 0.0L && above >= 0.0L)
        return ::testing::AssertionSuccess();
    char text[160];
    std::snprintf(text, sizeof text, "A = %.17g, B = %.17g gave %.17g", a, b, sigma);
    return ::testing::AssertionFailure() << text;
}

// The reference wire of the load tests under heavy ice.
constexpr double kE = 8250.0;
constexpr double kAlpha = 19.2e-6;
constexpr double kF = 79.3;
constexpr double kGamma1 = 0.0034804539722572514;
constexpr double kGamma7 = 0.04152141440343991;

TDesignConditions HeavyIce()
{
    return {.AvgStress = 9.0,
            .MaxStress = 13.5,
            .TAvg = -5.0,
            .TMin = -40.0,
            .TIce = -5.0,
            .Gamma1 = kGamma1,
            .GammaMax = kGamma7,
            .Beta = 1.0 / kE,
            .Alpha = kAlpha};
}

// A span of the reference wire under initial state `s` at temperature t with load γ.
TSpanStateInput SpanOf(TGoverningState s, double lr, double l, double t, double gamma)
{
    const TInitialState init = InitialState(s, HeavyIce());
    return {.Gamma = gamma,
            .RulingSpan = lr,
            .Modulus = kE,
            .InitialTerm = StateTerm(init.Gamma, lr, kE),
            .Span = l,
            .Stress0 = init.Stress,
            .Alpha = kAlpha,
            .Temperature = t,
            .Temperature0 = init.Temperature,
            .Section = kF};
}

constexpr double kGrid[] = {-40.0, -30.0, -20.0, -10.0, 0.0, 10.0, 20.0, 30.0, 40.0};

} // namespace

TEST(SolveStateCubic, KnownRoots)
{
    EXPECT_NEAR(SolveStateCubic(0.0, 8.0), 2.0, kStateTolerance);
    // Built from chosen roots: A = r − B/r².
    for (double r : {0.01, 0.5, 3.0, 12.7, 250.0}) {
        for (double b : {1e-6, 0.3, 40.0, 2e5}) {
            const double a = r - b / (r * r);
            EXPECT_NEAR(SolveStateCubic(a, b), r, kStateTolerance) << a << " " << b;
        }
    }
}

// The last midpoint of the bisection, to the bit: the bounds, the stopping rule and the number
// of halvings all show in it (values of an independent transcription of the bisection).
TEST(SolveStateCubic, LastMidpointToTheBit)
{
    EXPECT_EQ(SolveStateCubic(0.0, 8.0), 2.0000267028808594); // upper = B + 1 = 9, 18 halvings
    EXPECT_EQ(SolveStateCubic(-5.0, 1.0), 0.429168701171875); // upper = ∛1 + 1 = 2, 16 halvings
    EXPECT_EQ(SolveStateCubic(3.7, 120.5), 6.527819752693176); // upper = B + 1
    EXPECT_EQ(SolveStateCubic(-20.0, 4e4), 28.668526038299156);
}

TEST(SolveStateCubic, ZeroLoadTermWithNonNegativeAIsA)
{
    EXPECT_NEAR(SolveStateCubic(2.0, 0.0), 2.0, kStateTolerance);
}

TEST(SolveStateCubic, ArithmeticFailures)
{
    EXPECT_THROW(SolveStateCubic(-1.0, 0.0), EArithmeticError); // ln 0: a span of length zero
    EXPECT_THROW(SolveStateCubic(-1.0, -2.0), EArithmeticError);
    EXPECT_THROW(SolveStateCubic(3.0, -2.0), EArithmeticError); // a negative modulus
    EXPECT_THROW(SolveStateCubic(NAN, 1.0), EArithmeticError);
    EXPECT_THROW(SolveStateCubic(1.0, INFINITY), EArithmeticError);
}

// Above about 1e11 neighbouring doubles lie further apart than the tolerance; the bisection
// must still end (it used to spin forever) and give the root to the last bit.
TEST(SolveStateCubic, HugeMagnitudesTerminate)
{
    const double sigma = SolveStateCubic(1e13, 1.0);
    EXPECT_NEAR(sigma, 1e13, 1e13 * 1e-15);
    const double big = SolveStateCubic(-1.0, 1e45);
    EXPECT_NEAR(big, 1e15, 1e15 * 1e-14);
}

TEST(SolveStateCubic, SeededSweepOfResiduals)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> signedA(-2000.0, 2000.0);
    std::uniform_real_distribution<double> logB(-8.0, 12.0);
    int failures = 0;
    for (int i = 0; i < 200000 && failures < 10; ++i) {
        const double a = signedA(random);
        const double b = std::pow(10.0, logB(random));
        const double sigma = SolveStateCubic(a, b);
        const auto check = RootWithinTolerance(a, b, sigma);
        EXPECT_TRUE(check);
        failures += check ? 0 : 1;
    }
}

TEST(SpanState, ReferenceWireToTheLastBit)
{
    struct TCase
    {
        double T, KPlus, KMinus, Stress, Sag, Tension;
    };
    const TCase cases[] = {
        {-40.0, 1.0, 1.0, 1.432650370469101, 3.040460424736148, 113.6091743781997},
        {10.0, 1.0, 1.0, 1.2734628302861317, 3.4216449819629378, 100.98560244169025},
        {40.0, 1.05, 0.95, 1.1998301574365438, 3.4507254510562233, 99.90385805895382},
    };
    for (const TCase &c : cases) {
        TSpanStateInput in = SpanOf(TGoverningState::MaximumLoad, 120.0, 100.0, c.T, kGamma1);
        in.TensionFactor = c.KPlus;
        in.SagFactor = c.KMinus;
        double stress = 0.0, sag = 0.0, tension = 0.0;
        SpanState(in, stress, sag, tension);
        EXPECT_EQ(stress, c.Stress) << c.T;
        EXPECT_EQ(sag, c.Sag) << c.T;
        EXPECT_EQ(tension, c.Tension) << c.T;
    }
}

// A span equal to the ruling span, at the initial state's own temperature and load, is the
// initial state again: catches a wrong sign or factor in A or B.
TEST(SpanState, InitialStateReproducesItsStress)
{
    const TDesignConditions d = HeavyIce();
    for (auto s : {TGoverningState::AverageTemperature,
                   TGoverningState::MinimumTemperature,
                   TGoverningState::MaximumLoad}) {
        const TInitialState init = InitialState(s, d);
        for (double lr : {30.0, 120.0, 400.0}) {
            const TSpanStateInput in = SpanOf(s, lr, lr, init.Temperature, init.Gamma);
            double stress = 0.0, sag = 0.0, tension = 0.0;
            SpanState(in, stress, sag, tension);
            EXPECT_NEAR(stress, init.Stress, kStateTolerance) << static_cast<int>(s) << " " << lr;
        }
    }
}

TEST(SpanState, StressSatisfiesTheEquation)
{
    const TInitialState init = InitialState(TGoverningState::MinimumTemperature, HeavyIce());
    for (double t : kGrid) {
        const TSpanStateInput in
            = SpanOf(TGoverningState::MinimumTemperature, 180, 150, t, kGamma1);
        double stress = 0.0, sag = 0.0, tension = 0.0;
        SpanState(in, stress, sag, tension);
        // σ − γ²lr²E/(24σ²) = σ0 − γ0²lr²E/(24σ0²) − αE(t − t0), bracketed within the tolerance.
        const auto lhs = [&](long double s) {
            return s - kGamma1 * kGamma1 * 180.0L * 180.0L * kE / (24.0L * s * s);
        };
        const long double rhs = init.Stress
            - kGamma1 * kGamma1 * 180.0L * 180.0L * kE / (24.0L * init.Stress * init.Stress)
            - kAlpha * kE * (t - init.Temperature);
        EXPECT_LE(lhs(stress - kStateTolerance), rhs) << t;
        EXPECT_GE(lhs(stress + kStateTolerance), rhs) << t;
    }
}

TEST(SpanState, SagsGrowAndTensionsFallWithTemperature)
{
    for (auto s : {TGoverningState::AverageTemperature,
                   TGoverningState::MinimumTemperature,
                   TGoverningState::MaximumLoad}) {
        double lastSag = 0.0, lastTension = INFINITY;
        for (double t : kGrid) {
            double stress = 0.0, sag = 0.0, tension = 0.0;
            SpanState(SpanOf(s, 150.0, 90.0, t, kGamma1), stress, sag, tension);
            EXPECT_GT(sag, lastSag) << static_cast<int>(s) << " " << t;
            EXPECT_LT(tension, lastTension) << static_cast<int>(s) << " " << t;
            lastSag = sag;
            lastTension = tension;
        }
    }
}

// Over-tensioning raises the tension and lowers the sag by P %, never the stress itself.
TEST(SpanState, OverTensioningScalesTensionAndSagOnly)
{
    for (int p : {3, 5, 12}) {
        const double kPlus = 1.0 + p / 100.0;
        const double kMinus = 1.0 - p / 100.0;
        for (double t : {-30.0, 15.0, 40.0}) {
            const TSpanStateInput plain
                = SpanOf(TGoverningState::MaximumLoad, 200, 170, t, kGamma1);
            TSpanStateInput over = plain;
            over.TensionFactor = kPlus;
            over.SagFactor = kMinus;
            double s0 = 0.0, f0 = 0.0, T0 = 0.0, s1 = 0.0, f1 = 0.0, T1 = 0.0;
            SpanState(plain, s0, f0, T0);
            SpanState(over, s1, f1, T1);
            EXPECT_EQ(s1, s0);
            EXPECT_DOUBLE_EQ(T0, s0 * kF);
            EXPECT_DOUBLE_EQ(T1, kPlus * s0 * kF);
            EXPECT_DOUBLE_EQ(f1, kMinus * f0);
        }
    }
}

TEST(SpanState, ZeroRulingSpanFailsBeforeAnyOutput)
{
    // Minimum temperature at +40 °C: A < 0, and B = 0 makes ln B fail.
    TSpanStateInput in = SpanOf(TGoverningState::MinimumTemperature, 0.0, 0.0, 40.0, kGamma1);
    in.Stress0 = 0.1;
    double stress = -1.0, sag = -1.0, tension = -1.0;
    EXPECT_THROW(SpanState(in, stress, sag, tension), EArithmeticError);
    EXPECT_EQ(stress, -1.0);
    EXPECT_EQ(sag, -1.0);
    EXPECT_EQ(tension, -1.0);
}

TEST(RulingSpanState, ReferenceIceWithWindCase)
{
    const TInitialState init = InitialState(TGoverningState::MaximumLoad, HeavyIce());
    const TRulingSpanStateInput in {.Gamma = kGamma7,
                                    .InitialTerm = StateTerm(init.Gamma, 120.0, kE),
                                    .RulingSpan = 120.0,
                                    .Modulus = kE,
                                    .Stress0 = init.Stress,
                                    .Alpha = kAlpha,
                                    .Temperature = init.Temperature,
                                    .Temperature0 = init.Temperature};
    double stress = 0.0, sag = 0.0;
    RulingSpanState(in, stress, sag);
    EXPECT_EQ(stress, 13.500032469978102);
    EXPECT_EQ(sag, 5.551886340678734);
}

TEST(RulingSpanState, AgreesWithSpanStateOfTheRulingSpan)
{
    for (double t : kGrid) {
        const TSpanStateInput span
            = SpanOf(TGoverningState::AverageTemperature, 140, 140, t, kGamma1);
        const TRulingSpanStateInput ruling {.Gamma = span.Gamma,
                                            .InitialTerm = span.InitialTerm,
                                            .RulingSpan = span.RulingSpan,
                                            .Modulus = span.Modulus,
                                            .Stress0 = span.Stress0,
                                            .Alpha = span.Alpha,
                                            .Temperature = span.Temperature,
                                            .Temperature0 = span.Temperature0};
        double s1 = 0.0, f1 = 0.0, t1 = 0.0, s2 = 0.0, f2 = 0.0;
        SpanState(span, s1, f1, t1);
        RulingSpanState(ruling, s2, f2);
        EXPECT_EQ(s1, s2);
        EXPECT_EQ(f1, f2);
    }
}

namespace {

TStringSpanInput StringSpan(double l, double t)
{
    return {.Alpha = kAlpha,
            .Gamma1 = kGamma1,
            .GammaMax = kGamma7,
            .Span = l,
            .StringLength = 0.9,
            .StringWeight = 25.0,
            .Section = kF,
            .Beta = 1.0 / kE,
            .HeightDiff = 6.0,
            .MaxStress = 13.5,
            .TMin = -40.0,
            .TIce = -5.0,
            .Temperature = t,
            .TensionFactor = 1.03};
}

} // namespace

TEST(StringSpanState, ReferenceSpanToTheLastBit)
{
    double tension = 0.0, sag = 0.0;
    StringSpanState(StringSpan(80.0, -40.0), tension, sag);
    EXPECT_EQ(tension, 212.26762383939538);
    EXPECT_EQ(sag, 1.1313397655816086);
    StringSpanState(StringSpan(80.0, 20.0), tension, sag);
    EXPECT_EQ(tension, 129.939167684493);
    EXPECT_EQ(sag, 1.8481479301001082);
}

// Without strings and height difference it is the plain equation with the state chosen by l2,
// and its sag has no correction term.
TEST(StringSpanState, WithoutStringsMatchesThePlainSpanAroundL2)
{
    TCriticalSpans spans;
    ASSERT_EQ(CriticalSpans(HeavyIce(), spans), TCriticalSpansCheck::Ok);
    for (double l : {spans.L2 - 1.0, spans.L2 + 1.0}) {
        const auto state
            = l > spans.L2 ? TGoverningState::MaximumLoad : TGoverningState::MinimumTemperature;
        for (double t : {-40.0, 0.0, 40.0}) {
            TStringSpanInput in = StringSpan(l, t);
            in.StringLength = 0.0;
            in.StringWeight = 0.0;
            in.HeightDiff = 0.0;
            in.TensionFactor = 1.0;
            double tension = 0.0, sag = 0.0;
            StringSpanState(in, tension, sag);
            double stress = 0.0, plainSag = 0.0, plainTension = 0.0;
            SpanState(SpanOf(state, l, l, t, kGamma1), stress, plainSag, plainTension);
            EXPECT_NEAR(tension, plainTension, kStateTolerance * kF) << l << " " << t;
            EXPECT_NEAR(sag, kGamma1 * l * l / (8.0 * (tension / kF)), 1e-12) << l << " " << t;
        }
    }
}

TEST(StringSpanState, ArithmeticFailures)
{
    double tension = -1.0, sag = -1.0;
    EXPECT_THROW(StringSpanState(StringSpan(0.0, 10.0), tension, sag), EArithmeticError);
    EXPECT_THROW(StringSpanState(StringSpan(1.8, 10.0), tension, sag), EArithmeticError); // L′ = 0
    // Strings longer than half the span: no conductor left, not a line to report numbers for.
    EXPECT_THROW(StringSpanState(StringSpan(1.5, 10.0), tension, sag), EArithmeticError);
    TStringSpanInput noSection = StringSpan(80.0, 10.0);
    noSection.Section = 0.0;
    EXPECT_THROW(StringSpanState(noSection, tension, sag), EArithmeticError);
    TStringSpanInput noModulus = StringSpan(80.0, 10.0);
    noModulus.Beta = 0.0;
    EXPECT_THROW(StringSpanState(noModulus, tension, sag), EArithmeticError);
    EXPECT_EQ(tension, -1.0);
    EXPECT_EQ(sag, -1.0);
}

TEST(WireLength, AddsTheSlackOfTheCatenary)
{
    EXPECT_EQ(WireLength(1000.0, 0.276, 100.0), 100.003174);
    EXPECT_EQ(WireLength(1000.0, 0.0, 100.0), 100.0);
    EXPECT_THROW(WireLength(0.0, 0.276, 100.0), EArithmeticError);
}
