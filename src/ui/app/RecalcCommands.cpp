#include "ui/app/RecalcCommands.h"

#include "core/calc/Recalculation.h"
#include "ui/calc/TfrmCalc.h"

RecalcCommands::RecalcCommands(
    tintora::FormulaSheet& sheet, tintora::Prompter& prompter, tintora::KeypadDialog* keypad, QWidget& parent)
    : QObject(&parent)
    , sheet_(sheet)
    , prompter_(prompter)
    , keypad_(keypad ? keypad : new TfrmCalc(&parent))
{
}

void RecalcCommands::run(tintora::RecalcQuantity quantity)
{
    tintora::Recalculate(quantity, sheet_, calculator_, prompter_, *keypad_);
    emit sheetChanged();
}

void RecalcCommands::Weight1Click()
{
    run(tintora::RecalcQuantity::Weight);
}

void RecalcCommands::Volume1Click()
{
    run(tintora::RecalcQuantity::Volume);
}

void RecalcCommands::CostWtClick()
{
    run(tintora::RecalcQuantity::CostByWeight);
}

void RecalcCommands::CostVolClick()
{
    run(tintora::RecalcQuantity::CostByVolume);
}

void RecalcCommands::CostButtonClick()
{
    run(tintora::costQuantityFor(sheet_.percentBasis));
}
