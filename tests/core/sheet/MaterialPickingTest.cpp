#include "core/sheet/MaterialPicking.h"

#include "EditingFixture.h"
#include "core/materials/MaterialFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tintora;
using tintora::testing::EditingFixture;

namespace {

using MaterialPickingTest = EditingFixture;

struct SelectionCase {
    const char* code;
    bool hadSelection;
    std::optional<std::size_t> selected;
};

class MaterialListSelectionTest : public ::testing::TestWithParam<SelectionCase> { };

TEST_P(MaterialListSelectionTest, FindsTheRowsCodeOrFallsBack)
{
    const std::vector<std::string> items = {"alkyd.rm", "Tio2.rm", "water.rm"};
    const SelectionCase& c = GetParam();
    EXPECT_EQ(materialListSelection(items, c.code, c.hadSelection), c.selected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MaterialListSelectionTest,
    ::testing::Values(SelectionCase{"tio2", false, 1}, SelectionCase{"WATER", true, 2},
        SelectionCase{"nosuch", true, 0}, SelectionCase{"nosuch", false, std::nullopt},
        SelectionCase{"", false, std::nullopt}, SelectionCase{"tio2.rm", false, std::nullopt}));

TEST(MaterialListSelection, EmptyListSelectsNothing)
{
    EXPECT_EQ(materialListSelection({}, "tio2", true), std::nullopt);
}

TEST(CodeFromListItem, RemovesOnlyTheFinalExtensionAndCapitalises)
{
    EXPECT_EQ(codeFromListItem("tio2.rm"), "Tio2");
    EXPECT_EQ(codeFromListItem("white.paint.rm"), "White.paint");
    EXPECT_EQ(codeFromListItem("ZINC OXIDE.RM"), "Zinc oxide");
    EXPECT_EQ(codeFromListItem("rm.rm.rm"), "Rm.rm");
    EXPECT_EQ(codeFromListItem("noext"), "Noext");
}

TEST_F(MaterialPickingTest, PickingWritesTheCodeLoadsAndRecalculates)
{
    sheet.setCell(Column::Weight, 7, "20");
    pickMaterial(sheet, 7, "tio2.rm", folder.path());
    EXPECT_EQ(cell(Column::Material, 7), "Tio2");
    EXPECT_EQ(cell(Column::Description, 7), "Titanium dioxide");
    EXPECT_TRUE(sheet.row(7).RowKind);
    EXPECT_EQ(cell(Column::Weight, 7), "  20.000");
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 20.0);
}

TEST_F(MaterialPickingTest, PickingReplacesTheMaterialOfARow)
{
    putMaterial(7, "water", "20");
    pickMaterial(sheet, 7, "resin.rm", folder.path());
    EXPECT_EQ(cell(Column::Material, 7), "Resin");
    EXPECT_EQ(cell(Column::Description, 7), "Alkyd resin");
    EXPECT_DOUBLE_EQ(sheet.row(7).props.Spec, 2.0);
    EXPECT_EQ(cell(Column::Volume, 7), "   1.200");
}

TEST_F(MaterialPickingTest, StatusLineShowsNameCostAndWeightPerGallon)
{
    EXPECT_EQ(MatStatus(folder.path(), "tio2.rm"), "Titanium dioxide  (Cost/Lb:     1.850 )  (Wt/Gal:    34.169 )");
}

TEST_F(MaterialPickingTest, StatusLineCutsLongNames)
{
    folder.write("long.rm", "[Material]\nName=a very long material name that goes on\nSpec=1\n");
    EXPECT_EQ(MatStatus(folder.path(), "long.rm"),
        "A very long material name that...  (Cost/Lb:     0.000 )  (Wt/Gal:     8.334 )");
    folder.write("thirty.rm", "[Material]\nName=abcdefghijabcdefghijabcdefghij\n");
    EXPECT_EQ(MatStatus(folder.path(), "thirty.rm"),
        "Abcdefghijabcdefghijabcdefghij  (Cost/Lb:     0.000 )  (Wt/Gal:     0.000 )");
}

TEST_F(MaterialPickingTest, StatusLineOfAMissingFileOrName)
{
    folder.write("anon.rm", "[Material]\nCost=2\n");
    EXPECT_EQ(MatStatus(folder.path(), "anon.rm"), "  (Cost/Lb:     2.000 )  (Wt/Gal:     0.000 )");
    EXPECT_EQ(MatStatus(folder.path(), "gone.rm"), "  (Cost/Lb:     0.000 )  (Wt/Gal:     0.000 )");
    EXPECT_EQ(MatStatus(folder.path(), "../tio2.rm"), "  (Cost/Lb:     0.000 )  (Wt/Gal:     0.000 )");
    // Beyond a material file's size limit it reads as missing, as in a formula.
    folder.write("huge.rm", std::string("[Material]\nCost=2\n;").append(MaxMaterialFileBytes, 'x').append("\n"));
    EXPECT_EQ(MatStatus(folder.path(), "huge.rm"), "  (Cost/Lb:     0.000 )  (Wt/Gal:     0.000 )");
}

}  // namespace
