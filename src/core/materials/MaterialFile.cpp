#include "materials/MaterialFile.h"

#include "text/IniFile.h"
#include "text/NumberText.h"

#include <array>
#include <system_error>

namespace tintora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view MaterialExtension = ".rm";

struct PropertyKey {
    const char* key;
    double RowMaterialProps::*field;
};

// In the order the keys are read.
constexpr std::array<PropertyKey, 8> ReadOrder = {{
    {"Spec", &RowMaterialProps::Spec},       {"Cost", &RowMaterialProps::Cost},
    {"Vol_Wt", &RowMaterialProps::Vol_Wt},   {"Vol_Vol", &RowMaterialProps::Vol_Vol},
    {"Pig_Wt", &RowMaterialProps::Pig_Wt},   {"Pig_Vol", &RowMaterialProps::Pig_Vol},
    {"Voc_Wt", &RowMaterialProps::Voc_Wt},   {"Voc_Vol", &RowMaterialProps::Voc_Vol},
}};

// In the order the keys are written.
constexpr std::array<PropertyKey, 8> WriteOrder = {{
    {"Spec", &RowMaterialProps::Spec},       {"Cost", &RowMaterialProps::Cost},
    {"Pig_Wt", &RowMaterialProps::Pig_Wt},   {"Pig_Vol", &RowMaterialProps::Pig_Vol},
    {"Vol_Wt", &RowMaterialProps::Vol_Wt},   {"Vol_Vol", &RowMaterialProps::Vol_Vol},
    {"Voc_Wt", &RowMaterialProps::Voc_Wt},   {"Voc_Vol", &RowMaterialProps::Voc_Vol},
}};

bool isRegularFile(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

MaterialFiles::MaterialFiles(fs::path folder)
    : folder_(std::move(folder))
{
}

bool MaterialFiles::codeNamesAFile(std::string_view code)
{
    return !code.empty() && code != "." && code != ".." && code.find('/') == std::string_view::npos
        && code.find('\0') == std::string_view::npos;
}

std::optional<fs::path> MaterialFiles::find(std::string_view code) const
{
    if (const auto known = found_.find(code); known != found_.end())
        return known->second;
    return found_[std::string(code)] = lookUp(code);
}

std::optional<fs::path> MaterialFiles::lookUp(std::string_view code) const
{
    if (!codeNamesAFile(code))
        return std::nullopt;
    const std::string exact = std::string(code) + std::string(MaterialExtension);
    if (isRegularFile(folder_ / exact))
        return folder_ / exact;
    const std::string lower = asciiLower(exact);
    if (lower != exact && isRegularFile(folder_ / lower))
        return folder_ / lower;
    return findInListing(lower);
}

std::optional<fs::path> MaterialFiles::findInListing(const std::string& lowerName) const
{
    if (!listing_) {
        listing_.emplace();
        std::error_code ec;
        for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            const std::string key = asciiLower(name);
            auto found = listing_->find(key);
            if (found == listing_->end() || name < found->second)
                (*listing_)[key] = name;
        }
    }
    const auto found = listing_->find(lowerName);
    if (found == listing_->end() || !isRegularFile(folder_ / found->second))
        return std::nullopt;
    return folder_ / found->second;
}

Material readMaterial(const fs::path& file)
{
    const IniFile ini = IniFile::read(file);
    Material material;
    material.Name = ini.readString(MaterialSection, "Name", "");
    if (material.Name.empty())
        material.Name = DefaultMaterialName;
    for (const PropertyKey& k : ReadOrder)
        material.props.*k.field = numberFromText(ini.readString(MaterialSection, k.key, ""));
    return material;
}

void MaterialLoad(FormulaSheet& sheet, int n, const MaterialFiles& files)
{
    SheetRow& row = sheet.row(n);
    const auto file = files.find(row.cells[FormulaSheet::index(Column::Material)]);
    if (file) {
        const Material material = readMaterial(*file);
        row.cells[FormulaSheet::index(Column::Description)] = fCase(material.Name);
        row.props = material.props;
        row.RowKind = true;
        return;
    }
    if (row.RowKind) {
        for (int c = 1; c < ColumnCount; ++c)
            row.cells[c].clear();
        row.props = {};
        row.RowKind = false;
    }
}

bool SetNumbers(const fs::path& folder, std::string_view fileName, const Material& material)
{
    const fs::path file = folder / asciiLower(fileName);
    if (!writeIniString(file, MaterialSection, "Name", asciiLower(material.Name)))
        return false;
    for (const PropertyKey& k : WriteOrder)
        if (!writeIniString(file, MaterialSection, k.key, formatCell(material.props.*k.field)))
            return false;
    return true;
}

}  // namespace tintora
