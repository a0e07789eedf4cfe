// Tintora: a formulation calculator for paints and coatings.
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
    const auto program = startProgram(QCoreApplication::applicationDirPath());
    return app.exec();
}
