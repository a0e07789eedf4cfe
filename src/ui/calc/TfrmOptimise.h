#pragma once
// Recalc ▸ Optimise...: the material rows with whether each may vary and
// between which weights, the limits on the figures, the total kept and the
// cost minimised. Optimise shows the cheapest formula beside the present one
// without touching the sheet; Apply closes the dialog with it, Cancel without.
#include "core/calc/Optimisation.h"
#include "core/text/Result.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TfrmOptimise : public QDialog {
    Q_OBJECT
public:
    using OpenHelp = std::function<void(const QString& anchor)>;
    static constexpr const char* HelpTopic = "optimise";

    TfrmOptimise(const tintora::FormulaSheet& sheet, const tintora::OptimiseSettings& start, OpenHelp openHelp,
        QWidget* parent = nullptr);

    // The settings as the dialog shows them, or the first entry that is no
    // number, named.
    tintora::Result<tintora::OptimiseSettings> settings() const;
    // The Optimise button: the cheapest formula, shown beside the present one.
    void Optimise();
    // What the last Optimise found; nothing before it, after a refusal, and
    // once a setting changed since.
    const std::optional<tintora::OptimisedFormula>& found() const { return found_; }
    // The settings the last Optimise ran with, whatever it found.
    const std::optional<tintora::OptimiseSettings>& ranWith() const { return ranWith_; }
    // The refusal, the conflict or the limits missed after rounding, as shown.
    QString message() const;

private:
    void buildLayout();
    QWidget* buildTotals();
    void fillRows(const tintora::OptimiseSettings& start);
    void fillFigures(const tintora::OptimiseSettings& start);
    void showFound();
    void showMessage(const QString& shown);
    void settingsChanged();
    tintora::Result<std::vector<tintora::VariedRow>> variedRows() const;
    tintora::Result<std::vector<tintora::FigureLimit>> limits() const;

    tintora::FormulaSheet sheet_;  // the present formula, calculated
    std::vector<int> rows_;  // the sheet row of each line of the rows table
    OpenHelp openHelp_;
    QTableWidget* rowsTable_ = nullptr;
    QTableWidget* figuresTable_ = nullptr;
    QComboBox* kept_ = nullptr;
    QLineEdit* keptValue_ = nullptr;
    QComboBox* objective_ = nullptr;
    QLabel* costs_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    std::optional<tintora::OptimisedFormula> found_;
    std::optional<tintora::OptimiseSettings> ranWith_;
    bool filling_ = false;  // the tables are being filled: no setting changed
};
