// The load calculation, step by step in the order the results have always been computed.
#include "mechanics/climatic_loads.h"

#include "mechanics/arithmetic_error.h"
#include "mechanics/coefficient_tables.h"

namespace vartesk {

double EffectiveIceWall(double b, int h, double d)
{
    return b * IceHeightCoef(h) * IceDiameterCoef(h, d);
}

double DragCoefficient(double vMax, double vWetsg, double iceWall, double d)
{
    if (0.5 * vMax >= vWetsg && vWetsg > 15.0 && iceWall >= 15.0 && d > 20.0)
        return 1.1;
    return 1.2;
}

double CalcLoads(const TLoadInput &in, TLoads &loads)
{
    const TLoadCoefs &k = in.Coefs;
    const double kw = WindHeightCoef(k.Height, k.TypeTer);
    const double be = in.IceWall;
    const double d = in.Diameter;

    loads.P1 = CheckFinite(in.Weight);

    double p2 = kIceDensityPi * be * (d + be) / 1000.0;
    p2 = p2 * k.G_Otv * k.G_Reg * k.G_Nad * k.G_Usl;
    loads.P2 = CheckFinite(p2);

    loads.P3 = CheckFinite(loads.P1 + loads.P2);

    // VMax²/16 is the wind pressure in daN/m²; Kw scales the pressure, not the velocity.
    double p4 = in.UnevennessVMax * in.Cx * (in.VMax * in.VMax) * d * 0.001 / 16.0 * kw;
    p4 = p4 * k.V_Otv * k.V_Reg * k.V_Nad;
    loads.P4 = CheckFinite(p4);

    // The iced conductor: always Cx 1.2, and the non-uniformity of its own velocity.
    double p5 = WindUnevennessCoef(in.Vwetsg) * 1.2 * (in.Vwetsg * in.Vwetsg) * (d + 2.0 * be)
        * 0.001 / 16.0 * kw;
    p5 = p5 * k.V_Otv * k.V_Reg * k.V_Nad;
    loads.P5 = CheckFinite(p5);

    loads.P6 = CheckedSqrt(CheckFinite(loads.P1 * loads.P1 + loads.P4 * loads.P4));
    loads.P7 = CheckedSqrt(CheckFinite(loads.P3 * loads.P3 + loads.P5 * loads.P5));

    loads.gamma1 = CheckedDiv(loads.P1, in.Section);
    loads.gamma6 = CheckedDiv(loads.P6, in.Section);
    loads.gamma7 = CheckedDiv(loads.P7, in.Section);
    loads.gammaMax = loads.gamma6 >= loads.gamma7 ? loads.gamma6 : loads.gamma7;
    return loads.gammaMax;
}

} // namespace vartesk
