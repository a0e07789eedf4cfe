// The program's shell: the main window's size rules, how its windows are
// framed and placed, the button bar, F1 help and the sounds.
#include "MainWindowFixture.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/DesktopSounds.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/ProgramStart.h"
#include "ui/app/TfrmAbout.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/WindowSizeRules.h"
#include "ui/calc/TfrmCalc.h"
#include "ui/formulas/TfrmProper.h"
#include "ui/materials/TfrmMaterial.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TSuperGrid.h"
#include "ui/widgets/TTipDialog.h"
#include "ui/widgets/TTipWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

const QString DataFolder = QStringLiteral(TINTORA_TEST_DATA);

// Records where a window's frame is each time it is shown, as it appears.
class ShowPositions : public QObject {
public:
    QList<QPoint> atShow;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            atShow << static_cast<QWidget*>(watched)->frameGeometry().topLeft();
        return false;
    }
};

// While the next modal dialog runs: `act` on it, then it is closed.
void whenModal(std::function<void(QDialog*)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        act(dialog);
        dialog->reject();
    });
}

}  // namespace

class WindowRulesTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<TfrmMain> makeWindow(TfrmAbout* splash = nullptr, TfrmAbout* about = nullptr)
    {
        MainWindowServices services = scriptedServices();
        services.splash = splash;
        services.about = about;
        return newWindow(std::move(services));
    }

private slots:
    void initTestCase()
    {
        copyTestData(QStringLiteral("formulas"), {QStringLiteral("small.tfx")});
        QVERIFY(QFile::copy(DataFolder + QStringLiteral("/../../help/Korvel.html"),
            programFolder.path() + QStringLiteral("/Korvel.html")));
    }

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
        const WindowSizeRules r
            = WindowSizeRules::from({scrollBar, captionWidth, captionHeight, menuBar, screenHeight});
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

    // The frame (here 4 px borders and a 20 px title bar) is kept within the
    // screen's free area, as the About box is; a screen lower than the frame
    // takes whole rows off the height first.
    void mainWindowFrameStaysOnScreen_data()
    {
        QTest::addColumn<QRect>("client");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("kept");
        const QRect screen(0, 0, 1024, 768);
        QTest::newRow("room enough") << QRect(100, 100, 538, 486) << screen << QRect(100, 100, 538, 486);
        // 1000 pixels at scale 2 are 500 high: the frame 6 px too low moves up
        QTest::newRow("6 px too low") << QRect(247, 34, 538, 468) << QRect(0, 0, 1024, 500) << QRect(247, 28, 538, 468);
        QTest::newRow("below a panel") << QRect(10, 0, 538, 486) << QRect(0, 30, 1024, 738)
                                       << QRect(10, 30 + 20, 538, 486);
        QTest::newRow("lower than the frame")
            << QRect(0, 40, 538, 486) << QRect(0, 0, 800, 480) << QRect(4, 26, 538, 450);
        QTest::newRow("lower than the collapsed frame")
            << QRect(0, 40, 538, 486) << QRect(0, 0, 800, 300) << QRect(4, 20, 538, 378);
        QTest::newRow("off the right") << QRect(900, 100, 538, 486) << screen << QRect(1024 - 4 - 538, 100, 538, 486);
    }
    void mainWindowFrameStaysOnScreen()
    {
        QFETCH(QRect, client);
        QFETCH(QRect, available);
        WindowSizeRules r;
        r.ExpandHeight = 180;
        const QRect frame = client.adjusted(-4, -20, 4, 4);
        QTEST(r.keptOnScreen(frame, client, available), "kept");
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

    // Each picture is drawn by the time the animation first shows it.
    void aboutAnimationShowsEachPicture()
    {
        TfrmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QList<QImage> shown;
        for (int frame : {1, 2, 3}) {
            QTRY_COMPARE(about.SplashFrame(), frame);
            QVERIFY(about.image(frame)->isVisible());
            shown << about.image(frame)->pixmap().toImage();
            QVERIFY(!shown.last().isNull());
        }
        QVERIFY(shown[0] != shown[1] && shown[1] != shown[2] && shown[0] != shown[2]);
    }

    void mainWindowOpensCentredWithoutMaximiseBox()
    {
        const auto shownWindow = makeWindow();
        const Qt::WindowFlags flags = shownWindow->windowFlags();
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        shownWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(shownWindow.get()));
        const QRect frame = shownWindow->frameGeometry();
        const QPoint offCentre = frame.center() - shownWindow->screen()->availableGeometry().center();
        // Off by no more than the frame, whose size is not known before the first show.
        QVERIFY2(std::abs(offCentre.x()) <= frame.width() - shownWindow->width()
                && std::abs(offCentre.y()) <= frame.height() - shownWindow->height(),
            qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void aboutAndKeypadShowOnlyTheirCaption()
    {
        TfrmAbout about;
        TfrmCalc keypadDialog;
        const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
            | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;
        for (const QWidget* dialog : {static_cast<QWidget*>(&about), static_cast<QWidget*>(&keypadDialog)}) {
            QVERIFY(dialog->windowFlags() & Qt::CustomizeWindowHint);
            QVERIFY(dialog->windowFlags() & Qt::WindowTitleHint);
            QCOMPARE(dialog->windowFlags() & buttons, Qt::WindowFlags());
        }
    }

    void aboutOkIsAFlatButtonWithItsGlyphLeft()
    {
        TfrmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        TExplorerButton* ok = about.OkButton1();
        ok->show();
        QCOMPARE(ok->Caption(), QStringLiteral("Ok"));
        QCOMPARE(ok->Layout(), TButtonLayout::GlyphLeft);
        QVERIFY(!ok->Bitmap().isNull());
        QVERIFY(ok->font().bold());
        QCOMPARE(ok->UnselectedFontColor(), QColor(Qt::black));
        QCOMPARE(ok->palette().color(QPalette::ButtonText), QColor(Qt::white));
        QVERIFY(ok->paintGeometry().glyph.x() < ok->paintGeometry().text.left());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void buttonBarHasSunkenTopLineAndToggleInGroupTwo()
    {
        QMainWindow owner;
        const MainMenus commands = createMainMenus(owner);
        ButtonBar bar(commands);
        bar.resize(600, ButtonBar::BarHeight);
        const QImage image = bar.grab().toImage();
        const qreal dpr = image.devicePixelRatio();
        for (int x : {0, 300, 599}) {
            QCOMPARE(image.pixelColor(int(x * dpr), 0).rgb(), bar.palette().color(QPalette::Dark).rgb());
            QCOMPARE(image.pixelColor(int(x * dpr), int(dpr)).rgb(), bar.palette().color(QPalette::Light).rgb());
        }
        for (const TExplorerButton* b : bar.findChildren<TExplorerButton*>())
            QVERIFY(b->geometry().top() >= 2);
        QCOMPARE(bar.buttons().WtVolButton->GroupIndex(), 2);
    }

    void tipWindowIsAboveTheSplashAtStartUp()
    {
        TfrmAbout splash;
        splash.showAsSplash();
        const auto shownWindow = makeWindow(&splash);
        bool onTop = false;
        whenModal([&](QDialog* tip) {
            QCOMPARE(tip, shownWindow->tipDialog()->TipWindow());
            onTop = tip->windowFlags() & Qt::WindowStaysOnTopHint;
        });
        shownWindow->show();
        shownWindow->FormActivate();
        QVERIFY(onTop);
    }

    void f1OpensTheTopicOfTheActiveDialog_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("topic");
        QTest::newRow("About window") << "about"
                                      << "50";
        QTest::newRow("open dialog") << "open"
                                     << "120";
        QTest::newRow("formula properties") << "properties"
                                            << "40";
        QTest::newRow("keypad") << "keypad"
                                << "keypad";
        QTest::newRow("material editor") << "materials"
                                         << "editor";
        QTest::newRow("tip window") << "tips"
                                    << "tips";
    }
    void f1OpensTheTopicOfTheActiveDialog()
    {
        QFETCH(QString, dialog);
        TfrmAbout about;
        const auto shownWindow = makeWindow(nullptr, &about);
        shownWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(shownWindow.get()));
        QString shown;
        bool usable = false;  // modal above the modal dialog, not blocked by it
        whenModal([&](QDialog* active) {
            QWidget* focus = active->focusWidget() ? active->focusWidget() : active;
            QTest::keyClick(focus, Qt::Key_F1);
            if (shownWindow->help()->isVisible())
                shown = shownWindow->help()->topic();
            usable = QApplication::activeModalWidget() == shownWindow->help();
            shownWindow->help()->hide();
        });
        if (dialog == "about") {
            shownWindow->menus().About1->trigger();
        } else if (dialog == "open") {
            chooseFormulaFile(shownWindow.get(), formulas(), QStringLiteral("Tintora Files (*.tfx)"), {});
        } else if (dialog == "properties") {
            shownWindow->frmProper()->Execute(formulas() + QStringLiteral("/small.tfx"), false);
        } else if (dialog == "materials") {
            shownWindow->frmMaterial()->Execute(formulas(), {});
        } else if (dialog == "tips") {
            shownWindow->menus().Tips->trigger();
        } else {
            tintora::CalculatorState state;
            shownWindow->keypadDialog()->ask("Total Weight", "100.00", state);
        }
        QTEST(shown, "topic");
        QVERIFY(usable);
    }

    void f1InTheMainWindowIsHelpContents()
    {
        const auto shownWindow = makeWindow();
        shownWindow->show();
        QApplication::setActiveWindow(shownWindow.get());
        QTest::keyClick(shownWindow->Grid1(), Qt::Key_F1);
        QVERIFY(shownWindow->help()->isVisible());
        QCOMPARE(shownWindow->help()->topic(), QStringLiteral("contents"));
        QCOMPARE(shownWindow->help()->windowModality(), Qt::NonModal);
    }

    void dialogsOpenAtTheSamePlaceEveryTime_data()
    {
        QTest::addColumn<bool>("isKeypad");
        QTest::newRow("keypad") << true;
        QTest::newRow("formula properties") << false;
    }
    void dialogsOpenAtTheSamePlaceEveryTime()
    {
        QFETCH(bool, isKeypad);
        QWidget mainWindow;
        mainWindow.setGeometry(100, 80, 538, 486);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        TfrmCalc calc(&mainWindow);
        TfrmProper proper(prompter.get(), &mainWindow);
        QDialog& dialog = isKeypad ? static_cast<QDialog&>(calc) : proper;
        ShowPositions positions;
        dialog.installEventFilter(&positions);
        QList<QPoint> settled;
        QPoint frameMargin;
        for (int opening = 0; opening < 2; ++opening) {
            whenModal([&](QDialog* shown) {
                settled << shown->frameGeometry().topLeft();
                frameMargin = shown->geometry().topLeft() - shown->frameGeometry().topLeft();
            });
            if (isKeypad) {
                tintora::CalculatorState state;
                calc.ask("Calc", "", state);
            } else {
                proper.Execute(formulas() + QStringLiteral("/small.tfx"), false);
            }
        }
        QCOMPARE(settled.size(), 2);
        QCOMPARE(settled[1], settled[0]);
        // Already in place as it appears, the first time as later (give or
        // take the frame, which the window learns of as it is shown).
        QCOMPARE(positions.atShow.size(), 2);
        for (int opening = 0; opening < 2; ++opening) {
            const QPoint off = positions.atShow[opening] - settled[opening];
            QVERIFY2(std::abs(off.x()) <= frameMargin.x() && std::abs(off.y()) <= frameMargin.y(),
                qPrintable(QStringLiteral("opening %1: %2, %3").arg(opening).arg(off.x()).arg(off.y())));
        }
    }

    void soundsWriteNothingToStandardError()
    {
        // Without a sound device the sound system's library reports every
        // attempt on stderr; with one, a sound is heard and nothing written.
        QTemporaryFile capture;
        QVERIFY(capture.open());
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(capture.handle(), STDERR_FILENO);
        {
            DesktopSounds heardSounds;
            heardSounds.play("SystemAsterisk");
        }
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        QFile written(capture.fileName());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(written.readAll()), QString());
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<WindowRulesTest>(argc, argv);
}

#include "WindowRulesTest.moc"
