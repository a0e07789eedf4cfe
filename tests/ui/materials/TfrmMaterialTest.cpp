// The material editor opened from the main window and driven with real keys
// and clicks while it is shown modally.
#include "ui/materials/TfrmMaterial.h"
#include "MainWindowFixture.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/GridEditor.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/calc/CalcPanel.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every file below a folder with its bytes.
std::map<QString, QByteArray> folderBytes(const QString& folder)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            out[file.fileName()] = file.readAll();
    }
    return out;
}

// What the dialog shows.
struct Shown {
    QString fileBox;
    QString name;
    double cost = 0, spec = 0, pigWt = 0, pigVol = 0, volWt = 0, volVol = 0, vocWt = 0, vocVol = 0;
    QString selected;  // the selected item, empty when none
};

Shown shown(const TfrmMaterial& d)
{
    Shown s;
    s.fileBox = d.FileBox()->text();
    s.name = d.NameBox()->text();
    const std::pair<const char*, double*> boxes[] = {
        {"Cost", &s.cost},
        {"Spec", &s.spec},
        {"Pig_Wt", &s.pigWt},
        {"Pig_Vol", &s.pigVol},
        {"Vol_Wt", &s.volWt},
        {"Vol_Vol", &s.volVol},
        {"Voc_Wt", &s.vocWt},
        {"Voc_Vol", &s.vocVol},
    };
    for (const auto& [key, value] : boxes)
        *value = d.boxFor(key)->Value().value_or(std::nan(""));  // no number: equal to nothing
    const QModelIndexList selected = d.File32List()->selectionModel()->selectedIndexes();
    if (!selected.isEmpty())
        s.selected = selected.first().data().toString();
    return s;
}

}  // namespace

class TfrmMaterialTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT
    TSuperGrid* grid() const { return window->Grid1(); }
    TfrmMaterial* editor() const { return window->frmMaterial(); }

    void makeWindow(const QString& folder)
    {
        MainWindowServices services = scriptedServices();
        services.formulaFolder = folder + QStringLiteral("/Formulas");
        chooser.otherwise = formulas() + QStringLiteral("/small.tfx");
        showWindow(std::move(services));
    }

    void click(int col, int row)
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->CellRect(col, row).center());
    }

    void clickItem(const TfrmMaterial& d, const QString& caption)
    {
        const QModelIndexList found = d.File32List()->model()->match(
            d.File32List()->model()->index(0, 0), Qt::DisplayRole, caption, 1, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(caption));
        QTest::mouseClick(
            d.File32List()->viewport(), Qt::LeftButton, {}, d.File32List()->visualRect(found.first()).center());
    }

    // Opens the editor through `open` and runs `act` while it is shown; the
    // editor is closed with its Close button afterwards, also when a check failed.
    void withEditor(const std::function<void(TfrmMaterial&)>& act, const std::function<void()>& open = {})
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            TfrmMaterial* d = editor();
            ran = d->isVisible();
            struct Closer {
                TfrmMaterial* d;
                ~Closer()
                {
                    if (d->isVisible())
                        QTest::mouseClick(d->btnClose(), Qt::LeftButton);
                }
            } closer{d};
            act(*d);
        });
        if (open)
            open();
        else
            window->menus().Materials1->trigger();
        QVERIFY(ran);
        QVERIFY(!editor()->isVisible());
    }

private slots:
    void initTestCase() { copyMaterialsAndFormulas(); }

    void init()
    {
        resetScripts();
        makeWindow(programFolder.path());
    }

    void cleanup() { window.reset(); }

    void layoutAsDescribed()
    {
        TfrmMaterial* d = editor();
        QCOMPARE(d->windowTitle(), QStringLiteral("Edit Materials"));
        QCOMPARE(d->size(), QSize(422, 418));
        QCOMPARE(d->minimumSize(), d->maximumSize());
        QVERIFY(!d->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
        // The controls by rows in reading order, inside their frame: each row below the one before, left to
        // right within it, so none covers another (the flat buttons share their borders).
        const std::vector<std::vector<const char*>> rows = {
            {"New1", "Save1", "Delete1"},
            {"File32List"},
            {"FileBox", "btnClose"},
            {"NameBox"},
            {"GroupBox1"},
            {"CostBox", "Pig_WtBox", "Vol_WtBox", "Voc_WtBox"},
            {"SPGBox", "Pig_VolBox", "Vol_VolBox", "Voc_VolBox"},
            {"Oil_AbsBox", "EUVoc_WtBox"},
        };
        QRect rowAbove;
        const QWidget* frame = d;
        for (const auto& row : rows) {
            QRect rowRect, left;
            for (const char* name : row) {
                auto* w = d->findChild<QWidget*>(QString::fromLatin1(name));
                QVERIFY2(w, name);
                const QRect r = w->geometry();
                QVERIFY2(QRect(QPoint(), w->parentWidget()->size()).contains(r), name);
                QVERIFY2(left.isNull() || r.left() >= left.right(), name);
                if (w->parentWidget() != frame) {
                    frame = w->parentWidget();
                    rowAbove = {};  // the first row inside a frame
                }
                QVERIFY2(rowAbove.isNull() || r.top() > rowAbove.bottom(), name);
                left = r;
                rowRect |= r;
            }
            rowAbove = rowRect;
        }
        for (const char* name : {"New1", "Save1", "Delete1"})
            QVERIFY(d->findChild<TExplorerButton*>(QString::fromLatin1(name))->isEnabled());
        QCOMPARE(d->findChild<TExplorerButton*>(QStringLiteral("Save1"))->Caption(), QStringLiteral("Save"));
        QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label1"))->buddy(), d->FileBox());
        QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label3"))->buddy(), d->NameBox());
        QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label11"))->buddy(), d->File32List());
        QCOMPARE(d->FileBox()->placeholderText(), QStringLiteral("*.rm"));
        QCOMPARE(d->boxFor("Spec")->text(), QStringLiteral("0.000"));
        QCOMPARE(d->font().pointSize(), 8);
        // Each box of the Properties frame has its label just above it.
        auto* group = d->findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
        const QList<QLabel*> labels = group->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 10);
        for (const QLineEdit* box : group->findChildren<QLineEdit*>()) {
            const QRect b = box->geometry();
            QVERIFY2(std::ranges::any_of(labels,
                         [&](const QLabel* l) {
                             return l->x() == b.left() && l->geometry().bottom() < b.top()
                                 && b.top() - l->y() <= b.height();
                         }),
                qPrintable(box->objectName()));
        }
    }

    void tabOrderRunsFromTheListToClose()
    {
        QStringList order;
        withEditor([&](TfrmMaterial& d) {
            QTRY_COMPARE(QApplication::focusWidget(), d.File32List());
            for (int i = 0; i < 14; ++i) {
                order << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        });
        QCOMPARE(order,
            (QStringList{"File32List", "FileBox", "NameBox", "CostBox", "SPGBox", "Pig_WtBox", "Pig_VolBox",
                "Oil_AbsBox", "Vol_WtBox", "Vol_VolBox", "Voc_WtBox", "Voc_VolBox", "EUVoc_WtBox", "btnClose"}));
    }

    void opensOnTheCurrentRowsMaterial()
    {
        window->menus().Open1->trigger();
        click(1, 3);  // TIO2
        window->statusBar()->showMessage(QStringLiteral("left over"));
        Shown s;
        QString status = QStringLiteral("not read");
        withEditor([&](TfrmMaterial& d) {
            s = shown(d);
            status = window->statusBar()->currentMessage();
            QTRY_COMPARE(QApplication::focusWidget(), d.File32List());
            QVERIFY(!d.File32List()->visualRect(d.File32List()->currentIndex()).isEmpty());
        });
        QCOMPARE(s.selected, QStringLiteral("tio2.rm"));
        QCOMPARE(s.fileBox, QStringLiteral("tio2.rm"));
        QCOMPARE(s.name, QStringLiteral("titanium dioxide rutile"));
        QCOMPARE(s.spec, 4.1);
        QCOMPARE(s.cost, 1.85);
        QCOMPARE(s.pigWt, 1.0);
        QCOMPARE(s.pigVol, 1.0);
        QCOMPARE(s.volWt, 0.0);
        QVERIFY(status.isEmpty());
    }

    void openingHidesTheFloatingControls_data()
    {
        QTest::addColumn<int>("col");
        QTest::newRow("material list") << 1;
        QTest::newRow("keypad panel") << 3;
    }

    void openingHidesTheFloatingControls()
    {
        QFETCH(int, col);
        window->menus().Open1->trigger();
        click(col, 3);
        QWidget* floating
            = col == 1 ? static_cast<QWidget*>(window->gridEditor().File32List()) : window->gridEditor().calcPanel();
        QTest::mouseClick(col == 1 ? window->gridEditor().Drop1() : window->gridEditor().Drop2(), Qt::LeftButton);
        QVERIFY(floating->isVisible());
        bool hiddenWhileShown = false;
        withEditor([&](TfrmMaterial&) { hiddenWhileShown = !floating->isVisible(); });
        QVERIFY(hiddenWhileShown);
        QVERIFY(!floating->isVisible());
    }

    void closingReadsTheDropDownListAgain()
    {
        window->menus().Open1->trigger();
        click(1, 3);
        QTest::mouseClick(window->gridEditor().Drop1(), Qt::LeftButton);
        QCOMPARE(window->gridEditor().File32List()->model()->rowCount(), 5);
        QTest::qWait(5);  // the folder's time stamp must move on
        const QString added = formulas() + QStringLiteral("/added.rm");
        withEditor([&](TfrmMaterial&) { writeFile(added, "[Material]\nName=added\n"); });
        const int rows = window->gridEditor().File32List()->model()->rowCount();
        QFile::remove(added);
        QCOMPARE(rows, 6);
    }

    void theButtonOpensItToo()
    {
        bool shownByButton = false;
        withEditor([&](TfrmMaterial& d) { shownByButton = d.isModal() && d.isVisible(); },
            [&] { QTest::mouseClick(window->buttons().MaterialsButton, Qt::LeftButton); });
        QVERIFY(shownByButton);
    }

    void opensBelowRightOfTheMainWindow()
    {
        window->move(40, 30);
        QPoint at;
        withEditor([&](TfrmMaterial& d) { at = d.pos(); });
        QCOMPARE(at, window->pos() + QPoint(60, 50));
    }

    void anEmptyMaterialCellKeepsThePreviousOpening()
    {
        Shown first;
        withEditor([&](TfrmMaterial& d) { first = shown(d); });
        QVERIFY(first.fileBox.isEmpty());  // the first opening
        QVERIFY(first.name.isEmpty());
        QCOMPARE(first.spec, 0.0);
        QVERIFY(first.selected.isEmpty());

        window->menus().Open1->trigger();
        click(1, 5);  // Resin
        withEditor([](TfrmMaterial& d) {
            // What is typed is shown again, not the file read afresh.
            d.NameBox()->setFocus();
            d.NameBox()->selectAll();
            QTest::keyClicks(d.NameBox(), QStringLiteral("typed"));
            d.boxFor("Cost")->setFocus();
            d.boxFor("Cost")->selectAll();
            QTest::keyClicks(d.boxFor("Cost"), QStringLiteral("9"));
        });
        click(1, 9);  // an empty row
        Shown again;
        withEditor([&](TfrmMaterial& d) { again = shown(d); });
        QVERIFY(again.selected.isEmpty());
        QCOMPARE(again.fileBox, QStringLiteral("resin.rm"));
        QCOMPARE(again.name, QStringLiteral("typed"));
        QCOMPARE(again.cost, 9.0);
        QCOMPARE(again.volVol, 0.525);
    }

    void anUnknownCodeOpensWithoutSelection()
    {
        window->menus().Open1->trigger();
        click(1, 7);  // nosuch: a missing-material row
        Shown s;
        withEditor([&](TfrmMaterial& d) { s = shown(d); });
        QVERIFY(s.selected.isEmpty());
        QVERIFY(s.fileBox.isEmpty());
    }

    // Neither the first opening's empty file name box nor a typed name that is
    // not a plain code makes a file: Save and the question on closing refuse
    // with a message and the editor stays open.
    void onlyAPlainCodeIsSaved_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("message");
        const QString rule = QStringLiteral(" is not a material code. A code has no * ? [ ] / or \\, no control "
                                            "characters and no blanks at its ends.");
        QTest::newRow("nothing typed") << QString() << "Save changes to the new material?"
                                       << "Please enter a file name for the material.";
        QTest::newRow("pattern") << "*.rm"
                                 << "Save changes to *.rm?"
                                 << "\"*.rm\"" + rule;
        QTest::newRow("wildcard") << "ti?2"
                                  << "Save changes to ti?2?"
                                  << "\"ti?2\"" + rule;
        QTest::newRow("separator") << "a\\b.rm"
                                   << "Save changes to a\\b.rm?"
                                   << "\"a\\b.rm\"" + rule;
        QTest::newRow("extension only") << ".rm"
                                        << "Save changes to .rm?"
                                        << "Please enter a file name for the material.";
    }
    void onlyAPlainCodeIsSaved()
    {
        QFETCH(QString, typed);
        QFETCH(QString, question);
        QFETCH(QString, message);
        using tintora::testing::ShownMessage;
        const auto before = folderBytes(formulas());
        prompter->threeWayAnswers = {tintora::Prompter::Answer::Yes, tintora::Prompter::Answer::No};
        bool keptOpen = false;
        withEditor([&](TfrmMaterial& d) {
            QTest::keyClicks(d.FileBox(), typed);
            d.boxFor("Cost")->setFocus();
            d.boxFor("Cost")->selectAll();
            QTest::keyClicks(d.boxFor("Cost"), QStringLiteral("2"));
            QTest::mouseClick(d.btnClose(), Qt::LeftButton);  // Yes: the save is refused
            keptOpen = d.isVisible();
        });  // closed by the second question's No
        QVERIFY(keptOpen);
        const std::vector<ShownMessage> expected{{ShownMessage::Kind::YesNoCancel, question.toStdString()},
            {ShownMessage::Kind::Error, message.toStdString()},
            {ShownMessage::Kind::YesNoCancel, question.toStdString()}};
        QCOMPARE(prompter->shown, expected);
        QCOMPARE(folderBytes(formulas()), before);
    }

    void aPartlyTypedNameLoadsNothing()
    {
        QList<Shown> steps;
        withEditor([&](TfrmMaterial& d) {
            d.FileBox()->setFocus();
            d.FileBox()->selectAll();
            for (const char* key : {"T", "i", "O"}) {
                QTest::keyClicks(d.FileBox(), QString::fromLatin1(key));
                steps << shown(d);
            }
            QTest::keyClicks(d.FileBox(), QStringLiteral("2.RM"));
            steps << shown(d);
        });
        QCOMPARE(steps.size(), 4);
        QCOMPARE(steps[2].fileBox, QStringLiteral("tio"));  // forced to lower case
        for (int i = 0; i < 3; ++i) {
            QVERIFY(steps[i].name.isEmpty());
            QCOMPARE(steps[i].spec, 0.0);
        }
        QCOMPARE(steps[3].fileBox, QStringLiteral("tio2.rm"));
        QCOMPARE(steps[3].name, QStringLiteral("titanium dioxide rutile"));
        QCOMPARE(steps[3].spec, 4.1);
        QVERIFY(steps[3].selected.isEmpty());  // typing does not select
    }

    void arrowKeysAndClicksLoadAtOnce()
    {
        window->menus().Open1->trigger();
        click(1, 3);
        QList<Shown> steps;
        withEditor([&](TfrmMaterial& d) {
            QTest::keyClick(d.File32List(), Qt::Key_Down);
            steps << shown(d);
            QTest::keyClick(d.File32List(), Qt::Key_Up);
            QTest::keyClick(d.File32List(), Qt::Key_Up);
            steps << shown(d);
            clickItem(d, QStringLiteral("glycol.rm"));
            steps << shown(d);
        });
        QCOMPARE(steps.size(), 3);
        QCOMPARE(steps[0].selected, QStringLiteral("water.rm"));
        QCOMPARE(steps[0].fileBox, QStringLiteral("water.rm"));
        QCOMPARE(steps[0].name, QStringLiteral("water"));
        QCOMPARE(steps[0].volWt, 1.0);
        QCOMPARE(steps[1].fileBox, QStringLiteral("resin.rm"));
        QCOMPARE(steps[1].name, QStringLiteral("acrylic latex 50%"));
        QCOMPARE(steps[1].spec, 1.05);
        QCOMPARE(steps[2].fileBox, QStringLiteral("glycol.rm"));
        QCOMPARE(steps[2].vocVol, 1.0);
        QCOMPARE(steps[2].cost, 0.75);
    }

    void enterInABoxDoesNotCloseIt()
    {
        bool stillShown = false;
        withEditor([&](TfrmMaterial& d) {
            QTest::keyClick(d.FileBox(), Qt::Key_Return);
            QTest::keyClick(d.boxFor("Cost"), Qt::Key_Return);
            stillShown = d.isVisible();
        });
        QVERIFY(stillShown);
    }

    // A box holding no number (only setText can put one there) fails Save
    // with its conversion error in the general error report; nothing is written.
    void aBoxHoldingNoNumberIsReportedAtSave()
    {
        using tintora::testing::ShownMessage;
        const auto before = folderBytes(formulas());
        bool saved = true;
        withEditor([&](TfrmMaterial& d) {
            QTest::keyClicks(d.FileBox(), QStringLiteral("fresh"));
            d.boxFor("Spec")->setText(QStringLiteral("1x5"));
            saved = d.Save1Click();
            d.New1Click();  // closing then asks nothing
        });
        QVERIFY(!saved);
        QCOMPARE(prompter->shown,
            (std::vector<ShownMessage>{
                {ShownMessage::Kind::ErrorReport, "'1x5' is not a valid floating point value."}}));
        QVERIFY(sounds.played.empty());
        QCOMPARE(folderBytes(formulas()), before);
    }

    // The two figures a material may leave out go through the file: an
    // empty box writes no key and reads back empty, a 0 is a value.
    void optionalFiguresRoundTrip_data()
    {
        QTest::addColumn<QString>("oil");
        QTest::addColumn<QString>("euVoc");
        QTest::addColumn<QString>("oilShown");
        QTest::addColumn<QString>("euVocShown");
        QTest::newRow("both empty") << QString() << QString() << QString() << QString();
        QTest::newRow("both given") << "18.5"
                                    << ".25"
                                    << "18.500"
                                    << "0.250";
        QTest::newRow("zero is a value") << QString() << "0" << QString() << "0.000";
    }

    void optionalFiguresRoundTrip()
    {
        QFETCH(QString, oil);
        QFETCH(QString, euVoc);
        QFETCH(QString, oilShown);
        QFETCH(QString, euVocShown);
        const QString file = formulas() + QStringLiteral("/fresh.rm");
        QStringList readBack;
        withEditor([&](TfrmMaterial& d) {
            d.New1Click();
            QTest::keyClicks(d.FileBox(), QStringLiteral("fresh"));
            QTest::keyClicks(d.optionalBoxFor("Oil_Abs"), oil);
            QTest::keyClicks(d.optionalBoxFor("EUVoc_Wt"), euVoc);
            QVERIFY(d.Save1Click());  // selects the file saved, which reads it back
            readBack = {d.optionalBoxFor("Oil_Abs")->text(), d.optionalBoxFor("EUVoc_Wt")->text()};
        });
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        saved.close();
        QFile::remove(file);
        QCOMPARE(readBack, (QStringList{oilShown, euVocShown}));
        QCOMPARE(bytes.contains("Oil_Abs="), !oil.isEmpty());
        QCOMPARE(bytes.contains("EUVoc_Wt="), !euVoc.isEmpty());
    }

    void typedValuesAreNeverStored_data()
    {
        QTest::addColumn<bool>("byTitleBar");
        QTest::newRow("Close button") << false;
        QTest::newRow("title bar") << true;
    }

    void typedValuesAreNeverStored()
    {
        QFETCH(bool, byTitleBar);
        const auto before = folderBytes(formulas());
        window->menus().Open1->trigger();
        click(1, 3);
        withEditor([&](TfrmMaterial& d) {
            d.NameBox()->setFocus();
            d.NameBox()->selectAll();
            QTest::keyClicks(d.NameBox(), QStringLiteral("changed"));
            d.boxFor("Cost")->setFocus();
            d.boxFor("Cost")->selectAll();
            QTest::keyClicks(d.boxFor("Cost"), QStringLiteral("9"));
            QTest::keyClick(d.boxFor("Cost"), Qt::Key_Tab);
            QVERIFY(d.boxFor("Cost")->Value() != 1.85);
            if (byTitleBar)
                d.close();
        });
        QCOMPARE(folderBytes(formulas()), before);

        // The next opening on the same material shows the file again (Auto
        // Reload made row 1 current on closing).
        click(1, 3);
        Shown s;
        withEditor([&](TfrmMaterial& d) { s = shown(d); });
        QCOMPARE(s.name, QStringLiteral("titanium dioxide rutile"));
        QCOMPARE(s.cost, 1.85);
        QCOMPARE(folderBytes(formulas()), before);
    }

    void autoReloadReadsTheFormulaAgain_data()
    {
        QTest::addColumn<bool>("autoReload");
        QTest::addColumn<QString>("weight");
        QTest::newRow("checked") << true << QStringLiteral(" 100.000");
        QTest::newRow("unchecked") << false << QStringLiteral("  50.000");
    }

    void autoReloadReadsTheFormulaAgain()
    {
        QFETCH(bool, autoReload);
        QFETCH(QString, weight);
        const auto before = folderBytes(formulas());
        window->menus().Open1->trigger();
        QVERIFY(window->menus().AutoReload1->isChecked());  // as every run starts
        if (!autoReload)
            window->menus().AutoReload1->trigger();
        click(3, 2);
        QTest::keyClicks(grid(), QStringLiteral("50"));
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(grid()->Cells(3, 2), QStringLiteral("  50.000"));
        click(1, 5);

        withEditor([](TfrmMaterial&) {});
        QCOMPARE(grid()->Cells(3, 2), weight);
        QCOMPARE(window->sheet().cell(tintora::Column::Weight, 2), weight.toStdString());
        QCOMPARE(grid()->Cells(2, 7), QStringLiteral("Material not found"));
        QCOMPARE(grid()->Row(), autoReload ? 1 : 5);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(folderBytes(formulas()), before);
    }

    void autoReloadKeepsAnUntitledSheet()
    {
        click(1, 1);
        QTest::keyClicks(grid(), QStringLiteral("tio2"));
        QTest::keyClick(grid(), Qt::Key_Return);
        click(3, 1);
        QTest::keyClicks(grid(), QStringLiteral("10"));
        QTest::keyClick(grid(), Qt::Key_Return);
        QVERIFY(window->FormulaPath().isEmpty());
        QVERIFY(window->menus().AutoReload1->isChecked());

        withEditor([](TfrmMaterial&) {});
        QCOMPARE(grid()->Cells(1, 1), QStringLiteral("tio2"));
        QCOMPARE(grid()->Cells(2, 1), QStringLiteral("Titanium dioxide rutile"));
        QCOMPARE(grid()->Cells(3, 1), QStringLiteral("  10.000"));
        QVERIFY(window->sheet().row(1).RowKind);
    }

    // The list's model keeps the item-model rules while each opening lists
    // the folder again.
    void everyOpeningListsTheFolderAgain()
    {
        QAbstractItemModelTester tester(
            window->frmMaterial()->File32List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList first, second;
        withEditor([&](TfrmMaterial& d) {
            for (const auto& f : d.listedFiles())
                first << QString::fromStdString(f.caption);
        });
        QCOMPARE(first, (QStringList{"creme.rm", "glycol.rm", "resin.rm", "tio2.rm", "water.rm"}));

        writeFile(formulas() + QStringLiteral("/Alkyd.RM"), "[Material]\nName=alkyd\n");
        QVERIFY(QFile::rename(formulas() + QStringLiteral("/water.rm"), formulas() + QStringLiteral("/water.bak")));
        withEditor([&](TfrmMaterial& d) {
            for (const auto& f : d.listedFiles())
                second << QString::fromStdString(f.caption);
        });
        QFile::remove(formulas() + QStringLiteral("/Alkyd.RM"));
        QFile::rename(formulas() + QStringLiteral("/water.bak"), formulas() + QStringLiteral("/water.rm"));
        QCOMPARE(second, (QStringList{"Alkyd.RM", "creme.rm", "glycol.rm", "resin.rm", "tio2.rm"}));
        QVERIFY(!QTest::currentTestFailed());
    }

    void accentedDescriptionsShow()
    {
        Shown s;
        withEditor([&](TfrmMaterial& d) {
            clickItem(d, QStringLiteral("creme.rm"));
            s = shown(d);
        });
        QCOMPARE(s.name, QStringLiteral("cr\u00e8me tint paste"));
        QCOMPARE(s.pigWt, 0.6);
    }

    void namesThatDifferOnlyInCaseLoadTheirOwnFile()
    {
        QTemporaryDir other;
        const QString folder = other.path() + QStringLiteral("/Formulas");
        QDir().mkpath(folder);
        writeFile(folder + QStringLiteral("/ZINC.RM"), "[Material]\nName=Zinc oxide\nSpec=5.6\n");
        writeFile(folder + QStringLiteral("/Tio2.rm"), "[Material]\nName=upper\nSpec=4\n");
        writeFile(folder + QStringLiteral("/tio2.rm"), "[Material]\nName=lower\nSpec=3\n");
        QDir().mkpath(folder + QStringLiteral("/folder.rm"));
        window.reset();
        makeWindow(other.path());
        const auto before = folderBytes(folder);

        QList<Shown> steps;
        withEditor([&](TfrmMaterial& d) {
            clickItem(d, QStringLiteral("ZINC.RM"));
            steps << shown(d);
            clickItem(d, QStringLiteral("tio2.rm"));
            steps << shown(d);
            clickItem(d, QStringLiteral("Tio2.rm"));
            steps << shown(d);
            clickItem(d, QStringLiteral("folder.rm"));
            steps << shown(d);
        });
        QCOMPARE(steps.size(), 4);
        QCOMPARE(steps[0].fileBox, QStringLiteral("zinc.rm"));
        QCOMPARE(steps[0].name, QStringLiteral("zinc oxide"));
        QCOMPARE(steps[0].spec, 5.6);
        QCOMPARE(steps[1].name, QStringLiteral("lower"));
        QCOMPARE(steps[2].fileBox, QStringLiteral("tio2.rm"));
        QCOMPARE(steps[2].name, QStringLiteral("upper"));
        QCOMPARE(steps[3].fileBox, QStringLiteral("folder.rm"));  // a folder reads as an empty file
        QVERIFY(steps[3].name.isEmpty());
        QCOMPARE(steps[3].spec, 0.0);
        QCOMPARE(folderBytes(folder), before);
    }

    void aMissingFolderGivesAnEmptyList()
    {
        QTemporaryDir empty;
        window.reset();
        makeWindow(empty.path());
        int rows = -1;
        Shown s;
        withEditor([&](TfrmMaterial& d) {
            rows = d.File32List()->model()->rowCount();
            QTest::keyClick(d.File32List(), Qt::Key_Down);
            QTest::keyClicks(d.FileBox(), QStringLiteral("x"));
            s = shown(d);
        });
        QCOMPARE(rows, 0);
        QVERIFY(s.name.isEmpty());
        QVERIFY(s.selected.isEmpty());
    }

    void aLargeFolderStartsOnItsMaterialInView()
    {
        QTemporaryDir big;
        const QString folder = big.path() + QStringLiteral("/Formulas");
        QDir().mkpath(folder);
        for (int i = 0; i < 3000; ++i)
            writeFile(folder + QStringLiteral("/m%1.rm").arg(i, 5, 10, QLatin1Char('0')), "[Material]\n");
        writeFile(folder + QStringLiteral("/zz.rm"), "[Material]\nName=Last one\nSpec=2.5\n");
        window.reset();
        makeWindow(big.path());
        click(1, 4);
        QTest::keyClicks(grid(), QStringLiteral("ZZ"));
        QTest::keyClick(grid(), Qt::Key_Return);

        Shown s;
        bool inView = false;
        withEditor([&](TfrmMaterial& d) {
            s = shown(d);
            const QRect item = d.File32List()->visualRect(d.File32List()->currentIndex());
            inView = d.File32List()->viewport()->rect().contains(item.center());
            // A model view: no widget per listed name.
            QCOMPARE(d.File32List()->model()->rowCount(), 3001);
            QVERIFY(d.File32List()->uniformItemSizes());
        });
        QCOMPARE(s.selected, QStringLiteral("zz.rm"));
        QCOMPARE(s.name, QStringLiteral("last one"));
        QCOMPARE(s.spec, 2.5);
        QVERIFY(inView);
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<TfrmMaterialTest>(argc, argv);
}

#include "TfrmMaterialTest.moc"
