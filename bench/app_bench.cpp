// The main window's state over the 10,000-support line: opening the project and showing its
// first section, and one undoable edit (snapshot, change, comparison).
#include "app/main_window.h"
#include "cad/drawing.h"
#include "l10n/string_table.h"
#include "line_fixture.h"
#include "model/projectfile/project_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vartesk;

namespace {

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
    void Begin(const std::string &, int) override { }
    void Step() override { }
    void End() override { }
    void Open(const std::filesystem::path &) override { }
    bool AskSaveProject() override { return false; }
    bool ShowSectionEditor(TFormParcel &) override { return true; }
    bool ShowSupportEditor(TFormPillar &) override { return true; }
    bool ShowSectionDampers(TFormParcelVM &) override { return true; }
    std::optional<TWireRecord> SelectFromCatalog(TFormWiresBase &) override { return {}; }
    void ShowCatalog(TFormWiresBase &) override { }
    bool ShowWireEntry(TFormWiresEdit &) override { return true; }
    std::optional<TLanguage> ChooseLanguage(TLanguage) override { return {}; }
    std::optional<TUnitSystem> ChooseUnits(TUnitSystem) override { return {}; }
    void ShowAbout() override { }
    void ShowScheme(TDrawing) override { }
    TAppPort Port() { return {*this, *this, *this, *this, *this, *this}; }
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

} // namespace
