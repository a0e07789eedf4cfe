#pragma once
// The keys of a material file, shared by its reader and its writer.
#include "core/sheet/FormulaSheet.h"

#include <array>
#include <string_view>

namespace tintora {

inline constexpr std::string_view MaterialExtension = ".rm";

struct MaterialPropertyKey {
    const char* key;
    double RowMaterialProps::*field;
};

// The order the keys are read in.
inline constexpr std::array<MaterialPropertyKey, 8> MaterialReadOrder = {{
    {"Spec", &RowMaterialProps::Spec},
    {"Cost", &RowMaterialProps::Cost},
    {"Vol_Wt", &RowMaterialProps::Vol_Wt},
    {"Vol_Vol", &RowMaterialProps::Vol_Vol},
    {"Pig_Wt", &RowMaterialProps::Pig_Wt},
    {"Pig_Vol", &RowMaterialProps::Pig_Vol},
    {"Voc_Wt", &RowMaterialProps::Voc_Wt},
    {"Voc_Vol", &RowMaterialProps::Voc_Vol},
}};

// The order a saved file lists them in.
inline constexpr std::array<MaterialPropertyKey, 8> MaterialWriteOrder = {{
    {"Spec", &RowMaterialProps::Spec},
    {"Cost", &RowMaterialProps::Cost},
    {"Pig_Wt", &RowMaterialProps::Pig_Wt},
    {"Pig_Vol", &RowMaterialProps::Pig_Vol},
    {"Vol_Wt", &RowMaterialProps::Vol_Wt},
    {"Vol_Vol", &RowMaterialProps::Vol_Vol},
    {"Voc_Wt", &RowMaterialProps::Voc_Wt},
    {"Voc_Vol", &RowMaterialProps::Voc_Vol},
}};

}  // namespace tintora
