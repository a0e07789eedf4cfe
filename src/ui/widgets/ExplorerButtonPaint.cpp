#include "widgets/ExplorerButtonPaint.h"

#include <algorithm>

ExplorerButtonGeometry explorerButtonLayout(const ExplorerButtonLayoutInput &in)
{
    const int w = in.button.width();
    const int h = in.button.height();
    const bool hasText = !in.text.isEmpty();
    const int sp = hasText ? 2 : 0;
    int tw = hasText ? std::min(in.text.width(), w - 4) : 0;
    const int th = hasText ? in.text.height() : 0;
    const bool hasGlyph = !in.glyph.isEmpty();
    const int gw = in.glyph.width() + (in.popupMark ? 10 : 0);
    const int gh = in.glyph.height();
    int tl = 0, tt = 0, gl = 0, gt = 0;
    int tr = tw;

    if (!hasGlyph) {
        if (in.popupMark) {
            tr = std::min(w - 14, tw);
            tw += 10;
        }
        tt = (h - th) / 2;
        switch (in.alignment) {
        case TButtonAlignment::Left: tl = 3; break;
        case TButtonAlignment::Right: tl = w - tw - 3; break;
        case TButtonAlignment::Center: tl = (w - tw) / 2; break;
        }
    } else if (in.layout == TButtonLayout::GlyphTop || in.layout == TButtonLayout::GlyphBottom) {
        if (in.layout == TButtonLayout::GlyphTop) {
            gt = (h - th - gh - sp) / 2;
            tt = gt + gh + sp;
        } else {
            tt = (h - th - gh - sp) / 2;
            gt = tt + th + sp;
        }
        switch (in.alignment) {
        case TButtonAlignment::Left: gl = 3; tl = 3; break;
        case TButtonAlignment::Right: gl = w - gw - 3; tl = w - tw - 3; break;
        case TButtonAlignment::Center: gl = (w - gw) / 2; tl = (w - tw) / 2; break;
        }
    } else {
        if (w - 4 < tw + gw + sp)
            tw = w - sp - gw - 4;
        tr = tw;
        gt = (h - gh) / 2;
        tt = (h - th) / 2;
        if (in.layout == TButtonLayout::GlyphLeft) {
            switch (in.alignment) {
            case TButtonAlignment::Left: gl = 3; tl = gw + sp + 3; break;
            case TButtonAlignment::Right: tl = w - tw - 3; gl = tl - gw - sp; break;
            case TButtonAlignment::Center: gl = (w - tw - gw - sp) / 2; tl = gl + gw + sp; break;
            }
        } else {
            switch (in.alignment) {
            case TButtonAlignment::Left: tl = 3; gl = tw + 3 + sp; break;
            case TButtonAlignment::Right: gl = w - gw - 3; tl = gl - tw - sp; break;
            case TButtonAlignment::Center: tl = (w - tw - gw - sp) / 2; gl = tw + tl + sp; break;
            }
        }
    }
    if (in.wordWrap && w - 5 < tr + tl)
        tr = w - tl - 5;

    ExplorerButtonGeometry g;
    g.glyph = QPoint(gl, gt);
    g.text = QRect(tl, tt, tr, th);
    if (hasGlyph) {
        g.markRaised = QPoint(gl + in.glyph.width() + 3, gt + gh / 2);
        g.markSunken = QPoint(gl + in.glyph.width() + 4, gt + gh / 2 + 1);
    } else {
        g.markRaised = QPoint(tl + tr + 3, tt + th / 2);
        g.markSunken = QPoint(tl + tr + 4, tt + th / 2 + 1);
    }
    return g;
}

ShadingThresholds shadingThresholds(ShadingType type)
{
    switch (type) {
    case ShadingType::stLight: return {205, 127, 68};
    case ShadingType::stDark: return {335, 274, 175};
    case ShadingType::stMedium: break;
    }
    return {553, 231, 57};
}

QColor shadePixel(QColor pixel, ShadingType type, const QColor &highlight, const QColor &shadow)
{
    const int sum = pixel.red() + pixel.green() + pixel.blue();
    const ShadingThresholds t = shadingThresholds(type);
    if (sum > t.t1)
        return Qt::white;
    if (sum > t.t2)
        return highlight;
    if (sum > t.t3)
        return shadow;
    return Qt::black;
}

namespace {

// A glyph in a format whose pixel() gives plain colours with their alpha, at
// the glyph's own device pixel ratio.
QImage withAlpha(const QImage &bitmap)
{
    return bitmap.convertToFormat(QImage::Format_ARGB32);
}

// Pixels of the glyph's transparent colour (its top-left pixel) and pixels
// without any coverage are not part of the drawing.
bool isDrawn(QRgb pixel, QRgb transparent)
{
    return qAlpha(pixel) != 0 && pixel != transparent;
}

} // namespace

QSize logicalGlyphSize(const QImage &bitmap)
{
    if (bitmap.isNull())
        return {};
    return bitmap.deviceIndependentSize().toSize();
}

QImage shadedGlyph(const QImage &bitmap, ShadingType type, const QColor &highlight, const QColor &shadow)
{
    if (bitmap.isNull())
        return {};
    QImage copy = withAlpha(bitmap);
    const QRgb transparent = copy.pixel(0, 0);
    for (int y = 0; y < copy.height(); ++y)
        for (int x = 0; x < copy.width(); ++x) {
            const QRgb pixel = copy.pixel(x, y);
            if (!isDrawn(pixel, transparent))
                continue;
            const QColor shaded = shadePixel(QColor(pixel), type, highlight, shadow);
            copy.setPixel(x, y, qRgba(shaded.red(), shaded.green(), shaded.blue(), qAlpha(pixel)));
        }
    return copy;
}

QImage transparentGlyph(const QImage &bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage image = withAlpha(bitmap);
    const QRgb key = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

bool isEtchedPixel(QRgb pixel, QRgb transparent)
{
    return isDrawn(pixel, transparent) && qAlpha(pixel) >= 128 && qGray(pixel) < 128;
}

QImage etchedPixelsIn(const QImage &bitmap, const QColor &color)
{
    if (bitmap.isNull())
        return {};
    const QImage source = withAlpha(bitmap);
    QImage image(source.size(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(source.devicePixelRatio());
    image.fill(Qt::transparent);
    const QRgb transparent = source.pixel(0, 0);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (isEtchedPixel(source.pixel(x, y), transparent))
                image.setPixel(x, y, color.rgba());
    return image;
}

QImage checkerboardPattern(const QColor &face, const QColor &highlight)
{
    QImage image(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, (x % 2 == y % 2 ? highlight : face).rgb());
    return image;
}

std::vector<QPoint> popupMarkPixels(QPoint anchor)
{
    std::vector<QPoint> pixels;
    const int x = anchor.x();
    const int y = anchor.y();
    for (int i = 0; i < 7; ++i)
        pixels.emplace_back(x + i, y - 1);
    for (int i = 1; i < 6; ++i)
        pixels.emplace_back(x + i, y);
    for (int i = 2; i < 5; ++i)
        pixels.emplace_back(x + i, y + 1);
    pixels.emplace_back(x + 3, y + 2);
    return pixels;
}

QString stripAccessKeyMarks(const QString &caption)
{
    QString result;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                result += u'&';
                ++i;
            }
            continue;
        }
        result += caption[i];
    }
    return result;
}

QChar accessKeyOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return {};
}
