#pragma once
// The four-function calculator behind both keypads, and what the keypad panel
// does to the row whose Weight or Volume cell serves as its display.
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <string>
#include <string_view>

namespace tintora {

// Shared by the keypad dialog and the keypad panel for the whole run; neither
// keypad saves or restores it.
struct CalculatorState {
    double CalcValue = 0;  // the current entry; after an operator key the result
    double CalcAccumulator = 0;  // the result carried to the next operator
    char CalcOperator = 0;  // the last operator key; 0 for none
    bool CalcResultShown = false;  // the display shows a result: the next digit starts a new entry
    // A result overflowed: the display shows CalcErrorText and every key but
    // "C" is ignored, so that no figure that means nothing can be accepted.
    bool CalcError = false;
};

constexpr const char* CalcErrorText = "Error";

// The largest magnitude the calculator holds. Beyond it three decimals are no
// longer exact in a double, and the display would show a number of hundreds
// of digits or, past the double range, a meaningless 0.
constexpr double CalcMagnitudeLimit = 1e15;

// Keys the engine acts on.
namespace CalcKey {
constexpr char Clear = 'C';
constexpr char Point = '.';
constexpr char Equals = '=';
}  // namespace CalcKey

// One key on the display text: returns the new display text. Operators chain
// left to right without precedence; "/" by zero gives 0. A key the engine
// ignores gives an empty text and leaves the state alone. A second "." in one
// entry is refused: the display stays as it is, and so does a digit that
// would take the entry to CalcMagnitudeLimit. A result of that magnitude (or
// not finite) sets CalcError and shows CalcErrorText until "C".
std::string PanelCalculate(CalculatorState& state, char key, std::string_view display);

// The keypad panel works on one cell of a material row: the Weight or the
// Volume cell, which is its display.
struct PanelCell {
    Column column = Column::Weight;  // Weight or Volume
    int row = 1;
};

// The panel's start on a cell (the Drop2 button): the calculator continues
// from the number in the cell with no pending operation and no error.
void SeedPanelCalculator(CalculatorState& state, const FormulaSheet& sheet, PanelCell cell);

// One keypad-panel button: the key goes to the cell; a value beyond the row
// limit first loses its last character, and if that is not enough the cell
// returns to savedCellText after "Number exceeds row limit."; then the partner
// cell shows the converted value with two decimals.
void PanelKey(FormulaSheet& sheet, CalculatorState& state, Prompter& prompter, PanelCell cell, char key,
    const std::string& savedCellText);

// The partner cell of the panel's cell in the "%8.3f" form.
void PanelCalcFill(FormulaSheet& sheet, PanelCell cell);

// The Accept button: "=", then the partner cell filled, then Calculate.
// Refused (false, nothing changed) while the calculator shows an error.
bool PanelAccept(
    FormulaSheet& sheet, CalculatorState& state, Prompter& prompter, PanelCell cell, const std::string& savedCellText);

}  // namespace tintora
