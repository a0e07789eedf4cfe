#include "PrintoutReport.h"

#include "ComplianceFields.h"
#include "PropertyKeys.h"
#include "ReportFormula.h"

#include "core/calc/PigmentVolumeConcentration.h"
#include "core/formulas/FormulaFile.h"
#include "core/print/LabPrintout.h"
#include "core/print/PrintDate.h"
#include "core/text/NumberText.h"

#include <QDate>
#include <QLocale>
#include <nlohmann/json.hpp>

#include <iostream>

namespace tintora::report {

namespace {

// Today in the system's short date form, written as the window writes it.
std::string todayShortDate()
{
    const QDate today = QDate::currentDate();
    const QString pattern = QLocale::system().dateFormat(QLocale::ShortFormat);
    return formatShortDate({today.year(), today.month(), today.day()}, pattern.toStdString());
}

nlohmann::ordered_json rowsAsJson(const FormulaSheet& sheet)
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
            {"weight_lb", jsonCellNumber(sheet.cell(Column::Weight, n))},
            {"volume_gal", jsonCellNumber(sheet.cell(Column::Volume, n))},
            {"percent", jsonCellNumber(sheet.cell(Column::Percent, n))},
        });
    }
    return rows;
}

nlohmann::ordered_json sheetAsJson(const LoadedFormula& loaded, const std::string& formulaPath)
{
    const FormulaSheet& sheet = loaded.sheet;
    nlohmann::ordered_json properties = nlohmann::ordered_json::object();
    for (const PropertyBox box : ReportedProperties)
        properties[propertyKey(box)] = jsonNumber(sheet.box(box));
    properties[PvcKey] = jsonNumber(pigmentVolumeConcentration(sheet));
    const ComplianceFields compliance = complianceFields(sheet, formulaPath);
    properties[EuVocKey] = jsonNumber(compliance.euVoc);
    properties[CpvcKey] = jsonNumber(compliance.cpvc);
    properties[LambdaKey] = jsonNumber(compliance.lambda);
    properties[CategoryKey] = compliance.category ? nlohmann::ordered_json(*compliance.category) : nullptr;
    properties[VocLimitKey] = jsonNumber(compliance.limit);
    properties[VocMarginKey] = jsonNumber(compliance.margin);
    return {
        {"file", shownFileName(formulaPath)},
        {"name", sheet.name()},
        {"protected", loaded.formulaProtected},
        {"percentBasis", sheet.percentBasis == PercentBasis::Volume ? "volume" : "weight"},
        {MissingMaterialsKey, loaded.missingMaterialRows.size()},
        {"rows", rowsAsJson(sheet)},
        {"properties", properties},
    };
}

}  // namespace

void printFormula(const ReportOptions& options, const LoadedFormula& formula, const std::string& path,
    const nlohmann::ordered_json& moreMembers)
{
    if (options.json) {
        nlohmann::ordered_json sheet = sheetAsJson(formula, path);
        sheet.update(moreMembers);
        std::cout << sheet.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else
        std::cout << renderPageAsText(
            LabPrintPage(formula.sheet, shownFileName(path), options.date ? *options.date : todayShortDate()));
}

int printoutReport(const ReportOptions& options, const std::filesystem::path& materialFolder)
{
    const PercentBasis basis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const MaterialFiles materials(materialFolder);
    const std::string date = options.date ? *options.date : todayShortDate();
    // one formula prints as it always has: the JSON indented, over many lines
    const int indent = options.formulaPaths.size() == 1 ? 2 : -1;
    int status = 0;
    bool first = true;
    for (const std::string& path : options.formulaPaths) {
        const auto loaded = loadFormula(path, materials, basis);
        if (!loaded) {
            status = 1;
            continue;
        }
        if (options.json) {
            std::cout
                << sheetAsJson(*loaded, path).dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                << "\n";
        } else {
            if (!first)
                std::cout << '\f';
            std::cout << renderPageAsText(LabPrintPage(loaded->sheet, shownFileName(path), date));
        }
        first = false;
    }
    return status;
}

}  // namespace tintora::report
