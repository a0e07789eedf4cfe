// Table > Compliance on a formula of the test folder: the window reads the
// limits file beside the formulas, and a category chosen in it becomes the
// formula's as one step of Undo.
#include "MainWindowFixture.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/TfrmMain.h"
#include "ui/formulas/TfrmCompliance.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class ComplianceWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    // The window on compliant.tfx (water, tio2, resin and glycol: no material
    // missing), with Table > Compliance opened.
    TfrmCompliance* openCompliance()
    {
        writeFile(formulas() + QStringLiteral("/compliant.tfx"),
            "[Formula]\nName=Compliant\nrType1=1\nMaterial1=water\nWeight1=100\nrType2=1\nMaterial2=tio2\n"
            "Weight2=200\nrType3=1\nMaterial3=resin\nWeight3=300\nrType4=1\nMaterial4=glycol\nWeight4=20\n");
        chooser.otherwise = formulas() + QStringLiteral("/compliant.tfx");
        showWindow(scriptedServices());
        window->menus().Open1->trigger();
        window->menus().Compliance1->trigger();
        auto* compliance = window->findChild<TfrmCompliance*>();
        return compliance && compliance->isVisible() ? compliance : nullptr;
    }

private slots:
    void initTestCase() { copyMaterialsAndFormulas(); }
    void init() { resetScripts(); }
    void cleanup() { window.reset(); }

    void aChosenCategoryIsAStep_data()
    {
        QTest::addColumn<QByteArray>("basis");
        QTest::addColumn<QByteArray>("limit");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("EU, within") << QByteArray("EU") << QByteArray("130")
                                    << QStringLiteral("Within the limit: 44.0 of 130 g/L");
        QTest::newRow("EU, over") << QByteArray("EU") << QByteArray("30")
                                  << QStringLiteral("Over the limit by 14.0 g/L");
        QTest::newRow("US, within") << QByteArray("US") << QByteArray("250")
                                    << QStringLiteral("Within the limit: 98.0 of 250 g/L");
    }

    void aChosenCategoryIsAStep()
    {
        QFETCH(QByteArray, basis);
        QFETCH(QByteArray, limit);
        QFETCH(QString, verdict);
        writeFile(formulas() + QStringLiteral("/voc-limits.ini"),
            "[Test/a]\nName=Test walls\nWB=" + limit + "\nSB=500\nBasis=" + basis + "\n");
        TfrmCompliance* compliance = openCompliance();
        QVERIFY(compliance);
        QCOMPARE(compliance->categoryBox()->count(), 2);  // (none) and the one category
        QCOMPARE(compliance->verdictLabel()->text(), QStringLiteral("No category chosen."));
        QCOMPARE(ContextHelp::topicOf(compliance->categoryBox()), QStringLiteral("compliance"));

        compliance->categoryBox()->setCurrentIndex(compliance->categoryBox()->findData(QStringLiteral("Test/a")));
        QCOMPARE(compliance->verdictLabel()->text(), verdict);
        QCOMPARE(window->sheet().compliance, (tintora::ComplianceChoice{"Test/a", "WB"}));
        QCOMPARE(window->menus().Undo1->text(), QStringLiteral("&Undo Compliance"));

        window->menus().Undo1->trigger();
        QCOMPARE(window->sheet().compliance, tintora::ComplianceChoice{});
        QCOMPARE(compliance->categoryBox()->currentIndex(), 0);
        QCOMPARE(compliance->verdictLabel()->text(), QStringLiteral("No category chosen."));
    }

    // A missing table is said in the window, which still shows the figures.
    void aMissingTableIsSaid()
    {
        QFile::remove(formulas() + QStringLiteral("/voc-limits.ini"));
        TfrmCompliance* compliance = openCompliance();
        QVERIFY(compliance);
        const auto* problems = compliance->findChild<QLabel*>(QStringLiteral("Problems"));
        QVERIFY(problems->text().startsWith(QStringLiteral("There are no VOC categories: voc-limits.ini")));
        QVERIFY(prompter->shown.empty());
        QCOMPARE(compliance->findChild<QLabel*>(QStringLiteral("EuVocValue"))->text(), QStringLiteral("44.0 g/L"));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<ComplianceWindowTest>(argc, argv);
}

#include "ComplianceWindowTest.moc"
