#include "ui/widgets/TFnpNumericEdit.h"

#include "ui/widgets/DecimalSign.h"
#include "ui/widgets/WidgetAccessibility.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

TFnpNumericEdit::TFnpNumericEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAcceptDrops(false);  // dropped text would bypass the rules
    widgetaccessibility::install();
    setText(formatNumericValue(0, m_decimals, decimalSeparator()));
    connect(this, &QLineEdit::textChanged, this, &TFnpNumericEdit::textWasChanged);
}

QChar TFnpNumericEdit::decimalSeparator() const
{
    return u'.';
}

NumericEditRules TFnpNumericEdit::rules() const
{
    NumericEditRules r;
    r.decimals = m_decimals;
    r.decimalSeparator = decimalSeparator();
    r.minValue = m_minValue;
    return r;
}

QSize TFnpNumericEdit::sizeHint() const
{
    return {73, QLineEdit::sizeHint().height()};
}

void TFnpNumericEdit::setDecimals(int decimals)
{
    decimals = std::clamp(decimals, 0, 9);
    const auto current = parseNumericValue(text(), decimalSeparator());
    m_decimals = decimals;
    const bool wasSilent = m_silent;
    m_silent = true;
    setText(formatNumericValue(current.value_or(0), m_decimals, decimalSeparator()));
    m_silent = wasSilent;
}

std::optional<double> TFnpNumericEdit::Value() const
{
    return parseNumericValue(text(), decimalSeparator());
}

QString TFnpNumericEdit::conversionError() const
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text());
}

void TFnpNumericEdit::setValue(double value)
{
    const QString formatted = formatNumericValue(value, m_decimals, decimalSeparator());
    if (formatted != text())
        setText(formatted);
}

bool TFnpNumericEdit::inRange(double value) const
{
    // Equal bounds mean no range at all.
    return m_minValue == m_maxValue || (m_minValue <= value && value <= m_maxValue);
}

void TFnpNumericEdit::textWasChanged()
{
    if (m_silent)
        return;
    emit OnChange();
    const auto value = parseNumericValue(text(), decimalSeparator());
    if (value && inRange(*value))
        emit OnValidChange();
}

NumericEditState TFnpNumericEdit::state() const
{
    NumericEditState s;
    s.text = text();
    s.caret = cursorPosition();
    if (hasSelectedText()) {
        s.selStart = selectionStart();
        s.selLength = static_cast<int>(selectedText().size());
    } else {
        s.selStart = s.caret;
    }
    return s;
}

void TFnpNumericEdit::apply(const NumericEditState& s)
{
    // The whole text is replaced at once: one change event per action.
    if (s.text != text())
        setText(s.text);
    deselect();
    setCursorPosition(s.caret);
}

void TFnpNumericEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->ignore();  // the window's default button acts
        return;
    }
    if (key == Qt::Key_Escape) {
        emit OnKeyPress(QChar(0x1b));
        event->ignore();  // the window's cancel button acts
        return;
    }
    if (editWithClipboardOrDelete(event))
        return;
    if (isCaretMovement(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar typed = typedCharacter(event);
    if (typed.isNull()) {
        event->ignore();  // not ours: shortcuts and function keys go to the window
        return;
    }
    emit OnKeyPress(typed);
    if (!isReadOnly())
        apply(rules().typeChar(state(), typed));
}

// Copy, Cut, Paste and Delete; whether the key was one of them.
bool TFnpNumericEdit::editWithClipboardOrDelete(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        if (!isReadOnly())
            cutToClipboard();
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            pasteFromClipboard();
        return true;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        if (!isReadOnly())
            apply(hasSelectedText() ? rules().deleteSelection(state()) : rules().deleteForward(state()));
        return true;
    }
    return false;
}

// Caret movement and selection are the line edit's own.
bool TFnpNumericEdit::isCaretMovement(const QKeyEvent* event)
{
    static const QKeySequence::StandardKey movement[]
        = {QKeySequence::MoveToNextChar, QKeySequence::MoveToPreviousChar, QKeySequence::MoveToNextWord,
            QKeySequence::MoveToPreviousWord, QKeySequence::MoveToStartOfLine, QKeySequence::MoveToEndOfLine,
            QKeySequence::MoveToStartOfBlock, QKeySequence::MoveToEndOfBlock, QKeySequence::MoveToStartOfDocument,
            QKeySequence::MoveToEndOfDocument, QKeySequence::SelectNextChar, QKeySequence::SelectPreviousChar,
            QKeySequence::SelectNextWord, QKeySequence::SelectPreviousWord, QKeySequence::SelectStartOfLine,
            QKeySequence::SelectEndOfLine, QKeySequence::SelectStartOfBlock, QKeySequence::SelectEndOfBlock,
            QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument, QKeySequence::SelectAll};
    return std::any_of(std::begin(movement), std::end(movement),
        [event](QKeySequence::StandardKey sequence) { return event->matches(sequence); });
}

// The character a key types into the box: Backspace or printable text without
// Ctrl or Alt; a null character for anything else.
QChar TFnpNumericEdit::typedCharacter(const QKeyEvent* event)
{
    QChar typed;
    if (event->key() == Qt::Key_Backspace)
        typed = NumericEditRules::Backspace;
    else if (!event->text().isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        typed = event->text().front();
    if (typed.category() == QChar::Other_Control && typed != NumericEditRules::Backspace)
        return QChar();
    return typedInNumber(typed);
}

void TFnpNumericEdit::typeText(const QString& text)
{
    // Read through a const text: a loop over the returned one would copy the
    // characters it still shares with `text`.
    const QString typed = typedInNumber(text);
    for (const QChar c : typed) {
        emit OnKeyPress(c);
        if (!isReadOnly())
            apply(rules().typeChar(state(), c));
    }
}

void TFnpNumericEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // What an input method commits is typed text, character by character; its
    // pre-edit text is never shown in the box, so it never holds a non-number.
    typeText(event->commitString());
    event->accept();
}

void TFnpNumericEdit::cutToClipboard()
{
    if (!hasSelectedText())
        return;
    QApplication::clipboard()->setText(selectedText());
    apply(rules().deleteSelection(state()));
}

void TFnpNumericEdit::pasteFromClipboard()
{
    apply(rules().paste(state(), typedInNumber(QApplication::clipboard()->text())));
}

void TFnpNumericEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    // Editable or not, the box is another thing to assistive technology.
    if (event->type() == QEvent::ReadOnlyChange)
        widgetaccessibility::forgetInterface(this);
}

void TFnpNumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        return;
    if (m_autoSelect)
        selectAll();
    else
        deselect();
}

void TFnpNumericEdit::focusOutEvent(QFocusEvent* event)
{
    if (m_minValue != m_maxValue) {
        const auto value = parseNumericValue(text(), decimalSeparator());
        if (!value || *value < m_minValue || *value > m_maxValue)
            emit OnInvalidEntry();
    }
    QLineEdit::focusOutEvent(event);
}

void TFnpNumericEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit OnDblClick();
    // The double click of a box no one edits starts a command; the word it
    // selected would stay selected after it.
    if (isReadOnly())
        deselect();
}

void TFnpNumericEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::MiddleButton) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    // The middle-button paste of the selection is a paste like Ctrl+V, at the
    // caret the press put under the pointer.
    if (!isReadOnly())
        apply(rules().paste(state(), typedInNumber(selectionText())));
    event->accept();
}

QString TFnpNumericEdit::selectionText() const
{
    const QClipboard* clipboard = QApplication::clipboard();
    return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
}

void TFnpNumericEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The line edit's own menu would edit the text around the rules.
    QMenu menu(this);
    QAction* cutAction = menu.addAction(tr("Cu&t"), this, &TFnpNumericEdit::cutToClipboard);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &QLineEdit::copy);
    QAction* pasteAction = menu.addAction(tr("&Paste"), this, &TFnpNumericEdit::pasteFromClipboard);
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &QLineEdit::selectAll);
    cutAction->setEnabled(!isReadOnly() && hasSelectedText());
    copyAction->setEnabled(hasSelectedText());
    pasteAction->setEnabled(!isReadOnly() && !QApplication::clipboard()->text().isEmpty());
    menu.exec(event->globalPos());
}
