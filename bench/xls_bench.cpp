// Spreadsheet engine speed: write and read back 20 sheets x 5,000 rows x 30 cells
// (numbers and texts), the workbook of issue 5. Reports cells/s and bytes/s of the file.
#include "xls/xls_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

constexpr int kSheets = 20, kRows = 5000, kCols = 30;
constexpr std::int64_t kCells = std::int64_t(kSheets) * kRows * kCols;

fs::path BenchFile()
{
    return fs::temp_directory_path() / ("vartesk-xls-bench-" + std::to_string(::getpid()) + ".xls");
}

void Fill(TXLSFile &file)
{
    for (int s = 0; s < kSheets; ++s) {
        if (s > 0)
            file.Sheets().Add("P_" + std::to_string(s));
        TCells &cells = file.Sheets().Item(s).Cells();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                TCell cell = cells.Item(r, c);
                if (c % 2)
                    cell.SetValue(r * 0.25 + c);
                else // 10,000 different texts, Cyrillic and Latin, reused across sheets
                    cell.SetValue((c % 4 ? "Пролёт " : "Span ")
                                  + std::to_string((r * kCols + c) % 10000));
            }
    }
}

void BM_XlsWrite(benchmark::State &state)
{
    const fs::path path = BenchFile();
    for (auto _ : state) {
        TXLSFile file;
        Fill(file);
        file.SaveAs(path);
    }
    const auto bytes = std::int64_t(fs::file_size(path));
    state.SetItemsProcessed(state.iterations() * kCells);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MB"] = double(bytes) / 1e6;
    fs::remove(path);
}

void BM_XlsRead(benchmark::State &state)
{
    const fs::path path = BenchFile();
    {
        TXLSFile file;
        Fill(file);
        file.SaveAs(path);
    }
    const auto bytes = std::int64_t(fs::file_size(path));
    for (auto _ : state) {
        TXLSFile file;
        file.OpenFile(path);
        benchmark::DoNotOptimize(file.Sheets().Item(kSheets - 1).Cells().Count());
    }
    state.SetItemsProcessed(state.iterations() * kCells);
    state.SetBytesProcessed(state.iterations() * bytes);
    fs::remove(path);
}

} // namespace

BENCHMARK(BM_XlsWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_XlsRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
