#include "ui/widgets/ExplorerButtonPaint.h"

#include <algorithm>

namespace {

// The button's and the parts' sizes with the places being worked out: text
// left/top/width (tl, tt, tr), glyph left/top (gl, gt); tw, the text's width
// for centring, may be narrowed on the way.
struct ButtonPlacement {
    int w, h, sp, tw, th, gw, gh;
    int tr;
    int tl = 0, tt = 0, gl = 0, gt = 0;
};

ButtonPlacement startPlacement(const ExplorerButtonLayoutInput& in)
{
    const int w = in.button.width();
    const bool hasText = !in.text.isEmpty();
    const int tw = hasText ? std::min(in.text.width(), w - 4) : 0;
    return {w, in.button.height(), hasText ? 2 : 0, tw, hasText ? in.text.height() : 0,
        in.glyph.width() + (in.popupMark ? 10 : 0), in.glyph.height(), tw};
}

void placeTextAlone(ButtonPlacement& p, const ExplorerButtonLayoutInput& in)
{
    if (in.popupMark) {
        p.tr = std::min(p.w - 14, p.tw);
        p.tw += 10;
    }
    p.tt = (p.h - p.th) / 2;
    switch (in.alignment) {
    case TButtonAlignment::Left:
        p.tl = 3;
        break;
    case TButtonAlignment::Right:
        p.tl = p.w - p.tw - 3;
        break;
    case TButtonAlignment::Center:
        p.tl = (p.w - p.tw) / 2;
        break;
    }
}

// Glyph above or below the text.
void placeStacked(ButtonPlacement& p, const ExplorerButtonLayoutInput& in)
{
    if (in.layout == TButtonLayout::GlyphTop) {
        p.gt = (p.h - p.th - p.gh - p.sp) / 2;
        p.tt = p.gt + p.gh + p.sp;
    } else {
        p.tt = (p.h - p.th - p.gh - p.sp) / 2;
        p.gt = p.tt + p.th + p.sp;
    }
    switch (in.alignment) {
    case TButtonAlignment::Left:
        p.gl = 3;
        p.tl = 3;
        break;
    case TButtonAlignment::Right:
        p.gl = p.w - p.gw - 3;
        p.tl = p.w - p.tw - 3;
        break;
    case TButtonAlignment::Center:
        p.gl = (p.w - p.gw) / 2;
        p.tl = (p.w - p.tw) / 2;
        break;
    }
}

// Glyph left or right of the text.
void placeSideBySide(ButtonPlacement& p, const ExplorerButtonLayoutInput& in)
{
    if (p.w - 4 < p.tw + p.gw + p.sp)
        p.tw = p.w - p.sp - p.gw - 4;
    p.tr = p.tw;
    p.gt = (p.h - p.gh) / 2;
    p.tt = (p.h - p.th) / 2;
    if (in.layout == TButtonLayout::GlyphLeft) {
        switch (in.alignment) {
        case TButtonAlignment::Left:
            p.gl = 3;
            p.tl = p.gw + p.sp + 3;
            break;
        case TButtonAlignment::Right:
            p.tl = p.w - p.tw - 3;
            p.gl = p.tl - p.gw - p.sp;
            break;
        case TButtonAlignment::Center:
            p.gl = (p.w - p.tw - p.gw - p.sp) / 2;
            p.tl = p.gl + p.gw + p.sp;
            break;
        }
    } else {
        switch (in.alignment) {
        case TButtonAlignment::Left:
            p.tl = 3;
            p.gl = p.tw + 3 + p.sp;
            break;
        case TButtonAlignment::Right:
            p.gl = p.w - p.gw - 3;
            p.tl = p.gl - p.tw - p.sp;
            break;
        case TButtonAlignment::Center:
            p.tl = (p.w - p.tw - p.gw - p.sp) / 2;
            p.gl = p.tw + p.tl + p.sp;
            break;
        }
    }
}

}  // namespace

ExplorerButtonGeometry explorerButtonLayout(const ExplorerButtonLayoutInput& in)
{
    const bool hasGlyph = !in.glyph.isEmpty();
    ButtonPlacement p = startPlacement(in);
    if (!hasGlyph)
        placeTextAlone(p, in);
    else if (in.layout == TButtonLayout::GlyphTop || in.layout == TButtonLayout::GlyphBottom)
        placeStacked(p, in);
    else
        placeSideBySide(p, in);
    if (in.wordWrap && p.w - 5 < p.tr + p.tl)
        p.tr = p.w - p.tl - 5;

    ExplorerButtonGeometry g;
    g.glyph = QPoint(p.gl, p.gt);
    g.text = QRect(p.tl, p.tt, p.tr, p.th);
    if (hasGlyph) {
        g.markRaised = QPoint(p.gl + in.glyph.width() + 3, p.gt + p.gh / 2);
        g.markSunken = QPoint(p.gl + in.glyph.width() + 4, p.gt + p.gh / 2 + 1);
    } else {
        g.markRaised = QPoint(p.tl + p.tr + 3, p.tt + p.th / 2);
        g.markSunken = QPoint(p.tl + p.tr + 4, p.tt + p.th / 2 + 1);
    }
    return g;
}

ShadingThresholds shadingThresholds(ShadingType type)
{
    switch (type) {
    case ShadingType::stLight:
        return {205, 127, 68};
    case ShadingType::stDark:
        return {335, 274, 175};
    case ShadingType::stMedium:
        break;
    }
    return {553, 231, 57};
}

QColor shadePixel(QColor pixel, ShadingType type, const QColor& highlight, const QColor& shadow)
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
QImage withAlpha(const QImage& bitmap)
{
    return bitmap.convertToFormat(QImage::Format_ARGB32);
}

// Pixels of the glyph's transparent colour (its top-left pixel) and pixels
// without any coverage are not part of the drawing.
bool isDrawn(QRgb pixel, QRgb transparent)
{
    return qAlpha(pixel) != 0 && pixel != transparent;
}

}  // namespace

QSize logicalGlyphSize(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    return bitmap.deviceIndependentSize().toSize();
}

QImage shadedGlyph(const QImage& bitmap, ShadingType type, const QColor& highlight, const QColor& shadow)
{
    if (bitmap.isNull())
        return {};
    QImage copy = withAlpha(bitmap);
    const QRgb transparent = copy.pixel(0, 0);
    // Row by row: pixel() and setPixel() per pixel cost more than the shading.
    for (int y = 0; y < copy.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x) {
            const QRgb pixel = row[x];
            if (!isDrawn(pixel, transparent))
                continue;
            const QRgb shaded = shadePixel(QColor(pixel), type, highlight, shadow).rgb();
            row[x] = qRgba(qRed(shaded), qGreen(shaded), qBlue(shaded), qAlpha(pixel));
        }
    }
    return copy;
}

QImage transparentGlyph(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage image = withAlpha(bitmap);
    const QRgb key = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::replace(row, row + image.width(), key, qRgba(0, 0, 0, 0));
    }
    return image;
}

bool isEtchedPixel(QRgb pixel, QRgb transparent)
{
    return isDrawn(pixel, transparent) && qAlpha(pixel) >= 128 && qGray(pixel) < 128;
}

QImage etchedPixelsIn(const QImage& bitmap, const QColor& color)
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

QImage checkerboardPattern(const QColor& face, const QColor& highlight)
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
    pixels.reserve(16);
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

QString stripAccessKeyMarks(const QString& caption)
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

QChar accessKeyOf(const QString& caption)
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
