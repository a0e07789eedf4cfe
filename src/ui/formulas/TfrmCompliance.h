#pragma once
// Table ▸ Compliance...: a window beside the main window that shows the
// formula against its VOC category: the category and the product's type
// chosen, the VOC in the category's basis with the limit, the margin and the
// verdict; the US and the EU VOC side by side; PVC, CPVC and Λ; the materials
// whose missing figures make a reading unknown or approximate; and what was
// wrong with the table of limits. It stays open while the user works and
// follows the sheet; a choice made in it is handed on, never written into
// the sheet here, so that the main window records it as a step.
#include "core/compliance/Compliance.h"
#include "core/sheet/FormulaSheet.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;

class TfrmCompliance : public QDialog {
    Q_OBJECT
public:
    using OpenHelp = std::function<void(const QString& anchor)>;
    static constexpr const char* HelpTopic = "compliance";

    // sheet: the main window's sheet, which the window reads at each refresh.
    TfrmCompliance(const tintora::FormulaSheet& sheet, OpenHelp openHelp, QWidget* parent = nullptr);

    // Before the first showing: beside window.
    void placeBeside(const QWidget& window);
    // The table of limits, read again at each opening; the window refreshes.
    void setLimits(tintora::VocLimitsTable limits);
    // Shows the sheet as it is now.
    void refresh();

    QComboBox* categoryBox() const { return category_; }
    QComboBox* typeBox() const { return type_; }
    QLabel* verdictLabel() const { return verdict_; }

signals:
    // The user chose a category ("(none)": an empty id) or a type.
    void choiceMade(const tintora::ComplianceChoice& choice);

private:
    void buildLayout();
    QWidget* buildChoice();
    QWidget* buildVerdict();
    QWidget* buildContents();
    QWidget* buildFilmBuild();
    void fillCategories();
    void showChoice();
    void showVerdict(const tintora::VocCategory* category);
    void showContents();
    void showFilmBuild(const tintora::FilmBuild& film);
    void showNotes(const tintora::VocCategory* category, const tintora::FilmBuild& film);
    void choose();

    const tintora::FormulaSheet& sheet_;
    OpenHelp openHelp_;
    tintora::VocLimitsTable limits_;
    QComboBox* category_ = nullptr;
    QComboBox* type_ = nullptr;
    QLabel* vocCaption_ = nullptr;
    QLabel* voc_ = nullptr;
    QLabel* limit_ = nullptr;
    QLabel* margin_ = nullptr;
    QLabel* verdict_ = nullptr;
    QLabel* usVoc_ = nullptr;
    QLabel* euVoc_ = nullptr;
    QLabel* pvc_ = nullptr;
    QLabel* cpvc_ = nullptr;
    QLabel* lambda_ = nullptr;
    QLabel* notes_ = nullptr;
    QLabel* problems_ = nullptr;
};
