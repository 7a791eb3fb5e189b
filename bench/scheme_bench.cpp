// The line scheme of a 10,000-support line: every strain section calculated in CAD mode, every
// support drawn, the DXF written.
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "line_fixture.h"
#include "model/project.h"
#include "reports/line_scheme.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace vartesk;

namespace {

// Messages would only mean the line is broken; the benchmark then stops with them.
class TCounter : public TMessages
{
public:
    int Told = 0;
    void Tell(TMessageKind, const std::string &) override { ++Told; }
    bool Ask(const std::string &) override { return true; }
};

void BM_Scheme(benchmark::State &state)
{
    RegisterAllStrings();
    UseLanguage(TLanguage::Russian);
    UseUnitSystem(TUnitSystem::DaN);
    TProject project;
    bench::BuildLine(project);
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path target = std::filesystem::temp_directory_path()
        / ("vartesk-scheme-bench-" + std::to_string(::getpid()) + ".dxf");
    TCounter messages;
    for (auto _ : state) {
        const TSchemeOutcome outcome = ExportScheme(project, catalog, target, messages);
        if (!outcome.Written || !outcome.Complete || messages.Told > 0) {
            state.SkipWithError("the scheme did not come out whole");
            break;
        }
    }
    std::error_code ec;
    state.counters["bytes"] = double(std::filesystem::file_size(target, ec));
    std::filesystem::remove(target, ec);
}

BENCHMARK(BM_Scheme)->Unit(benchmark::kMillisecond);

} // namespace
