// Tintora: a formulation calculator for paints and coatings.
#include "core/Version.h"
#include "core/formulas/ProgramFiles.h"
#include "ui/app/Artwork.h"
#include "ui/app/ProgramStart.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/widgets/FormulaGridLayout.h"
#include "ui/widgets/LocalPath.h"

#include <QCommandLineParser>
#include <QDir>

#include <fontconfig/fontconfig.h>

#include <iostream>
#include <thread>

namespace {

// The formula named on the command line (the file manager's "Open With"), or
// an empty text.
QString formulaToOpen(const QCoreApplication& app, std::thread& fontConfiguration)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A formulation calculator for paints and coatings."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("formula"), QStringLiteral("A formula file (.tfx) to open."), QStringLiteral("[FORMULA.tfx]"));
    if (!parser.parse(QCoreApplication::arguments()) || parser.isSet(help) || parser.isSet(version)) {
        // process() answers and ends the program: the font configuration
        // read meanwhile is finished and freed first, as no window will use it.
        fontConfiguration.join();
        FcFini();
        parser.process(app);
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::cerr << "tintora: only one formula file may be given\n";
        std::exit(2);
    }
    return files.isEmpty() ? QString() : QDir::current().absoluteFilePath(files.constFirst());
}

}  // namespace

int main(int argc, char** argv)
{
    // The font configuration is read while the application connects to the
    // display, on the second core; the splash's first text needs it.
    std::thread fontConfiguration(FcInit);
    TintoraApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tintora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tintora::ProductVersion));
    const QString formula = formulaToOpen(app, fontConfiguration);
    QApplication::setFont(smallSansFont());
    QApplication::setWindowIcon(Artwork::applicationIcon());

    const tintora::ProgramFiles files
        = tintora::locateProgramFiles(tintora::runningProgramPlaces(), tintora::SeedUserFolder::Yes);
    if (fontConfiguration.joinable())
        fontConfiguration.join();
    const auto program = startProgram(files, formula);
    if (program->endsAfterStartUp)
        return 0;
    return QApplication::exec();
}
