#include "calc/PanelCalculate.h"

#include "calc/Calculate.h"
#include "sheet/Quantities.h"
#include "text/NumberText.h"

namespace tintora {

namespace {

bool isEntryKey(char key) { return (key >= '0' && key <= '9') || key == CalcKey::Point; }

bool isOperatorKey(char key)
{
    return key == '*' || key == '+' || key == '-' || key == '/' || key == CalcKey::Equals;
}

// Completes the operation named by the last operator key with the shown number.
double completePendingOperation(const CalculatorState& state, double shown)
{
    const double a = state.CalcAccumulator;
    switch (state.CalcOperator) {
    case '*': return a * shown;
    case '+': return shown + a;
    case '-': return a - shown;
    case '/': return shown == 0 || a == 0 ? 0 : a / shown;
    default: return state.CalcValue;
    }
}

std::string enterKey(CalculatorState& state, char key, std::string_view display)
{
    std::string entry = state.CalcResultShown ? std::string() : std::string(display);
    // A second point would leave a text the number-text rule cannot read.
    if (key == CalcKey::Point && entry.find(CalcKey::Point) != std::string::npos)
        return entry;
    state.CalcResultShown = false;
    // The number-text rule wants a digit before the point; ".5" would read as 0.
    if (key == CalcKey::Point && entry.find_first_not_of(' ') == std::string::npos)
        entry.push_back('0');
    entry.push_back(key);
    state.CalcValue = numberFromText(entry);
    return entry;
}

std::string operatorKey(CalculatorState& state, char key, std::string_view display)
{
    state.CalcValue = completePendingOperation(state, numberFromText(display));
    // "=" right after an operator key keeps the result instead of repeating the operation.
    if (key == CalcKey::Equals && state.CalcResultShown)
        state.CalcValue = state.CalcAccumulator;
    state.CalcResultShown = true;
    state.CalcAccumulator = state.CalcValue;
    state.CalcOperator = key;
    return formatThreeDecimals(state.CalcValue);
}

double cellNumber(const FormulaSheet& sheet, Column column, int row)
{
    return numberFromText(sheet.cell(column, row));
}

bool exceedsRowLimit(const FormulaSheet& sheet, PanelCell cell)
{
    return quantityBreaksLimits(sheet, cell.column, cell.row);
}

void writePartner(FormulaSheet& sheet, PanelCell cell, NumberForm form)
{
    writePartnerCell(sheet, cell.column, cell.row, form);
}

}  // namespace

std::string PanelCalculate(CalculatorState& state, char key, std::string_view display)
{
    if (key == CalcKey::Clear) {
        state.CalcAccumulator = 0;
        state.CalcValue = 0;
        state.CalcOperator = 0;
        state.CalcResultShown = false;
        return {};
    }
    if (isEntryKey(key))
        return enterKey(state, key, display);
    if (isOperatorKey(key))
        return operatorKey(state, key, display);
    return {};
}

void SeedPanelCalculator(CalculatorState& state, const FormulaSheet& sheet, PanelCell cell)
{
    state.CalcValue = cellNumber(sheet, cell.column, cell.row);
    state.CalcAccumulator = 0;
    state.CalcOperator = 0;
}

void PanelKey(FormulaSheet& sheet, CalculatorState& state, Prompter& prompter, PanelCell cell, char key,
              const std::string& savedCellText)
{
    sheet.setCell(cell.column, cell.row, PanelCalculate(state, key, sheet.cell(cell.column, cell.row)));
    if (exceedsRowLimit(sheet, cell)) {
        // First the last character goes silently; the accumulator, not the
        // entry, takes the shortened number so that "=" goes on from it.
        std::string text = sheet.cell(cell.column, cell.row);
        if (!text.empty())
            text.pop_back();
        state.CalcAccumulator = numberFromText(text);
        sheet.setCell(cell.column, cell.row, std::move(text));
        if (exceedsRowLimit(sheet, cell)) {
            prompter.error("Number exceeds row limit.");
            sheet.setCell(cell.column, cell.row, savedCellText);
            state.CalcValue = 0;
            state.CalcOperator = 0;
            state.CalcAccumulator = numberFromText(savedCellText);
        }
    }
    writePartner(sheet, cell, formatPartner);
}

void PanelCalcFill(FormulaSheet& sheet, PanelCell cell)
{
    writePartner(sheet, cell, formatCell);
}

void PanelAccept(FormulaSheet& sheet, CalculatorState& state, Prompter& prompter, PanelCell cell,
                 const std::string& savedCellText)
{
    PanelKey(sheet, state, prompter, cell, CalcKey::Equals, savedCellText);
    PanelCalcFill(sheet, cell);
    Calculate(sheet);
}

}  // namespace tintora
