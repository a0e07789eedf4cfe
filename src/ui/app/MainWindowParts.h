#pragma once
// The pieces the main window puts together, set up as the program describes
// them: the grid, the status line, the recent-files list and the tip dialog.
#include "core/sheet/FormulaSheet.h"
#include "ui/widgets/TExplorerButton.h"

#include <QAction>
#include <QString>

class QAction;
class QFrame;
class QMenu;
class QStatusBar;
class QWidget;
class TMRUFileList;
class TSuperGrid;
class TTipDialog;
class TfrmAbout;

// The 2-pixel sunken line under the button bar.
QFrame* sunkenLine(QWidget* parent);
TSuperGrid* createFormulaGrid(QWidget* parent);
void configureStatusBar(QStatusBar& bar);
// The status line's lasting notice of rows whose material is missing (their
// weight has no volume, so the figures by volume leave it out); hidden when
// there are none. Messages of the moment do not replace it.
void showMissingMaterials(QStatusBar& bar, const tintora::FormulaSheet& sheet);

// Five recent files in the File menu after the separator `after`, kept in the settings.
TMRUFileList* createRecentFilesList(QWidget* parent, QMenu* fileMenu, QAction* after);
// The file a recent-files entry names: an entry of a bare name, as earlier
// runs stored it, lies in the formula folder.
QString recentFileLocation(const QString& entry, const QString& formulaFolder);
// Puts path on top of the recent files; an entry naming the same file gives way.
void rememberRecentFile(TMRUFileList& list, const QString& path, const QString& formulaFolder);
// Entries of bare names become full paths in formulaFolder, where they lie,
// keeping their places: they go on naming the same files when the Formulas
// folder changes.
void anchorRecentFiles(TMRUFileList& list, const QString& formulaFolder);
// Takes every entry naming path off the recent files.
void forgetRecentFile(TMRUFileList& list, const QString& path, const QString& formulaFolder);

// The tip of the day; above the splash while that is still shown. The answer
// to "Show tips next time?" is kept in the settings each time it closes.
TTipDialog* createTipDialog(QWidget* parent, TfrmAbout* splash);
// The kept answer to "Show tips next time?"; yes until the user answered.
bool tipsAtStart();
void keepTipsAtStart(bool showNextTime);

// The hourglass while the formula is read again; restored however that ends.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
