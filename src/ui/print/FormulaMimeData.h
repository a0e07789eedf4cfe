#pragma once
// Copy Out: the formula as one clipboard entry that a spreadsheet pastes as
// a table, as tab-separated text and as an HTML table. Numbers are written
// as the user's spreadsheet reads them: the locale's decimal separator and no
// grouping, so that a paste gives numbers, not text.
#include "core/print/FormulaTable.h"

#include <QLocale>

#include <memory>

class QMimeData;

// The table's lines as cells: the name, the column headings, one line per
// row (a note in the description column), an empty line, then the sixteen
// properties with their names, values and units.
QList<QStringList> formulaClipboardCells(const tintora::FormulaTable& table, const QLocale& locale);

// text/plain (tab-separated, lines ending in a line feed) and text/html.
std::unique_ptr<QMimeData> formulaMimeData(const tintora::FormulaSheet& sheet, const QLocale& locale = QLocale());
