#pragma once
// The rules by which the formula grid is edited. The grid never edits a cell
// in place: the main window's handlers translate Qt events into these calls
// and then refresh what the user sees. Nothing here shows a window; every
// function tells the window what to do next through its result.
//
// Cells are given as (column, row) with the grid's numbering: columns 0-5
// (see Column), formula rows 1 ... SheetRowCount. The window passes its
// current cell, which is always a data cell (column 1-5).
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/GridEditState.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

struct GridCell {
    int col = 0;
    int row = 0;
    bool operator==(const GridCell&) const = default;
};

// The three control keys of the grid, as the key event's text gives them.
constexpr char32_t KeyEnter = U'\r';
constexpr char32_t KeyEscape = U'\x1b';
constexpr char32_t KeyBackspace = U'\b';

// The note editor (DescBox) holds at most this many characters.
constexpr std::size_t DescBoxMaxLength = 60;

struct GridKeyResult {
    // false: the key is no character for the grid (another control character,
    // or no valid code point); nothing changed and the window may pass it on.
    bool handled = false;
    // Calculate ran: refresh every cell and the property boxes. Otherwise only
    // the current row's cells can have changed.
    bool recalculated = false;
};

// Grid1KeyPress: one character typed while the grid has the focus, at the
// current cell. Enter, Escape and Backspace are KeyEnter, KeyEscape and
// KeyBackspace; every other key is its Unicode code point. While
// sheet.CellTypingStarted is false the first key other than Enter and
// Backspace replaces the text of a Material, Weight or Volume cell.
//  - Material: Enter loads the typed code (MaterialLoad from materialFolder)
//    and recalculates; Escape restores SavedCellText; Backspace removes the
//    last character; anything else is appended.
//  - Weight / Volume, on a row whose Spec is not 0: digits and "." are
//    appended, other characters dropped (a "." is ignored when the cell
//    already holds one, and becomes "0." in an empty cell); Enter
//    recalculates; Escape restores SavedCellText; a character that breaks a
//    limit of sheet/Quantities is removed again; the partner cell is
//    rewritten with two decimals. On a row whose Spec is 0 nothing is typed
//    (Escape still restores SavedCellText).
//  - Description and percent: the key is ignored.
// Every handled key sets SheetModified.
GridKeyResult typeKey(FormulaSheet& sheet, const GridEditState& edit, GridCell current, char32_t key,
    const std::filesystem::path& materialFolder);

struct GridClickResult {
    // The current cell differs from the previous one: the cell left behind
    // was processed (a Material cell loads its code) and Calculate ran, so
    // every cell and the property boxes need a refresh.
    bool recalculated = false;
};

// Grid1Click: after a keyboard move or program assignment of the current
// cell, and at the release of every click in a data cell (the current one
// included). Processes the cell that was left, then stores the current cell
// in PreviousCol / PreviousRow and its text in SavedCellText. The window runs
// AlignButtons before it and refreshes after it.
GridClickResult cellClicked(
    FormulaSheet& sheet, GridEditState& edit, GridCell current, const std::filesystem::path& materialFolder);

// The focus leaves the grid (Tab, a click on another control or the menu) or
// a command starts while the current cell is being typed into: a Material
// cell whose text changed since it was clicked or selected is processed as
// leaving it for another cell does (its code loaded, Calculate), and its text
// becomes the one Escape puts back. Any other cell is left as it is, so that
// a later cell change processes it. recalculated says whether Calculate ran.
GridClickResult gridLeft(
    FormulaSheet& sheet, GridEditState& edit, GridCell current, const std::filesystem::path& materialFolder);

// Before Undo and Redo: what is being typed into the current cell is taken in
// as Enter would take it, so that it becomes a step of its own. A Material
// cell is processed as by gridLeft; a Weight or Volume cell whose text changed
// since it was clicked runs Calculate and its text becomes the one Escape puts
// back. recalculated says whether Calculate ran.
GridClickResult typingTakenIn(
    FormulaSheet& sheet, GridEditState& edit, GridCell current, const std::filesystem::path& materialFolder);

// Grid1CheckBoxClick, i.e. the mouse toggled the mark box of a row: a
// material row's mark flips, a text row's mark ends unchecked. Returns the
// row's mark afterwards, which the view shows.
bool markClicked(FormulaSheet& sheet, int row);

// The mark box takes no keyboard focus: Space on a material row's cell that
// takes no typing (Description, percent) toggles the row's mark as a click
// does. Whether the key at the current cell is that.
bool spaceTogglesMark(const FormulaSheet& sheet, GridCell current, char32_t key);

// Grid1DblClick: the note to put into DescBox when the yellow editor opens,
// i.e. when the current cell is the Description cell of a text row; nullopt
// (nothing happens) otherwise.
std::optional<std::string> noteToEdit(const FormulaSheet& sheet, GridCell current);

// DescBoxExit: stores the editor's text, cut to DescBoxMaxLength characters,
// as the note of the row. Nothing is recomputed. A row that became a material
// row while the editor was open keeps its description; returns false then.
bool storeNote(FormulaSheet& sheet, int row, std::string_view text);

// The small button shown at the current cell: Drop1 on the Material column,
// Drop2 on Weight and Volume, none elsewhere or while a mouse button is held
// over the grid. For AlignButtons and Grid1MouseUp.
enum class DropButton { None, Drop1, Drop2 };
DropButton dropButtonFor(int col, bool gridMouseDown);

// A right click opens the grid's context menu (Cut, Copy, Paste, Add) only
// on the Material column, after the clicked cell has been made current.
constexpr bool contextMenuOpens(int col)
{
    return col == FormulaSheet::index(Column::Material);
}

// Drop2Click: the column the keypad panel works on, which the window makes
// current before it toggles the panel: the Volume column when it is current,
// otherwise the Weight column. nullopt on a text row: the button does nothing.
std::optional<int> keypadColumn(const FormulaSheet& sheet, GridCell current);

// The number the keypad starts from (CalcValue) when the panel opens: the
// current cell's number, read after the cell change above.
double keypadStartValue(const FormulaSheet& sheet, GridCell current);

}  // namespace tintora
