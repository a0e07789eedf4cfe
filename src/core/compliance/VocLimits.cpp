#include "core/compliance/VocLimits.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

// A limit of 0 g/L or more; nullopt when the key is missing, empty or no number.
std::optional<double> limitIn(const IniFile& file, const std::string& section, const char* key)
{
    const std::optional<std::string> text = file.value(section, key);
    const std::optional<double> value = text ? parseNumberText(*text) : std::nullopt;
    if (!value || !std::isfinite(*value) || *value < 0 || trimBlanks(*text).empty())
        return std::nullopt;
    return value;
}

std::optional<VocBasis> basisIn(const IniFile& file, const std::string& section)
{
    const std::string basis(trimBlanks(file.readString(section, "Basis", "")));
    if (equalsIgnoringAsciiCase(basis, "EU"))
        return VocBasis::EU;
    if (equalsIgnoringAsciiCase(basis, "US"))
        return VocBasis::US;
    return std::nullopt;
}

}  // namespace

const VocCategory* VocLimitsTable::find(const std::string& id) const
{
    for (const VocCategory& category : categories)
        if (equalsIgnoringAsciiCase(category.id, id))
            return &category;
    return nullptr;
}

VocLimitsTable vocLimitsOf(const IniFile& file)
{
    VocLimitsTable table;
    for (const std::string& section : file.repeatedSections())
        table.problems.push_back("[" + section + "] appears twice: the first counts.");
    for (const std::string& section : file.sectionNames()) {
        const std::optional<double> wb = limitIn(file, section, "WB");
        const std::optional<double> sb = limitIn(file, section, "SB");
        const std::optional<VocBasis> basis = basisIn(file, section);
        if (!wb || !sb || !basis) {
            table.problems.push_back("[" + section + "] is skipped: "
                + std::string(!basis ? "its Basis is neither EU nor US."
                                     : "its WB and SB must each be a limit of 0 g/L or more."));
            continue;
        }
        table.categories.push_back({section, file.readString(section, "Name", section), *wb, *sb, *basis});
    }
    return table;
}

VocLimitsTable readVocLimits(const std::filesystem::path& file)
{
    const IniFileRead read = IniFile::load(file);
    if (read.status != IniReadStatus::Read)
        return {{},
            {"There are no VOC categories: " + file.filename().string() + " cannot be read ("
                + iniReadProblem(read.status) + ")."}};
    return vocLimitsOf(read.contents);
}

const char* productTypeKey(ProductType type)
{
    return type == ProductType::WaterBorne ? "WB" : "SB";
}

std::optional<ProductType> productTypeOfKey(const std::string& key)
{
    if (equalsIgnoringAsciiCase(trimBlanks(key), "WB"))
        return ProductType::WaterBorne;
    if (equalsIgnoringAsciiCase(trimBlanks(key), "SB"))
        return ProductType::SolventBorne;
    return std::nullopt;
}

}  // namespace tintora
