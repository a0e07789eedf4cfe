#pragma once
// The main window: the formula sheet shown in the grid and the property
// boxes, the menus and the button bar. Handlers call the core and then show
// the sheet again; what they tell or ask the user goes through the Prompter.
#include "app/MainMenus.h"
#include "app/WindowSizeRules.h"
#include "print/PrinterChoice.h"
#include "sheet/FormulaSheet.h"
#include "sheet/GridEditState.h"
#include "sheet/Prompter.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class ButtonBar;
struct ButtonBarButtons;
class CalcPanel;
class KeypadService;
class HelpWindow;
class PropertiesPanel;
class QAction;
class QLineEdit;
class QListView;
class QMenu;
class QStringListModel;
class QToolButton;
class SheetModel;
class TExplorerButton;
class TMRUFileList;
class TSuperGrid;
class TTipDialog;
class TfrmAbout;

struct MainWindowServices {
    tintora::Prompter* prompter = nullptr;
    tintora::Sounds* sounds = nullptr;
    // The open dialog: the chosen file's full path, or an empty text when cancelled.
    std::function<QString(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile)>
        chooseFormulaFile;
    // The folder of the program; Formulas and the help file lie beside it.
    QString programFolder;
    // The splash whose progress bar start-up moves; may be null.
    TfrmAbout* splash = nullptr;
    // The About window; the splash when null.
    TfrmAbout* about = nullptr;

    // --- recalculation and keypads: services (begin)
    // The keypad dialog of the target recalculations; the window makes its own TfrmCalc when null.
    KeypadService* keypad = nullptr;
    // --- recalculation and keypads: services (end)

    // --- printing: services (begin)
    // The print dialog and the system's printer.
    PrinterChoice printing;
    // --- printing: services (end)
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    tintora::FormulaSheet& sheet() { return sheet_; }
    const QString& FormulaPath() const { return FormulaPath_; }
    const QString& FormulaFolder() const { return FormulaFolder_; }
    const QString& MaterialFolder() const { return MaterialFolder_; }
    bool FormulaProtected() const { return FormulaProtected_; }
    const WindowSizeRules& sizeRules() const { return sizeRules_; }

    TSuperGrid* Grid1() const { return grid_; }
    PropertiesPanel* properties() const { return properties_; }
    const MainMenus& menus() const { return menus_; }
    const ButtonBarButtons& buttons() const;
    QMenu* PopupMenu() const { return menus_.PopupMenu; }
    TMRUFileList* MRUList() const { return mruList_; }
    TTipDialog* tipDialog() const { return tipDialog_; }
    HelpWindow* help() const { return help_; }

    // Runs the tip dialog when the window is first activated.
    void FormActivate();

    // Commands of the formula document.
    void New1Click();
    void Open1Click();
    void MRUListClick(const QString& fileName);
    void Reload1Click();
    bool AskSave();
    void TitleText();
    void FlipPercents1Click();

    // Commands of the window shell.
    void Expand1Click();
    void Contents1Click();
    void FirstTimeUser1Click();
    void About1Click();
    void TipsClick();

    // The laboratory printout: through the print dialog, or at once on the
    // current printer.
    void LabPrint1Click();
    void PrintButtonClick();

    // Shows the sheet in the grid and the boxes after a command changed it.
    void showSheet();

    // Editing in the grid (TfrmMainGrid.cpp): the grid's events, the floating
    // controls, and the row commands.
    tintora::GridEditState& editState() { return edit_; }
    QToolButton* Drop1() const { return drop1_; }
    QToolButton* Drop2() const { return drop2_; }
    QListView* File32List() const { return fileList_; }
    QLineEdit* DescBox() const { return descBox_; }
    void AlignButtons();
    void Drop1Click();
    void Drop2Click();
    void File32Close();
    void RMInsert1Click();
    void RMDelete1Click();
    void MarkAll1Click();
    void UnmarkAll1Click();
    void FlipMarked1Click();
    void mCutClick();
    void mCopyClick();
    void mPasteClick();
    void Add1Click();

    // --- material editor: public (begin); defined in TfrmMainMaterials.cpp
    // Table > Edit Materials and its button: the material editor, modal; with
    // Auto Reload checked the formula is read again from its file afterwards.
    void Materials1Click();
    class TfrmMaterial* frmMaterial() const { return frmMaterial_; }
    // --- material editor: public (end)
    // --- formula properties: public (begin); defined in TfrmMainProperties.cpp
    // File > Properties and the Formula Properties button: the properties
    // dialog on the open formula, or "Please save formula first.".
    void Properties1Click();
    class TfrmProper* frmProper() const { return frmProper_; }
    // --- formula properties: public (end)

    // --- recalculation and keypads: public (begin); defined in TfrmMainRecalc.cpp
    // Target recalculations: menu entries, buttons and property-box double clicks.
    void Weight1Click();
    void Volume1Click();
    void CostWtClick();
    void CostVolClick();
    void CostButtonClick();
    // The keypad panel, hidden until its openFor; accepting it shows the sheet
    // and gives the grid the focus.
    CalcPanel* calcPanel() const;
    // The keypad dialog the recalculations ask.
    KeypadService* keypadDialog() const;
    // --- recalculation and keypads: public (end)

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void progress(int percent);
    void LoadIni();
    void FoldersLoad();
    void createLayout();
    void connectCommands();
    void configureMRUList(QMenu* fileMenu);
    void configureTipDialog();
    PlatformMetrics platformMetrics() const;
    // False, with the error shown and nothing changed, when FormulaPath names no formula file.
    bool runFormulaLoad();
    void openHelp(const QString& anchor);
    void NameBoxChange();
    void printOn(QPrinter& printer);

    void createFloatingControls();
    void connectGridCommands();
    void Grid1SelectCell(int col, int row, bool& canSelect);
    void Grid1Click();
    void Grid1KeyPress(QChar key);
    void Grid1MouseDown(Qt::MouseButton button);
    void Grid1MouseUp(Qt::MouseButton button, QPoint pos);
    void Grid1DblClick();
    void Grid1CheckBoxClick(int row);
    void Grid1TopLeftChanged();
    void DescBoxExit();
    void MatStatus(const QString& fileName);
    void refreshMaterialList();
    QString selectedMaterialFile() const;
    void hideCellEditors();
    void focusFirstMaterialCell();  // start-up and every load end on row 1's Material cell, ready to type a code
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideCalcPanel();

    // --- material editor: private (begin)
    void connectMaterialEditorCommands();
    TfrmMaterial* frmMaterial_ = nullptr;  // a child dialog: deleted with the window
    // --- material editor: private (end)
    // --- formula properties: private (begin)
    void connectPropertiesCommands();
    // Created once with the window, a child of it; frmSpec is its child.
    class TfrmProper* frmProper_ = nullptr;
    // --- formula properties: private (end)

    // --- recalculation and keypads: private (begin)
    void connectRecalcCommands();
    // The calculator state shared by both keypads, the panel and the dialog.
    class RecalcParts;
    RecalcParts* recalc_ = nullptr;  // a child object: deleted with the window
    // --- recalculation and keypads: private (end)

    // The printer chosen in the last confirmed print dialog of this run; null
    // until then, when the Print button takes the system's printer.
    std::unique_ptr<QPrinter> chosenPrinter_;

    MainWindowServices services_;
    tintora::FormulaSheet sheet_;
    QString FormulaPath_;
    QString FormulaFolder_;
    QString MaterialFolder_;
    bool FormulaProtected_ = false;
    WindowSizeRules sizeRules_;
    bool activated_ = false;

    SheetModel* model_ = nullptr;
    TSuperGrid* grid_ = nullptr;
    PropertiesPanel* properties_ = nullptr;
    ButtonBar* buttonBar_ = nullptr;
    MainMenus menus_;
    TMRUFileList* mruList_ = nullptr;
    TTipDialog* tipDialog_ = nullptr;
    HelpWindow* help_ = nullptr;

    tintora::GridEditState edit_;
    QToolButton* drop1_ = nullptr;
    QToolButton* drop2_ = nullptr;
    QListView* fileList_ = nullptr;
    QStringListModel* fileListModel_ = nullptr;
    qint64 fileListStamp_ = -1;  // the folder's modification time when it was last listed
    QLineEdit* descBox_ = nullptr;
};
