#include "core/calc/Recalculation.h"

#include "ScriptedSeams.h"
#include "core/calc/Calculate.h"
#include "core/calc/Scale.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace tintora;
using tintora::test::BoxKind;
using tintora::test::Message;
using tintora::test::ScriptedKeypad;
using tintora::test::ScriptedPrompter;
using B = PropertyBox;

namespace {

using Messages = std::vector<Message>;

class RecalculationTest : public ::testing::Test {
public:
    void putMaterial(int n, const std::string& weight, double spec = 1, double cost = 0, bool marked = false)
    {
        SheetRow& row = sheet.row(n);
        row.RowKind = true;
        row.props.Spec = spec;
        row.props.Cost = cost;
        row.marked = marked;
        sheet.setCell(Column::Material, n, std::string("m").append(std::to_string(n)));
        sheet.setCell(Column::Weight, n, weight);
    }
    void putNote(int n, const std::string& text, bool marked)
    {
        sheet.setCell(Column::Description, n, text);
        sheet.row(n).marked = marked;
    }
    // The sheet as the user sees it before the command: Calculate has run.
    void ready()
    {
        Calculate(sheet);
        sheet.SheetModified = false;
        before = sheet;
    }
    RecalcOutcome recalc(RecalcQuantity quantity, std::optional<std::string> answer)
    {
        keypad.answers.push_back(std::move(answer));
        return Recalculate(quantity, sheet, calculator, prompter, keypad);
    }
    std::string weight(int n) const { return sheet.cell(Column::Weight, n); }

    // Nothing in the sheet changed and Calculate did not run.
    void expectUntouched() const
    {
        for (int n = 1; n <= SheetRowCount; ++n)
            EXPECT_EQ(sheet.row(n).cells, before.row(n).cells) << "row " << n;
        for (int b = 0; b < PropertyBoxCount; ++b)
            EXPECT_EQ(sheet.box(PropertyBox(b)), before.box(PropertyBox(b)));
        EXPECT_FALSE(sheet.SheetModified);
    }

    FormulaSheet sheet;
    FormulaSheet before;
    CalculatorState calculator;
    ScriptedPrompter prompter;
    ScriptedKeypad keypad;
};

TEST_F(RecalculationTest, MarkedRowTakesTheWholeChangeOfTotalWeight)
{
    putMaterial(1, "100", 1, 0, true);
    putMaterial(2, "100");
    ready();
    EXPECT_EQ(recalc(RecalcQuantity::Weight, "300.000"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), " 200.000");
    EXPECT_EQ(weight(2), " 100.000");
    EXPECT_EQ(sheet.box(B::WeightBox), 300);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(sheet.row(1).marked);
}

TEST_F(RecalculationTest, KeypadOpensWithCaptionCurrentValueAndFreshCalculator)
{
    putMaterial(1, "1234.567", 1, 2, true);
    ready();
    calculator = {9, 9, '+', true};
    recalc(RecalcQuantity::Weight, std::nullopt);
    ASSERT_EQ(keypad.calls.size(), 1u);
    EXPECT_EQ(keypad.calls[0].caption, "Total Weight");
    EXPECT_EQ(keypad.calls[0].display, "1234.57");
    EXPECT_DOUBLE_EQ(keypad.calls[0].state.CalcValue, 1234.57);
    EXPECT_DOUBLE_EQ(keypad.calls[0].state.CalcAccumulator, 1234.57);  // shown as a result
    EXPECT_EQ(keypad.calls[0].state.CalcOperator, 0);
    EXPECT_TRUE(keypad.calls[0].state.CalcResultShown);
    EXPECT_FALSE(keypad.calls[0].state.CalcError);
}

TEST_F(RecalculationTest, EachQuantityHasItsCaptionAndBox)
{
    putMaterial(1, "100", 1, 2, true);  // 100 lb at $2, 12.00 gal
    ready();
    const std::tuple<RecalcQuantity, const char*, const char*> quantities[] = {
        {RecalcQuantity::Weight, "Total Weight", "100.00"},
        {RecalcQuantity::Volume, "Total Volume", "12.00"},
        {RecalcQuantity::CostByWeight, "Cost by Weight", "2.00"},
        {RecalcQuantity::CostByVolume, "Cost by Volume", "16.67"},
    };
    for (const auto& [quantity, caption, display] : quantities) {
        recalc(quantity, std::nullopt);
        EXPECT_EQ(keypad.calls.back().caption, caption);
        EXPECT_EQ(keypad.calls.back().display, display);
    }
}

TEST_F(RecalculationTest, CostButtonFollowsThePercentBasis)
{
    EXPECT_EQ(costQuantityFor(PercentBasis::Weight), RecalcQuantity::CostByWeight);
    EXPECT_EQ(costQuantityFor(PercentBasis::Volume), RecalcQuantity::CostByVolume);
}

// Refusals before the factor is applied: their message and kind, and the
// sheet exactly as it was, without a Calculate.
struct Refusal {
    const char* name;
    RecalcQuantity quantity;
    std::optional<std::string> answer;
    Messages messages;
    bool keypadShown;
    void (*arrange)(RecalculationTest&);
};

class RefusalTest : public RecalculationTest, public ::testing::WithParamInterface<Refusal> { };

TEST_P(RefusalTest, LeavesEveryCellAsItWas)
{
    const Refusal& r = GetParam();
    r.arrange(*this);
    ready();
    const RecalcOutcome outcome = recalc(r.quantity, r.answer);
    EXPECT_EQ(outcome, r.answer || !r.keypadShown ? RecalcOutcome::Refused : RecalcOutcome::Cancelled);
    EXPECT_EQ(prompter.shown, r.messages);
    EXPECT_EQ(keypad.calls.size(), r.keypadShown ? 1u : 0u);
    expectUntouched();
}

const Refusal refusals[] = {
    {"NoRowMarked", RecalcQuantity::Weight, "300",
        {{BoxKind::Information, "No materials selected. Can not recalculate."}}, false,
        [](RecalculationTest& t) { t.putMaterial(1, "100"); }},
    {"KeypadCancelled", RecalcQuantity::Weight, std::nullopt, {}, true,
        [](RecalculationTest& t) { t.putMaterial(1, "100", 1, 0, true); }},
    {"ZeroTarget", RecalcQuantity::Weight, "0.000", {{BoxKind::Error, "New value can not be a negative or zero."}},
        true, [](RecalculationTest& t) { t.putMaterial(1, "100", 1, 0, true); }},
    {"NegativeTarget", RecalcQuantity::Volume, "-3.000", {{BoxKind::Error, "New value can not be a negative or zero."}},
        true, [](RecalculationTest& t) { t.putMaterial(1, "100", 1, 0, true); }},
    {"EmptyAnswer", RecalcQuantity::Weight, "", {{BoxKind::Error, "New value can not be a negative or zero."}}, true,
        [](RecalculationTest& t) { t.putMaterial(1, "100", 1, 0, true); }},
    {"OnlyNotesMarked", RecalcQuantity::Weight, "300",
        {{BoxKind::Error, "New value can not be obtained with selection."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "100");
            s.putNote(2, "stir well", true);
        }},
    {"MarkedMaterialsWeighNothing", RecalcQuantity::CostByWeight, "3",
        {{BoxKind::Error, "New value can not be obtained with selection."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "100", 1, 2);
            s.putMaterial(2, "", 1, 5, true);
        }},
    {"ScaledRowBeyondLimit", RecalcQuantity::Weight, "120000",
        {{BoxKind::Error, "A selected material exceeds row limit."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "60000", 1, 0, true);
            s.putMaterial(2, "1", 1, 0, true);  // would stay within the limit, and must not change either
            s.putMaterial(3, "-1", 1, 0, true);
        }},
    {"MarkedMissingMaterialBeyondLimit", RecalcQuantity::Weight, "200",
        {{BoxKind::Error, "A selected material exceeds row limit."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "100", 1, 0, true);
            s.sheet.setCell(Column::Material, 2, "gone");
            s.sheet.setCell(Column::Description, 2, "Material not found");
            s.sheet.setCell(Column::Weight, 2, "60000");
            s.sheet.row(2).marked = true;  // checked for the limit, though never scaled
        }},
    {"CostDivisorZero", RecalcQuantity::CostByWeight, "2.000",
        {{BoxKind::Error, "Selected materials already have this cost."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "100", 1, 2, true);
            s.putMaterial(2, "100", 1, 4);
        }},
    {"CostByVolumeDivisorZero", RecalcQuantity::CostByVolume, "2",
        {{BoxKind::Error, "Selected materials already have this cost."}}, true,
        [](RecalculationTest& t) {
            // A gallon of this material weighs one pound, so 100 lb at 2 a pound
            // cost exactly 2 a gallon: the divisor MarkedVolume * 2 - MarkedCost is 0.
            t.putMaterial(1, "100", 1 / 8.33334, 2, true);
            t.putMaterial(2, "50", 1, 1);
        }},
    {"VolumeWithSpecZeroMaterial", RecalcQuantity::Volume, "20",
        {{BoxKind::Error, "A material has no specific gravity."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "100", 1, 0, true);
            s.putMaterial(2, "10", 0);
        }},
    {"CostByVolumeWithSpecZeroMaterial", RecalcQuantity::CostByVolume, "20",
        {{BoxKind::Error, "A material has no specific gravity."}}, true,
        [](RecalculationTest& t) {
            auto& s = t;
            s.putMaterial(1, "100", 1, 2, true);
            s.putMaterial(2, "10", 0, 1, true);
        }},
};

INSTANTIATE_TEST_SUITE_P(Recalculation, RefusalTest, ::testing::ValuesIn(refusals),
    [](const ::testing::TestParamInfo<Refusal>& testInfo) { return std::string(testInfo.param.name); });

// A keypad on which the user types keys; Accept gives what the display shows.
class TypingKeypad : public KeypadDialog {
public:
    explicit TypingKeypad(std::string keys)
        : keys_(std::move(keys))
    {
    }
    std::optional<std::string> ask(std::string_view, std::string_view display, CalculatorState& state) override
    {
        std::string shown(display);
        for (char key : keys_ + "=")
            shown = PanelCalculate(state, key, shown);
        return shown;
    }

private:
    std::string keys_;
};

TEST_F(RecalculationTest, AnOverflowOnTheKeypadIsRefusedNotTakenAsZero)
{
    putMaterial(1, "100", 1, 0, true);
    ready();
    TypingKeypad overflowing("C99999999*******");
    EXPECT_EQ(Recalculate(RecalcQuantity::Weight, sheet, calculator, prompter, overflowing), RecalcOutcome::Refused);
    EXPECT_EQ(prompter.shown, (Messages{{BoxKind::Error, KeypadErrorRefusal}}));
    expectUntouched();
    TypingKeypad cleared("C250");  // the next command starts without the error
    EXPECT_EQ(Recalculate(RecalcQuantity::Weight, sheet, calculator, prompter, cleared), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), " 250.000");
}

// The offered total stands as a result: a digit replaces it, an operator goes
// on from it, and accepting it as it stands (or typing it again) leaves the
// formula alone instead of scaling it to its own rounding: for the target on
// the marked rows and for Scale alike.
TEST_F(RecalculationTest, KeysTypedOverTheOfferedValue)
{
    using Run = std::function<RecalcOutcome(KeypadDialog&)>;
    const Run runs[] = {
        [&](KeypadDialog& typed) { return Recalculate(RecalcQuantity::Weight, sheet, calculator, prompter, typed); },
        [&](KeypadDialog& typed) { return Scale(ScaleKind::Weight, sheet, calculator, prompter, typed); },
    };
    const struct {
        const char* keys;
        RecalcOutcome outcome;
        double total;  // 0: the sheet untouched
    } cases[] = {
        {"", RecalcOutcome::Unchanged, 0},
        {"127.42", RecalcOutcome::Unchanged, 0},
        {"1000", RecalcOutcome::Reached, 1000},
        {"+10", RecalcOutcome::Reached, 137.42},
        {"2*100=", RecalcOutcome::Reached, 200},
    };
    for (const Run& run : runs)
        for (const auto& c : cases) {
            sheet = FormulaSheet();
            putMaterial(1, "100.004", 1, 0, true);
            putMaterial(2, "27.413");  // 127.417 lb, offered as 127.42
            ready();
            TypingKeypad typing(c.keys);
            EXPECT_EQ(run(typing), c.outcome) << c.keys;
            if (c.total == 0)
                expectUntouched();
            else
                EXPECT_NEAR(sheet.box(B::WeightBox), c.total, 1e-9) << c.keys;
        }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RecalculationTest, NegativeFactorIsMadePositiveAndTheMissIsUndone)
{
    putMaterial(1, "100", 1, 0, true);
    putMaterial(2, "100");
    ready();
    EXPECT_EQ(recalc(RecalcQuantity::Weight, "50.000"), RecalcOutcome::Undone);
    EXPECT_EQ(prompter.shown, (Messages{{BoxKind::Error, "New value can not be obtained."}}));
    EXPECT_EQ(weight(1), " 100.000");
    EXPECT_EQ(sheet.box(B::WeightBox), 200);
    EXPECT_TRUE(sheet.SheetModified);  // Calculate ran, though the change was undone
}

TEST_F(RecalculationTest, UndoRestoresTheSavedTextsOfEveryRow)
{
    putMaterial(1, "100", 1, 0, true);
    putMaterial(2, "100");
    Calculate(sheet);
    sheet.setCell(Column::Weight, 2, "100.0");  // as typed, before the next Calculate
    recalc(RecalcQuantity::Weight, "50");
    EXPECT_EQ(weight(1), " 100.000");
    EXPECT_EQ(weight(2), " 100.000");  // restored as "100.0", then rewritten by Calculate
}

TEST_F(RecalculationTest, EveryRowMarkedCannotReachACostPerPound)
{
    putMaterial(1, "100", 1, 2, true);
    putMaterial(2, "100", 1, 4, true);
    ready();
    EXPECT_EQ(recalc(RecalcQuantity::CostByWeight, "5.000"), RecalcOutcome::Undone);
    EXPECT_EQ(prompter.shown, (Messages{{BoxKind::Error, "New value can not be obtained."}}));
    EXPECT_EQ(weight(1), " 100.000");
    EXPECT_EQ(weight(2), " 100.000");
    EXPECT_EQ(sheet.box(B::CostWtBox), 3);
}

TEST_F(RecalculationTest, CostPerPoundIsReachedByScalingTheMarkedRow)
{
    putMaterial(1, "100", 1, 2, true);
    putMaterial(2, "100", 1, 4);
    ready();
    // (200 f + 400) / (100 f + 100) = 2.5 gives f = 3
    EXPECT_EQ(recalc(RecalcQuantity::CostByWeight, "2.5"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), " 300.000");
    EXPECT_EQ(sheet.box(B::CostWtBox), 2.5);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RecalculationTest, CostPerGallonIsReachedByScalingTheMarkedRow)
{
    putMaterial(1, "100", 1, 2, true);
    putMaterial(2, "100", 2, 4);
    ready();
    // (200 f + 400) / (12 f + 6) = 30 gives f = 1.375
    EXPECT_EQ(recalc(RecalcQuantity::CostByVolume, "30"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), " 137.500");
    EXPECT_EQ(weight(2), " 100.000");
    EXPECT_NEAR(sheet.box(B::CostVolBox), 30, RecalcTolerance);
}

TEST_F(RecalculationTest, TotalVolumeIsReachedAndUnmarkedVolumeStays)
{
    putMaterial(1, "100", 1, 0, true);
    putMaterial(2, "100", 2, 0);
    putNote(3, "mix", true);  // a marked note takes no part
    ready();
    EXPECT_EQ(recalc(RecalcQuantity::Volume, "30"), RecalcOutcome::Reached);
    EXPECT_NEAR(sheet.box(B::VolumeBox), 30, RecalcTolerance);
    EXPECT_EQ(sheet.cell(Column::Volume, 2), before.cell(Column::Volume, 2));
    EXPECT_EQ(sheet.cell(Column::Description, 3), "mix");
}

TEST_F(RecalculationTest, WeightRecalculationCountsAMaterialWithoutSpecificGravity)
{
    putMaterial(1, "100", 1, 0, true);
    putMaterial(2, "50", 0, 0, true);
    ready();
    EXPECT_EQ(recalc(RecalcQuantity::Weight, "300"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), " 200.000");
    EXPECT_EQ(weight(2), " 100.000");
}

TEST_F(RecalculationTest, RoundingOfManyMarkedRowsWithinToleranceIsKept)
{
    for (int n = 1; n <= 20; ++n)
        putMaterial(n, "1", 1, 0, true);
    ready();
    // Each row becomes 1.0002/... 100.004 / 20 = 5.0002 shows 5.000; total 100.000.
    EXPECT_EQ(recalc(RecalcQuantity::Weight, "100.004"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), "   5.000");
    EXPECT_EQ(sheet.box(B::WeightBox), 100);
}

TEST_F(RecalculationTest, RoundingBeyondToleranceIsUndone)
{
    for (int n = 1; n <= 30; ++n)
        putMaterial(n, "1", 1, 0, true);
    ready();
    // 30 rows of 1.0004 each show 1.000: 30.000 misses 30.012 by 0.012.
    EXPECT_EQ(recalc(RecalcQuantity::Weight, "30.012"), RecalcOutcome::Undone);
    EXPECT_EQ(weight(1), "   1.000");
    EXPECT_EQ(prompter.shown, (Messages{{BoxKind::Error, "New value can not be obtained."}}));
}

// A weight below half a thousandth shows as "   0.000" after one Calculate;
// the next one, whichever command runs it, reads 0 and empties the cell.
TEST_F(RecalculationTest, AWeightShownAsZeroIsEmptiedByTheNextCommand)
{
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"Recalc > Weight", [this] { EXPECT_EQ(recalc(RecalcQuantity::Weight, "200"), RecalcOutcome::Reached); }},
        {"keypad panel Accept",
            [this] {
                const PanelCell row2{Column::Weight, 2};
                SeedPanelCalculator(calculator, sheet, row2);
                PanelAccept(sheet, calculator, prompter, row2, weight(2));
            }},
    };
    for (const auto& [name, command] : commands) {
        sheet = FormulaSheet();
        putMaterial(1, "0.0004");
        putMaterial(2, "100", 1, 0, true);
        ready();
        ASSERT_EQ(weight(1), "   0.000");
        command();
        EXPECT_EQ(weight(1), "") << name;
        EXPECT_EQ(sheet.cell(Column::Volume, 1), "") << name;
        EXPECT_EQ(sheet.cell(Column::Percent, 1), "") << name;
    }
}

TEST_F(RecalculationTest, MarksKindsAndPropertiesNeverChange)
{
    putMaterial(1, "100", 1.2, 3, true);
    putMaterial(2, "100", 0.9, 1);
    ready();
    recalc(RecalcQuantity::Weight, "500");
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(sheet.row(n).marked, before.row(n).marked);
        EXPECT_EQ(sheet.row(n).RowKind, before.row(n).RowKind);
        EXPECT_EQ(sheet.row(n).props, before.row(n).props);
        EXPECT_EQ(sheet.cell(Column::Material, n), before.cell(Column::Material, n));
    }
}

}  // namespace

namespace {

// A missing material's weight counts in the total weight and is never scaled;
// the targets by weight must still be reached.
class MissingMaterialTest : public RecalculationTest {
public:
    void SetUp() override
    {
        putMaterial(1, "100", 1, 2, true);
        putMaterial(2, "100", 1, 4);
        sheet.setCell(Column::Material, 3, "gone");
        sheet.setCell(Column::Description, 3, "Material not found");
        sheet.setCell(Column::Weight, 3, "50");
        sheet.row(3).marked = true;  // marked, but only material rows are scaled
        ready();
    }
};

TEST_F(MissingMaterialTest, TotalWeightIsReached)
{
    EXPECT_EQ(sheet.box(B::WeightBox), 250);
    EXPECT_EQ(recalc(RecalcQuantity::Weight, "350"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), " 200.000");
    EXPECT_EQ(weight(3), "  50.000");
    EXPECT_EQ(sheet.box(B::WeightBox), 350);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MissingMaterialTest, CostPerPoundIsReached)
{
    // (200 f + 400) / (100 f + 150) = 2.5 gives f = 0.5
    EXPECT_EQ(recalc(RecalcQuantity::CostByWeight, "2.5"), RecalcOutcome::Reached);
    EXPECT_EQ(weight(1), "  50.000");
    EXPECT_EQ(sheet.box(B::CostWtBox), 2.5);
}

}  // namespace
