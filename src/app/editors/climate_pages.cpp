// The climate page and the coefficient page of the main window.
#include "app/editors/climate_pages.h"

#include "base/number_text.h"
#include "l10n/string_table.h"
#include "model/klimat.h"
#include "model/klimat_koef.h"

namespace vartesk {

std::string SpinText(double value)
{
    return FormatGeneral(value, kSpinDigits);
}

void TFrameKlimat::Load(const TKlimat &klimat)
{
    Tols = klimat.Tols;
    TMin = klimat.TMin;
    TMax = klimat.TMax;
    TGsw = klimat.TGsw;
    Tgbw = klimat.Tgbw;
    Tsrec = klimat.Tsrec;
    VMax = klimat.VMax;
    Vwetsg = klimat.Vwetsg;
}

void TFrameKlimat::Store(TKlimat &klimat) const
{
    klimat.Tols = Tols;
    klimat.TMin = TMin;
    klimat.TMax = TMax;
    klimat.TGsw = TGsw;
    klimat.Tgbw = Tgbw;
    klimat.Tsrec = Tsrec;
    klimat.VMax = VMax;
    klimat.Vwetsg = Vwetsg;
}

void TFrameKlimatKoef2::Load(const TKlimatKoef &koef)
{
    ChooseTerrain(koef.TypeTer);
    visotaPC = koef.visotaPC;
    visotaPC_tros = koef.visotaPC_tros;
    V_Otv = koef.V_Otv;
    V_Reg = koef.V_Reg;
    V_Nad = koef.V_Nad;
    G_Otv = koef.G_Otv;
    G_Reg = koef.G_Reg;
    G_Nad = koef.G_Nad;
    G_Usl = koef.G_Usl;
}

void TFrameKlimatKoef2::Store(TKlimatKoef &koef) const
{
    koef.TypeTer = TypeTer;
    koef.visotaPC = visotaPC;
    koef.visotaPC_tros = visotaPC_tros;
    koef.V_Otv = V_Otv;
    koef.V_Reg = V_Reg;
    koef.V_Nad = V_Nad;
    koef.G_Otv = G_Otv;
    koef.G_Reg = G_Reg;
    koef.G_Nad = G_Nad;
    koef.G_Usl = G_Usl;
}

void TFrameKlimatKoef2::ChooseTerrain(int typeTer)
{
    if (typeTer >= 1 && typeTer <= 3)
        TypeTer = typeTer;
}

TClimatePageCaptions ClimatePageCaptions()
{
    TClimatePageCaptions c;
    c.IceGroup = LocalString("Ice");
    c.Thickness = LocalString("Thickness");
    c.TemperatureGroup = LocalString("Temperature");
    c.Min = LocalString("Min");
    c.Max = LocalString("Max");
    c.IceWithWind = LocalString("Ice_with_wind");
    c.IceWithoutWind = LocalString("Ice_without_wind");
    c.AverageAnnual = LocalString("Average_annual");
    c.WindGroup = LocalString("Wind_velocity");
    c.WindMax = LocalString("Max");
    c.InCaseOfIce = LocalString("In_case_of_ice");
    c.UnitMm = LocalString("mm");
    c.UnitDegrees = "°C";
    c.UnitMs = LocalString("ms");
    return c;
}

TCoefficientPageCaptions CoefficientPageCaptions()
{
    TCoefficientPageCaptions c;
    c.ClimaticGroup = LocalString("Climaticparameter");
    c.TypeOfTerrain = LocalString("Type_of_terrain");
    c.TerrainA = "A";
    c.TerrainB = "B";
    c.TerrainC = "C";
    c.HeightGroup = LocalString("height_for_wires");
    c.ForWire = LocalString("for_wire");
    c.ForCord = LocalString("for_cord");
    c.UnitMeter = LocalString("meter");
    c.ReliabilityGroup = LocalString("Reliability_coefficients");
    c.WindGroup = LocalString("Windloads");
    c.IceGroup = LocalString("Iceloads");
    c.Responsibility = LocalString("Responsibility");
    c.Regional = LocalString("Regional");
    c.Reliability = LocalString("Reliability");
    c.Operating = LocalString("Operating");
    return c;
}

} // namespace vartesk
