#include "core/sheet/RowCommands.h"

#include "core/calc/Calculate.h"
#include "core/materials/MaterialFile.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

// Copies everything of a row but its number: cells 1-5, mark, kind and
// properties (and Calculate's memo, which belongs to those cells).
void copyRowContent(FormulaSheet& sheet, int from, int to)
{
    SheetRow& target = sheet.row(to);
    std::string number = std::move(target.cells[0]);
    target = sheet.row(from);
    target.cells[0] = std::move(number);
}

void emptyRow(FormulaSheet& sheet, int n)
{
    SheetRow& row = sheet.row(n);
    SheetRow empty;
    empty.cells[0] = std::move(row.cells[0]);
    row = std::move(empty);
}

bool holdsNote(const SheetRow& row)
{
    return !row.cells[FormulaSheet::index(Column::Description)].empty();
}

// The question before a row's content is erased: one about its material,
// else one about its text; a row with neither goes without a question.
bool mayErase(const SheetRow& row, const char* materialQuestion, const char* textQuestion, Prompter& prompter)
{
    if (row.RowKind)
        return prompter.confirm(materialQuestion);
    if (holdsNote(row))
        return prompter.confirm(textQuestion);
    return true;
}

// Marks are changed on material rows only: a text row cannot take part in a recalculation.
template <typename Change>
void changeMaterialMarks(FormulaSheet& sheet, Change change)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        SheetRow& row = sheet.row(n);
        if (row.RowKind)
            row.marked = change(row.marked);
    }
}

// A weight as the Weight cell would show it, three decimals, is beyond what a
// row may hold: the same test typing and the keypads make.
bool beyondRowLimit(double weight)
{
    return std::abs(numberFromText(formatCell(weight))) > RowWeightLimit;
}

void recalculateAfterShift(FormulaSheet& sheet)
{
    Calculate(sheet);
    sheet.SheetModified = true;
}

}  // namespace

bool insertRow(FormulaSheet& sheet, int row, Prompter& prompter)
{
    if (!mayErase(sheet.row(SheetRowCount), InsertOverMaterialQuestion, InsertOverTextQuestion, prompter))
        return false;
    for (int r = SheetRowCount - 1; r >= row; --r)
        copyRowContent(sheet, r, r + 1);
    emptyRow(sheet, row);
    recalculateAfterShift(sheet);
    return true;
}

bool deleteRow(FormulaSheet& sheet, int row, Prompter& prompter)
{
    if (!mayErase(sheet.row(row), DeleteMaterialQuestion, DeleteTextQuestion, prompter))
        return false;
    for (int r = row + 1; r <= SheetRowCount; ++r)
        copyRowContent(sheet, r, r - 1);
    emptyRow(sheet, SheetRowCount);
    recalculateAfterShift(sheet);
    return true;
}

void markAll(FormulaSheet& sheet)
{
    changeMaterialMarks(sheet, [](bool) { return true; });
}
void unmarkAll(FormulaSheet& sheet)
{
    changeMaterialMarks(sheet, [](bool) { return false; });
}
void flipMarked(FormulaSheet& sheet)
{
    changeMaterialMarks(sheet, [](bool marked) { return !marked; });
}

void copyRow(const FormulaSheet& sheet, int row, ClipboardRow& clipboard)
{
    clipboard = {sheet.row(row).marked, sheet.cell(Column::Material, row), sheet.cell(Column::Weight, row)};
}

void cutRow(FormulaSheet& sheet, int row, ClipboardRow& clipboard)
{
    copyRow(sheet, row, clipboard);
    SheetRow& r = sheet.row(row);
    r.marked = false;
    for (Column c : {Column::Material, Column::Description, Column::Weight})
        r.cells[FormulaSheet::index(c)].clear();
    r.props = {};
    r.RowKind = false;
    Calculate(sheet);
}

bool pasteRow(FormulaSheet& sheet, int row, const ClipboardRow& clipboard, const std::filesystem::path& materialFolder,
    Prompter& prompter)
{
    if (clipboard.empty())
        return false;
    if (beyondRowLimit(numberFromText(clipboard.Weight))) {
        prompter.error(RowLimitMessage);
        return false;
    }
    sheet.row(row).marked = clipboard.Marked;
    sheet.setCell(Column::Material, row, clipboard.Material);
    MaterialLoad(sheet, row, MaterialFiles(materialFolder));
    sheet.setCell(Column::Weight, row, clipboard.Weight);
    Calculate(sheet);
    return true;
}

bool addRow(FormulaSheet& sheet, int row, ClipboardRow& clipboard, Prompter& prompter)
{
    if (clipboard.empty())
        return false;
    if (clipboard.Material != sheet.cell(Column::Material, row)) {
        prompter.inform(MatchingMaterialNotice);
        return false;
    }
    const double sum = sheet.weight(row) + numberFromText(clipboard.Weight);
    if (beyondRowLimit(sum)) {
        prompter.error(RowLimitMessage);
        return false;
    }
    sheet.setCell(Column::Weight, row, formatCell(sum));
    Calculate(sheet);
    clipboard = {};
    return true;
}

}  // namespace tintora
