#include "core/sheet/GridTyping.h"

#include "EditingFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace tintora;
using tintora::testing::EditingFixture;

namespace {

constexpr int Material = 1, Description = 2, Weight = 3, Volume = 4, Percent = 5;

class GridTypingTest : public EditingFixture {
protected:
    // Makes a cell current the way a click does.
    GridClickResult arrive(int col, int row) { return cellClicked(sheet, edit, {col, row}, folder.path()); }

    GridKeyResult type(int col, int row, std::u32string_view keys)
    {
        GridKeyResult last;
        for (char32_t k : keys)
            last = typeKey(sheet, edit, {col, row}, k, folder.path());
        return last;
    }
};

// A row of material "water" (Spec 1) weighing 12 pounds: after arriving the
// cells read "  12.000" and "   1.440".
struct TypingCase {
    const char* what;
    int col;
    std::u32string keys;
    const char* weight;
    const char* volume;
};
void PrintTo(const TypingCase& c, std::ostream* os)
{
    *os << c.what;
}

class QuantityTypingTest : public GridTypingTest, public ::testing::WithParamInterface<TypingCase> { };

TEST_P(QuantityTypingTest, WritesTheCellAndItsPartner)
{
    const TypingCase& c = GetParam();
    putMaterial(1, "water", "12");
    arrive(c.col, 1);
    ASSERT_EQ(cell(Column::Weight, 1), "  12.000");
    ASSERT_EQ(cell(Column::Volume, 1), "   1.440");

    type(c.col, 1, c.keys);
    EXPECT_EQ(cell(Column::Weight, 1), c.weight);
    EXPECT_EQ(cell(Column::Volume, 1), c.volume);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuantityTypingTest,
    ::testing::Values(TypingCase{"FirstKeyReplaces", Weight, U"5", "5", "0.60"},
        TypingCase{"BackspaceThenNewDigit", Weight, U"5\b7", "7", "0.84"},
        TypingCase{"HundredPoundsIsTwelveGallons", Weight, U"100", "100", "12.00"},
        TypingCase{"TwelveGallonsIsHundredPounds", Volume, U"12", "100.00", "12"},
        TypingCase{"SixthDigitWouldPassTheLargestWeight", Weight, U"123456", "12345", "1481.40"},
        TypingCase{"LargestWeightItselfIsAllowed", Weight, U"99999.999", "99999.999", "11999.99"},
        TypingCase{"TenthCharacterIsRemoved", Weight, U"1234.56789", "1234.5678", "148.15"},
        TypingCase{"VolumeWhoseWeightPassesTheLimit", Volume, U"12000", "10000.01", "1200"},
        TypingCase{"PointIsTyped", Weight, U"1.5", "1.5", "0.18"},
        TypingCase{"SecondPointInVolumeIsIgnored", Volume, U"1..5.", "12.50", "1.5"},
        TypingCase{"SecondPointThenEnterKeepsTheWeight", Weight, U"1.2.3\r", "   1.230", "   0.148"},
        TypingCase{"PointBehindARestoredNumberIsIgnored", Weight, U"5\x1b.7", "  12.0007", "1.44"},
        TypingCase{"LeadingPointThenEnterKeepsTheWeight", Weight, U".5\r", "   0.500", "   0.060"},
        TypingCase{"OtherCharactersAreDropped", Weight, U"1a-2", "12", "1.44"},
        TypingCase{"DroppedFirstKeyStillEmptiesTheCell", Weight, U"x", "", "0.00"},
        TypingCase{"BackspaceFirstEditsTheOldText", Weight, U"\b", "  12.00", "1.44"},
        TypingCase{"EscapeRestoresAndRecomputesThePartner", Weight, U"5\x1b", "  12.000", "1.44"},
        TypingCase{"EscapeInVolume", Volume, U"3\x1b", "12.00", "   1.440"},
        TypingCase{"EnterRecalculatesWithThreeDecimals", Weight, U"5\r", "   5.000", "   0.600"},
        TypingCase{"AfterEnterTheNextKeyReplacesAgain", Weight, U"5\r7", "7", "0.84"},
        TypingCase{"ControlCharactersAreNoKeys", Weight, U"\x01\x7f", "  12.000", "   1.440"}),
    [](const ::testing::TestParamInfo<TypingCase>& testInfo) { return std::string(testInfo.param.what); });

TEST_F(GridTypingTest, PartnerUsesTheRowsSpecificGravity)
{
    putMaterial(2, "resin", "");  // Spec 2
    arrive(Weight, 2);
    type(Weight, 2, U"7");
    EXPECT_EQ(cell(Column::Volume, 2), "0.42");
    arrive(Volume, 2);
    type(Volume, 2, U"3");
    EXPECT_EQ(cell(Column::Weight, 2), "50.00");
}

TEST_F(GridTypingTest, KeysSetTypingStartedAndModifiedAndEnterClearsTyping)
{
    putMaterial(1, "water", "12");
    arrive(Weight, 1);
    sheet.SheetModified = false;
    EXPECT_FALSE(type(Weight, 1, U"5").recalculated);
    EXPECT_TRUE(sheet.CellTypingStarted);
    EXPECT_TRUE(sheet.SheetModified);

    const GridKeyResult enter = type(Weight, 1, U"\r");
    EXPECT_TRUE(enter.handled);
    EXPECT_TRUE(enter.recalculated);
    EXPECT_FALSE(sheet.CellTypingStarted);
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 5.0);
}

TEST_F(GridTypingTest, ControlCharacterChangesNothing)
{
    putMaterial(1, "water", "12");
    arrive(Material, 1);
    sheet.SheetModified = false;
    EXPECT_FALSE(type(Material, 1, U"\x18").handled);
    EXPECT_EQ(cell(Column::Material, 1), "water");
    EXPECT_FALSE(sheet.CellTypingStarted);
    EXPECT_FALSE(sheet.SheetModified);
}

// A row without a specific gravity (text row, missing material) takes no
// quantity; its first key still empties the cell.
TEST_F(GridTypingTest, RowWithoutSpecTakesNoQuantity)
{
    sheet.setCell(Column::Material, 4, "nosuch");
    sheet.setCell(Column::Description, 4, "Material not found");
    sheet.setCell(Column::Weight, 4, "25");
    arrive(Weight, 4);
    ASSERT_EQ(cell(Column::Weight, 4), "  25.000");

    sheet.SheetModified = false;
    const GridKeyResult r = type(Weight, 4, U"5");
    EXPECT_FALSE(r.recalculated);
    EXPECT_EQ(cell(Column::Weight, 4), "");
    EXPECT_EQ(cell(Column::Volume, 4), "");
    EXPECT_TRUE(sheet.CellTypingStarted);
    EXPECT_TRUE(sheet.SheetModified);

    type(Weight, 4, U"7\r");
    EXPECT_EQ(cell(Column::Weight, 4), "");
}

TEST_F(GridTypingTest, EscapeGivesBackTheWeightOfARowWithoutSpec)
{
    sheet.setCell(Column::Material, 4, "nosuch");
    sheet.setCell(Column::Weight, 4, "25");
    arrive(Weight, 4);
    type(Weight, 4, U"\x1b");
    EXPECT_EQ(cell(Column::Weight, 4), "  25.000");
    EXPECT_EQ(cell(Column::Volume, 4), "");
}

TEST_F(GridTypingTest, DescriptionAndPercentIgnoreKeys)
{
    putMaterial(1, "water", "12");
    for (int col : {Description, Percent}) {
        arrive(col, 1);
        const std::string before = sheet.cell(static_cast<Column>(col), 1);
        sheet.SheetModified = false;
        const GridKeyResult r = type(col, 1, U"ab\b\x1b\r");
        EXPECT_TRUE(r.handled);
        EXPECT_FALSE(r.recalculated);
        EXPECT_EQ(sheet.cell(static_cast<Column>(col), 1), before);
        EXPECT_TRUE(sheet.CellTypingStarted);
        EXPECT_TRUE(sheet.SheetModified);
    }
}

struct CodeCase {
    const char* what;
    const char* start;
    std::u32string keys;
    const char* code;
};
void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.what;
}

class CodeTypingTest : public GridTypingTest, public ::testing::WithParamInterface<CodeCase> { };

TEST_P(CodeTypingTest, EditsTheMaterialCell)
{
    const CodeCase& c = GetParam();
    sheet.setCell(Column::Material, 3, c.start);
    arrive(Material, 3);
    type(Material, 3, c.keys);
    EXPECT_EQ(cell(Column::Material, 3), c.code);
    EXPECT_FALSE(sheet.row(3).RowKind);  // nothing is loaded before Enter or leaving
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeTypingTest,
    ::testing::Values(CodeCase{"FirstKeyReplaces", "Water", U"ti", "ti"},
        CodeCase{"BackspaceFirstShortensTheOldCode", "Water", U"\b", "Wate"},
        CodeCase{"BackspaceOnEmptyCell", "", U"\b\b", ""}, CodeCase{"EscapeRestores", "Water", U"tio\x1b", "Water"},
        CodeCase{"EscapeFirstRestores", "Water", U"\x1b", "Water"},
        CodeCase{"AnyCharacterIsAppended", "", U"a 1-_.", "a 1-_."},
        CodeCase{"AccentIsOneCharacter", "", U"caf\u00e9", "caf\xc3\xa9"},
        CodeCase{"BackspaceRemovesAWholeAccent", "", U"x\u00e9\b", "x"}),
    [](const ::testing::TestParamInfo<CodeCase>& testInfo) { return std::string(testInfo.param.what); });

TEST_F(GridTypingTest, EnterInMaterialLoadsTheCodeAndRecalculates)
{
    sheet.setCell(Column::Weight, 2, "10");
    arrive(Material, 2);
    const GridKeyResult r = type(Material, 2, U"tio2\r");
    EXPECT_TRUE(r.recalculated);
    EXPECT_TRUE(sheet.row(2).RowKind);
    EXPECT_EQ(cell(Column::Description, 2), "Titanium dioxide");
    EXPECT_EQ(cell(Column::Weight, 2), "  10.000");
    EXPECT_DOUBLE_EQ(sheet.row(2).props.Spec, 4.1);
    EXPECT_FALSE(sheet.CellTypingStarted);
    EXPECT_EQ(edit.PreviousCol, Material);  // Enter does not leave the cell
}

TEST_F(GridTypingTest, LeavingAMaterialCellLoadsTheTypedCode)
{
    sheet.setCell(Column::Weight, 2, "10");
    arrive(Material, 2);
    type(Material, 2, U"tio2");
    const GridClickResult r = arrive(Weight, 2);
    EXPECT_TRUE(r.recalculated);
    EXPECT_TRUE(sheet.row(2).RowKind);
    EXPECT_EQ(cell(Column::Description, 2), "Titanium dioxide");
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 10.0);
    EXPECT_EQ(edit.SavedCellText, "  10.000");
    EXPECT_EQ(edit.PreviousCol, Weight);
    EXPECT_EQ(edit.PreviousRow, 2);
}

// Leaving the grid (Tab, a click elsewhere, a command) takes in a code typed
// into the current Material cell as leaving the cell does; nothing else.
TEST_F(GridTypingTest, LeavingTheGridLoadsTheCodeTypedIntoTheCurrentCell)
{
    struct Case {
        const char* what;
        int col;
        std::u32string keys;
        bool loads;
    };
    const Case cases[] = {
        {"a code typed", Material, U"tio2", true},
        {"a code shortened with Backspace", Material, U"\b", true},
        {"nothing typed", Material, U"", false},
        {"a weight typed", Weight, U"5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sheet = FormulaSheet();
        edit = GridEditState();
        sheet.setCell(Column::Material, 2, "tio2x");  // typed earlier, names no file
        arrive(c.col, 2);
        type(c.col, 2, c.keys);

        EXPECT_EQ(gridLeft(sheet, edit, {c.col, 2}, folder.path()).recalculated, c.loads);
        EXPECT_EQ(sheet.row(2).RowKind, c.loads);
        EXPECT_EQ(cell(Column::Description, 2), c.loads ? "Titanium dioxide" : "");
        if (c.loads) {
            EXPECT_EQ(edit.SavedCellText, "tio2");  // Escape no longer takes it back
        }
        EXPECT_FALSE(gridLeft(sheet, edit, {c.col, 2}, folder.path()).recalculated);  // once is enough
    }
}

TEST_F(GridTypingTest, ConfirmingAnUnknownCodeOnAMaterialRowEmptiesIt)
{
    putMaterial(2, "water", "10");
    arrive(Material, 2);
    type(Material, 2, U"nosuch\r");
    EXPECT_FALSE(sheet.row(2).RowKind);
    for (Column c : {Column::Material, Column::Description, Column::Weight, Column::Volume, Column::Percent})
        EXPECT_EQ(cell(c, 2), "");
}

TEST_F(GridTypingTest, LeavingAnotherCellOnlyRecalculates)
{
    sheet.setCell(Column::Material, 2, "water");  // typed, not loaded
    sheet.setCell(Column::Weight, 2, "10");
    arrive(Weight, 2);
    EXPECT_FALSE(sheet.row(2).RowKind);
    EXPECT_EQ(cell(Column::Weight, 2), "  10.000");
}

TEST_F(GridTypingTest, ClickOnTheCurrentCellKeepsTypingAndSavesTheTypedText)
{
    putMaterial(1, "water", "12");
    arrive(Weight, 1);
    type(Weight, 1, U"5");
    const GridClickResult r = arrive(Weight, 1);
    EXPECT_FALSE(r.recalculated);
    EXPECT_TRUE(sheet.CellTypingStarted);
    EXPECT_EQ(edit.SavedCellText, "5");
    type(Weight, 1, U"0\x1b");
    EXPECT_EQ(cell(Column::Weight, 1), "5");
}

TEST_F(GridTypingTest, FirstClickOfTheRunRecalculates)
{
    sheet.setCell(Column::Weight, 1, "3");
    EXPECT_TRUE(arrive(Material, 1).recalculated);
    EXPECT_EQ(cell(Column::Weight, 1), "   3.000");
}

struct MarkCase {
    bool materialRow;
    bool markedBefore;
    bool markedAfter;
};

class MarkClickTest : public GridTypingTest, public ::testing::WithParamInterface<MarkCase> { };

TEST_P(MarkClickTest, OnlyMaterialRowsToggle)
{
    const MarkCase& c = GetParam();
    sheet.row(6).RowKind = c.materialRow;
    sheet.row(6).marked = c.markedBefore;
    EXPECT_EQ(markClicked(sheet, 6), c.markedAfter);
    EXPECT_EQ(sheet.row(6).marked, c.markedAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkClickTest,
    ::testing::Values(MarkCase{true, false, true}, MarkCase{true, true, false}, MarkCase{false, false, false},
        MarkCase{false, true, false}));

// Space marks a material row from a cell that takes no typing, and types
// everywhere else (a blank inside a code, say).
TEST_F(GridTypingTest, SpaceTogglesTheMarkOnlyFromACellThatTakesNoTyping)
{
    putNote(3, "stir 10 minutes");
    putMaterial(4, "water", "1");
    EXPECT_TRUE(spaceTogglesMark(sheet, {Description, 4}, U' '));
    EXPECT_TRUE(spaceTogglesMark(sheet, {Percent, 4}, U' '));
    EXPECT_FALSE(spaceTogglesMark(sheet, {Description, 4}, U'x'));
    EXPECT_FALSE(spaceTogglesMark(sheet, {Description, 3}, U' '));
    for (const int typing : {Material, Weight, Volume})
        EXPECT_FALSE(spaceTogglesMark(sheet, {typing, 4}, U' ')) << typing;
}

TEST_F(GridTypingTest, NoteEditorOpensOnlyOnTheDescriptionOfATextRow)
{
    putNote(3, "stir 10 minutes");
    putMaterial(4, "water", "1");
    EXPECT_EQ(noteToEdit(sheet, {Description, 3}), "stir 10 minutes");
    EXPECT_EQ(noteToEdit(sheet, {Description, 5}), "");
    EXPECT_EQ(noteToEdit(sheet, {Description, 4}), std::nullopt);
    EXPECT_EQ(noteToEdit(sheet, {Weight, 3}), std::nullopt);
    EXPECT_EQ(noteToEdit(sheet, {Material, 3}), std::nullopt);
}

TEST_F(GridTypingTest, StoredNoteIsCutAtSixtyCharactersAndNothingIsRecomputed)
{
    sheet.setCell(Column::Weight, 3, "5");
    sheet.SheetModified = false;
    EXPECT_TRUE(storeNote(sheet, 3, std::string(61, 'n')));
    EXPECT_EQ(cell(Column::Description, 3), std::string(60, 'n'));
    EXPECT_EQ(cell(Column::Weight, 3), "5");

    std::string accents;
    for (int i = 0; i < 61; ++i)
        accents += "\xc3\xa9";
    storeNote(sheet, 3, accents);
    EXPECT_EQ(cell(Column::Description, 3), accents.substr(0, 120));

    EXPECT_TRUE(storeNote(sheet, 3, ""));
    EXPECT_EQ(cell(Column::Description, 3), "");
}

TEST_F(GridTypingTest, NoteDoesNotOverwriteAMaterialsDescription)
{
    putMaterial(3, "water", "5");
    EXPECT_FALSE(storeNote(sheet, 3, "old note"));
    EXPECT_EQ(cell(Column::Description, 3), "Water");
}

TEST_F(GridTypingTest, SmallButtonsFollowTheColumn)
{
    const DropButton expected[] = {
        DropButton::None, DropButton::Drop1, DropButton::None, DropButton::Drop2, DropButton::Drop2, DropButton::None};
    for (int col = 0; col < ColumnCount; ++col) {
        EXPECT_EQ(dropButtonFor(col, false), expected[col]) << "column " << col;
        EXPECT_EQ(dropButtonFor(col, true), DropButton::None) << "column " << col;
    }
}

TEST_F(GridTypingTest, ContextMenuOnlyOnTheMaterialColumn)
{
    for (int col = 0; col < ColumnCount; ++col)
        EXPECT_EQ(contextMenuOpens(col), col == Material) << "column " << col;
}

TEST_F(GridTypingTest, KeypadWorksOnWeightOrVolumeOfMaterialRows)
{
    putMaterial(2, "water", "12");
    arrive(Material, 2);
    for (int col : {Material, Description, Weight, Percent})
        EXPECT_EQ(keypadColumn(sheet, {col, 2}), Weight) << "column " << col;
    EXPECT_EQ(keypadColumn(sheet, {Volume, 2}), Volume);
    EXPECT_EQ(keypadColumn(sheet, {Weight, 3}), std::nullopt);

    EXPECT_DOUBLE_EQ(keypadStartValue(sheet, {Weight, 2}), 12.0);
    EXPECT_DOUBLE_EQ(keypadStartValue(sheet, {Volume, 2}), 1.44);
}

}  // namespace
