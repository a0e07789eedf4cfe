// The keypad panel driven with real clicks on a sheet of one material row.
#include "ui/calc/CalcPanel.h"
#include "ScriptedPrompter.h"
#include "core/calc/Calculate.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using tintora::Column;
using tintora::testing::ScriptedPrompter;
using tintora::testing::ScriptedSounds;
using tintora::testing::ShownMessage;

class CalcPanelTest : public QObject {
    Q_OBJECT

    tintora::FormulaSheet sheet;
    tintora::CalculatorState calculator;
    ScriptedSounds sounds;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<QWidget> window;
    CalcPanel* panel = nullptr;

    static constexpr int Row = 4;

    QString cell(Column c) const { return QString::fromStdString(sheet.cell(c, Row)); }
    // Clicks the panel's buttons for the keys, "A" for Accept.
    void press(const QString& keys)
    {
        static const QHash<QChar, const char*> names = {{'0', "Button0"}, {'1', "Button1"}, {'2', "Button2"},
            {'3', "Button3"}, {'4', "Button4"}, {'5', "Button5"}, {'6', "Button6"}, {'7', "Button7"}, {'8', "Button8"},
            {'9', "Button9"}, {'.', "btnPeriod"}, {'+', "btnPlus"}, {'-', "btnMinus"}, {'*', "btnMultiply"},
            {'/', "btnDivide"}, {'=', "btnEqual"}, {'C', "btnClear"}, {'A', "btnAccept"}};
        for (QChar key : keys)
            QTest::mouseClick(panel->button(names.value(key)), Qt::LeftButton);
    }

private slots:
    void init()
    {
        sheet = {};
        calculator = {};
        sounds.played.clear();
        prompter = std::make_unique<ScriptedPrompter>(&sounds);
        sheet.row(Row).RowKind = true;
        sheet.row(Row).props.Spec = 1;
        sheet.setCell(Column::Material, Row, "water");
        sheet.setCell(Column::Weight, Row, "50");
        tintora::Calculate(sheet);
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        panel = new CalcPanel(sheet, calculator, *prompter, window.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void isHiddenUntilOpenedAndHasItsSize()
    {
        QVERIFY(!panel->isVisible());
        QCOMPARE(panel->size(), QSize(113, 110));
        panel->openFor(3, Row, "  50.000");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->displayCol(), 3);
        QCOMPARE(panel->displayRow(), Row);
        QCOMPARE(calculator.CalcValue, 50.0);
    }

    void eighteenButtonsAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QRect>("geometry");
        const char* names[] = {"Button1", "Button2", "Button3", "btnDivide", "Button4", "Button5", "Button6",
            "btnMultiply", "Button7", "Button8", "Button9", "btnMinus", "btnPeriod", "Button0", "btnEqual", "btnPlus"};
        const char* captions = "123/456*789-.0=+";
        for (int i = 0; i < 16; ++i)
            QTest::newRow(names[i]) << names[i] << QString(QLatin1Char(captions[i])) << int(captions[i])
                                    << QRect(QList<int>{2, 29, 56, 83}[i % 4], 2 + 20 * (i / 4), 28, 21);
        QTest::newRow("btnClear") << "btnClear"
                                  << "C" << 67 << QRect(2, 87, 28, 21);
        QTest::newRow("btnAccept") << "btnAccept"
                                   << "Accept" << 61 << QRect(29, 87, 82, 21);
    }
    void eighteenButtonsAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, tag);
        QFETCH(QRect, geometry);
        QPushButton* b = panel->button(name.toLatin1().constData());
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->property("Tag").toInt(), tag);
        QCOMPARE(b->geometry(), geometry);
        QCOMPARE(panel->findChildren<QPushButton*>().size(), 18);
    }

    void clickedDigitsGoIntoTheCellWithItsPartner()
    {
        panel->openFor(3, Row, "  50.000");
        QSignalSpy changed(panel, &CalcPanel::cellsChanged);
        press("C100");
        QCOMPARE(cell(Column::Weight), QStringLiteral("100"));
        QCOMPARE(cell(Column::Volume), QStringLiteral("12.00"));
        QCOMPARE(changed.size(), 4);
        QVERIFY(prompter->shown.empty());
    }

    void sixthDigitIsDroppedSilently()
    {
        panel->openFor(3, Row, "  50.000");
        press("C123456");
        QCOMPARE(cell(Column::Weight), QStringLiteral("12345"));
        QVERIFY(prompter->shown.empty());
    }

    void resultBeyondTheLimitIsRefusedWithItsMessage()
    {
        panel->openFor(3, Row, "  50.000");
        press("C99999*2=");
        QCOMPARE(
            prompter->shown, (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Number exceeds row limit."}}));
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemHand"}));
        QCOMPARE(cell(Column::Weight), QStringLiteral("  50.000"));
        QVERIFY(panel->isVisible());
    }

    void acceptOnAVolumeCellWritesTheWeightAndRecalculates()
    {
        panel->openFor(4, Row, "   6.000");
        QSignalSpy accepted(panel, &CalcPanel::accepted);
        press("C12A");
        QCOMPARE(cell(Column::Weight), QStringLiteral(" 100.000"));
        QCOMPARE(cell(Column::Volume), QStringLiteral("  12.000"));
        QCOMPARE(sheet.box(tintora::PropertyBox::WeightBox), 100.0);
        QCOMPARE(accepted.size(), 1);
        QVERIFY(!panel->isVisible());
    }

    void acceptCompletesThePendingOperation()
    {
        panel->openFor(3, Row, "  50.000");
        press("C40+60A");
        QCOMPARE(cell(Column::Weight), QStringLiteral(" 100.000"));
        QCOMPARE(sheet.box(tintora::PropertyBox::WeightBox), 100.0);
    }

    void placedUnderTheCellOrAboveIt_data()
    {
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QPoint>("expected");
        // grid at (10, 150), 200 pixels high
        QTest::newRow("room below") << QRect(200, 20, 90, 17) << QPoint(212, 150 + 37 + 2);
        QTest::newRow("last rows") << QRect(200, 120, 90, 17) << QPoint(212, 150 + 120 - 110);
    }
    void placedUnderTheCellOrAboveIt()
    {
        QFETCH(QRect, cell);
        QFETCH(QPoint, expected);
        QCOMPARE(CalcPanel::positionAt(cell, QPoint(10, 150), 200), expected);
    }
};

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    CalcPanelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CalcPanelTest.moc"
