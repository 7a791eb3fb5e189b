// Loads of a conductor: the reference case to the last bit, the degenerate climates, Cx.
#include "mechanics/arithmetic_error.h"
#include "mechanics/climatic_loads.h"
#include "mechanics/coefficient_tables.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

// A 70/11 steel-aluminium wire at 27 m over terrain A, 20 mm of ice, 32 and 16 m/s.
TLoadInput ReferenceWire()
{
    TLoadInput in;
    in.Coefs = {.V_Otv = 1.0,
                .V_Reg = 1.1,
                .V_Nad = 1.0,
                .G_Otv = 1.0,
                .G_Reg = 1.3,
                .G_Nad = 1.0,
                .G_Usl = 0.9,
                .Height = 27,
                .TypeTer = 1};
    in.Weight = 0.276;
    in.Diameter = 11.4;
    in.IceWall = EffectiveIceWall(20.0, 27, 11.4);
    in.Section = 79.3;
    in.VMax = 32.0;
    in.Vwetsg = 16.0;
    in.UnevennessVMax = WindUnevennessCoef(in.VMax);
    in.Cx = DragCoefficient(in.VMax, in.Vwetsg, in.IceWall, in.Diameter);
    return in;
}

} // namespace

// Values from an independent transcription of the formulas in the same order of operations;
// the stringing tables print these numbers, so any reordering of the arithmetic shows here.
TEST(CalcLoads, ReferenceWireToTheLastBit)
{
    const TLoadInput in = ReferenceWire();
    EXPECT_EQ(in.IceWall, 22.8752);
    EXPECT_EQ(in.Cx, 1.2);
    TLoads loads;
    const double gammaMax = CalcLoads(in, loads);
    EXPECT_EQ(loads.P1, 0.276);
    EXPECT_EQ(loads.P2, 2.5937203014813632);
    EXPECT_EQ(loads.P3, 0.276 + 2.5937203014813632);
    EXPECT_EQ(loads.P4, 0.9190160861538461);
    EXPECT_EQ(loads.P5, 1.6143844992);
    EXPECT_EQ(loads.P6, 0.9595658219265282);
    EXPECT_EQ(loads.P7, 3.2926481621927848);
    EXPECT_EQ(loads.gamma1, 0.0034804539722572514);
    EXPECT_EQ(loads.gamma6, 0.012100451726690142);
    EXPECT_EQ(loads.gamma7, 0.04152141440343991);
    EXPECT_EQ(loads.gammaMax, loads.gamma7);
    EXPECT_EQ(gammaMax, loads.gammaMax);
}

TEST(CalcLoads, NoIceLeavesOwnWeight)
{
    TLoadInput in = ReferenceWire();
    in.IceWall = 0.0;
    TLoads loads;
    CalcLoads(in, loads);
    EXPECT_EQ(loads.P2, 0.0);
    EXPECT_EQ(loads.P3, loads.P1);
}

TEST(CalcLoads, NoWindLeavesWeightAndIce)
{
    TLoadInput in = ReferenceWire();
    in.VMax = 0.0;
    in.Vwetsg = 0.0;
    TLoads loads;
    CalcLoads(in, loads);
    EXPECT_EQ(loads.P4, 0.0);
    EXPECT_EQ(loads.P5, 0.0);
    EXPECT_EQ(loads.gamma6, loads.gamma1);
    EXPECT_DOUBLE_EQ(loads.gamma7, loads.P3 / in.Section);
    EXPECT_EQ(loads.gammaMax, loads.gamma7);
}

TEST(CalcLoads, EqualLoadsTakeGammaSix)
{
    TLoadInput in = ReferenceWire();
    in.IceWall = 0.0;
    in.VMax = 20.0;
    in.Vwetsg = 20.0;
    in.UnevennessVMax = WindUnevennessCoef(in.VMax);
    in.Cx = 1.2;
    TLoads loads;
    CalcLoads(in, loads);
    ASSERT_EQ(loads.gamma6, loads.gamma7);
    EXPECT_EQ(loads.gammaMax, loads.gamma6);
}

// Each wind load takes the non-uniformity of its own velocity and Kw of the given height (the
// caller passes the cord's height for the cord).
TEST(CalcLoads, WindUsesItsOwnVelocityAndTheGivenHeight)
{
    TLoadInput in = ReferenceWire();
    in.VMax = 40.0; // αw 0.7, passed by the caller
    in.UnevennessVMax = 0.7; // Vwetsg 16 m/s keeps αw 1 inside
    in.Coefs.V_Reg = 1.0;
    TLoads low;
    CalcLoads(in, low);
    in.Coefs.Height = 120; // terrain A, 100..149 m band: Kw 2.1
    TLoads high;
    CalcLoads(in, high);
    EXPECT_NEAR(high.P4 / low.P4, 2.1 / 1.3375, 1e-12);
    EXPECT_NEAR(high.P5 / low.P5, 2.1 / 1.3375, 1e-12);
    EXPECT_NEAR(low.P4, 0.7 * 1.2 * 1600.0 * 11.4 * 0.001 / 16.0 * 1.3375, 1e-12);
    EXPECT_NEAR(low.P5, 1.2 * 256.0 * (11.4 + 2.0 * in.IceWall) * 0.001 / 16.0 * 1.3375, 1e-12);
}

TEST(CalcLoads, ZeroSectionFailsAfterTheLoadsPerMetre)
{
    TLoadInput in = ReferenceWire();
    in.Section = 0.0;
    TLoads loads;
    loads.gamma1 = -1.0;
    EXPECT_THROW(CalcLoads(in, loads), EArithmeticError);
    EXPECT_EQ(loads.P1, 0.276);
    EXPECT_EQ(loads.P7, 3.2926481621927848);
    EXPECT_EQ(loads.gamma1, -1.0);
}

TEST(CalcLoads, OverflowIsAnArithmeticFailure)
{
    TLoadInput in = ReferenceWire();
    in.IceWall = 1e200;
    TLoads loads;
    EXPECT_THROW(CalcLoads(in, loads), EArithmeticError);
}

TEST(DragCoefficient, OnePointOneOnlyWhenAllFourHold)
{
    EXPECT_EQ(DragCoefficient(40.0, 20.0, 15.0, 21.0), 1.1);
    EXPECT_EQ(DragCoefficient(40.0, 20.0, 14.9, 21.0), 1.2);
    EXPECT_EQ(DragCoefficient(39.9, 20.0, 15.0, 21.0), 1.2); // 0.5·VMax < Vwetsg
    EXPECT_EQ(DragCoefficient(40.0, 15.0, 15.0, 21.0), 1.2); // Vwetsg not above 15
    EXPECT_EQ(DragCoefficient(40.0, 15.1, 15.0, 21.0), 1.1);
    EXPECT_EQ(DragCoefficient(40.0, 20.0, 15.0, 20.0), 1.2); // d not above 20
    EXPECT_EQ(DragCoefficient(40.0, 20.0, 15.0, 20.1), 1.1);
}

TEST(EffectiveIceWall, HeightAndDiameterThresholdsDiffer)
{
    // At 25 m the height does not yet thicken the ice but the diameter already thins it.
    EXPECT_NEAR(EffectiveIceWall(20.0, 25, 20.0), 18.0, 1e-12);
    EXPECT_EQ(EffectiveIceWall(20.0, 24, 20.0), 20.0);
    EXPECT_NEAR(EffectiveIceWall(10.0, 26, 5.0), 10.8, 1e-12);
}
