// Editing in the main window's grid with real keys and mouse clicks.
#include "MainWindowFixture.h"
#include "core/sheet/RowCommands.h"
#include "ui/app/GridEditor.h"
#include "ui/app/ProgramStart.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/calc/CalcPanel.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TMRUFileList.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <memory>

using tintora::Column;
using tintora::testing::ShownMessage;
using tintora::testing::whenModalOpens;

class GridEditingTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    TSuperGrid* grid() const { return window->Grid1(); }
    QString cell(int col, int row) const { return grid()->Cells(col, row); }
    QPoint centre(int col, int row) const { return grid()->CellRect(col, row).center(); }
    void click(int col, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(grid()->viewport(), button, {}, centre(col, row));
    }
    void openSmallFormula()
    {
        chooser.otherwise = formulas() + QStringLiteral("/small.tfx");
        showWindow(scriptedServices());
        window->menus().Open1->trigger();
        grid()->setFocus();
    }

private slots:
    void initTestCase() { copyMaterialsAndFormulas(); }

    void init()
    {
        resetScripts();
        openSmallFormula();
    }

    void cleanup() { window.reset(); }

    void typingAWeightStopsAtTheLimit()
    {
        click(3, 2);
        QTest::keyClicks(grid(), QStringLiteral("123456"));
        QCOMPARE(cell(3, 2), QStringLiteral("12345"));
        QCOMPARE(cell(4, 2), QStringLiteral("1481.40"));  // 12345 / 8.33334, two decimals
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(cell(3, 2), QStringLiteral("12345.000"));
    }

    void firstKeyReplacesAndEscapeRestores()
    {
        click(3, 3);
        QTest::keyClicks(grid(), QStringLiteral("5"));
        QCOMPARE(cell(3, 3), QStringLiteral("5"));
        QTest::keyClick(grid(), Qt::Key_Escape);
        QCOMPARE(cell(3, 3), QStringLiteral(" 200.000"));
        QCOMPARE(cell(4, 3), QStringLiteral("5.85"));  // the partner again from the restored weight
    }

    void typingACodeAndEnterLoadsTheMaterial()
    {
        click(1, 8);
        QTest::keyClicks(grid(), QStringLiteral("tio2"));
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(cell(2, 8), QStringLiteral("Titanium dioxide rutile"));
        QVERIFY(window->sheet().row(8).RowKind);
    }

    void leavingAMaterialCellLoadsItsCode()
    {
        click(1, 9);
        QTest::keyClicks(grid(), QStringLiteral("water"));
        click(3, 9);
        QCOMPARE(cell(2, 9), QStringLiteral("Water"));
    }

    // Leaving the grid takes in a typed code as leaving the cell does: the
    // row shows the material and the figures count it.
    void leavingTheGridLoadsATypedCode_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Tab", "name box", "property box", "menu"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void leavingTheGridLoadsATypedCode()
    {
        QFETCH(QString, how);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        click(1, 8);
        QTest::keyClicks(grid(), QStringLiteral("tio2"));
        QVERIFY(!window->sheet().row(8).RowKind);

        if (how == QLatin1String("Tab")) {
            QTest::keyClick(grid(), Qt::Key_Tab);
        } else if (how == QLatin1String("menu")) {
            QMenuBar* bar = window->menuBar();
            QTest::mouseClick(
                bar, Qt::LeftButton, {}, bar->actionGeometry(window->menus().File1->menuAction()).center());
            window->menus().File1->close();
        } else {
            QWidget* box = how == QLatin1String("name box")
                ? static_cast<QWidget*>(window->properties()->NameBox())
                : window->properties()->box(tintora::PropertyBox::DensityBox);
            QTest::mouseClick(box, Qt::LeftButton);
        }
        QCOMPARE(cell(2, 8), QStringLiteral("Titanium dioxide rutile"));
        QVERIFY(window->sheet().row(8).RowKind);
    }

    void rightClickOpensTheMenuOnlyOnMaterialCells()
    {
        QSignalSpy menuShown(window->menus().PopupMenu, &QMenu::aboutToShow);
        for (int col = 1; col < tintora::ColumnCount; ++col) {
            menuShown.clear();
            click(col, 2, Qt::RightButton);
            QCOMPARE(grid()->Col(), col);
            QCOMPARE(grid()->Row(), 2);
            QCOMPARE(menuShown.count(), col == 1 ? 1 : 0);
            window->menus().PopupMenu->close();
        }
    }

    void dropButtonsFollowTheColumn()
    {
        click(1, 2);
        QVERIFY(window->gridEditor().Drop1()->isVisible());
        QVERIFY(!window->gridEditor().Drop2()->isVisible());
        click(4, 2);
        QVERIFY(!window->gridEditor().Drop1()->isVisible());
        QVERIFY(window->gridEditor().Drop2()->isVisible());
        click(2, 2);
        QVERIFY(!window->gridEditor().Drop1()->isVisible());
        QVERIFY(!window->gridEditor().Drop2()->isVisible());
    }

    void pickingFromTheListByKeyboard()
    {
        click(1, 10);
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        QVERIFY(window->gridEditor().File32List()->isVisible());
        QVERIFY(window->gridEditor().File32List()->hasFocus());
        window->gridEditor().File32List()->setCurrentIndex(window->gridEditor().File32List()->model()->index(0, 0));
        QTest::keyClick(window->gridEditor().File32List(), Qt::Key_Down);
        const QString chosen = window->gridEditor().File32List()->currentIndex().data().toString();
        QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("(Cost/Lb:  ")));
        QTest::keyClick(window->gridEditor().File32List(), Qt::Key_Return);
        QVERIFY(!window->gridEditor().File32List()->isVisible());
        QCOMPARE(cell(1, 10).toLower() + QStringLiteral(".rm"), chosen.toLower());
        QVERIFY(window->sheet().row(10).RowKind);
        QVERIFY(window->statusBar()->currentMessage().isEmpty());
    }

    void pickingFromTheListByMouse()
    {
        click(1, 11);
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        QListView* list = window->gridEditor().File32List();
        const QModelIndex water
            = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("water.rm")).value(0);
        QVERIFY(water.isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(water).center());
        QCOMPARE(cell(1, 11), QStringLiteral("Water"));
        QCOMPARE(cell(2, 11), QStringLiteral("Water"));
    }

    // The list's inside holds whole items only: no half-cut last item.
    void theListShowsWholeItems()
    {
        click(1, 11);
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        QListView* list = window->gridEditor().File32List();
        QVERIFY(list->isVisible());
        const int itemHeight = list->visualRect(list->model()->index(0, 0)).height();
        QVERIFY(itemHeight > 0);
        QCOMPARE(list->viewport()->height() % itemHeight, 0);
        QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    QRect cellInWindow(int col, int row) const
    {
        const QRect r = grid()->CellRect(col, row);
        return {grid()->viewport()->mapTo(window.get(), r.topLeft()), r.size()};
    }

    void theListOpensAboveACellNearTheBottom()
    {
        const int lowest = grid()->TopRow() + grid()->VisibleRowCount() - 1;
        grid()->setCurrentCell(1, lowest);
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        QVERIFY(window->gridEditor().File32List()->isVisible());
        QCOMPARE(window->gridEditor().File32List()->y() + window->gridEditor().File32List()->height(),
            cellInWindow(1, lowest).top());

        grid()->setCurrentCell(1, grid()->TopRow());
        QVERIFY(!window->gridEditor().File32List()->isVisible());  // a cell change closes it
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        const QRect top = cellInWindow(1, grid()->TopRow());
        QCOMPARE(window->gridEditor().File32List()->y(), top.top() + top.height() + 2);
        QCOMPARE(window->gridEditor().File32List()->x(), top.left() + 1);
    }

    static void wheelDown(QWidget* widget)
    {
        const QPointF at = widget->rect().center();
        QWheelEvent wheel(at, widget->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

    void aDoubleClickOnANoteOpensTheEditorAndClosingItStoresTheNote_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Enter", "Escape", "scroll", "Expand Form", "frame drag"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    // However the editor goes, the note is kept and the next keys go to the grid.
    void aDoubleClickOnANoteOpensTheEditorAndClosingItStoresTheNote()
    {
        QFETCH(QString, how);
        click(2, 4);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, centre(2, 4));
        QLineEdit* editor = window->gridEditor().DescBox();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("Grind, then let down"));
        QCOMPARE(editor->width(), 322);
        QCOMPARE(editor->palette().color(QPalette::Base), QColor(Qt::yellow));
        QTest::keyClicks(editor, QStringLiteral(" slowly"));

        if (how == QLatin1String("Enter") || how == QLatin1String("Escape"))
            QTest::keyClick(editor, how == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
        else if (how == QLatin1String("scroll"))
            wheelDown(grid()->viewport());
        else if (how == QLatin1String("Expand Form"))
            window->menus().Expand1->trigger();
        else
            window->resize(window->width(), window->height() + WindowSizeRules::GridRowStep);

        QTRY_VERIFY(!editor->isVisible());
        QCOMPARE(cell(2, 4), QStringLiteral("Grind, then let down slowly"));
        QCOMPARE(window->focusWidget(), grid());
    }

    // Ready for a code: the focus in the grid on row 1's Material cell, its drop arrow shown there.
    static void expectReadyOnRowOnesMaterialCell(const TfrmMain& w)
    {
        QCOMPARE(w.focusWidget(), w.Grid1());
        QCOMPARE(w.Grid1()->Col(), 1);
        QCOMPARE(w.Grid1()->Row(), 1);
        QVERIFY(w.gridEditor().Drop1()->isVisible());
        const QRect cell = w.Grid1()->CellRect(1, 1);
        QVERIFY(QRect(w.Grid1()->viewport()->mapTo(&w, cell.topLeft()), cell.size())
                    .contains(w.gridEditor().Drop1()->geometry().center()));
    }

    void startUpEndsOnRowOnesMaterialCellOnceTheTipsClose()
    {
        window.reset();
        bool tipsShown = false;
        const auto watch = whenModalOpens([&](QWidget& tips) {
            tipsShown = true;
            tips.close();
        });
        const auto program = startProgram(programFiles());
        QVERIFY(tipsShown);
        expectReadyOnRowOnesMaterialCell(*program->frmMain);
    }

    void everyLoadEndsOnRowOnesMaterialCell_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"New1", "Open1", "Reopen", "Reload1"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    void everyLoadEndsOnRowOnesMaterialCell()
    {
        QFETCH(QString, command);
        click(3, 5);
        window->properties()->NameBox()->setFocus();
        if (command == QLatin1String("Reopen")) {
            const auto entries = window->findChildren<TMRUMenuItem*>();
            const auto first = std::find_if(entries.begin(), entries.end(), [](auto* e) { return e->Number() == 1; });
            QVERIFY(first != entries.end());
            (*first)->trigger();
        } else {
            window->findChild<QAction*>(command)->trigger();
        }
        expectReadyOnRowOnesMaterialCell(*window);
        if (command == QLatin1String("New1"))
            QVERIFY(!window->sheet().SheetModified);  // moving to row 1 changes nothing
    }

    void theMaterialListIsSortedWithoutRegardToCase()
    {
        const QString formulas = programFolder.path() + QStringLiteral("/Formulas/");
        QVERIFY(QFile::copy(formulas + QStringLiteral("water.rm"), formulas + QStringLiteral("Zinc.rm")));
        click(1, 10);
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        QFile::remove(formulas + QStringLiteral("Zinc.rm"));
        QStringList shown;
        for (int i = 0; i < window->gridEditor().File32List()->model()->rowCount(); ++i)
            shown << window->gridEditor().File32List()->model()->index(i, 0).data().toString();
        QStringList sorted = shown;
        std::sort(sorted.begin(), sorted.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QVERIFY(shown.contains(QStringLiteral("Zinc.rm")));
        QCOMPARE(shown, sorted);
    }

    void aDoubleClickOnAMaterialDescriptionDoesNothing()
    {
        click(2, 2);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, centre(2, 2));
        QVERIFY(!window->gridEditor().DescBox()->isVisible());
    }

    void marksTakeOnlyOnMaterialRows()
    {
        click(0, 2);
        QVERIFY(window->sheet().row(2).marked);
        QVERIFY(grid()->Checked(0, 2));
        click(0, 1);  // a note row
        QVERIFY(!window->sheet().row(1).marked);
        QVERIFY(!grid()->Checked(0, 1));
    }

    void deleteAsksAndNoKeepsTheRow()
    {
        click(1, 2);
        prompter->answers = {false};
        window->menus().RMDelete1->trigger();
        QCOMPARE(prompter->shown.size(), std::size_t(1));
        QCOMPARE(prompter->shown[0].kind, ShownMessage::Kind::Confirm);
        QCOMPARE(prompter->shown[0].text, std::string(tintora::DeleteMaterialQuestion));
        QCOMPARE(cell(1, 2), QStringLiteral("Water"));
        window->menus().RMDelete1->trigger();
        QCOMPARE(cell(1, 2), QStringLiteral("TIO2"));
    }

    void cutAndPasteMoveARow()
    {
        click(0, 3);  // mark the TiO2 row
        click(1, 3);
        QTest::keyClick(grid(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(cell(1, 3).isEmpty());
        QVERIFY(cell(3, 3).isEmpty());
        click(1, 12);
        QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(1, 12), QStringLiteral("TIO2"));
        QCOMPARE(cell(3, 12), QStringLiteral(" 200.000"));
        QVERIFY(window->sheet().row(12).marked);
    }

    void theKeypadPanelOpensUnderAWeightCellAndAcceptWritesIt()
    {
        click(4, 2);  // the Volume cell of the water row
        QVERIFY(window->gridEditor().Drop2()->isVisible());
        QTest::mouseClick(window->gridEditor().Drop2(), Qt::LeftButton);
        CalcPanel* panel = window->gridEditor().calcPanel();
        QVERIFY(panel->isVisible());
        const QRect volumeCell = cellInWindow(4, 2);
        QCOMPARE(panel->pos(), QPoint(volumeCell.left() + 2, volumeCell.top() + volumeCell.height() + 2));
        QTest::mouseClick(panel->button("btnClear"), Qt::LeftButton);
        for (const char* key : {"Button2", "Button4"})
            QTest::mouseClick(panel->button(key), Qt::LeftButton);
        QTest::mouseClick(panel->button("btnAccept"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(cell(4, 2), QStringLiteral("  24.000"));
        QCOMPARE(cell(3, 2), QStringLiteral(" 200.000"));  // 24 gallons of water
    }

    void theKeypadButtonDoesNothingOnATextRow()
    {
        click(3, 1);  // a note row
        QTest::mouseClick(window->gridEditor().Drop2(), Qt::LeftButton);
        QVERIFY(!window->gridEditor().calcPanel()->isVisible());
    }

    void insertMovesRowsDown()
    {
        click(1, 2);
        window->menus().RMInsert1->trigger();
        QVERIFY(prompter->shown.empty());
        QVERIFY(cell(1, 2).isEmpty());
        QCOMPARE(cell(1, 3), QStringLiteral("Water"));
        QCOMPARE(cell(0, 3), QStringLiteral("3"));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<GridEditingTest>(argc, argv);
}

#include "GridEditingTest.moc"
