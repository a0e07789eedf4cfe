#include "core/calc/PigmentVolumeConcentration.h"

#include "core/calc/Calculate.h"

#include <gtest/gtest.h>

using namespace tintora;

namespace {

void putMaterial(FormulaSheet& sheet, int n, RowMaterialProps props, const char* weight)
{
    sheet.row(n).RowKind = true;
    sheet.row(n).props = props;
    sheet.setCell(Column::Material, n, "m" + std::to_string(n));
    sheet.setCell(Column::Weight, n, weight);
}

// A pigment in a binder half volatile by volume: the PVC is the pigment volume
// over pigment plus non-volatile binder volume, from the three-decimal row
// volumes the boxes are computed from.
TEST(PigmentVolumeConcentration, IsPigmentVolumeOverSolidsVolume)
{
    FormulaSheet sheet;
    putMaterial(sheet, 1, {.Spec = 4.1, .Pig_Wt = 1, .Pig_Vol = 1}, "200");  // 5.854 gal
    putMaterial(sheet, 3, {.Spec = 1.05, .Vol_Wt = 0.5, .Vol_Vol = 0.5}, "300");  // 34.286 gal
    sheet.setCell(Column::Description, 2, "a note row between them");
    Calculate(sheet);
    const auto pvc = pigmentVolumeConcentration(sheet);
    ASSERT_TRUE(pvc);
    EXPECT_DOUBLE_EQ(*pvc, 5.854 / (5.854 + 34.286 * 0.5) * 100);
    // the same as the by-volume boxes say, within their three decimals
    EXPECT_NEAR(*pvc, sheet.box(PropertyBox::PigmentVolBox) / sheet.box(PropertyBox::SolidsVolBox) * 100, 0.01);
}

TEST(PigmentVolumeConcentration, NoSolidsGivesNone)
{
    FormulaSheet sheet;
    Calculate(sheet);
    EXPECT_FALSE(pigmentVolumeConcentration(sheet));
    putMaterial(sheet, 1, {.Spec = 1, .Vol_Wt = 1, .Vol_Vol = 1}, "100");
    Calculate(sheet);
    EXPECT_FALSE(pigmentVolumeConcentration(sheet));
}

}  // namespace
