#include "ui/app/TfrmMain.h"

#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/formulas/KeptFolders.h"
#include "ui/app/Artwork.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/ComplianceCommands.h"
#include "ui/app/FolderSettings.h"
#include "ui/app/GridEditor.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/LibraryCommands.h"
#include "ui/app/MainCommands.h"
#include "ui/app/MainWindowParts.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/RecalcCommands.h"
#include "ui/app/SheetModel.h"
#include "ui/app/TfrmAbout.h"
#include "ui/formulas/TfrmProper.h"
#include "ui/materials/TfrmMaterial.h"
#include "ui/print/LabPrintCommands.h"
#include "ui/print/PlantCommands.h"
#include "ui/widgets/LocalPath.h"
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
#include <QWindow>

#include <utility>

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
    buttonBar_ = new ButtonBar(menus_, central);
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
    undoSteps_ = std::make_unique<UndoSteps>(sheet_, *menus_.Undo1, *menus_.Redo1);
    recalc_ = new RecalcCommands(sheet_, *services_.prompter, services_.keypad, *this);
    gridEditor_
        = new GridEditor({*this, *grid_, sheet_, *services_.prompter, recalc_->calculator(), *menus_.PopupMenu});
    document_ = new FormulaDocument(
        {*this, sheet_, *services_.prompter, *mruList_, services_.chooseFormulaFile, services_.chooseSaveFile});
    connect(document_, &FormulaDocument::sheetLoaded, this, &TfrmMain::showLoadedSheet);
    recalc_->setOptimiseParts({*document_, services_.runOptimise, [this](const QString& anchor) { openHelp(anchor); }});
    printing_ = new LabPrintCommands(
        sheet_, [this] { return FormulaPath(); }, *services_.prompter, services_.printing, *this);
    plant_ = new PlantCommands({sheet_, [this] { return FormulaPath(); }, [this] { return FormulaFolder(); },
        [this] { return MaterialFolder(); }, *services_.prompter, services_.printing, services_.chooseWorkbookFile,
        *this});
    library_ = new LibraryCommands({*this, sheet_, *document_, *gridEditor_, *services_.prompter, *mruList_,
        services_.askText, *menus_.AutoReload1, services_.runUpdateMade});
    compliance_ = new ComplianceCommands(
        {*this, sheet_, *document_, *gridEditor_, [this](const QString& anchor) { openHelp(anchor); }});
}

// The two dialogs are made when first wanted: nothing of them shows before,
// and making them at start-up cost a fifth of it.
TfrmMaterial* TfrmMain::frmMaterial()
{
    if (!frmMaterial_)
        frmMaterial_ = new TfrmMaterial(this,
            {Artwork::icon(Artwork::Icon::New), Artwork::icon(Artwork::Icon::Save),
                Artwork::icon(Artwork::Icon::Delete)},
            *services_.prompter);
    return frmMaterial_;
}

TfrmProper* TfrmMain::frmProper()
{
    if (!frmProper_)
        frmProper_ = new TfrmProper(services_.prompter, this);
    return frmProper_;
}

// Each command runs its handler from the command table; its menu entry, its
// button and a double click on its property box trigger its action.
void TfrmMain::connectCommands()
{
    MainCommands::connectHandlers(
        menus_, {*this, *document_, *gridEditor_, *recalc_, *printing_, *plant_, *library_, *compliance_});
    connect(properties_->NameBox(), &QLineEdit::textChanged, this, &TfrmMain::NameBoxChange);
    connect(gridEditor_, &GridEditor::sheetChanged, this, &TfrmMain::sheetChanged);
    connect(recalc_, &RecalcCommands::sheetChanged, this, &TfrmMain::sheetChanged);
    connect(library_, &LibraryCommands::formulaDeleted, this, [this] {
        undoSteps_->start();
        showSheet();
    });
    connect(compliance_, &ComplianceCommands::sheetChanged, this, &TfrmMain::sheetChanged);
    recalc_->startOnDoubleClicks(*properties_, *grid_);
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
    tipDialog_->setOnAtStart(tipsAtStart());
    setFixedWidth(sizeRules_.MinFormWidth);
    setMinimumHeight(sizeRules_.MinFormHeight);
    setMaximumHeight(sizeRules_.maxHeight());
    // Window managers that honour size increments keep the height in whole rows while dragging.
    setSizeIncrement(0, WindowSizeRules::GridRowStep);
    setBaseSize(sizeRules_.MinFormWidth, sizeRules_.MinFormHeight);
    resize(sizeRules_.MinFormWidth, WindowSizeRules::StartHeight);
}

void TfrmMain::FoldersLoad()
{
    document_->setFolders(services_.formulaFolder, services_.formulaFolder);
    const tintora::FoldersInUse used = tintora::foldersInUse(localPath(services_.formulaFolder), readKeptFolders());
    folderProblems_.clear();
    for (const std::string& problem : used.problems)
        folderProblems_ << fromUtf8(problem);
    useFolders(fromLocalPath(used.formulas), fromLocalPath(used.materials));
}

void TfrmMain::useFolders(const QString& formulas, const QString& materials)
{
    // Bare names on the recent files lie in the Formulas folder they were
    // written against; they must not come to name files of another folder.
    if (formulas != FormulaFolder())
        anchorRecentFiles(*mruList_, FormulaFolder());
    document_->setFolders(formulas, materials);
    gridEditor_->setMaterialFolder(materials);
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
    document_->showModified();
    showMissingMaterials(*statusBar(), sheet_);
    menus_.FlipPercents1->setChecked(byVolume);
    compliance_->sheetShown();
}

void TfrmMain::sheetChanged(const QString& step)
{
    if (!step.isEmpty())
        undoSteps_->record(step);
    showSheet();
}

void TfrmMain::Undo1Click()
{
    gridEditor_->takeInTyping();
    if (undoSteps_->undo()) {
        gridEditor_->sheetReplaced();
        showSheet();
    }
}

void TfrmMain::Redo1Click()
{
    gridEditor_->takeInTyping();
    if (undoSteps_->redo()) {
        gridEditor_->sheetReplaced();
        showSheet();
    }
}

void TfrmMain::showLoadedSheet()
{
    undoSteps_->start();
    showSheet();
    grid_->setTopRow(1);
    grid_->setCurrentCell(1, 1);
}

void TfrmMain::New1Click()
{
    if (!document_->New())
        return;
    undoSteps_->start();
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
    undoSteps_->record(QLatin1String(UndoSteps::NameStep));
    document_->showModified();
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
    document_->reloadAfterMaterialsChanged(menus_.AutoReload1->isChecked());
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

void TfrmMain::Folders1Click()
{
    gridEditor_->closeFloatingControls();
    TfrmFolders dialog(
        {*services_.prompter, services_.chooseFolder, [this](const QString& anchor) { openHelp(anchor); }}, this);
    const auto chosen = dialog.Execute({FormulaFolder(), MaterialFolder()});
    if (!chosen)
        return;
    // The open formula stays open; the next Open, Save As and material read use the new folders.
    useFolders(chosen->formulas, chosen->materials);
    gridEditor_->refreshMaterialList();
    if (const QString problem = keepFolders(chosen->formulas, chosen->materials); !problem.isEmpty())
        services_.prompter->error(problem.toStdString());
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

void TfrmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    // The window was centred by its client area: its frame is known only once
    // a window manager has framed it, and may then pass the screen's edge
    // (at scale 2 on a screen 1000 pixels high the status line was cut).
    if (framedOnScreen_ || !windowHandle())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (!frame.isNull()) {
        framedOnScreen_ = true;
        keepOnScreen(frame);
    }
}

void TfrmMain::keepOnScreen(QMargins frame)
{
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    const QRect client = geometry();
    const QRect kept = sizeRules_.keptOnScreen(client.marginsAdded(frame), client, shownOn->availableGeometry());
    if (kept.height() != height())
        resize(width(), kept.height());
    move(pos() + (kept.topLeft() - client.topLeft()));
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

void TfrmMain::Exit1Click()
{
    close();
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
