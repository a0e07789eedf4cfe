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

// The keys a file may leave out; they follow the others when written.
struct OptionalMaterialKey {
    const char* key;
    std::optional<double> RowMaterialProps::*field;
};
inline constexpr std::array<OptionalMaterialKey, 2> OptionalMaterialKeys = {{
    {"EUVoc_Wt", &RowMaterialProps::EUVoc_Wt},
    {"Oil_Abs", &RowMaterialProps::Oil_Abs},
}};

}  // namespace tintora
