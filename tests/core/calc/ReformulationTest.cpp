// Targets for the ratio properties on the marked rows, and scaling the whole
// formula: fixed cases worked by hand, then random formulas.
#include "core/calc/PigmentVolumeConcentration.h"
#include "core/calc/Recalculation.h"
#include "core/calc/Scale.h"

#include "RandomFormula.h"
#include "ScriptedSeams.h"
#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <regex>

using namespace tintora;
using tintora::test::BoxKind;
using tintora::test::Message;
using tintora::test::RandomFormula;
using tintora::test::ScriptedKeypad;
using tintora::test::ScriptedPrompter;
using Q = RecalcQuantity;
using B = PropertyBox;
using Messages = std::vector<Message>;

namespace {

constexpr Q ratioQuantities[] = {Q::BinderByWeight, Q::BinderByVolume, Q::PigmentByWeight, Q::PigmentByVolume,
    Q::SolidsByWeight, Q::SolidsByVolume, Q::VolatileByWeight, Q::VolatileByVolume, Q::Density, Q::SPG, Q::Voc,
    Q::PBRatio, Q::EuVoc, Q::Lambda};

std::vector<Q> allQuantities()
{
    std::vector<Q> all;
    for (int q = 0; q < RecalcQuantityCount; ++q)
        all.push_back(Q(q));
    return all;
}

// Cells, marks, kinds, properties and figures; the name stays out of these tests.
void expectSameSheet(const FormulaSheet& actual, const FormulaSheet& expected, const std::string& context)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        EXPECT_EQ(actual.row(n).cells, expected.row(n).cells) << context << ", row " << n;
        EXPECT_EQ(actual.row(n).marked, expected.row(n).marked) << context << ", row " << n;
    }
    for (int b = 0; b < PropertyBoxCount; ++b)
        EXPECT_EQ(actual.box(B(b)), expected.box(B(b))) << context << ", " << propertyBoxName(B(b));
}

double weightOf(const FormulaSheet& sheet, int n)
{
    return numberFromText(sheet.cell(Column::Weight, n));
}

// The property as its box (or the compliance figure) shows it once the marked
// material rows are scaled by k and every other weighed row is scaled by keep
// (0 removes them); 0 while unknown.
double boxAfterScaling(FormulaSheet sheet, Q quantity, double k, double keep = 1)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& row = sheet.row(n);
        const double f = row.RowKind && row.marked ? k : keep;
        sheet.setCell(Column::Weight, n, formatCell(f * weightOf(sheet, n)));
    }
    Calculate(sheet);
    return recalcFigure(quantity, sheet).value_or(0);
}

// A random formula whose materials carry the optional keys, so that its EU
// VOC and Λ are known where no material is missing.
FormulaSheet withComplianceKeys(FormulaSheet sheet)
{
    for (int n = 1; n <= SheetRowCount; ++n) {
        RowMaterialProps& p = sheet.row(n).props;
        p.Oil_Abs = 12 + 3 * n;
        if (n % 2 == 0)
            p.EUVoc_Wt = p.Voc_Wt * 0.8;
    }
    Calculate(sheet);
    return sheet;
}

// The EU VOC and Λ are unknown while a material is missing: refused before
// any target, as the fixed cases show.
bool figureKnown(const FormulaSheet& sheet, Q quantity)
{
    return recalcFigure(quantity, sheet).has_value();
}

class ReformulationTest : public ::testing::Test {
public:
    void putMaterial(int n, double weight, RowMaterialProps props, bool marked = false)
    {
        SheetRow& row = sheet.row(n);
        row.RowKind = true;
        row.props = props;
        row.marked = marked;
        sheet.setCell(Column::Material, n, std::string("m").append(std::to_string(n)));
        sheet.setCell(Column::Weight, n, formatCell(weight));
    }
    void putMissingMaterial(int n, double weight, bool marked)
    {
        sheet.setCell(Column::Material, n, "gone");
        sheet.setCell(Column::Description, n, "Material not found");
        sheet.setCell(Column::Weight, n, formatCell(weight));
        sheet.row(n).marked = marked;
    }
    void ready()
    {
        Calculate(sheet);
        sheet.SheetModified = false;
        before = sheet;
    }
    RecalcOutcome recalc(Q quantity, double target)
    {
        keypad.answers.push_back(formatThreeDecimals(target));
        return Recalculate(quantity, sheet, calculator, prompter, keypad);
    }

    FormulaSheet sheet;
    FormulaSheet before;
    CalculatorState calculator;
    ScriptedPrompter prompter;
    ScriptedKeypad keypad;
};

// Half of it volatile (by weight and by volume), water-heavy.
RowMaterialProps halfVolatile()
{
    return {1, 2, 0.5, 0.5, 0, 0, 0, 0};
}
RowMaterialProps fifthVolatile()
{
    return {1, 3, 0.2, 0.2, 0.1, 0.1, 0, 0};
}

TEST_F(ReformulationTest, EachTargetOpensTheKeypadWithItsCaptionAndCurrentValue)
{
    const std::pair<Q, const char*> captions[] = {
        {Q::BinderByWeight, "Binder by Weight"},
        {Q::BinderByVolume, "Binder by Volume"},
        {Q::PigmentByWeight, "Pigment by Weight"},
        {Q::PigmentByVolume, "Pigment by Volume"},
        {Q::SolidsByWeight, "Solids by Weight"},
        {Q::SolidsByVolume, "Solids by Volume"},
        {Q::VolatileByWeight, "Volatile by Weight"},
        {Q::VolatileByVolume, "Volatile by Volume"},
        {Q::Density, "Density"},
        {Q::SPG, "SPG"},
        {Q::Voc, "VOC"},
        {Q::PBRatio, "P/B Ratio"},
        {Q::EuVoc, "EU VOC"},
        {Q::Lambda, "Λ"},
    };
    RowMaterialProps props = fifthVolatile();
    props.Oil_Abs = 20;
    putMaterial(1, 100, props, true);
    ready();
    for (const auto& [quantity, caption] : captions) {
        keypad.answers.push_back(std::nullopt);
        EXPECT_EQ(Recalculate(quantity, sheet, calculator, prompter, keypad), RecalcOutcome::Cancelled);
        EXPECT_EQ(keypad.calls.back().caption, caption);
        EXPECT_EQ(keypad.calls.back().display, formatPartner(*recalcFigure(quantity, sheet)));
        // the box's double-click starts the same target; no box shows the compliance figures
        const std::optional<B> box = recalcBox(quantity);
        EXPECT_EQ(box.has_value(), quantity != Q::EuVoc && quantity != Q::Lambda);
        if (box) {
            EXPECT_EQ(recalcQuantityOfBox(*box), quantity);
        }
    }
    EXPECT_EQ(keypad.displays()[4], "80.00");  // solids by weight
    EXPECT_EQ(keypad.displays()[11], "0.14");  // 10 lb pigment on 70 lb binder
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ReformulationTest, TheButtonsFollowThePercentBasis)
{
    const BasisProperty properties[] = {BasisProperty::Cost, BasisProperty::Binder, BasisProperty::Pigment,
        BasisProperty::Solids, BasisProperty::Volatile};
    const B weightPanel[] = {B::CostWtBox, B::BinderWtBox, B::PigmentWtBox, B::SolidsWtBox, B::VolatileWtBox};
    const B volumePanel[] = {B::CostVolBox, B::BinderVolBox, B::PigmentVolBox, B::SolidsVolBox, B::VolatileVolBox};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(recalcBox(quantityFor(properties[i], PercentBasis::Weight)), weightPanel[i]);
        EXPECT_EQ(recalcBox(quantityFor(properties[i], PercentBasis::Volume)), volumePanel[i]);
    }
}

// Fixed cases worked by hand: two materials of 100 lb, solids 50 % and 80 %.
struct TargetCase {
    const char* name;
    Q quantity;
    double target;
    Messages messages;
    const char* markedWeightAfter;  // row 2
    void (*arrange)(ReformulationTest&);
};

class TargetCaseTest : public ReformulationTest, public ::testing::WithParamInterface<TargetCase> { };

TEST_P(TargetCaseTest, ReachesOrRefusesAsWorkedByHand)
{
    const TargetCase& c = GetParam();
    putMaterial(1, 100, halfVolatile());
    putMaterial(2, 100, fifthVolatile(), true);
    c.arrange(*this);
    ready();
    const RecalcOutcome outcome = recalc(c.quantity, c.target);
    EXPECT_EQ(prompter.shown, c.messages);
    if (c.messages.empty()) {
        EXPECT_EQ(outcome, RecalcOutcome::Reached);
        EXPECT_NEAR(*recalcFigure(c.quantity, sheet), c.target, RecalcTolerance);
    } else {
        EXPECT_EQ(outcome, RecalcOutcome::Refused);
        expectSameSheet(sheet, before, c.name);
        EXPECT_FALSE(sheet.SheetModified);
    }
    EXPECT_EQ(sheet.cell(Column::Weight, 2), c.markedWeightAfter);
    EXPECT_EQ(sheet.cell(Column::Weight, 1), " 100.000");
}

const TargetCase targetCases[] = {
    // (50 + 80 k) / (1 + k) = 70 gives k = 2
    {"SolidsByVolumeReached", Q::SolidsByVolume, 70, {}, " 200.000", [](ReformulationTest&) {}},
    {"SolidsByVolumeBeyondTheMarkedRow", Q::SolidsByVolume, 90,
        {{BoxKind::Error, "With the marked rows, Solids by volume can be set between 50.000 and 80.000."}}, " 100.000",
        [](ReformulationTest&) {}},
    {"SolidsByVolumeBelowTheUnmarkedRows", Q::SolidsByVolume, 50,
        {{BoxKind::Error, "With the marked rows, Solids by volume can be set between 50.000 and 80.000."}}, " 100.000",
        [](ReformulationTest&) {}},
    // no pigment without the marked row: anything below its 10 %
    {"PigmentFromNothing", Q::PigmentByWeight, 12,
        {{BoxKind::Error, "With the marked rows, Pigment by weight can be set below 10.000."}}, " 100.000",
        [](ReformulationTest&) {}},
    {"EveryMaterialMarked", Q::SolidsByWeight, 60,
        {{BoxKind::Error, "The marked rows cannot change Solids by weight."}}, " 100.000",
        [](ReformulationTest& t) { t.sheet.row(1).marked = true; }},
    {"OnlyAMissingMaterialMarked", Q::Density, 9, {{BoxKind::Error, "New value can not be obtained with selection."}},
        " 100.000",
        [](ReformulationTest& t) {
            t.sheet.row(2).marked = false;
            t.putMissingMaterial(3, 10, true);
        }},
    {"DensityWithoutSpecificGravity", Q::Density, 9, {{BoxKind::Error, "A material has no specific gravity."}},
        " 100.000",
        [](ReformulationTest& t) {
            t.putMaterial(3, 10, {0, 1, 0, 0, 0, 0, 0, 0});
        }},
    // a weight target by weight counts the row without specific gravity:
    // it is all solids: (5000 + 1000 + 8000 k) / (110 + 100 k) = 70 gives k = 1.7
    {"SolidsByWeightWithoutSpecificGravity", Q::SolidsByWeight, 70, {}, " 170.000",
        [](ReformulationTest& t) {
            t.putMaterial(3, 10, {0, 1, 0, 0, 0, 0, 0, 0});
        }},
    // the missing material stays and counts as all solids:
    // (50 + 100 + 80 k) / (2 + k) = 78 gives k = 3
    {"MissingMaterialCountsAsUnscaledSolids", Q::SolidsByWeight, 78, {}, " 300.000",
        [](ReformulationTest& t) { t.putMissingMaterial(3, 100, true); }},
    {"LambdaWithoutOilAbsorption", Q::Lambda, 0.5,
        {{BoxKind::Error, "Λ is unknown: no oil absorption (Oil_Abs) for \"m2\"."}}, " 100.000",
        [](ReformulationTest&) {}},
    {"EuVocWhileAMaterialIsMissing", Q::EuVoc, 50,
        {{BoxKind::Error, "EU VOC is unknown while a material is missing: \"gone\"."}}, " 100.000",
        [](ReformulationTest& t) { t.putMissingMaterial(3, 10, false); }},
    // v = 100 / 8.33334 gal a row: pigment 0.1 v k, its oil 2 k / (0.935 x 8.33334)
    // = 0.256684 k, solids (0.5 + 0.8 k) v: (0.1 v + 0.256684) k / ((0.5 + 0.8 k) v)
    // = 0.116 gives k = 2.028655
    {"LambdaReached", Q::Lambda, 0.116, {}, " 202.865",
        [](ReformulationTest& t) { t.sheet.row(2).props.Oil_Abs = 20; }},
    {"MarkedRowBeyondTheRowLimit", Q::SolidsByVolume, 79.999,
        {{BoxKind::Error, "A selected material exceeds row limit."}}, " 100.000", [](ReformulationTest&) {}},
};

INSTANTIATE_TEST_SUITE_P(Reformulation, TargetCaseTest, ::testing::ValuesIn(targetCases),
    [](const ::testing::TestParamInfo<TargetCase>& testInfo) { return std::string(testInfo.param.name); });

// A material with more volatile and pigment than weight (a faulty file) has a
// negative binder: p then has a pole, and a target inside the range may need
// a negative factor.
TEST(RatioTargetFactorTest, ANegativeFactorIsRefusedNotApplied)
{
    const RatioFactor found = ratioTargetFactor({10, 1}, {1, -0.5}, 5, "P/B ratio");
    EXPECT_EQ(found.refusal, "The marked rows would need a negative weight for this value.");
    EXPECT_DOUBLE_EQ(ratioTargetFactor({10, 1}, {1, 0.5}, 5, "P/B ratio").factor, 5.0 / 1.5);
}

// Random formulas and marks: a target drawn by scaling the marked rows by a
// random factor is reached within the tolerance, or the step is undone.
TEST_F(ReformulationTest, RandomReachableTargetsAreReachedOrUndone)
{
    int steps = 0, reached = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        RandomFormula random(seed);
        const FormulaSheet start = withComplianceKeys(random.sheet(random.integer(2, 30)));
        for (Q quantity : allQuantities()) {
            if (!figureKnown(start, quantity))
                continue;
            sheet = start;
            prompter.shown.clear();
            const double target = boxAfterScaling(start, quantity, random.uniform(0.3, 3));
            const std::string context = "seed " + std::to_string(seed) + ", " + recalcCaption(quantity);
            const RecalcOutcome outcome = recalc(quantity, target);
            ++steps;
            if (outcome == RecalcOutcome::Reached) {
                ++reached;
                EXPECT_NEAR(*recalcFigure(quantity, sheet), target, RecalcTolerance) << context;
                EXPECT_TRUE(prompter.shown.empty()) << context;
            } else if (outcome == RecalcOutcome::Unchanged) {
                // the target drawn was the offered figure itself: nothing to scale
                EXPECT_TRUE(prompter.shown.empty()) << context;
                expectSameSheet(sheet, start, context);
            } else if (outcome == RecalcOutcome::Undone) {
                EXPECT_EQ(prompter.shown, (Messages{{BoxKind::Error, "New value can not be obtained."}})) << context;
                expectSameSheet(sheet, start, context);
            } else {
                // only a property that the marks barely move may refuse a value it showed
                ASSERT_EQ(prompter.shown.size(), 1u) << context;
                EXPECT_NEAR(boxAfterScaling(start, quantity, 0), boxAfterScaling(start, quantity, 1, 0), 0.05)
                    << context << ": " << prompter.shown[0].text;
            }
        }
    }
    EXPECT_GT(reached, steps * 95 / 100);
}

// The reachable range named in a refusal: low (0 for "below") and high.
std::pair<double, double> namedRange(const std::string& message)
{
    std::smatch m;
    if (std::regex_match(message, m, std::regex("With the marked rows, .+ can be set between (\\S+) and (\\S+)\\.")))
        return {numberFromText(m[1].str()), numberFromText(m[2].str())};
    if (std::regex_match(message, m, std::regex("With the marked rows, .+ can be set below (\\S+)\\.")))
        return {0, numberFromText(m[1].str())};
    ADD_FAILURE() << "no range in: " << message;
    return {};
}

TEST_F(ReformulationTest, RandomUnreachableTargetsAreRefusedWithTheReachableRange)
{
    for (unsigned seed = 1; seed <= 120; ++seed) {
        RandomFormula random(seed);
        const FormulaSheet start = withComplianceKeys(random.sheet(random.integer(2, 30)));
        for (Q quantity : ratioQuantities) {
            if (!figureKnown(start, quantity))
                continue;
            const std::string context = "seed " + std::to_string(seed) + ", " + recalcCaption(quantity);
            // the property with the marked rows alone, and without them
            const double onlyMarked = boxAfterScaling(start, quantity, 1, 0);
            const double withoutMarked = boxAfterScaling(start, quantity, 0);
            const double low = std::min(onlyMarked, withoutMarked);
            const double high = std::max(onlyMarked, withoutMarked);
            for (double target : {high * 1.25 + 1, low / 2}) {
                if (target < 0.01)
                    continue;
                sheet = start;
                prompter.shown.clear();
                EXPECT_EQ(recalc(quantity, target), RecalcOutcome::Refused) << context << ", target " << target;
                expectSameSheet(sheet, start, context);
                ASSERT_EQ(prompter.shown.size(), 1u) << context;
                const auto [namedLow, namedHigh] = namedRange(prompter.shown[0].text);
                // the volume cells' three decimals move a ratio by a few parts in 10^4 (the VOC most: it divides by the
                // exempt volume)
                EXPECT_NEAR(namedLow, low, 0.02 + 5e-4 * low) << context << ": " << prompter.shown[0].text;
                EXPECT_NEAR(namedHigh, high, 0.02 + 5e-4 * high) << context << ": " << prompter.shown[0].text;
            }
        }
    }
}

// Scale: the refusals, each leaving the sheet as it was.
struct ScaleRefusal {
    const char* name;
    ScaleKind kind;
    std::optional<std::string> answer;
    Messages messages;
    bool keypadShown;
    void (*arrange)(ReformulationTest&);
};

class ScaleRefusalTest : public ReformulationTest, public ::testing::WithParamInterface<ScaleRefusal> { };

TEST_P(ScaleRefusalTest, LeavesTheSheetAsItWas)
{
    const ScaleRefusal& r = GetParam();
    r.arrange(*this);
    ready();
    keypad.answers.push_back(r.answer);
    const RecalcOutcome outcome = Scale(r.kind, sheet, calculator, prompter, keypad);
    EXPECT_EQ(outcome, r.messages.empty() ? RecalcOutcome::Cancelled : RecalcOutcome::Refused);
    EXPECT_EQ(prompter.shown, r.messages);
    EXPECT_EQ(keypad.calls.size(), r.keypadShown ? 1u : 0u);
    expectSameSheet(sheet, before, r.name);
    EXPECT_FALSE(sheet.SheetModified);
}

const ScaleRefusal scaleRefusals[] = {
    {"EmptyFormula", ScaleKind::Percent, "100", {{BoxKind::Information, "The formula has no weight to scale."}}, false,
        [](ReformulationTest& t) { t.sheet.setCell(Column::Description, 1, "just a note"); }},
    {"Cancelled", ScaleKind::Weight, std::nullopt, {}, true,
        [](ReformulationTest& t) { t.putMaterial(1, 100, halfVolatile()); }},
    {"ZeroTarget", ScaleKind::Volume, "0", {{BoxKind::Error, "New value can not be a negative or zero."}}, true,
        [](ReformulationTest& t) { t.putMaterial(1, 100, halfVolatile()); }},
    {"VolumeWithoutSpecificGravity", ScaleKind::Volume, "20", {{BoxKind::Error, "A material has no specific gravity."}},
        true,
        [](ReformulationTest& t) {
            t.putMaterial(1, 100, halfVolatile());
            t.putMaterial(2, 10, {0, 1, 0, 0, 0, 0, 0, 0});
        }},
    {"OnlyMissingMaterialsHaveNoVolume", ScaleKind::Volume, "20",
        {{BoxKind::Error, "The formula has no volume to scale."}}, true,
        [](ReformulationTest& t) { t.putMissingMaterial(1, 100, false); }},
    {"RowBeyondTheLimit", ScaleKind::Weight, "120000", {{BoxKind::Error, "A material exceeds row limit."}}, true,
        [](ReformulationTest& t) {
            t.putMaterial(1, 60000, halfVolatile());
            t.putMissingMaterial(2, 1, false);
        }},
    // 0.001 lb in all would leave the second row 0.00001 lb: shown as 0.000, then gone
    {"RowWouldLoseItsWeight", ScaleKind::Weight, "0.001",
        {{BoxKind::Error, "A material would weigh less than a thousandth of a pound."}}, true,
        [](ReformulationTest& t) {
            t.putMaterial(1, 100, halfVolatile());
            t.putMaterial(2, 1, fifthVolatile());
        }},
};

INSTANTIATE_TEST_SUITE_P(Reformulation, ScaleRefusalTest, ::testing::ValuesIn(scaleRefusals),
    [](const ::testing::TestParamInfo<ScaleRefusal>& testInfo) { return std::string(testInfo.param.name); });

struct Ratios {
    std::array<double, 6> values;
    static Ratios of(const FormulaSheet& s)
    {
        return {{s.box(B::DensityBox), s.box(B::SolidsWtBox), s.box(B::SolidsVolBox), s.box(B::VocBox), s.box(B::PBBox),
            pigmentVolumeConcentration(s).value_or(0)}};
    }
};

// Every weighed row by one factor: the ratios stay (within what rounding the
// rows to three decimals can move them), the total lands exactly.
TEST_F(ReformulationTest, ScaleKeepsEveryRatioAndLandsExactlyOnItsTarget)
{
    const char* ratioNames[] = {"density", "solids by weight", "solids by volume", "VOC", "P/B", "PVC"};
    for (unsigned seed = 1; seed <= 150; ++seed) {
        RandomFormula random(seed);
        const FormulaSheet start = random.sheet(random.integer(1, 30));
        const auto kind = ScaleKind(seed % 3);
        const double total = start.box(B::WeightBox);
        const double target = kind == ScaleKind::Percent ? 100
            : kind == ScaleKind::Weight                  ? random.uniform(100, 20000)
                                                         : random.uniform(12, 2000);
        sheet = start;
        prompter.shown.clear();
        keypad.answers.assign({formatThreeDecimals(target)});
        const std::string context = "seed " + std::to_string(seed) + ", " + scaleCaption(kind);
        ASSERT_EQ(Scale(kind, sheet, calculator, prompter, keypad), RecalcOutcome::Reached) << context;
        const B box = kind == ScaleKind::Volume ? B::VolumeBox : B::WeightBox;
        EXPECT_EQ(sheet.box(box), roundToThreeDecimals(target)) << context;
        const Ratios was = Ratios::of(start);
        const Ratios is = Ratios::of(sheet);
        // each row moves by at most half a thousandth of a pound, and its
        // volume cell as much in gallons: relative to the smaller formula
        const double smaller = std::min(total, sheet.box(B::WeightBox));
        const double relative = 0.0005 * SheetRowCount / smaller * 40;
        for (std::size_t i = 0; i < was.values.size(); ++i)
            EXPECT_NEAR(is.values[i], was.values[i], 0.002 + relative * was.values[i])
                << context << ", " << ratioNames[i];
        for (int n = 1; n <= SheetRowCount; ++n) {
            EXPECT_EQ(sheet.row(n).marked, start.row(n).marked) << context;
            EXPECT_EQ(sheet.cell(Column::Description, n), start.cell(Column::Description, n)) << context;
            EXPECT_EQ(sheet.cell(Column::Weight, n).empty(), start.cell(Column::Weight, n).empty()) << context;
        }
    }
}

TEST(ScalePlanTest, ThirtyEqualRowsLandOnAHundredPercent)
{
    FormulaSheet sheet;
    for (int n = 1; n <= 30; ++n) {
        sheet.row(n).RowKind = true;
        sheet.row(n).props.Spec = 1;
        sheet.setCell(Column::Weight, n, n == 7 ? "7" : "3");
    }
    Calculate(sheet);
    const ScalePlan plan = planScale(sheet, ScaleKind::Percent, 100);
    ASSERT_TRUE(plan.refusal.empty());
    EXPECT_DOUBLE_EQ(plan.factor, 100.0 / 94);
    // 3 * 100 / 94 = 3.19148... shows 3.191; the remainder goes to row 7
    EXPECT_EQ(plan.weights[0], 3.191);
    double sum = 0;
    for (const auto& w : plan.weights)
        sum += w.value_or(0);
    EXPECT_EQ(roundToThreeDecimals(sum), 100);
    EXPECT_EQ(plan.weights[6], roundToThreeDecimals(100 - 29 * 3.191));
    EXPECT_FALSE(plan.weights[30].has_value());
}

}  // namespace
