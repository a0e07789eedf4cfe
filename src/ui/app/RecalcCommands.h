#pragma once
// The target recalculations of the main window: the Recalc menu's entries,
// their buttons and the double clicks on the property boxes, each asking the
// keypad dialog for the new total. It changes the sheet and says so.
#include "core/calc/KeypadDialog.h"
#include "core/calc/PanelCalculate.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <QObject>

namespace tintora {
enum class RecalcQuantity;
}

class RecalcCommands : public QObject {
    Q_OBJECT
public:
    // keypad: the dialog that asks for the value; the real TfrmCalc, a child of
    // parent, when null.
    RecalcCommands(
        tintora::FormulaSheet& sheet, tintora::Prompter& prompter, tintora::KeypadDialog* keypad, QWidget& parent);

    // The calculator state shared by both keypads, the panel and the dialog.
    tintora::CalculatorState& calculator() { return calculator_; }
    tintora::KeypadDialog* keypadDialog() const { return keypad_; }

    void Weight1Click();
    void Volume1Click();
    void CostWtClick();
    void CostVolClick();
    void CostButtonClick();

signals:
    void sheetChanged();

private:
    void run(tintora::RecalcQuantity quantity);

    tintora::FormulaSheet& sheet_;
    tintora::Prompter& prompter_;
    tintora::CalculatorState calculator_;
    tintora::KeypadDialog* keypad_;
};
