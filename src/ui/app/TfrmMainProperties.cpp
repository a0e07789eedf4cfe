// The main window's formula properties command.
#include "app/TfrmMain.h"

#include "app/ButtonBar.h"

#include "formulas/TfrmProper.h"
#include "widgets/TExplorerButton.h"

#include <QAction>

void TfrmMain::connectPropertiesCommands()
{
    frmProper_ = new TfrmProper(services_.prompter, this);
    connect(menus_.Properties1, &QAction::triggered, this, &TfrmMain::Properties1Click);
    connect(buttonBar_->buttons().btnProperties, &TExplorerButton::OnClick, this, &TfrmMain::Properties1Click);
}

void TfrmMain::Properties1Click()
{
    if (FormulaPath_.isEmpty()) {
        services_.prompter->inform("Please save formula first.");
        return;
    }
    // Whether the file is there is not asked: a missing file shows every default.
    frmProper_->Execute(FormulaPath_, FormulaProtected_);
}
