#include "core/sheet/FormulaSheet.h"

#include "core/calc/Calculate.h"
#include "core/text/NumberText.h"

#include <cassert>

namespace tintora {

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
    assert(n >= 1 && n <= SheetRowCount);
    return rows_[n - 1];
}

const SheetRow& FormulaSheet::row(int n) const
{
    assert(n >= 1 && n <= SheetRowCount);
    return rows_[n - 1];
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
    Calculate(sheet);
    sheet.SheetModified = false;
}

}  // namespace tintora
