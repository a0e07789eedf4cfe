#pragma once
// Edit > Find: where is a material used? The user types a material's code
// (any letter case) or words of its name; the window lists every row of every
// formula in the Formulas folder that uses it, as the search finds them, and
// the files it could not read with the reason. A double click or Enter on a
// row opens that formula in the main window at that row. The window is not
// modal: the main window stays usable while it searches and after. With a
// price in New cost, a search by code also lists each formula's cost per
// gallon now, at that price, and the change, worked out after the search on
// its thread.
#include "core/materials/PriceChanges.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class FindResultsModel;
class QLabel;
class QLayout;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class QTimer;
class WhereUsedSearch;

class TfrmFind : public QDialog {
    Q_OBJECT
public:
    struct Parts {
        // Asked at each search, so that a changed folder counts from the next one.
        std::function<QString()> formulaFolder;
        std::function<QString()> materialFolder;
        // Opens the formula file in the main window with the row current (after
        // asking to save the open formula; nothing changes when the user cancels).
        std::function<void(const QString& file, int row)> openAt;
    };
    explicit TfrmFind(Parts parts, QWidget* parent = nullptr);
    // Stops a search still running and waits for it.
    ~TfrmFind() override;

    // Shows the window, or raises it when shown, ready to type.
    void Execute();
    bool searching() const { return search_ != nullptr; }

    QLineEdit* FindBox() const { return findBox_; }
    QLineEdit* NewCostBox() const { return newCostBox_; }
    QLabel* NewCostNote() const { return newCostNote_; }  // says when New cost holds no price
    QPushButton* FindButton() const { return findButton_; }
    QTableView* ResultList() const { return resultList_; }
    QLabel* StatusLabel() const { return statusLabel_; }
    FindResultsModel* results() const { return results_; }

    // Closing the window (Escape, its close box) stops the search.
    void done(int result) override;

    // Where the window's frame goes on the screen's `area`, never over its
    // owner's frame while the screen has room: to the right or the left when
    // `minimum` fits there, narrowed to the room; else below or above,
    // lowered to the room; else as large as it is, inside the screen.
    static QRect placement(const QRect& area, const QRect& ownerFrame, QSize frame, QSize minimum);

signals:
    // A search ended: it went through, was stopped or could not start.
    void searchEnded();

private:
    void createLayout();
    QLayout* createQueryRow();
    void placeBesideOwner();
    void FindButtonClick();
    void startSearch();
    void stopSearch();
    // Moves what the search found into the list; at its end, says how it went.
    void takeFound();
    void showOutcome(bool stopped, int filesLookedAt, const QString& failure);
    void showCostOutcome(const tintora::Result<tintora::CostChangeAnswer>& cost);
    // The price in New cost, saying beside it when the text is none; nothing when empty.
    std::optional<double> newCost();
    void ResultListActivated(const QModelIndex& index);
    void setSearching(bool on);
    // Shows or hides the three cost columns; the first time they show, the
    // window grows by their room (within the screen) rather than squeeze
    // the formula's name.
    void showCostColumns(bool shown);

    Parts parts_;
    QLineEdit* findBox_ = nullptr;
    QLineEdit* newCostBox_ = nullptr;
    QLabel* newCostNote_ = nullptr;
    QPushButton* findButton_ = nullptr;
    QTableView* resultList_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    FindResultsModel* results_ = nullptr;
    QTimer* takeTimer_ = nullptr;
    bool placed_ = false;  // placed once; then where the user leaves it
    bool grownForCosts_ = false;
    QString query_;  // as the running or last search was asked
    std::unique_ptr<WhereUsedSearch> search_;  // while one runs
};
