#pragma once
// Adapts the formula sheet to the grid: 37 rows (row 0 the header row) by six
// columns; the text of each cell and, in column 0, the row's mark. The sheet
// stays the one home of the data; this model keeps no copy.
#include "core/sheet/FormulaSheet.h"

#include <QAbstractTableModel>

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SheetModel(tintora::FormulaSheet& sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // After a command changed the sheet: every view shows it anew.
    void refresh();

private:
    tintora::FormulaSheet& sheet_;
};
