#include "core/sheet/GridTyping.h"

#include "core/calc/Calculate.h"
#include "core/materials/MaterialFile.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <stdexcept>
#include <string>

namespace tintora {

namespace {

Column columnOf(GridCell cell)
{
    // Checked in every build, as the rows are: a column beyond the sheet's
    // would index beyond a row's cells.
    if (cell.col < 0 || cell.col >= ColumnCount)
        throw std::out_of_range("grid column " + std::to_string(cell.col) + " is not among the sheet's columns");
    return static_cast<Column>(cell.col);
}

// Control characters other than the grid's three keys (Ctrl+letter texts,
// Delete) are no typing: appended to a code they would name no file, and
// taken as a first key they would wipe the cell.
bool isTypedCharacter(char32_t key)
{
    if (key == KeyEnter || key == KeyEscape || key == KeyBackspace)
        return true;
    if (key < 0x20 || key == 0x7f)
        return false;
    return key <= 0x10ffff && !(key >= 0xd800 && key <= 0xdfff);
}

// Removes the last character, not just its last byte, so that a code with an
// accent stays valid UTF-8.
void removeLastCharacter(std::string& text)
{
    if (text.empty())
        return;
    std::size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80)
        --end;
    text.erase(end);
}

std::string& cellText(FormulaSheet& sheet, Column column, int row)
{
    return sheet.row(row).cells[FormulaSheet::index(column)];
}

// Escape puts back the text the cell had on arrival, Backspace removes its
// last character. False for every other key.
bool restoreOrErase(std::string& text, const GridEditState& edit, char32_t key)
{
    if (key == KeyEscape)
        text = edit.SavedCellText;
    else if (key == KeyBackspace)
        removeLastCharacter(text);
    else
        return false;
    return true;
}

bool typeMaterialKey(
    FormulaSheet& sheet, const GridEditState& edit, int row, char32_t key, const std::filesystem::path& materialFolder)
{
    std::string& text = cellText(sheet, Column::Material, row);
    if (key == KeyEnter) {
        MaterialLoad(sheet, row, MaterialFiles(materialFolder));
        Calculate(sheet);
        return true;
    }
    if (!restoreOrErase(text, edit, key)) {
        appendUtf8(text, key);
        sheet.CellTypingStarted = true;
    }
    return false;
}

// Takes the last character off again when the cell now breaks a limit.
void enforceQuantityLimits(FormulaSheet& sheet, Column column, int row)
{
    if (quantityBreaksLimits(sheet, column, row))
        removeLastCharacter(cellText(sheet, column, row));
}

// As on the keypad: one point per entry, with a digit before it. The
// number-text rule reads neither "1.2.3" nor ".5", so Enter would erase them.
void appendPoint(std::string& text)
{
    if (text.find('.') != std::string::npos)
        return;
    if (text.find_first_not_of(' ') == std::string::npos)
        text.push_back('0');
    text.push_back('.');
}

// Digits and the point are typed; every other character is dropped.
void appendQuantityCharacter(std::string& text, char32_t key)
{
    if (key >= U'0' && key <= U'9')
        text += static_cast<char>(key);
    else if (key == U'.')
        appendPoint(text);
}

bool typeQuantityKey(FormulaSheet& sheet, const GridEditState& edit, Column column, int row, char32_t key)
{
    std::string& text = cellText(sheet, column, row);
    if (sheet.row(row).props.Spec == 0) {
        // Without a specific gravity nothing can be typed; Escape still undoes
        // the first key, which would otherwise have wiped a missing material's weight.
        if (key == KeyEscape)
            text = edit.SavedCellText;
        sheet.CellTypingStarted = true;
        return false;
    }
    if (key == KeyEnter) {
        Calculate(sheet);
        return true;
    }
    if (!restoreOrErase(text, edit, key))
        appendQuantityCharacter(text, key);
    enforceQuantityLimits(sheet, column, row);
    writePartnerCell(sheet, column, row, formatPartner);
    sheet.CellTypingStarted = true;
    return false;
}

bool replacedByFirstKey(Column column)
{
    return column == Column::Material || column == Column::Weight || column == Column::Volume;
}

}  // namespace

GridKeyResult typeKey(FormulaSheet& sheet, const GridEditState& edit, GridCell current, char32_t key,
    const std::filesystem::path& materialFolder)
{
    if (!isTypedCharacter(key))
        return {};
    const Column column = columnOf(current);
    if (!sheet.CellTypingStarted && key != KeyEnter && key != KeyBackspace && replacedByFirstKey(column))
        sheet.setCell(column, current.row, {});

    GridKeyResult result{.handled = true};
    switch (column) {
    case Column::Material:
        result.recalculated = typeMaterialKey(sheet, edit, current.row, key, materialFolder);
        break;
    case Column::Weight:
    case Column::Volume:
        result.recalculated = typeQuantityKey(sheet, edit, column, current.row, key);
        break;
    default:
        sheet.CellTypingStarted = true;
        break;
    }
    sheet.SheetModified = true;
    return result;
}

GridClickResult cellClicked(
    FormulaSheet& sheet, GridEditState& edit, GridCell current, const std::filesystem::path& materialFolder)
{
    GridClickResult result;
    if (current.col != edit.PreviousCol || current.row != edit.PreviousRow) {
        const bool leftMaterialCell = edit.PreviousCol == FormulaSheet::index(Column::Material) && edit.PreviousRow >= 1
            && edit.PreviousRow <= SheetRowCount;
        if (leftMaterialCell)
            MaterialLoad(sheet, edit.PreviousRow, MaterialFiles(materialFolder));
        Calculate(sheet);
        result.recalculated = true;
    }
    edit.PreviousCol = current.col;
    edit.PreviousRow = current.row;
    edit.SavedCellText = sheet.cell(columnOf(current), current.row);
    return result;
}

GridClickResult gridLeft(
    FormulaSheet& sheet, GridEditState& edit, GridCell current, const std::filesystem::path& materialFolder)
{
    const bool materialCell
        = current.col == FormulaSheet::index(Column::Material) && current.row >= 1 && current.row <= SheetRowCount;
    if (!materialCell)
        return {};
    const std::string& text = sheet.cell(Column::Material, current.row);
    if (!sheet.CellTypingStarted && text == edit.SavedCellText)
        return {};
    MaterialLoad(sheet, current.row, MaterialFiles(materialFolder));
    Calculate(sheet);
    edit.SavedCellText = sheet.cell(Column::Material, current.row);
    return {.recalculated = true};
}

GridClickResult typingTakenIn(
    FormulaSheet& sheet, GridEditState& edit, GridCell current, const std::filesystem::path& materialFolder)
{
    const Column column = columnOf(current);
    if (column == Column::Material)
        return gridLeft(sheet, edit, current, materialFolder);
    const bool quantityCell = column == Column::Weight || column == Column::Volume;
    if (!quantityCell || current.row < 1 || current.row > SheetRowCount
        || sheet.cell(column, current.row) == edit.SavedCellText)
        return {};
    Calculate(sheet);
    edit.SavedCellText = sheet.cell(column, current.row);
    return {.recalculated = true};
}

bool markClicked(FormulaSheet& sheet, int row)
{
    SheetRow& r = sheet.row(row);
    r.marked = r.RowKind && !r.marked;
    return r.marked;
}

bool spaceTogglesMark(const FormulaSheet& sheet, GridCell current, char32_t key)
{
    const Column column = columnOf(current);
    const bool typingCell = column == Column::Material || column == Column::Weight || column == Column::Volume;
    return key == U' ' && !typingCell && current.row >= 1 && current.row <= SheetRowCount
        && sheet.isMaterialRow(current.row);
}

std::optional<std::string> noteToEdit(const FormulaSheet& sheet, GridCell current)
{
    if (columnOf(current) != Column::Description || sheet.isMaterialRow(current.row))
        return std::nullopt;
    return sheet.cell(Column::Description, current.row);
}

bool storeNote(FormulaSheet& sheet, int row, std::string_view text)
{
    if (sheet.isMaterialRow(row))
        return false;
    sheet.setCell(Column::Description, row, utf8Prefix(decodeFileText(text), DescBoxMaxLength));
    return true;
}

DropButton dropButtonFor(int col, bool gridMouseDown)
{
    if (gridMouseDown)
        return DropButton::None;
    if (col == FormulaSheet::index(Column::Material))
        return DropButton::Drop1;
    if (col == FormulaSheet::index(Column::Weight) || col == FormulaSheet::index(Column::Volume))
        return DropButton::Drop2;
    return DropButton::None;
}

std::optional<int> keypadColumn(const FormulaSheet& sheet, GridCell current)
{
    if (!sheet.isMaterialRow(current.row))
        return std::nullopt;
    return columnOf(current) == Column::Volume ? FormulaSheet::index(Column::Volume)
                                               : FormulaSheet::index(Column::Weight);
}

double keypadStartValue(const FormulaSheet& sheet, GridCell current)
{
    return numberFromText(sheet.cell(columnOf(current), current.row));
}

}  // namespace tintora
