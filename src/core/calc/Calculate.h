#pragma once
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/Quantities.h"

namespace tintora {

// The specific-gravity box divides by 8.334, not by WaterPoundsPerGallon.
constexpr double SpgReciprocal = 1.0 / SpgPoundsPerGallon;
// Pounds per gallon to grams per litre.
constexpr double VocGramsPerLitreFactor = 119.83;

// Round(X * N) / N, ties to even. Within the signed 32-bit range this is the
// integer rounding the figures were defined with; beyond it the value is
// rounded in floating point instead of overflowing.
double NRound(int n, double x);

// Recomputes the whole sheet: rewrites the Weight, Volume and percent columns,
// fills the sixteen property values, sets SheetModified and clears
// CellTypingStarted.
void Calculate(FormulaSheet& sheet);

// Switches the percent column between weight and volume, then recalculates.
void FlipPercents(FormulaSheet& sheet);

}  // namespace tintora
