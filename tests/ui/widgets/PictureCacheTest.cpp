#include "ui/widgets/PictureCache.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A picture of random pixels, so that a cache handing back the wrong one or
// a scrambled copy cannot pass.
QImage randomPicture(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int alpha = int(QRandomGenerator::global()->bounded(256));
            const auto channel = [&] { return int(QRandomGenerator::global()->bounded(alpha + 1)); };
            image.setPixel(x, y, qRgba(channel(), channel(), channel(), alpha));
        }
    return image;
}

}  // namespace

class PictureCacheTest : public QObject {
    Q_OBJECT
private slots:
    // The next run gets the very pixels drawn, without drawing; another key draws.
    void keepsPicturesBetweenRuns()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sub/pictures.cache"));
        const QList<QImage> drawn{randomPicture({16, 16}), randomPicture({7, 3}), randomPicture({360, 88})};
        int draws = 0;
        {
            PictureCache cache(file);
            for (qsizetype i = 0; i < drawn.size(); ++i)
                QCOMPARE(cache.picture(QByteArray::number(i), [&] { return ++draws, drawn[i]; }), drawn[i]);
        }
        PictureCache next(file);
        for (qsizetype i = 0; i < drawn.size(); ++i)
            QCOMPARE(next.picture(QByteArray::number(i), [&] { return ++draws, QImage(); }), drawn[i]);
        QCOMPARE(draws, 3);
        const QImage other = randomPicture({16, 16});
        QCOMPARE(next.picture("another", [&] { return ++draws, other; }), other);
        QCOMPARE(draws, 4);
    }

    void damagedFileIsDrawnAgain_data()
    {
        QTest::addColumn<int>("keptBytes");
        QTest::addColumn<int>("flippedByte");
        QTest::newRow("empty") << 0 << -1;
        QTest::newRow("cut in the header") << 10 << -1;
        QTest::newRow("cut in the pixels") << 200 << -1;
        QTest::newRow("other Qt version") << -1 << 28;
        QTest::newRow("picture wider than kept") << -1 << 43;
    }
    void damagedFileIsDrawnAgain()
    {
        QFETCH(int, keptBytes);
        QFETCH(int, flippedByte);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pictures.cache"));
        const QImage picture = randomPicture({16, 16});
        PictureCache(file).picture("key", [&] { return picture; });

        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        if (keptBytes >= 0)
            bytes.truncate(keptBytes);
        if (flippedByte >= 0)
            bytes[flippedByte] = char(bytes[flippedByte] ^ 0x40);
        f.resize(0);
        f.write(bytes);
        f.close();

        int draws = 0;
        PictureCache damaged(file);
        QCOMPARE(damaged.picture("key", [&] { return ++draws, picture; }), picture);
        QCOMPARE(draws, 1);
    }
};

QTEST_GUILESS_MAIN(PictureCacheTest)
#include "PictureCacheTest.moc"
