#pragma once
// Options > Folders...: the folder Tintora opens and saves formulas in, and
// the folder it reads and writes materials in; they may differ. Each is typed
// or chosen with Browse...; OK refuses a folder that cannot serve, saying why
// through the prompter, and the dialog stays open for another choice.
#include "core/formulas/KeptFolders.h"
#include "core/prompt/Prompter.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QGridLayout;
class QLineEdit;

// A folder dialog: the folder chosen, or an empty text when cancelled.
using FolderChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& start)>;
// The program's own folder dialog, which knows the help topic of Folders.
QString chooseFolderByDialog(QWidget* parent, const QString& caption, const QString& start);

struct FormulaAndMaterialFolders {
    QString formulas;
    QString materials;
};

class TfrmFolders : public QDialog {
    Q_OBJECT
public:
    struct Parts {
        tintora::Prompter& prompter;
        FolderChooser chooseFolder;  // chooseFolderByDialog when empty
        std::function<void(const QString& anchor)> openHelp;  // the Help button
    };
    TfrmFolders(Parts parts, QWidget* parent);

    // Shows the dialog on the folders in use; the folders accepted by OK, as
    // full paths without a trailing "/", or nothing when cancelled.
    std::optional<FormulaAndMaterialFolders> Execute(const FormulaAndMaterialFolders& current);

    QLineEdit* FormulasEdit() const { return formulasEdit_; }
    QLineEdit* MaterialsEdit() const { return materialsEdit_; }

    // OK: both folders must serve; the first that cannot is named and gets the focus.
    void accept() override;

private:
    QLineEdit* addFolderRow(QGridLayout& grid, int row, tintora::FolderKind kind);
    void browse(QLineEdit& edit, tintora::FolderKind kind);
    FormulaAndMaterialFolders typed() const;

    Parts parts_;
    QLineEdit* formulasEdit_ = nullptr;
    QLineEdit* materialsEdit_ = nullptr;
};
