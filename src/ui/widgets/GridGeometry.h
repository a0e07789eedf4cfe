#pragma once

// Cell geometry and text-cutting rules of TSuperGrid, free of any painting so
// they can be checked with plain numbers.

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

// A string grid's layout: fixed rows and columns stay in place, the others
// scroll so that leftCol / topRow are the first scrolling column / row shown.
// Every cell is followed by a grid line of lineWidth pixels.
struct GridGeometry {
    std::vector<int> colWidths;
    std::vector<int> rowHeights;
    int fixedCols = 1;
    int fixedRows = 1;
    int leftCol = 1;
    int topRow = 1;
    int lineWidth = 1;

    int colCount() const { return static_cast<int>(colWidths.size()); }
    int rowCount() const { return static_cast<int>(rowHeights.size()); }

    // The cell's rectangle without its grid line, in viewport coordinates;
    // empty when the cell is scrolled away or starts beyond the viewport.
    QRect cellRect(int col, int row, QSize viewport) const;
    // (column, row) of the cell under a point, or (-1, -1) when none is.
    QPoint cellAt(QPoint pos, QSize viewport) const;

    // Scrolling rows / columns that fit wholly from topRow / leftCol on (at least 1).
    int fullyVisibleRows(int viewportHeight) const;
    int fullyVisibleCols(int viewportWidth) const;
    // Largest topRow / leftCol that still fills the viewport.
    int maxTopRow(int viewportHeight) const;
    int maxLeftCol(int viewportWidth) const;

private:
    int colStart(int col) const;  // -1 when scrolled away
    int rowStart(int row) const;
};

// The "..." rule: when text is wider than available, characters are appended
// to an empty prefix while the prefix is narrower than
// available - (width of "..." + 6); the check precedes each append, so the
// prefix may end one character past that limit.
QString ellipsisText(const QString& text, int available, const std::function<int(const QString&)>& textWidth);
