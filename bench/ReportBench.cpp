// tintora-report --csv over many formulas in a large material folder, as a
// laboratory would run it on a family of formulas: wall time and peak memory
// of the whole process for 100, 1000 and 3000 formulas (the 1000 files named
// three times). Memory must not grow with their number: each formula is let
// go once its line is written; only the materials read so far are kept, at
// most the whole folder.
//
//   tintora_report_bench [Google Benchmark flags]
#include "LibraryBench.h"

namespace {

using namespace tintora::bench;

constexpr int MaterialCount = 10000;

void BM_ReportCsv(benchmark::State& state)
{
    const fs::path folder = libraryFolder(MaterialCount);
    std::vector<std::string> args = {TINTORA_REPORT_PROGRAM, "--materials", folder.string(), "--csv"};
    for (int f = 0; f < state.range(0); ++f)
        args.push_back(formulaFile(folder, f).string());
    measureRuns(state, args);
    state.counters["formulas_per_s"]
        = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReportCsv)
    ->ArgName("formulas")
    ->Arg(100)
    ->Arg(LibraryFormulas)
    ->Arg(3 * LibraryFormulas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
