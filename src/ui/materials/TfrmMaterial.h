#pragma once
// The "Edit Materials" dialog: lists the material files of the folder it is
// opened on and shows the description, the eight properties and the two
// figures a material may leave out (oil absorption, EU VOC) of the
// file chosen in the list or typed into the file name box. New empties the
// boxes for a new material, Save writes them into the file the file name box
// names, Delete removes that file; values not saved are lost on closing only
// after a question.
#include "core/materials/MaterialBrowsing.h"
#include "core/materials/MaterialFile.h"
#include "core/prompt/Prompter.h"
#include "core/text/SafeWrite.h"

#include <QDialog>
#include <QIcon>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class MaterialListModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class TExplorerButton;
class TFnpNumericEdit;

class TfrmMaterial : public QDialog {
    Q_OBJECT
public:
    // The pictures of the New, Save and Delete buttons.
    struct Glyphs {
        QIcon New, Save, Delete;
    };
    TfrmMaterial(QWidget* mainWindow, const Glyphs& glyphs, tintora::Prompter& prompter);
    ~TfrmMaterial() override;

    // Runs the dialog modally on the material folder; the list starts on
    // the material of currentCode, the code of the grid's current row.
    int Execute(const QString& materialFolder, const std::string& currentCode);

    QListView* File32List() const { return File32List_; }
    QLineEdit* FileBox() const { return FileBox_; }
    QLineEdit* NameBox() const { return NameBox_; }
    QPushButton* btnClose() const { return btnClose_; }
    TExplorerButton* New1() const { return New1_; }
    TExplorerButton* Save1() const { return Save1_; }
    TExplorerButton* Delete1() const { return Delete1_; }
    // The property box shown for a material file key ("Cost", "Spec", "Pig_Wt", ...).
    TFnpNumericEdit* boxFor(const char* key) const;
    // The box of a key a material may leave out ("Oil_Abs", "EUVoc_Wt"): empty for no value.
    QLineEdit* optionalBoxFor(const char* key) const;

    // The names listed at the last opening.
    const std::vector<tintora::ListedFile>& listedFiles() const;

    void FormShow();
    void FileBoxChange();
    void File32ListClick();
    void File32ListChange();
    void btnCloseClick();
    void New1Click();
    // true when the boxes were written.
    bool Save1Click();
    void Delete1Click();
    tintora::Result<tintora::FileStamp> SetNumbers(const tintora::Material& material) const;
    void ClearNumbers();

    // Closing asks first when the boxes hold values not saved; Cancel keeps the dialog open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls(const Glyphs& glyphs);
    void createPropertyBoxes();
    void setTabOrders();
    void GetNumbers(std::size_t item);
    void setFileBoxText(const QString& text);
    // What the boxes show; a box whose text is no number fails with its
    // conversion error, for the general error report.
    tintora::Result<tintora::Material> shownMaterial() const;
    QStringList shownTexts() const;
    void keepShownValues();
    void listFolderAndSelect(const QString& fileName);
    // Whether Save may write file: it is not the file shown, or holds what it
    // held when read, or the user said Overwrite (Reload reads it again).
    bool mayOverwrite(const std::filesystem::path& file);

    tintora::Prompter& prompter_;
    QString MaterialFolder_;
    // The texts of the description and the boxes as last read, saved or emptied.
    QStringList kept_;
    std::string currentCode_;
    // The item last chosen in the list, which the file name box prefers while
    // its text names it.
    std::optional<std::size_t> chosenItem_;
    // The item whose values the boxes show, if it is still listed.
    std::optional<std::size_t> shownItem_;
    // The file the boxes were last read from, and what it held then.
    std::filesystem::path shownFile_;
    tintora::FileStamp shownStamp_;

    MaterialListModel* model_ = nullptr;
    QListView* File32List_ = nullptr;
    QLineEdit* FileBox_ = nullptr;
    QLineEdit* NameBox_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    TExplorerButton* New1_ = nullptr;
    TExplorerButton* Save1_ = nullptr;
    TExplorerButton* Delete1_ = nullptr;
    std::vector<TFnpNumericEdit*> boxes_;  // in the order of the property table
    std::vector<QLineEdit*> optionalBoxes_;  // in the order of the optional keys' table
};
