#include "CsvReport.h"

#include "ComplianceFields.h"
#include "CsvField.h"
#include "PropertyKeys.h"
#include "ReportFormula.h"

#include "core/calc/PigmentVolumeConcentration.h"
#include "core/formulas/FormulaFile.h"
#include "core/text/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace tintora::report {

namespace {

constexpr const char* LineEnd = "\r\n";

// How the numbers and fields are written: as RFC 4180 has it, or with --locale
// as a spreadsheet of the user's locale reads a CSV file (where the decimal
// sign is a comma, the fields are separated by ';').
struct CsvForm {
    char decimalSign = '.';
    char separator = ',';

    static CsvForm of(const ReportOptions& options)
    {
        if (!options.csvLocale)
            return {};
        const QString sign = QLocale::system().decimalPoint();
        const char decimal = sign.size() == 1 && sign.front().unicode() < 0x80 ? sign.front().toLatin1() : '.';
        return {decimal, decimal == ',' ? ';' : ','};
    }
    std::string number(double value) const
    {
        std::string text = formatThreeDecimals(value);
        std::replace(text.begin(), text.end(), '.', decimalSign);
        return text;
    }
};

void writeHeader(std::ostream& out, const CsvForm& form)
{
    out << "file" << form.separator << "name";
    for (const PropertyBox box : ReportedProperties)
        out << form.separator << propertyKey(box);
    out << form.separator << PvcKey << form.separator << MissingMaterialsKey;
    for (const char* key : {EuVocKey, CpvcKey, LambdaKey, CategoryKey, VocLimitKey, VocMarginKey})
        out << form.separator << key;
    out << LineEnd;
}

void writeLine(std::ostream& out, const CsvForm& form, const std::string& path, const LoadedFormula& loaded)
{
    const FormulaSheet& sheet = loaded.sheet;
    out << csvField(shownFileName(path), form.separator) << form.separator << csvField(sheet.name(), form.separator);
    for (const PropertyBox box : ReportedProperties)
        out << form.separator << form.number(sheet.box(box));
    out << form.separator;
    if (const auto pvc = pigmentVolumeConcentration(sheet))
        out << form.number(*pvc);
    out << form.separator << loaded.missingMaterialRows.size();
    const ComplianceFields compliance = complianceFields(sheet, path);
    const auto number = [&](const std::optional<double>& value) {
        out << form.separator << (value ? form.number(*value) : std::string());
    };
    number(compliance.euVoc);
    number(compliance.cpvc);
    number(compliance.lambda);
    out << form.separator << csvField(compliance.category.value_or(""), form.separator);
    number(compliance.limit);
    number(compliance.margin);
    out << LineEnd;
}

}  // namespace

int csvReport(const ReportOptions& options, const std::filesystem::path& materialFolder)
{
    const PercentBasis basis = options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight;
    const MaterialFiles materials(materialFolder);
    const CsvForm form = CsvForm::of(options);
    writeHeader(std::cout, form);
    int status = 0;
    for (const std::string& path : options.formulaPaths) {
        if (const auto loaded = loadFormula(path, materials, basis))
            writeLine(std::cout, form, path, *loaded);
        else
            status = 1;
    }
    return status;
}

}  // namespace tintora::report
