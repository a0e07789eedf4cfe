#include "core/calc/PigmentVolumeConcentration.h"

#include "core/calc/MissingMaterials.h"
#include "core/text/NumberText.h"

namespace tintora {

std::optional<double> pigmentVolumeConcentration(const FormulaSheet& sheet)
{
    // A weight without a volume would leave its share out of the solids and
    // give a concentration that looks sound and is not.
    if (!rowsWithMissingMaterial(sheet).empty())
        return std::nullopt;
    // Summed in row order as Calculate sums them, so that the solids volume
    // here is the one behind SolidsVolBox.
    double totalVolume = 0, volatileVolume = 0, pigmentVolume = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const RowMaterialProps& p = sheet.row(n).props;
        const double v = sheet.volume(n);
        totalVolume += v;
        volatileVolume += v * p.Vol_Vol;
        pigmentVolume += v * p.Pig_Vol;
    }
    const double solidsVolume = totalVolume - volatileVolume;
    if (solidsVolume == 0)
        return std::nullopt;
    return pigmentVolume / solidsVolume * 100;
}

}  // namespace tintora
