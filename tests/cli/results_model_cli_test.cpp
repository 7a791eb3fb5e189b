// The desktop's results panel against vartesk calc --format json: every figure the panel holds
// is the document's, and every text it shows is that figure in its template's number format.
#include "cli_support.h"
#include "json_reader.h"
#include "test_support.h"

#include "app/results_model.h"
#include "base/text_formats.h"
#include "calc/temperature_grid.h"
#include "catalog/working_catalog.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "mechanics/critical_spans.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace vartesk;
using namespace vartesk::test;

namespace {

const std::filesystem::path kSource = VARTESK_SOURCE_DIR;
const std::string kTestCatalog = std::string(VARTESK_TEST_DATA) + "/data/calc/calc_catalog.txt";

// Every key, number, flag and text of a value in document order.
void Flatten(const TJson &j, std::vector<std::string> &out)
{
    switch (j.Kind) {
    case TJson::Null:
        return out.push_back("null");
    case TJson::Bool:
        return out.push_back(j.Flag ? "true" : "false");
    case TJson::Number:
        return out.push_back(RoundTripNumber(j.Value));
    case TJson::String:
        return out.push_back(j.Text);
    case TJson::Array:
        for (const auto &item : j.Items)
            Flatten(item, out);
        return;
    case TJson::Object:
        for (const auto &[key, value] : j.Members) {
            out.push_back(key);
            Flatten(value, out);
        }
    }
}

// The same of one strain section as the model holds it, in the document's order.
std::vector<std::string> Flatten(const TCalcResult &r)
{
    std::vector<std::string> out;
    const auto put = [&](std::initializer_list<std::string> items) {
        out.insert(out.end(), items);
    };
    const auto grid = [&](const TGrid &g) {
        for (double v : g)
            out.push_back(RoundTripNumber(v));
    };
    const auto number = [](double v) {
        return RoundTripNumber(v);
    };
    put({"first", number(r.First), "last", number(r.Last), "label", r.Label});
    put({"length", number(r.Length), "ruling_span", number(r.RulingSpan), "ice", number(r.Ice)});
    put({"stress_max", number(r.StressMax), "stress_avg", number(r.StressAvg), "loads"});
    put({"gamma1", number(r.Loads.gamma1), "gamma6", number(r.Loads.gamma6)});
    put({"gamma7", number(r.Loads.gamma7), "gamma_max", number(r.Loads.gammaMax)});
    out.push_back("critical_spans");
    if (r.Critical) {
        for (double l : {r.Critical->L1, r.Critical->L2, r.Critical->L3})
            out.push_back(IsImaginarySpan(l) ? "null" : number(l));
    } else {
        out.push_back("null");
    }
    const bool state = r.Critical && r.State != TGoverningState::None;
    put({"state", state ? number(int(r.State)) : "null", "spans"});
    for (const TSpanResult &s : r.Spans) {
        put({"from", s.From, "to", s.To, "length", number(s.Length), "attested"});
        put({s.Attested ? "true" : "false", "stress"});
        grid(s.Stress);
        out.push_back("sag");
        grid(s.Sag);
        out.push_back("tension");
        grid(s.Tension);
    }
    out.push_back("tension");
    grid(r.Tension);
    out.push_back("anchor_loads");
    for (const TLoadCase &lc : r.LoadCases)
        out.push_back(number(lc.Tension));
    put({"error", r.Error.value_or("null")});
    return out;
}

// The texts, from the document's numbers in the templates' formats and the run's units.
void ExpectTexts(const TJson &j, const TShownStrainSection &s)
{
    if (s.Reason) {
        EXPECT_EQ(*s.Reason, j["error"].Kind == TJson::String ? j["error"].Text : s.Reason.value());
        EXPECT_TRUE(j["error"].Kind == TJson::String || j["state"].Kind == TJson::Null);
        return;
    }
    const auto fixed = [](const TJson &v, int decimals, double factor = 1) {
        return v.Kind == TJson::Null ? LocalString("Res_imaginary")
                                     : SheetFixedNumber(v.Value * factor, decimals);
    };
    EXPECT_EQ(s.Length + " " + s.RulingSpan,
              fixed(j["length"], 2) + " " + fixed(j["ruling_span"], 2));
    const char *gammas[] = {"gamma1", "gamma6", "gamma7"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(s.Critical[i], fixed(j["critical_spans"][i], 2));
        EXPECT_EQ(s.Loads[i],
                  SheetScientificNumber(j["loads"][gammas[i]].Value * StressFactor(), 2));
    }
    const TJson &last = j["spans"].Items.back();
    for (size_t k = 0; k < 9; ++k) {
        EXPECT_EQ(s.Tension[k],
                  fixed(j["tension"][k], UnitSystem() == TUnitSystem::DaN ? 0 : 2, ForceFactor()));
        if (!s.Stress[k].empty()) {
            EXPECT_EQ(s.Stress[k], fixed(last["stress"][k], 1, StressFactor()));
        }
    }
    std::vector<std::string> attested, shown;
    for (const TJson &span : j["spans"].Items)
        if (span["attested"].Flag) {
            attested.push_back(span["from"].Text + "-" + span["to"].Text + " "
                               + fixed(span["length"], 2));
            for (const TJson &f : span["sag"].Items)
                attested.back() += " " + fixed(f, 2);
        }
    for (const TShownSpan &span : s.Spans) {
        shown.push_back(span.Label + " " + span.Length);
        for (const std::string &f : span.Sag)
            shown.back() += " " + f;
    }
    EXPECT_EQ(shown, attested);
}

void ExpectConductor(const TJson &j,
                     const std::optional<TConductorRun> &run,
                     const TShownConductor &shown,
                     int section)
{
    ASSERT_EQ(j.Kind == TJson::Null, !run);
    EXPECT_EQ(shown.Reason.has_value(), !run || run->StrainSections.empty());
    if (!run)
        return;
    EXPECT_EQ(j["type"].Text, run->Type);
    const auto &items = j["strain_sections"].Items;
    ASSERT_EQ(items.size(), run->StrainSections.size());
    ASSERT_EQ(items.size(), shown.StrainSections.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(run->StrainSections[i].Label);
        EXPECT_EQ(run->StrainSections[i].Result.Section, section);
        std::vector<std::string> document;
        Flatten(items[i], document);
        EXPECT_EQ(Flatten(run->StrainSections[i].Result), document);
        ExpectTexts(items[i], shown.StrainSections[i]);
    }
}

// A line of a few sections, each drawn from `seed`: anchors, dead ends and attested spans
// anywhere, now and then a span of 0 m, insulator strings, over-tensioning, limits given as
// tensions, equal limits, a cord-only section.
void WriteGeneratedProject(const std::filesystem::path &path, unsigned seed)
{
    TProject project;
    LoadProjectFile(kSource / "examples" / "demo.vsk", project);
    project.Parcels.Clear();
    std::mt19937 rng(seed);
    const auto pick = [&](int lo, int hi) {
        return lo + int(rng() % unsigned(hi - lo + 1));
    };
    for (int s = 0; s < 4; ++s) {
        auto p = std::make_unique<TParcel>();
        p->Name = "Generated " + std::to_string(s + 1);
        p->IsProvod = s != 3, p->Provod = p->IsProvod ? "АС120/19" : "", p->TagMode = pick(0, 1);
        p->Napr_max = pick(9, 14), p->Napr_srg = pick(0, 5) ? p->Napr_max * 0.7 : p->Napr_max;
        p->Tag_max = p->Napr_max * 136.8, p->Tag_srg = p->Napr_srg * 136.8;
        p->IsTros = s == 3 || pick(0, 1), p->Tros = "ТК-9,1";
        p->Naprt_max = pick(30, 60), p->Naprt_srg = p->Naprt_max * 0.65;
        p->IsGis = !pick(0, 2), p->Ves_Gis = 55, p->Dlina_Gis = 1.4;
        p->IsVitygka = pick(0, 1), p->Pp = pick(0, 6), p->Pt = pick(0, 6);
        const int supports = pick(5, 40);
        for (int i = 0; i < supports; ++i) {
            auto pillar = std::make_unique<TPillar>();
            pillar->Nomer = std::to_string(i + 1);
            pillar->Prolet = i + 1 == supports || !pick(0, 40) ? 0 : pick(60, 450);
            const int type = i == 0 ? 0 : pick(0, 9);
            pillar->Tip_Opor = TSupportType(type < 3 ? 0 : type == 3 ? 2 : 1);
            pillar->Visir = !pick(0, 2);
            p->Pillars.Add(std::move(pillar));
        }
        project.Parcels.Add(std::move(p));
    }
    SaveProjectFile(path, project);
}

} // namespace

TEST(ResultsModelAgainstCalcJson, EveryFigureIsTheDocumentsAndEveryTextItsTemplateForm)
{
    TScratchDir dir;
    const std::string demo = (kSource / "examples" / "demo.vsk").string();
    const std::string shipped
        = (std::filesystem::path(VARTESK_CLI).parent_path() / "base_provod.dat").string();
    // Project, catalog, language and units; the demo's cord is missing from the test catalog,
    // so every cord strain section there has its reason.
    std::vector<std::tuple<std::string, std::string, TLanguage, TUnitSystem>> cases = {
        {demo, shipped, TLanguage::English, TUnitSystem::DaN},
        {demo, kTestCatalog, TLanguage::English, TUnitSystem::KN},
        {(kSource / "examples" / "north-opgw.vsk").string(),
         shipped,
         TLanguage::Russian,
         TUnitSystem::KN},
    };
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const auto path = dir / ("generated-" + std::to_string(seed) + ".vsk");
        WriteGeneratedProject(path, seed);
        cases.emplace_back(path.string(),
                           kTestCatalog,
                           seed % 2 ? TLanguage::English : TLanguage::Russian,
                           seed % 3 ? TUnitSystem::DaN : TUnitSystem::KN);
    }
    RegisterAllStrings();
    for (const auto &[file, catalog, language, units] : cases) {
        SCOPED_TRACE(file + " with " + catalog);
        const char *lang = language == TLanguage::English ? "en" : "ru";
        const TRunResult run
            = RunCli({"calc", file, "--catalog", catalog, "--lang", lang, "--format", "json"});
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        const TJson doc = ParseJson(run.Out);
        UseLanguage(language);
        UseUnitSystem(units);
        (void)LoadCatalogFile(catalog);
        TProject project;
        LoadProjectFile(file, project);
        TResultsModel model;
        ASSERT_EQ(doc["sections"].Items.size(), size_t(project.Parcels.Count()));
        for (int i = 0; i < project.Parcels.Count(); ++i) {
            SCOPED_TRACE("section " + std::to_string(i));
            const TSectionResults &r = model.Section(project, WireCatalog(), i);
            const TJson &s = doc["sections"][size_t(i)];
            EXPECT_EQ(r.Name, s["name"].Text);
            ExpectConductor(s["wire"], r.Wire, r.ShownWire, i);
            ExpectConductor(s["cord"], r.Cord, r.ShownCord, i);
        }
    }
    UseLanguage(TLanguage::English);
    UseUnitSystem(TUnitSystem::DaN);
}
