#include "core/calc/Calculate.h"

#include "core/text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tintora {

double NRound(int n, double x)
{
    const double scaled = x * n;
    if (!std::isfinite(scaled))
        return std::isfinite(x) ? x : 0;  // too large to carry four decimals anyway
    // nearbyint rounds half to even in the default rounding mode; a 32-bit
    // integer would overflow beyond about 214748.36, so no cast is made.
    return std::nearbyint(scaled) / n;
}

namespace {

using Totals = FormulaTotals;

// A material row with a weight gets a volume; a Spec of 0 (no usable specific
// gravity) gives no volume rather than an infinite one.
bool rowHasVolume(const SheetRow& row, double weight)
{
    return weight != 0 && row.RowKind && row.props.Spec != 0;
}

// Reads W from the Weight cell and rewrites the cell in its three-decimal
// form (empty for 0). Returns W as read, before the rewrite.
double readAndRewriteWeight(std::string& cell)
{
    const double w = numberFromText(cell);
    cell = w != 0 ? formatCell(w) : std::string();
    return w;
}

// Rewrites the Volume cell from the weight and returns V read back from it.
double rewriteVolume(SheetRow& row, double w)
{
    std::string& cell = row.cells[FormulaSheet::index(Column::Volume)];
    cell = rowHasVolume(row, w) ? formatCell(volumeOfWeight(w, row.props.Spec)) : std::string();
    return numberFromText(cell);
}

void accumulateRow(SheetRow& row, Totals& t)
{
    const RowMaterialProps& p = row.props;
    const double w = readAndRewriteWeight(row.cells[FormulaSheet::index(Column::Weight)]);
    t.TotalWeight += w;
    t.TotalCost += w * p.Cost;
    t.VolatileWeight += w * p.Vol_Wt;
    t.PigmentWeight += w * p.Pig_Wt;
    t.VocWeight += w * p.Voc_Wt;

    const double v = rewriteVolume(row, w);
    t.TotalVolume += v;
    t.VolatileVolume += v * p.Vol_Vol;
    t.PigmentVolume += v * p.Pig_Vol;
    t.VocVolume += v * p.Voc_Vol;
}

void fillBoxes(FormulaSheet& sheet, const Totals& t)
{
    using B = PropertyBox;
    sheet.setBox(B::WeightBox, t.TotalWeight);
    sheet.setBox(B::VolumeBox, t.TotalVolume);
    for (B b :
        {B::VocBox, B::SPGBox, B::PBBox, B::DensityBox, B::BinderWtBox, B::CostWtBox, B::PigmentWtBox, B::SolidsWtBox,
            B::VolatileWtBox, B::CostVolBox, B::BinderVolBox, B::PigmentVolBox, B::SolidsVolBox, B::VolatileVolBox})
        sheet.setBox(b, 0);

    const double tw = t.TotalWeight;
    const double tv = t.TotalVolume;
    if (tw != 0 && tw - t.VolatileWeight != 0)
        sheet.setBox(B::SolidsWtBox, (tw - t.VolatileWeight) / tw * 100);
    if (t.TotalCost != 0 && tv != 0)
        sheet.setBox(B::CostVolBox, t.TotalCost / tv);
    if (tw != 0 && tv != 0)
        sheet.setBox(B::DensityBox, tw / tv);
    const double d = NRound(10000, tv - (t.VolatileVolume - t.VocVolume));
    if (tv != 0 && d != 0)
        sheet.setBox(B::VocBox, std::abs(t.VocWeight / d * VocGramsPerLitreFactor));
    if (tw != 0 && tv != 0)
        sheet.setBox(B::SPGBox, tw / tv * SpgReciprocal);
    const double b = NRound(10000, tw - t.VolatileWeight - t.PigmentWeight);
    if (tw != 0 && t.PigmentWeight != 0 && b != 0)
        sheet.setBox(B::PBBox, std::abs(t.PigmentWeight / b));
    if (tw != 0 && tw - t.VolatileWeight - t.PigmentWeight != 0)
        sheet.setBox(B::BinderWtBox, std::abs((tw - t.VolatileWeight - t.PigmentWeight) / tw * 100));
    if (tw != 0 && t.PigmentWeight != 0)
        sheet.setBox(B::PigmentWtBox, std::abs(t.PigmentWeight / tw * 100));
    if (tw != 0 && t.TotalCost != 0)
        sheet.setBox(B::CostWtBox, std::abs(t.TotalCost / tw));
    if (tw != 0 && t.VolatileWeight != 0)
        sheet.setBox(B::VolatileWtBox, std::abs(t.VolatileWeight / tw * 100));
    const double c = NRound(10000, tv - t.VolatileVolume - t.PigmentVolume);
    if (tv != 0 && c != 0)
        sheet.setBox(B::BinderVolBox, std::abs(c / tv * 100));
    if (tv != 0 && t.PigmentVolume != 0)
        sheet.setBox(B::PigmentVolBox, std::abs(t.PigmentVolume / tv * 100));
    if (tv != 0 && tv - t.VolatileVolume != 0)
        sheet.setBox(B::SolidsVolBox, std::abs((tv - t.VolatileVolume) / tv * 100));
    if (tv != 0 && t.VolatileVolume != 0)
        sheet.setBox(B::VolatileVolBox, std::abs(t.VolatileVolume / tv * 100));
}

// W and V are read back from the cells this run rewrote: the percent divides
// the three-decimal weight by the total of all digits.
void rewritePercents(FormulaSheet& sheet, const Totals& t)
{
    const bool byVolume = sheet.percentBasis == PercentBasis::Volume;
    for (int n = 1; n <= SheetRowCount; ++n) {
        std::string& cell = sheet.row(n).cells[FormulaSheet::index(Column::Percent)];
        cell.clear();
        const double w = sheet.weight(n);
        if (w == 0)
            continue;
        cell = formatCell(byVolume ? percentOf(sheet.volume(n), t.TotalVolume) : percentOf(w, t.TotalWeight));
    }
}

}  // namespace

double percentOf(double part, double total)
{
    return total != 0 ? part / total * 100 : 0;
}

FormulaTotals CalculateTotals(FormulaSheet& sheet)
{
    sheet.SheetModified = true;
    sheet.CellTypingStarted = false;
    Totals totals;
    for (int n = 1; n <= SheetRowCount; ++n)
        accumulateRow(sheet.row(n), totals);
    fillBoxes(sheet, totals);
    rewritePercents(sheet, totals);
    return totals;
}

void Calculate(FormulaSheet& sheet)
{
    CalculateTotals(sheet);
}

void FlipPercents(FormulaSheet& sheet)
{
    sheet.percentBasis = sheet.percentBasis == PercentBasis::Weight ? PercentBasis::Volume : PercentBasis::Weight;
    Calculate(sheet);
}

}  // namespace tintora
