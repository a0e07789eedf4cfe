#include "core/calc/PanelCalculate.h"

#include "ScriptedSeams.h"
#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

using namespace tintora;
using tintora::test::BoxKind;
using tintora::test::Message;
using tintora::test::ScriptedPrompter;

namespace {

// Types the keys one after the other on a display that starts as `start`.
std::string typeKeys(CalculatorState& state, std::string_view keys, std::string start = {})
{
    std::string display = std::move(start);
    for (char key : keys)
        display = PanelCalculate(state, key, display);
    return display;
}

struct KeySequence {
    const char* keys;
    const char* display;
};

class KeySequenceTest : public ::testing::TestWithParam<KeySequence> { };

TEST_P(KeySequenceTest, ShowsTheResultOfTheKeys)
{
    CalculatorState state;
    EXPECT_EQ(typeKeys(state, GetParam().keys), GetParam().display) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(PanelCalculate, KeySequenceTest,
    ::testing::Values(KeySequence{"2+3*4=", "20.000"},  // left to right, no precedence
        KeySequence{"7-10=", "-3.000"}, KeySequence{"1/3=", "0.333"},
        KeySequence{"1/3=*3=", "1.000"},  // the accumulator kept the full third
        KeySequence{"5/0=", "0.000"}, KeySequence{"0/5=", "0.000"},
        KeySequence{"5+=", "5.000"},  // the pending addition is dropped
        KeySequence{"5+3=", "8.000"}, KeySequence{"5+3==", "8.000"},
        KeySequence{"5+*", "10.000"},  // completes with the shown result
        KeySequence{"12", "12"}, KeySequence{"2+3=4", "4"},  // a digit after a result starts a new entry
        KeySequence{"5+3C", ""}, KeySequence{"5+3C4=", "4.000"},  // C forgot the pending addition
        KeySequence{"5+x3=", "8.000"},  // an ignored key keeps the pending operation
        KeySequence{"1.2.5", "1.25"},  // a second point in one entry is refused
        KeySequence{"1.5+.5=", "2.000"},  // a point after a result starts a new entry
        KeySequence{".5", "0.5"},  // an entry never starts with a bare point
        KeySequence{"1.5*2=", "3.000"}, KeySequence{"99999*99999=", "9999800001.000"},
        KeySequence{"9999999999999999", "999999999999999"},  // a digit beyond what is held is refused
        KeySequence{"99999999**", "Error"},  // squared twice: beyond what three decimals can show
        KeySequence{"99999999**+2=", "Error"}, KeySequence{"99999999**C2+3=", "5.000"}),
    [](const ::testing::TestParamInfo<KeySequence>& testInfo) { return "Sequence" + std::to_string(testInfo.index); });

TEST(PanelCalculateTest, IgnoredKeyEmptiesTheDisplayAndKeepsTheState)
{
    CalculatorState state;
    typeKeys(state, "5+3");
    const CalculatorState before = state;
    for (char key : {'x', 'c', '\b', '\x1b', ' ', ','}) {
        EXPECT_EQ(PanelCalculate(state, key, "3"), "") << int(key);
        EXPECT_EQ(state.CalcValue, before.CalcValue);
        EXPECT_EQ(state.CalcAccumulator, before.CalcAccumulator);
        EXPECT_EQ(state.CalcOperator, before.CalcOperator);
        EXPECT_EQ(state.CalcResultShown, before.CalcResultShown);
    }
}

TEST(PanelCalculateTest, ClearResetsEveryVariable)
{
    CalculatorState state{4, 7, '+', true};
    EXPECT_EQ(PanelCalculate(state, 'C', "12"), "");
    EXPECT_EQ(state.CalcValue, 0);
    EXPECT_EQ(state.CalcAccumulator, 0);
    EXPECT_EQ(state.CalcOperator, 0);
    EXPECT_FALSE(state.CalcResultShown);
}

TEST(PanelCalculateTest, OverflowHoldsTheErrorUntilClear)
{
    CalculatorState state;
    // Squaring seven times went to infinity and showed 0.000 before.
    EXPECT_EQ(typeKeys(state, "99999999*******"), CalcErrorText);
    ASSERT_TRUE(state.CalcError);
    const CalculatorState before = state;
    for (char key : std::string_view("0123456789.+-*/=xc\r")) {
        EXPECT_EQ(PanelCalculate(state, key, CalcErrorText), CalcErrorText) << key;
        EXPECT_TRUE(state.CalcError);
        EXPECT_EQ(state.CalcAccumulator, before.CalcAccumulator);
    }
    EXPECT_EQ(PanelCalculate(state, 'C', CalcErrorText), "");
    EXPECT_FALSE(state.CalcError);
}

TEST(PanelCalculateTest, RefusedSecondPointChangesNothing)
{
    CalculatorState state;
    typeKeys(state, "1.2");
    EXPECT_EQ(PanelCalculate(state, '.', "1.2"), "1.2");
    EXPECT_DOUBLE_EQ(state.CalcValue, 1.2);
    EXPECT_FALSE(state.CalcResultShown);
}

TEST(PanelCalculateTest, FirstDigitExtendsAStartTextUntilAResultWasShown)
{
    CalculatorState fresh;
    EXPECT_EQ(typeKeys(fresh, "5", "1234.57"), "1234.575");
    CalculatorState afterResult;
    afterResult.CalcResultShown = true;
    EXPECT_EQ(typeKeys(afterResult, "5", "1234.57"), "5");
}

TEST(PanelCalculateTest, OperatorRightAfterOperatorTakesTheShownThreeDecimals)
{
    CalculatorState state;
    // After 1/3= the display shows 0.333 while the accumulator keeps the third;
    // "*" right after "+" adds the shown 0.333, not the full third.
    typeKeys(state, "1/3=");
    EXPECT_EQ(typeKeys(state, "+*", "0.333"), formatThreeDecimals(0.333 + 1.0 / 3));
}

// A material row whose Weight cell is the panel's display.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet.row(1).RowKind = true;
        sheet.row(1).props.Spec = 1;
        sheet.setCell(Column::Material, 1, "water");
    }
    void press(std::string_view keys, Column column = Column::Weight)
    {
        for (char key : keys)
            PanelKey(sheet, state, prompter, {column, 1}, key, saved);
    }
    std::string cell(Column column) const { return sheet.cell(column, 1); }

    FormulaSheet sheet;
    CalculatorState state;
    ScriptedPrompter prompter;
    std::string saved = "  50.000";
};

TEST_F(PanelTest, DigitsGoIntoTheCellAndThePartnerFollowsWithTwoDecimals)
{
    press("100");
    EXPECT_EQ(cell(Column::Weight), "100");
    EXPECT_EQ(cell(Column::Volume), "12.00");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PanelTest, PaddedCellReceivesDigitsBehindItsText)
{
    sheet.setCell(Column::Weight, 1, "   5.000");
    press("1");
    EXPECT_EQ(cell(Column::Weight), "   5.0001");
}

TEST_F(PanelTest, SixthIntegerDigitIsDroppedSilently)
{
    press("123456");
    EXPECT_EQ(cell(Column::Weight), "12345");
    EXPECT_EQ(state.CalcAccumulator, 12345);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(cell(Column::Volume), formatPartner(12345 / 8.33334));
}

TEST_F(PanelTest, TextLongerThanNineCharactersLosesItsLastCharacter)
{
    press("1.23456789");
    EXPECT_EQ(cell(Column::Weight), "1.2345678");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PanelTest, ResultBeyondTheLimitReturnsToTheSavedText)
{
    press("99999*2=");
    EXPECT_EQ(prompter.shown, (std::vector<Message>{{BoxKind::Error, "Number exceeds row limit."}}));
    EXPECT_EQ(cell(Column::Weight), "  50.000");
    EXPECT_EQ(cell(Column::Volume), formatPartner(50 / 8.33334));
    EXPECT_EQ(state.CalcValue, 0);
    EXPECT_EQ(state.CalcOperator, 0);
    EXPECT_EQ(state.CalcAccumulator, 50);
}

TEST_F(PanelTest, NegativeResultIsHeldToTheLimitByItsMagnitude)
{
    press("0-6000=", Column::Volume);  // -6000 gallons of water weigh -50000 pounds: kept
    EXPECT_EQ(cell(Column::Volume), "-6000.000");
    press("*2=", Column::Volume);  // -100000 pounds: refused as a positive one is
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(cell(Column::Volume), saved);
}

TEST_F(PanelTest, VolumeCellLimitsTheWeightItStandsFor)
{
    press("12000", Column::Volume);  // 12000 gal of water weigh 100000.08 lb
    EXPECT_EQ(cell(Column::Volume), "1200");
    EXPECT_EQ(cell(Column::Weight), formatPartner(1200 * 8.33334));
}

TEST_F(PanelTest, AcceptOnAVolumeCellWritesTheWeightAndRecalculates)
{
    press("12", Column::Volume);
    PanelAccept(sheet, state, prompter, {Column::Volume, 1}, saved);
    EXPECT_EQ(cell(Column::Weight), " 100.000");
    EXPECT_EQ(cell(Column::Volume), "  12.000");
    EXPECT_EQ(sheet.box(PropertyBox::WeightBox), 100);
    EXPECT_TRUE(sheet.SheetModified);
}

TEST_F(PanelTest, AcceptCompletesThePendingOperation)
{
    press("40+60");
    PanelAccept(sheet, state, prompter, {Column::Weight, 1}, saved);
    EXPECT_EQ(cell(Column::Weight), " 100.000");
    EXPECT_EQ(cell(Column::Volume), "  12.000");
}

TEST_F(PanelTest, AcceptIsRefusedWhileTheCalculatorShowsAnError)
{
    press("40");
    state.CalcError = true;
    press("5");
    EXPECT_EQ(cell(Column::Weight), CalcErrorText);
    EXPECT_EQ(cell(Column::Volume), "4.80");  // the partner keeps what it showed
    EXPECT_FALSE(PanelAccept(sheet, state, prompter, {Column::Weight, 1}, saved));
    EXPECT_EQ(cell(Column::Weight), CalcErrorText);
    EXPECT_FALSE(sheet.SheetModified);
    press("C12");
    EXPECT_TRUE(PanelAccept(sheet, state, prompter, {Column::Weight, 1}, saved));
    EXPECT_EQ(cell(Column::Weight), "  12.000");
}

TEST_F(PanelTest, MaterialWithoutSpecificGravityGetsNoVolume)
{
    sheet.row(1).props.Spec = 0;
    press("10");
    EXPECT_EQ(cell(Column::Volume), "");
    PanelCalcFill(sheet, {Column::Weight, 1});
    EXPECT_EQ(cell(Column::Volume), "");
}

TEST_F(PanelTest, FillWritesThePartnerInCellForm)
{
    sheet.setCell(Column::Weight, 1, "100");
    PanelCalcFill(sheet, {Column::Weight, 1});
    EXPECT_EQ(cell(Column::Volume), "  12.000");
}

TEST(PanelSeedTest, StartsFromTheCellWithNoPendingOperation)
{
    FormulaSheet sheet;
    sheet.setCell(Column::Volume, 3, "  12.500");
    CalculatorState state{1, 2, '*', true};
    state.CalcError = true;
    SeedPanelCalculator(state, sheet, {Column::Volume, 3});
    EXPECT_FALSE(state.CalcError);
    EXPECT_EQ(state.CalcValue, 12.5);
    EXPECT_EQ(state.CalcAccumulator, 0);
    EXPECT_EQ(state.CalcOperator, 0);
    EXPECT_TRUE(state.CalcResultShown);  // carries over from the last use
}

}  // namespace
