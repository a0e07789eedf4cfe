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
#include "ui/calc/TfrmOptimise.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <deque>
#include <functional>
#include <memory>

using tintora::PropertyBox;
using tintora::testing::ShownMessage;

Q_DECLARE_METATYPE(PropertyBox)

class RecalcWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    // What the user does in each Optimise dialog, in turn; whether Apply closed it.
    std::deque<std::function<bool(TfrmOptimise&)>> optimiseUsers;

    std::unique_ptr<TfrmMain> makeWindow(tintora::KeypadDialog* keypadService)
    {
        MainWindowServices services = scriptedServices();
        services.keypad = keypadService;
        services.runOptimise = [this](TfrmOptimise& dialog) {
            if (optimiseUsers.empty())
                return false;
            const auto user = std::move(optimiseUsers.front());
            optimiseUsers.pop_front();
            return user(dialog);
        };
        chooser.otherwise = formulas() + QStringLiteral("/small.tfx");
        auto made = newWindow(std::move(services));
        made->menus().Open1->trigger();  // water 100, tio2 200, resin 300, glycol 20, a missing 5: 625 lb
        return made;
    }

    QString cell(int col, int row) const { return window->Grid1()->Cells(col, row); }
    QString boxText(PropertyBox b) const { return window->properties()->box(b)->text(); }
    QString shown(double value) const { return QLocale().toString(value, 'f', 3); }
    void mark(int row) { window->Grid1()->setChecked(0, row, true); }
    double boxValue(PropertyBox b) const { return QLocale().toDouble(boxText(b)); }
    // A menu entry or button by its object name, else a property box by its name.
    void runWay(const QString& way)
    {
        if (auto* button = window->findChild<TExplorerButton*>(way))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (auto* action = window->findChild<QAction*>(way))
            action->trigger();
        else if (auto* box = window->properties()->findChild<TFnpNumericEdit*>(way))
            QTest::mouseDClick(box, Qt::LeftButton);
        else
            QFAIL(qPrintable(QStringLiteral("no way in named ") + way));
    }
    // "With the marked rows, ... can be set between A and B." (or above A,
    // below B): the range told holds the present value, which scaling by 1 reaches.
    static bool rangeHolds(const QString& message, double present)
    {
        static const QRegularExpression range(QStringLiteral(
            R"(^With the marked rows, .+ can be set (between ([0-9.]+) and ([0-9.]+)|above ([0-9.]+)|below ([0-9.]+))\.$)"));
        const QRegularExpressionMatch m = range.match(message);
        if (!m.hasMatch()) {
            qWarning() << message;
            return false;
        }
        const auto bound = [&](int group, double otherwise) {
            return m.captured(group).isEmpty() ? otherwise : m.captured(group).toDouble();
        };
        const double low = std::max(bound(2, 0), bound(4, 0));
        const double high = std::min(bound(3, 1e300), bound(5, 1e300));
        return low < present && present < high;
    }

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

    // Every target and scale, from its menu entry, its button or its box, on
    // the sample with the resin marked: a value 1 % from the present one is
    // reached (and is Undo's step); 99999, beyond every percent, density, SPG
    // and VOC, is refused with a range that holds the present value.
    void everyWayInReachesItsTargetOrTellsTheRange_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("byVolume");
        QTest::addColumn<PropertyBox>("box");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("rangeTold");  // 99999 is out of reach
        using B = PropertyBox;
        const struct {
            const char* menu;
            const char* button;
            B box;
            const char* caption;
            bool byVolume;
            bool rangeTold;
        } targets[] = {
            {"BinderWt", "BinderButton", B::BinderWtBox, "Binder by Weight", false, true},
            {"PigmentWt", "PigmentButton", B::PigmentWtBox, "Pigment by Weight", false, true},
            {"SolidsWt", "Solidsbutton", B::SolidsWtBox, "Solids by Weight", false, true},
            {"VolatileWt", "VolatileButton", B::VolatileWtBox, "Volatile by Weight", false, true},
            {"BinderVol", "BinderButton", B::BinderVolBox, "Binder by Volume", true, true},
            {"PigmentVol", "PigmentButton", B::PigmentVolBox, "Pigment by Volume", true, true},
            {"SolidsVol", "Solidsbutton", B::SolidsVolBox, "Solids by Volume", true, true},
            {"VolatileVol", "VolatileButton", B::VolatileVolBox, "Volatile by Volume", true, true},
            {"Density1", nullptr, B::DensityBox, "Density", false, true},
            {"SPG1", nullptr, B::SPGBox, "SPG", false, true},
            {"Voc1", nullptr, B::VocBox, "VOC", false, true},
            // The resin alone has no pigment, the rest no binder: every P/B above 0 is reachable.
            {"PBRatio1", nullptr, B::PBBox, "P/B Ratio", false, false},
            {"Weight1", nullptr, B::WeightBox, "Total Weight", false, false},
            {"Volume1", nullptr, B::VolumeBox, "Total Volume", false, false},
            {"CostWt", nullptr, B::CostWtBox, "Cost by Weight", false, false},
            {"CostVol", nullptr, B::CostVolBox, "Cost by Volume", true, false},
        };
        for (const auto& t : targets) {
            const QString box = QString::fromLatin1(tintora::propertyBoxName(t.box));
            QTest::newRow(t.menu) << t.menu << t.byVolume << t.box << t.caption << t.rangeTold;
            QTest::newRow(qPrintable(box)) << box << t.byVolume << t.box << t.caption << t.rangeTold;
            if (t.button)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(t.button, t.byVolume ? "by volume" : "by weight")))
                    << t.button << t.byVolume << t.box << t.caption << t.rangeTold;
        }
        QTest::newRow("Scale Weight") << "Weight2" << false << B::WeightBox << "Scale Weight" << false;
        QTest::newRow("Scale Volume") << "Volume2" << false << B::VolumeBox << "Scale Volume" << false;
    }
    void everyWayInReachesItsTargetOrTellsTheRange()
    {
        QFETCH(QString, way);
        QFETCH(bool, byVolume);
        QFETCH(PropertyBox, box);
        QFETCH(QString, caption);
        QFETCH(bool, rangeTold);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        if (byVolume)
            window->menus().FlipPercents1->trigger();
        mark(5);
        const double before = boxValue(box);
        const double target = before * 1.01;
        keypad.answers.push_back(QString::number(target, 'f', 3).toStdString());
        runWay(way);
        QCOMPARE(keypad.captions(), (std::vector<std::string>{caption.toStdString()}));
        QVERIFY2(prompter->shown.empty(), prompter->shown.empty() ? "" : prompter->shown.front().text.c_str());
        QVERIFY2(std::abs(boxValue(box) - target) <= 0.01, qPrintable(boxText(box)));
        QCOMPARE(window->menus().Undo1->text(), QStringLiteral("&Undo ") + caption);
        window->menus().Undo1->trigger();
        QCOMPARE(boxValue(box), before);
        if (!rangeTold)
            return;
        mark(5);  // set without a click, the mark was no step of its own
        keypad.answers.push_back("99999");
        runWay(way);
        QCOMPARE(prompter->shown.size(), std::size_t{1});
        QVERIFY(rangeHolds(QString::fromStdString(prompter->shown.front().text), before));
        QCOMPARE(boxValue(box), before);
        QVERIFY(!window->menus().Undo1->isEnabled());
    }

    // Scale > Percent and its button need no keypad: the total becomes 100 lb.
    void percentScaleBringsTheTotalTo100_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("menu") << "Percent1";
        QTest::newRow("button") << "ExplorerButton2";
    }
    void percentScaleBringsTheTotalTo100()
    {
        QFETCH(QString, way);
        window->show();
        runWay(way);
        QVERIFY(keypad.calls.empty());
        QVERIFY(prompter->shown.empty());
        QCOMPARE(boxValue(PropertyBox::WeightBox), 100.0);
        QCOMPARE(window->menus().Undo1->text(), QStringLiteral("&Undo Scale Percent"));
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

    // Recalc > Optimise starts from the marks; Apply takes the formula found
    // as one step; the settings it ran with come back in the next dialog and
    // are saved with the formula; an entry that is no number is named.
    void optimiseAppliesTheFormulaFoundAsOneStep()
    {
        mark(2);
        mark(5);
        const int solids = tintora::figureOfKey("solids_vol_pct").value();
        QString limit;
        std::array<double, 2> found{};
        optimiseUsers.push_back([&](TfrmOptimise& dialog) {
            auto* figures = dialog.findChild<QTableWidget*>(QStringLiteral("FiguresTable"));
            limit = QString::number(figures->item(solids, 1)->text().toDouble() + 1, 'f', 1);
            figures->item(solids, 2)->setText(limit);
            dialog.Optimise();
            if (!dialog.found())
                return false;
            found = {dialog.found()->formula.weight(2), dialog.found()->formula.weight(5)};
            return true;
        });
        window->menus().Optimise1->trigger();
        QVERIFY(found[0] > 0);
        QCOMPARE(cell(3, 2).trimmed(), QString::number(found[0], 'f', 3));
        QCOMPARE(cell(3, 5).trimmed(), QString::number(found[1], 'f', 3));
        QVERIFY(boxValue(PropertyBox::SolidsVolBox) >= limit.toDouble() - 0.01);
        QCOMPARE(window->menus().Undo1->text(), QStringLiteral("&Undo Optimise"));
        window->menus().Undo1->trigger();
        QCOMPARE(cell(3, 2), QStringLiteral(" 100.000"));

        optimiseUsers.push_back([&](TfrmOptimise& dialog) {
            auto* figures = dialog.findChild<QTableWidget*>(QStringLiteral("FiguresTable"));
            auto* rows = dialog.findChild<QTableWidget*>(QStringLiteral("RowsTable"));
            [&] { QCOMPARE(figures->item(solids, 2)->text(), limit); }();
            rows->item(0, 5)->setText(QStringLiteral("lots"));
            dialog.Optimise();
            [&] { QCOMPARE(dialog.message(), QStringLiteral("Row 2, minimum: \"lots\" is no number.")); }();
            return !dialog.found();
        });
        window->menus().Optimise1->trigger();
        QVERIFY(optimiseUsers.empty());
        QCOMPARE(cell(3, 2), QStringLiteral(" 100.000"));

        const QString copy = formulas() + QStringLiteral("/optimised.tfx");
        saveChooser.otherwise = copy;
        window->menus().SaveAs1->trigger();
        QFile saved(copy);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.contains("[Optimise]"));
        QVERIFY(bytes.contains("solids_vol_pct=" + limit.toLatin1() + ".."));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<RecalcWindowTest>(argc, argv);
}

#include "RecalcWindowTest.moc"
