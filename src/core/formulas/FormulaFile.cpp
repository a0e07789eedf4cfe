#include "core/formulas/FormulaFile.h"

#include "core/calc/Calculate.h"
#include "core/calc/PanelCalculate.h"
#include "core/materials/MaterialFile.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <cerrno>
#include <cmath>
#include <optional>
#include <vector>

#include <unistd.h>

namespace tintora {

namespace {

constexpr const char* FormulaSection = "Formula";
constexpr const char* PropertiesSection = "Properties";

std::string rowKey(const char* prefix, int n)
{
    return prefix + std::to_string(n);
}

void readRow(FormulaSheet& sheet, int n, const IniFile& ini, const MaterialFiles& files)
{
    const FormulaFileRow stored = readFormulaRow(ini, n);
    SheetRow& row = sheet.row(n);
    row.RowKind = stored.materialRow;
    if (!row.RowKind) {
        sheet.setCell(Column::Description, n, stored.text);
        return;
    }
    sheet.setCell(Column::Material, n, stored.text);
    if (!stored.text.empty() && !files.exists(stored.text)) {
        row.RowKind = false;
        const std::string note = ini.readString(FormulaSection, rowKey(RowNoteKey, n), "");
        sheet.setCell(Column::Description, n, note.empty() ? std::string(MaterialNotFound) : note);
    }
    sheet.setCell(Column::Weight, n, stored.weight);
}

// The codes of the material rows, so that the folder is searched once for all.
std::vector<std::string> materialCodes(const IniFile& ini)
{
    std::vector<std::string> codes;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (FormulaFileRow row = readFormulaRow(ini, n); row.materialRow)
            codes.push_back(std::move(row.text));
    return codes;
}

bool loadFormula(FormulaSheet& sheet, const IniFile& ini, const MaterialFiles& files)
{
    files.findAll(materialCodes(ini));
    sheet.setName(readFormulaName(ini));
    sheet.compliance
        = {ini.readString(ComplianceSection, "Category", ""), ini.readString(ComplianceSection, "Type", "")};
    const bool formulaProtected = ini.readInteger(PropertiesSection, "Protect", 0) != 0;
    for (int n = 1; n <= SheetRowCount; ++n)
        readRow(sheet, n, ini, files);
    for (int n = 1; n <= SheetRowCount; ++n)
        MaterialLoad(sheet, n, files);
    Calculate(sheet);
    sheet.SheetModified = false;
    return formulaProtected;
}

}  // namespace

std::string readFormulaName(const IniFile& formula)
{
    return formula.readString(FormulaSection, "Name", "");
}

FormulaFileRow readFormulaRow(const IniFile& formula, int n)
{
    FormulaFileRow row;
    row.materialRow = formula.readInteger(FormulaSection, rowKey("rType", n), 1) != 0;
    row.text = formula.readString(FormulaSection, rowKey("Material", n), "");
    if (row.materialRow) {
        // A weight beyond what a row may hold is treated as a malformed
        // number: it counts as none, so that no total can overflow to a
        // figure that means nothing.
        row.weight = formula.readString(FormulaSection, rowKey("Weight", n), "");
        if (const auto weight = parseNumberText(row.weight); weight && std::abs(*weight) > RowWeightLimit)
            row.weight.clear();
    }
    return row;
}

double FormulaFileRow::weightCounted() const
{
    return materialRow && !text.empty() ? numberFromText(weight) : 0;
}

std::string fileNameOf(std::string_view path)
{
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string shownFileName(std::string_view path)
{
    return decodeFileText(fileNameOf(path));
}

std::string TitleText(std::string_view formulaPath)
{
    return std::string(ProductTitle) + " " + ProductVersion + " - [" + shownFileName(formulaPath) + "]";
}

bool FormulaLoad(FormulaSheet& sheet, const std::string& formulaPath, const std::filesystem::path& materialFolder)
{
    // An empty path names no file: every key reads as its default.
    if (formulaPath.empty())
        return loadFormula(sheet, IniFile(), MaterialFiles(materialFolder));
    ClearGrid(sheet);
    return loadFormula(
        sheet, IniFile::read(formulaPath, MaxFormulaFileBytes, formulaSections()), MaterialFiles(materialFolder));
}

bool FormulaLoad(FormulaSheet& sheet, const IniFile& formula, const std::filesystem::path& materialFolder)
{
    return FormulaLoad(sheet, formula, MaterialFiles(materialFolder));
}

bool FormulaLoad(FormulaSheet& sheet, const IniFile& formula, const MaterialFiles& materials)
{
    ClearGrid(sheet);
    return loadFormula(sheet, formula, materials);
}

std::vector<int> unreadWeightRows(const IniFile& formula)
{
    std::vector<int> rows;
    for (int n = 1; n <= SheetRowCount; ++n) {
        if (!readFormulaRow(formula, n).materialRow)
            continue;
        const std::string text = formula.readString(FormulaSection, rowKey("Weight", n), "");
        const auto weight = parseNumberText(text);
        if (!text.empty() && (!weight || std::abs(*weight) > RowWeightLimit))
            rows.push_back(n);
    }
    return rows;
}

std::string unreadWeightsNotice(const std::vector<int>& rows)
{
    if (rows.empty())
        return {};
    std::string list = std::to_string(rows.front());
    for (std::size_t i = 1; i < rows.size(); ++i)
        list += (i + 1 == rows.size() ? " and " : ", ") + std::to_string(rows[i]);
    const bool one = rows.size() == 1;
    const std::string limit = formatCell(RowWeightLimit);
    return std::string(one ? "The weight in row " : "The weights in rows ") + list
        + (one ? " could not be read (it is not a number, or more than " + limit + ") and is left empty"
               : " could not be read (they are not numbers, or more than " + limit + ") and are left empty")
        + ". Saving the formula writes " + (one ? "it" : "them") + " empty.";
}

const IniSectionNames& formulaSections()
{
    static const IniSectionNames sections{
        FormulaSection, PropertiesSection, "Memo", "Spec", "Optimise", ComplianceSection};
    return sections;
}

FormulaFileRead readFormulaFile(const std::filesystem::path& path)
{
    IniFileRead read = IniFile::load(path, MaxFormulaFileBytes, formulaSections());
    switch (read.status) {
    case IniReadStatus::Missing:
        return {FormulaFileState::Missing, {}};
    case IniReadStatus::Unreadable:
        if (::access(path.c_str(), R_OK) != 0 && errno == EACCES)
            return {FormulaFileState::PermissionDenied, {}};
        return {FormulaFileState::Unreadable, {}};
    case IniReadStatus::TooLarge:
        return {FormulaFileState::TooLarge, {}};
    case IniReadStatus::TooManyEntries:
        return {FormulaFileState::TooManyEntries, {}};
    case IniReadStatus::NotText:
        return {FormulaFileState::NotText, {}};
    case IniReadStatus::Read:
        break;
    }
    if (!read.contents.hasSection(FormulaSection))
        return {FormulaFileState::NoFormulaSection, {}};
    return {FormulaFileState::Formula, std::move(read.contents)};
}

std::string formulaFileProblem(FormulaFileState state, std::string_view shownPath)
{
    if (state == FormulaFileState::Formula)
        return {};
    return "Cannot open \"" + std::string(shownPath) + "\": " + formulaFileReason(state);
}

std::string formulaFileReason(FormulaFileState state)
{
    switch (state) {
    case FormulaFileState::Formula:
        return {};
    case FormulaFileState::Missing:
        return "the file does not exist.";
    case FormulaFileState::Unreadable:
        return "the file cannot be read.";
    case FormulaFileState::PermissionDenied:
        return "Permission denied.";
    case FormulaFileState::NoFormulaSection:
        return "it is not a formula file.";
    case FormulaFileState::TooLarge:
        return "it is larger than " + std::to_string(MaxFormulaFileBytes / (std::size_t{1024} * 1024))
            + " MiB, far more than any formula.";
    case FormulaFileState::TooManyEntries:
        return "its formula sections hold more than " + std::to_string(MaxIniEntries)
            + " entries, far more than any formula.";
    case FormulaFileState::NotText:
        return "it is not a text file (UTF-8, Windows-1252, or UTF-16 with its byte-order mark).";
    }
    return {};
}

std::string recentFilePath(std::string_view entry, std::string_view formulaFolder)
{
    if (entry.find('/') != std::string_view::npos)
        return std::string(entry);
    return std::string(formulaFolder) + "/" + std::string(entry);
}

bool isProtectedFormula(const std::filesystem::path& path)
{
    const FormulaFileRead read = readFormulaFile(path);
    return read.state == FormulaFileState::Formula && read.contents.readInteger(PropertiesSection, "Protect", 0) != 0;
}

}  // namespace tintora
