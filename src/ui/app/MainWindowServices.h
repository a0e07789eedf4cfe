#pragma once
// What the main window is given rather than reaching for a global: the
// seams a test cannot click (message boxes, sounds, file, folder and print
// dialogs, the keypad, the one-line questions) and the program's folders.
// The program start gives the real ones, the test fixture scripted ones.
#include "core/calc/KeypadDialog.h"
#include "core/prompt/Prompter.h"
#include "ui/app/LibraryCommands.h"
#include "ui/app/SaveName.h"
#include "ui/app/TfrmFolders.h"
#include "ui/print/PrinterChoice.h"

#include <QString>

#include <functional>

class TfrmAbout;
class TfrmOptimise;

struct MainWindowServices {
    tintora::Prompter* prompter = nullptr;
    tintora::Sounds* sounds = nullptr;
    // The open and save dialogs: the chosen file's full path, or an empty text when cancelled.
    FileChooser chooseFormulaFile;
    FileChooser chooseSaveFile;
    FileChooser chooseWorkbookFile;  // Excel Out's
    // The program's own Formulas folder, where formulas and materials are
    // unless the settings keep other folders (Options > Folders...), and the help file.
    QString formulaFolder;
    QString helpFile;
    // The splash whose progress bar start-up moves; may be null.
    TfrmAbout* splash = nullptr;
    // The About window; the splash when null.
    TfrmAbout* about = nullptr;
    // The keypad dialog of the target recalculations; the window makes its own TfrmCalc when null.
    tintora::KeypadDialog* keypad = nullptr;
    // The print dialog and the system's printer.
    PrinterChoice printing;
    // The one-line questions of Create Material; a line-edit dialog when empty.
    TextAsker askText;
    // The folder dialog of Options > Folders...; the program's own when empty.
    FolderChooser chooseFolder;
    // Shows Recalc > Optimise's dialog; whether Apply closed it. Modal when empty.
    std::function<bool(TfrmOptimise& dialog)> runOptimise;
    // Shows Table > Materials > Update Made Materials' dialog; whether Apply closed it. Modal when empty.
    UpdateMadeRunner runUpdateMade;
};
