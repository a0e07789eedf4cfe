#include "formulas/FormulaFile.h"

#include "calc/Calculate.h"
#include "materials/MaterialFile.h"
#include "text/IniFile.h"

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
    if (!formulaPath.empty())
        ClearGrid(sheet);
    // An empty path names no file: every key reads as its default.
    const IniFile ini = formulaPath.empty() ? IniFile() : IniFile::read(formulaPath);
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

}  // namespace tintora
