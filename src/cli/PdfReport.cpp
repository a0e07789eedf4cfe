#include "PdfReport.h"

#include "PlantPdf.h"
#include "ReportFormula.h"

#include "core/formulas/FormulaFile.h"
#include "core/print/LabPrintout.h"
#include "ui/print/LabPrinter.h"

namespace tintora::report {

int pdfReport(const ReportOptions& options, const std::filesystem::path& materialFolder)
{
    const std::string& formulaPath = options.formulaPaths.front();
    const PercentBasis basis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const auto loaded = loadFormula(formulaPath, MaterialFiles(materialFolder), basis);
    if (!loaded)
        return 1;
    const std::string fileName = shownFileName(formulaPath);
    const bool written = writePagesPdf(
        options,
        [&](int) {
            // The system's short date form is Qt's, known once the application runs.
            const std::string date = options.date ? *options.date : ::todayShortDate().toStdString();
            return std::vector<PrintPage>{LabPrintPage(loaded->sheet, fileName, date)};
        },
        printoutTitle({}, loaded->sheet, fileName));
    return written ? 0 : 1;
}

}  // namespace tintora::report
