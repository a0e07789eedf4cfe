#pragma once
// Editing in the main window's grid: the grid's events mapped onto the typing
// rules and row commands of the core, and the small controls that float over
// the grid (the drop buttons, the material list, the note editor and the
// keypad panel). It changes the sheet and says so; the window shows it.
#include "core/prompt/Prompter.h"
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/GridEditState.h"

#include <QObject>
#include <QString>

class CalcPanel;
class QLineEdit;
class QListView;
class QMainWindow;
class QMenu;
class QStringListModel;
class QToolButton;
class TSuperGrid;

namespace tintora {
struct CalculatorState;
}

class GridEditor : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QMainWindow& window;  // holds the floating controls and the status line
        TSuperGrid& grid;
        tintora::FormulaSheet& sheet;
        tintora::Prompter& prompter;
        tintora::CalculatorState& calculator;  // shared with the keypad dialog
        QMenu& popupMenu;
    };
    explicit GridEditor(const Parts& parts);

    // Another folder is listed afresh, whatever its modification time.
    void setMaterialFolder(const QString& folder)
    {
        if (folder != MaterialFolder_)
            fileListStamp_ = -1;
        MaterialFolder_ = folder;
    }

    tintora::GridEditState& editState() { return edit_; }
    QToolButton* Drop1() const { return drop1_; }
    QToolButton* Drop2() const { return drop2_; }
    QListView* File32List() const { return fileList_; }
    QLineEdit* DescBox() const { return descBox_; }
    CalcPanel* calcPanel() const { return calcPanel_; }

    void AlignButtons();
    void Drop1Click();
    void Drop2Click();
    void File32Close();
    void RMInsert1Click();
    void RMDelete1Click();
    void MarkAll1Click();
    void UnmarkAll1Click();
    void FlipMarked1Click();
    void mCutClick();
    void mCopyClick();
    void mPasteClick();
    void Add1Click();

    // Stores a note being typed and hides the drop buttons, as on scrolling.
    void hideCellEditors();
    // Takes what is being typed into the sheet, as leaving it would: a note
    // still in its editor is stored, a code typed into the current Material
    // cell loaded. Runs by itself before every shortcut, every click outside
    // the grid and its editors, and the closing of the window, so that no
    // command reads, writes or replaces the sheet without it.
    void commitPendingEdits();
    // Before Undo and Redo: besides the above, a number being typed into a
    // Weight or Volume cell or on the keypad panel is taken in as a step of
    // its own, so that Undo takes back that step and Redo gives it again.
    void takeInTyping();
    // Hides the material list and the keypad panel and clears the status line.
    void closeFloatingControls();
    // Undo or Redo put another sheet in place: what the current cell holds now
    // is what Escape restores and what leaving it compares with, so that
    // leaving it reloads no material that nobody typed.
    void sheetReplaced();
    // Start-up and every load end on row 1's Material cell, ready to type a code.
    void focusFirstMaterialCell() { focusMaterialCell(1); }
    // A row found by Edit > Find: its Material cell, scrolled into view.
    void focusMaterialCell(int row);
    // Lists the material folder again if it changed since the last listing.
    void refreshMaterialList();

signals:
    // The sheet changed: the window shows it again. step names the change for
    // Undo ("Paste Row"); empty while it is no step yet (keys still being typed).
    void sheetChanged(const QString& step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createFloatingControls();
    void createMaterialList();
    void createNoteEditor();
    void connectGrid();
    void Grid1SelectCell(int col, int row, bool& canSelect);
    void Grid1Click();
    void Grid1KeyPress(QChar key);
    void Grid1MouseDown(Qt::MouseButton button);
    void Grid1MouseUp(Qt::MouseButton button, QPoint pos);
    void Grid1DblClick();
    void Grid1CheckBoxClick(int row);
    void Grid1TopLeftChanged();
    void DescBoxExit();
    void GridExit();
    void watchCommandStarts();
    bool startsCommand(const QObject* watched, const QEvent* event) const;
    bool isEditingControl(const QWidget* widget) const;
    void MatStatus(const QString& fileName);
    QString selectedMaterialFile() const;
    void selectCurrentCode(bool hadSelection);

    QMainWindow& window_;
    TSuperGrid& grid_;
    tintora::FormulaSheet& sheet_;
    tintora::Prompter& prompter_;
    QMenu& popupMenu_;
    QString MaterialFolder_;

    tintora::GridEditState edit_;
    QToolButton* drop1_ = nullptr;
    QToolButton* drop2_ = nullptr;
    QListView* fileList_ = nullptr;
    QStringListModel* fileListModel_ = nullptr;
    qint64 fileListStamp_ = -1;  // the folder's modification time when it was last listed
    QLineEdit* descBox_ = nullptr;
    int noteRow_ = 0;  // the row whose note the editor holds
    CalcPanel* calcPanel_ = nullptr;
};
