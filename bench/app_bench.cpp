// The main window's state over the 10,000-support line: opening the project and showing its
// first section (with its results), one undoable edit (snapshot, change, comparison), and one
// edited span with its section's results calculated again.
#include "app/main_window.h"
#include "base/freed_memory.h"
#include "cad/drawing.h"
#include "l10n/string_table.h"
#include "line_fixture.h"
#include "model/projectfile/project_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vartesk;

namespace {

// The process keeps its freed memory as the desktop program's does.
[[maybe_unused]] const bool kFreedMemoryKept = (KeepFreedMemory(), true);

// A person who is never asked anything: every window closes at once with OK.
class TSilentPort : public TMessages,
                    public TFileChooser,
                    public TOpenChooser,
                    public TWaitWindow,
                    public TDesktop,
                    public TAppDialogs
{
public:
    void Tell(TMessageKind, const std::string &) override { }
    bool Ask(const std::string &) override { return true; }
    std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &) override { return {}; }
    std::optional<std::filesystem::path> ChooseOpen(const TSaveRequest &) override { return {}; }
    std::optional<std::filesystem::path> ChooseFolder(const TSaveRequest &) override { return {}; }
    void Begin(const std::string &, int) override { }
    void Step() override { }
    void End() override { }
    void Open(const std::filesystem::path &) override { }
    bool AskSaveProject() override { return false; }
    bool ShowSectionEditor(TFormParcel &) override { return true; }
    bool ShowSupportEditor(TFormPillar &editor) override
    {
        if (!SpanTyped.empty())
            editor.Prolet = SpanTyped;
        return true;
    }
    bool ShowSectionDampers(TFormParcelVM &) override { return true; }
    std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &) override { return {}; }
    void ShowCatalog(TFormWiresBase &) override { }
    bool ShowWireEntry(TFormWiresEdit &) override { return true; }
    std::optional<TLanguage> ChooseLanguage(TLanguage) override { return {}; }
    std::optional<TUnitSystem> ChooseUnits(TUnitSystem) override { return {}; }
    void ShowAbout() override { }
    void ShowScheme(TDrawing) override { }
    void ShowGuide(const std::string &) override { }
    void
    ShowCurves(const TProject &, const TWiresList &, const std::filesystem::path &, int) override
    { }
    TAppPort Port() { return {*this, *this, *this, *this, *this, *this}; }

    std::string SpanTyped; // what the support editor gets typed into its span, if anything
};

// The line's project file, written once and removed when the program ends.
std::filesystem::path LineFile()
{
    struct TLineFile
    {
        std::filesystem::path Path = bench::ScratchPath("app-bench.vsk");
        TLineFile()
        {
            TProject project;
            bench::BuildLine(project);
            SaveProjectFile(Path, project);
        }
        ~TLineFile()
        {
            std::error_code ec;
            std::filesystem::remove(Path, ec);
        }
    };
    static const TLineFile file;
    return file.Path;
}

void BM_OpenLargeProject(benchmark::State &state)
{
    RegisterAllStrings();
    const auto file = LineFile();
    TSilentPort silent;
    TAppPort port = silent.Port();
    TWiresList catalog = bench::LineCatalog();
    for (auto _ : state) {
        TFormMain window(port, catalog);
        window.Start();
        window.Navigate(TPage::Sections);
        window.OpenProjectFile(file);
        benchmark::DoNotOptimize(window.SupportRows.data());
    }
}
BENCHMARK(BM_OpenLargeProject)->Unit(benchmark::kMillisecond);

void BM_OpenLargeProjectWithResults(benchmark::State &state)
{
    RegisterAllStrings();
    const auto file = LineFile();
    TSilentPort silent;
    TAppPort port = silent.Port();
    TWiresList catalog = bench::LineCatalog();
    for (auto _ : state) {
        TFormMain window(port, catalog);
        window.Start();
        window.Navigate(TPage::Sections);
        window.OpenProjectFile(file);
        benchmark::DoNotOptimize(window.CurrentResults());
    }
}
BENCHMARK(BM_OpenLargeProjectWithResults)->Unit(benchmark::kMillisecond);

void BM_UndoableSupportEdit(benchmark::State &state)
{
    RegisterAllStrings();
    TSilentPort silent;
    TAppPort port = silent.Port();
    TWiresList catalog = bench::LineCatalog();
    TFormMain window(port, catalog);
    window.Start();
    window.OpenProjectFile(LineFile());
    // Every step snapshots the project and compares it after the change, whatever changed.
    for (auto _ : state)
        window.ActPillarEdit();
}
BENCHMARK(BM_UndoableSupportEdit)->Unit(benchmark::kMillisecond);

// A span of the first section (200 supports) typed anew in the support editor: the undoable
// step over the whole line, then that section's results calculated again.
void BM_EditSpanRefreshesResults(benchmark::State &state)
{
    RegisterAllStrings();
    TSilentPort silent;
    TAppPort port = silent.Port();
    TWiresList catalog = bench::LineCatalog();
    TFormMain window(port, catalog);
    window.Start();
    window.Navigate(TPage::Sections);
    window.OpenProjectFile(LineFile());
    window.SelectPillars(100, 100);
    benchmark::DoNotOptimize(window.CurrentResults());
    const long before = window.Results.Calculations();
    int edits = 0;
    for (auto _ : state) {
        silent.SpanTyped = edits++ % 2 ? "210" : "240";
        window.ActPillarEdit();
        benchmark::DoNotOptimize(window.CurrentResults());
    }
    if (window.Results.Calculations() - before != edits)
        state.SkipWithError("each edit must calculate its section again, and only that");
}
BENCHMARK(BM_EditSpanRefreshesResults)->Unit(benchmark::kMillisecond);

// The same refresh alone: the section's results after its span changed.
void BM_SectionResultsAfterASpanChange(benchmark::State &state)
{
    RegisterAllStrings();
    TProject line;
    bench::BuildLine(line);
    const TWiresList catalog = bench::LineCatalog();
    TResultsModel model;
    TPillar &support = line.Parcels.Get(0).Pillars.Get(100);
    int edits = 0;
    for (auto _ : state) {
        support.Prolet = edits++ % 2 ? 210 : 240;
        benchmark::DoNotOptimize(&model.Section(line, catalog, 0));
    }
}
BENCHMARK(BM_SectionResultsAfterASpanChange)->Unit(benchmark::kMillisecond);

} // namespace
