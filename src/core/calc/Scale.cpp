#include "core/calc/Scale.h"

#include "core/calc/Calculate.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

// Calculate gives a volume to a weighed material row with a specific gravity.
bool rowHasVolume(const SheetRow& row, double weight)
{
    return weight != 0 && row.RowKind && row.props.Spec != 0;
}

// The volume Calculate writes into the Volume cell and sums.
double cellVolume(double weight, double spec)
{
    return roundToThreeDecimals(volumeOfWeight(weight, spec));
}

bool byVolume(ScaleKind kind)
{
    return kind == ScaleKind::Volume;
}

double currentTotal(const FormulaSheet& sheet, ScaleKind kind)
{
    double total = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const double w = sheet.weight(n);
        if (!byVolume(kind))
            total += w;
        else if (rowHasVolume(sheet.row(n), w))
            total += volumeOfWeight(w, sheet.row(n).props.Spec);
    }
    return total;
}

// The total as Calculate will sum it from the planned weights.
double plannedTotal(const FormulaSheet& sheet, const ScalePlan& plan, ScaleKind kind)
{
    double total = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const std::optional<double>& w = plan.weights[n - 1];
        if (!w)
            continue;
        if (!byVolume(kind))
            total += *w;
        else if (rowHasVolume(sheet.row(n), *w))
            total += cellVolume(*w, sheet.row(n).props.Spec);
    }
    return total;
}

// The row that takes the rounding remainder: the largest in the quantity
// scaled, so that the remainder changes it least. 0 when there is none.
int largestScaledRow(const FormulaSheet& sheet, const ScalePlan& plan, ScaleKind kind)
{
    int largest = 0;
    double largestAmount = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const std::optional<double>& w = plan.weights[n - 1];
        if (!w || (byVolume(kind) && !rowHasVolume(sheet.row(n), *w)))
            continue;
        const double amount = byVolume(kind) ? volumeOfWeight(*w, sheet.row(n).props.Spec) : *w;
        if (largest == 0 || amount > largestAmount) {
            largest = n;
            largestAmount = amount;
        }
    }
    return largest;
}

// The three-decimal weight nearest to the one whose volume cell shows
// `volume`; a thousandth of a pound is finer than a thousandth of a gallon
// unless the material is far lighter than water.
double weightShowingVolume(double volume, double spec)
{
    const double wanted = roundToThreeDecimals(volume);
    const double first = roundToThreeDecimals(weightOfVolume(wanted, spec));
    for (int step : {0, -1, 1, -2, 2, -3, 3}) {
        const double w = roundToThreeDecimals(first + step * 0.001);
        if (cellVolume(w, spec) == wanted)
            return w;
    }
    return first;
}

void putRemainder(const FormulaSheet& sheet, ScalePlan& plan, ScaleKind kind, double target)
{
    const int n = largestScaledRow(sheet, plan, kind);
    if (n == 0)
        return;
    std::optional<double>& w = plan.weights[n - 1];
    const double remainder = roundToThreeDecimals(target) - plannedTotal(sheet, plan, kind);
    if (!byVolume(kind)) {
        w = roundToThreeDecimals(*w + remainder);
        return;
    }
    const double spec = sheet.row(n).props.Spec;
    w = weightShowingVolume(cellVolume(*w, spec) + remainder, spec);
}

// A row whose scaled weight rounds to 0.000 would lose its weight: the next
// Calculate empties the cell, and scaling back cannot bring it back.
bool everyRowKeepsAWeight(const ScalePlan& plan)
{
    for (const std::optional<double>& w : plan.weights)
        if (w && *w == 0)
            return false;
    return true;
}

bool withinRowLimit(const ScalePlan& plan)
{
    for (const std::optional<double>& w : plan.weights)
        if (w && !(std::abs(*w) <= RowWeightLimit))
            return false;
    return true;
}

bool anyRowWeighed(const FormulaSheet& sheet)
{
    for (int n = 1; n <= SheetRowCount; ++n)
        if (sheet.weight(n) != 0)
            return true;
    return false;
}

PropertyBox scaledBox(ScaleKind kind)
{
    return byVolume(kind) ? PropertyBox::VolumeBox : PropertyBox::WeightBox;
}

RecalcOutcome applyScale(FormulaSheet& sheet, const ScalePlan& plan, ScaleKind kind, double target, Prompter& prompter)
{
    std::array<std::string, SheetRowCount> saved;
    for (int n = 1; n <= SheetRowCount; ++n) {
        saved[n - 1] = sheet.cell(Column::Weight, n);
        if (plan.weights[n - 1])
            sheet.setCell(Column::Weight, n, formatCell(*plan.weights[n - 1]));
    }
    Calculate(sheet);
    if (!(std::abs(sheet.box(scaledBox(kind)) - target) > RecalcTolerance))
        return RecalcOutcome::Reached;
    prompter.error("New value can not be obtained.");
    for (int n = 1; n <= SheetRowCount; ++n)
        sheet.setCell(Column::Weight, n, saved[n - 1]);
    Calculate(sheet);
    return RecalcOutcome::Undone;
}

}  // namespace

const char* scaleCaption(ScaleKind kind)
{
    switch (kind) {
    case ScaleKind::Weight:
        return "Scale Weight";
    case ScaleKind::Volume:
        return "Scale Volume";
    case ScaleKind::Percent:
        return "Scale Percent";
    }
    return "";
}

ScalePlan planScale(const FormulaSheet& sheet, ScaleKind kind, double target)
{
    ScalePlan plan;
    const double total = currentTotal(sheet, kind);
    if (!(total > 0)) {
        plan.refusal = byVolume(kind) ? "The formula has no volume to scale." : "The formula has no weight to scale.";
        return plan;
    }
    plan.factor = target / total;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (const double w = sheet.weight(n); w != 0)
            plan.weights[n - 1] = roundToThreeDecimals(plan.factor * w);
    putRemainder(sheet, plan, kind, target);
    if (!std::isfinite(plan.factor) || !withinRowLimit(plan))
        plan.refusal = ScaleRowLimitRefusal;
    else if (!everyRowKeepsAWeight(plan))
        plan.refusal = "A material would weigh less than a thousandth of a pound.";
    return plan;
}

RecalcOutcome Scale(
    ScaleKind kind, FormulaSheet& sheet, CalculatorState& calculator, Prompter& prompter, KeypadDialog& keypad)
{
    if (!anyRowWeighed(sheet)) {
        prompter.inform("The formula has no weight to scale.");
        return RecalcOutcome::Refused;
    }
    double target = 100;
    if (kind != ScaleKind::Percent) {
        const std::string display = formatPartner(sheet.box(scaledBox(kind)));
        seedRecalcKeypad(calculator, display);
        const KeypadTarget typed = askPositiveTarget(scaleCaption(kind), display, calculator, prompter, keypad);
        if (!typed.value)
            return typed.cancelled ? RecalcOutcome::Cancelled : RecalcOutcome::Refused;
        // The offered value is the total rounded to two decimals: accepted as
        // it stands, scaling to it would change the formula by its rounding.
        if (*typed.value == numberFromText(display))
            return RecalcOutcome::Unchanged;
        target = *typed.value;
    }
    if (byVolume(kind) && !volumeOfEveryWeighedMaterialKnown(sheet)) {
        prompter.error(NoSpecificGravityRefusal);
        return RecalcOutcome::Refused;
    }
    const ScalePlan plan = planScale(sheet, kind, target);
    if (!plan.refusal.empty()) {
        prompter.error(plan.refusal);
        return RecalcOutcome::Refused;
    }
    return applyScale(sheet, plan, kind, target, prompter);
}

}  // namespace tintora
