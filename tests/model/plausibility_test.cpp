// The plausibility check: every bound warns just outside and keeps quiet just inside.
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/plausibility.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vartesk;

namespace {

const std::string kDemo = std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk";

// The default climate and coefficients with one sound section: wire by stresses, cord by
// tensions, spans 200 and 250 m and a last support of span 0.
void MakeSoundProject(TProject &project)
{
    auto section = std::make_unique<TParcel>();
    section->Name = "Line";
    section->Provod = "AC";
    section->Napr_max = 13;
    section->Napr_srg = 9;
    section->IsTros = true;
    section->Tros = "TK";
    section->TagModet = 1;
    section->Tagt_max = 1000;
    section->Tagt_srg = 700;
    for (double span : {200., 250., 0.}) {
        auto support = std::make_unique<TPillar>();
        support->Nomer = std::to_string(section->Pillars.Count() + 11);
        support->Prolet = span;
        section->Pillars.Add(std::move(support));
    }
    project.Parcels.Add(std::move(section));
}

TParcel &Section(TProject &project)
{
    return project.Parcels.Get(0);
}

TPillar &Support(TProject &project, int i)
{
    return Section(project).Pillars.Get(i);
}

struct TBoundCase
{
    const char *Name;
    std::function<void(TProject &, double)> Set;
    double Inside;
    double Outside;
    const char *Warning; // the whole English line the outside value gives
    const char *Also = nullptr; // a second line where a bound cannot be crossed alone
};

std::vector<std::string> WarningsWith(const TBoundCase &c, double value)
{
    TProject project;
    MakeSoundProject(project);
    c.Set(project, value);
    return PlausibilityWarnings(project);
}

class Plausibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        UseUnitSystem(TUnitSystem::DaN);
    }
};

} // namespace

TEST_F(Plausibility, EveryBoundWarnsJustOutsideAndNotJustInside)
{
    // clang-format off
    const TBoundCase cases[] = {
        {"negative span of the last support", [](TProject &p, double v) { Support(p, 2).Prolet = v; }, 0, -0.01,
         "section 1 \"Line\", support 13: span -0.01 m is negative"},
        {"negative span", [](TProject &p, double v) { Support(p, 0).Prolet = v; }, 0.01, -250,
         "section 1 \"Line\", support 11: span -250 m is negative"},
        {"zero span before the last support", [](TProject &p, double v) { Support(p, 1).Prolet = v; }, 0.01, 0,
         "section 1 \"Line\", support 12: span of 0 m before the last support of the section"},
        {"long crossing", [](TProject &p, double v) { Support(p, 1).Prolet = v; }, 1000, 1000.01,
         "section 1 \"Line\", support 12: span 12-13 of 1000.01 m is longer than 1000 m: check it as a long crossing"},
        {"long span", [](TProject &p, double v) { Support(p, 0).Prolet = v; }, 1000, 6000.01,
         "section 1 \"Line\", support 11: span 6000.01 m is longer than 6000 m"},
        {"long span of the last support", [](TProject &p, double v) { Support(p, 2).Prolet = v; }, 6000, 1e9,
         "section 1 \"Line\", support 13: span 1000000000 m is longer than 6000 m"},
        {"thin ice", [](TProject &p, double v) { p.Klimat.Tols = v; }, 0, -0.1,
         "climatic conditions: ice wall thickness -0.1 mm is outside 0..100 mm"},
        {"thick ice", [](TProject &p, double v) { p.Klimat.Tols = v; }, 100, 100.1,
         "climatic conditions: ice wall thickness 100.1 mm is outside 0..100 mm"},
        {"negative wind", [](TProject &p, double v) { p.Klimat.VMax = v; }, 0, -0.1,
         "climatic conditions: maximum wind velocity -0.1 m/s is outside 0..75 m/s"},
        {"strong wind", [](TProject &p, double v) { p.Klimat.VMax = v; }, 75, 75.1,
         "climatic conditions: maximum wind velocity 75.1 m/s is outside 0..75 m/s"},
        {"negative wind at ice", [](TProject &p, double v) { p.Klimat.Vwetsg = v; }, 0, -0.1,
         "climatic conditions: wind velocity in case of ice -0.1 m/s is outside 0..75 m/s"},
        {"strong wind at ice", [](TProject &p, double v) { p.Klimat.Vwetsg = v; }, 75, 75.1,
         "climatic conditions: wind velocity in case of ice 75.1 m/s is outside 0..75 m/s"},
        {"cold minimum", [](TProject &p, double v) { p.Klimat.TMin = v; }, -70, -70.1,
         "climatic conditions: minimum temperature -70.1 °C is outside -70..+60 °C"},
        {"hot minimum", [](TProject &p, double v) { p.Klimat.TMin = v; p.Klimat.TMax = 60; }, 60, 60.1,
         "climatic conditions: minimum temperature 60.1 °C is outside -70..+60 °C",
         "climatic conditions: minimum temperature 60.1 °C is above the maximum 60 °C"},
        {"cold maximum", [](TProject &p, double v) { p.Klimat.TMax = v; p.Klimat.TMin = -70; }, -70, -70.1,
         "climatic conditions: maximum temperature -70.1 °C is outside -70..+60 °C",
         "climatic conditions: minimum temperature -70 °C is above the maximum -70.1 °C"},
        {"hot maximum", [](TProject &p, double v) { p.Klimat.TMax = v; }, 60, 60.1,
         "climatic conditions: maximum temperature 60.1 °C is outside -70..+60 °C"},
        {"cold ice without wind", [](TProject &p, double v) { p.Klimat.Tgbw = v; }, -70, -70.1,
         "climatic conditions: temperature at ice without wind -70.1 °C is outside -70..+60 °C"},
        {"hot ice without wind", [](TProject &p, double v) { p.Klimat.Tgbw = v; }, 60, 60.1,
         "climatic conditions: temperature at ice without wind 60.1 °C is outside -70..+60 °C"},
        {"cold ice with wind", [](TProject &p, double v) { p.Klimat.TGsw = v; }, -70, -70.1,
         "climatic conditions: temperature at ice with wind -70.1 °C is outside -70..+60 °C"},
        {"hot ice with wind", [](TProject &p, double v) { p.Klimat.TGsw = v; }, 60, 60.1,
         "climatic conditions: temperature at ice with wind 60.1 °C is outside -70..+60 °C"},
        {"cold average", [](TProject &p, double v) { p.Klimat.Tsrec = v; }, -70, -70.1,
         "climatic conditions: average annual temperature -70.1 °C is outside -70..+60 °C"},
        {"hot average", [](TProject &p, double v) { p.Klimat.Tsrec = v; }, 60, 60.1,
         "climatic conditions: average annual temperature 60.1 °C is outside -70..+60 °C"},
        {"minimum above maximum", [](TProject &p, double v) { p.Klimat.TMin = v; p.Klimat.TMax = 10; }, 10, 10.5,
         "climatic conditions: minimum temperature 10.5 °C is above the maximum 10 °C"},
        {"wires at the ground", [](TProject &p, double v) { p.KlimatKoef.visotaPC = int(v); }, 1, 0,
         "climatic parameters and coefficients: height of the centre of gravity of the wires 0 m is outside 1..500 m"},
        {"wires in the clouds", [](TProject &p, double v) { p.KlimatKoef.visotaPC = int(v); }, 500, 501,
         "climatic parameters and coefficients: height of the centre of gravity of the wires 501 m is outside 1..500 m"},
        {"cords at the ground", [](TProject &p, double v) { p.KlimatKoef.visotaPC_tros = int(v); }, 1, 0,
         "climatic parameters and coefficients: height of the centre of gravity of the cords 0 m is outside 1..500 m"},
        {"cords in the clouds", [](TProject &p, double v) { p.KlimatKoef.visotaPC_tros = int(v); }, 500, 501,
         "climatic parameters and coefficients: height of the centre of gravity of the cords 501 m is outside 1..500 m"},
        {"terrain below A", [](TProject &p, double v) { p.KlimatKoef.TypeTer = int(v); }, 1, 0,
         "climatic parameters and coefficients: terrain type 0 is none of 1, 2, 3 (A, B, C)"},
        {"terrain beyond C", [](TProject &p, double v) { p.KlimatKoef.TypeTer = int(v); }, 3, 4,
         "climatic parameters and coefficients: terrain type 4 is none of 1, 2, 3 (A, B, C)"},
        {"wind responsibility", [](TProject &p, double v) { p.KlimatKoef.V_Otv = v; }, 0.001, 0,
         "climatic parameters and coefficients: responsibility coefficient to wind loads 0 is not above zero"},
        {"wind regional", [](TProject &p, double v) { p.KlimatKoef.V_Reg = v; }, 0.001, 0,
         "climatic parameters and coefficients: regional coefficient to wind loads 0 is not above zero"},
        {"wind reliability", [](TProject &p, double v) { p.KlimatKoef.V_Nad = v; }, 0.001, -1,
         "climatic parameters and coefficients: reliability coefficient to wind loads -1 is not above zero"},
        {"ice responsibility", [](TProject &p, double v) { p.KlimatKoef.G_Otv = v; }, 0.001, 0,
         "climatic parameters and coefficients: responsibility coefficient to ice loads 0 is not above zero"},
        {"ice regional", [](TProject &p, double v) { p.KlimatKoef.G_Reg = v; }, 0.001, 0,
         "climatic parameters and coefficients: regional coefficient to ice loads 0 is not above zero"},
        {"ice reliability", [](TProject &p, double v) { p.KlimatKoef.G_Nad = v; }, 0.001, 0,
         "climatic parameters and coefficients: reliability coefficient to ice loads 0 is not above zero"},
        {"ice operating conditions", [](TProject &p, double v) { p.KlimatKoef.G_Usl = v; }, 0.001, 0,
         "climatic parameters and coefficients: operating-conditions coefficient to ice loads 0 is not above zero"},
        {"wire maximum stress", [](TProject &p, double v) { Section(p).Napr_max = v; }, 0.01, 0,
         "section 1 \"Line\", wire: maximum permissible stress 0 daN/mm2 is not above zero"},
        {"wire average stress", [](TProject &p, double v) { Section(p).Napr_srg = v; }, 0.01, -9,
         "section 1 \"Line\", wire: stress at average annual temperature -9 daN/mm2 is not above zero"},
        {"wire maximum tension", [](TProject &p, double v) { auto &s = Section(p); s.TagMode = 1; s.Tag_max = v; s.Tag_srg = 700; }, 0.01, 0,
         "section 1 \"Line\", wire: maximum permissible tension 0 daN is not above zero"},
        {"wire average tension", [](TProject &p, double v) { auto &s = Section(p); s.TagMode = 1; s.Tag_max = 1000; s.Tag_srg = v; }, 0.01, 0,
         "section 1 \"Line\", wire: tension at average annual temperature 0 daN is not above zero"},
        {"cord maximum stress", [](TProject &p, double v) { auto &s = Section(p); s.TagModet = 0; s.Naprt_max = v; s.Naprt_srg = 9; }, 0.01, 0,
         "section 1 \"Line\", cord: maximum permissible stress 0 daN/mm2 is not above zero"},
        {"cord average stress", [](TProject &p, double v) { auto &s = Section(p); s.TagModet = 0; s.Naprt_max = 13; s.Naprt_srg = v; }, 0.01, 0,
         "section 1 \"Line\", cord: stress at average annual temperature 0 daN/mm2 is not above zero"},
        {"cord maximum tension", [](TProject &p, double v) { Section(p).Tagt_max = v; }, 0.01, 0,
         "section 1 \"Line\", cord: maximum permissible tension 0 daN is not above zero"},
        {"cord average tension", [](TProject &p, double v) { Section(p).Tagt_srg = v; }, 0.01, 0,
         "section 1 \"Line\", cord: tension at average annual temperature 0 daN is not above zero"},
    };
    // clang-format on
    {
        TProject sound;
        MakeSoundProject(sound);
        ASSERT_EQ(PlausibilityWarnings(sound), std::vector<std::string>());
    }
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(WarningsWith(c, c.Inside), std::vector<std::string>());
        std::vector<std::string> expected {c.Warning};
        if (c.Also)
            expected.push_back(c.Also);
        EXPECT_EQ(WarningsWith(c, c.Outside), expected);
    }
}

TEST_F(Plausibility, OnlyTheLimitsASectionUsesAreJudged)
{
    TProject project;
    MakeSoundProject(project);
    TParcel &s = Section(project);
    // Stresses chosen: the zeroed tensions are what saving leaves, not a slip.
    s.Tag_max = s.Tag_srg = 0;
    // Tensions chosen for the cord: its stresses are zeroed likewise.
    s.Naprt_max = s.Naprt_srg = 0;
    EXPECT_TRUE(PlausibilityWarnings(project).empty());
    // A conductor the section does not carry keeps whatever limits it had.
    s.IsProvod = false;
    s.Napr_max = s.Napr_srg = 0;
    s.IsTros = false;
    s.Tagt_max = s.Tagt_srg = -5;
    EXPECT_TRUE(PlausibilityWarnings(project).empty());
    s.IsTros = true;
    EXPECT_EQ(PlausibilityWarnings(project).size(), 2u);
}

TEST_F(Plausibility, LinesNameTheirPlaceInTheLanguageAndUnitsOfTheRun)
{
    TProject project;
    MakeSoundProject(project);
    auto second = std::make_unique<TParcel>();
    second->Name = "Crossing";
    second->Napr_max = -1.5;
    second->Napr_srg = 9;
    for (double span : {-250., 0., 300.}) {
        auto support = std::make_unique<TPillar>();
        support->Prolet = span;
        second->Pillars.Add(std::move(support));
    }
    project.Parcels.Add(std::move(second));
    project.Klimat.Tols = 1000;

    UseUnitSystem(TUnitSystem::KN);
    // Climate first, then the sections in order, each with its limits before its supports.
    EXPECT_EQ(PlausibilityWarnings(project),
              (std::vector<std::string> {
                  "climatic conditions: ice wall thickness 1000 mm is outside 0..100 mm",
                  "section 2 \"Crossing\", wire: maximum permissible stress -15 N/mm2 is not "
                  "above zero",
                  "section 2 \"Crossing\", support #1: span -250 m is negative",
                  "section 2 \"Crossing\", support #2: span of 0 m before the last support of "
                  "the section",
              }));

    UseLanguage(TLanguage::Russian);
    Section(project).TagModet = 1;
    Section(project).Tagt_max = -200;
    EXPECT_EQ(PlausibilityWarnings(project),
              (std::vector<std::string> {
                  "климатические условия: толщина стенки гололёда 1000 мм вне пределов 0..100 мм",
                  "участок 1 «Line», трос: максимальное допускаемое тяжение -2 кН не больше нуля",
                  "участок 2 «Crossing», провод: максимальное допускаемое напряжение -15 Н/мм2 "
                  "не больше нуля",
                  "участок 2 «Crossing», опора #1: пролёт -250 м отрицательный",
                  "участок 2 «Crossing», опора #2: пролёт 0 м не у последней опоры участка",
              }));
}

TEST_F(Plausibility, TheExampleProjectIsPlausible)
{
    TProject project;
    LoadProjectFile(kDemo, project);
    EXPECT_EQ(PlausibilityWarnings(project), std::vector<std::string>());
}
