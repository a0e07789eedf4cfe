// Edit > Find on a Formulas folder of codes in every letter case, notes that
// read like a code, a material that has no file and files no formula reader
// should read: what the list shows, how it sorts, opening a row, and stopping
// or closing while the search runs.
#include "MainWindowFixture.h"
#include "core/formulas/FormulaFile.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/formulas/FindResultsModel.h"
#include "ui/formulas/TfrmFind.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using tintora::testing::ShownMessage;

namespace {

const QString DataFolder = QStringLiteral(TINTORA_TEST_DATA);
constexpr int SearchTimeoutMs = 60000;  // generous: the sanitizer runs are slow

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The rows of a Find for tio2 in tests/data/where-used, by file.
const QStringList TiO2Uses = {
    QStringLiteral("flat-latex.tfx|Flat latex|1|Tio2|100.000|20.000"),
    QStringLiteral("flat-latex.tfx|Flat latex|3|tIO2|50.000|10.000"),
    QStringLiteral("gloss-enamel.tfx|Gloss enamel|1|TIO2|250.000|25.000"),
};

// The files no formula can be read from, greyed ("~"), with the reason.
const QStringList Unreadable = {
    QStringLiteral("~binary.tfx|Not read: it is not a text file (UTF-8, Windows-1252, or UTF-16 with its "
                   "byte-order mark).||||"),
    QStringLiteral("~huge.tfx|Not read: it is larger than 16 MiB, far more than any formula.||||"),
    QStringLiteral("~order-list.tfx|Not read: it is not a formula file.||||"),
};

}  // namespace

class FindWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    TfrmFind* find() const { return window->findChild<TfrmFind*>(); }
    QTableView* list() const { return find()->ResultList(); }

    void openFind()
    {
        window->menus().Find1->trigger();
        QVERIFY(find());
        QVERIFY(QTest::qWaitForWindowExposed(find()));
    }

    void startSearch(const QString& text)
    {
        find()->FindBox()->setText(text);
        QTest::keyClick(find()->FindBox(), Qt::Key_Return);
    }

    void search(const QString& text)
    {
        startSearch(text);
        QTRY_VERIFY_WITH_TIMEOUT(!find()->searching(), SearchTimeoutMs);
    }

    // Each row as the list shows it from top to bottom: its cells shown joined
    // by "|", "~" before a greyed row.
    QStringList listed() const
    {
        const QAbstractItemModel* model = list()->model();
        QStringList rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                if (!list()->isColumnHidden(c))
                    cells << model->index(r, c).data().toString();
            const bool greyed = model->index(r, 0).data(Qt::ForegroundRole).isValid();
            rows << (greyed ? QStringLiteral("~") : QString()) + cells.join(u'|');
        }
        return rows;
    }

    QModelIndex rowListed(const QString& file, int row) const
    {
        const QAbstractItemModel* model = list()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, FindResultsModel::FileColumn).data().toString() == file
                && model->index(r, FindResultsModel::RowColumn).data().toString() == QString::number(row))
                return model->index(r, FindResultsModel::FileColumn);
        return {};
    }

    // A press and a release, then the second press a double click is.
    void doubleClick(const QModelIndex& index)
    {
        const QPoint at = list()->visualRect(index).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }

    void clickHeader(int column)
    {
        QHeaderView* header = list()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    // Formulas enough that a search takes a while, each using tio2 in two rows.
    void fillWithFormulas(int count)
    {
        for (int f = 0; f < count; ++f)
            writeFile(formulas() + QStringLiteral("/f%1.tfx").arg(f, 5, 10, QLatin1Char('0')),
                QStringLiteral("[Formula]\nName=Formula %1\nrType1=1\nMaterial1=tio2\nWeight1=%2\nrType2=1\n"
                               "Material2=water\nWeight2=10\nrType3=1\nMaterial3=TIO2\nWeight3=5\n")
                    .arg(f)
                    .arg(f % 100)
                    .toUtf8());
    }

private slots:
    void init()
    {
        resetScripts();
        QVERIFY(programFolder.isValid());
        QDir(formulas()).removeRecursively();
        copyTestData(QStringLiteral("where-used"));
        copyTestData(QStringLiteral("materials"));
        copyTestData(QStringLiteral("hostile"), {QStringLiteral("binary.tfx")});
        QFile huge(formulas() + QStringLiteral("/huge.tfx"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write("[Formula]\nName=Huge\nrType1=1\nMaterial1=tio2\nWeight1=1\n");
        QVERIFY(huge.resize(qint64(tintora::MaxFormulaFileBytes) + 1));
        huge.close();
        window = newWindow();
        openFind();
        new QAbstractItemModelTester(find()->results(), QAbstractItemModelTester::FailureReportingMode::QtTest, find());
    }

    void cleanup() { window.reset(); }

    void listsEveryUseAndEveryUnreadableFile_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("uses");
        QTest::addColumn<QString>("status");
        QTest::newRow("a code in another letter case; notes that read like it are no use")
            << "TiO2" << TiO2Uses << "3 rows in 2 formulas; 3 files could not be read.";
        QTest::newRow("a material without a file, blanks around it")
            << "  Ghost " << QStringList{QStringLiteral("flat-latex.tfx|Flat latex|4|ghost|10.000|2.000")}
            << "1 row in 1 formula; 3 files could not be read.";
        QTest::newRow("words of the material's name, in any order and case")
            << "RUTILE titanium" << TiO2Uses << "3 rows in 2 formulas; 3 files could not be read.";
        QTest::newRow("used nowhere") << "zinc" << QStringList{}
                                      << "No formula uses \"zinc\"; 3 files could not be read.";
    }
    // A price in New cost adds each formula's cost per gallon now, at that
    // price and the change (here of 1.850 to 3.700); a text that is no price
    // is said beside the field and changes nothing.
    void newCostListsTheCostPerGallon_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("newCost");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QStringList>("uses");
        // Flat latex costs nothing but its tio2: its cost doubles.
        const QStringList costed = {TiO2Uses[0] + QStringLiteral("|6.141|12.281|+6.140"),
            TiO2Uses[1] + QStringLiteral("|6.141|12.281|+6.140"), TiO2Uses[2] + QStringLiteral("|9.660|14.556|+4.896")};
        QTest::newRow("a price for a code") << "TiO2"
                                            << " 3.7 "
                                            << "" << costed;
        QTest::newRow("no number") << "tio2"
                                   << "3.7x"
                                   << "Not a number" << TiO2Uses;
        QTest::newRow("below 0") << "tio2"
                                 << "-1"
                                 << "Below 0" << TiO2Uses;
        QTest::newRow("empty") << "tio2"
                               << ""
                               << "" << TiO2Uses;
    }
    void newCostListsTheCostPerGallon()
    {
        QFETCH(QString, query);
        QFETCH(QString, newCost);
        QFETCH(QString, note);
        QFETCH(QStringList, uses);
        find()->NewCostBox()->setText(newCost);
        QCOMPARE(find()->NewCostNote()->text(), note);
        search(query);
        QStringList used = listed();
        used.removeIf([](const QString& row) { return row.startsWith(u'~'); });
        QCOMPARE(used, uses);
        QCOMPARE(find()->NewCostNote()->text(), note);
    }

    // The window goes beside its owner where the screen has room, else below
    // or above it, never over it while there is room elsewhere.
    void placementLeavesTheOwnerInSight_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("wide screen: right, whole")
            << QRect(0, 0, 1920, 1080) << QRect(100, 100, 700, 600) << QRect(800, 100, 640, 360);
        QTest::newRow("owner on the right: left")
            << QRect(0, 0, 1920, 1080) << QRect(1200, 100, 700, 600) << QRect(560, 100, 640, 360);
        QTest::newRow("1280 wide, owner left: right, narrowed")
            << QRect(0, 0, 1280, 1024) << QRect(0, 0, 800, 700) << QRect(800, 0, 480, 360);
        QTest::newRow("1280 wide, owner centred: below, lowered")
            << QRect(0, 0, 1280, 1024) << QRect(240, 0, 800, 700) << QRect(240, 700, 640, 324);
        QTest::newRow("no room anywhere: inside the screen")
            << QRect(0, 0, 1280, 800) << QRect(240, 150, 800, 600) << QRect(640, 150, 640, 360);
    }
    void placementLeavesTheOwnerInSight()
    {
        QFETCH(QRect, area);
        QFETCH(QRect, owner);
        QFETCH(QRect, expected);
        const QRect placed = TfrmFind::placement(area, owner, QSize(640, 360), QSize(420, 200));
        QCOMPARE(placed, expected);
        QVERIFY(area.contains(placed));
    }

    // A weight the grid shows empty (it cannot be read) is empty here too.
    void aWeightThatCannotBeReadIsEmpty()
    {
        writeFile(formulas() + QStringLiteral("/unweighed.tfx"),
            "[Formula]\nName=Unweighed\nrType1=1\nMaterial1=tio2\nWeight1=abc\n");
        search(QStringLiteral("tio2"));
        QVERIFY2(
            listed().contains(QStringLiteral("unweighed.tfx|Unweighed|1|tio2||")), qPrintable(listed().join(u'\n')));
    }

    void listsEveryUseAndEveryUnreadableFile()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, uses);
        QFETCH(QString, status);
        search(query);
        // Sorted by file at first: the unreadable files among the uses.
        QStringList expected = uses + Unreadable;
        std::sort(expected.begin(), expected.end(),
            [](const QString& a, const QString& b) { return a.mid(a.startsWith(u'~')) < b.mid(b.startsWith(u'~')); });
        QCOMPARE(listed(), expected);
        QCOMPARE(find()->StatusLabel()->text(), status);
        QCOMPARE(find()->FindButton()->text(), QStringLiteral("&Find"));
    }

    // Numbers sort as numbers (as text, "100.000" would come before "50.000"),
    // also for the rows that arrive after the user sorted; files that could
    // not be read stay at the end either way.
    void sortingByWeightOrdersTheNumbers()
    {
        clickHeader(FindResultsModel::WeightColumn);
        search(QStringLiteral("tio2"));
        const QStringList ascending = {TiO2Uses[1], TiO2Uses[0], TiO2Uses[2]};
        QCOMPARE(listed(), ascending + Unreadable);
        clickHeader(FindResultsModel::WeightColumn);
        const QStringList descending = {TiO2Uses[2], TiO2Uses[0], TiO2Uses[1]};
        QCOMPARE(listed(), descending + Unreadable);
    }

    void openingAListedRow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("double click") << "double click";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Cancel to saving the open formula") << "cancel";
    }
    void openingAListedRow()
    {
        QFETCH(QString, how);
        search(QStringLiteral("tio2"));
        const QModelIndex found = rowListed(QStringLiteral("flat-latex.tfx"), 3);
        QVERIFY(found.isValid());
        if (how == QLatin1String("cancel")) {
            window->properties()->NameBox()->setText(QStringLiteral("Unsaved work"));
            prompter->threeWayAnswers.push_back(tintora::Prompter::Answer::Cancel);
        }
        if (how == QLatin1String("Enter")) {
            list()->setCurrentIndex(found);
            QTest::keyClick(list(), Qt::Key_Return);
        } else {
            doubleClick(found);
        }
        if (how == QLatin1String("cancel")) {
            QCOMPARE(prompter->shown.size(), std::size_t(1));
            QCOMPARE(prompter->shown[0].kind, ShownMessage::Kind::YesNoCancel);
            QCOMPARE(window->FormulaPath(), QString());
            QCOMPARE(window->sheet().name(), std::string("Unsaved work"));
            return;
        }
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
        QCOMPARE(window->FormulaPath(), formulas() + QStringLiteral("/flat-latex.tfx"));
        QCOMPARE(window->Grid1()->Row(), 3);
        QCOMPARE(window->Grid1()->Col(), int(tintora::Column::Material));
        QCOMPARE(window->sheet().cell(tintora::Column::Material, 3), std::string("tIO2"));
        // The search did not run again: Enter belongs to the list.
        QVERIFY(!find()->searching());
        QCOMPARE(listed().size(), TiO2Uses.size() + Unreadable.size());
    }

    void anUnreadableFileDoesNotOpen()
    {
        search(QStringLiteral("tio2"));
        const QAbstractItemModel* model = list()->model();
        int row = 0;
        while (row < model->rowCount() && model->index(row, 0).data().toString() != QStringLiteral("binary.tfx"))
            ++row;
        QVERIFY(row < model->rowCount());
        // Pointed at, the reason is the whole message Open would give.
        QCOMPARE(model->index(row, FindResultsModel::FormulaColumn).data(Qt::ToolTipRole).toString(),
            QStringLiteral("Cannot open \"binary.tfx\": it is not a text file (UTF-8, Windows-1252, or UTF-16 with "
                           "its byte-order mark)."));
        doubleClick(model->index(row, 1));
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
        QCOMPARE(window->FormulaPath(), QString());
    }

    // Stop ends the search at once with what it found so far; a new search
    // drops the old one's finds; closing the Find window or the main window
    // in the middle leaves no search running.
    void stoppingOrClosingMidSearch()
    {
        constexpr int Formulas = 1500;
        fillWithFormulas(Formulas);
        startSearch(QStringLiteral("tio2"));
        QVERIFY(find()->searching());
        QCOMPARE(find()->FindButton()->text(), QStringLiteral("&Stop"));
        QTest::mouseClick(find()->FindButton(), Qt::LeftButton);
        QVERIFY(!find()->searching());
        const QRegularExpressionMatch stopped
            = QRegularExpression(QStringLiteral("^Stopped after \\d+ files?: (\\d+) rows? in \\d+ formulas?"
                                                "(?:; (\\d+) files? could not be read)?\\.$"))
                  .match(find()->StatusLabel()->text());
        QVERIFY2(stopped.hasMatch(), qPrintable(find()->StatusLabel()->text()));
        QCOMPARE(stopped.captured(1).toInt() + stopped.captured(2).toInt(), list()->model()->rowCount());
        QVERIFY(list()->model()->rowCount() < 2 * Formulas);

        startSearch(QStringLiteral("tio2"));
        search(QStringLiteral("TIO2"));
        QCOMPARE(find()->StatusLabel()->text(),
            QStringLiteral("%1 rows in %2 formulas; 3 files could not be read.")
                .arg(2 * Formulas + 3)
                .arg(Formulas + 2));
        QCOMPARE(list()->model()->rowCount(), 2 * Formulas + 3 + 3);

        startSearch(QStringLiteral("tio2"));
        find()->close();
        QVERIFY(!find()->searching());
        QVERIFY(!find()->isVisible());
        openFind();
        startSearch(QStringLiteral("tio2"));
        window.reset();
    }

    // One Find window, raised again by Ctrl+F; F1 in it opens its topic of the guide.
    void oneWindowWithItsHelpTopic()
    {
        QVERIFY(QFile::copy(DataFolder + QStringLiteral("/../../help/Korvel.html"),
            programFolder.path() + QStringLiteral("/Korvel.html")));
        find()->FindBox()->setText(QStringLiteral("tio2"));
        find()->hide();
        window->menus().Find1->trigger();
        QCOMPARE(window->findChildren<TfrmFind*>().size(), 1);
        QVERIFY(find()->isVisible());
        QCOMPARE(find()->FindBox()->text(), QStringLiteral("tio2"));

        QTest::keyClick(find()->FindBox(), Qt::Key_F1);
        QVERIFY(window->help()->isVisible());
        QCOMPARE(window->help()->topic(), QStringLiteral("find"));
        QStringList anchors;
        const QTextDocument* guide = window->help()->browser()->document();
        // Where the help window's browser looks for an anchor: a block's own format and its fragments'.
        for (QTextBlock block = guide->begin(); block.isValid(); block = block.next()) {
            anchors << block.charFormat().anchorNames();
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
                anchors << fragment.fragment().charFormat().anchorNames();
        }
        QVERIFY(anchors.contains(QStringLiteral("find")));
        QVERIFY(prompter->shown.empty());
        QFile::remove(programFolder.path() + QStringLiteral("/Korvel.html"));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<FindWindowTest>(argc, argv);
}
#include "FindWindowTest.moc"
