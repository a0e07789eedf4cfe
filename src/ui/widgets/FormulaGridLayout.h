#pragma once

// The formula table's grid settings: six columns, their definitions, widths
// and row heights, given in code.

#include "ui/widgets/TColumns.h"

class TSuperGrid;

// The screen font of the program: the platform's sans-serif at 8 points.
QFont smallSansFont();

// Row number with mark box, "Material", "Description", "Weight", "Volume", "W%".
TColumns formulaGridColumns();

// Column widths 35, 99, 140, 90, 88, 52; header row 19 pixels, other rows 17;
// vertical scroll bar only; the definitions above.
void applyFormulaGridLayout(TSuperGrid& grid);
