#include "CsvReport.h"

#include "CsvField.h"
#include "PropertyKeys.h"
#include "ReportFormula.h"

#include "core/calc/PigmentVolumeConcentration.h"
#include "core/formulas/FormulaFile.h"
#include "core/text/NumberText.h"

#include <iostream>
#include <string>
#include <string_view>

namespace tintora::report {

namespace {

constexpr const char* LineEnd = "\r\n";

void writeHeader(std::ostream& out)
{
    out << "file,name";
    for (const PropertyBox box : ReportedProperties)
        out << ',' << propertyKey(box);
    out << ',' << PvcKey << ',' << MissingMaterialsKey << LineEnd;
}

void writeLine(std::ostream& out, const std::string& path, const LoadedFormula& loaded)
{
    const FormulaSheet& sheet = loaded.sheet;
    out << csvField(shownFileName(path)) << ',' << csvField(sheet.name());
    for (const PropertyBox box : ReportedProperties)
        out << ',' << formatThreeDecimals(sheet.box(box));
    out << ',';
    if (const auto pvc = pigmentVolumeConcentration(sheet))
        out << formatThreeDecimals(*pvc);
    out << ',' << loaded.missingMaterialRows.size() << LineEnd;
}

}  // namespace

int csvReport(const ReportOptions& options, const std::filesystem::path& materialFolder)
{
    const PercentBasis basis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const MaterialFiles materials(materialFolder);
    writeHeader(std::cout);
    int status = 0;
    for (const std::string& path : options.formulaPaths) {
        if (const auto loaded = loadFormula(path, materials, basis))
            writeLine(std::cout, path, *loaded);
        else
            status = 1;
    }
    return status;
}

}  // namespace tintora::report
