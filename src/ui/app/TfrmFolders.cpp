#include "ui/app/TfrmFolders.h"

#include "ui/widgets/LocalPath.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString HelpTopic = QStringLiteral("folders");

// A path as typed, tidied: no doubled or trailing "/", no "." or ".." steps.
QString tidied(const QString& typed)
{
    return typed.isEmpty() ? typed : QDir::cleanPath(typed);
}

}  // namespace

QString chooseFolderByDialog(QWidget* parent, const QString& caption, const QString& start)
{
    // The program's own dialog, as for the open and save dialogs: a desktop's
    // native one would not know the help topic.
    QFileDialog dialog(parent, caption);
    dialog.setProperty("HelpContext", HelpTopic);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    // Opened inside the folder in use, the list would show only its subfolders
    // (often none); beside it, with it selected, the folders next to it show.
    const QFileInfo current(start);
    if (current.isDir() && !current.isRoot()) {
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    } else {
        dialog.setDirectory(start);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

TfrmFolders::TfrmFolders(Parts parts, QWidget* parent)
    : QDialog(parent)
    , parts_(std::move(parts))
{
    setObjectName(QStringLiteral("frmFolders"));
    setWindowTitle(QStringLiteral("Folders"));
    setProperty("HelpContext", HelpTopic);
    if (!parts_.chooseFolder)
        parts_.chooseFolder = chooseFolderByDialog;

    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    formulasEdit_ = addFolderRow(*grid, 0, tintora::FolderKind::Formulas);
    materialsEdit_ = addFolderRow(*grid, 1, tintora::FolderKind::Materials);
    column->addLayout(grid);

    auto* buttons
        = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmFolders::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmFolders::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (parts_.openHelp)
            parts_.openHelp(HelpTopic);
    });
    // Room for a path of some depth without scrolling the box.
    formulasEdit_->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    // Wider for a long path; taller would only add empty space.
    setSizeGripEnabled(true);
    setMaximumHeight(sizeHint().height());
}

QLineEdit* TfrmFolders::addFolderRow(QGridLayout& grid, int row, tintora::FolderKind kind)
{
    const bool formulas = kind == tintora::FolderKind::Formulas;
    auto* edit = new QLineEdit(this);
    edit->setObjectName(formulas ? QStringLiteral("FormulasFolder") : QStringLiteral("MaterialsFolder"));
    auto* label
        = new QLabel(formulas ? QStringLiteral("&Formulas folder:") : QStringLiteral("&Materials folder:"), this);
    label->setBuddy(edit);
    auto* browseButton = new QPushButton(formulas ? QStringLiteral("&Browse...") : QStringLiteral("B&rowse..."), this);
    browseButton->setObjectName(formulas ? QStringLiteral("BrowseFormulas") : QStringLiteral("BrowseMaterials"));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, [this, edit, kind] { browse(*edit, kind); });
    grid.addWidget(label, row, 0);
    grid.addWidget(edit, row, 1);
    grid.addWidget(browseButton, row, 2);
    return edit;
}

void TfrmFolders::browse(QLineEdit& edit, tintora::FolderKind kind)
{
    const QString caption = QStringLiteral("Choose the %1").arg(QString::fromLatin1(tintora::folderCaption(kind)));
    const QString chosen = parts_.chooseFolder(this, caption, edit.text());
    if (!chosen.isEmpty())
        edit.setText(tidied(chosen));
}

FormulaAndMaterialFolders TfrmFolders::typed() const
{
    return {tidied(formulasEdit_->text()), tidied(materialsEdit_->text())};
}

void TfrmFolders::accept()
{
    const FormulaAndMaterialFolders folders = typed();
    const std::pair<QLineEdit*, tintora::FolderKind> rows[]
        = {{formulasEdit_, tintora::FolderKind::Formulas}, {materialsEdit_, tintora::FolderKind::Materials}};
    for (const auto& [edit, kind] : rows) {
        const QString folder = kind == tintora::FolderKind::Formulas ? folders.formulas : folders.materials;
        if (const std::string problem = tintora::folderProblem(kind, localFileName(folder)); !problem.empty()) {
            parts_.prompter.error(problem);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    QDialog::accept();
}

std::optional<FormulaAndMaterialFolders> TfrmFolders::Execute(const FormulaAndMaterialFolders& current)
{
    formulasEdit_->setText(current.formulas);
    materialsEdit_->setText(current.materials);
    formulasEdit_->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return typed();
}
