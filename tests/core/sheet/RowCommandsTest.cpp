#include "core/sheet/RowCommands.h"

#include "EditingFixture.h"
#include "ScriptedPrompter.h"
#include "core/calc/Calculate.h"
#include "core/sheet/GridTyping.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace tintora;
using tintora::testing::EditingFixture;
using tintora::testing::RowSnapshot;
using tintora::testing::ScriptedPrompter;
using tintora::testing::ScriptedSounds;
using tintora::testing::ShownMessage;
using tintora::testing::snapshot;

namespace {

constexpr const char* InsertMaterial
    = "The last row contains a material. Inserting will erase that material. Are you sure you want to continue ?";
constexpr const char* InsertText
    = "The last row contains text. Inserting will erase that text. Are you sure you want to continue ?";
constexpr const char* DeleteMaterial
    = "This row contains a material. Deleting will erase that material. Are you sure you want to continue ?";
constexpr const char* DeleteText
    = "This row contains text. Deleting will erase that text. Are you sure you want to continue ?";

class RowCommandsTest : public EditingFixture {
protected:
    RowCommandsTest()
        : prompter(&sounds)
    {
    }

    // Rows 1-36 each different: materials with weights and marks on odd
    // rows, notes on even rows.
    void fillSheet()
    {
        for (int n = 1; n <= SheetRowCount; ++n) {
            if (n % 2 == 1) {
                putMaterial(n, n % 4 == 1 ? "water" : "resin", std::to_string(n));
                sheet.row(n).marked = n % 3 == 0;
            } else {
                putNote(n, "note " + std::to_string(n));
            }
        }
        Calculate(sheet);
    }
    bool isEmptyRow(int n) const
    {
        const SheetRow& r = sheet.row(n);
        for (int c = 1; c < ColumnCount; ++c)
            if (!r.cells[c].empty())
                return false;
        return !r.marked && !r.RowKind && r.props == RowMaterialProps{};
    }
    void expectRowNumbers() const
    {
        for (int n = 1; n <= SheetRowCount; ++n)
            EXPECT_EQ(sheet.cell(Column::Number, n), std::to_string(n));
    }

    ScriptedSounds sounds;
    ScriptedPrompter prompter;
};

// What the row that insert or delete would erase holds, and the question it gets.
enum class Content { Material, Note, CodeAndWeightOnly, Empty };

struct QuestionCase {
    const char* what;
    bool insert;
    Content content;
    const char* question;  // nullptr: none
};
void PrintTo(const QuestionCase& c, std::ostream* os)
{
    *os << c.what;
}

class RowQuestionTest : public RowCommandsTest, public ::testing::WithParamInterface<QuestionCase> {
protected:
    void put(int row, Content content)
    {
        switch (content) {
        case Content::Material:
            putMaterial(row, "water", "3");
            break;
        case Content::Note:
            putNote(row, "keep me");
            break;
        case Content::CodeAndWeightOnly:
            sheet.setCell(Column::Material, row, "typed");
            sheet.setCell(Column::Weight, row, "4");
            break;
        case Content::Empty:
            break;
        }
    }
    bool run(int row) { return GetParam().insert ? insertRow(sheet, row, prompter) : deleteRow(sheet, row, prompter); }
};

TEST_P(RowQuestionTest, AsksAboutWhatWouldBeErased)
{
    const QuestionCase& c = GetParam();
    put(c.insert ? SheetRowCount : 10, c.content);
    putMaterial(11, "resin", "2");
    Calculate(sheet);
    const auto before = snapshot(sheet);

    EXPECT_TRUE(run(10));
    if (c.question) {
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0], (ShownMessage{ShownMessage::Kind::Confirm, c.question}));
        EXPECT_EQ(sounds.played, std::vector<std::string>{"SystemQuestion"});
    } else {
        EXPECT_TRUE(prompter.shown.empty());
    }
    EXPECT_NE(snapshot(sheet), before);
}

// The cases above that ask.
class RowQuestionAnsweredNoTest : public RowQuestionTest { };

TEST_P(RowQuestionAnsweredNoTest, LeavesTheSheetAsItWas)
{
    const QuestionCase& c = GetParam();
    put(c.insert ? SheetRowCount : 10, c.content);
    putMaterial(11, "resin", "2");
    Calculate(sheet);
    const auto before = snapshot(sheet);
    sheet.SheetModified = false;

    prompter.answers = {false};
    EXPECT_FALSE(run(10));
    EXPECT_EQ(snapshot(sheet), before);
    EXPECT_FALSE(sheet.SheetModified);
}

INSTANTIATE_TEST_SUITE_P(Cases, RowQuestionTest,
    ::testing::Values(QuestionCase{"InsertOverMaterial", true, Content::Material, InsertMaterial},
        QuestionCase{"InsertOverNote", true, Content::Note, InsertText},
        QuestionCase{"InsertOverCodeAndWeight", true, Content::CodeAndWeightOnly, nullptr},
        QuestionCase{"InsertOverEmpty", true, Content::Empty, nullptr},
        QuestionCase{"DeleteMaterial", false, Content::Material, DeleteMaterial},
        QuestionCase{"DeleteNote", false, Content::Note, DeleteText},
        QuestionCase{"DeleteCodeAndWeight", false, Content::CodeAndWeightOnly, nullptr},
        QuestionCase{"DeleteEmpty", false, Content::Empty, nullptr}),
    [](const ::testing::TestParamInfo<QuestionCase>& testInfo) { return std::string(testInfo.param.what); });

INSTANTIATE_TEST_SUITE_P(Cases, RowQuestionAnsweredNoTest,
    ::testing::Values(QuestionCase{"InsertOverMaterial", true, Content::Material, InsertMaterial},
        QuestionCase{"InsertOverNote", true, Content::Note, InsertText},
        QuestionCase{"DeleteMaterial", false, Content::Material, DeleteMaterial},
        QuestionCase{"DeleteNote", false, Content::Note, DeleteText}),
    [](const ::testing::TestParamInfo<QuestionCase>& testInfo) { return std::string(testInfo.param.what); });

TEST_F(RowCommandsTest, InsertMovesRowsDownWithMarksKindsAndProperties)
{
    fillSheet();
    putNote(SheetRowCount, "");  // an empty last row: no question, no weight lost
    const auto before = snapshot(sheet);
    const double totalWeight = sheet.box(PropertyBox::WeightBox);
    sheet.SheetModified = false;

    EXPECT_TRUE(insertRow(sheet, 5, prompter));
    EXPECT_TRUE(prompter.shown.empty());
    const auto after = snapshot(sheet);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(after[n - 1], before[n - 1]) << "row " << n;
    EXPECT_TRUE(isEmptyRow(5));
    for (int n = 6; n <= SheetRowCount; ++n) {
        RowSnapshot moved = before[n - 2];
        moved.cells[0] = std::to_string(n);
        EXPECT_EQ(after[n - 1].cells[0], std::to_string(n));
        // the percent cells are rewritten by Calculate; the rest moves as it was
        moved.cells[5] = after[n - 1].cells[5];
        EXPECT_EQ(after[n - 1], moved) << "row " << n;
    }
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), totalWeight);
    EXPECT_TRUE(sheet.SheetModified);
    expectRowNumbers();
}

TEST_F(RowCommandsTest, InsertOverALastRowWithWeightLosesItsWeight)
{
    fillSheet();
    putMaterial(SheetRowCount, "water", "8");
    Calculate(sheet);
    const double totalWeight = sheet.box(PropertyBox::WeightBox);
    EXPECT_TRUE(insertRow(sheet, 1, prompter));
    EXPECT_EQ(prompter.shown.at(0).text, InsertMaterial);
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), totalWeight - 8);
    EXPECT_EQ(cell(Column::Description, SheetRowCount), "Alkyd resin");  // row 35 moved down
}

TEST_F(RowCommandsTest, InsertAtTheLastRowOnlyEmptiesIt)
{
    fillSheet();
    putMaterial(SheetRowCount, "resin", "8");
    sheet.row(SheetRowCount).marked = true;
    const auto before = snapshot(sheet);
    EXPECT_TRUE(insertRow(sheet, SheetRowCount, prompter));
    EXPECT_EQ(prompter.shown.at(0).text, InsertMaterial);
    EXPECT_TRUE(isEmptyRow(SheetRowCount));
    const auto after = snapshot(sheet);
    for (int n = 1; n < SheetRowCount; ++n)
        EXPECT_EQ(after[n - 1].cells[1], before[n - 1].cells[1]) << "row " << n;
}

TEST_F(RowCommandsTest, DeleteMovesRowsUpAndEmptiesTheLast)
{
    fillSheet();
    const auto before = snapshot(sheet);
    EXPECT_TRUE(deleteRow(sheet, 5, prompter));
    EXPECT_EQ(prompter.shown.at(0).text, DeleteMaterial);
    const auto after = snapshot(sheet);
    for (int n = 5; n < SheetRowCount; ++n) {
        EXPECT_EQ(after[n - 1].cells[1], before[n].cells[1]) << "row " << n;
        EXPECT_EQ(after[n - 1].cells[2], before[n].cells[2]) << "row " << n;
        EXPECT_EQ(after[n - 1].marked, before[n].marked) << "row " << n;
        EXPECT_EQ(after[n - 1].RowKind, before[n].RowKind) << "row " << n;
        EXPECT_EQ(after[n - 1].props, before[n].props) << "row " << n;
    }
    EXPECT_TRUE(isEmptyRow(SheetRowCount));
    expectRowNumbers();
}

TEST_F(RowCommandsTest, DeletedLastRowTakesNoWeightAfterwards)
{
    putMaterial(SheetRowCount, "water", "8");
    EXPECT_TRUE(deleteRow(sheet, SheetRowCount, prompter));
    EXPECT_TRUE(isEmptyRow(SheetRowCount));
    cellClicked(sheet, edit, {3, SheetRowCount}, folder.path());
    typeKey(sheet, edit, {3, SheetRowCount}, U'5', folder.path());
    EXPECT_EQ(cell(Column::Weight, SheetRowCount), "");
}

TEST_F(RowCommandsTest, MarksChangeOnlyOnMaterialRows)
{
    fillSheet();
    sheet.row(2).marked = true;  // a marked text row (e.g. a failed paste) stays as it is
    const auto before = snapshot(sheet);

    markAll(sheet);
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(sheet.row(n).marked, n % 2 == 1 || n == 2) << "row " << n;
    unmarkAll(sheet);
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(sheet.row(n).marked, n == 2) << "row " << n;

    for (int n = 1; n <= SheetRowCount; ++n)
        sheet.row(n).marked = before[n - 1].marked;
    flipMarked(sheet);
    for (int n = 1; n <= SheetRowCount; ++n)
        EXPECT_EQ(sheet.row(n).marked, n % 2 == 1 ? !before[n - 1].marked : before[n - 1].marked) << "row " << n;
    flipMarked(sheet);
    EXPECT_EQ(snapshot(sheet), before);
}

TEST_F(RowCommandsTest, CutAndPasteMovesCodeWeightAndMark)
{
    putMaterial(2, "tio2", "10");
    sheet.row(2).marked = true;
    Calculate(sheet);
    cutRow(sheet, 2, edit.RowClipboard);
    EXPECT_EQ(edit.RowClipboard, (ClipboardRow{true, "tio2", "  10.000"}));
    EXPECT_TRUE(isEmptyRow(2));
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 0.0);

    EXPECT_TRUE(pasteRow(sheet, 9, edit.RowClipboard, folder.path(), prompter));
    EXPECT_EQ(cell(Column::Material, 9), "tio2");
    EXPECT_EQ(cell(Column::Description, 9), "Titanium dioxide");
    EXPECT_EQ(cell(Column::Weight, 9), "  10.000");
    EXPECT_TRUE(sheet.row(9).marked);
    EXPECT_TRUE(sheet.row(9).RowKind);
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 10.0);

    // the clipboard keeps its row for another paste
    EXPECT_TRUE(pasteRow(sheet, 12, edit.RowClipboard, folder.path(), prompter));
    EXPECT_EQ(cell(Column::Weight, 12), "  10.000");
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 20.0);
}

TEST_F(RowCommandsTest, CopyLeavesTheRowUnchanged)
{
    putMaterial(2, "water", "7");
    Calculate(sheet);
    const auto before = snapshot(sheet);
    copyRow(sheet, 2, edit.RowClipboard);
    EXPECT_EQ(edit.RowClipboard, (ClipboardRow{false, "water", "   7.000"}));
    EXPECT_EQ(snapshot(sheet), before);
}

TEST_F(RowCommandsTest, CuttingANoteErasesItAndLeavesNothingToPaste)
{
    putNote(4, "premix");
    cutRow(sheet, 4, edit.RowClipboard);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(isEmptyRow(4));
    EXPECT_TRUE(edit.RowClipboard.empty());

    putMaterial(5, "water", "1");
    Calculate(sheet);
    const auto before = snapshot(sheet);
    EXPECT_FALSE(pasteRow(sheet, 5, edit.RowClipboard, folder.path(), prompter));
    EXPECT_EQ(snapshot(sheet), before);
}

TEST_F(RowCommandsTest, PastingAMissingMaterialKeepsCodeAndWeightOnATextRow)
{
    const ClipboardRow gone{true, "gone", "   5.000"};
    EXPECT_TRUE(pasteRow(sheet, 3, gone, folder.path(), prompter));
    EXPECT_FALSE(sheet.row(3).RowKind);
    EXPECT_EQ(cell(Column::Material, 3), "gone");
    EXPECT_EQ(cell(Column::Weight, 3), "   5.000");
    EXPECT_EQ(cell(Column::Volume, 3), "");

    putMaterial(4, "water", "9");
    EXPECT_TRUE(pasteRow(sheet, 4, gone, folder.path(), prompter));
    EXPECT_FALSE(sheet.row(4).RowKind);
    EXPECT_EQ(cell(Column::Material, 4), "");  // the material row was emptied by the failed load
    EXPECT_EQ(cell(Column::Description, 4), "");
    EXPECT_EQ(cell(Column::Weight, 4), "   5.000");
    EXPECT_EQ(sheet.row(4).props, RowMaterialProps{});
}

TEST_F(RowCommandsTest, AddSumsTheWeightsAndEmptiesTheClipboard)
{
    putMaterial(1, "Tio2", "5");
    putMaterial(2, "Tio2", "10");
    Calculate(sheet);
    copyRow(sheet, 1, edit.RowClipboard);

    EXPECT_TRUE(addRow(sheet, 2, edit.RowClipboard, prompter));
    EXPECT_EQ(cell(Column::Weight, 2), "  15.000");
    EXPECT_DOUBLE_EQ(sheet.box(PropertyBox::WeightBox), 20.0);
    EXPECT_EQ(edit.RowClipboard, ClipboardRow{});

    const auto before = snapshot(sheet);
    EXPECT_FALSE(addRow(sheet, 2, edit.RowClipboard, prompter));
    EXPECT_EQ(snapshot(sheet), before);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RowCommandsTest, AddOnADifferentCodeShowsTheNotice)
{
    putMaterial(1, "Tio2", "5");
    putMaterial(2, "tio2", "10");
    Calculate(sheet);
    copyRow(sheet, 1, edit.RowClipboard);
    const ClipboardRow clipboard = edit.RowClipboard;
    const auto before = snapshot(sheet);

    EXPECT_FALSE(addRow(sheet, 2, edit.RowClipboard, prompter));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0], (ShownMessage{ShownMessage::Kind::Information, "Please select a matching material."}));
    EXPECT_EQ(sounds.played, std::vector<std::string>{"SystemAsterisk"});
    EXPECT_EQ(snapshot(sheet), before);
    EXPECT_EQ(edit.RowClipboard, clipboard);
}

// Add and Paste never take a row past the limit typing and the keypads keep:
// refused with the keypad's message, the sheet and the clipboard unchanged.
TEST_F(RowCommandsTest, AddAndPasteStopAtTheRowLimit)
{
    struct Case {
        bool add;  // else Paste
        const char* rowWeight;
        const char* clipboardWeight;
        const char* result;  // the Weight cell afterwards; nullptr: refused
    };
    const Case cases[] = {
        {true, "60000", "60000", nullptr},
        {true, "99999.999", "0.001", nullptr},
        {true, "50000", "49999.999", "99999.999"},
        {true, "0.0004", "99999.999", "99999.999"},  // what the cell shows counts
        {false, "1", "120000.000", nullptr},
        {false, "1", "99999.999", "99999.999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.add ? "Add " : "Paste ") + c.clipboardWeight + " on " + c.rowWeight);
        sheet = FormulaSheet();
        prompter.shown.clear();
        putMaterial(2, "water", c.rowWeight);
        Calculate(sheet);
        edit.RowClipboard = {false, "water", c.clipboardWeight};
        const ClipboardRow clipboard = edit.RowClipboard;
        const auto before = snapshot(sheet);

        const bool done = c.add ? addRow(sheet, 2, edit.RowClipboard, prompter)
                                : pasteRow(sheet, 2, edit.RowClipboard, folder.path(), prompter);
        if (c.result) {
            EXPECT_TRUE(done);
            EXPECT_EQ(cell(Column::Weight, 2), c.result);
            EXPECT_TRUE(prompter.shown.empty());
            continue;
        }
        EXPECT_FALSE(done);
        EXPECT_EQ(
            prompter.shown, (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Number exceeds row limit."}}));
        EXPECT_EQ(snapshot(sheet), before);
        EXPECT_EQ(edit.RowClipboard, clipboard);
    }
}

TEST_F(RowCommandsTest, RowCommandsKeepTheCellState)
{
    fillSheet();
    cellClicked(sheet, edit, {3, 7}, folder.path());
    const GridEditState before = edit;
    insertRow(sheet, 7, prompter);
    deleteRow(sheet, 7, prompter);
    copyRow(sheet, 7, edit.RowClipboard);
    EXPECT_EQ(edit.SavedCellText, before.SavedCellText);
    EXPECT_EQ(edit.PreviousCol, before.PreviousCol);
    EXPECT_EQ(edit.PreviousRow, before.PreviousRow);
}

}  // namespace
