// The main window's target recalculation and keypad commands.
#include "app/TfrmMain.h"

#include "app/ButtonBar.h"

#include "app/PropertiesPanel.h"
#include "calc/CalcPanel.h"
#include "calc/KeypadService.h"
#include "calc/PanelCalculate.h"
#include "calc/Recalculation.h"
#include "calc/TfrmCalc.h"
#include "widgets/TExplorerButton.h"
#include "widgets/TFnpNumericEdit.h"
#include "widgets/TSuperGrid.h"

#include <QAction>

class TfrmMain::RecalcParts : public QObject {
public:
    explicit RecalcParts(TfrmMain& window)
        : QObject(&window)
        , window_(window)
    {
    }

    void run(tintora::RecalcQuantity quantity)
    {
        tintora::Recalculate(quantity, window_.sheet_, calculator, *window_.services_.prompter, *keypad);
        window_.showSheet();
    }

    tintora::CalculatorState calculator;
    KeypadService* keypad = nullptr;
    CalcPanel* panel = nullptr;

private:
    TfrmMain& window_;
};

void TfrmMain::connectRecalcCommands()
{
    recalc_ = new RecalcParts(*this);
    recalc_->keypad = services_.keypad ? services_.keypad : new TfrmCalc(this);
    recalc_->panel = new CalcPanel(sheet_, recalc_->calculator, *services_.prompter, this);
    connect(recalc_->panel, &CalcPanel::cellsChanged, this, &TfrmMain::showSheet);
    connect(recalc_->panel, &CalcPanel::accepted, this, [this] {
        showSheet();
        grid_->setFocus();
    });

    const auto on = [this](QAction* action, void (TfrmMain::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(menus_.Weight1, &TfrmMain::Weight1Click);
    on(menus_.Volume1, &TfrmMain::Volume1Click);
    on(menus_.CostWt, &TfrmMain::CostWtClick);
    on(menus_.CostVol, &TfrmMain::CostVolClick);
    connect(buttonBar_->buttons().WeightButton, &TExplorerButton::OnClick, this, &TfrmMain::Weight1Click);
    connect(buttonBar_->buttons().VolumeButton, &TExplorerButton::OnClick, this, &TfrmMain::Volume1Click);
    connect(buttonBar_->buttons().CostButton, &TExplorerButton::OnClick, this, &TfrmMain::CostButtonClick);

    using B = tintora::PropertyBox;
    const auto onDoubleClick = [this](B box, void (TfrmMain::*handler)()) {
        connect(properties_->box(box), &TFnpNumericEdit::OnDblClick, this, handler);
    };
    onDoubleClick(B::WeightBox, &TfrmMain::Weight1Click);
    onDoubleClick(B::VolumeBox, &TfrmMain::Volume1Click);
    onDoubleClick(B::CostWtBox, &TfrmMain::CostWtClick);
    onDoubleClick(B::CostVolBox, &TfrmMain::CostVolClick);
}

void TfrmMain::Weight1Click()
{
    recalc_->run(tintora::RecalcQuantity::Weight);
}

void TfrmMain::Volume1Click()
{
    recalc_->run(tintora::RecalcQuantity::Volume);
}

void TfrmMain::CostWtClick()
{
    recalc_->run(tintora::RecalcQuantity::CostByWeight);
}

void TfrmMain::CostVolClick()
{
    recalc_->run(tintora::RecalcQuantity::CostByVolume);
}

void TfrmMain::CostButtonClick()
{
    recalc_->run(tintora::costQuantityFor(sheet_.percentBasis));
}

CalcPanel* TfrmMain::calcPanel() const
{
    return recalc_->panel;
}

KeypadService* TfrmMain::keypadDialog() const
{
    return recalc_->keypad;
}
