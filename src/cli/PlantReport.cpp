#include "PlantReport.h"

#include "CsvField.h"
#include "OutputFile.h"
#include "PlantPdf.h"
#include "ReportFormula.h"

#include "core/export/FormulaWorkbook.h"
#include "core/formulas/FormulaFile.h"
#include "core/print/BatchTicket.h"
#include "core/print/MaterialsPrintout.h"
#include "core/print/PrintDate.h"
#include "core/text/NumberText.h"

#include <QDate>
#include <QLocale>

#include <iostream>

namespace tintora::report {

namespace fs = std::filesystem;

namespace {

std::string reportDate(const ReportOptions& options)
{
    if (options.date)
        return *options.date;
    const QDate today = QDate::currentDate();
    const QString pattern = QLocale::system().dateFormat(QLocale::ShortFormat);
    return formatShortDate({today.year(), today.month(), today.day()}, pattern.toStdString());
}

PercentBasis basisOf(const ReportOptions& options)
{
    return options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
}

// Text or PDF: the same pages, laid out for the page they go on.
int printPages(const ReportOptions& options, const PdfLayout& layout, [[maybe_unused]] const std::string& title)
{
    if (options.mode == ReportMode::Pdf) {
#ifdef TINTORA_REPORT_PDF
        return writePagesPdf(options, layout, title) ? 0 : 1;
#else
        reportProblem("this build of tintora-report writes no PDF files (it was built without the user interface)");
        return 2;
#endif
    }
    std::cout << renderPagesAsText(layout(TextPageLines));
    return 0;
}

int batchReport(const ReportOptions& options, const fs::path& materialFolder)
{
    const std::string& path = options.formulaPaths.front();
    const auto loaded = loadFormula(path, MaterialFiles(materialFolder), basisOf(options));
    if (!loaded)
        return 1;
    const BatchPlan plan = planBatch(loaded->sheet, *parseBatchSize(*options.plant.batch));
    if (!plan.refusal.empty()) {
        reportProblem(plan.refusal);
        return 1;
    }
    const TicketHeading heading{shownFileName(path), reportDate(options), options.plant.lot.value_or("")};
    return printPages(
        options, [&](int lines) { return BatchTicketPages(loaded->sheet, plan.batch, heading, lines); },
        printoutTitle("Batch ticket", loaded->sheet, heading.fileName));
}

void writeMaterialsCsv(const std::vector<MaterialListEntry>& entries)
{
    std::cout << "code,name,Spec,lb/gal,cost/lb,cost/gal,Vol_Wt,Pig_Wt,Voc_Wt,Vol_Vol,Pig_Vol,Voc_Vol\r\n";
    for (const MaterialListEntry& e : entries) {
        std::cout << csvField(e.code) << ',';
        if (!e.material) {
            std::cout << "(cannot be read),,,,,,,,,,\r\n";
            continue;
        }
        const RowMaterialProps& p = e.material->props;
        std::cout << csvField(e.material->Name);
        for (double v : {p.Spec, poundsPerGallon(*e.material), p.Cost, costPerGallon(*e.material), p.Vol_Wt, p.Pig_Wt,
                 p.Voc_Wt, p.Vol_Vol, p.Pig_Vol, p.Voc_Vol})
            std::cout << ',' << formatThreeDecimals(v);
        std::cout << "\r\n";
    }
}

int materialsListReport(const ReportOptions& options, const fs::path& materialFolder)
{
    const fs::path folder = options.plant.materialsListFolder.value_or(materialFolder.string());
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        reportProblem("the material folder is not a folder: " + folder.string());
        return 2;
    }
    const std::vector<MaterialListEntry> entries = readMaterialList(folder);
    if (options.mode == ReportMode::Csv) {
        writeMaterialsCsv(entries);
        return 0;
    }
    const MaterialsHeading heading{folder.string(), reportDate(options)};
    return printPages(
        options, [&](int lines) { return MaterialsPrintPages(entries, heading, lines); }, "Materials");
}

int xlsxReport(const ReportOptions& options, const fs::path& materialFolder)
{
    if (const auto refusal = documentOutputRefusal(*options.plant.xlsxPath, options.force)) {
        reportProblem(*refusal);
        return 1;
    }
    const MaterialFiles materials(materialFolder);
    FormulaWorkbook workbook(*options.plant.xlsxPath, FormulaWorkbook::Summary::First);
    int status = 0;
    for (const std::string& path : options.formulaPaths) {
        const auto loaded = loadFormula(path, materials, basisOf(options));
        if (!loaded) {
            status = 1;
            continue;
        }
        const std::string fileName = shownFileName(path);
        workbook.addSummaryLine(fileName, loaded->sheet);
        workbook.addFormulaSheet(fs::path(fileName).stem().string(), fileName, loaded->sheet);
    }
    if (const Result<FileStamp> written = workbook.finish(); !written) {
        reportProblem(written.problem());
        return 1;
    }
    return status;
}

}  // namespace

int plantReport(const ReportOptions& options, const fs::path& materialFolder)
{
    if (options.plant.batch)
        return batchReport(options, materialFolder);
    if (options.plant.materialsList)
        return materialsListReport(options, materialFolder);
    return xlsxReport(options, materialFolder);
}

}  // namespace tintora::report
