// Where is a material used? A search of a laboratory's whole Formulas folder:
// 10 000 formulas of 30 rows (with notes, a [Properties] and a [Memo]
// section) beside 2 000 materials, with the files in the page cache (the
// first iteration reads them from the disk; Google Benchmark's own warm-up
// run is asked for, so that it is not timed). By code, the common search, and
// by words of a material's name, which reads the materials the formulas use.
//
//   tintora_where_used_bench [Google Benchmark flags]
#include "LibraryBench.h"

#include "core/formulas/WhereUsed.h"
#include "core/materials/PriceChanges.h"

using namespace tintora;
using tintora::bench::materialCode;
namespace fs = std::filesystem;

namespace {

constexpr int FormulaCount = 10000;
constexpr int MaterialCount = 2000;
constexpr int RowsPerFormula = 30;

void writeFormula(const fs::path& folder, int f)
{
    std::ofstream out(folder / ("formula" + std::to_string(f) + ".tfx"));
    out << "[Formula]\nName=Formula " << f << "\nrType1=0\nMaterial1=Premix " << materialCode(f % 97)
        << " under slow agitation\n";
    for (int n = 2; n <= RowsPerFormula; ++n)
        out << "rType" << n << "=1\nMaterial" << n << "="
            << fCase(materialCode((f * 7919 + n * 104729) % MaterialCount)) << "\nWeight" << n << "="
            << formatThreeDecimals(5 * n + (f % 7) * 0.125) << "\n";
    out << "[Properties]\nProtect=0\nDate=12/7/2026\n[Memo]\nMemoCount=2\nMemo0=Grind to 7 Hegman\nMemo1=Adjust pH\n";
}

// Built once and kept, as a laboratory's folder is.
fs::path fixtureFolder()
{
    const fs::path folder = fs::temp_directory_path() / "tintora-where-used-bench";
    if (fs::exists(folder / ("formula" + std::to_string(FormulaCount - 1) + ".tfx")))
        return folder;
    fs::create_directories(folder);
    for (int i = 0; i < MaterialCount; ++i)
        std::ofstream(folder / (materialCode(i) + ".rm"))
            << "[Material]\nName=" << (i % 50 == 0 ? "rutile titanium dioxide " : "material ") << i
            << "\nSpec=   1.200\nCost=   0.800\n";
    for (int f = 0; f < FormulaCount; ++f)
        writeFormula(folder, f);
    return folder;
}

void search(benchmark::State& state, const WhereUsedQuery& query)
{
    const fs::path folder = fixtureFolder();
    int hits = 0;
    WhereUsedSummary summary;
    WhereUsedSink sink;
    sink.found = [&](const WhereUsedHit&) { ++hits; };
    for (auto _ : state) {
        hits = 0;
        summary = findWhereUsed(folder, folder, query, sink);
    }
    if (summary.formulasRead != FormulaCount)
        state.SkipWithError("not every formula was read");
    state.counters["formulas"] = summary.formulasRead;
    state.counters["hits"] = hits;
}

void BM_WhereUsedByCode(benchmark::State& state)
{
    search(state, {"MAT00042", WhereUsedMatch::Code});
}
BENCHMARK(BM_WhereUsedByCode)->Unit(benchmark::kMillisecond)->MinWarmUpTime(1);

void BM_WhereUsedByNameWords(benchmark::State& state)
{
    search(state, {"titanium rutile", WhereUsedMatch::CodeOrNameWords});
}
BENCHMARK(BM_WhereUsedByNameWords)->Unit(benchmark::kMillisecond)->MinWarmUpTime(1);

// What a new price of one material does to the whole folder (tintora-report
// --cost-change, Find's New cost): the same reading of every formula, then the
// formulas that use it calculated twice.
void BM_CostChange(benchmark::State& state)
{
    const fs::path folder = fixtureFolder();
    std::size_t touched = 0;
    for (auto _ : state) {
        const Result<CostChangeAnswer> answer = costChangeIn(folder, folder, {{"MAT00042", 1.5}});
        if (!answer)
            state.SkipWithError(answer.problem().c_str());
        else
            touched = answer.value().formulas.size();
    }
    state.counters["formulas"] = static_cast<double>(touched);
}
BENCHMARK(BM_CostChange)->Unit(benchmark::kMillisecond)->MinWarmUpTime(1);

}  // namespace
