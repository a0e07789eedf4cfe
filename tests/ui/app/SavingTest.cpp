// Saving, driven through the main window's menus, buttons and keys: Save and
// Save As, the question before work is lost, protection, Formula Properties'
// OK, the material editor's New, Save and Delete, and failed writes.
#include "MainWindowFixture.h"
#include "core/materials/MaterialFile.h"
#include "core/text/SafeWrite.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/GridEditor.h"
#include "ui/app/ProgramStart.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/formulas/TfrmProper.h"
#include "ui/formulas/TfrmSpec.h"
#include "ui/materials/TfrmMaterial.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TMRUFileList.h"
#include "ui/widgets/TSuperGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <QTreeWidget>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

using tintora::Prompter;
using tintora::testing::ScriptedPrompter;
using tintora::testing::ShownMessage;
using Answer = Prompter::Answer;
using DiskAnswer = Prompter::DiskChangeAnswer;

Q_DECLARE_METATYPE(Prompter::Answer)
Q_DECLARE_METATYPE(Prompter::DiskChangeAnswer)
Q_DECLARE_METATYPE(tintora::WriteStep)
Q_DECLARE_METATYPE(ShownMessage)
Q_DECLARE_METATYPE(FileChooser)

namespace {

const QByteArray PlainFormula = "[Formula]\r\nName=Plain\r\nrType1=1\r\nMaterial1=water\r\nWeight1=100\r\n"
                                "; kept as it stands\r\n[Extra]\r\nKey=value\r\n";

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Runs act while the modal dialog is shown, then closes it if act left it open.
void whenShown(QDialog* dialog, std::function<void()> act)
{
    QTimer::singleShot(0, dialog, [dialog, act = std::move(act)] {
        if (dialog->isVisible())
            act();
        if (dialog->isVisible())
            dialog->reject();
    });
}

void retype(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

}  // namespace

class SavingTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    QString inFormulas(const char* name) const { return formulas() + QLatin1Char('/') + QLatin1String(name); }
    const QStringList& saveDialogs() const { return saveChooser.foldersAndFilters; }

    TSuperGrid* grid() const { return window->Grid1(); }
    void click(int col, int row)
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->CellRect(col, row).center());
    }
    void typeIntoCell(int col, int row, const QString& text)
    {
        click(col, row);
        QTest::keyClicks(grid(), text);
        QTest::keyClick(grid(), Qt::Key_Return);
    }
    void open(const QString& path)
    {
        chooser.answers.push_back(path);
        window->menus().Open1->trigger();
        QCOMPARE(window->FormulaPath(), path);
    }
    void rename(const QString& name) { retype(window->properties()->NameBox(), name); }
    QString nameShown() const { return window->properties()->NameBox()->text(); }
    void pressCtrlS() { QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier); }
    QStringList recentFiles() const { return window->MRUList()->Items(); }
    QStringList folderListing() const { return QDir(formulas()).entryList(QDir::Files | QDir::Hidden); }
    // The desktop's trash of the test's data home.
    static QString trashFiles()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    }
    // The answers to Create Material's code and name questions; cancelled when none is left.
    std::deque<std::optional<QString>> typedAnswers;

private slots:
    void initTestCase()
    {
        qRegisterMetaType<Answer>();
        copyMaterialsAndFormulas();
    }

    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"))
            .remove(QStringLiteral("MRU"));
        writeFile(inFormulas("plain.tfx"), PlainFormula);
        QFile::remove(inFormulas("trial.tfx"));
        resetScripts();
        typedAnswers.clear();
        QDir(trashFiles()).removeRecursively();
        QFile::remove(trashFiles());
        // The trash is made in the data home, which must be there.
        QDir().mkpath(QFileInfo(trashFiles()).path());
        MainWindowServices services = scriptedServices();
        services.askText = [this](QWidget*, const QString&, const QString&) -> std::optional<QString> {
            if (typedAnswers.empty())
                return std::nullopt;
            const std::optional<QString> answer = typedAnswers.front();
            typedAnswers.pop_front();
            return answer;
        };
        showWindow(std::move(services));
        // Ctrl+S reaches the window's shortcuts only while it is the active window.
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup()
    {
        tintora::setWriteFaultInjector(nullptr);
        window.reset();
    }

    // A new formula is saved under a chosen name (".tfx" appended), becomes
    // the open formula and a recent file; Save then rewrites it without asking.
    void saveAsThenSave_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"Save As menu", "Save menu", "Save button", "Ctrl+S"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void saveAsThenSave()
    {
        QFETCH(QString, command);
        const std::map<QString, std::function<void()>> commands = {
            {"Save As menu", [&] { window->menus().SaveAs1->trigger(); }},
            {"Save menu", [&] { window->menus().Save1->trigger(); }},
            {"Save button", [&] { QTest::mouseClick(window->buttons().SaveButton, Qt::LeftButton); }},
            {"Ctrl+S", [&] { pressCtrlS(); }},
        };
        rename(QStringLiteral("Trial white"));
        typeIntoCell(1, 1, QStringLiteral("tio2"));
        typeIntoCell(3, 1, QStringLiteral("250"));
        saveChooser.answers.push_back(inFormulas("trial"));
        commands.at(command)();

        const QString saved = inFormulas("trial.tfx");
        QCOMPARE(saveDialogs(), (QStringList{formulas(), QStringLiteral("Tintora Files (*.tfx)")}));
        QCOMPARE(window->FormulaPath(), saved);
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("- [trial.tfx][*]")));
        QCOMPARE(recentFiles().value(0), saved);
        QCOMPARE(
            bytesOf(saved), QByteArray("[Formula]\nName=Trial white\nrType1=1\nMaterial1=tio2\nWeight1=250.000\n"));

        typeIntoCell(3, 1, QStringLiteral("125"));
        pressCtrlS();
        QCOMPARE(saveDialogs().size(), 2);  // no second dialog
        QVERIFY(bytesOf(saved).contains("Weight1=125.000"));
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});

        // Saved work is nothing to lose: New asks nothing.
        window->menus().New1->trigger();
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
    }

    // The caption marks unsaved changes ("[*]" with windowModified) exactly
    // when there is something a save would write that was not saved.
    void captionMarksUnsavedChanges()
    {
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("[*]")));
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"start", [] {}},
            {"+type a code",
                [&] {
                    rename(QStringLiteral("Trial"));
                    typeIntoCell(1, 1, QStringLiteral("water"));
                }},
            {"-save as",
                [&] {
                    saveChooser.answers.push_back(inFormulas("trial.tfx"));
                    window->menus().SaveAs1->trigger();
                }},
            {"-flip percents", [&] { window->menus().FlipPercents1->trigger(); }},
            {"+rename", [&] { rename(QStringLiteral("Other")); }},
            {"-name as saved", [&] { rename(QStringLiteral("Trial")); }},
            {"+type a weight", [&] { typeIntoCell(3, 1, QStringLiteral("12")); }},
            {"-save", [&] { pressCtrlS(); }},
            {"+weight again", [&] { typeIntoCell(3, 1, QStringLiteral("13")); }},
            {"-open",
                [&] {
                    prompter->threeWayAnswers = {Answer::No};
                    open(inFormulas("plain.tfx"));
                }},
            {"+insert a row",
                [&] {
                    window->Grid1()->setCurrentCell(1, 1);
                    window->menus().RMInsert1->trigger();
                }},
            {"-new",
                [&] {
                    prompter->threeWayAnswers = {Answer::No};
                    window->menus().New1->trigger();
                }},
        };
        for (const auto& [step, act] : steps) {
            act();
            QVERIFY2(window->isWindowModified() == (step[0] == '+'), step);
        }
    }

    // Each save dialog has its own title and adds its own suffix to a name
    // typed without one, before it would ask about replacing that file.
    void saveDialogsAddTheirOwnSuffix_data()
    {
        QTest::addColumn<FileChooser>("choose");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Save As") << FileChooser(chooseSaveFile) << "Save As"
                                 << "fresh.tfx";
        QTest::newRow("Excel Out") << FileChooser(chooseWorkbookFile) << "Excel Out"
                                   << "fresh.xlsx";
    }
    void saveDialogsAddTheirOwnSuffix()
    {
        QFETCH(FileChooser, choose);
        QFETCH(QString, title);
        QFETCH(QString, chosen);
        QString shownTitle;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shownTitle = dialog->windowTitle();
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("fresh"));
            QMetaObject::invokeMethod(dialog, &QDialog::accept);
        });
        QCOMPARE(choose(window.get(), formulas(), QString(), QString()), formulas() + QLatin1Char('/') + chosen);
        QCOMPARE(shownTitle, title);
    }

    // Save As offers the open formula's name in the real save dialog.
    void saveAsSuggestsTheCurrentName()
    {
        const QString plain = inFormulas("plain.tfx");
        QString offered;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                offered = name->text();
            dialog->reject();
        });
        QVERIFY(chooseSaveFile(window.get(), formulas(), QStringLiteral("Tintora Files (*.tfx)"), plain).isEmpty());
        QCOMPARE(offered, QStringLiteral("plain.tfx"));
    }

    // New, Open, Exit and the material editor's Auto Reload ask before a
    // change of the name or the rows is lost; Yes saves, No goes on, Cancel
    // stops. A percent flip is nothing to lose.
    void askSaveBeforeLosingWork_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<Answer>("answer");
        for (const char* command : {"New", "Open", "Exit", "Auto Reload"}) {
            const QString c = QString::fromLatin1(command);
            QTest::addRow("%s, Yes", command) << c << true << Answer::Yes;
            QTest::addRow("%s, No", command) << c << true << Answer::No;
            QTest::addRow("%s, Cancel", command) << c << true << Answer::Cancel;
            QTest::addRow("%s, percents flipped", command) << c << false << Answer::Cancel;
        }
    }
    void askSaveBeforeLosingWork()
    {
        QFETCH(QString, command);
        QFETCH(bool, changed);
        QFETCH(Answer, answer);
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        if (changed)
            rename(QStringLiteral("Plain, changed"));
        else
            window->menus().FlipPercents1->trigger();
        prompter->threeWayAnswers = {answer};

        const std::map<QString, std::function<void()>> commands = {
            {"New", [&] { window->menus().New1->trigger(); }},
            {"Open",
                [&] {
                    chooser.answers.push_back(inFormulas("small.tfx"));
                    window->menus().Open1->trigger();
                }},
            {"Exit", [&] { window->menus().Exit1->trigger(); }},
            {"Auto Reload",
                [&] {
                    whenShown(window->frmMaterial(), [] {});
                    window->menus().Materials1->trigger();
                }},
        };
        const auto wentOn = [&] {
            if (command == QLatin1String("New"))
                return window->FormulaPath().isEmpty();
            if (command == QLatin1String("Open"))
                return window->FormulaPath() == inFormulas("small.tfx");
            if (command == QLatin1String("Exit"))
                return !window->isVisible();
            return nameShown() != QLatin1String("Plain, changed");  // read again from the file
        };
        commands.at(command).operator()();

        if (!changed) {
            QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
            QVERIFY(wentOn());
            return;
        }
        QCOMPARE(prompter->shown,
            (std::vector<ShownMessage>{{ShownMessage::Kind::YesNoCancel, "Save changes to plain.tfx?"}}));
        QCOMPARE(bytesOf(plain).contains("Name=Plain, changed"), answer == Answer::Yes);
        if (command != QLatin1String("Auto Reload"))
            QCOMPARE(wentOn(), answer != Answer::Cancel);
        else
            QCOMPARE(nameShown() == QLatin1String("Plain, changed"), answer != Answer::No);
    }

    // A note still in its yellow editor is taken into the sheet before any
    // command reads, writes or replaces it, whichever way the command comes:
    // a shortcut, a button that takes no focus, the window's close button. It
    // never lands in the formula that replaces it.
    void aNoteStillInItsEditorIsStoredBeforeTheCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("asks");
        for (const char* command : {"Ctrl+N", "New button", "Ctrl+O", "close"})
            QTest::newRow(command) << QString::fromLatin1(command) << true;
        for (const char* command : {"Ctrl+S", "Save button"})
            QTest::newRow(command) << QString::fromLatin1(command) << false;
    }
    void aNoteStillInItsEditorIsStoredBeforeTheCommand()
    {
        QFETCH(QString, command);
        QFETCH(bool, asks);
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        QLineEdit* editor = window->gridEditor().DescBox();
        click(2, 3);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, grid()->CellRect(2, 3).center());
        QVERIFY(editor->isVisible());
        QTest::keyClicks(editor, QStringLiteral("my note"));

        const std::map<QString, std::function<void()>> commands = {
            {"Ctrl+N", [&] { QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier); }},
            {"New button", [&] { QTest::mouseClick(window->buttons().NewButton, Qt::LeftButton); }},
            {"Ctrl+O",
                [&] {
                    chooser.answers.push_back(inFormulas("small.tfx"));
                    QTest::keyClick(editor, Qt::Key_O, Qt::ControlModifier);
                }},
            {"close", [&] { window->close(); }},
            {"Ctrl+S", [&] { QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier); }},
            {"Save button", [&] { QTest::mouseClick(window->buttons().SaveButton, Qt::LeftButton); }},
        };
        prompter->threeWayAnswers = {Answer::No};
        commands.at(command)();

        QVERIFY(!editor->isVisible());
        if (!asks) {
            QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
            QVERIFY(bytesOf(plain).contains("rType3=0\r\nMaterial3=my note\r\n"));
            return;
        }
        QCOMPARE(prompter->shown,
            (std::vector<ShownMessage>{{ShownMessage::Kind::YesNoCancel, "Save changes to plain.tfx?"}}));
        QCOMPARE(bytesOf(plain), PlainFormula);
        if (command == QLatin1String("close")) {
            QVERIFY(!window->isVisible());
            return;
        }
        QVERIFY(window->FormulaPath() != plain);
        for (int row = 1; row <= tintora::SheetRowCount; ++row)
            QVERIFY(window->sheet().cell(tintora::Column::Description, row) != "my note");
    }

    // Opening says once which rows' stored weights could not be read, before
    // a save writes them empty.
    void openingNamesTheWeightsThatCannotBeRead()
    {
        const QString bad = inFormulas("trial.tfx");
        writeFile(
            bad, "[Formula]\nrType2=1\nMaterial2=water\nWeight2=120000.000\nrType5=1\nMaterial5=tio2\nWeight5=1,5\n");
        open(bad);
        QCOMPARE(prompter->shown.size(), std::size_t(1));
        QCOMPARE(prompter->shown.front().kind, ShownMessage::Kind::Information);
        QVERIFY(prompter->shown.front().text.starts_with("The weights in rows 2 and 5 could not be read"));
        QCOMPARE(grid()->Cells(3, 2), QString());
    }

    // A protected formula is not overwritten: Save offers Save As instead.
    void protectedFormulaOffersSaveAs()
    {
        const QString small = inFormulas("small.tfx");
        const QByteArray before = bytesOf(small);
        open(small);
        QVERIFY(window->FormulaProtected());
        rename(QStringLiteral("My own white"));

        prompter->answers = {false};
        pressCtrlS();
        QCOMPARE(prompter->shown.size(), std::size_t(1));
        QCOMPARE(prompter->shown.back().kind, ShownMessage::Kind::Question);
        QVERIFY(prompter->shown.back().text.starts_with("small.tfx is protected"));
        QVERIFY(saveDialogs().isEmpty());

        prompter->answers = {true};
        saveChooser.answers.push_back(inFormulas("trial.tfx"));
        window->menus().Save1->trigger();
        QCOMPARE(bytesOf(small), before);
        QCOMPARE(window->FormulaPath(), inFormulas("trial.tfx"));
        const QByteArray copy = bytesOf(inFormulas("trial.tfx"));
        QVERIFY(copy.contains("Name=My own white"));
        QVERIFY(copy.contains("Material7=nosuch"));  // a missing material keeps its code
        QVERIFY(copy.contains("Date=2026-11-20"));  // the sections beside the formula come along

        // The copy is the user's: written unprotected, so Save then overwrites it.
        QVERIFY(before.contains("Protect=1"));
        QVERIFY(copy.contains("Protect=0") && !copy.contains("Protect=1"));
        QVERIFY(!window->FormulaProtected());
        rename(QStringLiteral("My own white, again"));
        const std::size_t messages = prompter->shown.size();
        pressCtrlS();
        QCOMPARE(prompter->shown.size(), messages);
        QVERIFY(bytesOf(inFormulas("trial.tfx")).contains("Name=My own white, again"));
        QCOMPARE(bytesOf(small), before);
    }

    // OK writes what the dialog shows and the next opening shows it again;
    // Cancel drops the changes.
    void propertiesOkRoundTrip()
    {
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        TfrmProper* dialog = window->frmProper();
        const auto properties = [&](std::function<void()> act) {
            whenShown(dialog, std::move(act));
            window->menus().Properties1->trigger();
        };
        properties([&] {
            dialog->chkProtect()->setChecked(true);
            whenShown(dialog->frmSpec(), [&] {
                QTest::keyClicks(dialog->frmSpec()->edtSpec(), QStringLiteral("Viscosity; KU"));
                QTest::keyClicks(dialog->frmSpec()->edtValue(), QStringLiteral(" 95 = fine"));
                dialog->frmSpec()->accept();
            });
            QTest::mouseClick(dialog->btnAdd(), Qt::LeftButton);
            dialog->Memo1()->setPlainText(QStringLiteral("Keep from freezing.\n\n  Stir before use."));
            QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
        });
        QVERIFY(window->FormulaProtected());
        QVERIFY(bytesOf(plain).startsWith(PlainFormula.left(PlainFormula.indexOf("[Extra]"))));

        const auto expectShown = [&] {
            QVERIFY(dialog->chkProtect()->isChecked());
            QCOMPARE(dialog->Memo1()->toPlainText(), QStringLiteral("Keep from freezing.\n\n  Stir before use."));
            QCOMPARE(dialog->SpecView()->topLevelItemCount(), 1);
            QCOMPARE(dialog->SpecView()->topLevelItem(0)->text(0), QStringLiteral("Viscosity; KU"));
            QCOMPARE(dialog->SpecView()->topLevelItem(0)->text(1), QStringLiteral(" 95 = fine"));
        };
        properties([&] {
            expectShown();
            dialog->Memo1()->clear();
            QTest::mouseClick(dialog->btnCancel(), Qt::LeftButton);
        });
        properties(expectShown);
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
    }

    // New empties the boxes, Save writes the file named in the file name box
    // and selects it, Delete asks and removes it.
    void materialNewSaveDelete()
    {
        TfrmMaterial* d = window->frmMaterial();
        const QString mywhite = inFormulas("mywhite.rm");
        whenShown(d, [&] {
            QTest::mouseClick(d->New1(), Qt::LeftButton);
            QVERIFY(d->FileBox()->text().isEmpty());
            QVERIFY(d->NameBox()->text().isEmpty());
            QCOMPARE(d->boxFor("Cost")->Value(), std::optional(0.0));
            QCOMPARE(d->focusWidget(), d->FileBox());

            QTest::keyClicks(d->FileBox(), QStringLiteral("mywhite"));
            QTest::keyClicks(d->NameBox(), QStringLiteral("My White"));
            retype(d->boxFor("Cost"), QStringLiteral("1.5"));
            retype(d->boxFor("Spec"), QStringLiteral("4.1"));
            QTest::mouseClick(d->Save1(), Qt::LeftButton);
            QVERIFY(bytesOf(mywhite).contains("Name=my white"));
            QVERIFY(bytesOf(mywhite).contains("Cost=   1.500"));
            QCOMPARE(d->File32List()->currentIndex().data().toString(), QStringLiteral("mywhite.rm"));

            prompter->answers = {false, true};
            QTest::mouseClick(d->Delete1(), Qt::LeftButton);
            QVERIFY(QFile::exists(mywhite));
            QTest::mouseClick(d->Delete1(), Qt::LeftButton);
            QVERIFY(!QFile::exists(mywhite));
            QVERIFY(d->File32List()
                        ->model()
                        ->match(d->File32List()->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("mywhite.rm"))
                        .isEmpty());
            QTest::mouseClick(d->btnClose(), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        window->menus().Materials1->trigger();
        const std::vector<ShownMessage> confirm(
            2, {ShownMessage::Kind::Confirm, "Are you sure you want to delete mywhite.rm?"});
        QCOMPARE(prompter->shown, confirm);
    }

    // Values typed and not saved are lost on closing only after a question.
    void materialEditorAsksBeforeClosing()
    {
        TfrmMaterial* d = window->frmMaterial();
        const QString water = inFormulas("water.rm");
        const QByteArray before = bytesOf(water);
        whenShown(d, [&] {
            d->FileBox()->setText(QStringLiteral("water.rm"));
            retype(d->boxFor("Cost"), QStringLiteral("0.25"));
            prompter->threeWayAnswers = {Answer::Cancel, Answer::Yes};
            QTest::mouseClick(d->btnClose(), Qt::LeftButton);
            QVERIFY(d->isVisible());
            QCOMPARE(bytesOf(water), before);
            QTest::mouseClick(d->btnClose(), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        window->menus().Materials1->trigger();
        QCOMPARE(prompter->shown,
            std::vector<ShownMessage>(2, {ShownMessage::Kind::YesNoCancel, "Save changes to water.rm?"}));
        QCOMPARE(tintora::readMaterial(water.toStdString()).props.Cost, 0.25);
        writeFile(water, before);
    }

    // Formula Save, Properties' OK and the material editor's Save into a file
    // someone else changed since it was read ask first: Overwrite writes,
    // Reload reads the file again, Cancel writes nothing.
    void someoneElsesChangeIsNotOverwritten_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<DiskAnswer>("answer");
        for (const char* command : {"Save", "Properties OK", "Material Save"})
            for (const auto& [answer, name] : {std::pair{DiskAnswer::Overwrite, "Overwrite"},
                     std::pair{DiskAnswer::Reload, "Reload"}, std::pair{DiskAnswer::Cancel, "Cancel"}})
                QTest::newRow(qPrintable(QLatin1String(command) + QLatin1String(", ") + QLatin1String(name)))
                    << QString::fromLatin1(command) << answer;
    }
    void someoneElsesChangeIsNotOverwritten()
    {
        QFETCH(QString, command);
        QFETCH(DiskAnswer, answer);
        const bool material = command == QLatin1String("Material Save");
        const QString file = inFormulas(material ? "water.rm" : "plain.tfx");
        const QByteArray original = bytesOf(file);
        QByteArray theirs = original;
        theirs.replace(material ? "Name=water" : "Name=Plain", material ? "Name=their water" : "Name=Theirs");
        prompter->diskChangeAnswers = {answer};
        bool stillOpen = false;
        if (command == QLatin1String("Save")) {
            open(file);
            rename(QStringLiteral("Mine"));
            writeFile(file, theirs);
            pressCtrlS();
            QCOMPARE(nameShown(), answer == DiskAnswer::Reload ? QStringLiteral("Theirs") : QStringLiteral("Mine"));
        } else if (!material) {
            open(file);
            TfrmProper* dialog = window->frmProper();
            whenShown(dialog, [&] {
                dialog->Memo1()->setPlainText(QStringLiteral("mine"));
                writeFile(file, theirs);
                QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
                stillOpen = dialog->isVisible();
                QCOMPARE(dialog->Memo1()->toPlainText().isEmpty(), answer == DiskAnswer::Reload);
            });
            window->menus().Properties1->trigger();
        } else {
            TfrmMaterial* d = window->frmMaterial();
            whenShown(d, [&] {
                d->FileBox()->setText(QStringLiteral("water.rm"));
                retype(d->NameBox(), QStringLiteral("my water"));
                writeFile(file, theirs);
                QTest::mouseClick(d->Save1(), Qt::LeftButton);
                QCOMPARE(d->NameBox()->text(),
                    answer == DiskAnswer::Reload ? QStringLiteral("their water") : QStringLiteral("my water"));
                prompter->threeWayAnswers = {Answer::No};  // closing with values not saved
            });
            window->menus().Materials1->trigger();
        }
        QVERIFY(!prompter->shown.empty());
        QCOMPARE(prompter->shown.front(),
            (ShownMessage{ShownMessage::Kind::OverwriteReloadCancel,
                QFileInfo(file).fileName().toStdString()
                    + " was changed on disk since it was opened. Overwrite it, or keep the file and reload?"}));
        QCOMPARE(bytesOf(file) == theirs, answer != DiskAnswer::Overwrite);
        QCOMPARE(stillOpen, !material && command != QLatin1String("Save") && answer != DiskAnswer::Overwrite);
        writeFile(file, original);
    }

    // Once Properties' OK or Save wrote the file, the formula stands for what
    // was written: the next Save asks nothing.
    void ownWritesAreNoChangeOnDisk()
    {
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        TfrmProper* dialog = window->frmProper();
        whenShown(dialog, [&] {
            dialog->Memo1()->setPlainText(QStringLiteral("mine"));
            QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
        });
        window->menus().Properties1->trigger();
        for (const char* name : {"Mine", "Mine again"}) {
            rename(QString::fromLatin1(name));
            window->menus().Save1->trigger();
        }
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
        QVERIFY(bytesOf(plain).contains("Name=Mine again"));
        QVERIFY(bytesOf(plain).contains("Memo0=mine"));
    }

    // A formula changed on disk and unchanged here is offered for reload when
    // the window is activated, once per change.
    void aChangeOnDiskIsOfferedOnActivation()
    {
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        const auto activate = [&] {
            QEvent activation(QEvent::ActivationChange);
            QCoreApplication::sendEvent(window.get(), &activation);
            QCoreApplication::processEvents();
        };
        activate();
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
        QByteArray theirs = PlainFormula;
        writeFile(plain, theirs.replace("Name=Plain", "Name=Theirs"));
        prompter->answers = {false};
        activate();
        activate();  // declined: not asked again for the same change
        const ShownMessage offer{
            ShownMessage::Kind::Confirm, "plain.tfx was changed on disk. Do you want to reload it?"};
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{offer});
        QCOMPARE(nameShown(), QStringLiteral("Plain"));
        writeFile(plain, theirs.replace("Name=Theirs", "Name=Theirs 2"));
        activate();
        QCOMPARE(prompter->shown, std::vector<ShownMessage>(2, offer));
        QCOMPARE(nameShown(), QStringLiteral("Theirs 2"));
        writeFile(plain, PlainFormula);
    }

    // A write that fails at any step gives an Error box naming the file and
    // the reason; the file, the folder and the document stay as they were.
    void aFailedWriteChangesNothing_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<tintora::WriteStep>("step");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        using S = tintora::WriteStep;
        for (const bool saveAs : {false, true}) {
            const char* how = saveAs ? "Save As" : "Save";
            QTest::addRow("%s, no temporary file", how)
                << saveAs << S::CreateTemporary << EACCES << "Permission denied";
            QTest::addRow("%s, disk full", how) << saveAs << S::Write << ENOSPC << "No space left on device";
            QTest::addRow("%s, flush", how) << saveAs << S::Flush << EIO << "Input/output error";
            QTest::addRow("%s, rename", how) << saveAs << S::Rename << EROFS << "Read-only file system";
        }
    }
    void aFailedWriteChangesNothing()
    {
        QFETCH(bool, saveAs);
        QFETCH(tintora::WriteStep, step);
        QFETCH(int, error);
        QFETCH(QString, reason);
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        rename(QStringLiteral("Plain, changed"));
        const QStringList listing = folderListing();
        const QStringList recent = recentFiles();
        tintora::setWriteFaultInjector([=](tintora::WriteStep at) -> std::optional<int> {
            return at == step ? std::optional<int>(error) : std::nullopt;
        });
        saveChooser.answers.push_back(inFormulas("trial.tfx"));
        (saveAs ? window->menus().SaveAs1 : window->menus().Save1)->trigger();
        tintora::setWriteFaultInjector(nullptr);

        QCOMPARE(prompter->shown.size(), std::size_t(1));
        const ShownMessage& shown = prompter->shown.front();
        QCOMPARE(shown.kind, ShownMessage::Kind::Error);
        const char* file = saveAs ? "trial.tfx" : "plain.tfx";
        QVERIFY2(QString::fromStdString(shown.text).contains(QLatin1String(file)), shown.text.c_str());
        QVERIFY2(QString::fromStdString(shown.text).contains(reason), shown.text.c_str());
        QCOMPARE(bytesOf(plain), PlainFormula);
        QCOMPARE(folderListing(), listing);
        QCOMPARE(window->FormulaPath(), plain);
        QCOMPARE(recentFiles(), recent);
        QCOMPARE(nameShown(), QStringLiteral("Plain, changed"));
        // Still something to lose.
        window->menus().New1->trigger();
        QCOMPARE(prompter->shown.back().kind, ShownMessage::Kind::YesNoCancel);
    }
    // File > Delete takes the open formula to the trash after a question naming
    // it; where the trash cannot take it, a second question offers to delete it
    // for good. Either way the sheet is untitled and empty and the recent-files
    // entry goes. A data home that is not there yet is made, trash and all.
    void deleteTakesTheFormulaAway_data()
    {
        QTest::addColumn<bool>("trashUsable");
        QTest::addColumn<bool>("dataHome");
        QTest::newRow("to the trash") << true << true;
        QTest::newRow("no data home yet: to the trash") << true << false;
        QTest::newRow("no trash: deleted for good") << false << true;
    }
    void deleteTakesTheFormulaAway()
    {
        QFETCH(bool, trashUsable);
        QFETCH(bool, dataHome);
        if (!trashUsable) {
            writeFile(trashFiles(), "a file where the trash folder would be");
        }
        if (!dataHome)
            QVERIFY(QDir(QFileInfo(trashFiles()).path()).removeRecursively());
        const QString plain = inFormulas("plain.tfx");
        open(plain);
        QVERIFY(recentFiles().contains(plain));
        window->menus().Delete1->trigger();

        std::vector<ShownMessage> asked{{ShownMessage::Kind::Confirm, "Are you sure you want to delete plain.tfx?"}};
        if (!trashUsable)
            asked.push_back({ShownMessage::Kind::Confirm,
                "plain.tfx cannot be moved to the trash. Do you want to delete it for good?"});
        QCOMPARE(prompter->shown, asked);
        QVERIFY(!QFile::exists(plain));
        QCOMPARE(QFile::exists(trashFiles() + QStringLiteral("/files/plain.tfx")), trashUsable);
        QVERIFY(!QFile::exists(QStringLiteral("files/plain.tfx")));  // where the toolkit puts it without a trash
        QCOMPARE(window->FormulaPath(), QString());
        QCOMPARE(nameShown(), QString());
        QVERIFY(!recentFiles().contains(plain));
        QVERIFY(!window->isWindowModified());
    }

    // What Delete refuses or the user declines leaves the file, the sheet and the recent files as they were.
    void deleteRefusedOrDeclinedKeepsEverything_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<ShownMessage>("lastShown");
        QTest::newRow("untitled") << "untitled"
                                  << ShownMessage{ShownMessage::Kind::Information, "Please save formula first."};
        QTest::newRow("protected") << "protected"
                                   << ShownMessage{
                                          ShownMessage::Kind::Error, "plain.tfx is protected and cannot be deleted."};
        QTest::newRow("answered No") << "no"
                                     << ShownMessage{
                                            ShownMessage::Kind::Confirm, "Are you sure you want to delete plain.tfx?"};
        QTest::newRow("Cancel to saving the edits")
            << "cancel" << ShownMessage{ShownMessage::Kind::YesNoCancel, "Save changes to plain.tfx?"};
    }
    void deleteRefusedOrDeclinedKeepsEverything()
    {
        QFETCH(QString, situation);
        QFETCH(ShownMessage, lastShown);
        const QString plain = inFormulas("plain.tfx");
        if (situation == QLatin1String("protected"))
            writeFile(plain, PlainFormula + "[Properties]\r\nProtect=1\r\n");
        const QByteArray bytes = bytesOf(plain);
        if (situation != QLatin1String("untitled"))
            open(plain);
        if (situation == QLatin1String("no"))
            prompter->answers.push_back(false);
        if (situation == QLatin1String("cancel")) {
            rename(QStringLiteral("Plain, changed"));
            prompter->threeWayAnswers.push_back(Answer::Cancel);
        }
        const QString openBefore = window->FormulaPath();
        const QStringList recent = recentFiles();
        window->menus().Delete1->trigger();

        QVERIFY(!prompter->shown.empty());
        QCOMPARE(prompter->shown.back(), lastShown);
        QCOMPARE(bytesOf(plain), bytes);
        QCOMPARE(window->FormulaPath(), openBefore);
        QCOMPARE(recentFiles(), recent);
    }

    // Opening a file beside which an interrupted save kept the older version
    // says so, and offers that version as a new formula, the file as it is,
    // or deleting the copy; a copy another user left is told and never used.
    void openingTellsOfAKeptCopy_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("foreign");
        QTest::newRow("open the kept version") << int(Prompter::KeptCopyAnswer::OpenKept) << false;
        QTest::newRow("keep the file") << int(Prompter::KeptCopyAnswer::KeepFile) << false;
        QTest::newRow("delete the copy") << int(Prompter::KeptCopyAnswer::DeleteCopy) << false;
        QTest::newRow("another user's copy") << int(Prompter::KeptCopyAnswer::OpenKept) << true;
    }
    void openingTellsOfAKeptCopy()
    {
        QFETCH(int, answer);
        QFETCH(bool, foreign);
        if (foreign && ::geteuid() != 0)
            QSKIP("needs root to give the copy another owner");
        const QString plain = inFormulas("plain.tfx");
        const std::filesystem::path file = localPath(plain);
        std::filesystem::create_hard_link(file, file.parent_path() / "plain-second-name.tfx");
        // A save whose old bytes could not be put back either keeps them beside the file.
        tintora::setWriteFaultInjector([](tintora::WriteStep at) {
            return at == tintora::WriteStep::Write || at == tintora::WriteStep::Restore ? std::optional(EIO)
                                                                                        : std::nullopt;
        });
        QVERIFY(!tintora::replaceFileContents(file, "; torn by the failure\r\n[Formula]\r\nName=Newer\r\n"));
        tintora::setWriteFaultInjector(nullptr);
        writeFile(plain, "[Formula]\r\nName=Newer\r\n");
        const auto kept = tintora::keptCopiesOf(file);
        QCOMPARE(kept.size(), std::size_t{1});
        if (foreign)
            QCOMPARE(::chown(kept[0].copy.c_str(), 65534, 65534), 0);

        prompter->keptCopyAnswers = {Prompter::KeptCopyAnswer(answer)};
        chooser.answers.push_back(plain);
        window->menus().Open1->trigger();
        const auto opened = answer == int(Prompter::KeptCopyAnswer::OpenKept) && !foreign;
        QCOMPARE(prompter->shown.front().kind, foreign ? ShownMessage::Kind::Error : ShownMessage::Kind::KeptCopy);
        QCOMPARE(window->FormulaPath(), opened ? QString() : plain);
        QCOMPARE(nameShown(), opened ? QStringLiteral("Plain") : QStringLiteral("Newer"));
        QCOMPARE(window->isWindowModified(), opened);
        QCOMPARE(bytesOf(plain), QByteArray("[Formula]\r\nName=Newer\r\n"));
        const bool copyStays = answer != int(Prompter::KeptCopyAnswer::DeleteCopy) || foreign;
        QCOMPARE(tintora::keptCopiesOf(file).size(), copyStays ? std::size_t{1} : std::size_t{0});
        std::filesystem::remove(file.parent_path() / "plain-second-name.tfx");
        for (const auto& left : tintora::keptCopiesOf(file))
            std::filesystem::remove(left.copy);
    }

    // Create Material writes the open formula as a material of the mixture
    // (100 g water with 100 g of a 4.1 specific gravity pigment: 200 / (100 +
    // 100 / 4.1)), named after the formula, and the material list shows it at
    // once; an untitled formula is refused.
    void createMaterialWritesTheMixture()
    {
        const QString premix = inFormulas("premix.tfx");
        writeFile(premix,
            "[Formula]\r\nName=Grind base\r\nrType1=1\r\nMaterial1=water\r\nWeight1=100\r\n"
            "rType2=1\r\nMaterial2=tio2\r\nWeight2=100\r\n");
        open(premix);
        typedAnswers = {QStringLiteral("GB1"), QStringLiteral("Grind base")};
        window->menus().CreateMaterial1->trigger();
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
        const QSettings made(inFormulas("gb1.rm"), QSettings::IniFormat);
        QCOMPARE(made.value(QStringLiteral("Material/Name")).toString(), QStringLiteral("grind base"));
        // Off by the volume cells' three decimals at most.
        QVERIFY(qAbs(made.value(QStringLiteral("Material/Spec")).toString().trimmed().toDouble() - 8.2 / 5.1) < 1e-4);
        QCOMPARE(made.value(QStringLiteral("Material/Source")).toString(), QStringLiteral("premix.tfx"));
        QVERIFY(window->statusBar()->currentMessage().endsWith(inFormulas("gb1.rm") + QLatin1Char('.')));
        typeIntoCell(1, 3, QStringLiteral("gb1"));
        QCOMPARE(window->sheet().cell(tintora::Column::Material, 3), std::string("gb1"));
        QFile::remove(inFormulas("gb1.rm"));

        window->menus().New1->trigger();
        typeIntoCell(1, 1, QStringLiteral("water"));
        typeIntoCell(3, 1, QStringLiteral("100"));
        prompter->shown.clear();
        typedAnswers = {QStringLiteral("GB2"), QStringLiteral("never asked")};
        window->menus().CreateMaterial1->trigger();
        QCOMPARE(prompter->shown,
            (std::vector<ShownMessage>{
                {ShownMessage::Kind::Error, "The formula has no file yet: save it before making a material of it."}}));
        QCOMPARE(typedAnswers.size(), std::size_t{1});  // refused before the name was asked
        QVERIFY(!QFile::exists(inFormulas("gb2.rm")));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<SavingTest>(argc, argv);
}
#include "SavingTest.moc"
