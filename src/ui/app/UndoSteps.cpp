#include "ui/app/UndoSteps.h"

#include <QAction>

UndoSteps::UndoSteps(tintora::FormulaSheet& sheet, QAction& undo, QAction& redo)
    : sheet_(sheet)
    , undo_(undo)
    , redo_(redo)
{
}

void UndoSteps::record(const QString& step)
{
    if (tintora::sameFormula(sheet_, history_.current()))
        return;
    const bool nameStep = step == QLatin1String(NameStep);
    if (nameStep && nameStepOpen_) {
        // Typing a name is one step: the keys after the first replace it, and
        // the name typed back as it was leaves no step.
        tintora::FormulaSheet beforeName = sheet_;
        history_.undo(beforeName);
        nameStepOpen_ = !tintora::sameFormula(sheet_, beforeName);
        if (nameStepOpen_)
            history_.push(step.toStdString(), sheet_);
        show();
        return;
    }
    history_.push(step.toStdString(), sheet_);
    nameStepOpen_ = nameStep;
    show();
}

void UndoSteps::start()
{
    history_.clear(sheet_);
    nameStepOpen_ = false;
    show();
}

bool UndoSteps::undo()
{
    nameStepOpen_ = false;
    const bool changed = history_.undo(sheet_);
    show();
    return changed;
}

bool UndoSteps::redo()
{
    nameStepOpen_ = false;
    const bool changed = history_.redo(sheet_);
    show();
    return changed;
}

void UndoSteps::show()
{
    undo_.setText(QLatin1Char('&') + QString::fromStdString(tintora::undoMenuText(history_)));
    undo_.setEnabled(history_.canUndo());
    redo_.setText(QLatin1Char('&') + QString::fromStdString(tintora::redoMenuText(history_)));
    redo_.setEnabled(history_.canRedo());
}
