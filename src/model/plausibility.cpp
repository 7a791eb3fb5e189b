// The plausibility check of a project: every doubtful value becomes one line of warning.
#include "model/plausibility.h"

#include "base/number_text.h"
#include "base/rounding.h"
#include "base/text_format.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"

#include <initializer_list>
#include <iterator>
#include <string_view>

namespace vartesk {

namespace {

// The texts of the check. They are not captions of any window, so they stay here rather
// than in the string table.
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

struct TPair
{
    const char *English;
    const char *Russian;
};

// clang-format off
constexpr TPair kTexts[] = {
    {"climatic conditions", "климатические условия"},
    {"climatic parameters and coefficients", "климатические параметры и коэффициенты"},
    {"section %s \"%s\"", "участок %s «%s»"},
    {"%s, support %s", "%s, опора %s"},
    {"%s, wire", "%s, провод"},
    {"%s, cord", "%s, трос"},
    {"%s: %s %s is outside %s", "%s: %s %s вне пределов %s"},
    {"%s: %s %s is not above zero", "%s: %s %s не больше нуля"},
    {"%s: span %s m is negative", "%s: пролёт %s м отрицательный"},
    {"%s: span of 0 m before the last support of the section", "%s: пролёт 0 м не у последней опоры участка"},
    {"%s: span %s m is longer than %s m", "%s: пролёт %s м длиннее %s м"},
    {"%s: minimum temperature %s °C is above the maximum %s °C", "%s: минимальная температура %s °C выше максимальной %s °C"},
    {"%s: terrain type %s is none of 1, 2, 3 (A, B, C)", "%s: тип местности %s не 1, 2 или 3 (A, B, C)"},
    {"ice wall thickness", "толщина стенки гололёда"},
    {"maximum wind velocity", "максимальная скорость ветра"},
    {"wind velocity in case of ice", "скорость ветра при гололёде"},
    {"minimum temperature", "минимальная температура"},
    {"maximum temperature", "максимальная температура"},
    {"temperature at ice without wind", "температура при гололёде без ветра"},
    {"temperature at ice with wind", "температура при гололёде с ветром"},
    {"average annual temperature", "среднегодовая температура"},
    {"height of the centre of gravity of the wires", "высота приведённого центра тяжести проводов"},
    {"height of the centre of gravity of the cords", "высота приведённого центра тяжести тросов"},
    {"responsibility coefficient to wind loads", "коэффициент ответственности к ветровым нагрузкам"},
    {"regional coefficient to wind loads", "региональный коэффициент к ветровым нагрузкам"},
    {"reliability coefficient to wind loads", "коэффициент надёжности к ветровым нагрузкам"},
    {"responsibility coefficient to ice loads", "коэффициент ответственности к гололёдным нагрузкам"},
    {"regional coefficient to ice loads", "региональный коэффициент к гололёдным нагрузкам"},
    {"reliability coefficient to ice loads", "коэффициент надёжности к гололёдным нагрузкам"},
    {"operating-conditions coefficient to ice loads", "коэффициент условий работы к гололёдным нагрузкам"},
    {"maximum permissible stress", "максимальное допускаемое напряжение"},
    {"stress at average annual temperature", "напряжение при среднегодовой температуре"},
    {"maximum permissible tension", "максимальное допускаемое тяжение"},
    {"tension at average annual temperature", "тяжение при среднегодовой температуре"},
    {"mm", "мм"},
    {"m/s", "м/с"},
    {"°C", "°C"},
    {"m", "м"},
    {"daN/mm2", "даН/мм2"},
    {"N/mm2", "Н/мм2"},
    {"daN", "даН"},
    {"kN", "кН"},
};
// clang-format on
static_assert(std::size(kTexts) == kTextCount);

std::string Text(TText id)
{
    return IsEnglish() ? kTexts[id].English : kTexts[id].Russian;
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
