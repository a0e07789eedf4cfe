#include "ui/widgets/GridGeometry.h"

#include <algorithm>

int GridGeometry::colStart(int col) const
{
    int x = 0;
    if (col < fixedCols) {
        for (int c = 0; c < col; ++c)
            x += colWidths[c] + lineWidth;
        return x;
    }
    if (col < leftCol)
        return -1;
    for (int c = 0; c < fixedCols && c < colCount(); ++c)
        x += colWidths[c] + lineWidth;
    for (int c = leftCol; c < col; ++c)
        x += colWidths[c] + lineWidth;
    return x;
}

int GridGeometry::rowStart(int row) const
{
    int y = 0;
    if (row < fixedRows) {
        for (int r = 0; r < row; ++r)
            y += rowHeights[r] + lineWidth;
        return y;
    }
    if (row < topRow)
        return -1;
    for (int r = 0; r < fixedRows && r < rowCount(); ++r)
        y += rowHeights[r] + lineWidth;
    for (int r = topRow; r < row; ++r)
        y += rowHeights[r] + lineWidth;
    return y;
}

QRect GridGeometry::cellRect(int col, int row, QSize viewport) const
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return {};
    const int x = colStart(col);
    const int y = rowStart(row);
    if (x < 0 || y < 0 || x >= viewport.width() || y >= viewport.height())
        return {};
    return QRect(x, y, colWidths[col], rowHeights[row]);
}

QPoint GridGeometry::cellAt(QPoint pos, QSize viewport) const
{
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= viewport.width() || pos.y() >= viewport.height())
        return {-1, -1};
    auto find = [](int p, const std::vector<int>& sizes, int fixed, int first, int line) {
        int start = 0;
        auto hit = [&](int i) {
            const int end = start + sizes[i] + line;
            if (p < end)
                return true;
            start = end;
            return false;
        };
        for (int i = 0; i < fixed && i < static_cast<int>(sizes.size()); ++i)
            if (hit(i))
                return i;
        for (int i = first; i < static_cast<int>(sizes.size()); ++i)
            if (hit(i))
                return i;
        return -1;
    };
    const int col = find(pos.x(), colWidths, fixedCols, leftCol, lineWidth);
    const int row = find(pos.y(), rowHeights, fixedRows, topRow, lineWidth);
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
}

namespace {
int fixedExtent(const std::vector<int>& sizes, int fixed, int line)
{
    int extent = 0;
    for (int i = 0; i < fixed && i < static_cast<int>(sizes.size()); ++i)
        extent += sizes[i] + line;
    return extent;
}

int fitting(const std::vector<int>& sizes, int fixed, int first, int line, int available)
{
    int space = available - fixedExtent(sizes, fixed, line);
    int count = 0;
    for (int i = first; i < static_cast<int>(sizes.size()); ++i) {
        space -= sizes[i] + line;
        if (space < 0)
            break;
        ++count;
    }
    return std::max(count, 1);
}

int maxFirst(const std::vector<int>& sizes, int fixed, int line, int available)
{
    int space = available - fixedExtent(sizes, fixed, line);
    int first = static_cast<int>(sizes.size());
    while (first > fixed) {
        space -= sizes[first - 1] + line;
        if (space < 0)
            break;
        --first;
    }
    return std::max(fixed, std::min(first, static_cast<int>(sizes.size()) - 1));
}
}  // namespace

int GridGeometry::fullyVisibleRows(int viewportHeight) const
{
    return fitting(rowHeights, fixedRows, topRow, lineWidth, viewportHeight);
}

int GridGeometry::fullyVisibleCols(int viewportWidth) const
{
    return fitting(colWidths, fixedCols, leftCol, lineWidth, viewportWidth);
}

int GridGeometry::maxTopRow(int viewportHeight) const
{
    return maxFirst(rowHeights, fixedRows, lineWidth, viewportHeight);
}

int GridGeometry::maxLeftCol(int viewportWidth) const
{
    return maxFirst(colWidths, fixedCols, lineWidth, viewportWidth);
}

QString ellipsisText(const QString& text, int available, const std::function<int(const QString&)>& textWidth)
{
    if (textWidth(text) <= available)
        return text;
    const int limit = available - (textWidth(QStringLiteral("...")) + 6);
    QString prefix;
    for (qsizetype i = 0; i < text.size() && textWidth(prefix) < limit; ++i)
        prefix += text[i];
    return prefix + QStringLiteral("...");
}
