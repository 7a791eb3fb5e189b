// The desktop program's window: from nothing to a usable window with the demo project, and the
// 10,000-support line opened and its first section shown. Runs on Qt's offscreen platform.
#include "base/freed_memory.h"
#include "catalog/wires_list.h"
#include "l10n/string_table.h"
#include "line_fixture.h"
#include "model/projectfile/project_file.h"
#include "ui/main_window_widget.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vartesk;

namespace {

void BM_StartWithDemo(benchmark::State &state)
{
    const std::filesystem::path demo = VARTESK_SOURCE_DIR "/examples/demo.vsk";
    TWiresList catalog = bench::LineCatalog();
    for (auto _ : state) {
        ui::TMainWindowWidget window(catalog);
        window.State().Start();
        window.RestoreWindowState();
        window.show();
        window.State().OpenProjectFile(demo);
        window.Refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StartWithDemo)->Unit(benchmark::kMillisecond);

void BM_OpenLargeLineInWindow(benchmark::State &state)
{
    TProject line;
    bench::BuildLine(line);
    const auto file = bench::ScratchPath("gui-bench.vsk");
    SaveProjectFile(file, line);
    TWiresList catalog = bench::LineCatalog();
    ui::TMainWindowWidget window(catalog);
    window.State().Start();
    window.State().Navigate(TPage::Sections);
    window.show();
    for (auto _ : state) {
        window.State().OpenProjectFile(file);
        window.Refresh();
        QApplication::processEvents();
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_OpenLargeLineInWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    KeepFreedMemory(); // as the desktop program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    RegisterAllStrings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
