#include "core/print/BatchTicket.h"

#include "core/calc/Calculate.h"
#include "core/print/MaterialsPrintout.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tintora {
namespace {

// The step lines' amounts and running totals as printed, over all pages.
struct PrintedSteps {
    std::vector<double> amounts, runningTotals;
    std::vector<int> pageNumbersSeen;
};

PrintedSteps printedSteps(const std::vector<PrintPage>& pages)
{
    PrintedSteps steps;
    for (const PrintPage& page : pages)
        for (const DrawText& t : page) {
            if (t.line >= 10 && t.column == 36 && !t.text.empty())
                steps.amounts.push_back(numberFromText(t.text));
            if (t.line >= 10 && t.column == 46)
                steps.runningTotals.push_back(numberFromText(t.text));
            if (t.text.starts_with("PAGE:"))
                steps.pageNumbersSeen.push_back(static_cast<int>(numberFromText(t.text.substr(5))));
        }
    return steps;
}

FormulaSheet randomFormula(std::mt19937& random)
{
    std::uniform_int_distribution<int> rows(1, SheetRowCount);
    std::uniform_real_distribution<double> weight(0.05, 900), spec(0.7, 4.5);
    FormulaSheet sheet;
    const int used = rows(random);
    for (int r = 1; r <= used; ++r) {
        if (random() % 5 == 0) {  // a note between the steps
            sheet.setCell(Column::Description, r, std::string("Mix ").append(std::to_string(r)).append(" minutes"));
            continue;
        }
        sheet.setCell(Column::Material, r, std::string("M").append(std::to_string(r)));
        sheet.setCell(Column::Description, r, std::string("Material ").append(std::to_string(r)));
        sheet.setCell(Column::Weight, r, formatCell(weight(random)));
        sheet.row(r).RowKind = true;
        sheet.row(r).props.Spec = spec(random);
    }
    Calculate(sheet);
    return sheet;
}

// On random formulas, sizes and page heights: the amounts add up to the batch,
// the last running total is the batch weight (and in gallons the batch volume
// is the size), every page is numbered in turn.
TEST(BatchTicketTest, AmountsAndRunningTotalAddUpToTheBatchOnEveryFormula)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> size(1, 20000);
    std::uniform_int_distribution<int> pageLines(12, 70);
    int ticketsPrinted = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const FormulaSheet formula = randomFormula(random);
        const BatchSize batchSize{
            roundToThreeDecimals(size(random)), trial % 2 ? BatchUnit::Gallons : BatchUnit::Pounds};
        const BatchPlan plan = planBatch(formula, batchSize);
        if (!plan.refusal.empty())
            continue;
        ++ticketsPrinted;
        const auto pages = BatchTicketPages(formula, plan.batch, {"f.tfx", "1/2/26", ""}, pageLines(random));
        const PrintedSteps steps = printedSteps(pages);
        const double batchWeight = plan.batch.box(PropertyBox::WeightBox);
        ASSERT_FALSE(steps.runningTotals.empty());
        EXPECT_EQ(formatThreeDecimals(steps.runningTotals.back()), formatThreeDecimals(batchWeight));
        double sum = 0;
        for (double a : steps.amounts)
            sum += a;
        EXPECT_EQ(formatThreeDecimals(sum), formatThreeDecimals(batchWeight));
        const PropertyBox sized = batchSize.unit == BatchUnit::Pounds ? PropertyBox::WeightBox : PropertyBox::VolumeBox;
        EXPECT_EQ(formatThreeDecimals(plan.batch.box(sized)), formatThreeDecimals(batchSize.amount));
        for (std::size_t p = 0; p < steps.pageNumbersSeen.size(); ++p)
            EXPECT_EQ(steps.pageNumbersSeen[p], static_cast<int>(p) + 1);
        EXPECT_EQ(steps.pageNumbersSeen.size(), pages.size());
    }
    EXPECT_GT(ticketsPrinted, 300);
}

TEST(BatchTicketTest, SizesAndRefusals)
{
    struct Case {
        const char* text;
        bool parses;
        double amount;
        BatchUnit unit;
    };
    for (const Case& c : std::vector<Case>{{"500lb", true, 500, BatchUnit::Pounds},
             {" 55.5 GAL", true, 55.5, BatchUnit::Gallons}, {"12 lbs", true, 12, BatchUnit::Pounds},
             {"500", false, 0, {}}, {"lb", false, 0, {}}, {"5kg", false, 0, {}}, {"1,5lb", false, 0, {}}}) {
        const auto size = parseBatchSize(c.text);
        ASSERT_EQ(size.has_value(), c.parses) << c.text;
        if (size) {
            EXPECT_EQ(size->amount, c.amount) << c.text;
            EXPECT_EQ(size->unit, c.unit) << c.text;
        }
    }
    std::mt19937 random(7);
    FormulaSheet formula = randomFormula(random);
    EXPECT_EQ(planBatch(formula, {0, BatchUnit::Pounds}).refusal, "The batch size must be above 0.");
    // Too large a batch names the material and the largest batch that fits.
    for (const BatchUnit unit : {BatchUnit::Pounds, BatchUnit::Gallons}) {
        const double largest = largestBatch(formula, unit);
        ASSERT_GT(largest, 0);
        EXPECT_TRUE(planBatch(formula, {largest, unit}).refusal.empty());
        const std::string refused = planBatch(formula, {largest + 0.01, unit}).refusal;
        EXPECT_NE(refused.find(" would weigh more than the row limit of 99999.999 lb. The largest batch that fits is "
                      + formatThreeDecimals(largest)),
            std::string::npos)
            << refused;
    }
    EXPECT_EQ(planBatch(FormulaSheet{}, {100, BatchUnit::Pounds}).refusal, "The formula has no weight to scale.");
    formula.row(1).props.Spec = 0;
    formula.row(1).RowKind = true;
    formula.setCell(Column::Material, 1, "nospec");
    formula.setCell(Column::Weight, 1, "1");
    EXPECT_EQ(planBatch(formula, {100, BatchUnit::Gallons}).refusal, "A material has no specific gravity.");
}

// Long printouts: every page repeats the heading and the rows continue in order.
TEST(MaterialsPrintoutTest, HeadingsOnEveryPageAndEveryMaterialOnce)
{
    std::vector<MaterialListEntry> entries;
    for (int i = 0; i < 95; ++i)
        entries.push_back({std::string("m").append(std::to_string(1000 + i)),
            i == 40 ? std::nullopt : std::optional<Material>(Material{})});
    const auto pages = MaterialsPrintPages(entries, {"/x", "d"}, 30);
    std::vector<std::string> codes;
    for (const PrintPage& page : pages) {
        const std::string text = renderPageAsText(page);
        EXPECT_NE(text.find("CODE         NAME"), std::string::npos);
        EXPECT_NE(text.find("Vol_Wt"), std::string::npos);
        for (const DrawText& t : page)
            if (t.column == 0 && t.text.starts_with("m1"))
                codes.push_back(t.text);
        EXPECT_LE(renderPageAsText(page).size(), 30u * 81u);
    }
    ASSERT_EQ(codes.size(), entries.size());
    for (std::size_t i = 0; i < codes.size(); ++i)
        EXPECT_EQ(codes[i], entries[i].code);
    EXPECT_NE(renderPagesAsText(pages).find("m1040        (cannot be read)"), std::string::npos);
}

}  // namespace
}  // namespace tintora
