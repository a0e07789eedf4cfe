#pragma once
// The window has one decimal sign, the point, as the files and printouts have
// it. Under a locale whose decimal sign is a comma, the comma a user types
// into a number (a grid cell, a number box, the keypad, a dialog's number
// field) is that point; elsewhere a comma stays what it is.
#include <QChar>
#include <QLocale>
#include <QString>

inline bool localeHasDecimalComma()
{
    return QLocale().decimalPoint() == QLatin1String(",");
}

inline QChar typedInNumber(QChar typed)
{
    return typed == u',' && localeHasDecimalComma() ? QChar(u'.') : typed;
}

inline QString typedInNumber(QString typed)
{
    if (localeHasDecimalComma())
        typed.replace(u',', u'.');
    return typed;
}
