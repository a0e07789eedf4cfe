#pragma once
// The pigment volume concentration, the figure by which a paint chemist
// places a paint between gloss (low) and flat (high); the window does not
// show it.
#include "core/sheet/FormulaSheet.h"

#include <optional>

namespace tintora {

// Pigment volume / solids volume x 100 of a calculated sheet, from the same
// three-decimal row volumes that Calculate sums; nullopt when there are no
// solids (no volume, or all of it volatile) or when a row's material is
// missing (rowsWithMissingMaterial).
std::optional<double> pigmentVolumeConcentration(const FormulaSheet& sheet);

}  // namespace tintora
