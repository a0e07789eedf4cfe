#include "RenderHelpers.h"

#include "ui/widgets/TFnpNumericEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// A box on a platform with a selection clipboard (X11), which the middle
// button pastes; the offscreen platform has none.
class BoxWithSelection : public TFnpNumericEdit {
public:
    QString selection;

protected:
    QString selectionText() const override { return selection; }
};

// Every test runs under a point and under a comma locale. The box shows the
// point under both; the key typed as decimal sign is the locale's.
class TFnpNumericEditTest : public QObject {
    Q_OBJECT

private:
    static QChar sep() { return u'.'; }
    static QString loc(const QString& text) { return text; }
    static char sepKey() { return QLocale().decimalPoint() == QLatin1String(",") ? ',' : '.'; }

    // A dialog with a default and a cancel button, a plain line edit first in
    // the tab order, then the box.
    struct Window {
        QDialog dialog;
        QLineEdit* before = nullptr;
        TFnpNumericEdit* box = nullptr;
        QPushButton* ok = nullptr;
        Window()
        {
            auto* layout = new QVBoxLayout(&dialog);
            before = new QLineEdit(&dialog);
            box = new TFnpNumericEdit(&dialog);
            ok = new QPushButton("OK", &dialog);
            ok->setDefault(true);
            layout->addWidget(before);
            layout->addWidget(box);
            layout->addWidget(ok);
            QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
            box->setDecimals(3);
        }
        bool show()
        {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            return QTest::qWaitForWindowActive(&dialog);
        }
    };

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void newBoxShowsZero();
    void valueIsWrittenThroughTheDisplayFormat();
    void valueThatIsNoNumberIsNoneAndNamesTheText();
    void decimalsAreClampedAndReformatSilently();
    void typingFollowsTheRules();
    void tabSelectsAllAndFirstDigitReplacesIt();
    void mouseFocusDoesNotSelect();
    void minusWithMinValueZeroChangesNothing();
    void deleteKeyWithAndWithoutSelection();
    void cutAndPaste();
    void inputMethodAndSelectionPasteFollowTheRules_data();
    void inputMethodAndSelectionPasteFollowTheRules();
    void readOnlyIgnoresTypingButPassesEnterAndEscape();
    void enterPressesDefaultButtonOfEditableBox();
    void validChangeAndInvalidEntry();
    void textIsRightAligned_data();
    void textIsRightAligned();
};

void TFnpNumericEditTest::initTestCase_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany);
}

void TFnpNumericEditTest::init()
{
    QFETCH_GLOBAL(QLocale, locale);
    QLocale::setDefault(locale);
    QApplication::clipboard()->clear();
}

void TFnpNumericEditTest::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TFnpNumericEditTest::newBoxShowsZero()
{
    TFnpNumericEdit box;
    QCOMPARE(box.text(), loc("0.00"));
    QCOMPARE(box.Decimals(), 2);
    QCOMPARE(box.sizeHint().width(), 73);
    QVERIFY(box.alignment() & Qt::AlignRight);
    box.setDecimals(3);
    QCOMPARE(box.text(), loc("0.000"));
}

void TFnpNumericEditTest::valueIsWrittenThroughTheDisplayFormat()
{
    TFnpNumericEdit box;
    box.setDecimals(3);
    QSignalSpy changes(&box, &TFnpNumericEdit::OnChange);
    box.setValue(12.3456);
    QCOMPARE(box.text(), loc("12.346"));
    QCOMPARE(box.Value(), std::optional(12.346));
    box.setValue(-0.25);
    QCOMPARE(box.text(), loc("-0.250"));
    QCOMPARE(changes.count(), 2);
    box.setValue(-0.2501);  // same text: no change event
    QCOMPARE(changes.count(), 2);
    box.setValue(1234567.891);
    QCOMPARE(box.text(), loc("1234567.891"));
}

void TFnpNumericEditTest::valueThatIsNoNumberIsNoneAndNamesTheText()
{
    TFnpNumericEdit box;
    box.setText("1x5");
    QCOMPARE(box.Value(), std::nullopt);
    QCOMPARE(box.conversionError(), QString("'1x5' is not a valid floating point value"));
}

void TFnpNumericEditTest::decimalsAreClampedAndReformatSilently()
{
    TFnpNumericEdit box;
    box.setValue(2.5);
    QSignalSpy changes(&box, &TFnpNumericEdit::OnChange);
    box.setDecimals(12);
    QCOMPARE(box.Decimals(), 9);
    QCOMPARE(box.text(), loc("2.500000000"));
    box.setDecimals(-3);
    QCOMPARE(box.Decimals(), 0);
    QCOMPARE(box.text(), QString("2"));  // 2.5 to the nearest even
    box.setDecimals(1);
    QCOMPARE(box.text(), loc("2.0"));
    QCOMPARE(changes.count(), 0);
}

void TFnpNumericEditTest::typingFollowsTheRules()
{
    Window w;
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.box->setFocus();
    w.box->setCursorPosition(2);
    QTest::keyClick(w.box, '3');
    QCOMPARE(w.box->text(), loc("123.500"));
    QCOMPARE(w.box->cursorPosition(), 3);

    w.box->setValue(12.5);
    w.box->setCursorPosition(2);
    QTest::keyClick(w.box, sepKey());
    QCOMPARE(w.box->cursorPosition(), 3);
    QTest::keyClick(w.box, '9');
    QCOMPARE(w.box->text(), loc("12.900"));

    // A comma is refused where the locale's sign is the point; a second sign changes nothing.
    QTest::keyClick(w.box, sepKey() == '.' ? ',' : '.');
    QCOMPARE(w.box->text(), loc("12.900"));

    QTest::keyClick(w.box, Qt::Key_End);
    QTest::keyClick(w.box, '4');
    QCOMPARE(w.box->text(), loc("12.900"));
    QTest::keyClick(w.box, Qt::Key_Left);
    QTest::keyClick(w.box, Qt::Key_Left);
    QTest::keyClick(w.box, Qt::Key_Backspace);
    QCOMPARE(w.box->text(), loc("12.000"));
    QTest::keyClick(w.box, Qt::Key_Backspace);  // behind the separator: only the caret moves
    QCOMPARE(w.box->text(), loc("12.000"));
    QCOMPARE(w.box->cursorPosition(), 2);
    QTest::keyClicks(w.box, "a b");
    QCOMPARE(w.box->text(), loc("12.000"));
}

void TFnpNumericEditTest::tabSelectsAllAndFirstDigitReplacesIt()
{
    Window w;
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.before->setFocus();
    QTest::keyClick(w.before, Qt::Key_Tab);
    QVERIFY(w.box->hasFocus());
    QCOMPARE(w.box->selectedText(), loc("12.500"));
    QSignalSpy changes(w.box, &TFnpNumericEdit::OnChange);
    QTest::keyClick(w.box, '7');
    QCOMPARE(w.box->text(), loc("7.000"));
    QCOMPARE(changes.count(), 1);
}

void TFnpNumericEditTest::mouseFocusDoesNotSelect()
{
    Window w;
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.before->setFocus();
    QTest::mouseClick(w.box, Qt::LeftButton, {}, QPoint(5, w.box->height() / 2));
    QVERIFY(w.box->hasFocus());
    QVERIFY(!w.box->hasSelectedText());
}

void TFnpNumericEditTest::minusWithMinValueZeroChangesNothing()
{
    Window w;
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.box->setFocus();
    w.box->setCursorPosition(1);
    QTest::keyClick(w.box, '-');
    QCOMPARE(w.box->text(), loc("12.500"));
    w.box->setMinValue(-100);
    QTest::keyClick(w.box, '-');
    QCOMPARE(w.box->text(), loc("-12.500"));
    QCOMPARE(w.box->Value(), std::optional(-12.5));
}

void TFnpNumericEditTest::deleteKeyWithAndWithoutSelection()
{
    Window w;
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.box->setFocus();
    w.box->setCursorPosition(3);
    QTest::keyClick(w.box, Qt::Key_Delete);
    QCOMPARE(w.box->text(), loc("12.000"));
    QCOMPARE(w.box->cursorPosition(), 3);

    w.box->setValue(98.765);
    w.box->selectAll();
    QSignalSpy changes(w.box, &TFnpNumericEdit::OnChange);
    QTest::keyClick(w.box, Qt::Key_Delete);
    QCOMPARE(w.box->text(), loc("0.000"));
    QCOMPARE(changes.count(), 1);  // once for the whole selection
}

void TFnpNumericEditTest::cutAndPaste()
{
    Window w;
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.box->setFocus();
    w.box->setSelection(0, 2);
    QTest::keyClick(w.box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("12"));
    QCOMPARE(w.box->text(), loc("0.500"));

    w.box->setValue(0);
    w.box->setCursorPosition(0);
    QApplication::clipboard()->setText("1a2");
    QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.box->text(), loc("12.000"));

    w.box->selectAll();
    QApplication::clipboard()->setText(loc("3.25"));
    QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.box->text(), loc("3.250"));
    QCOMPARE(w.box->Value(), std::optional(3.25));
}

void TFnpNumericEditTest::inputMethodAndSelectionPasteFollowTheRules_data()
{
    QTest::addColumn<bool>("middleButton");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("incoming");
    for (const bool middle : {false, true}) {
        const char* way = middle ? "selection" : "input method";
        QTest::addRow("%s: letters before a number", way) << middle << false << "abc12.500";
        QTest::addRow("%s: two points and a sign", way) << middle << false << "-1.2.3";
        QTest::addRow("%s: blanks and other digits", way) << middle << false << " 4 ٣x7 ";
        QTest::addRow("%s: read-only", way) << middle << true << "12";
    }
}

void TFnpNumericEditTest::inputMethodAndSelectionPasteFollowTheRules()
{
    QFETCH(bool, middleButton);
    QFETCH(bool, readOnly);
    QFETCH(QString, incoming);
    incoming = loc(incoming);
    QDialog dialog;
    auto* box = new BoxWithSelection;
    box->setParent(&dialog);
    box->setGeometry(10, 10, 120, 24);
    box->setDecimals(3);
    box->setReadOnly(readOnly);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    box->setCursorPosition(0);
    const NumericEditState before{box->text(), 0, 0, 0};

    if (middleButton) {
        box->selection = incoming;
        const QPoint leftEdge(1, box->height() / 2);  // before the right-aligned text: caret 0
        QTest::mouseClick(box, Qt::MiddleButton, {}, leftEdge);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(incoming);
        QApplication::sendEvent(box, &commit);
    }
    const QString expected = readOnly ? before.text : box->rules().paste(before, incoming).text;
    QCOMPARE(box->text(), expected);
    QVERIFY(parseNumericValue(box->text(), sep()).has_value());
}

void TFnpNumericEditTest::readOnlyIgnoresTypingButPassesEnterAndEscape()
{
    Window w;
    w.box->setReadOnly(true);
    QVERIFY(w.show());
    w.box->setValue(12.5);
    w.box->setFocus();
    w.box->setCursorPosition(0);
    QSignalSpy changes(w.box, &TFnpNumericEdit::OnChange);
    QTest::keyClicks(w.box, "97");
    QTest::keyClick(w.box, Qt::Key_Delete);
    QTest::keyClick(w.box, Qt::Key_Backspace);
    w.box->selectAll();
    QApplication::clipboard()->setText("5");
    QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(w.box->text(), loc("12.500"));
    QCOMPARE(changes.count(), 0);

    // A double click (which starts a command in a window) leaves nothing selected.
    QSignalSpy doubleClicks(w.box, &TFnpNumericEdit::OnDblClick);
    QTest::mouseDClick(w.box, Qt::LeftButton, {}, QPoint(w.box->width() - 12, w.box->height() / 2));
    QCOMPARE(doubleClicks.count(), 1);
    QVERIFY(!w.box->hasSelectedText());

    QTest::keyClick(w.box, Qt::Key_Return);
    QCOMPARE(w.dialog.result(), int(QDialog::Accepted));
    QVERIFY(!w.dialog.isVisible());

    QVERIFY(w.show());
    w.box->setFocus();
    QTest::keyClick(w.box, Qt::Key_Escape);
    QCOMPARE(w.dialog.result(), int(QDialog::Rejected));
    QVERIFY(!w.dialog.isVisible());
}

void TFnpNumericEditTest::enterPressesDefaultButtonOfEditableBox()
{
    Window w;
    QVERIFY(w.show());
    w.box->setFocus();
    QSignalSpy clicked(w.ok, &QPushButton::clicked);
    QTest::keyClick(w.box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(w.dialog.result(), int(QDialog::Accepted));
}

void TFnpNumericEditTest::validChangeAndInvalidEntry()
{
    Window w;
    w.box->setMinValue(1);
    w.box->setMaxValue(100);
    QVERIFY(w.show());
    QSignalSpy valid(w.box, &TFnpNumericEdit::OnValidChange);
    QSignalSpy invalid(w.box, &TFnpNumericEdit::OnInvalidEntry);
    w.box->setFocus();
    w.box->setCursorPosition(0);
    QTest::keyClick(w.box, '5');  // 5.000: in range
    QCOMPARE(valid.count(), 1);
    QTest::keyClicks(w.box, "00");  // 500.000: out of range
    QCOMPARE(w.box->text(), loc("500.000"));
    QCOMPARE(valid.count(), 2);  // 50.000 was still valid
    w.before->setFocus();
    QCOMPARE(invalid.count(), 1);

    w.box->setValue(50);
    QCOMPARE(valid.count(), 3);
    w.box->setFocus();
    w.before->setFocus();
    QCOMPARE(invalid.count(), 1);

    // Equal bounds: no range.
    w.box->setMaxValue(1);
    w.box->setValue(1000);
    QCOMPARE(valid.count(), 4);
    w.box->setFocus();
    w.before->setFocus();
    QCOMPARE(invalid.count(), 1);
}

void TFnpNumericEditTest::textIsRightAligned_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("dpr 1") << 1.0;
    QTest::newRow("dpr 2") << 2.0;
}

void TFnpNumericEditTest::textIsRightAligned()
{
    QFETCH(qreal, dpr);
    TFnpNumericEdit box;
    box.setDecimals(3);
    box.setValue(7);
    box.resize(box.sizeHint());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage image = renderWidget(box, dpr);
    box.QLineEdit::setText(QString());  // the same box without its text
    const QImage blank = renderWidget(box, dpr);
    // Columns holding the text's ink.
    int firstInk = -1;
    int lastInk = -1;
    for (int x = 0; x < box.width(); ++x) {
        for (int y = 0; y < box.height(); ++y) {
            if (pixelAt(image, x, y) != pixelAt(blank, x, y)) {
                if (firstInk < 0)
                    firstInk = x;
                lastInk = x;
                break;
            }
        }
    }
    // Left-aligned text would start a few pixels from the left frame.
    QVERIFY2(firstInk > 12 && lastInk >= box.width() - 8,
        qPrintable(QString("ink from %1 to %2").arg(firstInk).arg(lastInk)));
    const int textWidth = box.fontMetrics().horizontalAdvance(loc("7.000"));
    QVERIFY(qAbs((lastInk - firstInk + 1) - textWidth) <= 3);
}

QTEST_MAIN(TFnpNumericEditTest)
#include "TFnpNumericEditTest.moc"
