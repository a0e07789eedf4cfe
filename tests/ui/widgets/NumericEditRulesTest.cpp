#include "ui/widgets/NumericEditRules.h"

#include <QTest>

// Keys are written as a string; "\b" is Backspace.
class NumericEditRulesTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void deleteKey_data();
    void deleteKey();
    void emptyingCharacterByCharacterEndsAtZero();
    void paste_data();
    void paste();
    void format_data();
    void format();
    void parse_data();
    void parse();
};

void NumericEditRulesTest::typing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("minValue");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedCaret");

    // text, caret, selection, D, MinValue, keys -> text, caret
    QTest::newRow("first digit replaces the zero") << "0.000" << 0 << 0 << 0 << 3 << 0.0 << "7"
                                                   << "7.000" << 1;
    QTest::newRow("zero at position 0 refused") << "0.000" << 0 << 0 << 0 << 3 << 0.0 << "0"
                                                << "0.000" << 0;
    QTest::newRow("digit inserted in integer part") << "12.500" << 2 << 0 << 0 << 3 << 0.0 << "3"
                                                    << "123.500" << 3;
    QTest::newRow("separator jumps behind it") << "12.500" << 2 << 0 << 0 << 3 << 0.0 << "."
                                               << "12.500" << 3;
    QTest::newRow("decimal overwritten") << "12.500" << 2 << 0 << 0 << 3 << 0.0 << ".9"
                                         << "12.900" << 4;
    QTest::newRow("last decimal overwritten") << "12.500" << 5 << 0 << 0 << 3 << 0.0 << "7"
                                              << "12.507" << 6;
    QTest::newRow("digits refused at the end") << "12.500" << 6 << 0 << 0 << 3 << 0.0 << "4"
                                               << "12.500" << 6;
    QTest::newRow("separator from the end") << "12.500" << 6 << 0 << 0 << 3 << 0.0 << "."
                                            << "12.500" << 3;
    QTest::newRow("backspace at the end shifts decimals") << "12.345" << 6 << 0 << 0 << 3 << 0.0 << "\b"
                                                          << "12.340" << 5;
    QTest::newRow("backspace behind the 5") << "12.500" << 4 << 0 << 0 << 3 << 0.0 << "\b"
                                            << "12.000" << 3;
    QTest::newRow("backspace behind the separator") << "12.500" << 3 << 0 << 0 << 3 << 0.0 << "\b"
                                                    << "12.500" << 2;
    QTest::newRow("backspace behind the 1 of 1.500") << "1.500" << 1 << 0 << 0 << 3 << 0.0 << "\b"
                                                     << "0.500" << 1;
    QTest::newRow("backspace in two-digit integer") << "12.500" << 2 << 0 << 0 << 3 << 0.0 << "\b"
                                                    << "1.500" << 1;
    QTest::newRow("backspace at position 0") << "12.500" << 0 << 0 << 0 << 3 << 0.0 << "\b"
                                             << "12.500" << 0;
    QTest::newRow("letters refused") << "12.500" << 1 << 0 << 0 << 3 << 0.0 << "a+ e"
                                     << "12.500" << 1;
    QTest::newRow("minus with MinValue 0 changes nothing") << "12.500" << 2 << 0 << 0 << 3 << 0.0 << "-"
                                                           << "12.500" << 2;
    QTest::newRow("minus puts a sign in front") << "12.500" << 2 << 0 << 0 << 3 << -100.0 << "-"
                                                << "-12.500" << 3;
    QTest::newRow("minus again removes it") << "-12.500" << 3 << 0 << 0 << 3 << -100.0 << "-"
                                            << "12.500" << 2;
    QTest::newRow("minus at caret 0 removes sign") << "-12.500" << 0 << 0 << 0 << 3 << -100.0 << "-"
                                                   << "12.500" << 0;
    QTest::newRow("digit after minus zero") << "-0.500" << 0 << 0 << 0 << 3 << -100.0 << "3"
                                            << "-3.500" << 2;
    QTest::newRow("typing over a whole selection") << "12.500" << 6 << 0 << 6 << 3 << 0.0 << "7"
                                                   << "7.000" << 1;
    QTest::newRow("refused key still deletes the selection") << "12.500" << 2 << 0 << 2 << 3 << 0.0 << "x"
                                                             << "0.500" << 1;
    QTest::newRow("separator drops the selection") << "12.500" << 6 << 0 << 6 << 3 << 0.0 << "."
                                                   << "12.500" << 3;
    QTest::newRow("comma separator") << "12,500" << 2 << 0 << 0 << 3 << 0.0 << ",9"
                                     << "12,900" << 4;
    QTest::newRow("point refused under comma") << "12,500" << 2 << 0 << 0 << 3 << 0.0 << "."
                                               << "12,500" << 2;

    QTest::newRow("D0: digit replaces zero") << "0" << 1 << 0 << 0 << 0 << 0.0 << "5"
                                             << "5" << 1;
    QTest::newRow("D0: digits appended") << "5" << 1 << 0 << 0 << 0 << 0.0 << "34"
                                         << "534" << 3;
    QTest::newRow("D0: separator refused") << "53" << 2 << 0 << 0 << 0 << 0.0 << "."
                                           << "53" << 2;
    QTest::newRow("D0: minus zero") << "-0" << 2 << 0 << 0 << 0 << -5.0 << "4"
                                    << "-4" << 1;
    QTest::newRow("D0: backspace last digit") << "5" << 1 << 0 << 0 << 0 << 0.0 << "\b"
                                              << "0" << 1;
    QTest::newRow("D0: backspace minus digit") << "-5" << 2 << 0 << 0 << 0 << -5.0 << "\b"
                                               << "-0" << 1;
    QTest::newRow("D0: backspace in two digits") << "53" << 2 << 0 << 0 << 0 << 0.0 << "\b"
                                                 << "5" << 1;
    // Replacing the leading zero keeps the digits behind it.
    QTest::newRow("D0: leading zero of -05 replaced, 5 kept") << "-05" << 1 << 0 << 0 << 0 << -500.0 << "7"
                                                              << "-75" << 1;
    QTest::newRow("D0: leading zero of 05 replaced, 5 kept") << "05" << 0 << 0 << 0 << 0 << 0.0 << "7"
                                                             << "75" << 1;
}

void NumericEditRulesTest::typing()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(int, decimals);
    QFETCH(double, minValue);
    QFETCH(QString, keys);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedCaret);

    NumericEditRules rules;
    rules.decimals = decimals;
    rules.decimalSeparator = text.contains(u',') ? QChar(u',') : QChar(u'.');
    rules.minValue = minValue;
    NumericEditState state{text, caret, selStart, selLength};
    for (const QChar key : keys)
        state = rules.typeChar(state, key);
    QCOMPARE(state.text, expectedText);
    QCOMPARE(state.caret, expectedCaret);
    QCOMPARE(state.selLength, 0);
}

void NumericEditRulesTest::deleteKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedCaret");
    QTest::newRow("first of two integer digits") << "12.500" << 0 << 3 << "2.500" << 0;
    QTest::newRow("lone integer digit becomes 0") << "1.500" << 0 << 3 << "0.500" << 1;
    QTest::newRow("before the separator") << "12.500" << 2 << 3 << "12.500" << 3;
    QTest::newRow("first decimal") << "12.500" << 3 << 3 << "12.000" << 3;
    QTest::newRow("at the end nothing") << "12.500" << 6 << 3 << "12.500" << 6;
    QTest::newRow("minus digit") << "-5.000" << 1 << 3 << "-0.000" << 1;
    QTest::newRow("D0: only digit") << "7" << 0 << 0 << "0" << 1;
    QTest::newRow("D0: first of two") << "73" << 0 << 0 << "3" << 0;
}

void NumericEditRulesTest::deleteKey()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, decimals);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedCaret);
    NumericEditRules rules;
    rules.decimals = decimals;
    const NumericEditState state = rules.deleteForward({text, caret, caret, 0});
    QCOMPARE(state.text, expectedText);
    QCOMPARE(state.caret, expectedCaret);
}

void NumericEditRulesTest::emptyingCharacterByCharacterEndsAtZero()
{
    NumericEditRules rules;
    rules.decimals = 3;
    NumericEditState state{"4321.987", 8, 8, 0};
    for (int i = 0; i < 20; ++i)
        state = rules.typeChar(state, NumericEditRules::Backspace);
    QCOMPARE(state.text, QString("0.000"));

    state = {"4321.987", 0, 0, 0};
    for (int i = 0; i < 20; ++i)
        state = rules.deleteForward(state);
    QCOMPARE(state.text, QString("0.000"));

    state = rules.deleteSelection({"4321.987", 0, 0, 8});
    QCOMPARE(state.text, QString("0.000"));
    QCOMPARE(state.caret, 1);
}

void NumericEditRulesTest::paste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::newRow("letter dropped") << "0.000" << 0 << 0 << "1a2"
                                    << "12.000";
    QTest::newRow("replaces the selection") << "12.500" << 0 << 6 << "3.25"
                                            << "3.250";
    QTest::newRow("line breaks and tabs dropped") << "0.000" << 0 << 0 << "4\r\n5\t\b"
                                                  << "45.000";
    QTest::newRow("foreign separator dropped, digits kept") << "0.000" << 0 << 0 << "1 234,5"
                                                            << "12345.000";
}

void NumericEditRulesTest::paste()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    NumericEditRules rules;
    rules.decimals = 3;
    QCOMPARE(rules.paste({text, caret + selLength, caret, selLength}, clipboard).text, expected);
}

void NumericEditRulesTest::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rounded to 3") << 12.3456 << 3 << "."
                                  << "12.346";
    QTest::newRow("negative with hyphen-minus") << -0.25 << 3 << "."
                                                << "-0.250";
    QTest::newRow("comma") << -0.25 << 3 << ","
                           << "-0,250";
    QTest::newRow("no group separators") << 1234567.5 << 2 << ","
                                         << "1234567,50";
    QTest::newRow("no decimals") << 41.7 << 0 << ","
                                 << "42";
    QTest::newRow("default box") << 0.0 << 2 << "."
                                 << "0.00";
    QTest::newRow("negative zero") << -0.0001 << 3 << "."
                                   << "0.000";
    QTest::newRow("nine decimals") << 1.0 / 3 << 9 << "."
                                   << "0.333333333";
}

void NumericEditRulesTest::format()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(formatNumericValue(value, decimals, separator.front()), expected);
}

void NumericEditRulesTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("point") << "12.500"
                           << "." << true << 12.5;
    QTest::newRow("comma") << "-12,500"
                           << "," << true << -12.5;
    QTest::newRow("point under comma") << "12.500"
                                       << "," << false << 0.0;
    QTest::newRow("letters") << "abc"
                             << "." << false << 0.0;
    QTest::newRow("empty") << ""
                           << "." << false << 0.0;
    QTest::newRow("inf") << "inf"
                         << "." << false << 0.0;
    QTest::newRow("leading zero") << "05.000"
                                  << "." << true << 5.0;
}

void NumericEditRulesTest::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto parsed = parseNumericValue(text, separator.front());
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

QTEST_APPLESS_MAIN(NumericEditRulesTest)
#include "NumericEditRulesTest.moc"
