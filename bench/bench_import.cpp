// The whole import of a school board's worth of rows into the source grid: reading the file,
// cutting it, handing the table to the grid and fitting the columns, for a 1,000,000-row,
// 8-column semicolon file of about 64 MB, next to `wc -l` on the same file in the same run.
// Also the text rules alone, and the peak memory of the load per input byte.
#include "bench/BenchExport.h"
#include "controls/StringGrid.h"
#include "csvimport/rules/FileRead.h"
#include "csvimport/rules/Table.h"

#include "bench/BenchExport.h"
#include <QApplication>

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace {

double wcSeconds(const std::string& file)
{
    const auto start = std::chrono::steady_clock::now();
    const std::string command = "wc -l '" + file + "' > /dev/null";
    if (std::system(command.c_str()) != 0)
        std::abort();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_TextRules(benchmark::State& state)
{
    const std::string& file = benchExportFile();
    const double bytes = static_cast<double>(std::filesystem::file_size(file));
    const std::string content = csv::readWholeFile(file, csv::OpenFailure::CannotOpen);
    for (auto _ : state) {
        core::CellTable table = csv::buildTable(content, csv::ImportChoices{}, 0);
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}

// Runs first, so that its peak is the process's peak above the baseline.
void BM_FullLoadIntoGrid(benchmark::State& state)
{
    const std::string& file = benchExportFile();
    const double bytes = static_cast<double>(std::filesystem::file_size(file));
    StringGrid grid;
    grid.resize(600, 400);
    const long baseline = peakKiB();
    double wc = 0;
    double load = 0;
    for (auto _ : state) {
        wc = wcSeconds(file);
        const auto start = std::chrono::steady_clock::now();
        grid.setTable(csv::buildTable(csv::readWholeFile(file, csv::OpenFailure::CannotOpen),
                                      csv::ImportChoices{}, 0));
        grid.fitColumns(10, 4);
        load = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(load);
        grid.setTable(core::CellTable(1, 2));
    }
    state.counters["MB/s"] = bytes / 1e6 / load;
    state.counters["wc_s"] = wc;
    state.counters["times_wc"] = load / wc;
    state.counters["peak_bytes_per_input_byte"] = (peakKiB() - baseline) * 1024.0 / bytes;
}

BENCHMARK(BM_FullLoadIntoGrid)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TextRules)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchExportFile();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
