#include "app/TfrmMain.h"

#include "app/ButtonBar.h"
#include "app/HelpWindow.h"
#include "app/MainMenus.h"
#include "app/PropertiesPanel.h"
#include "app/SheetModel.h"
#include "app/TfrmAbout.h"
#include "app/TintoraApplication.h"
#include "calc/Calculate.h"
#include "formulas/FormulaFile.h"
#include "print/LabPrinter.h"
#include "print/PrinterChoice.h"
#include "widgets/FormulaGridLayout.h"
#include "widgets/TExplorerButton.h"
#include "widgets/TMRUFileList.h"
#include "widgets/TSuperGrid.h"
#include "widgets/TTipDialog.h"
#include "widgets/TipTexts.h"
#include "widgets/LocalPath.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int StartHeight = 486;

// Puts path on top of the recent files; an entry holding its bare name, as
// earlier runs stored it, names the same file and gives way.
void rememberRecentFile(TMRUFileList& list, const QString& path, const QString& formulaFolder)
{
    const QString file = QDir::cleanPath(path);
    const QStringList entries = list.Items();
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        const QString named = fromLocalPath(tintora::recentFilePath(localFileName(entries[i]), localFileName(formulaFolder)));
        if (entries[i] != path && QDir::cleanPath(named) == file)
            list.RemoveItem(static_cast<int>(i));
    }
    list.AddItem(path);
}

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
    connectCommands();
    FormCreate();
    new ContextHelp([this](const QString& anchor) { openHelp(anchor); }, this);

    // Centred on the screen. Placed before it is first shown, the position is
    // that of its frame, whose size is not yet known: the client area stands in.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(centredPosition(size(), screen->availableGeometry()));
}

TfrmMain::~TfrmMain() = default;

// --- layout -----------------------------------------------------------------

void TfrmMain::createLayout()
{
    menus_ = createMainMenus(*this);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    buttonBar_ = new ButtonBar(central);
    column->addWidget(buttonBar_);
    auto* line = new QFrame(central);
    line->setObjectName(QStringLiteral("Panel3"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(2);
    column->addWidget(line);
    properties_ = new PropertiesPanel(central);
    column->addWidget(properties_);

    grid_ = new TSuperGrid(central);
    grid_->setObjectName(QStringLiteral("Grid1"));
    grid_->setProperty("HelpContext", 100);
    applyFormulaGridLayout(*grid_);
    model_ = new SheetModel(sheet_, this);
    grid_->setModel(model_);
    column->addWidget(grid_, 1);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setFixedHeight(19);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setProperty("HelpContext", 110);

    help_ = new HelpWindow(services_.programFolder + QStringLiteral("/Korvel.html"), this);
    help_->setWindowFlag(Qt::Window, true);
    configureMRUList(menus_.File1);
    configureTipDialog();
    createFloatingControls();
}

void TfrmMain::configureMRUList(QMenu* fileMenu)
{
    mruList_ = new TMRUFileList(this);
    mruList_->setMaximum(5);
    mruList_->setRemoveOnClick(true);
    mruList_->setUseSubmenu(false);
    mruList_->setSubmenuName(QStringLiteral("Reopen"));
    mruList_->setAutoSave(true);
    mruList_->setAutoSaveName(QStringLiteral("\\Vantrel"));
    mruList_->setAutoSaveKey(QStringLiteral("MRU"));
    mruList_->setFileMenu(fileMenu, menus_.N1);
    mruList_->SetUp();
    connect(mruList_, &TMRUFileList::OnMRUItemClick, this,
            [this](TMRUFileList*, const QString& fileName) { MRUListClick(fileName); });
}

void TfrmMain::configureTipDialog()
{
    tipDialog_ = new TTipDialog(this);
    tipDialog_->setTipDialogCaption(QStringLiteral("Tip of the Day"));
    tipDialog_->setButtonNextCaption(QStringLiteral("&Next"));
    tipDialog_->setButtonCloseCaption(QStringLiteral("&Close"));
    tipDialog_->setColor(Qt::white);
    tipDialog_->setQuestionCaption(QStringLiteral("Did you know this?"));
    tipDialog_->setOnAtStartCaption(QStringLiteral("Show tips next time?"));
    tipDialog_->setTips(tipOfTheDayTexts());
    // The splash stays on top of every window; the tip window shown while it is
    // still up must be above it, or the splash would cover it.
    connect(tipDialog_, &TTipDialog::OnExecute, this, [this](TTipDialog* dialog) {
        if (services_.splash && services_.splash->isVisible())
            dialog->TipWindow()->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    });
}

void TfrmMain::connectCommands()
{
    const auto on = [this](QAction* action, void (TfrmMain::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    const auto onButton = [this](TExplorerButton* button, void (TfrmMain::*handler)()) {
        connect(button, &TExplorerButton::OnClick, this, handler);
    };
    on(menus_.New1, &TfrmMain::New1Click);
    on(menus_.Open1, &TfrmMain::Open1Click);
    on(menus_.Reload1, &TfrmMain::Reload1Click);
    on(menus_.FlipPercents1, &TfrmMain::FlipPercents1Click);
    on(menus_.Expand1, &TfrmMain::Expand1Click);
    on(menus_.Contents1, &TfrmMain::Contents1Click);
    on(menus_.FirstTimeUser1, &TfrmMain::FirstTimeUser1Click);
    on(menus_.About1, &TfrmMain::About1Click);
    on(menus_.Tips, &TfrmMain::TipsClick);
    on(menus_.LabPrint1, &TfrmMain::LabPrint1Click);
    onButton(buttonBar_->buttons().PrintButton, &TfrmMain::PrintButtonClick);
    connect(menus_.Exit1, &QAction::triggered, this, &QWidget::close);
    onButton(buttonBar_->buttons().NewButton, &TfrmMain::New1Click);
    onButton(buttonBar_->buttons().OpenButton, &TfrmMain::Open1Click);
    onButton(buttonBar_->buttons().WtVolButton, &TfrmMain::FlipPercents1Click);
    connect(properties_->NameBox(), &QLineEdit::textChanged, this, &TfrmMain::NameBoxChange);
    connectGridCommands();
    connectRecalcCommands();
    connectMaterialEditorCommands();
    connectPropertiesCommands();
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
    FormulaPath_.clear();
    runFormulaLoad();
    progress(75);
    TitleText();
    grid_->setCurrentCell(1, 1);
    AlignButtons();
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
    FormulaFolder_ = services_.programFolder + QStringLiteral("/Formulas");
    MaterialFolder_ = FormulaFolder_;
}

void TfrmMain::FormActivate()
{
    if (activated_)
        return;
    activated_ = true;
    tipDialog_->Execute();
    focusFirstMaterialCell();
}

// --- the formula document -----------------------------------------------------

bool TfrmMain::runFormulaLoad()
{
    if (FormulaPath_.isEmpty()) {
        // An untitled sheet names no file: every key reads as its default.
        FormulaProtected_ = tintora::FormulaLoad(sheet_, std::string(), localPath(MaterialFolder_));
    } else {
        const tintora::FormulaFileRead file = tintora::readFormulaFile(localPath(FormulaPath_));
        if (file.state != tintora::FormulaFileState::Formula) {
            services_.prompter->error(tintora::formulaFileProblem(file.state, FormulaPath_.toStdString()));
            return false;
        }
        FormulaProtected_ = tintora::FormulaLoad(sheet_, file.contents, localPath(MaterialFolder_));
    }
    showSheet();
    grid_->setTopRow(1);
    grid_->setCurrentCell(1, 1);
    return true;
}

void TfrmMain::showSheet()
{
    const bool byVolume = sheet_.percentBasis == tintora::PercentBasis::Volume;
    grid_->Columns().setTitle(tintora::ColumnCount - 1, {QString::fromLatin1(sheet_.percentTitle())});
    model_->refresh();
    properties_->showSheet(sheet_);
    menus_.FlipPercents1->setChecked(byVolume);
    buttonBar_->buttons().WtVolButton->setDown(byVolume);
}

bool TfrmMain::AskSave()
{
    return true;
}

void TfrmMain::TitleText()
{
    const QString title = QString::fromStdString(tintora::TitleText(localFileName(FormulaPath_)));
    if (auto* app = qobject_cast<TintoraApplication*>(QCoreApplication::instance()))
        app->setApplicationTitle(title);
    setWindowTitle(title);
}

void TfrmMain::New1Click()
{
    if (!AskSave())
        return;
    FormulaPath_.clear();
    TitleText();
    tintora::ClearGrid(sheet_);
    showSheet();
    focusFirstMaterialCell();
}

void TfrmMain::Open1Click()
{
    if (!AskSave() || !services_.chooseFormulaFile)
        return;
    const QString filter = QStringLiteral("%1 Files (*.%2)").arg(QString::fromLatin1(tintora::ProductTitle),
                                                               QString::fromLatin1(tintora::FormulaExt));
    const QString chosen = services_.chooseFormulaFile(this, FormulaFolder_, filter, FormulaPath_);
    if (chosen.isEmpty())
        return;
    const QString previous = std::exchange(FormulaPath_, chosen);
    if (!runFormulaLoad()) {
        FormulaPath_ = previous;
        return;
    }
    TitleText();
    rememberRecentFile(*mruList_, chosen, FormulaFolder_);
    focusFirstMaterialCell();
}

void TfrmMain::MRUListClick(const QString& fileName)
{
    if (!AskSave())
        return;
    const QString path = fromLocalPath(tintora::recentFilePath(localFileName(fileName), localFileName(FormulaFolder_)));
    const QString previous = std::exchange(FormulaPath_, path);
    // The list dropped the entry when it was chosen; only a file that opened goes back on top.
    if (!runFormulaLoad()) {
        FormulaPath_ = previous;
        return;
    }
    rememberRecentFile(*mruList_, path, FormulaFolder_);
    TitleText();
    sheet_.SheetModified = false;
    focusFirstMaterialCell();
}

void TfrmMain::Reload1Click()
{
    if (!AskSave())
        return;
    runFormulaLoad();
    focusFirstMaterialCell();
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

// --- the window shell ---------------------------------------------------------

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    hideCellEditors();
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
    if (AskSave())
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

void TfrmMain::printOn(QPrinter& printer)
{
    if (!LabPrint(printer, sheet_, FormulaPath_, todayShortDate()))
        services_.prompter->error("The printout could not be started on the printer.");
}

void TfrmMain::LabPrint1Click()
{
    // The dialog opens on the last choice; a cancelled first dialog chooses nothing.
    std::unique_ptr<QPrinter> fresh = chosenPrinter_ ? nullptr : newLabPrinter();
    QPrinter& printer = chosenPrinter_ ? *chosenPrinter_ : *fresh;
    if (!services_.printing.runDialog(this, printer))
        return;
    if (fresh)
        chosenPrinter_ = std::move(fresh);
    printOn(*chosenPrinter_);
}

void TfrmMain::PrintButtonClick()
{
    if (chosenPrinter_) {
        printOn(*chosenPrinter_);
        return;
    }
    const std::unique_ptr<QPrinter> printer = newLabPrinter();
    if (!services_.printing.findSystemPrinter(*printer)) {
        services_.prompter->error(
            "No printer is available. Use File \u25B8 Print \u25B8 Lab Print to print to a PDF file.");
        return;
    }
    printOn(*printer);
}

const ButtonBarButtons& TfrmMain::buttons() const
{
    return buttonBar_->buttons();
}
