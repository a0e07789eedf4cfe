// What leaves the laboratory, at the size of a real library: tintora-report
// writing the materials printout of 1000 materials and a batch ticket as PDF
// files, and --xlsx over 100, 1000 and 3000 formulas (the 1000 files named
// three times). Wall time and peak memory of the whole process; the
// workbook's memory must not grow with the number of formulas.
//
//   tintora_plant_bench [Google Benchmark flags]
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

namespace {

constexpr int MaterialCount = 1000;
constexpr int MostFormulas = 1000;
constexpr int RowsPerFormula = 30;

std::string materialCode(int i)
{
    return "mat" + std::to_string(10000 + i).substr(1);
}

fs::path fixtureFolder()
{
    const fs::path folder = fs::temp_directory_path() / "tintora-plant-bench";
    if (fs::exists(folder / ("formula" + std::to_string(MostFormulas - 1) + ".tfx")))
        return folder;
    fs::create_directories(folder);
    for (int i = 0; i < MaterialCount; ++i)
        std::ofstream(folder / (materialCode(i) + ".rm"))
            << "[Material]\nName=material number " << i
            << "\nSpec=" << tintora::formatThreeDecimals(0.8 + (i % 40) * 0.1)
            << "\nCost=0.8\nVol_Wt=0.3\nVol_Vol=0.35\nPig_Wt=0.2\nPig_Vol=0.1\nVoc_Wt=0.1\nVoc_Vol=0.1\n";
    for (int f = 0; f < MostFormulas; ++f) {
        std::ofstream out(folder / ("formula" + std::to_string(f) + ".tfx"));
        out << "[Formula]\nName=Formula " << f << "\n";
        for (int n = 1; n <= RowsPerFormula; ++n)
            out << "rType" << n << "=1\nMaterial" << n << "=" << materialCode((f * 7919 + n * 104729) % MaterialCount)
                << "\nWeight" << n << "=" << 5 * n + f % 7 << "\n";
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
        throw std::runtime_error("tintora-report failed");
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss / 1024.0};
}

void measure(benchmark::State& state, const std::vector<std::string>& args)
{
    double peak = 0;
    for (auto _ : state) {
        const Run run = runReport(args);
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMegabytes);
    }
    state.counters["peak_MB"] = peak;
}

std::vector<std::string> reportArgs(const fs::path& folder, std::vector<std::string> more)
{
    std::vector<std::string> args = {TINTORA_REPORT_PROGRAM, "--materials", folder.string()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void BM_MaterialsPrintoutPdf(benchmark::State& state)
{
    const fs::path folder = fixtureFolder();
    const std::string pdf = (fs::temp_directory_path() / "tintora-plant-bench-materials.pdf").string();
    measure(state, reportArgs(folder, {"--materials-list", folder.string(), "--pdf", pdf}));
}
BENCHMARK(BM_MaterialsPrintoutPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BatchTicketPdf(benchmark::State& state)
{
    const fs::path folder = fixtureFolder();
    const std::string pdf = (fs::temp_directory_path() / "tintora-plant-bench-ticket.pdf").string();
    measure(state, reportArgs(folder, {"--batch", "5000lb", "--pdf", pdf, (folder / "formula0.tfx").string()}));
}
BENCHMARK(BM_BatchTicketPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Workbook(benchmark::State& state)
{
    const fs::path folder = fixtureFolder();
    const std::string xlsx = (fs::temp_directory_path() / "tintora-plant-bench.xlsx").string();
    std::vector<std::string> args = reportArgs(folder, {"--xlsx", xlsx});
    for (int f = 0; f < state.range(0); ++f)
        args.push_back((folder / ("formula" + std::to_string(f % MostFormulas) + ".tfx")).string());
    measure(state, args);
}
BENCHMARK(BM_Workbook)
    ->ArgName("formulas")
    ->Arg(100)
    ->Arg(MostFormulas)
    ->Arg(3 * MostFormulas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
