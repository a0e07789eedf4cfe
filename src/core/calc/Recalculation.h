#pragma once
// Target recalculation: the marked material rows are scaled by one common
// factor so that a property of the formula (the total weight or volume, a
// cost, binder, pigment, solids or volatile by weight or by volume, the
// density, the SPG, the VOC, the P/B ratio, the EU VOC content or Λ) reaches
// the value typed on the keypad.
#include "core/calc/KeypadDialog.h"
#include "core/calc/PanelCalculate.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

enum class RecalcQuantity {
    Weight,
    Volume,
    CostByWeight,
    CostByVolume,
    BinderByWeight,
    BinderByVolume,
    PigmentByWeight,
    PigmentByVolume,
    SolidsByWeight,
    SolidsByVolume,
    VolatileByWeight,
    VolatileByVolume,
    Density,
    SPG,
    Voc,
    PBRatio,
    EuVoc,  // no box shows it: the compliance figure
    Lambda,  // no box shows it: the compliance figure
};
constexpr int RecalcQuantityCount = 18;

// The keypad's caption (also the name of the step in the undo history), the
// property box that shows the quantity (none for the EU VOC and Λ), and its
// name inside a sentence.
const char* recalcCaption(RecalcQuantity quantity);
std::optional<PropertyBox> recalcBox(RecalcQuantity quantity);
const char* recalcNameInText(RecalcQuantity quantity);
// The quantity whose target a double-click on this box starts.
RecalcQuantity recalcQuantityOfBox(PropertyBox box);
// The quantity's present figure: its box's, or the compliance figure for
// those no box shows; nullopt while that is unknown (a missing material, a
// pigment without oil absorption).
std::optional<double> recalcFigure(RecalcQuantity quantity, const FormulaSheet& sheet);
// Why the figure is unknown, naming the materials that make it so.
std::string unknownFigureRefusal(RecalcQuantity quantity, const FormulaSheet& sheet);

// One term of a property that is a ratio of two sums over the rows,
// p = sum(a) / sum(b), each linear in the row's weight.
struct RatioTerms {
    double a = 0;
    double b = 0;
};

// The property's terms for a row, given its weight and its volume as the
// target computes it (unrounded; 0 for a row that Calculate gives no volume).
// nullptr for the four totals and costs, which keep their own rules.
using RowTermsFunction = RatioTerms (*)(const RowMaterialProps& props, double weight, double volume);
RowTermsFunction recalcRowTerms(RecalcQuantity quantity);

// The factor k by which the marked rows' weights are scaled so that
// (unmarked.a + k marked.a) / (unmarked.b + k marked.b) = target; or, when
// there is none, the sentence that tells why (nameInText names the property).
struct RatioFactor {
    double factor = 0;
    std::string refusal;  // empty when factor holds
};
RatioFactor ratioTargetFactor(RatioTerms unmarked, RatioTerms marked, double target, std::string_view nameInText);

// Accepting the keypad while it shows an error.
constexpr const char* KeypadErrorRefusal = "The calculation overflowed; the value was not taken.";

// Largest difference between the value obtained and the target that counts as reached.
constexpr double RecalcTolerance = 0.01;

enum class RecalcOutcome {
    Refused,  // told the user why; the sheet is as it was and Calculate did not run
    Cancelled,  // the keypad was cancelled; nothing changed
    Unchanged,  // the offered value was accepted as it stood: nothing to scale, nothing changed
    Reached,  // the marked rows were scaled and the target reached
    Undone,  // the target was missed: the weights are back, totals recomputed
};

// One recalculation: run() is its one door. Its three steps and the working
// values they keep between them are its own.
class ReCalculation {
public:
    ReCalculation(RecalcQuantity quantity, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter,
        KeypadDialog& keypad);

    // The whole command: the keypad, the checks, the scaling and, when the
    // target is missed, the undo.
    RecalcOutcome run();

    // Marked sums over the marked material rows; unmarked sums over every row
    // the factor leaves alone, a missing material's weight included.
    struct Sums {
        double MarkedWeight = 0, UnmarkedWeight = 0;
        double MarkedVolume = 0, UnmarkedVolume = 0;
        double MarkedCost = 0, UnmarkedCost = 0;
        // The ratio properties: the two sums of their terms (see RatioTerms).
        RatioTerms MarkedTerms, UnmarkedTerms;
    };

private:
    // Asks for the new value with firstText on the keypad, checks it and sums
    // the marked and unmarked material rows. False: refused, cancelled, or
    // firstText accepted as it stood. The keypad shows firstText as a result,
    // so the first digit typed starts a new entry.
    bool BeginReCalculate(std::string_view firstText);
    // Checks the row limit, saves the Weight cells, applies RecalcFactor and
    // runs Calculate. False: refused before any cell changed.
    bool MidReCalculate();
    // Undoes the scaling when the value obtained misses the target; runs
    // Calculate in either case. True when the target was reached.
    bool EndReCalculate(double obtained);

    double RecalcTarget = 0;
    double RecalcFactor = 0;
    Sums sums_;
    std::array<std::string, SheetRowCount> SavedWeightTexts;

    bool anyRowMarked() const;
    void sumRows();
    bool computeFactor();
    bool computeTotalOrCostFactor();
    bool computeRatioFactor();

    RecalcQuantity quantity_;
    FormulaSheet& sheet_;
    CalculatorState& calculator_;
    Prompter& prompter_;
    KeypadDialog& keypad_;
    bool cancelled_ = false;
    bool unchanged_ = false;
};

// Every target command: Weight1Click, Volume1Click, CostWtClick, CostVolClick
// and the targets of the fourteen other properties.
RecalcOutcome Recalculate(RecalcQuantity quantity, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter,
    KeypadDialog& keypad);

// The cost, binder, pigment, solids and volatile buttons of the button bar
// follow the percent basis.
RecalcQuantity costQuantityFor(PercentBasis basis);
enum class BasisProperty { Cost, Binder, Pigment, Solids, Volatile };
RecalcQuantity quantityFor(BasisProperty property, PercentBasis basis);

// Steps every target and scale shares.
// Seeds the calculator with the text the keypad opens with.
void seedRecalcKeypad(CalculatorState& calculator, std::string_view display);
// The keypad's accepted value when it is a number above 0; otherwise the
// user was told why (cancelled: nothing told) and nullopt.
struct KeypadTarget {
    std::optional<double> value;
    bool cancelled = false;
};
KeypadTarget askPositiveTarget(std::string_view caption, std::string_view display, CalculatorState& calculator,
    Prompter& prompter, KeypadDialog& keypad);
// A weighed material row without specific gravity: its volume is unknown.
bool volumeOfEveryWeighedMaterialKnown(const FormulaSheet& sheet);
constexpr const char* NoSpecificGravityRefusal = "A material has no specific gravity.";

}  // namespace tintora
