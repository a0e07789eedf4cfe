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

// The nine sums over the rows that the property boxes are computed from.
struct FormulaTotals {
    double TotalWeight = 0, TotalCost = 0, VolatileWeight = 0, PigmentWeight = 0, VocWeight = 0;
    double TotalVolume = 0, VolatileVolume = 0, PigmentVolume = 0, VocVolume = 0;
};

// A row's share of a total in percent. A total of zero (only possible with
// negative weights, or when no weighted row is a material row) gives 0 %
// rather than a division by zero.
double percentOf(double part, double total);

// Recomputes the whole sheet: rewrites the Weight, Volume and percent columns,
// fills the sixteen property values, sets SheetModified and clears
// CellTypingStarted.
void Calculate(FormulaSheet& sheet);
// The same, giving the sums the boxes were computed from.
FormulaTotals CalculateTotals(FormulaSheet& sheet);

// Switches the percent column between weight and volume, then recalculates.
void FlipPercents(FormulaSheet& sheet);

}  // namespace tintora
