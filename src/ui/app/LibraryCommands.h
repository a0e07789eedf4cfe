#pragma once
// The commands that work on the formula library rather than on the sheet:
// File > Delete, Edit > Find, Table > Materials > Create Material and
// Update Made Materials, and Options > New Instance. The file work is the core's; this class asks the
// user and shows the outcome.
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class FormulaDocument;
class GridEditor;
class QAction;
class QWidget;
class TMRUFileList;
class TfrmFind;
class TfrmUpdateMade;

// A one-line question: the text typed, or nothing when cancelled.
using TextAsker = std::function<std::optional<QString>(QWidget* parent, const QString& label, const QString& initial)>;
// Shows the dialog of Update Made Materials; whether Apply closed it.
using UpdateMadeRunner = std::function<bool(TfrmUpdateMade& dialog)>;

class LibraryCommands : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;  // the dialogs' parent and this object's owner
        tintora::FormulaSheet& sheet;
        FormulaDocument& document;
        GridEditor& gridEditor;
        tintora::Prompter& prompter;
        TMRUFileList& recentFiles;
        TextAsker askText;  // a line-edit dialog when empty
        const QAction& autoReload;  // checked: the formula is read again after materials changed
        UpdateMadeRunner runUpdateMade;  // modal when empty
    };
    explicit LibraryCommands(Parts parts);

    void Delete1Click();
    // Shows the Find window, made once and kept, so it keeps its list between openings.
    void Find1Click();
    void CreateMaterial1Click();
    // Every made material made again from its formula, shown before anything
    // is written; Apply writes the changed ones and the open formula is read
    // again as after the material editor.
    void UpdateMade1Click();
    void NewInstance1Click();

signals:
    // The open formula's file went: the sheet is untitled and empty.
    void formulaDeleted();

private:
    bool mayDeleteOpenFormula();
    // To the desktop's trash, or for good when the user agrees; false when the file stays.
    bool removeFormulaFile(const QString& path);
    std::optional<QString> ask(const QString& label, const QString& initial);
    // A row Find listed: its formula opened as File > Open opens one, with the row current.
    void openFoundRow(const QString& file, int row);
    void showStatus(const QString& text);

    Parts parts_;
    TfrmFind* frmFind_ = nullptr;  // a child of the window, made on first use
};
