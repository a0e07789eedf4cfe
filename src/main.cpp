// Tintora: a formulation calculator for paints and coatings.
#include "ui/app/Artwork.h"
#include "ui/app/ProgramStart.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/widgets/FormulaGridLayout.h"

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
