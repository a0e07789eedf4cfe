#include "core/calc/MissingMaterials.h"

#include "core/text/NumberText.h"

namespace tintora {

std::vector<int> rowsWithMissingMaterial(const FormulaSheet& sheet)
{
    std::vector<int> rows;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (!sheet.isMaterialRow(n) && !sheet.cell(Column::Material, n).empty() && sheet.weight(n) != 0)
            rows.push_back(n);
    return rows;
}

std::string missingMaterialsNotice(std::size_t rows)
{
    if (rows == 0)
        return {};
    if (rows == 1)
        return "1 row's material is missing: its weight has no volume";
    return std::to_string(rows) + " rows' materials are missing: their weight has no volume";
}

}  // namespace tintora
