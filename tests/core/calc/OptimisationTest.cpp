// Least-cost formulation: cases worked by hand, bad settings, and random tiny
// problems against an exhaustive search over the vertices of the same limits,
// whose figures are written here from their definitions over the row sums.
#include "core/calc/Optimisation.h"
#include "core/formulas/OptimiseSection.h"
#include "core/solver/ClpSolver.h"

#include "RandomFormula.h"
#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tintora;
using B = PropertyBox;

namespace {

RowMaterialProps resin()
{
    return {.Spec = 1, .Cost = 2, .Vol_Wt = 0.5, .Vol_Vol = 0.5, .Voc_Wt = 0.5, .Voc_Vol = 0.5};
}
RowMaterialProps water()
{
    return {.Spec = 1, .Cost = 0, .Vol_Wt = 1, .Vol_Vol = 1};
}
RowMaterialProps pigment()
{
    return {.Spec = 4, .Cost = 1, .Pig_Wt = 1, .Pig_Vol = 1};
}

FormulaSheet sheetOf(const std::vector<std::pair<RowMaterialProps, double>>& rows)
{
    FormulaSheet sheet;
    for (int n = 1; n <= static_cast<int>(rows.size()); ++n) {
        sheet.row(n).RowKind = true;
        sheet.row(n).props = rows[static_cast<std::size_t>(n - 1)].first;
        std::string code = "m";
        code += std::to_string(n);
        sheet.setCell(Column::Material, n, code);
        sheet.setCell(Column::Weight, n, formatCell(rows[static_cast<std::size_t>(n - 1)].second));
    }
    Calculate(sheet);
    return sheet;
}

OptimiseSettings settingsOf(std::vector<VariedRow> varied, std::vector<FigureLimit> limits = {},
    KeptTotal kept = KeptTotal::Volume, std::optional<double> keptValue = {},
    CostObjective objective = CostObjective::PerGallon)
{
    return {std::move(varied), kept, keptValue, std::move(limits), objective};
}

int figure(const char* key)
{
    return figureOfKey(key).value();
}

struct HandCase {
    const char* name;
    std::vector<std::pair<RowMaterialProps, double>> rows;
    OptimiseSettings settings;
    std::vector<double> weights;  // rows 1, 2, ... after
    double cost;  // the objective's figure after
};

TEST(OptimisationTest, HandCheckedOptima)
{
    const std::vector<HandCase> cases{
        // Water is free: as much of it as solids by volume >= 30 allows (60 of 100 gallons resin).
        {"one binding limit", {{resin(), 416.667}, {water(), 416.667}},
            settingsOf({{1}, {2}}, {{figure("solids_vol_pct"), 30, {}}}), {500.000, 333.334}, 10.000},
        // Water is held to 200 lb; resin fills the 100 gallons.
        {"bound binding", {{resin(), 416.667}, {water(), 416.667}}, settingsOf({{1}, {2, 0, 200}}), {633.334, 200.000},
            12.667},
        // Per pound at 200 lb, pigment is the cheaper: up to 60 % of the weight.
        {"keep weight", {{pigment(), 100}, {resin(), 100}},
            settingsOf(
                {{1}, {2}}, {{figure("pigment_wt_pct"), 20, 60}}, KeptTotal::Weight, {}, CostObjective::PerPound),
            {120.000, 80.000}, 1.400},
        // Per gallon at 15 gallons, resin is the cheaper: pigment down to 20 % of the weight.
        {"keep volume", {{pigment(), 100}, {resin(), 100}},
            settingsOf({{1}, {2}}, {{figure("pigment_wt_pct"), 20, 60}}), {29.412, 117.647}, 17.647},
    };
    for (const HandCase& c : cases) {
        const Result<OptimisedFormula> result = optimise(sheetOf(c.rows), c.settings, solveLinearProgram);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.problem();
        const OptimisedFormula& o = result.value();
        for (std::size_t j = 0; j < c.weights.size(); ++j)
            EXPECT_NEAR(o.formula.weight(static_cast<int>(j + 1)), c.weights[j], 0.0015) << c.name << ", row " << j + 1;
        const int cost = c.settings.objective == CostObjective::PerGallon ? CostPerGallonFigure : CostPerPoundFigure;
        EXPECT_NEAR(o.after[static_cast<std::size_t>(cost)].value(), c.cost, 0.002) << c.name;
        EXPECT_TRUE(o.missedAfterRounding.empty()) << c.name;
        const PropertyBox kept = c.settings.kept == KeptTotal::Volume ? B::VolumeBox : B::WeightBox;
        EXPECT_NEAR(o.formula.box(kept), sheetOf(c.rows).box(kept), 0.0015) << c.name;
    }
}

TEST(OptimisationTest, LimitsThatCannotHoldAreNamed)
{
    const FormulaSheet sheet = sheetOf({{resin(), 416.667}, {water(), 416.667}});
    const auto problem = [&](std::vector<FigureLimit> limits) {
        return optimise(sheet, settingsOf({{1}, {2}}, std::move(limits)), solveLinearProgram).problem();
    };
    EXPECT_EQ(problem({{figure("solids_vol_pct"), 60, {}}}),
        "Solids by volume ≥ 60 cannot hold with these rows: the most solids by volume is 50.");
    // Resin and water weigh alike: a share x of resin gives 50x % solids and
    // 100 - 50x % volatile, each missed limit a share of its bound.
    EXPECT_EQ(problem({{figure("solids_vol_pct"), 45, {}}, {figure("volatile_wt_pct"), 60, {}}}),
        "Solids by volume ≥ 45 and Volatile by weight ≥ 60 cannot hold together with these rows: at Solids by "
        "volume 45 the most volatile by weight is 55.");
    EXPECT_EQ(optimise(sheet, settingsOf({{1, 0, 10}, {2, 0, 10}}), solveLinearProgram).problem(),
        "With the varied rows between their minimums and maximums, the total volume cannot be 100.");
}

TEST(OptimisationTest, BadSettingsAreRefusedByName)
{
    FormulaSheet sheet = sheetOf({{resin(), 100}, {water(), 100}});
    sheet.setCell(Column::Description, 3, "stir");
    sheet.setCell(Column::Material, 4, "gone");
    sheet.setCell(Column::Weight, 4, formatCell(5));
    Calculate(sheet);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const int solids = figure("solids_vol_pct");
    const std::vector<std::pair<OptimiseSettings, std::string>> cases{
        {settingsOf({}), "No row is set to vary."},
        {settingsOf({{37}}), "Row 37 does not exist"},
        {settingsOf({{0}}), "Row 0 does not exist"},
        {settingsOf({{3}}), "Row 3 holds no material."},
        {settingsOf({{4}}), "Row 4: the material \"gone\" was not found"},
        {settingsOf({{1, 5, 2}}), "Row 1: the minimum 5 is above the maximum 2."},
        {settingsOf({{1, 5, 5}}), "Row 1 cannot change"},
        {settingsOf({{1, -1, 5}}), "Row 1: the minimum and the maximum must be weights"},
        {settingsOf({{1}, {1}}), "Row 1 is listed twice."},
        {settingsOf({{1}}, {{solids, nan, {}}}), "Solids by volume: a limit must be a number"},
        {settingsOf({{1}}, {{solids, {}, inf}}), "Solids by volume: a limit must be a number"},
        {settingsOf({{1}}, {{solids, -3, {}}}), "Solids by volume: a limit must be a number"},
        {settingsOf({{1}}, {{solids, 60, 55}}), "Solids by volume: the minimum 60 is above the maximum 55."},
        {settingsOf({{1}}, {{PvcFigure, 10, {}}}), "The PVC is unknown while a material is missing."},
        {settingsOf({{1}}, {}, KeptTotal::Weight, 0.0), "The total weight kept must be a number above 0."},
        {settingsOf({{1}}, {}, KeptTotal::Volume, nan), "The total volume kept must be a number above 0."},
    };
    for (const auto& [settings, expected] : cases) {
        const std::string problem = optimise(sheet, settings, solveLinearProgram).problem();
        EXPECT_EQ(problem.substr(0, expected.size()), expected) << problem;
    }
}

// The settings go into a formula's bytes and read back as they were; the
// section's old keys go, the other sections stay.
TEST(OptimisationTest, SettingsRoundTripThroughTheFormulaFile)
{
    const std::string formula = "[Formula]\nName=primer\n[Optimise]\nRow9=1..2\npvc_pct=3..\nKeepValue=7\n";
    for (unsigned seed = 1; seed <= 50; ++seed) {
        test::RandomFormula random(seed);
        OptimiseSettings settings;
        settings.kept = random.chance(0.5) ? KeptTotal::Weight : KeptTotal::Volume;
        settings.objective = random.chance(0.5) ? CostObjective::PerPound : CostObjective::PerGallon;
        if (random.chance(0.5))
            settings.keptValue = roundToThreeDecimals(random.uniform(1, 900));
        for (int n = 1; n <= SheetRowCount; ++n)
            if (n != 9 && random.chance(0.2))
                settings.varied.push_back({n, roundToThreeDecimals(random.uniform(0, 10)),
                    random.chance(0.5) ? RowWeightLimit : roundToThreeDecimals(random.uniform(10, 900))});
        for (int f = 0; f < OptimiseFigureCount; ++f)
            if (f != PvcFigure && random.chance(0.3)) {
                const bool both = random.chance(0.3), low = random.chance(0.5);
                const double a = roundToThreeDecimals(random.uniform(0, 50));
                settings.limits.push_back({f, both || low ? std::optional(a) : std::nullopt,
                    both || !low ? std::optional(a + 10.5) : std::nullopt});
            }
        const Result<std::string> bytes = editIniBytes(formula, optimiseSectionChanges(settings));
        ASSERT_TRUE(bytes.ok()) << bytes.problem();
        const IniFile file = IniFile::parse(bytes.value());
        EXPECT_EQ(readOptimiseSection(file), settings) << bytes.value();
        EXPECT_EQ(file.value("Formula", "Name"), "primer");
    }
    const std::vector<VariedRow> kept{{9, 1, 2}};
    EXPECT_EQ(readOptimiseSection(IniFile::parse(formula)).value().varied, kept);
    EXPECT_FALSE(readOptimiseSection(IniFile::parse("[Formula]\nName=x\n")));
}

// ---- The independent check: the figures from the nine row sums, and every
// vertex of the limits tried. ----

enum Sum { W, C, VolW, PigW, VocW, V, VolV, PigV, VocV, SumCount };
using Sums = std::array<double, SumCount>;
struct Ratio {
    const char* key;
    Sums numerator, denominator;
};
Sums sums(std::initializer_list<std::pair<Sum, double>> terms)
{
    Sums s{};
    for (const auto& [sum, factor] : terms)
        s[sum] = factor;
    return s;
}
const std::vector<Ratio> ratios{
    {"solids_vol_pct", sums({{V, 100}, {VolV, -100}}), sums({{V, 1}})},
    {"pigment_wt_pct", sums({{PigW, 100}}), sums({{W, 1}})},
    {"voc_g_per_l", sums({{VocW, 119.83}}), sums({{V, 1}, {VolV, -1}, {VocV, 1}})},
    {"pb_ratio", sums({{PigW, 1}}), sums({{W, 1}, {VolW, -1}, {PigW, -1}})},
    {"density_lb_per_gal", sums({{W, 1}}), sums({{V, 1}})},
    {"pvc_pct", sums({{PigV, 100}}), sums({{V, 1}, {VolV, -1}})},
    {"cost_per_gal", sums({{C, 1}}), sums({{V, 1}})},
    {"cost_per_lb", sums({{C, 1}}), sums({{W, 1}})},
};

Sums perPound(const RowMaterialProps& p)
{
    const double v = 1 / (p.Spec * 8.33334);
    return {1, p.Cost, p.Vol_Wt, p.Pig_Wt, p.Voc_Wt, v, v * p.Vol_Vol, v * p.Pig_Vol, v * p.Voc_Vol};
}

double dot(const Sums& a, const Sums& b)
{
    double s = 0;
    for (int k = 0; k < SumCount; ++k)
        s += a[k] * b[k];
    return s;
}

// g·w >= h over the varied weights.
struct Inequality {
    std::vector<double> g;
    double h;
};

// The solution of the square system, if it has one.
std::optional<std::vector<double>> solveSquare(std::vector<std::vector<double>> a, std::vector<double> b)
{
    const std::size_t n = b.size();
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < n; ++r)
            if (std::abs(a[r][c]) > std::abs(a[pivot][c]))
                pivot = r;
        if (std::abs(a[pivot][c]) < 1e-12)
            return std::nullopt;
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (std::size_t r = 0; r < n; ++r) {
            if (r == c)
                continue;
            const double f = a[r][c] / a[c][c];
            for (std::size_t k = c; k < n; ++k)
                a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    for (std::size_t c = 0; c < n; ++c)
        b[c] /= a[c][c];
    return b;
}

struct TinyProblem {
    std::vector<Sums> varied;  // per pound of each varied row
    Sums fixed{};  // the rows that stay
    Sums kept;  // the kept total's sum
    double keptTotal;
    std::vector<Inequality> inequalities;
    const Ratio* objective;

    Sums sumsAt(const std::vector<double>& w) const
    {
        Sums s = fixed;
        for (std::size_t j = 0; j < w.size(); ++j)
            for (int k = 0; k < SumCount; ++k)
                s[k] += varied[j][k] * w[j];
        return s;
    }

    // The least objective over the vertices where the kept total and m - 1
    // inequalities hold with equality; none when no vertex is feasible.
    std::optional<double> leastByVertices() const
    {
        const std::size_t m = varied.size(), count = inequalities.size();
        std::optional<double> least;
        for (unsigned subset = 0; subset < (1U << count); ++subset) {
            if (static_cast<std::size_t>(__builtin_popcount(subset)) != m - 1)
                continue;
            std::vector<std::vector<double>> a{{}};
            std::vector<double> b{keptTotal - dot(fixed, kept)};
            for (std::size_t j = 0; j < m; ++j)
                a[0].push_back(kept[W] * varied[j][W] + kept[V] * varied[j][V]);
            for (std::size_t i = 0; i < count; ++i)
                if (subset & (1U << i)) {
                    a.push_back(inequalities[i].g);
                    b.push_back(inequalities[i].h);
                }
            const std::optional<std::vector<double>> w = solveSquare(a, b);
            if (!w || !feasible(*w))
                continue;
            const Sums s = sumsAt(*w);
            const double cost = dot(objective->numerator, s) / dot(objective->denominator, s);
            least = least ? std::min(*least, cost) : cost;
        }
        return least;
    }

    bool feasible(const std::vector<double>& w) const
    {
        for (const Inequality& in : inequalities) {
            double lhs = 0;
            for (std::size_t j = 0; j < w.size(); ++j)
                lhs += in.g[j] * w[j];
            if (lhs < in.h - 1e-7 * std::max(1.0, std::abs(in.h)))
                return false;
        }
        return true;
    }
};

// num - T den >= 0 (or <= 0, as -(num - T den) >= 0), over the varied weights.
Inequality limitInequality(const TinyProblem& p, const Ratio& r, double bound, bool minimum)
{
    const double sign = minimum ? 1 : -1;
    Inequality in{{}, -sign * (dot(r.numerator, p.fixed) - bound * dot(r.denominator, p.fixed))};
    for (const Sums& s : p.varied)
        in.g.push_back(sign * (dot(r.numerator, s) - bound * dot(r.denominator, s)));
    return in;
}

TEST(OptimisationTest, RandomTinyProblemsMatchTheVertexSearch)
{
    int solved = 0, infeasible = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        test::RandomFormula random(seed);
        std::vector<std::pair<RowMaterialProps, double>> rows;
        for (int n = random.integer(3, 4); n > 0; --n)
            rows.emplace_back(random.material(), random.uniform(10, 300));
        const FormulaSheet sheet = sheetOf(rows);
        OptimiseSettings settings;
        settings.kept = random.chance(0.5) ? KeptTotal::Volume : KeptTotal::Weight;
        settings.objective = random.chance(0.5) ? CostObjective::PerGallon : CostObjective::PerPound;
        TinyProblem p;
        p.kept = {};
        p.kept[settings.kept == KeptTotal::Volume ? V : W] = 1;
        p.keptTotal = sheet.box(settings.kept == KeptTotal::Volume ? B::VolumeBox : B::WeightBox);
        p.objective = &ratios[settings.objective == CostObjective::PerGallon ? 6 : 7];
        const int variedCount = random.integer(2, 3);
        for (int n = 1; n <= static_cast<int>(rows.size()); ++n) {
            const Sums s = perPound(sheet.row(n).props);
            if (n <= variedCount) {
                const double maximum = random.chance(0.3) ? random.uniform(50, 400) : RowWeightLimit;
                settings.varied.push_back({n, 0, maximum});
                p.varied.push_back(s);
                std::vector<double> g(static_cast<std::size_t>(variedCount), 0);
                g[static_cast<std::size_t>(n - 1)] = 1;
                p.inequalities.push_back({g, 0});
                g[static_cast<std::size_t>(n - 1)] = -1;
                p.inequalities.push_back({g, -maximum});
            } else {
                for (int k = 0; k < SumCount; ++k)
                    p.fixed[k] += s[k] * sheet.weight(n);
            }
        }
        for (int l = random.integer(0, 2); l > 0; --l) {
            const Ratio& r = ratios[static_cast<std::size_t>(random.integer(0, 5))];
            const double present = sheet.box(B::VolumeBox) > 0
                ? figureValues(sheet)[static_cast<std::size_t>(figure(r.key))].value_or(1)
                : 1;
            const bool minimum = random.chance(0.5);
            const double bound = present * random.uniform(minimum ? 0.8 : 0.9, minimum ? 1.1 : 1.2);
            settings.limits.push_back({figure(r.key), minimum ? std::optional(bound) : std::nullopt,
                minimum ? std::nullopt : std::optional(bound)});
            p.inequalities.push_back(limitInequality(p, r, bound, minimum));
        }
        const std::optional<double> least = p.leastByVertices();
        const Result<OptimisedFormula> result = optimise(sheet, settings, solveLinearProgram);
        const std::string context = "seed " + std::to_string(seed);
        if (!least) {
            EXPECT_FALSE(result.ok()) << context;
            ++infeasible;
            continue;
        }
        ASSERT_TRUE(result.ok()) << context << ": " << result.problem();
        const int cost = settings.objective == CostObjective::PerGallon ? CostPerGallonFigure : CostPerPoundFigure;
        EXPECT_NEAR(result.value().after[static_cast<std::size_t>(cost)].value(), *least, 5e-4 * *least + 1e-3)
            << context;
        EXPECT_TRUE(result.value().missedAfterRounding.empty())
            << context << ": "
            << (result.value().missedAfterRounding.empty() ? "" : result.value().missedAfterRounding[0]);
        ++solved;
    }
    // Both outcomes were tried.
    EXPECT_GT(solved, 100);
    EXPECT_GT(infeasible, 10);
}

}  // namespace
