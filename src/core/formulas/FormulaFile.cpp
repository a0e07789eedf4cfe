#include "formulas/FormulaFile.h"

#include "calc/Calculate.h"
#include "materials/MaterialFile.h"
#include "text/IniFile.h"

#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

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
    sheet.setCell(Column::Weight, n, ini.readString(FormulaSection, rowKey("Weight", n), ""));
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

bool loadFormula(FormulaSheet& sheet, const IniFile& ini, const std::filesystem::path& materialFolder)
{
    const MaterialFiles files(materialFolder);
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

// Why path cannot be read as a file, before its contents are looked at.
std::optional<FormulaFileState> accessProblem(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FormulaFileState::Missing;
    if (error || status.type() != std::filesystem::file_type::regular)
        return FormulaFileState::Unreadable;
    if (!std::ifstream(path, std::ios::binary).is_open())
        return FormulaFileState::Unreadable;
    return std::nullopt;
}

}  // namespace

std::string fileNameOf(std::string_view path)
{
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string TitleText(std::string_view formulaPath)
{
    return std::string(ProductTitle) + " " + ProductVersion + " - [" + fileNameOf(formulaPath) + "]";
}

bool FormulaLoad(FormulaSheet& sheet, const std::string& formulaPath, const std::filesystem::path& materialFolder)
{
    // An empty path names no file: every key reads as its default.
    if (formulaPath.empty())
        return loadFormula(sheet, IniFile(), materialFolder);
    ClearGrid(sheet);
    return loadFormula(sheet, IniFile::read(formulaPath), materialFolder);
}

bool FormulaLoad(FormulaSheet& sheet, const IniFile& formula, const std::filesystem::path& materialFolder)
{
    ClearGrid(sheet);
    return loadFormula(sheet, formula, materialFolder);
}

FormulaFileRead readFormulaFile(const std::filesystem::path& path)
{
    if (const auto problem = accessProblem(path))
        return {*problem, {}};
    IniFile contents = IniFile::read(path);
    if (!contents.hasSection(FormulaSection))
        return {FormulaFileState::NoFormulaSection, {}};
    return {FormulaFileState::Formula, std::move(contents)};
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
