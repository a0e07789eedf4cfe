#include "core/calc/Recalculation.h"

#include "core/calc/Calculate.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

bool usesVolumes(RecalcQuantity quantity)
{
    return quantity == RecalcQuantity::Volume || quantity == RecalcQuantity::CostByVolume;
}

double weightOf(const FormulaSheet& sheet, int n)
{
    return numberFromText(sheet.cell(Column::Weight, n));
}

// A weighed material without specific gravity has no volume that a volume
// target could be reached with; Calculate gives it none either.
double rowVolume(const SheetRow& row, double weight)
{
    return weight != 0 && row.props.Spec != 0 ? volumeOfWeight(weight, row.props.Spec) : 0;
}

}  // namespace

const char* recalcCaption(RecalcQuantity quantity)
{
    switch (quantity) {
    case RecalcQuantity::Weight:
        return "Total Weight";
    case RecalcQuantity::Volume:
        return "Total Volume";
    case RecalcQuantity::CostByWeight:
        return "Cost by Weight";
    case RecalcQuantity::CostByVolume:
        return "Cost by Volume";
    }
    return "";
}

PropertyBox recalcBox(RecalcQuantity quantity)
{
    switch (quantity) {
    case RecalcQuantity::Weight:
        return PropertyBox::WeightBox;
    case RecalcQuantity::Volume:
        return PropertyBox::VolumeBox;
    case RecalcQuantity::CostByWeight:
        return PropertyBox::CostWtBox;
    case RecalcQuantity::CostByVolume:
        return PropertyBox::CostVolBox;
    }
    return PropertyBox::WeightBox;
}

RecalcQuantity costQuantityFor(PercentBasis basis)
{
    return basis == PercentBasis::Volume ? RecalcQuantity::CostByVolume : RecalcQuantity::CostByWeight;
}

ReCalculation::ReCalculation(
    RecalcQuantity quantity, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter, KeypadDialog& keypad)
    : quantity_(quantity)
    , sheet_(sheet)
    , calculator_(calculator)
    , prompter_(prompter)
    , keypad_(keypad)
{
}

RecalcOutcome ReCalculation::run()
{
    const PropertyBox box = recalcBox(quantity_);
    if (!BeginReCalculate(formatPartner(sheet_.box(box)))) {
        if (unchanged_)
            return RecalcOutcome::Unchanged;
        return cancelled_ ? RecalcOutcome::Cancelled : RecalcOutcome::Refused;
    }
    if (!computeFactor() || !MidReCalculate())
        return RecalcOutcome::Refused;
    return EndReCalculate(sheet_.box(box)) ? RecalcOutcome::Reached : RecalcOutcome::Undone;
}

bool ReCalculation::BeginReCalculate(std::string_view firstText)
{
    const std::string display(trimBlanks(firstText));
    const double offered = numberFromText(display);
    // The offered value stands as a calculator's result does: a digit starts
    // a new entry instead of extending it (1000 typed over 1127.42 is 1000),
    // an operator goes on from it, and "=" keeps it.
    calculator_.CalcValue = offered;
    calculator_.CalcAccumulator = offered;
    calculator_.CalcOperator = 0;
    calculator_.CalcResultShown = true;
    calculator_.CalcError = false;
    RecalcTarget = 0;
    cancelled_ = false;
    unchanged_ = false;

    if (!anyRowMarked()) {
        prompter_.inform("No materials selected. Can not recalculate.");
        return false;
    }
    const std::optional<std::string> accepted = keypad_.ask(recalcCaption(quantity_), display, calculator_);
    if (!accepted) {
        cancelled_ = true;
        return false;
    }
    // An overflow is no value: without this it would read as a target of 0.
    if (calculator_.CalcError) {
        prompter_.error(KeypadErrorRefusal);
        return false;
    }
    RecalcTarget = numberFromText(*accepted);
    if (!(RecalcTarget > 0)) {
        prompter_.error("New value can not be a negative or zero.");
        return false;
    }
    // The offered value is the figure rounded to two decimals, within the
    // tolerance of the figure itself: scaling to it would change the formula
    // by its rounding, a target the user never typed.
    if (RecalcTarget == offered) {
        unchanged_ = true;
        return false;
    }
    if (usesVolumes(quantity_) && !volumeOfEveryWeighedMaterialKnown()) {
        prompter_.error("A material has no specific gravity.");
        return false;
    }
    sumRows();
    if (MarkedWeight == 0) {
        prompter_.error("New value can not be obtained with selection.");
        return false;
    }
    return true;
}

bool ReCalculation::anyRowMarked() const
{
    for (int n = 1; n <= SheetRowCount; ++n)
        if (sheet_.row(n).marked)
            return true;
    return false;
}

bool ReCalculation::volumeOfEveryWeighedMaterialKnown() const
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet_.row(n);
        if (row.RowKind && row.props.Spec == 0 && weightOf(sheet_, n) != 0)
            return false;
    }
    return true;
}

void ReCalculation::sumRows()
{
    MarkedWeight = UnmarkedWeight = MarkedVolume = UnmarkedVolume = MarkedCost = UnmarkedCost = 0;
    RecalcFactor = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet_.row(n);
        const double w = weightOf(sheet_, n);
        if (!row.RowKind) {
            // A missing material's weight counts in the total weight, and the
            // factor never scales it: it belongs with what stays as it is.
            // Without it every weight target would miss by that weight.
            UnmarkedWeight += w;
            continue;
        }
        (row.marked ? MarkedWeight : UnmarkedWeight) += w;
        (row.marked ? MarkedVolume : UnmarkedVolume) += rowVolume(row, w);
        (row.marked ? MarkedCost : UnmarkedCost) += w * row.props.Cost;
    }
}

bool ReCalculation::computeFactor()
{
    const double t = RecalcTarget;
    double numerator = 0;
    double divisor = 0;
    switch (quantity_) {
    case RecalcQuantity::Weight:
        numerator = t - UnmarkedWeight;
        divisor = MarkedWeight;
        break;
    case RecalcQuantity::Volume:
        numerator = t - UnmarkedVolume;
        divisor = MarkedVolume;
        break;
    case RecalcQuantity::CostByVolume:
        numerator = UnmarkedCost - UnmarkedVolume * t;
        divisor = MarkedVolume * t - MarkedCost;
        break;
    case RecalcQuantity::CostByWeight:
        numerator = UnmarkedCost - UnmarkedWeight * t;
        divisor = MarkedWeight * t - MarkedCost;
        break;
    }
    // A zero divisor for a cost means the marked rows alone already have the
    // target cost: no factor changes the ratio, so nothing is scaled.
    if (divisor == 0) {
        prompter_.error(quantity_ == RecalcQuantity::Volume ? "New value can not be obtained with selection."
                                                            : "Selected materials already have this cost.");
        return false;
    }
    RecalcFactor = std::abs(numerator / divisor);
    return true;
}

bool ReCalculation::MidReCalculate()
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        if (!sheet_.row(n).marked)
            continue;
        const double scaled = RecalcFactor * weightOf(sheet_, n);
        if (!std::isfinite(scaled) || scaled > RowWeightLimit) {
            prompter_.error("A selected material exceeds row limit.");
            return false;
        }
    }
    for (int n = 1; n <= SheetRowCount; ++n)
        SavedWeightTexts[n - 1] = sheet_.cell(Column::Weight, n);
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet_.row(n);
        if (row.RowKind && row.marked)
            sheet_.setCell(Column::Weight, n, formatCell(RecalcFactor * weightOf(sheet_, n)));
    }
    Calculate(sheet_);
    return true;
}

bool ReCalculation::EndReCalculate(double obtained)
{
    const bool reached = !(std::abs(obtained - RecalcTarget) > RecalcTolerance);
    if (!reached) {
        prompter_.error("New value can not be obtained.");
        for (int n = 1; n <= SheetRowCount; ++n)
            sheet_.setCell(Column::Weight, n, SavedWeightTexts[n - 1]);
    }
    Calculate(sheet_);
    return reached;
}

RecalcOutcome Recalculate(
    RecalcQuantity quantity, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter, KeypadDialog& keypad)
{
    return ReCalculation(quantity, sheet, calculator, prompter, keypad).run();
}

}  // namespace tintora
