#pragma once
// Least-cost formulation: the weights of the rows the chemist lets vary are
// chosen so that the formula costs least per gallon (or per pound) while the
// total volume (or weight) stays as it is and every figure keeps within its
// limits.
//
// With the kept total fixed, every figure is a ratio of two sums linear in the
// row weights (the terms of the target recalculation), so a limit
// "figure >= T" is the linear inequality sum(a) - T sum(b) >= 0 and the whole
// question is a linear programme with a ratio for its objective. The
// Charnes-Cooper change of variables makes that ratio linear; the programme is
// answered exactly by the solver handed in, and the weights it gives are
// rounded to three decimals and checked again on the figures Calculate gives.
#include "core/calc/LinearProgram.h"
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/Quantities.h"
#include "core/text/Result.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

// The figures a limit may be set on: the sixteen boxes in the order they are
// reported, then the pigment volume concentration, the EU VOC content, the
// critical PVC and Λ.
constexpr int PvcFigure = PropertyBoxCount;
constexpr int EuVocFigure = PvcFigure + 1;
constexpr int CpvcFigure = PvcFigure + 2;
constexpr int LambdaFigure = PvcFigure + 3;
constexpr int OptimiseFigureCount = PvcFigure + 4;
// Its name in scripts ("solids_vol_pct") and in a sentence ("Solids by volume").
const char* figureKey(int figure);
const char* figureName(int figure);
std::optional<int> figureOfKey(std::string_view key);
constexpr int CostPerGallonFigure = 3;
constexpr int CostPerPoundFigure = 2;

enum class KeptTotal { Volume, Weight };
enum class CostObjective { PerGallon, PerPound };

struct VariedRow {
    int row = 0;
    double minimum = 0;
    double maximum = RowWeightLimit;
    bool operator==(const VariedRow&) const = default;
};

// A limit on a figure; an empty side is no limit.
struct FigureLimit {
    int figure = 0;
    std::optional<double> minimum, maximum;
    bool operator==(const FigureLimit&) const = default;
};

struct OptimiseSettings {
    std::vector<VariedRow> varied;
    KeptTotal kept = KeptTotal::Volume;
    std::optional<double> keptValue;  // empty: the formula's present total
    std::vector<FigureLimit> limits;
    CostObjective objective = CostObjective::PerGallon;
    bool operator==(const OptimiseSettings&) const = default;
};

// The settings a first optimisation of the sheet starts from: its marked
// material rows vary, between 0 and the row limit; no figure is limited.
OptimiseSettings defaultOptimiseSettings(const FormulaSheet& sheet);

// Every figure of a calculated sheet; the PVC may have none.
using FigureValues = std::array<std::optional<double>, OptimiseFigureCount>;
FigureValues figureValues(const FormulaSheet& sheet);

struct OptimisedFormula {
    FormulaSheet formula;  // the sheet with the new weights, calculated
    FigureValues before, after;
    double savingPercent = 0;  // of the objective's cost
    // The limits that the weights, once rounded to three decimals, miss by
    // more than the tolerance: said, never hidden.
    std::vector<std::string> missedAfterRounding;
};

// The settings checked against the sheet: the first problem found (a row
// outside 1-36, a varied row without a material, a minimum above its maximum,
// a limit that is not a finite number, a kept total of 0), worded for the user.
std::optional<std::string> optimiseSettingsProblem(const FormulaSheet& sheet, const OptimiseSettings& settings);

// The cheapest formula under the settings, or why there is none: the
// settings' problem, or, when the limits cannot hold together, which of them
// conflict and how near the rows come.
Result<OptimisedFormula> optimise(const FormulaSheet& sheet, const OptimiseSettings& settings, LinearSolver solve);

// "Solids by volume ≥ 45", "PVC 55 … 60".
std::string limitText(const FigureLimit& limit);

}  // namespace tintora
