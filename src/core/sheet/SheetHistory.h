#pragma once
// Undo and redo: each step the user takes keeps a copy of the whole sheet
// after it (rows with their cells, marks, kinds and material properties, the
// name, the sixteen figures), so that undoing and redoing restore exactly.
// The sheet is small; a step costs one copy of it.
#include "core/sheet/FormulaSheet.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace tintora {

class SheetHistory {
public:
    static constexpr std::size_t DefaultStepLimit = 1000;

    // Starts with the given sheet as the state nothing can be undone from.
    explicit SheetHistory(const FormulaSheet& start = FormulaSheet(), std::size_t stepLimit = DefaultStepLimit);

    // A new history (New, Open, Reopen, Reload, Auto Reload): nothing to undo
    // or redo, the sheet as it is now the start.
    void clear(const FormulaSheet& current);

    // Records a step the user just took ("Solids by Volume", "Paste Row"),
    // with the sheet as it is after it. Whatever could be redone is gone; the
    // oldest step goes when more than the limit are kept.
    void push(std::string_view caption, const FormulaSheet& after);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < states_.size(); }
    // The caption of the step Undo (resp. Redo) would take back (resp. take
    // again); empty when there is none.
    const std::string& undoCaption() const;
    const std::string& redoCaption() const;

    // Puts the sheet back as it was before the last step (resp. after the
    // step undone last). False, and the sheet untouched, when there is none.
    // The percent basis is how the user looks at the sheet, not a step: it
    // stays as it is, and the percent column follows it.
    bool undo(FormulaSheet& sheet);
    bool redo(FormulaSheet& sheet);

    // The sheet as the last step (or the start) left it.
    const FormulaSheet& current() const { return states_[position_].sheet; }

    std::size_t undoSteps() const { return position_; }
    std::size_t redoSteps() const { return states_.size() - 1 - position_; }

private:
    struct State {
        std::string caption;  // of the step that led here; empty for the start
        FormulaSheet sheet;
    };
    void restore(FormulaSheet& sheet) const;

    std::deque<State> states_;
    std::size_t position_ = 0;  // index of the state the sheet is in
    std::size_t stepLimit_;
};

// The two sheets hold the same formula: rows with their cells, marks, kinds
// and material properties, the name and the figures. How the percents are
// shown (by weight or by volume) is no part of it, nor is the typing state.
bool sameFormula(const FormulaSheet& a, const FormulaSheet& b);

// "Undo Solids by Volume", or "Undo" alone when there is nothing to undo; the
// same with "Redo".
std::string undoMenuText(const SheetHistory& history);
std::string redoMenuText(const SheetHistory& history);

}  // namespace tintora
