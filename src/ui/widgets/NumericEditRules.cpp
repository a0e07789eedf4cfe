#include "ui/widgets/NumericEditRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
}  // namespace

NumericEditState NumericEditRules::typeChar(NumericEditState s, QChar key) const
{
    const int d = decimals;
    s = leaveSelectionFor(s, key);
    const bool hadMinus = s.text.contains(u'-');
    if (!isDigit(key) && key != u'-' && key != decimalSeparator && key != Backspace)
        return s;
    if (key == u'0' && s.caret == 0)
        return s;
    if (key == decimalSeparator && d == 0)
        return s;
    if (key == u'-')
        return minValue < 0 ? toggleMinus(s) : s;
    const int len = static_cast<int>(s.text.size());
    if (s.caret == len && d > 0 && key != Backspace && key != decimalSeparator)
        return s;
    if (key == decimalSeparator) {
        s.caret = len - d;
        return s;
    }
    if (hadMinus && s.caret == 0)
        s.caret = 1;
    if (key == Backspace)
        return deleteOne(s, false);
    return typeDigit(s, key, hadMinus);
}

// The separator only moves the caret to the selection's start; any other key
// deletes the selection first.
NumericEditState NumericEditRules::leaveSelectionFor(NumericEditState s, QChar key) const
{
    if (key == decimalSeparator) {
        if (s.selLength > 0)
            s.caret = s.selStart;
        s.selLength = 0;
    } else if (s.selLength > 0) {
        s = deleteSelection(s);
    }
    s.selStart = s.caret;
    s.selLength = 0;
    return s;
}

NumericEditState NumericEditRules::toggleMinus(NumericEditState s)
{
    if (s.text.contains(u'-')) {
        s.text.remove(0, 1);
        s.caret = std::max(s.caret - 1, 0);
    } else {
        s.text.prepend(u'-');
        s.caret += 1;
    }
    return s;
}

NumericEditState NumericEditRules::typeDigit(NumericEditState s, QChar digit, bool hadMinus) const
{
    const int d = decimals;
    const int len = static_cast<int>(s.text.size());
    // The lone "0" of the integer part (after an optional "-") is replaced
    // rather than kept as a leading zero; only that character is replaced, so
    // no other digit can be lost.
    if (s.caret <= 2 && s.text.size() > 1 && s.text[1] == u'0' && hadMinus) {
        s.text[1] = digit;
        s.caret = d == 0 ? 1 : 2;
        return s;
    }
    if (s.caret <= 1 && !s.text.isEmpty() && s.text[0] == u'0') {
        s.text[0] = digit;
        s.caret = 1;
        return s;
    }
    if (d > 0 && s.caret >= len - d) {
        s.text[s.caret] = digit;  // overwrite in the decimals
        s.caret += 1;
        return s;
    }
    s.text.insert(s.caret, digit);
    s.caret += 1;
    return s;
}

NumericEditState NumericEditRules::deleteOne(NumericEditState s, bool forward) const
{
    const int d = decimals;
    const int len = static_cast<int>(s.text.size());
    const int b = forward ? s.caret + 1 : s.caret;  // 1-based position of the character
    const bool hadMinus = s.text.contains(u'-');
    s.selStart = s.caret;
    s.selLength = 0;
    if (b == 0 || b == len + 1)
        return s;
    if (d == 0) {
        if (b == 2 && len == 2 && hadMinus) {
            s.text = QStringLiteral("-0");
            s.caret = 1;
        } else if (b == 1 && len == 1) {
            s.text = QStringLiteral("0");
            s.caret = 1;
        } else {
            s.text.remove(b - 1, 1);
            s.caret = b - 1;
        }
        return s;
    }
    const int integerLength = len - d - 1;
    if (b > len - d) {
        // A decimal: the later ones shift left and a "0" keeps their count.
        s.text.remove(b - 1, 1);
        s.text.append(u'0');
        s.caret = b - 1;
    } else if (b == len - d) {
        s.caret = forward ? len - d : len - d - 1;  // the separator stays
    } else if (b == 2 && integerLength == 2 && hadMinus) {
        s.text[1] = u'0';
        s.caret = 1;
    } else if (b == 1 && integerLength == 1) {
        s.text[0] = u'0';
        s.caret = 1;
    } else {
        s.text.remove(b - 1, 1);
        s.caret = b - 1;
    }
    s.selStart = s.caret;
    return s;
}

NumericEditState NumericEditRules::deleteForward(NumericEditState s) const
{
    return deleteOne(std::move(s), true);
}

NumericEditState NumericEditRules::deleteSelection(NumericEditState s) const
{
    const int count = s.selLength;
    s.caret = s.selStart + s.selLength;
    s.selStart = s.caret;
    s.selLength = 0;
    for (int i = 0; i < count; ++i)
        s = typeChar(s, Backspace);
    return s;
}

NumericEditState NumericEditRules::paste(NumericEditState s, const QString& clipboard) const
{
    s = deleteSelection(s);
    for (const QChar c : clipboard) {
        if (c.category() == QChar::Other_Control)
            continue;
        s = typeChar(s, c);
    }
    return s;
}

QString formatNumericValue(double value, int decimals, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        value = 0;
    char buffer[400];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, decimals);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    bool zero = true;
    for (const QChar c : std::as_const(text))
        if (c >= u'1' && c <= u'9')
            zero = false;
    if (value < 0 && !zero)
        text.prepend(u'-');
    if (decimals > 0)
        text.replace(u'.', decimalSeparator);
    return text;
}

std::optional<double> parseNumericValue(const QString& text, QChar decimalSeparator)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    if (decimalSeparator != u'.') {
        if (s.contains(u'.'))
            return std::nullopt;
        s.replace(decimalSeparator, u'.');
    }
    if (s.startsWith(u'+'))
        s.remove(0, 1);
    for (const QChar c : std::as_const(s))
        if (c.isLetter() && c != u'e' && c != u'E')
            return std::nullopt;  // no inf or nan
    const std::string bytes = s.toStdString();
    double value = 0;
    const auto result = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (result.ec != std::errc() || result.ptr != bytes.data() + bytes.size())
        return std::nullopt;
    return value;
}
