#pragma once
// How a row's weight and volume stand for each other, and the limits that
// every way of entering a quantity respects: typing into the grid, the keypad
// panel and the scaling of a target recalculation.
#include "core/sheet/FormulaSheet.h"

#include <cstddef>
#include <string>

namespace tintora {

// Pounds per US gallon of water in every weight-volume conversion.
constexpr double WaterPoundsPerGallon = 8.33334;
// The specific-gravity box and the material status line's weight per gallon
// use this rounder figure instead.
constexpr double SpgPoundsPerGallon = 8.334;

// The largest weight a row may take.
constexpr double RowWeightLimit = 99999.999;
// What the user reads when an entry or a command would take a row past it.
constexpr const char* RowLimitMessage = "Number exceeds row limit.";
// The longest text typing or the keypad panel leaves in a Weight or Volume cell.
constexpr std::size_t QuantityTextLimit = 9;

// The gallons that a weight of a material with this specific gravity fills,
// and the pounds that a volume of it weighs. A spec of 0 (no usable specific
// gravity) gives no volume: callers test it first.
constexpr double volumeOfWeight(double weight, double spec)
{
    return weight / (spec * WaterPoundsPerGallon);
}
constexpr double weightOfVolume(double volume, double spec)
{
    return volume * spec * WaterPoundsPerGallon;
}

// The row's Weight and Volume cells, with `column` (Weight or Volume) being
// edited, break a limit: the weight or the weight the volume stands for is
// above RowWeightLimit, or the edited cell's text is longer than
// QuantityTextLimit.
bool quantityBreaksLimits(const FormulaSheet& sheet, Column column, int row);

// While `column` (Weight or Volume) is being edited, its partner shows the
// converted value in the given form: the volume of the typed weight (empty
// for a material without specific gravity), or the weight of the typed volume.
using NumberForm = std::string (*)(double);
void writePartnerCell(FormulaSheet& sheet, Column column, int row, NumberForm form);

}  // namespace tintora
