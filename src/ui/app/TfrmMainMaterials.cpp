// The main window's material editor command.
#include "app/TfrmMain.h"

#include "app/ButtonBar.h"

#include "materials/MaterialBrowsing.h"
#include "materials/TfrmMaterial.h"
#include "widgets/TExplorerButton.h"
#include "widgets/LocalPath.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListView>
#include <QStatusBar>

namespace {

// The hourglass while the formula is read again; restored however that ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void TfrmMain::connectMaterialEditorCommands()
{
    // Created once and reused, so it keeps its boxes between openings.
    frmMaterial_ = new TfrmMaterial(this);
    connect(menus_.Materials1, &QAction::triggered, this, &TfrmMain::Materials1Click);
    connect(buttonBar_->buttons().MaterialsButton, &TExplorerButton::OnClick, this, &TfrmMain::Materials1Click);
}

void TfrmMain::Materials1Click()
{
    hideCalcPanel();
    fileList_->hide();
    statusBar()->clearMessage();

    frmMaterial_->exec();

    const WaitCursor busy;
    if (tintora::reloadsAfterMaterialEditor(menus_.AutoReload1->isChecked(), localPath(FormulaPath_)))
        runFormulaLoad();
    refreshMaterialList();
}
