#include "core/formulas/FormulaFile.h"

#include "core/calc/Calculate.h"
#include "core/calc/PanelCalculate.h"
#include "core/materials/MaterialFile.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <cmath>
#include <optional>
#include <vector>

namespace tintora {

namespace {

constexpr const char* FormulaSection = "Formula";
constexpr const char* PropertiesSection = "Properties";

std::string rowKey(const char* prefix, int n)
{
    return prefix + std::to_string(n);
}

// A weight beyond what a row may hold is treated as a malformed number: it
// counts as none, so that no total can overflow to a figure that means nothing.
std::string weightFromFile(std::string text)
{
    const auto weight = parseNumberText(text);
    if (weight && std::abs(*weight) > RowWeightLimit)
        return {};
    return text;
}

void readRow(FormulaSheet& sheet, int n, const IniFile& ini, const MaterialFiles& files)
{
    SheetRow& row = sheet.row(n);
    row.RowKind = ini.readInteger(FormulaSection, rowKey("rType", n), 1) != 0;
    const std::string text = ini.readString(FormulaSection, rowKey("Material", n), "");
    if (!row.RowKind) {
        sheet.setCell(Column::Description, n, text);
        return;
    }
    sheet.setCell(Column::Material, n, text);
    if (!text.empty() && !files.exists(text)) {
        row.RowKind = false;
        sheet.setCell(Column::Description, n, MaterialNotFound);
    }
    sheet.setCell(Column::Weight, n, weightFromFile(ini.readString(FormulaSection, rowKey("Weight", n), "")));
}

// The codes of the material rows, so that the folder is searched once for all.
std::vector<std::string> materialCodes(const IniFile& ini)
{
    std::vector<std::string> codes;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (ini.readInteger(FormulaSection, rowKey("rType", n), 1) != 0)
            codes.push_back(ini.readString(FormulaSection, rowKey("Material", n), ""));
    return codes;
}

bool loadFormula(FormulaSheet& sheet, const IniFile& ini, const MaterialFiles& files)
{
    files.findAll(materialCodes(ini));
    sheet.setName(ini.readString(FormulaSection, "Name", ""));
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

const IniSectionNames& formulaSections()
{
    static const IniSectionNames sections{FormulaSection, PropertiesSection, "Memo", "Spec"};
    return sections;
}

FormulaFileRead readFormulaFile(const std::filesystem::path& path)
{
    IniFileRead read = IniFile::load(path, MaxFormulaFileBytes, formulaSections());
    switch (read.status) {
    case IniReadStatus::Missing:
        return {FormulaFileState::Missing, {}};
    case IniReadStatus::Unreadable:
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
    const std::string opening = "Cannot open \"" + std::string(shownPath) + "\": ";
    switch (state) {
    case FormulaFileState::Formula:
        return {};
    case FormulaFileState::Missing:
        return opening + "the file does not exist.";
    case FormulaFileState::Unreadable:
        return opening + "the file cannot be read.";
    case FormulaFileState::NoFormulaSection:
        return opening + "it is not a formula file.";
    case FormulaFileState::TooLarge:
        return opening + "it is larger than " + std::to_string(MaxFormulaFileBytes / (1024 * 1024))
            + " MiB, far more than any formula.";
    case FormulaFileState::TooManyEntries:
        return opening + "its formula sections hold more than " + std::to_string(MaxIniEntries)
            + " entries, far more than any formula.";
    case FormulaFileState::NotText:
        return opening + "it is not a text file (UTF-8, Windows-1252, or UTF-16 with its byte-order mark).";
    }
    return {};
}

std::string recentFilePath(std::string_view entry, std::string_view formulaFolder)
{
    if (entry.find('/') != std::string_view::npos)
        return std::string(entry);
    return std::string(formulaFolder) + "/" + std::string(entry);
}

}  // namespace tintora
