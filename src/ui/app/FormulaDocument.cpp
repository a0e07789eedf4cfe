#include "ui/app/FormulaDocument.h"

#include "core/formulas/FormulaFile.h"
#include "core/formulas/OptimiseSection.h"
#include "core/materials/MaterialBrowsing.h"
#include "core/materials/MaterialCheck.h"
#include "core/sheet/DiskChanges.h"
#include "ui/app/MainWindowParts.h"
#include "ui/app/TintoraApplication.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TMRUFileList.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

#include <utility>

namespace {

QString formulaFilter()
{
    return QStringLiteral("%1 Files (*.%2)")
        .arg(QString::fromLatin1(tintora::ProductTitle), QString::fromLatin1(tintora::FormulaExt));
}

std::string fileName(const QString& path)
{
    return QFileInfo(path).fileName().toStdString();
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.absoluteFilePath() == second.absoluteFilePath()
        || (first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath());
}

}  // namespace

FormulaDocument::FormulaDocument(Parts parts)
    : QObject(&parts.window)
    , parts_(std::move(parts))
{
}

void FormulaDocument::setFolders(const QString& formulaFolder, const QString& materialFolder)
{
    FormulaFolder_ = formulaFolder;
    MaterialFolder_ = materialFolder;
}

void FormulaDocument::reloadAfterMaterialsChanged(bool autoReload)
{
    if (!tintora::reloadsAfterMaterialEditor(autoReload, localPath(FormulaPath_)) || !AskSave())
        return;
    const WaitCursor busy;
    runFormulaLoad();
}

bool FormulaDocument::runFormulaLoad()
{
    tintora::FormulaSheet& sheet = parts_.sheet;
    std::string unreadWeights;
    std::string implausible;
    tintora::FileStamp stamp;
    lastOptimisation_.reset();
    if (FormulaPath_.isEmpty()) {
        // An untitled sheet names no file: every key reads as its default.
        FormulaProtected_ = tintora::FormulaLoad(sheet, std::string(), localPath(MaterialFolder_));
    } else {
        // Stamped before reading: a change in between shows as a change at the next save.
        stamp = tintora::stampOfFile(localPath(FormulaPath_));
        const tintora::FormulaFileRead file = tintora::readFormulaFile(localPath(FormulaPath_));
        if (file.state != tintora::FormulaFileState::Formula) {
            parts_.prompter.error(tintora::formulaFileProblem(file.state, FormulaPath_.toStdString()));
            return false;
        }
        FormulaProtected_ = tintora::FormulaLoad(sheet, file.contents, localPath(MaterialFolder_));
        lastOptimisation_ = tintora::readOptimiseSection(file.contents);
        unreadWeights = tintora::unreadWeightsNotice(tintora::unreadWeightRows(file.contents));
        implausible = tintora::implausibleMaterialsNotice(sheet);
    }
    diskStamp_ = stamp;
    stampedPath_ = FormulaPath_;
    keepCurrentForm();
    emit sheetLoaded();
    // Said once, over the sheet that shows the empty cells, before anything can be saved.
    if (!unreadWeights.empty())
        parts_.prompter.inform(unreadWeights);
    if (!implausible.empty())
        parts_.prompter.inform(implausible);
    return true;
}

bool FormulaDocument::loadFormulaFrom(const QString& path)
{
    const QString previous = std::exchange(FormulaPath_, path);
    if (runFormulaLoad())
        return true;
    FormulaPath_ = previous;
    return false;
}

void FormulaDocument::keepCurrentForm()
{
    lastKept_ = tintora::writtenFormOf(parts_.sheet);
    showModified();
}

void FormulaDocument::showModified()
{
    parts_.window.setWindowModified(tintora::hasUnsavedChanges(parts_.sheet, lastKept_));
}

bool FormulaDocument::AskSave()
{
    if (!tintora::hasUnsavedChanges(parts_.sheet, lastKept_))
        return true;
    switch (parts_.prompter.askYesNoCancel(tintora::askSaveQuestion(FormulaPath_.toStdString()))) {
    case tintora::Prompter::Answer::Yes:
        return Save();
    case tintora::Prompter::Answer::No:
        return true;
    case tintora::Prompter::Answer::Cancel:
        break;
    }
    return false;
}

void FormulaDocument::TitleText()
{
    const QString title = QString::fromStdString(tintora::TitleText(localFileName(FormulaPath_)));
    if (auto* app = qobject_cast<TintoraApplication*>(QCoreApplication::instance()))
        app->setApplicationTitle(title);
    // "[*]": the desktop's mark of unsaved changes, shown while windowModified is set.
    parts_.window.setWindowTitle(title + QStringLiteral("[*]"));
}

bool FormulaDocument::New()
{
    if (!AskSave())
        return false;
    becomeUntitled();
    return true;
}

void FormulaDocument::becomeUntitled()
{
    FormulaPath_.clear();
    lastOptimisation_.reset();
    TitleText();
    tintora::ClearGrid(parts_.sheet);
    keepCurrentForm();
}

bool FormulaDocument::Open()
{
    if (!AskSave() || !parts_.chooseFormulaFile)
        return false;
    // The dialog lists the folder: what interrupted saves left there goes first.
    tintora::removeStaleTemporaries(localPath(FormulaFolder_));
    const QString chosen = parts_.chooseFormulaFile(&parts_.window, FormulaFolder_, formulaFilter(), FormulaPath_);
    return !chosen.isEmpty() && openChosen(chosen);
}

bool FormulaDocument::OpenFile(const QString& path)
{
    return AskSave() && openChosen(path);
}

bool FormulaDocument::openedKeptCopy(const QString& path)
{
    for (const tintora::KeptCopy& kept : tintora::keptCopiesOf(localPath(path))) {
        if (!kept.ownedByTheFilesOwner) {
            parts_.prompter.error(tintora::foreignCopyNotice(localPath(path), kept.copy));
            continue;
        }
        switch (parts_.prompter.askAboutKeptCopy(tintora::keptCopyQuestion(localPath(path), kept.copy))) {
        case tintora::Prompter::KeptCopyAnswer::OpenKept:
            if (!loadFormulaFrom(fromLocalPath(kept.copy)))
                return false;
            // Its own formula now, to be saved under a name of the user's choosing.
            FormulaPath_.clear();
            stampedPath_.clear();
            FormulaProtected_ = false;
            lastKept_ = {};
            TitleText();
            showModified();
            return true;
        case tintora::Prompter::KeptCopyAnswer::DeleteCopy:
            if (const tintora::Result<> removed = tintora::removeFile(kept.copy); !removed)
                parts_.prompter.error(removed.problem());
            break;
        case tintora::Prompter::KeptCopyAnswer::KeepFile:
            break;
        }
    }
    return false;
}

bool FormulaDocument::openChosen(const QString& path)
{
    if (openedKeptCopy(path))
        return true;
    if (!loadFormulaFrom(path))
        return false;
    TitleText();
    rememberRecentFile(parts_.recentFiles, path, FormulaFolder_);
    return true;
}

bool FormulaDocument::Reopen(const QString& fileName)
{
    if (!AskSave())
        return false;
    const QString path = recentFileLocation(fileName, FormulaFolder_);
    if (openedKeptCopy(path))
        return true;
    // A file that opened goes on top; one that failed is dropped. Cancelled
    // before (or a save that failed), the list stays as it was.
    if (!loadFormulaFrom(path)) {
        if (const qsizetype index = parts_.recentFiles.Items().indexOf(fileName); index >= 0)
            parts_.recentFiles.RemoveItem(static_cast<int>(index));
        return false;
    }
    rememberRecentFile(parts_.recentFiles, path, FormulaFolder_);
    TitleText();
    parts_.sheet.SheetModified = false;
    return true;
}

bool FormulaDocument::Reload()
{
    return AskSave() && runFormulaLoad();
}

bool FormulaDocument::Save()
{
    if (FormulaPath_.isEmpty())
        return SaveAs();
    if (FormulaProtected_) {
        const std::string name = fileName(FormulaPath_);
        if (!parts_.prompter.askInformation(name
                + " is protected and cannot be overwritten. "
                  "Do you want to save it under another name?"))
            return false;
        return SaveAs();
    }
    return writeTo(FormulaPath_, std::nullopt);
}

bool FormulaDocument::SaveAs()
{
    // Refused before a name is chosen, so that no dialog is answered in vain.
    if (const auto problem = tintora::formulaSaveProblem(tintora::writtenFormOf(parts_.sheet))) {
        parts_.prompter.error("The formula cannot be saved: " + *problem + ".");
        return false;
    }
    const QString chosen = askSaveFileName();
    if (chosen.isEmpty())
        return false;
    // The sections beside the formula come from the file it came from; an
    // untitled formula has none and takes none from a file it replaces.
    const bool untitled = FormulaPath_.isEmpty();
    std::optional<std::filesystem::path> otherSections;
    if (untitled)
        otherSections = std::filesystem::path();
    else if (!sameFile(chosen, FormulaPath_))
        otherSections = localPath(FormulaPath_);
    if (!writeTo(chosen, otherSections))
        return false;
    FormulaPath_ = chosen;
    if (otherSections)
        FormulaProtected_ = false;  // a new file, written unprotected
    TitleText();
    rememberRecentFile(parts_.recentFiles, chosen, FormulaFolder_);
    return true;
}

QString FormulaDocument::askSaveFileName()
{
    return askSaveName(parts_.chooseSaveFile, parts_.prompter,
        {.parent = &parts_.window,
            .folder = FormulaFolder_,
            .filter = formulaFilter(),
            .initialFile = FormulaPath_,
            .extension = QLatin1Char('.') + QString::fromLatin1(tintora::FormulaExt)});
}

bool FormulaDocument::mayOverwriteOpenFile()
{
    switch (tintora::askBeforeOverwriting(parts_.prompter, localPath(FormulaPath_), diskStamp_)) {
    case tintora::Prompter::DiskChangeAnswer::Overwrite:
        return true;
    case tintora::Prompter::DiskChangeAnswer::Reload:
        runFormulaLoad();
        return false;
    case tintora::Prompter::DiskChangeAnswer::Cancel:
        break;
    }
    return false;
}

void FormulaDocument::fileRewritten(const tintora::FileStamp& before, const tintora::FileStamp& after)
{
    if (diskStamp_ == before)
        diskStamp_ = after;
}

bool FormulaDocument::offerReloadWhenChangedOnDisk()
{
    // A file being opened has no stamp yet: only the file the sheet was read from counts.
    if (offeringReload_ || FormulaPath_.isEmpty() || FormulaPath_ != stampedPath_
        || tintora::hasUnsavedChanges(parts_.sheet, lastKept_))
        return false;
    const tintora::FileStamp now = tintora::stampOfFile(localPath(FormulaPath_));
    if (!now.exists || now == diskStamp_ || now == declinedReload_)
        return false;
    offeringReload_ = true;
    const bool reload
        = parts_.prompter.confirm(fileName(FormulaPath_) + " was changed on disk. Do you want to reload it?");
    offeringReload_ = false;
    if (!reload) {
        declinedReload_ = now;
        return false;
    }
    return runFormulaLoad();
}

bool FormulaDocument::writeTo(const QString& path, const std::optional<std::filesystem::path>& otherSections)
{
    if (!FormulaPath_.isEmpty() && sameFile(path, FormulaPath_) && !mayOverwriteOpenFile())
        return false;
    const tintora::Result<tintora::FileStamp> written = tintora::FormulaSave(parts_.sheet, localPath(path),
        otherSections,
        lastOptimisation_ ? tintora::optimiseSectionChanges(*lastOptimisation_) : std::vector<tintora::IniChange>());
    if (!written) {
        parts_.prompter.error(written.problem());
        return false;
    }
    keepCurrentForm();
    diskStamp_ = written.value();
    stampedPath_ = path;
    parts_.sheet.SheetModified = false;
    return true;
}
