// tintora-report: loads a formula as the program does and prints its
// laboratory printout as text, or the sheet and its properties as JSON.
#include "ReportOptions.h"

#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/formulas/ProgramFiles.h"
#include "core/print/LabPrintout.h"
#include "core/print/PrintDate.h"
#include "core/text/NumberText.h"

#include <QDate>
#include <QLocale>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace fs = std::filesystem;
using namespace tintora;

namespace {

// The Formulas folder the program would use; the report makes none.
fs::path defaultMaterialFolder()
{
    return locateProgramFiles(runningProgramPlaces(), SeedUserFolder::No).formulaFolder;
}

// Today in the system's short date form, written as the window writes it.
std::string todayShortDate()
{
    const QDate today = QDate::currentDate();
    const QString pattern = QLocale::system().dateFormat(QLocale::ShortFormat);
    return formatShortDate({today.year(), today.month(), today.day()}, pattern.toStdString());
}

nlohmann::ordered_json sheetAsJson(const FormulaSheet& sheet, const std::string& formulaPath, bool formulaProtected)
{
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet.row(n);
        rows.push_back({
            {"row", n},
            {"rowKind", row.RowKind},
            {"marked", row.marked},
            {"material", sheet.cell(Column::Material, n)},
            {"description", sheet.cell(Column::Description, n)},
            {"weight", sheet.cell(Column::Weight, n)},
            {"volume", sheet.cell(Column::Volume, n)},
            {"percent", sheet.cell(Column::Percent, n)},
        });
    }
    nlohmann::ordered_json boxes = nlohmann::ordered_json::object();
    for (int b = 0; b < PropertyBoxCount; ++b) {
        const auto box = static_cast<PropertyBox>(b);
        boxes[propertyBoxName(box)] = formatThreeDecimals(sheet.box(box));
    }
    return {
        {"file", shownFileName(formulaPath)},
        {"name", sheet.name()},
        {"protected", formulaProtected},
        {"percentBasis", sheet.percentBasis == PercentBasis::Volume ? "volume" : "weight"},
        {"rows", rows},
        {"boxes", boxes},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    const report::ParseResult parsed = report::parseReportOptions({argv + 1, argv + argc});
    if (!parsed.options) {
        std::cerr << "tintora-report: " << parsed.error << " (" << report::Usage << ")\n";
        return 2;
    }
    const report::ReportOptions& options = *parsed.options;
    const fs::path materialFolder
        = options.materialFolder ? fs::path(*options.materialFolder) : defaultMaterialFolder();
    std::error_code ec;
    if (!fs::is_directory(materialFolder, ec)) {
        std::cerr << "tintora-report: the material folder is not a folder: " << materialFolder.string() << "\n";
        return 2;
    }

    FormulaSheet sheet;
    sheet.percentBasis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const bool formulaProtected = FormulaLoad(sheet, options.formulaPath, materialFolder);

    if (options.json) {
        std::cout << sheetAsJson(sheet, options.formulaPath, formulaProtected)
                         .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << "\n";
        return 0;
    }
    const std::string date = options.date ? *options.date : todayShortDate();
#ifdef TINTORA_REPORT_PDF
    if (options.pdfPath)
        return report::writePdfReport(sheet, options.formulaPath, date, *options.pdfPath, options.pageSize) ? 0 : 1;
#endif
    std::cout << renderPageAsText(LabPrintPage(sheet, shownFileName(options.formulaPath), date));
    return 0;
}
