#pragma once
// Where a dialog opens beside the main window: at an offset from the window's
// top-left corner, moved back onto the screen where it would pass an edge.

namespace tintora {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Top and left are kept on the screen first; then a bottom or right edge
// that sticks out moves the dialog up or left.
constexpr ScreenPoint keepOnScreen(ScreenPoint wanted, int width, int height, const ScreenArea& screen)
{
    ScreenPoint at{wanted.x < screen.left ? screen.left : wanted.x, wanted.y < screen.top ? screen.top : wanted.y};
    if (at.y + height > screen.top + screen.height)
        at.y = screen.top + screen.height - height;
    if (at.x + width > screen.left + screen.width)
        at.x = screen.left + screen.width - width;
    return at;
}

}  // namespace tintora
