#include "ReportFormula.h"

#include "core/formulas/FormulaFile.h"
#include "core/formulas/ProgramFiles.h"
#include "core/text/TextEncoding.h"

#include <iostream>
#include <system_error>

namespace fs = std::filesystem;

namespace tintora::report {

fs::path defaultMaterialFolder()
{
    // The program's rule; the report makes no folder.
    return locateProgramFiles(runningProgramPlaces(), SeedUserFolder::No).formulaFolder;
}

std::optional<LoadedFormula> loadFormula(const std::string& path, const MaterialFiles& materials, PercentBasis basis)
{
    const FormulaFileRead read = readFormulaFile(path);
    if (read.state != FormulaFileState::Formula) {
        reportProblem(formulaFileProblem(read.state, decodeFileText(path)));
        return std::nullopt;
    }
    std::optional<LoadedFormula> loaded(std::in_place);
    loaded->sheet.percentBasis = basis;
    loaded->formulaProtected = FormulaLoad(loaded->sheet, read.contents, materials);
    return loaded;
}

void reportProblem(std::string_view text)
{
    std::cerr << "tintora-report: " << text << "\n";
}

}  // namespace tintora::report
