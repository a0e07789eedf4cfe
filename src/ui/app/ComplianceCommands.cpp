#include "ui/app/ComplianceCommands.h"

#include "core/compliance/VocLimits.h"
#include "ui/app/FormulaDocument.h"
#include "ui/app/GridEditor.h"
#include "ui/formulas/TfrmCompliance.h"
#include "ui/widgets/LocalPath.h"

ComplianceCommands::ComplianceCommands(Parts parts)
    : QObject(&parts.window)
    , parts_(std::move(parts))
{
}

void ComplianceCommands::Compliance1Click()
{
    if (!frmCompliance_) {
        frmCompliance_ = new TfrmCompliance(parts_.sheet, parts_.openHelp, &parts_.window);
        connect(frmCompliance_, &TfrmCompliance::choiceMade, this, &ComplianceCommands::take);
        frmCompliance_->placeBeside(parts_.window);
    }
    frmCompliance_->setLimits(
        tintora::readVocLimits(localPath(parts_.document.FormulaFolder()) / tintora::VocLimitsFileName));
    frmCompliance_->show();
    frmCompliance_->raise();
    frmCompliance_->activateWindow();
}

void ComplianceCommands::sheetShown()
{
    if (frmCompliance_ && frmCompliance_->isVisible())
        frmCompliance_->refresh();
}

// A number half typed into the grid is a step of its own first, so that Undo
// Compliance takes back the choice alone.
void ComplianceCommands::take(const tintora::ComplianceChoice& choice)
{
    if (choice == parts_.sheet.compliance)
        return;
    parts_.gridEditor.takeInTyping();
    parts_.sheet.compliance = choice;
    emit sheetChanged(QStringLiteral("Compliance"));
}
