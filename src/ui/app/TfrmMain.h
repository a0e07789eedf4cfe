#pragma once
// The main window: a frame that shows the formula sheet in the grid and the
// property boxes, holds the menus and the button bar, runs the commands of the
// formula document and wires the rest to the parts that do it: grid editing
// (GridEditor), the target recalculations (RecalcCommands), the printout
// (LabPrintCommands), the batch ticket, materials printout, Copy Out and
// Excel Out (PlantCommands), the compliance window (ComplianceCommands) and
// the dialogs.
// What it tells or asks the user goes through the Prompter.
#include "core/sheet/FormulaSheet.h"
#include "ui/app/FormulaDocument.h"
#include "ui/app/MainMenus.h"
#include "ui/app/MainWindowServices.h"
#include "ui/app/UndoSteps.h"
#include "ui/app/WindowSizeRules.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class ButtonBar;
class ComplianceCommands;
struct ButtonBarButtons;
class GridEditor;
class HelpWindow;
class LabPrintCommands;
class PlantCommands;
class LibraryCommands;
class PropertiesPanel;
class RecalcCommands;
class SheetModel;
class TMRUFileList;
class TSuperGrid;
class TTipDialog;
class TfrmMaterial;
class TfrmProper;

class TfrmMain : public QMainWindow {
    Q_OBJECT
    // The command table names the handlers below.
    friend class MainCommands;

public:
    explicit TfrmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Runs the tip dialog when the window is first activated.
    void FormActivate();
    // Opens a formula named on the command line, as Open opens the file chosen.
    void openFormula(const QString& path);

    // What the window shows and holds, for the program start and for tests.
    tintora::FormulaSheet& sheet() { return sheet_; }
    FormulaDocument& document() const { return *document_; }
    const QString& FormulaPath() const { return document_->FormulaPath(); }
    const QString& FormulaFolder() const { return document_->FormulaFolder(); }
    const QString& MaterialFolder() const { return document_->MaterialFolder(); }
    bool FormulaProtected() const { return document_->FormulaProtected(); }
    // A message for each kept folder that could not serve at start-up, which
    // gave way to the program's own folder; the program start shows them.
    const QStringList& FolderProblems() const { return folderProblems_; }
    const WindowSizeRules& sizeRules() const { return sizeRules_; }
    TSuperGrid* Grid1() const { return grid_; }
    PropertiesPanel* properties() const { return properties_; }
    const MainMenus& menus() const { return menus_; }
    const ButtonBarButtons& buttons() const;
    TMRUFileList* MRUList() const { return mruList_; }
    TTipDialog* tipDialog() const { return tipDialog_; }
    HelpWindow* help() const { return help_; }
    GridEditor& gridEditor() const { return *gridEditor_; }
    const tintora::SheetHistory& history() const { return undoSteps_->history(); }
    // Created on first use, then kept, so they keep their boxes between openings.
    TfrmMaterial* frmMaterial();
    TfrmProper* frmProper();
    tintora::KeypadDialog* keypadDialog() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createLayout();
    void createParts();
    void connectCommands();
    void configureMRUList();
    void FormCreate();
    void progress(int percent);
    void LoadIni();
    void FoldersLoad();
    // From now on formulas are opened and saved in `formulas`, materials read
    // and written in `materials`.
    void useFolders(const QString& formulas, const QString& materials);
    PlatformMetrics platformMetrics() const;

    // Commands of the formula document; the document reads and writes, the
    // window shows the sheet and puts the focus on row 1 after a command.
    void showSheet();
    void showLoadedSheet();
    // A part changed the sheet: the change is a step of the history (named
    // step; none when step is empty), and the sheet is shown.
    void sheetChanged(const QString& step);
    void Undo1Click();
    void Redo1Click();
    void New1Click();
    void Open1Click();
    void MRUListClick(const QString& fileName);
    void Reload1Click();
    void FlipPercents1Click();
    void NameBoxChange();
    // Table > Edit Materials: with Auto Reload checked the formula is read again afterwards.
    void Materials1Click();
    // File > Properties: the properties dialog on the open formula, or "Please save formula first.".
    void Properties1Click();
    // Options > Folders...: the folders chosen are used at once and kept in the settings.
    void Folders1Click();

    // Commands of the window shell.
    void Exit1Click();
    void Expand1Click();
    void openHelp(const QString& anchor);
    void Contents1Click();
    void FirstTimeUser1Click();
    void About1Click();
    void TipsClick();

    MainWindowServices services_;
    tintora::FormulaSheet sheet_;
    std::unique_ptr<UndoSteps> undoSteps_;
    WindowSizeRules sizeRules_;
    bool activated_ = false;
    QStringList folderProblems_;
    bool framedOnScreen_ = false;  // kept on the screen once its frame was known
    void keepOnScreen(QMargins frame);

    // Children of the window, deleted with it.
    MainMenus menus_;
    SheetModel* model_ = nullptr;
    TSuperGrid* grid_ = nullptr;
    PropertiesPanel* properties_ = nullptr;
    ButtonBar* buttonBar_ = nullptr;
    TMRUFileList* mruList_ = nullptr;
    TTipDialog* tipDialog_ = nullptr;
    HelpWindow* help_ = nullptr;
    RecalcCommands* recalc_ = nullptr;
    GridEditor* gridEditor_ = nullptr;
    FormulaDocument* document_ = nullptr;
    LabPrintCommands* printing_ = nullptr;
    PlantCommands* plant_ = nullptr;
    LibraryCommands* library_ = nullptr;
    ComplianceCommands* compliance_ = nullptr;
    TfrmMaterial* frmMaterial_ = nullptr;  // created once and reused, so it keeps its boxes between openings
    TfrmProper* frmProper_ = nullptr;  // created once; frmSpec is its child
};
