// What leaves the laboratory, at the size of a real library: tintora-report
// writing the materials printout of 1000 materials and a batch ticket as PDF
// files, and --xlsx over 100, 1000 and 3000 formulas (the 1000 files named
// three times). Wall time and peak memory of the whole process; the
// workbook's memory must not grow with the number of formulas.
//
//   tintora_plant_bench [Google Benchmark flags]
#include "LibraryBench.h"

namespace {

using namespace tintora::bench;

constexpr int MaterialCount = 1000;

std::vector<std::string> reportArgs(const fs::path& folder, std::vector<std::string> more)
{
    std::vector<std::string> args = {TINTORA_REPORT_PROGRAM, "--materials", folder.string()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void BM_MaterialsPrintoutPdf(benchmark::State& state)
{
    const fs::path folder = libraryFolder(MaterialCount);
    const std::string pdf = (fs::temp_directory_path() / "tintora-plant-bench-materials.pdf").string();
    measureRuns(state, reportArgs(folder, {"--materials-list", folder.string(), "--force", "--pdf", pdf}));
}
BENCHMARK(BM_MaterialsPrintoutPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BatchTicketPdf(benchmark::State& state)
{
    const fs::path folder = libraryFolder(MaterialCount);
    const std::string pdf = (fs::temp_directory_path() / "tintora-plant-bench-ticket.pdf").string();
    measureRuns(
        state, reportArgs(folder, {"--batch", "5000lb", "--force", "--pdf", pdf, (folder / "formula0.tfx").string()}));
}
BENCHMARK(BM_BatchTicketPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Workbook(benchmark::State& state)
{
    const fs::path folder = libraryFolder(MaterialCount);
    const std::string xlsx = (fs::temp_directory_path() / "tintora-plant-bench.xlsx").string();
    std::vector<std::string> args = reportArgs(folder, {"--force", "--xlsx", xlsx});
    for (int f = 0; f < state.range(0); ++f)
        args.push_back(formulaFile(folder, f).string());
    measureRuns(state, args);
}
BENCHMARK(BM_Workbook)
    ->ArgName("formulas")
    ->Arg(100)
    ->Arg(LibraryFormulas)
    ->Arg(3 * LibraryFormulas)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
