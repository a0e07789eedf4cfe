#pragma once
// The main window's fixed width and its height in whole grid rows between the
// collapsed and the expanded height, computed from the platform's metrics;
// and where the window opens.
#include <QPoint>
#include <QRect>
#include <QSize>

struct PlatformMetrics {
    int verticalScrollBarWidth = 16;
    int captionButtonWidth = 18;
    int captionButtonHeight = 18;
    int menuBarHeight = 19;
    int screenHeight = 768;
};

struct WindowSizeRules {
    static constexpr int GridRowStep = 18;
    static constexpr int StartHeight = 486;  // the client height a window opens with

    int MinFormWidth = 538;
    int MinFormHeight = 378;
    int ExpandHeight = 108;

    static WindowSizeRules from(const PlatformMetrics& m);

    int maxHeight() const { return MinFormHeight + ExpandHeight; }
    // A height the user dragged to, moved down to a whole number of row steps
    // above the collapsed height (and kept within the limits).
    int snappedHeight(int height) const;
    // The window's client area placed so that its frame lies within `available`:
    // moved up or left where the frame sticks out; where the screen is lower
    // than the frame, the height first shrinks by whole rows (not below the
    // collapsed height). `frame` and `client` are the window as it stands.
    QRect keptOnScreen(QRect frame, QRect client, QRect available) const;
    // Whether "Expand Form" is checked at this height (exactly the full height).
    bool expandedAt(int height) const { return height == maxHeight(); }
};

// The top-left corner that centres a window of `size` in `area`.
QPoint centredPosition(QSize size, QRect area);
