#include "ui/widgets/SvgIcon.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <cmath>
#include <mutex>

// Q_INIT_RESOURCE declares a function of the global namespace: it cannot be
// used inside one.
static void registerPictures()
{
    Q_INIT_RESOURCE(tintora);
}

namespace {

void ensurePicturesRegistered()
{
    static std::once_flag once;
    std::call_once(once, registerPictures);
}

QImage renderImage(const QString& path, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

// An icon engine drawing an SVG file at the size asked for, in the style's
// form of the mode (greyed when disabled), and keeping what it drew.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(QString path)
        : path_(std::move(path))
    {
    }

    QIconEngine* clone() const override { return new SvgIconEngine(path_); }
    QString key() const override { return QStringLiteral("tintora-svg"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    bool isNull() override { return false; }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return {};
        const QString key = QStringLiteral("%1x%2/%3").arg(size.width()).arg(size.height()).arg(int(mode));
        auto found = drawn_.constFind(key);
        if (found != drawn_.constEnd())
            return *found;
        QPixmap pixmap = QPixmap::fromImage(renderImage(path_, size));
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        drawn_.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize pixels(qRound(rect.width() * ratio), qRound(rect.height() * ratio));
        painter->drawPixmap(rect, pixmap(pixels, mode, state));
    }

private:
    QString path_;
    QHash<QString, QPixmap> drawn_;
};

}  // namespace

namespace svgicon {

QString resourcePath(const QString& name)
{
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

QIcon icon(const QString& name)
{
    ensurePicturesRegistered();
    const QString path = resourcePath(name);
    if (!QFile::exists(path))
        return {};
    return QIcon(new SvgIconEngine(path));
}

QImage image(const QString& name, QSize logicalSize, qreal devicePixelRatio)
{
    ensurePicturesRegistered();
    const QSize pixels(qRound(logicalSize.width() * devicePixelRatio), qRound(logicalSize.height() * devicePixelRatio));
    QImage picture = renderImage(resourcePath(name), pixels);
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QPixmap pixmap(const QString& name, QSize logicalSize, qreal devicePixelRatio)
{
    return QPixmap::fromImage(image(name, logicalSize, devicePixelRatio));
}

void render(const QString& name, QPainter& painter, const QRectF& target)
{
    render(name, painter, [&target](const QRectF&) { return target; });
}

void render(const QString& name, QPainter& painter, const std::function<QRectF(const QRectF& viewBox)>& targetFor)
{
    ensurePicturesRegistered();
    QSvgRenderer renderer(resourcePath(name));
    renderer.render(&painter, targetFor(renderer.viewBoxF()));
}

}  // namespace svgicon
