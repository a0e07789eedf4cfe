#include "ui/widgets/TTipDialog.h"
#include "ui/widgets/TipTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// A random choice that returns the given indexes in turn.
TRandomIndex scripted(QList<int> indexes)
{
    auto next = std::make_shared<QList<int>>(std::move(indexes));
    return [next](int) { return next->isEmpty() ? 0 : next->takeFirst(); };
}

// Runs Execute and works the tip window with drive once it is on screen. A
// watchdog rejects the window so that a failed step cannot hang the test.
bool executeDriven(TTipDialog& dialog, const std::function<void(TTipWindow*)>& drive)
{
    const QMetaObject::Connection connection
        = QObject::connect(&dialog, &TTipDialog::OnExecute, &dialog, [drive](TTipDialog* sender) {
              TTipWindow* window = sender->TipWindow();
              QTimer::singleShot(0, window, [window, drive] {
                  QVERIFY(QTest::qWaitForWindowExposed(window));
                  drive(window);
              });
              QTimer::singleShot(10000, window, [window] {
                  QWARN("tip window still open; rejected by the watchdog");
                  window->reject();
              });
          });
    const bool result = dialog.Execute();
    QObject::disconnect(connection);
    return result;
}

void pressKey(TTipWindow* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
}

QStringList tips(int count)
{
    return tipOfTheDayTexts().mid(0, count);
}

}  // namespace

class TTipDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsNothingWithoutTipsOrFlag_data();
    void showsNothingWithoutTipsOrFlag();
    void showsTheChosenTipAndNextChoosesAgain();
    void escapeShowsAnotherTipEnterCloses();
    void singleTipDisablesNext();
    void checkBoxStateIsReportedNotStored();
    void closingOtherwiseReturnsFalse();
    void propertiesReachTheWindow();
    void windowExistsOnlyDuringExecute();
    void outOfRangeChoiceStaysInTheList();
    void secondExecuteWhileRunningIsRefused();
    void everyTipFitsItsLabel();
    void tipTextsKeepTheirTrailingBlanks();
};

void TTipDialogTest::showsNothingWithoutTipsOrFlag_data()
{
    QTest::addColumn<QStringList>("tipList");
    QTest::addColumn<bool>("onAtStart");
    QTest::newRow("flag off") << tips(3) << false;
    QTest::newRow("no tips") << QStringList{} << true;
}

void TTipDialogTest::showsNothingWithoutTipsOrFlag()
{
    QFETCH(QStringList, tipList);
    QFETCH(bool, onAtStart);
    TTipDialog dialog;
    dialog.setTips(tipList);
    dialog.setOnAtStart(onAtStart);
    QSignalSpy executing(&dialog, &TTipDialog::OnExecute);
    QSignalSpy executed(&dialog, &TTipDialog::OnExecuted);

    QVERIFY(!dialog.Execute());
    QCOMPARE(executing.size(), 0);
    QCOMPARE(executed.size(), 0);
}

void TTipDialogTest::showsTheChosenTipAndNextChoosesAgain()
{
    TTipDialog dialog;
    dialog.setTips(tipOfTheDayTexts());
    dialog.setRandomIndex(scripted({3, 19, 19, 0}));
    QSignalSpy executed(&dialog, &TTipDialog::OnExecuted);
    QStringList shown;

    const bool closed = executeDriven(dialog, [&shown](TTipWindow* window) {
        shown.append(window->lblTip()->text());
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(window->btnNext(), Qt::LeftButton);
            shown.append(window->lblTip()->text());
        }
        QCOMPARE(window->TipIndex(), 0);
        QTest::mouseClick(window->btnClose(), Qt::LeftButton);
    });

    const QStringList all = tipOfTheDayTexts();
    QVERIFY(closed);
    QCOMPARE(shown, (QStringList{all.at(3), all.at(19), all.at(19), all.at(0)}));
    QCOMPARE(executed.size(), 1);
    QCOMPARE(executed.at(0).at(1).toBool(), true);
}

void TTipDialogTest::escapeShowsAnotherTipEnterCloses()
{
    TTipDialog dialog;
    dialog.setTips(tips(5));
    dialog.setRandomIndex(scripted({1, 4}));
    bool stillShown = false;
    int indexAfterEscape = -1;

    const bool closed = executeDriven(dialog, [&](TTipWindow* window) {
        pressKey(window, Qt::Key_Escape);
        stillShown = window->isVisible();
        indexAfterEscape = window->TipIndex();
        pressKey(window, Qt::Key_Return);
    });

    QVERIFY(stillShown);
    QCOMPARE(indexAfterEscape, 4);
    QVERIFY(closed);
}

void TTipDialogTest::singleTipDisablesNext()
{
    TTipDialog dialog;
    dialog.setTips(tips(1));
    bool nextEnabled = true;
    bool shownAfterEscape = false;

    const bool closed = executeDriven(dialog, [&](TTipWindow* window) {
        nextEnabled = window->btnNext()->isEnabled();
        QTest::mouseClick(window->btnNext(), Qt::LeftButton);
        pressKey(window, Qt::Key_Escape);
        shownAfterEscape = window->isVisible() && window->TipIndex() == 0;
        pressKey(window, Qt::Key_Enter);
    });

    QVERIFY(!nextEnabled);
    QVERIFY(shownAfterEscape);
    QVERIFY(closed);
}

void TTipDialogTest::checkBoxStateIsReportedNotStored()
{
    TTipDialog dialog;
    dialog.setTips(tips(2));
    QSignalSpy executed(&dialog, &TTipDialog::OnExecuted);
    bool checkedAtStart = false;

    executeDriven(dialog, [&](TTipWindow* window) {
        checkedAtStart = window->chkOnOff()->isChecked();
        const int middle = window->chkOnOff()->height() / 2;
        QTest::mouseClick(window->chkOnOff(), Qt::LeftButton, {}, QPoint(middle, middle));
        QTest::mouseClick(window->btnClose(), Qt::LeftButton);
    });

    QVERIFY(checkedAtStart);
    QCOMPARE(executed.size(), 1);
    QCOMPARE(executed.at(0).at(0).value<TTipDialog*>(), &dialog);
    QCOMPARE(executed.at(0).at(1).toBool(), false);
    QVERIFY(dialog.OnAtStart());
}

void TTipDialogTest::closingOtherwiseReturnsFalse()
{
    TTipDialog dialog;
    dialog.setTips(tips(2));
    QSignalSpy executed(&dialog, &TTipDialog::OnExecuted);

    const bool closed = executeDriven(dialog, [](TTipWindow* window) { window->close(); });

    QVERIFY(!closed);
    QCOMPARE(executed.size(), 1);
}

void TTipDialogTest::propertiesReachTheWindow()
{
    TTipDialog dialog;
    dialog.setTips(tips(2));
    dialog.setTipDialogCaption(QStringLiteral("Tip of the Day"));
    dialog.setButtonNextCaption(QStringLiteral("&Weiter"));
    dialog.setButtonCloseCaption(QStringLiteral("&Schließen"));
    dialog.setQuestionCaption(QStringLiteral("Wussten Sie schon?"));
    dialog.setOnAtStartCaption(QStringLiteral("Tipps beim Start zeigen"));
    dialog.setColor(Qt::white);
    QStringList seen;
    QColor panel;

    executeDriven(dialog, [&](TTipWindow* window) {
        seen << window->windowTitle() << window->btnNext()->text() << window->btnClose()->text()
             << window->lblQuestion()->text() << window->chkOnOff()->text();
        panel = window->pnlTip()->palette().color(QPalette::Window);
        QVERIFY(window->btnClose()->isDefault());
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        window->accept();
    });

    QCOMPARE(seen,
        (QStringList{"Tip of the Day", "&Weiter", "&Schließen", "Wussten Sie schon?", "Tipps beim Start zeigen"}));
    QCOMPARE(panel, QColor(Qt::white));
}

void TTipDialogTest::windowExistsOnlyDuringExecute()
{
    TTipDialog dialog;
    dialog.setTips(tips(2));
    QPointer<TTipWindow> during;
    QVERIFY(!dialog.TipWindow());

    executeDriven(dialog, [&](TTipWindow* window) {
        during = window;
        window->accept();
    });

    QVERIFY(!dialog.TipWindow());
    QVERIFY(during.isNull());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TTipDialogTest::outOfRangeChoiceStaysInTheList()
{
    TTipDialog dialog;
    dialog.setTips(tips(3));
    dialog.setRandomIndex(scripted({7, -2}));
    QList<int> indexes;

    executeDriven(dialog, [&](TTipWindow* window) {
        indexes << window->TipIndex();
        QTest::mouseClick(window->btnNext(), Qt::LeftButton);
        indexes << window->TipIndex();
        window->accept();
    });

    QCOMPARE(indexes, (QList<int>{2, 0}));
}

void TTipDialogTest::secondExecuteWhileRunningIsRefused()
{
    TTipDialog dialog;
    dialog.setTips(tips(2));
    bool nested = true;
    TTipWindow* stillCurrent = nullptr;
    TTipWindow* first = nullptr;

    executeDriven(dialog, [&](TTipWindow* window) {
        first = window;
        nested = dialog.Execute();
        stillCurrent = dialog.TipWindow();
        window->accept();
    });

    QVERIFY(!nested);
    QCOMPARE(stillCurrent, first);
}

void TTipDialogTest::everyTipFitsItsLabel()
{
    const QStringList all = tipOfTheDayTexts();
    QList<int> order;
    for (int i = 0; i < all.size(); ++i)
        order << i;
    TTipDialog dialog;
    dialog.setTips(all);
    dialog.setTipDialogCaption(QStringLiteral("Tip of the Day"));
    dialog.setRandomIndex(scripted(order));
    QStringList clipped;

    executeDriven(dialog, [&](TTipWindow* window) {
        const QLabel* label = window->lblTip();
        for (int i = 0; i < all.size(); ++i) {
            QCOMPARE(label->text(), all.at(i));
            if (label->heightForWidth(label->width()) > label->height())
                clipped << label->text();
            QTest::mouseClick(window->btnNext(), Qt::LeftButton);
        }
        // The other texts and the panel lie inside the window.
        for (const QWidget* child :
            {static_cast<QWidget*>(window->lblQuestion()), static_cast<QWidget*>(window->chkOnOff())}) {
            QVERIFY2(child->sizeHint().width() <= child->width(), qPrintable(child->objectName()));
        }
        QVERIFY(window->rect().contains(window->pnlTip()->geometry()));
        QVERIFY(window->rect().contains(window->chkOnOff()->geometry()));
        window->accept();
    });

    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void TTipDialogTest::tipTextsKeepTheirTrailingBlanks()
{
    const QStringList all = tipOfTheDayTexts();
    QCOMPARE(all.size(), 20);
    QList<int> endingWithBlank;
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).endsWith(QLatin1Char(' ')))
            endingWithBlank << i + 1;
        QVERIFY(!all.at(i).endsWith(QLatin1String("  ")));
    }
    QCOMPARE(endingWithBlank, (QList<int>{1, 10, 13}));
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TintoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("TTipDialogTest"));
    TTipDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TTipDialogTest.moc"
