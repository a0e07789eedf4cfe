#include "ui/app/WindowSizeRules.h"

#include "core/sheet/ScreenPlacement.h"

#include <algorithm>
#include <cstdlib>

WindowSizeRules WindowSizeRules::from(const PlatformMetrics& m)
{
    WindowSizeRules r;
    r.ExpandHeight = m.screenHeight >= 600 ? 180 : 108;
    if (m.verticalScrollBarWidth > 15)
        r.MinFormWidth += m.verticalScrollBarWidth - 16;
    if (m.captionButtonWidth > 17)
        r.MinFormHeight += std::abs(m.captionButtonHeight - 18);
    if (m.menuBarHeight > 18)
        r.MinFormHeight += std::abs(m.menuBarHeight - 19);
    return r;
}

int WindowSizeRules::snappedHeight(int height) const
{
    const int clamped = std::clamp(height, MinFormHeight, maxHeight());
    return MinFormHeight + (clamped - MinFormHeight) / GridRowStep * GridRowStep;
}

QRect WindowSizeRules::keptOnScreen(QRect frame, QRect client, QRect available) const
{
    const int frameExtra = frame.height() - client.height();
    int height = client.height();
    if (height + frameExtra > available.height())
        height = snappedHeight(available.height() - frameExtra);
    const tintora::ScreenPoint at = tintora::keepOnScreen({frame.x(), frame.y()}, frame.width(), height + frameExtra,
        {available.x(), available.y(), available.width(), available.height()});
    // A frame larger than the screen keeps its title bar on it.
    const QPoint frameAt(std::max(at.x, available.x()), std::max(at.y, available.y()));
    return {frameAt + (client.topLeft() - frame.topLeft()), QSize(client.width(), height)};
}

QPoint centredPosition(QSize size, QRect area)
{
    return {area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2};
}
