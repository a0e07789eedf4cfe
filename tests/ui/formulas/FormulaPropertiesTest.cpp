// The formula properties dialog and the test spec entry dialog, opened
// from the main window and driven with real clicks and keys; message boxes are
// answered by the scripted Prompter.
#include "MainWindowFixture.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/formulas/TfrmProper.h"
#include "ui/formulas/TfrmSpec.h"
#include "ui/widgets/FormulaGridLayout.h"
#include "ui/widgets/TExplorerButton.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <memory>

using tintora::testing::ShownMessage;

namespace {

const QString DataFolder = QStringLiteral(TINTORA_TEST_DATA);

const QByteArray FullFile
    = "[Formula]\r\nName=Flat white\r\nrType1=1\r\nMaterial1=water\r\nWeight1=100\r\n"
      "[Properties]\r\nProtect=1\r\nDate=2026-11-20\r\n"
      "[Memo]\r\nMemoCount=2\r\nMemo0=Keep from freezing.\r\nMemo1=Stir before use.\r\n"
      "[Spec]\r\nSpecCount=2\r\nSpec0=Viscosity (KU)\r\nSpecSub0=95-100\r\nSpec1=pH\r\nSpecSub1=8.5-9.0\r\n";

QStringList texts(const QTreeWidget* view, int column)
{
    QStringList result;
    for (int i = 0; i < view->topLevelItemCount(); ++i)
        result << view->topLevelItem(i)->text(column);
    return result;
}

void clickOn(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Acts on a modal dialog once it runs, and closes it afterwards whatever the
// action did, so that a failed check cannot leave the test waiting. (The
// offscreen platform activates no window: a dialog's focus is its focusWidget.)
void whenShown(QDialog* dialog, std::function<void()> act, bool* shown = nullptr)
{
    QTimer::singleShot(0, dialog, [dialog, act = std::move(act), shown] {
        if (shown)
            *shown = dialog->isVisible();
        if (dialog->isVisible())
            act();
        if (dialog->isVisible())
            dialog->reject();
    });
}

}  // namespace

class FormulaPropertiesTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    std::map<QString, QByteArray> folderBefore;
    TfrmProper* dialog() const { return window->frmProper(); }
    TfrmSpec* spec() const { return dialog()->frmSpec(); }

    std::map<QString, QByteArray> folderBytes() const
    {
        std::map<QString, QByteArray> bytes;
        for (const QString& name : QDir(formulas()).entryList(QDir::Files)) {
            QFile file(formulas() + QLatin1Char('/') + name);
            if (file.open(QIODevice::ReadOnly))
                bytes[name] = file.readAll();
        }
        return bytes;
    }

    QString writeFormula(const QString& name, const QByteArray& bytes)
    {
        const QString path = formulas() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test formula");
        return path;
    }

    // Opens the file through File > Open, as a user would.
    void open(const QString& path)
    {
        chooser.otherwise = path;
        window->menus().Open1->trigger();
        folderBefore = folderBytes();
    }
    void openFormula(const QByteArray& bytes) { open(writeFormula(QStringLiteral("props.tfx"), bytes)); }

    // File > Properties; act runs while the dialog is shown. Returns whether it was.
    bool properties(std::function<void()> act = [] {})
    {
        bool shown = false;
        whenShown(dialog(), std::move(act), &shown);
        window->menus().Properties1->trigger();
        QCoreApplication::processEvents();  // the guard fires here when nothing was shown
        return shown;
    }

    void messagesAre(const std::vector<ShownMessage>& expected) { QCOMPARE(prompter->shown, expected); }

private slots:
    void initTestCase() { copyTestData(QStringLiteral("materials")); }

    void init()
    {
        resetScripts();
        window = newWindow();
        window->move(100, 80);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        sounds.played.clear();
        folderBefore = folderBytes();
    }

    void cleanup()
    {
        // Nothing the dialog does writes a file.
        QVERIFY(folderBytes() == folderBefore);
        window.reset();
    }

    // --- opening ------------------------------------------------------------------

    void untitledSheetIsRefused_data()
    {
        QTest::addColumn<bool>("afterNew");
        QTest::addColumn<bool>("byButton");
        QTest::newRow("at start, menu") << false << false;
        QTest::newRow("at start, button") << false << true;
        QTest::newRow("after New, menu") << true << false;
        QTest::newRow("after New, button") << true << true;
    }
    void untitledSheetIsRefused()
    {
        QFETCH(bool, afterNew);
        QFETCH(bool, byButton);
        if (afterNew) {
            openFormula(FullFile);
            window->menus().New1->trigger();
        }
        bool shown = false;
        whenShown(
            dialog(), [] {}, &shown);
        if (byButton)
            clickOn(window->buttons().btnProperties);
        else
            window->menus().Properties1->trigger();
        QCoreApplication::processEvents();
        QVERIFY(!shown);
        messagesAre({{ShownMessage::Kind::Information, "Please save formula first."}});
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemAsterisk"}));
    }

    void showsWhatTheFileKeeps()
    {
        openFormula(FullFile);
        const QPoint mainCorner = window->frameGeometry().topLeft();
        QVERIFY(properties([&] {
            QCOMPARE(dialog()->windowTitle(), QStringLiteral("Formula Properties"));
            QCOMPARE(dialog()->size(), QSize(368, 402));
            QCOMPARE(dialog()->frameGeometry().topLeft(), mainCorner + QPoint(60, 50));
            QCOMPARE(dialog()->PageControl1()->currentWidget()->objectName(), QStringLiteral("General"));
            QVERIFY(dialog()->chkProtect()->isChecked());
            QCOMPARE(dialog()->edtDate()->date(), QDate(2026, 11, 20));
            QCOMPARE(dialog()->Memo1()->toPlainText(), QStringLiteral("Keep from freezing.\nStir before use."));
            QCOMPARE(texts(dialog()->SpecView(), 0), (QStringList{"Viscosity (KU)", "pH"}));
            QCOMPARE(texts(dialog()->SpecView(), 1), (QStringList{"95-100", "8.5-9.0"}));
            QCOMPARE(dialog()->SpecView()->selectedItems(), QList{dialog()->SpecView()->topLevelItem(0)});
            QVERIFY(dialog()->btnOk()->isEnabled());
        }));
        messagesAre({});
    }

    void opensOnTheGeneralPageEveryTime()
    {
        openFormula(FullFile);
        QVERIFY(properties([&] {
            QTest::mouseClick(dialog()->PageControl1()->tabBar(), Qt::LeftButton, {},
                dialog()->PageControl1()->tabBar()->tabRect(2).center());
            QCOMPARE(dialog()->PageControl1()->currentWidget()->objectName(), QStringLiteral("Notes"));
        }));
        QVERIFY(properties([&] { QCOMPARE(dialog()->PageControl1()->currentIndex(), 0); }));
    }

    void listsWithGaps_data()
    {
        QTest::addColumn<QByteArray>("sections");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("missing note below the count") << QByteArray("[Memo]\nMemoCount=3\nMemo0=first\nMemo2=third\n")
                                                      << "first\n\nthird" << QStringList{} << QStringList{};
        QTest::newRow("missing test spec below the count")
            << QByteArray("[Spec]\nSpecCount=2\nSpec0=Gloss\nSpecSub0=85\n") << "" << QStringList{"Gloss", ""}
            << QStringList{"85", ""};
        QTest::newRow("counts that are no integers")
            << QByteArray("[Memo]\nMemoCount=x\nMemo0=a\n[Spec]\nSpecCount=-3\nSpec0=b\n") << "" << QStringList{}
            << QStringList{};
    }
    void listsWithGaps()
    {
        QFETCH(QByteArray, sections);
        QFETCH(QString, notes);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, values);
        openFormula("[Formula]\nName=Gaps\n" + sections);
        QVERIFY(properties([&] {
            QCOMPARE(dialog()->Memo1()->toPlainText(), notes);
            QCOMPARE(texts(dialog()->SpecView(), 0), captions);
            QCOMPARE(texts(dialog()->SpecView(), 1), values);
        }));
    }

    void hugeCountsOpenPromptly()
    {
        openFormula("[Formula]\n[Memo]\nMemoCount=2147483647\nMemo0=only\n[Spec]\nSpecCount=2147483647\n");
        QVERIFY(properties([&] {
            QCOMPARE(dialog()->Memo1()->blockCount(), 1000);
            QCOMPARE(dialog()->SpecView()->topLevelItemCount(), 1000);
        }));
    }

    void missingFileShowsDefaultsWithTheLoadedFlag()
    {
        const QString path = writeFormula(QStringLiteral("gone.tfx"), FullFile);
        open(path);
        QFile::remove(path);
        folderBefore = folderBytes();
        QVERIFY(properties([&] {
            QVERIFY(dialog()->chkProtect()->isChecked());  // as the load left it
            QCOMPARE(dialog()->edtDate()->date(), QDate::currentDate());
            QCOMPARE(dialog()->Memo1()->toPlainText(), QString());
            QCOMPARE(dialog()->SpecView()->topLevelItemCount(), 0);
        }));
        messagesAre({});
    }

    void protectIsNotReadAgain()
    {
        const QString path = writeFormula(QStringLiteral("p.tfx"), "[Formula]\n[Properties]\nProtect=0\n");
        open(path);
        writeFormula(QStringLiteral("p.tfx"), "[Formula]\n[Properties]\nProtect=1\n");
        folderBefore = folderBytes();
        QVERIFY(properties([&] { QVERIFY(!dialog()->chkProtect()->isChecked()); }));
    }

    // --- the date -----------------------------------------------------------------

    void dateForms_data()
    {
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<QDate>("shown");
        const QDate march14(1999, 3, 14);
        const QByteArray shortForm = QLocale::system().toString(march14, QLocale::ShortFormat).toUtf8();
        QTest::newRow("ISO") << QByteArray("Date=2026-11-20\n") << QDate(2026, 11, 20);
        QTest::newRow("short form") << QByteArray("Date=" + shortForm + "\n") << march14;
        QTest::newRow("missing") << QByteArray("Protect=0\n") << QDate::currentDate();
        QTest::newRow("empty") << QByteArray("Date=\n") << QDate::currentDate();
    }
    void dateForms()
    {
        QFETCH(QByteArray, properties);
        QFETCH(QDate, shown);
        openFormula("[Formula]\n[Properties]\n" + properties);
        QVERIFY(this->properties([&] {
            QCOMPARE(dialog()->edtDate()->date(), shown);
            // four-digit years, whatever the short form
            QVERIFY(dialog()->edtDate()->text().contains(QString::number(shown.year())));
        }));
        messagesAre({});
    }

    // The conversion error goes to the general error report, without a sound;
    // no Error box.
    void dateThatIsNoDateIsReportedAndTheRestShown()
    {
        openFormula("[Formula]\n[Properties]\nDate=31/31/"
                    "99\n[Memo]\nMemoCount=1\nMemo0=Stir.\n[Spec]\nSpecCount=1\nSpec0=pH\n");
        QVERIFY(properties([&] {
            QCOMPARE(dialog()->edtDate()->text(), QStringLiteral("31/31/99"));
            QCOMPARE(dialog()->Memo1()->toPlainText(), QStringLiteral("Stir."));
            QCOMPARE(texts(dialog()->SpecView(), 0), QStringList{"pH"});
        }));
        messagesAre({{ShownMessage::Kind::ErrorReport, "'31/31/99' is not a valid date."}});
        QVERIFY(sounds.played.empty());

        // The next opening of a good file shows its date, not the text.
        openFormula(FullFile);
        QVERIFY(properties([&] { QCOMPARE(dialog()->edtDate()->date(), QDate(2026, 11, 20)); }));
        QVERIFY(!dialog()->edtDate()->text().contains(QStringLiteral("31/31")));
    }

    // --- the test spec list -----------------------------------------------------

    void addAppendsWhatWasTyped()
    {
        openFormula(FullFile);
        QVERIFY(properties([&] {
            const QPoint corner = dialog()->frameGeometry().topLeft();
            whenShown(spec(), [&] {
                QCOMPARE(spec()->windowTitle(), QStringLiteral("Add Specification"));
                QCOMPARE(spec()->frameGeometry().topLeft(), corner + QPoint(25, 60));
                QCOMPARE(spec()->focusWidget(), spec()->edtSpec());
                QCOMPARE(spec()->edtSpec()->text(), QString());
                QTest::keyClicks(spec()->edtSpec(), QStringLiteral(" Gloss "));
                clickOn(spec()->edtValue());
                QTest::keyClicks(spec()->edtValue(), QStringLiteral("85 minimum"));
                clickOn(spec()->btnOk());
            });
            clickOn(dialog()->btnAdd());
            QCOMPARE(texts(dialog()->SpecView(), 0), (QStringList{"Viscosity (KU)", "pH", " Gloss "}));
            QCOMPARE(texts(dialog()->SpecView(), 1), (QStringList{"95-100", "8.5-9.0", "85 minimum"}));

            // The second Add starts empty; Enter accepts.
            whenShown(spec(), [&] {
                QCOMPARE(spec()->edtSpec()->text(), QString());
                QCOMPARE(spec()->edtValue()->text(), QString());
                QTest::keyClick(spec()->edtSpec(), Qt::Key_Return);
            });
            clickOn(dialog()->btnAdd());
            QCOMPARE(texts(dialog()->SpecView(), 0).size(), 4);
            QCOMPARE(dialog()->testSpecs().back(), (tintora::TestSpecEntry{"", {""}}));
            QCOMPARE(dialog()->SpecView()->topLevelItem(3)->text(1), QString());
        }));
    }

    void cancelledEntryChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Add, Cancel") << "btnAdd" << false;
        QTest::newRow("Add, Escape") << "btnAdd" << true;
        QTest::newRow("Edit, Cancel") << "btnEdit" << false;
        QTest::newRow("Edit, Escape") << "btnEdit" << true;
    }
    void cancelledEntryChangesNothing()
    {
        QFETCH(QString, button);
        QFETCH(bool, byEscape);
        openFormula(FullFile);
        QVERIFY(properties([&] {
            whenShown(spec(), [&] {
                QTest::keyClicks(spec()->edtSpec(), QStringLiteral("changed"));
                if (byEscape)
                    QTest::keyClick(spec()->edtSpec(), Qt::Key_Escape);
                else
                    clickOn(spec()->btnCancel());
                QVERIFY(!spec()->isVisible());
            });
            clickOn(dialog()->findChild<QPushButton*>(button));
            QCOMPARE(texts(dialog()->SpecView(), 0), (QStringList{"Viscosity (KU)", "pH"}));
            QCOMPARE(texts(dialog()->SpecView(), 1), (QStringList{"95-100", "8.5-9.0"}));
        }));
    }

    void editPrefillsTrimmedTexts()
    {
        openFormula("[Formula]\n[Spec]\nSpecCount=1\nSpec0=\"  Viscosity  \"\nSpecSub0=\" 85 KU \"\n");
        QVERIFY(properties([&] {
            QCOMPARE(texts(dialog()->SpecView(), 0), QStringList{"  Viscosity  "});
            whenShown(spec(), [&] {
                QCOMPARE(spec()->windowTitle(), QStringLiteral("Edit Specification"));
                QCOMPARE(spec()->edtSpec()->text(), QStringLiteral("Viscosity"));
                QCOMPARE(spec()->edtValue()->text(), QStringLiteral("85 KU"));
                QCOMPARE(spec()->focusWidget(), spec()->edtSpec());
                clickOn(spec()->btnOk());
            });
            clickOn(dialog()->btnEdit());
            QCOMPARE(dialog()->testSpecs().front(), (tintora::TestSpecEntry{"Viscosity", {"85 KU"}}));
            QCOMPARE(dialog()->SpecView()->topLevelItem(0)->text(0), QStringLiteral("Viscosity"));
        }));
    }

    void editReplacesTheSelectedEntry()
    {
        openFormula(FullFile);
        QVERIFY(properties([&] {
            QTreeWidget* view = dialog()->SpecView();
            clickOn(dialog()->PageControl1());  // any focus change keeps the selection
            QTest::mouseClick(
                view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->topLevelItem(1)).center());
            whenShown(spec(), [&] {
                QCOMPARE(spec()->edtSpec()->text(), QStringLiteral("pH"));
                spec()->edtSpec()->selectAll();
                QTest::keyClicks(spec()->edtSpec(), QStringLiteral("pH at 25 C"));
                clickOn(spec()->edtValue());
                spec()->edtValue()->selectAll();
                QTest::keyClick(spec()->edtValue(), Qt::Key_Delete);
                clickOn(spec()->btnOk());
            });
            clickOn(dialog()->btnEdit());
            QCOMPARE(texts(view, 0), (QStringList{"Viscosity (KU)", "pH at 25 C"}));
            QCOMPARE(texts(view, 1), (QStringList{"95-100", ""}));
            QVERIFY(dialog()->testSpecs().back().subItems.empty());
        }));
    }

    void editAndDeleteNeedASelection_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("emptyList");
        QTest::newRow("Edit, empty list") << "btnEdit" << true;
        QTest::newRow("Delete, empty list") << "btnDelete" << true;
        QTest::newRow("Edit, selection cleared") << "btnEdit" << false;
        QTest::newRow("Delete, selection cleared") << "btnDelete" << false;
    }
    void editAndDeleteNeedASelection()
    {
        QFETCH(QString, button);
        QFETCH(bool, emptyList);
        openFormula(emptyList ? QByteArray("[Formula]\nName=x\n") : FullFile);
        bool entryShown = false;
        QVERIFY(properties([&] {
            QTreeWidget* view = dialog()->SpecView();
            if (!emptyList)
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    view->visualItemRect(view->topLevelItem(0)).center());
            QVERIFY(view->selectedItems().isEmpty());
            whenShown(
                spec(), [] {}, &entryShown);
            clickOn(dialog()->findChild<QPushButton*>(button));
            QCOMPARE(view->topLevelItemCount(), emptyList ? 0 : 2);
        }));
        QCoreApplication::processEvents();
        QVERIFY(!entryShown);
        messagesAre({{ShownMessage::Kind::Information, "Please select and item."}});
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemAsterisk"}));
    }

    void deleteAsks_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("No keeps the entry") << false << QStringList{"Viscosity (KU)", "pH"};
        QTest::newRow("Yes deletes it") << true << QStringList{"Viscosity (KU)"};
    }
    void deleteAsks()
    {
        QFETCH(bool, answer);
        QFETCH(QStringList, left);
        openFormula(FullFile);
        prompter->answers = {answer};
        QVERIFY(properties([&] {
            QTreeWidget* view = dialog()->SpecView();
            QTest::mouseClick(
                view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->topLevelItem(1)).center());
            clickOn(dialog()->btnDelete());
            QCOMPARE(texts(view, 0), left);
            QCOMPARE(static_cast<int>(dialog()->testSpecs().size()), left.size());
        }));
        messagesAre({{ShownMessage::Kind::Question, "Are you sure you want to delete this item?"}});
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemAsterisk"}));
    }

    // --- the notes ----------------------------------------------------------------

    void clearAsks_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("left");
        QTest::newRow("No keeps the notes") << false << "Keep from freezing.\nStir before use.";
        QTest::newRow("Yes empties them") << true << "";
    }
    void clearAsks()
    {
        QFETCH(bool, answer);
        QFETCH(QString, left);
        openFormula(FullFile);
        prompter->answers = {answer};
        QVERIFY(properties([&] {
            clickOn(dialog()->btnClear());
            QCOMPARE(dialog()->Memo1()->toPlainText(), left);
        }));
        messagesAre({{ShownMessage::Kind::Question, "This will clear all text. Are you sure you want to continue ?"}});
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemAsterisk"}));
    }

    void notesTakeAtMost255TypedCharacters()
    {
        openFormula("[Formula]\n[Memo]\nMemoCount=1\nMemo0=" + QByteArray(250, 'a') + "\n");
        QVERIFY(properties([&] {
            QPlainTextEdit* memo = dialog()->Memo1();
            memo->setFocus();
            memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo, QStringLiteral("bcdefgh"));
            QCOMPARE(memo->toPlainText(), QString(250, QLatin1Char('a')) + QStringLiteral("bcdef"));
            QTest::keyClick(memo, Qt::Key_Return);
            QCOMPARE(memo->toPlainText().size(), 255);

            // Pasting replaces the selection with as much as fits.
            memo->selectAll();
            QGuiApplication::clipboard()->setText(QString(300, QLatin1Char('z')));
            QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(memo->toPlainText(), QString(255, QLatin1Char('z')));
            QTest::keyClick(memo, Qt::Key_Backspace);
            QCOMPARE(memo->toPlainText().size(), 254);
        }));

        // Longer notes from the file are shown whole.
        openFormula("[Formula]\n[Memo]\nMemoCount=2\nMemo0=" + QByteArray(300, 'a') + "\nMemo1=b\n");
        QVERIFY(properties([&] { QCOMPARE(dialog()->Memo1()->toPlainText().size(), 302); }));
    }

    // --- Enter ---------------------------------------------------------------------

    void enterInTheNotesMakesALineBreak()
    {
        openFormula(FullFile);
        QVERIFY(properties([&] {
            QVERIFY(dialog()->btnOk()->isDefault());
            dialog()->PageControl1()->setCurrentIndex(2);
            dialog()->Memo1()->setFocus();
            QTest::keyClick(dialog()->Memo1(), Qt::Key_Return);
            QVERIFY(dialog()->isVisible());
            QCOMPARE(dialog()->Memo1()->toPlainText(), QStringLiteral("\nKeep from freezing.\nStir before use."));
        }));
    }

    void nothingIsKeptBetweenOpenings_data()
    {
        QTest::addColumn<int>("closing");  // 0 Cancel, 1 Escape, 2 close box
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void nothingIsKeptBetweenOpenings()
    {
        QFETCH(int, closing);
        openFormula(FullFile);
        prompter->answers = {true, true};
        QVERIFY(properties([&] {
            clickOn(dialog()->chkProtect());
            QVERIFY(!dialog()->chkProtect()->isChecked());
            dialog()->edtDate()->setDate(QDate(2001, 1, 1));
            whenShown(spec(), [&] {
                QTest::keyClicks(spec()->edtSpec(), QStringLiteral("Gloss"));
                clickOn(spec()->btnOk());
            });
            clickOn(dialog()->btnAdd());
            whenShown(spec(), [&] {
                QTest::keyClicks(spec()->edtSpec(), QStringLiteral("x"));
                clickOn(spec()->btnOk());
            });
            clickOn(dialog()->btnEdit());  // the first entry, selected at opening
            clickOn(dialog()->btnDelete());
            clickOn(dialog()->btnClear());
            QCOMPARE(texts(dialog()->SpecView(), 0), (QStringList{"pH", "Gloss"}));
            if (closing == 0)
                clickOn(dialog()->btnCancel());
            else if (closing == 1)
                QTest::keyClick(dialog(), Qt::Key_Escape);
            else
                dialog()->close();
            QVERIFY(!dialog()->isVisible());
        }));
        QVERIFY(window->FormulaProtected());
        QVERIFY(properties([&] {
            QVERIFY(dialog()->chkProtect()->isChecked());
            QCOMPARE(dialog()->edtDate()->date(), QDate(2026, 11, 20));
            QCOMPARE(dialog()->Memo1()->toPlainText(), QStringLiteral("Keep from freezing.\nStir before use."));
            QCOMPARE(texts(dialog()->SpecView(), 0), (QStringList{"Viscosity (KU)", "pH"}));
            QCOMPARE(texts(dialog()->SpecView(), 1), (QStringList{"95-100", "8.5-9.0"}));
        }));
    }

    // --- OK -------------------------------------------------------------------------

    // OK writes only the keys whose values the user changed; a chosen date is
    // written as yyyy-mm-dd, the form every machine reads.
    void okWritesOnlyWhatChanged_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("change");  // 0 none, 1 the date, 2 the protection, 3 the second note line
        QTest::addColumn<QByteArray>("expected");
        // a date in this machine's short form, which OK must not rewrite
        const QByteArray shortDate = QLocale::system().toString(QDate(1999, 3, 14), QLocale::ShortFormat).toUtf8();
        const QByteArray oldForms
            = "[Formula]\nName=x\n[Properties]\nDate=" + shortDate + "\n[Memo]\nMemoCount=1\nMemo0=\n";
        const QByteArray bare = "[Formula]\nName=x\n";
        const auto replaced
            = [](QByteArray bytes, const QByteArray& from, const char* to) { return bytes.replace(from, to); };
        QTest::newRow("nothing: short date, empty note") << oldForms << 0 << oldForms;
        QTest::newRow("nothing: no properties") << bare << 0 << bare;
        QTest::newRow("nothing: full") << FullFile << 0 << FullFile;
        QTest::newRow("date") << FullFile << 1 << replaced(FullFile, "Date=2026-11-20", "Date=2027-01-05");
        QTest::newRow("short date replaced")
            << oldForms << 1 << replaced(oldForms, "Date=" + shortDate, "Date=2027-01-05");
        QTest::newRow("date, no properties") << bare << 1 << bare + "[Properties]\nDate=2027-01-05\n";
        QTest::newRow("protection") << FullFile << 2 << replaced(FullFile, "Protect=1", "Protect=0");
        QTest::newRow("protection, no properties") << bare << 2 << bare + "[Properties]\nProtect=1\n";
        QTest::newRow("note line") << FullFile << 3 << replaced(FullFile, "Memo1=Stir before use.", "Memo1=Stir well.");
    }
    void okWritesOnlyWhatChanged()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, change);
        QFETCH(QByteArray, expected);
        openFormula(file);
        QVERIFY(properties([&] {
            if (change == 1)
                dialog()->edtDate()->setDate(QDate(2027, 1, 5));
            else if (change == 2)
                clickOn(dialog()->chkProtect());
            else if (change == 3)
                dialog()->Memo1()->setPlainText(QStringLiteral("Keep from freezing.\nStir well."));
            clickOn(dialog()->btnOk());
            QVERIFY(!dialog()->isVisible());
        }));
        QFile written(formulas() + QStringLiteral("/props.tfx"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected);
        folderBefore = folderBytes();
    }

    void sampleFormulasStayUnchanged()
    {
        // Every sample of the program, opened and looked at through the dialog.
        const QString samples = DataFolder + QStringLiteral("/../../data/Formulas");
        QDir().mkpath(formulas() + QStringLiteral("/samples"));
        for (const QString& name : QDir(samples).entryList({QStringLiteral("*.tfx")}, QDir::Files)) {
            const QString copy = formulas() + QStringLiteral("/samples/") + name;
            QFile::remove(copy);
            QVERIFY(QFile::copy(samples + QLatin1Char('/') + name, copy));
            QFile original(samples + QLatin1Char('/') + name);
            QVERIFY(original.open(QIODevice::ReadOnly));
            const QByteArray bytes = original.readAll();
            open(copy);
            prompter->answers = {true};
            QVERIFY(properties([&] {
                QVERIFY(dialog()->SpecView()->topLevelItemCount() > 0);
                clickOn(dialog()->btnDelete());
            }));
            QFile after(copy);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QCOMPARE(after.readAll(), bytes);
        }
        // the sample dates are ISO dates: none is reported
        for (const ShownMessage& m : prompter->shown)
            QCOMPARE(m.kind, ShownMessage::Kind::Question);
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<FormulaPropertiesTest>(
        argc, argv, [] { QApplication::setFont(smallSansFont()); });
}

#include "FormulaPropertiesTest.moc"
