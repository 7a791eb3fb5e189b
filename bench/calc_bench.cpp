// The section calculation over a whole generated line: every strain section, both conductors.
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "catalog/wires_list.h"
#include "model/project.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace vartesk;

namespace {

constexpr int kSections = 50;
constexpr int kSupportsPerSection = 200;

TWireRecord Wire(const char *name, double d, double f, double w, double e, double alpha)
{
    TWireRecord r;
    r.Name = name;
    r.Diameter = d;
    r.Section = f;
    r.Weight = w;
    r.Modulus = e;
    r.ThermalCoef = alpha;
    r.Group = 1;
    return r;
}

// 10,000 supports in 50 sections; anchors 3..8 supports apart and spans of 150..300 m, from
// a fixed seed so that every run calculates the same line.
void BuildLine(TProject &project)
{
    TKlimat &k = project.Klimat;
    k.Tols = 15;
    k.VMax = 29;
    k.Vwetsg = 15;
    k.TMin = -40;
    k.TMax = 35;
    k.Tgbw = -5;
    k.TGsw = -5;
    k.Tsrec = 3;
    std::mt19937 rng(20240601);
    auto between = [&](int lo, int hi) {
        return lo + int(rng() % unsigned(hi - lo + 1));
    };
    for (int s = 0; s < kSections; ++s) {
        auto parcel = std::make_unique<TParcel>();
        parcel->Name = "Section " + std::to_string(s + 1);
        parcel->IsProvod = true;
        parcel->Provod = "АС120/19";
        parcel->Napr_max = 13;
        parcel->Napr_srg = 9;
        parcel->IsTros = true;
        parcel->Tros = "ТК-9,1";
        parcel->Naprt_max = 60;
        parcel->Naprt_srg = 40;
        int nextAnchor = 0;
        for (int i = 0; i < kSupportsPerSection; ++i) {
            auto pillar = std::make_unique<TPillar>();
            pillar->Nomer = std::to_string(s * kSupportsPerSection + i + 1);
            pillar->Prolet = between(150, 300);
            const bool anchor = i == nextAnchor || i == kSupportsPerSection - 1;
            if (anchor)
                nextAnchor = i + between(3, 8);
            pillar->Tip_Opor = anchor ? TSupportType::Strain : TSupportType::Intermediate;
            pillar->Visir = i % 4 == 1;
            parcel->Pillars.Add(std::move(pillar));
        }
        project.Parcels.Add(std::move(parcel));
    }
}

// Returns the number of calls that ended with a message: a sound line has none.
int CalcLine(TProject &project, const TWiresList &catalog, TCalcMode mode)
{
    int failed = 0;
    for (int s = 0; s < project.Parcels.Count(); ++s) {
        const TParcel &p = project.Parcels.Get(s);
        for (const auto &ss : WireStrainSections(p))
            failed += CalcSection(project, catalog, mode, s, TConductor::Wire, ss).Error ? 1 : 0;
        for (const auto &ss : CordStrainSections(p))
            failed += CalcSection(project, catalog, mode, s, TConductor::Cord, ss).Error ? 1 : 0;
    }
    return failed;
}

void BM_CalcLine(benchmark::State &state)
{
    TProject project;
    BuildLine(project);
    TWiresList catalog;
    catalog.Add(Wire("АС120/19", 15.2, 136.8, 0.471, 8250, 1.92E-5));
    catalog.Add(Wire("ТК-9,1", 9.1, 48.64, 0.417, 20000, 1.2E-5));
    const auto mode = TCalcMode(state.range(0));
    if (const int failed = CalcLine(project, catalog, mode)) {
        state.SkipWithError((std::to_string(failed) + " calls failed").c_str());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcLine(project, catalog, mode));
    int strainSections = 0, spans = 0;
    for (int s = 0; s < project.Parcels.Count(); ++s) {
        const TParcel &p = project.Parcels.Get(s);
        for (const auto &list : {WireStrainSections(p), CordStrainSections(p)})
            for (const auto &ss : list) {
                ++strainSections;
                spans += ss.Last - ss.First;
            }
    }
    state.counters["supports"] = kSections * kSupportsPerSection;
    state.counters["calls"] = strainSections;
    state.counters["spans"] = spans;
}

BENCHMARK(BM_CalcLine)
    ->Arg(int(TCalcMode::Journal))
    ->Arg(int(TCalcMode::Loads))
    ->Unit(benchmark::kMillisecond);

} // namespace
