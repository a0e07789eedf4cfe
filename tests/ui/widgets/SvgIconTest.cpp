#include "ui/widgets/SvgIcon.h"
#include "ui/app/Artwork.h"
#include "ui/widgets/TTipWindow.h"

#include <QDir>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QtTest>

namespace {

int drawnPixels(const QImage& image)
{
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    return drawn;
}

bool samePixels(QImage a, QImage b)
{
    a = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    b = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    a.setDevicePixelRatio(1);
    b.setDevicePixelRatio(1);
    return a == b;
}

}  // namespace

class SvgIconTest : public QObject {
    Q_OBJECT
private slots:
    // Pictures kept from an earlier run would hide the drawing under test.
    void initTestCase() { QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).removeRecursively(); }

    // Every picture among the resources is a valid SVG that draws something.
    void everyPictureDraws()
    {
        svgicon::icon(QStringLiteral("new"));  // registers the resources
        const QStringList pictures = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")});
        QVERIFY(pictures.size() > 30);
        for (const QString& file : pictures) {
            const QString name = file.chopped(4);
            QVERIFY2(QSvgRenderer(svgicon::resourcePath(name)).isValid(), qPrintable(name));
            QVERIFY2(drawnPixels(svgicon::image(name, QSize(16, 16), 1.0)) > 10, qPrintable(name));
        }
    }

    void everyCommandIconHasItsPicture()
    {
        for (int which = 1; which <= Artwork::IconCount; ++which)
            QVERIFY2(!Artwork::icon(Artwork::Icon(which)).isNull(), qPrintable(QString::number(which)));
        QVERIFY(Artwork::icon(Artwork::Icon::None).isNull());
        QVERIFY(svgicon::icon(QStringLiteral("no-such-picture")).isNull());
        QVERIFY(!Artwork::applicationIcon().isNull());
    }

    // At any pixel ratio an icon is drawn at the physical size, not enlarged
    // from a smaller drawing; a disabled icon is drawn differently.
    void iconsAreDrawnAtThePhysicalSize_data()
    {
        QTest::addColumn<qreal>("dpr");
        for (qreal dpr : {1.0, 1.5, 2.0, 3.0})
            QTest::addRow("ratio %g", dpr) << dpr;
    }
    void iconsAreDrawnAtThePhysicalSize()
    {
        QFETCH(qreal, dpr);
        const QIcon icon = Artwork::icon(Artwork::Icon::Cost);
        const QPixmap shown = icon.pixmap(QSize(16, 16), dpr);
        QCOMPARE(shown.size(), QSize(16, 16) * dpr);
        QCOMPARE(shown.devicePixelRatio(), dpr);
        QVERIFY(samePixels(shown.toImage(), svgicon::image(QStringLiteral("cost"), QSize(16, 16), dpr)));
        QVERIFY(!samePixels(icon.pixmap(QSize(16, 16), dpr, QIcon::Disabled).toImage(), shown.toImage()));

        const QPixmap bulb = tipwindow::bulbPicture(32, dpr);
        QCOMPARE(bulb.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(bulb.size(), QSize(32, 32) * dpr);
    }
};

QTEST_MAIN(SvgIconTest)
#include "SvgIconTest.moc"
