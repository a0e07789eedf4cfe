#include "ui/app/FloatingControls.h"

namespace {

// Under the cell when it fits inside the grid, else above it.
int topUnderOrAbove(const QRect& cell, int height, int gridTop, int gridHeight)
{
    const int bottom = cell.top() + cell.height();  // the cell's exclusive bottom edge
    return height + bottom < gridHeight ? gridTop + bottom + 2 : gridTop + cell.top() - height;
}

}  // namespace

FloatingControlsPlacement placeFloatingControls(const FloatingControlsInput& in)
{
    const int gl = in.gridTopLeft.x();
    const int gt = in.gridTopLeft.y();
    const QRect& m = in.materialCell;
    const QRect& q = in.quantityCell;
    FloatingControlsPlacement p;
    p.Drop1 = QPoint(gl + m.left() + m.width() - in.drop1.width() + 1, gt + m.top() + 3);
    p.File32List = QPoint(gl + m.left() + 1, topUnderOrAbove(m, in.list.height(), gt, in.gridHeight));
    p.Drop2 = QPoint(gl + q.left() + 3, gt + q.top() + 3);
    p.CalcPanel = QPoint(gl + q.left() + 2, topUnderOrAbove(q, in.panel.height(), gt, in.gridHeight));
    return p;
}
