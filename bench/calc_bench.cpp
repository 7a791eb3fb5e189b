// The section calculation over a whole generated line: every strain section, both conductors.
#include "calc/calc_section.h"
#include "calc/strain_sections.h"
#include "catalog/wires_list.h"
#include "line_fixture.h"
#include "model/project.h"

#include <benchmark/benchmark.h>

using namespace vartesk;
using vartesk::bench::BuildLine;
using vartesk::bench::kSections;
using vartesk::bench::kSupportsPerSection;

namespace {

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
    const TWiresList catalog = bench::LineCatalog();
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
