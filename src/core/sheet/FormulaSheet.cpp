#include "core/sheet/FormulaSheet.h"

#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <stdexcept>
#include <string>

namespace tintora {

namespace {

// A row number outside 1 ... 36 is a fault of the caller, checked in every
// build: it stops the operation instead of reaching beyond the rows.
std::size_t rowIndex(int n)
{
    if (n < 1 || n > SheetRowCount)
        throw std::out_of_range(
            "formula row " + std::to_string(n) + " is not among rows 1 to " + std::to_string(SheetRowCount));
    return static_cast<std::size_t>(n - 1);
}

}  // namespace

const char* propertyBoxName(PropertyBox box)
{
    static constexpr std::array<const char*, PropertyBoxCount> names = {
        "WeightBox",
        "VolumeBox",
        "DensityBox",
        "SPGBox",
        "PBBox",
        "VocBox",
        "BinderWtBox",
        "CostWtBox",
        "PigmentWtBox",
        "SolidsWtBox",
        "VolatileWtBox",
        "BinderVolBox",
        "CostVolBox",
        "PigmentVolBox",
        "SolidsVolBox",
        "VolatileVolBox",
    };
    return names[static_cast<int>(box)];
}

FormulaSheet::FormulaSheet()
{
    for (int n = 1; n <= SheetRowCount; ++n)
        setCell(Column::Number, n, std::to_string(n));
}

SheetRow& FormulaSheet::row(int n)
{
    return rows_[rowIndex(n)];
}

double FormulaSheet::weight(int n) const
{
    return numberFromText(cell(Column::Weight, n));
}

double FormulaSheet::volume(int n) const
{
    return numberFromText(cell(Column::Volume, n));
}

const SheetRow& FormulaSheet::row(int n) const
{
    return rows_[rowIndex(n)];
}

void FormulaSheet::setName(std::string name)
{
    name_ = std::move(name);
    SheetModified = true;
}

void FormulaSheet::setBox(PropertyBox b, double value)
{
    boxes_[static_cast<int>(b)] = roundToThreeDecimals(value);
}

void ClearGrid(FormulaSheet& sheet)
{
    for (int n = 1; n <= SheetRowCount; ++n)
        sheet.row(n).marked = false;
    for (int n = 1; n <= SheetRowCount; ++n) {
        SheetRow& row = sheet.row(n);
        for (int c = 1; c < ColumnCount; ++c)
            row.cells[c].clear();
        row.props = {};
        row.RowKind = false;
    }
    sheet.setName({});
    sheet.compliance = {};
    Calculate(sheet);
    sheet.SheetModified = false;
}

}  // namespace tintora
