#include "ui/app/Artwork.h"

#include "ui/widgets/SvgIcon.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// The menu image list: picture names by number, 1 ... 28.
constexpr std::array<const char*, 28> menuPictures{
    "new", "open", "save", "properties",  //  1 -  4
    "delete", "cut", "copy", "paste",  //  5 -  8
    "excel-out", "insert-row", "delete-row", "reload",  //  9 - 12
    "mark-all", "unmark-all", "flip-percents", "weight",  // 13 - 16
    "volume", "percent", "binder", "cost",  // 17 - 20
    "pigment", "solids", "volatile", "folders",  // 21 - 24
    "bulb", "help-contents", "print", "find",  // 25 - 28
};

const QString editMaterialsPicture = QStringLiteral("edit-materials");
const QString applicationPicture = QStringLiteral("tintora");
const QString wordmarkPicture = QStringLiteral("wordmark");
// The height of the wordmark's capitals, drawn at 100 px.
constexpr qreal WordmarkCapHeight = 73;

// The picture of menu image `number`, or of Edit Materials for 0; empty when unknown.
QString pictureOf(int number)
{
    if (number == 0)
        return editMaterialsPicture;
    if (number < 1 || number > static_cast<int>(menuPictures.size()))
        return {};
    return QString::fromLatin1(menuPictures[static_cast<std::size_t>(number - 1)]);
}

qreal screenPixelRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// The program's logo on a transparent canvas of `size` logical pixels.
QImage drawLogo(QSize size, qreal dpr)
{
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    svgicon::render(applicationPicture, p, QRectF(0, 0, h, h));

    // The word as drawn at 100 px, baseline at y = 0: as large as it fits
    // beside the icon, up to 72 px in a logo 100 px high, its capitals
    // centred on the height.
    svgicon::render(wordmarkPicture, p, [&](const QRectF& word) {
        const qreal textLeft = h * 1.1;
        const qreal room = size.width() - textLeft - h * 0.08;
        const qreal scale = std::min(h * 0.72, 100 * room / word.right()) / 100;
        const qreal baseline = (h + WordmarkCapHeight * scale) / 2;
        return QRectF(
            textLeft + word.left() * scale, baseline + word.top() * scale, word.width() * scale, word.height() * scale);
    });
    return image;
}

}  // namespace

namespace Artwork {

QIcon menuIcon(int number)
{
    if (number == 0)
        return {};
    const QString picture = pictureOf(number);
    return picture.isEmpty() ? QIcon() : svgicon::icon(picture);
}

QIcon editMaterialsIcon()
{
    return svgicon::icon(editMaterialsPicture);
}

QIcon applicationIcon()
{
    return svgicon::icon(applicationPicture);
}

QImage buttonGlyph(int number, qreal devicePixelRatio)
{
    const QString picture = pictureOf(number);
    if (picture.isEmpty())
        return {};
    return svgicon::image(picture, QSize(16, 16), devicePixelRatio);
}

QImage okGlyph(qreal devicePixelRatio)
{
    return svgicon::image(QStringLiteral("ok"), QSize(16, 16), devicePixelRatio);
}

QPixmap logo(QSize size)
{
    const qreal dpr = screenPixelRatio();
    return QPixmap::fromImage(drawLogo(size, dpr));
}

QPixmap splashPicture(int frame, QSize size)
{
    const QString picture = QStringLiteral("splash-%1").arg(frame == 1 || frame == 2 ? frame : 3);
    return svgicon::pixmap(picture, size, screenPixelRatio());
}

}  // namespace Artwork
