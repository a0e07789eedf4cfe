// Copy Out's clipboard entry: both parts, numbers in the user's form, texts
// that a spreadsheet never runs as formulas.
#include "ui/print/FormulaMimeData.h"

#include "core/calc/Calculate.h"

#include <QMimeData>
#include <QTest>

class FormulaMimeDataTest : public QObject {
    Q_OBJECT
private slots:
    void numbersInTheLocalesForm_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("weight");
        QTest::newRow("de_DE: comma, no grouping") << "de_DE"
                                                   << "1234,500";
        QTest::newRow("en_US: point, no grouping") << "en_US"
                                                   << "1234.500";
    }
    void numbersInTheLocalesForm()
    {
        QFETCH(QString, localeName);
        QFETCH(QString, weight);
        tintora::FormulaSheet sheet;
        sheet.setName("=2+3 <white> & co");
        sheet.setCell(tintora::Column::Description, 1, "-premix first");
        sheet.setCell(tintora::Column::Material, 2, "water");
        sheet.setCell(tintora::Column::Description, 2, "Water");
        sheet.setCell(tintora::Column::Weight, 2, "1234.5");
        sheet.row(2).RowKind = true;
        sheet.row(2).props.Spec = 1;
        tintora::Calculate(sheet);
        const auto data = formulaMimeData(sheet, QLocale(localeName));
        QVERIFY(data->hasText());
        QVERIFY(data->hasHtml());
        const QStringList lines = data->text().split('\n');
        QCOMPARE(lines.value(0), QStringLiteral("'=2+3 <white> & co"));
        QCOMPARE(lines.value(2), QStringLiteral("\t'-premix first"));
        const QStringList row = lines.value(3).split('\t');
        QCOMPARE(row.value(0), QStringLiteral("water"));
        QCOMPARE(row.value(2), weight);
        QCOMPARE(row.size(), 5);
        // The sixteen properties follow an empty line, each with its value.
        const int empty = static_cast<int>(lines.indexOf(QString()));
        QCOMPARE(lines.mid(empty + 1).filter(QStringLiteral("\t")).size(), 16);
        QVERIFY(lines.contains(QStringLiteral("Weight\t") + weight + QStringLiteral("\tlb")));
        // The HTML table holds the same cells, escaped: texts formatted as
        // text, numbers with their value and three decimals.
        const QString html = data->html();
        QVERIFY(html.contains(QStringLiteral(R"(style="mso-number-format:'\@'">=2+3 &lt;white&gt; &amp; co</td>)")));
        QVERIFY(html.contains(QStringLiteral(R"(<td sdval="1234.500" sdnum="1033;0;0.000" x:num="1234.500")")));
        QVERIFY(html.contains(QStringLiteral(">") + weight + QStringLiteral("</td>")));
        QCOMPARE(data->html().count(QStringLiteral("<tr>")), lines.size() - 1);
    }
};

QTEST_GUILESS_MAIN(FormulaMimeDataTest)
#include "FormulaMimeDataTest.moc"
