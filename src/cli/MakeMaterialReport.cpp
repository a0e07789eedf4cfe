#include "MakeMaterialReport.h"

#include "ReportFormula.h"

#include "core/formulas/FormulaFile.h"
#include "core/materials/MadeMaterial.h"
#include "core/text/TextEncoding.h"

#include <QDate>

#include <iostream>
#include <string>

namespace tintora::report {

CalendarDate madeDate(const ReportOptions& options)
{
    if (options.date) {
        const std::string& text = *options.date;
        return {std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2))};
    }
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

int makeMaterialReport(const ReportOptions& options, const std::filesystem::path& materialFolder)
{
    const std::string& formulaPath = options.formulaPaths.front();
    const MaterialFiles materials(materialFolder);
    const auto loaded = loadFormula(formulaPath, materials, PercentBasis::Weight);
    if (!loaded)
        return 1;
    const MadeMaterialPlan plan
        = planMadeMaterial(loaded->sheet, materialFolder, {options.materialCode, {}, formulaPath, madeDate(options)});
    if (!plan.ok()) {
        reportProblem(decodeFileText(formulaPath) + ": " + plan.problem);
        return 1;
    }
    if (plan.replaces && !options.force) {
        reportProblem(decodeFileText(plan.file.native()) + " already exists; give --force to replace it");
        return 1;
    }
    if (const Result<FileStamp> written = writeMadeMaterial(plan); !written.ok()) {
        reportProblem(written.problem());
        return 1;
    }
    std::cout << decodeFileText(plan.file.native()) << "\n";
    return 0;
}

}  // namespace tintora::report
