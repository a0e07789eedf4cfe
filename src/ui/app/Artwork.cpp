#include "app/Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// Icons are drawn on a 16 x 16 grid; outlines lie on half units so that
// they fill whole pixels at 16 px and pairs of pixels at 32 px.

namespace colour {
const QColor navy{0x1f, 0x3b, 0x73};
const QColor white{0xff, 0xff, 0xff};
const QColor light{0xe3, 0xe7, 0xee};
const QColor grey{0xa9, 0xb3, 0xc2};
const QColor teal{0x1a, 0x8a, 0x7a};
const QColor tealLight{0xa6, 0xdb, 0xd2};
const QColor amber{0xd9, 0x9a, 0x1e};
const QColor amberLight{0xf4, 0xd3, 0x8b};
const QColor red{0xc0, 0x39, 0x2b};
const QColor redLight{0xf0, 0xb4, 0xac};
}  // namespace colour

QPen ink(qreal width = 1.0, const QColor& c = colour::navy)
{
    return QPen(c, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPen stroke(qreal width, const QColor& c = colour::navy)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Fills a path and outlines it in navy.
void shape(QPainter& p, const QPainterPath& path, const QColor& fill)
{
    p.setPen(ink());
    p.setBrush(fill);
    p.drawPath(path);
}

void box(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(ink());
    p.setBrush(fill);
    p.drawRect(r);
}

void polygon(QPainter& p, const QPolygonF& poly, const QColor& fill)
{
    p.setPen(ink());
    p.setBrush(fill);
    p.drawPolygon(poly);
}

void disc(QPainter& p, QPointF centre, qreal r, const QColor& fill)
{
    p.setPen(ink());
    p.setBrush(fill);
    p.drawEllipse(centre, r, r);
}

void line(QPainter& p, QPointF a, QPointF b, const QColor& c = colour::navy, qreal width = 1.0)
{
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

void curve(QPainter& p, const QPainterPath& path, const QPen& pen)
{
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A thick stroke drawn as an outlined band, optionally merged with extra shapes
// (arrow heads).
void band(QPainter& p, const QPainterPath& centreLine, qreal width, const QColor& fill,
          Qt::PenCapStyle cap = Qt::FlatCap, const QPainterPath& extra = {})
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::MiterJoin);
    QPainterPath outline = stroker.createStroke(centreLine);
    if (!extra.isEmpty())
        outline = outline.united(extra);
    shape(p, outline.simplified(), fill);
}

// Triangle whose base is centred on `base`, pointing along `dir`.
QPainterPath arrowHead(QPointF base, QPointF dir, qreal length, qreal halfWidth)
{
    const qreal n = std::hypot(dir.x(), dir.y());
    const QPointF d = dir / n;
    const QPointF side(-d.y(), d.x());
    QPainterPath path;
    path.addPolygon(QPolygonF{base + side * halfWidth, base + d * length, base - side * halfWidth});
    path.closeSubpath();
    return path;
}

// A sheet of paper with the top right corner folded.
void page(QPainter& p, const QRectF& r, qreal fold, const QColor& fill = colour::white)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    shape(p, path, fill);
    if (fold > 0) {
        polygon(p,
                QPolygonF{QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                          QPointF(r.right(), r.top() + fold)},
                colour::light);
    }
}

// Grey text lines on a page, one every `step` units.
void textLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step = 2.0)
{
    for (int i = 0; i < count; ++i)
        line(p, QPointF(left, top + i * step), QPointF(right, top + i * step), colour::grey);
}

// A closed folder: back with a tab and a front panel.
void folder(QPainter& p, const QRectF& r, const QColor& back, const QColor& front)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.left() + 4, r.top());
    path.lineTo(r.left() + 5, r.top() + 1);
    path.lineTo(r.right(), r.top() + 1);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    shape(p, path, back);
    box(p, QRectF(QPointF(r.left(), r.top() + 3), r.bottomRight()), front);
}

// A table of four rows with the second one highlighted.
void rowTable(QPainter& p, const QColor& highlight)
{
    box(p, QRectF(QPointF(5.5, 2.5), QPointF(14.5, 14.5)), colour::white);
    box(p, QRectF(QPointF(5.5, 5.5), QPointF(14.5, 8.5)), highlight);
    line(p, QPointF(6, 11.5), QPointF(14, 11.5), colour::grey);
    line(p, QPointF(9.5, 3), QPointF(9.5, 5), colour::grey);
    line(p, QPointF(9.5, 9), QPointF(9.5, 14), colour::grey);
}

// Row check boxes with grey lines beside them.
void checkRows(QPainter& p, bool marked)
{
    for (int row = 0; row < 3; ++row) {
        const qreal top = 1.5 + row * 5;
        box(p, QRectF(1.5, top, 4, 4), colour::white);
        line(p, QPointF(8, top + 2), QPointF(15, top + 2), colour::grey);
        if (marked) {
            QPainterPath tick;
            tick.moveTo(2.2, top + 1.6);
            tick.lineTo(3.7, top + 3.2);
            tick.lineTo(7.2, top - 1.0);
            curve(p, tick, stroke(1.7, colour::teal));
        }
    }
}

// The "%" mark inside `r`; rings filled with `fill` when given.
void percentMark(QPainter& p, const QRectF& r, qreal weight, const QColor& fill = Qt::transparent)
{
    const qreal rx = r.width() * 0.2;
    const qreal ry = r.height() * 0.2;
    p.setPen(QPen(colour::navy, weight));
    p.setBrush(fill);
    p.drawEllipse(QPointF(r.left() + rx + weight / 2, r.top() + ry + weight / 2), rx, ry);
    p.drawEllipse(QPointF(r.right() - rx - weight / 2, r.bottom() - ry - weight / 2), rx, ry);
    p.setPen(stroke(weight));
    p.drawLine(QPointF(r.right() - r.width() * 0.2, r.top() + weight / 2),
               QPointF(r.left() + r.width() * 0.2, r.bottom() - weight / 2));
}

// A falling drop: point at `top`, round at the bottom with radius r.
QPainterPath dropPath(qreal cx, qreal top, qreal bottom, qreal r)
{
    const qreal cy = bottom - r;
    QPainterPath path;
    path.moveTo(cx, top);
    path.cubicTo(cx + r * 0.25, top + (cy - top) * 0.45, cx + r, cy - r * 0.55, cx + r, cy);
    path.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), 0, -180);
    path.cubicTo(cx - r, cy - r * 0.55, cx - r * 0.25, top + (cy - top) * 0.45, cx, top);
    path.closeSubpath();
    return path;
}

// ---- menu icons --------------------------------------------------------

void drawNew(QPainter& p)
{
    page(p, QRectF(QPointF(1.5, 1.5), QPointF(11.5, 14.5)), 3);
    textLines(p, 3.5, 9.5, 7.5, 3, 2.0);
    // sparkle
    QPolygonF star;
    const QPointF c(12, 4);
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * std::numbers::pi / 4;
        const qreal r = (i % 2 == 0) ? 4.0 : 1.2;
        star << c + QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    p.setPen(QPen(colour::navy, 0.9, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(colour::amber);
    p.drawPolygon(star);
}

void drawOpen(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 2.5);
    back.lineTo(5.5, 2.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(12.5, 3.5);
    back.lineTo(12.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    shape(p, back, colour::amber);
    box(p, QRectF(QPointF(3.5, 5.5), QPointF(11.5, 10.5)), colour::white);
    polygon(p, QPolygonF{QPointF(4.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)},
            colour::amberLight);
}

void drawSave(QPainter& p)
{
    QPainterPath disk;
    disk.moveTo(1.5, 1.5);
    disk.lineTo(12.5, 1.5);
    disk.lineTo(14.5, 3.5);
    disk.lineTo(14.5, 14.5);
    disk.lineTo(1.5, 14.5);
    disk.closeSubpath();
    shape(p, disk, colour::teal);
    box(p, QRectF(QPointF(4.5, 1.5), QPointF(11.5, 5.5)), colour::light);
    p.fillRect(QRectF(9, 2, 1.5, 3), colour::navy);
    box(p, QRectF(QPointF(3.5, 8.5), QPointF(12.5, 14.5)), colour::white);
    textLines(p, 5, 11, 10.5, 2, 2.0);
}

void drawProperties(QPainter& p)
{
    box(p, QRectF(QPointF(1.5, 1.5), QPointF(14.5, 14.5)), colour::white);
    box(p, QRectF(QPointF(1.5, 1.5), QPointF(14.5, 4.5)), colour::teal);
    for (qreal y : {6.5, 10.5}) {
        p.fillRect(QRectF(3, y + 1, 3, 1), colour::navy);
        box(p, QRectF(7.5, y, 5, 2), colour::light);
    }
}

void drawDelete(QPainter& p)
{
    QPainterPath cross;
    cross.moveTo(3.5, 3.5);
    cross.lineTo(12.5, 12.5);
    cross.moveTo(12.5, 3.5);
    cross.lineTo(3.5, 12.5);
    band(p, cross, 3.4, colour::red);
}

void drawCut(QPainter& p)
{
    p.setPen(stroke(1.5));
    p.drawLine(QPointF(5.3, 10.2), QPointF(11.2, 1.5));
    p.drawLine(QPointF(10.7, 10.2), QPointF(4.8, 1.5));
    for (qreal x : {4.5, 11.5}) {
        p.setPen(ink(1.0));
        p.setBrush(colour::red);
        p.drawEllipse(QPointF(x, 12), 2.6, 2.6);
        p.setBrush(colour::white);
        p.drawEllipse(QPointF(x, 12), 0.9, 0.9);
    }
    disc(p, QPointF(8, 6.3), 0.6, colour::amber);
}

void drawCopy(QPainter& p)
{
    page(p, QRectF(QPointF(1.5, 1.5), QPointF(9.5, 11.5)), 0, colour::light);
    page(p, QRectF(QPointF(6.5, 4.5), QPointF(14.5, 14.5)), 2.5);
    textLines(p, 8.5, 12.5, 8.5, 3, 2.0);
}

void drawPaste(QPainter& p)
{
    box(p, QRectF(QPointF(1.5, 2.5), QPointF(11.5, 14.5)), colour::amber);
    box(p, QRectF(QPointF(4.5, 1.5), QPointF(8.5, 4.5)), colour::light);
    page(p, QRectF(QPointF(6.5, 6.5), QPointF(14.5, 14.5)), 0);
    textLines(p, 8.5, 12.5, 8.5, 3, 2.0);
}

void drawExcelOut(QPainter& p)
{
    box(p, QRectF(QPointF(0.5, 1.5), QPointF(10.5, 14.5)), colour::white);
    box(p, QRectF(QPointF(0.5, 1.5), QPointF(10.5, 4.5)), colour::teal);
    for (qreal x : {4.0, 7.5})
        line(p, QPointF(x, 5), QPointF(x, 14), colour::grey);
    for (qreal y : {7.5, 10.5})
        line(p, QPointF(1, y), QPointF(10, y), colour::grey);
    polygon(p,
            QPolygonF{QPointF(5.5, 7.5), QPointF(10.5, 7.5), QPointF(10.5, 4.5), QPointF(15.5, 9.5),
                      QPointF(10.5, 14.5), QPointF(10.5, 11.5), QPointF(5.5, 11.5)},
            colour::amber);
}

void drawInsertRow(QPainter& p)
{
    rowTable(p, colour::tealLight);
    QPainterPath plus;
    plus.moveTo(0.5, 7);
    plus.lineTo(7.5, 7);
    plus.moveTo(4, 3.5);
    plus.lineTo(4, 10.5);
    band(p, plus, 3, colour::teal);
}

void drawDeleteRow(QPainter& p)
{
    rowTable(p, colour::redLight);
    QPainterPath cross;
    cross.moveTo(1, 3.5);
    cross.lineTo(7.5, 10);
    cross.moveTo(7.5, 3.5);
    cross.lineTo(1, 10);
    band(p, cross, 3, colour::red);
}

void drawReload(QPainter& p)
{
    // Two arrows chasing each other round a circle.
    const QRectF ring(3, 3, 10, 10);
    for (qreal start : {20.0, 200.0}) {
        const qreal sweep = 125;
        QPainterPath arc;
        arc.arcMoveTo(ring, start);
        arc.arcTo(ring, start, sweep);
        const qreal a = (start + sweep) * std::numbers::pi / 180;
        const QPointF end(8 + 5 * std::cos(a), 8 - 5 * std::sin(a));
        const QPointF dir(-std::sin(a), -std::cos(a));
        band(p, arc, 2.4, colour::teal, Qt::FlatCap, arrowHead(end - dir * 0.3, dir, 3.4, 3.2));
    }
}

void drawMarkAll(QPainter& p)
{
    checkRows(p, true);
}

void drawUnmarkAll(QPainter& p)
{
    checkRows(p, false);
}

void drawFlipPercents(QPainter& p)
{
    percentMark(p, QRectF(1, 0.5, 9, 9.5), 1.4);
    QPainterPath arrows;
    arrows.moveTo(2, 11.5);
    arrows.lineTo(11.5, 11.5);
    arrows.moveTo(14, 14.5);
    arrows.lineTo(4.5, 14.5);
    p.setPen(QPen(colour::amber, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrows);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::amber);
    p.drawPath(arrowHead(QPointF(11, 11.5), QPointF(1, 0), 4, 2.4));
    p.drawPath(arrowHead(QPointF(5, 14.5), QPointF(-1, 0), 4, 2.4));
}

void drawWeight(QPainter& p)
{
    p.fillRect(QRectF(7.25, 3, 1.5, 10), colour::navy);
    polygon(p, QPolygonF{QPointF(4.5, 14.5), QPointF(11.5, 14.5), QPointF(9.5, 12.5), QPointF(6.5, 12.5)},
            colour::navy);
    line(p, QPointF(1.5, 3.5), QPointF(14.5, 3.5), colour::navy, 1.0);
    for (qreal x : {3.0, 13.0}) {
        line(p, QPointF(x, 3.5), QPointF(x - 2.2, 9), colour::navy, 0.8);
        line(p, QPointF(x, 3.5), QPointF(x + 2.2, 9), colour::navy, 0.8);
        QPainterPath pan;
        pan.moveTo(x - 2.7, 9);
        pan.lineTo(x + 2.7, 9);
        pan.arcTo(QRectF(x - 2.7, 6.8, 5.4, 4.4), 0, -180);
        pan.closeSubpath();
        shape(p, pan, colour::amber);
    }
    disc(p, QPointF(8, 2.5), 1.5, colour::amber);
}

void drawVolume(QPainter& p)
{
    // A measuring jug: spout at the left, handle at the right.
    QPainterPath handle;
    handle.moveTo(11, 4.5);
    handle.lineTo(13, 4.5);
    handle.lineTo(13, 10.5);
    handle.lineTo(11, 10.5);
    band(p, handle, 2, colour::light);
    QPainterPath jug;
    jug.moveTo(1.5, 1.5);
    jug.lineTo(11.5, 1.5);
    jug.lineTo(11.5, 14.5);
    jug.lineTo(3.5, 14.5);
    jug.lineTo(3.5, 3.5);
    jug.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawPath(jug);
    p.fillRect(QRectF(3.5, 7.5, 8, 7), colour::teal);
    line(p, QPointF(3.5, 7.5), QPointF(11.5, 7.5));
    line(p, QPointF(4, 5), QPointF(6.5, 5));
    line(p, QPointF(4, 10), QPointF(6.5, 10), colour::white);
    line(p, QPointF(4, 12.5), QPointF(6.5, 12.5), colour::white);
    curve(p, jug, ink());
}

void drawPercent(QPainter& p)
{
    percentMark(p, QRectF(1.5, 1.5, 13, 13), 1.2, colour::amber);
}

void drawBinder(QPainter& p)
{
    // Two linked chain rings.
    auto link = [](QPointF centre) {
        QPainterPath ring;
        ring.addRoundedRect(QRectF(-4.5, -2.2, 9, 4.4), 2.2, 2.2);
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(-45);
        return t.map(ring);
    };
    const QPainterPath first = link(QPointF(5.4, 10.6));
    const QPainterPath second = link(QPointF(10.6, 5.4));
    band(p, first, 2.2, colour::amber, Qt::FlatCap);
    band(p, second, 2.2, colour::amberLight, Qt::FlatCap);
    // Bring the lower-right crossing of the first ring back in front.
    p.save();
    p.setClipRect(QRectF(7.2, 7.2, 5, 5));
    band(p, first, 2.2, colour::amber, Qt::FlatCap);
    p.restore();
}

void drawCost(QPainter& p)
{
    disc(p, QPointF(8, 8), 6.7, colour::amber);
    p.setPen(QPen(colour::amberLight, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 5.2, 5.2);
    QPainterPath s;
    s.moveTo(10.4, 5.5);
    s.cubicTo(9.8, 4.5, 5.6, 4.1, 5.6, 6.3);
    s.cubicTo(5.6, 8.2, 10.4, 7.7, 10.4, 9.8);
    s.cubicTo(10.4, 12, 6.2, 11.6, 5.5, 10.4);
    curve(p, s, stroke(1.4));
    line(p, QPointF(8, 3), QPointF(8, 13), colour::navy, 1.2);
}

void drawPigment(QPainter& p)
{
    disc(p, QPointF(5.3, 5.5), 4, colour::red);
    disc(p, QPointF(10.7, 5.5), 4, colour::amber);
    disc(p, QPointF(8, 10.5), 4, colour::teal);
}

void drawSolids(QPainter& p)
{
    const QPointF top(8, 1.5), right(14.5, 4.5), rightLow(14.5, 11.5), bottom(8, 14.5), leftLow(1.5, 11.5),
        left(1.5, 4.5), centre(8, 7.5);
    polygon(p, QPolygonF{top, right, centre, left}, colour::white);
    polygon(p, QPolygonF{left, centre, bottom, leftLow}, colour::tealLight);
    polygon(p, QPolygonF{centre, right, rightLow, bottom}, colour::teal);
}

void drawVolatile(QPainter& p)
{
    QPainterPath dish;
    dish.moveTo(1.5, 11.5);
    dish.lineTo(14.5, 11.5);
    dish.lineTo(12.5, 14.5);
    dish.lineTo(3.5, 14.5);
    dish.closeSubpath();
    shape(p, dish, colour::teal);
    for (qreal x : {4.5, 8.0, 11.5}) {
        QPainterPath wave;
        wave.moveTo(x, 9.5);
        wave.cubicTo(x - 2, 7.5, x + 2, 5.5, x, 3.5);
        wave.cubicTo(x - 1.2, 2.3, x, 1.2, x + 0.5, 0.8);
        curve(p, wave, stroke(1.3, colour::navy));
    }
}

void drawFolders(QPainter& p)
{
    folder(p, QRectF(QPointF(4.5, 1.5), QPointF(14.5, 10.5)), colour::amber, colour::amberLight);
    folder(p, QRectF(QPointF(1.5, 5.5), QPointF(11.5, 14.5)), colour::amber, colour::amberLight);
}

void drawTipOfTheDay(QPainter& p)
{
    QPainterPath bulb;
    bulb.moveTo(6, 11);
    bulb.cubicTo(6, 9, 3, 8.5, 3, 5.8);
    bulb.cubicTo(3, 3, 5.3, 1, 8, 1);
    bulb.cubicTo(10.7, 1, 13, 3, 13, 5.8);
    bulb.cubicTo(13, 8.5, 10, 9, 10, 11);
    bulb.closeSubpath();
    shape(p, bulb, colour::amberLight);
    QPainterPath shine;
    shine.moveTo(5.2, 6.2);
    shine.cubicTo(5.0, 4.4, 6.2, 3.3, 7.6, 3.1);
    curve(p, shine, stroke(1.1, colour::white));
    box(p, QRectF(QPointF(5.5, 11.5), QPointF(10.5, 14.5)), colour::grey);
    line(p, QPointF(6, 13), QPointF(10, 13), colour::navy, 1.0);
}

void drawHelpContents(QPainter& p)
{
    box(p, QRectF(QPointF(3.5, 11.5), QPointF(13.5, 14.5)), colour::white);
    box(p, QRectF(QPointF(2.5, 1.5), QPointF(13.5, 12.5)), colour::teal);
    line(p, QPointF(4.5, 2), QPointF(4.5, 12), colour::navy, 1.0);
    line(p, QPointF(4.5, 13), QPointF(13, 13), colour::grey, 1.0);
    QPainterPath q;
    q.moveTo(6.9, 5.0);
    q.cubicTo(6.9, 2.9, 11.3, 2.9, 11.3, 5.0);
    q.cubicTo(11.3, 6.6, 9.1, 6.5, 9.1, 8.4);
    curve(p, q, QPen(colour::white, 1.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawRect(QRectF(8.35, 9.3, 1.5, 1.5));
}

void drawPrint(QPainter& p)
{
    box(p, QRectF(QPointF(4.5, 1.5), QPointF(11.5, 6.5)), colour::white);
    QPainterPath body;
    body.addRoundedRect(QRectF(QPointF(1.5, 5.5), QPointF(14.5, 11.5)), 1, 1);
    shape(p, body, colour::light);
    p.fillRect(QRectF(12, 7, 1.5, 1.5), colour::teal);
    page(p, QRectF(QPointF(4.5, 9.5), QPointF(11.5, 14.5)), 0);
    textLines(p, 6, 10, 11.5, 2, 2.0);
}

void drawFind(QPainter& p)
{
    QPainterPath handle;
    handle.moveTo(9.8, 9.8);
    handle.lineTo(14, 14);
    band(p, handle, 3, colour::navy, Qt::RoundCap);
    p.setPen(ink(1.5));
    p.setBrush(colour::tealLight);
    p.drawEllipse(QPointF(6.5, 6.5), 4.75, 4.75);
    QPainterPath shine;
    shine.arcMoveTo(QRectF(3.8, 3.8, 5.4, 5.4), 100);
    shine.arcTo(QRectF(3.8, 3.8, 5.4, 5.4), 100, 70);
    curve(p, shine, stroke(1.1, colour::white));
}

void drawEditMaterials(QPainter& p)
{
    QPainterPath jar;
    jar.addRoundedRect(QRectF(QPointF(1.5, 3.5), QPointF(11.5, 14.5)), 1.5, 1.5);
    shape(p, jar, colour::white);
    p.save();
    p.setClipRect(QRectF(0, 8, 16, 8));
    shape(p, jar, colour::amber);
    p.restore();
    line(p, QPointF(2, 8), QPointF(11, 8), colour::navy);
    box(p, QRectF(QPointF(2.5, 1.5), QPointF(10.5, 3.5)), colour::teal);
    // pencil, lying from the lower left to the upper right
    QTransform t;
    t.translate(7.2, 14.2);
    t.rotate(-45);
    const qreal w = 1.6;
    const QPolygonF tip{QPointF(0, 0), QPointF(3, -w), QPointF(3, w)};
    const QPolygonF body{QPointF(3, -w), QPointF(10, -w), QPointF(10, w), QPointF(3, w)};
    const QPolygonF end{QPointF(10, -w), QPointF(12, -w), QPointF(12, w), QPointF(10, w)};
    polygon(p, t.map(body), colour::amber);
    polygon(p, t.map(end), colour::red);
    polygon(p, t.map(tip), colour::amberLight);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::navy);
    p.drawPolygon(t.map(QPolygonF{QPointF(0, 0), QPointF(1.1, -0.6), QPointF(1.1, 0.6)}));
}

// The About window's Ok: a teal tick with a navy outline.
void drawOk(QPainter& p)
{
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.5, 12.5);
    tick.lineTo(13.5, 3.5);
    band(p, tick, 2.6, colour::teal, Qt::RoundCap);
}

using Drawing = void (*)(QPainter&);

constexpr std::array<Drawing, 28> menuDrawings{
    drawNew,          drawOpen,      drawSave,      drawProperties,   //  1 -  4
    drawDelete,       drawCut,       drawCopy,      drawPaste,        //  5 -  8
    drawExcelOut,     drawInsertRow, drawDeleteRow, drawReload,       //  9 - 12
    drawMarkAll,      drawUnmarkAll, drawFlipPercents, drawWeight,    // 13 - 16
    drawVolume,       drawPercent,   drawBinder,    drawCost,         // 17 - 20
    drawPigment,      drawSolids,    drawVolatile,  drawFolders,      // 21 - 24
    drawTipOfTheDay,  drawHelpContents, drawPrint,  drawFind,         // 25 - 28
};

QPixmap render(Drawing draw, int logical, qreal dpr)
{
    QPixmap pixmap(QSize(logical, logical) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(logical / 16.0, logical / 16.0);
    draw(p);
    return pixmap;
}

QIcon iconFrom(Drawing draw)
{
    QIcon icon;
    for (int logical : {16, 24})
        for (qreal dpr : {1.0, 2.0})
            icon.addPixmap(render(draw, logical, dpr));
    return icon;
}

// A canvas of `size` logical pixels at the screen's pixel ratio.
QPixmap canvas(QSize size)
{
    const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// ---- About pictures ------------------------------------------------------

// A paint can seen slightly from above, full of teal paint; 64 x 64 grid.
void paintCan(QPainter& p)
{
    const QRectF rim(12, 30, 40, 10);
    QPainterPath body;
    body.moveTo(12, 35);
    body.lineTo(12, 55);
    body.arcTo(QRectF(12, 50, 40, 10), 180, 180);
    body.lineTo(52, 35);
    body.closeSubpath();
    p.setPen(ink(1.5));
    p.setBrush(colour::light);
    p.drawPath(body);
    // label band
    QPainterPath label;
    label.moveTo(12, 42);
    label.arcTo(QRectF(12, 37, 40, 10), 180, 180);
    label.lineTo(52, 50);
    label.arcTo(QRectF(12, 45, 40, 10), 0, -180);
    label.closeSubpath();
    p.setPen(ink(1.2));
    p.setBrush(colour::amber);
    p.drawPath(label);
    // rim and paint surface
    p.setPen(ink(1.5));
    p.setBrush(colour::grey);
    p.drawEllipse(rim);
    p.setBrush(colour::teal);
    p.drawEllipse(rim.adjusted(2.5, 1.5, -2.5, -1.5));
    // a run of paint down the side
    QPainterPath run;
    run.moveTo(40, 39);
    run.lineTo(40, 44);
    run.arcTo(QRectF(38, 42, 4, 4), 0, -180);
    run.lineTo(38, 39.5);
    p.setPen(ink(1.0));
    p.setBrush(colour::teal);
    p.drawPath(run);
}

void splashFrame(QPainter& p, int frame)
{
    paintCan(p);
    p.setPen(ink(1.5));
    p.setBrush(colour::teal);
    switch (frame) {
    case 1:
        p.drawPath(dropPath(32, 3, 17, 5));
        break;
    case 2:
        p.drawPath(dropPath(32, 12, 31, 4.5));
        break;
    default: {
        p.setBrush(Qt::NoBrush);
        p.setPen(ink(1.0, colour::tealLight));
        p.drawEllipse(QPointF(32, 35), 9, 2.2);
        p.drawEllipse(QPointF(32, 35), 4.5, 1.1);
        p.setPen(ink(1.2));
        p.setBrush(colour::teal);
        QPainterPath crown;
        crown.moveTo(27, 35);
        crown.lineTo(25, 28);
        crown.lineTo(29, 32);
        crown.lineTo(32, 26);
        crown.lineTo(35, 32);
        crown.lineTo(39, 28);
        crown.lineTo(37, 35);
        crown.closeSubpath();
        p.drawPath(crown);
        p.drawEllipse(QPointF(22, 24), 1.8, 1.8);
        p.drawEllipse(QPointF(32, 20), 2.0, 2.0);
        p.drawEllipse(QPointF(42, 24), 1.8, 1.8);
        break;
    }
    }
}

}  // namespace

namespace Artwork {

QIcon menuIcon(int number)
{
    if (number < 1 || number > static_cast<int>(menuDrawings.size()))
        return {};
    return iconFrom(menuDrawings[static_cast<std::size_t>(number - 1)]);
}

QIcon editMaterialsIcon()
{
    return iconFrom(drawEditMaterials);
}

QImage buttonGlyph(int number, qreal devicePixelRatio)
{
    if (number != 0 && (number < 1 || number > static_cast<int>(menuDrawings.size())))
        return {};
    const Drawing draw = number == 0 ? drawEditMaterials : menuDrawings[static_cast<std::size_t>(number - 1)];
    return render(draw, 16, devicePixelRatio).toImage();
}

QImage okGlyph(qreal devicePixelRatio)
{
    return render(drawOk, 16, devicePixelRatio).toImage();
}

QPixmap logo(QSize size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal h = size.height();

    // mark: a drop of paint over a fan of colour swatches
    const qreal markWidth = h * 0.8;
    const qreal left = h * 0.08;
    p.save();
    p.translate(left, 0);
    const qreal cardW = markWidth * 0.42;
    const qreal cardH = h * 0.62;
    const std::array<QColor, 3> cards{colour::red, colour::amber, colour::teal};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        p.save();
        p.translate(markWidth * 0.5, h * 0.92);
        p.rotate(-28.0 + 22.0 * static_cast<qreal>(i));
        p.setPen(ink(std::max(1.0, h / 40)));
        p.setBrush(cards[i]);
        p.drawRoundedRect(QRectF(-cardW / 2, -cardH, cardW, cardH), cardW * 0.15, cardW * 0.15);
        p.restore();
    }
    p.restore();

    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"), QStringLiteral("serif")});
    font.setBold(true);
    const qreal textLeft = left + markWidth + h * 0.22;
    const qreal room = size.width() - textLeft - h * 0.08;
    const QString word = QStringLiteral("Tintora");
    int pixelSize = static_cast<int>(h * 0.72);
    for (; pixelSize > 6; --pixelSize) {
        font.setPixelSize(pixelSize);
        if (QFontMetricsF(font).horizontalAdvance(word) <= room)
            break;
    }
    font.setPixelSize(pixelSize);
    const QFontMetricsF metrics(font);
    const qreal baseline = (h + metrics.capHeight()) / 2;
    p.setFont(font);
    p.setPen(colour::navy);
    p.drawText(QPointF(textLeft, baseline), word);
    return pixmap;
}

QPixmap splashPicture(int frame, QSize size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 64.0, size.height() / 64.0);
    splashFrame(p, frame);
    return pixmap;
}

}  // namespace Artwork
