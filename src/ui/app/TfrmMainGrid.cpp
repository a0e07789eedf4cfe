// The main window's editing in the grid: the grid's events mapped onto the
// typing rules and row commands of the core, and the small controls that float
// over the grid (the drop buttons, the material list and the note editor).
#include "app/TfrmMain.h"

#include "app/ButtonBar.h"

#include "app/Artwork.h"
#include "app/FloatingControls.h"
#include "app/PropertiesPanel.h"
#include "calc/CalcPanel.h"
#include "materials/MaterialBrowsing.h"
#include "sheet/GridTyping.h"
#include "sheet/MaterialPicking.h"
#include "sheet/RowCommands.h"
#include "widgets/FormulaGridLayout.h"
#include "widgets/TExplorerButton.h"
#include "widgets/TSuperGrid.h"
#include "widgets/LocalPath.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

constexpr int MaterialCol = 1;
constexpr int DescriptionCol = 2;
constexpr int WeightCol = 3;
constexpr int VolumeCol = 4;

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

QToolButton* smallButton(QWidget* parent, const char* name, const QIcon& icon)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(15, 15);
    b->setIcon(icon);
    b->setIconSize(QSize(11, 11));
    b->setFocusPolicy(Qt::NoFocus);
    b->setProperty("HelpContext", 100);
    b->hide();
    return b;
}

}  // namespace

void TfrmMain::createFloatingControls()
{
    drop1_ = smallButton(this, "Drop1", downArrowIcon());
    drop2_ = smallButton(this, "Drop2", Artwork::menuIcon(16));

    fileList_ = new QListView(this);
    fileList_->setObjectName(QStringLiteral("File32List"));
    fileListModel_ = new QStringListModel(fileList_);
    fileList_->setModel(fileListModel_);
    fileList_->setItemDelegate(new SixteenPixelRows(fileList_));
    // A folder of tens of thousands of files stays quick with rows of one height.
    fileList_->setUniformItemSizes(true);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setFont(smallSansFont());
    fileList_->setFrameShape(QFrame::Box);
    fileList_->setFixedSize(153, 130);
    fileList_->setProperty("HelpContext", 100);
    fileList_->installEventFilter(this);
    fileList_->viewport()->installEventFilter(this);
    fileList_->hide();

    descBox_ = new QLineEdit(this);
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

void TfrmMain::connectGridCommands()
{
    connect(grid_, &TSuperGrid::OnSelectCell, this, &TfrmMain::Grid1SelectCell, Qt::DirectConnection);
    connect(grid_, &TSuperGrid::OnClick, this, &TfrmMain::Grid1Click);
    connect(grid_, &TSuperGrid::OnKeyPress, this, &TfrmMain::Grid1KeyPress);
    connect(grid_, &TSuperGrid::OnMouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { Grid1MouseDown(button); });
    connect(grid_, &TSuperGrid::OnMouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos) { Grid1MouseUp(button, pos); });
    connect(grid_, &TSuperGrid::OnDblClick, this, &TfrmMain::Grid1DblClick);
    connect(grid_, &TSuperGrid::OnCheckBoxClick, this,
            [this](TSuperGrid*, int, int row, bool) { Grid1CheckBoxClick(row); });
    connect(grid_, &TSuperGrid::OnTopLeftChanged, this, &TfrmMain::Grid1TopLeftChanged);
    connect(drop1_, &QToolButton::clicked, this, &TfrmMain::Drop1Click);
    connect(drop2_, &QToolButton::clicked, this, &TfrmMain::Drop2Click);
    connect(descBox_, &QLineEdit::returnPressed, this, &TfrmMain::DescBoxExit);

    const auto on = [this](QAction* action, void (TfrmMain::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    const auto onButton = [this](TExplorerButton* button, void (TfrmMain::*handler)()) {
        connect(button, &TExplorerButton::OnClick, this, handler);
    };
    on(menus_.RMInsert1, &TfrmMain::RMInsert1Click);
    on(menus_.RMDelete1, &TfrmMain::RMDelete1Click);
    on(menus_.MarkAll1, &TfrmMain::MarkAll1Click);
    on(menus_.UnmarkAll1, &TfrmMain::UnmarkAll1Click);
    on(menus_.FlipMarked1, &TfrmMain::FlipMarked1Click);
    on(menus_.mCut, &TfrmMain::mCutClick);
    on(menus_.mCopy, &TfrmMain::mCopyClick);
    on(menus_.mPaste, &TfrmMain::mPasteClick);
    on(menus_.Add2, &TfrmMain::Add1Click);
    on(menus_.PopupCut, &TfrmMain::mCutClick);
    on(menus_.PopupCopy, &TfrmMain::mCopyClick);
    on(menus_.PopupPaste, &TfrmMain::mPasteClick);
    on(menus_.PopupAdd, &TfrmMain::Add1Click);
    onButton(buttonBar_->buttons().InsertButton, &TfrmMain::RMInsert1Click);
    onButton(buttonBar_->buttons().DeleteButton, &TfrmMain::RMDelete1Click);
    onButton(buttonBar_->buttons().MarkButton, &TfrmMain::MarkAll1Click);
    onButton(buttonBar_->buttons().UnMarkButton, &TfrmMain::UnmarkAll1Click);
}

// --- placing the floating controls ---------------------------------------------

void TfrmMain::AlignButtons()
{
    if (!drop1_)
        return;
    const int row = grid_->Row();
    const int col = grid_->Col();
    const QPoint gridTopLeft = grid_->viewport()->mapTo(this, QPoint(0, 0));
    const auto placed = placeFloatingControls({
        grid_->CellRect(MaterialCol, row),
        grid_->CellRect(col == VolumeCol ? VolumeCol : WeightCol, row),
        gridTopLeft,
        grid_->viewport()->height(),
        drop1_->size(),
        fileList_->size(),
        QSize(CalcPanel::PanelWidth, CalcPanel::PanelHeight),
    });
    drop1_->move(placed.Drop1);
    drop2_->move(placed.Drop2);
    fileList_->move(placed.File32List);
    if (calcPanel())
        calcPanel()->move(placed.CalcPanel);

    const tintora::DropButton shown = tintora::dropButtonFor(col, edit_.GridMouseDown);
    // A cell scrolled out of sight has no place for its button.
    const bool cellShown = !grid_->CellRect(col, row).isEmpty();
    drop1_->setVisible(cellShown && shown == tintora::DropButton::Drop1);
    drop2_->setVisible(cellShown && shown == tintora::DropButton::Drop2);
    drop1_->raise();
    drop2_->raise();
}

void TfrmMain::hideCalcPanel()
{
    if (calcPanel())
        calcPanel()->hide();
}

void TfrmMain::hideCellEditors()
{
    if (!drop1_)
        return;
    // A note being typed is stored before its editor goes, as on scrolling.
    DescBoxExit();
    drop1_->hide();
    drop2_->hide();
}

void TfrmMain::focusFirstMaterialCell()
{
    // Only the view moves: a freshly loaded or emptied sheet stays unmodified.
    const bool modified = sheet_.SheetModified;
    grid_->setTopRow(1);
    grid_->setCurrentCell(MaterialCol, 1);
    // Arrival at the cell, also when it was current already: its button and
    // the text Escape puts back.
    Grid1Click();
    sheet_.SheetModified = modified;
    grid_->setFocus();
}

// --- the grid's events -----------------------------------------------------------

void TfrmMain::Grid1SelectCell(int, int, bool&)
{
    AlignButtons();
    grid_->setLeftCol(TSuperGrid::FixedCols);
    fileList_->hide();
    statusBar()->clearMessage();
    hideCalcPanel();
}

void TfrmMain::Grid1Click()
{
    AlignButtons();
    const auto result = tintora::cellClicked(sheet_, edit_, {grid_->Col(), grid_->Row()}, localPath(MaterialFolder_));
    if (result.recalculated)
        showSheet();
}

void TfrmMain::Grid1KeyPress(QChar key)
{
    tintora::typeKey(sheet_, edit_, {grid_->Col(), grid_->Row()}, key.unicode(), localPath(MaterialFolder_));
    showSheet();
}

void TfrmMain::Grid1MouseDown(Qt::MouseButton)
{
    edit_.GridMouseDown = true;
    drop1_->hide();
    drop2_->hide();
}

void TfrmMain::Grid1MouseUp(Qt::MouseButton button, QPoint pos)
{
    edit_.GridMouseDown = false;
    AlignButtons();
    if (button != Qt::RightButton)
        return;
    const QPoint cell = grid_->MouseToCell(pos);
    if (cell.x() < TSuperGrid::FixedCols || cell.y() < TSuperGrid::FixedRows)
        return;
    grid_->setRow(cell.y());
    grid_->setCol(cell.x());
    if (tintora::contextMenuOpens(grid_->Col()))
        menus_.PopupMenu->popup(grid_->viewport()->mapToGlobal(pos));
}

void TfrmMain::Grid1DblClick()
{
    const int row = grid_->Row();
    const auto note = tintora::noteToEdit(sheet_, {grid_->Col(), row});
    if (!note)
        return;
    const QRect cell = grid_->CellRect(DescriptionCol, row);
    const QPoint at = grid_->viewport()->mapTo(this, cell.topLeft());
    descBox_->setGeometry(at.x() + 1, at.y() + 1, 322, cell.height() + 2);
    descBox_->setText(QString::fromStdString(*note));
    descBox_->deselect();
    descBox_->show();
    descBox_->raise();
    descBox_->setFocus();
}

void TfrmMain::DescBoxExit()
{
    if (descBox_->isHidden())
        return;
    // Hiding moves the focus, which would come back here: hide after storing.
    tintora::storeNote(sheet_, grid_->Row(), descBox_->text().toStdString());
    // Unless the user moved the focus elsewhere, hiding would pass it on to
    // the next control, the name box, where the next keys rename the formula.
    const bool heldTheFocus = focusWidget() == descBox_;
    descBox_->hide();
    showSheet();
    if (heldTheFocus)
        grid_->setFocus();
}

void TfrmMain::Grid1CheckBoxClick(int)
{
    // The model has applied the mark rule as the box was toggled; show the outcome.
    showSheet();
}

void TfrmMain::Grid1TopLeftChanged()
{
    hideCellEditors();
}

// --- the material list -----------------------------------------------------------

void TfrmMain::refreshMaterialList()
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

QString TfrmMain::selectedMaterialFile() const
{
    const QModelIndex current = fileList_->currentIndex();
    return current.isValid() && fileList_->selectionModel()->isSelected(current) ? current.data().toString()
                                                                                  : QString();
}

void TfrmMain::Drop1Click()
{
    grid_->setCol(MaterialCol);
    statusBar()->clearMessage();
    if (!fileList_->isHidden()) {
        fileList_->hide();
        grid_->setFocus();
        return;
    }
    const bool hadSelection = !selectedMaterialFile().isEmpty();
    refreshMaterialList();
    AlignButtons();
    fileList_->show();
    fileList_->raise();
    fileList_->setFocus();

    std::vector<std::string> items;
    for (const QString& name : fileListModel_->stringList())
        items.push_back(localFileName(name));
    const std::string code = sheet_.cell(tintora::Column::Material, grid_->Row());
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

// --- the keypad panel ------------------------------------------------------------

void TfrmMain::Drop2Click()
{
    const auto col = tintora::keypadColumn(sheet_, {grid_->Col(), grid_->Row()});
    if (!col || !calcPanel())
        return;
    if (grid_->Col() != *col)
        grid_->setCol(*col);
    if (calcPanel()->isVisible()) {
        calcPanel()->hide();
        grid_->setFocus();
        return;
    }
    AlignButtons();
    calcPanel()->openFor(grid_->Col(), grid_->Row(), edit_.SavedCellText);
    calcPanel()->raise();
}

void TfrmMain::MatStatus(const QString& fileName)
{
    const std::string text = tintora::MatStatus(localPath(MaterialFolder_), localFileName(fileName));
    statusBar()->showMessage(QString::fromStdString(text));
}

void TfrmMain::File32Close()
{
    const QString fileName = selectedMaterialFile();
    // No item, as in an empty folder: nothing is picked.
    if (fileName.isEmpty())
        return;
    tintora::pickMaterial(sheet_, grid_->Row(), localFileName(fileName), localPath(MaterialFolder_));
    grid_->setFocus();
    fileList_->hide();
    statusBar()->clearMessage();
    showSheet();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
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
    return QMainWindow::eventFilter(watched, event);
}

// --- row commands --------------------------------------------------------------

void TfrmMain::RMInsert1Click()
{
    if (tintora::insertRow(sheet_, grid_->Row(), *services_.prompter))
        showSheet();
}

void TfrmMain::RMDelete1Click()
{
    if (tintora::deleteRow(sheet_, grid_->Row(), *services_.prompter))
        showSheet();
}

void TfrmMain::MarkAll1Click()
{
    tintora::markAll(sheet_);
    showSheet();
}

void TfrmMain::UnmarkAll1Click()
{
    tintora::unmarkAll(sheet_);
    showSheet();
}

void TfrmMain::FlipMarked1Click()
{
    tintora::flipMarked(sheet_);
    showSheet();
}

void TfrmMain::mCutClick()
{
    tintora::cutRow(sheet_, grid_->Row(), edit_.RowClipboard);
    showSheet();
}

void TfrmMain::mCopyClick()
{
    tintora::copyRow(sheet_, grid_->Row(), edit_.RowClipboard);
}

void TfrmMain::mPasteClick()
{
    if (tintora::pasteRow(sheet_, grid_->Row(), edit_.RowClipboard, localPath(MaterialFolder_)))
        showSheet();
}

void TfrmMain::Add1Click()
{
    if (tintora::addRow(sheet_, grid_->Row(), edit_.RowClipboard, *services_.prompter))
        showSheet();
}
