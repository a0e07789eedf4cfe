// Tintora: a formulation calculator for paints and coatings.
#include "app/Artwork.h"
#include "app/ProgramStart.h"
#include "app/TfrmMain.h"
#include "app/TintoraApplication.h"
#include "widgets/FormulaGridLayout.h"

int main(int argc, char** argv)
{
    TintoraApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tintora"));
    QApplication::setFont(smallSansFont());
    QApplication::setWindowIcon(Artwork::applicationIcon());
    const auto program = startProgram(QCoreApplication::applicationDirPath());
    if (program->endsAfterStartUp)
        return 0;
    return app.exec();
}
