#include "core/calc/Optimisation.h"

#include "core/calc/Calculate.h"
#include "core/calc/MissingMaterials.h"
#include "core/calc/PigmentVolumeConcentration.h"
#include "core/calc/PropertyKeys.h"
#include "core/calc/Recalculation.h"
#include "core/compliance/Compliance.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tintora {

namespace {

// A figure as sum(a) / (sum(b) + constantB) over the rows, a and b linear in
// the row's weight: the ratio figures take the target recalculation's terms;
// the two totals are plain sums (b = 0, constantB = 1).
struct FigureForm {
    RowTermsFunction terms;
    double constantB = 0;
};

RatioTerms weightSum(const RowMaterialProps&, double w, double)
{
    return {w, 0};
}
RatioTerms volumeSum(const RowMaterialProps&, double, double v)
{
    return {v, 0};
}
RatioTerms costPerPound(const RowMaterialProps& p, double w, double)
{
    return {w * p.Cost, w};
}
RatioTerms costPerGallon(const RowMaterialProps& p, double w, double v)
{
    return {w * p.Cost, v};
}
RatioTerms pvc(const RowMaterialProps& p, double, double v)
{
    return {v * p.Pig_Vol * 100, v * (1 - p.Vol_Vol)};
}
RatioTerms cpvc(const RowMaterialProps& p, double w, double v)
{
    return {v * p.Pig_Vol * 100, v * p.Pig_Vol + oilTakenUp(p, w)};
}

struct ExtraFigure {
    const char* key;
    const char* name;
    RowTermsFunction terms;
};
// The figures beyond the boxes, from PvcFigure on; the EU VOC and Λ are
// targets too, whose terms they share.
const std::array<ExtraFigure, OptimiseFigureCount - PvcFigure> ExtraFigures{{
    {PvcKey, "PVC", pvc},
    {"voc_eu_g_per_l", "EU VOC", recalcRowTerms(RecalcQuantity::EuVoc)},
    {"cpvc_pct", "CPVC", cpvc},
    {"lambda", "Λ", recalcRowTerms(RecalcQuantity::Lambda)},
}};

FigureForm formOf(int figure)
{
    if (figure >= PvcFigure)
        return {ExtraFigures[static_cast<std::size_t>(figure - PvcFigure)].terms};
    switch (ReportedProperties[static_cast<std::size_t>(figure)]) {
    case PropertyBox::WeightBox:
        return {weightSum, 1};
    case PropertyBox::VolumeBox:
        return {volumeSum, 1};
    case PropertyBox::CostWtBox:
        return {costPerPound};
    case PropertyBox::CostVolBox:
        return {costPerGallon};
    default:
        return {recalcRowTerms(recalcQuantityOfBox(ReportedProperties[static_cast<std::size_t>(figure)]))};
    }
}

// The gallons a pound of the row's material fills; 0 where Calculate gives
// the row no volume.
double volumePerPound(const SheetRow& row)
{
    return row.RowKind && row.props.Spec != 0 ? volumeOfWeight(1, row.props.Spec) : 0;
}

// "Solids by volume" inside a sentence: "solids by volume"; "VOC" stays.
std::string nameInSentence(int figure)
{
    std::string name = figureName(figure);
    if (name.size() > 1 && std::islower(static_cast<unsigned char>(name[1])))
        name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    return name;
}

std::string joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

std::string shortNumber(double value)
{
    return formatRoundTrip(roundToThreeDecimals(value));
}

// ---- The programme, in the Charnes-Cooper variables y = t x, t = 1 / the
// objective's divisor: columns y_1 ... y_m for the varied rows, then t. -----

struct Linear {
    std::vector<double> a, b;  // per varied row, per pound
    double fixedA = 0, fixedB = 0;  // the rows that stay, and the form's constant
};

class ProgrammeBuilder {
public:
    ProgrammeBuilder(const FormulaSheet& calculated, const OptimiseSettings& settings)
        : sheet_(calculated)
        , settings_(settings)
    {
    }

    Linear linearOf(int figure) const
    {
        const FigureForm form = formOf(figure);
        Linear l;
        l.fixedB = form.constantB;
        for (int n = 1; n <= SheetRowCount; ++n) {
            const SheetRow& row = sheet_.row(n);
            if (isVaried(n)) {
                const RatioTerms perPound = form.terms(row.props, 1, volumePerPound(row));
                l.a.push_back(perPound.a);
                l.b.push_back(perPound.b);
            } else if (const double w = sheet_.weight(n); w != 0) {
                const RatioTerms t = form.terms(row.props, w, sheet_.volume(n));
                l.fixedA += t.a;
                l.fixedB += t.b;
            }
        }
        return l;
    }

    // sum(a) - T (sum(b) + constant), in y and t.
    static std::vector<double> limitRow(const Linear& l, double target)
    {
        std::vector<double> row;
        for (std::size_t j = 0; j < l.a.size(); ++j)
            row.push_back(l.a[j] - target * l.b[j]);
        row.push_back(l.fixedA - target * l.fixedB);
        return row;
    }

    // The programme whose objective is the figure (least, or most), in the
    // variables that make its ratio linear; the kept total and the bounds
    // are rows of it, the limits are added by the caller.
    LinearProgram programme(double keptTotal, int objectiveFigure, bool most = false) const
    {
        const Linear objective = linearOf(objectiveFigure);
        const double sign = most ? -1 : 1;
        LinearProgram p;
        for (const double a : objective.a)
            p.objective.push_back(sign * a);
        p.objective.push_back(sign * objective.fixedA);
        const std::size_t columns = p.objective.size();
        p.columnLower.assign(columns, 0);
        p.columnUpper.assign(columns, Unlimited);
        // The divisor is 1 / t.
        std::vector<double> divisor = objective.b;
        divisor.push_back(objective.fixedB);
        p.rows.push_back({divisor, 1, 1});
        p.rows.push_back({limitRow(linearOf(keptFigure()), keptTotal), 0, 0});
        addBounds(p);
        addDivisorsKept(p);
        return p;
    }

    int costFigure() const
    {
        return settings_.objective == CostObjective::PerGallon ? CostPerGallonFigure : CostPerPoundFigure;
    }

    int keptFigure() const
    {
        return figureOfBox(settings_.kept == KeptTotal::Volume ? PropertyBox::VolumeBox : PropertyBox::WeightBox);
    }

    // Each limit side as its row, scaled so that its largest coefficient is 1
    // (an elastic miss then weighs alike on every limit).
    struct LimitSide {
        const FigureLimit* limit;
        bool minimum;
        LinearRow row;
    };
    std::vector<LimitSide> limitSides() const
    {
        std::vector<LimitSide> sides;
        const double presentT = 1 / std::max(1e-12, std::abs(presentDivisor(linearOf(costFigure()))));
        for (const FigureLimit& limit : settings_.limits) {
            const Linear l = linearOf(limit.figure);
            // Scaled so that a miss counts as a share of the bound: the elastic
            // programme then weighs the limits alike.
            const double scale = std::max(1e-12, std::abs(presentDivisor(l)) * presentT);
            for (const bool minimum : {true, false}) {
                const std::optional<double>& bound = minimum ? limit.minimum : limit.maximum;
                if (!bound)
                    continue;
                std::vector<double> row = limitRow(l, *bound);
                for (double& c : row)
                    c /= scale * std::max(1.0, *bound);
                sides.push_back({&limit, minimum, {row, minimum ? 0 : -Unlimited, minimum ? Unlimited : 0}});
            }
        }
        return sides;
    }

    // The figure's divisor, sum(b) + constant, at the present weights.
    double presentDivisor(const Linear& l) const
    {
        double b = l.fixedB;
        for (std::size_t j = 0; j < settings_.varied.size(); ++j)
            b += l.b[j] * sheet_.weight(settings_.varied[j].row);
        return b;
    }

    bool isVaried(int n) const
    {
        return std::any_of(
            settings_.varied.begin(), settings_.varied.end(), [n](const VariedRow& v) { return v.row == n; });
    }

    static int figureOfBox(PropertyBox box)
    {
        return static_cast<int>(
            std::find(ReportedProperties.begin(), ReportedProperties.end(), box) - ReportedProperties.begin());
    }

private:
    // A limited ratio keeps a divisor of at least a thousandth of its present
    // one: a limit on the PVC must not be met by a formula with no solids
    // at all, where the ratio is 0 / 0.
    void addDivisorsKept(LinearProgram& p) const
    {
        for (const FigureLimit& limit : settings_.limits) {
            const Linear l = linearOf(limit.figure);
            if (formOf(limit.figure).constantB != 0)
                continue;
            std::vector<double> row = l.b;
            row.push_back(l.fixedB - 1e-3 * std::abs(presentDivisor(l)));
            p.rows.push_back({row, 0, Unlimited});
        }
    }

    // minimum t <= y_j <= maximum t.
    void addBounds(LinearProgram& p) const
    {
        const std::size_t columns = p.objective.size();
        for (std::size_t j = 0; j < settings_.varied.size(); ++j) {
            std::vector<double> row(columns, 0);
            row[j] = 1;
            row.back() = -settings_.varied[j].minimum;
            p.rows.push_back({row, 0, Unlimited});
            row.back() = -settings_.varied[j].maximum;
            p.rows.push_back({row, -Unlimited, 0});
        }
    }

    const FormulaSheet& sheet_;
    const OptimiseSettings& settings_;
};

// The varied rows' weights from a solution in y and t.
std::vector<double> weightsOf(const LinearSolution& solution)
{
    const double t = solution.x.back();
    std::vector<double> weights;
    for (std::size_t j = 0; j + 1 < solution.x.size(); ++j)
        weights.push_back(t > 0 ? std::max(0.0, solution.x[j] / t) : 0);
    return weights;
}

}  // namespace

const char* figureKey(int figure)
{
    return figure >= PvcFigure ? ExtraFigures[static_cast<std::size_t>(figure - PvcFigure)].key
                               : propertyKey(ReportedProperties[static_cast<std::size_t>(figure)]);
}

const char* figureName(int figure)
{
    return figure >= PvcFigure
        ? ExtraFigures[static_cast<std::size_t>(figure - PvcFigure)].name
        : recalcNameInText(recalcQuantityOfBox(ReportedProperties[static_cast<std::size_t>(figure)]));
}

std::optional<int> figureOfKey(std::string_view key)
{
    for (int f = 0; f < OptimiseFigureCount; ++f)
        if (key == figureKey(f))
            return f;
    return std::nullopt;
}

std::string limitText(const FigureLimit& limit)
{
    const std::string name = figureName(limit.figure);
    if (limit.minimum && limit.maximum)
        return name + " between " + shortNumber(*limit.minimum) + " and " + shortNumber(*limit.maximum);
    if (limit.minimum)
        return name + " ≥ " + shortNumber(*limit.minimum);
    return name + " ≤ " + shortNumber(limit.maximum.value_or(0));
}

OptimiseSettings defaultOptimiseSettings(const FormulaSheet& sheet)
{
    OptimiseSettings settings;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (sheet.row(n).marked && sheet.isMaterialRow(n))
            settings.varied.push_back({n});
    return settings;
}

FigureValues figureValues(const FormulaSheet& sheet)
{
    FigureValues values;
    for (int f = 0; f < PropertyBoxCount; ++f)
        values[static_cast<std::size_t>(f)] = sheet.box(ReportedProperties[static_cast<std::size_t>(f)]);
    const FilmBuild film = filmBuild(sheet);
    values[PvcFigure] = film.pvc;
    values[EuVocFigure] = euVocContent(sheet);
    values[CpvcFigure] = film.cpvc;
    values[LambdaFigure] = film.lambda;
    return values;
}

namespace {

bool isWeightOrLimit(double value)
{
    return std::isfinite(value) && value >= 0;
}

std::optional<std::string> variedRowProblem(const FormulaSheet& sheet, const VariedRow& v)
{
    const std::string row = "Row " + std::to_string(v.row);
    if (v.row < 1 || v.row > SheetRowCount)
        return row + " does not exist: the rows are numbered 1 to 36.";
    if (!sheet.isMaterialRow(v.row)) {
        const std::string code(trimBlanks(sheet.cell(Column::Material, v.row)));
        if (code.empty())
            return row + " holds no material.";
        return row + ": the material " + quotedName(code) + " was not found, so its figures are unknown.";
    }
    if (sheet.row(v.row).props.Spec == 0)
        return row + ": the material has no specific gravity.";
    if (!isWeightOrLimit(v.minimum) || !isWeightOrLimit(v.maximum) || v.maximum > RowWeightLimit)
        return row + ": the minimum and the maximum must be weights from 0 to " + formatThreeDecimals(RowWeightLimit)
            + ".";
    if (v.minimum > v.maximum)
        return row + ": the minimum " + shortNumber(v.minimum) + " is above the maximum " + shortNumber(v.maximum)
            + ".";
    if (v.minimum == v.maximum)
        return row + " cannot change: its minimum equals its maximum.";
    return std::nullopt;
}

std::optional<std::string> limitProblem(const FormulaSheet& sheet, const FigureLimit& limit)
{
    if (limit.figure < 0 || limit.figure >= OptimiseFigureCount)
        return std::string("A limit names no figure.");
    const std::string name = figureName(limit.figure);
    for (const std::optional<double>& bound : {limit.minimum, limit.maximum})
        if (bound && !isWeightOrLimit(*bound))
            return name + ": a limit must be a number of 0 or more.";
    if (limit.minimum && limit.maximum && *limit.minimum > *limit.maximum)
        return name + ": the minimum " + shortNumber(*limit.minimum) + " is above the maximum "
            + shortNumber(*limit.maximum) + ".";
    if ((limit.figure == PvcFigure || limit.figure == EuVocFigure) && !rowsWithMissingMaterial(sheet).empty())
        return "The " + name + " is unknown while a material is missing.";
    if (limit.figure == CpvcFigure || limit.figure == LambdaFigure)
        if (const std::vector<std::string> lacking = filmBuild(sheet).lackingOilAbsorption; !lacking.empty())
            return "The " + name + " is unknown: no oil absorption (Oil_Abs) for " + joined(lacking) + ".";
    return std::nullopt;
}

PropertyBox keptBox(KeptTotal kept)
{
    return kept == KeptTotal::Volume ? PropertyBox::VolumeBox : PropertyBox::WeightBox;
}

std::string keptTotalName(KeptTotal kept)
{
    return kept == KeptTotal::Volume ? "total volume" : "total weight";
}

// A figure's value at the given weights of the varied rows, before rounding.
double valueAt(const Linear& l, const std::vector<double>& weights)
{
    double a = l.fixedA, b = l.fixedB;
    for (std::size_t j = 0; j < weights.size(); ++j) {
        a += l.a[j] * weights[j];
        b += l.b[j] * weights[j];
    }
    return b != 0 ? a / b : 0;
}

// The elastic programme: each limit side may be missed at a cost, and the
// total (scaled) miss is what is minimised.
LinearProgram elasticProgramme(LinearProgram base, const std::vector<ProgrammeBuilder::LimitSide>& sides)
{
    std::fill(base.objective.begin(), base.objective.end(), 0);
    for (LinearRow& row : base.rows)
        row.coefficients.resize(base.objective.size() + sides.size(), 0);
    for (std::size_t i = 0; i < sides.size(); ++i) {
        LinearRow row = sides[i].row;
        row.coefficients.resize(base.objective.size() + sides.size(), 0);
        row.coefficients[base.objective.size() + i] = sides[i].minimum ? 1 : -1;
        base.rows.push_back(std::move(row));
    }
    base.objective.resize(base.objective.size() + sides.size(), 1);
    base.columnLower.resize(base.objective.size(), 0);
    base.columnUpper.resize(base.objective.size(), Unlimited);
    return base;
}

double missOf(
    const ProgrammeBuilder& builder, const ProgrammeBuilder::LimitSide& side, const std::vector<double>& weights)
{
    const double value = valueAt(builder.linearOf(side.limit->figure), weights);
    const double bound = side.minimum ? side.limit->minimum.value_or(0) : side.limit->maximum.value_or(0);
    return (side.minimum ? bound - value : value - bound) / std::max(1.0, std::abs(bound));
}

std::string sideText(const ProgrammeBuilder::LimitSide& side)
{
    return figureName(side.limit->figure) + std::string(side.minimum ? " ≥ " : " ≤ ")
        + shortNumber(side.minimum ? side.limit->minimum.value_or(0) : side.limit->maximum.value_or(0));
}

// The limits the elastic programme had to miss, and for each the nearest the
// rows come to it while every other limit holds ("at VOC 50 the most solids
// by volume is 41.2"), the limits that then stand at their bound named too.
std::string conflictMessage(const ProgrammeBuilder& builder, const std::vector<ProgrammeBuilder::LimitSide>& sides,
    const std::vector<double>& elasticWeights, double kept, LinearSolver solve)
{
    constexpr double tolerance = 1e-6;
    std::vector<const ProgrammeBuilder::LimitSide*> missed, held;
    for (const ProgrammeBuilder::LimitSide& side : sides)
        (missOf(builder, side, elasticWeights) > tolerance ? missed : held).push_back(&side);
    std::vector<const ProgrammeBuilder::LimitSide*> conflicting;
    std::vector<std::string> clauses;
    for (const ProgrammeBuilder::LimitSide* side : missed) {
        conflicting.push_back(side);
        LinearProgram nearest = builder.programme(kept, side->limit->figure, side->minimum);
        for (const ProgrammeBuilder::LimitSide* other : held)
            nearest.rows.push_back(other->row);
        const LinearSolution solution = solve(nearest);
        const std::vector<double> weights
            = solution.status == LinearSolution::Status::Optimal ? weightsOf(solution) : elasticWeights;
        std::vector<std::string> at;
        for (const ProgrammeBuilder::LimitSide* other : held)
            if (std::abs(missOf(builder, *other, weights)) <= tolerance) {
                at.push_back(figureName(other->limit->figure) + std::string(" ")
                    + shortNumber(
                        other->minimum ? other->limit->minimum.value_or(0) : other->limit->maximum.value_or(0)));
                conflicting.push_back(other);
            }
        clauses.push_back((at.empty() ? "" : "at " + joined(at) + " ") + (side->minimum ? "the most " : "the least ")
            + nameInSentence(side->limit->figure) + " is "
            + shortNumber(valueAt(builder.linearOf(side->limit->figure), weights)));
    }
    // Named in the order the limits were given.
    std::vector<std::string> names;
    for (const ProgrammeBuilder::LimitSide& side : sides)
        if (std::find(conflicting.begin(), conflicting.end(), &side) != conflicting.end())
            names.push_back(sideText(side));
    return joined(names) + (names.size() > 1 ? " cannot hold together" : " cannot hold")
        + " with these rows: " + (clauses.empty() ? "no formula meets them" : joined(clauses)) + ".";
}

}  // namespace

std::optional<std::string> optimiseSettingsProblem(const FormulaSheet& sheet, const OptimiseSettings& settings)
{
    if (settings.varied.empty())
        return std::string("No row is set to vary.");
    for (std::size_t i = 0; i < settings.varied.size(); ++i) {
        if (std::optional<std::string> problem = variedRowProblem(sheet, settings.varied[i]))
            return problem;
        for (std::size_t k = 0; k < i; ++k)
            if (settings.varied[k].row == settings.varied[i].row)
                return "Row " + std::to_string(settings.varied[i].row) + " is listed twice.";
    }
    for (const FigureLimit& limit : settings.limits)
        if (std::optional<std::string> problem = limitProblem(sheet, limit))
            return problem;
    if (settings.keptValue && !(std::isfinite(*settings.keptValue) && *settings.keptValue > 0))
        return "The " + keptTotalName(settings.kept) + " kept must be a number above 0.";
    if (!volumeOfEveryWeighedMaterialKnown(sheet))
        return std::string(NoSpecificGravityRefusal);
    return std::nullopt;
}

namespace {

// Rounds the varied rows' weights to three decimals, the largest row taking
// the remainder so that the kept total, as Calculate sums it, is the one asked.
FormulaSheet roundedFormula(
    const FormulaSheet& present, const OptimiseSettings& settings, const std::vector<double>& weights, double kept)
{
    FormulaSheet formula = present;
    for (std::size_t j = 0; j < weights.size(); ++j)
        formula.setCell(Column::Weight, settings.varied[j].row, formatCell(roundToThreeDecimals(weights[j])));
    Calculate(formula);
    const auto largest = static_cast<std::size_t>(std::max_element(weights.begin(), weights.end()) - weights.begin());
    const int row = settings.varied[largest].row;
    const double present_ = formula.weight(row);
    const double missing = kept - formula.box(keptBox(settings.kept));
    const double first = settings.kept == KeptTotal::Weight
        ? present_ + missing
        : weightOfVolume(formula.volume(row) + missing, formula.row(row).props.Spec);
    double best = present_, bestMiss = std::abs(missing);
    for (int step = -3; step <= 3; ++step) {
        const double candidate = std::max(0.0, roundToThreeDecimals(first + step * 0.001));
        formula.setCell(Column::Weight, row, formatCell(candidate));
        Calculate(formula);
        const double miss = std::abs(kept - formula.box(keptBox(settings.kept)));
        if (miss < bestMiss) {
            best = candidate;
            bestMiss = miss;
        }
    }
    formula.setCell(Column::Weight, row, formatCell(best));
    Calculate(formula);
    return formula;
}

std::vector<std::string> limitsMissed(const OptimiseSettings& settings, const FigureValues& values)
{
    std::vector<std::string> missed;
    for (const FigureLimit& limit : settings.limits) {
        const std::optional<double> value = values[static_cast<std::size_t>(limit.figure)];
        const std::string name = figureName(limit.figure);
        if (!value && (limit.minimum || limit.maximum))
            missed.push_back(name + " has no value.");
        else if (limit.minimum && *value < *limit.minimum - RecalcTolerance)
            missed.push_back(name + " is " + shortNumber(*value) + ", below its minimum " + shortNumber(*limit.minimum)
                + ", once the weights are rounded to three decimals.");
        else if (limit.maximum && *value > *limit.maximum + RecalcTolerance)
            missed.push_back(name + " is " + shortNumber(*value) + ", above its maximum " + shortNumber(*limit.maximum)
                + ", once the weights are rounded to three decimals.");
    }
    return missed;
}

OptimisedFormula finish(
    const FormulaSheet& present, const OptimiseSettings& settings, const std::vector<double>& weights, double kept)
{
    OptimisedFormula result{roundedFormula(present, settings, weights, kept), figureValues(present), {}, 0, {}};
    result.after = figureValues(result.formula);
    const auto cost = static_cast<std::size_t>(
        settings.objective == CostObjective::PerGallon ? CostPerGallonFigure : CostPerPoundFigure);
    if (const double before = result.before[cost].value_or(0); before > 0)
        result.savingPercent = (before - result.after[cost].value_or(0)) / before * 100;
    result.missedAfterRounding = limitsMissed(settings, result.after);
    return result;
}

}  // namespace

namespace {

// The weights rounded to three decimals can miss a limit that the exact
// solution meets (the figures sum three-decimal row volumes): each limit so
// missed is moved inward by its miss in the programme, which is solved again.
// Whether any limit moved.
bool tightenMissed(OptimiseSettings& model, const OptimiseSettings& settings, const FigureValues& after)
{
    constexpr double margin = 0.002;
    bool moved = false;
    for (std::size_t i = 0; i < settings.limits.size(); ++i) {
        const FigureLimit& asked = settings.limits[i];
        const std::optional<double> value = after[static_cast<std::size_t>(asked.figure)];
        FigureLimit& limit = model.limits[i];
        if (!value)
            continue;
        if (asked.minimum && *value < *asked.minimum - RecalcTolerance) {
            *limit.minimum += *asked.minimum - *value + margin;
            moved = true;
        }
        if (asked.maximum && *value > *asked.maximum + RecalcTolerance) {
            *limit.maximum -= *value - *asked.maximum + margin;
            moved = true;
        }
    }
    return moved;
}

LinearProgram limitedProgramme(const ProgrammeBuilder& builder, double kept)
{
    LinearProgram limited = builder.programme(kept, builder.costFigure());
    for (const ProgrammeBuilder::LimitSide& side : builder.limitSides())
        limited.rows.push_back(side.row);
    return limited;
}

// Why no formula meets the settings: the solver failed, the kept total cannot
// be made, or the limits that conflict.
std::string whyNone(const FormulaSheet& present, const OptimiseSettings& settings, double kept, LinearSolver solve)
{
    const ProgrammeBuilder builder(present, settings);
    if (solve(limitedProgramme(builder, kept)).status != LinearSolution::Status::Infeasible)
        return "The optimisation found no answer: the solver failed.";
    const std::vector<ProgrammeBuilder::LimitSide> sides = builder.limitSides();
    const LinearProgram base = builder.programme(kept, builder.costFigure());
    LinearSolution elastic = solve(elasticProgramme(base, sides));
    if (elastic.status != LinearSolution::Status::Optimal)
        return "With the varied rows between their minimums and maximums, the " + keptTotalName(settings.kept)
            + " cannot be " + shortNumber(kept) + ".";
    elastic.x.resize(base.objective.size());
    return conflictMessage(builder, sides, weightsOf(elastic), kept, solve);
}

}  // namespace

Result<OptimisedFormula> optimise(const FormulaSheet& sheet, const OptimiseSettings& settings, LinearSolver solve)
{
    if (std::optional<std::string> problem = optimiseSettingsProblem(sheet, settings))
        return Failure(*problem);
    FormulaSheet present = sheet;
    Calculate(present);
    const double kept = settings.keptValue.value_or(present.box(keptBox(settings.kept)));
    if (!(kept > 0))
        return Failure("The " + keptTotalName(settings.kept) + " kept must be a number above 0.");
    std::optional<OptimisedFormula> found;
    OptimiseSettings model = settings;
    for (int pass = 0; pass < 3; ++pass) {
        const LinearSolution solution = solve(limitedProgramme(ProgrammeBuilder(present, model), kept));
        if (solution.status != LinearSolution::Status::Optimal)
            break;
        found = finish(present, settings, weightsOf(solution), kept);
        if (found->missedAfterRounding.empty() || !tightenMissed(model, settings, found->after))
            break;
    }
    if (found)
        return std::move(*found);
    return Failure(whyNone(present, settings, kept, solve));
}

}  // namespace tintora
