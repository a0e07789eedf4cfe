#pragma once
// The formula properties dialog: the protection flag, the revision date, the
// test specs and the notes that a formula file keeps beside the formula.
// It reads the file each time it opens; OK writes what was changed back into
// the file, Cancel drops it.
#include "core/formulas/FormulaProperties.h"
#include "core/formulas/FormulaWrite.h"
#include "core/prompt/Prompter.h"
#include "core/text/SafeWrite.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QDateEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TfrmSpec;

class TfrmProper : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 368;
    static constexpr int ClientHeight = 402;

    // The main window is the parent; the dialog appears relative to its corner.
    TfrmProper(tintora::Prompter* prompter, QWidget* mainWindow);

    // Shows the dialog modally on the formula file; formulaProtected is the
    // flag the last formula load left.
    int Execute(const QString& formulaPath, bool formulaProtected);

    TfrmSpec* frmSpec() const { return frmSpec_; }
    QTabWidget* PageControl1() const { return pageControl_; }
    QCheckBox* chkProtect() const { return chkProtect_; }
    QDateEdit* edtDate() const { return edtDate_; }
    QTreeWidget* SpecView() const { return specView_; }
    QPlainTextEdit* Memo1() const { return memo_; }
    QPushButton* btnAdd() const { return btnAdd_; }
    QPushButton* btnEdit() const { return btnEdit_; }
    QPushButton* btnDelete() const { return btnDelete_; }
    QPushButton* btnClear() const { return btnClear_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

    // The protection OK wrote into the file.
    bool savedProtection() const { return savedProtection_; }
    // What the file held just before OK wrote it, and after.
    const tintora::FileStamp& stampBeforeSave() const { return stampBeforeSave_; }
    const tintora::FileStamp& stampAfterSave() const { return stampAfterSave_; }

    // The test specs as the list holds them now.
    const std::vector<tintora::TestSpecEntry>& testSpecs() const { return specs_; }

    void btnAddClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnClearClick();
    // Writes the date, the protection, the test specs and the notes; the
    // dialog stays open when the file cannot be written.
    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* addPage(const QString& name, const QString& caption);
    void createGeneralPage();
    void createSpecsPage();
    void createNotesPage();
    void FormShow();
    void placeOnScreen();
    // Shows the stored date; returns the problem of a text that is no date.
    std::string showDate(const std::optional<std::string>& stored);
    // A list item for the entry of specs_ at the list's end.
    void appendSpecItem();
    void showSpecItem(int index);
    std::optional<int> selectedSpec() const;
    tintora::FormulaProperties shownProperties() const;
    std::optional<std::string> shownDate() const;
    // Whether OK may write: the file is as read, or the user said Overwrite.
    bool mayOverwrite();

    tintora::Prompter* prompter_;
    QString formulaPath_;
    bool formulaProtected_ = false;
    bool savedProtection_ = false;
    // What the file held when the dialog read it.
    tintora::FileStamp stampWhenRead_;
    tintora::FileStamp stampBeforeSave_;
    tintora::FileStamp stampAfterSave_;
    // The "Date" value read at the opening, kept when it was no date and the field was left alone.
    std::optional<std::string> storedDate_;
    std::vector<tintora::TestSpecEntry> specs_;
    // What the dialog showed when it opened: OK writes only what differs from it.
    tintora::PropertiesChoice opened_;

    TfrmSpec* frmSpec_ = nullptr;
    QTabWidget* pageControl_ = nullptr;
    QCheckBox* chkProtect_ = nullptr;
    QDateEdit* edtDate_ = nullptr;
    QTreeWidget* specView_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnClear_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
