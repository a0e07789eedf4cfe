#include "MakeMaterialReport.h"
#include "PriceReports.h"
#include "ReportFormula.h"
#include "TextTable.h"

#include "core/materials/PriceChanges.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace tintora::report {

namespace {

std::string outcome(const RemadeMaterial& remade)
{
    if (!remade.problem.empty())
        return remade.problem;
    return remade.changed() ? "changed" : "unchanged";
}

std::string shownAfter(const RemadeMaterial& remade, double RowMaterialProps::*figure)
{
    return remade.after ? formatThreeDecimals((*remade.after).*figure) : std::string();
}

void writeTable(std::ostream& out, const std::vector<RemadeMaterial>& remade)
{
    TextTable table({{"code", Align::Left}, {"source", Align::Left}, {"cost/lb before", Align::Right},
        {"cost/lb after", Align::Right}, {"Spec before", Align::Right}, {"Spec after", Align::Right},
        {"result", Align::Left}});
    for (const RemadeMaterial& r : remade) {
        const RowMaterialProps& before = r.made->material.props;
        table.add(
            {r.made->code, r.made->source, formatThreeDecimals(before.Cost), shownAfter(r, &RowMaterialProps::Cost),
                formatThreeDecimals(before.Spec), shownAfter(r, &RowMaterialProps::Spec), outcome(r)});
    }
    out << table.render();
}

// The file of a code written, as the material's list names it.
std::string fileOfCode(const std::vector<MadeMaterialFile>& made, const std::string& code)
{
    const auto found = std::ranges::find(made, code, &MadeMaterialFile::code);
    return found == made.end() ? code : decodeFileText(found->file.native());
}

// Writes the changed ones and says which; whether every one was written.
bool writeChanged(
    const std::vector<RemadeMaterial>& remade, const std::vector<MadeMaterialFile>& made, const ReportOptions& options)
{
    const RemadeWritten written = writeRemadeMaterials(remade, madeDate(options));
    for (const std::string& code : written.written)
        std::cout << "written: " << fileOfCode(made, code) << "\n";
    // A change that could not be written is no "nothing changed".
    if (written.written.empty() && written.problems.empty())
        std::cout << "Nothing written: no made material changed.\n";
    for (const std::string& problem : written.problems)
        reportProblem(problem);
    return written.problems.empty();
}

}  // namespace

int updateMadeReport(const ReportOptions& options)
{
    const std::optional<PriceFolders> folders = priceFolders(options);
    if (!folders)
        return 2;
    const std::vector<MadeMaterialFile> made = madeMaterialsIn(folders->materials);
    if (made.empty()) {
        std::cout << "No made material in " << decodeFileText(folders->materials.native()) << ".\n";
        return 0;
    }
    MaterialOverrides overrides;
    const std::vector<RemadeMaterial> remade
        = remakeMadeMaterials(made, folders->formulas, MaterialFiles(folders->materials), overrides);
    writeTable(std::cout, remade);
    const bool allMade = std::ranges::none_of(remade, [](const RemadeMaterial& r) { return !r.problem.empty(); });
    if (options.dryRun) {
        std::cout << "Dry run: nothing written.\n";
        return allMade ? 0 : 1;
    }
    const bool allWritten = writeChanged(remade, made, options);
    return allMade && allWritten ? 0 : 1;
}

}  // namespace tintora::report
