#pragma once
// The real main window on a copy of test formulas and materials in a
// temporary program folder, with everything a test cannot click answered by
// the test: message boxes, sounds, the open and save dialogs and the keypad. A window
// test derives from it next to QObject, so that its slots see the members.
#include "ScriptedKeypad.h"
#include "ScriptedPrompter.h"
#include "core/formulas/ProgramFiles.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"

#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

namespace tintora::testing {

// A file dialog (open or save): records where it was opened and answers
// the queued files in order; when none is left, `otherwise` (empty = Cancel).
struct ScriptedFileChooser {
    std::deque<QString> answers;
    QString otherwise;
    QStringList foldersAndFilters;  // folder, filter of each opening

    QString choose(const QString& folder, const QString& filter);
};

// Copies the files (not the subfolders) of `from` into `to`, which it creates;
// only those matching `nameFilters` when any are given.
void copyFiles(const QString& from, const QString& to, const QStringList& nameFilters = {});

// Hands the first modal window that opens from now on to `handle`, once; it
// watches while the returned timer lives. Start-up handles events while it
// waits for the main window to appear, before the tip of the day, so a test
// cannot count on the tip being the first thing that runs.
std::unique_ptr<QTimer> whenModalOpens(std::function<void(QWidget& modal)> handle);

class MainWindowFixture {
protected:
    MainWindowFixture() = default;

    QString formulas() const { return programFolder.path() + QStringLiteral("/Formulas"); }
    // The Formulas folder and help file as the program finds them in this program folder.
    tintora::ProgramFiles programFiles() const;
    // Fills the Formulas folder with the files of a folder of tests/data.
    void copyTestData(const QString& dataFolder, const QStringList& nameFilters = {}) const;
    // The test materials and formulas, which most window tests work on.
    void copyMaterialsAndFormulas() const;
    // Fresh scripts for the next test: a new prompter, no sound played, no file chosen to open or save,
    // the keypad unanswered.
    void resetScripts();
    // The scripted services on this program folder; a test adds what it needs before opening the window.
    MainWindowServices scriptedServices();
    // A main window made with `services`.
    std::unique_ptr<TfrmMain> newWindow(MainWindowServices services) const;
    std::unique_ptr<TfrmMain> newWindow() { return newWindow(scriptedServices()); }
    // A new window, shown and exposed, in place of the one before.
    void showWindow(MainWindowServices services);

    QTemporaryDir programFolder;
    ScriptedSounds sounds;
    std::unique_ptr<ScriptedPrompter> prompter = std::make_unique<ScriptedPrompter>(&sounds);
    ScriptedKeypad keypad;
    ScriptedFileChooser chooser;  // the open dialog
    ScriptedFileChooser saveChooser;  // the save dialog
    std::unique_ptr<TfrmMain> window;
};

// The main of a window test: settings in the test locations, the program's
// application object (`prepare` may set it up further), then the test.
template <class Test>
int runWindowTest(int argc, char** argv, const std::function<void()>& prepare = {})
{
    QStandardPaths::setTestModeEnabled(true);
    TintoraApplication app(argc, argv);
    if (prepare)
        prepare();
    Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace tintora::testing
