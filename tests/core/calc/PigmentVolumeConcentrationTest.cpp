#include "core/calc/PigmentVolumeConcentration.h"

#include "core/calc/Calculate.h"
#include "core/calc/MissingMaterials.h"

#include <gtest/gtest.h>

using namespace tintora;

namespace {

void putMaterial(FormulaSheet& sheet, int n, RowMaterialProps props, const char* weight)
{
    sheet.row(n).RowKind = true;
    sheet.row(n).props = props;
    sheet.setCell(Column::Material, n, std::string("m").append(std::to_string(n)));
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

// A code on a row that is no material row is a material not found; only a
// weight makes it a figure without a volume, and then the PVC means nothing.
TEST(PigmentVolumeConcentration, MissingMaterialWithWeightLeavesItOut)
{
    FormulaSheet sheet;
    putMaterial(sheet, 1, {.Spec = 4.1, .Pig_Wt = 1, .Pig_Vol = 1}, "200");
    putMaterial(sheet, 2, {.Spec = 1.05, .Vol_Wt = 0.5, .Vol_Vol = 0.5}, "300");
    const struct {
        int row;
        const char* code;
        const char* description;
        const char* weight;
    } rows[] = {
        {4, "unknown", "Material not found", "50"},
        {6, "nosuch", "Material not found", ""},  // no weight: the figures are whole
        {7, "", "a note", "12"},
        {9, "zz", "a code typed on a note", "0.5"},
    };
    for (const auto& r : rows) {
        sheet.setCell(Column::Material, r.row, r.code);
        sheet.setCell(Column::Description, r.row, r.description);
        sheet.setCell(Column::Weight, r.row, r.weight);
    }
    Calculate(sheet);
    EXPECT_EQ(rowsWithMissingMaterial(sheet), (std::vector<int>{4, 9}));
    EXPECT_FALSE(pigmentVolumeConcentration(sheet));
    EXPECT_EQ(missingMaterialsNotice(2), "2 rows' materials are missing: their weight has no volume");
    EXPECT_EQ(missingMaterialsNotice(1), "1 row's material is missing: its weight has no volume");
    EXPECT_EQ(missingMaterialsNotice(0), "");
}

}  // namespace
