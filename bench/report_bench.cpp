// The four workbooks of the stringing tables and the anchor loads, the journal of supports and
// the field sagging sheet over a 10,000-support line, from the shipped templates to the saved
// file.
#include "catalog/wires_list.h"
#include "l10n/folders.h"
#include "line_fixture.h"
#include "model/project.h"
#include "reports/damper_report.h"
#include "reports/journal_report.h"
#include "reports/line_scheme.h"
#include "reports/sagging_report.h"
#include "reports/stringing_report.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/resource.h>

using namespace vartesk;

namespace {

void BM_Report(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject project;
    bench::BuildLine(project);
    const TWiresList catalog = bench::LineCatalog();
    const auto report = TStringingReport(state.range(0));
    const std::filesystem::path target = bench::ScratchPath("report-bench.xls");
    bench::TMessageCounter messages;
    for (auto _ : state) {
        const TReportOutcome outcome
            = WriteStringingReport(report, project, catalog, FormsFolder(), target, messages);
        if (!outcome.Written || !outcome.Complete || messages.Told > 0) {
            state.SkipWithError("the report did not come out whole");
            break;
        }
    }
    bench::CountBytesAndRemove(state, target);
}

// The field sagging sheet: every span of wire and cord at seventeen temperatures. The
// calculation changes only the project's work fields, so one copy serves every run.
void BM_Sagging(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject project;
    bench::BuildLine(project);
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path target = bench::ScratchPath("sagging-bench.xls");
    bench::TMessageCounter messages;
    for (auto _ : state) {
        const TReportOutcome outcome
            = WriteSaggingReport(project, catalog, FormsFolder(), target, messages);
        if (!outcome.Written || !outcome.Complete || messages.Told > 0) {
            state.SkipWithError("the sagging sheet did not come out whole");
            break;
        }
    }
    bench::CountBytesAndRemove(state, target);
}

// Form 2 of one long section: its blocks and the rows its span lines open must cost the same
// per support however long the section is.
void BM_CompactSection(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject project;
    bench::BuildLine(project, 1, int(state.range(0)));
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path target = bench::ScratchPath("compact-bench.xls");
    bench::TMessageCounter messages;
    for (auto _ : state) {
        const TReportOutcome outcome = WriteStringingReport(
            TStringingReport::Form2, project, catalog, FormsFolder(), target, messages);
        if (!outcome.Written || !outcome.Complete || messages.Told > 0) {
            state.SkipWithError("the report did not come out whole");
            break;
        }
    }
    bench::CountBytesAndRemove(state, target);
}

// The journal changes the project (the last spans become 0), so each run starts from a copy.
void BM_Journal(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject line;
    bench::BuildLine(line);
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path target = bench::ScratchPath("journal-bench.xls");
    bench::TMessageCounter messages;
    for (auto _ : state) {
        state.PauseTiming();
        TProject project;
        project.Assign(line);
        state.ResumeTiming();
        const TReportOutcome outcome
            = WriteJournal(project, catalog, FormsFolder(), target, messages);
        if (!outcome.Written || !outcome.Complete || messages.Told > 0) {
            state.SkipWithError("the journal did not come out whole");
            break;
        }
    }
    bench::CountBytesAndRemove(state, target);
}

// What `vartesk report all` writes: the four workbooks, the journal, the sagging sheet and the
// scheme, each from a copy of the project as loaded; peak memory of the whole process, in MB.
void BM_AllOutputs(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject line;
    bench::BuildLine(line);
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path folder = bench::ScratchPath("all-bench");
    std::filesystem::create_directories(folder);
    bench::TMessageCounter messages;
    for (auto _ : state) {
        bool whole = true;
        for (const auto report : {TStringingReport::Form1,
                                  TStringingReport::Form1Full,
                                  TStringingReport::Form2,
                                  TStringingReport::Loads}) {
            TProject project;
            project.Assign(line);
            whole = whole
                && WriteStringingReport(
                       report, project, catalog, FormsFolder(), folder / "r.xls", messages)
                       .Complete;
        }
        TProject journal;
        journal.Assign(line);
        whole = whole
            && WriteJournal(journal, catalog, FormsFolder(), folder / "j.xls", messages).Complete;
        TProject sagging;
        sagging.Assign(line);
        whole = whole
            && WriteSaggingReport(sagging, catalog, FormsFolder(), folder / "g.xls", messages)
                   .Complete;
        TProject scheme;
        scheme.Assign(line);
        whole = whole && ExportScheme(scheme, catalog, folder / "s.dxf", messages).Complete;
        if (!whole || messages.Told > 0) {
            state.SkipWithError("an output did not come out whole");
            break;
        }
    }
    struct rusage usage
    { };
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

// The damper report with every section's wire and cord switched on; the calculation leaves
// the project as it found it apart from its work records, so one copy serves every run.
void BM_Dampers(benchmark::State &state)
{
    bench::UseReportSettings();
    TProject project;
    bench::BuildLine(project);
    project.VMData.IsVibroMuffles = true;
    for (auto &p : project.Parcels) {
        p->IsVMCalcProvod = true;
        p->IsVMCalcTros = p->IsTros;
    }
    const TWiresList catalog = bench::LineCatalog();
    const std::filesystem::path target = bench::ScratchPath("dampers-bench.xls");
    bench::TMessageCounter messages;
    for (auto _ : state) {
        const TReportOutcome outcome
            = WriteDamperReport(project, catalog, FormsFolder(), target, messages);
        if (!outcome.Written || !outcome.Complete) {
            state.SkipWithError("the damper report did not come out whole");
            break;
        }
    }
    state.counters["messages"] = double(messages.Told);
    bench::CountBytesAndRemove(state, target);
}

BENCHMARK(BM_Journal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sagging)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dampers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllOutputs)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_CompactSection)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_Report)
    ->Arg(int(TStringingReport::Form1))
    ->Arg(int(TStringingReport::Form1Full))
    ->Arg(int(TStringingReport::Form2))
    ->Arg(int(TStringingReport::Loads))
    ->Unit(benchmark::kMillisecond);

} // namespace
