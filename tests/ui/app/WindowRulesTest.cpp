// The main window's geometry rules, without a window.
#include "app/TfrmAbout.h"
#include "app/WindowSizeRules.h"

#include <QTest>

class WindowRulesTest : public QObject {
    Q_OBJECT
private slots:
    void sizeFromMetrics_data()
    {
        QTest::addColumn<int>("scrollBar");
        QTest::addColumn<int>("captionWidth");
        QTest::addColumn<int>("captionHeight");
        QTest::addColumn<int>("menuBar");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("minHeight");
        QTest::addColumn<int>("expand");
        QTest::newRow("standard metrics") << 16 << 18 << 18 << 19 << 768 << 538 << 378 << 180;
        QTest::newRow("small screen") << 16 << 18 << 18 << 19 << 599 << 538 << 378 << 108;
        QTest::newRow("screen of exactly 600") << 16 << 18 << 18 << 19 << 600 << 538 << 378 << 180;
        QTest::newRow("wide scroll bar") << 20 << 18 << 18 << 19 << 768 << 542 << 378 << 180;
        QTest::newRow("narrow scroll bar") << 15 << 18 << 18 << 19 << 768 << 538 << 378 << 180;
        QTest::newRow("tall caption buttons") << 16 << 20 << 22 << 19 << 768 << 538 << 382 << 180;
        QTest::newRow("short caption buttons, narrow") << 16 << 17 << 14 << 19 << 768 << 538 << 378 << 180;
        QTest::newRow("tall menu bar") << 16 << 18 << 18 << 25 << 768 << 538 << 384 << 180;
        QTest::newRow("menu bar of 18") << 16 << 18 << 18 << 18 << 768 << 538 << 378 << 180;
    }
    void sizeFromMetrics()
    {
        QFETCH(int, scrollBar);
        QFETCH(int, captionWidth);
        QFETCH(int, captionHeight);
        QFETCH(int, menuBar);
        QFETCH(int, screenHeight);
        const WindowSizeRules r = WindowSizeRules::from({scrollBar, captionWidth, captionHeight, menuBar, screenHeight});
        QTEST(r.MinFormWidth, "width");
        QTEST(r.MinFormHeight, "minHeight");
        QTEST(r.ExpandHeight, "expand");
    }

    void heightsSnapToWholeRows_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("kept");
        QTest::addColumn<bool>("expanded");
        QTest::newRow("collapsed") << 378 << 378 << false;
        QTest::newRow("a little taller") << 395 << 378 << false;
        QTest::newRow("one row") << 396 << 396 << false;
        QTest::newRow("between rows") << 460 << 450 << false;
        QTest::newRow("start height") << 486 << 486 << false;
        QTest::newRow("one short of full") << 557 << 540 << false;
        QTest::newRow("full") << 558 << 558 << true;
        QTest::newRow("beyond full") << 700 << 558 << true;
        QTest::newRow("below collapsed") << 300 << 378 << false;
    }
    void heightsSnapToWholeRows()
    {
        QFETCH(int, dragged);
        WindowSizeRules r;
        r.ExpandHeight = 180;
        const int kept = r.snappedHeight(dragged);
        QTEST(kept, "kept");
        QTEST(r.expandedAt(kept), "expanded");
    }

    void aboutBoxStaysOnScreen_data()
    {
        QTest::addColumn<QPoint>("mainTopLeft");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("room enough") << QPoint(100, 50) << QPoint(180, 140);
        QTest::newRow("off the left and top") << QPoint(-300, -200) << QPoint(0, 0);
        QTest::newRow("near the bottom right") << QPoint(900, 700) << QPoint(1024 - 344, 768 - 169);
        QTest::newRow("right edge only") << QPoint(800, 10) << QPoint(1024 - 344, 100);
    }
    void aboutBoxStaysOnScreen()
    {
        QFETCH(QPoint, mainTopLeft);
        QTEST(aboutBoxPosition(mainTopLeft, QSize(344, 169), QRect(0, 0, 1024, 768)), "expected");
    }

    void splashFramesTakeTurns()
    {
        int frame = 0;
        QList<int> seen;
        for (int i = 0; i < 5; ++i)
            seen << (frame = nextSplashFrame(frame));
        QCOMPARE(seen, (QList<int>{1, 2, 3, 1, 2}));
    }
};

QTEST_MAIN(WindowRulesTest)
#include "WindowRulesTest.moc"
