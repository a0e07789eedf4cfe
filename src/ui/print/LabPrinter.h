#pragma once
// Draws the laboratory printout on a paint device (a printer or a PDF file):
// the page's texts at their lines and columns in "Courier" 12 points, each
// character in its own column.
#include "core/print/LabPrintout.h"
#include "core/print/PagedPrintout.h"

#include <QPageSize>
#include <QString>

#include <functional>
#include <vector>

class QPaintDevice;

// Where line n and column c start: y = n x lineHeight, x = c x columnWidth.
struct PrintoutGeometry {
    int lineHeight = 0;
    int columnWidth = 0;
    // The font's size: 12 points, less where 80 characters of 12 points do
    // not fit the printable width.
    double pointSize = 12;
    // From the top of a line to the baseline of every text on it: the regular
    // font's ascent, so that bold labels and regular values on one line stand
    // on one baseline although the two faces' ascents differ.
    double baseline = 0;

    // The column width is the printable width / 80, rounded half to even.
    static PrintoutGeometry from(int printableWidth, int fontHeight);
    // The geometry of a page on `device`, the font fitted to its columns.
    static PrintoutGeometry onDevice(QPaintDevice& device, int printableWidth);
};

// The printout of the sheet as the boxes show it. Returns false when the
// device cannot be painted on.
bool LabPrint(
    QPaintDevice& device, const tintora::FormulaSheet& sheet, const QString& formulaPath, const QString& dateText);

// The printout written as a one-page PDF file on paper of `pageSize`, as the
// print dialog's PDF output writes it. False when the file cannot be written.
bool LabPrintPdf(const QString& pdfPath, const QPageSize& pageSize, const tintora::FormulaSheet& sheet,
    const QString& formulaPath, const QString& dateText);

// A printout's pages for a page of linesPerPage text lines.
using PageLayout = std::function<std::vector<tintora::PrintPage>(int linesPerPage)>;

// Any printout in the laboratory printout's placement, one page after
// another; on a printer, its document is named `title` (a PDF's Title).
// Returns false when the device cannot be painted on.
bool PrintPages(QPaintDevice& device, const PageLayout& layout, const QString& title = {});

// The same into a PDF file on paper of `pageSize`.
bool PrintPagesPdf(
    const QString& pdfPath, const QPageSize& pageSize, const PageLayout& layout, const QString& title = {});

// The paper of the system's locale: Letter where the US units are in use, else A4.
QPageSize localePageSize();

// Today in the system's short date form.
QString todayShortDate();
