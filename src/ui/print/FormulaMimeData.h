#pragma once
// Copy Out: the formula as one clipboard entry that a spreadsheet pastes as
// a table, as tab-separated text and as an HTML table. Numbers are written
// as the user's spreadsheet reads them: the locale's decimal separator and no
// grouping, so that a paste gives numbers, not text; the HTML cells carry the
// value and its three-decimal format as well. Texts stay texts: the plain
// text puts an apostrophe before one that would run as a formula, the HTML
// marks every text cell as text.
#include "core/print/FormulaTable.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

class QMimeData;

struct ClipboardCell {
    QString text;  // a number in the locale's form
    std::optional<double> number;  // for a number cell
};

// The table's lines as cells: the name, the column headings, one line per
// row (a note in the description column), an empty line, then the sixteen
// properties with their names, values and units.
QList<QList<ClipboardCell>> formulaClipboardCells(const tintora::FormulaTable& table, const QLocale& locale);

// text/plain (tab-separated, lines ending in a line feed) and text/html.
std::unique_ptr<QMimeData> formulaMimeData(const tintora::FormulaSheet& sheet, const QLocale& locale = QLocale());
