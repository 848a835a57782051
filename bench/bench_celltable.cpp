// The cell table at the size the program must handle: 1,000,000 rows of 8 fields from a
// 64 MB file. Building through the Builder (fields cut with memchr, as the import does),
// marking and unmarking every cell, permuting all rows and moving a column.
#include "core/CellTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kRows = 1'000'000;
constexpr int kCols = 8;
constexpr size_t kCells = size_t(kRows) * kCols;

// Semicolon-separated rows, CR LF line ends, fields of 3 to 11 bytes: about 64 MB.
const std::string& fileBytes()
{
    static const std::string bytes = [] {
        std::mt19937 random(42);
        std::string text;
        text.reserve(size_t(68) << 20);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                const int length = 3 + static_cast<int>(random() % 9);
                for (int i = 0; i < length; ++i)
                    text += static_cast<char>('a' + random() % 26);
                text += c + 1 < kCols ? ';' : '\r';
            }
            text += '\n';
        }
        return text;
    }();
    return bytes;
}

core::CellTable build(std::string bytes)
{
    core::CellTable::Builder builder(0, std::move(bytes));
    char* data = builder.buffer().data();
    const size_t size = builder.buffer().size();
    size_t pos = 0;
    while (pos < size) {
        const char* nl = static_cast<const char*>(std::memchr(data + pos, '\n', size - pos));
        size_t end = nl ? static_cast<size_t>(nl - data) : size;
        const size_t next = end + 1;
        if (end > pos && data[end - 1] == '\r')
            --end;
        while (pos < end) {
            const char* semi = static_cast<const char*>(std::memchr(data + pos, ';', end - pos));
            const size_t to = semi ? static_cast<size_t>(semi - data) : end;
            builder.addField(std::string_view(data + pos, to - pos));
            pos = to + 1;
        }
        builder.endRow();
        pos = next;
    }
    return std::move(builder).finish(1, 0);
}

long residentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4096;
}

long peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

void BM_Build(benchmark::State& state)
{
    const std::string& source = fileBytes();
    size_t memory = 0;
    double peakPerInputByte = 0;
    bool first = true;
    for (auto _ : state) {
        state.PauseTiming();
        std::string bytes = source;
        const long before = residentBytes();
        state.ResumeTiming();
        core::CellTable table = build(std::move(bytes));
        state.PauseTiming();
        memory = table.memoryUsage();
        if (first) {
            // The import's peak: the adopted file plus what building added on top of it.
            // Only the first build raises the process's high-water mark.
            peakPerInputByte =
                double(peakResidentBytes() - before + long(source.size())) / double(source.size());
            first = false;
        }
        benchmark::DoNotOptimize(table.cell(7, kRows - 1).data());
        table = core::CellTable();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.size()));
    state.counters["file_MB"] = double(source.size()) / 1e6;
    state.counters["bytes_per_cell"] = double(memory) / double(kCells);
    state.counters["table_bytes_per_file_byte"] = double(memory) / double(source.size());
    state.counters["peak_bytes_per_file_byte"] = peakPerInputByte;
}
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond)->Iterations(3);

core::CellTable& bigTable()
{
    static core::CellTable table = build(fileBytes());
    return table;
}

// Every cell marked (one byte appended) and unmarked again, as the window does on paint.
void BM_MarkUnmarkAll(benchmark::State& state)
{
    core::CellTable& table = bigTable();
    const size_t before = table.memoryUsage();
    std::string marked;
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                marked.assign(table.cell(c, r));
                marked += '\xA0';
                table.setCell(c, r, marked);
            }
        }
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                const std::string_view text = table.cell(c, r);
                table.setCell(c, r, text.substr(0, text.size() - 1));
            }
        }
    }
    state.counters["ns_per_cell_write"] =
        benchmark::Counter(double(state.iterations()) * 2 * double(kCells),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["memory_growth_bytes"] = double(table.memoryUsage()) - double(before);
}
BENCHMARK(BM_MarkUnmarkAll)->Unit(benchmark::kMillisecond);

void BM_PermuteRows(benchmark::State& state)
{
    core::CellTable& table = bigTable();
    std::vector<int> order(kRows - 1);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (auto _ : state)
        table.permuteRows(1, order);
    benchmark::DoNotOptimize(table.cell(0, 1).data());
    state.SetItemsProcessed(int64_t(state.iterations()) * (kRows - 1));
}
BENCHMARK(BM_PermuteRows)->Unit(benchmark::kMillisecond);

void BM_MoveColumn(benchmark::State& state)
{
    core::CellTable& table = bigTable();
    for (auto _ : state) {
        table.moveColumn(0, kCols - 1);
        table.moveColumn(kCols - 1, 0);
    }
    benchmark::DoNotOptimize(table.cell(0, 1).data());
    state.SetItemsProcessed(int64_t(state.iterations()) * 2 * kRows);
}
BENCHMARK(BM_MoveColumn)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
