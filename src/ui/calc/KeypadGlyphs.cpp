#include "calc/KeypadGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int GlyphSize = 16;

QPixmap glyph(const QColor& colour, const QPainterPath& stroke)
{
    QPixmap pixmap(GlyphSize, GlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(stroke);
    return pixmap;
}

}  // namespace

namespace KeypadGlyphs {

QIcon acceptIcon()
{
    QPainterPath tick;
    tick.moveTo(3, 8.5);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 4);
    return QIcon(glyph(QColor(0, 128, 0), tick));
}

QIcon cancelIcon()
{
    QPainterPath cross;
    cross.moveTo(4, 4);
    cross.lineTo(12, 12);
    cross.moveTo(12, 4);
    cross.lineTo(4, 12);
    return QIcon(glyph(QColor(192, 0, 0), cross));
}

}  // namespace KeypadGlyphs
