#pragma once
// The keypad panel that floats under the current Weight or Volume cell of a
// material row and uses that cell as its display. The window shows it with
// openFor, places it (positionAt) and hides it when the user leaves the cell.
#include "core/calc/PanelCalculate.h"
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"

#include <QFrame>

#include <string>

class QPushButton;

class CalcPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 113;
    static constexpr int PanelHeight = 110;

    CalcPanel(tintora::FormulaSheet& sheet, tintora::CalculatorState& calculator, tintora::Prompter& prompter,
        QWidget* parent = nullptr);

    // Shows the panel for the Weight (3) or Volume (4) cell of a material row
    // and gives it the focus. The calculator goes on from the cell's number;
    // savedCellText is what the cell held when the user clicked it, to return
    // to when a value exceeds the row limit.
    void openFor(int col, int row, const std::string& savedCellText);
    int displayCol() const { return tintora::FormulaSheet::index(cell_.column); }
    int displayRow() const { return cell_.row; }

    // Where the panel goes for a cell: under it when it fits above the grid's
    // bottom, else above it. cell is in the grid's coordinates, gridTopLeft
    // and the result in the panel's parent's.
    static QPoint positionAt(const QRect& cell, QPoint gridTopLeft, int gridHeight);

    QPushButton* button(const char* name) const;

    // The one handler of the eighteen buttons.
    void Button1Click(char tag, bool isAccept);

signals:
    // A key changed the display cell and its partner: the sheet is to be shown again.
    void cellsChanged();
    // Accept filled the partner, ran Calculate and hid the panel; the grid takes the focus.
    void accepted();

private:
    QPushButton* addButton(const char* name, const QString& caption, char tag, QRect geometry);

    tintora::FormulaSheet& sheet_;
    tintora::CalculatorState& calculator_;
    tintora::Prompter& prompter_;
    tintora::PanelCell cell_;
    std::string savedCellText_;
};
