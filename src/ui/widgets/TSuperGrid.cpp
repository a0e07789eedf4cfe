#include "ui/widgets/TSuperGrid.h"

#include "ui/widgets/WidgetAccessibility.h"

#include <QAbstractItemModel>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <optional>

namespace {

constexpr int CheckBoxSize = 13;

QColor orDefault(const QColor& color, const QColor& fallback)
{
    return color.isValid() ? color : fallback;
}

// The 13 x 13 check-box images, drawn pixel by pixel so they stay crisp at any
// device pixel ratio.
void drawCheckBox(QPainter& p, QPoint at, TCheckBoxStyle style, bool checked, const QPalette& pal)
{
    const int x = at.x();
    const int y = at.y();
    auto hline = [&](int dx, int dy, int len, const QColor& c) { p.fillRect(x + dx, y + dy, len, 1, c); };
    auto vline = [&](int dx, int dy, int len, const QColor& c) { p.fillRect(x + dx, y + dy, 1, len, c); };

    const QColor interior = pal.color(QPalette::Base);
    const QColor mark = pal.color(QPalette::Text);
    if (style == TCheckBoxStyle::Plain) {
        p.fillRect(x, y, CheckBoxSize, CheckBoxSize, mark);
        p.fillRect(x + 1, y + 1, CheckBoxSize - 2, CheckBoxSize - 2, interior);
    } else {
        // Sunken double frame: shadow and dark shadow above and left,
        // highlight and face below and right.
        const QColor shadow = pal.color(QPalette::Dark);
        const QColor dark = pal.color(QPalette::Shadow);
        const QColor light = pal.color(QPalette::Light);
        const QColor face = pal.color(QPalette::Button);
        hline(0, 0, 12, shadow);
        vline(0, 0, 12, shadow);
        hline(1, 1, 10, dark);
        vline(1, 1, 10, dark);
        hline(0, 12, 13, light);
        vline(12, 0, 13, light);
        hline(1, 11, 11, face);
        vline(11, 1, 11, face);
        p.fillRect(x + 2, y + 2, 9, 9, interior);
    }
    if (!checked)
        return;
    // The classic check mark: seven columns of three-pixel strokes.
    const QColor markColor = style == TCheckBoxStyle::CheckMark ? pal.color(QPalette::Highlight) : mark;
    const int tops[7] = {5, 6, 7, 6, 5, 4, 3};
    for (int i = 0; i < 7; ++i)
        vline(3 + i, tops[i], 3, markColor);
}

int flagsFor(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Right:
        return Qt::AlignRight;
    case TAlignment::Center:
        return Qt::AlignHCenter;
    case TAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Lowered: shadow on top and left, highlight on bottom and right.
void drawBevel(QPainter& p, QRect& r, TBevel bevel, int width, const QPalette& pal)
{
    if (bevel == TBevel::None)
        return;
    const QColor topLeft = pal.color(bevel == TBevel::Lowered ? QPalette::Dark : QPalette::Light);
    const QColor bottomRight = pal.color(bevel == TBevel::Lowered ? QPalette::Light : QPalette::Dark);
    for (int i = 0; i < width; ++i) {
        p.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
        p.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
        p.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
        p.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

}  // namespace

TSuperGrid::TSuperGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    m_columns.setOnChange([this] { viewport()->update(); });
    widgetaccessibility::install();
}

TSuperGrid::~TSuperGrid()
{
    for (const auto& connection : std::as_const(m_modelConnections))
        disconnect(connection);
}

void TSuperGrid::setModel(QAbstractItemModel* model)
{
    for (const auto& connection : std::as_const(m_modelConnections))
        disconnect(connection);
    m_modelConnections.clear();
    m_model = model;
    if (model) {
        m_modelConnections << connect(model, &QAbstractItemModel::dataChanged, this, [this] { viewport()->update(); });
        m_modelConnections << connect(
            model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
                if (parent.isValid())
                    return;
                modelShapeChanged();
                createCheckBoxCells(first, last, false);
            });
        auto shape = [this] { modelShapeChanged(); };
        m_modelConnections << connect(model, &QAbstractItemModel::rowsRemoved, this, shape);
        m_modelConnections << connect(model, &QAbstractItemModel::columnsInserted, this, shape);
        m_modelConnections << connect(model, &QAbstractItemModel::columnsRemoved, this, shape);
        m_modelConnections << connect(model, &QAbstractItemModel::modelReset, this, shape);
        m_modelConnections << connect(model, &QAbstractItemModel::layoutChanged, this, shape);
    }
    m_col = FixedCols;
    m_row = FixedRows;
    m_topRow = FixedRows;
    m_leftCol = FixedCols;
    modelShapeChanged();
    createCheckBoxCells(FixedRows, RowCount() - 1, false);
}

int TSuperGrid::RowCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

int TSuperGrid::ColCount() const
{
    return m_model ? m_model->columnCount() : 0;
}

QModelIndex TSuperGrid::index(int col, int row) const
{
    if (!m_model || col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return {};
    return m_model->index(row, col);
}

QString TSuperGrid::Cells(int col, int row) const
{
    return index(col, row).data(Qt::DisplayRole).toString();
}

void TSuperGrid::setColumns(const TColumns& columns)
{
    m_columns = columns;
    createCheckBoxCells(FixedRows, RowCount() - 1, true);
    viewport()->update();
}

void TSuperGrid::createCheckBoxCells(int firstRow, int lastRow, bool reset)
{
    if (!m_model)
        return;
    const int cols = std::min(m_columns.count(), ColCount());
    for (int c = 0; c < cols; ++c) {
        const TColumn& def = m_columns[c];
        if (def.ControlKind == TControlKind::Text)
            continue;
        for (int r = std::max(firstRow, FixedRows); r <= lastRow && r < RowCount(); ++r) {
            const QModelIndex idx = index(c, r);
            if (idx.data(Qt::DisplayRole).toString().isEmpty())
                m_model->setData(idx, QStringLiteral(" "), Qt::EditRole);
            if (def.ControlKind == TControlKind::CheckBox && (reset || !idx.data(Qt::CheckStateRole).isValid()))
                m_model->setData(idx, def.CheckedDefault ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        }
    }
}

bool TSuperGrid::IsCheckBoxCell(int col, int row) const
{
    if (col < 0 || row < FixedRows || col >= m_columns.count() || row >= RowCount() || col >= ColCount())
        return false;
    if (m_columns[col].ControlKind != TControlKind::CheckBox)
        return false;
    return index(col, row).data(Qt::CheckStateRole).isValid();
}

// No exception may leave a handler through Qt's event dispatch, and a wrong cell is no
// reason to end the program: the mistake is only told.
bool TSuperGrid::isCheckBoxCellOrWarn(int col, int row) const
{
    if (IsCheckBoxCell(col, row))
        return true;
    qWarning().noquote() << QStringLiteral("TSuperGrid: No check box at column %1, row %2").arg(col).arg(row);
    return false;
}

bool TSuperGrid::Checked(int col, int row) const
{
    if (!isCheckBoxCellOrWarn(col, row))
        return false;
    return index(col, row).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void TSuperGrid::setChecked(int col, int row, bool value)
{
    if (isCheckBoxCellOrWarn(col, row) && Checked(col, row) != value)
        m_model->setData(index(col, row), value ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

// ---- geometry -------------------------------------------------------------

GridGeometry TSuperGrid::geometryModel() const
{
    GridGeometry g;
    g.colWidths.resize(static_cast<size_t>(ColCount()));
    g.rowHeights.resize(static_cast<size_t>(RowCount()));
    for (int c = 0; c < ColCount(); ++c)
        g.colWidths[c] = ColWidths(c);
    for (int r = 0; r < RowCount(); ++r)
        g.rowHeights[r] = RowHeights(r);
    g.fixedCols = FixedCols;
    g.fixedRows = FixedRows;
    g.leftCol = m_leftCol;
    g.topRow = m_topRow;
    return g;
}

QRect TSuperGrid::CellRect(int col, int row) const
{
    return geometryModel().cellRect(col, row, viewport()->size());
}

QPoint TSuperGrid::MouseToCell(QPoint pos) const
{
    return geometryModel().cellAt(pos, viewport()->size());
}

int TSuperGrid::VisibleRowCount() const
{
    return geometryModel().fullyVisibleRows(viewport()->height());
}

int TSuperGrid::VisibleColCount() const
{
    return geometryModel().fullyVisibleCols(viewport()->width());
}

int TSuperGrid::ColWidths(int col) const
{
    return m_colWidths.value(col, m_defaultColWidth);
}

int TSuperGrid::RowHeights(int row) const
{
    return m_rowHeights.value(row, m_defaultRowHeight);
}

void TSuperGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = width;
    updateScrollBars();
    viewport()->update();
}

void TSuperGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    updateScrollBars();
    viewport()->update();
}

void TSuperGrid::setColWidths(int col, int width)
{
    m_colWidths[col] = width;
    updateScrollBars();
    viewport()->update();
}

void TSuperGrid::setRowHeights(int row, int height)
{
    m_rowHeights[row] = height;
    updateScrollBars();
    viewport()->update();
}

QColor TSuperGrid::FixedColor() const
{
    return orDefault(m_fixedColor, palette().color(QPalette::Button));
}

void TSuperGrid::setFixedColor(const QColor& color)
{
    m_fixedColor = color;
    viewport()->update();
}

QColor TSuperGrid::GridLineColor() const
{
    return orDefault(m_gridLineColor, palette().color(QPalette::Midlight));
}

void TSuperGrid::setGridLineColor(const QColor& color)
{
    m_gridLineColor = color;
    viewport()->update();
}

QSize TSuperGrid::sizeHint() const
{
    int width = 0;
    for (int c = 0; c < std::max(ColCount(), 1); ++c)
        width += ColWidths(c) + 1;
    int height = 0;
    for (int r = 0; r < std::min(std::max(RowCount(), 1), 12); ++r)
        height += RowHeights(r) + 1;
    const int frame = 2 * frameWidth();
    return {width + frame + verticalScrollBar()->sizeHint().width(), height + frame};
}

// ---- scrolling ------------------------------------------------------------

void TSuperGrid::updateScrollBars()
{
    const GridGeometry g = geometryModel();
    const QSize vs = viewport()->size();
    const int maxTop = std::max(FixedRows, g.maxTopRow(vs.height()));
    const int maxLeft = std::max(FixedCols, g.maxLeftCol(vs.width()));
    m_syncingScrollBars = true;
    verticalScrollBar()->setRange(FixedRows, maxTop);
    verticalScrollBar()->setPageStep(g.fullyVisibleRows(vs.height()));
    horizontalScrollBar()->setRange(FixedCols, maxLeft);
    horizontalScrollBar()->setPageStep(g.fullyVisibleCols(vs.width()));
    m_syncingScrollBars = false;
    setTopLeft(std::min(m_leftCol, maxLeft), std::min(m_topRow, maxTop));
}

void TSuperGrid::setTopLeft(int col, int row)
{
    col = std::max(col, FixedCols);
    row = std::max(row, FixedRows);
    m_syncingScrollBars = true;
    verticalScrollBar()->setValue(row);
    horizontalScrollBar()->setValue(col);
    m_syncingScrollBars = false;
    if (col == m_leftCol && row == m_topRow)
        return;
    m_leftCol = col;
    m_topRow = row;
    viewport()->update();
    emit OnTopLeftChanged();
}

void TSuperGrid::setTopRow(int row)
{
    setTopLeft(m_leftCol, std::clamp(row, FixedRows, verticalScrollBar()->maximum()));
}

void TSuperGrid::setLeftCol(int col)
{
    setTopLeft(std::clamp(col, FixedCols, horizontalScrollBar()->maximum()), m_topRow);
}

void TSuperGrid::scrollContentsBy(int, int)
{
    if (!m_syncingScrollBars)
        setTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TSuperGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TSuperGrid::scrollIntoView(int col, int row)
{
    const GridGeometry g = geometryModel();
    const QSize vs = viewport()->size();
    int top = m_topRow;
    int left = m_leftCol;
    if (row >= FixedRows) {
        if (row < top)
            top = row;
        else {
            GridGeometry probe = g;
            while (top < row && row >= top + probe.fullyVisibleRows(vs.height())) {
                ++top;
                probe.topRow = top;
            }
        }
    }
    if (col >= FixedCols) {
        if (col < left)
            left = col;
        else {
            GridGeometry probe = g;
            while (left < col && col >= left + probe.fullyVisibleCols(vs.width())) {
                ++left;
                probe.leftCol = left;
            }
        }
    }
    setTopLeft(left, top);
}

void TSuperGrid::modelShapeChanged()
{
    const int lastCol = std::max(ColCount() - 1, FixedCols);
    const int lastRow = std::max(RowCount() - 1, FixedRows);
    m_col = std::clamp(m_col, FixedCols, lastCol);
    m_row = std::clamp(m_row, FixedRows, lastRow);
    updateScrollBars();
    viewport()->update();
}

// ---- current cell ---------------------------------------------------------

bool TSuperGrid::selectCell(int col, int row)
{
    bool canSelect = true;
    emit OnSelectCell(col, row, canSelect);
    return canSelect;
}

bool TSuperGrid::moveCurrent(int col, int row)
{
    if (col < FixedCols || row < FixedRows || col >= ColCount() || row >= RowCount())
        return false;
    if (!selectCell(col, row))
        return false;
    const int oldCol = m_col;
    const int oldRow = m_row;
    m_col = col;
    m_row = row;
    scrollIntoView(col, row);
    updateCell(oldCol, oldRow);
    updateCell(col, row);
    widgetaccessibility::currentCellMoved(this, col, row, ColCount());
    return true;
}

void TSuperGrid::focusCell(int col, int row)
{
    if (moveCurrent(col, row))
        emit OnClick();
}

void TSuperGrid::setCol(int col)
{
    if (col != m_col)
        focusCell(col, m_row);
}

void TSuperGrid::setRow(int row)
{
    if (row != m_row)
        focusCell(m_col, row);
}

void TSuperGrid::setCurrentCell(int col, int row)
{
    if (col != m_col || row != m_row)
        focusCell(col, row);
}

void TSuperGrid::updateCell(int col, int row)
{
    const QRect r = CellRect(col, row);
    if (!r.isEmpty())
        viewport()->update(r.adjusted(0, 0, 1, 1));
}

// ---- input ----------------------------------------------------------------

void TSuperGrid::keyPressEvent(QKeyEvent* event)
{
    emit OnKeyDown(event->key(), event->modifiers());
    if (const std::optional<QPoint> target = navigationTarget(event->key(), event->modifiers() & Qt::ControlModifier)) {
        moveWithKey(*target);
        event->accept();
        return;
    }
    // With Ctrl or Alt held a printable key is a chord, not typing (the X
    // server still gives it its text); Ctrl+letter's control codes stay keys.
    const bool chord = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.front().unicode() >= 0x20 && text.front().unicode() != 0x7f;
    if (!(chord && printable) && emitTypedCharacters(text))
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

// The cell a navigation key goes to, not yet kept inside the grid; none for other keys.
std::optional<QPoint> TSuperGrid::navigationTarget(int key, bool ctrl) const
{
    const int col = m_col;
    const int row = m_row;
    switch (key) {
    case Qt::Key_Up:
        return QPoint(col, row - 1);
    case Qt::Key_Down:
        return QPoint(col, row + 1);
    case Qt::Key_Left:
        return QPoint(col - 1, row);
    case Qt::Key_Right:
        return QPoint(col + 1, row);
    case Qt::Key_PageUp:
        return QPoint(col, row - VisibleRowCount());
    case Qt::Key_PageDown:
        return QPoint(col, row + VisibleRowCount());
    case Qt::Key_Home:
        return QPoint(FixedCols, ctrl ? FixedRows : row);
    case Qt::Key_End:
        return QPoint(ColCount() - 1, ctrl ? RowCount() - 1 : row);
    default:
        return std::nullopt;
    }
}

void TSuperGrid::moveWithKey(QPoint target)
{
    const int lastCol = ColCount() - 1;
    const int lastRow = RowCount() - 1;
    if (lastCol < FixedCols || lastRow < FixedRows)
        return;
    const int col = std::clamp(target.x(), FixedCols, lastCol);
    const int row = std::clamp(target.y(), FixedRows, lastRow);
    if (col != m_col || row != m_row)
        focusCell(col, row);
}

// Emits OnKeyPress for each character of a key's text; whether there was any.
bool TSuperGrid::emitTypedCharacters(const QString& text)
{
    bool typed = false;
    for (const QChar ch : text) {
        if (ch.unicode() == 0x7f)  // Delete is a key, not a character
            continue;
        typed = true;
        emit OnKeyPress(ch);
    }
    return typed;
}

void TSuperGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QPoint cell = MouseToCell(pos);
    m_pressedCell = event->button() == Qt::LeftButton ? cell : QPoint(-1, -1);
    if (event->button() == Qt::LeftButton && cell.x() >= FixedCols && cell.y() >= FixedRows) {
        // The click's OnClick comes at the release even if the move was refused.
        moveCurrent(cell.x(), cell.y());
        m_selecting = true;
    }
    emit OnMouseDown(event->button(), event->modifiers(), pos);
}

void TSuperGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint cell = MouseToCell(event->position().toPoint());
    if (cell.x() >= FixedCols && cell.y() >= FixedRows && (cell.x() != m_col || cell.y() != m_row))
        moveCurrent(cell.x(), cell.y());
}

void TSuperGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const QPoint cell = MouseToCell(pos);
        if (cell == m_pressedCell)
            toggleCheckBox(cell.x(), cell.y());
        m_pressedCell = QPoint(-1, -1);
    }
    if (m_selecting) {
        m_selecting = false;
        emit OnClick();
    }
    emit OnMouseUp(event->button(), event->modifiers(), pos);
}

void TSuperGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click selects nothing, but it is still a
    // press for the check box under it.
    const QPoint pos = event->position().toPoint();
    m_pressedCell = event->button() == Qt::LeftButton ? MouseToCell(pos) : QPoint(-1, -1);
    if (event->button() == Qt::LeftButton)
        emit OnDblClick();
    emit OnMouseDown(event->button(), event->modifiers(), pos);
}

void TSuperGrid::toggleCheckBox(int col, int row)
{
    if (col < 0 || row < 0 || !IsCheckBoxCell(col, row))
        return;
    const bool value = !Checked(col, row);
    m_model->setData(index(col, row), value ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    emit OnCheckBoxClick(this, col, row, value);
}

void TSuperGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    updateCell(m_col, m_row);
    // A screen reader reads the cell the keys go to, not just "table".
    widgetaccessibility::currentCellMoved(this, m_col, m_row, ColCount());
}

void TSuperGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    updateCell(m_col, m_row);
}

// ---- painting -------------------------------------------------------------

void TSuperGrid::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const GridGeometry g = geometryModel();
    const QSize vs = viewport()->size();
    const QColor fixedLine = palette().color(QPalette::Dark);
    const QColor line = GridLineColor();
    for (int row = 0; row < g.rowCount(); ++row) {
        if (row >= FixedRows && row < m_topRow)
            continue;
        bool rowShown = false;
        for (int col = 0; col < g.colCount(); ++col) {
            if (col >= FixedCols && col < m_leftCol)
                continue;
            const QRect r = g.cellRect(col, row, vs);
            if (r.isEmpty()) {
                if (col >= FixedCols)
                    break;
                continue;
            }
            rowShown = true;
            p.save();
            p.setClipRect(r);
            drawCell(p, col, row, r);
            p.restore();
            const bool fixed = col < FixedCols || row < FixedRows;
            const QColor& lc = fixed ? fixedLine : line;
            p.fillRect(r.right() + 1, r.top(), g.lineWidth, r.height() + g.lineWidth, lc);
            p.fillRect(r.left(), r.bottom() + 1, r.width() + g.lineWidth, g.lineWidth, lc);
        }
        if (!rowShown && row >= FixedRows)
            break;
    }
}

void TSuperGrid::drawCell(QPainter& p, int col, int row, const QRect& cell)
{
    const bool header = row < FixedRows;
    const bool fixed = header || col < FixedCols;
    const bool selected = !fixed && col == m_col && row == m_row;
    const bool focused = selected && hasFocus();

    if (col >= m_columns.count())
        drawPlainCell(p, cell, Cells(col, row), fixed, selected && !focused);
    else
        drawDefinedCell(p, col, row, cell, selected && !focused);
    if (focused)
        drawFocusFrame(p, cell);
    if (fixed)
        drawFixedEdge(p, cell);
}

// Plain drawing for columns without a definition.
void TSuperGrid::drawPlainCell(QPainter& p, const QRect& cell, const QString& text, bool fixed, bool highlighted) const
{
    const QPalette& pal = palette();
    p.fillRect(cell, highlighted ? pal.color(QPalette::Highlight) : fixed ? FixedColor() : pal.color(QPalette::Base));
    p.setPen(pal.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
    p.drawText(cell.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

TSuperGrid::CellLook TSuperGrid::titleLook(const TColumn& def) const
{
    const QPalette& pal = palette();
    return {orDefault(def.TitleColor, pal.color(QPalette::Button)),
        orDefault(def.TitleFontColor, pal.color(QPalette::WindowText)), def.TitleFontSet ? def.TitleFont : font()};
}

TSuperGrid::CellLook TSuperGrid::bodyLook(const TColumn& def, int col, int row, bool highlighted) const
{
    const QPalette& pal = palette();
    if (highlighted)
        return {pal.color(QPalette::Highlight), pal.color(QPalette::HighlightedText), def.FontSet ? def.Font : font()};
    const bool fixed = col < FixedCols;
    const QColor window = pal.color(QPalette::Base);
    QColor brush;
    if (m_columns.UseOddRowColor() && row % 2 == 1 && !fixed)
        brush = orDefault(m_columns.OddRowColor(), window);
    else if (m_columns.UseEvenRowColor() && row % 2 == 0 && !fixed)
        brush = orDefault(m_columns.EvenRowColor(), window);
    else
        brush = orDefault(def.Color, window);
    return {brush, orDefault(def.FontColor, pal.color(QPalette::WindowText)), def.FontSet ? def.Font : font()};
}

void TSuperGrid::drawDefinedCell(QPainter& p, int col, int row, const QRect& cell, bool highlighted)
{
    const TColumn& def = m_columns[col];
    const bool header = row < FixedRows;
    const CellLook look = header ? titleLook(def) : bodyLook(def, col, row, highlighted);
    p.fillRect(cell, look.brush);
    p.setFont(look.font);
    p.setPen(look.text);

    // Edges as a string grid keeps them: right and bottom exclusive.
    int left = cell.left();
    const int top = cell.top();
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    if (IsCheckBoxCell(col, row)) {
        int imageTop = top + 2;
        if (def.Layout == TVerticalLayout::Center && CheckBoxSize < bottom - imageTop)
            imageTop += (bottom - imageTop - CheckBoxSize) / 2;
        else if (def.Layout == TVerticalLayout::Bottom)
            imageTop = bottom - 2 - CheckBoxSize;
        drawCheckBox(p, QPoint(left + 2, imageTop), def.CheckBoxStyle, Checked(col, row), palette());
        left += CheckBoxSize + 4;
    }
    const QRect inner(left + 2, top + 2, right - left - 4, bottom - top - 4);
    const QFontMetrics fm(look.font, p.device());
    if (header)
        drawTitle(p, def, inner, look.brush, fm);
    else
        drawCellText(p, def, inner, Cells(col, row), fm);
}

void TSuperGrid::drawTitle(QPainter& p, const TColumn& def, QRect r, const QColor& brush, const QFontMetrics& fm) const
{
    const QPalette& pal = palette();
    drawBevel(p, r, def.TitleBevelOuter, def.TitleBevelWidth, pal);
    for (int i = 0; i < def.TitleBorderWidth; ++i) {
        p.fillRect(r.left(), r.top(), r.width(), 1, brush);
        p.fillRect(r.left(), r.top(), 1, r.height(), brush);
        p.fillRect(r.left(), r.bottom(), r.width(), 1, brush);
        p.fillRect(r.right(), r.top(), 1, r.height(), brush);
        r.adjust(1, 1, -1, -1);
    }
    drawBevel(p, r, def.TitleBevelInner, def.TitleBevelWidth, pal);
    r.adjust(1, 1, -1, -1);
    int y = r.top();
    const int lineHeight = fm.height();
    const int block = static_cast<int>(def.Title.size()) * (lineHeight + 2);
    if (def.TitleLayout != TVerticalLayout::Top && block < r.height()) {
        if (def.TitleLayout == TVerticalLayout::Center)
            y += (r.height() - block) / 2;
        else
            y = r.top() + r.height() - block;
    }
    for (const QString& titleLine : def.Title) {
        p.drawText(QRect(r.left(), y, r.width(), lineHeight),
            flagsFor(def.TitleAlignment) | Qt::AlignTop | Qt::TextDontClip, titleLine);
        y += lineHeight + 2;
    }
}

void TSuperGrid::drawCellText(QPainter& p, const TColumn& def, QRect r, QString text, const QFontMetrics& fm)
{
    int flags = flagsFor(def.Alignment) | Qt::AlignTop;
    if (def.Overflow == TOverflow::Ellipsis)
        text = ellipsisText(text, r.width() + 1, [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    if (def.Overflow == TOverflow::WordWrap)
        flags |= Qt::TextWordWrap;
    else
        flags |= Qt::TextSingleLine | Qt::TextDontClip;
    if (def.Layout != TVerticalLayout::Top) {
        const int height = fm.boundingRect(r, flags, text).height();
        if (height < r.height())
            r.setTop(
                def.Layout == TVerticalLayout::Center ? r.top() + (r.height() - height) / 2 : r.bottom() - height + 1);
    }
    p.drawText(r, flags, text);
}

QString TSuperGrid::CutCellText(int col, int row) const
{
    if (row < FixedRows || col < FixedCols || row >= RowCount() || col >= ColCount())
        return {};
    const QRect cell = CellRect(col, row);
    const QString text = Cells(col, row);
    if (cell.isEmpty() || text.isEmpty())
        return {};
    // The text's room as the drawing gives it: inside a 2-pixel margin, after a check box.
    int width = cell.width() - 4;
    const int height = cell.height() - 4;
    if (col >= m_columns.count())
        return QFontMetrics(font(), viewport()).horizontalAdvance(text) > width ? text : QString();
    const TColumn& def = m_columns[col];
    if (IsCheckBoxCell(col, row))
        width -= CheckBoxSize + 4;
    const QFontMetrics fm(def.FontSet ? def.Font : font(), viewport());
    switch (def.Overflow) {
    case TOverflow::Ellipsis:
        return ellipsisText(text, width + 1, [&fm](const QString& s) { return fm.horizontalAdvance(s); }) != text
            ? text
            : QString();
    case TOverflow::WordWrap:
        return fm.boundingRect(QRect(0, 0, width, height), Qt::TextWordWrap, text).height() > height ? text : QString();
    default:
        return fm.horizontalAdvance(text) > width ? text : QString();
    }
}

bool TSuperGrid::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint cell = MouseToCell(help->pos());
    const QString whole = CutCellText(cell.x(), cell.y());
    if (whole.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), whole, viewport(), CellRect(cell.x(), cell.y()));
    return true;
}

void TSuperGrid::drawFocusFrame(QPainter& p, const QRect& cell) const
{
    // A dotted frame along the cell's edge, every other pixel.
    const QColor color = palette().color(QPalette::WindowText);
    for (int x = cell.left(); x <= cell.right(); x += 2) {
        p.fillRect(x, cell.top(), 1, 1, color);
        p.fillRect(x, cell.bottom(), 1, 1, color);
    }
    for (int y = cell.top(); y <= cell.bottom(); y += 2) {
        p.fillRect(cell.left(), y, 1, 1, color);
        p.fillRect(cell.right(), y, 1, 1, color);
    }
}

void TSuperGrid::drawFixedEdge(QPainter& p, const QRect& cell) const
{
    // Fixed cells stand out with a raised inner edge.
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Mid);
    p.fillRect(cell.left(), cell.top(), cell.width(), 1, light);
    p.fillRect(cell.left(), cell.top(), 1, cell.height(), light);
    p.fillRect(cell.left(), cell.bottom(), cell.width(), 1, dark);
    p.fillRect(cell.right(), cell.top(), 1, cell.height(), dark);
}
