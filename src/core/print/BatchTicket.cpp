#include "core/print/BatchTicket.h"

#include "core/calc/Calculate.h"
#include "core/calc/Recalculation.h"
#include "core/calc/Scale.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <array>
#include <cmath>

namespace tintora {

namespace {

using enum TextStyle;

constexpr int HeadingLines = 10;
constexpr std::size_t DescriptionWidth = 17;
constexpr int NoteColumn = 5;
constexpr std::size_t NoteWidth = PrintoutColumns - NoteColumn;

struct TicketColumns {
    int step = 0, code = 5, description = 18, amount = 36, runningTotal = 46, gallons = 58, box = 69, lot = 73;
};
constexpr TicketColumns At{};

constexpr std::string_view LotBlank = "_______";

// Headings stand over their columns: a number's heading ends where the number ends.
std::string tableHeading()
{
    std::string heading(PrintoutColumns, ' ');
    const auto put = [&](int column, std::string_view text) { heading.replace(column, text.size(), text); };
    const auto putEndingAt = [&](int end, std::string_view text) { put(end - int(text.size()), text); };
    put(At.step, "STEP");
    put(At.code, "MATERIAL");
    put(At.description, "DESCRIPTION");
    putEndingAt(At.runningTotal, "AMOUNT LB");
    putEndingAt(At.gallons, "TOTAL LB");
    putEndingAt(At.box - 1, "GALLONS");
    put(At.box, "ADD");
    put(At.lot, "LOT");
    return heading;
}

struct QualityLine {
    std::string_view label;
    PropertyBox box;
    std::string_view unit;
};
constexpr std::array<QualityLine, 5> QualityLines{{
    {"DENSITY         :", PropertyBox::DensityBox, "LB/GAL"},
    {"SOLIDS WEIGHT   :", PropertyBox::SolidsWtBox, "%"},
    {"SOLIDS VOLUME   :", PropertyBox::SolidsVolBox, "%"},
    {"VOC             :", PropertyBox::VocBox, "G/L"},
    {"P/B RATIO       :", PropertyBox::PBBox, ""},
}};

DrawText at(int column, TextStyle style, std::string text)
{
    return {0, column, style, std::move(text)};
}

std::string unitText(std::string_view text)
{
    return asciiLower(trimBlanks(text));
}

PrintPage ticketHeading(const FormulaSheet& batch, const TicketHeading& heading, int pageNumber)
{
    const std::string lot = heading.lot.empty() ? std::string(12, '_') : heading.lot;
    return {
        {0, 34, BoldUnderline, "BATCH TICKET"},
        {2, 0, Bold, "FORMULA: "},
        {2, 9, Regular, heading.fileName},
        {2, 71, Bold, pageNumberText(pageNumber)},
        {3, 0, Regular, batch.name()},
        {5, 0, Bold, "BATCH LB :"},
        {5, 11, Regular, formatField(batch.box(PropertyBox::WeightBox), 3, 8, 14)},
        {5, 25, Bold, "BATCH GAL:"},
        {5, 36, Regular, formatField(batch.box(PropertyBox::VolumeBox), 3, 8, 14)},
        {5, 50, Bold, "DATE:"},
        {5, 56, Regular, heading.dateText},
        {6, 0, Bold, "LOT      :"},
        {6, 11, Regular, lot},
        {8, 0, Bold, tableHeading()},
        {9, 0, Regular, std::string(PrintoutColumns, '-')},
    };
}

std::string blankOrNumber(double value, int width)
{
    return value == 0 ? std::string() : formatField(value, 3, width, width);
}

PrintBlock stepBlock(const FormulaSheet& batch, int row, int step, double runningTotal)
{
    const double amount = batch.weight(row);
    const double gallons = batch.volume(row);
    // The code is drawn after the description, so a long code stays whole.
    return {{{
        at(At.step, Regular, formatFixed(step, 0, 4)),
        at(At.description, Regular, shortenedText(batch.cell(Column::Description, row), DescriptionWidth)),
        at(At.code, Regular, batch.cell(Column::Material, row)),
        at(At.amount, Regular, blankOrNumber(amount, 10)),
        at(At.runningTotal, Regular, formatField(runningTotal, 3, 12, 12)),
        at(At.gallons, Regular, blankOrNumber(gallons, 10)),
        at(At.box, Regular, "[ ]"),
        at(At.lot, Regular, std::string(LotBlank)),
    }}};
}

// A note is an instruction to the plant: printed whole, over several lines
// when it is longer than a line, broken after a blank where there is one.
PrintBlock noteBlock(std::string_view note)
{
    PrintBlock block;
    std::string rest(note);
    while (!rest.empty()) {
        std::string part = utf8Prefix(rest, NoteWidth);
        if (part.size() < rest.size()) {
            const std::size_t blank = part.find_last_of(' ');
            if (blank != std::string::npos && blank > 0)
                part.resize(blank + 1);
        }
        rest.erase(0, part.size());
        block.lines.push_back({at(NoteColumn, Bold, std::string(trimBlanks(part)))});
    }
    return block;
}

std::vector<PrintBlock> rowBlocks(const FormulaSheet& batch)
{
    std::vector<PrintBlock> blocks;
    double runningTotal = 0;
    int step = 0;
    for (int r = 1; r <= SheetRowCount; ++r) {
        const std::string& code = batch.cell(Column::Material, r);
        const std::string& description = batch.cell(Column::Description, r);
        if (!code.empty()) {
            runningTotal += batch.weight(r);
            blocks.push_back(stepBlock(batch, r, ++step, runningTotal));
        } else if (!description.empty())
            blocks.push_back(noteBlock(description));
    }
    return blocks;
}

// The targets the batch is checked against, and the signatures, on one page.
PrintBlock qualityBlock(const FormulaSheet& formula)
{
    PrintBlock block;
    block.lines.emplace_back();
    block.lines.push_back({at(0, Bold, "QUALITY"), at(18, Bold, "  TARGET")});
    for (const QualityLine& q : QualityLines)
        block.lines.push_back(
            {at(0, Regular, std::string(q.label)), at(18, Regular, formatField(formula.box(q.box), 3, 8, 10)),
                at(28, Regular, std::string(q.unit)), at(40, Regular, "Measured: ________")});
    block.lines.emplace_back();
    block.lines.emplace_back();
    block.lines.push_back({at(0, Regular, "Made by ______________  Date __________  Checked by ______________")});
    return block;
}

}  // namespace

std::optional<BatchSize> parseBatchSize(std::string_view text)
{
    const std::string_view trimmed = trimBlanks(text);
    const std::size_t unitStart = trimmed.find_first_not_of("0123456789.+-eE ");
    if (unitStart == std::string_view::npos || unitStart == 0)
        return std::nullopt;
    const std::string unit = unitText(trimmed.substr(unitStart));
    const auto amount = parseNumberText(trimBlanks(trimmed.substr(0, unitStart)));
    if (!amount || trimBlanks(trimmed.substr(0, unitStart)).empty())
        return std::nullopt;
    if (unit == "lb" || unit == "lbs")
        return BatchSize{*amount, BatchUnit::Pounds};
    if (unit == "gal")
        return BatchSize{*amount, BatchUnit::Gallons};
    return std::nullopt;
}

namespace {

ScaleKind scaleKindOf(BatchUnit unit)
{
    return unit == BatchUnit::Gallons ? ScaleKind::Volume : ScaleKind::Weight;
}

// The row whose weight reaches the row limit first: the heaviest.
int heaviestRow(const FormulaSheet& formula)
{
    int heaviest = 1;
    for (int r = 2; r <= SheetRowCount; ++r)
        if (formula.weight(r) > formula.weight(heaviest))
            heaviest = r;
    return heaviest;
}

// Names the material that would break the row limit and the batch that fits.
std::string rowLimitRefusal(const FormulaSheet& formula, BatchUnit unit)
{
    const std::string code(trimBlanks(formula.cell(Column::Material, heaviestRow(formula))));
    return code + " would weigh more than the row limit of " + formatThreeDecimals(RowWeightLimit)
        + " lb. The largest batch that fits is " + formatThreeDecimals(largestBatch(formula, unit))
        + (unit == BatchUnit::Gallons ? " gal." : " lb.");
}

}  // namespace

double largestBatch(const FormulaSheet& formula, BatchUnit unit)
{
    const double heaviest = formula.weight(heaviestRow(formula));
    const ScalePlan now = planScale(formula, scaleKindOf(unit), 1);
    if (!(heaviest > 0) || !(now.factor > 0) || !std::isfinite(now.factor))
        return 0;
    // At a factor of limit / heaviest the heaviest row is at the limit; the
    // rounding of the other rows can put the total a few thousandths off.
    // (The millionth keeps the quotient's last binary digit from costing a thousandth.)
    double largest = std::floor(RowWeightLimit / heaviest / now.factor * 1000 + 1e-6) / 1000;
    for (int step = 0; step < 1000 && largest > 0 && !planScale(formula, scaleKindOf(unit), largest).refusal.empty();
         ++step)
        largest = roundToThreeDecimals(largest - 0.001);
    return std::max(largest, 0.0);
}

BatchPlan planBatch(const FormulaSheet& formula, BatchSize size)
{
    BatchPlan plan{formula, {}};
    const bool byVolume = size.unit == BatchUnit::Gallons;
    if (!(size.amount > 0) || !std::isfinite(size.amount)) {
        plan.refusal = "The batch size must be above 0.";
        return plan;
    }
    if (byVolume && !volumeOfEveryWeighedMaterialKnown(formula)) {
        plan.refusal = NoSpecificGravityRefusal;
        return plan;
    }
    const ScalePlan scale = planScale(formula, scaleKindOf(size.unit), size.amount);
    if (!scale.refusal.empty()) {
        plan.refusal = scale.refusal == ScaleRowLimitRefusal ? rowLimitRefusal(formula, size.unit) : scale.refusal;
        return plan;
    }
    for (int r = 1; r <= SheetRowCount; ++r)
        if (const auto& w = scale.weights[r - 1])
            plan.batch.setCell(Column::Weight, r, formatCell(*w));
    Calculate(plan.batch);
    return plan;
}

std::vector<PrintPage> BatchTicketPages(
    const FormulaSheet& formula, const FormulaSheet& batch, const TicketHeading& heading, int linesPerPage)
{
    std::vector<PrintBlock> blocks = rowBlocks(batch);
    // The rule closes the table on the page of its last line; the quality
    // block, when it does not fit there, starts the next page under its heading.
    blocks.push_back({{{at(0, Regular, std::string(PrintoutColumns, '-'))}}});
    blocks.push_back(qualityBlock(formula));
    const PageHeading pageHeading = [&](int page) { return ticketHeading(batch, heading, page); };
    return paginate(pageHeading, HeadingLines, blocks, linesPerPage);
}

}  // namespace tintora
