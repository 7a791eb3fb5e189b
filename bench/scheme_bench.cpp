// The line scheme of a 10,000-support line: every strain section calculated in CAD mode, every
// support drawn, the DXF written.
#include "catalog/wires_list.h"
#include "line_fixture.h"
#include "model/project.h"
#include "reports/line_scheme.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vartesk;

namespace {

void BM_Scheme(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject project;
    bench::BuildLine(project);
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path target = bench::ScratchPath("scheme-bench.dxf");
    bench::TMessageCounter messages;
    for (auto _ : state) {
        const TSchemeOutcome outcome = ExportScheme(project, catalog, target, messages);
        if (!outcome.Written || !outcome.Complete || messages.Told > 0) {
            state.SkipWithError("the scheme did not come out whole");
            break;
        }
    }
    bench::CountBytesAndRemove(state, target);
}

BENCHMARK(BM_Scheme)->Unit(benchmark::kMillisecond);

} // namespace
