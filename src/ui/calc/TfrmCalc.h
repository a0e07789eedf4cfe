#pragma once
// The keypad dialog: a small modal calculator in which the user types the new
// value of a target recalculation. Every key typed anywhere in the dialog
// reaches FormKeyPress; Enter accepts as the OK button does.
#include "core/calc/KeypadDialog.h"
#include "core/calc/PanelCalculate.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

class QLabel;
class QLineEdit;
class QToolButton;

class TfrmCalc : public QDialog, public tintora::KeypadDialog {
    Q_OBJECT
public:
    // The client area: the keys, and under them the target's name, which a
    // window manager's title bar cannot show whole at this width.
    static constexpr int ClientWidth = 113;
    static constexpr int TargetLabelTop = 129;
    static constexpr int TargetLabelHeight = 16;
    static constexpr int ClientHeight = TargetLabelTop + TargetLabelHeight;
    // Where the dialog appears: 200 right and 125 below the main window's
    // corner, kept on the screen.
    static QPoint placement(const QRect& mainWindowFrame, QSize dialogFrame, QSize screen);

    explicit TfrmCalc(QWidget* mainWindow = nullptr);

    // Runs the dialog modally on the given calculator state.
    std::optional<std::string> ask(
        std::string_view caption, std::string_view display, tintora::CalculatorState& state) override;

    QLineEdit* NumberBox() const { return numberBox_; }
    QLabel* TargetLabel() const { return targetLabel_; }
    QToolButton* button(const char* name) const;
    // The calculator the dialog works on: the one given to ask while it runs.
    tintora::CalculatorState& calculator() { return *state_; }

    void FormKeyPress(char key);
    void SpeedButton1Click(char tag);
    void OKSpeedButtonClick();
    void CancelSpeedButtonClick();

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void createButtons();
    QToolButton* addButton(const char* name, const QString& caption, QRect geometry);
    // A typed key: true when the dialog used it.
    bool typedKey(const QKeyEvent& event);

    tintora::CalculatorState ownState_;
    tintora::CalculatorState* state_ = &ownState_;
    QLineEdit* numberBox_ = nullptr;
    QLabel* targetLabel_ = nullptr;
};
