#pragma once

// The editing rules of TFnpNumericEdit, free of any widget: text, caret,
// selection and key in; text and caret out. Every step keeps the text a
// well-formed number: an optional "-", integer digits, and with Decimals > 0
// the decimal separator followed by exactly Decimals digits.

#include <QChar>
#include <QString>

#include <optional>

struct NumericEditState {
    QString text;
    int caret = 0;
    int selStart = 0;
    int selLength = 0;

    bool operator==(const NumericEditState&) const = default;
};

struct NumericEditRules {
    int decimals = 2;
    QChar decimalSeparator = u'.';
    double minValue = 0;

    static constexpr QChar Backspace = u'\b';

    // One typed character (a digit, "-", the separator, Backspace; anything
    // else is refused after the selection is deleted).
    NumericEditState typeChar(NumericEditState state, QChar key) const;
    // The Delete key without a selection.
    NumericEditState deleteForward(NumericEditState state) const;
    // The caret goes to the selection's end and Backspace is applied once per
    // selected character.
    NumericEditState deleteSelection(NumericEditState state) const;
    // The selection is deleted, then each character is typed; control
    // characters of the clipboard are skipped.
    NumericEditState paste(NumericEditState state, const QString& clipboard) const;

private:
    NumericEditState deleteOne(NumericEditState state, bool forward) const;
    NumericEditState leaveSelectionFor(NumericEditState state, QChar key) const;
    static NumericEditState toggleMinus(NumericEditState state);
    NumericEditState typeDigit(NumericEditState state, QChar digit, bool hadMinus) const;
};

// "0" or "0." + decimals zeros, with the given separator; a value that rounds
// to zero is shown without a sign.
QString formatNumericValue(double value, int decimals, QChar decimalSeparator);
// The number a text shows; nothing when the text is not a number.
std::optional<double> parseNumericValue(const QString& text, QChar decimalSeparator);
