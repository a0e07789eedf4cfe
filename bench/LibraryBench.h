#pragma once
// What the benchmarks that run tintora-report over a laboratory's library
// share: the library itself, built once in the temporary folder and kept, and
// a run of the program measured from outside (wall time, peak memory).
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

namespace tintora::bench {

namespace fs = std::filesystem;

constexpr int LibraryFormulas = 1000;
constexpr int RowsPerFormula = 30;

// "mat00042": the material editor writes codes in lower case.
inline std::string materialCode(int i)
{
    const std::string digits = std::to_string(i);
    return "mat" + std::string(5 - std::min<std::size_t>(5, digits.size()), '0') + digits;
}

inline fs::path formulaFile(const fs::path& folder, int f)
{
    return folder / ("formula" + std::to_string(f % LibraryFormulas) + ".tfx");
}

// LibraryFormulas formulas of RowsPerFormula rows spread over materialCount
// materials, naming them as the Material column shows codes (capitalised), so
// that every code is found by its lower-case file name.
inline fs::path libraryFolder(int materialCount)
{
    const fs::path folder = fs::temp_directory_path() / ("tintora-bench-library-" + std::to_string(materialCount));
    if (fs::exists(formulaFile(folder, LibraryFormulas - 1)))
        return folder;
    fs::create_directories(folder);
    for (int i = 0; i < materialCount; ++i)
        std::ofstream(folder / (materialCode(i) + ".rm"))
            << "[Material]\nName=material " << i << "\nSpec=" << formatThreeDecimals(0.8 + (i % 40) * 0.1)
            << "\nCost=0.8\nVol_Wt=0.3\nVol_Vol=0.35\nPig_Wt=0.2\nPig_Vol=0.1\nVoc_Wt=0.1\nVoc_Vol=0.1\n";
    for (int f = 0; f < LibraryFormulas; ++f) {
        std::ofstream out(formulaFile(folder, f));
        out << "[Formula]\nName=Formula " << f << "\n";
        for (int n = 1; n <= RowsPerFormula; ++n)
            out << "rType" << n << "=1\nMaterial" << n << "="
                << fCase(materialCode((f * 7919 + n * 104729) % materialCount)) << "\nWeight" << n << "="
                << 5 * n + f % 7 << "\n";
    }
    return folder;
}

struct ProcessRun {
    double seconds = 0;
    double peakMegabytes = 0;
};

// Runs args[0] with its output thrown away; a failure ends the benchmark.
inline ProcessRun runQuietly(const std::vector<std::string>& args)
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
        throw std::runtime_error(args[0] + " failed");
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss / 1024.0};
}

// Times each run as the benchmark's iteration and reports the largest peak.
inline void measureRuns(benchmark::State& state, const std::vector<std::string>& args)
{
    double peak = 0;
    for (auto _ : state) {
        const ProcessRun run = runQuietly(args);
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMegabytes);
    }
    state.counters["peak_MB"] = peak;
}

}  // namespace tintora::bench
