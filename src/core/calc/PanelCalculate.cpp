#include "core/calc/PanelCalculate.h"

#include "core/calc/Calculate.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

bool isEntryKey(char key)
{
    return (key >= '0' && key <= '9') || key == CalcKey::Point;
}

bool isOperatorKey(char key)
{
    return key == '*' || key == '+' || key == '-' || key == '/' || key == CalcKey::Equals;
}

// Completes the operation named by the last operator key with the shown number.
double completePendingOperation(const CalculatorState& state, double shown)
{
    const double a = state.CalcAccumulator;
    switch (state.CalcOperator) {
    case '*':
        return a * shown;
    case '+':
        return shown + a;
    case '-':
        return a - shown;
    case '/':
        return shown == 0 || a == 0 ? 0 : a / shown;
    default:
        return state.CalcValue;
    }
}

bool withinLimit(double value)
{
    return std::abs(value) < CalcMagnitudeLimit;
}

std::string enterKey(CalculatorState& state, char key, std::string_view display)
{
    std::string entry = state.CalcResultShown ? std::string() : std::string(display);
    // A second point would leave a text the number-text rule cannot read.
    if (key == CalcKey::Point && entry.find(CalcKey::Point) != std::string::npos)
        return entry;
    std::string extended = entry;
    // The number-text rule wants a digit before the point; ".5" would read as 0.
    if (key == CalcKey::Point && extended.find_first_not_of(' ') == std::string::npos)
        extended.push_back('0');
    extended.push_back(key);
    // An entry that would grow too large to hold keeps what it had.
    const auto typed = parseNumberText(extended);
    if (typed && !withinLimit(*typed))
        return entry;
    state.CalcResultShown = false;
    state.CalcValue = typed.value_or(0.0);  // a text that is no number counts as 0, as everywhere
    return extended;
}

std::string operatorKey(CalculatorState& state, char key, std::string_view display)
{
    double value = completePendingOperation(state, numberFromText(display));
    // "=" right after an operator key keeps the result instead of repeating the operation.
    if (key == CalcKey::Equals && state.CalcResultShown)
        value = state.CalcAccumulator;
    if (!withinLimit(value)) {  // NaN fails the test too
        state.CalcError = true;
        return CalcErrorText;
    }
    state.CalcValue = value;
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
        state.CalcError = false;
        return {};
    }
    if (state.CalcError)
        return CalcErrorText;
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
    state.CalcError = false;
}

void PanelKey(FormulaSheet& sheet, CalculatorState& state, Prompter& prompter, PanelCell cell, char key,
    const std::string& savedCellText)
{
    sheet.setCell(cell.column, cell.row, PanelCalculate(state, key, sheet.cell(cell.column, cell.row)));
    // The cell shows the error until "C"; the partner keeps what it showed.
    if (state.CalcError)
        return;
    if (exceedsRowLimit(sheet, cell)) {
        // First the last character goes silently; the accumulator, not the
        // entry, takes the shortened number so that "=" goes on from it.
        std::string text = sheet.cell(cell.column, cell.row);
        if (!text.empty())
            text.pop_back();
        state.CalcAccumulator = numberFromText(text);
        sheet.setCell(cell.column, cell.row, std::move(text));
        if (exceedsRowLimit(sheet, cell)) {
            prompter.error(RowLimitMessage);
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

bool PanelAccept(
    FormulaSheet& sheet, CalculatorState& state, Prompter& prompter, PanelCell cell, const std::string& savedCellText)
{
    if (state.CalcError)
        return false;
    PanelKey(sheet, state, prompter, cell, CalcKey::Equals, savedCellText);
    if (state.CalcError)
        return false;
    PanelCalcFill(sheet, cell);
    Calculate(sheet);
    return true;
}

}  // namespace tintora
