#include "RenderHelpers.h"

#include "ui/widgets/FormulaGridLayout.h"
#include "ui/widgets/GridGeometry.h"
#include "ui/widgets/TSuperGrid.h"

#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include <memory>

namespace {

// Counts paint events reaching a widget.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

GridGeometry formulaGeometry()
{
    GridGeometry g;
    g.colWidths = {35, 99, 140, 90, 88, 52};
    g.rowHeights.assign(37, 17);
    g.rowHeights[0] = 19;
    return g;
}

}  // namespace

class TSuperGridTest : public QObject {
    Q_OBJECT

private:
    // A formula grid over a 37-row model, shown in a window of its own.
    struct Fixture {
        QWidget window;
        QStandardItemModel model{37, 6};
        TSuperGrid* grid = nullptr;
        Fixture()
        {
            for (int r = 1; r <= 36; ++r)
                model.setData(model.index(r, 0), QString::number(r));
            grid = new TSuperGrid(&window);
            applyFormulaGridLayout(*grid);
            grid->setModel(&model);
            grid->setGeometry(0, 0, 540, 300);
            window.resize(540, 300);
        }
        void show()
        {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        QPoint centre(int col, int row) const { return grid->CellRect(col, row).center(); }
        QWidget* viewport() const { return grid->viewport(); }
    };

private slots:
    void cellRects_data();
    void cellRects();
    void cellAt_data();
    void cellAt();
    void visibleRows();
    void ellipsisRule_data();
    void ellipsisRule();

    void formulaGridHasBoxesInColumnZeroOnly();
    void checkedOnCellWithoutBoxIsWarnedAndChangesNothing();
    void settingCheckedToSameValueDoesNotRepaint();
    void settingCheckedRaisesNoClickEvent();
    void assigningColumnsRecreatesBoxes();
    void growingRowCountAddsBoxesToNewRowsOnly();

    void pressAndReleaseInDifferentRowsTogglesNothing();
    void clickOnRowNumberTogglesBeforeMouseUp();
    void otherButtonsNeverToggle();
    void keysNeverToggle();
    void clickInDataCellSelectsAtPressAndClicksAtRelease();
    void clickInFixedCellSelectsNothing();
    void doubleClickSelectsNothingAndRaisesNoClick();
    void selectCellCanRefuseMove();
    void keyboardNavigation_data();
    void keyboardNavigation();
    void programAssignmentClicksAtOnce();
    void typedCharactersAreAnnounced();
    void movingBelowLastVisibleRowScrolls();

    void checkBoxDrawnTwoPixelsFromCellCorner_data();
    void checkBoxDrawnTwoPixelsFromCellCorner();
    void longDescriptionIsCutNumberIsClipped_data();
    void longDescriptionIsCutNumberIsClipped();
    void selectedCellColoursFollowFocus();
    void changedTitleIsShownAtOnce();
};

// ---- geometry without painting --------------------------------------------

void TSuperGridTest::cellRects_data()
{
    QTest::addColumn<int>("topRow");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("header of mark column") << 1 << 0 << 0 << QRect(0, 0, 35, 19);
    QTest::newRow("material header") << 1 << 1 << 0 << QRect(36, 0, 99, 19);
    QTest::newRow("first row weight") << 1 << 3 << 1 << QRect(36 + 100 + 141, 20, 90, 17);
    QTest::newRow("second row description") << 1 << 2 << 2 << QRect(136, 38, 140, 17);
    QTest::newRow("scrolled row follows header") << 5 << 1 << 5 << QRect(36, 20, 99, 17);
    QTest::newRow("scrolled-away row") << 5 << 1 << 4 << QRect();
    QTest::newRow("fixed column stays when scrolled") << 5 << 0 << 6 << QRect(0, 38, 35, 17);
    QTest::newRow("below the viewport") << 1 << 1 << 30 << QRect();
}

void TSuperGridTest::cellRects()
{
    QFETCH(int, topRow);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QRect, expected);
    GridGeometry g = formulaGeometry();
    g.topRow = topRow;
    QCOMPARE(g.cellRect(col, row, QSize(520, 300)), expected);
}

void TSuperGridTest::cellAt_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("top-left corner") << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("last pixel of column 0") << QPoint(34, 25) << QPoint(0, 1);
    QTest::newRow("grid line belongs to the cell before") << QPoint(35, 19) << QPoint(0, 0);
    QTest::newRow("first pixel of column 1, row 1") << QPoint(36, 20) << QPoint(1, 1);
    QTest::newRow("row 3") << QPoint(200, 56) << QPoint(2, 3);
    QTest::newRow("right of the last column") << QPoint(515, 30) << QPoint(-1, -1);
    QTest::newRow("outside the viewport") << QPoint(-1, 30) << QPoint(-1, -1);
}

void TSuperGridTest::cellAt()
{
    QFETCH(QPoint, pos);
    QFETCH(QPoint, expected);
    QCOMPARE(formulaGeometry().cellAt(pos, QSize(520, 700)), expected);
}

void TSuperGridTest::visibleRows()
{
    GridGeometry g = formulaGeometry();
    // Header 20 pixels, then 18 per row: 200 pixels hold 10 whole rows.
    QCOMPARE(g.fullyVisibleRows(200), 10);
    QCOMPARE(g.fullyVisibleRows(199), 9);
    QCOMPARE(g.maxTopRow(200), 27);
    g.topRow = 27;
    QCOMPARE(g.cellRect(1, 36, QSize(520, 200)).bottom(), 20 + 9 * 18 + 16);
}

void TSuperGridTest::ellipsisRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("available");
    QTest::addColumn<QString>("expected");
    // Every character is 5 pixels wide, so "..." is 15 and the limit is available - 21.
    QTest::newRow("fits exactly") << QString("abcdefghij") << 50 << QString("abcdefghij");
    QTest::newRow("one pixel too wide") << QString("abcdefghijk") << 54
                                        << QString("abcdefg...");  // limit 33: appends while < 33
    QTest::newRow("prefix may pass the limit by one character")
        << QString("abcdefghijklmnopqrst") << 50 << QString("abcdef...");  // limit 29
    QTest::newRow("limit on a character boundary")
        << QString("abcdefghijklmnopqrst") << 51 << QString("abcdef...");  // limit 30
    QTest::newRow("no room at all") << QString("abcdefgh") << 10 << QString("...");
    QTest::newRow("empty text") << QString() << 0 << QString();
}

void TSuperGridTest::ellipsisRule()
{
    QFETCH(QString, text);
    QFETCH(int, available);
    QFETCH(QString, expected);
    const auto width = [](const QString& s) { return static_cast<int>(s.size()) * 5; };
    QCOMPARE(ellipsisText(text, available, width), expected);
}

// ---- check-box cells --------------------------------------------------------

void TSuperGridTest::formulaGridHasBoxesInColumnZeroOnly()
{
    Fixture f;
    for (int r = 1; r <= 36; ++r) {
        QVERIFY(f.grid->IsCheckBoxCell(0, r));
        QCOMPARE(f.grid->Checked(0, r), false);
    }
    QVERIFY(!f.grid->IsCheckBoxCell(0, 0));
    QVERIFY(!f.grid->IsCheckBoxCell(0, 37));
    QVERIFY(!f.grid->IsCheckBoxCell(1, 5));
    QVERIFY(!f.grid->IsCheckBoxCell(6, 5));
    QCOMPARE(f.grid->Cells(0, 7), QString("7"));
}

void TSuperGridTest::checkedOnCellWithoutBoxIsWarnedAndChangesNothing()
{
    Fixture f;
    QTest::ignoreMessage(QtWarningMsg, "TSuperGrid: No check box at column 1, row 5");
    QCOMPARE(f.grid->Checked(1, 5), false);
    QTest::ignoreMessage(QtWarningMsg, "TSuperGrid: No check box at column 0, row 0");
    f.grid->setChecked(0, 0, true);
    QVERIFY(!f.model.index(0, 0).data(Qt::CheckStateRole).isValid());
    // Beyond the last row, in a release build as well: told, not read out of range.
    QTest::ignoreMessage(QtWarningMsg, "TSuperGrid: No check box at column 0, row 37");
    QCOMPARE(f.grid->Checked(0, 37), false);
}

void TSuperGridTest::settingCheckedToSameValueDoesNotRepaint()
{
    Fixture f;
    f.show();
    PaintCounter counter;
    f.viewport()->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.count = 0;
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);

    f.grid->setChecked(0, 4, false);
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 0);
    QCOMPARE(changed.count(), 0);

    f.grid->setChecked(0, 4, true);
    QCoreApplication::processEvents();
    QVERIFY(counter.count > 0);
    QCOMPARE(f.model.index(4, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(f.grid->Checked(0, 4));
}

void TSuperGridTest::settingCheckedRaisesNoClickEvent()
{
    Fixture f;
    QSignalSpy clicks(f.grid, &TSuperGrid::OnCheckBoxClick);
    f.grid->setChecked(0, 3, true);
    f.grid->setChecked(0, 3, false);
    QCOMPARE(clicks.count(), 0);
}

void TSuperGridTest::assigningColumnsRecreatesBoxes()
{
    Fixture f;
    f.grid->setChecked(0, 2, true);
    TColumns columns = formulaGridColumns();
    TColumn mark = columns[0];
    mark.CheckedDefault = true;
    columns.setItem(0, mark);
    f.grid->setColumns(columns);
    for (int r = 1; r <= 36; ++r)
        QVERIFY(f.grid->Checked(0, r));
}

void TSuperGridTest::growingRowCountAddsBoxesToNewRowsOnly()
{
    Fixture f;
    f.grid->setChecked(0, 5, true);
    f.model.setRowCount(38);
    QVERIFY(f.grid->IsCheckBoxCell(0, 37));
    QCOMPARE(f.grid->Checked(0, 37), false);
    QCOMPARE(f.grid->Cells(0, 37), QString(" "));
    QCOMPARE(f.grid->Checked(0, 5), true);
    QCOMPARE(f.grid->Cells(0, 5), QString("5"));
    QVERIFY(!f.grid->IsCheckBoxCell(1, 37));
}

// ---- mouse and keyboard -----------------------------------------------------

void TSuperGridTest::pressAndReleaseInDifferentRowsTogglesNothing()
{
    Fixture f;
    f.show();
    QSignalSpy clicks(f.grid, &TSuperGrid::OnCheckBoxClick);
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, f.centre(0, 3));
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, f.centre(0, 4));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(f.grid->Checked(0, 3), false);
    QCOMPARE(f.grid->Checked(0, 4), false);
}

void TSuperGridTest::clickOnRowNumberTogglesBeforeMouseUp()
{
    Fixture f;
    f.show();
    QStringList order;
    connect(f.grid, &TSuperGrid::OnCheckBoxClick, this, [&](TSuperGrid* sender, int col, int row, bool checked) {
        QCOMPARE(sender, f.grid);
        order << QString("box %1,%2 %3").arg(col).arg(row).arg(checked);
    });
    connect(f.grid, &TSuperGrid::OnMouseUp, this, [&] { order << "up"; });
    // The row number is right-aligned, far from the box on the left.
    const QRect cell = f.grid->CellRect(0, 6);
    const QPoint onNumber(cell.right() - 3, cell.center().y());
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, onNumber);
    QCOMPARE(order, QStringList({"box 0,6 1", "up"}));
    QVERIFY(f.grid->Checked(0, 6));
    order.clear();
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, onNumber);
    QCOMPARE(order, QStringList({"box 0,6 0", "up"}));
    QVERIFY(!f.grid->Checked(0, 6));
}

void TSuperGridTest::otherButtonsNeverToggle()
{
    Fixture f;
    f.show();
    QSignalSpy clicks(f.grid, &TSuperGrid::OnCheckBoxClick);
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(0, 2));
    QTest::mouseClick(f.viewport(), Qt::MiddleButton, {}, f.centre(0, 2));
    // A right press followed by a left release on the same cell is no click either.
    QTest::mousePress(f.viewport(), Qt::RightButton, {}, f.centre(0, 2));
    QTest::mouseRelease(f.viewport(), Qt::RightButton, {}, f.centre(0, 2));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!f.grid->Checked(0, 2));
}

void TSuperGridTest::keysNeverToggle()
{
    Fixture f;
    f.show();
    f.grid->setFocus();
    QSignalSpy clicks(f.grid, &TSuperGrid::OnCheckBoxClick);
    QTest::keyClick(f.grid, Qt::Key_Space);
    QTest::keyClick(f.grid, Qt::Key_Return);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!f.grid->Checked(0, 1));
}

void TSuperGridTest::clickInDataCellSelectsAtPressAndClicksAtRelease()
{
    Fixture f;
    f.show();
    QStringList order;
    connect(f.grid, &TSuperGrid::OnSelectCell, this, [&](int col, int row, bool&) {
        order << QString("select %1,%2 from %3,%4").arg(col).arg(row).arg(f.grid->Col()).arg(f.grid->Row());
    });
    connect(f.grid, &TSuperGrid::OnMouseDown, this, [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint pos) {
        order << QString("down %1 %2").arg(int(b)).arg(f.grid->MouseToCell(pos).y());
    });
    connect(f.grid, &TSuperGrid::OnClick, this,
        [&] { order << QString("click %1,%2").arg(f.grid->Col()).arg(f.grid->Row()); });
    connect(f.grid, &TSuperGrid::OnMouseUp, this, [&](Qt::MouseButton b) { order << QString("up %1").arg(int(b)); });
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, f.centre(3, 4));
    QCOMPARE(order, QStringList({"select 3,4 from 1,1", "down 1 4"}));
    QCOMPARE(f.grid->Col(), 3);
    QCOMPARE(f.grid->Row(), 4);
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, f.centre(3, 4));
    QCOMPARE(order.mid(2), QStringList({"click 3,4", "up 1"}));

    // Clicking the current cell asks again.
    order.clear();
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.centre(3, 4));
    QCOMPARE(order, QStringList({"select 3,4 from 3,4", "down 1 4", "click 3,4", "up 1"}));
}

void TSuperGridTest::clickInFixedCellSelectsNothing()
{
    Fixture f;
    f.show();
    QSignalSpy selects(f.grid, &TSuperGrid::OnClick);
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.centre(2, 0));
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.centre(0, 8));
    QCOMPARE(selects.count(), 0);
    QCOMPARE(f.grid->Col(), 1);
    QCOMPARE(f.grid->Row(), 1);
}

void TSuperGridTest::doubleClickSelectsNothingAndRaisesNoClick()
{
    Fixture f;
    f.show();
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.centre(2, 3));
    QStringList order;
    connect(f.grid, &TSuperGrid::OnSelectCell, this, [&] { order << "select"; });
    connect(f.grid, &TSuperGrid::OnClick, this, [&] { order << "click"; });
    connect(f.grid, &TSuperGrid::OnDblClick, this, [&] { order << "dblclick"; });
    connect(f.grid, &TSuperGrid::OnMouseDown, this, [&] { order << "down"; });
    connect(f.grid, &TSuperGrid::OnMouseUp, this, [&] { order << "up"; });
    QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, f.centre(2, 3));
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, f.centre(2, 3));
    QCOMPARE(order, QStringList({"dblclick", "down", "up"}));
}

void TSuperGridTest::selectCellCanRefuseMove()
{
    Fixture f;
    f.show();
    f.grid->setFocus();
    connect(f.grid, &TSuperGrid::OnSelectCell, this, [](int, int row, bool& canSelect) {
        if (row == 2)
            canSelect = false;
    });
    QSignalSpy clicks(f.grid, &TSuperGrid::OnClick);
    QTest::keyClick(f.grid, Qt::Key_Down);
    QCOMPARE(f.grid->Row(), 1);
    QCOMPARE(clicks.count(), 0);
    f.grid->setRow(3);
    QCOMPARE(f.grid->Row(), 3);
    QCOMPARE(clicks.count(), 1);
}

void TSuperGridTest::keyboardNavigation_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("down") << QPoint(2, 5) << int(Qt::Key_Down) << 0 << QPoint(2, 6);
    QTest::newRow("up") << QPoint(2, 5) << int(Qt::Key_Up) << 0 << QPoint(2, 4);
    QTest::newRow("up stops below header") << QPoint(2, 1) << int(Qt::Key_Up) << 0 << QPoint(2, 1);
    QTest::newRow("left") << QPoint(2, 5) << int(Qt::Key_Left) << 0 << QPoint(1, 5);
    QTest::newRow("left stops at fixed column") << QPoint(1, 5) << int(Qt::Key_Left) << 0 << QPoint(1, 5);
    QTest::newRow("right stops at last column") << QPoint(5, 5) << int(Qt::Key_Right) << 0 << QPoint(5, 5);
    QTest::newRow("down stops at last row") << QPoint(2, 36) << int(Qt::Key_Down) << 0 << QPoint(2, 36);
    QTest::newRow("home") << QPoint(4, 5) << int(Qt::Key_Home) << 0 << QPoint(1, 5);
    QTest::newRow("end") << QPoint(2, 5) << int(Qt::Key_End) << 0 << QPoint(5, 5);
    QTest::newRow("ctrl+home") << QPoint(4, 9) << int(Qt::Key_Home) << int(Qt::ControlModifier) << QPoint(1, 1);
    QTest::newRow("ctrl+end") << QPoint(2, 5) << int(Qt::Key_End) << int(Qt::ControlModifier) << QPoint(5, 36);
    // 300 - 2 frame = 298 pixels: header 20, then 15 whole rows of 18.
    QTest::newRow("page down") << QPoint(2, 1) << int(Qt::Key_PageDown) << 0 << QPoint(2, 16);
    QTest::newRow("page down stops at last row") << QPoint(2, 30) << int(Qt::Key_PageDown) << 0 << QPoint(2, 36);
    QTest::newRow("page up") << QPoint(2, 20) << int(Qt::Key_PageUp) << 0 << QPoint(2, 5);
    QTest::newRow("page up stops at first row") << QPoint(2, 4) << int(Qt::Key_PageUp) << 0 << QPoint(2, 1);
}

void TSuperGridTest::keyboardNavigation()
{
    QFETCH(QPoint, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QPoint, expected);
    Fixture f;
    f.show();
    f.grid->setFocus();
    f.grid->setCurrentCell(start.x(), start.y());
    QSignalSpy clicks(f.grid, &TSuperGrid::OnClick);
    QSignalSpy keyPresses(f.grid, &TSuperGrid::OnKeyPress);
    QTest::keyClick(f.grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QPoint(f.grid->Col(), f.grid->Row()), expected);
    QCOMPARE(clicks.count(), expected == start ? 0 : 1);
    QCOMPARE(keyPresses.count(), 0);
}

void TSuperGridTest::programAssignmentClicksAtOnce()
{
    Fixture f;
    QStringList order;
    connect(f.grid, &TSuperGrid::OnSelectCell, this,
        [&](int col, int row) { order << QString("select %1,%2").arg(col).arg(row); });
    connect(f.grid, &TSuperGrid::OnClick, this,
        [&] { order << QString("click %1,%2").arg(f.grid->Col()).arg(f.grid->Row()); });
    f.grid->setRow(7);
    f.grid->setCol(1);  // unchanged: nothing
    f.grid->setCol(4);
    QCOMPARE(order, QStringList({"select 1,7", "click 1,7", "select 4,7", "click 4,7"}));
}

void TSuperGridTest::typedCharactersAreAnnounced()
{
    Fixture f;
    f.show();
    f.grid->setFocus();
    QString typed;
    connect(f.grid, &TSuperGrid::OnKeyPress, this, [&](QChar key) { typed += key; });
    QTest::keyClicks(f.grid, "T1.5");
    QTest::keyClick(f.grid, Qt::Key_Backspace);
    QTest::keyClick(f.grid, Qt::Key_Return);
    QTest::keyClick(f.grid, Qt::Key_Escape);
    QTest::keyClick(f.grid, Qt::Key_Delete);
    // A shortcut chord is no typing, though the X server gives it a text.
    QTest::keyClick(f.grid, Qt::Key_1, Qt::ControlModifier);
    QTest::keyClick(f.grid, Qt::Key_W, Qt::AltModifier);
    QCOMPARE(typed, QString("T1.5\b\r\x1b"));
    QCOMPARE(f.grid->Row(), 1);  // Enter never moves the current cell
}

void TSuperGridTest::movingBelowLastVisibleRowScrolls()
{
    Fixture f;
    f.show();
    f.grid->setFocus();
    QSignalSpy scrolled(f.grid, &TSuperGrid::OnTopLeftChanged);
    const int visible = f.grid->VisibleRowCount();
    f.grid->setRow(visible);
    QCOMPARE(scrolled.count(), 0);
    QTest::keyClick(f.grid, Qt::Key_Down);
    QCOMPARE(scrolled.count(), 1);
    QCOMPARE(f.grid->TopRow(), 2);
    QCOMPARE(f.grid->CellRect(1, 2).top(), 20);
    QVERIFY(f.grid->CellRect(1, 1).isEmpty());
    f.grid->setTopRow(10);
    QCOMPARE(scrolled.count(), 2);
    QCOMPARE(f.grid->MouseToCell(QPoint(40, 25)), QPoint(1, 10));
    f.grid->setTopRow(100);  // clamped to the last full page
    QCOMPARE(f.grid->TopRow(), 37 - visible);
}

// ---- what the user sees -----------------------------------------------------

void TSuperGridTest::checkBoxDrawnTwoPixelsFromCellCorner_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("dpr 1") << 1.0;
    QTest::newRow("dpr 2") << 2.0;
}

void TSuperGridTest::checkBoxDrawnTwoPixelsFromCellCorner()
{
    QFETCH(qreal, dpr);
    Fixture f;
    f.show();
    f.grid->setChecked(0, 3, true);
    const QPalette pal = f.grid->palette();
    const QImage image = renderWidget(*f.viewport(), dpr);
    for (int row : {2, 3}) {
        const QRect cell = f.grid->CellRect(0, row);
        const int x = cell.left();
        const int y = cell.top();
        QVERIFY(logicalPixelIs(image, x + 1, y + 1, pal.color(QPalette::Button)));
        QVERIFY(logicalPixelIs(image, x + 2, y + 2, pal.color(QPalette::Dark)));  // box frame
        QVERIFY(logicalPixelIs(image, x + 14, y + 14, pal.color(QPalette::Light)));
        QVERIFY(logicalPixelIs(image, x + 5, y + 5, pal.color(QPalette::Base)));  // inside, off the mark
        QVERIFY(logicalPixelIs(image, x + 16, y + 8, pal.color(QPalette::Button)));  // behind the box
        // The mark's lowest stroke.
        QCOMPARE(logicalPixelIs(image, x + 7, y + 10, pal.color(QPalette::Text)), row == 3);
    }
}

void TSuperGridTest::longDescriptionIsCutNumberIsClipped_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("dpr 1") << 1.0;
    QTest::newRow("dpr 2") << 2.0;
}

void TSuperGridTest::longDescriptionIsCutNumberIsClipped()
{
    QFETCH(qreal, dpr);
    const QString description = "Titanium dioxide, rutile, chloride process, for exterior paints";
    const QString number = "1234567890123456789012345.000";
    Fixture f;
    f.model.setData(f.model.index(2, 2), description);
    f.model.setData(f.model.index(2, 3), number);
    f.show();
    f.grid->setCurrentCell(5, 9);
    const QImage image = renderWidget(*f.viewport(), dpr);

    // The cut description equals the cell showing its cut text directly.
    Fixture cut;
    const QFontMetrics fm(f.grid->Columns()[2].Font);
    const QString expected
        = ellipsisText(description, 140 - 4 + 1, [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    QVERIFY(expected.endsWith("...") && expected.size() < description.size());
    cut.model.setData(cut.model.index(2, 2), expected);
    cut.show();
    cut.grid->setCurrentCell(5, 9);
    const QImage reference = renderWidget(*cut.viewport(), dpr);
    const QRect cell = f.grid->CellRect(2, 2);
    const QRect physical(cell.topLeft() * dpr, cell.size() * dpr);
    QCOMPARE(image.copy(physical), reference.copy(physical));

    // The number reaches the Weight cell's left edge, where it is clipped.
    const QColor base = f.grid->palette().color(QPalette::Base);
    auto inkInColumns = [&](const QRect& c, int from, int to) {
        for (int x = from; x <= to; ++x)
            for (int y = c.top(); y <= c.bottom(); ++y)
                if (!logicalPixelIs(image, x, y, base))
                    return true;
        return false;
    };
    const QRect weight = f.grid->CellRect(3, 2);
    QVERIFY(inkInColumns(weight, weight.left(), weight.left() + 2));
    QVERIFY(!inkInColumns(f.grid->CellRect(2, 3), cell.left(), cell.right()));
}

void TSuperGridTest::selectedCellColoursFollowFocus()
{
    Fixture f;
    f.show();
    f.grid->setCurrentCell(4, 6);
    const QPalette pal = f.grid->palette();
    const QRect cell = f.grid->CellRect(4, 6);
    f.grid->clearFocus();
    QVERIFY(!f.grid->hasFocus());
    QImage image = renderWidget(*f.viewport(), 1);
    QCOMPARE(pixelAt(image, cell.center().x(), cell.center().y()), pal.color(QPalette::Highlight));

    QApplication::setActiveWindow(&f.window);
    f.grid->setFocus();
    QTRY_VERIFY(f.grid->hasFocus());
    image = renderWidget(*f.viewport(), 1);
    QCOMPARE(pixelAt(image, cell.center().x(), cell.center().y()), pal.color(QPalette::Base));
    QCOMPARE(pixelAt(image, cell.left(), cell.top()), pal.color(QPalette::WindowText));  // focus frame
    QCOMPARE(pixelAt(image, cell.left() + 1, cell.top()), pal.color(QPalette::Base));
}

void TSuperGridTest::changedTitleIsShownAtOnce()
{
    Fixture f;
    f.show();
    const QRect header = f.grid->CellRect(5, 0);
    const QImage before = renderWidget(*f.viewport(), 1).copy(header);
    PaintCounter counter;
    f.viewport()->installEventFilter(&counter);
    f.grid->Columns().setTitle(5, {"V%"});
    QTRY_VERIFY(counter.count > 0);
    const QImage after = renderWidget(*f.viewport(), 1).copy(header);
    QVERIFY(before != after);

    // Same picture as a grid whose definition says "V%" from the start.
    Fixture other;
    TColumns columns = formulaGridColumns();
    columns.setTitle(5, {"V%"});
    other.grid->setColumns(columns);
    other.show();
    QCOMPARE(renderWidget(*other.viewport(), 1).copy(header), after);
}

QTEST_MAIN(TSuperGridTest)
#include "TSuperGridTest.moc"
