// The window under a locale whose decimal sign is a comma (the test runs under
// de_DE.UTF-8): one decimal sign, the point, in the window, a comma typed into
// a number taken as that point, and workbooks that spreadsheets read as written.
#include "MainWindowFixture.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QProcess>
#include <QTest>

class CommaLocaleTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    TSuperGrid* grid() const { return window->Grid1(); }
    QString box(tintora::PropertyBox b) const { return window->properties()->box(b)->text(); }
    static QString threeDecimals(double value) { return QString::number(value, 'f', 3); }

private slots:
    void initTestCase()
    {
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        copyMaterialsAndFormulas();
    }
    void init()
    {
        resetScripts();
        showWindow(scriptedServices());
        chooser.answers.push_back(formulas() + QStringLiteral("/small.tfx"));
        window->menus().Open1->trigger();
    }
    void cleanup() { window.reset(); }

    // The boxes show the point as the grid does; a comma typed into a Weight
    // cell is the point, not dropped (12,5 is 12.5, not 125).
    void oneDecimalSignInTheWindow()
    {
        const double weight = window->sheet().box(tintora::PropertyBox::WeightBox);
        QCOMPARE(box(tintora::PropertyBox::WeightBox), threeDecimals(weight));
        grid()->setFocus();
        grid()->setCurrentCell(3, 2);
        QTest::keyClicks(grid(), QStringLiteral("12,5"));
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(grid()->Cells(3, 2).trimmed(), QStringLiteral("12.500"));
        QCOMPARE(
            box(tintora::PropertyBox::WeightBox), threeDecimals(window->sheet().box(tintora::PropertyBox::WeightBox)));
    }

    // Copy Out is for a spreadsheet of this locale: its numbers keep the comma.
    void copyOutKeepsTheLocaleSign()
    {
        window->menus().CopyOut1->trigger();
        const QString weight = threeDecimals(window->sheet().box(tintora::PropertyBox::WeightBox));
        QVERIFY(QGuiApplication::clipboard()->text().contains(QString(weight).replace(u'.', u',')));
    }

    // Excel Out writes numbers as workbooks hold them: openpyxl (not the
    // writer) reads the weight total as the program's figure.
    void excelOutReadsBackInAnotherProgram()
    {
        const QString workbook = programFolder.filePath(QStringLiteral("small.xlsx"));
        saveChooser.answers.push_back(workbook);
        window->menus().Excel->trigger();
        QVERIFY(prompter->shown.empty());
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
                QStringLiteral("import sys, openpyxl\n"
                               "rows = list(openpyxl.load_workbook(sys.argv[1], "
                               "data_only=True).active.iter_rows(values_only=True))\n"
                               "print('%.3f' % next(r[2] for r in rows if r[1] == 'Total'))\n"),
                workbook});
        QVERIFY(python.waitForFinished());
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).trimmed(),
            threeDecimals(window->sheet().box(tintora::PropertyBox::WeightBox)));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<CommaLocaleTest>(argc, argv);
}

#include "CommaLocaleTest.moc"
