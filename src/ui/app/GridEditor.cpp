#include "ui/app/GridEditor.h"

#include "core/materials/MaterialBrowsing.h"
#include "core/sheet/GridTyping.h"
#include "core/sheet/MaterialPicking.h"
#include "core/sheet/RowCommands.h"
#include "ui/app/Artwork.h"
#include "ui/app/FloatingControls.h"
#include "ui/calc/CalcPanel.h"
#include "ui/widgets/DecimalSign.h"
#include "ui/widgets/FormulaGridLayout.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TSuperGrid.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QToolButton>

#include <functional>
#include <utility>

namespace {

constexpr int MaterialCol = 1;
constexpr int DescriptionCol = 2;
constexpr int WeightCol = 3;
constexpr int VolumeCol = 4;

// The Undo caption of an entry taken into a cell of this grid column.
QString entryStep(int col)
{
    switch (col) {
    case MaterialCol:
        return QStringLiteral("Material Entry");
    case WeightCol:
        return QStringLiteral("Weight Entry");
    case VolumeCol:
        return QStringLiteral("Volume Entry");
    default:
        return QStringLiteral("Entry");
    }
}

// Every item of the material list is 16 pixels high.
class SixteenPixelRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};

QIcon downArrowIcon()
{
    QPixmap pixmap(QSize(9, 9) * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(8, 3), QPointF(4.5, 7)}));
    return QIcon(pixmap);
}

QToolButton* smallButton(QWidget* parent, const char* name, const QString& accessibleName, const QIcon& icon)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(accessibleName);
    b->setFixedSize(15, 15);
    b->setIcon(icon);
    b->setIconSize(QSize(11, 11));
    b->setFocusPolicy(Qt::NoFocus);
    b->setProperty("HelpContext", 100);
    b->hide();
    return b;
}

// Shows the owner every event of the application before its receiver gets it.
class ApplicationEvents : public QObject {
public:
    using Watcher = std::function<void(const QObject* watched, const QEvent* event)>;
    ApplicationEvents(Watcher watcher, QObject* owner)
        : QObject(owner)
        , watcher_(std::move(watcher))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        watcher_(watched, event);
        return false;
    }

private:
    Watcher watcher_;
};

}  // namespace

GridEditor::GridEditor(const Parts& parts)
    : QObject(&parts.window)
    , window_(parts.window)
    , grid_(parts.grid)
    , sheet_(parts.sheet)
    , prompter_(parts.prompter)
    , popupMenu_(parts.popupMenu)
{
    createFloatingControls();
    calcPanel_ = new CalcPanel(sheet_, parts.calculator, prompter_, &window_);
    connect(calcPanel_, &CalcPanel::cellsChanged, this, [this] { emit sheetChanged({}); });
    connect(calcPanel_, &CalcPanel::accepted, this, [this] {
        emit sheetChanged(QStringLiteral("Keypad Entry"));
        grid_.setFocus();
    });
    connectGrid();
    watchCommandStarts();
}

void GridEditor::createFloatingControls()
{
    drop1_ = smallButton(&window_, "Drop1", QStringLiteral("Pick a material"), downArrowIcon());
    drop2_ = smallButton(&window_, "Drop2", QStringLiteral("Keypad"), Artwork::icon(Artwork::Icon::Weight));
    createMaterialList();
    createNoteEditor();
}

void GridEditor::createMaterialList()
{
    fileList_ = new QListView(&window_);
    fileList_->setObjectName(QStringLiteral("File32List"));
    fileListModel_ = new QStringListModel(fileList_);
    fileList_->setModel(fileListModel_);
    fileList_->setItemDelegate(new SixteenPixelRows(fileList_));
    // A folder of tens of thousands of files stays quick with rows of one height.
    fileList_->setUniformItemSizes(true);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setFont(smallSansFont());
    // A plain one-pixel box leaves 128 pixels inside: eight whole 16-pixel
    // items (a sunken box took two pixels a side and cut the eighth). Long
    // names are cut at the right rather than given a scroll bar that would
    // cut the last item again; the status line names the material.
    fileList_->setFrameShape(QFrame::Box);
    fileList_->setFrameShadow(QFrame::Plain);
    fileList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fileList_->setFixedSize(153, 130);
    fileList_->setProperty("HelpContext", 100);
    fileList_->installEventFilter(this);
    fileList_->viewport()->installEventFilter(this);
    fileList_->hide();
}

void GridEditor::createNoteEditor()
{
    descBox_ = new QLineEdit(&window_);
    descBox_->setObjectName(QStringLiteral("DescBox"));
    descBox_->setMaxLength(static_cast<int>(tintora::DescBoxMaxLength));
    descBox_->setFrame(false);
    descBox_->setFont(smallSansFont());
    QPalette yellow = descBox_->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    yellow.setColor(QPalette::Text, Qt::black);
    descBox_->setPalette(yellow);
    descBox_->setProperty("HelpContext", 100);
    descBox_->installEventFilter(this);
    descBox_->hide();
}

void GridEditor::connectGrid()
{
    TSuperGrid* grid = &grid_;
    connect(grid, &TSuperGrid::OnSelectCell, this, &GridEditor::Grid1SelectCell, Qt::DirectConnection);
    connect(grid, &TSuperGrid::OnClick, this, &GridEditor::Grid1Click);
    connect(grid, &TSuperGrid::OnKeyPress, this, &GridEditor::Grid1KeyPress);
    connect(grid, &TSuperGrid::OnMouseDown, this,
        [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { Grid1MouseDown(button); });
    connect(grid, &TSuperGrid::OnMouseUp, this,
        [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos) { Grid1MouseUp(button, pos); });
    connect(grid, &TSuperGrid::OnDblClick, this, &GridEditor::Grid1DblClick);
    connect(
        grid, &TSuperGrid::OnCheckBoxClick, this, [this](TSuperGrid*, int, int row, bool) { Grid1CheckBoxClick(row); });
    connect(grid, &TSuperGrid::OnTopLeftChanged, this, &GridEditor::Grid1TopLeftChanged);
    connect(drop1_, &QToolButton::clicked, this, &GridEditor::Drop1Click);
    connect(drop2_, &QToolButton::clicked, this, &GridEditor::Drop2Click);
    connect(descBox_, &QLineEdit::returnPressed, this, &GridEditor::DescBoxExit);
    grid_.installEventFilter(this);
}

// --- what is being typed, before a command ---------------------------------------

void GridEditor::watchCommandStarts()
{
    new ApplicationEvents(
        [this](const QObject* watched, const QEvent* event) {
            if (startsCommand(watched, event))
                commitPendingEdits();
        },
        this);
}

// The ways a command can start while the focus stays in the grid or the note
// editor: a shortcut, a click outside them (the buttons take no focus), the
// window's close button. The menu and the boxes take the focus as well, but
// the click comes first.
bool GridEditor::startsCommand(const QObject* watched, const QEvent* event) const
{
    bool starts = false;
    switch (event->type()) {
    case QEvent::Shortcut:
        starts = QApplication::activeWindow() == &window_;
        break;
    case QEvent::MouseButtonPress: {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        starts = widget && widget->window() == &window_ && !isEditingControl(widget);
        break;
    }
    case QEvent::Close:
        starts = watched == &window_;
        break;
    default:
        return false;
    }
    // While a dialog is up a command is running already, on what was taken in before it.
    return starts && !QApplication::activeModalWidget();
}

// The grid and the controls floating over it edit the current cell and take
// in what is typed themselves.
bool GridEditor::isEditingControl(const QWidget* widget) const
{
    for (const QWidget* own :
        {static_cast<QWidget*>(&grid_), static_cast<QWidget*>(drop1_), static_cast<QWidget*>(drop2_),
            static_cast<QWidget*>(fileList_), static_cast<QWidget*>(descBox_), static_cast<QWidget*>(calcPanel_)})
        if (widget == own || own->isAncestorOf(widget))
            return true;
    return false;
}

void GridEditor::commitPendingEdits()
{
    DescBoxExit();
    GridExit();
}

void GridEditor::takeInTyping()
{
    if (calcPanel_->isVisible())
        calcPanel_->Button1Click(tintora::CalcKey::Equals, true);
    commitPendingEdits();
    const int col = grid_.Col();
    const auto result = tintora::typingTakenIn(sheet_, edit_, {col, grid_.Row()}, localPath(MaterialFolder_));
    if (result.recalculated)
        emit sheetChanged(entryStep(col));
}

void GridEditor::GridExit()
{
    const auto result = tintora::gridLeft(sheet_, edit_, {grid_.Col(), grid_.Row()}, localPath(MaterialFolder_));
    if (result.recalculated)
        emit sheetChanged(entryStep(MaterialCol));
}

// --- placing the floating controls ---------------------------------------------

void GridEditor::AlignButtons()
{
    const int row = grid_.Row();
    const int col = grid_.Col();
    const QPoint gridTopLeft = grid_.viewport()->mapTo(&window_, QPoint(0, 0));
    const auto placed = placeFloatingControls({
        grid_.CellRect(MaterialCol, row),
        grid_.CellRect(col == VolumeCol ? VolumeCol : WeightCol, row),
        gridTopLeft,
        grid_.viewport()->height(),
        drop1_->size(),
        fileList_->size(),
        QSize(CalcPanel::PanelWidth, CalcPanel::PanelHeight),
    });
    drop1_->move(placed.Drop1);
    drop2_->move(placed.Drop2);
    fileList_->move(placed.File32List);
    calcPanel_->move(placed.CalcPanel);

    const tintora::DropButton shown = tintora::dropButtonFor(col, edit_.GridMouseDown);
    // A cell scrolled out of sight has no place for its button.
    const bool cellShown = !grid_.CellRect(col, row).isEmpty();
    drop1_->setVisible(cellShown && shown == tintora::DropButton::Drop1);
    drop2_->setVisible(cellShown && shown == tintora::DropButton::Drop2);
    drop1_->raise();
    drop2_->raise();
}

void GridEditor::hideCellEditors()
{
    // A note being typed is stored before its editor goes, as on scrolling.
    DescBoxExit();
    drop1_->hide();
    drop2_->hide();
}

void GridEditor::closeFloatingControls()
{
    calcPanel_->hide();
    fileList_->hide();
    window_.statusBar()->clearMessage();
}

void GridEditor::sheetReplaced()
{
    closeFloatingControls();
    const int col = grid_.Col();
    const int row = grid_.Row();
    if (row >= 1 && row <= tintora::SheetRowCount && col >= MaterialCol && col < tintora::ColumnCount)
        edit_.SavedCellText = sheet_.cell(static_cast<tintora::Column>(col), row);
}

void GridEditor::focusMaterialCell(int row)
{
    // A note editor still open belongs to the sheet that was replaced: its
    // text must not land in this one. (Every command stores it before it starts.)
    descBox_->hide();
    // Only the view moves: a freshly loaded or emptied sheet stays unmodified.
    const bool modified = sheet_.SheetModified;
    grid_.setTopRow(1);
    grid_.setCurrentCell(MaterialCol, row);
    // Arrival at the cell, also when it was current already: its button and
    // the text Escape puts back.
    Grid1Click();
    sheet_.SheetModified = modified;
    grid_.setFocus();
}

// --- the grid's events -----------------------------------------------------------

void GridEditor::Grid1SelectCell(int, int, bool&)
{
    AlignButtons();
    grid_.setLeftCol(TSuperGrid::FixedCols);
    fileList_->hide();
    window_.statusBar()->clearMessage();
    calcPanel_->hide();
}

void GridEditor::Grid1Click()
{
    AlignButtons();
    // What was typed belongs to the cell left.
    const QString step = entryStep(edit_.PreviousCol);
    const auto result = tintora::cellClicked(sheet_, edit_, {grid_.Col(), grid_.Row()}, localPath(MaterialFolder_));
    if (result.recalculated)
        emit sheetChanged(step);
}

void GridEditor::Grid1KeyPress(QChar key)
{
    const int col = grid_.Col();
    if (tintora::spaceTogglesMark(sheet_, {col, grid_.Row()}, key.unicode())) {
        grid_.toggleCheckBox(0, grid_.Row());
        return;
    }
    if (col == WeightCol || col == VolumeCol)
        key = typedInNumber(key);
    const auto result = tintora::typeKey(sheet_, edit_, {col, grid_.Row()}, key.unicode(), localPath(MaterialFolder_));
    // An entry is a step once Enter took it in; the keys before it are not.
    emit sheetChanged(result.recalculated ? entryStep(grid_.Col()) : QString());
}

void GridEditor::Grid1MouseDown(Qt::MouseButton)
{
    edit_.GridMouseDown = true;
    drop1_->hide();
    drop2_->hide();
}

void GridEditor::Grid1MouseUp(Qt::MouseButton button, QPoint pos)
{
    edit_.GridMouseDown = false;
    AlignButtons();
    if (button != Qt::RightButton)
        return;
    const QPoint cell = grid_.MouseToCell(pos);
    if (cell.x() < TSuperGrid::FixedCols || cell.y() < TSuperGrid::FixedRows)
        return;
    grid_.setRow(cell.y());
    grid_.setCol(cell.x());
    if (tintora::contextMenuOpens(grid_.Col()))
        popupMenu_.popup(grid_.viewport()->mapToGlobal(pos));
}

void GridEditor::Grid1DblClick()
{
    const int row = grid_.Row();
    const auto note = tintora::noteToEdit(sheet_, {grid_.Col(), row});
    if (!note)
        return;
    const QRect cell = grid_.CellRect(DescriptionCol, row);
    const QPoint at = grid_.viewport()->mapTo(&window_, cell.topLeft());
    descBox_->setGeometry(at.x() + 1, at.y() + 1, 322, cell.height() + 2);
    noteRow_ = row;
    descBox_->setText(QString::fromStdString(*note));
    descBox_->deselect();
    descBox_->show();
    descBox_->raise();
    descBox_->setFocus();
}

void GridEditor::DescBoxExit()
{
    if (descBox_->isHidden())
        return;
    // Hiding moves the focus, which would come back here: hide after storing.
    tintora::storeNote(sheet_, noteRow_, descBox_->text().toStdString());
    // Unless the user moved the focus elsewhere, hiding would pass it on to
    // the next control, the name box, where the next keys rename the formula.
    const bool heldTheFocus = window_.focusWidget() == descBox_;
    descBox_->hide();
    emit sheetChanged(QStringLiteral("Note"));
    if (heldTheFocus)
        grid_.setFocus();
}

void GridEditor::Grid1CheckBoxClick(int)
{
    // The model has applied the mark rule as the box was toggled; show the outcome.
    emit sheetChanged(QStringLiteral("Mark"));
}

void GridEditor::Grid1TopLeftChanged()
{
    hideCellEditors();
}

// --- the material list -----------------------------------------------------------

void GridEditor::refreshMaterialList()
{
    const QFileInfo folder(MaterialFolder_);
    const qint64 stamp = folder.lastModified().toMSecsSinceEpoch();
    if (stamp == fileListStamp_ && fileListStamp_ != -1)
        return;
    fileListStamp_ = stamp;
    QStringList names;
    for (const tintora::ListedFile& item : tintora::listMaterialFiles(localPath(MaterialFolder_)))
        names << fromLocalPath(item.name);
    fileListModel_->setStringList(names);
}

QString GridEditor::selectedMaterialFile() const
{
    const QModelIndex current = fileList_->currentIndex();
    return current.isValid() && fileList_->selectionModel()->isSelected(current) ? current.data().toString()
                                                                                 : QString();
}

void GridEditor::Drop1Click()
{
    grid_.setCol(MaterialCol);
    window_.statusBar()->clearMessage();
    if (!fileList_->isHidden()) {
        fileList_->hide();
        grid_.setFocus();
        return;
    }
    const bool hadSelection = !selectedMaterialFile().isEmpty();
    refreshMaterialList();
    AlignButtons();
    fileList_->show();
    fileList_->raise();
    fileList_->setFocus();
    selectCurrentCode(hadSelection);
}

// The list opens on the current row's code, or where the user left it.
void GridEditor::selectCurrentCode(bool hadSelection)
{
    std::vector<std::string> items;
    for (const QString& name : fileListModel_->stringList())
        items.push_back(localFileName(name));
    const std::string code = sheet_.cell(tintora::Column::Material, grid_.Row());
    const auto selected = tintora::materialListSelection(items, code, hadSelection);
    if (!selected) {
        fileList_->clearSelection();
        fileList_->selectionModel()->clearCurrentIndex();
        return;
    }
    const QModelIndex index = fileListModel_->index(static_cast<int>(*selected));
    fileList_->setCurrentIndex(index);
    fileList_->scrollTo(index, QAbstractItemView::PositionAtTop);
    MatStatus(index.data().toString());
}

void GridEditor::MatStatus(const QString& fileName)
{
    const std::string text = tintora::MatStatus(localPath(MaterialFolder_), localFileName(fileName));
    window_.statusBar()->showMessage(QString::fromStdString(text));
}

void GridEditor::File32Close()
{
    const QString fileName = selectedMaterialFile();
    // No item, as in an empty folder: nothing is picked.
    if (fileName.isEmpty())
        return;
    tintora::pickMaterial(sheet_, grid_.Row(), localFileName(fileName), localPath(MaterialFolder_));
    grid_.setFocus();
    fileList_->hide();
    window_.statusBar()->clearMessage();
    emit sheetChanged(QStringLiteral("Pick Material"));
}

bool GridEditor::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the grid takes in a typed code, unless the focus goes to the
    // grid's own editors or to a dialog that a running command opened.
    if (watched == &grid_ && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason
        && !(QApplication::focusWidget() && isEditingControl(QApplication::focusWidget())))
        GridExit();
    if (watched == descBox_ && event->type() == QEvent::FocusOut)
        DescBoxExit();
    // Escape closes the note editor like Enter; it does not cancel the note.
    if (watched == descBox_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        DescBoxExit();
        return true;
    }
    if (watched == fileList_ && event->type() == QEvent::KeyRelease) {
        if (const QString selected = selectedMaterialFile(); !selected.isEmpty())
            MatStatus(selected);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            File32Close();
    }
    if (watched == fileList_->viewport() && event->type() == QEvent::MouseButtonRelease)
        File32Close();
    return QObject::eventFilter(watched, event);
}

// --- the keypad panel ------------------------------------------------------------

void GridEditor::Drop2Click()
{
    const auto col = tintora::keypadColumn(sheet_, {grid_.Col(), grid_.Row()});
    if (!col)
        return;
    if (grid_.Col() != *col)
        grid_.setCol(*col);
    if (calcPanel_->isVisible()) {
        calcPanel_->hide();
        grid_.setFocus();
        return;
    }
    AlignButtons();
    calcPanel_->openFor(grid_.Col(), grid_.Row(), edit_.SavedCellText);
    calcPanel_->raise();
}

// --- row commands --------------------------------------------------------------

void GridEditor::RMInsert1Click()
{
    if (tintora::insertRow(sheet_, grid_.Row(), prompter_))
        emit sheetChanged(QStringLiteral("Insert Row"));
}

void GridEditor::RMDelete1Click()
{
    if (tintora::deleteRow(sheet_, grid_.Row(), prompter_))
        emit sheetChanged(QStringLiteral("Delete Row"));
}

void GridEditor::MarkAll1Click()
{
    tintora::markAll(sheet_);
    emit sheetChanged(QStringLiteral("Mark All"));
}

void GridEditor::UnmarkAll1Click()
{
    tintora::unmarkAll(sheet_);
    emit sheetChanged(QStringLiteral("Unmark All"));
}

void GridEditor::FlipMarked1Click()
{
    tintora::flipMarked(sheet_);
    emit sheetChanged(QStringLiteral("Flip Marked"));
}

void GridEditor::mCutClick()
{
    tintora::cutRow(sheet_, grid_.Row(), edit_.RowClipboard);
    emit sheetChanged(QStringLiteral("Cut Row"));
}

void GridEditor::mCopyClick()
{
    tintora::copyRow(sheet_, grid_.Row(), edit_.RowClipboard);
}

void GridEditor::mPasteClick()
{
    if (tintora::pasteRow(sheet_, grid_.Row(), edit_.RowClipboard, localPath(MaterialFolder_), prompter_))
        emit sheetChanged(QStringLiteral("Paste Row"));
}

void GridEditor::Add1Click()
{
    if (tintora::addRow(sheet_, grid_.Row(), edit_.RowClipboard, prompter_))
        emit sheetChanged(QStringLiteral("Add Row"));
}
