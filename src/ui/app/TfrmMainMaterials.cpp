// The main window's material editor command.
#include "app/TfrmMain.h"

#include "app/Artwork.h"
#include "app/ButtonBar.h"

#include "materials/MaterialBrowsing.h"
#include "materials/TfrmMaterial.h"
#include "widgets/TExplorerButton.h"
#include "widgets/TSuperGrid.h"
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
    frmMaterial_ = new TfrmMaterial(this, {Artwork::menuIcon(1), Artwork::menuIcon(3), Artwork::menuIcon(5)});
    connect(menus_.Materials1, &QAction::triggered, this, &TfrmMain::Materials1Click);
    connect(buttonBar_->buttons().MaterialsButton, &TExplorerButton::OnClick, this, &TfrmMain::Materials1Click);
}

void TfrmMain::Materials1Click()
{
    hideCalcPanel();
    fileList_->hide();
    statusBar()->clearMessage();

    const int row = grid_->Row();
    const bool onFormulaRow = row >= 1 && row <= tintora::SheetRowCount;
    frmMaterial_->Execute(MaterialFolder_, onFormulaRow ? sheet_.cell(tintora::Column::Material, row) : std::string());

    const WaitCursor busy;
    if (tintora::reloadsAfterMaterialEditor(menus_.AutoReload1->isChecked(), localPath(FormulaPath_)))
        runFormulaLoad();
    refreshMaterialList();
}
