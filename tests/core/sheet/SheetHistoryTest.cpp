#include "core/sheet/SheetHistory.h"

#include "ScriptedKeypad.h"
#include "ScriptedPrompter.h"
#include "calc/RandomFormula.h"
#include "core/calc/Calculate.h"
#include "core/calc/Recalculation.h"
#include "core/calc/Scale.h"
#include "core/sheet/GridTyping.h"
#include "core/sheet/RowCommands.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tintora;

namespace {

// Everything a step can change: rows (cells, marks, kinds, properties), the
// name, the figures and the percent basis.
::testing::AssertionResult sameSheet(const FormulaSheet& a, const FormulaSheet& b)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& x = a.row(n);
        const SheetRow& y = b.row(n);
        if (x.cells != y.cells || x.marked != y.marked || x.RowKind != y.RowKind || !(x.props == y.props))
            return ::testing::AssertionFailure() << "row " << n << " differs";
    }
    for (int box = 0; box < PropertyBoxCount; ++box)
        if (a.box(PropertyBox(box)) != b.box(PropertyBox(box)))
            return ::testing::AssertionFailure() << propertyBoxName(PropertyBox(box)) << " differs";
    if (a.name() != b.name() || a.percentBasis != b.percentBasis)
        return ::testing::AssertionFailure() << "name or percent basis differs";
    return ::testing::AssertionSuccess();
}

// One user step of each kind the window records, on a random row.
struct Editor {
    Editor(FormulaSheet& edited, test::RandomFormula& drawing)
        : sheet(edited)
        , random(drawing)
    {
    }

    FormulaSheet& sheet;
    test::RandomFormula& random;
    tintora::testing::ScriptedPrompter prompter;
    tintora::testing::ScriptedKeypad keypad;
    CalculatorState calculator;
    ClipboardRow clipboard;

    int anyRow() { return random.integer(1, SheetRowCount); }

    // Returns the step's caption, or empty when nothing changed.
    std::string step()
    {
        const int row = anyRow();
        switch (random.integer(0, 7)) {
        case 0:
            sheet.setCell(Column::Weight, row, formatCell(random.uniform(1, 300)));
            Calculate(sheet);
            return "Weight";
        case 1:
            markClicked(sheet, row);
            return "Mark";
        case 2:
            sheet.setName("Name " + std::to_string(row));
            return "Name";
        case 3:
            return insertRow(sheet, row, prompter) ? "Insert Row" : "";
        case 4:
            return deleteRow(sheet, row, prompter) ? "Delete Row" : "";
        case 5:
            cutRow(sheet, row, clipboard);
            return addRow(sheet, anyRow(), clipboard, prompter) ? "Cut and Add Row" : "Cut Row";
        case 6:
            return Scale(ScaleKind::Percent, sheet, calculator, prompter, keypad) == RecalcOutcome::Reached
                ? "Scale Percent"
                : "";
        default:
            keypad.answers.push_back(formatThreeDecimals(random.uniform(20, 90)));
            return Recalculate(RecalcQuantity::SolidsByWeight, sheet, calculator, prompter, keypad)
                    == RecalcOutcome::Reached
                ? "Solids by Weight"
                : "";
        }
    }
};

TEST(SheetHistoryTest, RandomStepsUndoToTheStartAndRedoToTheEnd)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        test::RandomFormula random(seed);
        FormulaSheet sheet = random.sheet(random.integer(2, 20));
        SheetHistory history(sheet);
        Editor editor(sheet, random);
        std::vector<FormulaSheet> states{sheet};
        std::vector<std::string> captions;
        while (states.size() < 60) {
            const std::string caption = editor.step();
            if (caption.empty())
                continue;
            history.push(caption, sheet);
            states.push_back(sheet);
            captions.push_back(caption);
        }
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            EXPECT_EQ(undoMenuText(history), "Undo " + captions[i - 1]);
            ASSERT_TRUE(history.undo(sheet));
            EXPECT_TRUE(sameSheet(sheet, states[i - 1])) << "seed " << seed << ", undo to state " << i - 1;
        }
        EXPECT_FALSE(history.undo(sheet));
        EXPECT_EQ(undoMenuText(history), "Undo");
        for (std::size_t i = 1; i < states.size(); ++i) {
            EXPECT_EQ(redoMenuText(history), "Redo " + captions[i - 1]);
            ASSERT_TRUE(history.redo(sheet));
            EXPECT_TRUE(sameSheet(sheet, states[i])) << "seed " << seed << ", redo to state " << i;
        }
        EXPECT_FALSE(history.redo(sheet));
        EXPECT_EQ(redoMenuText(history), "Redo");
        EXPECT_TRUE(sameSheet(sheet, states.back()));
    }
}

FormulaSheet sheetNamed(const std::string& name)
{
    FormulaSheet sheet;
    sheet.setName(name);
    return sheet;
}

TEST(SheetHistoryTest, KeepsTheLastThousandSteps)
{
    SheetHistory history(sheetNamed("start"));
    for (int i = 1; i <= 1005; ++i)
        history.push("Name", sheetNamed(std::to_string(i)));
    EXPECT_EQ(history.undoSteps(), 1000u);
    FormulaSheet sheet = sheetNamed("1005");
    while (history.undo(sheet)) { }
    EXPECT_EQ(sheet.name(), "5");
}

TEST(SheetHistoryTest, ANewStepDropsWhatCouldBeRedoneAndClearStartsAfresh)
{
    SheetHistory history(sheetNamed("a"));
    history.push("Name", sheetNamed("b"));
    history.push("Paste Row", sheetNamed("c"));
    FormulaSheet sheet = sheetNamed("c");
    history.undo(sheet);
    EXPECT_EQ(sheet.name(), "b");
    EXPECT_EQ(redoMenuText(history), "Redo Paste Row");
    history.push("Insert Row", sheetNamed("d"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(undoMenuText(history), "Undo Insert Row");
    history.undo(sheet);
    EXPECT_EQ(sheet.name(), "b");
    history.clear(sheetNamed("opened"));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.undo(sheet));
    EXPECT_EQ(sheet.name(), "b");  // nothing to undo leaves the sheet alone
}

// The percent basis is how the user looks at the sheet: undo keeps it and
// shows the restored weights' percents on it.
TEST(SheetHistoryTest, UndoKeepsThePercentBasisTheUserChose)
{
    test::RandomFormula random(7);
    FormulaSheet sheet = random.sheet(6);
    const FormulaSheet start = sheet;
    SheetHistory history(sheet);
    sheet.setCell(Column::Weight, 2, "42");
    Calculate(sheet);
    history.push("Weight", sheet);
    FlipPercents(sheet);
    ASSERT_TRUE(history.undo(sheet));
    FormulaSheet expected = start;
    FlipPercents(expected);
    EXPECT_EQ(sheet.percentBasis, PercentBasis::Volume);
    EXPECT_TRUE(sameSheet(sheet, expected));
}

// What the window records as a step: every change a step makes is seen, and
// flipping the percents, which only shows the sheet otherwise, is none.
TEST(SheetHistoryTest, SameFormulaSeesEveryStepButNotThePercentBasis)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        test::RandomFormula random(seed);
        FormulaSheet sheet = random.sheet(random.integer(2, 20));
        Editor editor(sheet, random);
        for (int i = 0; i < 20; ++i) {
            const FormulaSheet before = sheet;
            const std::string caption = editor.step();
            EXPECT_EQ(sameFormula(before, sheet), sameSheet(before, sheet)) << "seed " << seed << ", " << caption;
            FormulaSheet flipped = sheet;
            FlipPercents(flipped);
            EXPECT_TRUE(sameFormula(flipped, sheet)) << "seed " << seed;
        }
    }
}

}  // namespace
