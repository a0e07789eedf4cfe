#include "core/export/FormulaWorkbook.h"

#include "core/calc/MissingMaterials.h"
#include "core/calc/PigmentVolumeConcentration.h"
#include "core/calc/PropertyKeys.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <locale.h>
#include <sstream>
#include <unistd.h>

namespace tintora {

namespace {

constexpr const char* ThreeDecimals = "0.000";
constexpr std::size_t SheetNameLimit = 31;
constexpr double WidestColumn = 60;

// The workbook library writes its numbers with the C library's printf, which
// follows LC_NUMERIC: under a locale with a decimal comma a cell would read
// <v>31,8</v>, which spreadsheets cut at the comma. While the workbook is
// written out, this thread formats numbers as C does.
class CNumericLocale {
public:
    CNumericLocale()
    {
        locale_t global = duplocale(LC_GLOBAL_LOCALE);
        c_ = global != nullptr ? newlocale(LC_NUMERIC_MASK, "C", global) : nullptr;
        if (c_ == nullptr) {
            if (global != nullptr)
                freelocale(global);
            return;
        }
        previous_ = uselocale(c_);
    }
    ~CNumericLocale()
    {
        if (c_ == nullptr)
            return;
        uselocale(previous_);
        freelocale(c_);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t c_ = nullptr;
    locale_t previous_ = nullptr;
};

// Why the library could not write the workbook: the system's reason where
// there is one ("No space left on device"), else the library's own words
// without their closing periods.
std::string libraryReason(lxw_error error, int systemError)
{
    if (systemError != 0)
        return std::strerror(systemError);
    std::string reason = lxw_strerror(error);
    while (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    return reason;
}

using Row = lxw_row_t;
using Col = lxw_col_t;

enum Columns : Col { CodeCol, DescriptionCol, WeightCol, VolumeCol, PercentCol, SpecCol, CostCol, ColumnsUsed };

// A sheet name: no []:*?/\ and at most 31 characters.
std::string validSheetName(const std::string& title)
{
    std::string name;
    for (char c : title)
        name += c == '\0' || std::strchr("[]:*?/\\", c) != nullptr ? '_' : c;
    name = utf8Prefix(name, SheetNameLimit);
    if (std::string_view(trimBlanks(name)).empty() || name.front() == '\'' || name.back() == '\'')
        name = "Formula";
    return name;
}

double widthFor(std::size_t characters)
{
    return std::min(WidestColumn, static_cast<double>(characters) + 2);
}

std::string columnRange(Col col, Row first, Row last)
{
    const char letter = static_cast<char>('A' + col);
    return std::string(1, letter) + std::to_string(first + 1) + ":" + letter + std::to_string(last + 1);
}

// Code and description as wide as their longest text, up to a limit.
void fitColumns(lxw_worksheet* ws, const FormulaTable& table)
{
    std::size_t widestCode = 8, widestText = 20;
    for (const FormulaTableRow& r : table.rows) {
        widestCode = std::max(widestCode, utf8Length(r.code));
        widestText = std::max(widestText, utf8Length(r.description));
    }
    worksheet_set_column(ws, CodeCol, CodeCol, widthFor(widestCode), nullptr);
    worksheet_set_column(ws, DescriptionCol, DescriptionCol, widthFor(widestText), nullptr);
    worksheet_set_column(ws, WeightCol, CostCol, 13, nullptr);
}

}  // namespace

struct FormulaWorkbook::Parts {
    std::filesystem::path target;
    // Beside the target, named as every temporary file is, so that what a kill
    // leaves is tidied: the workbook as the library writes it, and a folder
    // for the library's own scratch files (else in /tmp, where a kill leaves them).
    std::filesystem::path temporary;
    std::filesystem::path scratch;
    std::string problem;
    lxw_workbook* workbook = nullptr;
    lxw_format* number = nullptr;
    lxw_format* bold = nullptr;
    lxw_format* title = nullptr;
    lxw_worksheet* summary = nullptr;
    Row summaryRow = 1;
    std::size_t widestSummaryName = 4;
    std::set<std::string> sheetNames;  // in lower case: sheet names differ regardless of case

    std::string uniqueSheetName(const std::string& formulaTitle)
    {
        const std::string base = validSheetName(formulaTitle);
        std::string name = base;
        for (int n = 2; !sheetNames.insert(asciiLower(name)).second; ++n) {
            const std::string suffix = " (" + std::to_string(n) + ")";
            name = utf8Prefix(base, SheetNameLimit - suffix.size()) + suffix;
        }
        return name;
    }

    void writeText(lxw_worksheet* sheet, Row row, Col col, const std::string& text, lxw_format* format = nullptr)
    {
        if (!text.empty())
            worksheet_write_string(sheet, row, col, text.c_str(), format);
    }

    void writeNumber(lxw_worksheet* sheet, Row row, Col col, std::optional<double> value)
    {
        if (value)
            worksheet_write_number(sheet, row, col, *value, number);
    }

    // The table's rows from `row` on; returns the row after them.
    Row writeRows(lxw_worksheet* ws, const FormulaTable& table, Row row)
    {
        for (const FormulaTableRow& r : table.rows) {
            writeText(ws, row, CodeCol, r.code);
            writeText(ws, row, DescriptionCol, r.description);
            if (!r.note) {
                writeNumber(ws, row, WeightCol, r.weight);
                writeNumber(ws, row, VolumeCol, r.volume);
                writeNumber(ws, row, PercentCol, r.percent);
                writeNumber(ws, row, SpecCol, r.spec);
                writeNumber(ws, row, CostCol, r.costPerPound);
            }
            ++row;
        }
        return row;
    }

    // The totals are formulas, so that a changed row sums anew; their stored
    // values are the program's own figures, shown before any recalculation.
    void writeTotals(lxw_worksheet* ws, Row row, bool noRows, const FormulaSheet& sheet)
    {
        worksheet_write_string(ws, row, DescriptionCol, "Total", bold);
        const double weight = sheet.box(PropertyBox::WeightBox), volume = sheet.box(PropertyBox::VolumeBox);
        if (noRows) {
            worksheet_write_number(ws, row, WeightCol, weight, number);
            worksheet_write_number(ws, row, VolumeCol, volume, number);
            return;
        }
        const std::string weightSum = "=SUM(" + columnRange(WeightCol, 2, row - 1) + ")";
        const std::string volumeSum = "=SUM(" + columnRange(VolumeCol, 2, row - 1) + ")";
        worksheet_write_formula_num(ws, row, WeightCol, weightSum.c_str(), number, weight);
        worksheet_write_formula_num(ws, row, VolumeCol, volumeSum.c_str(), number, volume);
    }

    void writeProperties(lxw_worksheet* ws, Row row, const FormulaTable& table)
    {
        worksheet_write_string(ws, row, DescriptionCol, "Property", bold);
        worksheet_write_string(ws, row, WeightCol, "Value", bold);
        worksheet_write_string(ws, row, VolumeCol, "Unit", bold);
        for (const FormulaTableProperty& property : table.properties) {
            ++row;
            worksheet_write_string(ws, row, DescriptionCol, property.name, nullptr);
            worksheet_write_number(ws, row, WeightCol, property.value, number);
            writeText(ws, row, VolumeCol, property.unit);
        }
    }
};

FormulaWorkbook::FormulaWorkbook(std::filesystem::path target, Summary summary)
    : parts_(std::make_unique<Parts>())
{
    Parts& p = *parts_;
    p.target = std::move(target);
    for (auto [made, kind] : {std::pair{&p.temporary, Scratch::File}, std::pair{&p.scratch, Scratch::Folder}}) {
        const Result<std::filesystem::path> temporary = makeTemporaryBeside(p.target, kind);
        if (!temporary) {
            p.problem = temporary.problem();
            return;
        }
        *made = temporary.value();
    }
    // Not the library's constant-memory mode: it holds a temporary file open for
    // every sheet until the end, so a workbook of a thousand formulas ran out of
    // the 1 024 files a process may usually open. Kept in memory, a sheet costs
    // about 32 KB until the workbook is closed.
    std::string scratchFolder = p.scratch.string();
    lxw_workbook_options options{};
    options.tmpdir = scratchFolder.data();
    p.workbook = workbook_new_opt(p.temporary.c_str(), &options);
    if (p.workbook == nullptr) {
        p.problem = cannotWrite(p.target, "the workbook cannot be started");
        return;
    }
    p.number = workbook_add_format(p.workbook);
    format_set_num_format(p.number, ThreeDecimals);
    p.bold = workbook_add_format(p.workbook);
    format_set_bold(p.bold);
    p.title = workbook_add_format(p.workbook);
    format_set_bold(p.title);
    format_set_font_size(p.title, 14);
    if (summary == Summary::None)
        return;
    p.summary = workbook_add_worksheet(p.workbook, p.uniqueSheetName("Formulas").c_str());
    worksheet_write_string(p.summary, 0, 0, "file", p.bold);
    worksheet_write_string(p.summary, 0, 1, "name", p.bold);
    // The columns of tintora-report --csv, under the same names.
    for (std::size_t b = 0; b < ReportedProperties.size(); ++b)
        worksheet_write_string(p.summary, 0, Col(2 + b), propertyKey(ReportedProperties[b]), p.bold);
    worksheet_write_string(p.summary, 0, Col(2 + PropertyBoxCount), PvcKey, p.bold);
    worksheet_write_string(p.summary, 0, Col(3 + PropertyBoxCount), MissingMaterialsKey, p.bold);
    worksheet_set_column(p.summary, 2, Col(3 + PropertyBoxCount), 15, nullptr);
}

FormulaWorkbook::~FormulaWorkbook()
{
    if (parts_->workbook != nullptr)
        lxw_workbook_free(parts_->workbook);
    for (const std::filesystem::path& temporary : {parts_->temporary, parts_->scratch})
        if (!temporary.empty())
            removeTemporary(temporary);
}

void FormulaWorkbook::addSummaryLine(const std::string& fileName, const FormulaSheet& sheet)
{
    Parts& p = *parts_;
    if (p.workbook == nullptr || p.summary == nullptr)
        return;
    const Row row = p.summaryRow++;
    p.writeText(p.summary, row, 0, fileName);
    p.writeText(p.summary, row, 1, sheet.name());
    for (std::size_t b = 0; b < ReportedProperties.size(); ++b)
        p.writeNumber(p.summary, row, Col(2 + b), sheet.box(ReportedProperties[b]));
    if (const auto pvc = pigmentVolumeConcentration(sheet))
        p.writeNumber(p.summary, row, Col(2 + PropertyBoxCount), roundToThreeDecimals(*pvc));
    worksheet_write_number(
        p.summary, row, Col(3 + PropertyBoxCount), static_cast<double>(rowsWithMissingMaterial(sheet).size()), nullptr);
    p.widestSummaryName = std::max({p.widestSummaryName, utf8Length(fileName), utf8Length(sheet.name())});
}

void FormulaWorkbook::addFormulaSheet(const std::string& title, const std::string& fileName, const FormulaSheet& sheet)
{
    Parts& p = *parts_;
    if (p.workbook == nullptr)
        return;
    const FormulaTable table = formulaTable(sheet);
    lxw_worksheet* ws = workbook_add_worksheet(p.workbook, p.uniqueSheetName(title).c_str());
    fitColumns(ws, table);
    p.writeText(ws, 0, CodeCol, table.name.empty() ? fileName : table.name, p.title);
    p.writeText(ws, 0, WeightCol, fileName);
    const char* headings[ColumnsUsed]
        = {"Code", "Description", "Weight (lb)", "Volume (gal)", table.percentTitle, "Spec", "Cost/lb"};
    for (Col c = 0; c < ColumnsUsed; ++c)
        worksheet_write_string(ws, 1, c, headings[c], p.bold);
    const Row totalRow = p.writeRows(ws, table, 2);
    p.writeTotals(ws, totalRow, table.rows.empty(), sheet);
    p.writeProperties(ws, totalRow + 2, table);
}

Result<FileStamp> FormulaWorkbook::finish()
{
    Parts& p = *parts_;
    if (!p.problem.empty())
        return Failure(p.problem);
    if (p.summary != nullptr)
        worksheet_set_column(p.summary, 0, 1, widthFor(p.widestSummaryName), nullptr);
    errno = 0;
    const lxw_error closed = [&] {
        const CNumericLocale pointDecimals;
        return workbook_close(p.workbook);
    }();
    const int systemError = errno;
    p.workbook = nullptr;
    if (closed != LXW_NO_ERROR)
        return Failure(cannotWrite(p.target, libraryReason(closed, systemError)));
    std::ifstream in(p.temporary, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in)
        return Failure(cannotWrite(p.target, "the workbook cannot be read back"));
    return replaceFileContents(p.target, bytes.view());
}

Result<FileStamp> writeFormulaWorkbook(
    const std::filesystem::path& target, const std::string& fileName, const FormulaSheet& sheet)
{
    FormulaWorkbook workbook(target, FormulaWorkbook::Summary::None);
    workbook.addFormulaSheet(sheet.name().empty() ? "Formula" : sheet.name(), fileName, sheet);
    return workbook.finish();
}

}  // namespace tintora
