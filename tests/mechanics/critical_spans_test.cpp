// Preconditions, critical spans and the choice of the governing state.
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "mechanics/arithmetic_error.h"
#include "mechanics/critical_spans.h"

#include <gtest/gtest.h>

#include <string>

using namespace vartesk;

namespace {

// The reference wire of the load tests under heavy ice: l1 > l2 > l3.
TDesignConditions HeavyIce()
{
    return {.AvgStress = 9.0,
            .MaxStress = 13.5,
            .TAvg = -5.0,
            .TMin = -40.0,
            .TIce = -5.0,
            .Gamma1 = 0.0034804539722572514,
            .GammaMax = 0.04152141440343991,
            .Beta = 1.0 / 8250.0,
            .Alpha = 19.2e-6};
}

constexpr double I = ImaginarySpan;

} // namespace

TEST(ImaginarySpan, IsTheDoubleNearestToPiTimesTenToMinusFifty)
{
    EXPECT_EQ(ImaginarySpan, 3.1415926535897933E-50);
    EXPECT_TRUE(IsImaginarySpan(3.1415926535897933E-50));
    EXPECT_FALSE(IsImaginarySpan(3.14159265358979E-50));
    EXPECT_FALSE(IsImaginarySpan(0.0));
}

TEST(CriticalSpans, ChecksComeInOrderAndLeaveTheSpansUntouched)
{
    const TCriticalSpans untouched {-1.0, -2.0, -3.0};
    struct TCase
    {
        double AvgStress, MaxStress, TMin, TIce;
        TCriticalSpansCheck Expected;
    };
    const TCase cases[] = {
        {0.0, 0.0, -5.0, -10.0, TCriticalSpansCheck::NoMaxStress}, // the first check wins
        {9.0, -1.0, -40.0, -5.0, TCriticalSpansCheck::NoMaxStress},
        {0.0, 9.0, -40.0, -5.0, TCriticalSpansCheck::NoAvgStress},
        {4.0, 4.0, -40.0, -5.0, TCriticalSpansCheck::EqualStresses},
        {4.000005, 4.0, -40.0, -5.0, TCriticalSpansCheck::EqualStresses},
        {9.0, 13.5, -5.0, -10.0, TCriticalSpansCheck::IceBelowMinimum},
    };
    for (const TCase &c : cases) {
        TDesignConditions in = HeavyIce();
        in.AvgStress = c.AvgStress;
        in.MaxStress = c.MaxStress;
        in.TMin = c.TMin;
        in.TIce = c.TIce;
        TCriticalSpans spans = untouched;
        EXPECT_EQ(CriticalSpans(in, spans), c.Expected) << c.AvgStress << " " << c.MaxStress;
        EXPECT_EQ(spans.L1, untouched.L1);
        EXPECT_EQ(spans.L3, untouched.L3);
    }
}

// The table's texts, byte for byte as the program has always shown them.
TEST(CriticalSpans, MessagesAreTheFixedPairs)
{
    using C = TCriticalSpansCheck;
    RegisterAllStrings();
    const auto text = [](C check, TLanguage language) {
        UseLanguage(language);
        return LocalString(CriticalSpansKey(check));
    };
    const auto en = TLanguage::English;
    const auto ru = TLanguage::Russian;
    EXPECT_EQ(text(C::NoMaxStress, en),
              "Maximum permissible tension equals 0,\r\ncalculation is impossible!");
    EXPECT_EQ(text(C::NoMaxStress, ru), "Макс. допустимое напряжение равно 0, расчёт невозможен!");
    EXPECT_EQ(text(C::NoAvgStress, en),
              "Tension at average annual temperature equals 0,\r\ncalculation is impossible!");
    EXPECT_EQ(text(C::NoAvgStress, ru), "Напряжение при Тср.г. равно 0, расчёт невозможен!");
    EXPECT_EQ(text(C::EqualStresses, en),
              "Tension at average annual temperature equals maximum permissible tension,\r\n"
              "calculation is impossible!");
    EXPECT_EQ(text(C::EqualStresses, ru),
              "Напряжение при Тср.г. равно макс. допустимому, расчёт невозможен!");
    EXPECT_EQ(text(C::IceBelowMinimum, en),
              "Minimum temperature is lower than that for cases of ice accumulation,\r\n"
              "calculation is impossible!");
    EXPECT_EQ(text(C::IceBelowMinimum, ru),
              "Минимальная температура выше чем при гололёде, расчёт невозможен!");
    EXPECT_TRUE(CriticalSpansKey(C::Ok).empty());
    ClearStrings();
}

TEST(CriticalSpans, ReferenceWireToTheLastBit)
{
    TCriticalSpans spans;
    ASSERT_EQ(CriticalSpans(HeavyIce(), spans), TCriticalSpansCheck::Ok);
    EXPECT_EQ(spans.L1, 191.19290112732943);
    EXPECT_EQ(spans.L2, 41.43649540583758);
    EXPECT_EQ(spans.L3, 37.49789455152376);
}

TEST(CriticalSpans, NonPositiveRadicandsGiveTheMarker)
{
    // σavg above σmax with no temperature difference: R1 < 0 and R3 < 0 with γmax/γ1 small.
    TDesignConditions in = HeavyIce();
    in.TAvg = in.TMin;
    in.AvgStress = 14.0;
    in.GammaMax = in.Gamma1 * 1.01;
    TCriticalSpans spans;
    ASSERT_EQ(CriticalSpans(in, spans), TCriticalSpansCheck::Ok);
    EXPECT_TRUE(IsImaginarySpan(spans.L1));
    EXPECT_FALSE(IsImaginarySpan(spans.L2));

    // R1 exactly zero: σavg = σmax is excluded, so take β = 0 and tavg = tmin.
    in = HeavyIce();
    in.Beta = 0.0;
    in.TAvg = in.TMin;
    ASSERT_EQ(CriticalSpans(in, spans), TCriticalSpansCheck::Ok);
    EXPECT_TRUE(IsImaginarySpan(spans.L1));

    // R3 exactly zero: β = 0 and tice = tavg.
    in = HeavyIce();
    in.Beta = 0.0;
    in.TIce = in.TAvg;
    ASSERT_EQ(CriticalSpans(in, spans), TCriticalSpansCheck::Ok);
    EXPECT_TRUE(IsImaginarySpan(spans.L3));
    EXPECT_FALSE(IsImaginarySpan(spans.L1));
}

TEST(CriticalSpans, NeitherIceNorWindIsAnArithmeticFailureAfterL1)
{
    TDesignConditions in = HeavyIce();
    in.GammaMax = in.Gamma1;
    TCriticalSpans spans {-1.0, -2.0, -3.0};
    EXPECT_THROW(CriticalSpans(in, spans), EArithmeticError);
    EXPECT_EQ(spans.L1, 191.19290112732943); // computed before the failure, kept
    EXPECT_EQ(spans.L2, -2.0);
}

TEST(CriticalSpans, NegativeRadicandOfL2IsNotTestedButFails)
{
    TDesignConditions in = HeavyIce();
    in.GammaMax = in.Gamma1 * 0.5;
    TCriticalSpans spans;
    EXPECT_THROW(CriticalSpans(in, spans), EArithmeticError);
}

TEST(CriticalSpans, ZeroOwnWeightIsAnArithmeticFailure)
{
    TDesignConditions in = HeavyIce();
    in.Gamma1 = 0.0;
    TCriticalSpans spans;
    EXPECT_THROW(CriticalSpans(in, spans), EArithmeticError);
}

TEST(GoverningState, AscendingSpans)
{
    using S = TGoverningState;
    const double l1 = 50.0, l2 = 100.0, l3 = 150.0;
    EXPECT_EQ(GoverningState(40.0, l1, l2, l3), S::MinimumTemperature);
    EXPECT_EQ(GoverningState(50.0, l1, l2, l3), S::MinimumTemperature); // lr <= l1
    EXPECT_EQ(GoverningState(50.001, l1, l2, l3), S::AverageTemperature);
    EXPECT_EQ(GoverningState(100.0, l1, l2, l3), S::AverageTemperature);
    EXPECT_EQ(GoverningState(149.999, l1, l2, l3), S::AverageTemperature);
    EXPECT_EQ(GoverningState(150.0, l1, l2, l3), S::MaximumLoad);
    EXPECT_EQ(GoverningState(400.0, l1, l2, l3), S::MaximumLoad);
}

TEST(GoverningState, DescendingSpans)
{
    using S = TGoverningState;
    const double l1 = 191.2, l2 = 41.4, l3 = 37.5;
    EXPECT_EQ(GoverningState(20.0, l1, l2, l3), S::MinimumTemperature);
    EXPECT_EQ(GoverningState(41.4, l1, l2, l3), S::MinimumTemperature);
    EXPECT_EQ(GoverningState(41.5, l1, l2, l3), S::MaximumLoad);
    EXPECT_EQ(GoverningState(120.0, l1, l2, l3), S::MaximumLoad);
}

TEST(GoverningState, ImaginaryL1FavoursTheAverageStateBelowL3)
{
    using S = TGoverningState;
    for (double lr : {1.0, 60.0, 100.0, 120.0, 149.9})
        EXPECT_EQ(GoverningState(lr, I, 100.0, 150.0), S::AverageTemperature) << lr;
    EXPECT_EQ(GoverningState(150.0, I, 100.0, 150.0), S::MaximumLoad);
}

TEST(GoverningState, ImaginaryL3)
{
    using S = TGoverningState;
    // l1 < l2: average state between them, minimum temperature below l1.
    EXPECT_EQ(GoverningState(80.0, 50.0, 100.0, I), S::AverageTemperature);
    EXPECT_EQ(GoverningState(30.0, 50.0, 100.0, I), S::MinimumTemperature);
    EXPECT_EQ(GoverningState(101.0, 50.0, 100.0, I), S::MaximumLoad);
    // l1 > l2: minimum temperature up to l2.
    EXPECT_EQ(GoverningState(80.0, 150.0, 100.0, I), S::MinimumTemperature);
    EXPECT_EQ(GoverningState(101.0, 150.0, 100.0, I), S::MaximumLoad);
}

TEST(GoverningState, OrderingsNoRuleCoversGiveNoState)
{
    using S = TGoverningState;
    // l1 < l2 > l3, all real.
    EXPECT_EQ(GoverningState(30.0, 50.0, 100.0, 80.0), S::None);
    EXPECT_EQ(GoverningState(70.0, 50.0, 100.0, 80.0), S::None);
    EXPECT_EQ(GoverningState(110.0, 50.0, 100.0, 80.0), S::MaximumLoad);
    // l1 > l2 < l3 with lr between l2 and l3 matches the first test but not its orderings.
    EXPECT_EQ(GoverningState(120.0, 150.0, 100.0, 130.0), S::None);
    // The marker counts only by exact equality: a span of nearly the same value is real.
    EXPECT_EQ(GoverningState(80.0, 50.0, 100.0, 3.14159265358979E-50), S::None);
}

TEST(InitialState, FollowsTheGoverningState)
{
    const TDesignConditions in = HeavyIce();
    const TInitialState avg = InitialState(TGoverningState::AverageTemperature, in);
    EXPECT_EQ(avg.Stress, 9.0);
    EXPECT_EQ(avg.Temperature, -5.0);
    EXPECT_EQ(avg.Gamma, in.Gamma1);
    const TInitialState cold = InitialState(TGoverningState::MinimumTemperature, in);
    EXPECT_EQ(cold.Stress, 13.5);
    EXPECT_EQ(cold.Temperature, -40.0);
    EXPECT_EQ(cold.Gamma, in.Gamma1);
    const TInitialState ice = InitialState(TGoverningState::MaximumLoad, in);
    EXPECT_EQ(ice.Stress, 13.5);
    EXPECT_EQ(ice.Temperature, in.TIce);
    EXPECT_EQ(ice.Gamma, in.GammaMax);
}
