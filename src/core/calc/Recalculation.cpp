#include "core/calc/Recalculation.h"

#include "core/calc/Calculate.h"
#include "core/calc/MissingMaterials.h"
#include "core/compliance/Compliance.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tintora {

namespace {

RatioTerms binderByWeight(const RowMaterialProps& p, double w, double)
{
    return {w * (1 - p.Vol_Wt - p.Pig_Wt) * 100, w};
}
RatioTerms binderByVolume(const RowMaterialProps& p, double, double v)
{
    return {v * (1 - p.Vol_Vol - p.Pig_Vol) * 100, v};
}
RatioTerms pigmentByWeight(const RowMaterialProps& p, double w, double)
{
    return {w * p.Pig_Wt * 100, w};
}
RatioTerms pigmentByVolume(const RowMaterialProps& p, double, double v)
{
    return {v * p.Pig_Vol * 100, v};
}
RatioTerms solidsByWeight(const RowMaterialProps& p, double w, double)
{
    return {w * (1 - p.Vol_Wt) * 100, w};
}
RatioTerms solidsByVolume(const RowMaterialProps& p, double, double v)
{
    return {v * (1 - p.Vol_Vol) * 100, v};
}
RatioTerms volatileByWeight(const RowMaterialProps& p, double w, double)
{
    return {w * p.Vol_Wt * 100, w};
}
RatioTerms volatileByVolume(const RowMaterialProps& p, double, double v)
{
    return {v * p.Vol_Vol * 100, v};
}
RatioTerms density(const RowMaterialProps&, double w, double v)
{
    return {w, v};
}
RatioTerms specificGravity(const RowMaterialProps&, double w, double v)
{
    return {w * SpgReciprocal, v};
}
// The VOC box divides the VOC weight by the volume less the exempt
// volatiles, the volatile volume that is not VOC.
RatioTerms voc(const RowMaterialProps& p, double w, double v)
{
    return {w * p.Voc_Wt * VocGramsPerLitreFactor, v * (1 - p.Vol_Vol + p.Voc_Vol)};
}
RatioTerms pigmentToBinder(const RowMaterialProps& p, double w, double)
{
    return {w * p.Pig_Wt, w * (1 - p.Vol_Wt - p.Pig_Wt)};
}
// The EU VOC counts the VOC (EUVoc_Wt where the material has it) over the
// whole volume, water and exempt solvents included, as euVocContent does.
RatioTerms euVoc(const RowMaterialProps& p, double w, double v)
{
    return {w * p.EUVoc_Wt.value_or(p.Voc_Wt) * EuVocGramsPerLitreFactor, v};
}
// A row without a usable Oil_Abs takes up no oil; the target is refused
// before while such a row carries pigment.
RatioTerms lambda(const RowMaterialProps& p, double w, double v)
{
    return {v * p.Pig_Vol + oilTakenUp(p, w), v * (1 - p.Vol_Vol)};
}

// Numerator and divisor of the factor of a total or a cost. Taking the
// absolute value of their quotient means that a target that would need a
// negative factor yields a positive one that misses; the miss check undoes it.
struct FactorParts {
    double numerator = 0;
    double divisor = 0;
};
using TotalOrCostFunction = FactorParts (*)(const ReCalculation::Sums& r, double t);

FactorParts totalWeight(const ReCalculation::Sums& r, double t)
{
    return {t - r.UnmarkedWeight, r.MarkedWeight};
}
FactorParts totalVolume(const ReCalculation::Sums& r, double t)
{
    return {t - r.UnmarkedVolume, r.MarkedVolume};
}
FactorParts costByWeight(const ReCalculation::Sums& r, double t)
{
    return {r.UnmarkedCost - r.UnmarkedWeight * t, r.MarkedWeight * t - r.MarkedCost};
}
FactorParts costByVolume(const ReCalculation::Sums& r, double t)
{
    return {r.UnmarkedCost - r.UnmarkedVolume * t, r.MarkedVolume * t - r.MarkedCost};
}

struct QuantityInfo {
    RecalcQuantity quantity;
    const char* caption;
    const char* nameInText;
    std::optional<PropertyBox> box;  // none: the figure comes from the compliance figures
    bool usesVolumes;  // a weighed material without specific gravity makes it unknown
    RowTermsFunction terms;  // nullptr: a total or a cost, with rules of its own
    TotalOrCostFunction totalOrCost;  // nullptr: a ratio of the terms
};

using Q = RecalcQuantity;
using B = PropertyBox;
constexpr std::array<QuantityInfo, RecalcQuantityCount> quantityTable{{
    {Q::Weight, "Total Weight", "Total weight", B::WeightBox, false, nullptr, totalWeight},
    {Q::Volume, "Total Volume", "Total volume", B::VolumeBox, true, nullptr, totalVolume},
    {Q::CostByWeight, "Cost by Weight", "Cost by weight", B::CostWtBox, false, nullptr, costByWeight},
    {Q::CostByVolume, "Cost by Volume", "Cost by volume", B::CostVolBox, true, nullptr, costByVolume},
    {Q::BinderByWeight, "Binder by Weight", "Binder by weight", B::BinderWtBox, false, binderByWeight, nullptr},
    {Q::BinderByVolume, "Binder by Volume", "Binder by volume", B::BinderVolBox, true, binderByVolume, nullptr},
    {Q::PigmentByWeight, "Pigment by Weight", "Pigment by weight", B::PigmentWtBox, false, pigmentByWeight, nullptr},
    {Q::PigmentByVolume, "Pigment by Volume", "Pigment by volume", B::PigmentVolBox, true, pigmentByVolume, nullptr},
    {Q::SolidsByWeight, "Solids by Weight", "Solids by weight", B::SolidsWtBox, false, solidsByWeight, nullptr},
    {Q::SolidsByVolume, "Solids by Volume", "Solids by volume", B::SolidsVolBox, true, solidsByVolume, nullptr},
    {Q::VolatileByWeight, "Volatile by Weight", "Volatile by weight", B::VolatileWtBox, false, volatileByWeight,
        nullptr},
    {Q::VolatileByVolume, "Volatile by Volume", "Volatile by volume", B::VolatileVolBox, true, volatileByVolume,
        nullptr},
    {Q::Density, "Density", "Density", B::DensityBox, true, density, nullptr},
    {Q::SPG, "SPG", "SPG", B::SPGBox, true, specificGravity, nullptr},
    {Q::Voc, "VOC", "VOC", B::VocBox, true, voc, nullptr},
    {Q::PBRatio, "P/B Ratio", "P/B ratio", B::PBBox, false, pigmentToBinder, nullptr},
    {Q::EuVoc, "EU VOC", "EU VOC", std::nullopt, true, euVoc, nullptr},
    {Q::Lambda, "Λ", "Λ", std::nullopt, true, lambda, nullptr},
}};

const QuantityInfo& infoOf(RecalcQuantity quantity)
{
    return quantityTable[static_cast<std::size_t>(quantity)];
}

// A weighed material without specific gravity has no volume that a volume
// target could be reached with; Calculate gives it none either.
double rowVolume(const SheetRow& row, double weight)
{
    return weight != 0 && row.RowKind && row.props.Spec != 0 ? volumeOfWeight(weight, row.props.Spec) : 0;
}

void add(RatioTerms& sum, RatioTerms terms)
{
    sum.a += terms.a;
    sum.b += terms.b;
}

// The limit of a / b: infinite with the sign of a when b is 0.
double ratioOrInfinity(double a, double b)
{
    if (b != 0)
        return a / b;
    return a > 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
}

std::string reachableRange(double low, double high, std::string_view nameInText)
{
    const std::string start = "With the marked rows, " + std::string(nameInText) + " can be set ";
    if (!std::isfinite(high))
        return start + "above " + formatThreeDecimals(low) + ".";
    if (!std::isfinite(low) || low <= 0)
        return start + "below " + formatThreeDecimals(high) + ".";
    return start + "between " + formatThreeDecimals(low) + " and " + formatThreeDecimals(high) + ".";
}

}  // namespace

const char* recalcCaption(RecalcQuantity quantity)
{
    return infoOf(quantity).caption;
}

std::optional<PropertyBox> recalcBox(RecalcQuantity quantity)
{
    return infoOf(quantity).box;
}

std::optional<double> recalcFigure(RecalcQuantity quantity, const FormulaSheet& sheet)
{
    if (const std::optional<PropertyBox> box = recalcBox(quantity))
        return sheet.box(*box);
    return quantity == Q::EuVoc ? euVocContent(sheet) : filmBuild(sheet).lambda;
}

std::string unknownFigureRefusal(RecalcQuantity quantity, const FormulaSheet& sheet)
{
    const auto codes = [](const std::vector<std::string>& list) {
        std::string text;
        for (const std::string& code : list)
            text += (text.empty() ? "" : ", ") + quotedName(code);
        return text;
    };
    const std::string name = recalcNameInText(quantity);
    if (quantity == Q::Lambda)
        if (const std::vector<std::string> lacking = filmBuild(sheet).lackingOilAbsorption; !lacking.empty())
            return name + " is unknown: no oil absorption (Oil_Abs) for " + codes(lacking) + ".";
    std::vector<std::string> missing;
    for (const int n : rowsWithMissingMaterial(sheet))
        missing.emplace_back(trimBlanks(sheet.cell(Column::Material, n)));
    if (!missing.empty())
        return name + " is unknown while a material is missing: " + codes(missing) + ".";
    return name
        + (quantity == Q::Lambda ? " is unknown: the formula has no pigment or no solids."
                                 : " is unknown: the formula has no volume.");
}

const char* recalcNameInText(RecalcQuantity quantity)
{
    return infoOf(quantity).nameInText;
}

RowTermsFunction recalcRowTerms(RecalcQuantity quantity)
{
    return infoOf(quantity).terms;
}

RecalcQuantity recalcQuantityOfBox(PropertyBox box)
{
    for (const QuantityInfo& info : quantityTable)
        if (info.box && *info.box == box)
            return info.quantity;
    return RecalcQuantity::Weight;
}

RecalcQuantity costQuantityFor(PercentBasis basis)
{
    return quantityFor(BasisProperty::Cost, basis);
}

RecalcQuantity quantityFor(BasisProperty property, PercentBasis basis)
{
    const bool byVolume = basis == PercentBasis::Volume;
    switch (property) {
    case BasisProperty::Cost:
        return byVolume ? Q::CostByVolume : Q::CostByWeight;
    case BasisProperty::Binder:
        return byVolume ? Q::BinderByVolume : Q::BinderByWeight;
    case BasisProperty::Pigment:
        return byVolume ? Q::PigmentByVolume : Q::PigmentByWeight;
    case BasisProperty::Solids:
        return byVolume ? Q::SolidsByVolume : Q::SolidsByWeight;
    case BasisProperty::Volatile:
        return byVolume ? Q::VolatileByVolume : Q::VolatileByWeight;
    }
    return Q::CostByWeight;
}

RatioFactor ratioTargetFactor(RatioTerms unmarked, RatioTerms marked, double target, std::string_view nameInText)
{
    // p(k) = (A_F + k A_M) / (B_F + k B_M) is constant exactly when the two
    // cross products agree; every row marked (nothing stays) is such a case.
    const double cross = marked.a * unmarked.b - unmarked.a * marked.b;
    const double scale = std::abs(marked.a * unmarked.b) + std::abs(unmarked.a * marked.b);
    if (!(std::abs(cross) > 1e-12 * scale))
        return {0, "The marked rows cannot change " + std::string(nameInText) + "."};
    // Otherwise p moves monotonically from p_F (k -> 0) to p_M (k -> infinity).
    const double fromUnmarked = ratioOrInfinity(unmarked.a, unmarked.b);
    const double fromMarked = ratioOrInfinity(marked.a, marked.b);
    const double low = std::min(fromUnmarked, fromMarked);
    const double high = std::max(fromUnmarked, fromMarked);
    if (!(low < target && target < high))
        return {0, reachableRange(low, high, nameInText)};
    const double factor = (unmarked.a - target * unmarked.b) / (target * marked.b - marked.a);
    // Only where a weight with a negative share splits the range (a pole of p).
    if (!(factor > 0) || !std::isfinite(factor))
        return {0, "The marked rows would need a negative weight for this value."};
    return {factor, {}};
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
    // An unknown figure has no value to offer, and no factor could be trusted to reach one.
    const std::optional<double> present = recalcFigure(quantity_, sheet_);
    if (!present) {
        prompter_.error(unknownFigureRefusal(quantity_, sheet_));
        return RecalcOutcome::Refused;
    }
    if (!BeginReCalculate(formatPartner(*present))) {
        if (unchanged_)
            return RecalcOutcome::Unchanged;
        return cancelled_ ? RecalcOutcome::Cancelled : RecalcOutcome::Refused;
    }
    if (!computeFactor() || !MidReCalculate())
        return RecalcOutcome::Refused;
    const double obtained = recalcFigure(quantity_, sheet_).value_or(std::numeric_limits<double>::infinity());
    return EndReCalculate(obtained) ? RecalcOutcome::Reached : RecalcOutcome::Undone;
}

bool ReCalculation::BeginReCalculate(std::string_view firstText)
{
    const std::string display(trimBlanks(firstText));
    seedRecalcKeypad(calculator_, display);
    RecalcTarget = 0;
    cancelled_ = false;
    unchanged_ = false;

    if (!anyRowMarked()) {
        prompter_.inform("No materials selected. Can not recalculate.");
        return false;
    }
    const KeypadTarget target = askPositiveTarget(recalcCaption(quantity_), display, calculator_, prompter_, keypad_);
    if (!target.value) {
        cancelled_ = target.cancelled;
        return false;
    }
    RecalcTarget = *target.value;
    // The offered value is the figure rounded to two decimals, within the
    // tolerance of the figure itself: scaling to it would change the formula
    // by its rounding, a target the user never typed.
    if (RecalcTarget == numberFromText(display)) {
        unchanged_ = true;
        return false;
    }
    if (infoOf(quantity_).usesVolumes && !volumeOfEveryWeighedMaterialKnown(sheet_)) {
        prompter_.error(NoSpecificGravityRefusal);
        return false;
    }
    sumRows();
    if (sums_.MarkedWeight == 0) {
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

void seedRecalcKeypad(CalculatorState& calculator, std::string_view display)
{
    // The offered value stands as a calculator's result does: a digit starts
    // a new entry instead of extending it (1000 typed over 1127.42 is 1000),
    // an operator goes on from it, and "=" keeps it.
    const double offered = numberFromText(display);
    calculator.CalcValue = offered;
    calculator.CalcAccumulator = offered;
    calculator.CalcOperator = 0;
    calculator.CalcResultShown = true;
    calculator.CalcError = false;
}

KeypadTarget askPositiveTarget(std::string_view caption, std::string_view display, CalculatorState& calculator,
    Prompter& prompter, KeypadDialog& keypad)
{
    const std::optional<std::string> accepted = keypad.ask(caption, display, calculator);
    if (!accepted)
        return {std::nullopt, true};
    // An overflow is no value: without this it would read as a target of 0.
    if (calculator.CalcError) {
        prompter.error(KeypadErrorRefusal);
        return {};
    }
    const double target = numberFromText(*accepted);
    if (!(target > 0)) {
        prompter.error("New value can not be a negative or zero.");
        return {};
    }
    return {target, false};
}

bool volumeOfEveryWeighedMaterialKnown(const FormulaSheet& sheet)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet.row(n);
        if (row.RowKind && row.props.Spec == 0 && sheet.weight(n) != 0)
            return false;
    }
    return true;
}

void ReCalculation::sumRows()
{
    sums_ = {};
    RecalcFactor = 0;
    const RowTermsFunction terms = infoOf(quantity_).terms;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet_.row(n);
        const double w = sheet_.weight(n);
        // A missing material's weight counts in the totals as Calculate
        // counts it, and the factor never scales it: it belongs with what
        // stays as it is. Without it every weight target would miss by it.
        const bool scaled = row.RowKind && row.marked;
        if (terms && w != 0)
            add(scaled ? sums_.MarkedTerms : sums_.UnmarkedTerms, terms(row.props, w, rowVolume(row, w)));
        (scaled ? sums_.MarkedWeight : sums_.UnmarkedWeight) += w;
        if (!row.RowKind)
            continue;
        (scaled ? sums_.MarkedVolume : sums_.UnmarkedVolume) += rowVolume(row, w);
        (scaled ? sums_.MarkedCost : sums_.UnmarkedCost) += w * row.props.Cost;
    }
}

bool ReCalculation::computeFactor()
{
    return infoOf(quantity_).terms ? computeRatioFactor() : computeTotalOrCostFactor();
}

bool ReCalculation::computeRatioFactor()
{
    const RatioFactor found
        = ratioTargetFactor(sums_.UnmarkedTerms, sums_.MarkedTerms, RecalcTarget, recalcNameInText(quantity_));
    if (!found.refusal.empty()) {
        prompter_.error(found.refusal);
        return false;
    }
    RecalcFactor = found.factor;
    return true;
}

bool ReCalculation::computeTotalOrCostFactor()
{
    const auto [numerator, divisor] = infoOf(quantity_).totalOrCost(sums_, RecalcTarget);
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
        const double scaled = RecalcFactor * sheet_.weight(n);
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
            sheet_.setCell(Column::Weight, n, formatCell(RecalcFactor * sheet_.weight(n)));
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
