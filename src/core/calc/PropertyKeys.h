#pragma once
// The names by which scripts and spreadsheets read the figures: the quantity
// and its unit, the same in the report tool's JSON, CSV and comparison and in
// the workbook.
#include "core/sheet/FormulaSheet.h"

#include <array>

namespace tintora {

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

}  // namespace tintora
