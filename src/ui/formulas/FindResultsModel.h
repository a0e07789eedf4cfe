#pragma once
// The list of Edit > Find: each row of a formula that uses the material
// searched for (file, formula, row, weight, percent by weight), and each file
// that could not be read, greyed, with the reason. Rows come in batches while
// the search runs; the list keeps the order the user sorted it by. With a new
// cost, its formulas' cost per gallon now and at that price come once the
// search has ended.
#include "core/formulas/FormulaFile.h"
#include "core/formulas/WhereUsed.h"
#include "core/materials/PriceChanges.h"

#include <QAbstractTableModel>
#include <QString>

#include <memory>
#include <vector>

// What a search told about one file: a use of the material, or, for a file it
// could not read, the file (hit.file) and why (state).
struct FoundEntry {
    tintora::WhereUsedHit hit;
    tintora::FormulaFileState state = tintora::FormulaFileState::Formula;

    bool readable() const { return state == tintora::FormulaFileState::Formula; }
};

class FindResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        FileColumn,
        FormulaColumn,
        RowColumn,
        CodeColumn,
        WeightColumn,
        PercentColumn,
        PerGallonNowColumn,
        PerGallonNewColumn,
        ChangeColumn,
        ColumnCount
    };
    // The columns of the cost per gallon, which the window shows only when a new cost is asked.
    static bool isCostColumn(int column) { return column >= PerGallonNowColumn && column < ColumnCount; }

    explicit FindResultsModel(QObject* parent = nullptr);

    void clear();
    // Adds what the search told since the last batch, in the order the user sorted by.
    void append(const std::vector<FoundEntry>& entries);
    // Gives the rows of each formula listed its cost per gallon, matched by
    // file; returns how many of the formulas given are not listed (they use
    // the material through made materials only).
    int setCosts(const std::vector<tintora::CostChange>& formulas);
    // Of a row of the list: whether it is a use (not a file that could not be
    // read), the file's full path as the main window opens it, and the row of
    // the formula that uses the material.
    bool isUse(int row) const { return at(row).readable(); }
    const QString& filePath(int row) const { return at(row).file->path; }
    int formulaRow(int row) const { return at(row).row; }

    int usesFound() const { return uses_; }
    int formulasFound() const { return formulas_; }
    int unreadableFiles() const { return unreadable_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // The texts of a file, made once and shared by its rows.
    struct FileTexts {
        QString path;
        QString fileName;
        QString formula;  // the formula's name, or for an unreadable file why: "Not read: it is …"
        QString tip;  // the name again, or the whole message Open would show
    };
    // One row of the list: tens of thousands of them must stay cheap to make
    // and to move; the numbers become text when they are shown.
    struct Shown {
        std::shared_ptr<const FileTexts> file;
        int row = 0;
        QString code;  // as the formula spells it: a search by name finds several
        double weight = 0;
        double percent = 0;
        bool weighed = true;  // the grid's Weight cell shows a number
        tintora::FormulaFileState state = tintora::FormulaFileState::Formula;
        bool costed = false;  // the two costs per gallon are known
        double perGallonNow = 0;
        double perGallonNew = 0;
        bool readable() const { return state == tintora::FormulaFileState::Formula; }
    };
    const Shown& at(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    Shown shown(const FoundEntry& entry);
    QVariant display(const Shown& s, int column) const;
    static QVariant costDisplay(const Shown& s, int column);
    int compare(const Shown& a, const Shown& b) const;
    bool before(const Shown& a, const Shown& b) const;
    void mergeFrom(std::size_t first);
    void reorder(const std::vector<std::size_t>& order);
    void count(const FoundEntry& entry);

    std::vector<Shown> rows_;
    int sortColumn_ = -1;  // none: the order found
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    int uses_ = 0;
    int formulas_ = 0;
    int unreadable_ = 0;
    std::filesystem::path lastFileUsing_;  // the file of the last use counted
    std::filesystem::path lastFileTold_;
    std::shared_ptr<const FileTexts> lastFile_;  // its texts
};
