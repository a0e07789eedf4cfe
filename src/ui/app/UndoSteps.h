#pragma once
// The window's record of undo steps: each change a command or an entry made
// to the sheet goes into the SheetHistory under its name, the keys of a name
// being typed make one step, and Edit > Undo and Redo show what they would
// take back or take again.
#include "core/sheet/SheetHistory.h"

#include <QString>

class QAction;

class UndoSteps {
public:
    // The step a typed name makes; the keys after the first join it.
    static constexpr const char* NameStep = "Name";

    UndoSteps(tintora::FormulaSheet& sheet, QAction& undo, QAction& redo);

    // Records the sheet as it is now as the step named, when it differs from
    // the history's current state.
    void record(const QString& step);
    // A new history from the sheet as it is (opened, new, reloaded).
    void start();
    // Put the sheet a step back or forward; whether it changed.
    bool undo();
    bool redo();

    const tintora::SheetHistory& history() const { return history_; }

private:
    void show();

    tintora::FormulaSheet& sheet_;
    QAction& undo_;
    QAction& redo_;
    tintora::SheetHistory history_;
    bool nameStepOpen_ = false;  // the last step is the name being typed: more keys join it
};
