#include "ui/app/RecalcCommands.h"

#include "core/calc/Calculate.h"
#include "core/calc/Recalculation.h"
#include "core/calc/Scale.h"
#include "ui/app/FormulaDocument.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/calc/TfrmCalc.h"
#include "ui/calc/TfrmOptimise.h"
#include "ui/widgets/TFnpNumericEdit.h"

using tintora::BasisProperty;
using tintora::RecalcOutcome;
using tintora::RecalcQuantity;
using tintora::ScaleKind;

namespace {

// Only a reached target is a step: a refusal, a cancel and an undone miss leave the sheet as it was.
QString stepOf(RecalcOutcome outcome, const char* caption)
{
    return outcome == RecalcOutcome::Reached ? QString::fromUtf8(caption) : QString();
}

}  // namespace

RecalcCommands::RecalcCommands(
    tintora::FormulaSheet& sheet, tintora::Prompter& prompter, tintora::KeypadDialog* keypad, QWidget& parent)
    : QObject(&parent)
    , sheet_(sheet)
    , prompter_(prompter)
    , keypad_(keypad ? keypad : new TfrmCalc(&parent))
{
}

void RecalcCommands::recalculate(RecalcQuantity quantity)
{
    const RecalcOutcome outcome = tintora::Recalculate(quantity, sheet_, calculator_, prompter_, *keypad_);
    emit sheetChanged(stepOf(outcome, tintora::recalcCaption(quantity)));
}

void RecalcCommands::startOnDoubleClicks(const PropertiesPanel& panel, QWidget& focusAfter)
{
    for (int b = 0; b < tintora::PropertyBoxCount; ++b) {
        const auto box = static_cast<tintora::PropertyBox>(b);
        connect(panel.box(box), &TFnpNumericEdit::OnDblClick, this, [this, box, &focusAfter] {
            recalculate(tintora::recalcQuantityOfBox(box));
            // The click gave the read-only box the focus; the next keys belong to the grid.
            focusAfter.setFocus();
        });
    }
}

void RecalcCommands::onBasis(BasisProperty property)
{
    recalculate(tintora::quantityFor(property, sheet_.percentBasis));
}

void RecalcCommands::scale(ScaleKind kind)
{
    const RecalcOutcome outcome = tintora::Scale(kind, sheet_, calculator_, prompter_, *keypad_);
    emit sheetChanged(stepOf(outcome, tintora::scaleCaption(kind)));
}

void RecalcCommands::Weight1Click()
{
    recalculate(RecalcQuantity::Weight);
}
void RecalcCommands::Volume1Click()
{
    recalculate(RecalcQuantity::Volume);
}
void RecalcCommands::CostWtClick()
{
    recalculate(RecalcQuantity::CostByWeight);
}
void RecalcCommands::CostVolClick()
{
    recalculate(RecalcQuantity::CostByVolume);
}
void RecalcCommands::BinderWtClick()
{
    recalculate(RecalcQuantity::BinderByWeight);
}
void RecalcCommands::BinderVolClick()
{
    recalculate(RecalcQuantity::BinderByVolume);
}
void RecalcCommands::PigmentWtClick()
{
    recalculate(RecalcQuantity::PigmentByWeight);
}
void RecalcCommands::PigmentVolClick()
{
    recalculate(RecalcQuantity::PigmentByVolume);
}
void RecalcCommands::SolidsWtClick()
{
    recalculate(RecalcQuantity::SolidsByWeight);
}
void RecalcCommands::SolidsVolClick()
{
    recalculate(RecalcQuantity::SolidsByVolume);
}
void RecalcCommands::VolatileWtClick()
{
    recalculate(RecalcQuantity::VolatileByWeight);
}
void RecalcCommands::VolatileVolClick()
{
    recalculate(RecalcQuantity::VolatileByVolume);
}
void RecalcCommands::Density1Click()
{
    recalculate(RecalcQuantity::Density);
}
void RecalcCommands::SPG1Click()
{
    recalculate(RecalcQuantity::SPG);
}
void RecalcCommands::Voc1Click()
{
    recalculate(RecalcQuantity::Voc);
}
void RecalcCommands::PBRatio1Click()
{
    recalculate(RecalcQuantity::PBRatio);
}

void RecalcCommands::CostButtonClick()
{
    onBasis(BasisProperty::Cost);
}
void RecalcCommands::BinderButtonClick()
{
    onBasis(BasisProperty::Binder);
}
void RecalcCommands::PigmentButtonClick()
{
    onBasis(BasisProperty::Pigment);
}
void RecalcCommands::SolidsButtonClick()
{
    onBasis(BasisProperty::Solids);
}
void RecalcCommands::VolatileButtonClick()
{
    onBasis(BasisProperty::Volatile);
}

void RecalcCommands::Weight2Click()
{
    scale(ScaleKind::Weight);
}
void RecalcCommands::Volume2Click()
{
    scale(ScaleKind::Volume);
}
void RecalcCommands::Percent1Click()
{
    scale(ScaleKind::Percent);
}

void RecalcCommands::setOptimiseParts(OptimiseParts parts)
{
    optimise_.emplace(std::move(parts));
}

// The dialog starts from the formula's last optimisation, else from its
// marks; the settings it ran with are kept for the next save. Apply takes
// the weights found as one step.
void RecalcCommands::Optimise1Click()
{
    if (!optimise_)
        return;
    const std::optional<tintora::OptimiseSettings>& last = optimise_->document.lastOptimisation();
    TfrmOptimise dialog(sheet_, last ? *last : tintora::defaultOptimiseSettings(sheet_), optimise_->openHelp,
        qobject_cast<QWidget*>(parent()));
    const bool applied = optimise_->run ? optimise_->run(dialog) : dialog.exec() == QDialog::Accepted;
    if (dialog.ranWith())
        optimise_->document.keepOptimisation(*dialog.ranWith());
    if (!applied || !dialog.found())
        return;
    for (int n = 1; n <= tintora::SheetRowCount; ++n)
        sheet_.setCell(tintora::Column::Weight, n, dialog.found()->formula.cell(tintora::Column::Weight, n));
    tintora::Calculate(sheet_);
    emit sheetChanged(QStringLiteral("Optimise"));
}
