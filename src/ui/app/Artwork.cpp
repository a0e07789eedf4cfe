#include "ui/app/Artwork.h"

#include "ui/widgets/SvgIcon.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// The picture files of the command icons, in the order of Artwork::Icon after None.
constexpr std::array<const char*, Artwork::IconCount> commandPictures{
    "new",
    "open",
    "save",
    "properties",
    "delete",
    "cut",
    "copy",
    "paste",
    "excel-out",
    "insert-row",
    "delete-row",
    "reload",
    "mark-all",
    "unmark-all",
    "flip-percents",
    "weight",
    "volume",
    "percent",
    "binder",
    "cost",
    "pigment",
    "solids",
    "volatile",
    "folders",
    "bulb",
    "help-contents",
    "print",
    "find",
    "edit-materials",
};

const QString applicationPicture = QStringLiteral("tintora");
const QString wordmarkPicture = QStringLiteral("wordmark");
// The height of the wordmark's capitals, drawn at 100 px.
constexpr qreal WordmarkCapHeight = 73;

// The picture of a command icon; empty for None.
QString pictureOf(Artwork::Icon which)
{
    if (which == Artwork::Icon::None)
        return {};
    return QString::fromLatin1(commandPictures[static_cast<std::size_t>(which) - 1]);
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

QIcon icon(Icon which)
{
    const QString picture = pictureOf(which);
    return picture.isEmpty() ? QIcon() : svgicon::icon(picture);
}

QIcon applicationIcon()
{
    return svgicon::icon(applicationPicture);
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
