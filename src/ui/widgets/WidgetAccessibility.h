#pragma once
// What assistive technology (a screen reader) is told of the controls that
// draw themselves: a TExplorerButton is a button named by its hint (or its
// caption), pressed, checked and clicked as one; a TSuperGrid is a table of
// its data rows and columns, with the titles as column headers, the fixed
// column's cells as row headers, each cell's text, and the current cell as
// the selected and focused one, a material row's mark box toggled as a click
// toggles it; a read-only TFnpNumericEdit is a value under its name, not an
// editable text.

class QObject;

namespace widgetaccessibility {

// Installs the factory that gives these controls their interfaces; once per
// program, called by their constructors.
void install();

// Drops the interface made for a control, so that the next query makes the
// one that fits what the control has become.
void forgetInterface(QObject* control);

// Tells assistive technology that the grid's current cell moved, when any listens.
void currentCellMoved(QObject* grid, int col, int row, int colCount);

}  // namespace widgetaccessibility
