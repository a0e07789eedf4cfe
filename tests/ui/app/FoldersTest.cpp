// Options > Folders...: the folders chosen serve the window at once, are kept
// between runs in the settings that tintora-report reads too, and a kept
// folder that is gone gives way to the program's own with a message.
#include "MainWindowFixture.h"
#include "core/calc/MissingMaterials.h"
#include "ui/app/FolderSettings.h"
#include "ui/app/GridEditor.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/TfrmFolders.h"
#include "ui/app/TfrmMain.h"
#include "ui/widgets/TMRUFileList.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

#include <unistd.h>

using tintora::testing::copyFiles;
using tintora::testing::ShownMessage;

namespace {

const QString DataFolder = QStringLiteral(TINTORA_TEST_DATA);

// The settings file the window writes, in the test locations.
QSettings testSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"));
}

// While Options > Folders... runs: `act` on its dialog, which is then cancelled if still open.
void whenFoldersDialog(std::function<void(TfrmFolders&)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<TfrmFolders*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

void clickOk(TfrmFolders& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

struct ReportRun {
    int status = -1;
    QString out;
    QString err;
};

// tintora-report reading the settings file of this test.
ReportRun runReport(const QStringList& args)
{
    QProcess report;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(
        QStringLiteral("XDG_CONFIG_HOME"), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    report.setProcessEnvironment(env);
    report.start(QStringLiteral(TINTORA_REPORT), args);
    if (!report.waitForFinished(20000))
        return {};
    return {report.exitCode(), QString::fromUtf8(report.readAllStandardOutput()),
        QString::fromUtf8(report.readAllStandardError())};
}

QStringList listedMaterials(const TfrmMain& window)
{
    const QAbstractItemModel* model = window.gridEditor().File32List()->model();
    QStringList names;
    for (int r = 0; r < model->rowCount(); ++r)
        names << model->index(r, 0).data().toString();
    return names;
}

}  // namespace

class FoldersTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    // The program's own Formulas folder holds every test material and one formula;
    // the folders chosen hold other formulas and fewer materials.
    QString chosenFormulas;
    QString chosenMaterials;
    QStringList chosenFolderAnswers;  // what the Browse... dialog answers, in order
    QStringList browsedFrom;  // where it was opened

    MainWindowServices services()
    {
        MainWindowServices s = scriptedServices();
        s.chooseFolder = [this](QWidget*, const QString&, const QString& start) {
            browsedFrom << start;
            return chosenFolderAnswers.isEmpty() ? QString() : chosenFolderAnswers.takeFirst();
        };
        return s;
    }

    void makeChosenFolders(const QString& name)
    {
        chosenFormulas = programFolder.path() + QLatin1Char('/') + name + QStringLiteral(" formulas");
        chosenMaterials = programFolder.path() + QLatin1Char('/') + name + QStringLiteral(" materials");
        QDir(chosenFormulas).removeRecursively();
        QDir(chosenMaterials).removeRecursively();
        copyFiles(DataFolder + QStringLiteral("/formulas"), chosenFormulas, {QStringLiteral("small.tfx")});
        copyFiles(DataFolder + QStringLiteral("/materials"), chosenMaterials,
            {QStringLiteral("water.rm"), QStringLiteral("tio2.rm")});
    }

    // Options > Folders... on the shown window: the Formulas folder typed, the Materials folder browsed for.
    void chooseFolders(const QString& formulas, const QString& materials)
    {
        chosenFolderAnswers = {materials};
        whenFoldersDialog([&](TfrmFolders& dialog) {
            dialog.FormulasEdit()->setText(formulas);
            dialog.findChild<QPushButton*>(QStringLiteral("BrowseMaterials"))->click();
            QCOMPARE(dialog.MaterialsEdit()->text(), materials);
            clickOk(dialog);
            QVERIFY(!dialog.isVisible());
        });
        window->menus().Folders1->trigger();
    }

private slots:
    void initTestCase()
    {
        copyTestData(QStringLiteral("materials"));
        copyTestData(QStringLiteral("formulas"), {QStringLiteral("all-water.tfx")});
        QVERIFY(QFile::copy(DataFolder + QStringLiteral("/../../help/Korvel.html"),
            programFolder.path() + QStringLiteral("/Korvel.html")));
    }

    void init()
    {
        testSettings().remove(QStringLiteral("Folders"));
        testSettings().remove(QStringLiteral("MRU"));
        resetScripts();
        browsedFrom.clear();
    }

    // Folder names that the settings file must write and read back as they are.
    void foldersAreKeptBetweenRuns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "plain";
        QTest::newRow("spaces") << "two  spaces ";
        QTest::newRow("ini characters") << "a,b;c=d \"q\" [g] #h";
        QTest::newRow("at sign first") << "@Variant(x)";
        QTest::newRow("backslash") << "back\\slash";
        QTest::newRow("not ASCII") << QString::fromUtf8("Rezepturen ü 配方");
    }
    void foldersAreKeptBetweenRuns()
    {
        QFETCH(QString, name);
        makeChosenFolders(name);
        showWindow(services());
        const QString programFormulas = window->FormulaFolder();
        const QString open = programFormulas + QStringLiteral("/all-water.tfx");
        window->openFormula(open);
        const std::string openName = window->sheet().name();
        chooseFolders(chosenFormulas, chosenMaterials);
        QCOMPARE(browsedFrom, QStringList{programFormulas});
        // The formula on screen stays as it was.
        QCOMPARE(window->FormulaPath(), open);
        QCOMPARE(window->sheet().name(), openName);
        QVERIFY(!openName.empty());

        for (int run = 1; run <= 2; ++run) {
            QCOMPARE(window->FormulaFolder(), chosenFormulas);
            QCOMPARE(window->MaterialFolder(), chosenMaterials);
            QVERIFY(window->FolderProblems().isEmpty());
            // The material list reads the chosen folder; Open starts in the chosen one
            // and the formula's materials come from the chosen Materials folder.
            window->gridEditor().refreshMaterialList();
            QCOMPARE(listedMaterials(*window), (QStringList{QStringLiteral("tio2.rm"), QStringLiteral("water.rm")}));
            chooser.answers = {chosenFormulas + QStringLiteral("/small.tfx")};
            window->menus().Open1->trigger();
            QCOMPARE(chooser.foldersAndFilters.value(0), chosenFormulas);
            QCOMPARE(window->FormulaPath(), chosenFormulas + QStringLiteral("/small.tfx"));
            // Resin, glycol and the unknown code are not in the chosen Materials folder.
            QCOMPARE(tintora::rowsWithMissingMaterial(window->sheet()).size(), size_t{3});
            // The next run finds them kept.
            resetScripts();
            showWindow(services());
        }

        // tintora-report without a folder reads the same settings; a folder named wins.
        const ReportRun list = runReport({QStringLiteral("--materials-list"), QStringLiteral("--csv")});
        QCOMPARE(list.status, 0);
        QVERIFY2(list.out.contains(QStringLiteral("\ntio2,")) && !list.out.contains(QStringLiteral("\nresin,")),
            qPrintable(list.out + list.err));
        const ReportRun used = runReport({QStringLiteral("--where-used"), QStringLiteral("water")});
        QVERIFY2(used.out.contains(QStringLiteral("small.tfx")) && !used.out.contains(QStringLiteral("all-water")),
            qPrintable(used.out + used.err));
        const ReportRun named = runReport({QStringLiteral("--where-used"), QStringLiteral("water"), programFormulas});
        QVERIFY2(named.out.contains(QStringLiteral("all-water.tfx")) && !named.out.contains(QStringLiteral("small")),
            qPrintable(named.out + named.err));
        QCOMPARE(list.err + used.err + named.err, QString());
    }

    // A kept folder that is gone serves no more: the program's own serves this
    // run, a message names both, and the setting stays for when it comes back.
    void aMissingKeptFolderGivesWay_data()
    {
        QTest::addColumn<bool>("formulasGone");
        QTest::addColumn<bool>("materialsGone");
        QTest::newRow("Formulas folder gone") << true << false;
        QTest::newRow("Materials folder gone") << false << true;
        QTest::newRow("both gone") << true << true;
    }
    void aMissingKeptFolderGivesWay()
    {
        QFETCH(bool, formulasGone);
        QFETCH(bool, materialsGone);
        makeChosenFolders(QStringLiteral("gone"));
        QCOMPARE(keepFolders(chosenFormulas, chosenMaterials), QString());
        if (formulasGone)
            QVERIFY(QDir(chosenFormulas).removeRecursively());
        if (materialsGone)
            QVERIFY(QDir(chosenMaterials).removeRecursively());

        showWindow(services());
        QCOMPARE(window->FormulaFolder(), formulasGone ? formulas() : chosenFormulas);
        QCOMPARE(window->MaterialFolder(), materialsGone ? formulas() : chosenMaterials);
        QStringList gone;
        if (formulasGone)
            gone << chosenFormulas;
        if (materialsGone)
            gone << chosenMaterials;
        const QStringList problems = window->FolderProblems();
        QCOMPARE(problems.size(), gone.size());
        for (qsizetype i = 0; i < gone.size(); ++i) {
            const QString& problem = problems[i];
            QVERIFY2(problem.contains(QStringLiteral("\"%1\" does not exist").arg(gone[i]))
                    && problem.contains(QStringLiteral("uses \"%1\"").arg(formulas())),
                qPrintable(problem));
        }
        QCOMPARE(QString::fromStdString(readKeptFolders().formulas), chosenFormulas);
        QCOMPARE(QString::fromStdString(readKeptFolders().materials), chosenMaterials);

        // The report warns the same way and goes on with its own folder.
        const ReportRun report = runReport({QStringLiteral("--materials-list"), QStringLiteral("--csv")});
        QCOMPARE(report.status, 0);
        QCOMPARE(report.err.count(QStringLiteral("does not exist")), int(materialsGone));
    }

    void okRefusesAFolderThatCannotServe_data()
    {
        QTest::addColumn<QString>("formulasTyped");
        QTest::addColumn<QString>("materialsTyped");
        QTest::addColumn<QString>("told");
        const QString absent = QDir::tempPath() + QStringLiteral("/tintora-no-such-folder");
        const QString file = DataFolder + QStringLiteral("/formulas/small.tfx");
        QTest::newRow("absent Formulas folder") << absent << QString() << absent + "\" does not exist";
        QTest::newRow("a file as Materials folder") << QString() << file << "Materials folder \"" + file + "\" is not";
        QTest::newRow("no Formulas folder") << "" << QString() << "No Formulas folder";
        QTest::newRow("relative Materials folder") << QString() << "Formulas"
                                                   << "is not a full path";
        QTest::newRow("unreadable Materials folder") << QString() << "unreadable"
                                                     << "cannot be read";
    }
    void okRefusesAFolderThatCannotServe()
    {
        QFETCH(QString, formulasTyped);
        QFETCH(QString, materialsTyped);
        QFETCH(QString, told);
        QTemporaryDir unreadable;
        if (materialsTyped == QLatin1String("unreadable")) {
            if (::geteuid() == 0)
                QSKIP("root reads every folder");
            QFile::setPermissions(unreadable.path(), QFile::WriteOwner);
            materialsTyped = unreadable.path();
        }
        showWindow(services());
        const QString before = window->FormulaFolder();
        bool stayedOpen = false;
        whenFoldersDialog([&](TfrmFolders& dialog) {
            if (!formulasTyped.isNull())
                dialog.FormulasEdit()->setText(formulasTyped);
            if (!materialsTyped.isNull())
                dialog.MaterialsEdit()->setText(materialsTyped);
            clickOk(dialog);
            stayedOpen = dialog.isVisible();
        });
        window->menus().Folders1->trigger();
        QFile::setPermissions(unreadable.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(stayedOpen);
        QCOMPARE(prompter->shown.size(), size_t{1});
        QCOMPARE(prompter->shown[0].kind, ShownMessage::Kind::Error);
        QVERIFY2(QString::fromStdString(prompter->shown[0].text).contains(told), prompter->shown[0].text.c_str());
        QCOMPARE(window->FormulaFolder(), before);
        QCOMPARE(window->MaterialFolder(), before);
        QVERIFY(!testSettings().contains(QStringLiteral("Folders/Formulas")));
    }

    // A settings file that cannot keep them (here a folder in its place): the
    // folders serve until the window closes, and the user is told.
    void foldersServeWhenTheSettingsCannotKeepThem()
    {
        makeChosenFolders(QStringLiteral("unkept"));
        showWindow(services());
        const QString settingsFile = mru::userSettingsFile(QStringLiteral("Vantrel"));
        QFile::rename(settingsFile, settingsFile + QStringLiteral(".aside"));
        QVERIFY(QDir().mkpath(settingsFile));
        chooseFolders(chosenFormulas, chosenMaterials);
        QDir().rmdir(settingsFile);
        QFile::rename(settingsFile + QStringLiteral(".aside"), settingsFile);
        QCOMPARE(window->FormulaFolder(), chosenFormulas);
        QCOMPARE(window->MaterialFolder(), chosenMaterials);
        QCOMPARE(prompter->shown.size(), size_t{1});
        QVERIFY2(QString::fromStdString(prompter->shown[0].text).contains(QStringLiteral("could not be kept")),
            prompter->shown[0].text.c_str());
    }

    // Recent files of earlier versions are bare names of the Formulas folder
    // they were written in: they keep naming those files when it changes.
    void bareRecentFilesKeepTheirFolder()
    {
        makeChosenFolders(QStringLiteral("recent"));
        showWindow(services());
        const QString elsewhere = DataFolder + QStringLiteral("/formulas/cp1252.tfx");
        window->MRUList()->AddItem(QStringLiteral("all-water.tfx"));
        window->MRUList()->AddItem(elsewhere);
        window->MRUList()->AddItem(QStringLiteral("small.tfx"));
        chooseFolders(chosenFormulas, chosenMaterials);
        QCOMPARE(window->MRUList()->Items(),
            (QStringList{formulas() + QStringLiteral("/small.tfx"), elsewhere, formulas() + "/all-water.tfx"}));
    }

    void helpShowsTheFoldersTopic_data()
    {
        QTest::addColumn<bool>("byF1");
        QTest::newRow("Help button") << false;
        QTest::newRow("F1") << true;
    }
    void helpShowsTheFoldersTopic()
    {
        QFETCH(bool, byF1);
        showWindow(services());
        QString topic;
        whenFoldersDialog([&](TfrmFolders& dialog) {
            if (byF1)
                QTest::keyClick(dialog.FormulasEdit(), Qt::Key_F1);
            else
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
            topic = window->help()->isVisible() ? window->help()->topic() : QString();
            window->help()->hide();
        });
        window->menus().Folders1->trigger();
        QCOMPARE(topic, QStringLiteral("folders"));
        QFile help(window->help()->helpFile());
        QVERIFY(help.open(QIODevice::ReadOnly));
        QVERIFY(help.readAll().contains("<a name=\"folders\">"));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<FoldersTest>(argc, argv);
}

#include "FoldersTest.moc"
