#pragma once
// Pictures from the program's SVG resources (":/icons/name.svg"), drawn at the
// size they are asked for, so that they stay sharp at any device pixel ratio.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace svgicon {

// The path of a picture in the resources: "new" gives ":/icons/new.svg".
QString resourcePath(const QString& name);

// An icon drawn from the picture at whatever size and mode it is asked for;
// nothing is drawn before then. Null when the picture does not exist.
QIcon icon(const QString& name);

// The picture at logicalSize, for the given device pixel ratio, transparent
// around the drawing.
QImage image(const QString& name, QSize logicalSize, qreal devicePixelRatio);
QPixmap pixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio);

// Draws the picture into target on painter.
void render(const QString& name, QPainter& painter, const QRectF& target);
// Draws the picture into the target that targetFor gives for the picture's own
// coordinates (its view box); the file is read once.
void render(const QString& name, QPainter& painter, const std::function<QRectF(const QRectF& viewBox)>& targetFor);

}  // namespace svgicon
