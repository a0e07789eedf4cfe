#pragma once
// What assistive technology (a screen reader) is told of the controls that
// draw themselves: a TExplorerButton is a button named by its hint (or its
// caption), pressed, checked and clicked as one; a TSuperGrid is a table of
// its data rows and columns, with the titles as column headers, the fixed
// column's cells as row headers, each cell's text, and the current cell as
// the selected and focused one.

class QObject;

namespace widgetaccessibility {

// Installs the factory that gives these controls their interfaces; once per
// program, called by their constructors.
void install();

// Tells assistive technology that the grid's current cell moved, when any listens.
void currentCellMoved(QObject* grid, int col, int row, int colCount);

}  // namespace widgetaccessibility
