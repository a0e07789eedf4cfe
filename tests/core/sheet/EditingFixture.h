#pragma once
// A sheet, its grid-editing state and a material folder written by the test.
#include "TempFolder.h"
#include "core/materials/MaterialFile.h"
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/GridEditState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintora::testing {

class EditingFixture : public ::testing::Test {
protected:
    EditingFixture()
    {
        folder.write("tio2.rm", "[Material]\nName=TITANIUM dioxide\nSpec=4.1\nCost=1.85\nPig_Wt=1\nPig_Vol=1\n");
        folder.write("water.rm", "[Material]\nName=water\nSpec=1\nVol_Wt=1\nVol_Vol=1\n");
        folder.write("resin.rm", "[Material]\nName=alkyd resin\nSpec=2\nCost=3\n");
    }

    // Makes a material row from the folder, with a weight as typed.
    void putMaterial(int row, const std::string& code, const std::string& weight)
    {
        sheet.setCell(Column::Material, row, code);
        MaterialLoad(sheet, row, MaterialFiles(folder.path()));
        sheet.setCell(Column::Weight, row, weight);
    }
    void putNote(int row, const std::string& text) { sheet.setCell(Column::Description, row, text); }

    std::string cell(Column c, int row) const { return sheet.cell(c, row); }

    TempFolder folder;
    FormulaSheet sheet;
    GridEditState edit;
};

// Everything of a row that the editing commands move or change.
struct RowSnapshot {
    std::array<std::string, ColumnCount> cells;
    bool marked;
    bool RowKind;
    RowMaterialProps props;
    bool operator==(const RowSnapshot&) const = default;
};

inline std::vector<RowSnapshot> snapshot(const FormulaSheet& sheet)
{
    std::vector<RowSnapshot> rows;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& r = sheet.row(n);
        rows.push_back({r.cells, r.marked, r.RowKind, r.props});
    }
    return rows;
}

}  // namespace tintora::testing
