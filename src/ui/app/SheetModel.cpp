#include "ui/app/SheetModel.h"

#include "core/sheet/GridTyping.h"

using tintora::ColumnCount;
using tintora::SheetRowCount;

namespace {

const char* headerCaption(int column, const tintora::FormulaSheet& sheet)
{
    static constexpr const char* captions[] = {"", "Material", "Description", "Weight", "Volume"};
    return column == ColumnCount - 1 ? sheet.percentTitle() : captions[column];
}

}  // namespace

SheetModel::SheetModel(tintora::FormulaSheet& sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , sheet_(sheet)
{
}

int SheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : SheetRowCount + 1;
}

int SheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::DisplayRole)
        return row == 0 ? QString::fromUtf8(headerCaption(column, sheet_))
                        : QString::fromStdString(sheet_.row(row).cells[column]);
    if (role == Qt::CheckStateRole && row > 0 && column == 0)
        return sheet_.row(row).marked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() == 0)
        return false;
    if (role == Qt::CheckStateRole && index.column() == 0) {
        // The grid toggles a mark box through here; only a material row keeps its mark.
        const bool wanted = value.toInt() == Qt::Checked;
        if (wanted != sheet_.row(index.row()).marked)
            tintora::markClicked(sheet_, index.row());
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    return false;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const
{
    // The root is no cell: views and proxies ask it for what may be dropped.
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Only a material row's mark can be set; a note's box stays empty.
    if (index.row() > 0 && index.column() == 0 && sheet_.row(index.row()).RowKind)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void SheetModel::refresh()
{
    emit dataChanged(index(0, 0), index(SheetRowCount, ColumnCount - 1));
}
