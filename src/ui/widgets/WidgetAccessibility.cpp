#include "ui/widgets/WidgetAccessibility.h"

#include "ui/widgets/ExplorerButtonPaint.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QHash>
#include <QPointer>
#include <QScrollBar>

#include <mutex>

namespace {

class ExplorerButtonAccessible : public QAccessibleWidget {
public:
    explicit ExplorerButtonAccessible(TExplorerButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("OnClick()"));
    }

    TExplorerButton* button() const { return static_cast<TExplorerButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !button()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        return button()->Hint().isEmpty() ? stripAccessKeyMarks(button()->Caption()) : button()->Hint();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QAction* action = button()->DefaultAction();
        s.checkable = button()->GroupIndex() != 0 || (action && action->isCheckable());
        s.checked = button()->Down();
        s.pressed = button()->Pressed();
        return s;
    }

    QStringList actionNames() const override
    {
        return button()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction())
            button()->click();
    }
};

class GridAccessible;

// One cell of the grid, header cells included, in the grid's own (column, row).
class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    GridCellAccessible(TSuperGrid* grid, int col, int row)
        : grid_(grid)
        , col_(col)
        , row_(row)
    {
    }

    bool isValid() const override { return grid_ && col_ < grid_->ColCount() && row_ < grid_->RowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override { }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        if (row_ < TSuperGrid::FixedRows && col_ < grid_->Columns().count())
            return grid_->Columns()[col_].Title.join(u' ');
        return grid_->Cells(col_, row_);
    }

    QAccessible::Role role() const override
    {
        if (row_ < TSuperGrid::FixedRows)
            return QAccessible::ColumnHeader;
        return col_ < TSuperGrid::FixedCols ? QAccessible::RowHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const bool current = isSelected();
        s.focusable = s.selectable = role() == QAccessible::Cell;
        s.selected = current;
        s.focused = current && grid_->hasFocus();
        s.invisible = grid_->CellRect(col_, row_).isEmpty();
        s.offscreen = s.invisible;
        if (isToggleable()) {
            s.checkable = true;
            s.checked = grid_->Checked(col_, row_);
        }
        return s;
    }

    // A check box whose model lets the user check it (a formula's material
    // row, not a note's) is toggled as a click toggles it.
    bool isToggleable() const
    {
        return isValid() && grid_->IsCheckBoxCell(col_, row_)
            && (grid_->model()->flags(grid_->model()->index(row_, col_)) & Qt::ItemIsUserCheckable);
    }
    QStringList actionNames() const override { return isToggleable() ? QStringList{toggleAction()} : QStringList{}; }
    void doAction(const QString& name) override
    {
        if (name == toggleAction() && isToggleable())
            grid_->toggleCheckBox(col_, row_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = grid_->CellRect(col_, row_);
        return cell.isEmpty() ? QRect() : QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return isValid() && grid_->Col() == col_ && grid_->Row() == row_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return col_ - TSuperGrid::FixedCols; }
    int rowIndex() const override { return row_ - TSuperGrid::FixedRows; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<TSuperGrid> grid_;
    int col_;
    int row_;
};

// The grid as a table of its data cells; its children are every cell,
// headers first, row by row.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(TSuperGrid* grid)
        : QAccessibleWidget(grid, QAccessible::Table)
    {
    }

    ~GridAccessible() override
    {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    TSuperGrid* grid() const { return static_cast<TSuperGrid*>(widget()); }

    // The cell's interface, made once and kept by QAccessible's registry.
    QAccessibleInterface* cell(int col, int row) const
    {
        if (col < 0 || row < 0 || col >= grid()->ColCount() || row >= grid()->RowCount())
            return nullptr;
        const quint64 key = (quint64(row) << 32) | quint64(col);
        if (const auto found = cells_.constFind(key); found != cells_.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto* made = new GridCellAccessible(grid(), col, row);
        cells_.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    int childCount() const override { return grid()->RowCount() * grid()->ColCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int cols = grid()->ColCount();
        return index < 0 || cols == 0 ? nullptr : cell(index % cols, index / cols);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* c = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (!c || child->parent() != this)
            return -1;
        return (c->rowIndex() + TSuperGrid::FixedRows) * grid()->ColCount() + c->columnIndex() + TSuperGrid::FixedCols;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint at = grid()->MouseToCell(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
        return at.x() < 0 ? nullptr : cell(at.x(), at.y());
    }
    QAccessibleInterface* focusChild() const override
    {
        return grid()->hasFocus() ? cell(grid()->Col(), grid()->Row()) : nullptr;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The table of data cells: the header row and column are its headers.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override
    {
        QAccessibleInterface* header = cell(column + TSuperGrid::FixedCols, 0);
        return header ? header->text(QAccessible::Name) : QString();
    }
    QString rowDescription(int row) const override { return grid()->Cells(0, row + TSuperGrid::FixedRows); }
    int columnCount() const override { return std::max(grid()->ColCount() - TSuperGrid::FixedCols, 0); }
    int rowCount() const override { return std::max(grid()->RowCount() - TSuperGrid::FixedRows, 0); }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0)
            return nullptr;
        return cell(column + TSuperGrid::FixedCols, row + TSuperGrid::FixedRows);
    }
    int selectedCellCount() const override { return selectedCells().size(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QAccessibleInterface* current = cell(grid()->Col(), grid()->Row());
        return current ? QList<QAccessibleInterface*>{current} : QList<QAccessibleInterface*>{};
    }
    // The grid selects one cell, never a whole row or column.
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The cells are addressed by position and read the grid when asked.
    void modelChange(QAccessibleTableModelChangeEvent*) override { }

private:
    mutable QHash<quint64, QAccessible::Id> cells_;
};

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const
{
    auto* t = dynamic_cast<GridAccessible*>(parent());
    QAccessibleInterface* header = t ? t->cell(col_, 0) : nullptr;
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const
{
    auto* t = dynamic_cast<GridAccessible*>(parent());
    QAccessibleInterface* header = t ? t->cell(0, row_) : nullptr;
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

// A number box the user cannot edit (the property boxes) is read as a value
// under its name, never as an editable text.
class ReadOnlyNumberAccessible : public QAccessibleWidget {
public:
    explicit ReadOnlyNumberAccessible(TFnpNumericEdit* box)
        : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const TFnpNumericEdit*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

QAccessibleInterface* controlInterface(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<TFnpNumericEdit*>(object); box && box->isReadOnly())
        return new ReadOnlyNumberAccessible(box);
    if (auto* button = qobject_cast<TExplorerButton*>(object))
        return new ExplorerButtonAccessible(button);
    if (auto* grid = qobject_cast<TSuperGrid*>(object))
        return new GridAccessible(grid);
    return nullptr;
}

}  // namespace

namespace widgetaccessibility {

void install()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(controlInterface); });
}

void forgetInterface(QObject* control)
{
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(control))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void currentCellMoved(QObject* grid, int col, int row, int colCount)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(row * colCount + col);
    QAccessible::updateAccessibility(&event);
}

}  // namespace widgetaccessibility
