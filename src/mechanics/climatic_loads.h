// Ice and wind loads of one conductor, per metre and per metre and mm² of section.
#pragma once

namespace vartesk {

// What the loads read of the refined climatic parameters and reliability coefficients, with
// the height of the conductor being calculated (visotaPC for the wire, visotaPC_tros for the
// cord) already chosen by the caller.
struct TLoadCoefs
{
    double V_Otv = 1.0; // wind: responsibility
    double V_Reg = 1.0; // wind: regional
    double V_Nad = 1.0; // wind: reliability
    double G_Otv = 1.0; // ice: responsibility
    double G_Reg = 1.0; // ice: regional
    double G_Nad = 1.0; // ice: reliability
    double G_Usl = 1.0; // ice: operating conditions
    int Height = 15; // m, of the conductor being calculated
    int TypeTer = 1; // 1 = A, 2 = B, 3 = C
};

// The arguments of CalcLoads, in the order the calculation names them.
struct TLoadInput
{
    TLoadCoefs Coefs;
    double Weight = 0.0; // w, kg/m, used as daN/m
    double IceWall = 0.0; // bₑ, effective ice wall thickness, mm
    double Diameter = 0.0; // d, mm
    double Section = 0.0; // F, mm²
    double UnevennessVMax = 1.0; // αw of VMax (αw of Vwetsg is taken inside)
    double Cx = 1.2; // drag coefficient of the conductor free of ice
    double VMax = 0.0; // maximum wind velocity, m/s
    double Vwetsg = 0.0; // wind velocity in case of ice, m/s
};

// Loads per metre (daN/m) and specific loads (daN/(m·mm²)).
struct TLoads
{
    double P1 = 0.0; // own weight
    double P2 = 0.0; // ice deposit
    double P3 = 0.0; // own weight and ice
    double P4 = 0.0; // wind on the conductor free of ice, at VMax
    double P5 = 0.0; // wind on the iced conductor, at Vwetsg
    double P6 = 0.0; // own weight and wind
    double P7 = 0.0; // own weight, ice and wind
    double gamma1 = 0.0;
    double gamma6 = 0.0;
    double gamma7 = 0.0;
    double gammaMax = 0.0; // γ6 when γ6 >= γ7, else γ7: the load of the maximum-load state
};

// 0.9·π as the constant the ice weight has always used (ice of density 0.9).
inline constexpr double kIceDensityPi = 2.8274333882308139146;

// bₑ = b · Ki · Kd in this order: the ice wall b (Tols, mm) corrected for the conductor's
// height h and diameter d (mm).
double EffectiveIceWall(double b, int h, double d);

// Cx of the conductor free of ice: 1.1 when 0.5·VMax >= Vwetsg, Vwetsg > 15, bₑ >= 15 and
// d > 20 all hold, otherwise 1.2. (The iced conductor always uses 1.2, inside CalcLoads.)
double DragCoefficient(double vMax, double vWetsg, double iceWall, double d);

// Fills `loads` field by field in the order P1..P7, γ1, γ6, γ7, γmax and returns γmax.
// Throws EArithmeticError on a zero section or an overflow; the fields filled before the
// failure keep their values, the others are left as they were.
double CalcLoads(const TLoadInput &in, TLoads &loads);

} // namespace vartesk
