// Undo and Redo in the main window: random sequences of the window's
// commands taken back and taken again, and the question before work is lost
// after undoing back to what is saved.
#include "MainWindowFixture.h"
#include "ui/app/GridEditor.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/calc/CalcPanel.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

using tintora::testing::ShownMessage;

class UndoWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    TSuperGrid* grid() const { return window->Grid1(); }
    const MainMenus& menus() const { return window->menus(); }

    // Everything the sheet holds, as text: each row's cells, mark and kind,
    // its material's properties, the name and the sixteen figures.
    QStringList sheetText() const
    {
        const tintora::FormulaSheet& sheet = window->sheet();
        QStringList text{QString::fromStdString(sheet.name())};
        for (int n = 1; n <= tintora::SheetRowCount; ++n) {
            const tintora::SheetRow& row = sheet.row(n);
            QString line = QStringLiteral("%1 %2 %3 %4")
                               .arg(row.marked)
                               .arg(row.RowKind)
                               .arg(row.props.Spec)
                               .arg(row.props.Vol_Wt);
            for (const std::string& cell : row.cells)
                line += QLatin1Char('|') + QString::fromStdString(cell);
            text << line;
        }
        for (int b = 0; b < tintora::PropertyBoxCount; ++b)
            text << QString::number(sheet.box(static_cast<tintora::PropertyBox>(b)), 'g', 17);
        return text;
    }

    void clickCell(int col, int row)
    {
        grid()->setTopRow(1);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->CellRect(col, row).center());
    }
    void onRow(int row, QAction* command)
    {
        grid()->setCurrentCell(1, row);
        command->trigger();
    }

    // A window command on a random row, and the step it names when it changes the sheet.
    struct Command {
        QString step;
        std::function<void(int row)> run;
    };
    std::vector<Command> commands()
    {
        return {
            {"Mark", [this](int row) { clickCell(0, row); }},
            {"Insert Row", [this](int row) { onRow(row, menus().RMInsert1); }},
            {"Delete Row", [this](int row) { onRow(row, menus().RMDelete1); }},
            {"Cut Row", [this](int row) { onRow(row, menus().mCut); }},
            {"Paste Row",
                [this](int row) {
                    onRow(row, menus().mCopy);
                    onRow(row % 7 + 1, menus().mPaste);
                }},
            {"Add Row", [this](int row) { onRow(row, menus().Add2); }},
            {"Mark All", [this](int) { menus().MarkAll1->trigger(); }},
            {"Flip Marked", [this](int) { menus().FlipMarked1->trigger(); }},
            {"Weight Entry",
                [this](int row) {
                    // A row without specific gravity takes no weight, and its first key waits for Escape.
                    if (window->sheet().row(row).props.Spec == 0)
                        return;
                    clickCell(3, row);
                    QTest::keyClicks(grid(), QString::number(row * 11));
                    QTest::keyClick(grid(), Qt::Key_Return);
                }},
            {"Material Entry",
                [this](int row) {
                    clickCell(1, row);
                    QTest::keyClicks(grid(), row % 2 ? QStringLiteral("tio2") : QStringLiteral("glycol"));
                    QTest::keyClick(grid(), Qt::Key_Return);
                }},
            {"Name",
                [this](int row) {
                    QTest::keyClicks(window->properties()->NameBox(), QStringLiteral(" v%1").arg(row));
                    grid()->setFocus();
                }},
            {"Note",
                [this](int row) {
                    // Rows below the sample's seven are empty: a double click there writes a note.
                    const int empty = row + 7;
                    clickCell(2, empty);
                    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, grid()->CellRect(2, empty).center());
                    QTest::keyClicks(window->gridEditor().DescBox(), QStringLiteral("stir %1").arg(row));
                    QTest::keyClick(window->gridEditor().DescBox(), Qt::Key_Escape);
                }},
            {"Keypad Entry",
                [this](int row) {
                    if (window->sheet().row(row).props.Spec == 0)
                        return;
                    clickCell(3, row);
                    CalcPanel* panel = window->gridEditor().calcPanel();
                    panel->openFor(3, row, grid()->Cells(3, row).toStdString());
                    for (const char* key : {"btnClear", "Button1", "Button5", "btnAccept"})
                        QTest::mouseClick(panel->button(key), Qt::LeftButton);
                }},
            {"Scale Percent", [this](int) { menus().Percent1->trigger(); }},
            {"Total Weight",
                [this](int row) {
                    keypad.answers.push_back(std::to_string(700 + row));
                    menus().Weight1->trigger();
                }},
        };
    }

private slots:
    void initTestCase() { copyMaterialsAndFormulas(); }
    void init()
    {
        resetScripts();
        MainWindowServices services = scriptedServices();
        services.keypad = &keypad;
        window = newWindow(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        chooser.answers.push_back(formulas() + QStringLiteral("/small.tfx"));
        menus().Open1->trigger();
    }
    void cleanup() { window.reset(); }

    // Each command that changes the sheet is one step named after it; undoing
    // every step gives the sheet as opened, redoing them all the sheet as left.
    void randomCommandsUndoAndRedoExactly_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void randomCommandsUndoAndRedoExactly()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const std::vector<Command> all = commands();
        const QStringList start = sheetText();
        QVERIFY(!menus().Undo1->isEnabled());
        for (int i = 0; i < 30; ++i) {
            const Command& command = all[random.bounded(static_cast<quint32>(all.size()))];
            const QStringList before = sheetText();
            command.run(random.bounded(1, 8));
            if (sheetText() != before)
                QCOMPARE(menus().Undo1->text(), QStringLiteral("&Undo ") + command.step);
        }
        const QStringList end = sheetText();
        int steps = 0;
        while (menus().Undo1->isEnabled()) {
            menus().Undo1->trigger();
            ++steps;
        }
        QCOMPARE(sheetText(), start);
        QCOMPARE(menus().Undo1->text(), QStringLiteral("&Undo"));
        QVERIFY(steps > 0);
        while (menus().Redo1->isEnabled())
            menus().Redo1->trigger();
        QCOMPARE(sheetText(), end);
    }

    // The keys: Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo.
    void shortcutsUndoAndRedo()
    {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const QStringList opened = sheetText();
        menus().Percent1->trigger();
        const QStringList scaled = sheetText();
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sheetText(), opened);
        QCOMPARE(menus().Redo1->text(), QStringLiteral("&Redo Scale Percent"));
        QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(sheetText(), scaled);
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sheetText(), scaled);
    }

    // What is being typed when Undo comes (a cell without Enter, digits on the
    // keypad panel) is taken in as a step first: Undo takes back that step,
    // Redo gives it again.
    void undoTakesInWhatIsBeingTyped_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("onKeypad");
        QTest::newRow("weight") << 3 << false;
        QTest::newRow("volume") << 4 << false;
        QTest::newRow("keypad") << 3 << true;
    }
    void undoTakesInWhatIsBeingTyped()
    {
        QFETCH(int, col);
        QFETCH(bool, onKeypad);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        clickCell(3, 3);
        QTest::keyClicks(grid(), QStringLiteral("12"));
        QTest::keyClick(grid(), Qt::Key_Return);
        const QStringList afterFirst = sheetText();
        clickCell(col, 2);
        if (onKeypad) {
            CalcPanel* panel = window->gridEditor().calcPanel();
            panel->openFor(col, 2, grid()->Cells(col, 2).toStdString());
            for (const char* key : {"btnClear", "Button5", "Button0"})
                QTest::mouseClick(panel->button(key), Qt::LeftButton);
        } else {
            QTest::keyClicks(grid(), QStringLiteral("50"));
        }
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sheetText(), afterFirst);
        QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(grid()->Cells(col, 2).trimmed().startsWith(QStringLiteral("50.")));
        QVERIFY(sheetText() != afterFirst);
    }

    // "Save changes?" compares with the file: undone back to it, there is
    // nothing to ask; redone, there is again. New starts a new history.
    void undoneBackToTheSavedFormulaAsksNothing()
    {
        menus().Percent1->trigger();
        QVERIFY(window->isWindowModified());
        menus().Undo1->trigger();
        QVERIFY(!window->isWindowModified());
        menus().Redo1->trigger();
        QVERIFY(window->isWindowModified());
        prompter->threeWayAnswers.push_back(tintora::Prompter::Answer::Cancel);
        menus().New1->trigger();
        QCOMPARE(prompter->shown.size(), std::size_t{1});
        QCOMPARE(prompter->shown.front().kind, ShownMessage::Kind::YesNoCancel);
        menus().Undo1->trigger();
        menus().New1->trigger();
        QCOMPARE(prompter->shown.size(), std::size_t{1});  // nothing more asked
        QVERIFY(!menus().Undo1->isEnabled());
        QVERIFY(!menus().Redo1->isEnabled());
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<UndoWindowTest>(argc, argv);
}

#include "UndoWindowTest.moc"
