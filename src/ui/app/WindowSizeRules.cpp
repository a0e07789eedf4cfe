#include "ui/app/WindowSizeRules.h"

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

QPoint centredPosition(QSize size, QRect area)
{
    return {area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2};
}
