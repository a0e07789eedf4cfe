#pragma once
// Formulas as a spreadsheet workbook (.xlsx): per formula a sheet with the
// Copy Out table, each row's specific gravity and cost per pound, the totals
// as SUM formulas that carry the program's own figures, and the sixteen
// properties; optionally a first sheet with one line of properties per
// formula. The workbook is written beside the target and renamed over it
// when complete, so a failure never leaves half a file.
#include "core/print/FormulaTable.h"
#include "core/text/SafeWrite.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace tintora {

class FormulaWorkbook {
public:
    enum class Summary { None, First };
    FormulaWorkbook(std::filesystem::path target, Summary summary);
    ~FormulaWorkbook();
    FormulaWorkbook(const FormulaWorkbook&) = delete;
    FormulaWorkbook& operator=(const FormulaWorkbook&) = delete;

    // The summary sheet's line for a formula: its file, name, the sixteen
    // properties by box name and the PVC, as tintora-report --csv has them.
    void addSummaryLine(const std::string& fileName, const FormulaSheet& sheet);
    // A sheet named after `title` (made a valid, unique sheet name).
    void addFormulaSheet(const std::string& title, const std::string& fileName, const FormulaSheet& sheet);
    // Writes the workbook and puts it in place of the target.
    Result<FileStamp> finish();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Excel Out: one formula as a workbook of one sheet.
Result<FileStamp> writeFormulaWorkbook(
    const std::filesystem::path& target, const std::string& fileName, const FormulaSheet& sheet);

}  // namespace tintora
