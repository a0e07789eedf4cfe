#include "core/sheet/Quantities.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

double cellNumber(const FormulaSheet& sheet, Column column, int row)
{
    return numberFromText(sheet.cell(column, row));
}

}  // namespace

bool quantityBreaksLimits(const FormulaSheet& sheet, Column column, int row)
{
    const double w = cellNumber(sheet, Column::Weight, row);
    const double v = cellNumber(sheet, Column::Volume, row);
    // By magnitude: a keypad result such as 0 - 5 = is negative, and a row
    // must not take a weight of minus millions either.
    return std::abs(w) > RowWeightLimit || sheet.cell(column, row).size() > QuantityTextLimit
        || std::abs(weightOfVolume(v, sheet.row(row).props.Spec)) > RowWeightLimit;
}

void writePartnerCell(FormulaSheet& sheet, Column column, int row, NumberForm form)
{
    const double spec = sheet.row(row).props.Spec;
    if (column == Column::Weight) {
        const double w = cellNumber(sheet, Column::Weight, row);
        sheet.setCell(Column::Volume, row, spec != 0 ? form(volumeOfWeight(w, spec)) : std::string());
    } else {
        sheet.setCell(Column::Weight, row, form(weightOfVolume(cellNumber(sheet, Column::Volume, row), spec)));
    }
}

}  // namespace tintora
