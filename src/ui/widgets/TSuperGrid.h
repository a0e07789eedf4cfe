#pragma once

// TSuperGrid: a string-grid view over a Qt item model, with per-column
// definitions (TColumns) and check-box cells.
//
// Addressing is (column, row) as in a string grid. Model row 0 is the fixed
// header row and model column 0 the fixed column; both stay in place while the
// rest scrolls. For a column that has a definition, the header cell shows the
// definition's Title, not the model's text of row 0; data cells show the
// model's Qt::DisplayRole text.
//
// Check-box cells: a cell of a column whose definition has ControlKind
// CheckBox, in a data row, whose model index answers Qt::CheckStateRole. The
// state lives in the model (Qt::CheckStateRole, Qt::Checked / Qt::Unchecked);
// a toggle writes it back with setData(Qt::CheckStateRole). When columns are
// assigned, every such cell is (re)created with the column's CheckedDefault;
// when a model is set or rows are inserted, cells the model leaves without a
// state get one. An empty text of a check-box cell becomes " ".
//
// The grid never edits in place and selects exactly one data cell.

#include "ui/widgets/GridGeometry.h"
#include "ui/widgets/TColumns.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QPointer>

#include <optional>

#include <QAbstractItemModel>

class QFontMetrics;

class TSuperGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int FixedRows = 1;
    static constexpr int FixedCols = 1;

    explicit TSuperGrid(QWidget* parent = nullptr);
    ~TSuperGrid() override;

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return m_model; }
    int RowCount() const;
    int ColCount() const;
    QString Cells(int col, int row) const;

    // Definitions. Changes made through the returned list repaint the grid;
    // assigning a list re-creates every check-box cell from it.
    const TColumns& Columns() const { return m_columns; }
    TColumns& Columns() { return m_columns; }
    void setColumns(const TColumns& columns);

    bool IsCheckBoxCell(int col, int row) const;
    // Asking a cell without a check box is a caller's mistake, checked in
    // every build: it reads as unchecked, is not changed, and leaves the
    // warning "TSuperGrid: No check box at column <col>, row <row>".
    bool Checked(int col, int row) const;
    void setChecked(int col, int row, bool value);
    // Toggles a check box cell as a click on it does, OnCheckBoxClick included.
    void toggleCheckBox(int col, int row);

    // Current cell. Assignments ask OnSelectCell first and raise OnClick.
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    void setCol(int col);
    void setRow(int row);
    void setCurrentCell(int col, int row);

    int TopRow() const { return m_topRow; }
    int LeftCol() const { return m_leftCol; }
    void setTopRow(int row);
    void setLeftCol(int col);
    int VisibleRowCount() const;  // scrolling rows wholly shown
    int VisibleColCount() const;

    // Viewport coordinates; empty when the cell is not shown.
    QRect CellRect(int col, int row) const;
    // (column, row) under a viewport point, or (-1, -1).
    QPoint MouseToCell(QPoint pos) const;
    // The whole text of a data cell that shows only part of it (cut, or ended
    // with an ellipsis); empty when the cell shows all of it. The tooltip of
    // the cell under the mouse shows it.
    QString CutCellText(int col, int row) const;

    int DefaultColWidth() const { return m_defaultColWidth; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);
    int ColWidths(int col) const;
    int RowHeights(int row) const;
    void setColWidths(int col, int width);
    void setRowHeights(int row, int height);

    QColor FixedColor() const;
    void setFixedColor(const QColor& color);
    QColor GridLineColor() const;
    void setGridLineColor(const QColor& color);

    GridGeometry geometryModel() const;
    QSize sizeHint() const override;

signals:
    // Before a cell becomes current; clear canSelect to refuse the move.
    void OnSelectCell(int aCol, int aRow, bool& canSelect);
    // After a keyboard move or an assignment of the current cell at once,
    // after a mouse click in a data cell at the button's release.
    void OnClick();
    void OnDblClick();
    // A typed character, including Enter '\r', Escape '\x1b' and Backspace '\b'.
    void OnKeyPress(QChar key);
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnTopLeftChanged();
    // A mouse click toggled a check-box cell; raised before OnMouseUp.
    void OnCheckBoxClick(TSuperGrid* sender, int aCol, int aRow, bool isChecked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool isCheckBoxCellOrWarn(int col, int row) const;
    bool selectCell(int col, int row);
    bool moveCurrent(int col, int row);  // asks OnSelectCell, scrolls into view
    void focusCell(int col, int row);  // moveCurrent, then OnClick
    void scrollIntoView(int col, int row);
    void setTopLeft(int col, int row);
    void updateScrollBars();
    void createCheckBoxCells(int firstRow, int lastRow, bool reset);
    void modelShapeChanged();
    void updateCell(int col, int row);
    std::optional<QPoint> navigationTarget(int key, bool ctrl) const;
    void moveWithKey(QPoint target);
    bool emitTypedCharacters(const QString& text);
    // How a defined cell is filled and written.
    struct CellLook {
        QColor brush;
        QColor text;
        QFont font;
    };
    void drawCell(QPainter& p, int col, int row, const QRect& cell);
    void drawPlainCell(QPainter& painter, const QRect& cell, const QString& text, bool fixed, bool highlighted) const;
    void drawDefinedCell(QPainter& painter, int col, int row, const QRect& cell, bool highlighted);
    CellLook titleLook(const TColumn& def) const;
    CellLook bodyLook(const TColumn& def, int col, int row, bool highlighted) const;
    void drawTitle(QPainter& painter, const TColumn& def, QRect r, const QColor& brush, const QFontMetrics& fm) const;
    static void drawCellText(QPainter& painter, const TColumn& def, QRect r, QString text, const QFontMetrics& fm);
    void drawFocusFrame(QPainter& painter, const QRect& cell) const;
    void drawFixedEdge(QPainter& painter, const QRect& cell) const;
    QModelIndex index(int col, int row) const;

    QPointer<QAbstractItemModel> m_model;
    QList<QMetaObject::Connection> m_modelConnections;
    TColumns m_columns;
    int m_col = FixedCols;
    int m_row = FixedRows;
    int m_topRow = FixedRows;
    int m_leftCol = FixedCols;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    QHash<int, int> m_colWidths;
    QHash<int, int> m_rowHeights;
    QColor m_fixedColor;
    QColor m_gridLineColor;
    QPoint m_pressedCell{-1, -1};  // left press, for check-box toggling
    bool m_selecting = false;  // a left press in a data cell awaits its release
    bool m_syncingScrollBars = false;
};
