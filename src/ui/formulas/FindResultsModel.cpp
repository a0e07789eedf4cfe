#include "ui/formulas/FindResultsModel.h"

#include "core/text/NumberText.h"
#include "ui/widgets/LocalPath.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

namespace {

const char* const ColumnTitles[FindResultsModel::ColumnCount]
    = {"File", "Formula", "Row", "Code", "Weight", "W%", "Cost/gal now", "Cost/gal new", "Change"};

bool isNumberColumn(int column)
{
    return column == FindResultsModel::RowColumn || column == FindResultsModel::WeightColumn
        || column == FindResultsModel::PercentColumn || FindResultsModel::isCostColumn(column);
}

int compareNumbers(double a, double b)
{
    return (a > b) - (a < b);
}

// Names by their letters, whatever their case, as a chemist reads a list of files.
int compareTexts(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded : a.compare(b);
}

}  // namespace

FindResultsModel::FindResultsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

// A search tells the rows of a file one after the other: they share its texts.
FindResultsModel::Shown FindResultsModel::shown(const FoundEntry& entry)
{
    if (!lastFile_ || entry.hit.file.native() != lastFileTold_.native() || !entry.readable()) {
        lastFileTold_ = entry.hit.file;
        auto texts = std::make_shared<FileTexts>();
        texts->path = fromLocalPath(entry.hit.file);
        texts->fileName = fromLocalPath(entry.hit.file.filename());
        if (entry.readable()) {
            texts->formula = texts->tip = fromUtf8(entry.hit.formulaName);
        } else {
            texts->formula = QStringLiteral("Not read: ") + fromUtf8(tintora::formulaFileReason(entry.state));
            texts->tip = fromUtf8(tintora::formulaFileProblem(entry.state, entry.hit.file.filename().native()));
        }
        lastFile_ = std::move(texts);
    }
    return {lastFile_, entry.hit.row, fromUtf8(entry.hit.code), entry.hit.weight, entry.hit.percentByWeight,
        entry.hit.weighed, entry.state};
}

void FindResultsModel::clear()
{
    beginResetModel();
    rows_.clear();
    uses_ = formulas_ = unreadable_ = 0;
    lastFileUsing_.clear();
    lastFile_.reset();
    lastFileTold_.clear();
    endResetModel();
}

void FindResultsModel::count(const FoundEntry& entry)
{
    if (!entry.readable()) {
        ++unreadable_;
        return;
    }
    ++uses_;
    // A search tells the uses file by file.
    if (entry.hit.file.native() != lastFileUsing_.native()) {
        ++formulas_;
        lastFileUsing_ = entry.hit.file;
    }
}

void FindResultsModel::append(const std::vector<FoundEntry>& entries)
{
    if (entries.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    for (const FoundEntry& entry : entries) {
        count(entry);
        rows_.push_back(shown(entry));
    }
    endInsertRows();
    if (sortColumn_ >= 0)
        mergeFrom(static_cast<std::size_t>(first));
}

int FindResultsModel::setCosts(const std::vector<tintora::CostChange>& formulas)
{
    std::map<QString, const tintora::CostChange*> byFile;
    for (const tintora::CostChange& change : formulas)
        if (change.problem.empty())
            byFile.emplace(fromLocalPath(change.file), &change);
    std::set<QString> listed;
    for (Shown& s : rows_) {
        const auto found = s.readable() ? byFile.find(s.file->path) : byFile.end();
        if (found == byFile.end())
            continue;
        listed.insert(s.file->path);
        s.costed = true;
        s.perGallonNow = found->second->perGallonNow;
        s.perGallonNew = found->second->perGallonNew;
    }
    if (!rows_.empty())
        emit dataChanged(index(0, PerGallonNowColumn), index(rowCount() - 1, ChangeColumn), {Qt::DisplayRole});
    if (isCostColumn(sortColumn_))
        sort(sortColumn_, sortOrder_);
    return static_cast<int>(byFile.size() - listed.size());
}

int FindResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Shown& s = at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(s, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::AlignVCenter | (isNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ToolTipRole:
        return index.column() == FileColumn ? s.file->path : s.file->tip;
    case Qt::ForegroundRole:
        if (!s.readable())
            return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    }
    return {};
}

QVariant FindResultsModel::display(const Shown& s, int column) const
{
    switch (column) {
    case FileColumn:
        return s.file->fileName;
    case FormulaColumn:
        return s.file->formula;
    }
    if (!s.readable())
        return {};
    switch (column) {
    case RowColumn:
        return s.row;
    case CodeColumn:
        return s.code;
    }
    if (isCostColumn(column))
        return costDisplay(s, column);
    if (!s.weighed)
        return {};  // empty, as in the grid
    switch (column) {
    case WeightColumn:
        // As the grid's cell shows it once the formula is opened, with a point whatever the locale.
        return QString::fromStdString(tintora::formatThreeDecimals(s.weight));
    case PercentColumn:
        return QString::fromStdString(tintora::formatThreeDecimals(s.percent));
    }
    return {};
}

// With a point whatever the locale, as the property boxes show a cost; a
// rise is signed, so that it does not read as a cost.
QVariant FindResultsModel::costDisplay(const Shown& s, int column)
{
    if (!s.costed)
        return {};
    switch (column) {
    case PerGallonNowColumn:
        return QString::fromStdString(tintora::formatThreeDecimals(s.perGallonNow));
    case PerGallonNewColumn:
        return QString::fromStdString(tintora::formatThreeDecimals(s.perGallonNew));
    }
    const std::string change = tintora::formatThreeDecimals(s.perGallonNew - s.perGallonNow);
    return QString::fromStdString(s.perGallonNew > s.perGallonNow && change != "0.000" ? "+" + change : change);
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(ColumnTitles[section]);
    // The first click on a title sorts from the smallest, whichever column it is.
    if (role == Qt::InitialSortOrderRole)
        return Qt::AscendingOrder;
    if (role == Qt::TextAlignmentRole && isNumberColumn(section))
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    return {};
}

// Whether a comes before b in the order sorted by. A file that could not be
// read has no formula, row or numbers: it goes after the uses, either way; so
// does a row without costs when sorted by a cost.
bool FindResultsModel::before(const Shown& a, const Shown& b) const
{
    if (sortColumn_ != FileColumn && a.readable() != b.readable())
        return a.readable();
    if (isCostColumn(sortColumn_) && a.costed != b.costed)
        return a.costed;
    const int order = compare(a, b);
    return sortOrder_ == Qt::AscendingOrder ? order < 0 : order > 0;
}

int FindResultsModel::compare(const Shown& a, const Shown& b) const
{
    switch (sortColumn_) {
    case FileColumn:
        return a.file == b.file ? 0 : compareTexts(a.file->fileName, b.file->fileName);
    case FormulaColumn:
        return a.file == b.file ? 0 : compareTexts(a.file->formula, b.file->formula);
    case RowColumn:
        return a.row - b.row;
    case CodeColumn:
        return compareTexts(a.code, b.code);
    case WeightColumn:
        return compareNumbers(a.weight, b.weight);
    case PercentColumn:
        return compareNumbers(a.percent, b.percent);
    case PerGallonNowColumn:
        return compareNumbers(a.perGallonNow, b.perGallonNow);
    case PerGallonNewColumn:
        return compareNumbers(a.perGallonNew, b.perGallonNew);
    case ChangeColumn:
        return compareNumbers(a.perGallonNew - a.perGallonNow, b.perGallonNew - b.perGallonNow);
    }
    return 0;
}

// A stable sort: rows that tie keep the order they had, which is the order
// found (file by file, row by row) until the user sorts by something else.
void FindResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    std::vector<std::size_t> sorted(rows_.size());
    std::iota(sorted.begin(), sorted.end(), std::size_t{0});
    std::stable_sort(
        sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) { return before(rows_[a], rows_[b]); });
    reorder(sorted);
}

// The rows before `first` are in order already: the new ones are sorted and
// merged in, so that each batch costs the length of the list, not a sort of it.
void FindResultsModel::mergeFrom(std::size_t first)
{
    std::vector<std::size_t> merged(rows_.size());
    std::iota(merged.begin(), merged.end(), std::size_t{0});
    const auto byOrder = [&](std::size_t a, std::size_t b) { return before(rows_[a], rows_[b]); };
    const auto tail = merged.begin() + static_cast<std::ptrdiff_t>(first);
    if (!std::is_sorted(tail, merged.end(), byOrder))
        std::stable_sort(tail, merged.end(), byOrder);
    // Sorted by file, the usual order, a batch belongs after the rows before it.
    const bool inOrder
        = std::is_sorted(tail, merged.end()) && (first == 0 || tail == merged.end() || !byOrder(*tail, first - 1));
    if (inOrder)
        return;
    std::inplace_merge(merged.begin(), tail, merged.end(), byOrder);
    reorder(merged);
}

// Puts row order[i] at i; the view's current row and selection move with their rows.
void FindResultsModel::reorder(const std::vector<std::size_t>& order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Shown> reordered;
    reordered.reserve(rows_.size());
    std::vector<int> newRowOf(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        reordered.push_back(std::move(rows_[order[i]]));
        newRowOf[order[i]] = static_cast<int>(i);
    }
    rows_ = std::move(reordered);
    const QModelIndexList kept = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(kept.size());
    for (const QModelIndex& index : kept)
        moved << this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(kept, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
