#include "core/sheet/MaterialPicking.h"

#include "core/calc/Calculate.h"
#include "core/materials/MaterialFile.h"
#include "core/sheet/Quantities.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

namespace tintora {

namespace {

constexpr std::string_view ListExtension = ".rm";

bool endsWithExtension(std::string_view fileName)
{
    return fileName.size() >= ListExtension.size()
        && equalsIgnoringAsciiCase(fileName.substr(fileName.size() - ListExtension.size()), ListExtension);
}

std::string statusName(std::string_view name)
{
    std::string cased = fCase(name);
    if (utf8Length(cased) <= LongestStatusName)
        return cased;
    return utf8Prefix(cased, LongestStatusName) + "...";
}

}  // namespace

std::optional<std::size_t> materialListSelection(
    const std::vector<std::string>& items, std::string_view code, bool listHadSelection)
{
    const std::string wanted = std::string(code) + std::string(ListExtension);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsIgnoringAsciiCase(items[i], wanted))
            return i;
    if (listHadSelection && !items.empty())
        return 0;
    return std::nullopt;
}

std::string codeFromListItem(std::string_view fileName)
{
    if (endsWithExtension(fileName))
        fileName.remove_suffix(ListExtension.size());
    return fCase(asciiLower(fileName));
}

void pickMaterial(FormulaSheet& sheet, int row, std::string_view fileName, const std::filesystem::path& materialFolder)
{
    sheet.setCell(Column::Material, row, codeFromListItem(fileName));
    MaterialLoad(sheet, row, MaterialFiles(materialFolder));
    Calculate(sheet);
}

std::string MatStatus(const std::filesystem::path& materialFolder, std::string_view fileName)
{
    // Only a name from the folder's own listing is read; anything that would
    // leave the folder reads as a missing file.
    const IniFile ini
        = MaterialFiles::codeNamesAFile(fileName) ? readMaterialIni(materialFolder / fileName) : IniFile::parse({});
    const double cost = numberFromText(ini.readString(MaterialSection, "Cost", ""));
    const double spec = numberFromText(ini.readString(MaterialSection, "Spec", ""));
    return statusName(ini.readString(MaterialSection, "Name", "")) + "  (Cost/Lb:  " + formatCell(cost)
        + " )  (Wt/Gal:  " + formatCell(spec * SpgPoundsPerGallon) + " )";
}

}  // namespace tintora
