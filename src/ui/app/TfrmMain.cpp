#include "ui/app/TfrmMain.h"

#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/materials/MaterialBrowsing.h"
#include "ui/app/Artwork.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/GridEditor.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/MainWindowParts.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/RecalcCommands.h"
#include "ui/app/SheetModel.h"
#include "ui/app/TfrmAbout.h"
#include "ui/formulas/TfrmProper.h"
#include "ui/materials/TfrmMaterial.h"
#include "ui/print/LabPrintCommands.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TMRUFileList.h"
#include "ui/widgets/TSuperGrid.h"
#include "ui/widgets/TTipDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int StartHeight = 486;

}  // namespace

TfrmMain::TfrmMain(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(std::move(services))
{
    setObjectName(QStringLiteral("frmMain"));
    // A system menu and a minimise box, no maximise box: the width is fixed and
    // the height moves in whole rows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setProperty("HelpContext", 10);
    createLayout();
    createParts();
    connectCommands();
    FormCreate();
    new ContextHelp([this](const QString& anchor) { openHelp(anchor); }, this);

    // Centred on the screen. Placed before it is first shown, the position is
    // that of its frame, whose size is not yet known: the client area stands in.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(centredPosition(size(), screen->availableGeometry()));
}

TfrmMain::~TfrmMain() = default;

// --- layout and parts -------------------------------------------------------

void TfrmMain::createLayout()
{
    menus_ = createMainMenus(*this);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buttonBar_ = new ButtonBar(central);
    column->addWidget(buttonBar_);
    column->addWidget(sunkenLine(central));
    properties_ = new PropertiesPanel(central);
    column->addWidget(properties_);
    grid_ = createFormulaGrid(central);
    model_ = new SheetModel(sheet_, this);
    grid_->setModel(model_);
    column->addWidget(grid_, 1);
    setCentralWidget(central);
    configureStatusBar(*statusBar());

    help_ = new HelpWindow(services_.helpFile, this);
    help_->setWindowFlag(Qt::Window, true);
    configureMRUList();
    tipDialog_ = createTipDialog(this, services_.splash);
}

void TfrmMain::configureMRUList()
{
    mruList_ = createRecentFilesList(this, menus_.File1, menus_.N1);
    connect(mruList_, &TMRUFileList::OnMRUItemClick, this,
        [this](TMRUFileList*, const QString& fileName) { MRUListClick(fileName); });
}

void TfrmMain::createParts()
{
    recalc_ = new RecalcCommands(sheet_, *services_.prompter, services_.keypad, *this);
    gridEditor_
        = new GridEditor({*this, *grid_, sheet_, *services_.prompter, recalc_->calculator(), *menus_.PopupMenu});
    document_ = new FormulaDocument(
        {*this, sheet_, *services_.prompter, *mruList_, services_.chooseFormulaFile, services_.chooseSaveFile});
    connect(document_, &FormulaDocument::sheetLoaded, this, &TfrmMain::showLoadedSheet);
    printing_ = new LabPrintCommands(
        sheet_, [this] { return FormulaPath(); }, *services_.prompter, services_.printing, *this);
}

// The two dialogs are made when first wanted: nothing of them shows before,
// and making them at start-up cost a fifth of it.
TfrmMaterial* TfrmMain::frmMaterial()
{
    if (!frmMaterial_)
        frmMaterial_ = new TfrmMaterial(
            this, {Artwork::menuIcon(1), Artwork::menuIcon(3), Artwork::menuIcon(5)}, *services_.prompter);
    return frmMaterial_;
}

TfrmProper* TfrmMain::frmProper()
{
    if (!frmProper_)
        frmProper_ = new TfrmProper(services_.prompter, this);
    return frmProper_;
}

void TfrmMain::connectCommands()
{
    connectDocumentCommands();
    connectGridCommands();
    connectRecalcCommands();
    onTriggered(menus_.Expand1, this, &TfrmMain::Expand1Click);
    onTriggered(menus_.Contents1, this, &TfrmMain::Contents1Click);
    onTriggered(menus_.FirstTimeUser1, this, &TfrmMain::FirstTimeUser1Click);
    onTriggered(menus_.About1, this, &TfrmMain::About1Click);
    onTriggered(menus_.Tips, this, &TfrmMain::TipsClick);
    onTriggered(menus_.LabPrint1, printing_, &LabPrintCommands::LabPrint1Click);
    onClick(buttons().PrintButton, printing_, &LabPrintCommands::PrintButtonClick);
    connect(menus_.Exit1, &QAction::triggered, this, &QWidget::close);
}

void TfrmMain::connectDocumentCommands()
{
    const ButtonBarButtons& b = buttons();
    onTriggered(menus_.New1, this, &TfrmMain::New1Click);
    onTriggered(menus_.Open1, this, &TfrmMain::Open1Click);
    onTriggered(menus_.Save1, document_, &FormulaDocument::Save1Click);
    onTriggered(menus_.SaveAs1, document_, &FormulaDocument::SaveAs1Click);
    onTriggered(menus_.Reload1, this, &TfrmMain::Reload1Click);
    onTriggered(menus_.FlipPercents1, this, &TfrmMain::FlipPercents1Click);
    onTriggered(menus_.Materials1, this, &TfrmMain::Materials1Click);
    onTriggered(menus_.Properties1, this, &TfrmMain::Properties1Click);
    onClick(b.NewButton, this, &TfrmMain::New1Click);
    onClick(b.OpenButton, this, &TfrmMain::Open1Click);
    onClick(b.SaveButton, document_, &FormulaDocument::Save1Click);
    onClick(b.WtVolButton, this, &TfrmMain::FlipPercents1Click);
    onClick(b.MaterialsButton, this, &TfrmMain::Materials1Click);
    onClick(b.btnProperties, this, &TfrmMain::Properties1Click);
    connect(properties_->NameBox(), &QLineEdit::textChanged, this, &TfrmMain::NameBoxChange);
}

void TfrmMain::connectGridCommands()
{
    GridEditor* g = gridEditor_;
    const ButtonBarButtons& b = buttons();
    connect(g, &GridEditor::sheetChanged, this, &TfrmMain::showSheet);
    const std::pair<QAction*, void (GridEditor::*)()> entries[] = {
        {menus_.RMInsert1, &GridEditor::RMInsert1Click},
        {menus_.RMDelete1, &GridEditor::RMDelete1Click},
        {menus_.MarkAll1, &GridEditor::MarkAll1Click},
        {menus_.UnmarkAll1, &GridEditor::UnmarkAll1Click},
        {menus_.FlipMarked1, &GridEditor::FlipMarked1Click},
        {menus_.mCut, &GridEditor::mCutClick},
        {menus_.PopupCut, &GridEditor::mCutClick},
        {menus_.mCopy, &GridEditor::mCopyClick},
        {menus_.PopupCopy, &GridEditor::mCopyClick},
        {menus_.mPaste, &GridEditor::mPasteClick},
        {menus_.PopupPaste, &GridEditor::mPasteClick},
        {menus_.Add2, &GridEditor::Add1Click},
        {menus_.PopupAdd, &GridEditor::Add1Click},
    };
    for (const auto& [action, handler] : entries)
        onTriggered(action, g, handler);
    onClick(b.InsertButton, g, &GridEditor::RMInsert1Click);
    onClick(b.DeleteButton, g, &GridEditor::RMDelete1Click);
    onClick(b.MarkButton, g, &GridEditor::MarkAll1Click);
    onClick(b.UnMarkButton, g, &GridEditor::UnmarkAll1Click);
}

void TfrmMain::connectRecalcCommands()
{
    RecalcCommands* r = recalc_;
    const ButtonBarButtons& b = buttons();
    connect(r, &RecalcCommands::sheetChanged, this, &TfrmMain::showSheet);
    onTriggered(menus_.Weight1, r, &RecalcCommands::Weight1Click);
    onTriggered(menus_.Volume1, r, &RecalcCommands::Volume1Click);
    onTriggered(menus_.CostWt, r, &RecalcCommands::CostWtClick);
    onTriggered(menus_.CostVol, r, &RecalcCommands::CostVolClick);
    onClick(b.WeightButton, r, &RecalcCommands::Weight1Click);
    onClick(b.VolumeButton, r, &RecalcCommands::Volume1Click);
    onClick(b.CostButton, r, &RecalcCommands::CostButtonClick);
    using B = tintora::PropertyBox;
    const auto onDoubleClick = [this, r](B box, void (RecalcCommands::*handler)()) {
        connect(properties_->box(box), &TFnpNumericEdit::OnDblClick, r, handler);
    };
    onDoubleClick(B::WeightBox, &RecalcCommands::Weight1Click);
    onDoubleClick(B::VolumeBox, &RecalcCommands::Volume1Click);
    onDoubleClick(B::CostWtBox, &RecalcCommands::CostWtClick);
    onDoubleClick(B::CostVolBox, &RecalcCommands::CostVolClick);
}

const ButtonBarButtons& TfrmMain::buttons() const
{
    return buttonBar_->buttons();
}

tintora::KeypadDialog* TfrmMain::keypadDialog() const
{
    return recalc_->keypadDialog();
}

// --- start-up ---------------------------------------------------------------

void TfrmMain::progress(int percent)
{
    if (services_.splash)
        services_.splash->setProgress(percent);
}

void TfrmMain::FormCreate()
{
    progress(25);
    menus_.About1->setText(QStringLiteral("&About %1...").arg(QString::fromLatin1(tintora::ProductShortName)));
    sizeRules_ = WindowSizeRules::from(platformMetrics());
    LoadIni();
    FoldersLoad();
    // The help folder is registered with no system help viewer here.
    progress(50);
    document_->runFormulaLoad();
    progress(75);
    document_->TitleText();
    grid_->setCurrentCell(1, 1);
    gridEditor_->AlignButtons();
    sheet_.SheetModified = false;
    progress(100);
}

PlatformMetrics TfrmMain::platformMetrics() const
{
    PlatformMetrics m;
    m.verticalScrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m.menuBarHeight = menuBar()->sizeHint().height();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m.screenHeight = screen->geometry().height();
    return m;
}

void TfrmMain::LoadIni()
{
    menus_.AutoReload1->setChecked(true);
    tipDialog_->setOnAtStart(true);
    setFixedWidth(sizeRules_.MinFormWidth);
    setMinimumHeight(sizeRules_.MinFormHeight);
    setMaximumHeight(sizeRules_.maxHeight());
    // Window managers that honour size increments keep the height in whole rows while dragging.
    setSizeIncrement(0, WindowSizeRules::GridRowStep);
    setBaseSize(sizeRules_.MinFormWidth, sizeRules_.MinFormHeight);
    resize(sizeRules_.MinFormWidth, StartHeight);
}

void TfrmMain::FoldersLoad()
{
    document_->setFolders(services_.formulaFolder, services_.formulaFolder);
    gridEditor_->setMaterialFolder(services_.formulaFolder);
}

void TfrmMain::FormActivate()
{
    if (activated_)
        return;
    activated_ = true;
    tipDialog_->Execute();
    gridEditor_->focusFirstMaterialCell();
}

// --- the formula document -----------------------------------------------------

void TfrmMain::showSheet()
{
    const bool byVolume = sheet_.percentBasis == tintora::PercentBasis::Volume;
    grid_->Columns().setTitle(tintora::ColumnCount - 1, {QString::fromLatin1(sheet_.percentTitle())});
    model_->refresh();
    properties_->showSheet(sheet_);
    menus_.FlipPercents1->setChecked(byVolume);
    buttons().WtVolButton->setDown(byVolume);
}

void TfrmMain::showLoadedSheet()
{
    showSheet();
    grid_->setTopRow(1);
    grid_->setCurrentCell(1, 1);
}

void TfrmMain::New1Click()
{
    if (!document_->New())
        return;
    showSheet();
    gridEditor_->focusFirstMaterialCell();
}

void TfrmMain::Open1Click()
{
    if (document_->Open())
        gridEditor_->focusFirstMaterialCell();
}

void TfrmMain::openFormula(const QString& path)
{
    if (document_->OpenFile(path))
        gridEditor_->focusFirstMaterialCell();
}

void TfrmMain::MRUListClick(const QString& fileName)
{
    if (document_->Reopen(fileName))
        gridEditor_->focusFirstMaterialCell();
}

void TfrmMain::Reload1Click()
{
    if (document_->Reload())
        gridEditor_->focusFirstMaterialCell();
}

void TfrmMain::NameBoxChange()
{
    sheet_.setName(properties_->NameBox()->text().toStdString());
}

void TfrmMain::FlipPercents1Click()
{
    tintora::FlipPercents(sheet_);
    showSheet();
}

void TfrmMain::Materials1Click()
{
    gridEditor_->closeFloatingControls();
    const int row = grid_->Row();
    const bool onFormulaRow = row >= 1 && row <= tintora::SheetRowCount;
    frmMaterial()->Execute(
        MaterialFolder(), onFormulaRow ? sheet_.cell(tintora::Column::Material, row) : std::string());
    if (tintora::reloadsAfterMaterialEditor(menus_.AutoReload1->isChecked(), localPath(FormulaPath()))
        && document_->AskSave()) {
        const WaitCursor busy;
        document_->runFormulaLoad();
    }
    gridEditor_->refreshMaterialList();
}

void TfrmMain::Properties1Click()
{
    if (FormulaPath().isEmpty()) {
        services_.prompter->inform("Please save formula first.");
        return;
    }
    // Whether the file is there is not asked: a missing file shows every default.
    if (frmProper()->Execute(FormulaPath(), FormulaProtected()) == QDialog::Accepted) {
        document_->setFormulaProtected(frmProper()->savedProtection());
        document_->fileRewritten(frmProper()->stampBeforeSave(), frmProper()->stampAfterSave());
    }
}

void TfrmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Asked after the activation is done, not inside it, and not while a
    // command waits for an answer in a box of its own.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] {
            if (!QApplication::activeModalWidget())
                document_->offerReloadWhenChangedOnDisk();
        });
}

// --- the window shell ---------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (gridEditor_)
        gridEditor_->hideCellEditors();
    grid_->setTopRow(1);
    const int snapped = sizeRules_.snappedHeight(height());
    if (snapped != height())
        resize(width(), snapped);
    menus_.Expand1->setChecked(sizeRules_.expandedAt(height()));
}

void TfrmMain::paintEvent(QPaintEvent* event)
{
    grid_->setLeftCol(TSuperGrid::FixedCols);
    QMainWindow::paintEvent(event);
}

void TfrmMain::Expand1Click()
{
    const bool expanded = sizeRules_.expandedAt(height());
    resize(width(), expanded ? sizeRules_.MinFormHeight : sizeRules_.maxHeight());
    // The check mark follows the height, also when the window could not change it.
    menus_.Expand1->setChecked(sizeRules_.expandedAt(height()));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (document_->AskSave())
        event->accept();
    else
        event->ignore();
}

void TfrmMain::openHelp(const QString& anchor)
{
    if (!help_->showTopic(anchor))
        services_.prompter->error(
            QStringLiteral("The help file %1 cannot be read.").arg(help_->helpFile()).toStdString());
}

void TfrmMain::Contents1Click()
{
    openHelp(QStringLiteral("contents"));
}

void TfrmMain::FirstTimeUser1Click()
{
    openHelp(QStringLiteral("1010"));
}

void TfrmMain::About1Click()
{
    services_.sounds->play("SystemStart");
    if (TfrmAbout* about = services_.about ? services_.about : services_.splash)
        about->showAbout(frameGeometry().topLeft());
}

void TfrmMain::TipsClick()
{
    const bool showAtStart = tipDialog_->OnAtStart();
    tipDialog_->setOnAtStart(true);
    tipDialog_->Execute();
    tipDialog_->setOnAtStart(showAtStart);
}
