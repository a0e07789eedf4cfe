// tintora-report --csv over many formulas in a large material folder, as a
// laboratory would run it on a family of formulas: wall time and peak memory
// of the whole process for 100, 1000 and 3000 formulas (the 1000 files named
// three times). Memory must not grow with their number: each formula is let
// go once its line is written; only the materials read so far are kept, at
// most the whole folder.
//
//   tintora_report_bench [Google Benchmark flags]
#include "core/text/NumberText.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using tintora::fCase;
using tintora::formatThreeDecimals;

namespace {

constexpr int MaterialCount = 10000;
constexpr int MostFormulas = 1000;
constexpr int RowsPerFormula = 30;

std::string materialCode(int i)
{
    std::string digits = std::to_string(i);
    return "mat" + std::string(5 - digits.size(), '0') + digits;
}

// The material files in lower case, as the material editor writes them, and
// formulas naming them as the Material column shows codes (capitalised), so
// that every code is found by its lower-case name. Built once, kept.
fs::path fixtureFolder()
{
    const fs::path folder = fs::temp_directory_path() / "tintora-report-bench";
    const fs::path last = folder / ("formula" + std::to_string(MostFormulas - 1) + ".tfx");
    if (fs::exists(last))
        return folder;
    fs::create_directories(folder);
    for (int i = 0; i < MaterialCount; ++i)
        std::ofstream(folder / (materialCode(i) + ".rm"))
            << "[Material]\nName=material " << i << "\nSpec=   " << formatThreeDecimals(0.8 + (i % 40) * 0.1)
            << "\nCost=   0.800\nVol_Wt=   0.300\nVol_Vol=   0.350\nPig_Wt=   0.200\nPig_Vol=   0.100\n";
    for (int f = 0; f < MostFormulas; ++f) {
        std::ofstream out(folder / ("formula" + std::to_string(f) + ".tfx"));
        out << "[Formula]\nName=Formula " << f << "\n";
        for (int n = 1; n <= RowsPerFormula; ++n)
            out << "rType" << n << "=1\nMaterial" << n << "="
                << fCase(materialCode((f * 7919 + n * 104729) % MaterialCount)) << "\nWeight" << n << "="
                << 5 * n + f % 7 << "\n";
    }
    return folder;
}

struct Run {
    double seconds = 0;
    double peakMegabytes = 0;
};

Run runReport(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0].c_str(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("tintora-report --csv failed");
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss / 1024.0};
}

void BM_ReportCsv(benchmark::State& state)
{
    const fs::path folder = fixtureFolder();
    std::vector<std::string> args = {TINTORA_REPORT_PROGRAM, "--materials", folder.string(), "--csv"};
    for (int f = 0; f < state.range(0); ++f)
        args.push_back((folder / ("formula" + std::to_string(f % MostFormulas) + ".tfx")).string());
    double peak = 0;
    for (auto _ : state) {
        const Run run = runReport(args);
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMegabytes);
    }
    state.counters["peak_MB"] = peak;
    state.counters["formulas_per_s"]
        = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReportCsv)
    ->ArgName("formulas")
    ->Arg(100)
    ->Arg(MostFormulas)
    ->Arg(3 * MostFormulas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
