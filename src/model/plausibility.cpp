// The plausibility check of a project: every doubtful value becomes one line of warning.
#include "model/plausibility.h"

#include "base/number_text.h"
#include "base/rounding.h"
#include "base/text_format.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"

#include <initializer_list>
#include <iterator>
#include <string_view>

namespace vartesk {

namespace {

// The texts of the check.
enum TText {
    kClimateWhere,
    kCoefWhere,
    kSectionWhere,
    kSupportWhere,
    kWireWhere,
    kCordWhere,
    kOutside,
    kNotPositive,
    kNegativeSpan,
    kZeroSpan,
    kLongSpan,
    kMinAboveMax,
    kTerrain,
    kIce,
    kWindMax,
    kWindIce,
    kTemperatureMin,
    kTemperatureMax,
    kTemperatureIceNoWind,
    kTemperatureIceWind,
    kTemperatureAverage,
    kHeightWires,
    kHeightCords,
    kWindResponsibility,
    kWindRegional,
    kWindReliability,
    kIceResponsibility,
    kIceRegional,
    kIceReliability,
    kIceOperating,
    kStressMax,
    kStressAverage,
    kTensionMax,
    kTensionAverage,
    kMm,
    kMs,
    kCelsius,
    kMetre,
    kDaNmm2,
    kNmm2,
    kDaN,
    kKN,
    kTextCount
};

// The string-table key of each text.
// clang-format off
constexpr const char *kKeys[] = {
    "Doubt_climate_where",
    "Doubt_coef_where",
    "Doubt_section_where",
    "Doubt_support_where",
    "Doubt_wire_where",
    "Doubt_cord_where",
    "Doubt_outside",
    "Doubt_not_positive",
    "Doubt_negative_span",
    "Doubt_zero_span",
    "Doubt_long_span",
    "Doubt_min_above_max",
    "Doubt_terrain",
    "Doubt_ice",
    "Doubt_wind_max",
    "Doubt_wind_ice",
    "Doubt_temperature_min",
    "Doubt_temperature_max",
    "Doubt_temperature_ice_no_wind",
    "Doubt_temperature_ice_wind",
    "Doubt_temperature_average",
    "Doubt_height_wires",
    "Doubt_height_cords",
    "Doubt_wind_responsibility",
    "Doubt_wind_regional",
    "Doubt_wind_reliability",
    "Doubt_ice_responsibility",
    "Doubt_ice_regional",
    "Doubt_ice_reliability",
    "Doubt_ice_operating",
    "Doubt_stress_max",
    "Doubt_stress_average",
    "Doubt_tension_max",
    "Doubt_tension_average",
    "mm",
    "ms",
    "Celsius",
    "meter",
    "daN_mm2",
    "N_mm2",
    "daN",
    "kN",
};
// clang-format on
static_assert(std::size(kKeys) == kTextCount);

std::string Text(TText id)
{
    return LocalString(kKeys[id]);
}

std::string Num(double v)
{
    return FormatGeneral(v);
}

std::string Quantity(double v, TText unit)
{
    return Num(v) + " " + Text(unit);
}

class TChecker
{
public:
    explicit TChecker(std::vector<std::string> &out)
        : Out(out)
    { }

    // Written so that a NaN, which no bound holds, is reported too.
    void Range(const std::string &where,
               TText field,
               double value,
               double low,
               double high,
               TText unit,
               const std::string &bounds)
    {
        if (!(low <= value && value <= high))
            Say(kOutside, {where, Text(field), Quantity(value, unit), bounds + " " + Text(unit)});
    }

    void Positive(const std::string &where, TText field, double value, TText unit)
    {
        if (!(value > 0))
            Say(kNotPositive, {where, Text(field), Quantity(value, unit)});
    }

    void Positive(const std::string &where, TText field, double value)
    {
        if (!(value > 0))
            Say(kNotPositive, {where, Text(field), Num(value)});
    }

    void Say(TText pattern, std::initializer_list<std::string_view> args)
    {
        Say(Text(pattern), args);
    }

    void Say(const std::string &pattern, std::initializer_list<std::string_view> args)
    {
        Out.push_back(FormatText(pattern, args));
    }

private:
    std::vector<std::string> &Out;
};

void CheckClimate(const TKlimat &k, TChecker &check)
{
    const std::string where = Text(kClimateWhere);
    check.Range(where, kIce, k.Tols, 0, kMaxPlausibleIce, kMm, "0.." + Num(kMaxPlausibleIce));
    const std::string wind = "0.." + Num(kMaxPlausibleWind);
    check.Range(where, kWindMax, k.VMax, 0, kMaxPlausibleWind, kMs, wind);
    check.Range(where, kWindIce, k.Vwetsg, 0, kMaxPlausibleWind, kMs, wind);
    const std::string temperatures
        = Num(kMinPlausibleTemperature) + "..+" + Num(kMaxPlausibleTemperature);
    for (const auto &[field, value] : {std::pair {kTemperatureMin, k.TMin},
                                       std::pair {kTemperatureMax, k.TMax},
                                       std::pair {kTemperatureIceNoWind, k.Tgbw},
                                       std::pair {kTemperatureIceWind, k.TGsw},
                                       std::pair {kTemperatureAverage, k.Tsrec}})
        check.Range(where,
                    field,
                    value,
                    kMinPlausibleTemperature,
                    kMaxPlausibleTemperature,
                    kCelsius,
                    temperatures);
    if (k.TMin > k.TMax)
        check.Say(kMinAboveMax, {where, Num(k.TMin), Num(k.TMax)});
}

void CheckCoefficients(const TKlimatKoef &f, TChecker &check)
{
    const std::string where = Text(kCoefWhere);
    const std::string heights = "1.." + std::to_string(kMaxPlausibleHeight);
    check.Range(where, kHeightWires, f.visotaPC, 1, kMaxPlausibleHeight, kMetre, heights);
    check.Range(where, kHeightCords, f.visotaPC_tros, 1, kMaxPlausibleHeight, kMetre, heights);
    if (f.TypeTer < 1 || f.TypeTer > 3)
        check.Say(kTerrain, {where, std::to_string(f.TypeTer)});
    for (const auto &[field, value] : {std::pair {kWindResponsibility, f.V_Otv},
                                       std::pair {kWindRegional, f.V_Reg},
                                       std::pair {kWindReliability, f.V_Nad},
                                       std::pair {kIceResponsibility, f.G_Otv},
                                       std::pair {kIceRegional, f.G_Reg},
                                       std::pair {kIceReliability, f.G_Nad},
                                       std::pair {kIceOperating, f.G_Usl}})
        check.Positive(where, field, value);
}

// The other form of the limits is zeroed on saving, so only the selected one can be judged.
void CheckLimits(const std::string &where,
                 int mode,
                 double stressMax,
                 double stressAverage,
                 double tensionMax,
                 double tensionAverage,
                 TChecker &check)
{
    if (mode == 1) {
        const TText unit = UnitSystem() == TUnitSystem::DaN ? kDaN : kKN;
        check.Positive(where, kTensionMax, tensionMax * ForceFactor(), unit);
        check.Positive(where, kTensionAverage, tensionAverage * ForceFactor(), unit);
    } else {
        const TText unit = UnitSystem() == TUnitSystem::DaN ? kDaNmm2 : kNmm2;
        check.Positive(where, kStressMax, stressMax * StressFactor(), unit);
        check.Positive(where, kStressAverage, stressAverage * StressFactor(), unit);
    }
}

void CheckSection(int index, const TParcel &p, TChecker &check)
{
    const std::string section
        = FormatText(Text(kSectionWhere), {std::to_string(index + 1), p.Name});
    if (p.IsProvod)
        CheckLimits(FormatText(Text(kWireWhere), {section}),
                    p.TagMode,
                    p.Napr_max,
                    p.Napr_srg,
                    p.Tag_max,
                    p.Tag_srg,
                    check);
    if (p.IsTros)
        CheckLimits(FormatText(Text(kCordWhere), {section}),
                    p.TagModet,
                    p.Naprt_max,
                    p.Naprt_srg,
                    p.Tagt_max,
                    p.Tagt_srg,
                    check);
    // A support without a number is named by its place in the section.
    const auto nameOf = [&](int k) {
        const TPillar &support = p.Pillars.Get(k);
        return support.Nomer.empty() ? "#" + std::to_string(k + 1) : support.Nomer.str();
    };
    const int count = p.Pillars.Count();
    for (int i = 0; i < count; ++i) {
        const TPillar &s = p.Pillars.Get(i);
        const std::string name = nameOf(i);
        const std::string where = FormatText(Text(kSupportWhere), {section, name});
        // The span of the last support leads nowhere and is 0 as a rule.
        if (s.Prolet < 0)
            check.Say(kNegativeSpan, {where, Num(s.Prolet)});
        else if (ExactlyEqual(s.Prolet, 0) && i + 1 < count)
            check.Say(kZeroSpan, {where});
        else if (!(s.Prolet <= kMaxPlausibleSpan))
            check.Say(kLongSpan, {where, Num(s.Prolet), Num(kMaxPlausibleSpan)});
        else if (s.Prolet > kLongCrossingSpan && i + 1 < count)
            check.Say(LocalString("Sag_warn_long_span"),
                      {where, name + "-" + nameOf(i + 1), Num(s.Prolet), Num(kLongCrossingSpan)});
    }
}

} // namespace

std::vector<std::string> PlausibilityWarnings(const TProject &project)
{
    std::vector<std::string> out;
    TChecker check(out);
    CheckClimate(project.Klimat, check);
    CheckCoefficients(project.KlimatKoef, check);
    for (int i = 0; i < project.Parcels.Count(); ++i)
        CheckSection(i, project.Parcels.Get(i), check);
    return out;
}

} // namespace vartesk
