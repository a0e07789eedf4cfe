#pragma once
// The material library on paper: every material file of the folder in the
// order of the material list, with its specific gravity, weight per gallon,
// costs and the six fractions; a file that cannot be read is listed as such.
#include "core/materials/MaterialFile.h"
#include "core/print/PagedPrintout.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tintora {

struct MaterialListEntry {
    std::string code;  // the file's name without ".rm", as the list shows it (UTF-8)
    std::optional<Material> material;  // nullopt: the file cannot be read
};

// Every "*.rm" name of the folder in the material list's order (folders and
// files beyond the size limit included, as unreadable).
std::vector<MaterialListEntry> readMaterialList(const std::filesystem::path& folder);

// A material's weight per gallon and cost per gallon.
double poundsPerGallon(const Material& material);
double costPerGallon(const Material& material);

struct MaterialsHeading {
    std::string folderText;  // the folder as shown (UTF-8)
    std::string dateText;
};

std::vector<PrintPage> MaterialsPrintPages(
    const std::vector<MaterialListEntry>& entries, const MaterialsHeading& heading, int linesPerPage);

}  // namespace tintora
