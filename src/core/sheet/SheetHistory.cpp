#include "core/sheet/SheetHistory.h"

#include "core/calc/Calculate.h"

namespace tintora {

namespace {

const std::string noCaption;

std::string menuText(const char* verb, const std::string& caption)
{
    return caption.empty() ? std::string(verb) : std::string(verb) + " " + caption;
}

}  // namespace

SheetHistory::SheetHistory(const FormulaSheet& start, std::size_t stepLimit)
    : stepLimit_(stepLimit == 0 ? 1 : stepLimit)
{
    clear(start);
}

void SheetHistory::clear(const FormulaSheet& current)
{
    states_.clear();
    states_.push_back({{}, current});
    position_ = 0;
}

void SheetHistory::push(std::string_view caption, const FormulaSheet& after)
{
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, states_.end());
    states_.push_back({std::string(caption), after});
    if (states_.size() > stepLimit_ + 1)
        states_.pop_front();
    position_ = states_.size() - 1;
}

const std::string& SheetHistory::undoCaption() const
{
    return canUndo() ? states_[position_].caption : noCaption;
}

const std::string& SheetHistory::redoCaption() const
{
    return canRedo() ? states_[position_ + 1].caption : noCaption;
}

bool SheetHistory::undo(FormulaSheet& sheet)
{
    if (!canUndo())
        return false;
    --position_;
    restore(sheet);
    return true;
}

bool SheetHistory::redo(FormulaSheet& sheet)
{
    if (!canRedo())
        return false;
    ++position_;
    restore(sheet);
    return true;
}

void SheetHistory::restore(FormulaSheet& sheet) const
{
    const PercentBasis basis = sheet.percentBasis;
    sheet = states_[position_].sheet;
    if (sheet.percentBasis != basis)
        FlipPercents(sheet);
    // A restored sheet differs from the one shown: it is a change.
    sheet.SheetModified = true;
    sheet.CellTypingStarted = false;
}

bool sameFormula(const FormulaSheet& a, const FormulaSheet& b)
{
    if (a.name() != b.name() || a.compliance != b.compliance)
        return false;
    for (int box = 0; box < PropertyBoxCount; ++box)
        if (a.box(static_cast<PropertyBox>(box)) != b.box(static_cast<PropertyBox>(box)))
            return false;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const SheetRow& x = a.row(n);
        const SheetRow& y = b.row(n);
        if (x.marked != y.marked || x.RowKind != y.RowKind || !(x.props == y.props))
            return false;
        // The percent column follows the basis it is shown on.
        for (const Column column : {Column::Material, Column::Description, Column::Weight, Column::Volume})
            if (a.cell(column, n) != b.cell(column, n))
                return false;
    }
    return true;
}

std::string undoMenuText(const SheetHistory& history)
{
    return menuText("Undo", history.undoCaption());
}

std::string redoMenuText(const SheetHistory& history)
{
    return menuText("Redo", history.redoCaption());
}

}  // namespace tintora
