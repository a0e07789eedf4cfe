#pragma once

// Geometry and pixel rules of TExplorerButton, free of any widget: where the
// glyph, the caption and the popup mark go, the shaded copy of a glyph, the
// shared checkerboard, and the caption without its access-key marks.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

enum class TButtonLayout { GlyphTop, GlyphBottom, GlyphLeft, GlyphRight };
enum class TButtonAlignment { Left, Right, Center };
enum class ShadingType { stLight, stMedium, stDark };

struct ExplorerButtonLayoutInput {
    QSize button;  // W, H
    QSize text;  // caption size as measured, before any limit; empty: no caption
    QSize glyph;  // the bitmap's size; empty: no glyph
    bool popupMark = false;  // boPopupMark with a drop-down menu set
    TButtonLayout layout = TButtonLayout::GlyphTop;
    TButtonAlignment alignment = TButtonAlignment::Center;
    bool wordWrap = false;
};

struct ExplorerButtonGeometry {
    QPoint glyph;  // GL, GT
    QRect text;  // (TL, TT) to (TL + TR, TT + TH)
    QPoint markRaised;  // popup mark anchor of a button that is not sunken
    QPoint markSunken;
};

ExplorerButtonGeometry explorerButtonLayout(const ExplorerButtonLayoutInput& in);

struct ShadingThresholds {
    int t1;
    int t2;
    int t3;
};
ShadingThresholds shadingThresholds(ShadingType type);

// The colour a glyph pixel takes in the shaded copy, by the sum of its red,
// green and blue values: white, the highlight, the shadow or black.
QColor shadePixel(QColor pixel, ShadingType type, const QColor& highlight, const QColor& shadow);
// A glyph's pixels that belong to the drawing are those of another colour than
// its top-left pixel (the transparent colour) that are not fully transparent.
// Glyphs keep their device pixel ratio; they are placed and drawn by their
// size in logical pixels.
QSize logicalGlyphSize(const QImage& bitmap);
// The shaded copy: every drawn pixel is shaded, keeping its alpha.
QImage shadedGlyph(const QImage& bitmap, ShadingType type, const QColor& highlight, const QColor& shadow);
// The glyph with its top-left pixel's colour made transparent.
QImage transparentGlyph(const QImage& bitmap);
// The pixels the etching paints: the glyph's "black" ones, that is its dark ink
// (drawn, mostly opaque, darker than middle grey); light fills and the
// transparent surround leave the background as it is.
bool isEtchedPixel(QRgb pixel, QRgb transparent);
// The etched pixels in one colour, everything else transparent.
QImage etchedPixelsIn(const QImage& bitmap, const QColor& color);
// 8 x 8: the highlight where column and row are both even or both odd, else the face.
QImage checkerboardPattern(const QColor& face, const QColor& highlight);
// The popup mark's pixels relative to its anchor: a downward triangle.
std::vector<QPoint> popupMarkPixels(QPoint anchor);
// "&" marks removed: a single "&" is dropped, "&&" becomes "&".
QString stripAccessKeyMarks(const QString& caption);
// The access-key character (after a single "&"), or a null QChar.
QChar accessKeyOf(const QString& caption);
