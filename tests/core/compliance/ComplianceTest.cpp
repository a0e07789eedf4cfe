// The EU VOC content, CPVC and Λ worked by hand, the EU content against the
// US figure on random formulas with nothing exempt, the limits table with
// broken sections, and the verdict that is "within" only on known figures.
#include "core/compliance/Compliance.h"

#include "../calc/RandomFormula.h"
#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tintora;

namespace {

struct Row {
    const char* code;
    RowMaterialProps props;
    double weight;
};

FormulaSheet sheetOf(const std::vector<Row>& rows)
{
    FormulaSheet sheet;
    for (int n = 1; n <= static_cast<int>(rows.size()); ++n) {
        const Row& r = rows[static_cast<std::size_t>(n - 1)];
        sheet.setCell(Column::Material, n, r.code);
        sheet.setCell(Column::Weight, n, formatCell(r.weight));
        sheet.row(n).RowKind = r.props.Spec != 0;
        sheet.row(n).props = r.props;
    }
    Calculate(sheet);
    return sheet;
}

RowMaterialProps pigment(double spec, std::optional<double> oilAbsorption)
{
    RowMaterialProps p{.Spec = spec, .Pig_Wt = 1, .Pig_Vol = 1};
    p.Oil_Abs = oilAbsorption;
    return p;
}

const RowMaterialProps water{.Spec = 1, .Vol_Wt = 1, .Vol_Vol = 1};
const RowMaterialProps glycol{.Spec = 1.036, .Vol_Wt = 1, .Vol_Vol = 1, .Voc_Wt = 1, .Voc_Vol = 1};
// Exempt in the US, VOC in the EU.
const RowMaterialProps acetone{.Spec = 0.79, .Vol_Wt = 1, .Vol_Vol = 1, .EUVoc_Wt = 1};
const RowMaterialProps resin{.Spec = 1.1, .Cost = 2, .Vol_Wt = 0.5, .Vol_Vol = 0.55};

TEST(ComplianceTest, EuVocContentWorkedByHand)
{
    // Volumes as the cells show them: 6.000 + 1.158 + 0.759 + 1.024 = 8.941 gal;
    // VOC: the glycol's 10 lb and the acetone's 5 lb; 15 / 8.941 × 119.826.
    const FormulaSheet sheet = sheetOf(
        {{"water", water, 50}, {"glycol", glycol, 10}, {"acetone", acetone, 5}, {"tio2", pigment(4.1, 18), 35}});
    EXPECT_NEAR(euVocContent(sheet).value(), 201.0278, 1e-4);
    EXPECT_EQ(lackingEuVoc(sheet), (std::vector<std::string>{"water", "glycol", "tio2"}));
}

TEST(ComplianceTest, CriticalPvcOfOnePigmentIsTheClosedForm)
{
    // CPVC = 1 / (1 + OA·ρ/93.5) for a single pigment; Λ = PVC / CPVC.
    for (const auto& [spec, oil] : {std::pair{4.1, 18.0}, {2.7, 17.0}, {2.58, 29.0}, {5.1, 22.0}}) {
        const FilmBuild film = filmBuild(sheetOf({{"resin", resin, 500}, {"pigment", pigment(spec, oil), 1000}}));
        const double closedForm = 100 / (1 + oil * spec / 93.5);
        EXPECT_NEAR(film.cpvc.value(), closedForm, 2e-3) << spec;
        EXPECT_NEAR(film.lambda.value(), film.pvc.value() / film.cpvc.value(), 1e-9) << spec;
    }
}

TEST(ComplianceTest, UnusableOilAbsorptionLeavesTheFiguresUnknown)
{
    for (const std::optional<double> oil : {std::optional<double>(), std::optional(0.0), std::optional(-5.0),
             std::optional(std::numeric_limits<double>::quiet_NaN())}) {
        const FilmBuild film = filmBuild(
            sheetOf({{"resin", resin, 500}, {"tio2", pigment(4.1, 18), 100}, {"odd", pigment(2.7, oil), 50}}));
        EXPECT_FALSE(film.cpvc);
        EXPECT_FALSE(film.lambda);
        EXPECT_EQ(film.lackingOilAbsorption, std::vector<std::string>{"odd"});
        EXPECT_TRUE(film.pvc);
    }
}

// With every volatile a VOC and no EU key, the two contents differ only by
// the two factors' last digits (119.83 against 119.826).
TEST(ComplianceTest, EuContentEqualsTheUsFigureWithoutWaterOrExemptSolvents)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        test::RandomFormula random(seed);
        std::vector<Row> rows;
        for (int n = random.integer(1, 6); n > 0; --n) {
            RowMaterialProps p = random.material();
            p.Voc_Wt = p.Vol_Wt;
            p.Voc_Vol = p.Vol_Vol;
            rows.push_back({"m", p, random.uniform(10, 500)});
        }
        const FormulaSheet sheet = sheetOf(rows);
        const double us = sheet.box(PropertyBox::VocBox);
        EXPECT_NEAR(euVocContent(sheet).value(), us, us * 6e-5 + 2e-3) << seed;
    }
}

TEST(ComplianceTest, LimitsTableSkipsBrokenSectionsByName)
{
    const IniFile file = IniFile::parse("[Good]\nName=Good paint\nWB=30\nSB=300\nBasis=EU\n"
                                        "[Negative]\nWB=-1\nSB=30\nBasis=EU\n"
                                        "[Empty]\nWB=\nSB=30\nBasis=US\n"
                                        "[Word]\nWB=thirty\nSB=30\nBasis=US\n"
                                        "[NoBasis]\nWB=1\nSB=2\n"
                                        "[good]\nWB=999\nSB=999\nBasis=US\n"
                                        "[Regional]\nWB=50\nSB=250\nBasis=us\n");
    const VocLimitsTable table = vocLimitsOf(file);
    ASSERT_EQ(table.categories.size(), 2U);
    EXPECT_EQ(table.find("good")->waterBorne, 30);
    EXPECT_EQ(table.find("Regional")->basis, VocBasis::US);
    EXPECT_EQ(table.problems.size(), 5U);
    for (const char* named : {"[good] appears twice", "[Negative]", "[Empty]", "[Word]", "[NoBasis]"})
        EXPECT_TRUE(std::any_of(table.problems.begin(), table.problems.end(), [&](const std::string& p) {
            return p.find(named) != std::string::npos;
        })) << named;
}

TEST(ComplianceTest, ShippedTableAndUnreadableTables)
{
    const VocLimitsTable shipped = readVocLimits(TINTORA_SAMPLES "/voc-limits.ini");
    EXPECT_EQ(shipped.categories.size(), 12U);
    EXPECT_TRUE(shipped.problems.empty());
    EXPECT_EQ(shipped.find("EU 2004/42/EC A/d")->solventBorne, 300);
    const VocLimitsTable missing = readVocLimits("/nonexistent/voc-limits.ini");
    EXPECT_TRUE(missing.categories.empty());
    ASSERT_EQ(missing.problems.size(), 1U);
    std::string huge;
    for (int i = 0; i < 100000; ++i)
        huge += "[c" + std::to_string(i) + "]\nWB=1\n";
    EXPECT_TRUE(vocLimitsOf(IniFile::parse(huge)).categories.empty());
}

TEST(ComplianceTest, VerdictIsWithinOnlyOnKnownFigures)
{
    const VocCategory eu{"EU A/d", "trim", 130, 300, VocBasis::EU};
    // Less water, the glycol's 10 lb over 2.182 gal: 549 g/L.
    const VocCategory us{"US", "regional", 50, 600, VocBasis::US};
    const FormulaSheet paint = sheetOf({{"water", water, 50}, {"glycol", glycol, 10}, {"tio2", pigment(4.1, 18), 35}});
    FormulaSheet missing = paint;
    missing.setCell(Column::Material, 5, "gone");
    missing.setCell(Column::Weight, 5, formatCell(5));
    Calculate(missing);
    using S = VocVerdict::State;
    const struct {
        const FormulaSheet* sheet;
        const VocCategory* category;
        std::optional<ProductType> type;
        S state;
        const char* words;
    } cases[] = {
        {&paint, &eu, ProductType::WaterBorne, S::Over, "Over the limit by "},
        {&paint, &eu, ProductType::SolventBorne, S::Within, "Within the limit: "},
        {&paint, &us, ProductType::SolventBorne, S::Within, "Within the limit: "},
        {&missing, &eu, ProductType::SolventBorne, S::Unknown, "Unknown: a material"},
        {&missing, &us, ProductType::SolventBorne, S::Unknown, "Unknown: a material"},
        {&paint, nullptr, ProductType::WaterBorne, S::NoCategory, "No category"},
        {&paint, &eu, std::nullopt, S::NoCategory, "No category"},
    };
    for (const auto& c : cases) {
        const VocVerdict verdict = vocVerdict(*c.sheet, c.category, c.type);
        EXPECT_EQ(verdict.state, c.state) << verdict.words;
        EXPECT_EQ(verdict.words.rfind(c.words, 0), 0U) << verdict.words;
        if (c.state == S::Within || c.state == S::Over) {
            EXPECT_NEAR(*verdict.margin, *verdict.limit - *verdict.voc, 1e-12);
        }
    }
}

}  // namespace
