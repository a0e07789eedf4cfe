// The printout as the main window prints it: through the print dialog or the
// Print button, into PDF files that pdftotext reads back.
#include "MainWindowFixture.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/GridEditor.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/print/LabPrinter.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <functional>

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

QString pdfText(const QString& pdfFile)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Answers the next batch size dialog: the size and Enter, else Escape when the size is empty.
void answerBatchDialog(const QString& size, const std::function<void()>& next = {})
{
    QTimer::singleShot(0, [size, next] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        const auto edits = dialog->findChildren<QLineEdit*>();
        if (next)
            next();
        if (size.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        edits.value(0)->setText(size);
        QTest::keyClick(edits.value(0), Qt::Key_Return);
    });
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

    // Each way out of the laboratory produces its output from the open
    // formula: the two printouts through the print dialog into a PDF file,
    // Copy Out and its button onto the clipboard, Excel Out into a workbook.
    void eachPlantCommandProducesItsOutput_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");  // in the PDF's text; empty for the others
        QTest::newRow("Batch Print") << "BatchPrint1"
                                     << "BATCH TICKET";
        QTest::newRow("Materials Print") << "MaterialsPrint1"
                                         << "TITANIUMDIOX";
        QTest::newRow("Copy Out") << "CopyOut1" << QString();
        QTest::newRow("Excel Out button") << "CopyOutNow" << QString();
        QTest::newRow("Excel Out") << "Excel" << QString();
    }
    void eachPlantCommandProducesItsOutput()
    {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        const QString pdf = output.filePath(command + QStringLiteral(".pdf"));
        PrinterChoice printing;
        printing.runDialog = [&](QWidget*, QPrinter& printer) {
            printIntoPdf(printer, pdf);
            return true;
        };
        window = makeWindow(std::move(printing));
        QGuiApplication::clipboard()->clear();
        const QString workbook = output.filePath(QStringLiteral("formula"));
        saveChooser.answers.push_back(workbook);
        if (command == QLatin1String("BatchPrint1"))
            answerBatchDialog(QStringLiteral("500"));
        auto* action = window->findChild<QAction*>(command);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QVERIFY(prompter->shown.empty());

        if (!expected.isEmpty()) {
            QVERIFY2(pdfText(pdf).contains(expected), qPrintable(pdfText(pdf)));
        } else if (command == QLatin1String("Excel")) {
            QFile file(workbook + QStringLiteral(".xlsx"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(2), QByteArray("PK"));
        } else {
            const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
            QVERIFY(copied && copied->hasText() && copied->hasHtml());
            QVERIFY(
                copied->text().contains(QString::fromStdString(window->sheet().cell(tintora::Column::Material, 1))));
        }
    }

    // A note still in its editor is part of what the Excel Out button copies.
    void copyOutTakesTheNoteStillBeingTyped()
    {
        window = makeWindow({});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        TSuperGrid* grid = window->Grid1();
        const QPoint emptyRow = grid->CellRect(2, 8).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, emptyRow);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, emptyRow);
        QLineEdit* editor = window->gridEditor().DescBox();
        QVERIFY(editor->isVisible());
        QTest::keyClicks(editor, QStringLiteral("stir ten minutes"));
        QTest::mouseClick(window->buttons().CopyOutButton, Qt::LeftButton);
        QVERIFY(!editor->isVisible());
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("stir ten minutes")));
    }

    // The save dialog asked about the name it was given; the one with
    // ".xlsx" added is asked about again, and No leaves the file as it was.
    void excelOutAsksBeforeReplacingAWorkbook()
    {
        window = makeWindow({});
        const QString existing = output.filePath(QStringLiteral("kept.xlsx"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept") == 4);
        file.close();
        saveChooser.answers.push_back(output.filePath(QStringLiteral("kept")));
        prompter->answers = {false};
        window->menus().Excel->trigger();
        const std::vector<ShownMessage> expected{
            {ShownMessage::Kind::Confirm, "kept.xlsx already exists. Do you want to replace it?"}};
        QCOMPARE(prompter->shown, expected);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("kept"));
    }

    // A batch size beyond the row limit is told and asked again; cancelled
    // then, nothing reaches the print dialog.
    void refusedBatchSizePrintsNothing()
    {
        int dialogs = 0;
        PrinterChoice printing;
        printing.runDialog = [&](QWidget*, QPrinter&) { return ++dialogs, false; };
        window = makeWindow(std::move(printing));
        answerBatchDialog(QStringLiteral("99999999"), [] { answerBatchDialog({}); });
        window->menus().BatchPrint1->trigger();
        QCOMPARE(dialogs, 0);
        QCOMPARE(prompter->shown.size(), std::size_t(1));
        QVERIFY2(
            QString::fromStdString(prompter->shown[0].text).contains(QStringLiteral("The largest batch that fits is")),
            prompter->shown[0].text.c_str());
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

    // The dialog offers again the file the last printout went into.
    void printDialogOffersTheLastFileAgain()
    {
        const QString pdf = output.filePath(QStringLiteral("last.pdf"));
        const auto answerDialog = [](const std::function<void(QPrintDialog&)>& answer) {
            QTimer::singleShot(0, [answer] {
                auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                answer(*dialog);
            });
        };
        const std::unique_ptr<QPrinter> first = newLabPrinter();
        first->setOutputFileName(pdf);
        answerDialog([](QPrintDialog& dialog) { dialog.accept(); });
        QVERIFY(runLabPrintDialog(nullptr, *first));
        QCOMPARE(first->outputFileName(), pdf);
        const std::unique_ptr<QPrinter> next = newLabPrinter();
        QString offered;
        answerDialog([&offered](QPrintDialog& dialog) {
            offered = dialog.printer()->outputFileName();
            dialog.reject();
        });
        QVERIFY(!runLabPrintDialog(nullptr, *next));
        QCOMPARE(offered, pdf);
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
