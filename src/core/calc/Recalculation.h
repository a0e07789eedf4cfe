#pragma once
// Target recalculation: the marked material rows are scaled by one common
// factor so that the total weight, the total volume, the cost per pound or the
// cost per gallon reaches the value typed on the keypad.
#include "core/calc/KeypadDialog.h"
#include "core/calc/PanelCalculate.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <array>
#include <string>
#include <string_view>

namespace tintora {

enum class RecalcQuantity { Weight, Volume, CostByWeight, CostByVolume };

// The keypad's caption and the property box that shows the quantity.
const char* recalcCaption(RecalcQuantity quantity);
PropertyBox recalcBox(RecalcQuantity quantity);

// Accepting the keypad while it shows an error.
constexpr const char* KeypadErrorRefusal = "The calculation overflowed; the value was not taken.";

// Largest difference between the value obtained and the target that counts as reached.
constexpr double RecalcTolerance = 0.01;

enum class RecalcOutcome {
    Refused,  // told the user why; the sheet is as it was and Calculate did not run
    Cancelled,  // the keypad was cancelled; nothing changed
    Reached,  // the marked rows were scaled and the target reached
    Undone,  // the target was missed: the weights are back, totals recomputed
};

// The working values of one recalculation, kept between its steps.
class ReCalculation {
public:
    ReCalculation(RecalcQuantity quantity, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter,
        KeypadDialog& keypad);

    // The whole command: the keypad, the checks, the scaling and, when the
    // target is missed, the undo.
    RecalcOutcome run();

    // Asks for the new value with firstText on the keypad, checks it and sums
    // the marked and unmarked material rows. False: refused or cancelled.
    bool BeginReCalculate(std::string_view firstText);
    // Checks the row limit, saves the Weight cells, applies RecalcFactor and
    // runs Calculate. False: refused before any cell changed.
    bool MidReCalculate();
    // Undoes the scaling when the value obtained misses the target; runs
    // Calculate in either case. True when the target was reached.
    bool EndReCalculate(double obtained);

    double RecalcTarget = 0;
    double RecalcFactor = 0;
    // Marked sums over the marked material rows; unmarked sums over every row
    // the factor leaves alone, a missing material's weight included.
    double MarkedWeight = 0, UnmarkedWeight = 0;
    double MarkedVolume = 0, UnmarkedVolume = 0;
    double MarkedCost = 0, UnmarkedCost = 0;
    std::array<std::string, SheetRowCount> SavedWeightTexts;

private:
    bool anyRowMarked() const;
    void sumRows();
    bool volumeOfEveryWeighedMaterialKnown() const;
    bool computeFactor();

    RecalcQuantity quantity_;
    FormulaSheet& sheet_;
    CalculatorState& calculator_;
    Prompter& prompter_;
    KeypadDialog& keypad_;
    bool cancelled_ = false;
};

// The four commands: Weight1Click, Volume1Click, CostWtClick, CostVolClick.
RecalcOutcome Recalculate(RecalcQuantity quantity, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter,
    KeypadDialog& keypad);

// The cost command of the button bar follows the percent basis.
RecalcQuantity costQuantityFor(PercentBasis basis);

}  // namespace tintora
