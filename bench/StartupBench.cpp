// Start-up of Tintora against a bare Qt main window: both programs are started
// in turn, offscreen, each ending as soon as its main window is first painted
// (TINTORA_QUIT_WHEN_SHOWN). Reports per program the median wall time from
// process start to exit and the median peak memory, and the ratios, taken pair
// by pair so that a drift of the machine's speed cancels out.
//
//   tintora_startup_bench [--runs=N] [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

struct Summary {
    double tintoraMs = 0, bareMs = 0, timeRatio = 0;
    double tintoraMb = 0, bareMb = 0, memoryRatio = 0;
    int pairs = 0;
};

Summary summary;
int runs = 15;

Run runOnce(const std::string& program)
{
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    // Qt's warnings on the offscreen platform would bury the report.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
    // A program that never shows its window (or never notices it) must not
    // hang the benchmark: it is given ten seconds.
    const auto deadline = start + std::chrono::seconds(10);
    int status = 0;
    rusage usage{};
    pid_t ended = 0;
    while ((ended = wait4(pid, &status, WNOHANG, &usage)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            throw std::runtime_error(program + " did not end after showing its window");
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    if (ended != pid)
        throw std::runtime_error("lost " + program);
    const auto end = std::chrono::steady_clock::now();
    if (WIFSIGNALED(status))
        throw std::runtime_error(program + " was ended by signal " + std::to_string(WTERMSIG(status)));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(program + " ended with status " + std::to_string(WEXITSTATUS(status)));
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A settings folder of its own, so that the recent-files list Tintora writes
// on closing lands in a throw-away place; the offscreen platform for both.
std::filesystem::path prepareEnvironment()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tintora-startup-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    setenv("HOME", pattern.c_str(), 1);
    setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
    setenv("XDG_DATA_HOME", pattern.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TINTORA_QUIT_WHEN_SHOWN", "1", 1);
    return pattern;
}

void measurePairs(benchmark::State& state)
{
    std::vector<double> tintoraMs, bareMs, timeRatios, tintoraMb, bareMb, memoryRatios;
    runOnce(TINTORA_PROGRAM);  // warm the file cache
    runOnce(BARE_WINDOW_PROGRAM);
    bool tintoraFirst = false;
    for (auto _ : state) {
        // Alternate which one goes first: the second may find the other's pages cached.
        tintoraFirst = !tintoraFirst;
        Run tintora, bare;
        if (tintoraFirst) {
            tintora = runOnce(TINTORA_PROGRAM);
            bare = runOnce(BARE_WINDOW_PROGRAM);
        } else {
            bare = runOnce(BARE_WINDOW_PROGRAM);
            tintora = runOnce(TINTORA_PROGRAM);
        }
        state.SetIterationTime(tintora.milliseconds / 1000.0);
        tintoraMs.push_back(tintora.milliseconds);
        bareMs.push_back(bare.milliseconds);
        timeRatios.push_back(tintora.milliseconds / bare.milliseconds);
        tintoraMb.push_back(tintora.peakMegabytes);
        bareMb.push_back(bare.peakMegabytes);
        memoryRatios.push_back(tintora.peakMegabytes / bare.peakMegabytes);
    }
    summary = {median(tintoraMs), median(bareMs), median(timeRatios), median(tintoraMb), median(bareMb),
        median(memoryRatios), static_cast<int>(tintoraMs.size())};
    state.counters["tintora_ms"] = summary.tintoraMs;
    state.counters["bare_ms"] = summary.bareMs;
    state.counters["time_ratio"] = summary.timeRatio;
    state.counters["tintora_MB"] = summary.tintoraMb;
    state.counters["bare_MB"] = summary.bareMb;
    state.counters["memory_ratio"] = summary.memoryRatio;
}

void startUpAgainstBareWindow(benchmark::State& state)
{
    try {
        measurePairs(state);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Takes --runs=N out of the arguments; the rest go to Google Benchmark.
void takeRunsArgument(int& argc, char** argv)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--runs=", 0) == 0)
            runs = std::max(1, std::atoi(arg.c_str() + 7));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
}

}  // namespace

int main(int argc, char** argv)
{
    takeRunsArgument(argc, argv);
    const std::filesystem::path scratch = prepareEnvironment();
    benchmark::RegisterBenchmark("StartUpAgainstBareWindow", startUpAgainstBareWindow)
        ->UseManualTime()
        ->Iterations(runs)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch);
    if (summary.pairs == 0)
        return 1;
    {
        std::cout << std::fixed << std::setprecision(1) << "Start-up, median of " << summary.pairs << " runs: Tintora "
                  << summary.tintoraMs << " ms, bare window " << summary.bareMs << " ms; peak memory "
                  << summary.tintoraMb << " MB against " << summary.bareMb << " MB\n"
                  << std::setprecision(2) << "time ratio " << summary.timeRatio << ", memory ratio "
                  << summary.memoryRatio << '\n';
    }
    return 0;
}
