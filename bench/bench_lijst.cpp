// The whole process of the command-line converter on a school board's worth of rows:
// 1,000,000 rows of 8 semicolon-separated fields (about 64 MB), listed to /dev/null, against
// `wc -l` on the same file in the same run. Reports the time ratio and the converter's peak
// memory above its own baseline (its --help run), per input byte.
#include "bench/BenchExport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct RunResult {
    double seconds = 0;
    long peakKiB = 0;
};

// Runs a program with stdout to /dev/null; wall time and the child's peak resident memory.
RunResult runProgram(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", args[0].c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

void BM_ListEveryRow(benchmark::State& state)
{
    const std::string& file = benchExportFile();
    const double bytes = static_cast<double>(std::filesystem::file_size(file));
    const RunResult baseline = runProgram({PLUVANA_LIJST, "--help"});
    RunResult wc;
    RunResult lijst;
    for (auto _ : state) {
        wc = runProgram({"/usr/bin/wc", "-l", file});
        lijst = runProgram({PLUVANA_LIJST, file});
        state.SetIterationTime(lijst.seconds);
    }
    state.counters["MB"] = bytes / 1e6;
    state.counters["MB/s"] = bytes / 1e6 / lijst.seconds;
    state.counters["wc_s"] = wc.seconds;
    state.counters["times_wc"] = lijst.seconds / wc.seconds;
    state.counters["peak_MB_above_base"] = (lijst.peakKiB - baseline.peakKiB) / 1024.0;
    state.counters["peak_bytes_per_input_byte"] =
        (lijst.peakKiB - baseline.peakKiB) * 1024.0 / bytes;
}
BENCHMARK(BM_ListEveryRow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
