#pragma once
// What every mode of tintora-report shares: where the materials are, and a
// formula loaded as the window opens one.
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialFile.h"
#include "core/sheet/FormulaSheet.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora::report {

// The material folder when none is given: the Materials folder chosen in the
// window (Options > Folders...), else the Formulas folder the program uses.
std::filesystem::path defaultMaterialFolder();

struct LoadedFormula {
    FormulaSheet sheet;
    bool formulaProtected = false;
    std::vector<int> missingMaterialRows;  // rowsWithMissingMaterial
    std::vector<int> unreadWeightRows;  // weights the file holds that the sheet could not take
};

// Loads path with its materials and calculates it. A file that cannot be read
// or holds no [Formula] section gives nullopt after a one-line message on
// stderr naming it; a row whose material is missing gives a warning line
// naming the file, the row and the code; weights that could not be read
// give the window's notice as a warning. One lookup serves a whole run: a material used by many
// formulas is read once.
std::optional<LoadedFormula> loadFormula(const std::string& path, const MaterialFiles& materials, PercentBasis basis);
// The same for a file already read as a formula (its state is Formula), with the same warnings.
LoadedFormula loadReadFormula(
    const std::string& path, const FormulaFileRead& read, const MaterialFiles& materials, PercentBasis basis);

// One line on stderr, after the program's name.
void reportProblem(std::string_view text);

// One line on stderr, marked as a warning: the report goes on.
void reportWarning(std::string_view text);
// How many warnings this run has given (--strict turns any into a failure).
int warningsGiven();

}  // namespace tintora::report
