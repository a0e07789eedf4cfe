// tintora-report: loads formulas as the program does and prints their
// laboratory printouts as text or their sheets as JSON, their properties as
// CSV, two of them side by side, or one printout as a PDF file; changes or
// optimises one formula and prints it; checks a
// folder of material files; tells where a material is used; checks the VOC
// of a folder's formulas against their categories' limits; tells what new
// prices do to a folder's costs; writes a formula as a material, or makes the
// made materials again from their formulas.
#include "CompareReport.h"
#include "CsvReport.h"
#include "MakeMaterialReport.h"
#include "MaterialCheck.h"
#include "OptimiseReport.h"
#include "PdfReport.h"
#include "PlantReport.h"
#include "PriceReports.h"
#include "PrintoutReport.h"
#include "RecalcReport.h"
#include "ReportFormula.h"
#include "ReportOptions.h"
#include "SettingsFolders.h"
#include "VocCheckReport.h"
#include "WhereUsedReport.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace fs = std::filesystem;
using namespace tintora::report;

namespace {

int report(const ReportOptions& options, const fs::path& materialFolder)
{
    if (options.plant.active())
        return plantReport(options, materialFolder);
    if (options.optimise.active)
        return optimiseReport(options, materialFolder);
    if (options.reformulation.active())
        return reformulationReport(options, materialFolder);
    switch (options.mode) {
    case ReportMode::Printout:
        return printoutReport(options, materialFolder);
    case ReportMode::Csv:
        return csvReport(options, materialFolder);
    case ReportMode::Compare:
        return compareReport(options, materialFolder);
    case ReportMode::CheckMaterials:
        return materialCheckReport(materialFolder);
    case ReportMode::WhereUsed:
    case ReportMode::CostChange:
    case ReportMode::UpdateMade:
        return 2;  // answered above: they decide their folders themselves
    case ReportMode::MakeMaterial:
        return makeMaterialReport(options, materialFolder);
    case ReportMode::CheckVoc:
        return vocCheckReport(options, materialFolder);
    case ReportMode::Pdf:
#ifdef TINTORA_REPORT_PDF
        return pdfReport(options, materialFolder);
#else
        reportProblem("this build of tintora-report writes no PDF files (it was built without the user interface)");
        return 2;
#endif
    }
    return 2;
}

// The folder named on the command line wins; the kept one (with its warning)
// is looked for only without one.
fs::path materialFolderOf(const ReportOptions& options)
{
    if (options.mode == ReportMode::CheckMaterials && options.checkFolder)
        return *options.checkFolder;
    if (options.materialFolder)
        return *options.materialFolder;
    if (options.plant.materialsListFolder)
        return *options.plant.materialsListFolder;
    return defaultMaterialFolder();
}

}  // namespace

int main(int argc, char** argv)
{
    const ParseResult parsed = parseReportOptions({argv + 1, argv + argc});
    if (parsed.help) {
        std::cout << HelpText;
        return 0;
    }
    if (!parsed.options) {
        reportProblem(parsed.error + " (see tintora-report --help)");
        return 2;
    }
    const ReportOptions& options = *parsed.options;
    if (options.mode == ReportMode::WhereUsed)
        return whereUsedReport(options,
            options.whereUsedFolder ? fs::path(*options.whereUsedFolder)
                                    : defaultFolder(tintora::FolderKind::Formulas));
    if (options.mode == ReportMode::CostChange)
        return costChangeReport(options);
    if (options.mode == ReportMode::UpdateMade)
        return updateMadeReport(options);
    const fs::path materialFolder = materialFolderOf(options);
    std::error_code ec;
    if (!fs::exists(materialFolder, ec)) {
        reportProblem("the material folder does not exist: " + materialFolder.string());
        return 2;
    }
    if (!fs::is_directory(materialFolder, ec)) {
        reportProblem("the material folder is not a folder: " + materialFolder.string());
        return 2;
    }
    const int status = report(options, materialFolder);
    return status == 0 && options.strict && warningsGiven() > 0 ? 1 : status;
}
