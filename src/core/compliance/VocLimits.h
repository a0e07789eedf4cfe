#pragma once
// The table of VOC limits by category of product (voc-limits.ini beside the
// formulas): one section a category, its Name, its limits in g/L for the
// water-borne (WB) and the solvent-borne (SB) product, and the Basis its VOC
// is counted on (EU: per litre of the product, water included; US: as the VOC
// box shows it, less water and exempt solvents).
#include "core/text/IniFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tintora {

enum class VocBasis { US, EU };
enum class ProductType { WaterBorne, SolventBorne };

struct VocCategory {
    std::string id;  // the section name: "EU 2004/42/EC A/d"
    std::string name;
    double waterBorne = 0, solventBorne = 0;  // g/L
    VocBasis basis = VocBasis::EU;

    double limitFor(ProductType type) const { return type == ProductType::WaterBorne ? waterBorne : solventBorne; }
};

struct VocLimitsTable {
    std::vector<VocCategory> categories;
    // Each section that was skipped, and why; or why there is no table.
    std::vector<std::string> problems;

    const VocCategory* find(const std::string& id) const;
};

constexpr const char* VocLimitsFileName = "voc-limits.ini";

VocLimitsTable readVocLimits(const std::filesystem::path& file);
VocLimitsTable vocLimitsOf(const IniFile& file);

// "WB" and "SB", the type's key in a formula's [Compliance] section.
const char* productTypeKey(ProductType type);
std::optional<ProductType> productTypeOfKey(const std::string& key);

}  // namespace tintora
