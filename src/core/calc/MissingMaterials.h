#pragma once
// Rows whose material file was not found keep their code and weight; the
// weight counts in the weight figures but has no volume, so every figure by
// volume, and those that mix the two, leave it out. The figures keep that rule;
// these functions let the program and the report say so.
#include "core/sheet/FormulaSheet.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tintora {

// The rows (1 ... SheetRowCount, in order) that name a material not found and
// carry a weight: a code on a row that is no material row.
std::vector<int> rowsWithMissingMaterial(const FormulaSheet& sheet);

// The status line's notice for that many rows; empty for none.
std::string missingMaterialsNotice(std::size_t rows);

}  // namespace tintora
