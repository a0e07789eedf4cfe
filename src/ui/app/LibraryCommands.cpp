#include "ui/app/LibraryCommands.h"

#include "core/materials/MadeMaterial.h"
#include "core/materials/PriceChanges.h"
#include "core/text/SafeWrite.h"
#include "ui/app/FormulaDocument.h"
#include "ui/app/GridEditor.h"
#include "ui/app/MainWindowParts.h"
#include "ui/app/ProgramStart.h"
#include "ui/formulas/TfrmFind.h"
#include "ui/materials/TfrmUpdateMade.h"
#include "ui/widgets/LocalPath.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMainWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QWidget>

namespace {

std::string fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName().toStdString();
}

std::optional<QString> askWithDialog(QWidget* parent, const QString& label, const QString& initial)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Create Material"));
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    // Wide enough for the caption and a formula's name.
    dialog.setMinimumWidth(360);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

// The toolkit makes the trash in the data home only when the data home is
// there. A desktop makes what is missing of it on first use, the data home
// for the user alone, and so does this.
void makeDataHome()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList missing;
    for (QFileInfo folder(dataHome); !dataHome.isEmpty() && !folder.exists(); folder.setFile(folder.path()))
        missing.prepend(folder.filePath());
    for (const QString& folder : missing)
        if (!QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return;
}

// Where no trash folder can be made, the toolkit still reports success, having
// moved the file into "files" under the working folder; that is no trash, so
// the file is put back and counts as not moved.
bool movedToTrash(const QString& path)
{
    makeDataHome();
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return false;
    if (!QFileInfo(inTrash).isRelative())
        return true;
    const QFileInfo moved(inTrash);
    QFile::rename(inTrash, path);
    const QString info = moved.dir().filePath(QStringLiteral("../info"));
    QFile::remove(info + QStringLiteral("/%1.trashinfo").arg(moved.fileName()));
    QDir().rmdir(info);  // only when empty: they were made for this file
    QDir().rmdir(moved.path());
    return false;
}

}  // namespace

LibraryCommands::LibraryCommands(Parts parts)
    : QObject(&parts.window)
    , parts_(std::move(parts))
{
    if (!parts_.askText)
        parts_.askText = askWithDialog;
}

std::optional<QString> LibraryCommands::ask(const QString& label, const QString& initial)
{
    return parts_.askText(&parts_.window, label, initial);
}

bool LibraryCommands::mayDeleteOpenFormula()
{
    const QString& path = parts_.document.FormulaPath();
    if (path.isEmpty()) {
        parts_.prompter.inform("Please save formula first.");
        return false;
    }
    if (parts_.document.FormulaProtected()) {
        parts_.prompter.error(fileNameOf(path) + " is protected and cannot be deleted.");
        return false;
    }
    return parts_.prompter.confirm("Are you sure you want to delete " + fileNameOf(path) + "?");
}

bool LibraryCommands::removeFormulaFile(const QString& path)
{
    if (movedToTrash(path))
        return true;
    // What cannot be removed either is said as it is, not offered.
    if (const auto problem = tintora::removalProblem(localPath(path))) {
        parts_.prompter.error(*problem);
        return false;
    }
    if (!parts_.prompter.confirm(
            fileNameOf(path) + " cannot be moved to the trash. Do you want to delete it for good?"))
        return false;
    const tintora::Result<> removed = tintora::removeFile(localPath(path));
    if (!removed)
        parts_.prompter.error(removed.problem());
    return removed.ok();
}

// The edits not saved yet are offered a save first, as New does: the file
// then goes to the trash with them, where they can still be recovered.
void LibraryCommands::Delete1Click()
{
    if (!mayDeleteOpenFormula() || !parts_.document.AskSave())
        return;
    const QString path = parts_.document.FormulaPath();
    if (!removeFormulaFile(path))
        return;
    forgetRecentFile(parts_.recentFiles, path, parts_.document.FormulaFolder());
    parts_.document.becomeUntitled();
    emit formulaDeleted();
}

void LibraryCommands::Find1Click()
{
    if (!frmFind_) {
        // The folders are asked at each search, so that a search follows where the formulas are kept now.
        frmFind_ = new TfrmFind(
            {[this] { return parts_.document.FormulaFolder(); }, [this] { return parts_.document.MaterialFolder(); },
                [this](const QString& file, int row) { openFoundRow(file, row); }},
            &parts_.window);
    }
    frmFind_->Execute();
}

// What is being typed in the grid is taken in first, as any command does,
// so that the question before the formula is replaced knows of it.
void LibraryCommands::openFoundRow(const QString& file, int row)
{
    parts_.gridEditor.commitPendingEdits();
    if (!parts_.document.OpenFile(file))
        return;
    parts_.gridEditor.focusMaterialCell(row);
    parts_.window.raise();
    parts_.window.activateWindow();
}

void LibraryCommands::CreateMaterial1Click()
{
    const std::optional<QString> code = ask(QStringLiteral("Material code:"), QString());
    if (!code)
        return;
    const QDate today = QDate::currentDate();
    const auto planNamed = [&](const QString& name) {
        return tintora::planMadeMaterial(parts_.sheet, localPath(parts_.document.MaterialFolder()),
            {code->toStdString(), name.toStdString(), localFileName(parts_.document.FormulaPath()),
                {today.year(), today.month(), today.day()}});
    };
    // Refused before the name is asked, so that no answer is given in vain;
    // the name changes nothing of what may be made.
    if (const tintora::MadeMaterialPlan refused = planNamed({}); !refused.ok()) {
        parts_.prompter.error(refused.problem);
        return;
    }
    const std::optional<QString> name
        = ask(QStringLiteral("Material name:"), QString::fromStdString(parts_.sheet.name()));
    if (!name)
        return;
    const tintora::MadeMaterialPlan plan = planNamed(*name);
    if (plan.replaces && !parts_.prompter.confirm(tintora::replaceMaterialQuestion(plan)))
        return;
    const tintora::Result<tintora::FileStamp> written = tintora::writeMadeMaterial(plan);
    if (!written) {
        parts_.prompter.error(written.problem());
        return;
    }
    parts_.gridEditor.refreshMaterialList();
    showStatus(QStringLiteral("The material %1 was written to %2.").arg(*code, fromLocalPath(plan.file)));
}

void LibraryCommands::showStatus(const QString& text)
{
    if (auto* mainWindow = qobject_cast<QMainWindow*>(&parts_.window))
        mainWindow->statusBar()->showMessage(text);
}

// What the open formula shows of a made material is what its file held when
// the formula was read: the formula is read again, by the same rules as after
// the material editor, once the files are written.
void LibraryCommands::UpdateMade1Click()
{
    parts_.gridEditor.closeFloatingControls();
    TfrmUpdateMade dialog(
        localPath(parts_.document.FormulaFolder()), localPath(parts_.document.MaterialFolder()), &parts_.window);
    const bool applied = parts_.runUpdateMade ? parts_.runUpdateMade(dialog) : dialog.exec() == QDialog::Accepted;
    if (!applied || dialog.changedCount() == 0)
        return;
    const QDate today = QDate::currentDate();
    const tintora::RemadeWritten written
        = tintora::writeRemadeMaterials(dialog.remade(), {today.year(), today.month(), today.day()});
    if (!written.problems.empty()) {
        std::string problems;
        for (const std::string& problem : written.problems)
            problems += (problems.empty() ? "" : "\n") + problem;
        parts_.prompter.error(problems);
    }
    parts_.document.reloadAfterMaterialsChanged(parts_.autoReload.isChecked());
    parts_.gridEditor.refreshMaterialList();
    const auto count = static_cast<qsizetype>(written.written.size());
    showStatus(count == 1 ? QStringLiteral("1 made material was written.")
                          : QStringLiteral("%1 made materials were written.").arg(count));
}

// Another window is another process of the same program, as a second start
// would be; it opens a step down and to the right of this one, as window
// managers cascade windows, so that it is not taken for this one.
void LibraryCommands::NewInstance1Click()
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QPoint cascaded = parts_.window.pos() + QPoint(CascadeStep, CascadeStep);
    environment.insert(
        QString::fromLatin1(PlaceAtVariable), QStringLiteral("%1,%2").arg(cascaded.x()).arg(cascaded.y()));
    process.setProcessEnvironment(environment);
    if (!process.startDetached())
        parts_.prompter.error("Cannot start another window of this program.");
}
