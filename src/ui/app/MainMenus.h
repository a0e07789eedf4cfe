#pragma once
// The main window's commands, its menu bar and the grid's context menu. Every
// command is a member named as the program names it (New1, Open1,
// FlipPercents1 ...), so a misspelt entry is a compile error; the actions
// carry the same object names for the help contexts. The command table
// (MainCommands) makes the actions; the menus and the button bar show them.
class QAction;
class QMainWindow;
class QMenu;

// The context-help topics of the menus and of their entries.
namespace MenuHelp {
constexpr int File = 300;
constexpr int Edit = 400;
constexpr int Table = 500;
constexpr int Recalc = 600;
constexpr int Options = 700;
constexpr int Help = 800;
constexpr int GridPopup = 900;
}  // namespace MenuHelp

struct MainMenus {
    // File
    QMenu* File1 = nullptr;
    QAction *New1 = nullptr, *Open1 = nullptr, *Save1 = nullptr, *SaveAs1 = nullptr, *Properties1 = nullptr;
    QMenu* Print1 = nullptr;
    QAction *LabPrint1 = nullptr, *BatchPrint1 = nullptr, *MaterialsPrint1 = nullptr;
    QAction *Delete1 = nullptr, *N1 = nullptr, *Exit1 = nullptr;  // N1: the separator the recent files follow
    // Edit
    QAction *Undo1 = nullptr, *Redo1 = nullptr;
    QAction *mCut = nullptr, *mCopy = nullptr, *mPaste = nullptr, *Add2 = nullptr;
    QAction *Find1 = nullptr, *CopyOut1 = nullptr, *Excel = nullptr;
    // Table
    QAction *RMInsert1 = nullptr, *RMDelete1 = nullptr, *FlipPercents1 = nullptr;
    QMenu* Material1 = nullptr;
    QAction *MarkAll1 = nullptr, *UnmarkAll1 = nullptr, *FlipMarked1 = nullptr, *CreateMaterial1 = nullptr;
    QAction* UpdateMade1 = nullptr;
    QAction *Reload1 = nullptr, *Materials1 = nullptr, *Compliance1 = nullptr;
    // Recalc
    QAction *Weight1 = nullptr, *Volume1 = nullptr;
    QMenu* Scale1 = nullptr;
    QAction *Weight2 = nullptr, *Volume2 = nullptr, *Percent1 = nullptr;
    QMenu* ByWeight = nullptr;
    QAction *BinderWt = nullptr, *CostWt = nullptr, *PigmentWt = nullptr, *SolidsWt = nullptr, *VolatileWt = nullptr;
    QMenu* ByVolume1 = nullptr;
    QAction *BinderVol = nullptr, *CostVol = nullptr, *PigmentVol = nullptr, *SolidsVol = nullptr,
            *VolatileVol = nullptr;
    QAction *Density1 = nullptr, *SPG1 = nullptr, *Voc1 = nullptr, *PBRatio1 = nullptr;
    QAction* Optimise1 = nullptr;
    // Options
    QAction *Folders1 = nullptr, *Update1 = nullptr, *Network1 = nullptr;
    QAction *AutoReload1 = nullptr, *Expand1 = nullptr, *NewInstance1 = nullptr;
    // Help
    QAction *Tips = nullptr, *FirstTimeUser1 = nullptr, *Contents1 = nullptr, *About1 = nullptr;
    // The grid's context menu: entries that run the Edit menu's commands
    QMenu* PopupMenu = nullptr;
    QAction *PopupCut = nullptr, *PopupCopy = nullptr, *PopupPaste = nullptr, *PopupAdd = nullptr;
    // Commands of the button bar alone
    QAction *PrintNow = nullptr, *CopyOutNow = nullptr, *BinderRecalc = nullptr, *CostRecalc = nullptr,
            *PigmentRecalc = nullptr, *SolidsRecalc = nullptr, *VolatileRecalc = nullptr;
};

// The commands, children of window, and the menus that show them.
MainMenus createMainMenus(QMainWindow& window);
