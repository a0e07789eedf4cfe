#pragma once
// Program start: the splash, the main window with its start-up, the tip of the
// day, then the splash hidden. The objects live until the program ends.
#include "core/formulas/ProgramFiles.h"

#include <QString>

class QWidget;

#include <memory>

class DesktopSounds;
class QtPrompter;
class TfrmAbout;
class TfrmMain;
class QWidget;

struct Program {
    std::unique_ptr<DesktopSounds> sounds;
    std::unique_ptr<QtPrompter> prompter;
    std::unique_ptr<TfrmAbout> frmAbout;
    std::unique_ptr<TfrmMain> frmMain;
    // Start-up timing (bench/): with TINTORA_QUIT_WHEN_SHOWN set, the main
    // window's first paint ends every running event loop and sets this; the
    // tip of the day is then left out, and the program ends instead of
    // running its event loop.
    bool endsAfterStartUp = false;
    ~Program();
};

// Shows the splash, then the main window on `files`, the tip of the day, and
// hides the splash; then says so when the user's folder could not be made, a
// folder kept in the settings cannot serve, or the settings file is ignored
// (not a regular file, too large), and opens
// `formulaToOpen`, when given, as Open opens a file.
std::unique_ptr<Program> startProgram(const tintora::ProgramFiles& files, const QString& formulaToOpen = {});

// New Instance tells the window it starts where to appear ("x,y", the frame's
// top left) in this environment variable, one step from its own.
constexpr const char* PlaceAtVariable = "TINTORA_PLACE_AT";
constexpr int CascadeStep = 30;
// Moves the window where the variable asks, and removes it so that a window
// started from this one cascades from its own place. Nothing without it.
void placeAsAsked(QWidget& window);

// The open dialog for formula files.
QString chooseFormulaFile(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile);
// The save dialog for formula files; it asks before replacing a file.
QString chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile);
// Excel Out's save dialog for workbooks, which adds ".xlsx" before it asks
// about replacing a file.
QString chooseWorkbookFile(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile);
