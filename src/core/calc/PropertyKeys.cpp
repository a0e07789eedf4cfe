#include "core/calc/PropertyKeys.h"

namespace tintora {

const char* propertyKey(PropertyBox box)
{
    switch (box) {
    case PropertyBox::WeightBox:
        return "weight_lb";
    case PropertyBox::VolumeBox:
        return "volume_gal";
    case PropertyBox::DensityBox:
        return "density_lb_per_gal";
    case PropertyBox::SPGBox:
        return "specific_gravity";
    case PropertyBox::PBBox:
        return "pb_ratio";
    case PropertyBox::VocBox:
        return "voc_g_per_l";
    case PropertyBox::BinderWtBox:
        return "binder_wt_pct";
    case PropertyBox::CostWtBox:
        return "cost_per_lb";
    case PropertyBox::PigmentWtBox:
        return "pigment_wt_pct";
    case PropertyBox::SolidsWtBox:
        return "solids_wt_pct";
    case PropertyBox::VolatileWtBox:
        return "volatile_wt_pct";
    case PropertyBox::BinderVolBox:
        return "binder_vol_pct";
    case PropertyBox::CostVolBox:
        return "cost_per_gal";
    case PropertyBox::PigmentVolBox:
        return "pigment_vol_pct";
    case PropertyBox::SolidsVolBox:
        return "solids_vol_pct";
    case PropertyBox::VolatileVolBox:
        return "volatile_vol_pct";
    }
    return "";
}

}  // namespace tintora
