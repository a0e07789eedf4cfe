#include "ReportFormula.h"

#include "SettingsFolders.h"

#include "core/calc/MissingMaterials.h"
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialCheck.h"
#include "core/text/TextEncoding.h"

#include <iostream>
#include <system_error>

namespace fs = std::filesystem;

namespace tintora::report {

namespace {

int warningCount = 0;

// The figures count such a weight without a volume; a script must not take
// them for whole ones without being told.
void warnOfMissingMaterials(const std::string& path, const LoadedFormula& loaded)
{
    for (int n : loaded.missingMaterialRows)
        reportWarning(decodeFileText(path) + ": row " + std::to_string(n) + ": material \""
            + loaded.sheet.cell(Column::Material, n) + "\" not found, its weight has no volume");
}

}  // namespace

fs::path defaultMaterialFolder()
{
    return defaultFolder(FolderKind::Materials);
}

std::optional<LoadedFormula> loadFormula(const std::string& path, const MaterialFiles& materials, PercentBasis basis)
{
    const FormulaFileRead read = readFormulaFile(path);
    if (read.state != FormulaFileState::Formula) {
        reportProblem(formulaFileProblem(read.state, decodeFileText(path)));
        return std::nullopt;
    }
    return loadReadFormula(path, read, materials, basis);
}

LoadedFormula loadReadFormula(
    const std::string& path, const FormulaFileRead& read, const MaterialFiles& materials, PercentBasis basis)
{
    LoadedFormula loaded;
    loaded.sheet.percentBasis = basis;
    loaded.formulaProtected = FormulaLoad(loaded.sheet, read.contents, materials);
    loaded.missingMaterialRows = rowsWithMissingMaterial(loaded.sheet);
    warnOfMissingMaterials(path, loaded);
    loaded.unreadWeightRows = unreadWeightRows(read.contents);
    if (!loaded.unreadWeightRows.empty())
        reportWarning(decodeFileText(path) + ": " + unreadWeightsNotice(loaded.unreadWeightRows));
    if (const std::string implausible = implausibleMaterialsNotice(loaded.sheet); !implausible.empty())
        reportWarning(decodeFileText(path) + ": " + implausible);
    return loaded;
}

void reportProblem(std::string_view text)
{
    std::cerr << "tintora-report: " << text << "\n";
}

void reportWarning(std::string_view text)
{
    ++warningCount;
    std::cerr << "tintora-report: warning: " << text << "\n";
}

int warningsGiven()
{
    return warningCount;
}

}  // namespace tintora::report
