// The printout as the main window prints it: through the print dialog or the
// Print button, into PDF files that pdftotext reads back.
#include "MainWindowFixture.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/print/LabPrinter.h"
#include "ui/widgets/TExplorerButton.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <map>
#include <memory>
#include <set>

using tintora::testing::ShownMessage;

namespace {

const QString SampleFormula = QStringLiteral("long-codes.tfx");

struct Word {
    QRectF box;  // points, from the page's top-left corner
    QString text;
};

struct PdfPage {
    QSizeF size;
    QList<Word> words;
};

PdfPage readPdfWords(const QString& pdfFile)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        qFatal("pdftotext (poppler-utils) could not read %s", qPrintable(pdfFile));
    PdfPage page;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    const auto number = [&xml](const char* name) { return xml.attributes().value(QLatin1String(name)).toDouble(); };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            page.size = QSizeF(number("width"), number("height"));
        } else if (xml.name() == QLatin1String("word")) {
            const QRectF box(QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
            page.words.push_back({box, xml.readElementText()});
        }
    }
    if (xml.hasError())
        qFatal("pdftotext wrote no readable page: %s", qPrintable(xml.errorString()));
    return page;
}

// The characters standing in each cell (line, column) of the page; where
// texts overlap, a cell holds the characters of all of them.
using Cells = std::map<std::pair<int, int>, std::set<char32_t>>;

Cells cellsOf(const std::vector<tintora::DrawText>& texts)
{
    Cells cells;
    for (const tintora::DrawText& t : texts) {
        const std::u32string characters = QString::fromStdString(t.text).toStdU32String();
        for (std::size_t k = 0; k < characters.size(); ++k)
            if (characters[k] != U' ')
                cells[{t.line, t.column + static_cast<int>(k)}].insert(characters[k]);
    }
    return cells;
}

}  // namespace

class LabPrintWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    QTemporaryDir output;

    // A window showing the sample formula, its printers chosen by the test.
    std::unique_ptr<TfrmMain> makeWindow(PrinterChoice printing)
    {
        MainWindowServices services = scriptedServices();
        chooser.otherwise = formulas() + QLatin1Char('/') + SampleFormula;
        services.printing = std::move(printing);
        auto made = newWindow(std::move(services));
        made->menus().Open1->trigger();
        return made;
    }

    static void printIntoPdf(QPrinter& printer, const QString& file, QPageSize::PageSizeId size = QPageSize::A4)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(size));
    }

private slots:
    void initTestCase() { copyTestData(QStringLiteral("print"), {QStringLiteral("*.rm"), QStringLiteral("*.tfx")}); }

    void init() { resetScripts(); }
    void cleanup() { window.reset(); }

    // The page read back from the PDF holds exactly the characters of the
    // printout, each in its line and column: so every value ends before the
    // bar after it and the bars stand in every row. Margins of a quarter inch
    // are a common printer's: 12 points fit Letter exactly and not A4.
    void everyCharacterStandsInItsColumnOnThePage_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("size");
        QTest::addColumn<double>("marginInches");  // negative: the PDF file's own
        QTest::newRow("A4") << QPageSize::A4 << -1.0;
        QTest::newRow("Letter") << QPageSize::Letter << -1.0;
        QTest::newRow("A4, quarter-inch margins") << QPageSize::A4 << 0.25;
        QTest::newRow("Letter, quarter-inch margins") << QPageSize::Letter << 0.25;
    }
    void everyCharacterStandsInItsColumnOnThePage()
    {
        QFETCH(QPageSize::PageSizeId, size);
        QFETCH(double, marginInches);
        const QString file = output.filePath(QStringLiteral("page.pdf"));
        QRect printable;  // device pixels
        int resolution = 0;
        int lineHeight = 0;
        PrinterChoice printing;
        printing.runDialog = [&](QWidget*, QPrinter& printer) {
            printIntoPdf(printer, file, size);
            if (marginInches >= 0)
                printer.setPageMargins(
                    QMarginsF(marginInches, marginInches, marginInches, marginInches), QPageLayout::Inch);
            resolution = printer.resolution();
            printable = printer.pageLayout().paintRectPixels(resolution);
            lineHeight = PrintoutGeometry::onDevice(printer, printable.width()).lineHeight;
            return true;
        };
        window = makeWindow(std::move(printing));
        window->menus().LabPrint1->trigger();
        QVERIFY(prompter->shown.empty());

        const PdfPage page = readPdfWords(file);
        const double point = 72.0 / resolution;
        const double column = std::nearbyint(printable.width() / 80.0) * point;
        const QPointF origin = QPointF(printable.topLeft()) * point;
        const double line = lineHeight * point;

        Cells printed;
        for (const Word& word : page.words) {
            const double firstColumn = (word.box.left() - origin.x()) / column;
            const QByteArray where = word.text.toUtf8() + " from column " + QByteArray::number(firstColumn);
            QVERIFY2(QRectF(QPointF(), page.size).contains(word.box), where);
            QVERIFY2(std::abs(firstColumn - std::round(firstColumn)) < 0.02, where);
            const std::u32string characters = word.text.toStdU32String();
            const int c0 = static_cast<int>(std::round(firstColumn));
            // The last character ends inside its own column.
            const double lastColumnEnd = origin.x() + (c0 + static_cast<double>(characters.size())) * column;
            QVERIFY2(word.box.right() <= lastColumnEnd + 0.01, where);
            // Regular and bold words differ in their boxes' tops, not in their middles' lines.
            const int l = static_cast<int>(std::floor((word.box.center().y() - origin.y()) / line));
            for (std::size_t k = 0; k < characters.size(); ++k)
                printed[{l, c0 + static_cast<int>(k)}].insert(characters[k]);
        }
        const Cells expected = cellsOf(
            tintora::LabPrintPage(window->sheet(), SampleFormula.toStdString(), todayShortDate().toStdString()));
        QCOMPARE(printed, expected);
    }

    void printButtonPrintsOnTheLastChosenPrinterElseTheSystemOne()
    {
        const QString chosen = output.filePath(QStringLiteral("chosen.pdf"));
        const QString system = output.filePath(QStringLiteral("system.pdf"));
        bool confirm = false;
        int systemLookups = 0;
        PrinterChoice printing;
        int dialogs = 0;
        printing.runDialog = [&](QWidget*, QPrinter& printer) {
            ++dialogs;
            printIntoPdf(printer, chosen);
            return confirm;
        };
        printing.findSystemPrinter = [&](QPrinter& printer) {
            ++systemLookups;
            printIntoPdf(printer, system);
            return true;
        };
        window = makeWindow(std::move(printing));
        const auto printButton = [this] { window->buttons().PrintButton->OnClick(); };
        // Whether a printout went into the file since the last look.
        const auto printedInto = [](const QString& file) { return QFile::remove(file); };

        const auto status = [this] { return window->statusBar()->currentMessage(); };
        printButton();
        QVERIFY(printedInto(system));
        QCOMPARE(status(), QStringLiteral("The printout went to the file %1.").arg(system));
        window->menus().LabPrint1->trigger();  // cancelled: nothing printed, nothing chosen
        QVERIFY(!printedInto(chosen));
        printButton();
        QVERIFY(printedInto(system));
        QCOMPARE(systemLookups, 2);

        QCOMPARE(dialogs, 1);

        // A file chosen in the dialog is never replaced without it: the
        // button shows the dialog again, and prints only when it is confirmed.
        confirm = true;
        window->menus().LabPrint1->trigger();
        QVERIFY(printedInto(chosen));
        QCOMPARE(status(), QStringLiteral("The printout went to the file %1.").arg(chosen));
        window->statusBar()->clearMessage();
        printButton();
        QCOMPARE(dialogs, 3);
        QVERIFY(printedInto(chosen));
        QCOMPARE(status(), QStringLiteral("The printout went to the file %1.").arg(chosen));
        confirm = false;
        window->statusBar()->clearMessage();
        printButton();
        QCOMPARE(dialogs, 4);
        QVERIFY(!printedInto(chosen));
        QVERIFY(status().isEmpty());
        QCOMPARE(systemLookups, 2);
        QVERIFY(prompter->shown.empty());
    }

    void printButtonWithoutAnyPrinterSaysHowToPrint()
    {
        PrinterChoice printing;
        printing.findSystemPrinter = [](QPrinter&) { return false; };
        window = makeWindow(std::move(printing));
        window->buttons().PrintButton->OnClick();
        const std::vector<ShownMessage> expected{{ShownMessage::Kind::Error,
            "No printer is available. Use File \u25B8 Print \u25B8 Lab Print to print to a PDF file."}};
        QCOMPARE(prompter->shown, expected);
    }

    void printDialogOffersAPdfFile()
    {
        const std::unique_ptr<QPrinter> printer = newLabPrinter();
        const std::unique_ptr<QPrintDialog> dialog = newLabPrintDialog(*printer, nullptr);
        dialog->show();
        QStringList choices;
        for (const QComboBox* box : dialog->findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i)
                choices << box->itemText(i);
        QVERIFY2(choices.filter(QStringLiteral("PDF")).size() == 1, qPrintable(choices.join(QLatin1Char(','))));
    }

    // The report run without a date prints the date the window prints.
    void windowAndReportPrintTheSameDate()
    {
        QProcess report;
        report.start(QStringLiteral(TINTORA_REPORT),
            {QStringLiteral("--materials"), formulas(), formulas() + QLatin1Char('/') + SampleFormula});
        QVERIFY(report.waitForFinished());
        const QString windowDate = todayShortDate();
        const QStringList lines = QString::fromUtf8(report.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(5), QStringLiteral("DATE:  ") + windowDate);
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<LabPrintWindowTest>(argc, argv);
}

#include "LabPrintWindowTest.moc"
