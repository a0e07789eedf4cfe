// Table > Materials > Update Made Materials on a made material whose raw
// material's price went up on disk, with a formula using the made material
// open: the dialog lists it as changed; Apply writes it, dated today, and the
// open formula is read again at the new price; Cancel writes nothing.
#include "MainWindowFixture.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/TfrmMain.h"
#include "ui/materials/TfrmUpdateMade.h"
#include "ui/widgets/TFnpNumericEdit.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

using tintora::PropertyBox;
using tintora::testing::ShownMessage;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class UpdateMadeTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    bool apply = false;
    QStringList listed;  // the dialog's rows: code, formula, cost now and after, changed
    bool applyEnabled = false;

    QString inFormulas(const char* name) const { return formulas() + u'/' + QLatin1String(name); }
    double box(PropertyBox b) const { return QLocale().toDouble(window->properties()->box(b)->text()); }

private slots:
    void init()
    {
        resetScripts();
        QVERIFY(programFolder.isValid());
        QDir(formulas()).removeRecursively();
        copyTestData(QStringLiteral("materials"));
        // 100 lb of tio2 at 1.850 and 100 lb of water: 0.925 a pound.
        writeFile(inFormulas("base.tfx"),
            "[Formula]\nName=Base\nrType1=1\nMaterial1=tio2\nWeight1=100\nrType2=1\nMaterial2=water\nWeight2=100\n");
        writeFile(inFormulas("basemix.rm"),
            "[Material]\nName=base mix\nSpec=1.608\nCost=0.925\nMade=2020-01-02\nSource=base.tfx\n");
        writeFile(inFormulas("paint.tfx"),
            "[Formula]\nName=Paint\nrType1=1\nMaterial1=basemix\nWeight1=100\nrType2=1\nMaterial2=water\n"
            "Weight2=100\n");
        MainWindowServices services = scriptedServices();
        services.runUpdateMade = [this](TfrmUpdateMade& dialog) {
            const auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("MadeTable"));
            listed.clear();
            for (int r = 0; table && r < table->rowCount(); ++r)
                listed << QStringList{table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text(),
                    table->item(r, 3)->text(), table->item(r, 6)->text()}
                              .join(u'|');
            applyEnabled = dialog.findChild<QPushButton*>(QStringLiteral("ApplyButton"))->isEnabled();
            return apply;
        };
        window = newWindow(std::move(services));
        writeFile(inFormulas("tio2.rm"),
            "[Material]\nName=titanium dioxide rutile\nSpec=4.100\nCost=3.700\nPig_Wt=1.000\nPig_Vol=1.000\n");
        chooser.answers = {inFormulas("paint.tfx")};
        window->menus().Open1->trigger();
        QCOMPARE(window->FormulaPath(), inFormulas("paint.tfx"));
    }

    void cleanup() { window.reset(); }

    void applyWritesWhatChangedAndReadsTheFormulaAgain_data()
    {
        QTest::addColumn<bool>("applied");
        QTest::newRow("Apply") << true;
        QTest::newRow("Cancel") << false;
    }
    void applyWritesWhatChangedAndReadsTheFormulaAgain()
    {
        QFETCH(bool, applied);
        apply = applied;
        const QByteArray before = contents(inFormulas("basemix.rm"));
        const double perGallon = box(PropertyBox::CostVolBox);
        QCOMPARE(box(PropertyBox::CostWtBox), 0.463);

        window->menus().UpdateMade1->trigger();
        QCOMPARE(listed, QStringList{QStringLiteral("basemix|base.tfx|0.925|1.850|Yes")});
        QVERIFY(applyEnabled);
        QCOMPARE(prompter->shown, std::vector<ShownMessage>{});
        if (!applied) {
            QCOMPARE(contents(inFormulas("basemix.rm")), before);
            QCOMPARE(box(PropertyBox::CostVolBox), perGallon);
            return;
        }
        const QSettings made(inFormulas("basemix.rm"), QSettings::IniFormat);
        QCOMPARE(made.value(QStringLiteral("Material/Cost")).toString().trimmed().toDouble(), 1.85);
        QCOMPARE(made.value(QStringLiteral("Material/Made")).toString(), QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(made.value(QStringLiteral("Material/Source")).toString(), QStringLiteral("base.tfx"));
        // Half the mixture at twice the price; the density is the same.
        QCOMPARE(box(PropertyBox::CostWtBox), 0.925);
        QVERIFY2(qAbs(box(PropertyBox::CostVolBox) - 2 * perGallon) < 0.01,
            qPrintable(window->properties()->box(PropertyBox::CostVolBox)->text()));
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<UpdateMadeTest>(argc, argv);
}
#include "UpdateMadeTest.moc"
