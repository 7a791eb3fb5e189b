// The climate page and the coefficient page of the main window: their values, terrain choice and
// captions.
#pragma once

#include "app/editors/number_input.h"

#include <string>

namespace vartesk {

class TKlimat;
class TKlimatKoef;

// Significant digits with which the spin fields of the pages show their reals.
inline constexpr int kSpinDigits = 9;

// A real as a spin field shows it: the general form with up to nine significant digits.
std::string SpinText(double value);

// The climatic conditions page. Its own copy of the values, in the model's units (mm, C, m/s);
// none is bounded or checked here, the calculations judge them.
class TFrameKlimat
{
public:
    // Change of every field per click of its up or down arrow.
    static constexpr double kStep = 0.5;

    double Tols = 5; // ice wall thickness, mm
    double TMin = -55; // minimum temperature, C
    double TMax = 40; // maximum temperature, C
    double TGsw = 0; // temperature at ice with wind, C
    double Tgbw = -5; // temperature at ice without wind, C
    double Tsrec = 0; // average annual temperature, C
    double VMax = 0; // maximum wind velocity, m/s
    double Vwetsg = 0; // wind velocity in case of ice, m/s

    void Load(const TKlimat &klimat);
    void Store(TKlimat &klimat) const;
};

// The refined climatic parameters and reliability coefficients page.
class TFrameKlimatKoef2
{
public:
    // Change of a coefficient per click of its arrows; the heights step by whole metres.
    static constexpr double kCoefStep = 0.001;
    // What a coefficient can be typed as. A coefficient multiplies a load: 0 would remove it,
    // and 125 is what "1.25" becomes when its separator is lost. A project may still hold
    // any value; the pages show it as it is.
    static constexpr double kCoefMin = 0.1;
    static constexpr double kCoefMax = 10;
    static constexpr TNumberRule kCoefRule {kCoefMin, kCoefMax};

    // The terrain letter chosen: 1 A, 2 B, 3 C. Always one of the three.
    int TypeTer = 1;
    int visotaPC = 15; // height for the wires, m
    int visotaPC_tros = 15; // height for the cords, m
    double V_Otv = 1; // wind loads: responsibility
    double V_Reg = 1; // wind loads: regional
    double V_Nad = 1; // wind loads: reliability
    double G_Otv = 1; // ice loads: responsibility
    double G_Reg = 1; // ice loads: regional
    double G_Nad = 1; // ice loads: reliability
    double G_Usl = 1; // ice loads: operating conditions

    // A terrain type other than 1..3 (from an edited file) leaves the letter shown as it was.
    void Load(const TKlimatKoef &koef);
    void Store(TKlimatKoef &koef) const;
    // A click on letter 1..3; anything else is no letter and changes nothing.
    void ChooseTerrain(int typeTer);
};

struct TClimatePageCaptions
{
    std::string IceGroup;
    std::string Thickness;
    std::string TemperatureGroup;
    std::string Min;
    std::string Max;
    std::string IceWithWind;
    std::string IceWithoutWind;
    std::string AverageAnnual;
    std::string WindGroup;
    std::string WindMax;
    std::string InCaseOfIce;
    std::string UnitMm; // beside the thickness
    std::string UnitDegrees; // beside the five temperatures
    std::string UnitMs; // beside the two wind velocities
};
TClimatePageCaptions ClimatePageCaptions();

struct TCoefficientPageCaptions
{
    std::string ClimaticGroup;
    std::string TypeOfTerrain;
    std::string TerrainA; // the three choices, Latin letters in both languages
    std::string TerrainB;
    std::string TerrainC;
    std::string HeightGroup;
    std::string ForWire;
    std::string ForCord;
    std::string UnitMeter; // beside both heights
    std::string ReliabilityGroup;
    std::string WindGroup;
    std::string IceGroup;
    std::string Responsibility; // in both load groups
    std::string Regional;
    std::string Reliability;
    std::string Operating; // ice loads only
};
TCoefficientPageCaptions CoefficientPageCaptions();

} // namespace vartesk
