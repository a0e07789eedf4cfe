#include "RenderHelpers.h"

#include "ui/app/Artwork.h"
#include "ui/widgets/TExplorerButton.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>
#include <QtMath>

namespace {

const QColor Teal(0, 128, 128);  // a transparent colour of an opaque glyph
const QColor Red(255, 0, 0);  // sum 255: highlight in the medium copy
const QColor Blue(0, 0, 200);  // sum 200: shadow
const QColor Cream(255, 255, 128);  // a light fill: never etched

// 16 x 16 as the program's glyphs are: a transparent surround, a red and a
// blue square, a cream block below the red one, a black bar at rows 12-13.
QImage testGlyph()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 8; ++x) {
            image.setPixelColor(x, y, Red);
            image.setPixelColor(x + 6, y, Blue);
        }
    for (int y = 8; y < 11; ++y)
        for (int x = 2; x < 8; ++x)
            image.setPixelColor(x, y, Cream);
    for (int y = 12; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            image.setPixelColor(x, y, Qt::black);
    return image;
}

// The physical pixels of `image` that differ from its top-left pixel.
QRegion changedPixels(const QImage& image)
{
    QRegion changed;
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                changed += QRect(x, y, 1, 1);
    return changed;
}

// The physical pixels a glyph draws on, at its place in a button.
QRegion drawnPixels(const QImage& glyph, QPointF logicalOrigin)
{
    QRegion drawn;
    const QPoint origin = (logicalOrigin * glyph.devicePixelRatio()).toPoint();
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (qAlpha(glyph.pixel(x, y)) != 0)
                drawn += QRect(origin.x() + x, origin.y() + y, 1, 1);
    return drawn;
}

QColor withSum(int sum)
{
    const int r = std::min(sum, 255);
    const int g = std::min(sum - r, 255);
    return QColor(r, g, sum - r - g);
}

}  // namespace

class TExplorerButtonTest : public QObject {
    Q_OBJECT

private:
    // A button bar: a parent in the button-face colour with two grouped buttons.
    struct Bar {
        QWidget window;
        TExplorerButton* first = nullptr;
        TExplorerButton* second = nullptr;
        Bar()
        {
            window.setAutoFillBackground(true);
            window.setBackgroundRole(QPalette::Button);
            window.resize(200, 80);
            first = make(QPoint(10, 10), "&New");
            second = make(QPoint(80, 10), "&Open");
            first->setOptions(first->Options() | TButtonOption::boIconOnly);
            second->setOptions(second->Options() | TButtonOption::boIconOnly);
        }
        TExplorerButton* make(QPoint at, const QString& caption)
        {
            auto* b = new TExplorerButton(&window);
            b->setBitmap(testGlyph());
            b->setCaption(caption);
            b->setGeometry(QRect(at, QSize(40, 40)));
            return b;
        }
        bool show()
        {
            window.show();
            QApplication::setActiveWindow(&window);
            return QTest::qWaitForWindowActive(&window);
        }
        QImage render(qreal dpr) { return renderWidget(window, dpr); }
        // A glyph pixel of a button in window coordinates.
        static QPoint glyphPixel(TExplorerButton* b, int x, int y)
        {
            return b->pos() + b->paintGeometry().glyph + QPoint(x, y);
        }
    };

private slots:
    void shadingThresholdRows_data();
    void shadingThresholdRows();
    void shadedCopyLeavesTransparentPixels();
    void layoutPositions_data();
    void layoutPositions();
    void accessKeyMarks_data();
    void accessKeyMarks();
    void popupMarkShape();
    void checkerboard();

    void restingGlyphIsGreyAndHoverShowsColour_data();
    void restingGlyphIsGreyAndHoverShowsColour();
    void dragOffRaisesNoClickDragBackClicks();
    void groupedButtonStaysDownWithCheckerboard_data();
    void groupedButtonStaysDownWithCheckerboard();
    void groupRules();
    void disabledButtonIsEtchedAndIgnoresMouse();
    void programGlyphsSitInPlaceAtEveryPixelRatio_data();
    void programGlyphsSitInPlaceAtEveryPixelRatio();
    void accessKeyClicks();
    void iconOnlyHintRule();
    void takesNoFocus();
    void popupMarkBesideGlyph();
    void defaultActionDrivesTheButton_data();
    void defaultActionDrivesTheButton();
};

void TExplorerButtonTest::shadingThresholdRows_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("sum");
    QTest::addColumn<QString>("expected");
    const int light = int(ShadingType::stLight);
    const int medium = int(ShadingType::stMedium);
    const int dark = int(ShadingType::stDark);
    QTest::newRow("medium 600") << medium << 600 << "white";
    QTest::newRow("medium 200") << medium << 200 << "shadow";
    QTest::newRow("medium 40") << medium << 40 << "black";
    QTest::newRow("medium 554") << medium << 554 << "white";
    QTest::newRow("medium 553") << medium << 553 << "highlight";
    QTest::newRow("medium 232") << medium << 232 << "highlight";
    QTest::newRow("medium 231") << medium << 231 << "shadow";
    QTest::newRow("medium 58") << medium << 58 << "shadow";
    QTest::newRow("medium 57") << medium << 57 << "black";
    QTest::newRow("light 206") << light << 206 << "white";
    QTest::newRow("light 205") << light << 205 << "highlight";
    QTest::newRow("light 128") << light << 128 << "highlight";
    QTest::newRow("light 127") << light << 127 << "shadow";
    QTest::newRow("light 69") << light << 69 << "shadow";
    QTest::newRow("light 68") << light << 68 << "black";
    QTest::newRow("dark 336") << dark << 336 << "white";
    QTest::newRow("dark 335") << dark << 335 << "highlight";
    QTest::newRow("dark 275") << dark << 275 << "highlight";
    QTest::newRow("dark 274") << dark << 274 << "shadow";
    QTest::newRow("dark 176") << dark << 176 << "shadow";
    QTest::newRow("dark 175") << dark << 175 << "black";
    QTest::newRow("dark 765") << dark << 765 << "white";
    QTest::newRow("dark 0") << dark << 0 << "black";
}

void TExplorerButtonTest::shadingThresholdRows()
{
    QFETCH(int, type);
    QFETCH(int, sum);
    QFETCH(QString, expected);
    const QColor highlight(1, 2, 3);
    const QColor shadow(4, 5, 6);
    const QColor result = shadePixel(withSum(sum), ShadingType(type), highlight, shadow);
    const QColor want = expected == "white" ? QColor(Qt::white)
        : expected == "highlight"           ? highlight
        : expected == "shadow"              ? shadow
                                            : QColor(Qt::black);
    QCOMPARE(result, want);
}

void TExplorerButtonTest::shadedCopyLeavesTransparentPixels()
{
    // An opaque glyph: its top-left pixel's colour is the transparent one.
    QImage glyph = testGlyph().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (glyph.pixelColor(x, y) == QColor(Qt::black) && y < 12)
                glyph.setPixelColor(x, y, Teal);
    glyph.setPixelColor(10, 10, Teal);
    const QImage copy = shadedGlyph(glyph, ShadingType::stMedium, QColor(1, 2, 3), QColor(4, 5, 6));
    QCOMPARE(copy.pixelColor(0, 0), Teal);
    QCOMPARE(copy.pixelColor(10, 10), Teal);
    QCOMPARE(copy.pixelColor(3, 3), QColor(1, 2, 3));
    QCOMPARE(copy.pixelColor(9, 3), QColor(4, 5, 6));
    QCOMPARE(copy.pixelColor(5, 12), QColor(Qt::black));
    const QImage drawn = transparentGlyph(copy);
    QCOMPARE(drawn.pixelColor(10, 10).alpha(), 0);
    QCOMPARE(drawn.pixelColor(3, 3).alpha(), 255);
}

void TExplorerButtonTest::layoutPositions_data()
{
    QTest::addColumn<QSize>("button");
    QTest::addColumn<QSize>("text");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<bool>("popup");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<QPoint>("glyphAt");
    QTest::addColumn<QRect>("textRect");
    QTest::addColumn<QPoint>("mark");

    const int top = int(TButtonLayout::GlyphTop), bottom = int(TButtonLayout::GlyphBottom);
    const int left = int(TButtonLayout::GlyphLeft), right = int(TButtonLayout::GlyphRight);
    const int aLeft = int(TButtonAlignment::Left), aRight = int(TButtonAlignment::Right);
    const int aCentre = int(TButtonAlignment::Center);
    const QSize g16(16, 16);
    const QSize t30(30, 13);
    const QSize t40(40, 13);
    QTest::newRow("glyph top, centre") << QSize(60, 50) << t30 << g16 << false << top << aCentre << false
                                       << QPoint(22, 9) << QRect(15, 27, 30, 13) << QPoint(41, 17);
    QTest::newRow("glyph top, left") << QSize(60, 50) << t30 << g16 << false << top << aLeft << false << QPoint(3, 9)
                                     << QRect(3, 27, 30, 13) << QPoint(22, 17);
    QTest::newRow("glyph top, right") << QSize(60, 50) << t30 << g16 << false << top << aRight << false << QPoint(41, 9)
                                      << QRect(27, 27, 30, 13) << QPoint(60, 17);
    QTest::newRow("glyph bottom, left") << QSize(60, 50) << t30 << g16 << false << bottom << aLeft << false
                                        << QPoint(3, 24) << QRect(3, 9, 30, 13) << QPoint(22, 32);
    QTest::newRow("glyph left, centre") << QSize(80, 24) << t40 << g16 << false << left << aCentre << false
                                        << QPoint(11, 4) << QRect(29, 5, 40, 13) << QPoint(30, 12);
    QTest::newRow("glyph left, left") << QSize(80, 24) << t40 << g16 << false << left << aLeft << false << QPoint(3, 4)
                                      << QRect(21, 5, 40, 13) << QPoint(22, 12);
    QTest::newRow("glyph left, right") << QSize(80, 24) << t40 << g16 << false << left << aRight << false
                                       << QPoint(19, 4) << QRect(37, 5, 40, 13) << QPoint(38, 12);
    QTest::newRow("glyph right, right") << QSize(80, 24) << t40 << g16 << false << right << aRight << false
                                        << QPoint(61, 4) << QRect(19, 5, 40, 13) << QPoint(80, 12);
    QTest::newRow("glyph right, centre") << QSize(80, 24) << t40 << g16 << false << right << aCentre << false
                                         << QPoint(53, 4) << QRect(11, 5, 40, 13) << QPoint(72, 12);
    QTest::newRow("glyph left, text narrowed") << QSize(50, 24) << t40 << g16 << false << left << aCentre << false
                                               << QPoint(2, 4) << QRect(20, 5, 28, 13) << QPoint(21, 12);
    QTest::newRow("no glyph, popup mark") << QSize(60, 24) << t30 << QSize() << true << top << aCentre << false
                                          << QPoint(0, 0) << QRect(10, 5, 30, 13) << QPoint(43, 11);
    QTest::newRow("no glyph, right") << QSize(60, 24) << t30 << QSize() << false << top << aRight << false
                                     << QPoint(0, 0) << QRect(27, 5, 30, 13) << QPoint(60, 11);
    QTest::newRow("glyph with popup mark") << QSize(60, 50) << t30 << g16 << true << top << aCentre << false
                                           << QPoint(17, 9) << QRect(15, 27, 30, 13) << QPoint(36, 17);
    QTest::newRow("icon only") << QSize(24, 24) << QSize() << g16 << false << top << aCentre << false << QPoint(4, 4)
                               << QRect(12, 20, 0, 0) << QPoint(23, 12);
    QTest::newRow("glyph taller than button rounds toward zero")
        << QSize(24, 10) << QSize() << g16 << false << top << aCentre << false << QPoint(4, -3) << QRect(12, 13, 0, 0)
        << QPoint(23, 5);
    QTest::newRow("caption limited to W - 4") << QSize(40, 24) << QSize(90, 13) << QSize() << false << top << aCentre
                                              << false << QPoint(0, 0) << QRect(2, 5, 36, 13) << QPoint(41, 11);
    QTest::newRow("word wrap narrows text") << QSize(40, 24) << QSize(90, 13) << QSize() << false << top << aCentre
                                            << true << QPoint(0, 0) << QRect(2, 5, 33, 13) << QPoint(38, 11);
}

void TExplorerButtonTest::layoutPositions()
{
    QFETCH(QSize, button);
    QFETCH(QSize, text);
    QFETCH(QSize, glyph);
    QFETCH(bool, popup);
    QFETCH(int, layout);
    QFETCH(int, alignment);
    QFETCH(bool, wordWrap);
    QFETCH(QPoint, glyphAt);
    QFETCH(QRect, textRect);
    QFETCH(QPoint, mark);
    ExplorerButtonLayoutInput in;
    in.button = button;
    in.text = text;
    in.glyph = glyph;
    in.popupMark = popup;
    in.layout = TButtonLayout(layout);
    in.alignment = TButtonAlignment(alignment);
    in.wordWrap = wordWrap;
    const ExplorerButtonGeometry g = explorerButtonLayout(in);
    if (!glyph.isEmpty())
        QCOMPARE(g.glyph, glyphAt);
    QCOMPARE(g.text, textRect);
    QCOMPARE(g.markRaised, mark);
    QCOMPARE(g.markSunken, mark + QPoint(1, 1));
}

void TExplorerButtonTest::accessKeyMarks_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("key");
    QTest::newRow("plain") << "Print"
                           << "Print"
                           << "";
    QTest::newRow("single mark") << "&New"
                                 << "New"
                                 << "N";
    QTest::newRow("mark inside") << "Flip &Wt/Vol Percents"
                                 << "Flip Wt/Vol Percents"
                                 << "W";
    QTest::newRow("double mark") << "Salt && Pepper"
                                 << "Salt & Pepper"
                                 << "";
    QTest::newRow("double then single") << "A&&B &Cost"
                                        << "A&B Cost"
                                        << "C";
    QTest::newRow("trailing mark") << "Ok&"
                                   << "Ok"
                                   << "";
}

void TExplorerButtonTest::accessKeyMarks()
{
    QFETCH(QString, caption);
    QFETCH(QString, plain);
    QFETCH(QString, key);
    QCOMPARE(stripAccessKeyMarks(caption), plain);
    const QChar k = accessKeyOf(caption);
    QCOMPARE(k.isNull() ? QString() : QString(k), key);
}

void TExplorerButtonTest::popupMarkShape()
{
    const auto pixels = popupMarkPixels(QPoint(10, 20));
    QCOMPARE(pixels.size(), size_t(16));
    QCOMPARE(pixels.front(), QPoint(10, 19));
    QCOMPARE(pixels[6], QPoint(16, 19));
    QCOMPARE(pixels[7], QPoint(11, 20));
    QCOMPARE(pixels[12], QPoint(12, 21));
    QCOMPARE(pixels.back(), QPoint(13, 22));
}

void TExplorerButtonTest::checkerboard()
{
    const QImage pattern = checkerboardPattern(QColor(192, 192, 192), Qt::white);
    QCOMPARE(pattern.size(), QSize(8, 8));
    QCOMPARE(pattern.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(pattern.pixelColor(3, 5), QColor(Qt::white));
    QCOMPARE(pattern.pixelColor(1, 0), QColor(192, 192, 192));
    QCOMPARE(pattern.pixelColor(6, 7), QColor(192, 192, 192));
}

void TExplorerButtonTest::restingGlyphIsGreyAndHoverShowsColour_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("dpr 1") << 1.0;
    QTest::newRow("dpr 2") << 2.0;
}

void TExplorerButtonTest::restingGlyphIsGreyAndHoverShowsColour()
{
    QFETCH(qreal, dpr);
    Bar bar;
    QVERIFY(bar.show());
    TExplorerButton* b = bar.first;
    const QPalette pal = b->palette();
    const QPoint red = Bar::glyphPixel(b, 4, 4);
    const QPoint blue = Bar::glyphPixel(b, 10, 4);
    const QPoint surround = Bar::glyphPixel(b, 0, 0);
    const QPoint corner = b->pos();

    QImage image = bar.render(dpr);
    QVERIFY(logicalPixelIs(image, red.x(), red.y(), pal.color(QPalette::Light)));
    QVERIFY(logicalPixelIs(image, blue.x(), blue.y(), pal.color(QPalette::Dark)));
    QVERIFY(logicalPixelIs(image, surround.x(), surround.y(), pal.color(QPalette::Button)));
    QVERIFY(logicalPixelIs(image, corner.x(), corner.y(), pal.color(QPalette::Button)));  // no border

    QTest::mouseMove(b, QPoint(20, 20));
    QTRY_VERIFY(b->MouseInside());
    image = bar.render(dpr);
    QVERIFY(logicalPixelIs(image, red.x(), red.y(), Red));
    QVERIFY(logicalPixelIs(image, blue.x(), blue.y(), Blue));
    QVERIFY(logicalPixelIs(image, surround.x(), surround.y(), pal.color(QPalette::Button)));
    QVERIFY(logicalPixelIs(image, corner.x(), corner.y(), pal.color(QPalette::Light)));  // raised bevel
    QVERIFY(logicalPixelIs(image, corner.x() + 39, corner.y() + 39, pal.color(QPalette::Dark)));

    QTest::mouseMove(&bar.window, QPoint(150, 70));
    QTRY_VERIFY(!b->MouseInside());
    image = bar.render(dpr);
    QVERIFY(logicalPixelIs(image, red.x(), red.y(), pal.color(QPalette::Light)));
    QVERIFY(logicalPixelIs(image, corner.x(), corner.y(), pal.color(QPalette::Button)));
}

void TExplorerButtonTest::dragOffRaisesNoClickDragBackClicks()
{
    Bar bar;
    QVERIFY(bar.show());
    TExplorerButton* b = bar.first;
    QSignalSpy clicks(b, &TExplorerButton::OnClick);
    const QPoint inside(20, 20);
    const QPoint outside(20, 60);

    QTest::mouseMove(b, inside);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    QVERIFY(b->Pressed());
    QTest::mouseMove(b, outside);
    QTRY_VERIFY(!b->MouseInside());
    QTest::mouseRelease(b, Qt::LeftButton, {}, outside);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!b->Pressed());

    QTest::mouseMove(b, inside);
    QTest::mousePress(b, Qt::LeftButton, {}, inside);
    QTest::mouseMove(b, outside);
    QTRY_VERIFY(!b->MouseInside());
    QTest::mouseMove(b, inside);
    QTRY_VERIFY(b->MouseInside());
    // Sunken again: the glyph one pixel right and down, the bevel's top edge in shadow.
    const QImage image = bar.render(1);
    const QPoint red = Bar::glyphPixel(b, 2, 2);
    QVERIFY(logicalPixelIs(image, red.x(), red.y(), b->palette().color(QPalette::Button)));
    QVERIFY(logicalPixelIs(image, red.x() + 1, red.y() + 1, Red));
    QVERIFY(logicalPixelIs(image, b->x() + 5, b->y(), b->palette().color(QPalette::Dark)));
    QTest::mouseRelease(b, Qt::LeftButton, {}, inside);
    QCOMPARE(clicks.count(), 1);
}

void TExplorerButtonTest::groupedButtonStaysDownWithCheckerboard_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("dpr 1") << 1.0;
    QTest::newRow("dpr 2") << 2.0;
}

void TExplorerButtonTest::groupedButtonStaysDownWithCheckerboard()
{
    QFETCH(qreal, dpr);
    Bar bar;
    bar.first->setGroupIndex(2);
    bar.first->setAllowAllUp(true);
    QVERIFY(bar.show());
    TExplorerButton* b = bar.first;
    QSignalSpy clicks(b, &TExplorerButton::OnClick);
    QTest::mouseMove(&bar.window, QPoint(150, 70));
    QTest::mouseMove(b, QPoint(20, 20));
    QTRY_VERIFY(b->MouseInside());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(b->Down());
    QCOMPARE(clicks.count(), 1);

    QTest::mouseMove(&bar.window, QPoint(150, 70));
    QTRY_VERIFY(!b->MouseInside());
    const QPalette pal = b->palette();
    QImage image = bar.render(dpr);
    // Away from the glyph and the bevel, the checkerboard alternates per pixel.
    const int x0 = b->x() + 2;  // even
    const int y0 = b->y() + 30;  // even
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 4; ++dx) {
            const bool light = (dx % 2) == (dy % 2);
            QVERIFY(logicalPixelIs(image, x0 + dx, y0 + dy, pal.color(light ? QPalette::Light : QPalette::Button)));
        }
    QTest::mouseMove(b, QPoint(20, 20));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!b->Down());
    QTest::mouseMove(&bar.window, QPoint(150, 70));
    QTRY_VERIFY(!b->MouseInside());
    image = bar.render(dpr);
    QVERIFY(logicalPixelIs(image, x0, y0, pal.color(QPalette::Button)));
    QVERIFY(logicalPixelIs(image, x0 + 1, y0, pal.color(QPalette::Button)));
}

void TExplorerButtonTest::groupRules()
{
    Bar bar;
    QVERIFY(bar.show());
    TExplorerButton* a = bar.first;
    TExplorerButton* b = bar.second;
    a->setDown(true);
    QVERIFY(!a->Down());  // no group: Down is ignored
    a->setGroupIndex(3);
    b->setGroupIndex(3);
    a->setDown(true);
    QVERIFY(a->Down());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(b->Down());
    QVERIFY(!a->Down());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(b->Down());  // AllowAllUp is off: stays down
    a->setAllowAllUp(true);
    QVERIFY(b->AllowAllUp());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!b->Down());
    b->setDown(true);
    b->setGroupIndex(0);
    QVERIFY(!b->Down());
}

void TExplorerButtonTest::disabledButtonIsEtchedAndIgnoresMouse()
{
    Bar bar;
    bar.first->setEnabled(false);
    QVERIFY(bar.show());
    TExplorerButton* b = bar.first;
    QSignalSpy clicks(b, &TExplorerButton::OnClick);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!b->Pressed());
    const QPalette pal = b->palette();
    const QColor background = pal.color(QPalette::Button);
    for (qreal dpr : {1.0, 2.0}) {
        const QImage image = bar.render(dpr);
        const QPoint black = Bar::glyphPixel(b, 2, 12);
        const QPoint echo = Bar::glyphPixel(b, 14, 14);  // below and right of the bar's last pixel
        const QPoint blue = Bar::glyphPixel(b, 10, 4);
        const QPoint cream = Bar::glyphPixel(b, 4, 9);
        const QPoint surround = Bar::glyphPixel(b, 0, 0);
        const QPoint beyondTheEcho = Bar::glyphPixel(b, 15, 15);
        QVERIFY(logicalPixelIs(image, black.x(), black.y(), pal.color(QPalette::Dark)));
        QVERIFY(logicalPixelIs(image, echo.x(), echo.y(), pal.color(QPalette::Light)));
        QVERIFY(logicalPixelIs(image, blue.x(), blue.y(), pal.color(QPalette::Dark)));  // dark ink
        QVERIFY(logicalPixelIs(image, cream.x(), cream.y(), background));  // a light fill
        QVERIFY(logicalPixelIs(image, surround.x(), surround.y(), background));
        QVERIFY(logicalPixelIs(image, beyondTheEcho.x(), beyondTheEcho.y(), background));
    }
}

void TExplorerButtonTest::programGlyphsSitInPlaceAtEveryPixelRatio_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<bool>("enabled");
    for (qreal dpr : {1.0, 1.5, 2.0}) {
        QTest::addRow("ratio %g", dpr) << dpr << true;
        QTest::addRow("ratio %g, disabled", dpr) << dpr << false;
    }
}

// Every glyph of the button bar at a button bar button's size: at rest its
// drawing lies where the layout puts a 16 x 16 glyph, nothing clipped; disabled,
// only its ink and the ink's echo one pixel right and down are drawn.
void TExplorerButtonTest::programGlyphsSitInPlaceAtEveryPixelRatio()
{
    QFETCH(qreal, dpr);
    QFETCH(bool, enabled);
    for (int number = 1; number <= Artwork::IconCount; ++number) {
        const QImage glyph = Artwork::icon(Artwork::Icon(number)).pixmap(QSize(16, 16), dpr).toImage();
        QVERIFY2(!glyph.isNull(), qPrintable(QString::number(number)));
        TExplorerButton b;
        b.resize(24, 22);
        b.setOptions(TButtonOption::boMonoDisplay | TButtonOption::boIconOnly | TButtonOption::boShowBevel);
        b.setBitmap(glyph);
        b.setEnabled(enabled);
        const QPoint origin = b.paintGeometry().glyph;
        QCOMPARE(QRect(origin, QSize(16, 16)).center(), QRect(0, 0, 24, 22).center());

        const QImage image = renderWidget(b, dpr);
        const QRegion changed = changedPixels(image);
        const QRegion drawn = drawnPixels(glyph, origin);
        const QString which = QStringLiteral("glyph %1").arg(number);
        QVERIFY2(!changed.isEmpty(), qPrintable(which));
        const int slack = 1;  // rounding at a fractional ratio, faint antialiased edges
        if (enabled) {
            const QRect want = drawn.boundingRect();
            const QRect got = changed.boundingRect();
            QVERIFY2(std::abs(got.left() - want.left()) <= slack && std::abs(got.top() - want.top()) <= slack
                    && std::abs(got.right() - want.right()) <= slack && std::abs(got.bottom() - want.bottom()) <= slack,
                qPrintable(which));
        } else {
            const int echo = qCeil(dpr);
            QRegion allowed = drawn.translated(echo, echo) + drawn;
            for (const QRect& r : drawn)
                allowed += r.adjusted(-slack, -slack, echo + slack, echo + slack);
            QVERIFY2((changed - allowed).isEmpty(), qPrintable(which));
        }
    }
}

void TExplorerButtonTest::accessKeyClicks()
{
    Bar bar;
    bar.first->setOptions(TButtonOption::boShowBevel);  // caption shown
    QVERIFY(bar.show());
    QSignalSpy first(bar.first, &TExplorerButton::OnClick);
    QSignalSpy second(bar.second, &TExplorerButton::OnClick);
    QTest::keyClick(&bar.window, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(first.count(), 1);
    QCOMPARE(second.count(), 0);
    QTest::keyClick(&bar.window, Qt::Key_O, Qt::AltModifier);
    QCOMPARE(second.count(), 1);
    bar.second->setEnabled(false);
    QTest::keyClick(&bar.window, Qt::Key_O, Qt::AltModifier);
    QCOMPARE(second.count(), 1);
}

void TExplorerButtonTest::iconOnlyHintRule()
{
    TExplorerButton b;
    b.setCaption("Flip &Wt/Vol Percents");
    QCOMPARE(b.Hint(), QString());
    b.setOptions(b.Options() | TButtonOption::boIconOnly);
    QCOMPARE(b.Hint(), QString("Flip Wt/Vol Percents"));
    QVERIFY(b.ShowHint());
    QCOMPARE(b.toolTip(), QString("Flip Wt/Vol Percents"));
    b.setCaption("&Print");
    QCOMPARE(b.Hint(), QString("Print"));
    b.setOptions(b.Options() & ~TButtonOptions(TButtonOption::boIconOnly));
    QCOMPARE(b.Hint(), QString());
    QVERIFY(!b.ShowHint());
    QCOMPARE(b.toolTip(), QString());

    b.setHint("Prints the formula");
    b.setShowHint(true);
    b.setOptions(b.Options() | TButtonOption::boIconOnly);
    QCOMPARE(b.Hint(), QString("Prints the formula"));  // an own hint is kept
    b.setOptions(b.Options() & ~TButtonOptions(TButtonOption::boIconOnly));
    QCOMPARE(b.Hint(), QString("Prints the formula"));
}

void TExplorerButtonTest::takesNoFocus()
{
    Bar bar;
    auto* edit = new QLineEdit(&bar.window);
    edit->setGeometry(10, 55, 100, 20);
    QVERIFY(bar.show());
    edit->setFocus();
    QSignalSpy clicks(bar.first, &TExplorerButton::OnClick);
    QTest::mouseClick(bar.first, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(edit->hasFocus());
    QCOMPARE(bar.first->focusPolicy(), Qt::NoFocus);
}

void TExplorerButtonTest::popupMarkBesideGlyph()
{
    Bar bar;
    QMenu menu;
    menu.addAction("Item");
    bar.first->setDropDownMenu(&menu);
    bar.first->setUnselectedFontColor(QColor(0, 0, 255));
    QVERIFY(bar.show());
    const ExplorerButtonGeometry g = bar.first->paintGeometry();
    QCOMPARE(g.markRaised, g.glyph + QPoint(16 + 3, 8));
    const QImage image = bar.render(2);
    for (const QPoint& p : popupMarkPixels(g.markRaised)) {
        const QPoint at = bar.first->pos() + p;
        QVERIFY(logicalPixelIs(image, at.x(), at.y(), QColor(0, 0, 255)));
    }
    const QPoint besideTip = bar.first->pos() + g.markRaised + QPoint(0, 1);
    QVERIFY(logicalPixelIs(image, besideTip.x(), besideTip.y(), bar.first->palette().color(QPalette::Button)));
}

void TExplorerButtonTest::defaultActionDrivesTheButton_data()
{
    QTest::addColumn<int>("groupIndex");
    QTest::newRow("alone") << 0;
    QTest::newRow("in a group that may be all up") << 2;
}

// The button shows its action's icon, tool tip, enabled and checked states,
// follows their changes, and a click triggers the action, only while enabled;
// given another action it leaves the first alone.
void TExplorerButtonTest::defaultActionDrivesTheButton()
{
    QFETCH(int, groupIndex);
    Bar bar;
    TExplorerButton* b = bar.first;
    b->setGroupIndex(groupIndex);
    b->setAllowAllUp(true);
    QAction command(QIcon(QPixmap::fromImage(testGlyph())), QStringLiteral("&Flip"));
    command.setToolTip(QStringLiteral("Flip Percents"));
    command.setCheckable(true);
    b->setDefaultAction(&command);
    QVERIFY(bar.show());
    QCOMPARE(b->DefaultAction(), &command);
    QCOMPARE(b->Hint(), QStringLiteral("Flip Percents"));
    QCOMPARE(logicalGlyphSize(b->Bitmap()), TExplorerButton::ActionGlyphSize);
    QCOMPARE(b->Bitmap().pixelColor(3, 3), Red);
    QSignalSpy triggered(&command, &QAction::triggered);

    const QPoint centre = b->rect().center();
    QTest::mouseClick(b, Qt::LeftButton, {}, centre);
    QCOMPARE(triggered.count(), 1);
    QVERIFY(command.isChecked());
    QVERIFY(b->Down());
    QTest::mouseClick(b, Qt::LeftButton, {}, centre);
    QVERIFY(!command.isChecked());
    QVERIFY(!b->Down());
    command.setChecked(true);
    QVERIFY(b->Down());

    command.setEnabled(false);
    QVERIFY(!b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton, {}, centre);
    emit b->OnClick();
    QCOMPARE(triggered.count(), 2);
    QVERIFY(b->Down());
    command.setEnabled(true);
    QVERIFY(b->isEnabled());

    command.setToolTip(QStringLiteral("Percent basis"));
    QCOMPARE(b->toolTip(), QStringLiteral("Percent basis"));
    command.setIcon(QIcon());
    QVERIFY(b->Bitmap().isNull());

    QAction other(QStringLiteral("Other"));
    b->setDefaultAction(&other);
    QSignalSpy otherTriggered(&other, &QAction::triggered);
    command.setEnabled(false);
    QVERIFY(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton, {}, centre);
    QCOMPARE(otherTriggered.count(), 1);
    QCOMPARE(triggered.count(), 2);
}

QTEST_MAIN(TExplorerButtonTest)
#include "TExplorerButtonTest.moc"
