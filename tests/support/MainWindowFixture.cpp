#include "MainWindowFixture.h"

#include "ui/widgets/LocalPath.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace tintora::testing {

QString ScriptedFileChooser::choose(const QString& folder, const QString& filter)
{
    foldersAndFilters << folder << filter;
    if (answers.empty())
        return otherwise;
    const QString next = answers.front();
    answers.pop_front();
    return next;
}

std::unique_ptr<QTimer> whenModalOpens(std::function<void(QWidget& modal)> handle)
{
    auto watch = std::make_unique<QTimer>();
    QTimer* timer = watch.get();
    QObject::connect(timer, &QTimer::timeout, [timer, handle = std::move(handle)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            handle(*modal);
        }
    });
    timer->start(5);
    return watch;
}

void copyFiles(const QString& from, const QString& to, const QStringList& nameFilters)
{
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(nameFilters, QDir::Files))
        if (!QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            qFatal("cannot copy %s into %s", qPrintable(name), qPrintable(to));
}

void MainWindowFixture::copyTestData(const QString& dataFolder, const QStringList& nameFilters) const
{
    if (!programFolder.isValid())
        qFatal("no temporary program folder");
    copyFiles(QStringLiteral(TINTORA_TEST_DATA "/") + dataFolder, formulas(), nameFilters);
}

void MainWindowFixture::copyMaterialsAndFormulas() const
{
    copyTestData(QStringLiteral("materials"));
    copyTestData(QStringLiteral("formulas"));
}

void MainWindowFixture::resetScripts()
{
    sounds.played.clear();
    prompter = std::make_unique<ScriptedPrompter>(&sounds);
    keypad = {};
    chooser = {};
    saveChooser = {};
}

tintora::ProgramFiles MainWindowFixture::programFiles() const
{
    return tintora::locateProgramFiles({localPath(programFolder.path()), {}, {}}, tintora::SeedUserFolder::No);
}

MainWindowServices MainWindowFixture::scriptedServices()
{
    MainWindowServices services;
    services.prompter = prompter.get();
    services.sounds = &sounds;
    services.formulaFolder = formulas();
    services.helpFile = programFolder.path() + QStringLiteral("/Korvel.html");
    services.chooseFormulaFile = [this](QWidget*, const QString& folder, const QString& filter, const QString&) {
        return chooser.choose(folder, filter);
    };
    services.chooseSaveFile = [this](QWidget*, const QString& folder, const QString& filter, const QString&) {
        return saveChooser.choose(folder, filter);
    };
    services.chooseWorkbookFile = services.chooseSaveFile;
    return services;
}

std::unique_ptr<TfrmMain> MainWindowFixture::newWindow(MainWindowServices services) const
{
    return std::make_unique<TfrmMain>(std::move(services));
}

void MainWindowFixture::showWindow(MainWindowServices services)
{
    window = newWindow(std::move(services));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the main window was not exposed");
}

}  // namespace tintora::testing
