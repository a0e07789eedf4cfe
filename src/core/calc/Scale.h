#pragma once
// Scaling the whole formula: every weighed row (a material row, or a row whose
// material file is missing) by one factor so that the total weight or the
// total volume takes a given value, or so that each weight reads as its
// percent. Marks play no part and notes stay; every ratio of the formula stays
// as it was, within the three-decimal rounding of the cells.
#include "core/calc/KeypadDialog.h"
#include "core/calc/PanelCalculate.h"
#include "core/calc/Recalculation.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <array>
#include <optional>
#include <string>

namespace tintora {

enum class ScaleKind {
    Weight,  // the total weight becomes the typed value
    Volume,  // the total volume becomes the typed value
    Percent,  // the total weight becomes 100
};

// The keypad's caption, also the name of the step in the undo history.
const char* scaleCaption(ScaleKind kind);

// A scale's refusal of a weight beyond the row limit.
constexpr const char* ScaleRowLimitRefusal = "A material exceeds row limit.";

// The outcome of planning a scale, without touching the sheet.
struct ScalePlan {
    double factor = 0;
    // The new Weight cell of every row, rounded to three decimals as the cell
    // keeps it; nullopt for a row without a weight, which stays as it is.
    std::array<std::optional<double>, SheetRowCount> weights{};
    std::string refusal;  // empty when the plan holds
};

// The factor, and the weights after rounding each row to three decimals with
// the remainder on the largest scaled row, so that the total (weight, or the
// volume that Calculate sums from the rows' three-decimal volumes) is exactly
// the target at three decimals. Refused, with the sentence that says why,
// when there is nothing to scale, or a row would exceed the row limit or
// round to no weight at all.
ScalePlan planScale(const FormulaSheet& sheet, ScaleKind kind, double target);

// The command: the keypad (none for Percent: its target is 100), the
// refusals, the row limit, the new weights, Calculate, and the undo when the
// total misses the target by more than RecalcTolerance.
RecalcOutcome Scale(
    ScaleKind kind, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter, KeypadDialog& keypad);

}  // namespace tintora
