// Speed of the work behind every keystroke (Calculate) and behind opening a
// formula (FormulaLoad) with material folders of growing size.
#include "core/calc/Calculate.h"
#include "core/calc/Optimisation.h"
#include "core/formulas/FormulaFile.h"
#include "core/solver/ClpSolver.h"
#include "core/text/NumberText.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;
using namespace tintora;

namespace {

std::string materialCode(int i)
{
    std::string digits = std::to_string(i);
    return "mat" + std::string(6 - digits.size(), '0') + digits;
}

FormulaSheet fullSheet()
{
    FormulaSheet sheet;
    for (int n = 1; n <= SheetRowCount; ++n) {
        SheetRow& row = sheet.row(n);
        row.RowKind = true;
        row.props = {1.0 + n * 0.05, 0.5 + n * 0.01, 0.1, 0.12, 0.2, 0.1, 0.05, 0.06};
        row.cells[1] = materialCode(n);
        row.cells[3] = formatCell(10.0 * n + 0.125);
    }
    return sheet;
}

void BM_Calculate(benchmark::State& state)
{
    FormulaSheet sheet = fullSheet();
    for (auto _ : state) {
        Calculate(sheet);
        benchmark::DoNotOptimize(sheet.box(PropertyBox::VocBox));
    }
}
BENCHMARK(BM_Calculate);

// As after a keystroke: one weight differs from the last run.
void BM_CalculateAfterOneEdit(benchmark::State& state)
{
    FormulaSheet sheet = fullSheet();
    Calculate(sheet);
    int edit = 0;
    for (auto _ : state) {
        sheet.row(edit % SheetRowCount + 1).cells[3] = formatCell(5.0 + edit % 97);
        ++edit;
        Calculate(sheet);
        benchmark::DoNotOptimize(sheet.box(PropertyBox::VocBox));
    }
}
BENCHMARK(BM_CalculateAfterOneEdit);

// A material folder of `size` lower-case files and a 36-row formula whose codes
// are written as the Material column shows them; the last `missing` rows name
// codes that have no file. Built once per shape and kept for the whole run.
struct Fixture {
    fs::path folder;
    fs::path formula;
};

const Fixture& fixture(int size, int missing)
{
    static std::map<std::pair<int, int>, Fixture> made;
    auto& f = made[{size, missing}];
    if (!f.folder.empty())
        return f;
    f.folder = fs::temp_directory_path() / ("tintora-bench-" + std::to_string(size));
    if (!fs::exists(f.folder / (materialCode(size - 1) + ".rm"))) {
        fs::create_directories(f.folder);
        for (int i = 0; i < size; ++i)
            std::ofstream(f.folder / (materialCode(i) + ".rm"))
                << "[Material]\nName=material " << i << "\nSpec=   1.250\nCost=   0.800\nVol_Wt=   0.300\n"
                << "Vol_Vol=   0.350\nPig_Wt=   0.200\nPig_Vol=   0.100\n";
    }
    f.formula
        = f.folder.parent_path() / ("tintora-bench-" + std::to_string(size) + "-" + std::to_string(missing) + ".tfx");
    std::ofstream out(f.formula);
    out << "[Formula]\nName=Bench\n";
    for (int n = 1; n <= SheetRowCount; ++n) {
        const bool absent = n > SheetRowCount - missing;
        const std::string code = absent ? "Absent" + std::to_string(n) : fCase(materialCode((n * 7919) % size));
        out << "rType" << n << "=1\nMaterial" << n << "=" << code << "\nWeight" << n << "=" << 10 * n << "\n";
    }
    return f;
}

void BM_FormulaLoad(benchmark::State& state)
{
    const Fixture& f = fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    FormulaSheet sheet;
    for (auto _ : state) {
        FormulaLoad(sheet, f.formula.string(), f.folder);
        benchmark::DoNotOptimize(sheet.box(PropertyBox::WeightBox));
    }
}
BENCHMARK(BM_FormulaLoad)
    ->ArgNames({"files", "missing"})
    ->Args({100, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100, 10})
    ->Args({10000, 10})
    ->Args({100000, 10})
    ->Unit(benchmark::kMicrosecond);

// Recalc > Optimise on a full sheet: every row varies, ten figures are
// limited around their present values, the volume is kept.
void BM_Optimise(benchmark::State& state)
{
    FormulaSheet sheet = fullSheet();
    for (int n = 1; n <= SheetRowCount; ++n) {
        const double share = ((n * 37) % 11) / 11.0;
        sheet.row(n).props = {0.9 + 2.5 * share, 0.3 + 4 * share, 0.6 * (1 - share), 0.7 * (1 - share), 0.3 * share,
            0.2 * share, 0.3 * (1 - share), 0.4 * (1 - share)};
    }
    Calculate(sheet);
    OptimiseSettings settings;
    for (int n = 1; n <= SheetRowCount; ++n)
        settings.varied.push_back({n});
    const FigureValues present = figureValues(sheet);
    for (const char* key : {"solids_vol_pct", "solids_wt_pct", "pigment_vol_pct", "pigment_wt_pct", "voc_g_per_l",
             "pb_ratio", "density_lb_per_gal", "binder_vol_pct", "volatile_wt_pct", "pvc_pct"}) {
        const int figure = figureOfKey(key).value();
        const double value = present[static_cast<std::size_t>(figure)].value_or(1);
        settings.limits.push_back({figure, value * 0.95, value * 1.05});
    }
    for (auto _ : state) {
        const Result<OptimisedFormula> found = optimise(sheet, settings, solveLinearProgram);
        if (!found)
            state.SkipWithError(found.problem().c_str());
        benchmark::DoNotOptimize(found.ok());
    }
}
BENCHMARK(BM_Optimise)->Unit(benchmark::kMillisecond);

}  // namespace
