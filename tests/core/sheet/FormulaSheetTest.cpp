#include "core/sheet/FormulaSheet.h"
#include "core/sheet/GridTyping.h"

#include <gtest/gtest.h>

using namespace tintora;

namespace {

FormulaSheet filledSheet()
{
    FormulaSheet sheet;
    for (int n = 1; n <= SheetRowCount; ++n) {
        SheetRow& row = sheet.row(n);
        row.marked = true;
        row.RowKind = true;
        row.props.Spec = 1.2;
        row.props.Cost = 3;
        for (int c = 1; c < ColumnCount; ++c)
            row.cells[c].assign(1, 'x');
    }
    sheet.setName("Primer A");
    sheet.setBox(PropertyBox::WeightBox, 12);
    return sheet;
}

TEST(FormulaSheetTest, RowsAreNumberedOneToThirtySix)
{
    const FormulaSheet sheet;
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(sheet.cell(Column::Number, n), std::to_string(n));
}

// A row or column beyond the sheet is refused in every build, not only where
// assertions are compiled in, and leaves the sheet as it was.
TEST(FormulaSheetTest, RowsAndColumnsBeyondTheSheetAreRefused)
{
    FormulaSheet sheet;
    for (int n : {-1, 0, SheetRowCount + 1, 1 << 20}) {
        EXPECT_THROW(sheet.row(n), std::out_of_range) << n;
        EXPECT_THROW(std::as_const(sheet).cell(Column::Material, n), std::out_of_range) << n;
        EXPECT_THROW(sheet.setCell(Column::Weight, n, "1"), std::out_of_range) << n;
    }
    for (int col : {-1, ColumnCount})
        EXPECT_THROW(noteToEdit(sheet, GridCell{col, 1}), std::out_of_range) << col;
    EXPECT_EQ(sheet.cell(Column::Number, SheetRowCount), std::to_string(SheetRowCount));
    EXPECT_TRUE(sheet.cell(Column::Weight, 1).empty());
}

TEST(FormulaSheetTest, ClearGridEmptiesEveryRowButKeepsTheRowNumbers)
{
    FormulaSheet sheet = filledSheet();
    sheet.percentBasis = PercentBasis::Volume;
    ClearGrid(sheet);

    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet.row(n);
        EXPECT_FALSE(row.marked);
        EXPECT_FALSE(row.RowKind);
        EXPECT_EQ(row.props, RowMaterialProps{});
        EXPECT_EQ(row.cells[0], std::to_string(n));
        for (int c = 1; c < ColumnCount; ++c)
            EXPECT_EQ(row.cells[c], "") << "row " << n << " column " << c;
    }
    EXPECT_EQ(sheet.name(), "");
    EXPECT_EQ(sheet.box(PropertyBox::WeightBox), 0);
    EXPECT_FALSE(sheet.SheetModified);
    EXPECT_EQ(sheet.percentBasis, PercentBasis::Volume);
}

TEST(FormulaSheetTest, NameChangesMarkTheSheetModified)
{
    FormulaSheet sheet;
    sheet.SheetModified = false;
    sheet.setName("Enamel");
    EXPECT_TRUE(sheet.SheetModified);
}

TEST(FormulaSheetTest, BoxesHoldTheValueTheyShow)
{
    FormulaSheet sheet;
    sheet.setBox(PropertyBox::DensityBox, 8.33349999);
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::DensityBox), 8.333);
    sheet.setBox(PropertyBox::DensityBox, 0.0005);  // the binary value lies just above the half
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::DensityBox), 0.001);
}

TEST(FormulaSheetTest, BoxNamesAreTheBoxes)
{
    EXPECT_STREQ(propertyBoxName(PropertyBox::WeightBox), "WeightBox");
    EXPECT_STREQ(propertyBoxName(PropertyBox::VolatileVolBox), "VolatileVolBox");
    EXPECT_STREQ(propertyBoxName(PropertyBox::SPGBox), "SPGBox");
}

}  // namespace
