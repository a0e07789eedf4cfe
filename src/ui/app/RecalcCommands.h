#pragma once
// The target recalculations and scales of the main window: the Recalc menu's
// entries, their buttons and the double clicks on the property boxes, each
// asking the keypad dialog for the new value. It changes the sheet and says
// so, naming the step when one was taken.
#include "core/calc/KeypadDialog.h"
#include "core/calc/PanelCalculate.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class FormulaDocument;
class PropertiesPanel;
class TfrmOptimise;

namespace tintora {
enum class RecalcQuantity;
enum class ScaleKind;
enum class BasisProperty;
}  // namespace tintora

class RecalcCommands : public QObject {
    Q_OBJECT
public:
    // keypad: the dialog that asks for the value; the real TfrmCalc, a child of
    // parent, when null.
    RecalcCommands(
        tintora::FormulaSheet& sheet, tintora::Prompter& prompter, tintora::KeypadDialog* keypad, QWidget& parent);

    // Recalc > Optimise...: the document keeps the last settings; run shows
    // the dialog and says whether Apply closed it (exec when empty).
    struct OptimiseParts {
        FormulaDocument& document;
        std::function<bool(TfrmOptimise& dialog)> run;
        std::function<void(const QString& anchor)> openHelp;
    };
    void setOptimiseParts(OptimiseParts parts);

    // The calculator state shared by both keypads, the panel and the dialog.
    tintora::CalculatorState& calculator() { return calculator_; }
    tintora::KeypadDialog* keypadDialog() const { return keypad_; }

    // Any target: the entries below, and a double click on a property box.
    void recalculate(tintora::RecalcQuantity quantity);
    // A double click on any property box starts the target of its quantity;
    // the keys after it go to focusAfter.
    void startOnDoubleClicks(const PropertiesPanel& panel, QWidget& focusAfter);

    void Weight1Click();
    void Volume1Click();
    void CostWtClick();
    void CostVolClick();
    void BinderWtClick();
    void BinderVolClick();
    void PigmentWtClick();
    void PigmentVolClick();
    void SolidsWtClick();
    void SolidsVolClick();
    void VolatileWtClick();
    void VolatileVolClick();
    void Density1Click();
    void SPG1Click();
    void Voc1Click();
    void PBRatio1Click();
    // The buttons follow the percent basis.
    void CostButtonClick();
    void BinderButtonClick();
    void PigmentButtonClick();
    void SolidsButtonClick();
    void VolatileButtonClick();
    // Recalc > Scale; the Percent Recalc button is Percent1 too.
    void Weight2Click();
    void Volume2Click();
    void Percent1Click();
    void Optimise1Click();

signals:
    // The sheet may have changed; step names the change for Undo when the
    // target was reached, and is empty when nothing was taken.
    void sheetChanged(const QString& step);

private:
    void onBasis(tintora::BasisProperty property);
    void scale(tintora::ScaleKind kind);

    tintora::FormulaSheet& sheet_;
    tintora::Prompter& prompter_;
    tintora::CalculatorState calculator_;
    tintora::KeypadDialog* keypad_;
    std::optional<OptimiseParts> optimise_;
};
