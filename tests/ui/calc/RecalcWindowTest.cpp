// Target recalculation from the main window: marks set in the grid, the
// command chosen from the menu, the button bar or a property box, the keypad
// answered by the test (or typed into the real keypad dialog).
#include "MainWindowFixture.h"
#include "core/calc/KeypadDialog.h"
#include "ui/app/GridEditor.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/calc/CalcPanel.h"
#include "ui/calc/TfrmCalc.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

using tintora::PropertyBox;
using tintora::testing::ShownMessage;

class RecalcWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<TfrmMain> makeWindow(tintora::KeypadDialog* keypadService)
    {
        MainWindowServices services = scriptedServices();
        services.keypad = keypadService;
        chooser.otherwise = formulas() + QStringLiteral("/small.tfx");
        auto made = newWindow(std::move(services));
        made->menus().Open1->trigger();  // water 100, tio2 200, resin 300, glycol 20, a missing 5: 625 lb
        return made;
    }

    QString cell(int col, int row) const { return window->Grid1()->Cells(col, row); }
    QString boxText(PropertyBox b) const { return window->properties()->box(b)->text(); }
    QString shown(double value) const { return QLocale().toString(value, 'f', 3); }
    void mark(int row) { window->Grid1()->setChecked(0, row, true); }

private slots:
    void initTestCase() { copyMaterialsAndFormulas(); }

    void init()
    {
        resetScripts();
        window = makeWindow(&keypad);
        QCOMPARE(boxText(PropertyBox::WeightBox), shown(625));
    }
    void cleanup() { window.reset(); }

    void weightRecalcRescalesTheMarkedRow()
    {
        mark(2);
        keypad.answers.push_back("725.000");
        window->menus().Weight1->trigger();
        QCOMPARE(keypad.captions(), (std::vector<std::string>{"Total Weight"}));
        QCOMPARE(keypad.displays(), (std::vector<std::string>{"625.00"}));
        QCOMPARE(cell(3, 2), QStringLiteral(" 200.000"));
        QCOMPARE(cell(3, 3), QStringLiteral(" 200.000"));
        QCOMPARE(boxText(PropertyBox::WeightBox), shown(725));
        QVERIFY(prompter->shown.empty());
        QVERIFY(window->Grid1()->Checked(0, 2));
    }

    void everyWayInOpensTheKeypadOfItsQuantity_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("byVolume");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Weight menu") << "Weight1" << false << "Total Weight";
        QTest::newRow("Volume menu") << "Volume1" << false << "Total Volume";
        QTest::newRow("Cost by weight menu") << "CostWt" << false << "Cost by Weight";
        QTest::newRow("Cost by volume menu") << "CostVol" << false << "Cost by Volume";
        QTest::newRow("Weight button") << "WeightButton" << false << "Total Weight";
        QTest::newRow("Volume button") << "VolumeButton" << false << "Total Volume";
        QTest::newRow("Cost button by weight") << "CostButton" << false << "Cost by Weight";
        QTest::newRow("Cost button by volume") << "CostButton" << true << "Cost by Volume";
        QTest::newRow("WeightBox") << "WeightBox" << false << "Total Weight";
        QTest::newRow("VolumeBox") << "VolumeBox" << false << "Total Volume";
        QTest::newRow("CostWtBox") << "CostWtBox" << false << "Cost by Weight";
        QTest::newRow("CostVolBox") << "CostVolBox" << true << "Cost by Volume";
    }
    void everyWayInOpensTheKeypadOfItsQuantity()
    {
        QFETCH(QString, way);
        QFETCH(bool, byVolume);
        QFETCH(QString, caption);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        if (byVolume)
            window->menus().FlipPercents1->trigger();
        mark(2);
        const QStringList before = [this] {
            QStringList texts;
            for (int row = 1; row <= 7; ++row)
                texts << cell(3, row) << cell(4, row);
            return texts;
        }();
        const std::map<QString, PropertyBox> boxes
            = {{"WeightBox", PropertyBox::WeightBox}, {"VolumeBox", PropertyBox::VolumeBox},
                {"CostWtBox", PropertyBox::CostWtBox}, {"CostVolBox", PropertyBox::CostVolBox}};
        if (way.endsWith(QStringLiteral("Button")))
            QTest::mouseClick(window->findChild<TExplorerButton*>(way), Qt::LeftButton);
        else if (boxes.count(way))
            QTest::mouseDClick(window->properties()->box(boxes.at(way)), Qt::LeftButton);
        else
            window->findChild<QAction*>(way)->trigger();
        QCOMPARE(keypad.captions(), (std::vector<std::string>{caption.toStdString()}));
        // cancelled: no message, nothing changed
        QVERIFY(prompter->shown.empty());
        for (int row = 1, i = 0; row <= 7; ++row, i += 2) {
            QCOMPARE(cell(3, row), before[i]);
            QCOMPARE(cell(4, row), before[i + 1]);
        }
        QCOMPARE(window->focusWidget(), window->Grid1());  // the next keys go to the grid
    }

    void nothingMarkedIsRefusedBeforeTheKeypad()
    {
        window->menus().Weight1->trigger();
        QVERIFY(keypad.captions().empty());
        QCOMPARE(prompter->shown,
            (std::vector<ShownMessage>{
                {ShownMessage::Kind::Information, "No materials selected. Can not recalculate."}}));
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemAsterisk"}));
    }

    void missedTargetIsUndoneWithItsMessage()
    {
        mark(2);
        keypad.answers.push_back("50");
        window->menus().Weight1->trigger();
        QCOMPARE(prompter->shown,
            (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "New value can not be obtained."}}));
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemHand"}));
        QCOMPARE(cell(3, 2), QStringLiteral(" 100.000"));
        QCOMPARE(boxText(PropertyBox::WeightBox), shown(625));
    }

    // On the real dialog: the first digit replaces the offered total, and the
    // offered value accepted as it stands scales nothing. The target's name
    // is shown inside the dialog too, where no title bar can cut it.
    void typedOnTheRealKeypadDialog_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("row2Weight");
        QTest::addColumn<double>("total");
        QTest::newRow("a new weight") << "Weight1"
                                      << "725"
                                      << "Total Weight"
                                      << " 200.000" << 725.0;
        QTest::newRow("the volume as offered") << "Volume1"
                                               << ""
                                               << "Total Volume"
                                               << " 100.000" << 54.457;
    }
    void typedOnTheRealKeypadDialog()
    {
        QFETCH(QString, command);
        QFETCH(QString, keys);
        window = makeWindow(nullptr);
        auto* dialog = dynamic_cast<TfrmCalc*>(window->keypadDialog());
        QVERIFY(dialog);
        mark(2);
        QString caption;
        QString shownInside;
        QTimer::singleShot(0, dialog, [&] {
            caption = dialog->windowTitle();
            if (auto* target = dialog->findChild<QLabel*>(QStringLiteral("TargetLabel")))
                shownInside = target->text();
            QTest::keyClicks(dialog, keys);
            QTest::keyClick(dialog, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        window->findChild<QAction*>(command)->trigger();
        QTEST(caption, "caption");
        QTEST(shownInside, "caption");
        QTEST(cell(3, 2), "row2Weight");
        QFETCH(double, total);
        const PropertyBox box = command == "Weight1" ? PropertyBox::WeightBox : PropertyBox::VolumeBox;
        QCOMPARE(boxText(box), shown(total));
        QVERIFY(prompter->shown.empty());
    }

    // The formula's missing material is said on the status line while it is
    // in the sheet, whatever the moment's messages.
    void missingMaterialIsToldOnTheStatusLine()
    {
        auto* notice = window->statusBar()->findChild<QLabel*>(QStringLiteral("MissingMaterials"));
        QVERIFY(notice);
        QCOMPARE(notice->text(), QStringLiteral("1 row's material is missing: its weight has no volume"));
        QVERIFY(!notice->isHidden());
        window->menus().New1->trigger();
        QVERIFY(notice->isHidden());
    }

    void panelAcceptShowsTheRecalculatedSheet()
    {
        CalcPanel* panel = window->gridEditor().calcPanel();
        QVERIFY(panel);
        QVERIFY(!panel->isVisible());
        window->show();
        panel->openFor(3, 2, cell(3, 2).toStdString());
        for (const char* name : {"btnClear", "Button1", "Button5", "Button0"})
            QTest::mouseClick(panel->button(name), Qt::LeftButton);
        QCOMPARE(cell(3, 2), QStringLiteral("150"));
        QCOMPARE(cell(4, 2), QStringLiteral("18.00"));
        QTest::mouseClick(panel->button("btnAccept"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(cell(3, 2), QStringLiteral(" 150.000"));
        QCOMPARE(boxText(PropertyBox::WeightBox), shown(675));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<RecalcWindowTest>(argc, argv);
}

#include "RecalcWindowTest.moc"
