#pragma once
// Commands on whole rows of the sheet: insert, delete, marking, and the
// window's one-row clipboard. Each works on the grid's current row (the row
// of the current cell) or on all rows; the current cell itself does not move
// and PreviousCol, PreviousRow and SavedCellText are not touched. Questions
// and notices go through the Prompter. Row numbers (column 0) never move.
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/GridEditState.h"

#include <filesystem>

namespace tintora {

// The questions and the notice, exactly as the user reads them.
constexpr const char* InsertOverMaterialQuestion
    = "The last row contains a material. Inserting will erase that material. Are you sure you want to continue ?";
constexpr const char* InsertOverTextQuestion
    = "The last row contains text. Inserting will erase that text. Are you sure you want to continue ?";
constexpr const char* DeleteMaterialQuestion
    = "This row contains a material. Deleting will erase that material. Are you sure you want to continue ?";
constexpr const char* DeleteTextQuestion
    = "This row contains text. Deleting will erase that text. Are you sure you want to continue ?";
constexpr const char* MatchingMaterialNotice = "Please select a matching material.";

// In all commands below a true result means the sheet changed and Calculate
// ran: the window refreshes every cell and the property boxes.

// RMInsert1Click: moves rows row ... 35 one down (row 36 is lost, after a
// confirmation when it holds a material or a note) and empties `row`.
bool insertRow(FormulaSheet& sheet, int row, Prompter& prompter);

// RMDelete1Click: after a confirmation when `row` holds a material or a note,
// moves the rows below it one up and empties row 36.
bool deleteRow(FormulaSheet& sheet, int row, Prompter& prompter);

// MarkAll1Click, UnmarkAll1Click, FlipMarked1Click: change the marks of
// material rows only; nothing is recomputed, the window repaints the marks.
void markAll(FormulaSheet& sheet);
void unmarkAll(FormulaSheet& sheet);
void flipMarked(FormulaSheet& sheet);

// mCopyClick: the row's mark, code and Weight cell into the clipboard.
void copyRow(const FormulaSheet& sheet, int row, ClipboardRow& clipboard);

// mCutClick: as copyRow, then empties the row (mark, code, description,
// weight, properties; Calculate empties the rest). Always recalculates.
void cutRow(FormulaSheet& sheet, int row, ClipboardRow& clipboard);

// mPasteClick: the clipboard's mark, code and weight into the row, the
// material loaded from materialFolder. The clipboard keeps its content.
// Does nothing (false) on an empty clipboard; a weight beyond RowWeightLimit
// gets the error RowLimitMessage and changes nothing.
bool pasteRow(FormulaSheet& sheet, int row, const ClipboardRow& clipboard, const std::filesystem::path& materialFolder,
    Prompter& prompter);

// Add1Click: adds the clipboard's weight onto a row with the same code
// (letter case included) and empties the clipboard. A different code gets the
// notice MatchingMaterialNotice and changes nothing; a sum beyond
// RowWeightLimit gets the error RowLimitMessage and changes nothing (the
// clipboard kept); an empty clipboard does nothing. True when the weight was added.
bool addRow(FormulaSheet& sheet, int row, ClipboardRow& clipboard, Prompter& prompter);

}  // namespace tintora
