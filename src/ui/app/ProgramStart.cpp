#include "ui/app/ProgramStart.h"

#include "ui/app/DesktopSounds.h"
#include "ui/app/LetAppear.h"
#include "ui/app/QtPrompter.h"
#include "ui/app/QuitOnFirstPaint.h"
#include "ui/app/TfrmAbout.h"
#include "ui/app/TfrmMain.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TMRUFileList.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace {

// Shows the dialog on the chosen file's name and gives the file picked, or an
// empty text when cancelled. The program's own dialog, for a desktop's native
// one would not know its help topic.
QString runFileDialog(QFileDialog& dialog, const QString& initialFile)
{
    dialog.setProperty("HelpContext", 120);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!initialFile.isEmpty())
        dialog.selectFile(QFileInfo(initialFile).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

Program::~Program() = default;

QString chooseFormulaFile(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile)
{
    QFileDialog dialog(parent, QStringLiteral("Open"), folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return runFileDialog(dialog, initialFile);
}

// The dialog appends the suffix before it asks whether to replace an existing file.
QString runSaveDialog(QFileDialog& dialog, const QString& suffix, const QString& initialFile)
{
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    return runFileDialog(dialog, initialFile);
}

QString chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile)
{
    QFileDialog dialog(parent, QStringLiteral("Save As"), folder, filter);
    return runSaveDialog(dialog, QStringLiteral("tfx"), initialFile);
}

QString chooseWorkbookFile(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile)
{
    QFileDialog dialog(parent, QStringLiteral("Excel Out"), folder, filter);
    return runSaveDialog(dialog, QStringLiteral("xlsx"), initialFile);
}

void placeAsAsked(QWidget& window)
{
    const QStringList at = qEnvironmentVariable(PlaceAtVariable).split(QLatin1Char(','));
    qunsetenv(PlaceAtVariable);
    bool xRead = false;
    bool yRead = false;
    const QPoint place(at.value(0).toInt(&xRead), at.value(1).toInt(&yRead));
    // The window keeps itself on the screen once it is framed.
    if (at.size() == 2 && xRead && yRead)
        window.move(place);
}

std::unique_ptr<Program> startProgram(const tintora::ProgramFiles& files, const QString& formulaToOpen)
{
    auto program = std::make_unique<Program>();
    program->sounds = std::make_unique<DesktopSounds>();
    program->prompter = std::make_unique<QtPrompter>(*program->sounds, nullptr);

    program->frmAbout = std::make_unique<TfrmAbout>();
    program->frmAbout->showAsSplash();

    MainWindowServices services;
    services.prompter = program->prompter.get();
    services.sounds = program->sounds.get();
    services.chooseFormulaFile = chooseFormulaFile;
    services.chooseSaveFile = chooseSaveFile;
    services.chooseWorkbookFile = chooseWorkbookFile;
    services.chooseFolder = chooseFolderByDialog;
    services.formulaFolder = fromLocalPath(files.formulaFolder);
    services.helpFile = fromLocalPath(files.helpFile);
    services.splash = program->frmAbout.get();
    program->frmMain = std::make_unique<TfrmMain>(std::move(services));
    program->prompter->setParentWidget(program->frmMain.get());
    placeAsAsked(*program->frmMain);

    if (qEnvironmentVariableIsSet("TINTORA_QUIT_WHEN_SHOWN"))
        new QuitOnFirstPaint(program->frmMain.get(), &program->endsAfterStartUp);
    program->frmMain->show();
    letAppear(*program->frmMain);
    if (!program->endsAfterStartUp)  // the start-up measurement ends at the first paint
        program->frmMain->FormActivate();
    program->frmAbout->hide();
    // After the start, so that no message box hides under the splash.
    if (!files.problem.empty())
        program->prompter->error("Tintora " + files.problem + "; it shows the samples installed with it instead.");
    for (const QString& problem : program->frmMain->FolderProblems())
        program->prompter->error(problem.toStdString());
    if (const QString problem = program->frmMain->MRUList()->SettingsProblem(); !problem.isEmpty())
        program->prompter->error(problem.toStdString());
    if (!formulaToOpen.isEmpty())
        program->frmMain->openFormula(formulaToOpen);
    return program;
}
