#pragma once
// The formula document of the main window: which file the sheet is read from
// and saved to, whether that file is protected, and what was last loaded or
// saved, so that New, Open, Reopen, Reload and closing ask before they lose work.
#include "core/calc/Optimisation.h"
#include "core/formulas/FormulaWrite.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"
#include "ui/app/SaveName.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;
class TMRUFileList;

class FormulaDocument : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;  // the caption's owner and the dialogs' parent
        tintora::FormulaSheet& sheet;
        tintora::Prompter& prompter;
        TMRUFileList& recentFiles;
        FileChooser chooseFormulaFile;
        FileChooser chooseSaveFile;
    };
    explicit FormulaDocument(Parts parts);
    void setFolders(const QString& formulaFolder, const QString& materialFolder);

    const QString& FormulaPath() const { return FormulaPath_; }
    const QString& FormulaFolder() const { return FormulaFolder_; }
    const QString& MaterialFolder() const { return MaterialFolder_; }
    bool FormulaProtected() const { return FormulaProtected_; }
    // Formula Properties' OK wrote the protection into the file.
    void setFormulaProtected(bool protectedFormula) { FormulaProtected_ = protectedFormula; }
    // Another writer of this program (Formula Properties' OK) turned the file
    // from `before` into `after`: when the sheet was read from `before`, it
    // now stands for `after`, so that the next Save does not take that write
    // for someone else's change.
    void fileRewritten(const tintora::FileStamp& before, const tintora::FileStamp& after);
    // When the file was changed on disk and the sheet holds nothing to lose,
    // offers to read it again (once per change); true when it was read.
    bool offerReloadWhenChangedOnDisk();

    // The settings of the formula's last optimisation: read with it from its
    // file, kept when Optimise ran, written with the next save.
    const std::optional<tintora::OptimiseSettings>& lastOptimisation() const { return lastOptimisation_; }
    void keepOptimisation(const tintora::OptimiseSettings& settings) { lastOptimisation_ = settings; }

    // Reads FormulaPath into the sheet; false, with the error shown and
    // nothing changed, when it names no formula file.
    bool runFormulaLoad();
    // true to go on: nothing to lose, the user said No, or Yes and the save succeeded.
    bool AskSave();
    // Materials were changed on disk (the material editor, Update Made
    // Materials): with Auto Reload the formula is read again by the rules of
    // reloadsAfterMaterialEditor, once the user has had the chance to save.
    void reloadAfterMaterialsChanged(bool autoReload);
    void TitleText();
    // The caption marks unsaved changes: what a save would write differs from
    // what was last loaded or saved.
    void showModified();

    // The commands; each says whether it went through.
    bool New();
    bool Open();
    bool OpenFile(const QString& path);  // Open on a file named already (the command line)
    bool Reopen(const QString& fileName);
    bool Reload();
    bool Save();
    bool SaveAs();
    // The sheet becomes untitled and empty, as after New, without asking.
    void becomeUntitled();

    // Menu and button handlers.
    void Save1Click() { Save(); }
    void SaveAs1Click() { SaveAs(); }

signals:
    // The sheet was read from a file: the window shows it from the first row.
    void sheetLoaded();

private:
    bool openChosen(const QString& path);
    bool loadFormulaFrom(const QString& path);  // the previous FormulaPath stays on failure
    // Tells of the older versions interrupted saves kept beside the file, and
    // opens one as a new, untitled formula when the user asks; true then.
    bool openedKeptCopy(const QString& path);
    QString askSaveFileName();
    bool writeTo(const QString& path, const std::optional<std::filesystem::path>& otherSections);
    void keepCurrentForm();
    // Whether a save into the open formula's file may go on; Reload reads it again.
    bool mayOverwriteOpenFile();

    Parts parts_;
    QString FormulaPath_;
    QString FormulaFolder_;
    QString MaterialFolder_;
    bool FormulaProtected_ = false;
    std::optional<tintora::OptimiseSettings> lastOptimisation_;
    // The written form of the sheet as last loaded or saved.
    tintora::FormulaWrittenForm lastKept_;
    // What the file held when the sheet was last read from it or saved into it.
    tintora::FileStamp diskStamp_;
    QString stampedPath_;  // the file diskStamp_ is of
    // A change on disk the user chose not to read in.
    tintora::FileStamp declinedReload_;
    bool offeringReload_ = false;
};
