#pragma once
// Random formulas for the reformulation tests: material rows with sound
// properties (every fraction within its material, a binder share left), notes,
// now and then a row whose material file is missing, and random marks.
#include "core/calc/Calculate.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/NumberText.h"

#include <random>
#include <string>

namespace tintora::test {

class RandomFormula {
public:
    explicit RandomFormula(unsigned seed)
        : random_(seed)
    {
    }

    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double p) { return uniform(0, 1) < p; }

    RowMaterialProps material()
    {
        RowMaterialProps p;
        p.Spec = uniform(0.7, 4);
        p.Cost = uniform(0.2, 6);
        p.Vol_Wt = uniform(0.02, 0.7);
        p.Pig_Wt = uniform(0.02, 0.95 - p.Vol_Wt);
        p.Voc_Wt = p.Vol_Wt * uniform(0.05, 1);
        p.Vol_Vol = uniform(0.02, 0.7);
        p.Pig_Vol = uniform(0.02, 0.95 - p.Vol_Vol);
        p.Voc_Vol = p.Vol_Vol * uniform(0.05, 1);
        return p;
    }

    // At least one marked and one unmarked weighed material row; rows 1 ...
    // rowCount hold materials, notes and perhaps a missing material.
    FormulaSheet sheet(int rowCount)
    {
        FormulaSheet s;
        for (int n = 1; n <= rowCount; ++n) {
            SheetRow& row = s.row(n);
            if (n > 2 && chance(0.1)) {
                s.setCell(Column::Description, n, "stir " + std::to_string(n));
            } else if (n > 2 && chance(0.1)) {
                s.setCell(Column::Material, n, "gone" + std::to_string(n));
                s.setCell(Column::Description, n, "Material not found");
                s.setCell(Column::Weight, n, formatCell(integer(50, 200)));
            } else {
                row.RowKind = true;
                row.props = material();
                s.setCell(Column::Material, n, std::string("m").append(std::to_string(n)));
                s.setCell(Column::Weight, n, formatCell(uniform(10, 500)));
            }
            row.marked = n == 1 || (n > 2 && chance(0.4));
        }
        Calculate(s);
        s.SheetModified = false;
        return s;
    }

private:
    std::mt19937 random_;
};

}  // namespace tintora::test
