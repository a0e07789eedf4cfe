#pragma once
// The names by which scripts read the figures: the quantity and its unit,
// the same in JSON, CSV and the comparison.
#include "core/sheet/FormulaSheet.h"

#include <nlohmann/json.hpp>

#include <array>
#include <optional>
#include <string_view>

namespace tintora::report {

// "weight_lb", "density_lb_per_gal", ...
const char* propertyKey(PropertyBox box);

// The sixteen properties in the order they are reported: the totals and costs,
// the physical figures, then each part by weight beside it by volume.
constexpr std::array<PropertyBox, PropertyBoxCount> ReportedProperties
    = {PropertyBox::WeightBox, PropertyBox::VolumeBox, PropertyBox::CostWtBox, PropertyBox::CostVolBox,
        PropertyBox::DensityBox, PropertyBox::SPGBox, PropertyBox::PBBox, PropertyBox::VocBox, PropertyBox::BinderWtBox,
        PropertyBox::BinderVolBox, PropertyBox::PigmentWtBox, PropertyBox::PigmentVolBox, PropertyBox::SolidsWtBox,
        PropertyBox::SolidsVolBox, PropertyBox::VolatileWtBox, PropertyBox::VolatileVolBox};

// The pigment volume concentration, which no box shows.
constexpr const char* PvcKey = "pvc_pct";

// How many rows name a material that was not found.
constexpr const char* MissingMaterialsKey = "missing_materials";

// A figure as a JSON number at the three decimals it is shown with; null for
// none (an empty cell, no PVC).
nlohmann::ordered_json jsonNumber(std::optional<double> value);

// A cell's number; null when the cell is empty.
nlohmann::ordered_json jsonCellNumber(std::string_view cell);

}  // namespace tintora::report
