// The results panel's model: what each change calculates again.
#include "app/results_model.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "test_sections.h"
#include "test_wires.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace vartesk;

namespace {

// Three sections of АС120/19 and ТК-9,1, the second with two strain sections.
void BuildProject(TProject &project)
{
    TKlimat &k = project.Klimat;
    k.Tols = 15, k.VMax = 29, k.Vwetsg = 15, k.TMin = -40, k.TGsw = k.Tgbw = -5, k.Tsrec = 3;
    test::AddTestSection(project, "A", {{0, 200}, {1, 240}, {0, 0}});
    test::AddTestSection(project, "B", {{0, 180}, {1, 220}, {0, 260}, {1, 230}, {0, 0}});
    test::AddTestSection(project, "C", {{0, 300}, {0, 0}}, false);
    for (int s = 0; s < 3; ++s)
        project.Parcels.Get(s).Pillars.Get(0).Visir = true;
}

// What the panel shows of a section's figures, in short.
std::string Digest(const TSectionResults &r)
{
    std::string out = r.Name;
    for (const TShownConductor *c : {&r.ShownWire, &r.ShownCord})
        for (const TShownStrainSection &s : c->StrainSections) {
            out += " " + s.RulingSpan + " " + s.Tension[0] + " " + s.Loads[0];
            for (const TShownSpan &span : s.Spans)
                out += " " + span.Sag[8];
        }
    return out;
}

struct TChangeCase
{
    const char *What;
    std::function<void(TProject &, TWiresList &)> Change;
    std::vector<int> Recalculated;
};

} // namespace

TEST(ResultsModel, AChangeRecalculatesOnlyTheSectionsItConcerns)
{
    RegisterAllStrings();
    const std::vector<TChangeCase> cases = {
        {"nothing", [](TProject &, TWiresList &) {}, {}},
        {"a span of section B",
         [](TProject &p, TWiresList &) { p.Parcels.Get(1).Pillars.Get(2).Prolet = 275; },
         {1}},
        {"an attestation in section C",
         [](TProject &p, TWiresList &) { p.Parcels.Get(2).Pillars.Get(0).Visir = false; },
         {2}},
        {"the name of section A",
         [](TProject &p, TWiresList &) { p.Parcels.Get(0).Name = "A2"; },
         {0}},
        {"the climate", [](TProject &p, TWiresList &) { p.Klimat.Tols = 20; }, {0, 1, 2}},
        {"the coefficients",
         [](TProject &p, TWiresList &) { p.KlimatKoef.visotaPC += 5; },
         {0, 1, 2}},
        {"the cord's catalog entry",
         [](TProject &, TWiresList &c) { c.GetRef(c.IndexOfName("ТК-9,1")).Weight = 0.5; },
         {0, 1}},
        {"a catalog entry no section uses",
         [](TProject &, TWiresList &c) {
             c.Add(test::MakeWire("АС70/11", 11.4, 79.3, 0.276, 8250, 1.92e-5));
         },
         {}},
        {"the unit system",
         [](TProject &, TWiresList &) { UseUnitSystem(TUnitSystem::KN); },
         {0, 1, 2}},
        {"the language",
         [](TProject &, TWiresList &) { UseLanguage(TLanguage::Russian); },
         {0, 1, 2}},
    };
    for (const TChangeCase &c : cases) {
        SCOPED_TRACE(c.What);
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        TProject project;
        BuildProject(project);
        TWiresList catalog = test::TestCatalog();
        TResultsModel model;
        for (int s = 0; s < 3; ++s)
            model.Section(project, catalog, s);
        c.Change(project, catalog);
        std::vector<int> recalculated;
        TResultsModel fresh;
        for (int s = 0; s < 3; ++s) {
            const long count = model.Calculations();
            const TSectionResults &r = model.Section(project, catalog, s);
            if (model.Calculations() != count)
                recalculated.push_back(s);
            EXPECT_EQ(Digest(r), Digest(fresh.Section(project, catalog, s))) << s;
        }
        EXPECT_EQ(recalculated, c.Recalculated);
        // The calculation works on copies: the project's own work fields stay untouched.
        for (const auto &p : project.Parcels)
            EXPECT_EQ(p->Pillars.Get(0).RulingSpan, 0);
    }
    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::DaN);
}
