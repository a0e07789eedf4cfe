#pragma once

// TFnpNumericEdit: a one-line box that always shows a number with a fixed
// count of decimals, in the display format "0.000" (for 3 decimals), with the
// point whatever the locale (a comma typed under a decimal-comma locale is
// taken as the point, see DecimalSign.h). Typing, input-method commits,
// Backspace, Delete, cut, paste and the middle-button paste of the X11
// selection all go through NumericEditRules, so the text stays a well-formed
// number; dropping text is off. Enter and Escape are left to the window (its default and cancel
// buttons), also when the box is read-only.

#include "ui/widgets/NumericEditRules.h"

#include <QLineEdit>

#include <optional>

class TFnpNumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFnpNumericEdit(QWidget* parent = nullptr);

    int Decimals() const { return m_decimals; }
    void setDecimals(int decimals);  // clamped to 0 ... 9
    // The number the text shows; nullopt for a text that is no number, which
    // the box's own editing never produces (only setText can).
    std::optional<double> Value() const;
    // "'<text>' is not a valid floating point value": why Value has none.
    QString conversionError() const;
    void setValue(double value);
    double MinValue() const { return m_minValue; }
    double MaxValue() const { return m_maxValue; }
    void setMinValue(double value) { m_minValue = value; }
    void setMaxValue(double value) { m_maxValue = value; }
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool value) { m_autoSelect = value; }

    QChar decimalSeparator() const;
    NumericEditRules rules() const;
    QSize sizeHint() const override;

    void cutToClipboard();
    void pasteFromClipboard();

signals:
    void OnChange();  // after every change of the text
    void OnValidChange();  // after a change whose value is in range
    void OnInvalidEntry();  // focus lost with a value out of range
    void OnKeyPress(QChar key);  // a typed character, before the rules run
    void OnDblClick();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // The text of the selection clipboard, where the platform has one.
    virtual QString selectionText() const;

private:
    NumericEditState state() const;
    void apply(const NumericEditState& state);
    bool inRange(double value) const;
    void textWasChanged();
    void typeText(const QString& text);
    bool editWithClipboardOrDelete(QKeyEvent* event);
    static bool isCaretMovement(const QKeyEvent* event);
    static QChar typedCharacter(const QKeyEvent* event);

    int m_decimals = 2;
    double m_minValue = 0;
    double m_maxValue = 0;
    bool m_autoSelect = true;
    bool m_silent = false;
};
