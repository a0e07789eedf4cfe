// The quantity limits at their edges, entered by typing and by the keypad
// panel: both must keep and refuse the same texts and show the same partner.
#include "core/sheet/Quantities.h"

#include "ScriptedPrompter.h"
#include "core/calc/PanelCalculate.h"
#include "core/sheet/GridTyping.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace tintora;

namespace {

struct EdgeCase {
    const char* what;
    double spec;
    Column column;
    std::string keys;
    const char* kept;  // the edited cell afterwards
    const char* partner;  // the other quantity cell afterwards
};
void PrintTo(const EdgeCase& c, std::ostream* os)
{
    *os << c.what;
}

Column partnerOf(Column column)
{
    return column == Column::Weight ? Column::Volume : Column::Weight;
}

FormulaSheet materialRow(double spec)
{
    FormulaSheet sheet;
    sheet.row(1).RowKind = true;
    sheet.row(1).props.Spec = spec;
    return sheet;
}

class QuantityEdges : public ::testing::TestWithParam<EdgeCase> { };

TEST_P(QuantityEdges, TypingAndThePanelAgree)
{
    const EdgeCase& c = GetParam();
    FormulaSheet typed = materialRow(c.spec);
    for (char key : c.keys)
        typeKey(typed, GridEditState{}, {FormulaSheet::index(c.column), 1}, static_cast<char32_t>(key), {});

    FormulaSheet panel = materialRow(c.spec);
    CalculatorState state;
    tintora::testing::ScriptedPrompter prompter;
    for (char key : c.keys)
        PanelKey(panel, state, prompter, {c.column, 1}, key, "");

    EXPECT_EQ(typed.cell(c.column, 1), c.kept);
    EXPECT_EQ(typed.cell(partnerOf(c.column), 1), c.partner);
    EXPECT_EQ(panel.cell(c.column, 1), c.kept);
    EXPECT_EQ(panel.cell(partnerOf(c.column), 1), c.partner);
    EXPECT_TRUE(prompter.shown.empty());
}

// The volume edge is taken at Spec 2: at Spec 1 the partner of 11999.99
// already reads 100000.00, so one more key is refused by the weight it shows,
// and the panel's second pass then restores the saved text where typing only
// drops the key.
INSTANTIATE_TEST_SUITE_P(Limits, QuantityEdges,
    ::testing::Values(EdgeCase{"WeightAtTheLimit", 1, Column::Weight, "99999.999", "99999.999", "11999.99"},
        EdgeCase{"WeightJustAbove", 1, Column::Weight, "100000", "10000", "1200.00"},
        EdgeCase{"NineCharacters", 1, Column::Weight, "1.2345678", "1.2345678", "0.15"},
        EdgeCase{"TenthCharacter", 1, Column::Weight, "1.23456789", "1.2345678", "0.15"},
        EdgeCase{"VolumeWeighingJustBelow", 1, Column::Volume, "11999.99", "11999.99", "100000.00"},
        EdgeCase{"HeavierVolumeWeighingJustBelow", 2, Column::Volume, "5999.995", "5999.995", "100000.00"},
        EdgeCase{"HeavierVolumeWeighingJustAbove", 2, Column::Volume, "5999.996", "5999.99", "99999.91"},
        EdgeCase{"HeavierWeightAtTheLimit", 2, Column::Weight, "99999.999", "99999.999", "6000.00"}),
    [](const ::testing::TestParamInfo<EdgeCase>& testInfo) { return std::string(testInfo.param.what); });

}  // namespace
