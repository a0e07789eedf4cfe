#pragma once

// Offscreen rendering of a widget at a chosen device pixel ratio, and pixel
// look-ups in logical coordinates.

#include <QColor>
#include <QImage>
#include <QWidget>

inline QImage renderWidget(QWidget& widget, qreal dpr)
{
    QImage image(widget.size() * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// The physical pixel at the top-left of a logical pixel.
inline QColor pixelAt(const QImage& image, int x, int y)
{
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(qRound(x * dpr), qRound(y * dpr));
}

// True when every physical pixel of the logical pixel has the colour.
inline bool logicalPixelIs(const QImage& image, int x, int y, const QColor& color)
{
    const int dpr = qRound(image.devicePixelRatio());
    for (int dy = 0; dy < dpr; ++dy)
        for (int dx = 0; dx < dpr; ++dx)
            if (image.pixelColor(x * dpr + dx, y * dpr + dy).rgb() != color.rgb())
                return false;
    return true;
}
