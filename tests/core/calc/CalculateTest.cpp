#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>

using namespace tintora;
using B = PropertyBox;

namespace {

RowMaterialProps material(double spec, double cost = 0)
{
    RowMaterialProps p;
    p.Spec = spec;
    p.Cost = cost;
    return p;
}

class CalculateTest : public ::testing::Test {
protected:
    void putMaterial(int n, const RowMaterialProps& props, const std::string& weight)
    {
        sheet.row(n).RowKind = true;
        sheet.row(n).props = props;
        sheet.setCell(Column::Material, n, "m" + std::to_string(n));
        sheet.setCell(Column::Weight, n, weight);
    }
    std::string cell(Column c, int n) const { return sheet.cell(c, n); }
    double box(B b) const { return sheet.box(b); }

    FormulaSheet sheet;
};

TEST_F(CalculateTest, WeightIsRewrittenInCellFormAndGivesTheDerivedVolume)
{
    putMaterial(1, material(2.0), "5");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Weight, 1), "   5.000");
    EXPECT_EQ(cell(Column::Volume, 1), formatCell(5 / (2.0 * 8.33334)));
    EXPECT_EQ(cell(Column::Volume, 1), "   0.300");
    EXPECT_EQ(cell(Column::Percent, 1), " 100.000");
}

TEST_F(CalculateTest, ZeroWeightInAnyFormEmptiesWeightVolumeAndPercent)
{
    for (const char* zero : {"0", "0.000", "  -0", "0e5", ""}) {
        putMaterial(1, material(1.0), zero);
        sheet.setCell(Column::Volume, 1, "   9.000");
        sheet.setCell(Column::Percent, 1, "  50.000");
        Calculate(sheet);
        EXPECT_EQ(cell(Column::Weight, 1), "") << zero;
        EXPECT_EQ(cell(Column::Volume, 1), "") << zero;
        EXPECT_EQ(cell(Column::Percent, 1), "") << zero;
    }
}

TEST_F(CalculateTest, VolumeThatDisagreesWithItsWeightIsReplaced)
{
    putMaterial(1, material(1.0), "100");
    sheet.setCell(Column::Volume, 1, "  77.000");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Volume, 1), "  12.000");
    EXPECT_DOUBLE_EQ(box(B::VolumeBox), 12.0);
}

TEST_F(CalculateTest, MissingMaterialRowCountsAsWeightOnly)
{
    RowMaterialProps latex = material(1.0, 1.0);
    latex.Vol_Wt = 0.5;
    latex.Vol_Vol = 0.5;
    putMaterial(1, latex, "90");
    sheet.setCell(Column::Material, 2, "nosuch");
    sheet.setCell(Column::Description, 2, "Material not found");
    sheet.setCell(Column::Weight, 2, "10");
    Calculate(sheet);

    EXPECT_DOUBLE_EQ(box(B::WeightBox), 100.0);
    EXPECT_EQ(cell(Column::Weight, 2), "  10.000");
    EXPECT_EQ(cell(Column::Volume, 2), "");
    EXPECT_EQ(cell(Column::Percent, 2), "  10.000");
    EXPECT_DOUBLE_EQ(box(B::VolumeBox), 10.8);  // 90 / 8.33334 = 10.79999...
    EXPECT_DOUBLE_EQ(box(B::SolidsWtBox), 55.0);  // its 10 lb count as solids
    EXPECT_DOUBLE_EQ(box(B::BinderWtBox), 55.0);
    EXPECT_DOUBLE_EQ(box(B::CostVolBox), roundToThreeDecimals(90 / 10.8));
    EXPECT_DOUBLE_EQ(box(B::SolidsVolBox), 50.0);

    FlipPercents(sheet);
    EXPECT_EQ(cell(Column::Percent, 2), "   0.000");
    EXPECT_EQ(cell(Column::Percent, 1), " 100.000");
}

TEST_F(CalculateTest, WeightWithMoreDecimalsCountsWholeInThisRunOnly)
{
    putMaterial(1, material(1.0), "1.23456");
    putMaterial(2, material(1.0), "1");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Weight, 1), "   1.235");
    // the percent divides the rewritten 1.235 by the total of all digits
    EXPECT_EQ(cell(Column::Percent, 1), "  55.268");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Percent, 1), "  55.257");  // 1.235 / 2.235
}

TEST_F(CalculateTest, SingleHalfVolatileMaterialGivesTheTextbookFigures)
{
    RowMaterialProps p = material(1.0, 2.0);
    p.Vol_Wt = 0.5;
    p.Vol_Vol = 0.5;
    putMaterial(1, p, "100");
    Calculate(sheet);

    EXPECT_EQ(cell(Column::Volume, 1), "  12.000");
    const struct {
        B box;
        double value;
    } expected[] = {
        {B::WeightBox, 100},
        {B::VolumeBox, 12},
        {B::DensityBox, 8.333},
        {B::SPGBox, 1.0},
        {B::CostWtBox, 2},
        {B::CostVolBox, 16.667},
        {B::SolidsWtBox, 50},
        {B::SolidsVolBox, 50},
        {B::VolatileWtBox, 50},
        {B::VolatileVolBox, 50},
        {B::BinderWtBox, 50},
        {B::BinderVolBox, 50},
        {B::PigmentWtBox, 0},
        {B::PigmentVolBox, 0},
        {B::PBBox, 0},
        {B::VocBox, 0},
    };
    for (const auto& e : expected)
        EXPECT_DOUBLE_EQ(box(e.box), e.value) << propertyBoxName(e.box);
    EXPECT_EQ(cell(Column::Percent, 1), " 100.000");
    FlipPercents(sheet);
    EXPECT_EQ(cell(Column::Percent, 1), " 100.000");
}

TEST_F(CalculateTest, AllVolatileAndAllVocHasNoExemptVolume)
{
    RowMaterialProps spirits = material(0.78);
    spirits.Vol_Wt = spirits.Vol_Vol = spirits.Voc_Wt = spirits.Voc_Vol = 1;
    putMaterial(1, spirits, "100");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Volume, 1), "  15.385");
    EXPECT_DOUBLE_EQ(box(B::VocBox), 778.876);  // 100 / 15.385 x 119.83
    EXPECT_DOUBLE_EQ(box(B::SolidsWtBox), 0);
    EXPECT_DOUBLE_EQ(box(B::SolidsVolBox), 0);
}

TEST_F(CalculateTest, WaterIsExemptFromTheVocVolume)
{
    RowMaterialProps water = material(1.0);
    water.Vol_Wt = water.Vol_Vol = 1;
    RowMaterialProps solvent = material(0.8);
    solvent.Vol_Wt = solvent.Vol_Vol = solvent.Voc_Wt = solvent.Voc_Vol = 1;
    putMaterial(1, water, "50");
    putMaterial(2, solvent, "50");
    Calculate(sheet);
    // volumes 6.000 and 7.500; the 6 gallons of water leave 7.5 for the VOC
    EXPECT_DOUBLE_EQ(box(B::VocBox), 798.867);
}

TEST_F(CalculateTest, NoBinderLeavesPigmentBinderRatioAtZero)
{
    RowMaterialProps pigment = material(4.0);
    pigment.Pig_Wt = pigment.Pig_Vol = 1;
    RowMaterialProps water = material(1.0);
    water.Vol_Wt = water.Vol_Vol = 1;
    putMaterial(1, pigment, "50");
    putMaterial(2, water, "50");
    Calculate(sheet);
    EXPECT_DOUBLE_EQ(box(B::PBBox), 0);
    EXPECT_DOUBLE_EQ(box(B::BinderWtBox), 0);
    EXPECT_DOUBLE_EQ(box(B::PigmentWtBox), 50);
}

TEST_F(CalculateTest, TinyBinderRoundsAwayFromTheRatioButNotFromThePercentage)
{
    RowMaterialProps p = material(1.0);
    p.Pig_Wt = 0.9;
    putMaterial(1, p, "0.0004");  // binder 0.00004 lb, pigment 0.00036 lb
    Calculate(sheet);
    EXPECT_DOUBLE_EQ(box(B::PBBox), 0);
    EXPECT_DOUBLE_EQ(box(B::BinderWtBox), 10.0);
    EXPECT_DOUBLE_EQ(box(B::PigmentWtBox), 90.0);
}

TEST_F(CalculateTest, PigmentBinderRatio)
{
    RowMaterialProps pigment = material(4.0);
    pigment.Pig_Wt = pigment.Pig_Vol = 1;
    RowMaterialProps resin = material(1.1);
    putMaterial(1, pigment, "30");
    putMaterial(2, resin, "20");
    Calculate(sheet);
    EXPECT_DOUBLE_EQ(box(B::PBBox), 1.5);
}

TEST_F(CalculateTest, FlippingTwiceRestoresWeightPercentsAndMarksModifiedEachTime)
{
    putMaterial(1, material(1.0), "30");
    putMaterial(2, material(3.0), "70");
    Calculate(sheet);
    const std::string byWeight = cell(Column::Percent, 1);
    EXPECT_EQ(byWeight, "  30.000");

    sheet.SheetModified = false;
    FlipPercents(sheet);
    EXPECT_EQ(sheet.percentBasis, PercentBasis::Volume);
    EXPECT_STREQ(sheet.percentTitle(), "V%");
    EXPECT_TRUE(sheet.SheetModified);
    // 3.600 of 3.600 + 2.800 gallons
    EXPECT_EQ(cell(Column::Percent, 1), formatCell(3.6 / 6.4 * 100));

    sheet.SheetModified = false;
    FlipPercents(sheet);
    EXPECT_STREQ(sheet.percentTitle(), "W%");
    EXPECT_TRUE(sheet.SheetModified);
    EXPECT_EQ(cell(Column::Percent, 1), byWeight);
}

TEST_F(CalculateTest, EmptySheetGivesZerosAndEmptyCells)
{
    sheet.CellTypingStarted = true;
    Calculate(sheet);
    EXPECT_TRUE(sheet.SheetModified);
    EXPECT_FALSE(sheet.CellTypingStarted);
    for (int b = 0; b < PropertyBoxCount; ++b)
        EXPECT_EQ(box(static_cast<B>(b)), 0);
    for (int n = 1; n <= SheetRowCount; ++n)
        for (Column c : {Column::Weight, Column::Volume, Column::Percent})
            EXPECT_EQ(cell(c, n), "");
}

// Cases the arithmetic leaves open: each must end in plain finite figures.
TEST_F(CalculateTest, SpecZeroGivesNoVolumeAndNoInfinity)
{
    putMaterial(1, material(0.0, 1.0), "10");
    putMaterial(2, material(1.0, 1.0), "100");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Volume, 1), "");
    EXPECT_EQ(cell(Column::Weight, 1), "  10.000");
    EXPECT_DOUBLE_EQ(box(B::VolumeBox), 12.0);
    EXPECT_DOUBLE_EQ(box(B::WeightBox), 110.0);
}

TEST_F(CalculateTest, PercentOfAZeroTotalIsZero)
{
    putMaterial(1, material(1.0), "10");
    putMaterial(2, material(1.0), "-10");
    Calculate(sheet);
    EXPECT_EQ(cell(Column::Percent, 1), "   0.000");
    EXPECT_EQ(cell(Column::Percent, 2), "   0.000");

    // a weighted row that is no material row: a total volume of zero
    FormulaSheet onlyMissing;
    onlyMissing.setCell(Column::Material, 1, "nosuch");
    onlyMissing.setCell(Column::Weight, 1, "10");
    onlyMissing.percentBasis = PercentBasis::Volume;
    Calculate(onlyMissing);
    EXPECT_EQ(onlyMissing.cell(Column::Percent, 1), "   0.000");
}

TEST_F(CalculateTest, HugeFiguresStayFinite)
{
    for (const char* weight : {"1e12", "1e300", "-1e300"}) {
        RowMaterialProps p = material(1e-300, 1e10);
        p.Vol_Wt = p.Voc_Wt = p.Pig_Wt = 0.3;
        p.Vol_Vol = p.Voc_Vol = p.Pig_Vol = 0.3;
        putMaterial(1, p, weight);
        putMaterial(2, material(1.0, 5.0), "1e12");
        Calculate(sheet);
        for (int b = 0; b < PropertyBoxCount; ++b)
            EXPECT_TRUE(std::isfinite(box(static_cast<B>(b)))) << weight << " " << b;
        for (int n = 1; n <= 2; ++n)
            for (Column c : {Column::Weight, Column::Volume, Column::Percent}) {
                EXPECT_EQ(cell(c, n).find("inf"), std::string::npos) << cell(c, n);
                EXPECT_EQ(cell(c, n).find("nan"), std::string::npos) << cell(c, n);
            }
    }
}

struct NRoundCase {
    int n;
    double x;
    double expected;
};

class NRoundTest : public ::testing::TestWithParam<NRoundCase> { };

TEST_P(NRoundTest, RoundsHalfToEven)
{
    EXPECT_DOUBLE_EQ(NRound(GetParam().n, GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NRoundTest,
    ::testing::Values(NRoundCase{1, 2.5, 2}, NRoundCase{1, 3.5, 4}, NRoundCase{1, -2.5, -2}, NRoundCase{1, 2.6, 3},
        NRoundCase{10000, 0.00004, 0}, NRoundCase{10000, 1e-12, 0}, NRoundCase{10000, 12.34567, 12.3457},
        NRoundCase{10000, -0.00006, -0.0001},
        // beyond the 32-bit range: rounded, never wrapped around
        NRoundCase{10000, 1e12, 1e12}, NRoundCase{10000, 250000.5, 250000.5}, NRoundCase{10000, -3e9, -3e9},
        NRoundCase{10000, 1e305, 1e305}));

}  // namespace

namespace {

// A sheet with the same inputs that has never been calculated.
FormulaSheet freshCopy(const FormulaSheet& sheet)
{
    FormulaSheet copy;
    copy.percentBasis = sheet.percentBasis;
    for (int n = 1; n <= SheetRowCount; ++n) {
        copy.row(n).cells = sheet.row(n).cells;
        copy.row(n).RowKind = sheet.row(n).RowKind;
        copy.row(n).props = sheet.row(n).props;
    }
    return copy;
}

void expectSameFigures(const FormulaSheet& a, const FormulaSheet& b, int step)
{
    for (int n = 1; n <= SheetRowCount; ++n)
        for (int c = 1; c < ColumnCount; ++c)
            ASSERT_EQ(a.row(n).cells[c], b.row(n).cells[c]) << "step " << step << " row " << n << " column " << c;
    for (int box = 0; box < PropertyBoxCount; ++box)
        ASSERT_EQ(a.box(static_cast<B>(box)), b.box(static_cast<B>(box))) << "step " << step << " box " << box;
}

}  // namespace

// Whatever the edits in between, a run must give what a first run on the same
// inputs gives: nothing a run leaves behind may change the next one. Weights
// below 0.0005 show as "   0.000" after one run and must be emptied by the next.
TEST(CalculateRepeatedTest, EveryRunMatchesAFirstRunOnTheSameInputs)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyRow(1, SheetRowCount);
    std::uniform_int_distribution<int> anyEdit(0, 7);
    std::uniform_real_distribution<double> amount(0, 500);
    std::uniform_real_distribution<double> tiny(-0.0005, 0.0005);
    const char* texts[] = {"", "0", "5", "1.23456", "12,5", "-3", "250.000", "1e3", "0.0004", "   0.000"};
    FormulaSheet sheet;
    for (int step = 0; step < 3000; ++step) {
        SheetRow& row = sheet.row(anyRow(random));
        switch (anyEdit(random)) {
        case 0:
            row.cells[3] = texts[random() % std::size(texts)];
            break;
        case 1:
            row.cells[3] = formatCell(amount(random));
            break;
        case 2:
            row.RowKind = !row.RowKind;
            break;
        case 3:
            row.props.Spec = std::round(amount(random)) / 100;
            break;
        case 4:
            row.props.Vol_Vol = amount(random) / 500;
            row.props.Cost = amount(random) / 100;
            break;
        case 5:
            row.cells[4] = "  99.000";
            row.cells[5] = "x";
            break;
        case 6:
            sheet.percentBasis = random() % 2 ? PercentBasis::Volume : PercentBasis::Weight;
            break;
        case 7:
            row.cells[3] = formatFixed(tiny(random), 6);
            break;
        }
        FormulaSheet reference = freshCopy(sheet);
        Calculate(sheet);
        Calculate(reference);
        expectSameFigures(sheet, reference, step);
    }
}
