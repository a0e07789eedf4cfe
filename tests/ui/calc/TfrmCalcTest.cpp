// The keypad dialog driven with real keys and clicks, offscreen.
#include "ui/calc/TfrmCalc.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

class TfrmCalcTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmCalc> dialog;

    QString display() const { return dialog->NumberBox()->text(); }
    void click(const char* name) { QTest::mouseClick(dialog->button(name), Qt::LeftButton); }

    // While the dialog runs modally, does what the user does.
    void whenShown(std::function<void()> user)
    {
        QTimer::singleShot(0, dialog.get(), [this, user = std::move(user)] {
            QVERIFY(dialog->isVisible());
            user();
            // A test that forgot to close the dialog must not hang.
            if (dialog->isVisible())
                dialog->reject();
        });
    }

private slots:
    void init()
    {
        dialog = std::make_unique<TfrmCalc>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void cleanup() { dialog.reset(); }

    void hasItsCaptionSizeAndNoCloseButton()
    {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Calc"));
        QCOMPARE(dialog->size(), QSize(113, 145));  // the keys and the target's name under them
        QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(dialog->NumberBox()->geometry(), QRect(2, 2, 109, 19));
        QVERIFY(dialog->NumberBox()->isReadOnly());
        QCOMPARE(dialog->NumberBox()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void buttonsSitAtTheirPlacesWithTheirKeys_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QRect>("geometry");
        const char* captions = "123/456*789-.0=+";
        for (int i = 0; i < 16; ++i) {
            const QString name = QStringLiteral("SpeedButton%1").arg(i + 1);
            const QChar c = QLatin1Char(captions[i]);
            QTest::newRow(qPrintable(name)) << name << QString(c) << int(c.unicode())
                                            << QRect(QList<int>{2, 29, 56, 83}[i % 4], 21 + 20 * (i / 4), 28, 21);
        }
        QTest::newRow("C") << "CSpeedButton"
                           << "C" << 67 << QRect(2, 106, 28, 21);
    }
    void buttonsSitAtTheirPlacesWithTheirKeys()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, tag);
        QFETCH(QRect, geometry);
        QToolButton* b = dialog->button(name.toLatin1().constData());
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->property("Tag").toInt(), tag);
        QCOMPARE(b->geometry(), geometry);
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    }

    void okAndCancelButtonsShowPictures()
    {
        QCOMPARE(dialog->button("OKSpeedButton")->geometry(), QRect(29, 106, 42, 21));
        QCOMPARE(dialog->button("CancelSpeedButton")->geometry(), QRect(70, 106, 41, 21));
        QVERIFY(!dialog->button("OKSpeedButton")->icon().isNull());
        QVERIFY(!dialog->button("CancelSpeedButton")->icon().isNull());
    }

    void typedKeysAndClickedButtonsCalculateAlike_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("shown");
        QTest::newRow("chain") << "2+3*4="
                               << QStringList{"SpeedButton2", "SpeedButton16", "SpeedButton3", "SpeedButton8",
                                      "SpeedButton5", "SpeedButton15"}
                               << "20.000";
        QTest::newRow("subtract") << "7-10="
                                  << QStringList{"SpeedButton9", "SpeedButton12", "SpeedButton1", "SpeedButton14",
                                         "SpeedButton15"}
                                  << "-3.000";
        QTest::newRow("divide by zero") << "5/0="
                                        << QStringList{"SpeedButton6", "SpeedButton4", "SpeedButton14", "SpeedButton15"}
                                        << "0.000";
        QTest::newRow("second point refused")
            << "1..5" << QStringList{"SpeedButton1", "SpeedButton13", "SpeedButton13", "SpeedButton6"} << "1.5";
        QTest::newRow("clear") << "5+3C" << QStringList{"SpeedButton6", "SpeedButton16", "SpeedButton3", "CSpeedButton"}
                               << "";
    }
    void typedKeysAndClickedButtonsCalculateAlike()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, buttons);
        QFETCH(QString, shown);
        QTest::keyClicks(dialog.get(), keys);
        QCOMPARE(display(), shown);

        dialog->calculator() = {};
        dialog->NumberBox()->clear();
        for (const QString& name : buttons)
            click(name.toLatin1().constData());
        QCOMPARE(display(), shown);
    }

    void letterEmptiesTheDisplayAndKeepsThePendingOperation()
    {
        QTest::keyClicks(dialog.get(), "5+");
        QTest::keyClick(dialog.get(), 'x');
        QCOMPARE(display(), QString());
        QTest::keyClicks(dialog.get(), "3=");
        QCOMPARE(display(), QStringLiteral("8.000"));
    }

    void escapeAndBackspaceEmptyTheDisplayAndKeepTheDialogOpen()
    {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Backspace}) {
            QTest::keyClicks(dialog.get(), "42");
            QTest::keyClick(dialog.get(), key);
            QCOMPARE(display(), QString());
            QVERIFY(dialog->isVisible());
        }
    }

    void keysWithoutCharacterChangeNothing()
    {
        QTest::keyClicks(dialog.get(), "42");
        QTest::keyClick(dialog.get(), Qt::Key_Shift);
        QTest::keyClick(dialog.get(), Qt::Key_Left);
        QCOMPARE(display(), QStringLiteral("42"));
    }

    void keysTypedOnTheDisplayReachTheDialog()
    {
        QTest::keyClicks(dialog->NumberBox(), "6*7=");
        QCOMPARE(display(), QStringLiteral("42.000"));
    }

    void enterAcceptsAsOkDoes_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Enter") << true;
        QTest::newRow("OK button") << false;
    }
    void enterAcceptsAsOkDoes()
    {
        QFETCH(bool, byEnter);
        dialog->hide();
        tintora::CalculatorState state;
        whenShown([&] {
            QTest::keyClicks(dialog.get(), "5+3");
            if (byEnter)
                QTest::keyClick(dialog.get(), Qt::Key_Return);
            else
                click("OKSpeedButton");
        });
        const std::optional<std::string> accepted = dialog->ask("Total Weight", "", state);
        QVERIFY(accepted.has_value());
        QCOMPARE(QString::fromStdString(*accepted), QStringLiteral("8.000"));
        QCOMPARE(state.CalcValue, 8.0);
        QVERIFY(state.CalcResultShown);
    }

    void askShowsCaptionAndStartTextAndCancelGivesNothing()
    {
        dialog->hide();
        tintora::CalculatorState state;
        QString caption;
        QString shownFirst;
        whenShown([&] {
            caption = dialog->windowTitle();
            shownFirst = display();
            QTest::keyClick(dialog.get(), '5');
            click("CancelSpeedButton");
        });
        QCOMPARE(dialog->ask("Cost by Volume", "16.67", state), std::optional<std::string>());
        QCOMPARE(caption, QStringLiteral("Cost by Volume"));
        QCOMPARE(shownFirst, QStringLiteral("16.67"));
        QCOMPARE(display(), QString());
        QCOMPARE(state.CalcValue, 16.675);  // the first digit was appended to the start text
    }

    void firstDigitReplacesTheStartTextAfterAResult()
    {
        dialog->hide();
        tintora::CalculatorState state;
        state.CalcResultShown = true;
        whenShown([&] {
            QTest::keyClick(dialog.get(), '9');
            QTest::keyClick(dialog.get(), Qt::Key_Enter);
        });
        QCOMPARE(dialog->ask("Total Weight", "625.00", state), std::optional<std::string>("9.000"));
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("mainWindow");
        QTest::addColumn<QPoint>("expected");
        const QSize screen(1024, 768);
        QTest::newRow("beside the corner") << QRect(100, 50, 538, 486) << QPoint(300, 175);
        QTest::newRow("off the top left") << QRect(-400, -300, 538, 486) << QPoint(0, 0);
        QTest::newRow("past the bottom") << QRect(100, 700, 538, 486) << QPoint(300, 768 - 159);
        QTest::newRow("past the right") << QRect(950, 50, 538, 486) << QPoint(1024 - 121, 175);
    }
    void placement()
    {
        QFETCH(QRect, mainWindow);
        QFETCH(QPoint, expected);
        QCOMPARE(TfrmCalc::placement(mainWindow, QSize(121, 159), QSize(1024, 768)), expected);
    }

    void appearsBesideTheMainWindow()
    {
        QWidget mainWindow;
        mainWindow.setGeometry(100, 80, 538, 486);
        mainWindow.show();
        TfrmCalc placed(&mainWindow);
        placed.show();
        const QRect frame = mainWindow.frameGeometry();
        QCOMPARE(placed.frameGeometry().topLeft(), QPoint(frame.left() + 200, frame.top() + 125));
    }
};

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TfrmCalcTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TfrmCalcTest.moc"
