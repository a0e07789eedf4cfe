#pragma once
// Where the small controls that float over the grid go for the current cell:
// the two drop buttons, the material list and the keypad panel. Plain
// geometry, in the main window's coordinates.
#include <QPoint>
#include <QRect>
#include <QSize>

struct FloatingControlsPlacement {
    QPoint Drop1;
    QPoint File32List;
    QPoint Drop2;
    QPoint CalcPanel;
};

struct FloatingControlsInput {
    QRect materialCell;  // the current row's Material cell, in the grid's coordinates
    QRect quantityCell;  // its Weight cell, or its Volume cell while column 4 is current
    QPoint gridTopLeft;  // the grid's position in the window
    int gridHeight = 0;
    QSize drop1;
    QSize list;
    QSize panel;
};

// The list and the panel open under their cell, or above it when there is no
// room below within the grid.
FloatingControlsPlacement placeFloatingControls(const FloatingControlsInput& in);
