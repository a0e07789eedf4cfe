// tintora-report: loads a formula as the program does and prints its
// laboratory printout as text, or the sheet and its properties as JSON.
#include "ReportOptions.h"

#include "calc/Calculate.h"
#include "formulas/FormulaFile.h"
#include "print/LabPrintout.h"
#include "text/NumberText.h"

#include <nlohmann/json.hpp>

#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <locale>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;
using namespace tintora;

namespace {

fs::path programFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
}

// Today in the short date form of the user's locale.
std::string todayShortDate()
{
    std::locale userLocale = std::locale::classic();
    try {
        userLocale = std::locale("");
    } catch (const std::runtime_error&) {
        // an unknown locale in the environment: fall back to the classic form
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream out;
    out.imbue(userLocale);
    out << std::put_time(&local, "%x");
    return out.str();
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
    const fs::path materialFolder = options.materialFolder ? fs::path(*options.materialFolder)
                                                           : programFolder() / "Formulas";
    std::error_code ec;
    if (!fs::is_directory(materialFolder, ec)) {
        std::cerr << "tintora-report: the material folder is not a folder: " << materialFolder.string() << "\n";
        return 2;
    }

    FormulaSheet sheet;
    sheet.percentBasis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const bool formulaProtected = FormulaLoad(sheet, options.formulaPath, materialFolder);

    if (options.json) {
        std::cout << sheetAsJson(sheet, options.formulaPath, formulaProtected).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
        return 0;
    }
    const std::string date = options.date ? *options.date : todayShortDate();
    std::cout << renderPageAsText(LabPrintPage(sheet, shownFileName(options.formulaPath), date));
    return 0;
}
